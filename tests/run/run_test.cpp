#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/output_file.h"
#include "run/direct_run.h"
#include "run/displayed_run.h"
#include "run/result_file.h"
#include "run/run_preparation.h"
#include "tiff_builder.h"

namespace folvane {
namespace {

namespace fs = std::filesystem;
namespace fx = fixture;

// Code page 932 bytes of the Japanese words in the files, spelled out so
// the expected files do not depend on the converter under test.
#define MAI "\x96\x87"               // 枚
#define TATENAGA "\x8F\x63\x92\xB7"  // 縦長
#define YOKONAGA "\x89\xA1\x92\xB7"  // 横長
#define NOT_TIFF "Tiff\x82\xC5\x82\xCD\x82\xC8\x82\xA2\x82\xCC\x82\xC5\x82\xCD\x81\x48"
#define SUMMARY_TITLE "\x83\x54\x83\x43\x83\x59\x95\xCA\x96\x87\x90\x94"  // サイズ別枚数
#define HOKA "\x91\xBC"                                                   // 他
#define GRAND_TOTAL "\x91\x8D\x8D\x87\x8C\x76"                            // 総合計

fx::Page ScanPage(std::uint32_t width, std::uint32_t height, std::uint32_t dpi) {
    return fx::MakePage(fx::ScanPageSpec(width, height, dpi));
}

class RunTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("folvane-run-" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fx::File a;  // A4 portrait at 200 dpi, A3 landscape at 400 dpi
        a.pages = {ScanPage(1654, 2339, 200), ScanPage(6614, 4677, 400)};
        ASSERT_TRUE(fx::WriteFile(Path("a.tif"), fx::Build(a)));
        fx::File b;  // B5 portrait at 300 dpi, big-endian
        b.byteOrder = fx::ByteOrder::Big;
        b.pages = {ScanPage(2150, 3035, 300)};
        ASSERT_TRUE(fx::WriteFile(Path("b.tif"), fx::Build(b)));
        std::ofstream(Path("c.tif")) << "hello";
        files_ = {Path("a.tif"), Path("b.tif"), Path("c.tif")};
        selection_.AresoText = "200";
        selection_.BresoText = "400";
        state_.FilesAdded = 1;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    TallyResolutions Tally() const {
        const auto preparation = PrepareRun(state_, selection_);
        EXPECT_FALSE(preparation.refusal);
        return preparation.tally;
    }

    // The lines every run writes for the three files, in CP932.
    std::string FileLines() const {
        return Path("a.tif") +
               "\r\n"
               "\tII (Win)\t2 " MAI
               "\r\n"
               "\t\t\t2339 x 1654\t200 dpi\t297 x 210\tPackBits\tBilevel (WiZ)\tA4\t" TATENAGA
               "\r\n"
               "\t\t\t6614 x 4677\t400 dpi\t420 x 297\tPackBits\tBilevel (WiZ)\tA3\t" YOKONAGA
               "\r\n" +
               Path("b.tif") +
               "\r\n"
               "\tMM (Mac)\t1 " MAI
               "\r\n"
               "\t\t\t3035 x 2150\t300 dpi\t257 x 182\tPackBits\tBilevel (WiZ)\tB5\t" TATENAGA
               "\r\n" +
               Path("c.tif") +
               "\r\n"
               "\t\t\t" NOT_TIFF "\r\n";
    }

    static std::string Summary() {
        return SUMMARY_TITLE
            "\r\n"
            "\t200\t400\t" HOKA "\t\t200\t400\t" HOKA
            "\r\n"
            "A6\t0\t0\t0\r\n"
            "A5\t0\t0\t0\tB6\t0\t0\t0\r\n"
            "A4\t1\t0\t0\tB5\t0\t0\t1\r\n"
            "A3\t0\t1\t0\tB4\t0\t0\t0\r\n"
            "A2\t0\t0\t0\tB3\t0\t0\t0\r\n"
            "A1\t0\t0\t0\tB2\t0\t0\t0\r\n"
            "A0\t0\t0\t0\tB1\t0\t0\t0\r\n"
            "Other\t0\t0\t0\r\n";
    }

    fs::path dir_;
    std::vector<std::string> files_;
    FormState state_;
    SelectionState selection_;
};

class RecordingProgress final : public ProgressSink {
  public:
    void Begin(std::int64_t n) override { events.push_back("begin " + std::to_string(n)); }
    void FileDone(std::int64_t i, std::int64_t pages) override {
        events.push_back(std::to_string(i) + ":" + std::to_string(pages));
    }
    void End() override { events.push_back("end"); }
    std::vector<std::string> events;
};

TEST_F(RunTest, DirectFileByteForByte) {
    auto output = CreateReplacingFile(Path("SizeList.txt"));
    ASSERT_TRUE(output.stream) << output.error;
    EncodedLineWriter writer(*output.stream, OutputEncoding::Cp932);
    RecordingProgress progress;
    ASSERT_TRUE(RunDirectSave(state_, selection_, Tally(), files_, writer, progress));
    ASSERT_TRUE(output.stream->Finish());

    const std::string expected = FileLines() + "\r\n\r\n\r\n" + Summary() +
                                 "\r\n"
                                 "\r\n" GRAND_TOTAL "3 " MAI
                                 "\r\n"
                                 "\r\n" NOT_TIFF
                                 "\r\n"
                                 "\t" +
                                 Path("c.tif") + "\r\n";
    EXPECT_EQ(Read("SizeList.txt"), expected);
    EXPECT_EQ(progress.events, (std::vector<std::string>{"begin 3", "0:2", "1:3", "2:3", "end"}));
    EXPECT_EQ(state_.NotTiffText, "Tiffではないのでは？");
    EXPECT_EQ(state_.TotalPages, 3);
}

TEST_F(RunTest, DisplayedRunThenDisplayFileByteForByte) {
    VectorResultList resultList;
    resultList.AppendLine("left over from before");
    RecordingProgress progress;
    const std::string result =
        RunDisplayed(state_, selection_, Tally(), files_, resultList, progress);

    EXPECT_EQ(resultList.lines.back(), std::string(180, ' '));  // 7 columns + 3, 18 each
    EXPECT_EQ(resultList.lines.front(), Path("a.tif"));
    EXPECT_EQ(result.substr(result.find("総合計")),
              "総合計\t3 枚\r\nTiffではないのでは？\r\n\t" + Path("c.tif"));
    EXPECT_EQ(state_.ResultState, 1);
    EXPECT_EQ(state_.NotTiffText, "Tiffではないのでは？");
    EXPECT_EQ(progress.events, (std::vector<std::string>{"begin 3", "0:2", "1:3", "2:3", "end"}));

    auto output = CreateReplacingFile(Path("SizeList.txt"));
    EncodedLineWriter writer(*output.stream, OutputEncoding::Cp932);
    ASSERT_TRUE(WriteDisplayedResults(resultList.lines, result, writer));
    ASSERT_TRUE(output.stream->Finish());
    const std::string expected = FileLines() + Summary() +
                                 "\r\n" GRAND_TOTAL "\t3 " MAI "\r\n" NOT_TIFF
                                 "\r\n"
                                 "\t" +
                                 Path("c.tif") + "\r\n";
    EXPECT_EQ(Read("SizeList.txt"), expected);

    // A second run without other actions gives the same.
    VectorResultList again;
    EXPECT_EQ(RunDisplayed(state_, selection_, Tally(), files_, again, progress), result);
    EXPECT_EQ(again.lines, resultList.lines);
}

TEST_F(RunTest, TotalsOnlyAndEmptyLists) {
    selection_ = SelectionState{};
    selection_.Check_CTotal = 0;
    VectorResultList list;
    NoProgress progress;
    EXPECT_EQ(RunDisplayed(state_, selection_, Tally(), {}, list, progress), "総合計\t0 枚");
    // No page line was ever composed: the spacer is 3 * 18 blanks.
    EXPECT_EQ(list.lines, (std::vector<std::string>{std::string(54, ' ')}));

    selection_.Check_Total = 0;
    EXPECT_EQ(RunDisplayed(state_, selection_, Tally(), {}, list, progress), "");

    auto output = CreateReplacingFile(Path("empty.txt"));
    EncodedLineWriter writer(*output.stream, OutputEncoding::Cp932);
    selection_.Check_Total = 1;
    ASSERT_TRUE(RunDirectSave(state_, selection_, Tally(), {}, writer, progress));
    ASSERT_TRUE(output.stream->Finish());
    EXPECT_EQ(Read("empty.txt"), "\r\n\r\n\r\n\r\n" GRAND_TOTAL "0 " MAI "\r\n");
}

// The spacer is sized by the last page line composed, even from a TIFF
// file before a file that is not one.
TEST_F(RunTest, SpacerFollowsTheLastPageLine) {
    selection_.Check.fill(0);
    selection_.Check[kPaperColumn] = 1;
    selection_.Check[kOrientationColumn] = 1;
    VectorResultList list;
    NoProgress progress;
    RunDisplayed(state_, selection_, Tally(), files_, list, progress);
    EXPECT_EQ(list.lines.back(), std::string(18 * 5, ' '));
}

class StringWriter final : public LineWriter {
  public:
    bool WriteLine(std::string_view text) override {
        written += std::string(text) + "\r\n";
        return true;
    }
    const std::string& ErrorMessage() const override { return written; }
    std::string written;
};

TEST(DisplayFile, LeavesOutTheLastItem) {
    struct Case {
        std::vector<std::string> items;
        std::string result;
        std::string file;
    };
    const Case cases[] = {
        {{}, "", "\r\n"},
        {{"only"}, "", "\r\n"},
        {{"a", "b", "   "}, "total", "a\r\nb\r\ntotal\r\n"},
        // Whatever is last goes, even when the user deleted the spacer.
        {{"a", "b"}, "x\r\ny", "a\r\nx\r\ny\r\n"},
    };
    for (const auto& c : cases) {
        StringWriter writer;
        EXPECT_TRUE(WriteDisplayedResults(c.items, c.result, writer));
        EXPECT_EQ(writer.written, c.file);
    }
}

TEST_F(RunTest, DamagedAndMissingFilesAreListedAfterTheOthers) {
    fx::File broken;
    broken.pages = {ScanPage(1654, 2339, 200), ScanPage(1654, 2339, 200)};
    broken.pages[1].nextLinkOverride = 0x7FFFFFF0u;
    ASSERT_TRUE(fx::WriteFile(Path("d.tif"), fx::Build(broken)));
    selection_ = SelectionState{};
    selection_.Check_CTotal = 0;
    const std::vector<std::string> files = {Path("c.tif"), Path("d.tif"), Path("gone.tif")};
    VectorResultList list;
    NoProgress progress;
    const std::string result = RunDisplayed(state_, selection_, Tally(), files, list, progress);
    // Each file with an error is followed by a tab and the reason.
    EXPECT_EQ(result, "総合計\t2 枚\r\nTiffではないのでは？\r\n\t" + Path("c.tif") +
                          "\r\nエラーのあるファイル\r\n\t" + Path("d.tif") +
                          "\tディレクトリ 3 のオフセット 2147483632 がファイルの終わり（" +
                          std::to_string(fx::Build(broken).size()) +
                          " バイト）を越えています\r\n\t" + Path("gone.tif") + "\t見つかりません");
    EXPECT_EQ(list.lines[3], "\tII (Win)\t2 枚");
    EXPECT_EQ(list.lines[6], "\t\t\tファイルが壊れています");
    EXPECT_EQ(list.lines[8], "\t\t\tファイルを開けません");
    EXPECT_EQ(state_.ErrorFileText, "エラーのあるファイル");
}

// Paths that added nothing to the input list are errors of every run: they
// open the list of files with errors, once each, with their reasons. A
// path that stayed on the list is reported by the run itself.
TEST_F(RunTest, InputProblemsAreListedAsErrorsByBothRuns) {
    const std::vector<PathProblem> problems = {
        {PathProblem::Kind::FolderUnreadable, "scans/locked", "アクセスが拒否されました", false},
        {PathProblem::Kind::Missing, "scans/nothing", "", false},
        {PathProblem::Kind::Missing, "gone.tif", "", true},
        {PathProblem::Kind::FolderUnreadable, "scans/locked", "アクセスが拒否されました", false},
    };
    NoteInputProblems(state_, problems);
    ASSERT_EQ(state_.InputProblems.size(), 2u);
    const std::string errors =
        "エラーのあるファイル\r\n\tscans/locked\tフォルダを開けません（アクセスが拒否されました）"
        "\r\n\tscans/nothing\t見つかりません";
    selection_ = SelectionState{};
    selection_.Check_CTotal = 0;
    for (int run = 0; run < 2; ++run) {
        VectorResultList list;
        NoProgress progress;
        const std::string result =
            RunDisplayed(state_, selection_, Tally(), std::vector<std::string>{}, list, progress);
        EXPECT_EQ(result, "総合計\t0 枚\r\n" + errors);
    }
    StringWriter writer;
    NoProgress progress;
    ASSERT_TRUE(
        RunDirectSave(state_, selection_, Tally(), std::vector<std::string>{}, writer, progress));
    EXPECT_NE(writer.written.find("\r\n\r\n" + errors + "\r\n"), std::string::npos)
        << writer.written;
    EXPECT_EQ(state_.ErrorFileText, "エラーのあるファイル");
    EXPECT_EQ(state_.InputProblems.size(), 2u);
}

// The result file of a run is checked against the run's own inputs, on
// every system: a scan's name, a second name of an input and a folder are
// refused before anything is written, and the input stays as it was.
TEST_F(RunTest, ResultFileNeverOverwritesAnInput) {
    const std::string before = Read("a.tif");
    struct Case {
        std::string path;
        std::string reason;
    };
    std::vector<Case> cases = {
        {Path("a.tif"), "名前が .tif/.tiff で終わるファイルには書き出せません"},
        {Path("Other.TIF"), "名前が .tif/.tiff で終わるファイルには書き出せません"},
        {Path("x.tiff"), "名前が .tif/.tiff で終わるファイルには書き出せません"},
        {dir_.string(), "フォルダには書き出せません"},
        {"", "出力ファイルの名前がありません"},
    };
    std::error_code noLink;
    fs::create_hard_link(Path("a.tif"), Path("second-name.txt"), noLink);
    if (!noLink)
        cases.push_back({Path("second-name.txt"),
                         "入力ファイル " + Path("a.tif") + " と同じファイルには書き出せません"});
    for (const Case& c : cases) {
        const OpenedOutput output = OpenResultFile(c.path, files_);
        EXPECT_FALSE(output.stream) << c.path;
        EXPECT_TRUE(output.refused) << c.path;
        EXPECT_EQ(output.error, c.path + ": " + c.reason);
    }
    EXPECT_EQ(Read("a.tif"), before);
    // Any other name is written as before.
    OpenedOutput fine = OpenResultFile(Path("SizeList.txt"), files_);
    ASSERT_TRUE(fine.stream) << fine.error;
    EXPECT_TRUE(fine.stream->Write("x") && fine.stream->Finish());
}

TEST_F(RunTest, PreparationRefusals) {
    FormState fresh;
    EXPECT_EQ(PrepareRun(fresh, selection_).refusal, "ファイルを選択してください。");
    for (const char* text : {"abc", " ", "9e9", "40000"}) {
        selection_.BresoText = text;
        EXPECT_EQ(PrepareRun(state_, selection_).refusal,
                  "解像度には -32768 から 32767 までの数値を入力してください。")
            << text;
    }
}

// Fails every write after the first `budget` bytes, as a full disk would.
class FailingStream final : public OutputStream {
  public:
    explicit FailingStream(std::size_t budget) : budget_(budget) {}
    bool Write(std::string_view bytes) override {
        if (bytes.size() > budget_) {
            error_ = "out.txt: ディスクに空きがありません";
            return false;
        }
        budget_ -= bytes.size();
        return true;
    }
    bool Finish() override { return error_.empty(); }
    const std::string& ErrorMessage() const override { return error_; }

