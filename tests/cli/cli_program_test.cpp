// folvane-cli run as a program: exit statuses, what it writes and what it
// leaves on disk. Run on POSIX systems; on Windows the same program is
// compared byte for byte with this one by scripts/compare-windows.sh.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "pdf_builder.h"
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
    // -q silences the progress only: the file that is not a TIFF file is named.
    EXPECT_EQ(Read("stderr"), "folvane-cli: " FOLVANE_SAMPLES
                              "/readme_not_a_tiff.tif: 先頭が II でも MM でもありません\n");
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

// Makes folder/name/name/... `depth` levels deep through descriptors, so
// that the whole path can be longer than the system lets a path be.
void MakeDeepChain(const fs::path& folder, const std::string& name, int depth) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < depth && fd >= 0; ++i) {
        ::mkdirat(fd, name.c_str(), 0755);
        const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    if (fd >= 0) ::close(fd);
}

// Removes what MakeDeepChain made, one level at a time from the bottom.
void RemoveDeepChain(int parent, const std::string& name) {
    const int fd = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        RemoveDeepChain(fd, name);
        ::close(fd);
    }
    ::unlinkat(parent, name.c_str(), AT_REMOVEDIR);
}

// A folder that cannot be listed or a path that is not there adds no file,
// so it must not pass unnoticed: it is listed among the files with errors
// with its reason, named on standard error even with -q, and the exit
// status is 3.
TEST_F(CliProgram, UnusableFoldersAreErrorsOfTheRun) {
    const fs::path tree = dir_ / "tree";
    fs::create_directories(tree / "ok");
    fs::copy_file(FOLVANE_SAMPLES "/a4_200dpi.tif", tree / "ok" / "a.tif");
    const std::string longName(200, 'x');
    MakeDeepChain(tree, longName, 24);  // some 4,800 bytes, more than PATH_MAX
    std::string tooLong = tree.string();
    while (tooLong.size() <= PATH_MAX) tooLong += "/" + longName;
    const std::string missing = (dir_ / "nothing").string();

    EXPECT_EQ(Run("-q -r --encoding utf-8 \"" + tree.string() + "\" \"" + missing + "\""), 3);
    const std::string out = Read("stdout");
    EXPECT_NE(out.find("総合計1 枚\r\n\r\nエラーのあるファイル\r\n\t" + tooLong +
                       "\tフォルダを開けません（パスが長すぎます）\r\n\t" + missing +
                       "\t見つかりません\r\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(Read("stderr"), "folvane-cli: " + tooLong +
                                  ": フォルダを開けません（パスが長すぎます）\nfolvane-cli: " +
                                  missing + ": 見つかりません\n");

    // The table has a row for each, with the reason.
    EXPECT_EQ(Run("-q --format table --encoding utf-8 \"" + missing + "\""), 3);
    EXPECT_NE(Read("stdout").find("\r\n" + missing +
                                  ",,,,,,,,,,,,,,,,,ファイルを開けません,見つかりません,\r\n"),
              std::string::npos);

    // Without permission to list a folder (root may list any).
    if (::geteuid() != 0) {
        fs::create_directories(tree / "locked");
        fs::permissions(tree / "locked", fs::perms::none);
        EXPECT_EQ(Run("-q -r \"" + tree.string() + "\""), 3);
        EXPECT_NE(Read("stderr").find((tree / "locked").string() +
                                      ": フォルダを開けません（アクセスが拒否されました）"),
                  std::string::npos);
        fs::permissions(tree / "locked", fs::perms::owner_all);
    }
    const int fd = ::open(tree.c_str(), O_RDONLY | O_DIRECTORY);
    RemoveDeepChain(fd, longName);
    ::close(fd);
}

// A list as `find -print0` writes it: NUL-separated, names taken as they
// are. No NUL byte reaches a path or the report.
// One file under five spellings, overlapping -r roots and a hard link is
// counted once, under the spelling that comes first in the list's order;
// the others are named on standard error, and the exit status stays 0.
TEST_F(CliProgram, TheSameFileIsCountedOnce) {
    fs::create_directories(dir_ / "dir" / "sub");
    fs::copy_file(FOLVANE_SAMPLES "/a4_200dpi.tif", dir_ / "dir" / "a.tif");
    fs::copy_file(FOLVANE_SAMPLES "/a4_200dpi.tif", dir_ / "dir" / "sub" / "b.tif");
    fs::create_hard_link(dir_ / "dir" / "a.tif", dir_ / "dir" / "sub" / "hard.tif");
    const std::string d = dir_.string();
    const std::string spellings = "\"" + d + "/dir/a.tif\" \"" + d + "/dir/./a.tif\" \"" + d +
                                  "/dir//a.tif\" \"" + d + "/dir/../dir/a.tif\"";
    EXPECT_EQ(Run("-q --encoding utf-8 " + spellings), 0);
    EXPECT_NE(Read("stdout").find("総合計1 枚"), std::string::npos);
    EXPECT_EQ(Read("stderr"), "folvane-cli: " + d + "/dir/./a.tif: 同じファイルです: " + d +
                                  "/dir/../dir/a.tif\nfolvane-cli: " + d +
                                  "/dir//a.tif: 同じファイルです: " + d +
                                  "/dir/../dir/a.tif\nfolvane-cli: " + d +
                                  "/dir/a.tif: 同じファイルです: " + d + "/dir/../dir/a.tif\n");

    // Overlapping trees and a hard link: two files, not five.
    EXPECT_EQ(Run("-q -r --encoding utf-8 \"" + d + "/dir\" \"" + d + "/dir/sub\" \"" + d +
                  "/dir/./sub\""),
              0);
    EXPECT_NE(Read("stdout").find("総合計2 枚"), std::string::npos) << Read("stdout");
    EXPECT_NE(Read("stderr").find(d + "/dir/sub/hard.tif: 同じファイルです: " + d +
                                  "/dir/./sub/hard.tif"),
              std::string::npos)
        << Read("stderr");
}

TEST_F(CliProgram, FilesFromTakesNulSeparatedLists) {
    const std::string a = FOLVANE_SAMPLES "/a4_200dpi.tif";
    const std::string m = FOLVANE_SAMPLES "/multipage.tif";
    {
        std::ofstream list(dir_ / "list0", std::ios::binary);
        list << a << '\0' << m << '\0';
    }
    const std::string options = " --columns=path --no-size-summary --encoding utf-8";
    EXPECT_EQ(Run("--files-from \"" + (dir_ / "list0").string() + "\"" + options), 0);
    EXPECT_EQ(Read("stdout"), a + "\r\n" + m + "\r\n\r\n\r\n\r\n\r\n総合計4 枚\r\n");
    EXPECT_EQ(Run("--files-from - < \"" + (dir_ / "list0").string() + "\"" + options), 0);
    EXPECT_EQ(Read("stdout"), a + "\r\n" + m + "\r\n\r\n\r\n\r\n\r\n総合計4 枚\r\n");

    // A NUL inside what looks like a line list splits it there: the part
    // after the NUL is a path of its own that is not there, and an error.
    {
        std::ofstream list(dir_ / "mixed", std::ios::binary);
        list << a << '\0' << "junk\n" << m << "\n";
    }
    EXPECT_EQ(Run("--files-from \"" + (dir_ / "mixed").string() + "\"" + options), 3);
    const std::string out = Read("stdout");
    EXPECT_EQ(out.find('\0'), std::string::npos);
    EXPECT_EQ(Read("stderr").find('\0'), std::string::npos);
    EXPECT_NE(out.find(a + "\r\n"), std::string::npos);
    // (The line breaks in that name shown as escapes.)
    EXPECT_NE(out.find("エラーのあるファイル\r\n\tjunk\\n" + m + "\\n\t見つかりません"),
              std::string::npos)
        << out;
}

// Lists as other programs write them are read as the user meant them, or
// refused before anything is read: a misread list must never count other
// files (a UTF-16 list read as NUL-separated made "." and "/" paths).
TEST_F(CliProgram, FilesFromDecodesOrRefusesTheList) {
    const std::string a = FOLVANE_SAMPLES "/a4_200dpi.tif";
    const std::string m = FOLVANE_SAMPLES "/multipage.tif";
    std::string utf16 = "\xFF\xFE";  // PowerShell 5.1's Out-File
    for (const char c : a + "\r\n" + m + "\r\n") {
        utf16 += c;
        utf16 += '\0';
    }
    std::ofstream(dir_ / "utf16.txt", std::ios::binary) << utf16;
    std::ofstream(dir_ / "bom.txt", std::ios::binary) << "\xEF\xBB\xBF" << a << "\n" << m;
    const std::string options = " --columns=path --no-size-summary --encoding utf-8";
    const std::string expected = a + "\r\n" + m + "\r\n\r\n\r\n\r\n\r\n総合計4 枚\r\n";
    for (const char* list : {"utf16.txt", "bom.txt"}) {
        EXPECT_EQ(Run("-r --files-from \"" + (dir_ / list).string() + "\"" + options), 0) << list;
        EXPECT_EQ(Read("stdout"), expected) << list;
    }

    // Refused with the reason, exit status 2, nothing read or written: a
    // list in Shift-JIS, one whose NULs are not separators, a folder (also
    // as standard input), a read error.
    std::ofstream(dir_ / "sjis.txt", std::ios::binary) << "\x83\x58\x83\x4C\x83\x83\x83\x93.tif\n";
    std::ofstream(dir_ / "nuls.txt", std::ios::binary) << a << std::string(2, '\0') << m;
    struct Case {
        std::string arguments;
        std::string message;
    };
    const Case cases[] = {
        {"\"" + (dir_ / "sjis.txt").string() + "\"",
         (dir_ / "sjis.txt").string() + ": UTF-8 として正しくないバイトがあります（1 バイト目）"},
        {"\"" + (dir_ / "nuls.txt").string() + "\"",
         (dir_ / "nuls.txt").string() + ": NUL で区切られた一覧に空の項目があります（" +
             std::to_string(a.size() + 2) + " バイト目）"},
        {"\"" + dir_.string() + "\"", dir_.string() + ": フォルダです"},
        {"- < \"" + dir_.string() + "\"", "標準入力: フォルダです"},
        // Reading a process's memory at address 0 fails with EIO.
        {"/proc/self/mem", "/proc/self/mem: 入出力エラーが起きました"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run("-q --encoding utf-8 --files-from " + c.arguments), 2) << c.arguments;
        EXPECT_EQ(Read("stderr"), "folvane-cli: パスの一覧を読めません: " + c.message + "\n");
        EXPECT_EQ(Read("stdout"), "");
    }
}

// The output is checked before any file is read, and what must not be
// written is a usage error (exit status 2) that leaves it as it was: a
// scan's name (a file name forgotten after -o, as in "-o scans/*.tif"),
// the same file as an input under another name, a folder, a block device,
// no name at all.
TEST_F(CliProgram, OutputIsCheckedBeforeAnyFileIsRead) {
    const fs::path scans = dir_ / "scans";
    fs::create_directories(scans);
    fs::copy_file(FOLVANE_SAMPLES "/a4_200dpi.tif", scans / "a.tif");
    fs::copy_file(FOLVANE_SAMPLES "/multipage.tif", scans / "b.tif");
    const std::string a = (scans / "a.tif").string();
    const std::string original = Read("scans/a.tif");
    fs::create_hard_link(scans / "b.tif", dir_ / "hard.txt");
    fs::create_symlink(scans / "b.tif", dir_ / "soft.txt");
    ASSERT_EQ(::mknod((dir_ / "disk").c_str(), S_IFBLK | 0600, makedev(7, 250)), 0);
    fs::create_symlink(dir_ / "disk", dir_ / "disk-link.txt");
    struct Case {
        std::string output;
        std::string message;
    };
    const Case cases[] = {
        {a, a + ": 名前が .tif/.tiff で終わるファイルには書き出せません"},
        {(dir_ / "new.TIFF").string(),
         (dir_ / "new.TIFF").string() + ": 名前が .tif/.tiff で終わるファイルには書き出せません"},
        {(dir_ / "hard.txt").string(), (dir_ / "hard.txt").string() + ": 入力ファイル " +
                                           (scans / "b.tif").string() +
                                           " と同じファイルには書き出せません"},
        {(dir_ / "soft.txt").string(), (dir_ / "soft.txt").string() + ": 入力ファイル " +
                                           (scans / "b.tif").string() +
                                           " と同じファイルには書き出せません"},
        {scans.string(), scans.string() + ": フォルダには書き出せません"},
        {(dir_ / "disk-link.txt").string(),
         (dir_ / "disk-link.txt").string() + ": ブロックデバイスには書き出せません"},
    };
    for (const Case& c : cases) {
        // Messages in UTF-8, to compare them as written here.
        EXPECT_EQ(Run("-q --encoding utf-8 -o \"" + c.output + "\" \"" + scans.string() + "\""), 2)
            << c.output;
        EXPECT_EQ(Read("stderr"), "folvane-cli: " + c.message + "\n");
    }
    EXPECT_EQ(Read("scans/a.tif"), original);
    EXPECT_TRUE(fs::is_symlink(dir_ / "soft.txt"));
    EXPECT_EQ(fs::file_size(dir_ / "hard.txt"), fs::file_size(scans / "b.tif"));
    EXPECT_TRUE(fs::is_block_file(dir_ / "disk"));
    EXPECT_EQ(Run("-o '' \"" + a + "\""), 2);
    EXPECT_EQ(Run("--output= \"" + a + "\""), 2);
    EXPECT_EQ(Read("stdout"), "");
}

// "-o /dev/stdout" (and /dev/fd/N, /proc/self/fd/N) writes through the
// descriptor the program was given, as "-o -" does: a log it appends to
// keeps its lines, the lines a shell writes around it stay, and a file
// without a name gets no new name beside it.
TEST_F(CliProgram, OutputThroughDescriptorsWritesIntoThem) {
    const std::string cli = std::string("\"") + FOLVANE_CLI + "\" -q --encoding utf-8 ";
    const std::string a = "\"" FOLVANE_SAMPLES "/a4_200dpi.tif\"";
    const auto shell = [&](const std::string& line) {
        const std::string command = "cd \"" + dir_.string() + "\" && { " + line + "; }";
        return WEXITSTATUS(std::system(command.c_str()));
    };
    ASSERT_EQ(shell(cli + "-o - " + a + " > expected"), 0);
    const std::string report = Read("expected");
    ASSERT_NE(report.find("総合計1 枚"), std::string::npos);

    std::ofstream(dir_ / "log.txt") << "earlier\n";
    EXPECT_EQ(shell(cli + "-o /dev/stdout " + a + " >> log.txt"), 0);
    EXPECT_EQ(Read("log.txt"), "earlier\n" + report);

    for (const std::string output : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1"}) {
        EXPECT_EQ(shell("{ echo header; " + cli + "-o " + output + " " + a +
                        "; echo footer; } > out.txt"),
                  0)
            << output;
        EXPECT_EQ(Read("out.txt"), "header\n" + report + "footer\n") << output;
    }
    EXPECT_EQ(shell(cli + "-o /dev/stderr " + a + " 2> err.txt"), 0);
    EXPECT_EQ(Read("err.txt"), report);
    EXPECT_EQ(shell(cli + "-o /dev/fd/5 " + a + " 5> five.txt"), 0);
    EXPECT_EQ(Read("five.txt"), report);

    // Standard output a file whose name is gone.
    EXPECT_EQ(shell("exec > gone.txt; rm gone.txt; " + cli + "-o /dev/stdout " + a), 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 5);
    EXPECT_FALSE(fs::exists(dir_ / "gone.txt (deleted)"));
}

// File names holding line breaks, tabs and escape sequences cannot forge
// report lines, split the error list's entries or reach a terminal raw.
TEST_F(CliProgram, ControlCharactersInNamesAreShownAsEscapes) {
    const fs::path scans = dir_ / "scans";
    fs::create_directories(scans);
    fs::copy_file(FOLVANE_SAMPLES "/a4_200dpi.tif", scans / "x\r\n\r\n総合計999 枚\r\n.tif");
    std::ofstream(scans / "\x1b[2Jz\tnot.tif") << "not a TIFF file";
    EXPECT_EQ(Run("-q --encoding utf-8 \"" + scans.string() + "\""), 3);
    const std::string out = Read("stdout");
    const std::string forged = scans.string() + "/x\\r\\n\\r\\n総合計999 枚\\r\\n.tif\r\n";
    EXPECT_NE(out.find(forged), std::string::npos) << out;
    EXPECT_EQ(out.find("\r\n総合計999"), std::string::npos);
    EXPECT_NE(out.find("\r\n総合計1 枚\r\n"), std::string::npos);
    EXPECT_NE(out.find("\r\n\t" + scans.string() + "/\\x1b[2Jz\\tnot.tif\r\n"), std::string::npos)
        << out;
    EXPECT_EQ(out.find('\x1b'), std::string::npos);
    EXPECT_EQ(Read("stderr"), "folvane-cli: " + scans.string() +
                                  "/\\x1b[2Jz\\tnot.tif: 先頭が II でも MM でもありません\n");
}

// A Shift-JIS report cannot hold every name: the run says how many names
// it wrote with "?", and how to keep them.
TEST_F(CliProgram, NamesShiftJisCannotHoldAreCounted) {
    const fs::path scans = dir_ / "scans";
    fs::create_directories(scans);
    fs::copy_file(FOLVANE_SAMPLES "/a4_200dpi.tif", scans / "café.tif");
    fs::copy_file(FOLVANE_SAMPLES "/a4_200dpi.tif", scans / "스캔.tif");
    fs::copy_file(FOLVANE_SAMPLES "/a4_200dpi.tif", scans / "スキャン.tif");
    const std::string out = (dir_ / "out.txt").string();
    EXPECT_EQ(Run("-q -o \"" + out + "\" \"" + scans.string() + "\""), 0);
    EXPECT_NE(Read("out.txt").find("caf?.tif\r\n"), std::string::npos);
    // Messages to a file are Shift-JIS too: "2 件" is "2 \x8C\x8F".
    EXPECT_NE(Read("stderr").find("2 \x8C\x8F"), std::string::npos) << Read("stderr");
    EXPECT_EQ(Run("-q --encoding utf-8 -o \"" + out + "\" \"" + scans.string() + "\""), 0);
    EXPECT_EQ(Read("stderr"), "");
}

// Outputs a rename cannot replace are found before the first input is
// read: a file mounted over its name is written in place; another user's
// file in a sticky folder fails at once with exit status 1 (no file was
// read: the sample that is not a TIFF file is not named).
TEST_F(CliProgram, OutputsThatCannotBeRenamedOverAreFoundFirst) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root: a bind mount and a second user";
    const std::string samples = " --encoding utf-8 \"" FOLVANE_SAMPLES "\"";
    const fs::path mounted = dir_ / "report.txt";
    std::ofstream(dir_ / "real.txt") << "old";
    std::ofstream(mounted) << "";
    if (::mount((dir_ / "real.txt").c_str(), mounted.c_str(), nullptr, MS_BIND, nullptr) == 0) {
        EXPECT_EQ(Run("-q -o \"" + mounted.string() + "\"" + samples), 3);
        EXPECT_NE(Read("real.txt").find("総合計7 枚"), std::string::npos);
        EXPECT_EQ(::umount(mounted.c_str()), 0);
    }

    const fs::path shared = dir_ / "shared";
    fs::create_directory(shared);
    ASSERT_EQ(::chmod(dir_.c_str(), 0755), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    std::ofstream(shared / "report.txt") << "root's";
    ASSERT_EQ(::chmod((shared / "report.txt").c_str(), 0666), 0);
    const std::string report = (shared / "report.txt").string();
    const std::string asNobody = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    // A checkout in a private home folder is out of that user's reach.
    if (std::system((asNobody + "test -x \"" FOLVANE_CLI "\"").c_str()) != 0)
        GTEST_SKIP() << "the program cannot be run as another user here";
    const std::string command = asNobody + "\"" + std::string(FOLVANE_CLI) + "\" -q -o \"" +
                                report + "\"" + samples + " 2> \"" + (dir_ / "stderr").string() +
                                "\"";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1);
    EXPECT_EQ(Read("stderr"), "folvane-cli: " + report +
                                  ": スティッキービットのあるフォルダの、"
                                  "他のユーザーのファイルは置き換えられません\n");
    EXPECT_EQ(Read("shared/report.txt"), "root's");
}

