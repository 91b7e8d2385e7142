#pragma once

// The Qt main window: its widgets are built from the model's control table, user events go to
// the model and the model's controls are shown again after each one. It keeps its place, the
// file dialog's last folder and Open Recent's list in the user's settings.

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <QSettings>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "designer/design_recovery.h"
#include "designer/main_window_model.h"
#include "qt_support/bound_window.h"

namespace kalverin {

class About;
class CheckDataModel;
class CompareWindow;
class FrameEditorWindow;
class ModificationEditorWindow;

class MainWindow final : public BoundWindow<QMainWindow, MainWindowModel>,
                         private RecentWeaponsStore {
    Q_OBJECT

  public:
    // The catalogue is read from the data folder in use; currentDir holds the Weapons folder.
    MainWindow(DataInUse& dataFolder, const std::filesystem::path& currentDir,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window's load: reads the catalogue (a faulty data folder is reported) and shows it,
    // then offers back a design in progress that an earlier run left. The widgets show nothing
    // of the model before it.
    void Start();

    // Keeps the design in progress in a recovery file in `folder`, named after `name`, as the
    // program does (the window's tests keep none); `firstChange` runs when the design first
    // changes.
    void KeepDesignIn(const std::filesystem::path& folder, std::string name,
                      std::function<void()> firstChange);
    // Writes the design in progress at once, as a signal ends the program.
    void KeepDesignNow();

    // Opens a weapon file as "Open Old Weapon" opens the one chosen in its dialog: for Open
    // Recent, a file dropped on the window and the file named at start.
    void OpenWeaponFile(const std::filesystem::path& path);

  protected:
    void Closing() override { EndRun(); }
    // A weapon file dragged over the window, or over a box that takes dropped text, opens when
    // it is dropped.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Open Recent's list, kept in the settings.
    std::vector<std::filesystem::path> Read() override;
    void Write(const std::vector<std::filesystem::path>& paths) override;
    // Open Recent's entries, made afresh each time the File menu opens.
    void ListRecentWeapons();
    // Exit or the title bar: the window's place and size and the file dialog's last folder are
    // kept for the next run, and no design in progress is.
    void EndRun();

    // The filter's Esc, and Undo and Redo over the boxes' own undo.
    void SetUpKeys();
    // The menu entries that open other windows, list recent files, print or leave: the
    // window's own.
    void ConnectWindowEntries();
    // Manage Data, "Frames": the editor is made on its first showing and kept after.
    void ShowFrameEditor();
    // Manage Data > Modifications: the modification editor, shown modal.
    void ShowModifications();
    void ShowAbout();
    // Manage Data > Check Data: one window, checking the data folder in use again each time.
    void ShowCheckData();
    // File > Compare With: asks for a weapon file and shows the design beside it, in the one
    // comparison window, which follows the design from then on.
    void CompareWith();

    // Read once, when the window is made; written when something in it changes.
    QSettings settings_;

    // The About window while it is open; it deletes itself when closed.
    QPointer<About> about_;
    // The Check Data window while it is open, which deletes itself when closed, and its model.
    QPointer<QDialog> checkData_;
    std::unique_ptr<CheckDataModel> checkDataModel_;
    // The comparison while it is open; it deletes itself when closed.
    QPointer<CompareWindow> compare_;
    FrameEditorWindow* frmEditFrame_ = nullptr;
    // Created when first shown, and dropped when closed by its title bar.
    std::unique_ptr<ModificationEditorWindow> modifications_;

    std::unique_ptr<DesignRecovery> recovery_;
    // Runs out kDelay after the last change of the design.
    QTimer recoveryTimer_;
};

}  // namespace kalverin
