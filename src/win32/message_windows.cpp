#include "win32/message_windows.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "form/window_texts.h"
#include "win32/resource.h"
#include "win32/twips.h"

namespace folvane::win32 {

namespace {

constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDefaultButton = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kIcon = WS_VISIBLE | SS_ICON | SS_CENTERIMAGE;

// Margins and the OK button in twips: 8 and 75 x 23 pixels at 96 dpi.
constexpr int kMargin = 120;
constexpr int kButtonWidth = 1125;
constexpr int kButtonHeight = 345;
constexpr int kIconSize = 480;

void SetIcon(HWND picture, LPCWSTR icon) {
    SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, icon)), 0);
}

}  // namespace

OkDialogWindow::OkDialogWindow(HWND owner, bool withPicture)
    : DialogWindow(owner, L"Folvane", withPicture ? 4425 : 2970, withPicture ? 1305 : 1140,
                   /*toolBorder=*/true, /*closeBox=*/true),
      withPicture_(withPicture),
      designWidth_(withPicture ? 4425 : 2970),
      designHeight_(withPicture ? 1305 : 1140) {
    if (withPicture) {
        SetIcon(
            Add({IDC_PICTURE, WC_STATICW, L"", kIcon, {kMargin, kMargin, kIconSize, kIconSize}}),
            IDI_INFORMATION);
    }
    const std::string initial =
        withPicture ? std::string() : std::string(form::window_text::kCancelledMessage);
    Add({IDC_MESSAGE, WC_STATICW, Wide(initial).c_str(), kLabel, {0, 0, 10, 10}});
    Add({IDOK, WC_BUTTONW, L"OK", kDefaultButton, {0, 0, kButtonWidth, kButtonHeight}});
    FitToMessage();
}

std::string OkDialogWindow::Message() const { return Utf8(WindowTextOf(Control(IDC_MESSAGE))); }

void OkDialogWindow::SetMessage(const std::string& text) {
    SetWindowTextTo(Control(IDC_MESSAGE), Wide(text));
    FitToMessage();
}

