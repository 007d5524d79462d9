// MainForm1's own widgets: every control with its name, caption, place,
// tab order and shortcut, a click reaching the form, the keyboard as in a
// classic Windows form, and how the controls follow the window's size.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include "qt/list_box_widget.h"
#include "qt/main_form.h"
#include "window_test_support.h"

using namespace folvane::gui;
using namespace folvane::test;

namespace {

QStringList MenuCaptions(const QMenu* menu) {
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions.push_back(action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainForm1> form;
    std::unique_ptr<QTemporaryDir> dir;

    QCheckBox* Box(const char* name) { return Control<QCheckBox>(form.get(), name); }
    QAction* Item(const char* name) { return Control<QAction>(form.get(), name); }
    QWidget* Widget(const char* name) { return Control<QWidget>(form.get(), name); }
    QPlainTextEdit* Result() { return Control<QPlainTextEdit>(form.get(), "Result"); }
    void Click(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    // One file on List1, so that the run menus are on.
    void AddAFile() {
        QVERIFY(WriteTiff(dir->filePath("a.tif"), {{1654, 2339, 200}}));
        form->DropPaths({dir->filePath("a.tif")});
        form->form().FinishExamination();
    }

  private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        form = std::make_unique<MainForm1>();
        form->show();
        // Menu shortcuts reach only the active window.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() {
        form.reset();
        dir.reset();
    }

    void captionsAndTooltips_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("SelctFile") << "SelctFile"
                                   << "ファイル選択"
                                   << "Select File (Ctrl+O)" << Px(240, 240, 2055, 495);
        QTest::newRow("Start") << "Start"
                               << "結果表示"
                               << "View Result (Ctrl+V)" << Px(3240, 240, 2535, 495);
        QTest::newRow("FileSave") << "FileSave"
                                  << "結果のﾌｧｲﾙへの書出し"
                                  << "Save Result (Ctrl+S)" << Px(6000, 240, 2535, 495);
        QTest::newRow("Direct_Save") << "Direct_Save"
                                     << "直接ファイルに書出し"
                                     << "DirectSave (Ctrl+D)" << Px(8760, 240, 2895, 495);
        QTest::newRow("Clear") << "Clear"
                               << "Clear"
                               << "Clear" << Px(8400, 6000, 1335, 375);
        QTest::newRow("Close") << "Close"
                               << "終了"
                               << "Exit" << Px(9960, 5880, 1695, 615);
    }

    void captionsAndTooltips() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, tooltip);
        QFETCH(QRect, geometry);
        auto* button = form->findChild<QPushButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), tooltip);
        QCOMPARE(button->geometry(), geometry);
        QVERIFY(button->isEnabled());
    }

    void initialWindow() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Folvane"));
        // It starts at the design's size, as far as the screen (800 x 600
        // here) lets it, and cannot be made smaller.
        const QSize screen = form->screen()->availableGeometry().size();
        QCOMPARE(Widget("ClientScroll")->height(), 442);
        QCOMPARE(Widget("ClientScroll")->width(), std::min(794, screen.width() - 8));
        QCOMPARE(form->minimumSize(), form->size());
        QCOMPARE(Widget("Client")->size(), QSize(794, 442));  // 11910 x 6630 twips
        QCOMPARE(Widget("Client")->minimumSize(), QSize(794, 442));
        QCOMPARE(Control<QLabel>(form.get(), "Label1")->text(),
                 QString::fromUtf16(u"対\u3000\u3000象"));
        QCOMPARE(Control<QLabel>(form.get(), "Label2")->text(),
                 QString::fromUtf16(u"結\u3000\u3000果"));
        auto* list1 = Control<ListBoxWidget>(form.get(), "List1");
        auto* resultList = Control<ListBoxWidget>(form.get(), "ResultList");
        QVERIFY(list1 && resultList && Result());
        QCOMPARE(list1->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(resultList->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(list1->acceptDrops());
        QVERIFY(!resultList->acceptDrops());
        QCOMPARE(list1->toolTip(), QStringLiteral("右クリックで選択部分のコピー･削除が選べます。ま"
                                                  "た このエリアのみDropに対応しています。"));
        QCOMPARE(resultList->toolTip(),
                 QStringLiteral("右クリックで選択部分のコピー･削除が選べます。"));
        QCOMPARE(form->resultText(), QStringLiteral("合計\r\n"));
        // Summary layout.
        QCOMPARE(resultList->geometry(), Px(3240, 1080, 8415, 2400));
        QCOMPARE(Result()->geometry(), Px(3240, 3720, 8415, 1935));
        QCOMPARE(list1->geometry(), Px(240, 1080, 2775, 4560));
        QVERIFY(Result()->isVisible());
        // The auxiliary windows are loaded and hidden.
        for (const char* name : {"ModelessDialog", "OKDialog1", "OKDialog2", "CloseDialog"}) {
            auto* dialog = Widget(name);
            QVERIFY2(dialog, name);
            QVERIFY(!dialog->isVisible());
        }
    }

    void resultListShowsAMonospacedJapaneseFont() {
        // Columns of half-width characters line up, and a full-width
        // character takes two of them.
        const QFontMetrics list(Widget("ResultList")->font());
        const int half = list.horizontalAdvance(QLatin1Char('W'));
        QCOMPARE(list.horizontalAdvance(QLatin1Char('i')), half);
        QCOMPARE(list.horizontalAdvance(QChar(0x5408)), 2 * half);  // 合
        QVERIFY(list.inFont(QChar(0xFF8A)));                        // ﾊ
        QVERIFY(QFontMetrics(form->font()).inFont(QChar(0x7D50)));  // 結
    }

    void selectionBoxesStartTickedWithTheirTwins() {
        const char* columnCaptions[] = {"ファイル名", "ﾊﾞｲﾄｵｰﾀﾞｰ", "ページ数", "PixelSize",
                                        "解像度",     "ﾐﾘｻｲｽﾞ",    "圧縮形式", "色数",
                                        "用紙",       "向き"};
        for (int i = 0; i < 10; ++i) {
            const QByteArray box = "Check" + QByteArray::number(i);
            const QByteArray item = "IDMCH" + QByteArray::number(i);
            QVERIFY2(Box(box) && Item(item), box.constData());
            QCOMPARE(Box(box)->text(), QString::fromUtf8(columnCaptions[i]));
            QVERIFY(Box(box)->isChecked());
            QVERIFY(Item(item)->isChecked());
        }
        QCOMPARE(Box("Check_Total")->text(), QStringLiteral("総合計"));
        QCOMPARE(Box("Check_CTotal")->text(), QStringLiteral("サイズ別合計"));
        QCOMPARE(Box("Check_RTotal")->text(), QStringLiteral("解像度別"));
        QVERIFY(Box("Check_Total")->isChecked() && Item("IDMCHTO")->isChecked());
        QVERIFY(Box("Check_CTotal")->isChecked() && Item("IDMCHCT")->isChecked());
        QVERIFY(!Box("Check_RTotal")->isChecked());
        for (const char* name : {"AresoText", "BresoText", "Label3", "Label4"})
            QVERIFY2(!Widget(name)->isVisible(), name);
        QCOMPARE(Control<QLineEdit>(form.get(), "AresoText")->maxLength(), 4);
        QCOMPARE(Widget("BresoText")->toolTip(), QStringLiteral("解像度を指定してください。"));
    }

    void menuTree() {
        QStringList bar;
        for (const QAction* action : form->menuBar()->actions()) bar.push_back(action->text());
        QCOMPARE(bar, (QStringList{"ファイル (&F)", "操作 (&O)", "項目選択 (&C)", "About (&A)"}));
        QCOMPARE(MenuCaptions(Control<QMenu>(form.get(), "IDMFile")), QStringList{"終了 (&X)"});
        QCOMPARE(
            MenuCaptions(Control<QMenu>(form.get(), "IDMOpe")),
            (QStringList{"ファイル選択 (&O)...", "-", "結果表示 (&V)", "結果をファイルへ (&S)...",
                         "-", "直接ファイルへ (&D)...", "-", "クリア (&C)"}));
        QCOMPARE(MenuCaptions(Control<QMenu>(form.get(), "IDMCheck")),
                 (QStringList{"ファイル名 (&1)", "ﾊﾞｲﾄｵｰﾀﾞｰ (&2)", "ページ数 (&3)", "-",
                              "PixelSize (&4)", "解像度 (&5)", "ﾐﾘｻｲｽﾞ (&6)", "-", "圧縮形式 (&7)",
                              "色数 (&8)", "-", "用紙ｻｲｽﾞ (&9)", "向き (&0)", "-", "-",
                              "総合計 (&a)", "ｻｲｽﾞ別合計 (&b)", "-", "PDF も対象にする(&P)"}));
        QVERIFY(Item("IDMPdf")->isCheckable());
        QVERIFY(!Item("IDMPdf")->isChecked());
        QCOMPARE(MenuCaptions(Control<QMenu>(form.get(), "IDMAbout")),
                 (QStringList{"Help (&H)...", "Version (&V)..."}));
        QCOMPARE(Item("IDMSelect")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(Item("IDMView")->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
        QCOMPARE(Item("IDMSave")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(Item("IDMD_Save")->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
        QCOMPARE(Item("IDMHelp")->shortcut(), QKeySequence(QStringLiteral("F1")));
        QVERIFY(!bar.contains(QStringLiteral("List")));
        QCOMPARE(MenuCaptions(Control<QMenu>(form.get(), "IDLPM")),
                 (QStringList{"コピー (&C)", "削除 (&D)"}));
        QVERIFY(!Item("IDLPMCopy")->isEnabled());
        QVERIFY(!Item("IDLPMDel")->isEnabled());
    }

    void bothSeparatorsAfterOrientationShow() {
        // Qt folds neighbouring separators into one unless told not to.
        auto* columns = Control<QMenu>(form.get(), "IDMCheck");
        QVERIFY(!columns->separatorsCollapsible());
        columns->popup(form->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(columns));
        const QList<QAction*> actions = columns->actions();
        const QRect first = columns->actionGeometry(actions[13]);
        const QRect second = columns->actionGeometry(actions[14]);
        QVERIFY(actions[13]->isSeparator() && actions[14]->isSeparator());
        QVERIFY(first.height() > 0);
        QVERIFY(second.height() > 0);
        QVERIFY(second.top() >= first.bottom());
        columns->close();
    }

    void pdfMenuItemReachesTheForm() {
        QVERIFY(!form->form().TakesPdf());
        Item("IDMPdf")->trigger();
        QVERIFY(form->form().TakesPdf());
        QVERIFY(Item("IDMPdf")->isChecked());
        Item("IDMPdf")->trigger();
        QVERIFY(!form->form().TakesPdf());
        QVERIFY(!Item("IDMPdf")->isChecked());
    }

    void onlyTheThreeRunMenusStartDisabled() {
        for (const char* name : {"IDMView", "IDMSave", "IDMD_Save"})
            QVERIFY2(!Item(name)->isEnabled(), name);
        for (const char* name :
             {"IDMExit", "IDMSelect", "IDMClear", "IDMHelp", "IDMVer", "IDMCHTO"})
            QVERIFY2(Item(name)->isEnabled(), name);
    }

    void disabledMenuShortcutsDoNothing() {
        QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(form.get(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(form->form().State().ResultState, 0);
    }

    void tabOrderFollowsTheDesign() {
        Click(Box("Check_RTotal"));  // the resolution boxes take part once shown
        const QStringList expected{
            "SelctFile",  "Start",        "FileSave",     "Direct_Save", "Clear",
            "Close",      "Check0",       "Check1",       "Check2",      "Check3",
            "Check4",     "Check5",       "Check6",       "Check7",      "Check8",
            "Check9",     "Check_Total",  "Check_CTotal", "Result",      "List1",
            "ResultList", "Check_RTotal", "AresoText",    "BresoText",   "SelctFile"};
        Widget("SelctFile")->setFocus();
        QStringList order{QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order.push_back(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(order, expected);
        // Shift+Tab goes back the same way.
        for (int i = expected.size() - 2; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), expected[i]);
        }
    }

    void tabInTheTotalsBoxMovesOnAndTypesNothing() {
        Result()->setFocus();
        QTest::keyClick(Result(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("List1"));
        QCOMPARE(form->resultText(), QStringLiteral("合計\r\n"));
        QVERIFY(Result()->tabChangesFocus());
    }

    void totalsBoxUsesTheListsTabStopsAndDoesNotWrap() {
        QCOMPARE(Result()->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(Result()->tabStopDistance(), ListBoxWidget::TabStop(Widget("ResultList")->font()));
    }

    void menuShortcutsActFromEveryControl() {
        AddAFile();
        Click(Box("Check_RTotal"));
        auto* areso = Control<QLineEdit>(form.get(), "AresoText");
        areso->setFocus();
        QTest::keyClicks(areso, QStringLiteral("200"));
        // Typed a resolution, pressed Ctrl+V: the run, not a paste.
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::keyClick(areso, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(form->form().State().ResultState, 1);
        QCOMPARE(areso->text(), QStringLiteral("200"));
        const QString totals = form->resultText();
        QVERIFY(totals.contains(QStringLiteral("200")));
        // The same from the totals box, which takes no paste either.
        Result()->setFocus();
        QTest::keyClick(Result(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(form->resultText(), totals);
        // Ctrl+S from a text box reaches the save: its Save-As dialog comes.
        bool asked = false;
        WhenModalShown([&asked](QWidget& shown) {
            asked = shown.objectName() == QStringLiteral("SaveAs");
            // Cancelled: "選択をキャンセルされました。" follows.
            WhenModalShown([](QWidget& next) { next.close(); });
            shown.close();
        });
        QTest::keyClick(areso, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(asked);
    }

    void clicksReachTheForm() {
        // A box's click moves its menu twin; the twin moves the box.
        Click(Box("Check3"));
        QVERIFY(!Item("IDMCH3")->isChecked());
        QCOMPARE(form->form().CurrentSelection().Check[3], 0);
        Item("IDMCH3")->trigger();
        QVERIFY(Box("Check3")->isChecked());
        // "サイズ別合計" off: a one-line totals box under a taller list.
        Click(Box("Check_CTotal"));
        QCOMPARE(Result()->geometry(), Px(3240, 5280, 8415, 375));
        QCOMPARE(Widget("ResultList")->geometry(), Px(3240, 1080, 8415, 4020));
        QVERIFY(!Box("Check_RTotal")->isEnabled());
        Click(Box("Check_Total"));
        QVERIFY(!Result()->isVisible());
        QCOMPARE(Widget("ResultList")->geometry(), Px(3240, 1080, 8415, 4560));
        Item("IDMCHCT")->trigger();
        QCOMPARE(Result()->geometry(), Px(3240, 3720, 8415, 1935));
        QVERIFY(Result()->isVisible());
        // "解像度別" shows the two boxes and their labels.
        Click(Box("Check_RTotal"));
        for (const char* name : {"AresoText", "BresoText", "Label3", "Label4"})
            QVERIFY2(Widget(name)->isVisible(), name);
        QVERIFY(Widget("AresoText")->isEnabled());
        // The buttons: "結果表示" with nothing added asks for files.
        QString message;
        WhenModalShown([&message](QWidget& shown) {
            message = Control<QLabel>(&shown, "Label1")->text();
            Control<QPushButton>(&shown, "OKButton")->click();
        });
        QTest::mouseClick(Widget("Start"), Qt::LeftButton);
        QCOMPARE(message, QStringLiteral("ファイルを選択してください。"));
        AddAFile();
        QTest::mouseClick(Widget("Clear"), Qt::LeftButton);
        QCOMPARE(Control<ListBoxWidget>(form.get(), "List1")->count(), 0);
        QTest::mouseClick(Widget("Close"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
    }

    void windowGrowsWithTheListsAndKeepsTheEdges() {
        // Never smaller than the design; larger, the lists take the room.
        QCOMPARE(Widget("Client")->minimumSize(), MainForm1::designClientSize());
        const QSize grown = MainForm1::designClientSize() + QSize(400, 300);
        form->resize(form->size() + grown - Widget("ClientScroll")->size());
        QTRY_COMPARE(Widget("Client")->size(), QSize(1194, 742));
        auto* list1 = Widget("List1");
        auto* resultList = Widget("ResultList");
        // The extra width shared as the design shares it: 2775 to 8415.
        const int listDx = 400 * 2775 / (2775 + 8415);
        QCOMPARE(list1->geometry(), Px(240, 1080, 2775, 4560).adjusted(0, 0, listDx, 300));
        QCOMPARE(resultList->x(), Px(3240, 0, 0, 0).x() + listDx);
        QCOMPARE(resultList->width() + Result()->x() - resultList->x(),
                 Px(0, 0, 8415, 0).width() + 400 - listDx);
        // The two lists of the result area share the extra height as 2400
        // to 1935.
        const int listDy = 300 * 2400 / (2400 + 1935);
        QCOMPARE(resultList->height(), Px(0, 0, 0, 2400).height() + listDy);
        QCOMPARE(Result()->geometry().bottom(), Px(3240, 3720, 8415, 1935).bottom() + 300);
        // The buttons keep their distance to the right and bottom edges.
        QCOMPARE(Widget("Close")->geometry(), Px(9960, 5880, 1695, 615).translated(400, 300));
        QCOMPARE(Widget("Direct_Save")->geometry(), Px(8760, 240, 2895, 495).translated(400, 0));
        QCOMPARE(Widget("SelctFile")->geometry(), Px(240, 240, 2055, 495));
        QCOMPARE(Widget("Check0")->geometry(), Px(240, 5760, 1455, 255).translated(0, 300));
        // A layout change keeps the growth.
        Click(Box("Check_CTotal"));
        QCOMPARE(Result()->geometry().bottom(), Px(3240, 5280, 8415, 375).bottom() + 300);
        QCOMPARE(Result()->height(), Px(0, 0, 0, 375).height());
        // Back to the design's size, back to the design's places.
        form->resize(form->size() - QSize(400, 300));
        form->resize(form->size() + MainForm1::designClientSize() - Widget("ClientScroll")->size());
        QTRY_COMPARE(Widget("Client")->size(), QSize(794, 442));
        QCOMPARE(Widget("Close")->geometry(), Px(9960, 5880, 1695, 615));
        QCOMPARE(resultList->geometry(), Px(3240, 1080, 8415, 4020));
    }

    void list1ShowsThePathsEndAndTheWholePathAsTip() {
        auto* list1 = Control<ListBoxWidget>(form.get(), "List1");
        QVERIFY(list1->elidesStart());
        const QString deep = dir->filePath(QString(60, QLatin1Char('d')) + "/scan-0001.tif");
        form->DropPaths({deep});
        form->form().FinishExamination();
        QCOMPARE(list1->count(), 1);
        QCOMPARE(list1->item(0)->text(), deep);
        // No horizontal scrolling: the end shows instead.
        QVERIFY(!list1->horizontalScrollBar()->isVisibleTo(list1));
        const QRect row = list1->visualItemRect(list1->item(0));
        QHelpEvent tip(QEvent::ToolTip, row.center(), list1->viewport()->mapToGlobal(row.center()));
        QCoreApplication::sendEvent(list1->viewport(), &tip);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), deep);
        // What is drawn: the folder cut in its middle, the file name whole,
        // by the same rule as the Windows window's.
        QImage shot(list1->viewport()->size(), QImage::Format_ARGB32);
        list1->viewport()->render(&shot);
        const QString shown =
            ListBoxWidget::ElidedPath(deep, list1->font(), list1->viewport()->width() - 6);
        QVERIFY2(shown.endsWith(QStringLiteral("/scan-0001.tif")), qPrintable(shown));
        QVERIFY2(shown.startsWith(deep.left(2)) && shown.contains(QChar(0x2026)),
                 qPrintable(shown));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
