#include "win32/controls.h"

#include <algorithm>

#include "platform/windows/wide_text.h"

namespace folvane::win32 {

std::wstring Wide(std::string_view utf8) { return windows::WideFromUtf8(utf8); }

std::string Utf8(std::wstring_view wide) { return windows::Utf8FromWide(wide); }

HWND CreateControl(HWND parent, const ControlDesign& design, int dpi, HFONT font) {
    const RECT rect = PixelRect(design.rect, dpi);
    HWND control =
        CreateWindowExW(0, design.className, design.text, WS_CHILD | design.style, rect.left,
                        rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)),
                        GetModuleHandleW(nullptr), nullptr);
    if (control != nullptr && font != nullptr) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return control;
}

void PlaceControl(HWND control, const TwipsRect& rect, int dpi) {
    const RECT pixels = PixelRect(rect, dpi);
    SetWindowPos(control, nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
                 pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring WindowTextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

void SetWindowTextTo(HWND window, std::wstring_view text) {
    const std::wstring terminated(text);
    SetWindowTextW(window, terminated.c_str());
}

std::string EditText(HWND edit) { return Utf8(WindowTextOf(edit)); }

namespace listbox {

int Count(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); }

std::string Text(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return Utf8(text);
}

std::vector<std::string> Texts(HWND list) {
    std::vector<std::string> texts;
    const int count = Count(list);
    texts.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) texts.push_back(Text(list, i));
    return texts;
}

bool IsSelected(HWND list, int index) {
    return SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void SetSelected(HWND list, int index, bool selected) {
    SendMessageW(list, LB_SETSEL, selected ? TRUE : FALSE, static_cast<LPARAM>(index));
}

void Clear(HWND list) { SendMessageW(list, LB_RESETCONTENT, 0, 0); }

void Append(HWND list, std::string_view text) {
    const std::wstring wide = Wide(text);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void SetHorizontalExtent(HWND list, HWND measureIn) {
    const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
    int widest = 0;
    const int count = Count(list);
    if (count > 0) {
        HDC dc = GetDC(measureIn);
        auto font = reinterpret_cast<HFONT>(SendMessageW(measureIn, WM_GETFONT, 0, 0));
        HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
        // Tabs expanded at the list's default stops. Read and measured as
        // UTF-16 straight from the list: a run leaves tens of thousands of
        // lines to measure.
        std::wstring text;
        for (int i = 0; i < count; ++i) {
            const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
            if (length == LB_ERR) continue;
            text.resize(static_cast<std::size_t>(length) + 1);
            const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                                reinterpret_cast<LPARAM>(text.data()));
            if (copied == LB_ERR) continue;
            const DWORD extent =
                GetTabbedTextExtentW(dc, text.c_str(), static_cast<int>(copied), 0, nullptr);
            widest = std::max(widest, static_cast<int>(LOWORD(extent)) + scrollBar);
        }
        if (previous != nullptr) SelectObject(dc, previous);
        ReleaseDC(measureIn, dc);
    }
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
}

}  // namespace listbox

}  // namespace folvane::win32

#include <commctrl.h>

namespace folvane::win32 {

HWND AddTooltips(HWND owner, std::initializer_list<ControlTip> tips, HFONT font) {
    HWND tooltips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
    if (tooltips == nullptr) return nullptr;
    SendMessageW(tooltips, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(tooltips, TTM_SETMAXTIPWIDTH, 0, 800);
    for (const ControlTip& tip : tips) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = owner;
        info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(owner, tip.id));
        info.lpszText = const_cast<wchar_t*>(tip.text);
        SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    return tooltips;
}

void RestoreFocusOnActivate(HWND window, WPARAM wParam, HWND& last, HWND first) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) last = focus;
        return;
    }
    HWND target = last != nullptr && IsWindow(last) ? last : first;
    if (target != nullptr) SetFocus(target);
}

}  // namespace folvane::win32
