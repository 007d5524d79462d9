// The table's rows, the CSV they are written as, A4 units, colour classes
// and the folder and invoice totals.
#include <gtest/gtest.h>

#include "output/billing_summary.h"
#include "output/csv.h"
#include "output/folder_totals.h"
#include "output/table_rows.h"
#include "paper/billing_units.h"
#include "platform/file_system.h"
#include "tiff_builder.h"

namespace folvane {
namespace {

namespace fx = fixture;

std::string Csv(const TableRow& row) {
    return CsvLine(std::span<const std::string>(row.data(), kTableColumnCount), IsNumberColumn);
}

std::vector<std::string> Csv(const std::vector<TableRow>& rows) {
    std::vector<std::string> lines;
    for (const auto& row : rows) lines.push_back(Csv(row));
    return lines;
}

fx::Page FaxPage() {
    fx::PageSpec pageSpec = fx::ScanPageSpec(1728, 2200, 204);
    pageSpec.yResolution = fx::Fraction{98, 1};
    pageSpec.compression = 3;
    return fx::MakePage(pageSpec);
}

TiffReadResult Read(const fx::File& file) {
    const auto bytes = fx::Build(file);
    MemoryByteSource source(bytes);
    return ReadTiff(source);
}

TEST(TableRows, PagesThumbnailsAndFileStatuses) {
    fx::File file;
    fx::PageSpec thumb;
    thumb.width = 100;
    thumb.height = 141;
    thumb.newSubfileType = 1;
    file.pages = {FaxPage(), fx::MakePage(thumb)};
    const auto rows = Csv(TableRows("scans/fax, 1.tif", Read(file)));
    ASSERT_EQ(rows.size(), 2u);
    // 1728 px / 204 dpi = 215 mm and 2200 px / 98 dpi = 570 mm snap to
    // 210 x 594; a fax's two resolutions differ and 98 is below 200.
    EXPECT_EQ(rows[0],
              "\"scans/fax, 1.tif\",1,2,II (Win),1728,2200,204,98,dpi,215,570,G3 Fax,"
              "Bilevel (WiZ),A2,縦長,ページ,縦横で解像度が異なる;200dpi未満,正常,,2");
    EXPECT_EQ(rows[1],
              "\"scans/fax, 1.tif\",2,2,II (Win),100,141,,,dpi,?,?,,,Other,縦長,縮小画像,"
              "解像度なし;A4換算は仮に1;用紙サイズ外,正常,,1");

    file.pages.push_back(FaxPage());
    file.pages[1].nextLinkOverride = 0x7FFFFFF0u;
    const auto damaged = Csv(TableRows("d.tif", Read(file)));
    ASSERT_EQ(damaged.size(), 3u);
    // The reason in the last column.
    EXPECT_EQ(damaged[2],
              "d.tif,,,,,,,,,,,,,,,,,ファイルが壊れています,ディレクトリ 3 のオフセット "
              "2147483632 がファイルの終わり（" +
                  std::to_string(fx::Build(file).size()) + " バイト）を越えています,");

    TiffReadResult notTiff;
    notTiff.problem = "先頭が II でも MM でもありません";
    EXPECT_EQ(Csv(TableRows("n.tif", notTiff)),
              (std::vector<std::string>{
                  "n.tif,,,,,,,,,,,,,,,,,Tiffではないのでは？,先頭が II でも MM でもありません,"}));
    TiffReadResult unreadable;
    unreadable.status = TiffReadStatus::CannotOpen;
    unreadable.problem = "アクセスが拒否されました";
    EXPECT_EQ(Csv(TableRows("u.tif", unreadable))[0],
              "u.tif,,,,,,,,,,,,,,,,,ファイルを開けません,アクセスが拒否されました,");
    EXPECT_EQ(
        Csv(InputProblemRow("scans/2026", "フォルダを開けません（アクセスが拒否されました）")),
        "scans/2026,,,,,,,,,,,,,,,,,ファイルを開けません,"
        "フォルダを開けません（アクセスが拒否されました）,");
}

TEST(TableRows, Notes) {
    PageInfo page;
    page.XResolution = 80;
    page.YResolution = 80;
    page.UnitName = ResolutionUnit::Centimetre;  // 203.2 per inch
    EXPECT_EQ(PageNotes(page, false), "");
    page.UnitName = ResolutionUnit::None;
    EXPECT_EQ(PageNotes(page, true), "単位なし;200dpi未満;用紙サイズ外");
    page.YResolution = 0;
    EXPECT_EQ(PageNotes(page, false), "解像度なし;A4換算は仮に1;単位なし;縦横で解像度が異なる");
}

TEST(A4Units, StandardSizesAndTheRest) {
    const struct {
        std::optional<double> width, height;
        std::uint32_t units;
    } cases[] = {
        {210, 297, 1},     {297, 420, 2},          {420, 594, 4},          {594, 841, 8},
        {841, 1189, 16},   {257, 364, 2},          {364, 515, 3},          {515, 728, 6},
        {728, 1031, 12},   {182, 257, 1},          {105, 148, 1},          {128, 182, 1},
        {297, 210, 2 - 1}, {216, 279, 1},          {216, 356, 2},          {1600, 1189, 31},
        {0, 0, 1},         {std::nullopt, 297, 1}, {210, std::nullopt, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(A4Units(c.width, c.height), c.units)
            << c.width.value_or(-1) << " x " << c.height.value_or(-1);
    // A damaged file's absurd sides stay in range.
    EXPECT_EQ(A4Units(1e300, 1e300), 4000000000u);
}

TEST(ColourClasses, FromTheColourColumn) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"Bilevel (WiZ)", "白黒"},   {"Bilevel (BiZ)", "白黒"},
        {"Gray (16 BiZ)", "グレー"}, {"Gray (256 WiZ)", "グレー"},
        {"Gray", "グレー"},          {"RGB", "カラー"},
        {"RGB Palette", "カラー"},   {"Palette (256 RGB)", "カラー"},
        {"CMYK", "カラー"},          {"YCbCr", "カラー"},
        {"CIELab", "カラー"},        {"Transparency mask", "不明"},
        {"Unknown", "不明"},         {"", "不明"},
    };
    for (const auto& [name, cls] : cases)
        EXPECT_EQ(ColourClassText(ClassifyColour(name)), cls) << name;
}

TEST(Csv, QuotesAndNeutralisesFormulas) {
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");
    // A spreadsheet computes a cell that starts like a formula.
    EXPECT_EQ(CsvField("=1+2.tif"), "'=1+2.tif");
    EXPECT_EQ(CsvField("+1.tif"), "'+1.tif");
    EXPECT_EQ(CsvField("-x.tif"), "'-x.tif");
    EXPECT_EQ(CsvField("@SUM(A1).tif"), "'@SUM(A1).tif");
    EXPECT_EQ(CsvField("\tx.tif"), "'\tx.tif");
    EXPECT_EQ(CsvField("\rx.tif"), "\"'\rx.tif\"");
    EXPECT_EQ(CsvField("=HYPERLINK(\"x\",1)"), "\"'=HYPERLINK(\"\"x\"\",1)\"");
    EXPECT_EQ(CsvField("a=b.tif"), "a=b.tif");
    // Numbers are numbers.
    EXPECT_EQ(CsvField("-5", true), "-5");
    // The path column of a table row.
    TableRow row;
    row[0] = "=1+2.tif";
    row[1] = "1";
    EXPECT_EQ(Csv(row), "'=1+2.tif,1,,,,,,,,,,,,,,,,,,");
}

// Pages of a scan-like file: width x height pixels at a resolution.
fx::Page Scan(std::uint32_t width, std::uint32_t height, std::uint32_t dpi,
              std::uint16_t photometric = 0, std::uint16_t bits = 1) {
    fx::PageSpec page = fx::ScanPageSpec(width, height, dpi);
    page.photometric = photometric;
    page.bitsPerSample = {bits};
    return fx::MakePage(page);
}

TEST(FolderTotals, PerFolderInListOrder) {
    fx::File mixed;
    mixed.pages = {Scan(2480, 3508, 300), Scan(3508, 4961, 300, 2, 8), Scan(1654, 2339, 200, 1, 8)};
    fx::File noResolution;
    fx::PageSpec bare;
    bare.width = 100;
    bare.height = 100;
    noResolution.pages = {fx::MakePage(bare)};
    const std::string sep(1, kPathSeparator);
    FolderTotals folders;
    folders.AddFile("b" + sep + "x.tif", DescribePages(Read(mixed)));
    folders.AddFile("a" + sep + "y.tif", DescribePages(Read(noResolution)));
    folders.AddFile("b" + sep + "z.tif", DescribePages(TiffReadResult{}));
    folders.AddFile("top.tif", {});
    ASSERT_EQ(folders.Folders().size(), 3u);
    EXPECT_EQ(CsvLine(FolderRow(folders.Folders()[0]), IsFolderNumberColumn),
              "b,2,3,4,0,0,0,1,2,0,0,0,0,0,0,0,0,0,0,1,1,1,0");
    EXPECT_EQ(CsvLine(FolderRow(folders.Folders()[1]), IsFolderNumberColumn),
              "a,1,1,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,0,0,1");
    EXPECT_EQ(folders.Folders()[2].folder, "");
    EXPECT_EQ(FolderOf(sep + "a.tif"), sep);
    EXPECT_EQ(FolderHeadings().size(), FolderRow(folders.Folders()[0]).size());
}

TEST(BillingSummary, ByResolutionPaperAndColourWithTotals) {
    BillingSummary summary;
    fx::File file;
    file.pages = {Scan(2480, 3508, 300), Scan(2480, 3508, 300, 2, 8), Scan(4677, 6614, 400),
                  Scan(1654, 2339, 200), Scan(4961, 7016, 300)};
    const TiffReadResult read = Read(file);
    const auto facts = DescribePages(read);
    for (std::size_t p = 0; p < facts.size(); ++p) summary.AddPage(read.pages[p], facts[p]);
    PageInfo unknown;
    summary.AddPage(unknown, DescribePage(unknown));

    std::vector<std::string> lines;
    for (const auto& row : summary.Rows())
        lines.push_back(CsvLine(row, BillingSummary::IsNumberColumn));
    const std::vector<std::string> expected = {
        "200,dpi,A4,1,1,0,0,0,0,0,0,1,1",   "200,dpi,小計,1,1,0,0,0,0,0,0,1,1",
        "300,dpi,A2,1,4,0,0,0,0,0,0,1,4",   "300,dpi,A4,1,1,0,0,1,1,0,0,2,2",
        "300,dpi,小計,2,5,0,0,1,1,0,0,3,6", "400,dpi,A3,1,2,0,0,0,0,0,0,1,2",
        "400,dpi,小計,1,2,0,0,0,0,0,0,1,2", "なし,,なし,0,0,0,0,0,0,1,1,1,1",
        "なし,,小計,0,0,0,0,0,0,1,1,1,1",
    };
    ASSERT_GE(lines.size(), expected.size() + 16);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 9), expected);
    EXPECT_EQ(lines[9 + 2], "全解像度,,A2,1,4,0,0,0,0,0,0,1,4");
    EXPECT_EQ(lines[9 + 14], "全解像度,,なし,0,0,0,0,0,0,1,1,1,1");
    EXPECT_EQ(lines.back(), "全解像度,,総合計,4,8,0,0,1,1,1,1,6,10");
    EXPECT_EQ(BillingSummary::Headings().size(), 13u);
}

}  // namespace
}  // namespace folvane
