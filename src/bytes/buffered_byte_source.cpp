#include "bytes/buffered_byte_source.h"

#include <algorithm>
#include <vector>

namespace folvane {

namespace {

// The windows' storage, kept by each thread for the next file it reads: a
// run reads thousands of files a second on a few threads, and a window is
// too large for the allocator's per-thread cache, so each new one would
// wait on the allocator's lock that all threads share.
constexpr std::size_t kKeptWindowBytes = 64 * 1024;
thread_local std::vector<std::vector<std::uint8_t>> keptWindows;

}  // namespace

BufferedByteSource::BufferedByteSource(ByteSource& inner) : inner_(inner), size_(inner.Size()) {
    for (Window& w : windows_) {
        if (keptWindows.empty()) break;
        w.bytes = std::move(keptWindows.back());
        keptWindows.pop_back();
    }
}

BufferedByteSource::~BufferedByteSource() {
    for (Window& w : windows_) {
        if (w.bytes.capacity() == 0 || w.bytes.capacity() > kKeptWindowBytes) continue;
        w.bytes.clear();
        keptWindows.push_back(std::move(w.bytes));
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