// A write error on standard output is an error, for every output.
TEST_F(CliProgram, WriteErrorsOnStandardOutputFail) {
    for (const std::string args : {"--version", "--help", "-q \"" FOLVANE_SAMPLES "\"",
                                   "-q --format table \"" FOLVANE_SAMPLES "\""}) {
        const std::string command = std::string("\"") + FOLVANE_CLI + "\" --encoding utf-8 " +
                                    args + " > /dev/full 2> \"" + (dir_ / "stderr").string() + "\"";
        const int status = std::system(command.c_str());
        EXPECT_EQ(WEXITSTATUS(status), 1) << args;
        // The last line, after those about the samples that are not TIFF files.
        EXPECT_TRUE(
            Read("stderr").ends_with("\nfolvane-cli: 標準出力: ディスクに空きがありません\n") ||
            Read("stderr") == "folvane-cli: 標準出力: ディスクに空きがありません\n")
            << args << ": " << Read("stderr");
    }
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
    for (const char* format : {"direct", "display", "table", "folders"}) {
        const std::string args =
            std::string("-r --format ") + format + " \"" + corpus.string() + "\"";
        EXPECT_EQ(Run("-j 1 " + args), 3) << format;
        const std::string one = Read("stdout");
        EXPECT_EQ(Run("--jobs 4 " + args), 3) << format;
        EXPECT_EQ(Read("stdout"), one) << format;
        EXPECT_NE(one.find(std::string(format) == "folders" ? "sub" : "damaged.tif"),
                  std::string::npos);
    }
}

