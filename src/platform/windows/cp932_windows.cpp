// Code page 932 through the system's own table.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/utf8.h"

namespace folvane {

namespace {

// The code point of a well-formed sequence, or -1.
long DecodeSequence(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    long code = 0;
    long least = 0;
    if (bytes.size() == 1) return lead < 0x80 ? lead : -1;
    if (bytes.size() == 2) {
        code = lead & 0x1F;
        least = 0x80;
    } else if (bytes.size() == 3) {
        code = lead & 0x0F;
        least = 0x800;
    } else {
        if (lead > 0xF4) return -1;
        code = lead & 0x07;
        least = 0x10000;
    }
    for (std::size_t i = 1; i < bytes.size(); ++i) {
        if ((byte(i) & 0xC0) != 0x80) return -1;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return -1;
    return code;
}

// Where the system's table and the iconv build's CP932 part ways. iconv
// also takes the JIS forms of these signs and dashes (the wave dash 〜, the
// minus sign −, the yen sign ¥ ...), which text from other systems often
// holds, and gives them the codes their code page 932 look-alikes have;
// the system's table has no code for them. Both sides must write the same
// result file for the same file names, so the iconv codes are used here.
// An empty code marks a character the system would encode but iconv
// does not.
struct Override {
    long code;
    std::string_view bytes;
};
constexpr Override kOverrides[] = {
    {0x0080, ""},         {0x00A2, "\x81\x91"},  // ¢
    {0x00A3, "\x81\x92"},                        // £
    {0x00A5, "\x5C"},                            // ¥
    {0x00AC, "\x81\xCA"},                        // ¬
    {0x2014, "\x81\x5C"},                        // —
    {0x2016, "\x81\x61"},                        // ‖
    {0x203E, "\x7E"},                            // ‾
    {0x2212, "\x81\x7C"},                        // −
    {0x301C, "\x81\x60"},                        // 〜
    {0xF8F0, ""},         {0xF8F1, ""},         {0xF8F2, ""}, {0xF8F3, ""},
};

const Override* FindOverride(long code) {
    for (const Override& entry : kOverrides)
        if (entry.code == code) return &entry;
    return nullptr;
}

}  // namespace

// One character at a time, so that what the table cannot hold becomes
// exactly one "?" per character, as the iconv build writes it: the
// system's own default character differs for surrogate pairs, and
// best-fit mapping (turning "é" into "e" or "¥" into "\") is turned off.
// Returns how many characters became "?".
std::size_t AppendCp932(std::string& out, std::string_view text) {
    std::size_t at = 0;
    std::size_t replaced = 0;
    while (at < text.size()) {
        // A broken sequence costs one "?" for its first byte only; the
        // characters after it are decoded as they are.
        const std::size_t length = WellFormedUtf8Length(text.substr(at));
        if (length == 0) {
            out += '?';
            ++replaced;
            ++at;
            continue;
        }
        const long code = DecodeSequence(text.substr(at, length));
        at += length;
        if (code < 0) {
            out += '?';
            ++replaced;
            continue;
        }
        if (const Override* entry = FindOverride(code)) {
            if (entry->bytes.empty()) {
                out += '?';
                ++replaced;
            } else {
                out += entry->bytes;
            }
            continue;
        }
        wchar_t units[2];
        int unitCount = 1;
        if (code >= 0x10000) {
            units[0] = static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
            units[1] = static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
            unitCount = 2;
        } else {
            units[0] = static_cast<wchar_t>(code);
        }
        char bytes[8];
        BOOL usedDefault = FALSE;
        const int written = ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, units, unitCount,
                                                  bytes, sizeof bytes, "?", &usedDefault);
        if (written <= 0 || usedDefault) {
            out += '?';
            ++replaced;
        } else {
            out.append(bytes, static_cast<std::size_t>(written));
        }
    }
    return replaced;
}

}  // namespace folvane
