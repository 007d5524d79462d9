#include "input/path_list_text.h"

#include <cstdint>

#include "platform/utf8.h"

namespace folvane {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Counted from 1, as a user counts.
std::string AtByte(std::size_t offset) { return "（" + std::to_string(offset + 1) + " バイト目）"; }

// The offset of the first byte that is not part of well-formed UTF-8, or
// npos when there is none.
std::size_t FirstInvalidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = WellFormedUtf8Length(text.substr(i));
        if (length == 0) return i;
        i += length;
    }
    return std::string_view::npos;
}

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 to UTF-8; `error` says why not when the bytes are not UTF-16.
// `offset` is where `bytes` start in the list, for the message.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian, std::size_t offset,
                        std::string& error) {
    if (bytes.size() % 2 != 0) {
        error = "UTF-16 の一覧のバイト数が奇数です";
        return {};
    }
    const auto unit = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<std::uint32_t>(bigEndian ? (first << 8) | second
                                                    : (second << 8) | first);
    };
    std::string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        std::uint32_t c = unit(i);
        if (c == 0) {
            error = "UTF-16 の一覧に NUL 文字があります" + AtByte(offset + i);
            return {};
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const std::uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            error = "UTF-16 として正しくない文字があります" + AtByte(offset + i);
            return {};
        }
        AppendUtf8(out, c);
    }
    return out;
}

// UTF-16 LE without a mark: the NULs are the high bytes of characters
// below U+0100 (ASCII paths, separators, line ends), so every one is at an
// odd offset, and they make at least a quarter of the bytes. A `find
// -print0` list would need names of three bytes on average to look so.
bool LooksLikeUtf16Le(std::string_view bytes) {
    if (bytes.size() < 2 || bytes.size() % 2 != 0) return false;
    std::size_t nuls = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\0') continue;
        if (i % 2 == 0) return false;
        ++nuls;
    }
    return nuls * 4 >= bytes.size();
}

DecodedPathList SplitLines(std::string_view text) {
    DecodedPathList list;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty()) list.paths.emplace_back(line);
    }
    return list;
}

DecodedPathList SplitAtNuls(std::string_view text, std::size_t offset) {
    DecodedPathList list;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\0', start);
        if (end == std::string_view::npos) end = text.size();
        if (end == start) {
            // Two NULs in a row before the end: not a list of whole entries
            // (UTF-16 without a mark, or a binary file).
            if (text.find_first_not_of('\0', start) == std::string_view::npos) break;
            return {{}, "NUL で区切られた一覧に空の項目があります" + AtByte(offset + start)};
        }
        list.paths.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return list;
}

}  // namespace

DecodedPathList DecodePathList(std::string_view bytes) {
    std::string error;
    if (bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark)) {
        const std::string text = Utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE', 2, error);
        if (!error.empty()) return {{}, error};
        return SplitLines(text);
    }
    if (bytes.find('\0') != std::string_view::npos && LooksLikeUtf16Le(bytes)) {
        const std::string text = Utf16ToUtf8(bytes, false, 0, error);
        if (!error.empty()) return {{}, error};
        return SplitLines(text);
    }
    std::size_t offset = 0;
    if (bytes.starts_with(kUtf8Mark)) {
        bytes.remove_prefix(kUtf8Mark.size());
        offset = kUtf8Mark.size();
    }
    if (const std::size_t bad = FirstInvalidUtf8(bytes); bad != std::string_view::npos)
        return {{}, "UTF-8 として正しくないバイトがあります" + AtByte(offset + bad)};
    if (bytes.find('\0') != std::string_view::npos) return SplitAtNuls(bytes, offset);
    return SplitLines(bytes);
}

}  // namespace folvane
