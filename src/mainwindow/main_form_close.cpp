// Clearing the window for a new batch, and closing it with the question
// about results that were displayed and not saved. Closing is never
// refused.
#include <QAction>
#include <QCloseEvent>

#include "dialogs/close_dialog.h"
#include "dialogs/dialog_seam.h"
#include "dialogs/help_viewer.h"
#include "dialogs/modeless_dialog.h"
#include "dialogs/ok_dialog.h"
#include "dialogs/window_texts.h"
#include "input/list_box_widget.h"
#include "mainwindow/main_form.h"
#include "mainwindow/qt_text.h"
#include "state/texts.h"

namespace folvane::gui {

void MainForm1::Clear_Click() {
    if (running_) return;
    state_.FilesAdded = 0;
    state_.ResultState = 0;
    IDMView->setEnabled(false);
    IDMSave->setEnabled(false);
    IDMD_Save->setEnabled(false);
    List1->clear();
    ResultList->clear();
    SetResultText(ToQt(text::kResultInitial));
    state_.NotTiffText = text::kNotTiffHeading;
    state_.ErrorFileText = text::kErrorFileHeading;
    state_.InputProblems.clear();
}

void MainForm1::Close_Click() { close(); }

void MainForm1::closeEvent(QCloseEvent* event) {
    if (running_) {
        // A run cannot be interrupted: the window closes once it is over.
        closeAfterRun_ = true;
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void MainForm1::Form_Unload() {
    if (state_.ResultState == 1) {
        closeDialog_->setLines(kNotSaved.toString(), kSaveQuestion.toString());
        DialogSeam::showModal(*closeDialog_);
        // Whatever the save reports, closing goes on.
        if (closeDialog_->CloseDialogAnswer == kAnswerYes) FileSave_Click();
    }
    modelessDialog_->hide();
    okDialog1_->hide();
    okDialog2_->hide();
    closeDialog_->hide();
    // The help window would otherwise keep the program running.
    if (helpViewer_ != nullptr) helpViewer_->close();
}

}  // namespace folvane::gui
