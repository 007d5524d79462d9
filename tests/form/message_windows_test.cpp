// The auxiliary windows' forms: the message windows, the unsaved-result
// question, the progress window's pace, the about box and the help.
#include <gtest/gtest.h>

#include <map>

#include "form_test_support.h"
#include "platform/program_launcher.h"
#include "platform/registry.h"

namespace folvane::testing {
namespace {

using namespace std::chrono_literals;

TEST(OkDialogForm, SetsTheMessageAndShowsItOverItsOwner) {
    WindowLog log;
    FakeOkDialog view("OKDialog1", log);
    form::OkDialog dialog(view);
    dialog.Show("ファイルを選択してください。");
    dialog.Show("何も選択されていません !", form::MessageOwner::SelectDialog);
    EXPECT_EQ(log, (WindowLog{{"OKDialog1", "ファイルを選択してください。", "MainForm1"},
                              {"OKDialog1", "何も選択されていません !", "SelectDialog"}}));
    // "OK" hid it again.
    EXPECT_FALSE(view.visible);
}

TEST(CloseDialogForm, AnswersByButtonAndKeepsTheLastOnTheCloseBox) {
    WindowLog log;
    FakeCloseDialog view(log);
    form::CloseDialog dialog(view);
    EXPECT_EQ(dialog.CloseDialogAnswer, 0);
    view.next = CloseAnswer::CloseBox;
    dialog.Ask("結果が保存されていません。", "保存しますか？");
    EXPECT_EQ(dialog.CloseDialogAnswer, 0);
    view.next = CloseAnswer::Yes;
    dialog.Ask("a", "b");
    EXPECT_EQ(dialog.CloseDialogAnswer, form::kAnswerYes);
    EXPECT_FALSE(view.visible);
    view.next = CloseAnswer::CloseBox;
    dialog.Ask("a", "b");
    EXPECT_EQ(dialog.CloseDialogAnswer, form::kAnswerYes);
    view.next = CloseAnswer::No;
    dialog.Ask("a", "b");
    EXPECT_EQ(dialog.CloseDialogAnswer, form::kAnswerNo);
    EXPECT_EQ(log.front(), (ShownWindow{"CloseDialog", "結果が保存されていません。\n保存しますか？",
                                        "MainForm1"}));
}

TEST(ModelessDialogForm, RepaintsAtMostEveryFiftyMilliseconds) {
    FakeProgress view;
    std::chrono::steady_clock::time_point now{};
    form::ModelessDialog progress(view, [&now] { return now; });
    int flushes = 0;
    progress.SetBeforeRepaint([&flushes] { ++flushes; });
    progress.Begin(1000);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.maximum, 1000);
    // Shown at once, at 0.
    EXPECT_EQ(view.values, std::vector<std::int64_t>({0, 0}));
    EXPECT_EQ(view.repaints, 1);
    // 1000 files, one every millisecond: about 20 repaints, not 1000.
    for (std::int64_t i = 0; i < 1000; ++i) {
        now += 1ms;
        progress.FileDone(i, i);
    }
    EXPECT_EQ(view.repaints, 1 + 20);
    EXPECT_EQ(flushes, view.repaints);
    // Each repaint moved the bar to the file just done.
    EXPECT_EQ(view.values[2], 49);
    progress.End();
    EXPECT_EQ(view.values.back(), 1000);
    EXPECT_FALSE(view.visible);
    // After the run nothing is flushed any more.
    progress.Begin(1);
    EXPECT_EQ(flushes, 21);
}

// The examination of dropped paths shows its count in the caption; the
// next run has the run's caption again.
TEST(ModelessDialogForm, ExaminingShowsItsCountThenARunItsCaption) {
    FakeProgress view;
    form::ModelessDialog progress(view);
    progress.ShowExamining(120, 20000);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.caption, "ファイルを確認しています（120 / 20000）");
    EXPECT_EQ(view.maximum, 20000);
    EXPECT_EQ(view.values.back(), 120);
    // A dropped folder's entries: more than the paths dropped.
    progress.ShowExamining(1500, 1);
    EXPECT_EQ(view.caption, "ファイルを確認しています（1500）");
    EXPECT_EQ(view.values.back(), 1);
    progress.EndExamining();
    EXPECT_FALSE(view.visible);
    progress.ShowExamining(3, 5);
    progress.Begin(10);
    EXPECT_EQ(view.caption, "Folvane　　　　 処　理　中");
}

