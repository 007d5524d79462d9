#include "qt/modeless_dialog.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <algorithm>
#include <limits>

#include "form/window_texts.h"
#include "qt/dialog_frame.h"
#include "qt/qt_text.h"
#include "qt/twips.h"
#include "qt/window_fonts.h"

namespace folvane::gui {

ModelessDialog::ModelessDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("ModelessDialog"));
    setWindowTitle(ToQt(form::window_text::kProgressCaption));
    // No close button: the run ends the window, not the user.
    setWindowFlags(FixedDialogFlags(false));
    setModal(false);
    // Showing the bar must not take the keyboard from the main window, or
    // its menu shortcuts would be dead after every run.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(WindowFont());
    setFixedSize(TwipsSize(3930, 435));  // 262 x 29

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(0, 0, width(), height());
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
}

namespace {

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

}  // namespace

void ModelessDialog::SetRange(std::int64_t maximum) {
    ProgressBar1->setRange(0, ClampToInt(maximum));
}

void ModelessDialog::SetValue(std::int64_t value) { ProgressBar1->setValue(ClampToInt(value)); }

void ModelessDialog::SetCaption(const std::string& caption) {
    setWindowTitle(ToQt(caption));
    // Any other caption than the run's (the examination's count) shows in
    // the bar too: without a window manager's title bar it would be lost.
    const bool ownText = caption != form::window_text::kProgressCaption;
    ProgressBar1->setFormat(ownText ? ToQt(caption) : QString());
    ProgressBar1->setTextVisible(ownText);
}

void ModelessDialog::Repaint() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace folvane::gui
