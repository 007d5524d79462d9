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
#include <unistd.h>

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

}  // namespace
}  // namespace folvane
