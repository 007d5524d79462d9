// SelectDialog on Win32: the drive selector, the folder tree, the folder,
// file and chosen lists and the display options, made for each opening.
#pragma once

#include <string>
#include <vector>

#include "form/select_dialog.h"
#include "form/select_dialog_view.h"
#include "win32/dialog_window.h"

namespace folvane::win32 {

class OkDialogWindow;

class SelectDialogWindow final : public DialogWindow, public form::SelectDialogView {
  public:
    static constexpr const wchar_t* kCaption = L"ﾌｫﾙﾀﾞ･ﾌｧｲﾙ選択ﾀﾞｲｱﾛｸﾞ";

    SelectDialogWindow(HWND owner, OkDialogWindow& okDialog1);
    ~SelectDialogWindow() override;

    // Attaches `dialog` (Form_Load runs), shows the window modally until it
    // closes, and detaches it.
    void Run(form::SelectDialog& dialog);

    // What DirList shows, as full paths, top to bottom.
    const std::vector<std::string>& FolderTreeEntries() const { return treeEntries_; }
    const std::vector<std::string>& Drives() const { return drives_; }

    void SetDriveOf(const std::string& path) override;
    void ShowFolderTree(const std::vector<std::string>& chain,
                        const std::vector<std::string>& subfolders) override;
    void SetListItems(form::SelectList list, std::span<const std::string> items) override;
    std::vector<std::size_t> SelectedRows(form::SelectList list) const override;
    void ClearSelection(form::SelectList list) override;
    void LayOutLists(form::ListDisplay display) override;
    std::optional<std::string> AskFolder(const std::string& start) override;
    void ShowOKDialog1(const std::string& message) override;
    void Close() override { EndModal(); }

  private:
    void OnCommand(int id, int code) override;
    void OnClose() override;
    int DefaultButton() const override { return IDOK; }
    HWND ListOf(form::SelectList list) const;
    void FillDrives();
    void OpenTreeEntry();

    OkDialogWindow& okDialog1_;
    form::SelectDialog* dialog_ = nullptr;
    HWND tooltips_ = nullptr;
    std::vector<std::string> drives_;
    std::vector<std::string> treeEntries_;
};

}  // namespace folvane::win32