  private:
    std::size_t budget_;
    std::string error_;
};

TEST_F(RunTest, WriteFailureStopsTheDirectRunAndResetsItsLists) {
    for (const std::size_t budget : {0, 10, 200, 400}) {
        FailingStream stream(budget);
        EncodedLineWriter writer(stream, OutputEncoding::Cp932);
        RecordingProgress progress;
        EXPECT_FALSE(RunDirectSave(state_, selection_, Tally(), files_, writer, progress));
        EXPECT_EQ(writer.ErrorMessage(), "out.txt: ディスクに空きがありません");
        EXPECT_EQ(progress.events.back(), "end");
        EXPECT_EQ(state_.NotTiffText, "Tiffではないのでは？");
    }
}

TEST_F(RunTest, ReplacingFileLeavesTheOldOneUntilFinished) {
    std::ofstream(Path("keep.txt")) << "old";
    {
        auto output = CreateReplacingFile(Path("keep.txt"));
        ASSERT_TRUE(output.stream);
        output.stream->Write("new");
    }  // dropped without Finish
    EXPECT_EQ(Read("keep.txt"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 4);

    auto missingFolder = CreateReplacingFile(Path("no/such/folder.txt"));
    EXPECT_FALSE(missingFolder.stream);
    EXPECT_NE(missingFolder.error.find("folder.txt"), std::string::npos);
}

}  // namespace
}  // namespace folvane
