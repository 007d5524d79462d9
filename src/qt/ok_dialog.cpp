#include "qt/ok_dialog.h"

#include <algorithm>

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "form/window_texts.h"
#include "qt/dialog_frame.h"
#include "qt/qt_text.h"
#include "qt/twips.h"
#include "qt/window_fonts.h"

namespace folvane::gui {

namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 25;
// Past this a message wraps instead of widening the window further.
constexpr int kWidestMessage = 520;

}  // namespace

OkDialog::OkDialog(Kind kind, QWidget* owner) : QDialog(owner) {
    const bool withPicture = kind == Kind::WithPicture;
    setObjectName(withPicture ? QStringLiteral("OKDialog1") : QStringLiteral("OKDialog2"));
    setWindowTitle(ToQt(form::window_text::kProductName));
    setWindowFlags(FixedDialogFlags(true));
    setFont(WindowFont());
    designSize_ = withPicture ? TwipsSize(4425, 1305) : TwipsSize(2970, 1140);

    if (withPicture) {
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("Picture1"));
        picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
        picture->setGeometry(kMargin, kMargin, 32, 32);
        labelLeft_ = kMargin + 32 + kMargin;
    } else {
        labelLeft_ = kMargin;
    }

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (!withPicture) label1_->setText(ToQt(form::window_text::kCancelledMessage));

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setDefault(true);
    okButton_->setAutoDefault(true);
    connect(okButton_, &QPushButton::clicked, this, [this] {
        if (form_ != nullptr)
            form_->OKButton_Click();
        else
            hide();
    });

    FitToMessage();
}

void OkDialog::SetMessage(const std::string& text) {
    label1_->setText(ToQt(text));
    FitToMessage();
}

void OkDialog::ShowModal(form::OkDialog& form, form::MessageOwner owner) {
    // The window it is shown over owns it while it is shown.
    QWidget* mainOwner = parentWidget();
    QWidget* shownOver = owner == form::MessageOwner::SelectDialog ? secondOwner_ : nullptr;
    const Qt::WindowFlags flags = windowFlags();
    if (shownOver != nullptr && shownOver != mainOwner) setParent(shownOver, flags);
    form_ = &form;
    // Escape and the close box end it as OK does.
    exec();
    form_ = nullptr;
    if (parentWidget() != mainOwner) setParent(mainOwner, flags);
}

QString OkDialog::message() const { return label1_->text(); }

void OkDialog::FitToMessage() {
    const QFontMetrics metrics(font());
    const int designTextWidth = designSize_.width() - labelLeft_ - kMargin;
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, kWidestMessage, 10000), Qt::TextWordWrap, label1_->text());
    const int textWidth = std::max(designTextWidth, needed.width() + 2);
    const int designTextHeight = designSize_.height() - kButtonHeight - 3 * kMargin;
    const int textHeight = std::max(designTextHeight, needed.height() + 2);

    const int width = labelLeft_ + textWidth + kMargin;
    const int height = kMargin + textHeight + kMargin + kButtonHeight + kMargin;
    label1_->setGeometry(labelLeft_, kMargin, textWidth, textHeight);
    okButton_->setGeometry((width - kButtonWidth) / 2, height - kMargin - kButtonHeight,
                           kButtonWidth, kButtonHeight);
    setFixedSize(std::max(width, designSize_.width()), std::max(height, designSize_.height()));
    if (width < designSize_.width())
        okButton_->move((designSize_.width() - kButtonWidth) / 2, okButton_->y());
}

}  // namespace folvane::gui
