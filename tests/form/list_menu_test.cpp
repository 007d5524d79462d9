// The context menu of both lists: "コピー" and "削除" on the selected
// entries of the list it was opened on, and nothing else.
#include <gtest/gtest.h>

#include <chrono>

#include "form_test_support.h"

namespace folvane::testing {
namespace {

using form::MainList;
using form::MainMenuItem;

struct CopyCase {
    const char* name;
    std::vector<std::string> entries;
    std::vector<std::size_t> selected;
    std::string clipboard;
};

TEST(SelectedEntriesText, EachSelectedEntryFollowedByCrLf) {
    const std::vector<std::string> five{"a", "b", "c", "d", "e"};
    const CopyCase cases[] = {
        {"three of five", five, {0, 2, 4}, "a\r\nc\r\ne\r\n"},
        {"one", five, {3}, "d\r\n"},
        {"none: a lone CR LF", five, {}, "\r\n"},
        // The separator goes in only once the collected text is not empty.
        {"empty first entry", {"", "b", "c"}, {0, 1, 2}, "b\r\nc\r\n"},
        {"empty entry later", {"a", "", "c"}, {0, 1, 2}, "a\r\n\r\nc\r\n"},
        {"only empty entries", {"", ""}, {0, 1}, "\r\n"},
        {"tabs kept", {"\tA4\t縦", "x"}, {0}, "\tA4\t縦\r\n"},
    };
    for (const CopyCase& c : cases)
        EXPECT_EQ(form::SelectedEntriesText(c.entries, c.selected), c.clipboard) << c.name;
}

class ListMenuTest : public MainFormTest {
  protected:
    // List1 holds a.tif .. e.tif (names that need no file to be listed).
    void FillList1() {
        Drop({Path("c.tif"), Path("a.tif"), Path("e.tif"), Path("b.tif"), Path("d.tif")});
        view.clipboard = "before";
    }
    void RightClick(MainList list, std::function<void()> choice) {
        view.onContextMenu = std::move(choice);
        if (list == MainList::List1)
            form.List1_MouseDown(2);
        else
            form.ResultList_MouseDown(2);
    }
};

TEST_F(ListMenuTest, CopyFromList1InListOrder) {
    FillList1();
    view.list1Selected = {4, 1, 2};
    RightClick(MainList::List1, [&] { form.IDLPMCopy_Click(); });
    EXPECT_EQ(view.clipboard,
              Path("b.tif") + "\r\n" + Path("c.tif") + "\r\n" + Path("e.tif") + "\r\n");
    // The menu works on the selection; it does not change it.
    EXPECT_EQ(view.list1Selected, (std::set<std::size_t>{1, 2, 4}));
}

TEST_F(ListMenuTest, ItemsAreEnabledOnlyWhileThePopupIsOpen) {
    FillList1();
    // Closed without a choice (Escape, a click elsewhere).
    std::optional<MainList> target;
    RightClick(MainList::List1, [&] { target = form.PopupTargetList(); });
    EXPECT_EQ(view.TakeLog(), (WindowLog{{"IDLPM", "IDLPMCopy,IDLPMDel", "List1"}}));
    EXPECT_EQ(target, MainList::List1);
    EXPECT_FALSE(view.MenuEnabled(MainMenuItem::IDLPMCopy));
    EXPECT_FALSE(view.MenuEnabled(MainMenuItem::IDLPMDel));
    EXPECT_FALSE(form.PopupTargetList().has_value());
    EXPECT_EQ(view.clipboard, "before");
    // Chosen outside a popup (a shortcut), the items do nothing.
    view.list1Selected = {0};
    form.IDLPMDel_Click();
    form.IDLPMCopy_Click();
    EXPECT_EQ(view.list1.size(), 5u);
    EXPECT_EQ(form.ListLines(MainList::List1).size(), 5u);
    EXPECT_EQ(view.clipboard, "before");
}

TEST_F(ListMenuTest, TheMenuTargetsTheListClickedOn) {
    WriteTiff(Path("x.tif"), {{1654, 2339, 200}});
    FillList1();
    form.Start_Click();
    const std::vector<std::string> lines = view.resultList;
    view.list1Selected = {0, 1};
    view.resultListSelected = {1};
    RightClick(MainList::ResultList, [&] { form.IDLPMDel_Click(); });
    std::vector<std::string> expected = lines;
    expected.erase(expected.begin() + 1);
    EXPECT_EQ(view.resultList, expected);
    EXPECT_EQ(form.ListLines(MainList::ResultList), expected);
    EXPECT_EQ(view.list1.size(), 5u);
}

TEST_F(ListMenuTest, LeftAndMiddleClicksShowNoMenu) {
    FillList1();
    view.list1Selected = {0, 1};
    form.List1_MouseDown(1);
    form.List1_MouseDown(4);
    form.ResultList_MouseDown(1);
    EXPECT_TRUE(view.TakeLog().empty());
    EXPECT_FALSE(form.PopupTargetList().has_value());
    EXPECT_EQ(view.clipboard, "before");
}

TEST_F(ListMenuTest, DeleteFromTheBottomUpAndNothingElse) {
    FillList1();
    const int extents = view.extentUpdates[MainList::List1];
    view.list1Selected = {0, 2, 3};
    RightClick(MainList::List1, [&] { form.IDLPMDel_Click(); });
    EXPECT_EQ(view.list1, (std::vector<std::string>{Path("b.tif"), Path("e.tif")}));
    EXPECT_EQ(form.ListLines(MainList::List1), view.list1);
    // Deleting every entry leaves the flag, the menus and the range.
    view.list1Selected = {0, 1};
    RightClick(MainList::List1, [&] { form.IDLPMDel_Click(); });
    EXPECT_TRUE(view.list1.empty());
    EXPECT_EQ(form.State().FilesAdded, 1);
    EXPECT_TRUE(view.MenuEnabled(MainMenuItem::IDMView));
    EXPECT_TRUE(view.MenuEnabled(MainMenuItem::IDMD_Save));
    EXPECT_EQ(view.extentUpdates[MainList::List1], extents);
    // The run over the emptied list still starts.
    form.Start_Click();
    EXPECT_EQ(form.State().ResultState, 1);
}

TEST_F(ListMenuTest, DeleteWithoutSelectionChangesNothing) {
    FillList1();
    const std::vector<std::string> before = view.list1;
    RightClick(MainList::List1, [&] { form.IDLPMDel_Click(); });
    EXPECT_EQ(view.list1, before);
}

TEST_F(ListMenuTest, DeletingResultLinesKeepsTheTotalsAndTheState) {
    WriteTiff(Path("a.tif"), {{1654, 2339, 200}, {2339, 1654, 200}});
    Drop({folder.Path()});
    form.Start_Click();
    const std::string totals = view.resultText;
    const std::vector<std::string> lines = view.resultList;
    ASSERT_GE(lines.size(), 4u);
    view.resultListSelected = {1, 2};
    RightClick(MainList::ResultList, [&] { form.IDLPMDel_Click(); });
    std::vector<std::string> expected = lines;
    expected.erase(expected.begin() + 1, expected.begin() + 3);
    EXPECT_EQ(view.resultList, expected);
    EXPECT_EQ(view.resultText, totals);
    EXPECT_EQ(form.State().ResultState, 1);
    EXPECT_TRUE(view.MenuEnabled(MainMenuItem::IDMSave));
}

TEST_F(ListMenuTest, RunningWindowShowsNoMenu) {
    WriteTiff(Path("a.tif"), {{1654, 2339, 200}});
    Drop({folder.Path()});
    view.progress.onRepaint = [&] { form.ResultList_MouseDown(2); };
    form.Start_Click();
    EXPECT_TRUE(view.TakeLog().empty());
}

TEST_F(ListMenuTest, LongRunsOfSelectedLinesGoQuickly) {
    // 60,000 listed paths (missing files ending in .tif are kept).
    std::vector<std::string> paths;
    for (int i = 0; i < 60000; ++i)
        paths.push_back(Path("f" + std::to_string(100000 + i) + ".tif"));
    Drop(paths);
    ASSERT_EQ(view.list1.size(), 60000u);
    // Every other block of 1000 lines selected, as Shift+clicks would.
    for (std::size_t first = 1000; first < 60000; first += 2000)
        for (std::size_t i = first; i < first + 1000; ++i) view.list1Selected.insert(i);
    const auto start = std::chrono::steady_clock::now();
    RightClick(MainList::List1, [&] { form.IDLPMDel_Click(); });
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    const std::vector<std::string>& kept = form.ListLines(MainList::List1);
    ASSERT_EQ(kept.size(), 30000u);
    EXPECT_EQ(kept[999], Path("f100999.tif"));
    EXPECT_EQ(kept[1000], Path("f102000.tif"));
    EXPECT_EQ(kept[29999], Path("f158999.tif"));
    EXPECT_EQ(view.list1, kept);
}

}  // namespace
}  // namespace folvane::testing
