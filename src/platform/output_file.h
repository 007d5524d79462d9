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
// until Finish(), and elsewhere its temporary name is removed also when a
// signal ends the program (while one is pending, SIGPIPE is ignored). A
// link to a file replaces the file it points to and stays a link.
//
// What `path` names is opened and judged before anything is written, and
// only what was judged is written to: an empty path, a folder and a block
// device are refused. Written in place, never replaced: a character device
// or pipe (/dev/null, a FIFO; a pipe nobody reads fails at once), a
// descriptor of this program named through /dev/stdout, /dev/fd/N or
// /proc/self/fd/N (at its position, as "-" writes standard output), and a
// file mounted over another name (a bind mount; truncated when writing
// starts, so not atomic). Failed at once rather than after the run: another
// user's file in a folder with the sticky bit, and on Windows a file
// another program holds open.
OpenedOutput CreateReplacingFile(const std::string& path);

// For tests: makes CreateReplacingFile use a named temporary file, as it
// does where the system has no unnamed ones.
void UseNamedTemporaryFilesOnly(bool namedOnly);

std::unique_ptr<OutputStream> StandardOutput();

}  // namespace folvane
