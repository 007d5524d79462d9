// MainForm1's start-up, clearing for a new batch, closing with the question
// about results that were displayed and not saved (closing is never
// refused), and the "About (&A)" menu.
#include "form/main_form.h"

#include "form/version_dialog.h"
#include "form/window_texts.h"
#include "platform/file_system.h"
#include "platform/program_launcher.h"
#include "platform/registry.h"
#include "state/texts.h"

namespace folvane::form {

MainForm::MainForm(MainFormView& view, MainFormServices services)
    : view_(view), services_(services) {}

MainForm::~MainForm() = default;

void MainForm::Form_Initialize() {
    state_.FilesAdded = 0;
    state_.ResultState = 0;
    okDialog1_ = std::make_unique<OkDialog>(view_.OKDialog1View());
    okDialog2_ = std::make_unique<OkDialog>(view_.OKDialog2View());
    closeDialog_ = std::make_unique<CloseDialog>(view_.CloseDialogPromptView());
    modelessDialog_ = std::make_unique<ModelessDialog>(view_.ProgressWindowView());
    view_.SetMenuEnabled(MainMenuItem::IDMView, false);
    view_.SetMenuEnabled(MainMenuItem::IDMSave, false);
    view_.SetMenuEnabled(MainMenuItem::IDMD_Save, false);
    state_.NotTiffText = folvane::text::kNotTiffHeading;
}

void MainForm::Clear_Click() {
    if (running_) return;
    DropExamination();
    state_.FilesAdded = 0;
    state_.ResultState = 0;
    view_.SetMenuEnabled(MainMenuItem::IDMView, false);
    view_.SetMenuEnabled(MainMenuItem::IDMSave, false);
    view_.SetMenuEnabled(MainMenuItem::IDMD_Save, false);
    list1_.clear();
    resultList_.clear();
    view_.SetListLines(MainList::List1, list1_);
    view_.SetListLines(MainList::ResultList, resultList_);
    SetResultText(std::string(folvane::text::kResultInitial));
    state_.NotTiffText = folvane::text::kNotTiffHeading;
    state_.ErrorFileText = folvane::text::kErrorFileHeading;
    state_.InputProblems.clear();
    list1Identity_.clear();
}

void MainForm::DropExamination() {
    // What was dropped and not yet examined goes with the list.
    waitingAdditions_.clear();
    startAfterExamination_ = false;
    directSaveAfterExamination_ = false;
    if (!examination_) return;
    view_.StopExamineTimer();
    examination_.reset();  // stops it and waits for its thread
    if (examiningShown_) modelessDialog_->EndExamining();
    examiningShown_ = false;
}

void MainForm::Close_Click() { view_.CloseWindow(); }

bool MainForm::Form_Unload() {
    if (running_) {
        // A run cannot be interrupted: the window closes once it is over.
        closeAfterRun_ = true;
        return false;
    }
    DropExamination();
    if (state_.ResultState == 1) {
        closeDialog_->Ask(std::string(window_text::kNotSaved),
                          std::string(window_text::kSaveQuestion));
        // Whatever the save reports, closing goes on.
        if (closeDialog_->CloseDialogAnswer == kAnswerYes) FileSave_Click();
    }
    modelessDialog_->Hide();
    okDialog1_->Hide();
    okDialog2_->Hide();
    closeDialog_->Hide();
    // The help window would otherwise keep the program running.
    view_.CloseHelp();
    return true;
}

void MainForm::IDMHelp_Click() {
    const std::string file = helpFile_.empty() ? view_.DefaultHelpFile() : helpFile_;
    std::string reason;
    if (view_.ShowHelp(file, std::string(window_text::kHelpKeyword), reason)) return;
    // "Missing" only when it is: a help file that is there but cannot be
    // opened (no permission, locked, no program for it) says why.
    const std::string name = std::string(window_text::kHelpMissingPrefix) + file;
    if (ExaminePath(file) == PathKind::Missing) {
        view_.ShowSystemMessage(name + std::string(window_text::kHelpMissingSuffix));
    } else {
        view_.ShowSystemMessage(name + std::string(window_text::kHelpUnopenedSuffix) +
                                (reason.empty() ? std::string() : "\n" + reason));
    }
}

void MainForm::IDMVer_Click() {
    // Made for each showing and gone when it closes.
    if (services_.registry != nullptr && services_.launcher != nullptr) {
        VersionDialog version(*services_.registry, *services_.launcher);
        view_.ShowVersionDialog(version);
    } else {
        VersionDialog version;
        view_.ShowVersionDialog(version);
    }
}

const std::vector<std::string>& MainForm::ListLines(MainList list) const {
    return list == MainList::List1 ? list1_ : resultList_;
}

std::vector<std::string>& MainForm::Lines(MainList list) {
    return list == MainList::List1 ? list1_ : resultList_;
}

}  // namespace folvane::form
