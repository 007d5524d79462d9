#include "platform/terminal.h"

#include <windows.h>

#include <algorithm>

#include "platform/windows/wide_text.h"

namespace folvane {

namespace {

// True when the handle is a console, which takes characters rather than
// bytes in its output code page.
bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode);
}

void EnableEscapeSequences(HANDLE console) {
    // The progress line clears itself with "ESC [ K"; consoles before
    // Windows 10 refuse the mode and show the sequence, which is harmless.
    static bool tried = false;
    if (tried) return;
    tried = true;
    DWORD mode = 0;
    if (::GetConsoleMode(console, &mode))
        ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

}  // namespace

bool StandardErrorIsTerminal() { return IsConsole(::GetStdHandle(STD_ERROR_HANDLE)); }

void WriteToStandardError(std::string_view text) {
    const HANDLE handle = ::GetStdHandle(STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
    if (IsConsole(handle)) {
        EnableEscapeSequences(handle);
        const std::wstring wide = windows::WideFromUtf8(text);
        std::wstring_view rest = wide;
        while (!rest.empty()) {
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 8192));
            DWORD written = 0;
            if (!::WriteConsoleW(handle, rest.data(), want, &written, nullptr) || written == 0)
                return;
            rest.remove_prefix(written);
        }
        return;
    }
    while (!text.empty()) {
        DWORD written = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 30));
        if (!::WriteFile(handle, text.data(), want, &written, nullptr) || written == 0) return;
        text.remove_prefix(written);
    }
}

}  // namespace folvane