// The workbook is a file: never standard output or a terminal.
TEST_F(CliProgram, WorkbookNeedsAnOutputFile) {
    for (const std::string args : {"--format xlsx", "--format=xlsx -o -", "--format xlsx -o -"}) {
        EXPECT_EQ(Run(args + " \"" FOLVANE_SAMPLES "\""), 2) << args;
        EXPECT_EQ(Read("stdout"), "");
        EXPECT_NE(Read("stderr").find("--format xlsx needs -o FILE"), std::string::npos);
    }
    const std::string book = (dir_ / "book.xlsx").string();
    EXPECT_EQ(Run("-q --format xlsx -o \"" + book + "\" \"" FOLVANE_SAMPLES "\""), 3);
    EXPECT_EQ(Read("book.xlsx").substr(0, 4), std::string("PK\x03\x04", 4));
    // Refused like any result file: a scan's name.
    EXPECT_EQ(Run("--format xlsx -o \"" + (dir_ / "x.tif").string() + "\" \"" FOLVANE_SAMPLES "\""),
              2);
}

// A name Shift-JIS cannot hold is said so in cp932, and a name that looks
// like a formula is no formula in the CSV table.
TEST_F(CliProgram, TableNamesLossyAndFormulaNames) {
    const auto page = fx::BuildScanFile({{1654, 2339, 200}});
    const std::string lossy = (dir_ / "스캔.tif").string();
    const std::string formula = (dir_ / "=1+2.tif").string();
    ASSERT_TRUE(fx::WriteFile(lossy, page));
    ASSERT_TRUE(fx::WriteFile(formula, page));
    EXPECT_EQ(Run("-q --format table --encoding cp932 \"" + lossy + "\" \"" + formula + "\""), 0);
    EXPECT_NE(Read("stderr").find((dir_ / "??.tif").string() +
                                  ": Shift-JIS \x82\xc5\x95\x5c\x82\xb9\x82\xc8\x82\xa2"),
              std::string::npos)
        << Read("stderr");
    std::string table = Read("stdout");
    EXPECT_NE(table.find("\r\n" + (dir_ / "??.tif").string() +
                         ",,,,,,,,,,,,,,,,,\x92\x8d\x88\xd3,"
                         "Shift-JIS \x82\xc5\x95\x5c\x82\xb9\x82\xc8\x82\xa2\x95\xb6\x8e\x9a"
                         "\x82\xf0\x8a\xdc\x82\xde\x96\xbc\x91\x4f,\r\n"),
              std::string::npos)
        << table;
    // A name given as it is, from its folder.
    const std::string inFolder = "cd \"" + dir_.string() + "\" && \"" + FOLVANE_CLI +
                                 "\" -q --format table --encoding utf-8 =1+2.tif > table.csv";
    EXPECT_EQ(WEXITSTATUS(std::system(inFolder.c_str())), 0);
    EXPECT_NE(Read("table.csv").find("\r\n'=1+2.tif,1,1,"), std::string::npos) << Read("table.csv");
    // In UTF-8 nothing is lost.
    EXPECT_EQ(Run("-q --format table --encoding utf-8 \"" + lossy + "\""), 0);
    EXPECT_EQ(Read("stderr"), "");
    EXPECT_EQ(Read("stdout").find("注意"), std::string::npos);
}

