#include "inspect/tiff_reader.h"

#include <array>
#include <map>

#include "bytes/buffered_byte_source.h"
#include "inspect/field_names.h"
#include "platform/file_reader.h"

namespace folvane {

namespace {

// TIFF field types that change how a value field is decoded.
constexpr std::uint16_t kTypeByte = 1;
constexpr std::uint16_t kTypeAscii = 2;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeRational = 5;
constexpr std::uint16_t kTypeSByte = 6;
constexpr std::uint16_t kTypeUndefined = 7;
constexpr std::uint16_t kTypeSShort = 8;
constexpr std::uint16_t kTypeSRational = 10;
constexpr std::uint16_t kTypeLong8 = 16;
constexpr std::uint16_t kTypeSLong8 = 17;
constexpr std::uint16_t kTypeIfd8 = 18;

constexpr std::uint16_t kTagNewSubfileType = 254;
constexpr std::uint16_t kTagImageWidth = 256;
constexpr std::uint16_t kTagImageLength = 257;
constexpr std::uint16_t kTagBitsPerSample = 258;
constexpr std::uint16_t kTagCompression = 259;
constexpr std::uint16_t kTagPhotometric = 262;
constexpr std::uint16_t kTagXResolution = 282;
constexpr std::uint16_t kTagYResolution = 283;
constexpr std::uint16_t kTagResolutionUnit = 296;

constexpr std::uint16_t kBigTiffVersion = 43;

struct Layout {
    std::uint64_t countSize;
    std::uint64_t entrySize;
    std::uint64_t linkSize;
};
constexpr Layout kClassicLayout{2, 12, 4};
constexpr Layout kBigTiffLayout{8, 20, 8};

// The bytes of every directory read so far (count, entries and link), so a
// chain that loops back ends, and so no byte is decoded as part of two
// directories: directories packed a few bytes apart, each claiming
// thousands of entries, would otherwise make a small file cost minutes.
// With the directories disjoint, the entries decoded never exceed the
// file's size.
class DirectoryExtents {
  public:
    struct Extent {
        std::uint64_t start;
        std::uint64_t end;
        std::size_t index;  // the directory's place in the chain, from 0
    };
    // The directory that starts at `offset`, if one was read there.
    const Extent* StartingAt(std::uint64_t offset) const {
        return Find([offset](const Extent& e) { return e.start == offset; }, offset, offset + 1,
                    true);
    }
    // A directory read before whose bytes share any with [start, end).
    const Extent* Overlapping(std::uint64_t start, std::uint64_t end) const {
        return Find([start, end](const Extent& e) { return e.start < end && start < e.end; }, start,
                    end, false);
    }
    void Add(std::uint64_t start, std::uint64_t end, std::size_t index) {
        const Extent extent{start, end, index};
        if (sorted_.empty() && smallCount_ < small_.size()) {
            small_[smallCount_++] = extent;
            return;
        }
        if (sorted_.empty())
            for (std::size_t i = 0; i < smallCount_; ++i)
                sorted_.emplace(small_[i].start, small_[i]);
        sorted_.emplace(start, extent);
    }

  private:
    // Most files have a handful of pages: a short list is searched before
    // an ordered map is built.
    template <typename Matches>
    const Extent* Find(Matches matches, std::uint64_t start, std::uint64_t end, bool exact) const {
        if (sorted_.empty()) {
            for (std::size_t i = 0; i < smallCount_; ++i)
                if (matches(small_[i])) return &small_[i];
            return nullptr;
        }
        if (exact) {
            const auto found = sorted_.find(start);
            return found == sorted_.end() ? nullptr : &found->second;
        }
        // The extents are disjoint, so only the neighbours of `start` can
        // overlap it.
        const auto after = sorted_.lower_bound(start);
        if (after != sorted_.end() && after->first < end) return &after->second;
        if (after != sorted_.begin() && std::prev(after)->second.end > start)
            return &std::prev(after)->second;
        return nullptr;
    }

    std::array<Extent, 16> small_{};
    std::size_t smallCount_ = 0;
    std::map<std::uint64_t, Extent> sorted_;
};

// Where a resolution's fraction is: at an offset, or inline in a BigTIFF
// value field.
struct PendingFraction {
    bool isInline = false;
    bool isUnsigned = false;
    std::uint64_t offset = 0;
    std::optional<double> value;
};

// A RATIONAL is two unsigned numbers; a fraction stored under any other type
// is read as two signed ones, so a negative numerator gives a negative value.
std::optional<double> FractionValue(const std::uint8_t* bytes, ByteOrder order, bool isUnsigned) {
    const std::uint32_t numerator = LoadU32(bytes, order);
    const std::uint32_t denominator = LoadU32(bytes + 4, order);
    // A zero denominator gives no resolution at all rather than an infinity.
    if (denominator == 0) return std::nullopt;
    if (isUnsigned) return static_cast<double>(numerator) / static_cast<double>(denominator);
    return static_cast<double>(static_cast<std::int32_t>(numerator)) /
           static_cast<double>(static_cast<std::int32_t>(denominator));
}

class ChainReader {
  public:
    ChainReader(ByteSource& source, TiffReadResult& result, ReadMemoryGate* gate)
        : source_(source), result_(result), gate_(gate), size_(source.Size()) {}

