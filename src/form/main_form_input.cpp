// The input list: drops of files and folders onto List1, the selection
// window, and the context menu of both lists. The expansion, order and
// duplicate removal are the core's, shared with the command line.
#include <algorithm>
#include <iterator>
#include <thread>

#include "form/main_form.h"
#include "form/select_dialog.h"
#include "form/window_texts.h"
#include "input/input_list.h"
#include "inspect/visible_path.h"
#include "run/read_threads.h"
#include "state/texts.h"

namespace folvane::form {

namespace {

// How many of the paths left out the message names; the rest are counted.
constexpr std::size_t kUnusablePathsNamed = 5;

}  // namespace

void MainForm::List1_OLEDragDrop(const std::vector<std::string>& paths) {
    // A drop without a file list still counts as a drop.
    Examine(paths, false);
}

void MainForm::SelctFile_Click() {
    if (running_) return;
    // A fresh window each time: its lists start empty.
    SelectDialog dialog(takesPdf_);
    view_.ShowSelectDialog(dialog);
    // Cancelled or not, the window counts as an addition.
    Examine(dialog.ConfirmedEntries(), true);
}

void MainForm::Examine(std::vector<std::string> paths, bool anyNamedFile) {
    // PDF files are taken as the menu said when the paths came.
    waitingAdditions_.push_back({std::move(paths), anyNamedFile, takesPdf_});
    if (!examination_) StartNextExamination();
}

void MainForm::StartNextExamination() {
    if (waitingAdditions_.empty()) return;
    Addition next = std::move(waitingAdditions_.front());
    waitingAdditions_.pop_front();
    ExaminationRules rules;
    rules.anyNamedFile = next.anyNamedFile;
    rules.withPdf = next.withPdf;
    rules.threads = services_.readThreads;
    if (services_.readThreads == 0)
        rules.threadsFromMemory = ReadThreadsFromMemory(std::thread::hardware_concurrency());
    // Asking where the paths lie may itself wait on a server: the
    // examination's thread does it.
    examination_ = std::make_unique<BackgroundExamination>(
        std::move(next.paths), rules, [](std::span<const std::string> paths) {
            return DefaultReadThreads(SpanInputFiles(paths));
        });
    examinationStarted_ = Now();
    examiningShown_ = false;
    view_.StartExamineTimer();
}

void MainForm::ExamineTimer_Tick() {
    if (!examination_) {
        view_.StopExamineTimer();
        return;
    }
    if (!examination_->Done()) {
        // Quick examinations pass without a window flashing up.
        if (Now() - examinationStarted_ >= kExaminingShownAfter) {
            examiningShown_ = true;
            modelessDialog_->ShowExamining(static_cast<std::int64_t>(examination_->Examined()),
                                           static_cast<std::int64_t>(examination_->NamedPaths()));
        }
        return;
    }
    ApplyExamination();
}

void MainForm::ExamineCancel_Click() {
    if (!examination_) return;
    examination_->Cancel();
    waitingAdditions_.clear();
    startAfterExamination_ = false;
    directSaveAfterExamination_ = false;
}

void MainForm::FinishExamination() {
    while (examination_) ApplyExamination();
}

void MainForm::ApplyExamination() {
    // The timer stops first: the message below is modal, and its own
    // event loop must not apply the next examination underneath it.
    view_.StopExamineTimer();
    ExaminedInputs examined = examination_->Take();
    examination_.reset();
    if (examiningShown_) modelessDialog_->EndExamining();
    examiningShown_ = false;
    std::vector<SameFile> same;
    AddToList1(examined.files, same);
    ShowUnusablePaths(examined.problems, same);
    if (!waitingAdditions_.empty()) {
        StartNextExamination();
        return;
    }
    if (startAfterExamination_) {
        startAfterExamination_ = false;
        Start_Click();
    }
    if (directSaveAfterExamination_) {
        directSaveAfterExamination_ = false;
        Direct_Save_Click();
    }
}

void MainForm::ShowUnusablePaths(const std::vector<PathProblem>& problems,
                                 const std::vector<SameFile>& same) {
    // A path kept on the list (a missing *.tif) is reported by the run,
    // as a file it cannot open; the others are named here, once.
    std::vector<std::string> lines;
    for (const PathProblem& problem : problems)
        if (!problem.listed)
            lines.push_back(VisiblePath(problem.path + ": " + PathProblemReason(problem)));
    for (const SameFile& file : same)
        lines.push_back(VisiblePath(file.path + ": " + SameFileReason(file)));
    if (lines.empty()) return;
    std::string message = std::string(window_text::kUnusablePathsPrefix) +
                          std::to_string(lines.size()) +
                          std::string(window_text::kUnusablePathsSuffix);
    for (std::size_t i = 0; i < lines.size() && i < kUnusablePathsNamed; ++i)
        message += std::string(folvane::text::kCrLf) + lines[i];
    if (lines.size() > kUnusablePathsNamed)
        message += std::string(folvane::text::kCrLf) + std::string(window_text::kMorePathsPrefix) +
                   std::to_string(lines.size() - kUnusablePathsNamed) +
                   std::string(window_text::kMorePathsSuffix);
    okDialog1_->Show(message);
}

std::chrono::steady_clock::time_point MainForm::Now() const {
    return services_.clock ? services_.clock() : std::chrono::steady_clock::now();
}

void MainForm::AddToList1(const PathList& added, std::vector<SameFile>& same) {
    std::vector<std::string> list = list1_;
    list.reserve(list.size() + added.Count());
    for (std::size_t i = 0; i < added.Count(); ++i) {
        list.push_back(added.At(i));
        if (const auto identity = added.IdentityAt(i)) list1Identity_[list.back()] = *identity;
    }
    state_.FilesAdded = 1;
    SortInputList(list);
    RemoveDuplicateEntries(list);
    // The same file under two spellings stays under the first.
    std::unordered_map<FileIdentity, std::size_t, FileIdentityHash> first;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto identity = list1Identity_.find(list[i]);
        if (identity != list1Identity_.end()) {
            const auto [at, isNew] = first.emplace(identity->second, kept);
            if (!isNew) {
                same.push_back({list[i], list[at->second]});
                list1Identity_.erase(identity);
                continue;
            }
        }
        if (kept != i) list[kept] = std::move(list[i]);
        ++kept;
    }
    list.resize(kept);
    list1_ = std::move(list);
    view_.SetListLines(MainList::List1, list1_);
    if (!list1_.empty()) {
        view_.SetMenuEnabled(MainMenuItem::IDMView, true);
        view_.SetMenuEnabled(MainMenuItem::IDMD_Save, true);
    }
    view_.SetHorizontalExtent(MainList::List1);
}

