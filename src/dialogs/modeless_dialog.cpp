#include "dialogs/modeless_dialog.h"

#include <QProgressBar>

#include "dialogs/window_fonts.h"
#include "dialogs/window_texts.h"
#include "mainwindow/twips.h"

namespace folvane::gui {

ModelessDialog::ModelessDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("ModelessDialog"));
    setWindowTitle(kProgressCaption.toString());
    // No close button: the run ends the window, not the user.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
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

}  // namespace folvane::gui
