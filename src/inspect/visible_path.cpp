#include "inspect/visible_path.h"

#include <cstdint>

namespace folvane {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendHex(std::string& out, std::uint32_t value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += kHexDigits[(value >> shift) & 0xF];
}

// The code point of the two- or three-byte UTF-8 sequence at the start of
// `text` when it is one of those shown escaped (C1, U+2028, U+2029,
// U+202A to U+202E, U+2066 to U+2069), or 0 with `length` untouched.
std::uint32_t EscapedCharacterAt(std::string_view text, std::size_t& length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (text.size() >= 2 && byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F) {
        length = 2;
        return byte(1);
    }
    if (text.size() >= 3 && byte(0) == 0xE2 && (byte(1) == 0x80 || byte(1) == 0x81)) {
        const std::uint32_t c = 0x2000 + ((byte(1) & 0x3Fu) << 6) + (byte(2) & 0x3Fu);
        if ((c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069)) {
            length = 3;
            return c;
        }
    }
    return 0;
}

bool MayNeedEscape(unsigned char c) { return c < 0x20 || c == 0x7F || c == 0xC2 || c == 0xE2; }

}  // namespace

std::string VisiblePath(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && !MayNeedEscape(static_cast<unsigned char>(text[i]))) ++i;
    if (i == text.size()) return std::string(text);  // the usual case: nothing to escape

    std::string out(text.substr(0, i));
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            AppendHex(out, c, 2);
        } else if (const std::uint32_t escaped = EscapedCharacterAt(text.substr(i), length)) {
            out += "\\u";
            AppendHex(out, escaped, 4);
            i += length;
            continue;
        } else {
            out += static_cast<char>(c);
        }
        ++i;
    }
    return out;
}

}  // namespace folvane
