// What the selection window's behaviour asks of the window that shows it.
// The drive selector knows the system's volumes (a toolkit's own control);
// everything else the view shows as it is told and reports to
// SelectDialog.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "form/message_windows.h"

namespace folvane::form {

class SelectDialog;

enum class SelectList { FolList, FileList, SelectList };

// The source lists shown, by the option buttons: both side by side
// (Option1), only the folders, widened (Option2), only the files, widened
// in the folders' place (Option3).
enum class ListDisplay { Both, FoldersOnly, FilesOnly };

class SelectDialogView {
  public:
    virtual ~SelectDialogView() = default;

    // --- DrvList ---
    // Shows the volume holding `path`, adding it to the selector when it was
    // not listed. Reports nothing: only the user's choice is a change
    // (reported as DrvList_Change with the volume's root folder).
    virtual void SetDriveOf(const std::string& path) = 0;

    // --- DirList: the folder tree ---
    // `chain` is the current folder's ancestors from the root down to the
    // folder itself (full paths); `subfolders` its sub-folders (full
    // paths), shown one level deeper. The folder is the current entry.
    // Opening an entry (double click, Enter) is reported as
    // DirList_Open(path).
    virtual void ShowFolderTree(const std::vector<std::string>& chain,
                                const std::vector<std::string>& subfolders) = 0;

    // --- FolList, FileList, SelectList ---
    virtual void SetListItems(SelectList list, std::span<const std::string> items) = 0;
    // The selected rows, ascending.
    virtual std::vector<std::size_t> SelectedRows(SelectList list) const = 0;
    virtual void ClearSelection(SelectList list) = 0;
    virtual void LayOutLists(ListDisplay display) = 0;

    // --- Modal windows ---
    // The folder picker titled kChooseFolderTitle, folders only, starting
    // in `start` (where the system chooses when empty). Nothing when
    // cancelled.
    virtual std::optional<std::string> AskFolder(const std::string& start) = 0;
    // The main window's OKDialog1, owned by this window while shown.
    virtual void ShowOKDialog1(const std::string& message) = 0;

    // Ends the window's modal showing.
    virtual void Close() = 0;
};

}  // namespace folvane::form
