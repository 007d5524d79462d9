// The "About (&A)" menu: the help, and the about box.
#include "dialogs/dialog_seam.h"
#include "dialogs/help_viewer.h"
#include "dialogs/version_dialog.h"
#include "dialogs/window_texts.h"
#include "mainwindow/main_form.h"

namespace folvane::gui {

void MainForm1::IDMHelp_Click() {
    // One help window, kept for the next request like a help system's.
    if (helpViewer_ == nullptr) helpViewer_ = new HelpViewer(this);
    const QString file = helpFile_.isEmpty() ? DefaultHelpFile() : helpFile_;
    ShowHelp(this, *helpViewer_, file, kHelpKeyword.toString());
}

void MainForm1::IDMVer_Click() {
    // Made for each showing and gone when it closes.
    VersionDialog version(this);
    DialogSeam::showModal(version);
}

}  // namespace folvane::gui
