// Saving what is displayed, the direct save, clearing, and closing with the
// question about unsaved results.
#include <gtest/gtest.h>

#include "form_test_support.h"
#include "zip_parts.h"

namespace folvane::testing {
namespace {

using form::MainList;
using form::MainMenuItem;

class SaveCloseTest : public MainFormTest {
  protected:
    SaveCloseTest() { out = folder.MakeFolder("out"); }

    std::string Out(std::string_view name) const { return Path("out/" + std::string(name)); }
    void RunDisplayedResults() {
        folder.MakeFolder("in");
        WriteTiff(Path("in/a.tif"), {{1654, 2339, 200}, {2480, 3508, 300}});
        WriteTiff(Path("in/b.tif"), {{2028, 2867, 200}}, /*bigEndian=*/true);
        WriteBytes(Path("in/c.tif"), "text");
        Drop({Path("in")});
        form.Start_Click();
        view.TakeLog();
    }
    std::string ExpectedDisplayFile() const {
        return CoreDisplayFile(view.resultList, view.resultText);
    }

    std::string out;
};

TEST_F(SaveCloseTest, SaveWritesTheDisplayFileByteForByte) {
    RunDisplayedResults();
    view.savePaths.push_back(Out("SizeList.txt"));
    form.FileSave_Click();
    EXPECT_EQ(view.TakeLog(), (WindowLog{{"SaveAs", Out("SizeList.txt"), "MainForm1"},
                                         {"MessageBox", "書出し終了", "MainForm1"}}));
    const std::string bytes = ReadBytes(Out("SizeList.txt"));
    EXPECT_EQ(bytes, ExpectedDisplayFile());
    // Shift-JIS "総合計", a tab, "3 枚", CR LF at the end; no spacer line.
    EXPECT_NE(bytes.find("\x91\x8d\x8d\x87\x8c\x76\t3 \x96\x87"), std::string::npos);
    EXPECT_EQ(bytes.find(std::string(18, ' ')), std::string::npos);
    EXPECT_EQ(form.State().ResultState, 2);
    EXPECT_EQ(form.State().SavePath, Out("SizeList.txt"));
}

// Names Shift-JIS cannot hold are written with "?": both saves say how
// many names changed and how to keep them whole. Each name counts once,
// on its path line and in the list of files with errors alike.
TEST_F(SaveCloseTest, SavesSayWhenNamesLostCharacters) {
    folder.MakeFolder("in");
    WriteTiff(Path("in/café.tif"), {{1654, 2339, 200}});
    WriteTiff(Path("in/한글.tif"), {{1654, 2339, 200}});
    WriteBytes(Path("in/naïve.tif"), "text");
    WriteTiff(Path("in/スキャン.tif"), {{1654, 2339, 200}});
    Drop({Path("in")});
    form.Start_Click();
    view.TakeLog();
    const std::string note =
        "書出し終了\n\nShift-JIS で表せない文字を含む名前が 3 件あり、その文字を「?」にして"
        "書き出しました。元の名前のまま残すには、Excel ブック（.xlsx）か UTF-8 で書き出してください"
        "（folvane-cli では --format xlsx か --encoding utf-8）。";
    view.savePaths.push_back(Out("SizeList.txt"));
    form.FileSave_Click();
    EXPECT_EQ(view.TakeLog(), (WindowLog{{"SaveAs", Out("SizeList.txt"), "MainForm1"},
                                         {"MessageBox", note, "MainForm1"}}));
    EXPECT_NE(ReadBytes(Out("SizeList.txt")).find("caf?.tif"), std::string::npos);

    view.savePaths.push_back(Out("Direct.txt"));
    form.Direct_Save_Click();
    const WindowLog log = view.TakeLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), (ShownWindow{"MessageBox", note, "MainForm1"}));
}

TEST_F(SaveCloseTest, SaveWritesWhatTheBoxHoldsNow) {
    RunDisplayedResults();
    view.resultText += "\r\nchecked by K.";
    view.savePaths.push_back(Out("edited.txt"));
    form.FileSave_Click();
    EXPECT_EQ(ReadBytes(Out("edited.txt")), ExpectedDisplayFile());
    EXPECT_TRUE(ReadBytes(Out("edited.txt")).ends_with("checked by K.\r\n"));
}

