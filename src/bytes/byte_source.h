// Where the reader's bytes come from: an open file, or memory in tests and
// the fuzzer.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace folvane {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads up to dest.size() bytes at offset. Returns the number read
    // (short only at the end of the data), or nothing on an I/O error.
    virtual std::optional<std::size_t> ReadAt(std::uint64_t offset,
                                              std::span<std::uint8_t> dest) = 0;
};

class MemoryByteSource final : public ByteSource {
  public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<std::uint8_t> dest) override;

  private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace folvane
