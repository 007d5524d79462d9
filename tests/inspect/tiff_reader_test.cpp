#include "inspect/tiff_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "tiff_builder.h"

namespace folvane {
namespace {

namespace fx = fixture;

TiffReadResult ReadBytes(const std::vector<std::uint8_t>& bytes) {
    MemoryByteSource source(bytes);
    return ReadTiff(source);
}

fx::PageSpec A4At72() {
    fx::PageSpec pageSpec = fx::ScanPageSpec(595, 842, 72);
    pageSpec.compression = 4;
    return pageSpec;
}

void ExpectA4At72(const PageInfo& page) {
    EXPECT_EQ(page.Width, 595u);
    EXPECT_EQ(page.Height, 842u);
    EXPECT_EQ(page.BitsPerSample, 1u);
    EXPECT_EQ(page.XResolution, 72.0);
    EXPECT_EQ(page.YResolution, 72.0);
    EXPECT_EQ(page.UnitName, ResolutionUnit::Inch);
    EXPECT_EQ(page.CompressionName, "G4 Fax");
    EXPECT_EQ(page.ColorName, "Bilevel (WiZ)");
}

TEST(TiffReader, NotATiffWithoutByteOrderMark) {
    for (const std::vector<std::uint8_t>& bytes :
         {std::vector<std::uint8_t>{}, {'I'}, {'I', 'M', 42, 0, 8, 0, 0, 0}, {'M', 'I'}}) {
        EXPECT_EQ(ReadBytes(bytes).status, TiffReadStatus::NotTiff) << bytes.size();
    }
}

// The same page must come out alike from both byte orders, from classic and
// BigTIFF files, with its sizes stored as SHORT or LONG.
struct LayoutCase {
    fx::ByteOrder order;
    bool bigTiff;
    bool sizesAsShort;
};

class SamePageEveryLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(SamePageEveryLayout, ReadsTheEightFields) {
    auto pageSpec = A4At72();
    pageSpec.sizesAsShort = GetParam().sizesAsShort;
    const auto result = ReadBytes(
        fx::Build(fx::MakeFile(GetParam().order, {fx::MakePage(pageSpec)}, GetParam().bigTiff)));
    ASSERT_EQ(result.status, TiffReadStatus::Complete) << result.problem;
    EXPECT_EQ(result.byteOrder, GetParam().order == fx::ByteOrder::Little ? ByteOrder::LittleEndian
                                                                          : ByteOrder::BigEndian);
    EXPECT_EQ(result.bigTiff, GetParam().bigTiff);
    ASSERT_EQ(result.pages.size(), 1u);
    ExpectA4At72(result.pages[0]);
    EXPECT_EQ(result.lastLink, 0u);
}

INSTANTIATE_TEST_SUITE_P(Layouts, SamePageEveryLayout,
                         testing::Values(LayoutCase{fx::ByteOrder::Little, false, false},
                                         LayoutCase{fx::ByteOrder::Little, false, true},
                                         LayoutCase{fx::ByteOrder::Big, false, false},
                                         LayoutCase{fx::ByteOrder::Big, false, true},
                                         LayoutCase{fx::ByteOrder::Little, true, false},
                                         LayoutCase{fx::ByteOrder::Big, true, true}));

TEST(TiffReader, VersionIsNotExaminedExceptForBigTiff) {
    auto file = fx::MakeFile(fx::ByteOrder::Little, {fx::MakePage(A4At72())});
    file.version = 99;
    const auto result = ReadBytes(fx::Build(file));
    EXPECT_EQ(result.status, TiffReadStatus::Complete);
    EXPECT_FALSE(result.bigTiff);
}

struct NameCase {
    std::optional<std::uint16_t> compression;
    std::optional<std::uint16_t> photometric;
    std::vector<std::uint16_t> bits;
    std::string_view compressionName;
    std::string_view colorName;
};

TEST(TiffReader, CompressionAndColourNames) {
    const NameCase cases[] = {
        {32773, 0, {4}, "PackBits", "Gray (16 WiZ)"},
        {7, 1, {8}, "Unknown", "Gray (256 BiZ)"},
        {std::nullopt, 1, {}, "", "Bilevel (BiZ)"},
        {1, 3, {8}, "Uncomp", "Palette (256 RGB)"},
        {2, 3, {1}, "CCITT 1D", "RGB Palette"},
        {3, 3, {4}, "G3 Fax", "Palette (16 RGB)"},
        // Three samples: the entry holds an offset, which is no 4 or 8.
        {5, 2, {8, 8, 8}, "LZW", "RGB"},
        {6, 4, {1}, "JPEG", "Transparency mask"},
        {1, 5, {8}, "Uncomp", "CMYK"},
        {1, 6, {8}, "Uncomp", "YCbCr"},
        {1, 8, {8}, "Uncomp", "CIELab"},
        {1, 7, {8}, "Uncomp", "Unknown"},
        {1, 9, {8}, "Uncomp", "Unknown"},
        {1, std::nullopt, {8}, "Uncomp", ""},
    };
    for (const auto& c : cases) {
        for (const auto order : {fx::ByteOrder::Little, fx::ByteOrder::Big}) {
            fx::PageSpec pageSpec;
            pageSpec.width = 10;
            pageSpec.height = 10;
            pageSpec.compression = c.compression;
            pageSpec.photometric = c.photometric;
            pageSpec.bitsPerSample = c.bits;
            const auto result = ReadBytes(fx::Build(fx::MakeFile(order, {fx::MakePage(pageSpec)})));
            ASSERT_EQ(result.pages.size(), 1u);
            EXPECT_EQ(result.pages[0].CompressionName, c.compressionName);
            EXPECT_EQ(result.pages[0].ColorName, c.colorName)
                << "photometric " << c.photometric.value_or(0) << " bits " << c.bits.size();
        }
    }
}

TEST(TiffReader, ResolutionsAndUnits) {
    struct Case {
        fx::Entry entry;
        std::optional<double> x;
        std::optional<ResolutionUnit> unit;
    };
    const Case cases[] = {
        {fx::MakeEntry(282, fx::kRational, {600, 2}), 300.0, std::nullopt},
        {fx::MakeEntry(282, fx::kRational, {1, 3}), 1.0 / 3.0, std::nullopt},
        // Only a signed fraction can be negative.
        {fx::MakeEntry(282, fx::kSRational, {static_cast<std::uint32_t>(-300), 1}), -300.0,
         std::nullopt},
        {fx::MakeEntry(282, fx::kRational, {0xFFFFFFFFu, 59645}), 4294967295.0 / 59645,
         std::nullopt},
        {fx::MakeEntry(282, fx::kRational, {300, 0}), std::nullopt, std::nullopt},
        {fx::MakeEntry(282, fx::kRational, {0, 1}), 0.0, std::nullopt},
        {fx::MakeEntry(296, fx::kShort, {1}), std::nullopt, ResolutionUnit::None},
        {fx::MakeEntry(296, fx::kShort, {3}), std::nullopt, ResolutionUnit::Centimetre},
        {fx::MakeEntry(296, fx::kShort, {4}), std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        for (const bool bigTiff : {false, true}) {
            fx::Page page;
            page.entries = {c.entry};
            const auto result =
                ReadBytes(fx::Build(fx::MakeFile(fx::ByteOrder::Big, {page}, bigTiff)));
            ASSERT_EQ(result.status, TiffReadStatus::Complete);
            EXPECT_EQ(result.pages[0].XResolution, c.x) << c.entry.values[0];
            EXPECT_EQ(result.pages[0].UnitName, c.unit);
        }
    }
}

TEST(TiffReader, LaterEntryReplacesEarlierButUnknownUnitKeepsIt) {
    fx::Page page;
    page.sortEntries = false;
    page.entries = {fx::MakeEntry(256, fx::kLong, {100}), fx::MakeEntry(256, fx::kLong, {200}),
                    fx::MakeEntry(296, fx::kShort, {2}), fx::MakeEntry(296, fx::kShort, {9})};
    const auto result = ReadBytes(fx::Build(fx::MakeFile(fx::ByteOrder::Little, {page})));
    EXPECT_EQ(result.pages[0].Width, 200u);
    EXPECT_EQ(result.pages[0].UnitName, ResolutionUnit::Inch);
}

TEST(TiffReader, ChainOfThreeAndAnEmptyDirectory) {
    const auto result = ReadBytes(fx::Build(fx::MakeFile(
        fx::ByteOrder::Big, {fx::MakePage(A4At72()), fx::Page{}, fx::MakePage(A4At72())})));
    ASSERT_EQ(result.status, TiffReadStatus::Complete);
    ASSERT_EQ(result.pages.size(), 3u);
    const PageInfo& empty = result.pages[1];
    EXPECT_FALSE(empty.Width || empty.Height || empty.BitsPerSample || empty.XResolution ||
                 empty.YResolution || empty.UnitName);
    EXPECT_TRUE(empty.CompressionName.empty() && empty.ColorName.empty());
}

std::uint64_t FirstDirectoryOffset(const std::vector<std::uint8_t>& littleEndianBytes,
                                   bool bigTiff) {
    std::uint64_t offset = 0;
    const std::size_t start = bigTiff ? 8 : 4;
    for (std::size_t i = bigTiff ? 8 : 4; i-- > 0;)
        offset = (offset << 8) | littleEndianBytes[start + i];
    return offset;
}

// Damaged chains: the directories read completely before the damage stay.
TEST(TiffReader, BrokenChains) {
    struct Case {
        const char* name;
        std::size_t pages;
        std::size_t expectedPages;
        std::function<void(fx::File&, std::uint64_t first)> damage;
    };
    const Case cases[] = {
        {"chain-loops-to-self", 2, 1,
         [](fx::File& f, std::uint64_t first) { f.pages[0].nextLinkOverride = first; }},
        {"chain-loops-back-to-first", 3, 3,
         [](fx::File& f, std::uint64_t first) { f.pages[2].nextLinkOverride = first; }},
        {"link-past-end", 2, 1,
         [](fx::File& f, std::uint64_t) { f.pages[0].nextLinkOverride = 1u << 30; }},
        {"first-offset-past-end", 1, 0,
         [](fx::File& f, std::uint64_t) { f.firstOffsetOverride = 0xFFFFFFF0u; }},
        {"no-first-directory", 1, 0, [](fx::File& f, std::uint64_t) { f.firstOffsetOverride = 0; }},
    };
    for (const auto& c : cases) {
        for (const bool bigTiff : {false, true}) {
            fx::File file = fx::MakeFile(fx::ByteOrder::Little, {}, bigTiff);
            for (std::size_t i = 0; i < c.pages; ++i) file.pages.push_back(fx::MakePage(A4At72()));
            c.damage(file, FirstDirectoryOffset(fx::Build(file), bigTiff));
            const auto result = ReadBytes(fx::Build(file));
            EXPECT_EQ(result.status, TiffReadStatus::Damaged) << c.name << " big " << bigTiff;
            EXPECT_EQ(result.pages.size(), c.expectedPages) << c.name << " big " << bigTiff;
            EXPECT_FALSE(result.problem.empty());
        }
    }
}

TEST(TiffReader, EntryCountBeyondTheFileIsDamage) {
    fx::Page page = fx::MakePage(A4At72());
    auto bytes = fx::Build(fx::MakeFile(fx::ByteOrder::Little, {page}));
    const std::uint32_t directory = bytes[4] | (bytes[5] << 8);
    bytes[directory] = 0xFF;
    bytes[directory + 1] = 0xFF;  // 65535 entries
    const auto result = ReadBytes(bytes);
    EXPECT_EQ(result.status, TiffReadStatus::Damaged);
    EXPECT_EQ(result.pages.size(), 0u);
}

TEST(TiffReader, ResolutionOutsideTheFileIsUnknownNotDamage) {
    fx::Page page;
    fx::Entry x = fx::MakeEntry(282, fx::kRational, {});
    x.rawValueField = 0x7FFFFFF0u;
    page.entries = {fx::MakeEntry(256, fx::kLong, {100}), x};
    const auto result = ReadBytes(fx::Build(fx::MakeFile(fx::ByteOrder::Little, {page})));
    EXPECT_EQ(result.status, TiffReadStatus::Complete);
    EXPECT_EQ(result.pages[0].XResolution, std::nullopt);
}

// A BigTIFF fraction stored away from its entry (a count of 2 or more) is
// found through the entry's whole 8-byte offset field, in both byte
// orders; the first fraction is the resolution.
TEST(TiffReader, BigTiffFractionsAwayFromTheirEntry) {
    for (const auto order : {fx::ByteOrder::Little, fx::ByteOrder::Big}) {
        for (const auto type : {fx::kRational, fx::kSRational}) {
            fx::Page page;
            page.entries = {fx::MakeEntry(256, fx::kLong, {2480}),
                            fx::MakeEntry(282, type, {600, 2, 1, 1}),
                            fx::MakeEntry(283, type, {400, 1, 7, 1, 9, 1})};
            const auto result = ReadBytes(fx::Build(fx::MakeFile(order, {page}, true)));
            SCOPED_TRACE(std::to_string(type) + (order == fx::ByteOrder::Big ? " MM" : " II"));
            ASSERT_EQ(result.status, TiffReadStatus::Complete) << result.problem;
            EXPECT_EQ(result.pages[0].XResolution, 300.0);
            EXPECT_EQ(result.pages[0].YResolution, 400.0);
        }
    }
}

// Serves a small file as the start of a sparse one of more than 4 GiB, with
// one fraction far beyond 4 GiB.
class SparseSource final : public ByteSource {
  public:
    SparseSource(const std::vector<std::uint8_t>& head, std::uint64_t farOffset,
                 std::vector<std::uint8_t> far)
        : head_(head), farOffset_(farOffset), far_(std::move(far)) {}
    std::uint64_t Size() const override { return farOffset_ + 4096; }
    std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<std::uint8_t> dest) override {
        for (std::size_t i = 0; i < dest.size(); ++i) {
            const std::uint64_t at = offset + i;
            dest[i] = at < head_.size()                                   ? head_[at]
                      : at >= farOffset_ && at - farOffset_ < far_.size() ? far_[at - farOffset_]
                                                                          : 0;
        }
        return dest.size();
    }

  private:
    std::vector<std::uint8_t> head_;
    std::uint64_t farOffset_;
    std::vector<std::uint8_t> far_;
};

TEST(TiffReader, BigTiffFractionBeyondFourGibibytes) {
    constexpr std::uint64_t kFar = (1ull << 32) + 0x100;
    for (const auto order : {fx::ByteOrder::Little, fx::ByteOrder::Big}) {
        fx::Entry x = fx::MakeEntry(282, fx::kRational, {});
        x.countOverride = 2;
        x.rawValueField = kFar;
        fx::Page page;
        page.entries = {fx::MakeEntry(256, fx::kLong, {2480}), x};
        // 1200/4 in the file's byte order.
        const std::vector<std::uint8_t> fraction =
            order == fx::ByteOrder::Little
                ? std::vector<std::uint8_t>{0xB0, 0x04, 0, 0, 4, 0, 0, 0}
                : std::vector<std::uint8_t>{0, 0, 0x04, 0xB0, 0, 0, 0, 4};
        SparseSource source(fx::Build(fx::MakeFile(order, {page}, true)), kFar, fraction);
        const auto result = ReadTiff(source);
        ASSERT_EQ(result.status, TiffReadStatus::Complete) << result.problem;
        EXPECT_EQ(result.pages[0].XResolution, 300.0);
    }
}

// A link into the middle of a directory read long before (past the first
// sixteen, which are remembered differently) is found as an overlap.
TEST(TiffReader, LinkIntoAnEarlierDirectoryIsAnOverlap) {
    fx::File file = fx::MakeFile(fx::ByteOrder::Little, {});
    file.pages.assign(20, fx::MakePage(A4At72()));
    const std::uint64_t first = FirstDirectoryOffset(fx::Build(file), false);
    // first + 12 holds the high half of the first entry's value (595 as a
    // LONG): a directory of 0 entries inside directory 1.
    file.pages[19].nextLinkOverride = first + 12;
    const auto result = ReadBytes(fx::Build(file));
    EXPECT_EQ(result.status, TiffReadStatus::Damaged);
    EXPECT_EQ(result.pages.size(), 20u);
    EXPECT_EQ(result.problem, "ディレクトリ 21（オフセット " + std::to_string(first + 12) +
                                  "）がディレクトリ 1 と重なっています（エントリ数 0）");
}

// Every damaged file says why, in Japanese, with its numbers.
TEST(TiffReader, ReasonsNameTheDamage) {
    const auto a4 = fx::MakePage(A4At72());
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        TiffReadStatus status;
        std::string problem;
    };
    fx::File loop = fx::MakeFile(fx::ByteOrder::Little, {a4, a4, a4});
    const std::uint64_t loopFirst = FirstDirectoryOffset(fx::Build(loop), false);
    loop.pages[2].nextLinkOverride = loopFirst;
    fx::File pastEnd = fx::MakeFile(fx::ByteOrder::Big, {a4});
    pastEnd.firstOffsetOverride = 4096;
    std::vector<std::uint8_t> cut = fx::Build(fx::MakeFile(fx::ByteOrder::Little, {a4}));
    const std::uint64_t directory = FirstDirectoryOffset(cut, false);
    cut.resize(directory + 2 + 12 * 3);
    const Case cases[] = {
        {"empty", {}, TiffReadStatus::NotTiff, "ファイルが空です"},
        {"no-mark", {'I', 'M', 42, 0}, TiffReadStatus::NotTiff, "先頭が II でも MM でもありません"},
        {"header-cut",
         {'I', 'I', 42, 0, 8},
         TiffReadStatus::Damaged,
         "ヘッダーが途中で切れています（ファイルは 5 バイト）"},
        {"no-first-directory",
         {'M', 'M', 0, 42, 0, 0, 0, 0},
         TiffReadStatus::Damaged,
         "ヘッダーが最初のディレクトリを指していません（オフセット 0）"},
        {"loop", fx::Build(loop), TiffReadStatus::Damaged,
         "ディレクトリ 4 のリンクがディレクトリ 1（オフセット " + std::to_string(loopFirst) +
             "）に戻っています"},
        {"first-past-end", fx::Build(pastEnd), TiffReadStatus::Damaged,
         "ディレクトリ 1 のオフセット 4096 がファイルの終わり（" +
             std::to_string(fx::Build(pastEnd).size()) + " バイト）を越えています"},
        {"entries-cut", cut, TiffReadStatus::Damaged,
         "ディレクトリ 1（オフセット " + std::to_string(directory) + "）のエントリ数 " +
             std::to_string(cut[directory]) + " がファイル（" + std::to_string(cut.size()) +
             " バイト）に収まりません"},
    };
    for (const Case& c : cases) {
        const auto result = ReadBytes(c.bytes);
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(result.problem, c.problem) << c.name;
    }
    const auto missing = ReadTiffFile("/nonexistent/folvane/x.tif");
    EXPECT_EQ(missing.problem, "見つかりません");
}

// Cutting a multi-page file at every length must never crash, and every
// page reported must be one of the file's own pages.
TEST(TiffReader, EveryTruncatedPrefix) {
    for (const bool bigTiff : {false, true}) {
        for (const auto order : {fx::ByteOrder::Little, fx::ByteOrder::Big}) {
            const auto full = fx::Build(
                fx::MakeFile(order, {fx::MakePage(A4At72()), fx::MakePage(A4At72())}, bigTiff));
            ASSERT_EQ(ReadBytes(full).pages.size(), 2u);
            for (std::size_t length = 0; length < full.size(); ++length) {
                const std::vector<std::uint8_t> cut(full.begin(), full.begin() + length);
                const auto result = ReadBytes(cut);
                if (length < 2) {
                    EXPECT_EQ(result.status, TiffReadStatus::NotTiff);
                    continue;
                }
                EXPECT_EQ(result.status, TiffReadStatus::Damaged) << length;
                EXPECT_LE(result.pages.size(), 1u) << length;
                for (const auto& page : result.pages) EXPECT_EQ(page.Width, 595u);
            }
        }
    }
}

// Counts reads so the reader's access pattern is checked, not just its answer.
class CountingSource final : public ByteSource {
  public:
    explicit CountingSource(const std::vector<std::uint8_t>& bytes) : inner_(bytes) {}
    std::uint64_t Size() const override { return inner_.Size(); }
    std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<std::uint8_t> dest) override {
        ++reads;
        bytesRead += dest.size();
        return inner_.ReadAt(offset, dest);
    }
    int reads = 0;
    std::size_t bytesRead = 0;

