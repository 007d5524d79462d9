// The auxiliary windows' widgets on their own, the Save-As dialog and the
// folder picker (in Japanese), and the start-up options.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "form/main_form.h"
#include "form/message_windows.h"
#include "qt/close_dialog.h"
#include "qt/modeless_dialog.h"
#include "qt/ok_dialog.h"
#include "qt/save_as.h"
#include "qt/select_dialog.h"
#include "qt/start_options.h"
#include "qt/translations.h"
#include "window_test_support.h"

using namespace folvane::gui;
using folvane::test::Control;
using folvane::test::WhenModalShown;

namespace {

folvane::form::SaveAsRequest Request(const std::string& folder, std::size_t type = 0) {
    folvane::form::SaveAsRequest request;
    request.folder = folder;
    request.proposedName = type == 1 ? "SizeList.xlsx" : "SizeList.txt";
    request.types = folvane::form::MainForm::SaveFileTypes();
    request.selectedType = type;
    return request;
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(InstallJapaneseTranslations(*qApp)); }

    void messageWindowsStartWithTheirDesignText() {
        OkDialog ok1(OkDialog::Kind::WithPicture, nullptr);
        OkDialog ok2(OkDialog::Kind::Plain, nullptr);
        QCOMPARE(ok1.objectName(), QStringLiteral("OKDialog1"));
        QCOMPARE(ok1.windowTitle(), QStringLiteral("Folvane"));
        QVERIFY(Control<QLabel>(&ok1, "Picture1"));
        QCOMPARE(Control<QLabel>(&ok1, "Label1")->text(), QString());
        // OKDialog2 shown without a caller's text says the save was cancelled.
        QCOMPARE(Control<QLabel>(&ok2, "Label1")->text(),
                 QStringLiteral("選択をキャンセルされました。"));
        QVERIFY(!Control<QLabel>(&ok2, "Picture1"));
        for (OkDialog* dialog : {&ok1, &ok2}) {
            auto* ok = Control<QPushButton>(dialog, "OKButton");
            QVERIFY(ok);
            QCOMPARE(ok->text(), QStringLiteral("OK"));
            QVERIFY(ok->isDefault());
        }
        // Client areas 4425 x 1305 and 2970 x 1140 twips.
        QCOMPARE(ok1.size(), QSize(295, 87));
        QCOMPARE(ok2.size(), QSize(198, 76));
    }