    void Run() {
        std::array<std::uint8_t, 16> header{};
        if (size_ == 0) {
            result_.problem = "ファイルが空です";
            return;
        }
        if (size_ < 2) {
            result_.problem = "バイトオーダー (II/MM) を入れるには短すぎます（1 バイト）";
            return;
        }
        const std::size_t headerSize =
            size_ < header.size() ? static_cast<std::size_t>(size_) : header.size();
        if (!Read(0, std::span(header.data(), headerSize))) return;
        if (header[0] == 'I' && header[1] == 'I') {
            order_ = ByteOrder::LittleEndian;
        } else if (header[0] == 'M' && header[1] == 'M') {
            order_ = ByteOrder::BigEndian;
        } else {
            result_.problem = "先頭が II でも MM でもありません";
            return;
        }
        result_.byteOrder = order_;
        result_.status = TiffReadStatus::Damaged;

        if (headerSize < 8)
            return Fail("ヘッダーが途中で切れています（ファイルは " + Bytes(size_) + "）");
        result_.bigTiff = LoadU16(&header[2], order_) == kBigTiffVersion;
        std::uint64_t offset = 0;
        if (result_.bigTiff) {
            if (headerSize < 16)
                return Fail("BigTIFF のヘッダーが途中で切れています（ファイルは " + Bytes(size_) +
                            "）");
            layout_ = kBigTiffLayout;
            offset = LoadU64(&header[8], order_);
        } else {
            offset = LoadU32(&header[4], order_);
        }
        if (offset == 0)
            return Fail("ヘッダーが最初のディレクトリを指していません（オフセット 0）");

        while (true) {
            if (const auto* earlier = extents_.StartingAt(offset))
                return Fail("ディレクトリ " + std::to_string(result_.pages.size() + 1) +
                            " のリンクがディレクトリ " + std::to_string(earlier->index + 1) +
                            "（オフセット " + std::to_string(offset) + "）に戻っています");
            PageInfo page;
            std::uint64_t link = 0;
            if (!ReadDirectory(offset, page, link)) return;
            result_.pages.push_back(page);
            result_.lastLink = link;
            if (gate_ != nullptr && result_.pages.size() % kPagesPerMemoryReport == 0)
                gate_->PagesHeld(result_.pages.capacity() * sizeof(PageInfo));
            if (link == 0) break;
            if (result_.pages.size() >= kMaxTiffPages)
                return Fail("ディレクトリが 1 ファイルあたりの上限 " +
                            std::to_string(kMaxTiffPages) + " 個を超えて続いています");
            offset = link;
        }
        result_.status = TiffReadStatus::Complete;
    }

  private:
    static std::string Bytes(std::uint64_t n) { return std::to_string(n) + " バイト"; }

    void Fail(std::string problem) {
        if (result_.status != TiffReadStatus::CannotOpen) result_.status = TiffReadStatus::Damaged;
        result_.problem = std::move(problem);
    }

    bool Fits(std::uint64_t offset, std::uint64_t length) const {
        return length <= size_ && offset <= size_ - length;
    }

    std::string PastEnd(std::uint64_t offset) const {
        return "オフセット " + std::to_string(offset) + " がファイルの終わり（" + Bytes(size_) +
               "）を越えています";
    }

    // Reads exactly dest.size() bytes that are known to lie inside the file.
    bool Read(std::uint64_t offset, std::span<std::uint8_t> dest) {
        const auto got = source_.ReadAt(offset, dest);
        if (!got) {
            // The pages read before the error are kept, as for a chain that
            // breaks: every output then counts the same pages. Before the
            // byte order is known there are none, and nothing of a TIFF.
            std::string problem = "読み込み中にエラーが起きました";
            if (const std::string reason = source_.ErrorReason(); !reason.empty())
                problem += ": " + reason;
            if (result_.status == TiffReadStatus::Damaged) {
                Fail(std::move(problem));
            } else {
                result_.status = TiffReadStatus::CannotOpen;
                result_.problem = std::move(problem);
            }
            return false;
        }
        if (*got != dest.size()) {
            Fail("ファイルが " + Bytes(offset + *got) +
                 " で終わりました（読み込み中に短くなりました）");
            return false;
        }
        return true;
    }

