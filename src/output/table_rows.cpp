#include "output/table_rows.h"

#include "inspect/page_texts.h"
#include "inspect/result_lines.h"
#include "inspect/snap_dimension.h"
#include "output/page_facts.h"
#include "state/texts.h"

namespace folvane {

namespace {

// Scans kept as records usually need at least this many dots per inch.
constexpr double kMinimumRecordDpi = 200.0;
constexpr double kCentimetresPerInch = 2.54;

constexpr std::string_view kStatusOk = "正常";

constexpr std::size_t kStatusColumn = 17;
constexpr std::size_t kReasonColumn = 18;

TableRow StatusRow(const std::string& path, std::string_view status, const std::string& reason) {
    TableRow row;
    row[0] = path;
    row[kStatusColumn] = status;
    row[kReasonColumn] = reason;
    return row;
}

std::string_view FileStatus(TiffReadStatus status) {
    switch (status) {
        case TiffReadStatus::NotTiff:
            return text::kNotTiffHeading;
        case TiffReadStatus::CannotOpen:
            return text::kCannotOpen;
        case TiffReadStatus::Damaged:
            return text::kDamaged;
        case TiffReadStatus::Locked:  // what the file needs: "パスワードが必要です"
        case TiffReadStatus::Complete:
            break;
    }
    return kStatusOk;
}

}  // namespace

std::string_view FileStatus(const TiffReadResult& read) {
    if (read.status == TiffReadStatus::Locked) return read.problem;
    return FileStatus(read.status);
}

const std::array<std::string_view, kPageSheetColumnCount>& TableHeadings() {
    static constexpr std::array<std::string_view, kPageSheetColumnCount> kHeadings = {
        "パス",     "ページ",   "ページ数", "バイトオーダー", "幅(ピクセル)", "高さ(ピクセル)",
        "横解像度", "縦解像度", "単位",     "幅(mm)",         "高さ(mm)",     "圧縮形式",
        "色数",     "用紙",     "向き",     "種類",           "注記",         "状態",
        "理由",     "A4換算",   "色区分"};
    return kHeadings;
}

bool IsNumberColumn(std::size_t column) {
    switch (column) {
        case 1:   // page
        case 2:   // page count
        case 4:   // width in pixels
        case 5:   // height in pixels
        case 6:   // horizontal resolution
        case 7:   // vertical resolution
        case 9:   // width in mm
        case 10:  // height in mm
        case 19:  // A4 units
            return true;
        default:
            return false;
    }
}

std::string PageNotes(const PageInfo& page, bool paperIsOther) {
    std::vector<std::string_view> notes;
    // A PDF page that paints no image has no resolution to check.
    if (page.BoxWidthPoints) {
        std::string joined = "画像なし";
        if (paperIsOther) joined += ";用紙サイズ外";
        return joined;
    }
    const bool known = page.XResolution.value_or(0) != 0 && page.YResolution.value_or(0) != 0;
    if (!known) notes.push_back("解像度なし");
    // The size is unknown, so its A4 units are a guess.
    if (!known) notes.push_back("A4換算は仮に1");
    if (page.UnitName == ResolutionUnit::None) notes.push_back("単位なし");
    if (page.XResolution.value_or(0) != page.YResolution.value_or(0))
        notes.push_back("縦横で解像度が異なる");
    if (known) {
        const double perInch =
            page.UnitName == ResolutionUnit::Centimetre ? kCentimetresPerInch : 1.0;
        if (*page.XResolution * perInch < kMinimumRecordDpi ||
            *page.YResolution * perInch < kMinimumRecordDpi)
            notes.push_back("200dpi未満");
    }
    if (paperIsOther) notes.push_back("用紙サイズ外");
    std::string joined;
    for (const auto note : notes) {
        if (!joined.empty()) joined += ';';
        joined += note;
    }
    return joined;
}

std::vector<TableRow> TableRows(const std::string& path, const TiffReadResult& read) {
    const std::vector<PageFacts> facts = DescribePages(read);
    return TableRows(path, read, facts);
}

std::vector<TableRow> TableRows(const std::string& path, const TiffReadResult& read,
                                std::span<const PageFacts> pageFacts) {
    std::vector<TableRow> rows;
    rows.reserve(read.pages.size() + 1);
    const std::string pageCount = std::to_string(read.pages.size());
    const std::string byteOrder = FileFormatText(read);
    for (std::size_t p = 0; p < read.pages.size(); ++p) {
        const PageInfo& page = read.pages[p];
        const PageFacts& facts = pageFacts[p];
        const PageSides sides = SidesOf(page);
        const bool reduced = page.NewSubfileType.value_or(0) & 1;
        std::string notes = PageNotes(page, facts.paper == Paper::Other);
        if (read.rebuiltXref) notes += notes.empty() ? "相互参照表を再構築" : ";相互参照表を再構築";
        rows.push_back({
            path,
            std::to_string(p + 1),
            pageCount,
            byteOrder,
            DigitsText(page.Width),
            DigitsText(page.Height),
            ResolutionText(page.XResolution),
            ResolutionText(page.YResolution),
            page.BoxWidthPoints ? std::string() : std::string(UnitText(page.UnitName)),
            MillimetreText(sides.width, sides.xResolution, sides.unit, false),
            MillimetreText(sides.height, sides.yResolution, sides.unit, false),
            std::string(page.CompressionName),
            std::string(page.ColorName),
            std::string(PaperNameText(facts.paper)),
            std::string(facts.landscape ? text::kLandscape : text::kPortrait),
            reduced ? "縮小画像" : "ページ",
            notes,
            std::string(kStatusOk),
            std::string(),
            std::to_string(facts.a4Units),
            std::string(ColourClassText(facts.colour)),
        });
    }
    if (read.status != TiffReadStatus::Complete)
        rows.push_back(StatusRow(path, FileStatus(read), read.problem));
    return rows;
}

TableRow InputProblemRow(const std::string& path, const std::string& reason) {
    return StatusRow(path, text::kCannotOpen, reason);
}

}  // namespace folvane