// A folder of scans: one TIFF file and PDF files of every kind the
// option has to take or report.
void WritePdfFolder(const fs::path& folder) {
    fs::create_directories(folder);
    fs::copy_file(FOLVANE_SAMPLES "/a4_200dpi.tif", folder / "a.tif");
    {
        fx::PdfBuilder b;
        b.SetPages({b.ScanPage({b.Image(fx::FaxImage(2480, 3508))}),
                    b.Page("/MediaBox [0 0 595.28 841.89]", "", {})});
        fx::WriteFile((folder / "b scan.pdf").string(), b.Write());
        auto damaged = b.Write();
        fx::BreakXrefOffset(damaged);
        fx::WriteFile((folder / "c rebuilt.PDF").string(), damaged);
        fx::PdfBuilder::WriteOptions locked;
        locked.encrypt = true;
        locked.userPassword = "secret";
        fx::WriteFile((folder / "d locked.pdf").string(), b.Write(locked));
    }
    const std::string text = "not a PDF file";
    fx::WriteFile((folder / "e fake.pdf").string(),
                  std::vector<std::uint8_t>(text.begin(), text.end()));
}

TEST_F(CliProgram, PdfFilesOnlyWithTheOption) {
    const fs::path folder = dir_ / "scans";
    WritePdfFolder(folder);
    const std::string tifOnly = "\"" + (folder / "a.tif").string() + "\"";
    EXPECT_EQ(Run("-q --encoding utf-8 " + tifOnly), 0);
    const std::string expected = Read("stdout");
    // Without --pdf, neither a folder's PDF files nor named ones are taken.
    EXPECT_EQ(Run("-q --encoding utf-8 \"" + folder.string() + "\" \"" +
                  (folder / "b scan.pdf").string() + "\""),
              0);
    EXPECT_EQ(Read("stdout"), expected);
    EXPECT_EQ(Read("stderr"), "");
}