void MainForm::List1_MouseDown(int Button) { ListMouseDown(MainList::List1, Button); }

void MainForm::ResultList_MouseDown(int Button) { ListMouseDown(MainList::ResultList, Button); }

void MainForm::ListMouseDown(MainList list, int Button) {
    popupTarget_ = list;
    if (Button == 2 && !running_) {
        // The items can be chosen only while the popup is open.
        view_.SetMenuEnabled(MainMenuItem::IDLPMCopy, true);
        view_.SetMenuEnabled(MainMenuItem::IDLPMDel, true);
        view_.ShowContextMenu(list);
        view_.SetMenuEnabled(MainMenuItem::IDLPMCopy, false);
        view_.SetMenuEnabled(MainMenuItem::IDLPMDel, false);
    }
    popupTarget_.reset();
}

std::string SelectedEntriesText(std::span<const std::string> lines,
                                std::span<const std::size_t> rows) {
    std::string text;
    for (const std::size_t row : rows) {
        if (row >= lines.size()) continue;
        if (!text.empty()) text += folvane::text::kCrLf;
        text += lines[row];
    }
    text += folvane::text::kCrLf;
    return text;
}

void MainForm::IDLPMCopy_Click() {
    if (!popupTarget_) return;
    view_.SetClipboardText(
        SelectedEntriesText(Lines(*popupTarget_), view_.SelectedListRows(*popupTarget_)));
}

void MainForm::IDLPMDel_Click() {
    // Nothing else follows: FilesAdded, the menus, the scroll range and the
    // totals stay as they were.
    if (!popupTarget_) return;
    std::vector<std::string>& lines = Lines(*popupTarget_);
    std::vector<std::size_t> rows = view_.SelectedListRows(*popupTarget_);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    while (!rows.empty() && rows.back() >= lines.size()) rows.pop_back();
    if (*popupTarget_ == MainList::List1)
        for (const std::size_t row : rows) list1Identity_.erase(lines[row]);
    // Kept rows move down over the removed ones in one pass: a result list
    // of tens of thousands of lines would take long one erase at a time.
    std::size_t kept = 0;
    std::size_t next = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (next < rows.size() && rows[next] == i) {
            ++next;
            continue;
        }
        if (kept != i) lines[kept] = std::move(lines[i]);
        ++kept;
    }
    lines.resize(kept);
    view_.RemoveListRows(*popupTarget_, rows);
}

}  // namespace folvane::form
