#include "platform/output_file.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

#include "platform/windows/wide_text.h"

namespace folvane {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

class HandleStream : public OutputStream {
  public:
    HandleStream(HANDLE handle, std::string name) : handle_(handle), name_(std::move(name)) {
        buffer_.reserve(kBufferSize);
    }

    bool Write(std::string_view bytes) override {
        if (failed_) return false;
        if (buffer_.size() + bytes.size() > kBufferSize && !Flush()) return false;
        if (bytes.size() >= kBufferSize) return WriteAll(bytes);
        buffer_.append(bytes);
        return true;
    }

    bool Finish() override { return !failed_ && Flush(); }

    const std::string& ErrorMessage() const override { return error_; }

  protected:
    bool Flush() {
        if (failed_) return false;
        const bool ok = WriteAll(buffer_);
        buffer_.clear();
        return ok;
    }

    bool Fail(DWORD error) {
        failed_ = true;
        error_ = name_ + ": " + windows::SystemErrorText(error);
        return false;
    }

    HANDLE handle_;
    std::string name_;
    bool failed_ = false;

  private:
    bool WriteAll(std::string_view bytes) {
        while (!bytes.empty()) {
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
            DWORD written = 0;
            if (!::WriteFile(handle_, bytes.data(), want, &written, nullptr))
                return Fail(::GetLastError());
            bytes.remove_prefix(written);
        }
        return true;
    }

    std::string buffer_;
    std::string error_;
};

class ReplacingFile final : public HandleStream {
  public:
    ReplacingFile(HANDLE handle, std::string path, std::wstring widePath, std::wstring tempPath)
        : HandleStream(handle, std::move(path)),
          widePath_(std::move(widePath)),
          tempPath_(std::move(tempPath)) {}

    ~ReplacingFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
        if (!committed_) ::DeleteFileW(tempPath_.c_str());
    }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool Finish() override {
        if (!HandleStream::Finish()) return false;
        // The data must be on disk before the name points at it.
        if (!::FlushFileBuffers(handle_)) return Fail(::GetLastError());
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        if (!::CloseHandle(handle)) return Fail(::GetLastError());
        if (!::MoveFileExW(tempPath_.c_str(), widePath_.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return Fail(::GetLastError());
        committed_ = true;
        return true;
    }

  private:
    std::wstring widePath_;
    std::wstring tempPath_;
    bool committed_ = false;
};

// The folder part with its separator ("E:\" stays "E:\", "E:name" gives
// "E:"), or empty for a bare name in the current folder.
std::wstring FolderPrefixOf(const std::wstring& path) {
    const auto cut = path.find_last_of(L"\\/:");
    if (cut == std::wstring::npos) return {};
    return path.substr(0, cut + 1);
}

}  // namespace

OpenedOutput CreateReplacingFile(const std::string& path) {
    const std::wstring widePath = windows::WideFromUtf8(path);
    const std::wstring folder = FolderPrefixOf(widePath);
    const auto seed = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Beside the target, so that the move is a rename on one volume.
        const std::wstring temp = folder + L".folvane-" + std::to_wstring(::GetCurrentProcessId()) +
                                  L"-" + std::to_wstring((seed + attempt) % 1000000007ull) +
                                  L".tmp";
        const HANDLE handle = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
            return {nullptr, path + ": " + windows::SystemErrorText(error)};
        }
        return {std::make_unique<ReplacingFile>(handle, path, widePath, temp), {}};
    }
    return {nullptr, path + ": no free temporary name in " + windows::Utf8FromWide(folder)};
}

std::unique_ptr<OutputStream> StandardOutput() {
    // Straight to the handle: the C runtime's text mode would turn the
    // result file's CR LF into CR CR LF.
    return std::make_unique<HandleStream>(::GetStdHandle(STD_OUTPUT_HANDLE), "standard output");
}

}  // namespace folvane
