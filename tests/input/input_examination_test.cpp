// Examining input paths: the same list whatever the number of looks in
// flight, what a folder, a tree and the selection window's entries add,
// links and hidden names, and stopping part way.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "input/input_examination.h"
#include "input/input_list.h"
#include "input/taken_names.h"
#include "platform/file_system.h"

namespace folvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class ExamineTest : public testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("folvane-examine-" +
                 std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        // A tree of 6 folders on 3 levels, each with two TIFF names, one
        // other file, a hidden file and a hidden folder.
        for (const char* folder : {"t", "t/a", "t/b", "t/a/x", "t/a/y", "t/b/z"}) {
            fs::create_directories(root_ / folder / ".hidden");
            for (const char* name : {"1.tif", "2.TIF", "n.txt", ".h.tif", ".hidden/3.tif"})
                std::ofstream(root_ / folder / name) << "x";
        }
    }
    void TearDown() override {
        DelayPathLooksForTesting(0us);
        fs::remove_all(root_);
    }

    std::string At(std::string relative) const {
        for (char& c : relative)
            if (c == '/') c = kPathSeparator;
        return root_.string() + kPathSeparator + relative;
    }
    // 400 names of one file, each look at them taking 2 ms.
    std::vector<std::string> SlowLooks() const {
        DelayPathLooksForTesting(2ms);
        return std::vector<std::string>(400, At("t/a/1.tif"));
    }
    static std::vector<std::string> Sorted(const PathList& files) {
        std::vector<std::string> list;
        for (std::size_t i = 0; i < files.Count(); ++i) list.push_back(files.At(i));
        SortInputList(list);
        return list;
    }

    fs::path root_;
};

TEST_F(ExamineTest, AnyNumberOfThreadsGivesTheSameList) {
    const std::vector<std::string> paths{At("t"), At("gone"), At("t/a/1.tif"), At("t/b")};
    std::vector<std::string> first;
    for (const bool recursive : {false, true}) {
        for (const unsigned threads : {1u, 2u, 8u, 32u}) {
            SCOPED_TRACE(testing::Message()
                         << "recursive " << recursive << ", threads " << threads);
            ExaminationRules rules;
            rules.recursive = recursive;
            rules.threads = threads;
            const ExaminedInputs examined = ExamineInputs(paths, rules);
            const std::vector<std::string> list = Sorted(examined.files);
            EXPECT_EQ(list.size(), recursive ? 12u + 1u + 4u : 2u + 1u + 2u);
            if (threads == 1) first = list;
            EXPECT_EQ(list, first);
            ASSERT_EQ(examined.problems.size(), 1u);
            EXPECT_EQ(examined.problems[0].path, At("gone"));
            EXPECT_FALSE(examined.cancelled);
        }
    }
}

TEST_F(ExamineTest, ListedFilesCarryTheIdentityAStatGives) {
    const std::string path = At("t/a/1.tif");
    const ExaminedInputs examined = ExamineInputs(std::vector<std::string>{At("t/a")}, {});
    bool seen = false;
    for (std::size_t i = 0; i < examined.files.Count(); ++i) {
        if (examined.files.At(i) != path) continue;
        seen = true;
        // Where the listing gives no identity, none is made up.
        if (const auto identity = examined.files.IdentityAt(i)) {
            EXPECT_EQ(*identity, IdentifyFile(path));
        }
    }
    EXPECT_TRUE(seen);
    const PathLook look = LookAtPath(path);
    EXPECT_EQ(look.kind, PathKind::File);
    EXPECT_TRUE(look.regular);
    EXPECT_EQ(look.identity, IdentifyFile(path));
    EXPECT_EQ(LookAtPath(At("t")).kind, PathKind::Folder);
    EXPECT_EQ(LookAtPath(At("nothing")).kind, PathKind::Missing);
}

TEST_F(ExamineTest, SelectionEntriesAreTakenAsTheyAre) {
    ExaminationRules rules;
    rules.anyNamedFile = true;
    const std::vector<std::string> entries{At("t/n.txt"), At("t/a"), At("gone.tif")};
    const ExaminedInputs examined = ExamineInputs(entries, rules);
    EXPECT_EQ(Sorted(examined.files),
              (std::vector<std::string>{At("t/a/1.tif"), At("t/a/2.TIF"), At("t/n.txt")}));
    // A vanished entry is a problem, not kept on the list.
    ASSERT_EQ(examined.problems.size(), 1u);
    EXPECT_FALSE(examined.problems[0].listed);
}

