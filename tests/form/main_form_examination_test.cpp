// What the window does while dropped paths are examined on another
// thread, over a file system made slow by the platform's test delay: the
// window's thread is never held, the progress shows only past half a
// second, Escape stops the examination keeping what was examined, a run
// asked for meanwhile waits for it, and the same file under two spellings
// is listed once.
#include <filesystem>

#include "form_test_support.h"
#include "platform/file_system.h"

namespace folvane::testing {
namespace {

using namespace std::chrono_literals;

class ExaminationTest : public ::testing::Test {
  protected:
    ExaminationTest() : form(view, Services()) { form.Form_Initialize(); }
    ~ExaminationTest() override { DelayPathLooksForTesting(0us); }

    form::MainFormServices Services() {
        form::MainFormServices services;
        services.readThreads = 2;
        services.clock = [this] { return now; };
        return services;
    }
    std::string Path(std::string_view name) const {
        std::filesystem::path path = PathFromUtf8(folder.Path()) / PathFromUtf8(name);
        return Utf8FromPath(path.make_preferred());
    }
    // `count` files named f0000.tif ..., and their paths.
    std::vector<std::string> MakeFiles(int count) {
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) {
            std::string name = std::to_string(10000 + i).substr(1);
            paths.push_back(Path("f" + name + ".tif"));
            WriteBytes(paths.back(), "x");
        }
        return paths;
    }

