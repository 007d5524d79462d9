#include "tiff_builder.h"

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <utility>

namespace folvane::fixture {
namespace {

// Bytes per stored number. Rationals store each numerator and denominator
// as a 4-byte number. Unknown types get one byte per value so that tests can
// describe odd types without the builder refusing them.
std::size_t NumberWidth(std::uint16_t type) {
    switch (type) {
        case 3:  // SHORT
        case 8:  // SSHORT
            return 2;
        case 4:   // LONG
        case 9:   // SLONG
        case 11:  // FLOAT
        case 13:  // IFD
        case kRational:
        case kSRational:
            return 4;
        case 12:  // DOUBLE
        case kLong8:
        case 17:  // SLONG8
        case 18:  // IFD8
            return 8;
        default:
            return 1;
    }
}

bool IsRational(std::uint16_t type) { return type == kRational || type == kSRational; }

class Writer {
  public:
    explicit Writer(ByteOrder order) : order_(order) {}

    std::size_t Size() const { return bytes_.size(); }

    void Put(std::uint64_t value, std::size_t width) {
        const std::size_t at = bytes_.size();
        bytes_.resize(at + width);
        Patch(at, value, width);
    }

    void Patch(std::size_t at, std::uint64_t value, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i) {
            const std::size_t shift = order_ == ByteOrder::Little ? i : width - 1 - i;
            bytes_[at + i] = static_cast<std::uint8_t>(value >> (8 * shift));
        }
    }

    void Append(const std::vector<std::uint8_t>& data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }

    void Align(std::size_t boundary) {
        while (bytes_.size() % boundary != 0) bytes_.push_back(0);
    }

    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

  private:
    ByteOrder order_;
    std::vector<std::uint8_t> bytes_;
};

// The values of an entry as they appear in the file, before deciding whether
// they live in the value field or elsewhere.
std::vector<std::uint8_t> EncodeValues(const Entry& entry, ByteOrder order) {
    Writer w(order);
    const std::size_t width = NumberWidth(entry.type);
    for (std::uint64_t v : entry.values) w.Put(v, width);
    return w.Take();
}

std::uint64_t CountOf(const Entry& entry) {
    if (entry.countOverride) return *entry.countOverride;
    return IsRational(entry.type) ? entry.values.size() / 2 : entry.values.size();
}

struct PlacedEntry {
    Entry entry;
    std::vector<std::uint8_t> field;  // exactly the value field's width
};

Entry LongEntry(std::uint16_t tag, std::uint64_t value) { return MakeEntry(tag, kLong, {value}); }

std::vector<std::uint8_t> PackBitsWhiteRows(std::uint32_t width, std::uint32_t height) {
    // Every row is encoded on its own: TIFF readers expect PackBits runs not
    // to cross rows.
    std::vector<std::uint8_t> row;
    for (std::uint32_t left = (width + 7) / 8; left > 0;) {
        const std::uint32_t n = std::min<std::uint32_t>(left, 128);
        // A run needs at least two bytes; a lone byte is a literal of one.
        row.push_back(n == 1 ? 0 : static_cast<std::uint8_t>(257 - n));
        row.push_back(0);
        left -= n;
    }
    std::vector<std::uint8_t> data;
    data.reserve(row.size() * height);
    for (std::uint32_t y = 0; y < height; ++y) data.insert(data.end(), row.begin(), row.end());
    return data;
}

}  // namespace

Entry MakeEntry(std::uint16_t tag, std::uint16_t type, std::vector<std::uint64_t> values) {
    Entry entry;
    entry.tag = tag;
    entry.type = type;
    entry.values = std::move(values);
    return entry;
}

std::vector<std::uint8_t> Build(const File& file) {
    const bool big = file.bigTiff;
    const std::size_t fieldWidth = big ? 8 : 4;
    const std::size_t offsetWidth = big ? 8 : 4;
    // Readers require word alignment; BigTIFF files customarily use 8 bytes.
    const std::size_t boundary = big ? 8 : 4;

    Writer w(file.byteOrder);
    const std::uint8_t mark = file.byteOrder == ByteOrder::Little ? 'I' : 'M';
    w.Append({mark, mark});
    w.Put(file.version != 0 ? file.version : (big ? 43 : 42), 2);
    if (big) {
        w.Put(8, 2);
        w.Put(0, 2);
    }
    const std::size_t firstOffsetAt = w.Size();
    w.Put(0, offsetWidth);

    std::vector<std::size_t> directoryOffsets;
    std::vector<std::size_t> linkPositions;

    for (const Page& page : file.pages) {
        std::vector<PlacedEntry> placed;
        for (const Entry& entry : page.entries) {
            Writer field(file.byteOrder);
            if (entry.rawValueField) {
                field.Put(*entry.rawValueField, fieldWidth);
            } else {
                std::vector<std::uint8_t> data = EncodeValues(entry, file.byteOrder);
                if (data.size() <= fieldWidth) {
                    data.resize(fieldWidth, 0);
                    field.Append(data);
                } else {
                    w.Align(boundary);
                    field.Put(w.Size(), fieldWidth);
                    w.Append(data);
                }
            }
            placed.push_back({entry, field.Take()});
        }

        if (!page.stripData.empty()) {
            w.Align(boundary);
            const std::uint64_t stripOffset = w.Size();
            w.Append(page.stripData);
            std::uint64_t rows = 1;
            for (const Entry& e : page.entries) {
                if (e.tag == 257 && !e.values.empty()) {
                    rows = e.values.front();
                    break;
                }
            }
            for (Entry e : {LongEntry(273, stripOffset), LongEntry(278, rows),
                            LongEntry(279, page.stripData.size())}) {
                std::vector<std::uint8_t> data = EncodeValues(e, file.byteOrder);
                data.resize(fieldWidth, 0);
                placed.push_back({std::move(e), std::move(data)});
            }
        }

        if (page.sortEntries) {
            std::stable_sort(placed.begin(), placed.end(),
                             [](const PlacedEntry& a, const PlacedEntry& b) {
                                 return a.entry.tag < b.entry.tag;
                             });
        }

        w.Align(boundary);
        directoryOffsets.push_back(w.Size());
        w.Put(placed.size(), big ? 8 : 2);
        for (const PlacedEntry& p : placed) {
            w.Put(p.entry.tag, 2);
            w.Put(p.entry.type, 2);
            w.Put(CountOf(p.entry), big ? 8 : 4);
            w.Append(p.field);
        }
        linkPositions.push_back(w.Size());
        w.Put(0, offsetWidth);
    }

    const std::uint64_t first = directoryOffsets.empty() ? 0 : directoryOffsets.front();
    w.Patch(firstOffsetAt, file.firstOffsetOverride.value_or(first), offsetWidth);
    for (std::size_t i = 0; i < file.pages.size(); ++i) {
        const std::uint64_t next = i + 1 < directoryOffsets.size() ? directoryOffsets[i + 1] : 0;
        w.Patch(linkPositions[i], file.pages[i].nextLinkOverride.value_or(next), offsetWidth);
    }
    return w.Take();
}

