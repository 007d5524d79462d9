// Builds TIFF files in memory from readable descriptions, for tests, the
// benchmark corpus and the bundled samples. Broken files are made by
// describing the defect (a link that loops, an offset past the end) or by
// cutting the finished bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace folvane::fixture {

enum class ByteOrder { Little, Big };

// TIFF field types used by the fixtures.
enum FieldType : std::uint16_t {
    kByte = 1,
    kAscii = 2,
    kShort = 3,
    kLong = 4,
    kRational = 5,
    kSRational = 10,
    kLong8 = 16,
};

struct Fraction {
    std::uint32_t numerator = 0;
    std::uint32_t denominator = 1;
};

// One directory entry. For RATIONAL/SRATIONAL, `values` holds numerator and
// denominator pairs. Values that do not fit the entry's value field are
// stored elsewhere in the file and the field holds their offset.
struct Entry {
    std::uint16_t tag = 0;
    std::uint16_t type = kShort;
    std::vector<std::uint64_t> values;
    // When set, the count field says this instead of values.size().
    std::optional<std::uint64_t> countOverride;
    // When set, the value field holds exactly this number (written in the
    // file's byte order, as a 4-byte or, in BigTIFF, 8-byte field) and
    // `values` are not stored at all: for offsets that point nowhere.
    std::optional<std::uint64_t> rawValueField;
};

// Brace-initialising an Entry with only some members draws
// -Wmissing-field-initializers; this spares callers that.
Entry MakeEntry(std::uint16_t tag, std::uint16_t type, std::vector<std::uint64_t> values);

struct Page {
    std::vector<Entry> entries;
    // Written in the given order unless sortEntries is true.
    bool sortEntries = true;
    // Image data stored once before the directory; when not empty the
    // builder adds StripOffsets (273), RowsPerStrip (278) and
    // StripByteCounts (279) entries for a single strip pointing at it.
    std::vector<std::uint8_t> stripData;
    // Replaces the link to the next directory: an absolute offset, for
    // chains that loop or point past the end.
    std::optional<std::uint64_t> nextLinkOverride;
};

struct File {
    ByteOrder byteOrder = ByteOrder::Little;
    bool bigTiff = false;
    // 0 writes 42 (classic) or 43 (BigTIFF).
    std::uint16_t version = 0;
    std::vector<Page> pages;
    // Replaces the header's offset of the first directory.
    std::optional<std::uint64_t> firstOffsetOverride;
};

// Serialises the description: header, then each page's out-of-line values,
// strip data and directory, in page order, each on a word boundary.
std::vector<std::uint8_t> Build(const File& file);

// The usual page of a scanned document.
struct PageSpec {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::optional<Fraction> xResolution;
    std::optional<Fraction> yResolution;
    std::optional<std::uint16_t> resolutionUnit;  // 1 none, 2 inch, 3 cm
    std::optional<std::uint16_t> compression;
    std::optional<std::uint16_t> photometric;
    std::vector<std::uint16_t> bitsPerSample;  // empty: no entry
    bool sizesAsShort = false;                 // ImageWidth/ImageLength as SHORT
    std::uint16_t newSubfileType = 0;          // 0: no entry
    // Adds PackBits-compressed white rows (bilevel, WhiteIsZero) as the
    // strip, so that other TIFF tools read the page without complaint.
    bool withImageData = false;
};

Page MakePage(const PageSpec& pageSpec);

// A file of `pages` in `order`.
File MakeFile(ByteOrder order, std::vector<Page> pages, bool bigTiff = false);

// A bilevel page of the given size and resolution per inch, PackBits, with
// image data: what the samples and the benchmark corpus are made of.
Page MakeScanPage(std::uint32_t width, std::uint32_t height, std::uint32_t dpi);

// A scanned page by its pixel size and resolution alone, and the bytes of a
// file of such pages, for tests that need nothing more.
struct ScanSize {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t dpi;
};
std::vector<std::uint8_t> BuildScanFile(const std::vector<ScanSize>& pages, bool bigEndian = false);

// The same page described without image data: bilevel, PackBits, per inch.
PageSpec ScanPageSpec(std::uint32_t width, std::uint32_t height, std::uint32_t dpi);

// A classic file whose chain is `directories` directories placed 6 bytes
// apart, each claiming `claimedEntries` entries, all of which fit in the
// file: every directory's entries overlap the next ones', and the links
// lie where later directories' counts leave room for them. Read naively,
// it decodes directories * claimedEntries entries from a file of about
// 6 * (directories + 2 * claimedEntries) bytes.
std::vector<std::uint8_t> BuildOverlappingDirectories(ByteOrder order, std::size_t directories,
                                                      std::uint16_t claimedEntries);

// Writes bytes to a file; returns false on failure.
bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace folvane::fixture
