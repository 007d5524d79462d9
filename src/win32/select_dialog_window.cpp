#include "win32/select_dialog_window.h"

#include <commctrl.h>

#include <algorithm>

#include "form/message_windows.h"
#include "form/window_texts.h"
#include "win32/message_windows.h"
#include "win32/resource.h"
#include "win32/system_dialogs.h"

namespace folvane::win32 {

namespace {

constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kList = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                        LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT;
// The option buttons' places are designed inside Frame1, which is at
// 120, 3240.
constexpr int kFrameLeft = 120;
constexpr int kFrameTop = 3240;

// Root of a path: "C:\" or "\\server\share\".
std::wstring RootOf(const std::wstring& path) {
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
        std::size_t slash = path.find(L'\\', 2);
        if (slash != std::wstring::npos) slash = path.find(L'\\', slash + 1);
        return slash == std::wstring::npos ? path + L"\\" : path.substr(0, slash + 1);
    }
    if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2) + L"\\";
    return path;
}

bool SameRoot(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// What the tree shows of a folder: its last component, a root whole.
std::wstring TreeName(const std::wstring& path) {
    if (path.empty() || path.back() == L'\\') return path;
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

SelectDialogWindow::SelectDialogWindow(HWND owner, OkDialogWindow& okDialog1)
    : DialogWindow(owner, kCaption, 8730, 6165, /*toolBorder=*/false, /*closeBox=*/true),
      okDialog1_(okDialog1) {
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(
                     LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_FOLVANE))));
    const HFONT large = Fonts().Large();
    // In the tab order: "↓ 追　　加 ↓" first (focused at the start), then
    // FolList, DrvList, DirList, FileList, SelectList, the options, "削　除",
    // "確　 定", "キャンセル", the network button. Labels take no focus.
    Add({IDC_SELECT, WC_BUTTONW, L"↓ 追　　加 ↓", kButton, {4440, 2520, 2175, 615}}, large);
    Add({IDC_SEL_LABEL3, WC_STATICW, L"フォルダ選択リスト", kLabel, {2520, 120, 1455, 255}});
    Add({IDC_FOLLIST, WC_LISTBOXW, L"", kList, {2520, 360, 2895, 2040}});
    Add({IDC_SEL_LABEL1, WC_STATICW, L"ドライブ指定", kLabel, {120, 120, 1455, 255}});
    Add({IDC_DRVLIST,
         WC_COMBOBOXW,
         L"",
         WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
         {120, 360, 2175, 3000}});
    Add({IDC_SEL_LABEL2, WC_STATICW, L"フォルダ指定", kLabel, {120, 1080, 1455, 255}});
    Add({IDC_DIRLIST,
         WC_LISTBOXW,
         L"",
         WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
             LBS_NOINTEGRALHEIGHT,
         {120, 1320, 2175, 1770}});
    Add({IDC_SEL_LABEL4, WC_STATICW, L"ファイル選択リスト", kLabel, {5640, 120, 1455, 255}});
    Add({IDC_FILELIST, WC_LISTBOXW, L"", kList, {5640, 360, 2895, 2070}});
    Add({IDC_SEL_LABEL5, WC_STATICW, L"選択済リスト", kLabel, {2520, 3000, 1815, 255}});
    Add({IDC_SELECTLIST, WC_LISTBOXW, L"", kList, {2520, 3240, 6015, 2760}});
    Add({IDC_FRAME1,
         WC_BUTTONW,
         L"選択リスト表示",
         WS_VISIBLE | BS_GROUPBOX,
         {kFrameLeft, kFrameTop, 2175, 1335}});
    Add({IDC_OPTION1,
         WC_BUTTONW,
         L"ﾌｫﾙﾀﾞ･ﾌｧｲﾙ両方",
         WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
         {kFrameLeft + 240, kFrameTop + 240, 1695, 255}});
    Add({IDC_OPTION2,
         WC_BUTTONW,
         L"ﾌｫﾙﾀﾞのみ",
         WS_VISIBLE | BS_AUTORADIOBUTTON,
         {kFrameLeft + 240, kFrameTop + 600, 1335, 255}});
    Add({IDC_OPTION3,
         WC_BUTTONW,
         L"ﾌｧｲﾙのみ",
         WS_VISIBLE | BS_AUTORADIOBUTTON,
         {kFrameLeft + 240, kFrameTop + 960, 1335, 255}});
    Add({IDC_DELETE, WC_BUTTONW, L"削　除", kButton | WS_GROUP, {6960, 2640, 1575, 495}});
    Add({IDC_COMMAND1, WC_BUTTONW, L"確　 定", kButton, {360, 4680, 1695, 615}}, large);
    // The cancel button: Escape presses it.
    Add({IDCANCEL, WC_BUTTONW, L"キャンセル", kButton, {360, 5400, 1695, 615}});
    Add({IDC_NETCOMP, WC_BUTTONW, L"ﾈｯﾄﾜｰｸ･ｺﾝﾋﾟｭｰﾀ", kButton, {120, 700, 2175, 300}});
    SendMessageW(Control(IDC_OPTION1), BM_SETCHECK, BST_CHECKED, 0);

    tooltips_ = AddTooltips(Handle(),
                            {{IDC_DRVLIST, L"ドライブを指定してください。"},
                             {IDC_NETCOMP, L"ﾈｯﾄﾜｰｸｺﾝﾋﾟｭｰﾀを指定します。"},
                             {IDC_DIRLIST, L"フォルダを指定してください。"},
                             {IDC_FRAME1, L"リストの表示を切替えます。"},
                             {IDC_OPTION1, L"表示をﾌｫﾙﾀﾞ･ﾌｧｲﾙ選択ﾘｽﾄの両方にします。"},
                             {IDC_OPTION2, L"表示をﾌｫﾙﾀﾞ選択ﾘｽﾄのみにします。"},
                             {IDC_OPTION3, L"表示をﾌｧｲﾙ選択ﾘｽﾄのみにします。"},
                             {IDC_COMMAND1, L"選択を確定します。"},
                             {IDCANCEL, L"選択をとりやめます。"},
                             {IDC_FOLLIST, L"フォルダを選んでください。（複数可）"},
                             {IDC_FILELIST, L"ファイルを選んでください。（複数可）"},
                             {IDC_SELECT, L"上記選択分を選択済リストに追加します。"},
                             {IDC_DELETE, L"下記選択分を削除します。"},
                             {IDC_SELECTLIST, L"選択されたフォルダ・ファイルのリストです。"}},
                            Fonts().Window());
    FillDrives();
}

