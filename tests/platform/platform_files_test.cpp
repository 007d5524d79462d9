// The platform layer's file functions, through the program's UTF-8 paths:
// the same expectations on every system, with Japanese names throughout,
// since that is where wide-path handling on Windows goes wrong.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "input/input_list.h"
#include "platform/file_reader.h"
#include "platform/file_system.h"
#include "platform/output_file.h"
#include "platform/text_encoding.h"
#include "run/direct_run.h"
#include "run/result_file.h"
#include "run/run_preparation.h"
#include "scratch_folder.h"
#include "tiff_builder.h"

namespace folvane {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

std::vector<std::uint8_t> A4Scan() {
    fixture::File file;
    file.pages.push_back(fixture::MakeScanPage(1654, 2339, 200));
    return fixture::Build(file);
}

TEST(FileReader, ReadsAtOffsetsAndStopsAtTheEnd) {
    ScratchFolder scratch;
    const std::string path = scratch.MakeFolder("見本") + kPathSeparator + "請求書.tif";
    WriteBytes(path, "0123456789");

    OpenedFile file = OpenFileForReading(path);
    ASSERT_NE(file.source, nullptr) << file.error;
    EXPECT_EQ(file.source->Size(), 10u);

    std::array<std::uint8_t, 8> buffer{};
    struct Read {
        std::uint64_t offset;
        std::size_t length;
        std::string_view expected;
    };
    for (const Read& read :
         {Read{0, 4, "0123"}, Read{4, 8, "456789"}, Read{9, 8, "9"}, Read{10, 8, ""},
          Read{1u << 20, 8, ""}, Read{(1ull << 32) + 1, 8, ""}}) {
        const auto got = file.source->ReadAt(read.offset, std::span(buffer.data(), read.length));
        ASSERT_TRUE(got.has_value()) << read.offset;
        EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(buffer.data()), *got),
                  read.expected)
            << read.offset;
    }
}

TEST(FileReader, MissingFilesAndFoldersAreNotOpened) {
    ScratchFolder scratch;
    const std::string folder = scratch.MakeFolder("見本.tif");
    for (const std::string& path : {folder, scratch.Path("無い.tif"), scratch.Path("無い/a.tif")}) {
        const OpenedFile file = OpenFileForReading(path);
        EXPECT_EQ(file.source, nullptr) << path;
        EXPECT_FALSE(file.error.empty()) << path;
    }
}

TEST(FileSystem, ExaminesPathsWithJapaneseNames) {
    ScratchFolder scratch;
    const std::string folder = scratch.MakeFolder("見本");
    WriteBytes(scratch.Path("見本/請求書.tif"), "x");
    EXPECT_EQ(ExaminePath(folder), PathKind::Folder);
    EXPECT_EQ(ExaminePath(JoinPath(folder, "請求書.tif")), PathKind::File);
    EXPECT_EQ(ExaminePath(JoinPath(folder, "納品書.tif")), PathKind::Missing);
    EXPECT_EQ(ExaminePath(JoinPath(JoinPath(folder, "無い"), "a.tif")), PathKind::Missing);
}

TEST(FileSystem, ListsOnlyFilesEndingInTifInAnyCase) {
    ScratchFolder scratch;
    const std::string folder = scratch.MakeFolder("見本");
    for (const char* name : {"a.tif", "B.TIF", "c.Tif", "請求書.tif", "d.tiff", "e.tif.txt", "tif",
                             ".tif.bak", "f.ti"})
        WriteBytes(scratch.Path(std::string("見本/") + name), "x");
    scratch.MakeFolder("見本/old.tif");
    WriteBytes(scratch.Path("見本/old.tif/g.tif"), "x");

    auto names = ListTifFileNames(folder);
    ASSERT_TRUE(names.has_value());
    std::sort(names->begin(), names->end());
    EXPECT_EQ(*names, (std::vector<std::string>{"B.TIF", "a.tif", "c.Tif", "請求書.tif"}));

    EXPECT_EQ(ListTifFileNames(JoinPath(folder, "無い")), std::nullopt);
}

