// Serves the reader's many small reads from a few larger ones. On a file
// server every read is a round trip, so the first read of a file fetches
// its first kilobytes (the header, and the first directory when the writer
// put it right after the header), and a read elsewhere fetches a window
// from where it starts (a directory's count, entries, next link and the
// values stored after it). The reader still checks every offset and length
// against the file's size: what a window holds beyond the bytes asked for
// is never decoded unless asked for.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bytes/byte_source.h"

namespace folvane {

// While one lives on a thread, the buffered sources made on that thread
// leave their windows' storage to the next one: a thread that reads
// thousands of files a second would otherwise allocate a window for each,
// too large for the allocator's per-thread cache, and so wait on the
// allocator's lock that all threads share. For threads that read file
// after file (the read-ahead's workers).
class KeptWindows {
  public:
    KeptWindows();
    ~KeptWindows();
    KeptWindows(const KeptWindows&) = delete;
    KeptWindows& operator=(const KeptWindows&) = delete;

  private:
    friend class BufferedByteSource;
    KeptWindows* before_;
    std::vector<std::vector<std::uint8_t>> storage_;
};

class BufferedByteSource final : public ByteSource {
  public:
    // Bytes fetched by a read that misses the windows held: one page of the
    // system's cache, which costs hardly more than one byte to read.
    static constexpr std::size_t kWindowBytes = 4096;
    // Read beyond a request larger than a window (a directory of many
    // entries), for the values stored after it.
    static constexpr std::size_t kTailBytes = 1024;

    explicit BufferedByteSource(ByteSource& inner);
    ~BufferedByteSource() override;
    BufferedByteSource(const BufferedByteSource&) = delete;
    BufferedByteSource& operator=(const BufferedByteSource&) = delete;

    std::uint64_t Size() const override { return size_; }
    std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<std::uint8_t> dest) override;
    std::string ErrorReason() const override { return inner_.ErrorReason(); }

  private:
    struct Window {
        std::uint64_t offset = 0;
        std::vector<std::uint8_t> bytes;
        // The read came back short: the file ended at the window's end when
        // it was read, so a request reaching past it gets what there is.
        bool endsFile = false;
    };

    // The window holding the start of the request, with all of it or with
    // the rest of the file; nullptr when a new read is needed.
    const Window* Find(std::uint64_t offset, std::size_t length) const;

    ByteSource& inner_;
    const std::uint64_t size_;
    // A file's reads jump between a few places (the header, a directory,
    // values before it), so a few windows are kept, the oldest replaced.
    std::array<Window, 3> windows_;
    std::size_t windowCount_ = 0;
    std::size_t nextToReplace_ = 0;
};

}  // namespace folvane