SelectDialogWindow::~SelectDialogWindow() {
    if (dialog_ != nullptr) dialog_->Detach();
    if (tooltips_ != nullptr) DestroyWindow(tooltips_);
}

void SelectDialogWindow::Run(form::SelectDialog& dialog) {
    dialog_ = &dialog;
    dialog.Attach(*this);
    SetInitialFocus(IDC_SELECT);
    ShowModal();
    dialog.Detach();
    dialog_ = nullptr;
}

void SelectDialogWindow::FillDrives() {
    HWND combo = Control(IDC_DRVLIST);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    drives_.clear();
    std::vector<wchar_t> buffer(1024, L'\0');
    const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
    for (const wchar_t* root = buffer.data(); length > 0 && *root != L'\0';
         root += wcslen(root) + 1) {
        drives_.push_back(Utf8(root));
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(root));
    }
}

void SelectDialogWindow::SetDriveOf(const std::string& path) {
    const std::wstring root = RootOf(Wide(path));
    HWND combo = Control(IDC_DRVLIST);
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        if (SameRoot(Wide(drives_[i]), root)) {
            SendMessageW(combo, CB_SETCURSEL, i, 0);
            return;
        }
    }
    // A network folder, or a drive that came since: listed from now on.
    drives_.push_back(Utf8(root));
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(root.c_str()));
    SendMessageW(combo, CB_SETCURSEL, drives_.size() - 1, 0);
}

