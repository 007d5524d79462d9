#include "win32/dialog_window.h"

#include "win32/message_loop.h"
#include "win32/twips.h"

namespace folvane::win32 {

namespace {

bool RegisterDialogClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = DialogWindow::kClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

DialogWindow::DialogWindow(HWND owner, const wchar_t* title, int widthTwips, int heightTwips,
                           bool toolBorder, bool closeBox)
    : owner_(owner) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterDialogClass(instance);
    dpi_ = WindowDpi(owner);
    fonts_ = std::make_unique<WindowFonts>(dpi_);
    // Not clipping its children: the frame of the selection window paints
    // no inside of its own, the window's face shows through it.
    const DWORD style = WS_POPUP | WS_CAPTION | (closeBox ? WS_SYSMENU : 0);
    const DWORD exStyle =
        WS_EX_CONTROLPARENT | (toolBorder ? WS_EX_TOOLWINDOW : WS_EX_DLGMODALFRAME);
    const SIZE outer = OuterSize(TwipsToPixels(widthTwips, dpi_), TwipsToPixels(heightTwips, dpi_),
                                 style, exStyle, false, dpi_);
    window_ = CreateWindowExW(exStyle, kClassName, title, style, 0, 0, outer.cx, outer.cy, owner,
                              nullptr, instance, nullptr);
    if (window_ == nullptr) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure));
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->Window()), FALSE);
    CenterOver(owner);
}

DialogWindow::~DialogWindow() {
    if (window_ != nullptr && IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

HWND DialogWindow::Add(const ControlDesign& design, HFONT font) {
    return CreateControl(window_, design, dpi_, font != nullptr ? font : fonts_->Window());
}

void DialogWindow::ResizeClient(int width, int height) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
    const SIZE outer = OuterSize(width, height, style, exStyle, false, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterOver(owner_);
}

void DialogWindow::CenterOver(HWND owner) {
    RECT frame;
    GetWindowRect(window_, &frame);
    RECT over{};
    if (owner != nullptr && IsWindowVisible(owner)) {
        GetWindowRect(owner, &over);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    }
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    LONG left = over.left + (over.right - over.left - width) / 2;
    LONG top = over.top + (over.bottom - over.top - height) / 2;
    // Kept on the screen, title bar first.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromRect(&over, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        if (left + width > work.right) left = work.right - width;
        if (top + height > work.bottom) top = work.bottom - height;
        if (left < work.left) left = work.left;
        if (top < work.top) top = work.top;
    }
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::ShowModal(HWND owner) {
    if (owner == nullptr) owner = owner_;
    if (owner != nullptr)
        SetWindowLongPtrW(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    CenterOver(owner);
    done_ = false;
    modal_ = true;
    RunModal(window_, owner, done_);
    modal_ = false;
    done_ = true;
}

void DialogWindow::SetInitialFocus(int id) {
    focus_ = Control(id);
    if (IsWindowVisible(window_)) SetFocus(focus_);
}

void DialogWindow::EndModal() {
    done_ = true;
    if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

LRESULT DialogWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_ACTIVATE:
            // At first to the control the window asked for (SetInitialFocus
            // puts it in focus_), else the first in the tab order.
            RestoreFocusOnActivate(window_, wParam, focus_,
                                   GetNextDlgTabItem(window_, nullptr, FALSE));
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(DefaultButton(), DC_HASDEFID);
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC: {
            auto dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

}  // namespace folvane::win32