  private:
    MemoryByteSource inner_;
};

TEST(TiffReader, TwoReadsPerDirectoryAndNoImageData) {
    std::vector<fx::Page> pages;
    for (int i = 0; i < 3; ++i) pages.push_back(fx::MakeScanPage(1654, 2339, 200));
    const auto bytes = fx::Build(fx::MakeFile(fx::ByteOrder::Little, pages));
    CountingSource source(bytes);
    const auto result = ReadTiff(source);
    ASSERT_EQ(result.pages.size(), 3u);
    // Header, then per page: entry count, entries with link, both fractions.
    EXPECT_EQ(source.reads, 1 + 3 * 3);
    EXPECT_LT(source.bytesRead, 1000u);
    EXPECT_GT(bytes.size(), 20000u);
}

// A file server that fails part-way (EIO) after `goodReads` reads.
class FailingSource final : public ByteSource {
  public:
    FailingSource(const std::vector<std::uint8_t>& bytes, int goodReads)
        : inner_(bytes), goodReads_(goodReads) {}
    std::uint64_t Size() const override { return inner_.Size(); }
    std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<std::uint8_t> dest) override {
        if (goodReads_-- <= 0) return std::nullopt;
        return inner_.ReadAt(offset, dest);
    }
    std::string ErrorReason() const override { return "入出力エラーが起きました"; }

  private:
    MemoryByteSource inner_;
    int goodReads_;
};

