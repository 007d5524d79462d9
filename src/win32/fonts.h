// The windows' fonts at a given density: "MS UI Gothic" 9 points for the
// controls, "ＭＳ ゴシック" 9 points (Shift-JIS character set) for the result
// list, whose columns line up only in a fixed-pitch font, and 14.25 points
// for the selection window's two large buttons and the about box's title.
#pragma once

#include <windows.h>

namespace folvane::win32 {

class WindowFonts {
  public:
    explicit WindowFonts(int dpi);
    ~WindowFonts();
    WindowFonts(const WindowFonts&) = delete;
    WindowFonts& operator=(const WindowFonts&) = delete;

    HFONT Window() const { return window_; }
    HFONT ResultList() const { return resultList_; }
    HFONT Large() const { return large_; }

  private:
    HFONT window_;
    HFONT resultList_;
    HFONT large_;
};

}  // namespace folvane::win32