// The design size, grown when the message needs more room than it gives.
void OkDialogWindow::FitToMessage() {
    const int dpi = Dpi();
    const int margin = TwipsToPixels(kMargin, dpi);
    const int labelLeft = withPicture_ ? margin + TwipsToPixels(kIconSize, dpi) + margin : margin;
    const int buttonWidth = TwipsToPixels(kButtonWidth, dpi);
    const int buttonHeight = TwipsToPixels(kButtonHeight, dpi);
    const int designWidth = TwipsToPixels(designWidth_, dpi);
    const int designHeight = TwipsToPixels(designHeight_, dpi);

    const std::wstring text = WindowTextOf(Control(IDC_MESSAGE));
    HDC dc = GetDC(Handle());
    HGDIOBJ previous = SelectObject(dc, Fonts().Window());
    RECT needed{0, 0, TwipsToPixels(9000, dpi), 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(Handle(), dc);

    const int textWidth =
        std::max(designWidth - labelLeft - margin, static_cast<int>(needed.right) + 2);
    const int textHeight =
        std::max(designHeight - buttonHeight - 3 * margin, static_cast<int>(needed.bottom) + 2);
    const int width = std::max(designWidth, labelLeft + textWidth + margin);
    const int height = std::max(designHeight, margin + textHeight + margin + buttonHeight + margin);
    SetWindowPos(Control(IDC_MESSAGE), nullptr, labelLeft, margin, textWidth, textHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Control(IDOK), nullptr, (width - buttonWidth) / 2, height - margin - buttonHeight,
                 buttonWidth, buttonHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    ResizeClient(width, height);
}

void OkDialogWindow::ShowModal(form::OkDialog& form, form::MessageOwner owner) {
    form_ = &form;
    HWND ownerWindow = ownerLookup_ ? ownerLookup_(owner) : nullptr;
    SetInitialFocus(IDOK);
    DialogWindow::ShowModal(ownerWindow);
    form_ = nullptr;
}

void OkDialogWindow::Hide() { EndModal(); }

void OkDialogWindow::OnCommand(int id, int /*code*/) {
    // "OK", Enter and Escape.
    if ((id == IDOK || id == IDCANCEL) && form_ != nullptr) form_->OKButton_Click();
}

void OkDialogWindow::OnClose() {
    if (form_ != nullptr) form_->OKButton_Click();
}

CloseDialogWindow::CloseDialogWindow(HWND owner)
    : DialogWindow(owner, L"Folvane", 3720, 1425, /*toolBorder=*/true, /*closeBox=*/true) {
    // The design in pixels at 96 dpi: picture 12,12; labels 56,14 and 56,34;
    // buttons 36,60 and 131,60, 81 x 25.
    SetIcon(Add({IDC_PICTURE, WC_STATICW, L"", kIcon, {180, 180, kIconSize, kIconSize}}),
            IDI_QUESTION);
    Add({IDC_MESSAGE, WC_STATICW, L"結果が保存されていません。", kLabel, {840, 210, 2760, 255}});
    Add({IDC_MESSAGE2, WC_STATICW, L"保存しますか？", kLabel, {840, 510, 2760, 255}});
    // "保存する" is the default (Enter); "いいえ" the cancel button (Escape).
    Add({IDOK, WC_BUTTONW, L"保存する", kDefaultButton, {540, 900, 1215, 375}});
    Add({IDCANCEL, WC_BUTTONW, L"いいえ", kButton, {1965, 900, 1215, 375}});
}

void CloseDialogWindow::SetLines(const std::string& first, const std::string& second) {
    SetWindowTextTo(Control(IDC_MESSAGE), Wide(first));
    SetWindowTextTo(Control(IDC_MESSAGE2), Wide(second));
}

void CloseDialogWindow::ShowModal(form::CloseDialog& form) {
    form_ = &form;
    SetInitialFocus(IDOK);
    DialogWindow::ShowModal();
    form_ = nullptr;
}

void CloseDialogWindow::Hide() { EndModal(); }

void CloseDialogWindow::OnCommand(int id, int /*code*/) {
    if (form_ == nullptr) return;
    if (id == IDOK) form_->YesButton_Click();
    if (id == IDCANCEL) form_->NoButton_Click();
}

// The close box answers nothing.
void CloseDialogWindow::OnClose() { EndModal(); }

ProgressWindow::ProgressWindow(HWND owner)
    : DialogWindow(owner, Wide(form::window_text::kProgressCaption).c_str(), 3930, 435,
                   /*toolBorder=*/false, /*closeBox=*/false),
      owner_(owner) {
    Add({IDC_PROGRESS, PROGRESS_CLASSW, L"", WS_VISIBLE | PBS_SMOOTH, {0, 0, 3930, 435}});
    SetRange(100);
}

void ProgressWindow::SetRange(std::int64_t maximum) {
    const auto top = static_cast<LPARAM>(std::clamp<std::int64_t>(maximum, 0, INT_MAX));
    SendMessageW(Control(IDC_PROGRESS), PBM_SETRANGE32, 0, top);
}

void ProgressWindow::SetValue(std::int64_t value) {
    const auto position = static_cast<WPARAM>(std::clamp<std::int64_t>(value, 0, INT_MAX));
    SendMessageW(Control(IDC_PROGRESS), PBM_SETPOS, position, 0);
}

int ProgressWindow::Value() const {
    return static_cast<int>(SendMessageW(Control(IDC_PROGRESS), PBM_GETPOS, 0, 0));
}

int ProgressWindow::Maximum() const {
    return static_cast<int>(SendMessageW(Control(IDC_PROGRESS), PBM_GETRANGE, FALSE, 0));
}

// Shown without taking the keyboard from the main window.
void ProgressWindow::Show() {
    CenterOver(owner_);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(Handle());
}

void ProgressWindow::Hide() { ShowWindow(Handle(), SW_HIDE); }

void ProgressWindow::SetCaption(const std::string& caption) {
    SetWindowTextW(Handle(), Wide(caption).c_str());
}

std::string ProgressWindow::Caption() const { return Utf8(WindowTextOf(Handle())); }

void ProgressWindow::OnCommand(int id, int /*code*/) {
    if (id == IDCANCEL && cancel_) cancel_();
}

void ProgressWindow::Repaint() {
    UpdateWindow(Handle());
    pump_.PumpNow();
}

}  // namespace folvane::win32
