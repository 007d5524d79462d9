#include "platform/buffered_output.h"

#include "platform/error_reason.h"

namespace folvane {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

BufferedOutput::BufferedOutput(std::string name) : name_(std::move(name)) {
    buffer_.reserve(kBufferSize);
}

bool BufferedOutput::Write(std::string_view bytes) {
    if (failed_) return false;
    if (buffer_.size() + bytes.size() > kBufferSize && !Flush()) return false;
    if (bytes.size() >= kBufferSize) return WriteThrough(bytes);
    buffer_.append(bytes);
    return true;
}

bool BufferedOutput::Flush() {
    if (failed_) return false;
    const bool ok = WriteThrough(buffer_);
    buffer_.clear();
    return ok;
}

bool BufferedOutput::Fail(const std::string& reason) {
    if (!failed_) error_ = name_ + ": " + reason;
    failed_ = true;
    return false;
}

bool BufferedOutput::FailWithCode(unsigned long code) { return Fail(SystemErrorReason(code)); }

}  // namespace folvane
