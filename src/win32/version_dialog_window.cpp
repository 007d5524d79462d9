#include "win32/version_dialog_window.h"

#include <commctrl.h>

#include "form/window_texts.h"
#include "win32/resource.h"
#include "win32/system_dialogs.h"

namespace folvane::win32 {

namespace {
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
}  // namespace

VersionDialogWindow::VersionDialogWindow(HWND owner)
    : DialogWindow(owner, L"", 5730, 3555, /*toolBorder=*/false, /*closeBox=*/true) {
    HWND icon = Add({IDC_PICICON,
                     WC_STATICW,
                     L"",
                     WS_VISIBLE | SS_ICON | SS_CENTERIMAGE,
                     {240, 240, 540, 540}});
    SendMessageW(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(
                     LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_FOLVANE))),
                 0);
    Add({IDC_LBLTITLE, WC_STATICW, L"", kLabel, {1050, 240, 3885, 480}}, Fonts().Large());
    Add({IDC_LBLVERSION, WC_STATICW, L"", kLabel, {1050, 780, 3885, 225}});
    // The static control would break the Japanese text in mid-word: its
    // two designed lines, each on its own.
    std::string description;
    for (const std::string& line : form::AboutDescriptionLines())
        description += (description.empty() ? "" : "\r\n") + line;
    Add({IDC_LBLDESCRIPTION,
         WC_STATICW,
         Wide(description).c_str(),
         kLabel,
         {1050, 1125, 3885, 1170}});
    // Etched: a grey line with a white one just below it.
    Add({0, WC_STATICW, L"", WS_VISIBLE | SS_ETCHEDHORZ, {90, 2430, 5550, 30}});
    Add({IDC_LBLDISCLAIMER, WC_STATICW, L"警告: ...", kLabel, {255, 2625, 3870, 825}});
    // "OK" is both the default (Enter) and the cancel button (Escape).
    Add({IDOK,
         WC_BUTTONW,
         L"OK",
         WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
         {4245, 2625, 1260, 345}});
    Add({IDC_CMDSYSINFO,
         WC_BUTTONW,
         L"ｼｽﾃﾑ情報(&S)...",
         WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
         {4260, 3075, 1245, 345}});
}

VersionDialogWindow::~VersionDialogWindow() {
    if (dialog_ != nullptr) dialog_->Detach();
}

void VersionDialogWindow::Run(form::VersionDialog& dialog) {
    dialog_ = &dialog;
    dialog.Attach(*this);
    SetInitialFocus(IDOK);
    ShowModal();
    dialog.Detach();
    dialog_ = nullptr;
}

void VersionDialogWindow::SetCaption(const std::string& text) {
    SetWindowTextTo(Handle(), Wide(text));
}

void VersionDialogWindow::SetTitle(const std::string& text) {
    SetWindowTextTo(Control(IDC_LBLTITLE), Wide(text));
}

void VersionDialogWindow::SetVersionText(const std::string& text) {
    SetWindowTextTo(Control(IDC_LBLVERSION), Wide(text));
}

void VersionDialogWindow::ShowSystemMessage(const std::string& text) {
    ShowMessageBox(Handle(), text);
}

void VersionDialogWindow::OnCommand(int id, int /*code*/) {
    if (dialog_ == nullptr) return;
    if (id == IDOK || id == IDCANCEL) dialog_->cmdOK_Click();
    if (id == IDC_CMDSYSINFO) dialog_->cmdSysInfo_Click();
}

void VersionDialogWindow::OnClose() {
    if (dialog_ != nullptr) {
        dialog_->cmdOK_Click();
    } else {
        EndModal();
    }
}

}  // namespace folvane::win32
