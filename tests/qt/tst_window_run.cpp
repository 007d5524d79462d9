// The window end to end: drops reach the list, a click on "結果表示" shows
// exactly the core's output, the context menu and the real Save-As dialog
// reach the form, and closing asks about unsaved results.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <cmath>

#include <QScreen>
#include <QWindow>
#include <chrono>

#include "core_outputs.h"
#include "pdf_builder.h"
#include "platform/file_system.h"
#include "qt/list_box_widget.h"
#include "qt/main_form.h"
#include "tiff_builder.h"
#include "window_test_support.h"
#include "zip_parts.h"

using namespace folvane::gui;
using namespace folvane::test;

class WindowRunTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainForm1> form;
    std::unique_ptr<QTemporaryDir> dir;

    ListBoxWidget* List1() { return Control<ListBoxWidget>(form.get(), "List1"); }
    ListBoxWidget* ResultList() { return Control<ListBoxWidget>(form.get(), "ResultList"); }
    QString Path(const QString& relative) { return dir->filePath(relative); }

    void RightClick(ListBoxWidget& list, int row) {
        QTest::mouseClick(list.viewport(), Qt::RightButton, Qt::NoModifier,
                          list.visualItemRect(list.item(row)).center());
    }
    // Answers the next Save-As dialog with `path`, as a user typing it.
    static void SaveAs(const QString& path) {
        WhenModalShown([path](QWidget& shown) {
            auto& dialog = dynamic_cast<QFileDialog&>(shown);
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setText(path);
            // "書出し終了" follows.
            WhenModalShown([](QWidget& message) { message.close(); });
            QTest::keyClick(name, Qt::Key_Return);
        });
    }

  private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        form = std::make_unique<MainForm1>();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() {
        form.reset();
        dir.reset();
    }

    void realDropEventReachesTheList() {
        QVERIFY(WriteTiff(Path("a.tif"), {{1654, 2339, 200}}));
        const auto data = FileDrop({Path("a.tif")});
        QWidget* viewport = List1()->viewport();
        const QPointF at(10, 10);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &drop);
        // Examined off the window's thread; the window's timer puts it on.
        QTRY_COMPARE(List1()->itemTexts(), QStringList{Path("a.tif")});
        QVERIFY(Control<QAction>(form.get(), "IDMView")->isEnabled());
        // A drop without a file list still counts.
        QMimeData text;
        text.setText(QStringLiteral("words"));
        Control<QAction>(form.get(), "IDMClear")->trigger();
        QDragEnterEvent textEnter(at.toPoint(), Qt::CopyAction, &text, Qt::LeftButton,
                                  Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &textEnter);
        QDropEvent textDrop(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &textDrop);
        QTRY_COMPARE(form->form().State().FilesAdded, 1);
    }

    void runShowsExactlyTheCoreOutputWithinReach() {
        QVERIFY(WriteTiff(Path("one.tif"), {{1654, 2339, 200}, {2339, 1654, 200}}));
        QVERIFY(WriteTiff(Path("two.tif"), {{3508, 4961, 300}}, /*bigEndian=*/true));
        QVERIFY(WriteText(Path("text.tif"), "not a tiff at all"));
        form->DropPaths({dir->path()});
        form->form().FinishExamination();
        auto* bar = Control<QProgressBar>(form.get(), "ProgressBar1");
        int lastValue = -1;
        connect(bar, &QProgressBar::valueChanged, this, [&lastValue](int v) { lastValue = v; });
        QTest::mouseClick(Control<QWidget>(form.get(), "Start"), Qt::LeftButton);

        const DisplayOutput expected = CoreDisplayOutput(ToCore(List1()->itemTexts()), {});
        QCOMPARE(ResultList()->itemTexts(), expected.lines);
        QCOMPARE(form->resultText(), expected.totals);
        QCOMPARE(lastValue, 3);
        QCOMPARE(bar->maximum(), 3);
        QVERIFY(!Control<QWidget>(form.get(), "ModelessDialog")->isVisible());
        QVERIFY(Control<QAction>(form.get(), "IDMSave")->isEnabled());
        // Every line can be scrolled into view, as drawn with tab stops
        // every 8 half-width characters.
        const QFontMetrics shown(ResultList()->font());
        const int tabStop = 8 * shown.horizontalAdvance(QLatin1Char('0'));
        for (const QString& line : expected.lines) {
            const int width =
                shown.boundingRect(QRect(), Qt::TextExpandTabs, line, tabStop).width();
            QVERIFY2(width <= ResultList()->horizontalExtent(), qPrintable(line));
        }
        QVERIFY(ResultList()->horizontalScrollBar()->isVisibleTo(ResultList()));
    }

    void contextMenuReachesTheForm() {
        QVERIFY(WriteTiff(Path("a.tif"), {{1654, 2339, 200}}));
        QVERIFY(WriteTiff(Path("b.tif"), {{1654, 2339, 200}}));
        form->DropPaths({dir->path()});
        form->form().FinishExamination();
        List1()->item(1)->setSelected(true);
        QString enabled;
        WhenModalShown([&enabled](QWidget& shown) {
            auto& menu = dynamic_cast<QMenu&>(shown);
            for (QAction* action : menu.actions())
                if (action->isEnabled()) enabled += action->objectName() + QLatin1Char(' ');
            menu.actions().at(0)->trigger();
            menu.close();
        });
        RightClick(*List1(), 0);
        QCOMPARE(enabled, QStringLiteral("IDLPMCopy IDLPMDel "));
        QCOMPARE(QGuiApplication::clipboard()->text(), Path("b.tif") + QStringLiteral("\r\n"));
        // The right button left the selection alone; the items are off again.
        QCOMPARE(List1()->selectedItems().size(), 1);
        QVERIFY(!Control<QAction>(form.get(), "IDLPMCopy")->isEnabled());
        WhenModalShown([](QWidget& shown) {
            dynamic_cast<QMenu&>(shown).actions().at(1)->trigger();
            shown.close();
        });
        RightClick(*List1(), 0);
        QCOMPARE(List1()->itemTexts(), QStringList{Path("a.tif")});
    }

    void pdfFilesSavedAsTheCoreListsThem() {
        QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("pdf")));
        QVERIFY(WriteTiff(Path("pdf/a.tif"), {{1654, 2339, 200}}));
        folvane::fixture::PdfBuilder b;
        b.SetPages({b.ScanPage({b.Image(folvane::fixture::FaxImage(2480, 3508))}),
                    b.Page("/MediaBox [0 0 595.28 841.89]", "", {})});
        QVERIFY(folvane::fixture::WriteFile(Path("pdf/b.pdf").toStdString(), b.Write()));
        Control<QAction>(form.get(), "IDMPdf")->trigger();
        form->DropPaths({Path("pdf")});
        form->form().FinishExamination();
        QCOMPARE(List1()->itemTexts(), (QStringList{Path("pdf/a.tif"), Path("pdf/b.pdf")}));
        form->form().Start_Click();
        SaveAs(Path("pdf.txt"));
        QTest::mouseClick(Control<QWidget>(form.get(), "FileSave"), Qt::LeftButton);
        const DisplayOutput core = CoreDisplayOutput(
            {Path("pdf/a.tif").toStdString(), Path("pdf/b.pdf").toStdString()}, {}, true);
        QCOMPARE(ReadAll(Path("pdf.txt")), CoreDisplayFile(core.lines, core.totals));
        QVERIFY(ResultList()->itemTexts().contains(QStringLiteral("\tPDF 1.7\t2 枚")));
    }

    void savedThroughTheRealDialogByteForByte() {
        QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("in")));
        QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("out")));
        QVERIFY(WriteTiff(Path("in/a.tif"), {{1654, 2339, 200}, {2480, 3508, 300}}));
        form->DropPaths({Path("in")});
        form->form().FinishExamination();
        form->form().Start_Click();
        SaveAs(Path("out/SizeList.txt"));
        QTest::mouseClick(Control<QWidget>(form.get(), "FileSave"), Qt::LeftButton);
        QCOMPARE(ReadAll(Path("out/SizeList.txt")),
                 CoreDisplayFile(ResultList()->itemTexts(), form->resultText()));
        QCOMPARE(form->form().State().ResultState, 2);
        // The next Save-As opens where this one went.
        QString opened;
        WhenModalShown([&opened](QWidget& shown) {
            opened = dynamic_cast<QFileDialog&>(shown).directory().absolutePath();
            WhenModalShown([](QWidget& message) { message.close(); });
            shown.close();
        });
        form->form().FileSave_Click();
        QCOMPARE(opened, QDir(Path("out")).absolutePath());
    }

    void workbookSavedThroughTheRealDialog() {
        QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("in")));
        QVERIFY(WriteTiff(Path("in/a.tif"), {{1654, 2339, 200}, {2480, 3508, 300}}));
        form->DropPaths({Path("in")});
        form->form().FinishExamination();
        // The direct save, the workbook type picked in the dialog, a name
        // typed without an extension.
        WhenModalShown([this](QWidget& shown) {
            auto& dialog = dynamic_cast<QFileDialog&>(shown);
            auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(types);
            QCOMPARE(types->itemText(1), QStringLiteral("Excel ブック (*.xlsx)"));
            types->setCurrentIndex(1);
            emit types->activated(1);
            emit types->textActivated(types->itemText(1));
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setText(Path("Book"));
            WhenModalShown([](QWidget& message) { message.close(); });
            QTest::keyClick(name, Qt::Key_Return);
        });
        form->form().Direct_Save_Click();
        const QByteArray book = ReadAll(Path("Book.xlsx"));
        QVERIFY(book.startsWith("PK"));
        QCOMPARE(folvane::testing::SheetsXml(book.toStdString(), 1),
                 folvane::testing::CoreWorkbookSheets({Path("in/a.tif").toStdString()}, {}));
        // Offered again next time.
        QString proposed;
        WhenModalShown([&proposed](QWidget& shown) {
            auto& dialog = dynamic_cast<QFileDialog&>(shown);
            proposed = dialog.selectedNameFilter();
            WhenModalShown([](QWidget& message) { message.close(); });
            shown.close();
        });
        form->form().Direct_Save_Click();
        QCOMPARE(proposed, QStringLiteral("Excel ブック (*.xlsx)"));
    }

    // A drop of 20,000 paths on a file system that takes 10 ms for each
    // look: the window answers clicks and keys meanwhile, shows the
    // examination with its count, and Escape stops it, keeping what was
    // examined.
    void dropOnASlowShareLeavesTheWindowFree() {
        using namespace std::chrono_literals;
        QStringList paths;
        for (int i = 0; i < 20000; ++i)
            paths.push_back(Path(QStringLiteral("scan-%1.tif").arg(i, 5, 10, QLatin1Char('0'))));
        // 10 ms: with up to 64 threads looking at once, the 20,000 looks
        // must still outlast the half second before the progress shows.
        folvane::DelayPathLooksForTesting(10ms);
        form->DropPaths(paths);
        QVERIFY(form->form().IsExamining());
        auto* progress = Control<QDialog>(form.get(), "ModelessDialog");
        QTRY_VERIFY_WITH_TIMEOUT(progress->isVisible(), 3000);
        QTRY_VERIFY(
            progress->windowTitle().startsWith(QStringLiteral("ファイルを確認しています（")));
        QVERIFY(progress->windowTitle().endsWith(QStringLiteral(" / 20000）")));
        // Input is taken while the examination goes on: a click on a box.
        auto* check = Control<QCheckBox>(form.get(), "Check2");
        const bool before = check->isChecked();
        QTest::mouseClick(check, Qt::LeftButton, Qt::NoModifier, QPoint(6, check->height() / 2));
        QCOMPARE(check->isChecked(), !before);
        QVERIFY(form->form().IsExamining());
        if (qEnvironmentVariableIsSet("FOLVANE_SCREENSHOT")) {
            QTest::qWait(300);
            form->screen()->grabWindow(0).save(qEnvironmentVariable("FOLVANE_SCREENSHOT"));
        }
        // Escape where the keyboard is: the window, or the progress window
        // where the system gave it the keyboard.
        QWidget* active = QApplication::activeWindow();
        QTest::keyClick(active != nullptr ? active : form.get(), Qt::Key_Escape);
        QTRY_VERIFY(!form->form().IsExamining());
        folvane::DelayPathLooksForTesting(0ms);
        QVERIFY(!progress->isVisible());
        const int kept = List1()->count();
        QVERIFY2(kept > 0 && kept < 20000, qPrintable(QString::number(kept)));
        QCOMPARE(List1()->item(kept - 1)->text(), paths[kept - 1]);
    }

    void closingWithUnsavedResultsAsks() {
        QVERIFY(WriteTiff(Path("a.tif"), {{1654, 2339, 200}}));
        form->DropPaths({Path("a.tif")});
        form->form().FinishExamination();
        form->form().Start_Click();
        QString question;
        WhenModalShown([&question](QWidget& shown) {
            question = Control<QLabel>(&shown, "Label1")->text() + QLatin1Char('\n') +
                       Control<QLabel>(&shown, "Label2")->text();
            QTest::keyClick(&shown, Qt::Key_Escape);  // "いいえ"
        });
        QVERIFY(form->close());
        QCOMPARE(question, QStringLiteral("結果が保存されていません。\n保存しますか？"));
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(WindowRunTest)
#include "tst_window_run.moc"
