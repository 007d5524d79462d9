// The selection window: its folder views kept in step, the chosen list,
// and what confirming hands to the main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "form/folder_paths.h"
#include "form_test_support.h"
#include "platform/file_system.h"
#include "platform/network_folders.h"

namespace folvane::testing {
namespace {

using form::ListDisplay;
using form::SelectList;

class SelectDialogTest : public ::testing::Test {
  protected:
    SelectDialogTest() : view(log) {
        // scan/ holds a.tif, B.TIF, notes.txt, .hidden.tif, old/c.tif, New/
        // and .cache/.
        folder.MakeFolder("scan/old");
        folder.MakeFolder("scan/New");
        folder.MakeFolder("scan/.cache");
        WriteTiff(Path("scan/a.tif"), {{1654, 2339, 200}});
        WriteTiff(Path("scan/B.TIF"), {{1654, 2339, 200}});
        WriteTiff(Path("scan/.hidden.tif"), {{1654, 2339, 200}});
        WriteTiff(Path("scan/old/c.tif"), {{1654, 2339, 200}});
        WriteBytes(Path("scan/notes.txt"), "notes");
        WriteTiff(Path("x.tif"), {{1654, 2339, 200}});
        start = std::filesystem::current_path();
        std::filesystem::current_path(PathFromUtf8(Path("scan")));
        dialog.Attach(view);
    }
    ~SelectDialogTest() override {
        dialog.Detach();
        std::filesystem::current_path(start);
    }

    // The scratch folder as the window spells it (absolute, clean).
    std::string Path(std::string_view relative) const {
        return form::CleanFolderPath(folder.Path(relative));
    }
    const std::vector<std::string>& Items(SelectList list) { return view.items[list]; }

