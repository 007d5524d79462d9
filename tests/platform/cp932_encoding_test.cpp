// The result files' Shift-JIS must be byte for byte the same whichever
// system wrote them. The expected bytes are iconv's CP932 on Linux; the
// Windows build, which uses the system's code page 932 table, must agree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"
#include "state/texts.h"

namespace folvane {
namespace {

// "96 87" -> the two bytes.
std::string Bytes(std::string_view hex) {
    std::string bytes;
    for (std::size_t at = 0; at + 1 < hex.size();) {
        if (hex[at] == ' ') {
            ++at;
            continue;
        }
        bytes +=
            static_cast<char>(std::strtoul(std::string(hex.substr(at, 2)).c_str(), nullptr, 16));
        at += 2;
    }
    return bytes;
}

struct Case {
    std::string_view text;
    std::string_view cp932;
};

// Also checks the count of characters that became "?" (3F: no text here
// holds a "?" of its own), which a save reports as changed names.
void ExpectEncodings(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        std::string out;
        const std::size_t replaced = AppendEncoded(out, c.text, OutputEncoding::Cp932);
        EXPECT_EQ(out, Bytes(c.cp932)) << c.text;
        std::size_t marks = 0;
        for (std::string_view rest = c.cp932; rest.find("3F") != std::string_view::npos;
             rest.remove_prefix(rest.find("3F") + 2))
            ++marks;
        EXPECT_EQ(replaced, marks) << c.text;
    }
}

TEST(Cp932Encoding, ProgramTextsGiveTheSameBytesOnEverySystem) {
    ExpectEncodings({
        {text::kPagesSuffix, "20 96 87"},
        {text::kNotTiffHeading, "54 69 66 66 82 C5 82 CD 82 C8 82 A2 82 CC 82 C5 82 CD 81 48"},
        {text::kErrorFileHeading, "83 47 83 89 81 5B 82 CC 82 A0 82 E9 83 74 83 40 83 43 83 8B"},
        {text::kCannotOpen, "83 74 83 40 83 43 83 8B 82 F0 8A 4A 82 AF 82 DC 82 B9 82 F1"},
        {text::kDamaged, "83 74 83 40 83 43 83 8B 82 AA 89 F3 82 EA 82 C4 82 A2 82 DC 82 B7"},
        {text::kGrandTotal, "91 8D 8D 87 8C 76"},
        {text::kResultInitial, "8D 87 8C 76 0D 0A"},
        {text::kSelectFiles,
         "83 74 83 40 83 43 83 8B 82 F0 91 49 91 F0 82 B5 82 C4 82 AD 82 BE 82 B3 82 A2 81 42"},
        {text::kBadResolution,
         "89 F0 91 9C 93 78 82 C9 82 CD 20 2D 33 32 37 36 38 20 82 A9 82 E7 20 33 32 37 36 37 20 "
         "82 DC 82 C5 82 CC 90 94 92 6C 82 F0 93 FC 97 CD 82 B5 82 C4 82 AD 82 BE 82 B3 82 A2 81 "
         "42"},
        {text::kLandscape, "89 A1 92 B7"},
        {text::kPortrait, "8F 63 92 B7"},
        {"他", "91 BC"},
        {"サイズ別枚数", "83 54 83 43 83 59 95 CA 96 87 90 94"},
        {"見つかりません", "8C A9 82 C2 82 A9 82 E8 82 DC 82 B9 82 F1"},
        {"調べられません", "92 B2 82 D7 82 E7 82 EA 82 DC 82 B9 82 F1"},
        {"フォルダを開けません", "83 74 83 48 83 8B 83 5F 82 F0 8A 4A 82 AF 82 DC 82 B9 82 F1"},
        {"処理中", "8F 88 97 9D 92 86"},
        {"ページ", "83 79 81 5B 83 57"},
        // Half-width katakana are single bytes.
        {"結果のﾌｧｲﾙへの書出し", "8C 8B 89 CA 82 CC CC A7 B2 D9 82 D6 82 CC 8F 91 8F 6F 82 B5"},
    });
}

TEST(Cp932Encoding, PathsKeepTheirAsciiAndTrailBytesThatLookLikeSeparators) {
    ExpectEncodings({
        {"E:\\見本\\請求書.tif", "45 3A 5C 8C A9 96 7B 5C 90 BF 8B 81 8F 91 2E 74 69 66"},
        // 表 and ソ end in 0x5C, the byte of "\".
        {"表/ソ\\a.TIF", "95 5C 2F 83 5C 5C 61 2E 54 49 46"},
    });
}

// Signs where the two systems' tables part ways: iconv also takes the JIS
// forms (wave dash, minus sign, yen sign ...) and gives them the codes of
// their code page 932 look-alikes.
TEST(Cp932Encoding, SignsBothForms) {
    ExpectEncodings({
        {"〜～", "81 60 81 60"},
        {"−－", "81 7C 81 7C"},
        {"—―", "81 5C 81 5C"},
        {"‖∥", "81 61 81 61"},
        {"¢￠", "81 91 81 91"},
        {"£￡", "81 92 81 92"},
        {"¬￢", "81 CA 81 CA"},
        {"¥", "5C"},
        {"‾", "7E"},
        {"°×÷", "81 8B 81 7E 81 80"},
    });
}

// Characters with two codes in code page 932 (NEC and IBM rows) take the
// one Windows itself writes.
TEST(Cp932Encoding, DoublyCodedCharactersTakeTheWindowsCode) {
    ExpectEncodings({
        {"∵≒≡∫√⊥∠∩∪", "81 E6 81 E0 81 DF 81 E7 81 E3 81 DB 81 DA 81 BF 81 BE"},
        {"Ⅰⅰ№℡㈱", "87 54 FA 40 87 82 87 84 87 8A"},
        {"髙﨑", "FB FC FA B1"},
    });
}

TEST(Cp932Encoding, WhatCodePage932CannotHoldBecomesOneQuestionMarkPerCharacter) {
    ExpectEncodings({
        {"é", "3F"},  // no best-fit "e"
        {"스캔 €.tif", "3F 3F 20 3F 2E 74 69 66"},
        {"\xF0\x9F\x98\x80", "3F"},  // outside the BMP: one, not one per UTF-16 unit
        {"·", "3F"},
        {"\xC2\x80", "3F"},
        {"\xEF\xA3\xB0", "3F"},  // U+F8F0, which the system table would give a byte
    });
}

// Each byte that does not begin a well-formed character becomes one "?",
// and decoding resumes at the next byte: a stray lead byte must not
// swallow the characters after it.
TEST(Cp932Encoding, BrokenUtf8BecomesQuestionMarksAndTheRestSurvives) {
    ExpectEncodings({
        {"\x80見", "3F 8C A9"},                       // stray continuation byte
        {"見\xE8\xA6", "8C A9 3F 3F"},                // cut off at the end
        {"\xE8\xA6 a", "3F 3F 20 61"},                // cut off before ASCII
        {"\xC0\xAF", "3F 3F"},                        // overlong "/"
        {"\xED\xA0\x80", "3F 3F 3F"},                 // a lone surrogate
        {"\xF0あx.tif", "3F 82 A0 78 2E 74 69 66"},   // a 4-byte lead before あ
        {"\xE3\x81見", "3F 3F 8C A9"},                // a 3-byte sequence cut short
        {"\xF4\x90\x80\x80見", "3F 3F 3F 3F 8C A9"},  // above U+10FFFF
        {"\xF0\x9F\x98\x80\xF0見", "3F 3F 8C A9"},    // a whole emoji, then a stray lead
    });
}

TEST(Cp932Encoding, Utf8PassesThrough) {
    EXPECT_EQ(Encode("見本\\\xE8\xA6", OutputEncoding::Utf8), "見本\\\xE8\xA6");
}

}  // namespace
}  // namespace folvane
