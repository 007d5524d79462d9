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

// How many bytes at the start of `text` make one well-formed UTF-8
// character (shortest form, no surrogates, at most U+10FFFF), or 0 when
// they do not. A broken sequence then costs one "?" for its first byte
// only, and the characters after it are decoded as they are.
constexpr std::size_t WellFormedUtf8Length(std::string_view text) {
    if (text.empty()) return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    const std::size_t length = Utf8SequenceLength(lead);
    if (length == 1 || lead > 0xF4 || length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80) return 0;
    // The second byte's range rules out overlong forms, surrogates and
    // code points above U+10FFFF.
    const unsigned char second = byte(1);
    if (lead == 0xC0 || lead == 0xC1) return 0;
    if (lead == 0xE0 && second < 0xA0) return 0;
    if (lead == 0xED && second > 0x9F) return 0;
    if (lead == 0xF0 && second < 0x90) return 0;
    if (lead == 0xF4 && second > 0x8F) return 0;
    return length;
}

}  // namespace folvane
