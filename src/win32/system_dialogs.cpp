#include "win32/system_dialogs.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include <vector>

#include "form/window_texts.h"
#include "platform/error_reason.h"
#include "win32/controls.h"

namespace folvane::win32 {

std::optional<form::SaveAsAnswer> AskSavePath(HWND owner, const form::SaveAsRequest& request) {
    // Pairs of name and pattern, each ending in NUL, and one NUL more.
    std::wstring filter;
    for (const auto& type : request.types) {
        filter.append(Wide(type.caption)).append(1, L'\0');
        filter.append(Wide(type.pattern)).append(1, L'\0');
    }
    filter.append(1, L'\0');

    // Room for a long path (the program is long-path aware).
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring proposed = Wide(request.proposedName);
    proposed.copy(file.data(), file.size() - 1);
    const std::wstring initialFolder = Wide(request.folder);
    const std::wstring suffix = request.selectedType < request.types.size()
                                    ? Wide(request.types[request.selectedType].defaultSuffix)
                                    : std::wstring();

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(request.selectedType + 1);
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrDefExt = suffix.empty() ? nullptr : suffix.c_str();
    dialog.Flags =
        OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetSaveFileNameW(&dialog)) return std::nullopt;
    const std::size_t chosen = dialog.nFilterIndex > 0 ? dialog.nFilterIndex - 1 : 0;
    return form::SaveAsAnswer{Utf8(file.data()), chosen};
}

void ShowMessageBox(HWND owner, const std::string& text) {
    const std::wstring message = Wide(text);
    const std::wstring title = Wide(form::window_text::kProductName);
    MessageBoxW(owner, message.c_str(), title.c_str(), MB_OK);
}

bool PutOnClipboard(HWND owner, const std::string& text) {
    const std::wstring wide = Wide(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return false;
    if (void* target = GlobalLock(memory)) {
        std::memcpy(target, wide.c_str(), bytes);
        GlobalUnlock(memory);
    }
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    // The clipboard owns the memory once it took it.
    const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!put) GlobalFree(memory);
    CloseClipboard();
    return put;
}

std::optional<std::string> AskNetworkFolder(HWND owner, const std::string& title) {
    PIDLIST_ABSOLUTE network = nullptr;
    SHGetSpecialFolderLocation(owner, CSIDL_NETWORK, &network);
    const std::wstring caption = Wide(title);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.pidlRoot = network;
    browse.lpszTitle = caption.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    std::optional<std::string> path;
    if (chosen != nullptr) {
        std::vector<wchar_t> buffer(32768, L'\0');
        if (SHGetPathFromIDListEx(chosen, buffer.data(), static_cast<DWORD>(buffer.size()),
                                  GPFIDL_DEFAULT) &&
            buffer[0] != L'\0') {
            path = Utf8(buffer.data());
        }
    }
    // Freed also when nothing was chosen.
    CoTaskMemFree(chosen);
    CoTaskMemFree(network);
    return path;
}

namespace {

// A file: URL for a Windows path, so that the anchor travels with it.
std::wstring FileUrl(const std::wstring& path, const std::wstring& anchor) {
    std::wstring url = L"file:///";
    for (wchar_t c : path) {
        if (c == L'\\') {
            url += L'/';
        } else if (c == L' ') {
            url += L"%20";
        } else if (c == L'#') {
            url += L"%23";
        } else if (c == L'%') {
            url += L"%25";
        } else {
            url += c;
        }
    }
    return url + L"#" + anchor;
}

}  // namespace

bool OpenHelpFile(const std::string& file, const std::string& keyword, std::string& reason) {
    const std::wstring path = Wide(file);
    // Readable at all? A folder, a file locked by another program or one
    // the user may not read is told apart from a missing one by its reason.
    const HANDLE page = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (page == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(path.c_str());
        reason =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                ? std::string(kNotRegularFileReason)
                : SystemErrorReason(error);
        return false;
    }
    CloseHandle(page);
    auto open = [](const std::wstring& target) {
        SHELLEXECUTEINFOW execute{};
        execute.cbSize = sizeof execute;
        execute.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
        execute.lpVerb = L"open";
        execute.lpFile = target.c_str();
        execute.nShow = SW_SHOWNORMAL;
        return ShellExecuteExW(&execute) ? ERROR_SUCCESS : GetLastError();
    };
    if (open(FileUrl(path, Wide(keyword))) == ERROR_SUCCESS) return true;
    // No handler for file: URLs: the page without its anchor.
    const DWORD error = open(path);
    if (error == ERROR_SUCCESS) return true;
    reason = SystemErrorReason(error);
    return false;
}

std::string ProgramFolder() {
    std::vector<wchar_t> buffer(32768, L'\0');
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path(buffer.data(), length);
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos) path.resize(slash);
    return Utf8(path);
}

}  // namespace folvane::win32
