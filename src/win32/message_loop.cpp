#include "win32/message_loop.h"

namespace folvane::win32 {

namespace {

// Tab, Enter and Escape are dialog navigation in every window of the
// program; the rest goes to the control. Returns true when handled.
bool TranslateForWindow(HWND root, MSG& message) {
    return root != nullptr && IsDialogMessageW(root, &message);
}

void Dispatch(MSG& message) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

HWND DialogRootOf(HWND target) {
    if (target == nullptr) return nullptr;
    HWND root = GetAncestor(target, GA_ROOT);
    return root != nullptr ? root : target;
}

bool TranslateForProgram(HWND main, HACCEL accelerators, MSG& message) {
    const HWND root = DialogRootOf(message.hwnd);
    if (root == main && accelerators != nullptr &&
        TranslateAcceleratorW(main, accelerators, &message)) {
        return true;
    }
    return TranslateForWindow(root, message);
}

int RunMessageLoop(HWND main, HACCEL accelerators) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!TranslateForProgram(main, accelerators, message)) Dispatch(message);
    }
    return static_cast<int>(message.wParam);
}

void RunModal(HWND window, HWND owner, const bool& done) {
    if (owner != nullptr) EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    MSG message;
    bool quit = false;
    WPARAM quitCode = 0;
    while (!done && IsWindow(window) && IsWindowVisible(window)) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            quit = true;
            quitCode = message.wParam;
            break;
        }
        if (TranslateForWindow(DialogRootOf(message.hwnd), message)) continue;
        Dispatch(message);
    }
    // The owner first, so that activation returns to it and not to some
    // other program's window.
    if (owner != nullptr) EnableWindow(owner, TRUE);
    if (IsWindow(window)) ShowWindow(window, SW_HIDE);
    if (owner != nullptr) SetActiveWindow(owner);
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
}

void PaintPump::Pump() {
    const ULONGLONG now = GetTickCount64();
    if (now - last_ < 50) return;
    last_ = now;
    PumpNow();
}

void PaintPump::PumpNow() {
    // Paint messages and the messages the system sends in place of input
    // (a window brought into view, its frame): without them the window looks
    // hung. Input itself stays queued. A window that does not validate what
    // it was asked to paint would be asked again and again: it is validated
    // here after its turn.
    MSG message;
    for (int i = 0; i < 64 && PeekMessageW(&message, nullptr, 0, 0,
                                           PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE);
         ++i) {
        DispatchMessageW(&message);
        if (message.message == WM_PAINT && message.hwnd != nullptr)
            ValidateRect(message.hwnd, nullptr);
    }
}

}  // namespace folvane::win32