    ScratchFolder folder;
    std::filesystem::path start;
    WindowLog log;
    FakeSelectDialogView view;
    form::SelectDialog dialog;
};

TEST_F(SelectDialogTest, OpensAtTheCurrentFolder) {
    EXPECT_EQ(dialog.Folder(), Path("scan"));
    ASSERT_FALSE(view.chain.empty());
    EXPECT_EQ(view.chain.back(), Path("scan"));
    EXPECT_EQ(view.chain.front(), form::RootOf(Path("scan")));
    EXPECT_EQ(view.subfolders, (std::vector<std::string>{Path("scan/New"), Path("scan/old")}));
    // Sub-folder names only, sorted, hidden ones left out.
    EXPECT_EQ(Items(SelectList::FolList), (std::vector<std::string>{"New", "old"}));
    EXPECT_EQ(Items(SelectList::FileList), (std::vector<std::string>{"a.tif", "B.TIF"}));
    EXPECT_TRUE(Items(SelectList::SelectList).empty());
    EXPECT_EQ(view.drive, Path("scan"));
    EXPECT_TRUE(log.empty());
}

TEST_F(SelectDialogTest, AFolderReachedThroughALinkIsListed) {
    std::error_code error;
    std::filesystem::create_directory_symlink(PathFromUtf8(Path("scan/old")),
                                              PathFromUtf8(Path("scan/linked")), error);
    // Some systems (Wine among them) do not make the link.
    if (error || !std::filesystem::is_symlink(PathFromUtf8(Path("scan/linked"))))
        GTEST_SKIP() << "no folder links here";
    form::SelectDialog fresh;
    FakeSelectDialogView freshView(log);
    fresh.Attach(freshView);
    EXPECT_EQ(freshView.items[SelectList::FolList],
              (std::vector<std::string>{"linked", "New", "old"}));
    fresh.Detach();
    // A walk down the tree still leaves it out.
    std::vector<std::string> walked =
        ListSubfolderNames(Path("scan")).value_or(std::vector<std::string>{});
    std::sort(walked.begin(), walked.end());
    EXPECT_EQ(walked, (std::vector<std::string>{"New", "old"}));
}

TEST_F(SelectDialogTest, FolderChainRunsFromTheRootDown) {
    const std::string root = form::RootOf(Path("scan"));
    const std::vector<std::string> chain = form::FolderChain(Path("scan/old"));
    ASSERT_GE(chain.size(), 3u);
    EXPECT_EQ(chain.front(), root);
    EXPECT_EQ(chain[chain.size() - 2], Path("scan"));
    EXPECT_EQ(chain.back(), Path("scan/old"));
    EXPECT_EQ(form::FolderChain(root), std::vector<std::string>{root});
    // Relative parts and doubled or trailing separators are cleaned away.
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(form::CleanFolderPath(Path("scan") + sep + "old" + sep + ".." + sep + sep),
              Path("scan"));
    EXPECT_EQ(form::CleanFolderPath("old"), Path("scan/old"));
}

TEST_F(SelectDialogTest, SelectAddsFullPathsAndUnselects) {
    view.SelectNamed(SelectList::FolList, {"old"});
    dialog.Select_Click();
    EXPECT_EQ(Items(SelectList::SelectList), std::vector<std::string>{Path("scan/old")});
    EXPECT_TRUE(view.SelectedRows(SelectList::FolList).empty());
    // The same press again adds nothing: the first one unselected.
    dialog.Select_Click();
    EXPECT_EQ(Items(SelectList::SelectList).size(), 1u);
    // Selected again, it is added a second time; the list stays sorted.
    view.SelectNamed(SelectList::FolList, {"old"});
    view.SelectNamed(SelectList::FileList, {"B.TIF", "a.tif"});
    dialog.Select_Click();
    EXPECT_EQ(Items(SelectList::SelectList),
              (std::vector<std::string>{Path("scan/a.tif"), Path("scan/B.TIF"), Path("scan/old"),
                                        Path("scan/old")}));
    EXPECT_TRUE(view.SelectedRows(SelectList::FileList).empty());
}

TEST_F(SelectDialogTest, DriveRootGetsOneSeparator) {
    const std::string root = form::RootOf(Path("scan"));
    dialog.DirList_Open(root);
    EXPECT_EQ(dialog.Folder(), root);
    for (const std::string& name : Items(SelectList::FolList))
        EXPECT_EQ(name.find(kPathSeparator), std::string::npos) << name;
    ASSERT_FALSE(Items(SelectList::FolList).empty());
    const std::string first = Items(SelectList::FolList).front();
    view.SelectNamed(SelectList::FolList, {first});
    dialog.Select_Click();
    EXPECT_EQ(Items(SelectList::SelectList), std::vector<std::string>{root + first});
}

TEST_F(SelectDialogTest, OpeningAFolderMovesAllViews) {
    dialog.DirList_Open(Path("scan/old"));
    EXPECT_EQ(Items(SelectList::FileList), std::vector<std::string>{"c.tif"});
    EXPECT_TRUE(Items(SelectList::FolList).empty());
    EXPECT_EQ(view.chain.back(), Path("scan/old"));
    EXPECT_EQ(view.drive, Path("scan/old"));
    // A folder that cannot be opened leaves everything where it was.
    view.chain.clear();
    dialog.DirList_Open(Path("scan/gone"));
    EXPECT_EQ(dialog.Folder(), Path("scan/old"));
    EXPECT_EQ(view.chain.back(), Path("scan/old"));
    EXPECT_EQ(Items(SelectList::FileList), std::vector<std::string>{"c.tif"});
    dialog.DirList_Open(Path("scan"));
    EXPECT_EQ(Items(SelectList::FolList), (std::vector<std::string>{"New", "old"}));
}

TEST_F(SelectDialogTest, DisplayModes) {
    dialog.Option3_Click();
    EXPECT_EQ(view.display, ListDisplay::FilesOnly);
    dialog.Option2_Click();
    EXPECT_EQ(view.display, ListDisplay::FoldersOnly);
    dialog.Option1_Click();
    EXPECT_EQ(view.display, ListDisplay::Both);
}

TEST_F(SelectDialogTest, FilesSelectedInAHiddenListAreStillAdded) {
    view.SelectNamed(SelectList::FileList, {"B.TIF"});
    dialog.Option2_Click();
    dialog.Select_Click();
    EXPECT_EQ(Items(SelectList::SelectList), std::vector<std::string>{Path("scan/B.TIF")});
}

TEST_F(SelectDialogTest, DeleteRemovesTheSelectedChosenEntries) {
    view.SelectNamed(SelectList::FileList, {"a.tif", "B.TIF"});
    view.SelectNamed(SelectList::FolList, {"New", "old"});
    dialog.Select_Click();
    ASSERT_EQ(Items(SelectList::SelectList).size(), 4u);
    view.selected[SelectList::SelectList] = {0, 3};
    dialog.Delete_Click();
    EXPECT_EQ(Items(SelectList::SelectList),
              (std::vector<std::string>{Path("scan/B.TIF"), Path("scan/New")}));
    dialog.Delete_Click();  // nothing selected now
    EXPECT_EQ(Items(SelectList::SelectList).size(), 2u);
}

// The chosen list goes to the main window as it is, sorted; the main
// window examines it off its thread (what a folder adds, what vanished).
TEST_F(SelectDialogTest, ConfirmingHandsOverTheChosenList) {
    view.SelectNamed(SelectList::FileList, {"a.tif"});
    dialog.Select_Click();
    dialog.DirList_Open(Path(""));
    view.SelectNamed(SelectList::FolList, {"scan"});
    view.SelectNamed(SelectList::FileList, {"x.tif"});
    dialog.Select_Click();
    dialog.Command1_Click();
    EXPECT_TRUE(view.closed);
    EXPECT_TRUE(dialog.Confirmed());
    EXPECT_EQ(dialog.ConfirmedEntries(),
              (std::vector<std::string>{Path("scan"), Path("scan/a.tif"), Path("x.tif")}));
    EXPECT_TRUE(log.empty());
}

TEST_F(SelectDialogTest, EmptyListShowsTheMessageAndStaysOpen) {
    dialog.Command1_Click();
    EXPECT_EQ(log, (WindowLog{{"OKDialog1", "何も選択されていません !", "SelectDialog"}}));
    EXPECT_FALSE(view.closed);
    EXPECT_FALSE(dialog.Confirmed());
}

TEST_F(SelectDialogTest, CancelAddsNothing) {
    view.SelectNamed(SelectList::FileList, {"a.tif"});
    dialog.Select_Click();
    dialog.Command2_Click();
    EXPECT_TRUE(view.closed);
    EXPECT_FALSE(dialog.Confirmed());
    EXPECT_TRUE(dialog.ConfirmedEntries().empty());
}

TEST_F(SelectDialogTest, FailedDriveChangeRevertsSilently) {
    view.drive = "somewhere else";
    dialog.DrvList_Change(Path("no-such-volume"));
    EXPECT_EQ(view.drive, Path("scan"));
    EXPECT_EQ(dialog.Folder(), Path("scan"));
    EXPECT_TRUE(log.empty());
    // A drive that can be opened moves the views to its root.
    const std::string root = form::RootOf(Path("scan"));
    dialog.DrvList_Change(root);
    EXPECT_EQ(dialog.Folder(), root);
    EXPECT_EQ(view.chain, std::vector<std::string>{root});
}

TEST_F(SelectDialogTest, NetworkFolderIsTakenAsChosen) {
    folder.MakeFolder("Server/Share/Scans");
    WriteTiff(Path("Server/Share/Scans/p.tif"), {{1654, 2339, 200}});
    view.folders.push_back(Path("Server/Share/Scans"));
    dialog.NetComp_Click();
    const std::optional<std::string> browseStart = NetworkBrowseStart();
    EXPECT_EQ(log, (WindowLog{{"FolderPicker", browseStart.value_or(""), "SelectDialog"}}));
    EXPECT_EQ(dialog.Folder(), AsChosenNetworkFolder(Path("Server/Share/Scans")));
    EXPECT_EQ(Items(SelectList::FileList), std::vector<std::string>{"p.tif"});
    // Cancelled: nothing changes.
    const std::string before = dialog.Folder();
    dialog.NetComp_Click();
    EXPECT_EQ(dialog.Folder(), before);
}

}  // namespace
}  // namespace folvane::testing
