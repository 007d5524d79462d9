// The message loops: the program's own, the one nested inside each modal
// window, and the paint-only pumping while a run holds the thread.
#pragma once

#include <windows.h>

namespace folvane::win32 {

// Runs until WM_QUIT. Keys first go through the accelerators of `main`
// (so Ctrl+V runs from a text box instead of pasting), then through the
// dialog navigation of whichever top-level window has them (Tab, Shift+Tab,
// Enter, Escape, access keys), as in a classic Windows form.
int RunMessageLoop(HWND main, HACCEL accelerators);

// One message of that loop: true when the accelerators or the dialog
// navigation took it; otherwise the caller dispatches it.
bool TranslateForProgram(HWND main, HACCEL accelerators, MSG& message);

// Shows `window` modally over `owner` and returns once `done` is true or
// the window is gone. The owner takes no input meanwhile. A WM_QUIT that
// arrives inside is passed on to the outer loop.
void RunModal(HWND window, HWND owner, const bool& done);

// Lets the windows repaint during a long run, at most every 50 ms, taking
// paint messages only: clicks and keys wait until the run is over.
class PaintPump {
  public:
    void Pump();
    void PumpNow();

  private:
    ULONGLONG last_ = 0;
};

// The top-level window whose controls Tab moves through, for a message
// addressed to `target`.
HWND DialogRootOf(HWND target);

}  // namespace folvane::win32
