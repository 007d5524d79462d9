// Where result files go: a file replaced only once it is complete, or
// standard output.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace folvane {

class OutputStream {
  public:
    virtual ~OutputStream() = default;
    // Both return false once anything failed; ErrorMessage() then says what.
    virtual bool Write(std::string_view bytes) = 0;
    // Flushes; a replacing file takes its final name only here.
    virtual bool Finish() = 0;
    virtual const std::string& ErrorMessage() const = 0;
};

struct OpenedOutput {
    std::unique_ptr<OutputStream> stream;  // null when it could not be created
    std::string error;                     // "path: reason"
    // The path must not be written at all (no name, a folder, a block
    // device, a scan's name, an input): the user's mistake, found before
    // any file is read, rather than a failure of the system.
    bool refused = false;
};

// Why a path is refused as a result file, in the same words on every system.
inline constexpr std::string_view kNoOutputNameReason = "出力ファイルの名前がありません";
inline constexpr std::string_view kFolderOutputReason = "フォルダには書き出せません";
inline constexpr std::string_view kBlockDeviceOutputReason = "ブロックデバイスには書き出せません";

inline OpenedOutput RefusedOutput(const std::string& path, std::string_view reason) {
    return {nullptr, path + ": " + std::string(reason), true};
}

// Writes to a new file beside `path` and renames it over `path` in
// Finish(). Dropped without Finish(), or after a failure, it leaves `path`
// as it was; where the system allows, the new file has no name at all
// until Finish(), and elsewhere its temporary name is removed also when
// SIGINT, SIGTERM or SIGHUP end the program. A link to a file replaces the
// file it points to and stays a link. A character device or pipe
// (/dev/null, a FIFO) is written to directly; a pipe nobody reads fails at
// once. An empty path, a folder and a block device are refused.
OpenedOutput CreateReplacingFile(const std::string& path);

// For tests: makes CreateReplacingFile use a named temporary file, as it
// does where the system has no unnamed ones.
void UseNamedTemporaryFilesOnly(bool namedOnly);

std::unique_ptr<OutputStream> StandardOutput();

}  // namespace folvane
