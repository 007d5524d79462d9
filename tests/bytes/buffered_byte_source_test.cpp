#include "bytes/buffered_byte_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <tuple>
#include <utility>

#include "inspect/tiff_reader.h"
#include "tiff_builder.h"

namespace folvane {
namespace {

namespace fx = fixture;

struct Call {
    std::uint64_t offset;
    std::size_t length;
    bool operator==(const Call&) const = default;
};

void PrintTo(const Call& call, std::ostream* out) {
    *out << "{" << call.offset << ", " << call.length << "}";
}

// Records every read that reaches the file, and can claim a size larger
// than what it holds: a file cut short after it was opened.
class RecordingSource final : public ByteSource {
  public:
    explicit RecordingSource(std::vector<std::uint8_t> bytes,
                             std::optional<std::uint64_t> claimedSize = std::nullopt)
        : bytes_(std::move(bytes)), memory_(bytes_), size_(claimedSize.value_or(bytes_.size())) {}
    std::uint64_t Size() const override { return size_; }
    std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<std::uint8_t> dest) override {
        calls.push_back({offset, dest.size()});
        if (failNext) {
            failNext = false;
            return std::nullopt;
        }
        return memory_.ReadAt(offset, dest);
    }
    std::vector<Call> calls;
    bool failNext = false;

