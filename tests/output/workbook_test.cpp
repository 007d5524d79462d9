// The workbook as a spreadsheet program reads it: the package's parts,
// unpacked here with zlib, checked for sheet names, numbers, texts (never
// formulas), the frozen header, the autofilter and the spill into more
// sheets.
#include <gtest/gtest.h>

#include "output/workbook_run.h"
#include "output/workbook_writer.h"
#include "tiff_builder.h"
#include "zip_parts.h"

namespace folvane {
namespace {

namespace fx = fixture;
using testing::ZipParts;

class MemoryOutput final : public OutputStream {
  public:
    bool Write(std::string_view bytes) override {
        data.append(bytes);
        return true;
    }
    bool Finish() override { return true; }
    const std::string& ErrorMessage() const override { return error; }
    std::string data;
    std::string error;
};

bool NoNumbers(std::size_t) { return false; }
bool SecondIsNumber(std::size_t column) { return column == 1; }

TEST(WorkbookWriter, TextsNumbersFrozenHeaderFilterAndSpill) {
    WorkbookWriter book(2);
    ASSERT_TRUE(book.Open()) << book.ErrorMessage();
    const int sheet =
        book.AddSheet("ページ", std::vector<std::string>{"パス", "ページ"}, SecondIsNumber);
    const int other = book.AddSheet("情報", std::vector<std::string>{"項目"}, NoNumbers);
    ASSERT_GE(sheet, 0);
    // A name that a spreadsheet would compute if it were a formula, a
    // number-looking name, "?" in a number column, a broken UTF-8 byte.
    for (const std::vector<std::string>& row : {std::vector<std::string>{"=1+2.tif", "1"},
                                                {"-5", "2"},
                                                {"a.tif", "?"},
                                                {"b\xFF.tif", "4"},
                                                {"c.tif", "2.5"}})
        ASSERT_TRUE(book.AddRow(sheet, row)) << book.ErrorMessage();
    ASSERT_TRUE(book.AddRow(other, std::vector<std::string>{"+SUM(A1)"}));
    MemoryOutput out;
    ASSERT_TRUE(book.WriteTo(out)) << book.ErrorMessage();

    auto parts = ZipParts(out.data);
    const std::string workbook = parts["xl/workbook.xml"];
    // Five rows two to a sheet: "ページ", "ページ (2)", "ページ (3)" (added
    // when needed, after "情報").
    EXPECT_NE(workbook.find("name=\"ページ\""), std::string::npos) << workbook;
    EXPECT_NE(workbook.find("name=\"情報\""), std::string::npos);
    EXPECT_NE(workbook.find("name=\"ページ (2)\""), std::string::npos);
    EXPECT_NE(workbook.find("name=\"ページ (3)\""), std::string::npos);
    const std::string first = parts["xl/worksheets/sheet1.xml"];
    EXPECT_EQ(first.find("<f>"), std::string::npos) << first;
    EXPECT_NE(first.find("<is><t>=1+2.tif</t></is>"), std::string::npos) << first;
    EXPECT_NE(first.find("<is><t>-5</t></is>"), std::string::npos) << first;
    EXPECT_NE(first.find("<c r=\"B2\"><v>1</v></c>"), std::string::npos) << first;
    EXPECT_NE(first.find("<pane ySplit=\"1\""), std::string::npos);
    EXPECT_NE(first.find("<autoFilter ref=\"A1:B3\"/>"), std::string::npos);
    EXPECT_NE(first.find("<col min=\"1\" max=\"1\""), std::string::npos);
    const std::string second = parts["xl/worksheets/sheet3.xml"];
    EXPECT_NE(second.find("<is><t>a.tif</t></is>"), std::string::npos) << second;
    EXPECT_NE(second.find("<is><t>?</t></is>"), std::string::npos);
    EXPECT_NE(second.find("<is><t>b\xEF\xBF\xBD.tif</t></is>"), std::string::npos);
    EXPECT_NE(second.find("<is><t>パス</t></is>"), std::string::npos);
    const std::string third = parts["xl/worksheets/sheet4.xml"];
    EXPECT_NE(third.find("<v>2.5</v>"), std::string::npos) << third;
    EXPECT_EQ(parts["xl/worksheets/sheet2.xml"].find("<f>"), std::string::npos);
}

TEST(WorkbookRun, FiveSheetsFromOneRun) {
    const std::vector<std::string> files = {"scans/=1+2.tif", "scans/b.tif"};
    class Source final : public TiffFileSource {
      public:
        TiffReadResult Read(const std::string& path) override {
            if (path.ends_with("b.tif")) {
                TiffReadResult missing;
                missing.status = TiffReadStatus::CannotOpen;
                missing.problem = "見つかりません";
                return missing;
            }
            const auto bytes = fx::BuildScanFile({{2480, 3508, 300}, {3508, 4961, 300}});
            MemoryByteSource source(bytes);
            return ReadTiff(source);
        }
    } source;
    const std::vector<InputProblem> problems = {{"gone", "フォルダを開けません"}};
    NoProgress progress;
    MemoryOutput out;
    std::string error;
    ASSERT_TRUE(WriteWorkbookRun(SpanInputFiles(files), problems, SelectionState{},
                                 {"2026-12-07 10:00:00", true, false}, source, progress, out,
                                 error))
        << error;
    auto parts = ZipParts(out.data);
    const std::string workbook = parts["xl/workbook.xml"];
    std::size_t at = 0;
    for (const char* name : {"ページ", "集計", "フォルダ別", "エラー", "情報"}) {
        const std::size_t next = workbook.find(std::string("name=\"") + name + "\"", at);
        ASSERT_NE(next, std::string::npos) << name;
        at = next;
    }
    const std::string pages = parts["xl/worksheets/sheet1.xml"];
    EXPECT_NE(pages.find("<is><t>scans/=1+2.tif</t></is>"), std::string::npos);
    EXPECT_EQ(pages.find("<f>"), std::string::npos);
    EXPECT_NE(pages.find("<is><t>A3</t></is>"), std::string::npos);
    const std::string folders = parts["xl/worksheets/sheet3.xml"];
    EXPECT_NE(folders.find("<is><t>scans</t></is>"), std::string::npos);
    const std::string errors = parts["xl/worksheets/sheet4.xml"];
    EXPECT_NE(errors.find("<is><t>gone</t></is>"), std::string::npos);
    EXPECT_NE(errors.find("<is><t>見つかりません</t></is>"), std::string::npos);
    const std::string info = parts["xl/worksheets/sheet5.xml"];
    EXPECT_NE(info.find("<is><t>2026-12-07 10:00:00</t></is>"), std::string::npos);
}

}  // namespace
}  // namespace folvane
