#include "win32/fonts.h"

namespace folvane::win32 {

namespace {

// `tenthPoints` of a point, as a character height in pixels.
HFONT MakeFont(const wchar_t* face, int tenthPoints, BYTE charset, int dpi) {
    const int height = -MulDiv(tenthPoints, dpi, 720);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

}  // namespace

WindowFonts::WindowFonts(int dpi)
    : window_(MakeFont(L"MS UI Gothic", 90, SHIFTJIS_CHARSET, dpi)),
      resultList_(MakeFont(L"ＭＳ ゴシック", 90, SHIFTJIS_CHARSET, dpi)),
      large_(MakeFont(L"MS UI Gothic", 143, SHIFTJIS_CHARSET, dpi)) {}

WindowFonts::~WindowFonts() {
    DeleteObject(window_);
    DeleteObject(resultList_);
    DeleteObject(large_);
}

}  // namespace folvane::win32