TEST_F(SaveCloseTest, SaveWritesTheResultListAsItStandsAfterDeletions) {
    RunDisplayedResults();
    view.resultListSelected = {0, 1};
    view.onContextMenu = [&] { form.IDLPMDel_Click(); };
    form.ResultList_MouseDown(2);
    view.savePaths.push_back(Out("fewer.txt"));
    form.FileSave_Click();
    EXPECT_EQ(ReadBytes(Out("fewer.txt")), ExpectedDisplayFile());
}

TEST_F(SaveCloseTest, SaveReplacesAnExistingFileWhole) {
    RunDisplayedResults();
    WriteBytes(Out("old.txt"), std::string(100000, 'z'));
    view.savePaths.push_back(Out("old.txt"));
    form.FileSave_Click();
    EXPECT_EQ(ReadBytes(Out("old.txt")), ExpectedDisplayFile());
    // Twice after one run: the same content, both succeed.
    view.savePaths.push_back(Out("old.txt"));
    form.FileSave_Click();
    EXPECT_EQ(ReadBytes(Out("old.txt")), ExpectedDisplayFile());
}

TEST_F(SaveCloseTest, SaveWithNothingDisplayedRefuses) {
    form.FileSave_Click();
    EXPECT_EQ(view.TakeLog(),
              (WindowLog{{"OKDialog1", "保存する結果が表示されていません。", "MainForm1"}}));
}

TEST_F(SaveCloseTest, CancelSaysCancelledAndChangesNothing) {
    RunDisplayedResults();
    view.savePaths.push_back(Out("first.txt"));
    form.FileSave_Click();
    form.Start_Click();
    view.TakeLog();
    view.savePaths.push_back(std::nullopt);
    form.FileSave_Click();
    EXPECT_EQ(view.TakeLog(),
              (WindowLog{{"SaveAs", "", "MainForm1"},
                         {"OKDialog2", "選択をキャンセルされました。", "MainForm1"}}));
    EXPECT_EQ(form.State().ResultState, 1);
    EXPECT_EQ(form.State().SavePath, Out("first.txt"));
}

TEST_F(SaveCloseTest, FailedSaveTellsWhyAndLeavesTheFolderClean) {
    folder.MakeFolder("out/taken");
    RunDisplayedResults();
    for (const std::string& target : {Out("no/such/folder/SizeList.txt"), Out("taken")}) {
        view.savePaths.push_back(target);
        form.FileSave_Click();
        const WindowLog shown = view.TakeLog();
        ASSERT_EQ(shown.size(), 2u) << target;
        EXPECT_EQ(shown[1].name, "OKDialog2");
        EXPECT_TRUE(shown[1].text.starts_with("書出しに失敗しました。\n")) << shown[1].text;
        EXPECT_EQ(shown[1].text.find("キャンセル"), std::string::npos);
        EXPECT_EQ(form.State().ResultState, 1);
        EXPECT_TRUE(view.MenuEnabled(MainMenuItem::IDMSave));
    }
    // No temporary file is left beside them.
    EXPECT_EQ(folder.Names("out"), std::vector<std::string>{"taken"});
}

// Refused before anything is written: a folder, and a scan's name (a
// forgotten file name would otherwise overwrite a scan).
TEST_F(SaveCloseTest, SaveRefusesAFolderAndAScansName) {
    folder.MakeFolder("out/taken");
    RunDisplayedResults();
    const std::pair<std::string, std::string> cases[] = {
        {Out("taken"), "フォルダには書き出せません"},
        {Out("SCAN.Tiff"), "名前が .tif/.tiff で終わるファイルには書き出せません"},
    };
    for (const auto& [target, reason] : cases) {
        view.savePaths.push_back(target);
        form.FileSave_Click();
        const WindowLog shown = view.TakeLog();
        ASSERT_EQ(shown.size(), 2u) << target;
        EXPECT_NE(shown[1].text.find(reason), std::string::npos) << shown[1].text;
    }
    EXPECT_EQ(folder.Names("out"), std::vector<std::string>{"taken"});
}

// With "PDF も対象にする" ticked a PDF's name is a scan's name too.
TEST_F(SaveCloseTest, SaveRefusesAPdfsNameWhilePdfFilesAreTaken) {
    RunDisplayedResults();
    form.IDMPdf_Click();
    view.savePaths.push_back(Out("Result.pdf"));
    form.FileSave_Click();
    const WindowLog shown = view.TakeLog();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[1].text.find("名前が .pdf で終わるファイルには書き出せません"),
              std::string::npos)
        << shown[1].text;
    EXPECT_TRUE(folder.Names("out").empty());
    form.IDMPdf_Click();
    view.savePaths.push_back(Out("Result.pdf"));
    form.FileSave_Click();
    EXPECT_EQ(folder.Names("out"), std::vector<std::string>{"Result.pdf"});
}

