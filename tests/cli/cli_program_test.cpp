// folvane-cli run as a program: exit statuses, what it writes and what it
// leaves on disk. Run on POSIX systems; on Windows the same program is
// compared byte for byte with this one by scripts/compare-windows.sh.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tiff_builder.h"

namespace folvane::cli {
namespace {

namespace fs = std::filesystem;
namespace fx = fixture;

// The program itself: exit statuses and what it leaves on disk.
class CliProgram : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("folvane-cli-" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    int Run(const std::string& arguments) {
        const std::string command = std::string("\"") + FOLVANE_CLI + "\" " + arguments + " > \"" +
                                    (dir_ / "stdout").string() + "\" 2> \"" +
                                    (dir_ / "stderr").string() + "\"";
        const int status = std::system(command.c_str());
        return WEXITSTATUS(status);
    }
    std::string Read(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path dir_;
};

TEST_F(CliProgram, ListsTheSamples) {
    // One sample is not a TIFF file: the run completes and says so.
    EXPECT_EQ(Run("-q --encoding utf-8 \"" FOLVANE_SAMPLES "\""), 3);
    const std::string out = Read("stdout");
    EXPECT_NE(out.find("multipage.tif\r\n\tII (Win)\t3 枚\r\n"), std::string::npos);
    EXPECT_NE(out.find("\r\n総合計7 枚\r\n"), std::string::npos);
    EXPECT_EQ(Read("stderr"), "");
}

TEST_F(CliProgram, ExitStatuses) {
    // Messages into a file are Shift-JIS like the results, unless
    // --encoding says otherwise.
    EXPECT_EQ(Run(""), 2);
    EXPECT_EQ(Read("stderr"),
              "folvane-cli: \x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x91\x49"
              "\x91\xF0\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42\n");
    EXPECT_EQ(Run("--encoding utf-8"), 2);
    EXPECT_EQ(Read("stderr"), "folvane-cli: ファイルを選択してください。\n");
    EXPECT_EQ(Run("--areso abc x.tif"), 2);
    EXPECT_EQ(Read("stdout"), "");
    EXPECT_EQ(Run("\"" FOLVANE_SAMPLES "/a4_200dpi.tif\" \"" FOLVANE_SAMPLES "/multipage.tif\""),
              0);
    EXPECT_EQ(Run("--version"), 0);
    EXPECT_EQ(Read("stdout"), "Folvane 1.0.0\n");

    // An output that cannot be created names the path.
    const std::string bad = (dir_ / "missing" / "out.txt").string();
    EXPECT_EQ(Run("-o \"" + bad + "\" \"" FOLVANE_SAMPLES "\""), 1);
    EXPECT_NE(Read("stderr").find(bad), std::string::npos);

    // A missing .tif stays in the list with a warning; the run completes.
    const std::string gone = (dir_ / "gone.tif").string();
    const std::string out = (dir_ / "out.txt").string();
    EXPECT_EQ(Run("-o \"" + out + "\" \"" + gone + "\""), 3);
    EXPECT_NE(Read("stderr").find(gone), std::string::npos);
    EXPECT_NE(Read("out.txt").find(gone + "\r\n\t\t\t"), std::string::npos);
}

TEST_F(CliProgram, FilesFromTakesCrLfAndLfLines) {
    std::ofstream(dir_ / "list.txt", std::ios::binary)
        << FOLVANE_SAMPLES "/a4_200dpi.tif\r\n" FOLVANE_SAMPLES "/multipage.tif\n\n"
        << FOLVANE_SAMPLES "/B4_SCAN.TIF";
    EXPECT_EQ(Run("--files-from \"" + (dir_ / "list.txt").string() +
                  "\" --columns=path --no-size-summary --encoding utf-8"),
              0);
    // B4_SCAN.TIF named as a file is not taken: only ".tif" exactly.
    EXPECT_EQ(Read("stdout"), FOLVANE_SAMPLES "/a4_200dpi.tif\r\n" FOLVANE_SAMPLES
                                              "/multipage.tif\r\n\r\n\r\n\r\n\r\n総合計4 枚\r\n");
    EXPECT_EQ(Run("--files-from \"" + (dir_ / "none.txt").string() + "\""), 2);
}

// Reading ahead on several threads must not change a byte of any output.
TEST_F(CliProgram, JobsGiveTheSameOutputAsOneJob) {
    const fs::path corpus = dir_ / "corpus";
    fs::create_directories(corpus / "sub");
    fs::copy(FOLVANE_SAMPLES, corpus, fs::copy_options::recursive);
    std::ofstream(corpus / "empty.tif");
    auto damaged = fx::Build([] {
        fx::File f;
        f.pages = {fx::MakeScanPage(1654, 2339, 200), fx::MakeScanPage(1654, 2339, 200)};
        f.pages[1].nextLinkOverride = 0x7FFFFFF0u;
        return f;
    }());
    fx::WriteFile((corpus / "sub" / "damaged.tif").string(), damaged);
    for (int i = 0; i < 40; ++i) {
        fx::File f;
        f.byteOrder = i % 2 ? fx::ByteOrder::Big : fx::ByteOrder::Little;
        f.pages.assign(1 + i % 3, fx::MakeScanPage(2480 + i, 3508, 300));
        std::string name = std::to_string(i);
        name.insert(0, 1, 'p').append(".tif");
        fx::WriteFile((corpus / "sub" / name).string(), fx::Build(f));
    }
    for (const char* format : {"direct", "display", "table"}) {
        const std::string args =
            std::string("-r --format ") + format + " \"" + corpus.string() + "\"";
        EXPECT_EQ(Run("-j 1 " + args), 3) << format;
        const std::string one = Read("stdout");
        EXPECT_EQ(Run("--jobs 4 " + args), 3) << format;
        EXPECT_EQ(Read("stdout"), one) << format;
        EXPECT_NE(one.find("damaged.tif"), std::string::npos);
    }
}

}  // namespace
}  // namespace folvane::cli
