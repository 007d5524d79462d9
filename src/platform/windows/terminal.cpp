#include "platform/terminal.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/buffered_output.h"
#include "platform/error_reason.h"
#include "platform/utf8.h"
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

bool WriteConsoleText(HANDLE console, std::string_view utf8) {
    const std::wstring wide = windows::WideFromUtf8(utf8);
    std::wstring_view rest = wide;
    while (!rest.empty()) {
        // Large writes to a console fail on older systems.
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 8192));
        DWORD written = 0;
        if (!::WriteConsoleW(console, rest.data(), want, &written, nullptr) || written == 0)
            return false;
        rest.remove_prefix(written);
    }
    return true;
}

bool WriteBytes(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!::WriteFile(handle, bytes.data(), want, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Standard output on a console: UTF-8 in, characters out.
class ConsoleStream final : public BufferedOutput {
  public:
    explicit ConsoleStream(HANDLE console)
        : BufferedOutput(kStandardOutputName), console_(console) {}

  protected:
    bool WriteThrough(std::string_view bytes) override {
        // A character split between two writes waits for its other bytes,
        // so it is not shown as two broken ones.
        pending_.append(bytes);
        const std::size_t complete = CompleteUtf8Prefix(pending_);
        const bool ok = WriteConsoleText(console_, std::string_view(pending_).substr(0, complete));
        pending_.erase(0, complete);
        if (!ok) return FailWithCode(::GetLastError());
        return true;
    }

  public:
    bool Finish() override {
        if (!BufferedOutput::Finish()) return false;
        // Whatever is still held never completes: shown as broken text.
        if (!pending_.empty() && !WriteConsoleText(console_, pending_))
            return FailWithCode(::GetLastError());
        pending_.clear();
        return true;
    }

  private:
    HANDLE console_;
    std::string pending_;
};

std::optional<OutputEncoding> forcedErrorEncoding;

}  // namespace

bool StandardErrorIsTerminal() { return IsConsole(::GetStdHandle(STD_ERROR_HANDLE)); }

bool IsTerminalPath(const std::string& path) {
    // The console's device names, in any folder and with any extension, as
    // the system reads them ("con.txt" is the console too).
    std::string name = path.substr(
        path.find_last_of("\\/:") == std::string::npos ? 0 : path.find_last_of("\\/:") + 1);
    name = name.substr(0, name.find('.'));
    while (!name.empty() && (name.back() == ' ')) name.pop_back();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return name == "CON" || name == "CONOUT$" || name == "CONIN$";
}

std::optional<OutputEncoding> TerminalEncoding(StandardStream stream) {
    const HANDLE handle =
        ::GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (!IsConsole(handle)) return std::nullopt;
    return OutputEncoding::Utf8;
}

std::unique_ptr<OutputStream> TerminalStandardOutput() {
    const HANDLE handle = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (IsConsole(handle)) return std::make_unique<ConsoleStream>(handle);
    return StandardOutput();
}

void SetStandardErrorEncoding(OutputEncoding encoding) { forcedErrorEncoding = encoding; }

void WriteToStandardError(std::string_view text) {
    const HANDLE handle = ::GetStdHandle(STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
    if (forcedErrorEncoding) {
        WriteBytes(handle, Encode(text, *forcedErrorEncoding));
    } else if (IsConsole(handle)) {
        EnableEscapeSequences(handle);
        WriteConsoleText(handle, text);
    } else {
        WriteBytes(handle, Encode(text, OutputEncoding::Cp932));
    }
}

}  // namespace folvane
