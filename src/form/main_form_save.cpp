// Saving: the displayed results into a file, or a whole run straight into
// one. Either way the chosen file is replaced only once everything has
// been written, so a failure never leaves it half-written.
#include <memory>

#include "form/folder_paths.h"
#include "form/main_form.h"
#include "form/window_texts.h"
#include "platform/output_file.h"
#include "run/direct_run.h"
#include "run/listed_file.h"
#include "run/read_ahead.h"
#include "run/result_file.h"
#include "state/texts.h"

namespace folvane::form {

namespace {

// List1 with the identities its paths were found with, so that the check
// of a result file asks the system about none of them again.
class List1Inputs final : public InputFiles {
  public:
    List1Inputs(const std::vector<std::string>& paths,
                const std::unordered_map<std::string, FileIdentity>& identities)
        : paths_(paths), identities_(identities) {}
    std::size_t Count() const override { return paths_.size(); }
    std::string At(std::size_t index) const override { return paths_[index]; }
    std::optional<FileIdentity> IdentityAt(std::size_t index) const override {
        const auto found = identities_.find(paths_[index]);
        if (found == identities_.end()) return std::nullopt;
        return found->second;
    }

  private:
    const std::vector<std::string>& paths_;
    const std::unordered_map<std::string, FileIdentity>& identities_;
};

}  // namespace

std::optional<std::string> MainForm::AskSavePath() {
    // Opens where the last save of this session went, so a batch of
    // results lands in one folder without walking there each time.
    std::optional<std::string> path = view_.AskSavePath(saveFolder_);
    if (path && path->empty()) path.reset();
    return path;
}

void MainForm::FileSave_Click() {
    if (state_.ResultState == 0) {
        okDialog1_->Show(std::string(window_text::kNothingToSave));
        return;
    }
    const std::optional<std::string> path = AskSavePath();
    if (!path) {
        okDialog2_->Show(std::string(window_text::kCancelledMessage));
        return;
    }
    state_.SavePath = *path;
    std::string error;
    if (!WriteDisplayedResults(error)) {
        ShowSaveFailure(error);
        return;
    }
    state_.ResultState = 2;
    saveFolder_ = ParentFolder(state_.SavePath);
    view_.ShowSystemMessage(std::string(window_text::kSaveDone));
}

bool MainForm::WriteDisplayedResults(std::string& error) {
    OpenedOutput output =
        OpenResultFile(state_.SavePath, List1Inputs(list1_, list1Identity_), takesPdf_);
    if (!output.stream) {
        error = output.error;
        return false;
    }
    EncodedLineWriter writer(*output.stream, OutputEncoding::Cp932);
    if (!folvane::WriteDisplayedResults(resultList_, view_.ResultText(), writer) ||
        !output.stream->Finish()) {
        error = output.stream->ErrorMessage();
        return false;
    }
    return true;
}

void MainForm::Direct_Save_Click() {
    if (running_) return;
    if (examination_) {
        directSaveAfterExamination_ = true;
        return;
    }
    const SelectionState selection = CurrentSelection();
    // Refused before the Save-As dialog, so no file is chosen for nothing.
    const auto preparation = PrepareRunOrRefuse(selection);
    if (!preparation) return;
    state_.TotalPages = 0;
    const std::optional<std::string> path = AskSavePath();
    if (!path) {
        okDialog2_->Show(std::string(window_text::kCancelledMessage));
        return;
    }
    state_.SavePath = *path;
    OpenedOutput output =
        OpenResultFile(state_.SavePath, List1Inputs(list1_, list1Identity_), takesPdf_);
    if (!output.stream) {
        ShowSaveFailure(output.error);
        return;
    }

    const std::int16_t resultStateBefore = state_.ResultState;
    const std::vector<std::string> files = list1_;
    const SpanInputFiles input(files);
    BeginRun();
    EncodedLineWriter writer(*output.stream, OutputEncoding::Cp932);
    std::unique_ptr<ReadAhead> readAhead;
    const unsigned threads = ReadThreads(input);
    if (threads > 1) readAhead = std::make_unique<ReadAhead>(input, threads, takesPdf_);
    TiffFileSource& source = readAhead ? *readAhead : DirectFileSource(takesPdf_);
    const bool written = RunDirectSave(state_, selection, preparation->tally, input, writer,
                                       *modelessDialog_, source) &&
                         output.stream->Finish();
    readAhead.reset();
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
    resultList_.clear();
    view_.SetListLines(MainList::ResultList, resultList_);
    SetResultText(std::string(folvane::text::kResultInitial));
    state_.ResultState = 0;
    view_.SetMenuEnabled(MainMenuItem::IDMSave, false);
    saveFolder_ = ParentFolder(state_.SavePath);
    EndRun();
    view_.ShowSystemMessage(std::string(window_text::kSaveDone));
}

void MainForm::ShowSaveFailure(const std::string& reason) {
    // `reason` is "path: reason" as the output files give it, already in the
    // program's words.
    okDialog2_->Show(std::string(window_text::kSaveFailedMessage) + '\n' + reason);
}

}  // namespace folvane::form