    bool ReadDirectory(std::uint64_t offset, PageInfo& page, std::uint64_t& link) {
        if (!Fits(offset, layout_.countSize)) {
            Fail("ディレクトリ " + std::to_string(result_.pages.size() + 1) + " の" +
                 PastEnd(offset));
            return false;
        }
        std::array<std::uint8_t, 8> countBytes{};
        if (!Read(offset, std::span(countBytes.data(), layout_.countSize))) return false;
        const std::uint64_t count = result_.bigTiff ? LoadU64(countBytes.data(), order_)
                                                    : LoadU16(countBytes.data(), order_);

        const std::uint64_t blockStart = offset + layout_.countSize;
        const std::uint64_t room = size_ - blockStart;
        // Composed only for a reason: most directories need none.
        const auto where = [&] {
            return "ディレクトリ " + std::to_string(result_.pages.size() + 1) + "（オフセット " +
                   std::to_string(offset) + "）";
        };
        if (result_.bigTiff && count > kMaxBigTiffEntries) {
            Fail(where() + "のエントリ数 " + std::to_string(count) +
                 " が BigTIFF の 1 ディレクトリあたりの上限 " + std::to_string(kMaxBigTiffEntries) +
                 " を超えています");
            return false;
        }
        if (room < layout_.linkSize || count > (room - layout_.linkSize) / layout_.entrySize) {
            Fail(where() + "のエントリ数 " + std::to_string(count) + " がファイル（" +
                 Bytes(size_) + "）に収まりません");
            return false;
        }
        const std::uint64_t blockSize = count * layout_.entrySize + layout_.linkSize;
        if (const auto* earlier = extents_.Overlapping(offset, blockStart + blockSize)) {
            Fail(where() + "がディレクトリ " + std::to_string(earlier->index + 1) +
                 " と重なっています（エントリ数 " + std::to_string(count) + "）");
            return false;
        }
        extents_.Add(offset, blockStart + blockSize, result_.pages.size());
        // One read for every entry and the next link.
        block_.resize(static_cast<std::size_t>(blockSize));
        if (!Read(blockStart, block_)) return false;

        PendingFraction x, y;
        bool hasX = false, hasY = false;
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint8_t* entry = block_.data() + i * layout_.entrySize;
            DecodeEntry(entry, page, x, hasX, y, hasY);
        }
        const std::uint8_t* linkBytes = block_.data() + count * layout_.entrySize;
        link = result_.bigTiff ? LoadU64(linkBytes, order_) : LoadU32(linkBytes, order_);

        if (!ResolveFractions(x, hasX, y, hasY)) return false;
        if (hasX) page.XResolution = x.value;
        if (hasY) page.YResolution = y.value;
        return true;
    }

    // The value of an entry as a number. Classic files read the 4-byte field
    // whole; a big-endian SHORT has its halves exchanged so that the low half
    // is the number in the field's first two bytes.
    std::uint64_t EntryValue(const std::uint8_t* field, std::uint16_t type) const {
        if (!result_.bigTiff) {
            const std::uint32_t v = LoadU32(field, order_);
            if (order_ == ByteOrder::BigEndian && type == kTypeShort)
                return static_cast<std::uint32_t>(SwapWords(static_cast<std::int32_t>(v)));
            return v;
        }
        switch (type) {
            case kTypeShort:
            case kTypeSShort:
                return LoadU16(field, order_);
            case kTypeByte:
            case kTypeAscii:
            case kTypeSByte:
            case kTypeUndefined:
                return field[0];
            case kTypeLong8:
            case kTypeSLong8:
            case kTypeIfd8:
                return LoadU64(field, order_);
            default:
                return LoadU32(field, order_);
        }
    }

    PendingFraction FractionOf(const std::uint8_t* field, std::uint16_t type, std::uint64_t count,
                               std::uint64_t value) const {
        // A single BigTIFF RATIONAL fits the 8-byte value field.
        const bool isUnsigned = type == kTypeRational;
        const bool isFraction = type == kTypeRational || type == kTypeSRational;
        if (result_.bigTiff && isFraction && count <= 1)
            return {.isInline = true,
                    .isUnsigned = isUnsigned,
                    .offset = 0,
                    .value = FractionValue(field, order_, isUnsigned)};
        // Stored away from its entry, a BigTIFF fraction has an 8-byte offset;
        // the first of several fractions is the resolution.
        const std::uint64_t offset = result_.bigTiff && isFraction ? LoadU64(field, order_) : value;
        return {
            .isInline = false, .isUnsigned = isUnsigned, .offset = offset, .value = std::nullopt};
    }

