// Byte-order helpers. Integers are assembled byte by byte in the file's
// order, never by casting pointers, so the code is the same on any host.
#pragma once

#include <cstdint>
#include <span>

namespace folvane {

enum class ByteOrder { LittleEndian, BigEndian };

// The two bytes exchanged: 12 34 becomes 34 12.
constexpr std::int16_t SwapShort(std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((bits >> 8) | (bits << 8)));
}

// The four bytes reversed: 12 34 56 78 becomes 78 56 34 12.
constexpr std::int32_t SwapLong(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>((bits >> 24) | ((bits >> 8) & 0xFF00u) |
                                     ((bits << 8) & 0xFF0000u) | (bits << 24));
}

// The two 16-bit halves exchanged: 12 34 56 78 becomes 56 78 12 34.
constexpr std::int32_t SwapWords(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>((bits >> 16) | (bits << 16));
}

inline std::uint16_t LoadU16(const std::uint8_t* p, ByteOrder order) {
    return order == ByteOrder::LittleEndian ? static_cast<std::uint16_t>(p[0] | (p[1] << 8))
                                            : static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

inline std::uint32_t LoadU32(const std::uint8_t* p, ByteOrder order) {
    const std::uint32_t b0 = p[0], b1 = p[1], b2 = p[2], b3 = p[3];
    return order == ByteOrder::LittleEndian ? (b0 | (b1 << 8) | (b2 << 16) | (b3 << 24))
                                            : ((b0 << 24) | (b1 << 16) | (b2 << 8) | b3);
}

inline std::uint64_t LoadU64(const std::uint8_t* p, ByteOrder order) {
    const std::uint64_t first = LoadU32(p, order);
    const std::uint64_t second = LoadU32(p + 4, order);
    return order == ByteOrder::LittleEndian ? (first | (second << 32)) : ((first << 32) | second);
}

}  // namespace folvane