// An I/O error part-way keeps the pages read before it and makes the file
// damaged, so that every output counts those pages; before the header is
// read there is nothing of a TIFF file, and it cannot be opened.
TEST(TiffReader, ReadErrorKeepsThePagesReadBefore) {
    std::vector<fx::Page> pages(10, fx::MakeScanPage(1654, 2339, 200));
    const auto bytes = fx::Build(fx::MakeFile(fx::ByteOrder::Big, pages));
    // Header, then three reads a page.
    FailingSource midway(bytes, 1 + 4 * 3);
    const auto damaged = ReadTiff(midway);
    EXPECT_EQ(damaged.status, TiffReadStatus::Damaged);
    EXPECT_EQ(damaged.pages.size(), 4u);
    EXPECT_EQ(damaged.byteOrder, ByteOrder::BigEndian);
    EXPECT_EQ(damaged.problem, "読み込み中にエラーが起きました: 入出力エラーが起きました");

    FailingSource atOnce(bytes, 0);
    const auto unread = ReadTiff(atOnce);
    EXPECT_EQ(unread.status, TiffReadStatus::CannotOpen);
    EXPECT_TRUE(unread.pages.empty());
    EXPECT_EQ(unread.problem, "読み込み中にエラーが起きました: 入出力エラーが起きました");
}

