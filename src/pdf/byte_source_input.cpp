#include "pdf/byte_source_input.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <span>
#include <stdexcept>

namespace folvane::pdf {

ByteSourceInput::ByteSourceInput(ByteSource& source, std::string name)
    : source_(source), name_(std::move(name)), size_(static_cast<qpdf_offset_t>(source.Size())) {}

std::size_t ByteSourceInput::ReadHere(char* buffer, std::size_t length) {
    if (position_ >= size_ || length == 0) return 0;
    length = static_cast<std::size_t>(
        std::min<qpdf_offset_t>(static_cast<qpdf_offset_t>(length), size_ - position_));
    const auto got = source_.ReadAt(static_cast<std::uint64_t>(position_),
                                    std::span(reinterpret_cast<std::uint8_t*>(buffer), length));
    if (!got) {
        readFailed_ = true;
        throw std::runtime_error("read error");
    }
    return *got;
}

size_t ByteSourceInput::read(char* buffer, size_t length) {
    if (position_ >= size_) {
        last_offset = size_;
        return 0;
    }
    last_offset = position_;
    const std::size_t got = ReadHere(buffer, length);
    position_ += static_cast<qpdf_offset_t>(got);
    return got;
}

qpdf_offset_t ByteSourceInput::findAndSkipNextEOL() {
    // The offset of the next CR or LF, leaving the position after the run
    // of line-end characters there; the end of the file when none follows.
    char chunk[256];
    qpdf_offset_t eol = -1;
    while (position_ < size_) {
        const std::size_t got = ReadHere(chunk, sizeof chunk);
        if (got == 0) break;  // the file shrank while being read
        std::size_t i = 0;
        if (eol < 0) {
            while (i < got && chunk[i] != '\r' && chunk[i] != '\n') ++i;
            if (i < got) eol = position_ + static_cast<qpdf_offset_t>(i);
        }
        if (eol >= 0) {
            while (i < got && (chunk[i] == '\r' || chunk[i] == '\n')) ++i;
            position_ += static_cast<qpdf_offset_t>(i);
            if (i < got) return eol;
        } else {
            position_ += static_cast<qpdf_offset_t>(got);
        }
    }
    position_ = std::min(position_, size_);
    return eol >= 0 ? eol : size_;
}

void ByteSourceInput::seek(qpdf_offset_t offset, int whence) {
    qpdf_offset_t base = 0;
    if (whence == SEEK_END) {
        base = size_;
    } else if (whence == SEEK_CUR) {
        base = position_;
    } else if (whence != SEEK_SET) {
        throw std::logic_error("bad seek origin");
    }
    if ((offset < 0 && base < -offset) ||
        (offset > 0 && base > std::numeric_limits<qpdf_offset_t>::max() - offset))
        throw std::runtime_error(name_ + ": seek out of range");
    position_ = base + offset;
}

void ByteSourceInput::unreadCh(char) {
    if (position_ > 0) --position_;
}

}  // namespace folvane::pdf