TEST(ModelessDialogForm, SlowFilesRepaintEveryTime) {
    FakeProgress view;
    std::chrono::steady_clock::time_point now{};
    form::ModelessDialog progress(view, [&now] { return now; });
    progress.Begin(3);
    for (std::int64_t i = 0; i < 3; ++i) {
        now += 200ms;
        progress.FileDone(i, 0);
    }
    progress.End();
    EXPECT_EQ(view.values, std::vector<std::int64_t>({0, 0, 0, 1, 2, 3}));
}

class FakeRegistry final : public Registry {
  public:
    std::map<std::pair<std::string, std::string>, RegistryValue> values;
    std::optional<RegistryValue> QueryValue(RegistryRoot, std::string_view key,
                                            std::string_view name) const override {
        const auto found = values.find({std::string(key), std::string(name)});
        if (found == values.end()) return std::nullopt;
        return found->second;
    }
};

class FakeLauncher final : public ProgramLauncher {
  public:
    std::vector<std::string> files;
    bool starts = true;
    std::optional<std::string> onPath;
    std::vector<std::string> started;  // every attempt
    bool FileExists(const std::string& path) const override {
        return std::find(files.begin(), files.end(), path) != files.end();
    }
    bool Start(const std::string& path) override {
        started.push_back(path);
        return starts;
    }
    std::optional<std::string> FindSystemInfoProgram() const override { return onPath; }
};