TEST(TiffReader, CannotOpenAMissingFile) {
    const auto result = ReadTiffFile("/nonexistent/folvane/x.tif");
    EXPECT_EQ(result.status, TiffReadStatus::CannotOpen);
    EXPECT_FALSE(result.problem.empty());
}

// Files written by other software: the reader must end every chain,
// including the three that loop on purpose.
TEST(TiffReader, ThirdPartyFiles) {
    const std::filesystem::path folder = FOLVANE_THIRD_PARTY_TIFFS;
    if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no third-party files at " << folder;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".tif") continue;
        ++files;
        const auto result = ReadTiffFile(entry.path().string());
        const std::string name = entry.path().filename().string();
        if (name.rfind("test_ifd_loop", 0) == 0) {
            EXPECT_EQ(result.status, TiffReadStatus::Damaged) << name;
        } else {
            EXPECT_EQ(result.status, TiffReadStatus::Complete) << name << ": " << result.problem;
        }
        EXPECT_FALSE(result.pages.empty()) << name;
    }
    EXPECT_GT(files, 20);
    const auto fax = ReadTiffFile((folder / "testfax4.tif").string());
    ASSERT_EQ(fax.pages.size(), 1u);
    EXPECT_EQ(fax.pages[0].CompressionName, "G4 Fax");
    EXPECT_EQ(ReadTiffFile((folder / "test_two_ifds.tif").string()).pages.size(), 2u);
    EXPECT_EQ(ReadTiffFile((folder / "miniswhite-1c-1b.tif").string()).byteOrder,
              ByteOrder::BigEndian);
}

}  // namespace
}  // namespace folvane
