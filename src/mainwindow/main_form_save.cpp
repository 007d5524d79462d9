// Saving: the displayed results into a file, or a whole run straight into
// one. Either way the chosen file is replaced only once everything has
// been written, so a failure never leaves it half-written.
#include <QAction>

#include "dialogs/dialog_seam.h"
#include "dialogs/window_texts.h"
#include "input/list_box_widget.h"
#include "mainwindow/main_form.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/window_run_sinks.h"
#include "platform/output_file.h"
#include "run/direct_run.h"
#include "run/result_file.h"
#include "run/run_preparation.h"
#include "state/texts.h"

namespace folvane::gui {

void MainForm1::FileSave_Click() {
    if (state_.ResultState == 0) {
        ShowOKDialog1(kNothingToSave.toString());
        return;
    }
    const std::optional<QString> path = DialogSeam::askSavePath(this);
    if (!path) {
        ShowOKDialog2(kCancelledMessage.toString());
        return;
    }
    state_.SavePath = ToCore(*path);
    std::string error;
    if (!WriteDisplayedResults(error)) {
        ShowSaveFailure(error);
        return;
    }
    state_.ResultState = 2;
    DialogSeam::showSystemMessage(this, kSaveDone.toString());
}

bool MainForm1::WriteDisplayedResults(std::string& error) {
    OpenedOutput output = OpenResultFile(state_.SavePath, ListedFiles());
    if (!output.stream) {
        error = output.error;
        return false;
    }
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(ResultList->count()));
    for (int i = 0; i < ResultList->count(); ++i)
        items.push_back(ToCore(ResultList->item(i)->text()));

    EncodedLineWriter writer(*output.stream, OutputEncoding::Cp932);
    if (!::folvane::WriteDisplayedResults(items, ToCore(resultText()), writer) ||
        !output.stream->Finish()) {
        error = output.stream->ErrorMessage();
        return false;
    }
    return true;
}

void MainForm1::Direct_Save_Click() {
    if (running_) return;
    const SelectionState selection = CurrentSelection();
    // Refused before the Save-As dialog, so no file is chosen for nothing.
    const auto preparation = PrepareRunOrRefuse(selection);
    if (!preparation) return;
    state_.TotalPages = 0;
    const std::optional<QString> path = DialogSeam::askSavePath(this);
    if (!path) {
        ShowOKDialog2(kCancelledMessage.toString());
        return;
    }
    state_.SavePath = ToCore(*path);
    OpenedOutput output = OpenResultFile(state_.SavePath, ListedFiles());
    if (!output.stream) {
        ShowSaveFailure(output.error);
        return;
    }

    const std::int16_t resultStateBefore = state_.ResultState;
    const std::vector<std::string> files = ListedFiles();
    BeginRun();
    EncodedLineWriter writer(*output.stream, OutputEncoding::Cp932);
    ProgressWindowSink progress(*modelessDialog_);
    const bool written =
        RunDirectSave(state_, selection, preparation->tally, files, writer, progress) &&
        output.stream->Finish();
    if (!written) {
        const std::string error = output.stream->ErrorMessage();
        // Dropping the unfinished output removes its temporary file; the
        // file chosen keeps its old content.
        output.stream.reset();
        // Inspecting marks results as displayed; nothing new is displayed.
        state_.ResultState = resultStateBefore;
        EndRun();
        ShowSaveFailure(error);
        return;
    }
    // The results are in the file; what was on screen belongs to an older
    // run and is cleared only now, so a failed direct save leaves it be.
    ResultList->clear();
    SetResultText(ToQt(text::kResultInitial));
    state_.ResultState = 0;
    IDMSave->setEnabled(false);
    EndRun();
    DialogSeam::showSystemMessage(this, kSaveDone.toString());
}

void MainForm1::ShowSaveFailure(const std::string& reason) {
    ShowOKDialog2(kSaveFailedMessage.toString() + QLatin1Char('\n') + ToQt(reason));
}

}  // namespace folvane::gui
