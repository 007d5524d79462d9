#include "inspect/result_lines.h"

#include <gtest/gtest.h>

#include "inspect/byte_order.h"
#include "inspect/snap_dimension.h"

namespace folvane {
namespace {

TEST(ByteOrderRoutines, SwapOnBitPatterns) {
    EXPECT_EQ(SwapShort(3840), 15);  // 0F 00 -> 00 0F
    EXPECT_EQ(SwapLong(256), 65536);
    EXPECT_EQ(SwapWords(65536), 1);
    EXPECT_EQ(SwapLong(255), static_cast<std::int32_t>(0xFF000000u));  // negative
    EXPECT_LT(SwapLong(255), 0);
    EXPECT_EQ(SwapWords(0x12345678), 0x56781234);
}

TEST(SnapDimension, Bands) {
    // pixels at 25.4 per inch give the millimetres directly.
    struct Case {
        std::uint64_t millimetres;
        bool nominal;
        const char* text;
    };
    const Case cases[] = {
        {0, true, "105"},      {111, true, "105"},    {112, true, "128"},   {133, true, "128"},
        {210, true, "210"},    {1031, true, "1031"},  {1071, true, "1031"}, {1513, true, "1456"},
        {1514, false, "1514"}, {1600, false, "1600"},
    };
    for (const auto& c : cases) {
        const auto snapped = SnapDimension(c.millimetres, 25.4, ResolutionUnit::Inch);
        EXPECT_EQ(snapped.nominal, c.nominal) << c.millimetres;
        EXPECT_EQ(snapped.text, c.text) << c.millimetres;
    }
    // 1654 px / 200 dpi * 25.4 = 210.06 mm -> 210; 111.5 mm rounds up to 112 -> 128.
    EXPECT_EQ(SnapDimension(1654, 200.0, ResolutionUnit::Inch).text, "210");
    EXPECT_EQ(SnapDimension(2230, 508.0, std::nullopt).text, "128");
    // 80 per cm: 1680 px = 210 mm, not 2.54 times that.
    EXPECT_EQ(SnapDimension(1680, 80.0, ResolutionUnit::Centimetre).text, "210");
    // No width at all counts as 0 mm.
    EXPECT_EQ(SnapDimension(std::nullopt, 200.0, ResolutionUnit::Inch).text, "105");
    // Unknown resolutions cannot give millimetres.
    EXPECT_EQ(SnapDimension(1654, std::nullopt, ResolutionUnit::Inch).text, "?");
    EXPECT_EQ(SnapDimension(1654, 0.0, ResolutionUnit::Inch).text, "?");
    EXPECT_EQ(SnapDimension(1654, -200.0, ResolutionUnit::Inch).text, "-210");
}

PageInfo Page(std::uint64_t width, std::uint64_t height, std::optional<double> x,
              std::optional<double> y, std::optional<ResolutionUnit> unit = ResolutionUnit::Inch) {
    PageInfo page;
    page.Width = width;
    page.Height = height;
    page.XResolution = x;
    page.YResolution = y;
    page.UnitName = unit;
    page.CompressionName = "G4 Fax";
    page.ColorName = "Bilevel (WiZ)";
    return page;
}

struct Composed {
    FormState state;
    std::vector<std::string> lines;
};

Composed Compose(const TiffReadResult& read, const SelectionState& selection = {},
                 const TallyResolutions& tally = {}) {
    Composed c;
    c.state.CurrentFile = "C:/scan/a.tif";
    VectorResultList list;
    ComposeFileLines(c.state, selection, tally, read, list);
    c.lines = list.lines;
    return c;
}

TiffReadResult Tiff(std::vector<PageInfo> pages, ByteOrder order = ByteOrder::LittleEndian) {
    TiffReadResult read;
    read.status = TiffReadStatus::Complete;
    read.byteOrder = order;
    read.pages = std::move(pages);
    return read;
}

TEST(ResultLines, TheA4ExampleWithEveryBox) {
    const auto c = Compose(Tiff({Page(595, 842, 72, 72)}));
    EXPECT_EQ(c.lines, (std::vector<std::string>{
                           "C:/scan/a.tif", "\tII (Win)\t1 枚",
                           "\t\t\t842 x 595\t72 dpi\t297 x 210\tG4 Fax\tBilevel (WiZ)\tA4\t縦長"}));
    EXPECT_EQ(c.state.ColumnCount, 7);
    EXPECT_EQ(c.state.TotalPages, 1);
    EXPECT_EQ(c.state.ResultState, 1);
    EXPECT_EQ(c.state.SizeTally.Cell(5, 4), 1u);  // A4, no resolution split
}

// One page line per case, every box ticked; the expected columns after the
// three leading tabs.
TEST(ResultLines, PageColumns) {
    struct Case {
        const char* name;
        PageInfo page;
        const char* line;
    };
    PageInfo noUnit = Page(1654, 2339, 200, 200, std::nullopt);
    PageInfo noSizes;
    const Case cases[] = {
        {"square is landscape", Page(2000, 2000, 200, 200),
         "2000 x 2000\t200 dpi\t254 x 254\tG4 Fax\tBilevel (WiZ)\tOther\t横長"},
        {"fax landscape", Page(1728, 1100, 200, 100),
         "1728 x 1100\t200 x 100 dpi\t219 x 279\tG4 Fax\tBilevel (WiZ)\tA4\t横長"},
        {"fax portrait", Page(1728, 2200, 204, 98),
         "2200 x 1728\t98 x 204 dpi\t570 x 215\tG4 Fax\tBilevel (WiZ)\tA2\t縦長"},
        {"no physical unit", Page(595, 842, 72, 72, ResolutionUnit::None),
         "842 x 595\t72 ???\t297 x 210\tG4 Fax\tBilevel (WiZ)\tA4\t縦長"},
        {"absent unit reads as inch", noUnit,
         "2339 x 1654\t200 dpi\t297 x 210\tG4 Fax\tBilevel (WiZ)\tA4\t縦長"},
        {"per centimetre", Page(1680, 2376, 80, 80, ResolutionUnit::Centimetre),
         "2376 x 1680\t80 d/cm\t297 x 210\tG4 Fax\tBilevel (WiZ)\tA4\t縦長"},
        {"thousands grouped", Page(9366, 6622, 200, 200),
         "9366 x 6622\t200 dpi\t1,189 x 841\tG4 Fax\tBilevel (WiZ)\tA0\t横長"},
        {"unknown resolution", Page(1654, 2339, std::nullopt, std::nullopt),
         "2339 x 1654\t dpi\t? x ?\tG4 Fax\tBilevel (WiZ)\tOther\t縦長"},
        {"one side unknown", Page(1654, 2339, 200, 0),
         "2339 x 1654\t0 x 200 dpi\t? x 210\tG4 Fax\tBilevel (WiZ)\tOther\t縦長"},
        {"third of a dot", Page(1, 1, 1.0 / 3, 203.2),
         "1 x 1\t0.333333333333333 x 203.2 dpi\t76 x 0\tG4 Fax\tBilevel (WiZ)\tOther\t横長"},
        {"no fields", noSizes, " x \t dpi\t? x ?\t\t\tOther\t横長"},
    };
    for (const auto& c : cases) {
        const auto composed = Compose(Tiff({c.page}));
        ASSERT_EQ(composed.lines.size(), 3u) << c.name;
        EXPECT_EQ(composed.lines[2], std::string("\t\t\t") + c.line) << c.name;
    }
}

TEST(ResultLines, ColumnBoxes) {
    SelectionState none;
    none.Check.fill(0);
    auto c = Compose(Tiff({Page(595, 842, 72, 72)}), none);
    EXPECT_TRUE(c.lines.empty());
    EXPECT_EQ(c.state.ColumnCount, 0);
    EXPECT_EQ(c.state.SizeTally.Cell(5, 4), 1u);  // counted all the same

    SelectionState pagesOnly = none;
    pagesOnly.Check[kPageCountColumn] = 1;
    pagesOnly.Check[kPaperColumn] = 1;
    pagesOnly.Check[kOrientationColumn] = 2;  // greyed is not ticked
    c = Compose(Tiff({Page(595, 842, 72, 72), Page(842, 595, 72, 72)}, ByteOrder::BigEndian),
                pagesOnly);
    EXPECT_EQ(c.lines, (std::vector<std::string>{"\t2 枚", "\t\t\tA4", "\t\t\tA4"}));
    EXPECT_EQ(c.state.ColumnCount, 1);

    SelectionState orderOnly = none;
    orderOnly.Check[kByteOrderColumn] = 1;
    c = Compose(Tiff({Page(595, 842, 72, 72)}, ByteOrder::BigEndian), orderOnly);
    EXPECT_EQ(c.lines, (std::vector<std::string>{"\tMM (Mac)"}));
}

TEST(ResultLines, FilesThatAreNotTiffOrCannotBeRead) {
    SelectionState none;
    none.Check.fill(0);
    TiffReadResult notTiff;
    notTiff.status = TiffReadStatus::NotTiff;
    auto c = Compose(notTiff, none);
    EXPECT_EQ(c.lines, (std::vector<std::string>{"C:/scan/a.tif", "\t\t\tTiffではないのでは？"}));
    EXPECT_EQ(c.state.NotTiffText, "Tiffではないのでは？\r\n\tC:/scan/a.tif");
    EXPECT_EQ(c.state.ResultState, 1);
    EXPECT_EQ(c.state.TotalPages, 0);

    TiffReadResult unreadable;
    unreadable.status = TiffReadStatus::CannotOpen;
    c = Compose(unreadable, none);
    EXPECT_EQ(c.lines, (std::vector<std::string>{"C:/scan/a.tif", "\t\t\tファイルを開けません"}));
    EXPECT_EQ(c.state.ErrorFileText, "エラーのあるファイル\r\n\tC:/scan/a.tif");
    EXPECT_EQ(c.state.NotTiffText, "Tiffではないのでは？");
}

TEST(ResultLines, NotTiffListGrowsPerFile) {
    FormState state;
    VectorResultList list;
    TiffReadResult notTiff;
    notTiff.status = TiffReadStatus::NotTiff;
    for (const char* path : {"x.tif", "y.tif"}) {
        state.CurrentFile = path;
        ComposeFileLines(state, SelectionState{}, {}, notTiff, list);
    }
    EXPECT_EQ(state.NotTiffText, "Tiffではないのでは？\r\n\tx.tif\r\n\ty.tif");
    EXPECT_EQ(list.lines.size(), 4u);
}

TEST(ResultLines, DamagedFileKeepsItsCompletePages) {
    TiffReadResult damaged = Tiff({Page(595, 842, 72, 72)});
    damaged.status = TiffReadStatus::Damaged;
    auto c = Compose(damaged);
    ASSERT_EQ(c.lines.size(), 4u);
    EXPECT_EQ(c.lines[1], "\tII (Win)\t1 枚");
    EXPECT_EQ(c.lines[3], "\t\t\tファイルが壊れています");
    EXPECT_EQ(c.state.TotalPages, 1);
    EXPECT_EQ(c.state.ErrorFileText, "エラーのあるファイル\r\n\tC:/scan/a.tif");

    // The message stands whatever columns are chosen.
    SelectionState none;
    none.Check.fill(0);
    damaged.pages.clear();
    c = Compose(damaged, none);
    EXPECT_EQ(c.lines, (std::vector<std::string>{"\t\t\tファイルが壊れています"}));
}

// A PDF page as the PDF reader gives it: pixels and effective resolution
// from its image, or only its box when it paints none.
PageInfo BoxPage(double widthPoints, double heightPoints) {
    PageInfo page;
    page.BoxWidthPoints = widthPoints;
    page.BoxHeightPoints = heightPoints;
    return page;
}

TiffReadResult Pdf(std::vector<PageInfo> pages, std::string version = "1.7") {
    TiffReadResult read = Tiff(std::move(pages));
    read.pdfVersion = std::move(version);
    return read;
}

TEST(ResultLines, PdfPages) {
    PageInfo scan = Page(2480, 3508, 300, 300);
    const auto c = Compose(Pdf({scan, BoxPage(595.28, 841.89), BoxPage(1000, 700),
                                BoxPage(612, 792), BoxPage(5000, 5000)}));
    EXPECT_EQ(c.lines, (std::vector<std::string>{
                           "C:/scan/a.tif",
                           "\tPDF 1.7\t5 枚",
                           "\t\t\t3508 x 2480\t300 dpi\t297 x 210\tG4 Fax\tBilevel (WiZ)\tA4\t縦長",
                           // No image: no pixels, resolution, compression or colour.
                           "\t\t\t\t\t297 x 210\t\t\tA4\t縦長",
                           "\t\t\t\t\t353 x 247\t\t\tB4\t横長",
                           // US Letter: 279.4 x 215.9 mm, in the A4 bands as a TIFF scan is.
                           "\t\t\t\t\t279 x 216\t\t\tA4\t縦長",
                           "\t\t\t\t\t1,764 x 1,764\t\t\tOther\t横長",
                       }));
    EXPECT_EQ(c.state.TotalPages, 5);
}

TEST(ResultLines, PdfPagesWithoutImageCountInNeitherResolution) {
    // Even a split resolution of 0 (what an absent resolution counts as)
    // leaves them in the rest.
    const TallyResolutions tally{.first = 0, .second = 300};
    const auto c = Compose(Pdf({BoxPage(595.28, 841.89), Page(2480, 3508, 300, 300)}), {}, tally);
    const auto [restColumn, a4Row] = TallyCellOf(Paper::A4, ResolutionClass::Rest);
    const auto [bColumn, bRow] = TallyCellOf(Paper::A4, ResolutionClass::B);
    EXPECT_EQ(c.state.SizeTally.Cell(restColumn, a4Row), 1u);
    EXPECT_EQ(c.state.SizeTally.Cell(bColumn, bRow), 1u);
}

TEST(ResultLines, LockedPdfFile) {
    TiffReadResult locked;
    locked.status = TiffReadStatus::Locked;
    locked.pdfVersion = "1.6";
    locked.problem = "パスワードが必要です";
    const auto c = Compose(locked);
    EXPECT_EQ(c.lines, (std::vector<std::string>{"C:/scan/a.tif", "\tPDF 1.6\t0 枚",
                                                 "\t\t\tパスワードが必要です"}));
    EXPECT_EQ(c.state.ErrorFileText,
              "エラーのあるファイル\r\n\tC:/scan/a.tif\tパスワードが必要です");
}

}  // namespace
}  // namespace folvane
