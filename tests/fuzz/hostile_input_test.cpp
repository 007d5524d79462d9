// What a crafted file can make the reader spend: the memory and reads of
// one file stay bounded whatever its counts and chains claim.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include "bytes/byte_source.h"
#include "inspect/tiff_reader.h"
#include "tiff_builder.h"

namespace folvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutLe(Bytes& bytes, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A classic little-endian file whose chain is `count` empty directories of
// 6 bytes each, the most pages a file can pack into its size.
Bytes ChainOfEmptyDirectories(std::size_t count) {
    Bytes bytes = {'I', 'I', 42, 0};
    PutLe(bytes, 8, 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t next = i + 1 < count ? 8 + 6 * (i + 1) : 0;
        PutLe(bytes, 0, 2);
        PutLe(bytes, next, 4);
    }
    return bytes;
}

// Counts what the reader asks for, to show it never reads more than the
// directories it reports.
class CountingSource final : public ByteSource {
  public:
    explicit CountingSource(const Bytes& bytes) : inner_(bytes) {}
    std::uint64_t Size() const override { return inner_.Size(); }
    std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<std::uint8_t> dest) override {
        ++reads;
        bytesAsked += dest.size();
        return inner_.ReadAt(offset, dest);
    }
    std::size_t reads = 0;
    std::size_t bytesAsked = 0;

  private:
    MemoryByteSource inner_;
};

TEST(HostileInput, ChainUpToTheLimitIsReadWhole) {
    const Bytes bytes = ChainOfEmptyDirectories(kMaxTiffPages);
    MemoryByteSource source(bytes);
    const TiffReadResult read = ReadTiff(source);
    EXPECT_EQ(read.status, TiffReadStatus::Complete);
    EXPECT_EQ(read.pages.size(), kMaxTiffPages);
}

TEST(HostileInput, ChainPastTheLimitStopsThereAsDamaged) {
    const Bytes bytes = ChainOfEmptyDirectories(kMaxTiffPages + 5);
    CountingSource source(bytes);
    const TiffReadResult read = ReadTiff(source);
    EXPECT_EQ(read.status, TiffReadStatus::Damaged);
    EXPECT_EQ(read.pages.size(), kMaxTiffPages);
    EXPECT_EQ(read.lastLink, 8 + 6 * kMaxTiffPages);
    EXPECT_EQ(read.problem, "ディレクトリが 1 ファイルあたりの上限 100000 個を超えて続いています");
    // The header, then the count and the entries with the link per directory.
    EXPECT_EQ(source.reads, 1 + 2 * kMaxTiffPages);
}

struct HugeCount {
    const char* name;
    std::uint64_t count;
    std::uint64_t entryRoom;  // bytes of entries actually present
    TiffReadStatus status;
    std::size_t pages;
};

// BigTIFF counts are 64-bit; a count the file has no room for is refused
// before any memory is set aside for it.
TEST(HostileInput, BigTiffEntryCounts) {
    const HugeCount cases[] = {
        {"2^60 entries in 64 bytes", 1ull << 60, 64, TiffReadStatus::Damaged, 0},
        {"2^32 entries in 64 bytes", 1ull << 32, 64, TiffReadStatus::Damaged, 0},
        {"one entry more than the file holds", 3, 2 * 20, TiffReadStatus::Damaged, 0},
        {"2^20 entries present", 1ull << 20, 20ull << 20, TiffReadStatus::Complete, 1},
        {"2^20 + 1 entries present", (1ull << 20) + 1, 20 * ((1ull << 20) + 1),
         TiffReadStatus::Damaged, 0},
    };
    for (const HugeCount& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = {'I', 'I', 43, 0, 8, 0, 0, 0};
        PutLe(bytes, 16, 8);
        PutLe(bytes, c.count, 8);
        bytes.resize(bytes.size() + c.entryRoom, 0);
        PutLe(bytes, 0, 8);
        CountingSource source(bytes);
        const TiffReadResult read = ReadTiff(source);
        EXPECT_EQ(read.status, c.status);
        EXPECT_EQ(read.pages.size(), c.pages);
        EXPECT_LE(source.bytesAsked, bytes.size());
        if (c.count == (1ull << 20) + 1) {
            EXPECT_EQ(read.problem,
                      "ディレクトリ 1（オフセット 16）のエントリ数 1048577 が BigTIFF の "
                      "1 ディレクトリあたりの上限 1048576 を超えています");
        }
    }
}

// Directories packed 6 bytes apart, each claiming 65,535 entries that the
// file has room for: 1.4 MB that would decode some 78 GB of entries. No
// byte may belong to two directories, so the second one ends the chain and
// the reader asks for no more than the file's size.
TEST(HostileInput, OverlappingDirectoriesAreDamage) {
    for (const auto order : {fixture::ByteOrder::Little, fixture::ByteOrder::Big}) {
        const Bytes bytes = fixture::BuildOverlappingDirectories(order, 100000, 65535);
        ASSERT_GT(bytes.size(), 1'300'000u);
        CountingSource source(bytes);
        const TiffReadResult read = ReadTiff(source);
        EXPECT_EQ(read.status, TiffReadStatus::Damaged);
        EXPECT_EQ(read.pages.size(), 1u);
        EXPECT_EQ(read.problem,
                  "ディレクトリ 2（オフセット 14）がディレクトリ 1 と重なっています（エントリ数 "
                  "65535）");
        EXPECT_LE(source.bytesAsked, bytes.size());
    }
}

// However a chain is laid out, the bytes asked for stay within a small
// multiple of the file's size: directories that do not overlap, each with
// its two fractions.
TEST(HostileInput, WorkIsLinearInTheFileSize) {
    for (const std::size_t directories : {2u, 50u, 3000u}) {
        for (const std::uint16_t claimed : {1, 7, 600}) {
            const Bytes bytes = fixture::BuildOverlappingDirectories(fixture::ByteOrder::Little,
                                                                     directories, claimed);
            CountingSource source(bytes);
            const TiffReadResult read = ReadTiff(source);
            EXPECT_NE(read.status, TiffReadStatus::Complete);
            EXPECT_LE(source.bytesAsked, 4 * bytes.size()) << directories << " " << claimed;
        }
    }
}

}  // namespace
}  // namespace folvane
