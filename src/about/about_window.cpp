#include "about/about_window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "about/process_starter.h"
#include "about/program_picture.h"
#include "qt_support/qt_text.h"
#include "qt_support/widget_dialogs.h"

namespace kalverin {
namespace {

constexpr int kPictureSide = 64;
// Wide enough that the wrapped texts keep to a few lines.
constexpr int kTextWidth = 320;

QLabel* Label(const char* name, const TextBox& box) {
    auto* label = new QLabel(ToQt(box.text));
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

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

    auto* image = new QLabel;
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(ProgramPicture(kPictureSide, devicePixelRatio()));
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    QLabel* title = Label("lblTitle", model_->lblTitle);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.5);
    title->setFont(bold);
    QLabel* version = Label("lblVersion", model_->lblVersion);
    QLabel* description = Label("lblDescription", model_->lblDescription);
    QLabel* disclaimer = Label("lblDisclaimer", model_->lblDisclaimer);
    for (QLabel* text : {description, disclaimer}) {
        text->setWordWrap(true);
        text->setMinimumWidth(kTextWidth);
    }

    // A sunken line draws the etched rule: a dark line with a light one beneath it.
    auto* rule = new QFrame;
    rule->setObjectName(QStringLiteral("Rule"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    cmdOK_ = new QPushButton(tr("OK"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdSysInfo_ = new QPushButton(tr("&System Info..."));
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(description);
    auto* top = new QHBoxLayout;
    top->addWidget(image, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(disclaimer, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdSysInfo_);
    buttons->addStretch();
    bottom->addSpacing(12);
    bottom->addLayout(buttons);

    auto* window = new QVBoxLayout(this);
    window->addLayout(top);
    window->addWidget(rule);
    window->addLayout(bottom);
    window->setSizeConstraint(QLayout::SetFixedSize);

    // "OK" closes the window; Escape does the same through the dialog's own cancel. Either way
    // the window is discarded and the next "About" builds a new one.
    connect(cmdOK_, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSysInfo_, &QPushButton::clicked, this, [this] { model_->StartSysInfo(); });
    cmdOK_->setFocus();
}

}  // namespace kalverin