TEST(VersionDialogForm, FillsItsLabelsOnLoadAndClosesOnOk) {
    FakeRegistry registry;
    FakeLauncher launcher;
    WindowLog log;
    FakeVersionView view(log);
    form::VersionDialog dialog(registry, launcher);
    dialog.Attach(view);
    EXPECT_EQ(view.caption, "Folvaneのﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(view.title, "Folvane");
    EXPECT_EQ(view.version, "ﾊﾞｰｼﾞｮﾝ 1.0.0");
    dialog.cmdOK_Click();
    EXPECT_TRUE(view.closed);
    EXPECT_TRUE(log.empty());
}

TEST(VersionDialogForm, VersionTextHasNoLeadingZeros) {
    EXPECT_EQ(form::VersionText(1, 0, 0), "ﾊﾞｰｼﾞｮﾝ 1.0.0");
    EXPECT_EQ(form::VersionText(2, 10, 7), "ﾊﾞｰｼﾞｮﾝ 2.10.7");
}

struct SysInfoCase {
    const char* name;
    const char* pathValue;    // "" absent
    const char* folderValue;  // "" absent
    std::vector<std::string> files;
    const char* onPath;  // "" none
    bool starts;
    std::vector<std::string> attempts;
    bool started;
};

TEST(VersionDialogForm, SystemInformationButtonStartsTheToolOrSaysItCannot) {
    const SysInfoCase cases[] = {
        // The first key's path is started without looking for the file.
        {"first key",
         "D:\\MSINFO\\msinfo32.exe",
         "C:\\Tools",
         {},
         "/usr/bin/hardinfo",
         true,
         {"D:\\MSINFO\\msinfo32.exe"},
         true},
        {"fallback folder holds the tool",
         "",
         "C:\\Tools",
         {"C:\\Tools\\MSINFO32.EXE"},
         "",
         true,
         {"C:\\Tools\\MSINFO32.EXE"},
         true},
        // The registry named a folder: no other tool stands in for it.
        {"fallback folder without the tool",
         "",
         "C:\\Tools",
         {"C:\\Tools\\other.exe"},
         "/usr/bin/hardinfo",
         true,
         {},
         false},
        {"keys that cannot be opened", "", "", {}, "", true, {}, false},
        {"no registry, a tool on the search path",
         "",
         "",
         {},
         "/usr/bin/kinfocenter",
         true,
         {"/usr/bin/kinfocenter"},
         true},
        {"starting fails", "D:\\msinfo32.exe", "", {}, "", false, {"D:\\msinfo32.exe"}, false},
        {"search-path tool fails to start",
         "",
         "",
         {},
         "/usr/bin/hardinfo",
         false,
         {"/usr/bin/hardinfo"},
         false},
    };
    for (const SysInfoCase& c : cases) {
        FakeRegistry registry;
        auto text = [](const char* value) {
            return RegistryValue{RegistryValue::Type::Text, value, 0};
        };
        if (*c.pathValue != 0)
            registry.values[{"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"}] =
                text(c.pathValue);
        if (*c.folderValue != 0)
            registry.values[{"SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"}] =
                text(c.folderValue);
        FakeLauncher launcher;
        launcher.files = c.files;
        launcher.starts = c.starts;
        if (*c.onPath != 0) launcher.onPath = c.onPath;
        WindowLog log;
        FakeVersionView view(log);
        form::VersionDialog dialog(registry, launcher);
        dialog.Attach(view);
        dialog.cmdSysInfo_Click();
        EXPECT_EQ(launcher.started, c.attempts) << c.name;
        if (c.started)
            EXPECT_TRUE(log.empty()) << c.name;
        else
            EXPECT_EQ(log,
                      (WindowLog{{"MessageBox", "現時点ではｼｽﾃﾑ情報を使用できません", "Version"}}))
                << c.name;
        EXPECT_FALSE(view.closed);
    }
}

using AboutMenuTest = MainFormTest;

TEST_F(AboutMenuTest, VersionMenuShowsTheAboutBox) {
    std::string caption;
    view.onVersionDialog = [&](form::VersionDialog& dialog, FakeVersionView& version) {
        caption = version.caption;
        dialog.cmdOK_Click();
    };
    form.IDMVer_Click();
    EXPECT_EQ(caption, "Folvaneのﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(view.TakeLog(), (WindowLog{{"Version", "", "MainForm1"}}));
}

TEST(AboutDescription, WrapsWhereTheSpacesPartItsTwoHalves) {
    EXPECT_EQ(form::AboutDescriptionLines(),
              (std::vector<std::string>{"Tiff の Tag情報による", "サイズ等 の リスト化"}));
}

TEST_F(AboutMenuTest, HelpOpensAtItsMainTopic) {
    form.IDMHelp_Click();
    EXPECT_TRUE(view.helpShown);
    EXPECT_EQ(view.helpShownFile, "Folvane.html");
    EXPECT_EQ(view.helpShownKeyword, "Folvane画面");
    EXPECT_TRUE(view.TakeLog().empty());
    form.SetHelpFile("/opt/help/other.html");
    form.IDMHelp_Click();
    EXPECT_EQ(view.helpShownFile, "/opt/help/other.html");
}

TEST_F(AboutMenuTest, MissingHelpSaysSo) {
    view.helpExists = false;
    form.IDMHelp_Click();
    EXPECT_EQ(view.TakeLog(),
              (WindowLog{
                  {"MessageBox", "ヘルプ ファイル Folvane.html が見つかりません。", "MainForm1"}}));
}

TEST_F(AboutMenuTest, HelpThatIsThereButCannotBeOpenedSaysWhy) {
    // Something is at the path (here a folder): not "missing".
    const std::string there = ::testing::TempDir();
    form.SetHelpFile(there);
    view.helpExists = false;
    view.helpFailure = "アクセスが拒否されました。";
    form.IDMHelp_Click();
    EXPECT_EQ(
        view.TakeLog(),
        (WindowLog{{"MessageBox",
                    "ヘルプ ファイル " + there + " を開けません。\nアクセスが拒否されました。",
                    "MainForm1"}}));
    view.helpFailure.clear();
    form.IDMHelp_Click();
    EXPECT_EQ(
        view.TakeLog(),
        (WindowLog{{"MessageBox", "ヘルプ ファイル " + there + " を開けません。", "MainForm1"}}));
}

}  // namespace
}  // namespace folvane::testing
