// UTF-8 facts the code page converters share.
#pragma once

#include <cstddef>
#include <string_view>

namespace folvane {

// Length of the UTF-8 sequence that starts with `lead` (1 for stray bytes).
constexpr std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Length of the longest prefix of `bytes` that does not end inside a UTF-8
// sequence: what can be converted now when the rest may still come. Stray
// bytes count as complete, so broken text is never held back for ever.
constexpr std::size_t CompleteUtf8Prefix(std::string_view bytes) {
    for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        return Utf8SequenceLength(byte) > back ? bytes.size() - back : bytes.size();
    }
    return bytes.size();
}

}  // namespace folvane
