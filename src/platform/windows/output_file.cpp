#include "platform/output_file.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

#include "platform/buffered_output.h"
#include "platform/error_reason.h"
#include "platform/windows/wide_text.h"

namespace folvane {

namespace {

class HandleStream : public BufferedOutput {
  public:
    HandleStream(HANDLE handle, std::string name)
        : BufferedOutput(std::move(name)), handle_(handle) {}

  protected:
    bool WriteThrough(std::string_view bytes) override {
        while (!bytes.empty()) {
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
            DWORD written = 0;
            if (!::WriteFile(handle_, bytes.data(), want, &written, nullptr))
                return FailWithCode(::GetLastError());
            bytes.remove_prefix(written);
        }
        return true;
    }

    HANDLE handle_;
};

// Marks an open file for deletion when its last handle closes, or takes
// the mark off again.
bool SetDeleteOnClose(HANDLE handle, bool deleteOnClose) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleteOnClose ? TRUE : FALSE;
    return ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                        sizeof disposition) != 0;
}

class ReplacingFile final : public HandleStream {
  public:
    ReplacingFile(HANDLE handle, std::string path, std::wstring widePath, std::wstring tempPath)
        : HandleStream(handle, std::move(path)),
          widePath_(std::move(widePath)),
          tempPath_(std::move(tempPath)),
          // Until it is complete, the system removes the temporary file
          // however the program ends, Ctrl+C and a killed process included.
          // Where it cannot, the destructor still does on the normal way out.
          deleteOnClose_(SetDeleteOnClose(handle_, true)) {}

    ~ReplacingFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
        if (!committed_) ::DeleteFileW(tempPath_.c_str());
    }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool Finish() override {
        if (!HandleStream::Finish()) return false;
        // The data must be on disk before the name points at it.
        if (!::FlushFileBuffers(handle_)) return FailWithCode(::GetLastError());
        if (deleteOnClose_ && !SetDeleteOnClose(handle_, false))
            return FailWithCode(::GetLastError());
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        if (!::CloseHandle(handle)) return FailWithCode(::GetLastError());
        if (!::MoveFileExW(tempPath_.c_str(), widePath_.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return FailWithCode(::GetLastError());
        committed_ = true;
        return true;
    }

  private:
    std::wstring widePath_;
    std::wstring tempPath_;
    bool deleteOnClose_;
    bool committed_ = false;
};

// The folder part with its separator ("E:\" stays "E:\", "E:name" gives
// "E:"), or empty for a bare name in the current folder.
std::wstring FolderPrefixOf(const std::wstring& path) {
    const auto cut = path.find_last_of(L"\\/:");
    if (cut == std::wstring::npos) return {};
    return path.substr(0, cut + 1);
}

// A device named as the output (NUL, a console, a named pipe) is written to
// in place: moving a new file over it cannot work and must not be tried.
class DeviceStream final : public HandleStream {
  public:
    DeviceStream(HANDLE handle, std::string path) : HandleStream(handle, std::move(path)) {}
    ~DeviceStream() override { ::CloseHandle(handle_); }
    DeviceStream(const DeviceStream&) = delete;
    DeviceStream& operator=(const DeviceStream&) = delete;
};

bool IsSharingViolation(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

void UseNamedTemporaryFilesOnly(bool) {}  // the only kind there is here

OpenedOutput CreateReplacingFile(const std::string& path) {
    if (path.empty()) return RefusedOutput(path, kNoOutputNameReason);
    const std::wstring widePath = windows::WideFromUtf8(path);
    // Refused before anything is read: the move over a folder would fail
    // only once the whole run is done.
    const DWORD attributes = ::GetFileAttributesW(widePath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return RefusedOutput(path, kFolderOutputReason);
    const HANDLE existing =
        ::CreateFileW(widePath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (existing != INVALID_HANDLE_VALUE) {
        if (::GetFileType(existing) != FILE_TYPE_DISK)
            return {std::make_unique<DeviceStream>(existing, path), {}};
        ::CloseHandle(existing);
    } else if (IsSharingViolation(::GetLastError())) {
        return {nullptr, path + ": " + SystemErrorReason(::GetLastError())};
    }
    // A file another program holds open (Excel keeps an open .csv locked)
    // cannot be replaced: said now rather than after the whole run. The
    // move over it needs delete access, which such a program does not share.
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        const HANDLE probe = ::CreateFileW(widePath.c_str(), DELETE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe != INVALID_HANDLE_VALUE) {
            ::CloseHandle(probe);
        } else if (const DWORD error = ::GetLastError(); IsSharingViolation(error)) {
            return {nullptr, path + ": " + SystemErrorReason(error)};
        }
    }
    const std::wstring folder = FolderPrefixOf(widePath);
    const auto seed = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Beside the target, so that the move is a rename on one volume.
        const std::wstring temp = folder + L".folvane-" + std::to_wstring(::GetCurrentProcessId()) +
                                  L"-" + std::to_wstring((seed + attempt) % 1000000007ull) +
                                  L".tmp";
        // DELETE access lets the file be marked for deletion on close.
        const HANDLE handle = ::CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
            return {nullptr, path + ": " + SystemErrorReason(error)};
        }
        return {std::make_unique<ReplacingFile>(handle, path, widePath, temp), {}};
    }
    return {nullptr, path + ": " + NoTemporaryNameReason(windows::Utf8FromWide(folder))};
}

std::unique_ptr<OutputStream> StandardOutput() {
    // Straight to the handle: the C runtime's text mode would turn the
    // result file's CR LF into CR CR LF.
    return std::make_unique<HandleStream>(::GetStdHandle(STD_OUTPUT_HANDLE), kStandardOutputName);
}

}  // namespace folvane