TEST_F(SaveCloseTest, MissingFolderIsReportedInJapanese) {
    RunDisplayedResults();
    view.savePaths.push_back(Out("no/such/folder/SizeList.txt"));
    form.FileSave_Click();
    const WindowLog shown = view.TakeLog();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text,
              "書出しに失敗しました。\n" + Out("no/such/folder/SizeList.txt") + ": 見つかりません");
}

TEST_F(SaveCloseTest, SaveAsOpensWhereTheLastSaveWent) {
    RunDisplayedResults();
    folder.MakeFolder("out/first");
    folder.MakeFolder("out/second");
    view.savePaths.push_back(Out("first/a.txt"));
    form.FileSave_Click();
    view.savePaths.push_back(std::nullopt);  // cancelled: the folder stays
    form.FileSave_Click();
    view.savePaths.push_back(Out("second/b.txt"));
    form.Direct_Save_Click();
    form.Start_Click();
    view.savePaths.push_back(Out("second/no/such/c.txt"));  // failed: the folder stays
    form.FileSave_Click();
    view.savePaths.push_back(std::nullopt);
    form.FileSave_Click();
    EXPECT_EQ(view.saveAsFolders, (std::vector<std::string>{"", Out("first"), Out("first"),
                                                            Out("second"), Out("second")}));
}

TEST_F(SaveCloseTest, DirectSaveWritesTheCoreDirectFileAndClearsTheScreen) {
    RunDisplayedResults();
    EXPECT_TRUE(view.MenuEnabled(MainMenuItem::IDMSave));
    view.progress.values.clear();
    view.savePaths.push_back(Out("direct.txt"));
    form.IDMD_Save_Click();
    const WindowLog shown = view.TakeLog();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "書出し終了");
    EXPECT_EQ(ReadBytes(Out("direct.txt")), CoreDirectFile(view.list1, {}));
    EXPECT_NE(ReadBytes(Out("direct.txt"))
                  .find("\r\n\x91\x8d\x8d\x87\x8c\x76"
                        "3 \x96\x87\r\n"),
              std::string::npos);
    EXPECT_TRUE(view.resultList.empty());
    EXPECT_TRUE(form.ListLines(MainList::ResultList).empty());
    EXPECT_EQ(view.resultText, "合計\r\n");
    EXPECT_EQ(form.State().ResultState, 0);
    EXPECT_FALSE(view.MenuEnabled(MainMenuItem::IDMSave));
    EXPECT_FALSE(view.progress.visible);
    EXPECT_EQ(view.progress.values.front(), 0);
    EXPECT_EQ(view.progress.values.back(), 3);
    // Nothing displayed: saving the display is refused now.
    form.FileSave_Click();
    EXPECT_EQ(view.TakeLog().at(0).text, "保存する結果が表示されていません。");
}

