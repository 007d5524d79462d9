// The folder and file selection window over a temporary folder tree, on
// its own and opened from the main window.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include "dialogs/dialog_seam.h"
#include "dialogs/folder_views.h"
#include "dialogs/ok_dialog.h"
#include "dialogs/select_dialog.h"
#include "input/list_box_widget.h"
#include "mainwindow/main_form.h"
#include "mainwindow/twips.h"
#include "platform/network_folders.h"
#include "window_test_support.h"

using namespace folvane::gui;
using namespace folvane::test;

namespace {

QStringList Texts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts.push_back(list.item(i)->text());
    return texts;
}

void SelectNamed(QListWidget& list, const QStringList& names) {
    for (int i = 0; i < list.count(); ++i)
        if (names.contains(list.item(i)->text())) list.item(i)->setSelected(true);
}

}  // namespace

class SelectDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QWidget> owner;
    OkDialog* ok1 = nullptr;
    QString startFolder;

    QString Path(const QString& relative) { return dir->filePath(relative); }

    std::unique_ptr<SelectDialog> Open() {
        auto dialog = std::make_unique<SelectDialog>(owner.get(), *ok1);
        return dialog;
    }
    template <typename T>
    static T* In(const SelectDialog& dialog, const char* name) {
        return Control<T>(&dialog, name);
    }
    static DirListBox& Dirs(const SelectDialog& d) { return *In<DirListBox>(d, "DirList"); }
    static QListWidget& Folders(const SelectDialog& d) { return *In<QListWidget>(d, "FolList"); }
    static QListWidget& Files(const SelectDialog& d) { return *In<QListWidget>(d, "FileList"); }
    static QListWidget& Chosen(const SelectDialog& d) { return *In<QListWidget>(d, "SelectList"); }

  private slots:
    void initTestCase() { startFolder = QDir::currentPath(); }

    void init() {
        DialogSeam::script();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        // scan/ holds a.tif, B.TIF, notes.txt, .hidden.tif, old/c.tif, New/.
        QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("scan/old")));
        QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("scan/New")));
        QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("scan/.cache")));
        QVERIFY(WriteTiff(Path("scan/a.tif"), {{1654, 2339, 200}}));
        QVERIFY(WriteTiff(Path("scan/B.TIF"), {{1654, 2339, 200}}));
        QVERIFY(WriteTiff(Path("scan/.hidden.tif"), {{1654, 2339, 200}}));
        QVERIFY(WriteTiff(Path("scan/old/c.tif"), {{1654, 2339, 200}}));
        QVERIFY(WriteText(Path("scan/notes.txt"), "notes"));
        QVERIFY(WriteTiff(Path("x.tif"), {{1654, 2339, 200}}));
        QVERIFY(QDir::setCurrent(Path("scan")));
        owner = std::make_unique<QWidget>();
        owner->setObjectName(QStringLiteral("MainForm1"));
        ok1 = new OkDialog(OkDialog::Kind::WithPicture, owner.get());
    }
    void cleanup() {
        QDir::setCurrent(startFolder);
        owner.reset();
        dir.reset();
        DialogSeam::unscript();
    }

    void opensAtTheCurrentFolder() {
        auto d = Open();
        QCOMPARE(d->windowTitle(), QStringLiteral("ﾌｫﾙﾀﾞ･ﾌｧｲﾙ選択ﾀﾞｲｱﾛｸﾞ"));
        QCOMPARE(d->size(), TwipsSize(8730, 6165));
        QCOMPARE(Dirs(*d).path(), QDir::toNativeSeparators(Path("scan")));
        // Sub-folder names only, sorted, hidden ones left out.
        QCOMPARE(Texts(Folders(*d)), (QStringList{"New", "old"}));
        QCOMPARE(Texts(Files(*d)), (QStringList{"a.tif", "B.TIF"}));
        QCOMPARE(Chosen(*d).count(), 0);
        QVERIFY(In<QRadioButton>(*d, "Option1")->isChecked());
        QVERIFY(!Folders(*d).isHidden());
        QVERIFY(!Files(*d).isHidden());
        QCOMPARE(d->focusWidget(), In<QWidget>(*d, "Select"));
        auto* drives = In<DriveListBox>(*d, "DrvList");
        QVERIFY(drives->count() > 0);
        QVERIFY(Path("scan").startsWith(QDir::fromNativeSeparators(drives->drive())));
    }

    void captionsAndTooltips_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        auto row = [](const char* name, const char* caption, const char* tip) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption)
                                << QString::fromUtf8(tip);
        };
        row("Label1", "ドライブ指定", "");
        row("DrvList", "", "ドライブを指定してください。");
        row("NetComp", "ﾈｯﾄﾜｰｸ･ｺﾝﾋﾟｭｰﾀ", "ﾈｯﾄﾜｰｸｺﾝﾋﾟｭｰﾀを指定します。");
        row("Label2", "フォルダ指定", "");
        row("DirList", "", "フォルダを指定してください。");
        row("Frame1", "選択リスト表示", "リストの表示を切替えます。");
        row("Option1", "ﾌｫﾙﾀﾞ･ﾌｧｲﾙ両方", "表示をﾌｫﾙﾀﾞ･ﾌｧｲﾙ選択ﾘｽﾄの両方にします。");
        row("Option2", "ﾌｫﾙﾀﾞのみ", "表示をﾌｫﾙﾀﾞ選択ﾘｽﾄのみにします。");
        row("Option3", "ﾌｧｲﾙのみ", "表示をﾌｧｲﾙ選択ﾘｽﾄのみにします。");
        row("Command1", "確　 定", "選択を確定します。");
        row("Command2", "キャンセル", "選択をとりやめます。");
        row("Label3", "フォルダ選択リスト", "");
        row("FolList", "", "フォルダを選んでください。（複数可）");
        row("Label4", "ファイル選択リスト", "");
        row("FileList", "", "ファイルを選んでください。（複数可）");
        row("Select", "↓ 追　　加 ↓", "上記選択分を選択済リストに追加します。");
        row("Delete", "削　除", "下記選択分を削除します。");
        row("Label5", "選択済リスト", "");
        row("SelectList", "", "選択されたフォルダ・ファイルのリストです。");
    }

    void captionsAndTooltips() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        auto d = Open();
        auto* widget = d->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->toolTip(), tip);
        if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), caption);
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            QCOMPARE(button->text(), caption);
        if (auto* frame = qobject_cast<QGroupBox*>(widget)) QCOMPARE(frame->title(), caption);
        if (auto* list = qobject_cast<QAbstractItemView*>(widget); list && name != "DirList")
            QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    }

    void tabOrderStartsAtSelect() {
        auto d = Open();
        d->show();
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        QStringList order{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            // The drive selector's line edit or view stands for the selector.
            while (focus && focus->objectName().isEmpty()) focus = focus->parentWidget();
            order.push_back(focus ? focus->objectName() : QString());
        }
        // Tab reaches only the ticked one of the option buttons.
        QCOMPARE(order, (QStringList{"Select", "FolList", "DrvList", "DirList", "FileList",
                                     "SelectList", "Option1", "Delete", "Command1", "Command2",
                                     "NetComp", "Select", "FolList"}));
        d->reject();
    }

    void selectAddsFullPathsAndUnselects() {
        auto d = Open();
        SelectNamed(Folders(*d), {"old"});
        In<QPushButton>(*d, "Select")->click();
        QCOMPARE(Texts(Chosen(*d)), QStringList{QDir::toNativeSeparators(Path("scan/old"))});
        QVERIFY(Folders(*d).selectedItems().isEmpty());
        // The same press again adds nothing: the first one unselected.
        d->Select_Click();
        QCOMPARE(Chosen(*d).count(), 1);
        // Selected again, it is added a second time.
        SelectNamed(Folders(*d), {"old"});
        SelectNamed(Files(*d), {"B.TIF", "a.tif"});
        d->Select_Click();
        QCOMPARE(Texts(Chosen(*d)), (QStringList{Path("scan/a.tif"), Path("scan/B.TIF"),
                                                 Path("scan/old"), Path("scan/old")}));
        QVERIFY(Files(*d).selectedItems().isEmpty());
    }

    void driveRootGetsOneSeparator() {
        auto d = Open();
        QVERIFY(Dirs(*d).setPath(QDir::rootPath()));
        QCOMPARE(Texts(Files(*d)), QStringList());
        const QStringList folders = Texts(Folders(*d));
        QVERIFY(folders.contains(QStringLiteral("tmp")));
        for (const QString& name : folders)
            QVERIFY2(!name.contains(QDir::separator()), qPrintable(name));
        SelectNamed(Folders(*d), {"tmp"});
        d->Select_Click();
        QCOMPARE(Texts(Chosen(*d)), QStringList{QDir::rootPath() + QStringLiteral("tmp")});
    }

    void openingAFolderMovesAllViews() {
        auto d = Open();
        QVERIFY(Dirs(*d).setPath(Path("scan/old")));
        QCOMPARE(Texts(Files(*d)), QStringList{"c.tif"});
        QCOMPARE(Folders(*d).count(), 0);
        // A folder that cannot be opened leaves everything where it was.
        QVERIFY(!Dirs(*d).setPath(Path("scan/gone")));
        QCOMPARE(Dirs(*d).path(), Path("scan/old"));
        QCOMPARE(Texts(Files(*d)), QStringList{"c.tif"});
        // Opened through the tree as the user does: the parent entry.
        QTreeWidgetItem* parent = Dirs(*d).currentItem()->parent();
        emit Dirs(*d).itemActivated(parent, 0);
        QTRY_COMPARE(Dirs(*d).path(), Path("scan"));
        QCOMPARE(Texts(Folders(*d)), (QStringList{"New", "old"}));
    }

    void displayModes_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("folders");
        QTest::addColumn<bool>("files");
        QTest::addColumn<QRect>("folList");
        QTest::addColumn<QRect>("fileList");
        QTest::addColumn<QRect>("label4");
        QTest::newRow("both") << "Option1" << true << true << TwipsRect(2520, 360, 2895, 2040)
                              << TwipsRect(5640, 360, 2895, 2070)
                              << TwipsRect(5640, 120, 1455, 255);
        QTest::newRow("folders") << "Option2" << true << false << TwipsRect(2520, 360, 6015, 2040)
                                 << TwipsRect(5640, 360, 2895, 2070)
                                 << TwipsRect(5640, 120, 1455, 255);
        QTest::newRow("files") << "Option3" << false << true << TwipsRect(2520, 360, 2895, 2040)
                               << TwipsRect(2520, 360, 6015, 2070)
                               << TwipsRect(2520, 120, 1455, 255);
    }

    void displayModes() {
        QFETCH(QString, option);
        QFETCH(bool, folders);
        QFETCH(bool, files);
        QFETCH(QRect, folList);
        QFETCH(QRect, fileList);
        QFETCH(QRect, label4);
        auto d = Open();
        In<QRadioButton>(*d, "Option3")->click();  // from another mode
        SelectNamed(Files(*d), {"a.tif"});
        d->findChild<QRadioButton*>(option)->click();
        QCOMPARE(!Folders(*d).isHidden(), folders);
        QCOMPARE(!In<QLabel>(*d, "Label3")->isHidden(), folders);
        QCOMPARE(!Files(*d).isHidden(), files);
        QCOMPARE(!In<QLabel>(*d, "Label4")->isHidden(), files);
        QCOMPARE(Folders(*d).geometry(), folList);
        QCOMPARE(Files(*d).geometry(), fileList);
        QCOMPARE(In<QLabel>(*d, "Label4")->geometry(), label4);
        QCOMPARE(In<QLabel>(*d, "Label3")->geometry(), TwipsRect(2520, 120, 1455, 255));
        // Contents and selections stay whatever is shown.
        QCOMPARE(Texts(Files(*d)), (QStringList{"a.tif", "B.TIF"}));
        QCOMPARE(Files(*d).selectedItems().size(), 1);
    }

    void filesSelectedInAHiddenListAreStillAdded() {
        auto d = Open();
        SelectNamed(Files(*d), {"B.TIF"});
        In<QRadioButton>(*d, "Option2")->click();
        QVERIFY(Files(*d).isHidden());
        d->Select_Click();
        QCOMPARE(Texts(Chosen(*d)), QStringList{Path("scan/B.TIF")});
    }

    void deleteRemovesTheSelectedChosenEntries() {
        auto d = Open();
        SelectNamed(Files(*d), {"a.tif", "B.TIF"});
        SelectNamed(Folders(*d), {"New", "old"});
        d->Select_Click();
        QCOMPARE(Chosen(*d).count(), 4);
        Chosen(*d).item(0)->setSelected(true);
        Chosen(*d).item(3)->setSelected(true);
        In<QPushButton>(*d, "Delete")->click();
        QCOMPARE(Texts(Chosen(*d)), (QStringList{Path("scan/B.TIF"), Path("scan/New")}));
        d->Delete_Click();  // nothing selected now
        QCOMPARE(Chosen(*d).count(), 2);
    }

    void confirmingExpandsFoldersAndTakesFiles() {
        auto d = Open();
        SelectNamed(Files(*d), {"a.tif"});
        d->Select_Click();
        QVERIFY(Dirs(*d).setPath(dir->path()));
        SelectNamed(Folders(*d), {"scan"});
        SelectNamed(Files(*d), {"x.tif"});
        d->Select_Click();
        // A file is taken whatever its name; it need not end in .tif.
        Chosen(*d).addItem(Path("scan/notes.txt"));
        QSignalSpy finished(d.get(), &QDialog::finished);
        In<QPushButton>(*d, "Command1")->click();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QStringList files = d->confirmedFiles();
        // The folder's own TIFF files (no sub-folders, no hidden ones), in
        // the order the system lists them.
        const QStringList folderPart = files.mid(0, 2);
        QCOMPARE(QSet<QString>(folderPart.begin(), folderPart.end()),
                 (QSet<QString>{Path("scan/a.tif"), Path("scan/B.TIF")}));
        files.remove(0, 2);
        QCOMPARE(files, (QStringList{Path("scan/a.tif"), Path("x.tif"), Path("scan/notes.txt")}));
        QVERIFY(DialogSeam::takeShown().isEmpty());
    }

    // Entries that vanished add no file but are handed on as problems, with
    // their reasons, for the runs to list among the files with errors.
    void vanishedEntriesAreSkippedAndReported() {
        auto d = Open();
        SelectNamed(Folders(*d), {"old", "New"});
        SelectNamed(Files(*d), {"a.tif"});
        d->Select_Click();
        QVERIFY(QDir(Path("scan/old")).removeRecursively());
        QVERIFY(QFile::remove(Path("scan/a.tif")));
        d->Command1_Click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(d->confirmedFiles(), QStringList());
        QStringList problems;
        for (const auto& problem : d->confirmedProblems())
            problems.push_back(QString::fromStdString(problem.path) + QLatin1Char('\t') +
                               QString::fromStdString(folvane::PathProblemReason(problem)));
        problems.sort();
        QCOMPARE(problems, (QStringList{Path("scan/a.tif") + QStringLiteral("\t見つかりません"),
                                        Path("scan/old") + QStringLiteral("\t見つかりません")}));
    }

    void emptyListShowsTheMessageAndStaysOpen() {
        auto d = Open();
        QSignalSpy finished(d.get(), &QDialog::finished);
        d->Command1_Click();
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].name, QStringLiteral("OKDialog1"));
        QCOMPARE(shown[0].text, QStringLiteral("何も選択されていません !"));
        QCOMPARE(shown[0].owner, QStringLiteral("SelectDialog"));
        QCOMPARE(finished.size(), 0);
        // The message window goes back to the main window afterwards.
        QCOMPARE(ok1->parentWidget(), owner.get());
        QVERIFY(ok1->isWindow());
    }

    void cancelAddsNothing() {
        auto d = Open();
        SelectNamed(Files(*d), {"a.tif"});
        d->Select_Click();
        In<QPushButton>(*d, "Command2")->click();
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QCOMPARE(d->confirmedFiles(), QStringList());
    }

    void failedDriveChangeRevertsSilently() {
        auto d = Open();
        auto* drives = In<DriveListBox>(*d, "DrvList");
        const QString drive = drives->drive();
        drives->addItem(QStringLiteral("gone"), Path("no-such-volume"));
        drives->setCurrentIndex(drives->count() - 1);
        d->DrvList_Change();
        QCOMPARE(drives->drive(), drive);
        QCOMPARE(Dirs(*d).path(), Path("scan"));
        QVERIFY(DialogSeam::takeShown().isEmpty());
        // A drive that can be opened moves the views to its root.
        drives->setCurrentIndex(drives->findData(drive));
        d->DrvList_Change();
        QCOMPARE(Dirs(*d).path(), drive);
    }

    void networkFolderIsTakenAsChosen() {
        QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("Server/Share/Scans")));
        QVERIFY(WriteTiff(Path("Server/Share/Scans/p.tif"), {{1654, 2339, 200}}));
        auto d = Open();
        DialogSeam::setNextFolder(Path("Server/Share/Scans"));
        In<QPushButton>(*d, "NetComp")->click();
        auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].name, QStringLiteral("FolderPicker"));
        QCOMPARE(shown[0].owner, QStringLiteral("SelectDialog"));
        const auto start = folvane::NetworkBrowseStart();
        QCOMPARE(shown[0].text, start ? QString::fromStdString(*start) : QString());
        // Not lowered: on this system that would name no folder.
        QCOMPARE(Dirs(*d).path(), Path("Server/Share/Scans"));
        QCOMPARE(Texts(Files(*d)), QStringList{"p.tif"});
        // Cancelled: nothing changes.
        DialogSeam::setNextFolderCancel();
        d->NetComp_Click();
        QCOMPARE(Dirs(*d).path(), Path("Server/Share/Scans"));
    }

    void folderPickerIsSetUp() {
        QFileDialog picker;
        DialogSeam::configureFolderPicker(picker, dir->path());
        QCOMPARE(picker.windowTitle(), QStringLiteral("フォルダを選択してください"));
        QCOMPARE(picker.fileMode(), QFileDialog::Directory);
        QVERIFY(picker.testOption(QFileDialog::ShowDirsOnly));
        QCOMPARE(picker.directory().absolutePath(), QDir(dir->path()).absolutePath());
    }

    // --- From the main window ---

    void cancelFromTheMainWindowStillCountsAsAnAddition() {
        MainForm1 form;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        DialogSeam::setNextModalAction(
            [](QDialog& dialog) { static_cast<SelectDialog&>(dialog).Command2_Click(); });
        QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].name, QStringLiteral("SelectDialog"));
        QCOMPARE(shown[0].owner, QStringLiteral("MainForm1"));
        QCOMPARE(form.formState().FilesAdded, 1);
        QCOMPARE(Control<ListBoxWidget>(&form, "List1")->count(), 0);
        QVERIFY(!Control<QAction>(&form, "IDMView")->isEnabled());
        QVERIFY(!Control<QAction>(&form, "IDMD_Save")->isEnabled());
    }

    void confirmedEntriesJoinTheInputList() {
        MainForm1 form;
        form.DropPaths({Path("scan/a.tif")});
        DialogSeam::setNextModalAction([this](QDialog& dialog) {
            auto& d = static_cast<SelectDialog&>(dialog);
            QVERIFY(Dirs(d).setPath(dir->path()));
            SelectNamed(Folders(d), {"scan"});
            SelectNamed(Files(d), {"x.tif"});
            d.Select_Click();
            d.Command1_Click();
        });
        Control<QPushButton>(&form, "SelctFile")->click();
        // Sorted, duplicates removed, the run menus enabled.
        QCOMPARE(Control<ListBoxWidget>(&form, "List1")->itemTexts(),
                 (QStringList{Path("scan/a.tif"), Path("scan/B.TIF"), Path("x.tif")}));
        QVERIFY(Control<QAction>(&form, "IDMView")->isEnabled());
        QVERIFY(Control<ListBoxWidget>(&form, "List1")->horizontalExtent() > 0);
        // The menu item opens a fresh window: nothing chosen before is left.
        DialogSeam::setNextModalAction([](QDialog& dialog) {
            QCOMPARE(Chosen(static_cast<SelectDialog&>(dialog)).count(), 0);
        });
        Control<QAction>(&form, "IDMSelect")->trigger();
        QCOMPARE(Control<ListBoxWidget>(&form, "List1")->count(), 3);
    }
};

QTEST_MAIN(SelectDialogTest)
#include "tst_select_dialog.moc"
