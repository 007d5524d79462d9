// The auxiliary windows on their own, the Save-As set-up, the progress
// window's repaint throttle and the start-up options.
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "dialogs/close_dialog.h"
#include "dialogs/dialog_seam.h"
#include "dialogs/modeless_dialog.h"
#include "dialogs/ok_dialog.h"
#include "mainwindow/start_options.h"
#include "mainwindow/window_run_sinks.h"
#include "window_test_support.h"

using namespace folvane::gui;
using folvane::test::Control;

class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
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
        ok2.setMessage(QStringLiteral(
            "書出しに失敗しました。\n/no/such/folder/SizeList.txt: No such file or directory"));
        auto* label = Control<QLabel>(&ok2, "Label1");
        QVERIFY(ok2.width() > design.width());
        QVERIFY(ok2.height() > design.height());
        // The whole text fits the label: nothing is cut off.
        const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000),
                                                               Qt::TextWordWrap, label->text());
        QVERIFY2(needed.height() <= label->height(), qPrintable(QString::number(needed.height())));
        QVERIFY(label->geometry().bottom() < Control<QPushButton>(&ok2, "OKButton")->y());
        ok2.setMessage(QStringLiteral("選択をキャンセルされました。"));
        QCOMPARE(ok2.size(), design);
    }

    void okButtonHidesTheWindow() {
        OkDialog ok1(OkDialog::Kind::WithPicture, nullptr);
        QTimer::singleShot(0, &ok1, [&ok1] { QTest::keyClick(&ok1, Qt::Key_Return); });
        ok1.exec();
        QVERIFY(!ok1.isVisible());
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
        QCOMPARE(dialog.CloseDialogAnswer, std::int16_t{0});
        QTimer::singleShot(0, &dialog,
                           [&dialog, key] { QTest::keyClick(&dialog, static_cast<Qt::Key>(key)); });
        dialog.exec();
        QCOMPARE(dialog.CloseDialogAnswer, static_cast<std::int16_t>(answer));
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
        dialog.CloseDialogAnswer = 7;
        dialog.show();
        dialog.reject();
        QCOMPARE(dialog.CloseDialogAnswer, std::int16_t{7});
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

    void progressRepaintsAtMostEveryFiftyMilliseconds() {
        ModelessDialog dialog(nullptr);
        int flushes = 0;
        ProgressWindowSink sink(dialog, [&flushes] { ++flushes; });
        sink.Begin(100000);
        QVERIFY(dialog.isVisible());
        QCOMPARE(sink.repaintCount(), 1);  // shown at once
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 100000; ++i) sink.FileDone(i, i);
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(sink.repaintCount() <= 2 + elapsed / ProgressWindowSink::kRepaintIntervalMs,
                 qPrintable(QString::number(sink.repaintCount())));
        // A slow run does repaint.
        QThread::msleep(60);
        sink.FileDone(5, 5);
        QVERIFY(sink.repaintCount() >= 2);
        QCOMPARE(flushes, sink.repaintCount());
        QCOMPARE(dialog.ProgressBar1->value(), 5);
        sink.End();
        QCOMPARE(dialog.ProgressBar1->value(), 100000);
        QVERIFY(!dialog.isVisible());
    }

    void saveAsDialogOffersTwoTypesAndProposesSizeList() {
        QFileDialog dialog;
        dialog.selectFile(QStringLiteral("previous.txt"));
        DialogSeam::configureSaveAs(dialog);
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog.nameFilters(), (QStringList{QStringLiteral("TXTファイル (*.txt)"),
                                                    QStringLiteral("すべてのファイル (*.*)")}));
        QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("TXTファイル (*.txt)"));
        QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
        QVERIFY(dialog.selectedFiles().value(0).endsWith(QStringLiteral("/SizeList.txt")));
    }

    void seamRecordsAndAnswersInOrder() {
        DialogSeam::script();
        DialogSeam::setNextSavePath(QStringLiteral("/tmp/a.txt"));
        QCOMPARE(DialogSeam::askSavePath(nullptr),
                 std::optional<QString>(QStringLiteral("/tmp/a.txt")));
        // Each answer is used once: the next dialog is cancelled.
        QCOMPARE(DialogSeam::askSavePath(nullptr), std::optional<QString>());
        DialogSeam::showSystemMessage(nullptr, QStringLiteral("書出し終了"));
        const auto shown = DialogSeam::takeShown();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[2].name, QStringLiteral("MessageBox"));
        QCOMPARE(shown[2].text, QStringLiteral("書出し終了"));
        QVERIFY(DialogSeam::takeShown().isEmpty());
        DialogSeam::unscript();
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
