// The input list (drops of folders and files) and the displayed run, whose
// lines and totals must be exactly what the core produces.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <cmath>

#include "dialogs/dialog_seam.h"
#include "input/list_box_widget.h"
#include "mainwindow/main_form.h"
#include "window_test_support.h"

using namespace folvane::gui;
using namespace folvane::test;

class InputRunTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainForm1> form;
    std::unique_ptr<QTemporaryDir> dir;

    ListBoxWidget* List1() { return Control<ListBoxWidget>(form.get(), "List1"); }
    ListBoxWidget* ResultList() { return Control<ListBoxWidget>(form.get(), "ResultList"); }
    QAction* Item(const char* name) { return Control<QAction>(form.get(), name); }
    QString Path(const QString& relative) { return dir->filePath(relative); }

    void Drop(const QStringList& paths) { form->List1_OLEDragDrop(*FileDrop(paths)); }

    // scan/ holds a.tif, B.TIF, notes.txt and old/c.tif.
    void MakeScanFolder() {
        QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("scan/old")));
        QVERIFY(WriteTiff(Path("scan/a.tif"), {{1654, 2339, 200}}));
        QVERIFY(WriteTiff(Path("scan/B.TIF"), {{2028, 2867, 200}}));
        QVERIFY(WriteTiff(Path("scan/old/c.tif"), {{1654, 2339, 200}}));
        QVERIFY(WriteText(Path("scan/notes.txt"), "notes"));
    }

  private slots:
    void init() {
        DialogSeam::script();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        form = std::make_unique<MainForm1>();
        form->show();
        // Menu shortcuts reach only the active window.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() {
        form.reset();
        dir.reset();
        DialogSeam::unscript();
    }

    void folderDropAddsItsOwnTifFilesOnly() {
        MakeScanFolder();
        Drop({Path("scan")});
        // Any letter case of ".tif" in a folder; no sub-folders, no other files.
        QCOMPARE(List1()->itemTexts(), (QStringList{Path("scan/a.tif"), Path("scan/B.TIF")}));
        QCOMPARE(form->formState().FilesAdded, 1);
        QVERIFY(Item("IDMView")->isEnabled());
        QVERIFY(Item("IDMD_Save")->isEnabled());
        QVERIFY(!Item("IDMSave")->isEnabled());
    }

    void folderWithTrailingSeparatorGetsOneSeparator() {
        MakeScanFolder();
        Drop({Path("scan") + QLatin1Char('/')});
        QCOMPARE(List1()->itemTexts(), (QStringList{Path("scan/a.tif"), Path("scan/B.TIF")}));
    }

    void singleFileMustEndInLowerCaseTif() {
        MakeScanFolder();
        Drop({Path("scan/B.TIF")});
        QCOMPARE(List1()->count(), 0);
        QCOMPARE(form->formState().FilesAdded, 1);
        QVERIFY(!Item("IDMView")->isEnabled());
        Drop({Path("scan/a.tif"), Path("scan/notes.txt")});
        QCOMPARE(List1()->itemTexts(), QStringList{Path("scan/a.tif")});
        QVERIFY(Item("IDMView")->isEnabled());
    }

    void duplicatesLeaveOneEntryPerPath() {
        MakeScanFolder();
        Drop({Path("scan/a.tif"), Path("scan/a.tif")});
        Drop({Path("scan/a.tif")});
        Drop({Path("scan")});
        QCOMPARE(List1()->itemTexts(), (QStringList{Path("scan/a.tif"), Path("scan/B.TIF")}));
    }

    void listIsSortedIgnoringLetterCase() {
        QVERIFY(WriteTiff(Path("b.tif"), {{100, 100, 200}}));
        QVERIFY(WriteTiff(Path("C.tif"), {{100, 100, 200}}));
        QVERIFY(WriteTiff(Path("a.tif"), {{100, 100, 200}}));
        Drop({Path("C.tif"), Path("b.tif")});
        Drop({Path("a.tif")});
        QCOMPARE(List1()->itemTexts(), (QStringList{Path("a.tif"), Path("b.tif"), Path("C.tif")}));
    }

    void dropWithoutFilesAddsNothingButCounts() {
        QMimeData text;
        text.setText(QStringLiteral("some words"));
        form->List1_OLEDragDrop(text);
        QCOMPARE(List1()->count(), 0);
        QCOMPARE(form->formState().FilesAdded, 1);
        QVERIFY(!Item("IDMView")->isEnabled());
        QVERIFY(!Item("IDMD_Save")->isEnabled());
    }

    // A dropped path that cannot be used adds nothing to the list, but every
    // run names it among the files with errors, with its reason, until the
    // list is cleared.
    void vanishedFolderIsAnErrorOfEveryRun() {
        MakeScanFolder();
        Drop({Path("gone"), Path("gone.txt")});
        QCOMPARE(List1()->count(), 0);
        QCOMPARE(form->formState().FilesAdded, 1);
        Drop({Path("scan"), Path("gone")});
        form->Start_Click();
        const QString errors = QStringLiteral("\r\nエラーのあるファイル\r\n\t") + Path("gone") +
                               QStringLiteral("\t見つかりません\r\n\t") + Path("gone.txt") +
                               QStringLiteral("\t見つかりません");
        QVERIFY2(form->resultText().endsWith(errors), qPrintable(form->resultText()));
        form->Start_Click();
        QVERIFY(form->resultText().endsWith(errors));

        form->Clear_Click();
        Drop({Path("scan")});
        form->Start_Click();
        QVERIFY(!form->resultText().contains(QStringLiteral("エラーのあるファイル")));
    }

    void realDropEventReachesTheList() {
        MakeScanFolder();
        const auto data = FileDrop({Path("scan/a.tif")});
        QWidget* viewport = List1()->viewport();
        const QPointF at(10, 10);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &drop);
        QCOMPARE(List1()->itemTexts(), QStringList{Path("scan/a.tif")});
    }

    void horizontalExtentIsTheWidestEntryPlusAScrollBar() {
        const QString longName = Path(QString(120, QLatin1Char('w')) + QStringLiteral(".tif"));
        QVERIFY(WriteTiff(longName, {{100, 100, 200}}));
        QVERIFY(WriteTiff(Path("a.tif"), {{100, 100, 200}}));
        Drop({Path("a.tif"), longName});
        const int scrollBar = List1()->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        // Measured in the window's font, not the list's, character by
        // character as the system's plain text measuring does (no kerning).
        const QFontMetricsF metrics(form->font());
        qreal width = 0;
        for (const QChar c : longName) width += metrics.horizontalAdvance(c);
        const int expected = static_cast<int>(std::ceil(width)) + scrollBar;
        QCOMPARE(List1()->horizontalExtent(), expected);
        QVERIFY(List1()->horizontalScrollBar()->isVisibleTo(List1()));
        QCOMPARE(List1()->horizontalScrollBar()->maximum(),
                 expected - List1()->viewport()->width());
        // A drop that leaves the list empty removes the bar.
        Control<QAction>(form.get(), "IDMClear")->trigger();
        Drop({Path("nothing-here")});
        QCOMPARE(List1()->horizontalExtent(), 0);
        QVERIFY(!List1()->horizontalScrollBar()->isVisibleTo(List1()));
    }

    void runShowsExactlyTheCoreOutput() {
        QVERIFY(WriteTiff(Path("one.tif"), {{1654, 2339, 200}, {2339, 1654, 200}}));
        QVERIFY(WriteTiff(Path("two.tif"), {{3508, 4961, 300}}, /*bigEndian=*/true));
        QVERIFY(
            WriteTiff(Path("three.tif"), {{2028, 2867, 200}, {1654, 2339, 400}, {100, 100, 72}}));
        QVERIFY(WriteText(Path("text.tif"), "not a tiff at all"));
        QVERIFY(WriteText(Path("short.tif"), QByteArray("II*\0\x08\0\0\0", 8)));
        Drop({dir->path()});
        const QStringList listed = List1()->itemTexts();
        QCOMPARE(listed.size(), 5);

        auto* bar = Control<QProgressBar>(form.get(), "ProgressBar1");
        auto* progressWindow = Control<QWidget>(form.get(), "ModelessDialog");
        QList<int> values;
        bool shownWhileRunning = true;
        connect(bar, &QProgressBar::valueChanged, this, [&](int value) {
            values.push_back(value);
            shownWhileRunning = shownWhileRunning && (progressWindow->isVisible() || value == 5);
        });
        Control<QWidget>(form.get(), "Start")->setFocus();
        QTest::mouseClick(Control<QWidget>(form.get(), "Start"), Qt::LeftButton);

        const DisplayOutput expected = CoreDisplayOutput(ToCore(listed), {});
        QCOMPARE(ResultList()->itemTexts(), expected.lines);
        QCOMPARE(form->resultText(), expected.totals);
        QVERIFY(ResultList()->itemTexts().last().trimmed().isEmpty());  // SpacerLine last
        QVERIFY(form->resultText().contains(QStringLiteral("総合計\t6 枚")));
        QVERIFY(form->resultText().contains(QStringLiteral("Tiffではないのでは？\r\n\t") +
                                            Path("text.tif")));
        // 0 after the first file, 4 after the last of five, 5 at the end.
        QCOMPARE(values, (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(bar->maximum(), 5);
        QVERIFY(shownWhileRunning);
        QVERIFY(!progressWindow->isVisible());
        QCOMPARE(form->formState().ResultState, 1);
        QVERIFY(Item("IDMSave")->isEnabled());
        // Every line can be scrolled into view: as drawn, in the list's
        // font with tab stops every 8 half-width characters.
        const QFontMetrics shown(ResultList()->font());
        const int tabStop = 8 * shown.horizontalAdvance(QLatin1Char('0'));
        for (const QString& line : expected.lines) {
            const int width =
                shown.boundingRect(QRect(), Qt::TextExpandTabs, line, tabStop).width();
            QVERIFY2(width <= ResultList()->horizontalExtent(), qPrintable(line));
        }
        QVERIFY(DialogSeam::takeShown().isEmpty());
        QVERIFY(!form->isRunning());
    }

    void secondRunGivesTheSameResult() {
        QVERIFY(WriteTiff(Path("one.tif"), {{1654, 2339, 200}}));
        QVERIFY(WriteText(Path("text.tif"), "text"));
        Drop({dir->path()});
        form->Start_Click();
        const QStringList lines = ResultList()->itemTexts();
        const QString totals = form->resultText();
        Item("IDMView")->trigger();
        QCOMPARE(ResultList()->itemTexts(), lines);
        QCOMPARE(form->resultText(), totals);
    }

    void onlyGrandTotalTicked() {
        QVERIFY(WriteTiff(Path("a.tif"), {{1654, 2339, 200}, {1654, 2339, 200}}));
        QVERIFY(WriteTiff(Path("b.tif"), {{1654, 2339, 200}}));
        QVERIFY(
            WriteTiff(Path("c.tif"), {{1654, 2339, 200}, {1654, 2339, 200}, {1654, 2339, 200}}));
        Drop({dir->path()});
        Control<QCheckBox>(form.get(), "Check_CTotal")->setChecked(false);
        form->Start_Click();
        QCOMPARE(form->resultText(), QStringLiteral("総合計\t6 枚"));
    }

    void choicesReachTheRun() {
        QVERIFY(WriteTiff(Path("a.tif"), {{1654, 2339, 200}, {2480, 3508, 300}}));
        Drop({dir->path()});
        Control<QCheckBox>(form.get(), "Check3")->setChecked(false);
        Control<QCheckBox>(form.get(), "Check0")->setChecked(false);
        Control<QCheckBox>(form.get(), "Check_RTotal")->setChecked(true);
        QTest::keyClicks(Control<QWidget>(form.get(), "AresoText"), QStringLiteral("200"));
        form->Start_Click();
        folvane::SelectionState selection;
        selection.Check[3] = 0;
        selection.Check[0] = 0;
        selection.Check_RTotal = 1;
        selection.AresoText = "200";
        const DisplayOutput expected = CoreDisplayOutput(ToCore(List1()->itemTexts()), selection);
        QCOMPARE(ResultList()->itemTexts(), expected.lines);
        QCOMPARE(form->resultText(), expected.totals);
        // Changing a box afterwards leaves what is shown alone.
        Control<QCheckBox>(form.get(), "Check3")->setChecked(true);
        QCOMPARE(ResultList()->itemTexts(), expected.lines);
    }

    void runWithNothingAddedOnlyAsks() {
        form->Start_Click();
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].name, QStringLiteral("OKDialog1"));
        QCOMPARE(shown[0].text, QStringLiteral("ファイルを選択してください。"));
        QCOMPARE(ResultList()->count(), 0);
        QCOMPARE(form->resultText(), QStringLiteral("合計\r\n"));
        QCOMPARE(form->formState().ResultState, 0);
        QVERIFY(!Item("IDMSave")->isEnabled());
    }

    void resolutionThatIsNotANumberRefusesFirst() {
        QVERIFY(WriteTiff(Path("a.tif"), {{1654, 2339, 200}}));
        Drop({dir->path()});
        form->Start_Click();
        const QStringList lines = ResultList()->itemTexts();
        const QString totals = form->resultText();
        Control<QCheckBox>(form.get(), "Check_RTotal")->setChecked(true);
        QTest::keyClicks(Control<QWidget>(form.get(), "BresoText"), QStringLiteral("2OO"));
        auto* bar = Control<QProgressBar>(form.get(), "ProgressBar1");
        bool progressed = false;
        connect(bar, &QProgressBar::valueChanged, this, [&progressed] { progressed = true; });
        form->Start_Click();
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].name, QStringLiteral("OKDialog1"));
        QCOMPARE(shown[0].text,
                 QStringLiteral("解像度には -32768 から 32767 までの数値を入力してください。"));
        QVERIFY(!progressed);
        QCOMPARE(ResultList()->itemTexts(), lines);
        QCOMPARE(form->resultText(), totals);
    }

    void emptiedListStillRuns() {
        QMimeData text;
        text.setText(QStringLiteral("x"));
        form->List1_OLEDragDrop(text);
        form->Start_Click();
        // No page line was ever composed: 0 + 3 columns of 18 blanks.
        QCOMPARE(ResultList()->itemTexts(), QStringList{QString(54, QLatin1Char(' '))});
        QVERIFY(form->resultText().endsWith(QStringLiteral("総合計\t0 枚")));
        QCOMPARE(form->formState().ResultState, 1);
    }
};

QTEST_MAIN(InputRunTest)
#include "tst_input_run.moc"