std::vector<std::uint8_t> BuildScanFile(const std::vector<ScanSize>& pages, bool bigEndian) {
    File file;
    file.byteOrder = bigEndian ? ByteOrder::Big : ByteOrder::Little;
    for (const ScanSize& page : pages)
        file.pages.push_back(MakeScanPage(page.width, page.height, page.dpi));
    return Build(file);
}

File MakeFile(ByteOrder order, std::vector<Page> pages, bool bigTiff) {
    File file;
    file.byteOrder = order;
    file.bigTiff = bigTiff;
    file.pages = std::move(pages);
    return file;
}

Page MakePage(const PageSpec& wanted) {
    Page page;
    auto add = [&page](std::uint16_t tag, std::uint16_t type, std::vector<std::uint64_t> values) {
        page.entries.push_back(MakeEntry(tag, type, std::move(values)));
    };

    std::optional<std::uint16_t> compression = wanted.compression;
    std::optional<std::uint16_t> photometric = wanted.photometric;
    std::vector<std::uint16_t> bitsPerSample = wanted.bitsPerSample;
    if (wanted.withImageData) {
        // The strip is PackBits bilevel white; the tags must agree with it.
        if (!compression) compression = 32773;
        if (!photometric) photometric = 0;
        if (bitsPerSample.empty()) bitsPerSample = {1};
    }

    if (wanted.newSubfileType != 0) add(254, kLong, {wanted.newSubfileType});
    const std::uint16_t sizeType = wanted.sizesAsShort ? kShort : kLong;
    add(256, sizeType, {wanted.width});
    add(257, sizeType, {wanted.height});
    if (!bitsPerSample.empty()) {
        add(258, kShort, std::vector<std::uint64_t>(bitsPerSample.begin(), bitsPerSample.end()));
    }
    if (compression) add(259, kShort, {*compression});
    if (photometric) add(262, kShort, {*photometric});
    if (wanted.xResolution) {
        add(282, kRational, {wanted.xResolution->numerator, wanted.xResolution->denominator});
    }
    if (wanted.yResolution) {
        add(283, kRational, {wanted.yResolution->numerator, wanted.yResolution->denominator});
    }
    if (wanted.resolutionUnit) add(296, kShort, {*wanted.resolutionUnit});

    if (wanted.withImageData) {
        // Stated rather than left to the default so that every reader sees one
        // sample per pixel, agreeing with the single BitsPerSample value.
        add(277, kShort, {1});
        page.stripData = PackBitsWhiteRows(wanted.width, wanted.height);
    }
    return page;
}

PageSpec ScanPageSpec(std::uint32_t width, std::uint32_t height, std::uint32_t dpi) {
    PageSpec wanted;
    wanted.width = width;
    wanted.height = height;
    wanted.xResolution = Fraction{dpi, 1};
    wanted.yResolution = Fraction{dpi, 1};
    wanted.resolutionUnit = 2;
    wanted.compression = 32773;
    wanted.photometric = 0;
    wanted.bitsPerSample = {1};
    return wanted;
}

Page MakeScanPage(std::uint32_t width, std::uint32_t height, std::uint32_t dpi) {
    PageSpec wanted = ScanPageSpec(width, height, dpi);
    wanted.withImageData = true;
    return MakePage(wanted);
}

std::vector<std::uint8_t> BuildOverlappingDirectories(ByteOrder order, std::size_t directories,
                                                      std::uint16_t claimedEntries) {
    // Cell j (6 bytes at 8 + 6j) holds a count and 4 bytes. Directory k
    // starts at cell k; its link lies 2 + 12N bytes further on, in the
    // second half of cell k + 2N.
    constexpr std::uint64_t kFirst = 8;
    constexpr std::uint64_t kCell = 6;
    const std::size_t span = 2 * static_cast<std::size_t>(claimedEntries);
    Writer out(order);
    out.Put(order == ByteOrder::Little ? 0x4949 : 0x4D4D, 2);
    out.Put(42, 2);
    out.Put(kFirst, 4);
    for (std::size_t j = 0; j < directories + span; ++j) {
        out.Put(claimedEntries, 2);
        std::uint64_t link = 0;
        if (j >= span && j - span + 1 < directories) link = kFirst + kCell * (j - span + 1);
        out.Put(link, 4);
    }
    return out.Take();
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace folvane::fixture
