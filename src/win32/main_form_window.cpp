#include "win32/main_form_window.h"

#include <algorithm>

#include "form/select_dialog.h"
#include "form/version_dialog.h"
#include "platform/help_file.h"
#include "win32/controls.h"
#include "win32/resource.h"
#include "win32/select_dialog_window.h"
#include "win32/system_dialogs.h"
#include "win32/version_dialog_window.h"

namespace folvane::win32 {

using form::MainCheck;
using form::MainList;
using form::MainMenuItem;

int CheckId(MainCheck box) {
    switch (box) {
        case MainCheck::Check_Total:
            return IDC_CHECK_TOTAL;
        case MainCheck::Check_CTotal:
            return IDC_CHECK_CTOTAL;
        case MainCheck::Check_RTotal:
            return IDC_CHECK_RTOTAL;
        default:
            return IDC_CHECK0 + static_cast<int>(box);
    }
}

int MenuId(MainMenuItem item) {
    switch (item) {
        case MainMenuItem::IDMCHTO:
            return IDM_CHTO;
        case MainMenuItem::IDMCHCT:
            return IDM_CHCT;
        case MainMenuItem::IDMExit:
            return IDM_EXIT;
        case MainMenuItem::IDMSelect:
            return IDM_SELECT;
        case MainMenuItem::IDMView:
            return IDM_VIEW;
        case MainMenuItem::IDMSave:
            return IDM_SAVE;
        case MainMenuItem::IDMD_Save:
            return IDM_D_SAVE;
        case MainMenuItem::IDMClear:
            return IDM_CLEAR;
        case MainMenuItem::IDMHelp:
            return IDM_HELP;
        case MainMenuItem::IDMVer:
            return IDM_VER;
        case MainMenuItem::IDLPMCopy:
            return IDLPM_COPY;
        case MainMenuItem::IDLPMDel:
            return IDLPM_DEL;
        case MainMenuItem::IDMPdf:
            return IDM_PDF;
        default:
            return IDM_CH0 + static_cast<int>(item);
    }
}

MainFormWindow::MainFormWindow(HINSTANCE instance, form::MainFormServices services)
    : window_(instance, *this) {
    const HWND main = window_.Handle();
    okDialog1_ = std::make_unique<OkDialogWindow>(main, /*withPicture=*/true);
    okDialog2_ = std::make_unique<OkDialogWindow>(main, /*withPicture=*/false);
    closeDialog_ = std::make_unique<CloseDialogWindow>(main);
    progress_ = std::make_unique<ProgressWindow>(main);
    progress_->SetCancelHandler([this] { form_->ExamineCancel_Click(); });
    auto owner = [this](form::MessageOwner which) {
        return which == form::MessageOwner::SelectDialog && selectDialog_ != nullptr
                   ? selectDialog_
                   : window_.Handle();
    };
    okDialog1_->SetOwnerLookup(owner);
    okDialog2_->SetOwnerLookup(owner);
    form_ = std::make_unique<form::MainForm>(*this, services);
    form_->Form_Initialize();
}

MainFormWindow::~MainFormWindow() = default;

// --- What the window reports ---

void MainFormWindow::Command(int id) {
    form::MainForm& form = *form_;
    auto value = [this](int control) {
        return static_cast<CheckValue>(SendMessageW(window_.Control(control), BM_GETCHECK, 0, 0));
    };
    if (id >= IDC_CHECK0 && id <= IDC_CHECK0 + 9) {
        form.Check_Click(id - IDC_CHECK0, value(id));
        return;
    }
    if (id >= IDM_CH0 && id <= IDM_CH9) {
        form.IDMCH_Click(id - IDM_CH0);
        return;
    }
    switch (id) {
        case IDC_SELCTFILE:
            form.SelctFile_Click();
            break;
        case IDC_START:
            form.Start_Click();
            break;
        case IDC_FILESAVE:
            form.FileSave_Click();
            break;
        case IDC_DIRECT_SAVE:
            form.Direct_Save_Click();
            break;
        case IDC_CLEAR:
            form.Clear_Click();
            break;
        case IDC_CLOSE:
            form.Close_Click();
            break;
        case IDC_CHECK_TOTAL:
            form.Check_Total_Click(value(id));
            break;
        case IDC_CHECK_CTOTAL:
            form.Check_CTotal_Click(value(id));
            break;
        case IDC_CHECK_RTOTAL:
            form.Check_RTotal_Click(value(id));
            break;
        case IDM_EXIT:
            form.IDMExit_Click();
            break;
        case IDM_SELECT:
            form.IDMSelect_Click();
            break;
        case IDM_VIEW:
            form.IDMView_Click();
            break;
        case IDM_SAVE:
            form.IDMSave_Click();
            break;
        case IDM_D_SAVE:
            form.IDMD_Save_Click();
            break;
        case IDM_CLEAR:
            form.IDMClear_Click();
            break;
        case IDM_CHTO:
            form.IDMCHTO_Click();
            break;
        case IDM_CHCT:
            form.IDMCHCT_Click();
            break;
        case IDM_PDF:
            form.IDMPdf_Click();
            break;
        case IDM_HELP:
            form.IDMHelp_Click();
            break;
        case IDM_VER:
            form.IDMVer_Click();
            break;
        case IDLPM_COPY:
            form.IDLPMCopy_Click();
            break;
        case IDLPM_DEL:
            form.IDLPMDel_Click();
            break;
        default:
            break;
    }
}

namespace {

// The timer that ticks the form while dropped paths are examined.
constexpr UINT_PTR kExamineTimerId = 1;

}  // namespace

void MainFormWindow::Escape() { form_->ExamineCancel_Click(); }

void MainFormWindow::Timer(UINT_PTR id) {
    if (id == kExamineTimerId) form_->ExamineTimer_Tick();
}

void MainFormWindow::StartExamineTimer() {
    SetTimer(window_.Handle(), kExamineTimerId,
             static_cast<UINT>(form::kExamineTimerInterval.count()), nullptr);
}

void MainFormWindow::StopExamineTimer() { KillTimer(window_.Handle(), kExamineTimerId); }

void MainFormWindow::Dropped(const std::vector<std::string>& paths) {
    form_->List1_OLEDragDrop(paths);
}

void MainFormWindow::ListMouseDown(int listId, int button, POINT screen) {
    popupAt_ = screen;
    if (listId == IDC_LIST1) {
        form_->List1_MouseDown(button);
    } else {
        form_->ResultList_MouseDown(button);
    }
}

void MainFormWindow::Closing() {
    if (form_->Form_Unload()) window_.Destroy();
}

// --- What the form asks for ---

void MainFormWindow::SetCheckValue(MainCheck box, CheckValue value) {
    SendMessageW(window_.Control(CheckId(box)), BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void MainFormWindow::SetCheckEnabled(MainCheck box, bool enabled) {
    window_.SetControlEnabled(CheckId(box), enabled);
}

void MainFormWindow::SetMenuChecked(MainMenuItem item, bool checked) {
    window_.SetMenuChecked(MenuId(item), checked);
}

void MainFormWindow::SetMenuEnabled(MainMenuItem item, bool enabled) {
    window_.SetMenuEnabled(MenuId(item), enabled);
}

void MainFormWindow::ShowResolutionInputs(bool shown) {
    for (int id : {IDC_ARESOTEXT, IDC_BRESOTEXT}) {
        window_.SetControlEnabled(id, shown);
        window_.SetControlVisible(id, shown);
    }
    window_.SetControlVisible(IDC_LABEL3, shown);
    window_.SetControlVisible(IDC_LABEL4, shown);
}

std::string MainFormWindow::ResolutionText(form::ResolutionBox box) const {
    return EditText(
        window_.Control(box == form::ResolutionBox::AresoText ? IDC_ARESOTEXT : IDC_BRESOTEXT));
}

void MainFormWindow::SetResolutionText(form::ResolutionBox box, const std::string& text) {
    SetWindowTextTo(
        window_.Control(box == form::ResolutionBox::AresoText ? IDC_ARESOTEXT : IDC_BRESOTEXT),
        Wide(text));
}

void MainFormWindow::LayOutResultArea(form::ResultLayout layout) {
    switch (layout) {
        case form::ResultLayout::Summary:
            window_.SetResultArea(ResultArea::Summary);
            break;
        case form::ResultLayout::TotalOnly:
            window_.SetResultArea(ResultArea::TotalOnly);
            break;
        case form::ResultLayout::None:
            window_.SetResultArea(ResultArea::None);
            break;
    }
}

int MainFormWindow::ListId(MainList list) {
    return list == MainList::List1 ? IDC_LIST1 : IDC_RESULTLIST;
}

HWND MainFormWindow::ListWindow(MainList list) const { return window_.Control(ListId(list)); }

void MainFormWindow::SetListLines(MainList list, std::span<const std::string> lines) {
    window_.SetLines(ListId(list), lines);
}

void MainFormWindow::AppendListLines(MainList list, std::span<const std::string> lines) {
    window_.AppendLines(ListId(list), lines);
}

void MainFormWindow::RemoveListRows(MainList list, std::span<const std::size_t> rows) {
    window_.RemoveRows(ListId(list), rows);
}

std::vector<std::size_t> MainFormWindow::SelectedListRows(MainList list) const {
    HWND box = ListWindow(list);
    const LRESULT count = SendMessageW(box, LB_GETSELCOUNT, 0, 0);
    std::vector<std::size_t> rows;
    if (count <= 0) return rows;
    std::vector<int> indexes(static_cast<std::size_t>(count));
    const LRESULT got = SendMessageW(box, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                     reinterpret_cast<LPARAM>(indexes.data()));
    for (LRESULT i = 0; i < got; ++i) rows.push_back(static_cast<std::size_t>(indexes[i]));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void MainFormWindow::SetHorizontalExtent(MainList list) {
    // List1 never scrolls sideways: it shortens what does not fit.
    if (list == MainList::ResultList) window_.FitResultExtent();
}

void MainFormWindow::SetResultText(const std::string& text) { window_.SetResultText(Wide(text)); }

std::string MainFormWindow::ResultText() const { return EditText(window_.Control(IDC_RESULT)); }

std::optional<form::SaveAsAnswer> MainFormWindow::AskSavePath(const form::SaveAsRequest& request) {
    return win32::AskSavePath(window_.Handle(), request);
}

void MainFormWindow::ShowSystemMessage(const std::string& text) {
    ShowMessageBox(window_.Handle(), text);
}

void MainFormWindow::ShowContextMenu(MainList /*list*/) {
    // Items may be chosen with either button; the chosen one is handled
    // before this returns.
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(window_.ListPopup(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       popupAt_.x, popupAt_.y, 0, window_.Handle(), nullptr));
    if (chosen != 0) Command(static_cast<int>(chosen));
}

void MainFormWindow::ShowSelectDialog(form::SelectDialog& dialog) {
    SelectDialogWindow window(window_.Handle(), *okDialog1_);
    selectDialog_ = window.Handle();
    window.Run(dialog);
    selectDialog_ = nullptr;
}

void MainFormWindow::ShowVersionDialog(form::VersionDialog& dialog) {
    VersionDialogWindow window(window_.Handle());
    window.Run(dialog);
}

bool MainFormWindow::ShowHelp(const std::string& file, const std::string& keyword,
                              std::string& reason) {
    return OpenHelpFile(file, keyword, reason);
}

std::string MainFormWindow::DefaultHelpFile() const { return FindHelpFile(ProgramFolder()); }

void MainFormWindow::SetClipboardText(const std::string& text) {
    PutOnClipboard(window_.Handle(), text);
}

void MainFormWindow::CloseWindow() { PostMessageW(window_.Handle(), WM_CLOSE, 0, 0); }

void MainFormWindow::RunFinished() {
    if (runFinished_) runFinished_();
}

}  // namespace folvane::win32
