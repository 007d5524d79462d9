// MainForm1 as it starts, and the column and total selection: boxes kept in
// step with their menu twins, the result-area layouts, "解像度別".
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "dialogs/dialog_seam.h"
#include "input/list_box_widget.h"
#include "mainwindow/main_form.h"
#include "window_test_support.h"

using namespace folvane::gui;
using folvane::test::Control;

namespace {

// Geometry in pixels at 15 twips a pixel.
QRect Px(int left, int top, int width, int height) {
    return {(left + 7) / 15, (top + 7) / 15, (width + 7) / 15, (height + 7) / 15};
}

QStringList MenuCaptions(const QMenu* menu) {
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions.push_back(action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

}  // namespace

class StartupSelectionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainForm1> form;

    QCheckBox* Box(const char* name) { return Control<QCheckBox>(form.get(), name); }
    QAction* Item(const char* name) { return Control<QAction>(form.get(), name); }
    QWidget* Widget(const char* name) { return Control<QWidget>(form.get(), name); }

  private slots:
    void init() {
        form = std::make_unique<MainForm1>();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }

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
        QCOMPARE(form->centralWidget()->size(), QSize(794, 442));  // 11910 x 6630 twips
        // Fixed in size.
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(Control<QLabel>(form.get(), "Label1")->text(),
                 QString::fromUtf16(u"対\u3000\u3000象"));
        QCOMPARE(Control<QLabel>(form.get(), "Label2")->text(),
                 QString::fromUtf16(u"結\u3000\u3000果"));
        auto* list1 = Control<ListBoxWidget>(form.get(), "List1");
        auto* resultList = Control<ListBoxWidget>(form.get(), "ResultList");
        auto* result = Control<QPlainTextEdit>(form.get(), "Result");
        QVERIFY(list1 && resultList && result);
        QCOMPARE(list1->count(), 0);
        QCOMPARE(resultList->count(), 0);
        QCOMPARE(list1->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(resultList->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(list1->acceptDrops());
        QVERIFY(!resultList->acceptDrops());
        QCOMPARE(list1->toolTip(), QStringLiteral("右クリックで選択部分のコピー･削除が選べます。ま"
                                                  "た このエリアのみDropに対応しています。"));
        QCOMPARE(form->resultText(), QStringLiteral("合計\r\n"));
        QCOMPARE(form->formState().FilesAdded, 0);
        QCOMPARE(form->formState().ResultState, 0);
        QCOMPARE(form->formState().NotTiffText, std::string("Tiffではないのでは？"));
        // Summary layout.
        QCOMPARE(resultList->geometry(), Px(3240, 1080, 8415, 2400));
        QCOMPARE(result->geometry(), Px(3240, 3720, 8415, 1935));
        QVERIFY(result->isVisible());
        // The auxiliary windows are loaded and hidden.
        for (const char* name : {"ModelessDialog", "OKDialog1", "OKDialog2", "CloseDialog"}) {
            auto* dialog = Control<QWidget>(form.get(), name);
            QVERIFY2(dialog, name);
            QVERIFY(!dialog->isVisible());
        }
    }

    void resultListShowsAMonospacedJapaneseFont() {
        // Columns of half-width characters line up, and a full-width
        // character takes two of them (CJK fonts call themselves "dual"
        // width rather than fixed pitch, so their widths are checked).
        const QFontMetrics list(Control<QWidget>(form.get(), "ResultList")->font());
        const int half = list.horizontalAdvance(QLatin1Char('W'));
        QCOMPARE(list.horizontalAdvance(QLatin1Char('i')), half);
        QCOMPARE(list.horizontalAdvance(QLatin1Char(' ')), half);
        QCOMPARE(list.horizontalAdvance(QChar(0x5408)), 2 * half);  // 合
        QVERIFY(list.inFont(QChar(0x5408)));
        QVERIFY(list.inFont(QChar(0xFF8A)));                        // ﾊ, half-width katakana
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
        QVERIFY(Box("Check_Total")->isChecked() && Item("IDMCHTO")->isChecked());
        QVERIFY(Box("Check_CTotal")->isChecked() && Item("IDMCHCT")->isChecked());
        QVERIFY(!Box("Check_RTotal")->isChecked());
        QVERIFY(Box("Check_RTotal")->isEnabled());
        for (const char* name : {"AresoText", "BresoText", "Label3", "Label4"})
            QVERIFY2(!Widget(name)->isVisible(), name);
        QVERIFY(!Widget("AresoText")->isEnabled());
        QCOMPARE(Control<QLineEdit>(form.get(), "AresoText")->maxLength(), 4);
        QCOMPARE(Widget("BresoText")->toolTip(), QStringLiteral("解像度を指定してください。"));
    }

    void menuTree() {
        QStringList bar;
        for (const QAction* action : form->menuBar()->actions()) bar.push_back(action->text());
        QCOMPARE(bar, (QStringList{"ファイル (&F)", "操作 (&O)", "項目選択 (&C)", "About (&A)"}));
        QCOMPARE(
            MenuCaptions(Control<QMenu>(form.get(), "IDMOpe")),
            (QStringList{"ファイル選択 (&O)...", "-", "結果表示 (&V)", "結果をファイルへ (&S)...",
                         "-", "直接ファイルへ (&D)...", "-", "クリア (&C)"}));
        QCOMPARE(MenuCaptions(Control<QMenu>(form.get(), "IDMCheck")),
                 (QStringList{"ファイル名 (&1)", "ﾊﾞｲﾄｵｰﾀﾞｰ (&2)", "ページ数 (&3)", "-",
                              "PixelSize (&4)", "解像度 (&5)", "ﾐﾘｻｲｽﾞ (&6)", "-", "圧縮形式 (&7)",
                              "色数 (&8)", "-", "用紙ｻｲｽﾞ (&9)", "向き (&0)", "-", "-",
                              "総合計 (&a)", "ｻｲｽﾞ別合計 (&b)"}));
        QCOMPARE(MenuCaptions(Control<QMenu>(form.get(), "IDMAbout")),
                 (QStringList{"Help (&H)...", "Version (&V)..."}));
        QCOMPARE(Item("IDMSelect")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(Item("IDMView")->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
        QCOMPARE(Item("IDMSave")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(Item("IDMD_Save")->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
        QCOMPARE(Item("IDMHelp")->shortcut(), QKeySequence(QStringLiteral("F1")));
        for (int i = 1; i <= 8; ++i)
            QVERIFY(Item(("separator" + QByteArray::number(i)).constData()));
        // The context menu is not in the bar, and its items wait for it.
        QVERIFY(!bar.contains(QStringLiteral("List")));
        QVERIFY(!Item("IDLPMCopy")->isEnabled());
        QVERIFY(!Item("IDLPMDel")->isEnabled());
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
        QCOMPARE(form->formState().ResultState, 0);
        QVERIFY(!Control<QWidget>(form.get(), "ModelessDialog")->isVisible());
    }

    void enabledMenuShortcutsReachTheirHandlers() {
        // Ctrl+S while nothing is displayed: the save's own refusal shows.
        DialogSeam::script();
        Item("IDMSave")->setEnabled(true);
        QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
        const auto shown = DialogSeam::takeShown();
        DialogSeam::unscript();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("保存する結果が表示されていません。"));
    }

    void tabOrderFollowsTheDesign() {
        const QStringList expected{
            "SelctFile", "Start",  "FileSave",   "Direct_Save", "Clear",       "Close",
            "Check0",    "Check1", "Check2",     "Check3",      "Check4",      "Check5",
            "Check6",    "Check7", "Check8",     "Check9",      "Check_Total", "Check_CTotal",
            "Result",    "List1",  "ResultList", "Check_RTotal"};
        QWidget* widget = Widget("SelctFile");
        for (int i = 1; i < expected.size(); ++i) {
            // Labels, the rule and the lists' inner parts take no tab focus.
            do {
                widget = widget->nextInFocusChain();
            } while (!(widget->focusPolicy() & Qt::TabFocus) || widget->objectName().isEmpty());
            QCOMPARE(widget->objectName(), expected[i]);
        }
    }

    void everyMenuTwinTogglesItsBoxAndBack_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("item");
        for (int i = 0; i < 10; ++i)
            QTest::newRow(qPrintable(QStringLiteral("IDMCH%1").arg(i)))
                << QStringLiteral("Check%1").arg(i) << QStringLiteral("IDMCH%1").arg(i);
        QTest::newRow("IDMCHTO") << "Check_Total"
                                 << "IDMCHTO";
        QTest::newRow("IDMCHCT") << "Check_CTotal"
                                 << "IDMCHCT";
    }

    void everyMenuTwinTogglesItsBoxAndBack() {
        QFETCH(QString, box);
        QFETCH(QString, item);
        auto* check = form->findChild<QCheckBox*>(box);
        auto* action = form->findChild<QAction*>(item);
        action->trigger();
        QVERIFY(!check->isChecked());
        QVERIFY(!action->isChecked());
        action->trigger();
        QVERIFY(check->isChecked());
        QVERIFY(action->isChecked());
        // And a click on the box moves the menu tick.
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
        QVERIFY(!check->isChecked());
        QVERIFY(!action->isChecked());
    }

    void togglingTotalUnderSummaryKeepsTheLayout() {
        const QRect list = Widget("ResultList")->geometry();
        Item("IDMCHTO")->trigger();
        QCOMPARE(Widget("ResultList")->geometry(), list);
        QVERIFY(Widget("Result")->isVisible());
        QCOMPARE(Widget("Result")->geometry(), Px(3240, 3720, 8415, 1935));
    }

    void layoutsFollowTheTotalBoxes() {
        Box("Check_CTotal")->setChecked(false);
        // "総合計" alone: a one-line totals box under a taller list.
        QCOMPARE(Widget("Result")->geometry(), Px(3240, 5280, 8415, 375));
        QVERIFY(Widget("Result")->isVisible());
        QCOMPARE(Widget("ResultList")->geometry(), Px(3240, 1080, 8415, 4020));
        Box("Check_Total")->setChecked(false);
        QVERIFY(!Widget("Result")->isVisible());
        QCOMPARE(Widget("ResultList")->geometry(), Px(3240, 1080, 8415, 4560));
        Box("Check_Total")->setChecked(true);
        QCOMPARE(Widget("Result")->geometry(), Px(3240, 5280, 8415, 375));
        QVERIFY(Widget("Result")->isVisible());
        Box("Check_CTotal")->setChecked(true);
        QCOMPARE(Widget("Result")->geometry(), Px(3240, 3720, 8415, 1935));
        QCOMPARE(Widget("ResultList")->geometry(), Px(3240, 1080, 8415, 2400));
        // Summary with "総合計" clear is still Summary.
        Box("Check_Total")->setChecked(false);
        Box("Check_CTotal")->setChecked(false);
        Box("Check_CTotal")->setChecked(true);
        QCOMPARE(Widget("ResultList")->geometry(), Px(3240, 1080, 8415, 2400));
    }

    void clearingSizeTotalsClearsTheResolutionSplit() {
        Box("Check_RTotal")->setChecked(true);
        for (const char* name : {"AresoText", "BresoText", "Label3", "Label4"})
            QVERIFY2(Widget(name)->isVisible(), name);
        QVERIFY(Widget("AresoText")->isEnabled());
        QTest::keyClicks(Widget("AresoText"), QStringLiteral("200"));
        QTest::keyClicks(Widget("BresoText"), QStringLiteral("40000"));  // cut at 4
        QCOMPARE(Control<QLineEdit>(form.get(), "BresoText")->text(), QStringLiteral("4000"));
        Box("Check_CTotal")->setChecked(false);
        QVERIFY(!Box("Check_RTotal")->isChecked());
        QVERIFY(!Box("Check_RTotal")->isEnabled());
        QCOMPARE(Control<QLineEdit>(form.get(), "AresoText")->text(), QString());
        QCOMPARE(Control<QLineEdit>(form.get(), "BresoText")->text(), QString());
        for (const char* name : {"AresoText", "BresoText", "Label3", "Label4"})
            QVERIFY2(!Widget(name)->isVisible(), name);
        Box("Check_CTotal")->setChecked(true);
        QVERIFY(Box("Check_RTotal")->isEnabled());
        QVERIFY(!Box("Check_RTotal")->isChecked());
        QVERIFY(!Widget("AresoText")->isVisible());
    }

    void resolutionBoxesComeBackEmpty() {
        Box("Check_RTotal")->setChecked(true);
        QTest::keyClicks(Widget("AresoText"), QStringLiteral("200"));
        QTest::keyClicks(Widget("BresoText"), QStringLiteral("400"));
        Box("Check_RTotal")->setChecked(false);
        Box("Check_RTotal")->setChecked(true);
        QCOMPARE(Control<QLineEdit>(form.get(), "AresoText")->text(), QString());
        QCOMPARE(Control<QLineEdit>(form.get(), "BresoText")->text(), QString());
    }

    void settingABoxToItsValueRunsNothing() {
        // The handlers run once per change only: typed text survives setting
        // "解像度別" to the value it already has.
        Box("Check_RTotal")->setChecked(true);
        QTest::keyClicks(Widget("AresoText"), QStringLiteral("300"));
        Box("Check_RTotal")->setChecked(true);
        QCOMPARE(Control<QLineEdit>(form.get(), "AresoText")->text(), QStringLiteral("300"));
        // A menu tick changed behind a box's back is not corrected by
        // setting the box to the value it has.
        Item("IDMCH3")->setChecked(false);
        Box("Check3")->setChecked(true);
        QVERIFY(!Item("IDMCH3")->isChecked());
    }
};

QTEST_MAIN(StartupSelectionTest)
#include "tst_startup_selection.moc"
