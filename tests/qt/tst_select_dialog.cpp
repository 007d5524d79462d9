// The selection window's widgets over a temporary folder tree: names,
// captions, places and tab order, clicks reaching the form, and the window
// opened from the main window.
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

#include "form/select_dialog.h"
#include "qt/folder_views.h"
#include "qt/list_box_widget.h"
#include "qt/main_form.h"
#include "qt/ok_dialog.h"
#include "qt/select_dialog.h"
#include "qt/twips.h"
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
    std::unique_ptr<folvane::form::SelectDialog> form;

    QString Path(const QString& relative) { return dir->filePath(relative); }

    std::unique_ptr<SelectDialog> Open() {
        form = std::make_unique<folvane::form::SelectDialog>();
        return std::make_unique<SelectDialog>(owner.get(), *ok1, *form);
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
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("scan/old")));
        QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("scan/New")));
        QVERIFY(WriteTiff(Path("scan/a.tif"), {{1654, 2339, 200}}));
        QVERIFY(WriteTiff(Path("scan/B.TIF"), {{1654, 2339, 200}}));
        QVERIFY(WriteTiff(Path("scan/old/c.tif"), {{1654, 2339, 200}}));
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
        form.reset();
    }

    void opensAtTheCurrentFolder() {
        auto d = Open();
        QCOMPARE(d->windowTitle(), QStringLiteral("ﾌｫﾙﾀﾞ･ﾌｧｲﾙ選択ﾀﾞｲｱﾛｸﾞ"));
        QCOMPARE(d->size(), TwipsSize(8730, 6165));
        QCOMPARE(Dirs(*d).path(), QDir::toNativeSeparators(Path("scan")));
        // The tree: the folder's ancestors down to it, then its sub-folders.
        QTreeWidgetItem* current = Dirs(*d).currentItem();
        QVERIFY(current);
        QCOMPARE(current->text(0), QStringLiteral("scan"));
        QCOMPARE(current->childCount(), 2);
        QCOMPARE(current->child(0)->text(0), QStringLiteral("New"));
        QCOMPARE(Texts(Folders(*d)), (QStringList{"New", "old"}));
        QCOMPARE(Texts(Files(*d)), (QStringList{"a.tif", "B.TIF"}));
        QCOMPARE(Chosen(*d).count(), 0);
        QVERIFY(In<QRadioButton>(*d, "Option1")->isChecked());
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

    void clicksReachTheForm() {
        auto d = Open();
        SelectNamed(Folders(*d), {"old"});
        SelectNamed(Files(*d), {"B.TIF"});
        QTest::mouseClick(In<QPushButton>(*d, "Select"), Qt::LeftButton);
        QCOMPARE(Texts(Chosen(*d)), (QStringList{QDir::toNativeSeparators(Path("scan/B.TIF")),
                                                 QDir::toNativeSeparators(Path("scan/old"))}));
        QVERIFY(Folders(*d).selectedItems().isEmpty());
        Chosen(*d).item(0)->setSelected(true);
        QTest::mouseClick(In<QPushButton>(*d, "Delete"), Qt::LeftButton);
        QCOMPARE(Chosen(*d).count(), 1);
        // Opened through the tree as the user does: the sub-folder entry.
        QTreeWidgetItem* old = Dirs(*d).currentItem()->child(1);
        emit Dirs(*d).itemActivated(old, 0);
        QTRY_COMPARE(Dirs(*d).path(), QDir::toNativeSeparators(Path("scan/old")));
        QCOMPARE(Texts(Files(*d)), QStringList{"c.tif"});
        QCOMPARE(form->Folder(), Path("scan/old").toStdString());
        // "確　 定" over the chosen list closes the window, confirmed.
        QSignalSpy finished(d.get(), &QDialog::finished);
        QTest::mouseClick(In<QPushButton>(*d, "Command1"), Qt::LeftButton);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        // The chosen list goes to the main window, which examines it.
        QCOMPARE(
            form->ConfirmedEntries(),
            std::vector<std::string>{QDir::toNativeSeparators(Path("scan/old")).toStdString()});
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
        // Contents and selections stay whatever is shown.
        QCOMPARE(Texts(Files(*d)), (QStringList{"a.tif", "B.TIF"}));
        QCOMPARE(Files(*d).selectedItems().size(), 1);
    }

    void emptyListShowsTheMessageOverTheWindow() {
        auto d = Open();
        d->show();
        QString message;
        QWidget* over = nullptr;
        WhenModalShown([&](QWidget& shown) {
            message = Control<QLabel>(&shown, "Label1")->text();
            over = shown.parentWidget();
            Control<QPushButton>(&shown, "OKButton")->click();
        });
        QTest::mouseClick(In<QPushButton>(*d, "Command1"), Qt::LeftButton);
        QCOMPARE(message, QStringLiteral("何も選択されていません !"));
        QCOMPARE(over, d.get());
        QVERIFY(d->isVisible());
        // The message window goes back to the main window afterwards.
        QCOMPARE(ok1->parentWidget(), owner.get());
        QVERIFY(ok1->isWindow());
    }

    void openedFromTheMainWindow() {
        MainForm1 main;
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        WhenModalShown([this](QWidget& shown) {
            auto& d = dynamic_cast<SelectDialog&>(shown);
            QCOMPARE(d.parentWidget(), shown.parentWidget());
            SelectNamed(Files(d), {"a.tif"});
            In<QPushButton>(d, "Select")->click();
            In<QPushButton>(d, "Command1")->click();
        });
        QTest::keyClick(&main, Qt::Key_O, Qt::ControlModifier);
        QTRY_COMPARE(Control<ListBoxWidget>(&main, "List1")->itemTexts(),
                     QStringList{QDir::toNativeSeparators(Path("scan/a.tif"))});
        QVERIFY(Control<QAction>(&main, "IDMView")->isEnabled());
    }
};

QTEST_MAIN(SelectDialogTest)
#include "tst_select_dialog.moc"