#ifndef _WIN32
TEST_F(ExamineTest, LinksToFilesCountLinksToFoldersAreNotEntered) {
    fs::create_symlink(root_ / "t" / "a" / "1.tif", root_ / "t" / "b" / "linked.tif");
    fs::create_symlink(root_ / "t", root_ / "t" / "b" / "loop");
    fs::create_symlink(root_ / "t", root_ / "t" / "b" / "loop.tif");
    ExaminationRules rules;
    rules.recursive = true;
    const std::vector<std::string> list =
        Sorted(ExamineInputs(std::vector<std::string>{At("t/b")}, rules).files);
    EXPECT_EQ(list,
              (std::vector<std::string>{At("t/b/1.tif"), At("t/b/2.TIF"), At("t/b/linked.tif"),
                                        At("t/b/z/1.tif"), At("t/b/z/2.TIF")}));
}
#endif

TEST_F(ExamineTest, StoppingKeepsWhatWasExamined) {
    const std::vector<std::string> paths = SlowLooks();
    ExaminationRules rules;
    rules.threads = 2;
    BackgroundExamination examination(paths, rules);
    std::this_thread::sleep_for(50ms);
    examination.Cancel();
    const ExaminedInputs examined = examination.Take();
    EXPECT_TRUE(examined.cancelled);
    EXPECT_GT(examined.files.Count(), 0u);
    EXPECT_LT(examined.files.Count(), paths.size());
    EXPECT_GE(examination.Examined(), examined.files.Count());
}

// Looks that wait on the storage bring all the threads in, though only
// two look at first: 400 looks of 2 ms would take 400 ms on two.
TEST_F(ExamineTest, LooksThatWaitBringAllThreadsIn) {
    const std::vector<std::string> paths = SlowLooks();
    ExaminationRules rules;
    rules.threads = 32;
    rules.threadsFromMemory = 2;
    const auto started = std::chrono::steady_clock::now();
    const ExaminedInputs examined = ExamineInputs(paths, rules);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 200ms);
    EXPECT_EQ(examined.files.Count(), paths.size());
}

TEST(TakenNames, NamedExactlyListedInAnyCase) {
    EXPECT_TRUE(TakesNamedFile("a/b.tif"));
    EXPECT_FALSE(TakesNamedFile("a/b.TIF"));
    EXPECT_FALSE(TakesNamedFile("a/b.tiff"));
    EXPECT_TRUE(TakesListedFile("b.TiF"));
    EXPECT_FALSE(TakesListedFile("b.tif~"));
    EXPECT_FALSE(TakesListedFile("tif"));
}

TEST(PathList, SameFilesKeepTheFirstSpelling) {
    PathList list;
    list.Add("b/x.tif", FileIdentity{1, 7});
    list.Add("a/x.tif", FileIdentity{1, 7});
    list.Add("c/y.tif", FileIdentity{2, 7});
    list.Add("d/gone.tif", std::nullopt);
    list.Add("e/gone.tif", std::nullopt);
    // Three spellings of one file, two of another, between the others.
    list.Add("bb/x.tif", FileIdentity{1, 7});
    list.Add("cc/y.tif", FileIdentity{2, 7});
    list.SortAndRemoveDuplicates();
    const std::vector<SameFile> same = list.RemoveSameFiles();
    ASSERT_EQ(same.size(), 3u);
    EXPECT_EQ(same[0].path, "b/x.tif");
    EXPECT_EQ(same[0].firstPath, "a/x.tif");
    EXPECT_EQ(same[1].path, "bb/x.tif");
    EXPECT_EQ(same[1].firstPath, "a/x.tif");
    EXPECT_EQ(same[2].path, "cc/y.tif");
    EXPECT_EQ(same[2].firstPath, "c/y.tif");
    ASSERT_EQ(list.Count(), 4u);
    EXPECT_EQ(list.At(1), "c/y.tif");
    EXPECT_EQ(list.IdentityAt(1), (FileIdentity{2, 7}));
    EXPECT_EQ(list.At(3), "e/gone.tif");
    EXPECT_FALSE(list.IdentityAt(3).has_value());
}

}  // namespace
}  // namespace folvane
