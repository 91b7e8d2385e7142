#include "about/about_window.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "about/process_starter.h"
#include "about/program_picture.h"
#include "qt_support/qt_text.h"
#include "qt_support/widget_dialogs.h"
#include "qt_support/window_binder.h"

namespace kalverin {
namespace {

constexpr int kPictureSide = 64;
// Wide enough that the wrapped texts keep to a few lines.
constexpr int kTextWidth = 320;

}  // namespace

About::About(QWidget* parent)
    : QDialog(parent),
      ownRegistry_(PlatformRegistry()),
      ownStarter_(std::make_unique<ProcessStarter>()),
      ownDialogs_(std::make_unique<WidgetDialogs>(this)),
      model_(std::make_unique<AboutModel>(*ownRegistry_, *ownStarter_, *ownDialogs_)) {
    BuildWidgets();
}

About::About(QWidget* parent, Registry& registry, ProgramStarter& starter, UserDialogs& dialogs)
    : QDialog(parent), model_(std::make_unique<AboutModel>(registry, starter, dialogs)) {
    BuildWidgets();
}

About::~About() = default;

void About::BuildWidgets() {
    setObjectName(QStringLiteral("About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    model_->Load();
    setWindowTitle(ToQt(model_->caption));

    binder_ = new WindowBinder(this, BindControls(*model_, AboutModel::Controls()), {});
    auto* window = new QVBoxLayout(this);
    window->addWidget(binder_->body());
    window->setSizeConstraint(QLayout::SetFixedSize);

    auto* image = binder_->Find<QLabel>("Image1");
    image->setPixmap(ProgramPicture(kPictureSide, devicePixelRatio()));
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    auto* title = binder_->Find<QLabel>("lblTitle");
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.5);
    title->setFont(bold);
    for (const char* name : {"lblDescription", "lblDisclaimer"}) {
        auto* text = binder_->Find<QLabel>(name);
        text->setWordWrap(true);
        text->setMinimumWidth(kTextWidth);
    }

    // "OK" closes the window; Escape does the same through the dialog's own cancel. Either way
    // the window is discarded and the next "About" builds a new one.
    auto* ok = binder_->Find<QPushButton>("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    binder_->Refresh();
    ok->setFocus();
}

}  // namespace kalverin