TEST_F(CliProgram, PdfFilesListedWithTheOption) {
    const fs::path folder = dir_ / "scans";
    WritePdfFolder(folder);
    EXPECT_EQ(Run("-q --pdf --encoding utf-8 --display \"" + folder.string() + "\""), 3);
    const std::string out = Read("stdout");
    const std::string f = folder.string() + "/";
    const std::string scan =
        "\tPDF 1.7\t2 枚\r\n"
        "\t\t\t3508 x 2480\t300 dpi\t297 x 210\tG4 Fax\tBilevel (BiZ)\tA4\t縦長\r\n"
        "\t\t\t\t\t297 x 210\t\t\tA4\t縦長\r\n";
    EXPECT_NE(out.find(f + "b scan.pdf\r\n" + scan), std::string::npos) << out;
    EXPECT_NE(out.find(f + "c rebuilt.PDF\r\n" + scan), std::string::npos) << out;
    EXPECT_NE(out.find(f + "d locked.pdf\r\n\tPDF 1.7\t0 枚\r\n\t\t\tパスワードが必要です\r\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find(f + "e fake.pdf\r\n\t\t\tTiffではないのでは？\r\n"), std::string::npos)
        << out;
    EXPECT_NE(out.find("\t" + f + "d locked.pdf\tパスワードが必要です"), std::string::npos) << out;
    EXPECT_NE(out.find("総合計\t5 枚"), std::string::npos) << out;
    EXPECT_EQ(Read("stderr"),
              "folvane-cli: " + f + "c rebuilt.PDF: 相互参照表を再構築して読みました\n" +
                  "folvane-cli: " + f + "d locked.pdf: パスワードが必要です\n" +
                  "folvane-cli: " + f + "e fake.pdf: 最初の 1024 バイトに %PDF- がありません\n");
}

TEST_F(CliProgram, PdfNamedOutputRefusedOnlyWithTheOption) {
    const std::string tif = "\"" FOLVANE_SAMPLES "/a4_200dpi.tif\"";
    const std::string out = (dir_ / "out.PDF").string();
    EXPECT_EQ(Run("-q --pdf --encoding utf-8 -o \"" + out + "\" " + tif), 2);
    EXPECT_EQ(Read("stderr"),
              "folvane-cli: " + out + ": 名前が .pdf で終わるファイルには書き出せません\n");
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(Run("-q -o \"" + out + "\" " + tif), 0);
    EXPECT_TRUE(fs::exists(out));
}

TEST_F(CliProgram, PdfFilesInTheTable) {
    const fs::path folder = dir_ / "scans";
    WritePdfFolder(folder);
    EXPECT_EQ(Run("-q --pdf --format table --encoding utf-8 -o \"" + (dir_ / "t.csv").string() +
                  "\" \"" + folder.string() + "\""),
              3);
    const std::string table = Read("t.csv");
    const std::string f = folder.string() + "/";
    for (const std::string& row : {
             f + "b scan.pdf,1,2,PDF 1.7,2480,3508,300,300,dpi,210,297,G4 Fax,Bilevel "
                 "(BiZ),A4,縦長,ページ,,正常,,1\r\n",
             f + "b scan.pdf,2,2,PDF 1.7,,,,,,210,297,,,A4,縦長,ページ,画像なし,正常,,1\r\n",
             f + "c rebuilt.PDF,2,2,PDF "
                 "1.7,,,,,,210,297,,,A4,縦長,ページ,画像なし;相互参照表を再構築,正常,,1\r\n",
             f + "d locked.pdf,,,,,,,,,,,,,,,,,パスワードが必要です,パスワードが必要です,\r\n",
         })
        EXPECT_NE(table.find(row), std::string::npos) << row << "\n" << table;
}

}  // namespace
}  // namespace folvane::cli