// Save As offers the workbook beside the text types and opens next time
// with the type chosen last; a workbook holds what --format xlsx writes.
TEST_F(SaveCloseTest, BothSavesWriteTheWorkbookAndRememberTheType) {
    RunDisplayedResults();
    view.savePaths.push_back(Out("book"));  // no extension typed
    view.saveTypes.push_back(1);
    form.FileSave_Click();
    EXPECT_EQ(view.TakeLog(), (WindowLog{{"SaveAs", Out("book"), "MainForm1"},
                                         {"MessageBox", "書出し終了", "MainForm1"}}));
    const std::string sheets = CoreWorkbookSheets(view.list1, {});
    ASSERT_NE(sheets.find("c.tif"), std::string::npos);
    EXPECT_EQ(SheetsXml(ReadBytes(Out("book.xlsx")), 1), sheets);
    EXPECT_EQ(form.State().ResultState, 2);
    // The results on screen stay.
    EXPECT_FALSE(view.resultList.empty());

    // The next Save As offers the workbook first; the direct save writes one.
    view.savePaths.push_back(Out("direct.xlsx"));
    form.Direct_Save_Click();
    EXPECT_EQ(SheetsXml(ReadBytes(Out("direct.xlsx")), 1), sheets);
    EXPECT_TRUE(view.resultList.empty());
    EXPECT_EQ(form.State().ResultState, 0);
    // Then back to text: a text file, and text offered next.
    form.Start_Click();
    view.savePaths.push_back(Out("list.txt"));
    view.saveTypes.push_back(0);
    form.FileSave_Click();
    EXPECT_EQ(ReadBytes(Out("list.txt")), ExpectedDisplayFile());
    // "All files" with a workbook's name is a workbook, offered next.
    view.savePaths.push_back(Out("any.XLSX"));
    view.saveTypes.push_back(2);
    form.FileSave_Click();
    EXPECT_EQ(SheetsXml(ReadBytes(Out("any.XLSX")), 1), sheets);
    // Another extension with the workbook type: a workbook, named so that
    // Excel opens it. A name typed with .txt is text whatever the type.
    view.savePaths.push_back(Out("scan.v2"));
    view.saveTypes.push_back(1);
    form.FileSave_Click();
    EXPECT_EQ(SheetsXml(ReadBytes(Out("scan.v2.xlsx")), 1), sheets);
    view.savePaths.push_back(Out("typed.txt"));
    form.FileSave_Click();
    EXPECT_EQ(ReadBytes(Out("typed.txt")), ExpectedDisplayFile());
    view.savePaths.push_back(std::nullopt);
    form.FileSave_Click();

    const std::vector<std::string> captions = {"TXTファイル (*.txt)", "Excel ブック (*.xlsx)",
                                               "すべてのファイル (*.*)"};
    ASSERT_EQ(view.saveAsRequests.size(), 7u);
    const std::pair<std::size_t, std::string> offered[] = {
        {0, "SizeList.txt"},  {1, "SizeList.xlsx"}, {1, "SizeList.xlsx"}, {0, "SizeList.txt"},
        {1, "SizeList.xlsx"}, {1, "SizeList.xlsx"}, {0, "SizeList.txt"}};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(view.saveAsRequests[i].captions, captions);
        EXPECT_EQ(view.saveAsRequests[i].selectedType, offered[i].first) << i;
        EXPECT_EQ(view.saveAsRequests[i].proposedName, offered[i].second) << i;
    }
}

TEST_F(SaveCloseTest, DirectSaveRefusesBeforeTheDialog) {
    form.Direct_Save_Click();
    EXPECT_EQ(view.TakeLog(),
              (WindowLog{{"OKDialog1", "ファイルを選択してください。", "MainForm1"}}));
    WriteTiff(Path("a.tif"), {{1654, 2339, 200}});
    Drop({Path("a.tif")});
    form.Check_RTotal_Click(1);
    view.aresoText = "2e2";
    view.savePaths.push_back(Out("never.txt"));
    form.Direct_Save_Click();
    EXPECT_EQ(
        view.TakeLog(),
        (WindowLog{{"OKDialog1", "解像度には -32768 から 32767 までの数値を入力してください。",
                    "MainForm1"}}));
    EXPECT_TRUE(folder.Names("out").empty());
}

TEST_F(SaveCloseTest, FailedDirectSaveKeepsTheWindowAsItWas) {
    RunDisplayedResults();
    const std::vector<std::string> lines = view.resultList;
    folder.MakeFolder("out/taken");
    view.savePaths.push_back(Out("taken"));
    form.Direct_Save_Click();
    WindowLog shown = view.TakeLog();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[1].text.starts_with("書出しに失敗しました。\n"));
    EXPECT_EQ(form.State().ResultState, 1);
    EXPECT_TRUE(view.MenuEnabled(MainMenuItem::IDMSave));
    EXPECT_EQ(view.resultList, lines);
    EXPECT_FALSE(view.progress.visible);
    EXPECT_EQ(folder.Names("out"), std::vector<std::string>{"taken"});
    // The folder is refused before any file is read: no second run.
    EXPECT_EQ(view.runsFinished, 1);
    // Cancelled: nothing written, the state as it was.
    view.savePaths.push_back(std::nullopt);
    form.Direct_Save_Click();
    shown = view.TakeLog();
    EXPECT_EQ(shown.at(1).text, "選択をキャンセルされました。");
    EXPECT_EQ(form.State().ResultState, 1);
}

