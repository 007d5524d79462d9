#include "dialogs/close_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "dialogs/window_fonts.h"
#include "dialogs/window_texts.h"
#include "mainwindow/twips.h"

namespace folvane::gui {

CloseDialog::CloseDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("CloseDialog"));
    setWindowTitle(kProductName.toString());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    setFixedSize(TwipsSize(3720, 1425));  // 248 x 95

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    picture->setGeometry(12, 12, 32, 32);

    label1_ = new QLabel(kNotSaved.toString(), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(56, 14, 184, 17);
    label2_ = new QLabel(kSaveQuestion.toString(), this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setGeometry(56, 34, 184, 17);

    auto* yesButton = new QPushButton(QStringLiteral("保存する"), this);
    yesButton->setObjectName(QStringLiteral("YesButton"));
    yesButton->setGeometry(36, 60, 81, 25);
    yesButton->setDefault(true);
    connect(yesButton, &QPushButton::clicked, this, &CloseDialog::YesButton_Click);

    noButton_ = new QPushButton(QStringLiteral("いいえ"), this);
    noButton_->setObjectName(QStringLiteral("NoButton"));
    noButton_->setGeometry(131, 60, 81, 25);
    noButton_->setAutoDefault(false);
    connect(noButton_, &QPushButton::clicked, this, &CloseDialog::NoButton_Click);
}

void CloseDialog::setLines(const QString& first, const QString& second) {
    label1_->setText(first);
    label2_->setText(second);
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

void CloseDialog::YesButton_Click() {
    CloseDialogAnswer = kAnswerYes;
    accept();
}

void CloseDialog::NoButton_Click() {
    CloseDialogAnswer = kAnswerNo;
    accept();
}

}  // namespace folvane::gui
