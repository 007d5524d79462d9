// The fixtures are only as trustworthy as the bytes they produce, so the
// builder's output is checked against hand-assembled files.
#include "tiff_builder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace folvane::fixture {
namespace {

using Bytes = std::vector<std::uint8_t>;

Page OneEntryPage(Entry entry) {
    Page page;
    page.entries.push_back(std::move(entry));
    return page;
}

Bytes BuildOneEntry(ByteOrder order, bool bigTiff, Entry entry) {
    File file;
    file.byteOrder = order;
    file.bigTiff = bigTiff;
    file.pages.push_back(OneEntryPage(std::move(entry)));
    return Build(file);
}

TEST(TiffBuilder, ClassicLittleEndianHeaderAndOneEntryDirectory) {
    const Bytes expected = {
        'I',  'I',  42, 0, 8, 0, 0, 0,  // header
        1,    0,                        // entry count
        0x00, 0x01, 3,  0, 1, 0, 0, 0,  // tag 256, SHORT, count 1
        0x34, 0x12, 0,  0,              // value field
        0,    0,    0,  0,              // last page
    };
    EXPECT_EQ(BuildOneEntry(ByteOrder::Little, false, MakeEntry(256, kShort, {0x1234})), expected);
}

TEST(TiffBuilder, BigEndianShortIsLeftJustifiedInValueField) {
    const Bytes expected = {
        'M',  'M',  0, 42, 0, 0, 0, 8,  // header
        0,    1,                        // entry count
        0x01, 0x00, 0, 3,  0, 0, 0, 1,  // tag 256, SHORT, count 1
        0x12, 0x34, 0, 0,               // value in the first two bytes
        0,    0,    0, 0,               // last page
    };
    EXPECT_EQ(BuildOneEntry(ByteOrder::Big, false, MakeEntry(256, kShort, {0x1234})), expected);
}

TEST(TiffBuilder, RationalIsStoredBeforeDirectoryAndFieldHoldsItsOffset) {
    const Bytes expected = {
        'I',  'I',  42,   0,    16, 0, 0, 0,                    // directory at 16
        0x2C, 0x01, 0,    0,    1,  0, 0, 0,                    // 300/1 at 8
        1,    0,    0x1A, 0x01, 5,  0, 1, 0, 0, 0, 8, 0, 0, 0,  // tag 282 -> 8
        0,    0,    0,    0,
    };
    EXPECT_EQ(BuildOneEntry(ByteOrder::Little, false, MakeEntry(282, kRational, {300, 1})),
              expected);
}

TEST(TiffBuilder, BigTiffHeaderAndInlineRational) {
    const Bytes expected = {
        'I',  'I',  43, 0, 8, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0,  // header
        1,    0,    0,  0, 0, 0, 0, 0,                           // entry count
        0x1A, 0x01, 5,  0, 1, 0, 0, 0, 0,  0, 0, 0,              // tag, type, count
        0x2C, 0x01, 0,  0, 1, 0, 0, 0,                           // 300/1 inline
        0,    0,    0,  0, 0, 0, 0, 0,                           // last page
    };
    EXPECT_EQ(BuildOneEntry(ByteOrder::Little, true, MakeEntry(282, kRational, {300, 1})),
              expected);
}

TEST(TiffBuilder, PagesAreChainedAndOverridesReplaceLinks) {
    File file;
    file.pages = {OneEntryPage(MakeEntry(256, kShort, {1})),
                  OneEntryPage(MakeEntry(256, kShort, {2}))};
    Bytes bytes = Build(file);
    // Directories of 18 bytes at 8 and, after two bytes of padding, at 28.
    ASSERT_EQ(bytes.size(), 46u);
    EXPECT_EQ(bytes[22], 28);
    EXPECT_EQ(bytes[42], 0);

    file.pages[1].nextLinkOverride = 8;
    file.firstOffsetOverride = 28;
    bytes = Build(file);
    EXPECT_EQ(bytes[4], 28);
    EXPECT_EQ(bytes[42], 8);  // a loop back to the first page
}

TEST(TiffBuilder, PackBitsRowsAreRunsOfAtMost128WithLoneByteAsLiteral) {
    PageSpec wanted;
    wanted.width = 129 * 8;  // 129 bytes per row: a run of 128 and a literal of 1
    wanted.height = 2;
    wanted.withImageData = true;
    const Page page = MakePage(wanted);
    const Bytes row = {0x81, 0x00, 0x00, 0x00};
    Bytes expected = row;
    expected.insert(expected.end(), row.begin(), row.end());
    EXPECT_EQ(page.stripData, expected);

    wanted.width = 20;  // 3 bytes per row: 0xFE is -2, a run of three
    wanted.height = 1;
    EXPECT_EQ(MakePage(wanted).stripData, (Bytes{0xFE, 0x00}));
}

TEST(TiffBuilder, StripEntriesPointAtTheStoredData) {
    PageSpec wanted;
    wanted.width = 16;
    wanted.height = 3;
    wanted.withImageData = true;
    File file;
    file.pages.push_back(MakePage(wanted));
    const Bytes bytes = Build(file);
    // Header (8), then the strip: three rows of 0xFF 0x00.
    EXPECT_EQ(Bytes(bytes.begin() + 8, bytes.begin() + 14), (Bytes{0xFF, 0, 0xFF, 0, 0xFF, 0}));
    // Directory at 16 holds, sorted: 256 257 258 259 262 273 277 278 279.
    ASSERT_EQ(bytes[16], 9);
    EXPECT_EQ(bytes[18 + 5 * 12], 0x11);  // 273 StripOffsets
    EXPECT_EQ(bytes[18 + 5 * 12 + 8], 8);
    EXPECT_EQ(bytes[18 + 7 * 12 + 8], 3);  // 278 RowsPerStrip = ImageLength
    EXPECT_EQ(bytes[18 + 8 * 12 + 8], 6);  // 279 StripByteCounts
}

}  // namespace
}  // namespace folvane::fixture
