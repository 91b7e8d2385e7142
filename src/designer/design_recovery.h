#pragma once

// The design in progress, kept on disk while the program runs, so that a crash, a kill or a power
// cut does not take it along: the next start offers it back. Every running program keeps its own
// recovery file and holds its lock; a file whose lock no one holds was left by a run that did
// not end by Exit or by closing the window.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "catalogue/file_store.h"
#include "controls/user_dialogs.h"
#include "designer/main_window_model.h"

namespace kalverin {

class DesignRecovery {
  public:
    using Clock = std::chrono::steady_clock;
    // How long after the last change the design is written: typing writes once, not per key.
    static constexpr std::chrono::milliseconds kDelay{500};

    // Keeps the design of `model` in `folder`, in a file named after `name` once there is
    // something to keep. Names that sort in the order their runs started make the oldest file
    // offered first.
    DesignRecovery(MainWindowModel& model, UserDialogs& dialogs, std::filesystem::path folder,
                   std::string name, FileStore& files = DiskFiles())
        : model_(model),
          dialogs_(dialogs),
          files_(files),
          folder_(std::move(folder)),
          name_(std::move(name)) {}

    // The design changed at `now`.
    void Changed(Clock::time_point now) { due_ = now + kDelay; }
    // Keeps the design if its last change is kDelay old by `now`; else gives how long is left.
    std::optional<Clock::duration> KeepIfDue(Clock::time_point now);
    // Writes the window's state, or removes the file once the design is saved or empty. A write
    // that fails says nothing: the next change tries again.
    void Keep();
    // Exit, or the window closed: the user ended the run, and no file is left.
    void Drop();
    // At start: offers back the design of each file that an earlier run left, the oldest first,
    // until one is restored; a file that does not read back whole is set aside with a message.
    // The folder goes with its last file, so that a start with none left looks at the disk once
    // and runs nothing more of this.
    void OfferLeft() {
        std::error_code none;
        if (std::filesystem::is_directory(folder_, none)) {
            OfferLeftFiles();
        }
    }

  private:
    void OfferLeftFiles();
    // Makes this run's file, locked before any other start can see it.
    bool Create(const std::string& kept);
    void Remove();
    void SetAside(const std::filesystem::path& path);

    MainWindowModel& model_;
    UserDialogs& dialogs_;
    FileStore& files_;
    std::filesystem::path folder_;
    std::string name_;
    std::optional<Clock::time_point> due_;
    // This run's file while it has one, its lock, and what it holds.
    std::filesystem::path own_;
    FolderLock lock_;
    std::string written_;
};

}  // namespace kalverin
