#include "cli/table_format.h"

#include "inspect/page_texts.h"
#include "inspect/result_lines.h"
#include "inspect/snap_dimension.h"
#include "paper/classify_paper_size.h"
#include "state/texts.h"

namespace folvane::cli {

namespace {

// Scans kept as records usually need at least this many dots per inch.
constexpr double kMinimumRecordDpi = 200.0;
constexpr double kCentimetresPerInch = 2.54;

constexpr std::string_view kStatusOk = "正常";

std::string JoinRow(const std::vector<std::string>& fields) {
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) row += ',';
        row += CsvField(fields[i]);
    }
    return row;
}

constexpr std::size_t kColumnCount = 19;
constexpr std::size_t kStatusColumn = 17;
constexpr std::size_t kReasonColumn = 18;

std::string StatusRow(const std::string& path, std::string_view status, const std::string& reason) {
    std::vector<std::string> fields(kColumnCount);
    fields[0] = path;
    fields[kStatusColumn] = status;
    fields[kReasonColumn] = reason;
    return JoinRow(fields);
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

std::string_view FileStatus(const TiffReadResult& read) {
    if (read.status == TiffReadStatus::Locked) return read.problem;
    return FileStatus(read.status);
}

}  // namespace

std::string CsvField(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string TableHeaderRow() {
    return JoinRow({"パス", "ページ", "ページ数", "バイトオーダー", "幅(ピクセル)",
                    "高さ(ピクセル)", "横解像度", "縦解像度", "単位", "幅(mm)", "高さ(mm)",
                    "圧縮形式", "色数", "用紙", "向き", "種類", "注記", "状態", "理由"});
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

std::vector<std::string> TableRows(const std::string& path, const TiffReadResult& read) {
    std::vector<std::string> rows;
    const std::string pageCount = std::to_string(read.pages.size());
    const std::string byteOrder = FileFormatText(read);
    TallyTable unused;
    for (std::size_t p = 0; p < read.pages.size(); ++p) {
        const PageInfo& page = read.pages[p];
        const PageSides sides = SidesOf(page);
        const Paper paper = ClassifyPage(page, {}, unused);
        const bool landscape = sides.landscape;
        const bool reduced = page.NewSubfileType.value_or(0) & 1;
        std::string notes = PageNotes(page, paper == Paper::Other);
        if (read.rebuiltXref) notes += notes.empty() ? "相互参照表を再構築" : ";相互参照表を再構築";
        rows.push_back(JoinRow({
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
            std::string(PaperNameText(paper)),
            std::string(landscape ? text::kLandscape : text::kPortrait),
            reduced ? "縮小画像" : "ページ",
            notes,
            std::string(kStatusOk),
            std::string(),
        }));
    }
    if (read.status != TiffReadStatus::Complete)
        rows.push_back(StatusRow(path, FileStatus(read), read.problem));
    return rows;
}

std::string InputProblemRow(const std::string& path, const std::string& reason) {
    return StatusRow(path, text::kCannotOpen, reason);
}

}  // namespace folvane::cli