    void messageWindowGrowsToFitALongMessageAndShrinksBack() {
        OkDialog ok2(OkDialog::Kind::Plain, nullptr);
        const QSize design = ok2.size();
        ok2.SetMessage("書出しに失敗しました。\n/no/such/folder/SizeList.txt: 見つかりません");
        auto* label = Control<QLabel>(&ok2, "Label1");
        QVERIFY(ok2.width() > design.width());
        QVERIFY(ok2.height() > design.height());
        // The whole text fits the label: nothing is cut off.
        const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000),
                                                               Qt::TextWordWrap, label->text());
        QVERIFY2(needed.height() <= label->height(), qPrintable(QString::number(needed.height())));
        QVERIFY(label->geometry().bottom() < Control<QPushButton>(&ok2, "OKButton")->y());
        ok2.SetMessage("選択をキャンセルされました。");
        QCOMPARE(ok2.size(), design);
    }

    void okButtonAndKeysReachTheForm_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void okButtonAndKeysReachTheForm() {
        QFETCH(int, key);
        OkDialog ok1(OkDialog::Kind::WithPicture, nullptr);
        folvane::form::OkDialog form(ok1);
        QTimer::singleShot(0, &ok1,
                           [&ok1, key] { QTest::keyClick(&ok1, static_cast<Qt::Key>(key)); });
        form.Show("ファイルを選択してください。");
        QVERIFY(!ok1.isVisible());
        QCOMPARE(ok1.message(), QStringLiteral("ファイルを選択してください。"));
    }

    void closeDialogAnswersByKeyAndButton_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("Enter presses 保存する") << int(Qt::Key_Return) << 6;
        QTest::newRow("Escape presses いいえ") << int(Qt::Key_Escape) << 7;
    }

    void closeDialogAnswersByKeyAndButton() {
        QFETCH(int, key);
        QFETCH(int, answer);
        CloseDialog dialog(nullptr);
        folvane::form::CloseDialog form(dialog);
        QTimer::singleShot(0, &dialog,
                           [&dialog, key] { QTest::keyClick(&dialog, static_cast<Qt::Key>(key)); });
        form.Ask("結果が保存されていません。", "保存しますか？");
        QCOMPARE(form.CloseDialogAnswer, static_cast<std::int16_t>(answer));
        QVERIFY(!dialog.isVisible());
    }

    void closeDialogCarriesItsTexts() {
        CloseDialog dialog(nullptr);
        QCOMPARE(Control<QLabel>(&dialog, "Label1")->text(),
                 QStringLiteral("結果が保存されていません。"));
        QCOMPARE(Control<QLabel>(&dialog, "Label2")->text(), QStringLiteral("保存しますか？"));
        auto* yes = Control<QPushButton>(&dialog, "YesButton");
        auto* no = Control<QPushButton>(&dialog, "NoButton");
        QCOMPARE(yes->text(), QStringLiteral("保存する"));
        QCOMPARE(no->text(), QStringLiteral("いいえ"));
        QVERIFY(yes->isDefault());
        QVERIFY(yes->x() < no->x());
        // The close box records nothing: the caller sees no Yes.
        folvane::form::CloseDialog form(dialog);
        form.CloseDialogAnswer = 7;
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.reject(); });
        form.Ask("a", "b");
        QCOMPARE(form.CloseDialogAnswer, std::int16_t{7});
    }

    void progressWindowCaptionAndBar() {
        ModelessDialog dialog(nullptr);
        // Four ideographic spaces and one ASCII space after the name.
        QCOMPARE(dialog.windowTitle(),
                 QString::fromUtf16(u"Folvane\u3000\u3000\u3000\u3000 処\u3000理\u3000中"));
        QVERIFY(!dialog.isModal());
        QCOMPARE(dialog.ProgressBar1->objectName(), QStringLiteral("ProgressBar1"));
        QCOMPARE(dialog.ProgressBar1->minimum(), 0);
        QCOMPARE(dialog.ProgressBar1->maximum(), 100);
    }

    void progressWindowShowsWhatItIsTold() {
        ModelessDialog dialog(nullptr);
        dialog.SetRange(100000);
        dialog.SetValue(5);
        dialog.Show();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.ProgressBar1->maximum(), 100000);
        QCOMPARE(dialog.ProgressBar1->value(), 5);
        dialog.Hide();
        QVERIFY(!dialog.isVisible());
    }

    void saveAsDialogOffersTheTypesAndProposesSizeList() {
        QFileDialog dialog;
        dialog.selectFile(QStringLiteral("previous.txt"));
        const auto request = Request("");
        ConfigureSaveAs(dialog, request);
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog.nameFilters(), (QStringList{QStringLiteral("TXTファイル (*.txt)"),
                                                    QStringLiteral("Excel ブック (*.xlsx)"),
                                                    QStringLiteral("すべてのファイル (*.*)")}));
        QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("TXTファイル (*.txt)"));
        QCOMPARE(SelectedSaveType(dialog, request), std::size_t{0});
        QCOMPARE(dialog.defaultSuffix(), QString());
        QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
        QVERIFY(dialog.selectedFiles().value(0).endsWith(QStringLiteral("/SizeList.txt")));
    }

    void saveAsShowsTheWorkbookTypeWhenAsked() {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        const auto request = Request("", 1);
        ConfigureSaveAs(dialog, request);
        QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("Excel ブック (*.xlsx)"));
        QCOMPARE(SelectedSaveType(dialog, request), std::size_t{1});
        QCOMPARE(dialog.defaultSuffix(), QStringLiteral("xlsx"));
        QVERIFY(dialog.selectedFiles().value(0).endsWith(QStringLiteral("/SizeList.xlsx")));
        // Picking the text type drops the suffix again.
        dialog.show();
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types);
        // As a user's pick reaches the dialog.
        types->setCurrentIndex(0);
        emit types->activated(0);
        emit types->textActivated(types->itemText(0));
        QCOMPARE(SelectedSaveType(dialog, request), std::size_t{0});
        QCOMPARE(dialog.defaultSuffix(), QString());
        // The name's extension follows the type, as the dialog has it.
        QVERIFY(dialog.selectedFiles().value(0).endsWith(QStringLiteral("/SizeList.txt")));
        dialog.selectFile(QStringLiteral("mine.txt"));
        types->setCurrentIndex(1);
        emit types->activated(1);
        emit types->textActivated(types->itemText(1));
        QVERIFY2(dialog.selectedFiles().value(0).endsWith(QStringLiteral("/mine.xlsx")),
                 qPrintable(dialog.selectedFiles().value(0)));
    }

    void saveAsOpensInTheFolderItIsGiven() {
        QTemporaryDir dir;
        QFileDialog dialog;
        ConfigureSaveAs(dialog, Request(dir.path().toStdString()));
        QCOMPARE(dialog.directory().absolutePath(), QDir(dir.path()).absolutePath());
        QVERIFY(dialog.selectedFiles().value(0).endsWith(QStringLiteral("/SizeList.txt")));
    }

    void saveAsSpeaksJapanese() {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        ConfigureSaveAs(dialog, Request(""));
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("名前を付けて保存"));
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QStringList captions;
        for (QAbstractButton* button : buttons->buttons()) captions.push_back(button->text());
        QVERIFY(!captions.contains(QStringLiteral("Save")));
        QVERIFY(!captions.contains(QStringLiteral("&Save")));
        QVERIFY(!captions.contains(QStringLiteral("Cancel")));
        QVERIFY2(captions.join(' ').contains(QStringLiteral("キャンセル")),
                 qPrintable(captions.join(' ')));
        QVERIFY2(captions.join(' ').contains(QStringLiteral("保存")),
                 qPrintable(captions.join(' ')));
        const QString lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text();
        QVERIFY2(!lookIn.contains(QStringLiteral("Look")), qPrintable(lookIn));
    }

    void folderPickerIsSetUpInJapanese() {
        QTemporaryDir dir;
        QFileDialog picker;
        picker.setOption(QFileDialog::DontUseNativeDialog);
        ConfigureFolderPicker(picker, dir.path());
        QCOMPARE(picker.windowTitle(), QStringLiteral("フォルダを選択してください"));
        QCOMPARE(picker.fileMode(), QFileDialog::Directory);
        QVERIFY(picker.testOption(QFileDialog::ShowDirsOnly));
        QCOMPARE(picker.directory().absolutePath(), QDir(dir.path()).absolutePath());
        picker.show();
        const QString fileType = picker.findChild<QLabel*>(QStringLiteral("fileTypeLabel"))->text();
        QVERIFY2(!fileType.contains(QStringLiteral("Files of type")), qPrintable(fileType));
    }

    void textBoxMenuSpeaksJapanese() {
        QPlainTextEdit box;
        box.setPlainText(QStringLiteral("x"));
        std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
        QStringList captions;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator()) captions.push_back(action->text());
        QVERIFY2(captions.join(' ').contains(QStringLiteral("コピー")),
                 qPrintable(captions.join(' ')));
        QVERIFY2(!captions.join(' ').contains(QStringLiteral("Copy")),
                 qPrintable(captions.join(' ')));
    }

    void startOptions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<bool>("run");
        QTest::addColumn<bool>("quit");
        QTest::addColumn<bool>("error");
        QTest::newRow("nothing") << QStringList{} << QStringList{} << false << false << false;
        QTest::newRow("relative made absolute")
            << QStringList{"samples", "./a/../b.tif"}
            << QStringList{"/home/u/samples", "/home/u/b.tif"} << false << false << false;
        QTest::newRow("absolute kept as given")
            << QStringList{"/"} << QStringList{"/"} << false << false << false;
        QTest::newRow("run") << QStringList{"--run", "/x"} << QStringList{"/x"} << true << false
                             << false;
        QTest::newRow("quit implies run")
            << QStringList{"--quit-after-run"} << QStringList{} << true << true << false;
        QTest::newRow("after -- a path") << QStringList{"--", "--run"}
                                         << QStringList{"/home/u/--run"} << false << false << false;
        QTest::newRow("unknown option")
            << QStringList{"--bogus"} << QStringList{} << false << false << true;
    }

    void pdfStartOption() {
        const ParsedStart parsed =
            ParseStartOptions({"--pdf", "scan.pdf"}, QStringLiteral("/home/u"));
        QVERIFY(!parsed.error);
        QVERIFY(parsed.options.pdf);
        QCOMPARE(parsed.options.paths, QStringList{"/home/u/scan.pdf"});
        QVERIFY(!ParseStartOptions({"scan.pdf"}, QStringLiteral("/home/u")).options.pdf);
        QVERIFY(StartUsage().contains(QStringLiteral("--pdf")));
    }

    void startOptions() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, paths);
        QFETCH(bool, run);
        QFETCH(bool, quit);
        QFETCH(bool, error);
        const ParsedStart parsed = ParseStartOptions(arguments, QStringLiteral("/home/u"));
        QCOMPARE(parsed.error.has_value(), error);
        if (error) return;
        QCOMPARE(parsed.options.paths, paths);
        QCOMPARE(parsed.options.run, run);
        QCOMPARE(parsed.options.quitAfterRun, quit);
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
