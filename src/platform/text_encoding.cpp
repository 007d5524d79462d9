#include "platform/text_encoding.h"

#include <algorithm>

namespace folvane {

// Implemented per platform: the system's own code page 932 table. Returns
// how many characters became "?".
std::size_t AppendCp932(std::string& out, std::string_view text);

std::size_t AppendEncoded(std::string& out, std::string_view text, OutputEncoding encoding) {
    if (encoding == OutputEncoding::Utf8) {
        out += text;
        return 0;
    }
    std::size_t replaced = 0;
    // Most of a result file is ASCII (paths, digits, names), which code page
    // 932 keeps byte for byte; only the rest goes through the converter.
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80) ++end;
        out.append(text.data() + start, end - start);
        start = end;
        while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) ++end;
        if (end > start) replaced += AppendCp932(out, text.substr(start, end - start));
        start = end;
    }
    return replaced;
}

std::string Encode(std::string_view text, OutputEncoding encoding) {
    std::string out;
    AppendEncoded(out, text, encoding);
    return out;
}

bool Cp932HoldsAll(std::string_view text) {
    std::size_t nonAscii = 0;
    while (nonAscii < text.size() && static_cast<unsigned char>(text[nonAscii]) < 0x80) ++nonAscii;
    if (nonAscii == text.size()) return true;
    // A character the code page lacks, or a broken sequence, becomes "?".
    const auto questionMarks = [](std::string_view s) {
        return std::count(s.begin(), s.end(), '?');
    };
    return questionMarks(Encode(text, OutputEncoding::Cp932)) == questionMarks(text);
}

}  // namespace folvane
