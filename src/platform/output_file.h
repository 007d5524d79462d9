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
};

// Writes to a new file beside `path` and renames it over `path` in
// Finish(). Dropped without Finish(), or after a failure, it leaves `path`
// as it was. A device or pipe (/dev/null, a FIFO) is written to directly.
OpenedOutput CreateReplacingFile(const std::string& path);

std::unique_ptr<OutputStream> StandardOutput();

}  // namespace folvane
