// The input list: drops of files and folders onto List1, the selection
// window, and the context menu of both lists. The expansion, order and
// duplicate removal are the core's, shared with the command line.
#include <algorithm>
#include <iterator>

#include "form/main_form.h"
#include "form/select_dialog.h"
#include "input/input_list.h"
#include "run/run_preparation.h"
#include "state/texts.h"

namespace folvane::form {

void MainForm::List1_OLEDragDrop(const std::vector<std::string>& paths) {
    // A path that vanished or a folder that cannot be listed adds nothing;
    // every run lists it among the files with errors, with its reason. A
    // drop without a file list still counts as a drop.
    std::vector<std::string> added;
    std::vector<PathProblem> problems;
    for (const std::string& path : paths) AddDroppedPath(path, added, problems, takesPdf_);
    NoteInputProblems(state_, problems);
    AddToList1(std::move(added));
}

void MainForm::SelctFile_Click() {
    if (running_) return;
    // A fresh window each time: its lists start empty.
    SelectDialog dialog(takesPdf_);
    view_.ShowSelectDialog(dialog);
    // Cancelled or not, the window counts as an addition.
    NoteInputProblems(state_, dialog.ConfirmedProblems());
    AddToList1(dialog.ConfirmedFiles());
}

void MainForm::AddToList1(std::vector<std::string> added) {
    std::vector<std::string> list = list1_;
    list.insert(list.end(), std::make_move_iterator(added.begin()),
                std::make_move_iterator(added.end()));
    state_.FilesAdded = 1;
    SortInputList(list);
    RemoveDuplicateEntries(list);
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
