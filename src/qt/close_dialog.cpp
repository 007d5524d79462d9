#include "qt/close_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "form/window_texts.h"
#include "qt/dialog_frame.h"
#include "qt/qt_text.h"
#include "qt/twips.h"
#include "qt/window_fonts.h"

namespace folvane::gui {

CloseDialog::CloseDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("CloseDialog"));
    setWindowTitle(ToQt(form::window_text::kProductName));
    setWindowFlags(FixedDialogFlags(true));
    setFont(WindowFont());
    setFixedSize(TwipsSize(3720, 1425));  // 248 x 95

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    picture->setGeometry(12, 12, 32, 32);

    label1_ = new QLabel(ToQt(form::window_text::kNotSaved), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(56, 14, 184, 17);
    label2_ = new QLabel(ToQt(form::window_text::kSaveQuestion), this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setGeometry(56, 34, 184, 17);

    auto* yesButton = new QPushButton(QStringLiteral("保存する"), this);
    yesButton->setObjectName(QStringLiteral("YesButton"));
    yesButton->setGeometry(36, 60, 81, 25);
    yesButton->setDefault(true);
    connect(yesButton, &QPushButton::clicked, this, [this] {
        if (form_ != nullptr) form_->YesButton_Click();
    });

    noButton_ = new QPushButton(QStringLiteral("いいえ"), this);
    noButton_->setObjectName(QStringLiteral("NoButton"));
    noButton_->setGeometry(131, 60, 81, 25);
    noButton_->setAutoDefault(false);
    connect(noButton_, &QPushButton::clicked, this, [this] {
        if (form_ != nullptr) form_->NoButton_Click();
    });
}

void CloseDialog::SetLines(const std::string& first, const std::string& second) {
    label1_->setText(ToQt(first));
    label2_->setText(ToQt(second));
}

void CloseDialog::ShowModal(form::CloseDialog& form) {
    form_ = &form;
    // The close box only hides the window: the answer stays as it was.
    exec();
    form_ = nullptr;
}

void CloseDialog::keyPressEvent(QKeyEvent* event) {
    // "いいえ" is the cancel button: Escape answers No. Left to QDialog,
    // Escape would only reject and record no answer, like the close box.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        noButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace folvane::gui
