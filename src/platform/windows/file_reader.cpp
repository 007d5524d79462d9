#include "platform/file_reader.h"

#include "platform/error_reason.h"

#include <windows.h>

#include <algorithm>

#include "platform/windows/wide_text.h"

namespace folvane {

namespace {

class WindowsFile final : public ByteSource {
  public:
    WindowsFile(HANDLE handle, std::uint64_t size) : handle_(handle), size_(size) {}
    ~WindowsFile() override { ::CloseHandle(handle_); }
    WindowsFile(const WindowsFile&) = delete;
    WindowsFile& operator=(const WindowsFile&) = delete;

    std::uint64_t Size() const override { return size_; }

    std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<std::uint8_t> dest) override {
        std::size_t done = 0;
        while (done < dest.size()) {
            // The offset travels with each read, so no shared file position
            // is moved; ReadFile takes at most a DWORD at a time.
            const std::uint64_t at = offset + done;
            OVERLAPPED position{};
            position.Offset = static_cast<DWORD>(at & 0xFFFFFFFFu);
            position.OffsetHigh = static_cast<DWORD>(at >> 32);
            const DWORD want =
                static_cast<DWORD>(std::min<std::size_t>(dest.size() - done, 1u << 30));
            DWORD got = 0;
            if (!::ReadFile(handle_, dest.data() + done, want, &got, &position)) {
                const DWORD error = ::GetLastError();
                if (error == ERROR_HANDLE_EOF) break;
                error_ = error;
                return std::nullopt;
            }
            if (got == 0) break;
            done += got;
        }
        return done;
    }

    std::string ErrorReason() const override { return SystemErrorReason(error_); }

  private:
    HANDLE handle_;
    std::uint64_t size_;
    DWORD error_ = 0;
};

}  // namespace

OpenedFile OpenFileForReading(const std::string& path) {
    // Sharing everything: a scan still being written by another program,
    // or one open in a viewer, must not be locked against us or by us.
    const HANDLE handle =
        ::CreateFileW(windows::WideFromUtf8(path).c_str(), GENERIC_READ,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_RANDOM_ACCESS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {nullptr, SystemErrorReason(::GetLastError())};
    // Pipes, consoles and devices can be opened under a .tif name too; only
    // a disk file has a size and offsets.
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        return {nullptr, kNotRegularFileReason};
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handle, &size)) {
        const DWORD error = ::GetLastError();
        ::CloseHandle(handle);
        return {nullptr, SystemErrorReason(error)};
    }
    return {std::make_unique<WindowsFile>(handle, static_cast<std::uint64_t>(size.QuadPart)), {}};
}

WholeFile ReadWholeFile(const std::string& path) {
    const bool standardInput = path == "-";
    HANDLE handle = INVALID_HANDLE_VALUE;
    if (standardInput) {
        handle = ::GetStdHandle(STD_INPUT_HANDLE);
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
            return {{}, SystemErrorReason(ERROR_INVALID_HANDLE)};
    } else {
        const std::wstring widePath = windows::WideFromUtf8(path);
        const DWORD attributes = ::GetFileAttributesW(widePath.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return {{}, kFolderReason};
        handle = ::CreateFileW(
            widePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return {{}, SystemErrorReason(::GetLastError())};
    }
    WholeFile whole;
    char buffer[65536];
    while (true) {
        DWORD got = 0;
        if (!::ReadFile(handle, buffer, sizeof buffer, &got, nullptr)) {
            const DWORD error = ::GetLastError();
            // The writing end of a pipe closed: the end of the list.
            if (error != ERROR_BROKEN_PIPE && error != ERROR_HANDLE_EOF)
                whole.error = SystemErrorReason(error);
            break;
        }
        if (got == 0) break;
        whole.bytes.append(buffer, got);
    }
    if (!standardInput) ::CloseHandle(handle);
    if (!whole.ok()) whole.bytes.clear();
    return whole;
}

}  // namespace folvane