    void DecodeEntry(const std::uint8_t* entry, PageInfo& page, PendingFraction& x, bool& hasX,
                     PendingFraction& y, bool& hasY) const {
        const std::uint16_t tag = LoadU16(entry, order_);
        const std::uint16_t type = LoadU16(entry + 2, order_);
        const std::uint64_t count =
            result_.bigTiff ? LoadU64(entry + 4, order_) : LoadU32(entry + 4, order_);
        const std::uint8_t* field = entry + (result_.bigTiff ? 12 : 8);
        const std::uint64_t v = EntryValue(field, type);
        switch (tag) {
            case kTagNewSubfileType:
                page.NewSubfileType = v;
                break;
            case kTagImageWidth:
                page.Width = v;
                break;
            case kTagImageLength:
                page.Height = v;
                break;
            case kTagBitsPerSample:
                page.BitsPerSample = v;
                break;
            case kTagCompression:
                page.CompressionName = CompressionNameFor(v);
                break;
            case kTagPhotometric:
                page.ColorName = ColorNameFor(v, page.BitsPerSample);
                break;
            case kTagXResolution:
                x = FractionOf(field, type, count, v);
                hasX = true;
                break;
            case kTagYResolution:
                y = FractionOf(field, type, count, v);
                hasY = true;
                break;
            case kTagResolutionUnit:
                // Other values leave what an earlier entry set.
                if (v == 1) page.UnitName = ResolutionUnit::None;
                if (v == 2) page.UnitName = ResolutionUnit::Inch;
                if (v == 3) page.UnitName = ResolutionUnit::Centimetre;
                break;
            default:
                break;
        }
    }

    // Reads the fractions the directory points at; both in one read when
    // they lie side by side, as most writers store them. A fraction outside
    // the file is an unknown resolution, not a damaged file.
    bool ResolveFractions(PendingFraction& x, bool hasX, PendingFraction& y, bool hasY) {
        const bool needX = hasX && !x.isInline;
        const bool needY = hasY && !y.isInline;
        if (needX && needY && (y.offset == x.offset + 8 || x.offset == y.offset + 8) &&
            x.offset <= UINT64_MAX - 8 && y.offset <= UINT64_MAX - 8) {
            const std::uint64_t start = x.offset < y.offset ? x.offset : y.offset;
            if (Fits(start, 16)) {
                std::array<std::uint8_t, 16> both{};
                if (!Read(start, both)) return false;
                x.value = FractionValue(both.data() + (x.offset - start), order_, x.isUnsigned);
                y.value = FractionValue(both.data() + (y.offset - start), order_, y.isUnsigned);
                return true;
            }
        }
        if (needX && !ReadFraction(x)) return false;
        if (needY && !ReadFraction(y)) return false;
        return true;
    }

    bool ReadFraction(PendingFraction& fraction) {
        if (!Fits(fraction.offset, 8)) {
            fraction.value = std::nullopt;
            return true;
        }
        std::array<std::uint8_t, 8> bytes{};
        if (!Read(fraction.offset, bytes)) return false;
        fraction.value = FractionValue(bytes.data(), order_, fraction.isUnsigned);
        return true;
    }

    ByteSource& source_;
    TiffReadResult& result_;
    ReadMemoryGate* gate_;
    const std::uint64_t size_;
    ByteOrder order_ = ByteOrder::LittleEndian;
    Layout layout_ = kClassicLayout;
    DirectoryExtents extents_;
    std::vector<std::uint8_t> block_;
};

}  // namespace

TiffReadResult ReadTiff(ByteSource& source, ReadMemoryGate* gate) {
    TiffReadResult result;
    ChainReader(source, result, gate).Run();
    return result;
}

TiffReadResult ReadBufferedFile(const std::string& path,
                                const std::function<TiffReadResult(ByteSource&)>& read) {
    auto file = OpenFileForReading(path);
    if (!file.source) {
        TiffReadResult result;
        result.status = TiffReadStatus::CannotOpen;
        result.problem = file.error;
        return result;
    }
    // A file costs a read or two instead of three per page: on a file
    // server every read is a round trip.
    BufferedByteSource buffered(*file.source);
    return read(buffered);
}

TiffReadResult ReadTiffFile(const std::string& path, ReadMemoryGate* gate) {
    return ReadBufferedFile(path, [gate](ByteSource& source) { return ReadTiff(source, gate); });
}

}  // namespace folvane