void SelectDialogWindow::ShowFolderTree(const std::vector<std::string>& chain,
                                        const std::vector<std::string>& subfolders) {
    HWND tree = Control(IDC_DIRLIST);
    SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
    SendMessageW(tree, LB_RESETCONTENT, 0, 0);
    treeEntries_.clear();
    // Each level two spaces deeper: the ancestors, the folder itself, then
    // its sub-folders one level below it.
    auto add = [&](const std::string& path, std::size_t depth) {
        const std::wstring text = std::wstring(depth * 2, L' ') + TreeName(Wide(path));
        SendMessageW(tree, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        treeEntries_.push_back(path);
    };
    for (std::size_t i = 0; i < chain.size(); ++i) add(chain[i], i);
    for (const std::string& folder : subfolders) add(folder, chain.size());
    if (!chain.empty()) SendMessageW(tree, LB_SETCURSEL, chain.size() - 1, 0);
    SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
}

HWND SelectDialogWindow::ListOf(form::SelectList list) const {
    switch (list) {
        case form::SelectList::FolList:
            return Control(IDC_FOLLIST);
        case form::SelectList::FileList:
            return Control(IDC_FILELIST);
        default:
            return Control(IDC_SELECTLIST);
    }
}

void SelectDialogWindow::SetListItems(form::SelectList list, std::span<const std::string> items) {
    HWND box = ListOf(list);
    SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    listbox::Clear(box);
    for (const std::string& item : items) listbox::Append(box, item);
    SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
    listbox::SetHorizontalExtent(box, box);
}

std::vector<std::size_t> SelectDialogWindow::SelectedRows(form::SelectList list) const {
    HWND box = ListOf(list);
    std::vector<std::size_t> rows;
    const int count = listbox::Count(box);
    for (int i = 0; i < count; ++i) {
        if (listbox::IsSelected(box, i)) rows.push_back(static_cast<std::size_t>(i));
    }
    return rows;
}

void SelectDialogWindow::ClearSelection(form::SelectList list) {
    SendMessageW(ListOf(list), LB_SETSEL, FALSE, -1);
}

void SelectDialogWindow::LayOutLists(form::ListDisplay display) {
    const int dpi = Dpi();
    const bool folders = display != form::ListDisplay::FilesOnly;
    const bool files = display != form::ListDisplay::FoldersOnly;
    const bool wide = display != form::ListDisplay::Both;
    // A hidden list keeps its own place; a widened one takes both places.
    PlaceControl(Control(IDC_SEL_LABEL3), {2520, 120, 1455, 255}, dpi);
    PlaceControl(Control(IDC_FOLLIST), {2520, 360, folders && wide ? 6015 : 2895, 2040}, dpi);
    const int fileLeft = files && wide ? 2520 : 5640;
    PlaceControl(Control(IDC_SEL_LABEL4), {fileLeft, 120, 1455, 255}, dpi);
    PlaceControl(Control(IDC_FILELIST), {fileLeft, 360, files && wide ? 6015 : 2895, 2070}, dpi);
    ShowWindow(Control(IDC_SEL_LABEL3), folders ? SW_SHOWNA : SW_HIDE);
    ShowWindow(Control(IDC_FOLLIST), folders ? SW_SHOWNA : SW_HIDE);
    ShowWindow(Control(IDC_SEL_LABEL4), files ? SW_SHOWNA : SW_HIDE);
    ShowWindow(Control(IDC_FILELIST), files ? SW_SHOWNA : SW_HIDE);
}

std::optional<std::string> SelectDialogWindow::AskFolder(const std::string& /*start*/) {
    return AskNetworkFolder(Handle(), std::string(form::window_text::kChooseFolderTitle));
}

void SelectDialogWindow::ShowOKDialog1(const std::string& message) {
    form::OkDialog okDialog(okDialog1_);
    okDialog.Show(message, form::MessageOwner::SelectDialog);
}

void SelectDialogWindow::OpenTreeEntry() {
    const LRESULT index = SendMessageW(Control(IDC_DIRLIST), LB_GETCURSEL, 0, 0);
    if (index == LB_ERR || static_cast<std::size_t>(index) >= treeEntries_.size()) return;
    // A copy: opening refills the tree.
    const std::string path = treeEntries_[static_cast<std::size_t>(index)];
    dialog_->DirList_Open(path);
}

void SelectDialogWindow::OnCommand(int id, int code) {
    if (dialog_ == nullptr) return;
    switch (id) {
        case IDC_DRVLIST:
            if (code == CBN_SELCHANGE) {
                const LRESULT index = SendMessageW(Control(IDC_DRVLIST), CB_GETCURSEL, 0, 0);
                if (index != CB_ERR && static_cast<std::size_t>(index) < drives_.size())
                    dialog_->DrvList_Change(drives_[static_cast<std::size_t>(index)]);
            }
            break;
        case IDC_DIRLIST:
            if (code == LBN_DBLCLK) OpenTreeEntry();
            break;
        case IDOK:  // Enter: opens the folder chosen in the tree
            if (GetFocus() == Control(IDC_DIRLIST)) OpenTreeEntry();
            break;
        case IDC_NETCOMP:
            dialog_->NetComp_Click();
            break;
        case IDC_OPTION1:
            if (code == BN_CLICKED) dialog_->Option1_Click();
            break;
        case IDC_OPTION2:
            if (code == BN_CLICKED) dialog_->Option2_Click();
            break;
        case IDC_OPTION3:
            if (code == BN_CLICKED) dialog_->Option3_Click();
            break;
        case IDC_SELECT:
            dialog_->Select_Click();
            break;
        case IDC_DELETE:
            dialog_->Delete_Click();
            break;
        case IDC_COMMAND1:
            dialog_->Command1_Click();
            break;
        case IDCANCEL:
            dialog_->Command2_Click();
            break;
        default:
            break;
    }
}

// The close box, as "キャンセル".
void SelectDialogWindow::OnClose() {
    if (dialog_ != nullptr) {
        dialog_->Command2_Click();
    } else {
        EndModal();
    }
}

}  // namespace folvane::win32