TEST_F(SaveCloseTest, ClearEmptiesBothListsAndKeepsTheChoices) {
    RunDisplayedResults();
    form.Check_RTotal_Click(1);
    view.aresoText = "200";
    form.Check_Click(5, 0);
    form.IDMClear_Click();
    EXPECT_TRUE(view.list1.empty());
    EXPECT_TRUE(view.resultList.empty());
    EXPECT_EQ(view.resultText, "合計\r\n");
    EXPECT_EQ(form.State().FilesAdded, 0);
    EXPECT_EQ(form.State().ResultState, 0);
    for (const MainMenuItem item :
         {MainMenuItem::IDMView, MainMenuItem::IDMSave, MainMenuItem::IDMD_Save})
        EXPECT_FALSE(view.MenuEnabled(item));
    EXPECT_EQ(view.aresoText, "200");
    EXPECT_EQ(form.CurrentSelection().Check[5], 0);
    // Unsaved results were discarded unasked; closing asks nothing.
    EXPECT_TRUE(form.Form_Unload());
    EXPECT_TRUE(view.TakeLog().empty());
    // And the refusal is back.
    form.Start_Click();
    EXPECT_EQ(view.TakeLog().at(0).text, "ファイルを選択してください。");
}

TEST_F(SaveCloseTest, CloseButtonAndMenuAskTheWindowToClose) {
    form.Close_Click();
    form.IDMExit_Click();
    EXPECT_EQ(view.closeRequests, 2);
}

TEST_F(SaveCloseTest, CloseWithUnsavedResultsAndYesSavesThenCloses) {
    RunDisplayedResults();
    view.closeDialog.next = CloseAnswer::Yes;
    view.savePaths.push_back(Out("on-exit.txt"));
    const std::string expected = ExpectedDisplayFile();
    EXPECT_TRUE(form.Form_Unload());
    EXPECT_EQ(view.TakeLog(),
              (WindowLog{{"CloseDialog", "結果が保存されていません。\n保存しますか？", "MainForm1"},
                         {"SaveAs", Out("on-exit.txt"), "MainForm1"},
                         {"MessageBox", "書出し終了", "MainForm1"}}));
    EXPECT_EQ(ReadBytes(Out("on-exit.txt")), expected);
    EXPECT_TRUE(view.helpClosed);
    EXPECT_FALSE(view.closeDialog.visible);
}

TEST_F(SaveCloseTest, CloseWithYesThenCancelStillCloses) {
    RunDisplayedResults();
    view.closeDialog.next = CloseAnswer::Yes;
    EXPECT_TRUE(form.Form_Unload());
    const WindowLog shown = view.TakeLog();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2].text, "選択をキャンセルされました。");
}

TEST_F(SaveCloseTest, CloseWithNoOrTheCloseBoxDoesNotSave) {
    for (const CloseAnswer answer : {CloseAnswer::No, CloseAnswer::CloseBox}) {
        RunDisplayedResults();
        view.closeDialog.next = answer;
        EXPECT_TRUE(form.Form_Unload());
        const WindowLog shown = view.TakeLog();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].name, "CloseDialog");
        EXPECT_TRUE(folder.Names("out").empty());
    }
}

TEST_F(SaveCloseTest, NoQuestionWhenNothingIsUnsaved) {
    EXPECT_TRUE(form.Form_Unload());  // state 0 at start
    EXPECT_TRUE(view.TakeLog().empty());
    RunDisplayedResults();
    view.savePaths.push_back(Out("s.txt"));
    form.FileSave_Click();  // state 2 after a save
    view.TakeLog();
    EXPECT_TRUE(form.Form_Unload());
    EXPECT_TRUE(view.TakeLog().empty());
    view.savePaths.push_back(Out("d.txt"));
    form.Direct_Save_Click();  // state 0 after a direct save
    view.TakeLog();
    EXPECT_TRUE(form.Form_Unload());
    EXPECT_TRUE(view.TakeLog().empty());
}

TEST_F(SaveCloseTest, RunAfterSavingBringsTheQuestionBack) {
    RunDisplayedResults();
    view.savePaths.push_back(Out("s.txt"));
    form.FileSave_Click();
    form.Start_Click();
    view.TakeLog();
    EXPECT_TRUE(form.Form_Unload());
    EXPECT_EQ(view.TakeLog().at(0).name, "CloseDialog");
}

TEST_F(SaveCloseTest, CloseDuringARunWaitsForItsEnd) {
    folder.MakeFolder("in");
    WriteTiff(Path("in/a.tif"), {{1654, 2339, 200}});
    Drop({Path("in")});
    // The close arrives while the progress window repaints.
    bool refused = false;
    view.progress.onRepaint = [&] {
        if (!refused) refused = !form.Form_Unload();
    };
    form.Start_Click();
    EXPECT_TRUE(refused);
    EXPECT_EQ(view.closeRequests, 1);
}

}  // namespace
}  // namespace folvane::testing
