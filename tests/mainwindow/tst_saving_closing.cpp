// Saving the displayed results and the direct save, with the Save-As dialog
// answered through the seam; clearing; the close question's paths.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>

#include "dialogs/dialog_seam.h"
#include "input/list_box_widget.h"
#include "mainwindow/main_form.h"
#include "window_test_support.h"

using namespace folvane::gui;
using namespace folvane::test;

class SavingClosingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainForm1> form;
    std::unique_ptr<QTemporaryDir> dir;  // inputs
    std::unique_ptr<QTemporaryDir> out;  // result files

    ListBoxWidget* ResultList() { return Control<ListBoxWidget>(form.get(), "ResultList"); }
    ListBoxWidget* List1() { return Control<ListBoxWidget>(form.get(), "List1"); }
    QAction* Item(const char* name) { return Control<QAction>(form.get(), name); }
    QString Out(const QString& name) { return out->filePath(name); }

    void DropInputs() {
        QVERIFY(WriteTiff(dir->filePath("a4.tif"), {{1654, 2339, 200}, {3508, 4961, 300}}));
        QVERIFY(WriteTiff(dir->filePath("b4.tif"), {{2028, 2867, 200}}, true));
        QVERIFY(WriteText(dir->filePath("memo.tif"), "memo"));
        form->DropPaths({dir->path()});
        QCOMPARE(List1()->count(), 3);
    }

    void RunDisplayed() {
        DropInputs();
        form->Start_Click();
        QCOMPARE(form->formState().ResultState, 1);
        DialogSeam::takeShown();
    }

    QByteArray ExpectedDisplayFile() {
        return CoreDisplayFile(ResultList()->itemTexts(), form->resultText());
    }

  private slots:
    void init() {
        DialogSeam::script();
        dir = std::make_unique<QTemporaryDir>();
        out = std::make_unique<QTemporaryDir>();
        form = std::make_unique<MainForm1>();
        form->show();
        // Menu shortcuts reach only the active window.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() {
        form.reset();
        dir.reset();
        out.reset();
        DialogSeam::unscript();
    }

    void saveWritesTheDisplayFileByteForByte() {
        RunDisplayed();
        DialogSeam::setNextSavePath(Out("SizeList.txt"));
        Item("IDMSave")->trigger();
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].name, QStringLiteral("SaveAs"));
        QCOMPARE(shown[1].name, QStringLiteral("MessageBox"));
        QCOMPARE(shown[1].text, QStringLiteral("書出し終了"));
        const QByteArray written = ReadAll(Out("SizeList.txt"));
        QCOMPARE(written, ExpectedDisplayFile());
        // Shift-JIS, CR LF, no spacer line, the totals box last.
        QVERIFY(written.contains("\x91\x8d\x8d\x87\x8c\x76\t3 \x96\x87\r\n"));  // 総合計\t3 枚
        QVERIFY(!written.contains("      "));
        QVERIFY(!written.contains("\n\n"));
        QVERIFY(written.endsWith("\t" + dir->filePath("memo.tif").toUtf8() + "\r\n"));
        QCOMPARE(form->formState().ResultState, 2);
        QCOMPARE(form->formState().SavePath, Out("SizeList.txt").toStdString());
        QCOMPARE(FilesIn(out->path()), QStringList{"SizeList.txt"});
    }

    void saveWritesWhatTheBoxHoldsNow() {
        RunDisplayed();
        Control<QPlainTextEdit>(form.get(), "Result")->setPlainText(QStringLiteral("手で\n書いた"));
        // With both total boxes clear the box is hidden and still written.
        Control<QCheckBox>(form.get(), "Check_CTotal")->setChecked(false);
        Control<QCheckBox>(form.get(), "Check_Total")->setChecked(false);
        DialogSeam::setNextSavePath(Out("x.txt"));
        form->FileSave_Click();
        QVERIFY(
            ReadAll(Out("x.txt")).endsWith("\r\n\x8e\xe8\x82\xc5\r\n\x8f\x91\x82\xa2\x82\xbd\r\n"));
    }

    void saveReplacesAnExistingFileWhole() {
        RunDisplayed();
        QVERIFY(WriteText(Out("old.txt"), QByteArray(100000, 'z')));
        DialogSeam::setNextSavePath(Out("old.txt"));
        form->FileSave_Click();
        QCOMPARE(ReadAll(Out("old.txt")), ExpectedDisplayFile());
        // Twice after one run: the same content, both succeed.
        DialogSeam::setNextSavePath(Out("old.txt"));
        form->FileSave_Click();
        QCOMPARE(ReadAll(Out("old.txt")), ExpectedDisplayFile());
    }

    void saveWithNothingDisplayedRefuses() {
        form->FileSave_Click();
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 1);  // no Save-As dialog
        QCOMPARE(shown[0].name, QStringLiteral("OKDialog1"));
        QCOMPARE(shown[0].text, QStringLiteral("保存する結果が表示されていません。"));
    }

    void cancelSaysCancelledAndChangesNothing() {
        RunDisplayed();
        DialogSeam::setNextSavePath(Out("first.txt"));
        form->FileSave_Click();
        form->Start_Click();
        DialogSeam::takeShown();
        DialogSeam::setNextSaveCancel();
        form->FileSave_Click();
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].name, QStringLiteral("OKDialog2"));
        QCOMPARE(shown[1].text, QStringLiteral("選択をキャンセルされました。"));
        QCOMPARE(form->formState().ResultState, 1);
        QCOMPARE(form->formState().SavePath, Out("first.txt").toStdString());
    }

    void failedSaveTellsWhyAndLeavesTheFileAlone_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        // Cannot even be created.
        QTest::newRow("missing folder") << "no/such/folder/SizeList.txt"
                                        << "No such file or directory";
        // Refused before anything is written.
        QTest::newRow("a folder by that name") << "taken"
                                               << "フォルダには書き出せません";
        QTest::newRow("a scan's name") << "SCAN.Tiff"
                                       << "名前が .tif/.tiff で終わるファイルには書き出せません";
    }

    void failedSaveTellsWhyAndLeavesTheFileAlone() {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QVERIFY(QDir(out->path()).mkpath(QStringLiteral("taken")));
        RunDisplayed();
        DialogSeam::setNextSavePath(Out(target));
        form->FileSave_Click();
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].name, QStringLiteral("OKDialog2"));
        QVERIFY2(shown[1].text.startsWith(QStringLiteral("書出しに失敗しました。\n")),
                 qPrintable(shown[1].text));
        QVERIFY2(shown[1].text.contains(reason), qPrintable(shown[1].text));
        QVERIFY(!shown[1].text.contains(QStringLiteral("キャンセル")));
        QCOMPARE(form->formState().ResultState, 1);
        QVERIFY(Item("IDMSave")->isEnabled());
        // No temporary file is left beside it.
        QCOMPARE(FilesIn(out->path()), QStringList{});
        QVERIFY(QFileInfo(Out("taken")).isDir());
    }

    void directSaveWritesTheCoreDirectFileAndClearsTheScreen() {
        RunDisplayed();
        QVERIFY(Item("IDMSave")->isEnabled());
        auto* bar = Control<QProgressBar>(form.get(), "ProgressBar1");
        QList<int> values;
        connect(bar, &QProgressBar::valueChanged, this, [&values](int v) { values.push_back(v); });
        DialogSeam::setNextSavePath(Out("direct.txt"));
        Item("IDMD_Save")->trigger();
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].text, QStringLiteral("書出し終了"));
        QCOMPARE(ReadAll(Out("direct.txt")), CoreDirectFile(ToCore(List1()->itemTexts()), {}));
        QVERIFY(ReadAll(Out("direct.txt"))
                    .contains("\r\n\x91\x8d\x8d\x87\x8c\x76"
                              "3 \x96\x87\r\n"));
        QCOMPARE(ResultList()->count(), 0);
        QCOMPARE(form->resultText(), QStringLiteral("合計\r\n"));
        QCOMPARE(form->formState().ResultState, 0);
        QVERIFY(!Item("IDMSave")->isEnabled());
        QVERIFY(!Control<QWidget>(form.get(), "ModelessDialog")->isVisible());
        // Back to 0 from the displayed run's end, i after file i, then Max.
        QCOMPARE(values, (QList<int>{0, 1, 2, 3}));
        // Nothing displayed: saving the display is refused now.
        form->FileSave_Click();
        QCOMPARE(DialogSeam::takeShown().value(0).text,
                 QStringLiteral("保存する結果が表示されていません。"));
    }

    void directSaveRefusesBeforeTheDialog() {
        form->Direct_Save_Click();
        auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].name, QStringLiteral("OKDialog1"));
        QCOMPARE(shown[0].text, QStringLiteral("ファイルを選択してください。"));
        DropInputs();
        Control<QCheckBox>(form.get(), "Check_RTotal")->setChecked(true);
        QTest::keyClicks(Control<QWidget>(form.get(), "AresoText"), QStringLiteral("2e2"));
        DialogSeam::setNextSavePath(Out("never.txt"));
        form->Direct_Save_Click();
        shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text,
                 QStringLiteral("解像度には -32768 から 32767 までの数値を入力してください。"));
        QVERIFY(!QFile::exists(Out("never.txt")));
    }

    void failedDirectSaveKeepsTheWindowAsItWas() {
        RunDisplayed();
        const QStringList lines = ResultList()->itemTexts();
        QVERIFY(QDir(out->path()).mkpath(QStringLiteral("taken")));
        DialogSeam::setNextSavePath(Out("taken"));
        form->Direct_Save_Click();
        auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[1].text.startsWith(QStringLiteral("書出しに失敗しました。\n")));
        QCOMPARE(form->formState().ResultState, 1);
        QVERIFY(Item("IDMSave")->isEnabled());
        QCOMPARE(ResultList()->itemTexts(), lines);
        QVERIFY(!Control<QWidget>(form.get(), "ModelessDialog")->isVisible());
        QCOMPARE(FilesIn(out->path()), QStringList{});
        // Cancelled: nothing written, the state as it was.
        DialogSeam::setNextSaveCancel();
        form->Direct_Save_Click();
        shown = DialogSeam::takeShown();
        QCOMPARE(shown.value(1).text, QStringLiteral("選択をキャンセルされました。"));
        QCOMPARE(form->formState().ResultState, 1);
    }

    void clearEmptiesBothListsAndKeepsTheChoices() {
        RunDisplayed();
        Control<QCheckBox>(form.get(), "Check_RTotal")->setChecked(true);
        QTest::keyClicks(Control<QWidget>(form.get(), "AresoText"), QStringLiteral("200"));
        Control<QCheckBox>(form.get(), "Check5")->setChecked(false);
        Item("IDMClear")->trigger();
        QCOMPARE(List1()->count(), 0);
        QCOMPARE(ResultList()->count(), 0);
        QCOMPARE(form->resultText(), QStringLiteral("合計\r\n"));
        QCOMPARE(form->formState().FilesAdded, 0);
        QCOMPARE(form->formState().ResultState, 0);
        for (const char* name : {"IDMView", "IDMSave", "IDMD_Save"})
            QVERIFY2(!Item(name)->isEnabled(), name);
        QCOMPARE(Control<QLineEdit>(form.get(), "AresoText")->text(), QStringLiteral("200"));
        QVERIFY(!Control<QCheckBox>(form.get(), "Check5")->isChecked());
        // Unsaved results were discarded unasked; closing asks nothing.
        QVERIFY(form->close());
        QVERIFY(DialogSeam::takeShown().isEmpty());
    }

    void closeWithUnsavedResultsAndYesSavesThenCloses() {
        RunDisplayed();
        DialogSeam::setNextCloseAnswer(6);
        DialogSeam::setNextSavePath(Out("on-exit.txt"));
        const QByteArray expected = ExpectedDisplayFile();
        QVERIFY(form->close());
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0].name, QStringLiteral("CloseDialog"));
        QCOMPARE(shown[0].text, QStringLiteral("結果が保存されていません。\n保存しますか？"));
        QCOMPARE(shown[1].name, QStringLiteral("SaveAs"));
        QCOMPARE(shown[2].text, QStringLiteral("書出し終了"));
        QCOMPARE(ReadAll(Out("on-exit.txt")), expected);
        QVERIFY(!form->isVisible());
    }

    void closeWithYesThenCancelStillCloses() {
        RunDisplayed();
        DialogSeam::setNextCloseAnswer(6);
        DialogSeam::setNextSaveCancel();
        QVERIFY(Control<QAction>(form.get(), "IDMExit") != nullptr);
        Item("IDMExit")->trigger();
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[2].text, QStringLiteral("選択をキャンセルされました。"));
        QVERIFY(!form->isVisible());
    }

    void closeWithNoOrTheCloseBoxDoesNotSave_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("いいえ") << 7;
        QTest::newRow("close box") << 0;
    }

    void closeWithNoOrTheCloseBoxDoesNotSave() {
        QFETCH(int, answer);
        RunDisplayed();
        DialogSeam::setNextCloseAnswer(static_cast<std::int16_t>(answer));
        QTest::mouseClick(Control<QWidget>(form.get(), "Close"), Qt::LeftButton);
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].name, QStringLiteral("CloseDialog"));
        QVERIFY(!form->isVisible());
        QCOMPARE(FilesIn(out->path()), QStringList{});
    }

    void noQuestionWhenNothingIsUnsaved_data() {
        QTest::addColumn<QString>("before");
        QTest::newRow("state 0 at start") << "start";
        QTest::newRow("state 2 after a save") << "saved";
        QTest::newRow("state 0 after a direct save") << "direct";
    }

    void noQuestionWhenNothingIsUnsaved() {
        QFETCH(QString, before);
        if (before != QLatin1String("start")) RunDisplayed();
        if (before == QLatin1String("saved")) {
            DialogSeam::setNextSavePath(Out("s.txt"));
            form->FileSave_Click();
            QCOMPARE(form->formState().ResultState, 2);
        }
        if (before == QLatin1String("direct")) {
            DialogSeam::setNextSavePath(Out("d.txt"));
            form->Direct_Save_Click();
            QCOMPARE(form->formState().ResultState, 0);
        }
        DialogSeam::takeShown();
        QVERIFY(form->close());
        QVERIFY(DialogSeam::takeShown().isEmpty());
        QVERIFY(!form->isVisible());
    }

    void runAfterSavingBringsTheQuestionBack() {
        RunDisplayed();
        DialogSeam::setNextSavePath(Out("s.txt"));
        form->FileSave_Click();
        form->Start_Click();
        DialogSeam::takeShown();
        QVERIFY(form->close());
        QCOMPARE(DialogSeam::takeShown().value(0).name, QStringLiteral("CloseDialog"));
    }
};

QTEST_MAIN(SavingClosingTest)
#include "tst_saving_closing.moc"