    std::chrono::steady_clock::time_point now{};
    ScratchFolder folder;
    FakeMainFormView view;
    form::MainForm form;
};

TEST_F(ExaminationTest, TheWindowIsFreeWhileASlowShareIsExamined) {
    const std::vector<std::string> paths = MakeFiles(200);
    DelayPathLooksForTesting(2ms);  // 200 looks on 2 threads: some 200 ms
    const auto before = std::chrono::steady_clock::now();
    form.List1_OLEDragDrop(paths);
    // The drop returned at once, long before its 200 looks were done.
    EXPECT_LT(std::chrono::steady_clock::now() - before, 100ms);
    EXPECT_TRUE(form.IsExamining());
    EXPECT_TRUE(view.examineTimerRunning);
    EXPECT_TRUE(view.list1.empty());

    // Under half a second nothing shows.
    now += 400ms;
    form.ExamineTimer_Tick();
    EXPECT_FALSE(view.progress.visible);
    // Then the progress window, with a count.
    now += 200ms;
    form.ExamineTimer_Tick();
    if (form.IsExamining()) {
        EXPECT_TRUE(view.progress.visible);
        EXPECT_TRUE(view.progress.caption.starts_with("ファイルを確認しています（"))
            << view.progress.caption;
        EXPECT_TRUE(view.progress.caption.ends_with(" / 200）")) << view.progress.caption;
        EXPECT_EQ(view.progress.maximum, 200);
    }
    form.FinishExamination();
    EXPECT_FALSE(form.IsExamining());
    EXPECT_FALSE(view.examineTimerRunning);
    EXPECT_FALSE(view.progress.visible);
    EXPECT_EQ(view.list1, paths);
    EXPECT_TRUE(view.TakeLog().empty());
}

TEST_F(ExaminationTest, EscapeStopsItKeepingWhatWasExamined) {
    const std::vector<std::string> paths = MakeFiles(300);
    DelayPathLooksForTesting(5ms);  // some 750 ms in all
    form.List1_OLEDragDrop(paths);
    std::this_thread::sleep_for(100ms);
    form.ExamineCancel_Click();
    form.FinishExamination();
    EXPECT_FALSE(form.IsExamining());
    // What was examined is on the list, in order; the rest is not.
    EXPECT_GT(view.list1.size(), 0u);
    EXPECT_LT(view.list1.size(), paths.size());
    EXPECT_EQ(view.list1,
              std::vector<std::string>(
                  paths.begin(), paths.begin() + static_cast<std::ptrdiff_t>(view.list1.size())));
    EXPECT_EQ(form.State().FilesAdded, 1);
}

TEST_F(ExaminationTest, ARunAskedForWhileExaminingWaitsForIt) {
    const std::vector<std::string> paths = MakeFiles(40);
    DelayPathLooksForTesting(2ms);
    form.List1_OLEDragDrop(paths);
    form.Start_Click();
    // No refusal ("ファイルを選択してください。"), no run yet.
    EXPECT_EQ(view.runsFinished, 0);
    EXPECT_TRUE(view.TakeLog().empty());
    form.FinishExamination();
    EXPECT_EQ(view.runsFinished, 1);
    EXPECT_EQ(view.list1.size(), 40u);
    // All 40 (not TIFF files) were read by the run.
    EXPECT_NE(view.resultText.find(paths.back()), std::string::npos);
}

TEST_F(ExaminationTest, DropsMadeWhileExaminingFollowInTurn) {
    const std::vector<std::string> paths = MakeFiles(30);
    DelayPathLooksForTesting(1ms);
    form.List1_OLEDragDrop({paths.begin(), paths.begin() + 20});
    form.List1_OLEDragDrop({paths.begin() + 20, paths.end()});
    form.FinishExamination();
    EXPECT_EQ(view.list1, paths);
}

TEST_F(ExaminationTest, ClearDropsWhatIsBeingExamined) {
    const std::vector<std::string> paths = MakeFiles(100);
    DelayPathLooksForTesting(5ms);
    form.List1_OLEDragDrop(paths);
    form.Clear_Click();
    EXPECT_FALSE(form.IsExamining());
    EXPECT_FALSE(view.examineTimerRunning);
    form.ExamineTimer_Tick();  // a tick still queued changes nothing
    EXPECT_TRUE(view.list1.empty());
}

// The same file under another spelling, or a hard link to it, is listed
// once, under the spelling that comes first; the others are named.
TEST_F(ExaminationTest, TheSameFileIsListedOnce) {
    folder.MakeFolder("scan");
    WriteBytes(Path("scan/a.tif"), "x");
    WriteBytes(Path("scan/b.tif"), "x");
    std::filesystem::create_hard_link(PathFromUtf8(Path("scan/a.tif")),
                                      PathFromUtf8(Path("scan/link.tif")));
    const std::string dotted = Utf8FromPath(PathFromUtf8(folder.Path()) / "scan" / "." / "a.tif");
    // Named one by one, each path is looked at, which gives its identity.
    form.List1_OLEDragDrop({Path("scan/link.tif"), Path("scan/b.tif"), Path("scan/a.tif")});
    form.FinishExamination();
    EXPECT_EQ(view.list1, (std::vector<std::string>{Path("scan/a.tif"), Path("scan/b.tif")}));
    form.List1_OLEDragDrop({dotted});
    form.FinishExamination();
    // "scan/./a.tif" sorts before "scan/a.tif": it takes the place.
    EXPECT_EQ(view.list1, (std::vector<std::string>{dotted, Path("scan/b.tif")}));
    EXPECT_EQ(view.TakeLog(),
              (WindowLog{{"OKDialog1",
                          "次の 1 件のパスは追加できませんでした。\r\n" + Path("scan/link.tif") +
                              ": 同じファイルです: " + Path("scan/a.tif"),
                          "MainForm1"},
                         {"OKDialog1",
                          "次の 1 件のパスは追加できませんでした。\r\n" + Path("scan/a.tif") +
                              ": 同じファイルです: " + dotted,
                          "MainForm1"}}));
}

#ifndef _WIN32
// A folder's listing gives the identities too, where the file system's
// numbers can be trusted (on Windows the listing gives none: files found
// in a folder are told apart by their paths alone).
TEST_F(ExaminationTest, AFolderListsAHardLinkOnce) {
    folder.MakeFolder("scan");
    WriteBytes(Path("scan/a.tif"), "x");
    std::filesystem::create_hard_link(PathFromUtf8(Path("scan/a.tif")),
                                      PathFromUtf8(Path("scan/link.tif")));
    form.List1_OLEDragDrop({Path("scan")});
    form.FinishExamination();
    EXPECT_EQ(view.list1, std::vector<std::string>{Path("scan/a.tif")});
}
#endif

}  // namespace
}  // namespace folvane::testing
