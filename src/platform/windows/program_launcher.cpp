#include "platform/program_launcher.h"

#include <windows.h>

#include <vector>

#include "platform/windows/wide_text.h"

namespace folvane {

namespace {

class WindowsLauncher final : public ProgramLauncher {
  public:
    bool FileExists(const std::string& path) const override {
        const DWORD attributes = ::GetFileAttributesW(windows::WideFromUtf8(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    bool Start(const std::string& path) override {
        // The path as a quoted command line: it may hold spaces.
        std::wstring line = L"\"" + windows::WideFromUtf8(path) + L"\"";
        std::vector<wchar_t> command(line.begin(), line.end());
        command.push_back(L'\0');
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process))
            return false;
        // Not waited for: the handles are only let go.
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        return true;
    }

    // Without the registry's entries: msinfo32.exe in the system folder,
    // where Windows keeps it.
    std::optional<std::string> FindSystemInfoProgram() const override {
        std::vector<wchar_t> folder(MAX_PATH + 1, L'\0');
        const UINT length = ::GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
        if (length == 0 || length >= folder.size()) return std::nullopt;
        const std::string program =
            windows::Utf8FromWide(std::wstring(folder.data(), length)) + "\\msinfo32.exe";
        if (!FileExists(program)) return std::nullopt;
        return program;
    }
};

}  // namespace

ProgramLauncher& SystemLauncher() {
    static WindowsLauncher launcher;
    return launcher;
}

}  // namespace folvane
