// Lists of paths as programs write them, and lists that must be refused
// rather than read another way.
#include "input/path_list_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace folvane {
namespace {

using namespace std::string_literals;

// `text` (ASCII or UTF-8 Japanese) as UTF-16 LE or BE code units.
std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string out;
    for (const char16_t c : text) {
        const char high = static_cast<char>(c >> 8);
        const char low = static_cast<char>(c & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}

struct ReadCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> paths;
};

TEST(PathListText, ReadsTheListsProgramsWrite) {
    const std::u16string windowsList = u"D:\\スキャン\\a.tif\r\nD:\\b.tif\r\n";
    const std::vector<std::string> windowsPaths = {"D:\\スキャン\\a.tif", "D:\\b.tif"};
    const ReadCase cases[] = {
        {"LF lines", "a.tif\nb.tif\n", {"a.tif", "b.tif"}},
        {"CR LF lines, empty lines, no last line end", "a.tif\r\n\r\n\nb.tif", {"a.tif", "b.tif"}},
        {"UTF-8 mark dropped",
         "\xEF\xBB\xBF"
         "a.tif\r\n",
         {"a.tif"}},
        {"find -print0", "./a.tif\0./sub/b.tif\0"s, {"./a.tif", "./sub/b.tif"}},
        {"NUL-separated, a name with a line break", "a\nb.tif\0c.tif"s, {"a\nb.tif", "c.tif"}},
        {"NUL-separated, trailing NULs", "a.tif\0\0\0"s, {"a.tif"}},
        {"UTF-16 LE with mark (PowerShell 5.1)", "\xFF\xFE" + Utf16(windowsList, false),
         windowsPaths},
        {"UTF-16 BE with mark", "\xFE\xFF" + Utf16(windowsList, true), windowsPaths},
        {"UTF-16 LE without mark, ASCII",
         Utf16(u"C:\\a.tif\r\nC:\\b.tif\r\n", false),
         {"C:\\a.tif", "C:\\b.tif"}},
        // "あ" is 42 30: read as NUL-separated it would be "B0.", "t", "i", "f".
        {"UTF-16 LE without mark, Japanese", Utf16(u"D:\\あ.tif", false), {"D:\\あ.tif"}},
        {"UTF-16 surrogate pair",
         "\xFF\xFE" + Utf16(u"\U0002000B.tif\n", false),
         {"\xF0\xA0\x80\x8B.tif"}},
        {"empty", "", {}},
        {"UTF-16 mark only", "\xFF\xFE", {}},
    };
    for (const ReadCase& c : cases) {
        const DecodedPathList list = DecodePathList(c.bytes);
        EXPECT_TRUE(list.ok()) << c.what << ": " << list.error;
        EXPECT_EQ(list.paths, c.paths) << c.what;
    }
}

struct RefusedCase {
    const char* what;
    std::string bytes;
    std::string error;
};

TEST(PathListText, RefusesWhatItCannotReadForSure) {
    const RefusedCase cases[] = {
        // UTF-16 without a mark whose NULs are not all high bytes: not
        // taken for UTF-16, and its NULs do not separate entries.
        {"UTF-16 LE without mark, a character with a zero low byte",
         Utf16(u"あ\\\u0100.tif\r\n", false),
         "NUL で区切られた一覧に空の項目があります（5 バイト目）"},
        {"two NULs in a row", "a.tif\0\0b.tif"s,
         "NUL で区切られた一覧に空の項目があります（7 バイト目）"},
        {"leading NUL", "\0a.tif"s, "NUL で区切られた一覧に空の項目があります（1 バイト目）"},
        {"Shift-JIS", "\x83\x58\x83\x4C\x83\x83\x83\x93\\a.tif\n",
         "UTF-8 として正しくないバイトがあります（1 バイト目）"},
        {"Latin-1 after the mark",
         "\xEF\xBB\xBF"
         "caf\xE9.tif\n",
         "UTF-8 として正しくないバイトがあります（7 バイト目）"},
        {"UTF-16 odd length",
         "\xFF\xFE"
         "a\0b"s,
         "UTF-16 の一覧のバイト数が奇数です"},
        {"UTF-16 NUL character", "\xFF\xFE" + Utf16(u"a\0b\n"s, false),
         "UTF-16 の一覧に NUL 文字があります（5 バイト目）"},
        {"UTF-16 lone surrogate", "\xFE\xFF" + Utf16(u"a\xDC00\n", true),
         "UTF-16 として正しくない文字があります（5 バイト目）"},
        {"binary", "II*\0\x08\0\0\0\x01\0"s,
         "NUL で区切られた一覧に空の項目があります（7 バイト目）"},
    };
    for (const RefusedCase& c : cases) {
        const DecodedPathList list = DecodePathList(c.bytes);
        EXPECT_EQ(list.error, c.error) << c.what;
        EXPECT_TRUE(list.paths.empty()) << c.what;
    }
}

}  // namespace
}  // namespace folvane
