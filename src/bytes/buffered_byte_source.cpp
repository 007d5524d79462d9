#include "bytes/buffered_byte_source.h"

#include <algorithm>
#include <vector>

namespace folvane {

namespace {

// A window larger than this is not kept for the next file.
constexpr std::size_t kKeptWindowBytes = 64 * 1024;

// A plain pointer: a thread-local object with a destructor made threads
// hang as they ended in the Windows build (MinGW-w64's runtime, under
// Wine).
thread_local KeptWindows* keptWindows = nullptr;

}  // namespace

KeptWindows::KeptWindows() : before_(keptWindows) { keptWindows = this; }

KeptWindows::~KeptWindows() { keptWindows = before_; }

BufferedByteSource::BufferedByteSource(ByteSource& inner) : inner_(inner), size_(inner.Size()) {
    if (keptWindows == nullptr) return;
    auto& kept = keptWindows->storage_;
    for (Window& w : windows_) {
        if (kept.empty()) break;
        w.bytes = std::move(kept.back());
        kept.pop_back();
    }
}

BufferedByteSource::~BufferedByteSource() {
    if (keptWindows == nullptr) return;
    for (Window& w : windows_) {
        if (w.bytes.capacity() == 0 || w.bytes.capacity() > kKeptWindowBytes) continue;
        w.bytes.clear();
        keptWindows->storage_.push_back(std::move(w.bytes));
    }
}

const BufferedByteSource::Window* BufferedByteSource::Find(std::uint64_t offset,
                                                           std::size_t length) const {
    for (std::size_t i = 0; i < windowCount_; ++i) {
        const Window& w = windows_[i];
        if (offset < w.offset || offset - w.offset > w.bytes.size()) continue;
        const std::uint64_t available = w.bytes.size() - (offset - w.offset);
        if (available >= length || w.endsFile) return &w;
    }
    return nullptr;
}

std::optional<std::size_t> BufferedByteSource::ReadAt(std::uint64_t offset,
                                                      std::span<std::uint8_t> dest) {
    const Window* held = Find(offset, dest.size());
    if (held == nullptr) {
        // At least what was asked; more only up to the end the file had
        // when it was opened. Whether the file still holds the bytes asked
        // for is for the read to tell, as without a window.
        std::uint64_t want =
            dest.size() <= kWindowBytes ? kWindowBytes : std::uint64_t{dest.size()} + kTailBytes;
        const std::uint64_t left = offset < size_ ? size_ - offset : 0;
        if (want > left) want = std::max<std::uint64_t>(left, dest.size());

        const std::size_t slot = windowCount_ < windows_.size() ? windowCount_++ : nextToReplace_++;
        nextToReplace_ %= windows_.size();
        Window& w = windows_[slot];
        w.offset = offset;
        w.bytes.resize(static_cast<std::size_t>(want));
        const auto got = inner_.ReadAt(offset, w.bytes);
        if (!got) {
            w.bytes.clear();
            w.endsFile = false;
            return std::nullopt;
        }
        w.bytes.resize(*got);
        w.endsFile = *got < want;
        held = &w;
    }
    const auto from = static_cast<std::size_t>(offset - held->offset);
    const std::size_t n = std::min(dest.size(), held->bytes.size() - from);
    std::copy_n(held->bytes.begin() + static_cast<std::ptrdiff_t>(from), n, dest.begin());
    return n;
}

}  // namespace folvane
