#include "qt/version_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "form/window_texts.h"
#include "qt/dialog_frame.h"
#include "qt/program_icon.h"
#include "qt/qt_text.h"
#include "qt/system_message.h"
#include "qt/twips.h"
#include "qt/window_fonts.h"

namespace folvane::gui {

namespace {

constexpr int kTitlePixels = 19;  // 14.25 points

template <typename Widget>
Widget* Place(Widget* widget, const char* name, QRect geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

}  // namespace

VersionDialog::VersionDialog(QWidget* owner, form::VersionDialog& form)
    : QDialog(owner), form_(form) {
    setObjectName(QStringLiteral("Version"));
    setWindowFlags(FixedDialogFlags(true));
    setFont(WindowFont());
    setFixedSize(TwipsSize(5730, 3555));
    BuildControls();
    form_.Attach(*this);
}

VersionDialog::~VersionDialog() { form_.Detach(); }

void VersionDialog::BuildControls() {
    auto* picIcon = Place(new QLabel(this), "picIcon", TwipsRect(240, 240, 540, 540));
    // The main window's icon, which is the program's.
    picIcon->setPixmap(ProgramIcon().pixmap(32, 32));
    picIcon->setAlignment(Qt::AlignCenter);

    lblTitle = Place(new QLabel(this), "lblTitle", TwipsRect(1050, 240, 3885, 480));
    QFont titleFont = font();
    titleFont.setPixelSize(kTitlePixels);
    lblTitle->setFont(titleFont);
    lblVersion = Place(new QLabel(this), "lblVersion", TwipsRect(1050, 780, 3885, 225));

    auto* lblDescription = Place(new QLabel(ToQt(form::window_text::kAboutDescription), this),
                                 "lblDescription", TwipsRect(1050, 1125, 3885, 1170));
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Etched: a grey line with a white one just below it.
    auto* line1 = Place(new QFrame(this), "Line1", TwipsRect(90, 2430, 5550, 30));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);
    line1->setLineWidth(1);
    QPalette etched = line1->palette();
    etched.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
    etched.setColor(QPalette::Light, Qt::white);
    line1->setPalette(etched);

    auto* lblDisclaimer = Place(new QLabel(QStringLiteral("警告: ..."), this), "lblDisclaimer",
                                TwipsRect(255, 2625, 3870, 825));
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDisclaimer->setWordWrap(true);

    auto* cmdOK = Place(new QPushButton(QStringLiteral("OK"), this), "cmdOK",
                        TwipsRect(4245, 2625, 1260, 345));
    cmdOK->setDefault(true);
    auto* cmdSysInfo = Place(new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this), "cmdSysInfo",
                             TwipsRect(4260, 3075, 1245, 345));
    cmdSysInfo->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, [this] { form_.cmdOK_Click(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { form_.cmdSysInfo_Click(); });
}

void VersionDialog::SetCaption(const std::string& text) { setWindowTitle(ToQt(text)); }

void VersionDialog::SetTitle(const std::string& text) { lblTitle->setText(ToQt(text)); }

void VersionDialog::SetVersionText(const std::string& text) { lblVersion->setText(ToQt(text)); }

void VersionDialog::ShowSystemMessage(const std::string& text) { ShowMessageBox(this, ToQt(text)); }

}  // namespace folvane::gui
