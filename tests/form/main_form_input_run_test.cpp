// The input list (drops of folders and files) and the displayed run, whose
// lines and totals must be exactly what the core produces.
#include <gtest/gtest.h>

#include <algorithm>

#include "form_test_support.h"
#include "pdf_builder.h"
#include "platform/file_system.h"
#include "tiff_builder.h"

namespace folvane::testing {
namespace {

using form::MainList;
using form::MainMenuItem;

using InputRunTest = MainFormTest;

TEST_F(InputRunTest, FolderDropAddsItsOwnTifFilesOnly) {
    MakeScanFolder();
    Drop({Path("scan")});
    // Any letter case of ".tif" in a folder; no sub-folders, no other files.
    const std::vector<std::string> expected{Path("scan/a.tif"), Path("scan/B.TIF")};
    EXPECT_EQ(view.list1, expected);
    EXPECT_EQ(form.ListLines(MainList::List1), expected);
    EXPECT_EQ(form.State().FilesAdded, 1);
    EXPECT_TRUE(view.MenuEnabled(MainMenuItem::IDMView));
    EXPECT_TRUE(view.MenuEnabled(MainMenuItem::IDMD_Save));
    EXPECT_FALSE(view.MenuEnabled(MainMenuItem::IDMSave));
    EXPECT_EQ(view.extentUpdates[MainList::List1], 1);
}

TEST_F(InputRunTest, FolderWithTrailingSeparatorGetsOneSeparator) {
    MakeScanFolder();
    Drop({Path("scan") + kPathSeparator});
    EXPECT_EQ(view.list1, (std::vector<std::string>{Path("scan/a.tif"), Path("scan/B.TIF")}));
}

TEST_F(InputRunTest, SingleFileMustEndInLowerCaseTif) {
    MakeScanFolder();
    Drop({Path("scan/B.TIF")});
    EXPECT_TRUE(view.list1.empty());
    EXPECT_EQ(form.State().FilesAdded, 1);
    EXPECT_FALSE(view.MenuEnabled(MainMenuItem::IDMView));
    Drop({Path("scan/a.tif"), Path("scan/notes.txt")});
    EXPECT_EQ(view.list1, std::vector<std::string>{Path("scan/a.tif")});
    EXPECT_TRUE(view.MenuEnabled(MainMenuItem::IDMView));
}

TEST_F(InputRunTest, DuplicatesLeaveOneEntryPerPath) {
    MakeScanFolder();
    Drop({Path("scan/a.tif"), Path("scan/a.tif")});
    Drop({Path("scan/a.tif")});
    Drop({Path("scan")});
    EXPECT_EQ(view.list1, (std::vector<std::string>{Path("scan/a.tif"), Path("scan/B.TIF")}));
}

TEST_F(InputRunTest, ListIsSortedIgnoringLetterCase) {
    WriteTiff(Path("b.tif"), {{100, 100, 200}});
    WriteTiff(Path("C.tif"), {{100, 100, 200}});
    WriteTiff(Path("a.tif"), {{100, 100, 200}});
    Drop({Path("C.tif"), Path("b.tif")});
    Drop({Path("a.tif")});
    EXPECT_EQ(view.list1, (std::vector<std::string>{Path("a.tif"), Path("b.tif"), Path("C.tif")}));
}

TEST_F(InputRunTest, DropWithoutFilesAddsNothingButCounts) {
    Drop({});
    EXPECT_TRUE(view.list1.empty());
    EXPECT_EQ(form.State().FilesAdded, 1);
    EXPECT_FALSE(view.MenuEnabled(MainMenuItem::IDMView));
    EXPECT_FALSE(view.MenuEnabled(MainMenuItem::IDMD_Save));
}

// A dropped path that cannot be used adds nothing to the list: it is named
// once, in a message when it is dropped, and no run lists it afterwards,
// since nothing on the list came from it.
TEST_F(InputRunTest, UnusableDropIsNamedOnceAndNotByLaterRuns) {
    MakeScanFolder();
    Drop({Path("gone"), Path("gone.txt")});
    EXPECT_TRUE(view.list1.empty());
    EXPECT_EQ(form.State().FilesAdded, 1);
    EXPECT_EQ(view.TakeLog(),
              (WindowLog{{"OKDialog1",
                          "次の 2 件のパスは追加できませんでした。\r\n" + Path("gone") +
                              ": 見つかりません\r\n" + Path("gone.txt") + ": 見つかりません",
                          "MainForm1"}}));
    Drop({Path("scan")});
    EXPECT_TRUE(view.TakeLog().empty());
    for (int run = 0; run < 2; ++run) {
        form.Start_Click();
        EXPECT_EQ(view.resultText.find("エラーのあるファイル"), std::string::npos)
            << view.resultText;
    }
}

// A missing *.tif stays on the list, and the run reports it as a file it
// cannot open, while it is there; 削除 takes it away for good.
TEST_F(InputRunTest, MissingTifIsReportedWhileOnTheList) {
    MakeScanFolder();
    Drop({Path("gone.tif"), Path("scan")});
    EXPECT_TRUE(view.TakeLog().empty());
    ASSERT_EQ(view.list1.front(), Path("gone.tif"));
    form.Start_Click();
    EXPECT_NE(view.resultText.find("エラーのあるファイル\r\n\t" + Path("gone.tif")),
              std::string::npos);
    view.list1Selected = {0};
    view.onContextMenu = [&] { form.IDLPMDel_Click(); };
    form.List1_MouseDown(2);
    form.Start_Click();
    EXPECT_EQ(view.resultText.find("エラーのあるファイル"), std::string::npos);
}

TEST_F(InputRunTest, ManyUnusablePathsAreCountedAndTheFirstFewNamed) {
    std::vector<std::string> gone;
    for (int i = 0; i < 7; ++i) gone.push_back(Path("gone" + std::to_string(i)));
    Drop(gone);
    const WindowLog shown = view.TakeLog();
    ASSERT_EQ(shown.size(), 1u);
    const std::string& message = shown[0].text;
    EXPECT_TRUE(message.starts_with("次の 7 件のパスは追加できませんでした。")) << message;
    EXPECT_NE(message.find(Path("gone4") + ": 見つかりません"), std::string::npos);
    EXPECT_EQ(message.find(Path("gone5")), std::string::npos);
    EXPECT_TRUE(message.ends_with("\r\nほか 2 件")) << message;
}

// A name with a line break cannot forge a line of the message: it is shown
// escaped, as in the report.
TEST_F(InputRunTest, UnusablePathsAreNamedWithControlCharactersEscaped) {
    Drop({Path("gone\r\nforged")});
    const WindowLog shown = view.TakeLog();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.ends_with("gone\\r\\nforged: 見つかりません")) << shown[0].text;
}

TEST_F(InputRunTest, RunShowsExactlyTheCoreOutput) {
    WriteTiff(Path("one.tif"), {{1654, 2339, 200}, {2339, 1654, 200}});
    WriteTiff(Path("two.tif"), {{3508, 4961, 300}}, /*bigEndian=*/true);
    WriteTiff(Path("three.tif"), {{2028, 2867, 200}, {1654, 2339, 400}, {100, 100, 72}});
    WriteBytes(Path("text.tif"), "not a tiff at all");
    WriteBytes(Path("short.tif"), std::string("II*\0\x08\0\0\0", 8));
    Drop({folder.Path()});
    ASSERT_EQ(view.list1.size(), 5u);
    bool shownWhileRunning = true;
    view.progress.onRepaint = [&] {
        shownWhileRunning = shownWhileRunning && view.progress.visible;
    };

    form.Start_Click();

    const DisplayOutput expected = CoreDisplayOutput(view.list1, {});
    EXPECT_EQ(view.resultList, expected.lines);
    EXPECT_EQ(form.ListLines(MainList::ResultList), expected.lines);
    EXPECT_EQ(view.resultText, expected.totals);
    EXPECT_EQ(view.resultList.back(), std::string(18 * 10, ' '));  // SpacerLine last
    EXPECT_NE(view.resultText.find("総合計\t6 枚"), std::string::npos);
    EXPECT_NE(view.resultText.find("Tiffではないのでは？\r\n\t" + Path("text.tif")),
              std::string::npos);
    // The bar runs from 0 to the number of files and the window is gone.
    EXPECT_EQ(view.progress.maximum, 5);
    ASSERT_FALSE(view.progress.values.empty());
    EXPECT_EQ(view.progress.values.front(), 0);
    EXPECT_EQ(view.progress.values.back(), 5);
    EXPECT_TRUE(shownWhileRunning);
    EXPECT_GE(view.progress.repaints, 1);
    EXPECT_FALSE(view.progress.visible);
    EXPECT_EQ(form.State().ResultState, 1);
    EXPECT_TRUE(view.MenuEnabled(MainMenuItem::IDMSave));
    EXPECT_EQ(view.extentUpdates[MainList::ResultList], 1);
    EXPECT_TRUE(view.TakeLog().empty());
    EXPECT_FALSE(form.IsRunning());
    EXPECT_EQ(view.runsFinished, 1);
}

TEST_F(InputRunTest, ReadingAheadKeepsTheListOrder) {
    // Many small files read on several threads come out in list order,
    // byte for byte as one thread reads them.
    std::vector<std::string> paths;
    for (int i = 0; i < 120; ++i) {
        const std::string path = Path("f" + std::to_string(1000 + i) + ".tif");
        WriteTiff(path, {{1654u + static_cast<unsigned>(i), 2339, 200}}, i % 2 == 1);
    }
    FakeMainFormView threaded;
    form::MainFormServices services;
    services.readThreads = 4;
    form::MainForm parallel(threaded, services);
    parallel.Form_Initialize();
    parallel.List1_OLEDragDrop({folder.Path()});
    parallel.FinishExamination();
    parallel.Start_Click();
    const DisplayOutput expected = CoreDisplayOutput(threaded.list1, {});
    EXPECT_EQ(threaded.resultList, expected.lines);
    EXPECT_EQ(threaded.resultText, expected.totals);
}

TEST_F(InputRunTest, ListFillsInBatchesAtRepaintsNotLineByLine) {
    for (int i = 0; i < 30; ++i)
        WriteTiff(Path("p" + std::to_string(10 + i) + ".tif"), {{1654, 2339, 200}});
    Drop({folder.Path()});
    // Every repaint hands over what was gathered, in one call.
    std::vector<std::size_t> sizesAtRepaint;
    view.progress.onRepaint = [&] { sizesAtRepaint.push_back(view.resultList.size()); };
    form.Start_Click();
    EXPECT_LE(view.resultAppends, view.progress.repaints + 1);
    EXPECT_EQ(view.resultList, form.ListLines(MainList::ResultList));
}

TEST_F(InputRunTest, SecondRunGivesTheSameResult) {
    WriteTiff(Path("one.tif"), {{1654, 2339, 200}});
    WriteBytes(Path("text.tif"), "text");
    Drop({folder.Path()});
    form.Start_Click();
    const std::vector<std::string> lines = view.resultList;
    const std::string totals = view.resultText;
    form.IDMView_Click();
    EXPECT_EQ(view.resultList, lines);
    EXPECT_EQ(view.resultText, totals);
}

TEST_F(InputRunTest, OnlyGrandTotalTicked) {
    WriteTiff(Path("a.tif"), {{1654, 2339, 200}, {1654, 2339, 200}});
    WriteTiff(Path("b.tif"), {{1654, 2339, 200}});
    WriteTiff(Path("c.tif"), {{1654, 2339, 200}, {1654, 2339, 200}, {1654, 2339, 200}});
    Drop({folder.Path()});
    form.Check_CTotal_Click(0);
    form.Start_Click();
    EXPECT_EQ(view.resultText, "総合計\t6 枚");
}

TEST_F(InputRunTest, ChoicesReachTheRun) {
    WriteTiff(Path("a.tif"), {{1654, 2339, 200}, {2480, 3508, 300}});
    Drop({folder.Path()});
    form.Check_Click(3, 0);
    form.Check_Click(0, 0);
    form.Check_RTotal_Click(1);
    view.aresoText = "200";
    form.Start_Click();
    SelectionState selection;
    selection.Check[3] = 0;
    selection.Check[0] = 0;
    selection.Check_RTotal = 1;
    selection.AresoText = "200";
    const DisplayOutput expected = CoreDisplayOutput(view.list1, selection);
    EXPECT_EQ(view.resultList, expected.lines);
    EXPECT_EQ(view.resultText, expected.totals);
    // Changing a box afterwards leaves what is shown alone.
    form.Check_Click(3, 1);
    EXPECT_EQ(view.resultList, expected.lines);
}

TEST_F(InputRunTest, RunWithNothingAddedOnlyAsks) {
    form.Start_Click();
    EXPECT_EQ(view.TakeLog(),
              (WindowLog{{"OKDialog1", "ファイルを選択してください。", "MainForm1"}}));
    EXPECT_TRUE(view.resultList.empty());
    EXPECT_EQ(view.resultText, "合計\r\n");
    EXPECT_EQ(form.State().ResultState, 0);
    EXPECT_FALSE(view.MenuEnabled(MainMenuItem::IDMSave));
    EXPECT_TRUE(view.progress.values.empty());
}

TEST_F(InputRunTest, ResolutionThatIsNotANumberRefusesFirst) {
    WriteTiff(Path("a.tif"), {{1654, 2339, 200}});
    Drop({folder.Path()});
    form.Start_Click();
    const std::vector<std::string> lines = view.resultList;
    const std::string totals = view.resultText;
    view.progress.values.clear();
    form.Check_RTotal_Click(1);
    view.bresoText = "2OO";
    form.Start_Click();
    EXPECT_EQ(
        view.TakeLog(),
        (WindowLog{{"OKDialog1", "解像度には -32768 から 32767 までの数値を入力してください。",
                    "MainForm1"}}));
    EXPECT_TRUE(view.progress.values.empty());
    EXPECT_EQ(view.resultList, lines);
    EXPECT_EQ(view.resultText, totals);
}

TEST_F(InputRunTest, EmptiedListStillRuns) {
    Drop({});
    form.Start_Click();
    // No page line was ever composed: 0 + 3 columns of 18 blanks.
    EXPECT_EQ(view.resultList, std::vector<std::string>{std::string(54, ' ')});
    EXPECT_TRUE(view.resultText.ends_with("総合計\t0 枚"));
    EXPECT_EQ(form.State().ResultState, 1);
}

TEST_F(InputRunTest, SelectionWindowAddsWhatWasConfirmed) {
    MakeScanFolder();
    view.onSelectDialog = [&](form::SelectDialog& dialog, FakeSelectDialogView& select) {
        dialog.DirList_Open(Path("scan"));
        select.SelectNamed(form::SelectList::FileList, {"a.tif"});
        select.SelectNamed(form::SelectList::FolList, {"old"});
        dialog.Select_Click();
        dialog.Command1_Click();
    };
    form.SelctFile_Click();
    form.FinishExamination();
    EXPECT_EQ(view.list1, (std::vector<std::string>{Path("scan/a.tif"), Path("scan/old/c.tif")}));
    EXPECT_TRUE(view.MenuEnabled(MainMenuItem::IDMView));
}

TEST_F(InputRunTest, CancelledSelectionWindowStillCountsAsAnAddition) {
    view.onSelectDialog = [](form::SelectDialog& dialog, FakeSelectDialogView&) {
        dialog.Command2_Click();
    };
    form.SelctFile_Click();
    form.FinishExamination();
    EXPECT_TRUE(view.list1.empty());
    EXPECT_EQ(form.State().FilesAdded, 1);
    // The refusal no longer comes: the run starts over an empty list.
    form.Start_Click();
    EXPECT_EQ(form.State().ResultState, 1);
}

// "PDF も対象にする": off at start; while ticked, drops and the selection
// window take *.pdf files too, and the runs read them as PDF files.
TEST_F(InputRunTest, PdfMenuItemTakesPdfFiles) {
    MakeScanFolder();
    fixture::PdfBuilder b;
    b.SetPages({b.ScanPage({b.Image(fixture::FaxImage(2480, 3508))}),
                b.Page("/MediaBox [0 0 595.28 841.89]", "", {})});
    fixture::WriteFile(Path("scan/c.pdf"), b.Write());
    WriteBytes(Path("scan/D.PDF"), "not a PDF file");
    WriteBytes(Path("scan/old/e.pdf"), "not a PDF file");

    EXPECT_FALSE(form.TakesPdf());
    Drop({Path("scan"), Path("scan/c.pdf")});
    EXPECT_EQ(view.list1, (std::vector<std::string>{Path("scan/a.tif"), Path("scan/B.TIF")}));

    form.IDMPdf_Click();
    EXPECT_TRUE(form.TakesPdf());
    EXPECT_TRUE(view.MenuChecked(MainMenuItem::IDMPdf));
    Drop({Path("scan")});
    const std::vector<std::string> withPdf{Path("scan/a.tif"), Path("scan/B.TIF"),
                                           Path("scan/c.pdf"), Path("scan/D.PDF")};
    EXPECT_EQ(view.list1, withPdf);
    form.Start_Click();
    const DisplayOutput expected = CoreDisplayOutput(view.list1, {}, /*withPdf=*/true);
    EXPECT_EQ(view.resultList, expected.lines);
    EXPECT_EQ(view.resultText, expected.totals);
    const auto header =
        std::find(view.resultList.begin(), view.resultList.end(), Path("scan/c.pdf"));
    ASSERT_NE(header, view.resultList.end());
    EXPECT_EQ(header[1], "\tPDF 1.7\t2 枚");

    // The selection window lists and adds them too.
    view.onSelectDialog = [&](form::SelectDialog& dialog, FakeSelectDialogView& select) {
        dialog.DirList_Open(Path("scan"));
        EXPECT_EQ(dialog.Items(form::SelectList::FileList),
                  (std::vector<std::string>{"a.tif", "B.TIF", "c.pdf", "D.PDF"}));
        select.SelectNamed(form::SelectList::FolList, {"old"});
        dialog.Select_Click();
        dialog.Command1_Click();
    };
    form.SelctFile_Click();
    form.FinishExamination();
    EXPECT_NE(std::find(view.list1.begin(), view.list1.end(), Path("scan/old/e.pdf")),
              view.list1.end());

    form.IDMPdf_Click();
    EXPECT_FALSE(form.TakesPdf());
    EXPECT_FALSE(view.MenuChecked(MainMenuItem::IDMPdf));
}

}  // namespace
}  // namespace folvane::testing