  private:
    std::vector<std::uint8_t> bytes_;
    MemoryByteSource memory_;
    std::uint64_t size_;
};

std::vector<std::uint8_t> Counting(std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    return bytes;
}

std::vector<std::uint8_t> ReadThrough(BufferedByteSource& source, std::uint64_t offset,
                                      std::size_t length, std::optional<std::size_t>& got) {
    std::vector<std::uint8_t> dest(length, 0xEE);
    got = source.ReadAt(offset, dest);
    if (got) dest.resize(*got);
    return dest;
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t from,
                                std::size_t length) {
    return {bytes.begin() + static_cast<std::ptrdiff_t>(from),
            bytes.begin() + static_cast<std::ptrdiff_t>(from + length)};
}

constexpr std::size_t kWindow = BufferedByteSource::kWindowBytes;

TEST(BufferedByteSource, SmallReadsInsideAWindowCostNoFurtherRead) {
    const auto bytes = Counting(10000);
    RecordingSource inner(bytes);
    BufferedByteSource source(inner);
    std::optional<std::size_t> got;
    EXPECT_EQ(ReadThrough(source, 0, 16, got), Slice(bytes, 0, 16));
    EXPECT_EQ(ReadThrough(source, 388, 2, got), Slice(bytes, 388, 2));
    EXPECT_EQ(ReadThrough(source, 390, 136, got), Slice(bytes, 390, 136));
    // Ends exactly at the window's end.
    EXPECT_EQ(ReadThrough(source, kWindow - 8, 8, got), Slice(bytes, kWindow - 8, 8));
    EXPECT_EQ(inner.calls, (std::vector<Call>{{0, kWindow}}));

    // Reaching one byte past the window fetches a new one from there; the
    // last window is cut at the file's end.
    EXPECT_EQ(ReadThrough(source, kWindow - 8, 9, got), Slice(bytes, kWindow - 8, 9));
    EXPECT_EQ(ReadThrough(source, 9000, 16, got), Slice(bytes, 9000, 16));
    EXPECT_EQ(ReadThrough(source, 9990, 10, got), Slice(bytes, 9990, 10));
    EXPECT_EQ(inner.calls, (std::vector<Call>{{0, kWindow}, {kWindow - 8, kWindow}, {9000, 1000}}));
}

// A thread keeps the windows' storage for its next file: nothing of one
// file is seen in the next, however their sizes differ.
TEST(BufferedByteSource, TheNextFileOnAThreadSeesOnlyItsOwnBytes) {
    const KeptWindows kept;
    const auto large = Counting(40000);
    std::vector<std::uint8_t> small(10, 0x5A);
    std::optional<std::size_t> got;
    {
        RecordingSource inner(large);
        BufferedByteSource source(inner);
        for (const std::uint64_t offset : {0u, 10000u, 20000u, 30000u})
            EXPECT_EQ(ReadThrough(source, offset, 16, got), Slice(large, offset, 16));
    }
    RecordingSource inner(small);
    BufferedByteSource source(inner);
    EXPECT_EQ(ReadThrough(source, 0, 16, got), small);
    EXPECT_EQ(ReadThrough(source, 4, 16, got), Slice(small, 4, 6));
    EXPECT_EQ(ReadThrough(source, 10000, 16, got).size(), 0u);
    EXPECT_EQ(inner.calls.front(), (Call{0, 16}));
}

TEST(BufferedByteSource, KeepsThreeWindowsAndReplacesTheOldest) {
    const auto bytes = Counting(40000);
    RecordingSource inner(bytes);
    BufferedByteSource source(inner);
    std::optional<std::size_t> got;
    for (const std::uint64_t at : {0u, 10000u, 20000u, 8u, 10008u, 20008u}) {
        EXPECT_EQ(ReadThrough(source, at, 8, got), Slice(bytes, at, 8)) << at;
    }
    EXPECT_EQ(inner.calls.size(), 3u);
    ReadThrough(source, 30000, 8, got);  // replaces the window at 0
    ReadThrough(source, 16, 8, got);     // replaces the window at 10000
    ReadThrough(source, 20016, 8, got);
    EXPECT_EQ(
        inner.calls,
        (std::vector<Call>{
            {0, kWindow}, {10000, kWindow}, {20000, kWindow}, {30000, kWindow}, {16, kWindow}}));
}

TEST(BufferedByteSource, ALargeRequestIsReadWholeWithATail) {
    const auto bytes = Counting(30000);
    RecordingSource inner(bytes);
    BufferedByteSource source(inner);
    std::optional<std::size_t> got;
    EXPECT_EQ(ReadThrough(source, 100, 12000, got), Slice(bytes, 100, 12000));
    EXPECT_EQ(ReadThrough(source, 12100, 16, got), Slice(bytes, 12100, 16));
    EXPECT_EQ(inner.calls, (std::vector<Call>{{100, 12000 + BufferedByteSource::kTailBytes}}));
}

// The file held fewer bytes than its size said when it was read: a short
// read, not an error, and the same one a direct read gives.
TEST(BufferedByteSource, ShortReadAtTheEndOfAFileCutAfterOpening) {
    const auto bytes = Counting(1000);
    RecordingSource inner(bytes, 3000);
    BufferedByteSource source(inner);
    std::optional<std::size_t> got;
    EXPECT_EQ(ReadThrough(source, 0, 16, got), Slice(bytes, 0, 16));
    EXPECT_EQ(ReadThrough(source, 990, 20, got), Slice(bytes, 990, 10));
    EXPECT_EQ(got, 10u);
    EXPECT_EQ(ReadThrough(source, 1000, 4, got), std::vector<std::uint8_t>{});
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(inner.calls, (std::vector<Call>{{0, 3000}}));
}

TEST(BufferedByteSource, NeverAsksForLessThanRequestedPastTheSize) {
    const auto bytes = Counting(100);
    RecordingSource inner(bytes);
    BufferedByteSource source(inner);
    std::optional<std::size_t> got;
    EXPECT_EQ(ReadThrough(source, 0, 16, got), Slice(bytes, 0, 16));
    // Past the size known at opening: asked for as it is, answered short.
    EXPECT_EQ(ReadThrough(source, 96, 8, got), Slice(bytes, 96, 4));
    EXPECT_EQ(ReadThrough(source, 500, 8, got), std::vector<std::uint8_t>{});
    EXPECT_EQ(inner.calls, (std::vector<Call>{{0, 100}, {96, 8}, {500, 8}}));
}

TEST(BufferedByteSource, AFailedReadIsReportedAndNotKept) {
    const auto bytes = Counting(10000);
    RecordingSource inner(bytes);
    BufferedByteSource source(inner);
    std::optional<std::size_t> got;
    inner.failNext = true;
    ReadThrough(source, 0, 16, got);
    EXPECT_FALSE(got.has_value());
    EXPECT_EQ(ReadThrough(source, 0, 16, got), Slice(bytes, 0, 16));
    EXPECT_EQ(inner.calls.size(), 2u);
}

// --- The reader over the buffered source -------------------------------

void ExpectSameResult(const TiffReadResult& a, const TiffReadResult& b, const std::string& what) {
    EXPECT_EQ(a.status, b.status) << what;
    EXPECT_EQ(a.byteOrder, b.byteOrder) << what;
    EXPECT_EQ(a.bigTiff, b.bigTiff) << what;
    EXPECT_EQ(a.lastLink, b.lastLink) << what;
    EXPECT_EQ(a.problem, b.problem) << what;
    ASSERT_EQ(a.pages.size(), b.pages.size()) << what;
    for (std::size_t i = 0; i < a.pages.size(); ++i) {
        const PageInfo& p = a.pages[i];
        const PageInfo& q = b.pages[i];
        EXPECT_TRUE(p.Width == q.Width && p.Height == q.Height &&
                    p.BitsPerSample == q.BitsPerSample && p.CompressionName == q.CompressionName &&
                    p.ColorName == q.ColorName && p.XResolution == q.XResolution &&
                    p.YResolution == q.YResolution && p.UnitName == q.UnitName &&
                    p.NewSubfileType == q.NewSubfileType)
            << what << ", page " << i + 1;
    }
}

// Reads `bytes` directly and through the buffer; both must agree. Returns
// the reads that reached the file through the buffer.
std::vector<Call> CompareReads(const std::vector<std::uint8_t>& bytes, const std::string& what,
                               std::optional<std::uint64_t> claimedSize = std::nullopt) {
    RecordingSource direct(bytes, claimedSize);
    const TiffReadResult plain = ReadTiff(direct);
    RecordingSource inner(bytes, claimedSize);
    BufferedByteSource buffered(inner);
    ExpectSameResult(ReadTiff(buffered), plain, what);
    return inner.calls;
}

fx::Page A4At200() { return fx::MakePage(fx::ScanPageSpec(1654, 2339, 200)); }

TEST(BufferedReading, ASmallFileCostsOneRead) {
    for (const bool bigTiff : {false, true}) {
        for (const auto order : {fx::ByteOrder::Little, fx::ByteOrder::Big}) {
            const auto bytes =
                fx::Build(fx::MakeFile(order, {A4At200(), A4At200(), A4At200()}, bigTiff));
            ASSERT_LT(bytes.size(), kWindow);
            const auto calls = CompareReads(bytes, "three pages");
            EXPECT_EQ(calls, (std::vector<Call>{{0, bytes.size()}})) << bigTiff;
        }
    }
}

// Scans as the fixture writer lays them out: each page's fractions, then
// its image data, then its directory. Image data is never asked for: the
// reads start at the header and at the directories, and each directory
// costs one read (its fractions come with the window before it).
TEST(BufferedReading, OneReadPerDirectoryOfLargeScans) {
    std::vector<fx::Page> pages;
    for (int i = 0; i < 3; ++i) pages.push_back(fx::MakeScanPage(1654, 2339, 200));
    const auto bytes = fx::Build(fx::MakeFile(fx::ByteOrder::Little, pages));
    ASSERT_GT(bytes.size(), 3 * kWindow);
    const auto calls = CompareReads(bytes, "three scans");
    ASSERT_EQ(calls.size(), 1u + 3u);
    EXPECT_EQ(calls[0].offset, 0u);

    RecordingSource direct(bytes);
    ReadTiff(direct);
    // The unbuffered reader's entry-count reads name the directories.
    std::vector<std::uint64_t> directories;
    for (const Call& c : direct.calls)
        if (c.length == 2) directories.push_back(c.offset);
    ASSERT_EQ(directories.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(calls[i + 1].offset, directories[i]);
}

// A directory followed by its out-of-line values, as libtiff writes them,
// after image data: one read for the header, one for the directory and its
// fractions.
std::vector<std::uint8_t> DirectoryAfterImageData(std::size_t imageBytes) {
    std::vector<std::uint8_t> b = {'I', 'I', 42, 0};
    auto put16 = [&](std::uint32_t v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    const auto directory = static_cast<std::uint32_t>(8 + imageBytes);
    put32(directory);
    b.insert(b.end(), imageBytes, 0xAA);
    const std::uint32_t values = directory + 2 + 5 * 12 + 4;
    put16(5);
    for (const auto& [tag, type, value] : {std::tuple{256u, 4u, 1654u},
                                           {257u, 4u, 2339u},
                                           {282u, 5u, values},
                                           {283u, 5u, values + 8},
                                           {296u, 3u, 2u}}) {
        put16(tag);
        put16(type);
        put32(1);
        put32(value);
    }
    put32(0);
    for (int i = 0; i < 2; ++i) {
        put32(400);
        put32(2);
    }
    return b;
}

TEST(BufferedReading, DirectoryWithItsValuesAfterItInOneRead) {
    const auto bytes = DirectoryAfterImageData(20000);
    const auto calls = CompareReads(bytes, "libtiff layout");
    EXPECT_EQ(calls, (std::vector<Call>{{0, kWindow}, {20008, bytes.size() - 20008}}));
    RecordingSource inner(bytes);
    BufferedByteSource source(inner);
    const auto result = ReadTiff(source);
    ASSERT_EQ(result.pages.size(), 1u);
    EXPECT_EQ(result.pages[0].XResolution, 200.0);
}

// Every cut of a multi-page file, both as a file that is that short and as
// one that was cut after it was opened (its size says more than it holds):
// the same result through the buffer as without it, damage and problem
// text included.
TEST(BufferedReading, EveryTruncatedPrefixReadsAsWithoutBuffer) {
    for (const bool bigTiff : {false, true}) {
        for (const auto order : {fx::ByteOrder::Little, fx::ByteOrder::Big}) {
            const auto full = fx::Build(fx::MakeFile(order, {A4At200(), A4At200()}, bigTiff));
            for (std::size_t length = 0; length <= full.size(); ++length) {
                const std::vector<std::uint8_t> cut(full.begin(),
                                                    full.begin() + static_cast<long>(length));
                const std::string what = "cut at " + std::to_string(length);
                CompareReads(cut, what);
                CompareReads(cut, what + " after opening", full.size());
            }
        }
    }
}

TEST(BufferedReading, DamagedOffsetsAreStillChecked) {
    struct Case {
        const char* name;
        std::function<void(fx::File&)> damage;
    };
    const Case cases[] = {
        {"link-past-end", [](fx::File& f) { f.pages[0].nextLinkOverride = 1u << 30; }},
        {"link-just-past-end", [](fx::File& f) { f.pages[1].nextLinkOverride = 1000; }},
        {"first-offset-past-end", [](fx::File& f) { f.firstOffsetOverride = 0xFFFFFFF0u; }},
        {"no-first-directory", [](fx::File& f) { f.firstOffsetOverride = 0; }},
        {"link-into-values", [](fx::File& f) { f.pages[1].nextLinkOverride = 8; }},
        {"resolution-past-end",
         [](fx::File& f) {
             fx::Entry x = fx::MakeEntry(282, fx::kRational, {});
             x.rawValueField = 0x7FFFFFF0u;
             f.pages[0].entries.push_back(x);
         }},
    };
    for (const auto& c : cases) {
        for (const bool bigTiff : {false, true}) {
            fx::File file = fx::MakeFile(fx::ByteOrder::Big, {A4At200(), A4At200()}, bigTiff);
            c.damage(file);
            const auto bytes = fx::Build(file);
            const auto calls = CompareReads(bytes, c.name);
            for (const Call& call : calls) EXPECT_LE(call.offset, bytes.size()) << c.name;
        }
    }
    // An entry count the file has no room for.
    auto bytes = fx::Build(fx::MakeFile(fx::ByteOrder::Little, {A4At200()}));
    const std::uint32_t directory = bytes[4] | (bytes[5] << 8);
    bytes[directory] = 0xFF;
    bytes[directory + 1] = 0xFF;
    CompareReads(bytes, "65535 entries");
}

// Files written by other software read alike with and without the buffer,
// with at most two reads per directory and never more than the file.
TEST(BufferedReading, ThirdPartyFilesReadAlike) {
    const std::filesystem::path folder = FOLVANE_THIRD_PARTY_TIFFS;
    if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no third-party files at " << folder;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".tif") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        const std::string name = entry.path().filename().string();
        const auto calls = CompareReads(bytes, name);
        RecordingSource direct(bytes);
        const auto pages = ReadTiff(direct).pages.size();
        EXPECT_LE(calls.size(), 1 + 2 * pages + 1) << name;
        EXPECT_LE(calls.size(), direct.calls.size()) << name;
        ++files;
    }
    EXPECT_GT(files, 20);
}

}  // namespace
}  // namespace folvane
