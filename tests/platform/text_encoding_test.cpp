#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace folvane {
namespace {

TEST(TextEncoding, Cp932AsWindowsWritesIt) {
    struct Case {
        const char* text;
        const char* bytes;
    };
    const Case cases[] = {
        {"総合計", "\x91\x8D\x8D\x87\x8C\x76"},
        {"ﾊﾞｲﾄｵｰﾀﾞｰ", "\xCA\xDE\xB2\xC4\xB5\xB0\xC0\xDE\xB0"},  // half-width: one byte each
        {"a\tb\r\n", "a\tb\r\n"},
        {"Tiffではないのでは？",
         "Tiff\x82\xC5\x82\xCD\x82\xC8\x82\xA2\x82\xCC\x82\xC5\x82\xCD\x81\x48"},
        {"①", "\x87\x40"},   // an NEC special character of code page 932
        {"é/😀/x", "?/?/x"},  // no code: one "?" per character
        {"\xE7\x9B", "?"},   // a cut-off sequence
    };
    for (const auto& c : cases) EXPECT_EQ(Encode(c.text, OutputEncoding::Cp932), c.bytes) << c.text;
    EXPECT_EQ(Encode("総合計", OutputEncoding::Utf8), "総合計");
}

}  // namespace
}  // namespace folvane
