// A result file named after a device or a pipe must be written into, never
// replaced: "-o /dev/null" once turned /dev/null into an ordinary file.
#include "platform/output_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <linux/fs.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

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

// A descriptor named as the output is judged like any other: a block
// device open for writing is still refused.
TEST_F(SpecialOutput, BlockDeviceBehindADescriptorIsRefused) {
    // A loop device with nothing attached opens, but cannot be written.
    int minor = 0;
    while (minor < 8 && fs::exists("/sys/block/loop" + std::to_string(minor) + "/loop")) ++minor;
    const fs::path device = dir_ / "disk";
    ASSERT_EQ(::mknod(device.c_str(), S_IFBLK | 0600, makedev(7, minor)), 0);
    const int fd = ::open(device.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) GTEST_SKIP() << "no block device to open here";
    const std::string path = "/dev/fd/" + std::to_string(fd);
    const OpenedOutput out = CreateReplacingFile(path);
    EXPECT_FALSE(out.stream);
    EXPECT_TRUE(out.refused);
    EXPECT_EQ(out.error, path + ": ブロックデバイスには書き出せません");
    ::close(fd);
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
    // No core file from the signals that leave one.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    std::raise(signal);
    std::_Exit(11);
}

// The named temporary file, where the system has no unnamed ones, is
// removed when any signal that ends the program by default ends it; the
// old file stays as it was. SIGKILL cannot be caught: there, only a file
// without a name leaves nothing.
TEST_F(SpecialOutput, InterruptedRunLeavesNothingBehind) {
    // Forked without a new start, so that the child writes into this
    // test's folder.
    GTEST_FLAG_SET(death_test_style, "fast");
    const fs::path file = dir_ / "SizeList.txt";
    std::ofstream(file) << "old";
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGXFSZ,
                             SIGXCPU, SIGVTALRM, SIGPROF, SIGABRT}) {
        EXPECT_EXIT(
            {
                UseNamedTemporaryFilesOnly(true);
                WriteThenDie(file.string(), signal);
            },
            testing::KilledBySignal(signal), "")
            << signal;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
            << signal;
    }
    EXPECT_EXIT(WriteThenDie(file.string(), SIGKILL), testing::KilledBySignal(SIGKILL), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    EXPECT_EQ(ReadAll(file), "old");
}

// A closed pipe on standard error (`folvane-cli -o r.txt dir 2>&1 | head
// -1`) does not end a run that writes to a file: the message is lost, the
// file is complete.
TEST_F(SpecialOutput, ClosedPipeDoesNotEndARunIntoAFile) {
    GTEST_FLAG_SET(death_test_style, "fast");
    const fs::path file = dir_ / "SizeList.txt";
    for (const bool namedOnly : {false, true}) {
        EXPECT_EXIT(
            {
                UseNamedTemporaryFilesOnly(namedOnly);
                int ends[2];
                if (::pipe(ends) != 0) std::_Exit(10);
                ::close(ends[0]);
                OpenedOutput out = CreateReplacingFile(file.string());
                if (!out.stream) std::_Exit(11);
                if (::write(ends[1], "message\n", 8) != -1 || errno != EPIPE) std::_Exit(12);
                if (!out.stream->Write("new") || !out.stream->Finish()) std::_Exit(13);
                out.stream.reset();
                // Once no file is pending, the program's own disposition is back.
                struct sigaction now {};
                ::sigaction(SIGPIPE, nullptr, &now);
                std::_Exit(now.sa_handler == SIG_DFL ? 0 : 14);
            },
            testing::ExitedWithCode(0), "")
            << namedOnly;
        EXPECT_EQ(ReadAll(file), "new");
        fs::remove(file);
    }
}

// What is written to is what was judged: with the path swapped between a
// FIFO and a link to a file as fast as the system allows, the file is
// never written in place (as it was when the path was examined first and
// opened after), only replaced whole. The same judgement keeps a block
// device from being written.
TEST_F(SpecialOutput, WhatIsWrittenIsWhatWasJudged) {
    // In memory where there is a file system there: every replacement syncs.
    fs::path folder = dir_;
    std::string pattern = "/dev/shm/folvane-race-XXXXXX";
    if (fs::is_directory("/dev/shm") && ::mkdtemp(pattern.data()) != nullptr) folder = pattern;
    const fs::path report = folder / "report.txt";
    const fs::path other = folder / "other";
    const fs::path victim = folder / "victim.txt";
    const std::string original = "the old text, longer than the report";
    std::ofstream(victim) << original;
    ASSERT_EQ(::mkfifo(report.c_str(), 0600), 0);
    const int reader = ::open(report.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    fs::create_symlink(victim, other);

    std::atomic<bool> stop{false};
    std::atomic<long> swaps{0};
    std::thread swapper([&] {
        while (!stop.load())
            if (::syscall(SYS_renameat2, AT_FDCWD, report.c_str(), AT_FDCWD, other.c_str(),
                          RENAME_EXCHANGE) == 0)
                ++swaps;
    });
    while (swaps.load() == 0) std::this_thread::yield();
    // The window between a look and an open is a few microseconds: about
    // one try in a thousand hits it.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (int i = 0; std::chrono::steady_clock::now() < end; ++i) {
        OpenedOutput out = CreateReplacingFile(report.string());
        if (out.stream && out.stream->Write("new")) out.stream->Finish();
        char drained[64];
        while (::read(reader, drained, sizeof drained) > 0) {
        }
        const std::string now = ReadAll(victim);
        ASSERT_TRUE(now == original || now == "new") << "after " << i << ": " << now;
        if (now != original) std::ofstream(victim) << original;
    }
    stop.store(true);
    swapper.join();
    ::close(reader);
    if (folder != dir_) fs::remove_all(folder);
}

// A file mounted over another name (a bind mount) cannot be renamed over:
// it is found before the run and written in place, truncated first.
TEST_F(SpecialOutput, BindMountedFileIsWrittenInPlace) {
    const fs::path source = dir_ / "real.txt";
    const fs::path mounted = dir_ / "SizeList.txt";
    std::ofstream(source) << "the old text, longer than the report";
    std::ofstream(mounted) << "";
    if (::mount(source.c_str(), mounted.c_str(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "no bind mounts here";
    Replace(mounted.string(), "new");
    EXPECT_EQ(ReadAll(mounted), "new");
    EXPECT_EQ(ReadAll(source), "new");
    EXPECT_EQ(::umount(mounted.c_str()), 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

// In a folder with the sticky bit another user's file cannot be replaced:
// said before the run, not after it (exit status 1, not a usage error).
TEST_F(SpecialOutput, OthersFileInAStickyFolderIsRefusedAtOnce) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs a second user: run as root";
    GTEST_FLAG_SET(death_test_style, "fast");
    const fs::path sticky = dir_ / "shared";
    fs::create_directory(sticky);
    ASSERT_EQ(::chmod(dir_.c_str(), 0755), 0);
    ASSERT_EQ(::chmod(sticky.c_str(), 01777), 0);
    const fs::path file = sticky / "SizeList.txt";
    std::ofstream(file) << "root's";
    ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
    EXPECT_EXIT(
        {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) std::_Exit(10);
            const OpenedOutput out = CreateReplacingFile(file.string());
            const bool expected = !out.stream && !out.refused &&
                                  out.error == file.string() +
                                                   ": スティッキービットのあるフォルダの、"
                                                   "他のユーザーのファイルは置き換えられません";
            std::_Exit(expected ? 0 : 11);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadAll(file), "root's");
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
