// The windows are designed in twips (1/1440 inch); the screen is drawn in
// pixels at the monitor's density: 15 twips a pixel at 96 dots per inch.
#pragma once

#include <windows.h>

namespace folvane::win32 {

constexpr int TwipsToPixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

inline RECT PixelRect(const TwipsRect& twips, int dpi) {
    const int left = TwipsToPixels(twips.left, dpi);
    const int top = TwipsToPixels(twips.top, dpi);
    return {left, top, left + TwipsToPixels(twips.width, dpi),
            top + TwipsToPixels(twips.height, dpi)};
}

// The density of the monitor `window` is on (of the system before the
// window exists).
int WindowDpi(HWND window);

// The outer size of a window whose client area is `clientWidth` x
// `clientHeight` pixels, with the given styles and menu.
SIZE OuterSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool hasMenu,
               int dpi);

}  // namespace folvane::win32
