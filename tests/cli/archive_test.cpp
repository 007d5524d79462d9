#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "output/csv.h"
#include "output/table_rows.h"
#include "input/input_list.h"
#include "platform/file_system.h"
#include "tiff_builder.h"

namespace folvane::cli {
namespace {

namespace fs = std::filesystem;
namespace fx = fixture;

TEST(RecursiveDrop, WalksTheTreeButNotLinksOrHiddenFolders) {
    const fs::path root = fs::temp_directory_path() / "folvane-tree";
    fs::remove_all(root);
    fs::create_directories(root / "2026" / "Dec" / "deep");
    fs::create_directories(root / ".snapshot");
    for (const char* name : {"a.tif", "2026/B.TIF", "2026/Dec/c.Tif", "2026/Dec/deep/d.tif",
                             "2026/.e.tif", ".snapshot/f.tif", "2026/g.tiff", "2026/h.txt"})
        std::ofstream(root / name) << "x";
    std::error_code linkError;
    fs::create_directory_symlink(root, root / "2026" / "loop", linkError);

    std::vector<std::string> list;
    std::vector<PathProblem> problems;
    AddDroppedPathRecursive(root.string(), list, problems);
    SortInputList(list);
    RemoveDuplicateEntries(list);
    auto at = [&](std::string relative) {
        for (char& c : relative)
            if (c == '/') c = kPathSeparator;
        return root.string() + kPathSeparator + relative;
    };
    EXPECT_EQ(list, (std::vector<std::string>{at("2026/B.TIF"), at("2026/Dec/c.Tif"),
                                              at("2026/Dec/deep/d.tif"), at("a.tif")}));
    EXPECT_TRUE(problems.empty());
    fs::remove_all(root);
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
    const auto rows = TableRows("scans/fax, 1.tif", Read(file));
    ASSERT_EQ(rows.size(), 2u);
    // 1728 px / 204 dpi = 215 mm and 2200 px / 98 dpi = 570 mm snap to
    // 210 x 594; a fax's two resolutions differ and 98 is below 200.
    EXPECT_EQ(rows[0],
              "\"scans/fax, 1.tif\",1,2,II (Win),1728,2200,204,98,dpi,215,570,G3 Fax,"
              "Bilevel (WiZ),A2,縦長,ページ,縦横で解像度が異なる;200dpi未満,正常,");
    EXPECT_EQ(rows[1],
              "\"scans/fax, 1.tif\",2,2,II (Win),100,141,,,dpi,?,?,,,Other,縦長,縮小画像,"
              "解像度なし;用紙サイズ外,正常,");

    file.pages.push_back(FaxPage());
    file.pages[1].nextLinkOverride = 0x7FFFFFF0u;
    const auto damaged = TableRows("d.tif", Read(file));
    ASSERT_EQ(damaged.size(), 3u);
    // The reason in the last column.
    EXPECT_EQ(damaged[2],
              "d.tif,,,,,,,,,,,,,,,,,ファイルが壊れています,ディレクトリ 3 のオフセット "
              "2147483632 がファイルの終わり（" +
                  std::to_string(fx::Build(file).size()) + " バイト）を越えています");

    TiffReadResult notTiff;
    notTiff.problem = "先頭が II でも MM でもありません";
    EXPECT_EQ(TableRows("n.tif", notTiff),
              (std::vector<std::string>{
                  "n.tif,,,,,,,,,,,,,,,,,Tiffではないのでは？,先頭が II でも MM でもありません"}));
    TiffReadResult unreadable;
    unreadable.status = TiffReadStatus::CannotOpen;
    unreadable.problem = "アクセスが拒否されました";
    EXPECT_EQ(TableRows("u.tif", unreadable)[0],
              "u.tif,,,,,,,,,,,,,,,,,ファイルを開けません,アクセスが拒否されました");
    EXPECT_EQ(InputProblemRow("scans/2026", "フォルダを開けません（アクセスが拒否されました）"),
              "scans/2026,,,,,,,,,,,,,,,,,ファイルを開けません,"
              "フォルダを開けません（アクセスが拒否されました）");
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
    EXPECT_EQ(PageNotes(page, false), "解像度なし;単位なし;縦横で解像度が異なる");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");
}

}  // namespace
}  // namespace folvane::cli