TEST(OutputFile, ReplacesTheTargetOnlyWhenFinished) {
    ScratchFolder scratch;
    scratch.MakeFolder("結果");
    const std::string path = scratch.Path("結果/一覧.txt");
    WriteBytes(path, "old");

    {
        OpenedOutput dropped = CreateReplacingFile(path);
        ASSERT_NE(dropped.stream, nullptr) << dropped.error;
        EXPECT_TRUE(dropped.stream->Write("half"));
    }
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(scratch.Names("結果"), std::vector<std::string>{"一覧.txt"});

    OpenedOutput output = CreateReplacingFile(path);
    ASSERT_NE(output.stream, nullptr) << output.error;
    const std::string big(200 * 1024, 'x');  // more than one buffer
    EXPECT_TRUE(output.stream->Write("a\r\nb\r\n"));
    EXPECT_TRUE(output.stream->Write(big));
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_TRUE(output.stream->Finish()) << output.stream->ErrorMessage();
    EXPECT_EQ(ReadBytes(path), "a\r\nb\r\n" + big);
    EXPECT_EQ(scratch.Names("結果"), std::vector<std::string>{"一覧.txt"});
}

// A program that ends in the middle of writing a result file, without
// running a single destructor, leaves nothing beside the old file: the new
// one has no name yet (Linux) or is marked for deletion until complete
// (Windows). The folder has a fixed name: the death test's child process
// runs this test again from its start.
TEST(OutputFile, EndingWhileWritingLeavesNothingBehind) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "folvane-ending-while-writing";
    std::filesystem::create_directories(folder);
    const std::string path = testing::Utf8FromPath(folder / testing::PathFromUtf8("一覧.txt"));
    WriteBytes(path, "old");
    EXPECT_EXIT(
        {
            OpenedOutput output = CreateReplacingFile(path);
            if (!output.stream || !output.stream->Write(std::string(200 * 1024, 'x')))
                std::_Exit(1);
            std::_Exit(7);
        },
        ::testing::ExitedWithCode(7), "");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(testing::Utf8FromPath(entry.path().filename()));
    EXPECT_EQ(names, std::vector<std::string>{"一覧.txt"});
    EXPECT_EQ(ReadBytes(path), "old");
    std::filesystem::remove_all(folder);
}

TEST(OutputFile, ReportsAFolderThatDoesNotExist) {
    ScratchFolder scratch;
    const std::string path = scratch.Path("無い/一覧.txt");
    const OpenedOutput output = CreateReplacingFile(path);
    EXPECT_EQ(output.stream, nullptr);
    EXPECT_EQ(output.error, path + ": 見つかりません");
}

// A file whose name code page 932 cannot hold is still read: only its
// name in the result file turns into "?".
TEST(WidePaths, FileNamedOutsideCodePage932IsReadAndListedWithQuestionMarks) {
    ScratchFolder scratch;
    const std::string folder = scratch.MakeFolder("見本");
    WriteBytes(scratch.Path("見本/스캔 é.tif"), A4Scan());

    std::vector<std::string> list;
    std::vector<PathProblem> problems;
    AddDroppedPath(folder, list, problems);
    ASSERT_EQ(list, std::vector<std::string>{JoinPath(folder, "스캔 é.tif")});
    EXPECT_TRUE(problems.empty());

    FormState state;
    state.FilesAdded = 1;
    const SelectionState selection;
    const RunPreparation preparation = PrepareRun(state, selection);
    ASSERT_FALSE(preparation.refusal);
    const std::string resultPath = scratch.Path("見本/結果.txt");
    OpenedOutput output = CreateReplacingFile(resultPath);
    ASSERT_NE(output.stream, nullptr) << output.error;
    EncodedLineWriter writer(*output.stream, OutputEncoding::Cp932);
    NoProgress progress;
    ASSERT_TRUE(RunDirectSave(state, selection, preparation.tally, list, writer, progress));
    ASSERT_TRUE(output.stream->Finish());

    const std::string result = ReadBytes(resultPath);
    const std::string pathLine =
        Encode(folder, OutputEncoding::Cp932) + kPathSeparator + "?? ?.tif\r\n";
    EXPECT_EQ(result.rfind(pathLine, 0), 0u) << result;
    // The page was read: its size and paper name follow.
    EXPECT_NE(result.find("\t2339 x 1654\t200 dpi\t"), std::string::npos) << result;
    EXPECT_NE(result.find("\tA4\t"), std::string::npos) << result;
}

}  // namespace
}  // namespace folvane
