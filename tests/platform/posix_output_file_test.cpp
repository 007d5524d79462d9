// A result file named after a device or a pipe must be written into, never
// replaced: "-o /dev/null" once turned /dev/null into an ordinary file.
#include "platform/output_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <csignal>
#include <fstream>

namespace folvane {
namespace {

namespace fs = std::filesystem;

class SpecialOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "folvane-out-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(SpecialOutput, FifoIsWrittenIntoAndStaysAFifo) {
    const std::string fifo = (dir_ / "out.txt").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // The reading end first, so that opening for writing does not wait.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);

    OpenedOutput out = CreateReplacingFile(fifo);
    ASSERT_TRUE(out.stream) << out.error;
    EXPECT_TRUE(out.stream->Write("line\r\n"));
    EXPECT_TRUE(out.stream->Finish());
    out.stream.reset();

    std::array<char, 16> got{};
    EXPECT_EQ(::read(reader, got.data(), got.size()), 6);
    EXPECT_EQ(std::string(got.data(), 6), "line\r\n");
    ::close(reader);
    struct stat info {};
    ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    // No temporary file was left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(SpecialOutput, RegularFileIsStillReplacedWhole) {
    const fs::path file = dir_ / "out.txt";
    {
        OpenedOutput first = CreateReplacingFile(file.string());
        ASSERT_TRUE(first.stream);
        ASSERT_TRUE(first.stream->Write("old text that is longer"));
        ASSERT_TRUE(first.stream->Finish());
    }
    OpenedOutput second = CreateReplacingFile(file.string());
    ASSERT_TRUE(second.stream);
    ASSERT_TRUE(second.stream->Write("new"));
    ASSERT_TRUE(second.stream->Finish());
    EXPECT_EQ(fs::file_size(file), 3u);
    EXPECT_TRUE(fs::is_regular_file(file));
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Replaces `path` with `text` through CreateReplacingFile.
void Replace(const std::string& path, std::string_view text) {
    OpenedOutput out = CreateReplacingFile(path);
    ASSERT_TRUE(out.stream) << out.error;
    ASSERT_TRUE(out.stream->Write(text));
    ASSERT_TRUE(out.stream->Finish()) << out.stream->ErrorMessage();
}

// A link to a block device once had the device overwritten. The node made
// here names a loop device number no system has set up, so nothing could
// be harmed even if it were opened.
TEST_F(SpecialOutput, BlockDeviceAndFolderAreRefused) {
    const fs::path device = dir_ / "disk";
    ASSERT_EQ(::mknod(device.c_str(), S_IFBLK | 0600, makedev(7, 250)), 0);
    const fs::path link = dir_ / "SizeList.txt";
    fs::create_symlink(device, link);
    for (const fs::path& path : {device, link}) {
        const OpenedOutput out = CreateReplacingFile(path.string());
        EXPECT_FALSE(out.stream);
        EXPECT_TRUE(out.refused);
        EXPECT_EQ(out.error, path.string() + ": ブロックデバイスには書き出せません");
    }
    fs::create_directory(dir_ / "folder");
    const OpenedOutput folder = CreateReplacingFile((dir_ / "folder").string());
    EXPECT_TRUE(folder.refused);
    EXPECT_EQ(folder.error, (dir_ / "folder").string() + ": フォルダには書き出せません");
    const OpenedOutput empty = CreateReplacingFile("");
    EXPECT_TRUE(empty.refused);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_block_file(device));
}

// A FIFO nobody reads fails at once instead of holding the run for ever.
TEST_F(SpecialOutput, FifoWithoutReaderFailsAtOnce) {
    const std::string fifo = (dir_ / "out.txt").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const OpenedOutput out = CreateReplacingFile(fifo);
    EXPECT_FALSE(out.stream);
    EXPECT_FALSE(out.refused);
    EXPECT_EQ(out.error, fifo + ": 読み手のいないパイプかデバイスです");
}

TEST_F(SpecialOutput, CharacterDeviceIsWrittenInPlace) {
    const fs::path link = dir_ / "null.txt";
    fs::create_symlink("/dev/null", link);
    Replace(link.string(), "line\r\n");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// A link to a result file replaces the file it points to, whole, and
// stays a link.
TEST_F(SpecialOutput, LinkToAFileReplacesThatFile) {
    fs::create_directory(dir_ / "results");
    const fs::path target = dir_ / "results" / "SizeList.txt";
    std::ofstream(target) << "old";
    const fs::path link = dir_ / "latest.txt";
    fs::create_symlink("results/SizeList.txt", link);
    Replace(link.string(), "new text");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "results/SizeList.txt");
    EXPECT_EQ(ReadAll(target), "new text");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "results"), fs::directory_iterator()), 1);
}

// While a result file is written it has no name: nothing appears beside
// the old file, and nothing can be left behind.
TEST_F(SpecialOutput, NoNameUntilComplete) {
    const fs::path file = dir_ / "SizeList.txt";
    std::ofstream(file) << "old";
    OpenedOutput out = CreateReplacingFile(file.string());
    ASSERT_TRUE(out.stream) << out.error;
    ASSERT_TRUE(out.stream->Write(std::string(100000, 'x')));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    EXPECT_EQ(ReadAll(file), "old");
    ASSERT_TRUE(out.stream->Finish());
    EXPECT_EQ(fs::file_size(file), 100000u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

// Ends the program in the middle of writing a result file.
void WriteThenDie(const std::string& path, int signal) {
    OpenedOutput out = CreateReplacingFile(path);
    if (!out.stream || !out.stream->Write(std::string(100000, 'x'))) std::_Exit(10);
    std::raise(signal);
    std::_Exit(11);
}

// The named temporary file, where the system has no unnamed ones, is
// removed when SIGINT, SIGTERM or SIGHUP end the program; the old file
// stays as it was. SIGKILL cannot be caught: there, only a file without a
// name leaves nothing.
TEST_F(SpecialOutput, InterruptedRunLeavesNothingBehind) {
    // Forked without a new start, so that the child writes into this
    // test's folder.
    GTEST_FLAG_SET(death_test_style, "fast");
    const fs::path file = dir_ / "SizeList.txt";
    std::ofstream(file) << "old";
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        EXPECT_EXIT(
            {
                UseNamedTemporaryFilesOnly(true);
                WriteThenDie(file.string(), signal);
            },
            testing::KilledBySignal(signal), "");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
            << signal;
    }
    EXPECT_EXIT(WriteThenDie(file.string(), SIGKILL), testing::KilledBySignal(SIGKILL), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    EXPECT_EQ(ReadAll(file), "old");
}

// The new file keeps the old one's permissions but never its
// set-user-ID, set-group-ID or sticky bits.
TEST_F(SpecialOutput, ReplacedFileLosesSetIdBits) {
    for (const bool namedOnly : {false, true}) {
        UseNamedTemporaryFilesOnly(namedOnly);
        const fs::path file = dir_ / "SizeList.txt";
        std::ofstream(file) << "old";
        ASSERT_EQ(::chmod(file.c_str(), 07754), 0);
        Replace(file.string(), "new");
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0754u) << namedOnly;
    }
    UseNamedTemporaryFilesOnly(false);
}

}  // namespace
}  // namespace folvane
