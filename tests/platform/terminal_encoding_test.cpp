// Which encoding a terminal gets from its locale's codeset: UTF-8 in every
// spelling systems use, code page 932 for everything else.
#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/terminal.h"
#include "platform/utf8.h"

namespace folvane {
namespace {

struct CodesetCase {
    const char* codeset;
    OutputEncoding expected;
};

class EncodingForCodesetTest : public ::testing::TestWithParam<CodesetCase> {};

TEST_P(EncodingForCodesetTest, Utf8OrCodePage932) {
    EXPECT_EQ(EncodingForCodeset(GetParam().codeset), GetParam().expected)
        << "codeset \"" << GetParam().codeset << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Codesets, EncodingForCodesetTest,
    ::testing::Values(
        CodesetCase{"UTF-8", OutputEncoding::Utf8},  // glibc
        CodesetCase{"utf8", OutputEncoding::Utf8}, CodesetCase{"UTF8", OutputEncoding::Utf8},
        CodesetCase{"utf_8", OutputEncoding::Utf8},
        // The "C" locale, and Japanese locales of other encodings.
        CodesetCase{"ANSI_X3.4-1968", OutputEncoding::Cp932},
        CodesetCase{"EUC-JP", OutputEncoding::Cp932},
        CodesetCase{"SHIFT_JIS", OutputEncoding::Cp932},
        CodesetCase{"CP932", OutputEncoding::Cp932},
        // Near misses are not UTF-8.
        CodesetCase{"UTF-16", OutputEncoding::Cp932}, CodesetCase{"UTF-8X", OutputEncoding::Cp932},
        CodesetCase{"UTF", OutputEncoding::Cp932}, CodesetCase{"", OutputEncoding::Cp932}));

// A locale whose name says UTF-8 is UTF-8, installed or not.
TEST(LocaleName, SaysUtf8) {
    for (const char* name : {"ja_JP.UTF-8", "C.UTF-8", "en_US.utf8", "de_DE.UTF-8@euro", ".UTF8"})
        EXPECT_TRUE(LocaleNameSaysUtf8(name)) << name;
    for (const char* name : {"ja_JP.eucJP", "ja_JP.SJIS", "C", "POSIX", "ja_JP", "", "UTF-8",
                             "ja_JP.", "ja_JP.@euro", "ja_JP.UTF-16"})
        EXPECT_FALSE(LocaleNameSaysUtf8(name)) << name;
}

// A Windows console takes characters, so its stream converts only whole
// UTF-8 sequences and keeps a character split between two writes.
struct PrefixCase {
    std::string_view bytes;
    std::size_t complete;
};

class CompleteUtf8PrefixTest : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(CompleteUtf8PrefixTest, StopsBeforeASplitCharacter) {
    EXPECT_EQ(CompleteUtf8Prefix(GetParam().bytes), GetParam().complete);
}

INSTANTIATE_TEST_SUITE_P(
    Splits, CompleteUtf8PrefixTest,
    ::testing::Values(PrefixCase{"", 0}, PrefixCase{"A4\r\n", 4},
                      // "枚" is E6 9E 9A: whole, or cut after one or two bytes.
                      PrefixCase{"1 \xE6\x9E\x9A", 5}, PrefixCase{"1 \xE6\x9E", 2},
                      PrefixCase{"1 \xE6", 2},
                      // "é" (C3 A9) and a four-byte character (F0 9F 93 84).
                      PrefixCase{"\xC3\xA9", 2}, PrefixCase{"x\xC3", 1},
                      PrefixCase{"\xF0\x9F\x93\x84", 4}, PrefixCase{"\xF0\x9F\x93", 0},
                      // Stray continuation bytes are not held back.
                      PrefixCase{"a\x9A\x9A\x9A", 4}, PrefixCase{"\x9A", 1}));

}  // namespace
}  // namespace folvane

namespace folvane {
namespace {

// A workbook must not go to a terminal, whatever name reaches it.
TEST(IsTerminalPath, ConsoleNamesAndOrdinaryFiles) {
    EXPECT_FALSE(IsTerminalPath("SizeList.xlsx"));
    EXPECT_FALSE(IsTerminalPath(""));
    if (kPathSeparator == '\\') {
        for (const char* name :
             {"CON", "con", "con.xlsx", "CONOUT$", "C:\\work\\CON.txt", "\\\\.\\CON", "conin$"})
            EXPECT_TRUE(IsTerminalPath(name)) << name;
        EXPECT_FALSE(IsTerminalPath("console.xlsx"));
        EXPECT_FALSE(IsTerminalPath("icon.xlsx"));
    } else {
        // Not a terminal: a character device that is none, a folder.
        EXPECT_FALSE(IsTerminalPath("/dev/null"));
        EXPECT_FALSE(IsTerminalPath("/"));
    }
}

}  // namespace
}  // namespace folvane
