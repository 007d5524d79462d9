// Saving: the displayed results into a file, or a whole run straight into
// one, as text or as a workbook. Either way the chosen file is replaced
// only once everything has been written, so a failure never leaves it
// half-written.
#include <array>
#include <memory>
#include <unordered_map>

#include "form/folder_paths.h"
#include "form/main_form.h"
#include "form/window_texts.h"
#include "inspect/visible_path.h"
#include "output/workbook_run.h"
#include "platform/output_file.h"
#include "run/direct_run.h"
#include "run/listed_file.h"
#include "run/read_ahead.h"
#include "run/result_file.h"
#include "state/texts.h"

namespace folvane::form {

namespace {

constexpr std::size_t kTextType = 0;
constexpr std::size_t kWorkbookType = 1;

constexpr std::array<SaveFileType, 3> kSaveFileTypes = {{
    {window_text::kTextFilesFilter, "*.txt", "", window_text::kProposedFileName},
    {window_text::kWorkbookFilter, "*.xlsx", "xlsx", window_text::kProposedWorkbookName},
    {window_text::kAllFilesFilter, "*.*", "", ""},
}};

// Whether `path` ends in `extension` (".xlsx"), in any letter case.
bool EndsWith(const std::string& path, std::string_view extension) {
    if (path.size() < extension.size()) return false;
    for (std::size_t i = 0; i < extension.size(); ++i) {
        char c = path[path.size() - extension.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != extension[i]) return false;
    }
    return true;
}

bool EndsWithXlsx(const std::string& path) { return EndsWith(path, ".xlsx"); }

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

std::span<const SaveFileType> MainForm::SaveFileTypes() { return kSaveFileTypes; }

std::optional<MainForm::SaveTarget> MainForm::AskSaveTarget() {
    // Opens where the last save of this session went, so a batch of
    // results lands in one folder without walking there each time, and
    // with the type chosen last.
    SaveAsRequest request;
    request.folder = saveFolder_;
    const std::string_view proposed = kSaveFileTypes[saveType_].proposedName;
    request.proposedName = proposed.empty() ? window_text::kProposedFileName : proposed;
    request.types = kSaveFileTypes;
    request.selectedType = saveType_;
    const std::optional<SaveAsAnswer> answer = view_.AskSavePath(request);
    if (!answer || answer->path.empty()) return std::nullopt;
    saveType_ = answer->type < kSaveFileTypes.size() ? answer->type : kTextType;
    SaveTarget target{answer->path, false};
    // A name typed with its extension says what it is, whatever the type
    // shown: .xlsx a workbook, .txt a text file. Any other name is what the
    // type says, and a workbook's gets .xlsx, or Excel would not open it.
    if (EndsWithXlsx(target.path)) {
        target.workbook = true;
    } else if (!EndsWith(target.path, ".txt") && saveType_ == kWorkbookType) {
        target.path += ".xlsx";
        target.workbook = true;
    }
    // The type saved last is offered next time.
    if (target.workbook) {
        saveType_ = kWorkbookType;
    } else if (saveType_ == kWorkbookType) {
        saveType_ = kTextType;
    }
    return target;
}

bool MainForm::WriteWorkbook(const SelectionState& selection, std::string& error) {
    OpenedOutput output =
        OpenResultFile(state_.SavePath, List1Inputs(list1_, list1Identity_), takesPdf_);
    if (!output.stream) {
        error = output.error;
        return false;
    }
    // A copy: the list must not change under the readers.
    const std::vector<std::string> files = list1_;
    const SpanInputFiles input(files);
    BeginRun();
    std::unique_ptr<ReadAhead> readAhead;
    const unsigned threads = ReadThreads(input);
    if (threads > 1)
        readAhead = std::make_unique<ReadAhead>(input, threads, takesPdf_, ReadThreadUse());
    TiffFileSource& source = readAhead ? *readAhead : DirectFileSource(takesPdf_);
    const WorkbookRunInfo info{LocalTimeText(), false, takesPdf_};
    bool written = WriteWorkbookRun(input, state_.InputProblems, selection, info, source,
                                    *modelessDialog_, *output.stream, error);
    if (written && !output.stream->Finish()) {
        written = false;
        error = output.stream->ErrorMessage();
    }
    readAhead.reset();
    // Dropping an unfinished output removes its temporary file; the file
    // chosen keeps its old content.
    output.stream.reset();
    EndRun();
    return written;
}

void MainForm::FileSave_Click() {
    if (state_.ResultState == 0) {
        okDialog1_->Show(std::string(window_text::kNothingToSave));
        return;
    }
    const std::optional<SaveTarget> target = AskSaveTarget();
    if (!target) {
        okDialog2_->Show(std::string(window_text::kCancelledMessage));
        return;
    }
    state_.SavePath = target->path;
    std::string error;
    // A workbook reads the listed files again: the lines on screen hold
    // less than its sheets.
    std::size_t changedNames = 0;
    const bool written = target->workbook ? WriteWorkbook(CurrentSelection(), error)
                                          : WriteDisplayedResults(error, changedNames);
    if (!written) {
        ShowSaveFailure(error);
        return;
    }
    state_.ResultState = 2;
    saveFolder_ = ParentFolder(state_.SavePath);
    ShowSaveDone(changedNames);
}

void MainForm::ShowSaveDone(std::size_t changedNames) {
    std::string message(window_text::kSaveDone);
    // Names with characters Shift-JIS cannot hold were written with "?":
    // said here, or the user learns it only when the file names no file.
    if (changedNames > 0) message += "\n\n" + ChangedNamesNote(changedNames);
    view_.ShowSystemMessage(message);
}

bool MainForm::WriteDisplayedResults(std::string& error, std::size_t& changedNames) {
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
    changedNames = writer.ChangedNames();
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
    const std::optional<SaveTarget> target = AskSaveTarget();
    if (!target) {
        okDialog2_->Show(std::string(window_text::kCancelledMessage));
        return;
    }
    state_.SavePath = target->path;
    if (target->workbook) {
        std::string error;
        if (!WriteWorkbook(selection, error)) {
            ShowSaveFailure(error);
            return;
        }
        ClearAfterDirectSave();
        ShowSaveDone(0);  // a workbook holds every character
        return;
    }
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
    if (threads > 1)
        readAhead = std::make_unique<ReadAhead>(input, threads, takesPdf_, ReadThreadUse());
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
    ClearAfterDirectSave();
    EndRun();
    ShowSaveDone(writer.ChangedNames());
}

void MainForm::ClearAfterDirectSave() {
    // The results are in the file; what was on screen belongs to an older
    // run and is cleared only now, so a failed direct save leaves it be.
    resultList_.clear();
    view_.SetListLines(MainList::ResultList, resultList_);
    SetResultText(std::string(folvane::text::kResultInitial));
    state_.ResultState = 0;
    view_.SetMenuEnabled(MainMenuItem::IDMSave, false);
    saveFolder_ = ParentFolder(state_.SavePath);
}

void MainForm::ShowSaveFailure(const std::string& reason) {
    // `reason` is "path: reason" as the output files give it, already in the
    // program's words.
    okDialog2_->Show(std::string(window_text::kSaveFailedMessage) + '\n' + VisiblePath(reason));
}

}  // namespace folvane::form
