// Small helpers over the standard controls, in the program's own terms:
// texts are UTF-8 std::string as everywhere in the program, converted to
// UTF-16 only here, where the W functions are called.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "win32/twips.h"

namespace folvane::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// A child control at a design position in twips.
struct ControlDesign {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    TwipsRect rect;
};

HWND CreateControl(HWND parent, const ControlDesign& design, int dpi, HFONT font);

// Moves and sizes a control to a rectangle in twips.
void PlaceControl(HWND control, const TwipsRect& rect, int dpi);

std::wstring WindowTextOf(HWND window);
void SetWindowTextTo(HWND window, std::wstring_view text);

// Line breaks as the system's multi-line text box keeps them, CR LF.
std::string EditText(HWND edit);

// List boxes.
namespace listbox {

int Count(HWND list);
std::string Text(HWND list, int index);
std::vector<std::string> Texts(HWND list);
bool IsSelected(HWND list, int index);
void SetSelected(HWND list, int index, bool selected);
void Clear(HWND list);
void Append(HWND list, std::string_view text);

// The widest entry, measured in the font of `measureIn` (the list's parent,
// so the main window's font), plus a vertical scroll bar's width, becomes
// the horizontal scroll range; an empty list gets 0.
void SetHorizontalExtent(HWND list, HWND measureIn);

}  // namespace listbox

}  // namespace folvane::win32

namespace folvane::win32 {

// A tooltip window over `owner` showing `text` for each control.
struct ControlTip {
    int id;
    const wchar_t* text;
};
HWND AddTooltips(HWND owner, std::initializer_list<ControlTip> tips, HFONT font);

// WM_ACTIVATE as a dialog box handles it, for every window of the program:
// when `window` is left, the child control that has the keyboard is kept in
// `last`; when it is activated again the keyboard goes back to that control,
// or to `first` while none had it yet (or it is gone).
void RestoreFocusOnActivate(HWND window, WPARAM wParam, HWND& last, HWND first);

}  // namespace folvane::win32
