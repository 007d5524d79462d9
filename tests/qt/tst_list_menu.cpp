// The lists' context menu: what a right click offers, what copy puts on the
// clipboard, and that delete touches nothing but the list.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QTest>

#include "dialogs/dialog_seam.h"
#include "input/list_box_widget.h"
#include "mainwindow/main_form.h"
#include "window_test_support.h"

using namespace folvane::gui;
using namespace folvane::test;

class ListMenuTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainForm1> form;
    std::unique_ptr<QTemporaryDir> dir;

    ListBoxWidget* List(const char* name) { return Control<ListBoxWidget>(form.get(), name); }
    QAction* Item(const char* name) { return Control<QAction>(form.get(), name); }

    static void SelectRows(ListBoxWidget& list, const QList<int>& rows) {
        list.clearSelection();
        for (int row : rows) list.item(row)->setSelected(true);
    }
    static QList<int> SelectedRows(const ListBoxWidget& list) {
        QList<int> rows;
        for (int i = 0; i < list.count(); ++i)
            if (list.item(i)->isSelected()) rows.push_back(i);
        return rows;
    }

    // A right click on `row` of `list` that chooses `item` ("" for none).
    void RightClick(ListBoxWidget& list, int row, const QString& item) {
        DialogSeam::setNextPopupChoice(item);
        const QPoint at = list.visualItemRect(list.item(row)).center();
        QTest::mouseClick(list.viewport(), Qt::RightButton, Qt::NoModifier, at);
    }

    // Five paths on List1, a.tif to e.tif; missing files ending in .tif are
    // still listed.
    void FillList1() {
        QStringList paths;
        for (const char* name : {"a.tif", "b.tif", "c.tif", "d.tif", "e.tif"})
            paths.push_back(dir->filePath(QString::fromLatin1(name)));
        form->DropPaths(paths);
        QCOMPARE(List("List1")->count(), 5);
    }

  private slots:
    void init() {
        DialogSeam::script();
        dir = std::make_unique<QTemporaryDir>();
        form = std::make_unique<MainForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }
    void cleanup() {
        form.reset();
        dir.reset();
        DialogSeam::unscript();
    }

    void copyPutsSelectedEntriesEachFollowedByCrLf_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("clipboard");
        const QStringList five{"a", "b", "c", "d", "e"};
        QTest::newRow("three of five") << five << QList<int>{0, 2, 4} << "a\r\nc\r\ne\r\n";
        QTest::newRow("one") << five << QList<int>{3} << "d\r\n";
        QTest::newRow("none: a lone CR LF") << five << QList<int>{} << "\r\n";
        // The separator goes in only once the collected text is not empty.
        QTest::newRow("empty first entry")
            << QStringList{"", "b", "c"} << QList<int>{0, 1, 2} << "b\r\nc\r\n";
        QTest::newRow("empty entry later")
            << QStringList{"a", "", "c"} << QList<int>{0, 1, 2} << "a\r\n\r\nc\r\n";
        QTest::newRow("only empty entries") << QStringList{"", ""} << QList<int>{0, 1} << "\r\n";
        QTest::newRow("tabs kept")
            << QStringList{"\tA4\t縦", "x"} << QList<int>{0} << "\tA4\t縦\r\n";
    }

    void copyPutsSelectedEntriesEachFollowedByCrLf() {
        QFETCH(QStringList, entries);
        QFETCH(QList<int>, selected);
        QFETCH(QString, clipboard);
        ListBoxWidget& list = *List("ResultList");
        list.setItemTexts(entries);
        SelectRows(list, selected);
        RightClick(list, 0, QStringLiteral("IDLPMCopy"));
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        // The menu works on the selection; it does not change it.
        QCOMPARE(SelectedRows(list), selected);
        QCOMPARE(list.itemTexts(), entries);
    }

    void copyFromList1InListOrder() {
        FillList1();
        ListBoxWidget& list = *List("List1");
        SelectRows(list, {4, 1, 2});
        // Right-clicking an entry that is not selected does not select it.
        RightClick(list, 0, QStringLiteral("IDLPMCopy"));
        QCOMPARE(QGuiApplication::clipboard()->text(), dir->filePath("b.tif") + "\r\n" +
                                                           dir->filePath("c.tif") + "\r\n" +
                                                           dir->filePath("e.tif") + "\r\n");
        QCOMPARE(SelectedRows(list), (QList<int>{1, 2, 4}));
    }

    void itemsAreEnabledOnlyWhileThePopupIsOpen() {
        FillList1();
        QVERIFY(!Item("IDLPMCopy")->isEnabled());
        QVERIFY(!Item("IDLPMDel")->isEnabled());
        // Closed without a choice (Escape, a click elsewhere).
        RightClick(*List("List1"), 0, QString());
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].name, QStringLiteral("IDLPM"));
        QCOMPARE(shown[0].text, QStringLiteral("IDLPMCopy,IDLPMDel"));
        QVERIFY(!Item("IDLPMCopy")->isEnabled());
        QVERIFY(!Item("IDLPMDel")->isEnabled());
        QCOMPARE(form->popupTargetList(), nullptr);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
        QCOMPARE(List("List1")->count(), 5);
        // Triggered outside a popup, the items do nothing.
        Item("IDLPMDel")->trigger();
        form->IDLPMDel_Click();
        QCOMPARE(List("List1")->count(), 5);
    }

    void theMenuTargetsTheListClickedOn() {
        FillList1();
        ListBoxWidget& results = *List("ResultList");
        results.setItemTexts({"x", "y"});
        SelectRows(*List("List1"), {0, 1});
        SelectRows(results, {1});
        const ListBoxWidget* target = nullptr;
        connect(Item("IDLPMDel"), &QAction::triggered, this,
                [&] { target = form->popupTargetList(); });
        RightClick(results, 0, QStringLiteral("IDLPMDel"));
        QCOMPARE(target, &results);
        QCOMPARE(results.itemTexts(), QStringList{"x"});
        QCOMPARE(List("List1")->count(), 5);
        QCOMPARE(form->popupTargetList(), nullptr);
    }

    void leftClickShowsNoMenu() {
        FillList1();
        ListBoxWidget& list = *List("List1");
        SelectRows(list, {0, 1});
        for (int button : {int(Qt::LeftButton), int(Qt::MiddleButton)}) {
            QTest::mouseClick(list.viewport(), static_cast<Qt::MouseButton>(button), Qt::NoModifier,
                              list.visualItemRect(list.item(3)).center());
            QVERIFY(DialogSeam::takeShown().isEmpty());
            QVERIFY(!Item("IDLPMCopy")->isEnabled());
            QCOMPARE(form->popupTargetList(), nullptr);
        }
        // The left click did the list's ordinary selection.
        QCOMPARE(SelectedRows(list), QList<int>{3});
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    }

    void deleteFromTheBottomUpAndNothingElse() {
        FillList1();
        ListBoxWidget& list = *List("List1");
        const int extent = list.horizontalExtent();
        QVERIFY(extent > 0);
        SelectRows(list, {0, 2, 3});
        RightClick(list, 4, QStringLiteral("IDLPMDel"));
        QCOMPARE(list.itemTexts(), (QStringList{dir->filePath("b.tif"), dir->filePath("e.tif")}));
        // Deleting every entry leaves the flag, the menus and the range.
        list.selectAll();
        RightClick(list, 0, QStringLiteral("IDLPMDel"));
        QCOMPARE(list.count(), 0);
        QCOMPARE(form->formState().FilesAdded, 1);
        QVERIFY(Item("IDMView")->isEnabled());
        QVERIFY(Item("IDMD_Save")->isEnabled());
        QCOMPARE(list.horizontalExtent(), extent);
    }

    void deleteWithoutSelectionChangesNothing() {
        FillList1();
        const QStringList before = List("List1")->itemTexts();
        List("List1")->clearSelection();
        RightClick(*List("List1"), 2, QStringLiteral("IDLPMDel"));
        QCOMPARE(List("List1")->itemTexts(), before);
    }

    void deletingResultLinesKeepsTheTotalsAndTheState() {
        QVERIFY(WriteTiff(dir->filePath("a.tif"), {{1654, 2339, 200}, {2339, 1654, 200}}));
        form->DropPaths({dir->path()});
        form->Start_Click();
        ListBoxWidget& results = *List("ResultList");
        const QString totals = form->resultText();
        const QStringList lines = results.itemTexts();
        QVERIFY(lines.size() >= 4);
        SelectRows(results, {1, 2});
        RightClick(results, 0, QStringLiteral("IDLPMDel"));
        QStringList expected = lines;
        expected.remove(1, 2);
        QCOMPARE(results.itemTexts(), expected);
        QCOMPARE(form->resultText(), totals);
        QCOMPARE(form->formState().ResultState, 1);
        QVERIFY(Item("IDMSave")->isEnabled());
    }

    void longRunsOfSelectedLinesGoQuickly() {
        ListBoxWidget& results = *List("ResultList");
        QStringList lines;
        for (int i = 0; i < 60000; ++i) lines.push_back(QString::number(i));
        results.setItemTexts(lines);
        // Every other block of 1000 lines selected, as Shift+clicks would.
        QItemSelection blocks;
        for (int first = 1000; first < lines.size(); first += 2000)
            blocks.select(results.model()->index(first, 0), results.model()->index(first + 999, 0));
        results.selectionModel()->select(blocks, QItemSelectionModel::Select);
        QElapsedTimer clock;
        clock.start();
        RightClick(results, 0, QStringLiteral("IDLPMDel"));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(results.count(), 30000);
        QCOMPARE(results.item(999)->text(), QStringLiteral("999"));
        QCOMPARE(results.item(1000)->text(), QStringLiteral("2000"));
        QCOMPARE(results.item(29999)->text(), QStringLiteral("58999"));
    }
};

QTEST_MAIN(ListMenuTest)
#include "tst_list_menu.moc"
