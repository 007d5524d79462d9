#include "form/select_dialog.h"

#include <algorithm>

#include "form/folder_paths.h"
#include "form/window_texts.h"
#include "input/input_list.h"
#include "platform/file_system.h"
#include "platform/network_folders.h"

namespace folvane::form {

namespace {

std::string LastName(const std::string& path) {
    const std::size_t last = path.find_last_of(kPathSeparator);
    return last == std::string::npos ? path : path.substr(last + 1);
}

}  // namespace

bool SortedListLess(const std::string& a, const std::string& b) { return InputListLess(a, b); }

void SelectDialog::Attach(SelectDialogView& view) {
    view_ = &view;
    Form_Load();
}

const std::vector<std::string>& SelectDialog::Items(SelectList list) const {
    switch (list) {
        case SelectList::FolList:
            return folList_;
        case SelectList::FileList:
            return fileList_;
        case SelectList::SelectList:
            break;
    }
    return selectList_;
}

void SelectDialog::Form_Load() {
    // The process's current folder; the other views follow through
    // DirList_Change.
    const std::string current = CurrentFolder();
    if (current.empty() || !SetFolder(current)) SetFolder(RootOf(current.empty() ? "/" : current));
    if (view_ != nullptr) view_->SetDriveOf(folder_);
}

bool SelectDialog::SetFolder(const std::string& path) {
    const std::string clean = CleanFolderPath(path);
    if (ExaminePath(clean) != PathKind::Folder) return false;
    // A folder reached through a link is a folder to the person choosing.
    std::optional<std::vector<std::string>> names =
        ListSubfolderNames(clean, nullptr, FolderLinks::Listed);
    if (!names) return false;
    if (clean == folder_) return true;
    std::sort(names->begin(), names->end(), SortedListLess);
    subfolders_.clear();
    for (const std::string& name : *names) subfolders_.push_back(JoinPath(clean, name));
    folder_ = clean;
    if (view_ != nullptr) view_->ShowFolderTree(FolderChain(folder_), subfolders_);
    DirList_Change();
    return true;
}

void SelectDialog::DirList_Change() {
    std::optional<std::vector<std::string>> files = ListTifFileNames(folder_, nullptr, withPdf_);
    fileList_ = files ? std::move(*files) : std::vector<std::string>{};
    std::sort(fileList_.begin(), fileList_.end(), SortedListLess);
    FillFolderList();
    if (view_ == nullptr) return;
    view_->SetListItems(SelectList::FileList, fileList_);
    view_->SetListItems(SelectList::FolList, folList_);
    // The drive selector follows the folder across volumes too.
    view_->SetDriveOf(folder_);
}

void SelectDialog::FillFolderList() {
    folList_.clear();
    for (const std::string& path : subfolders_) folList_.push_back(LastName(path));
    std::sort(folList_.begin(), folList_.end(), SortedListLess);
}

void SelectDialog::DrvList_Change(const std::string& root) {
    // A volume that cannot be opened returns the selector silently.
    if (!SetFolder(root) && view_ != nullptr) view_->SetDriveOf(folder_);
}

void SelectDialog::DirList_Open(const std::string& path) {
    // A folder that cannot be opened leaves the tree where it was.
    if (!SetFolder(path) && view_ != nullptr)
        view_->ShowFolderTree(FolderChain(folder_), subfolders_);
}

void SelectDialog::NetComp_Click() {
    if (view_ == nullptr) return;
    const std::optional<std::string> start = NetworkBrowseStart();
    const std::optional<std::string> chosen = view_->AskFolder(start.value_or(std::string()));
    if (!chosen || chosen->empty()) return;
    if (SetFolder(AsChosenNetworkFolder(*chosen))) view_->SetDriveOf(folder_);
}

void SelectDialog::Option1_Click() {
    if (view_ != nullptr) view_->LayOutLists(ListDisplay::Both);
}

void SelectDialog::Option2_Click() {
    if (view_ != nullptr) view_->LayOutLists(ListDisplay::FoldersOnly);
}

void SelectDialog::Option3_Click() {
    if (view_ != nullptr) view_->LayOutLists(ListDisplay::FilesOnly);
}

void SelectDialog::AddToSelectList(const std::string& path) {
    // Sorted, and the same path may be chosen more than once.
    selectList_.insert(
        std::upper_bound(selectList_.begin(), selectList_.end(), path, SortedListLess), path);
}

void SelectDialog::AddSelected(SelectList list) {
    const std::vector<std::string>& items = Items(list);
    for (const std::size_t row : view_->SelectedRows(list))
        if (row < items.size()) AddToSelectList(JoinPath(folder_, items[row]));
    view_->ClearSelection(list);
}

void SelectDialog::Select_Click() {
    if (view_ == nullptr) return;
    // Both lists, whichever are shown: a hidden list's selection counts.
    AddSelected(SelectList::FolList);
    AddSelected(SelectList::FileList);
    view_->SetListItems(SelectList::SelectList, selectList_);
}

void SelectDialog::Delete_Click() {
    if (view_ == nullptr) return;
    std::vector<std::size_t> rows = view_->SelectedRows(SelectList::SelectList);
    std::sort(rows.rbegin(), rows.rend());
    for (const std::size_t row : rows)
        if (row < selectList_.size())
            selectList_.erase(selectList_.begin() + static_cast<std::ptrdiff_t>(row));
    view_->SetListItems(SelectList::SelectList, selectList_);
}

void SelectDialog::Command1_Click() {
    if (view_ == nullptr) return;
    if (selectList_.empty()) {
        view_->ShowOKDialog1(std::string(window_text::kNothingSelected));
        return;
    }
    // Examined by the main window, off its thread: an entry on a file
    // server costs a round trip, and one that vanished is reported there.
    confirmedEntries_ = selectList_;
    confirmed_ = true;
    view_->Close();
}

void SelectDialog::Command2_Click() {
    if (view_ != nullptr) view_->Close();
}

}  // namespace folvane::form
