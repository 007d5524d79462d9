// The about box, the system-information button's ways through with a fake
// registry and launcher, this system's launcher, the help window, and every
// menu item reaching its handler.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <map>

#include "form/version_dialog.h"
#include "platform/network_folders.h"
#include "platform/program_launcher.h"
#include "platform/registry.h"
#include "platform/system_info.h"
#include "qt/help_viewer.h"
#include "qt/list_box_widget.h"
#include "qt/main_form.h"
#include "qt/twips.h"
#include "qt/version_dialog.h"
#include "window_test_support.h"

using namespace folvane::gui;
using namespace folvane::test;
using folvane::RegistryRoot;
using folvane::RegistryValue;

namespace {

class FakeRegistry final : public folvane::Registry {
  public:
    // Keys that exist but cannot be opened are simply absent: the lookup
    // reports both alike.
    std::map<std::pair<std::string, std::string>, RegistryValue> values;

    std::optional<RegistryValue> QueryValue(RegistryRoot root, std::string_view key,
                                            std::string_view name) const override {
        if (root != RegistryRoot::LocalMachine) return std::nullopt;
        const auto found = values.find({std::string(key), std::string(name)});
        if (found == values.end()) return std::nullopt;
        return found->second;
    }
};

class FakeLauncher final : public folvane::ProgramLauncher {
  public:
    QStringList files;
    bool starts = true;
    std::optional<std::string> onPath;
    QStringList started;  // every attempt

    bool FileExists(const std::string& path) const override {
        return files.contains(QString::fromStdString(path));
    }
    bool Start(const std::string& path) override {
        started.push_back(QString::fromStdString(path));
        return starts;
    }
    std::optional<std::string> FindSystemInfoProgram() const override { return onPath; }
};

}  // namespace

class AboutHelpTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;

  private slots:
    void init() { dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { dir.reset(); }

    void aboutBoxCaptionsAndLabels() {
        folvane::form::VersionDialog form;
        VersionDialog version(nullptr, form);
        QCOMPARE(version.objectName(), QStringLiteral("Version"));
        QCOMPARE(version.windowTitle(), QStringLiteral("Folvaneのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(version.size(), TwipsSize(5730, 3555));
        QCOMPARE(Control<QLabel>(&version, "lblTitle")->text(), QStringLiteral("Folvane"));
        QCOMPARE(Control<QLabel>(&version, "lblVersion")->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.0"));
        const QString description = Control<QLabel>(&version, "lblDescription")->text();
        QCOMPARE(description, QStringLiteral("Tiff の Tag情報による") + QString(15, QChar(0x3000)) +
                                  QStringLiteral("サイズ等 の リスト化"));
        QCOMPARE(Control<QLabel>(&version, "lblDisclaimer")->text(), QStringLiteral("警告: ..."));
        QVERIFY(!Control<QLabel>(&version, "picIcon")->pixmap().isNull());
        QVERIFY(Control<QLabel>(&version, "lblTitle")->font().pixelSize() >
                Control<QLabel>(&version, "lblVersion")->font().pixelSize());
        auto* line = Control<QFrame>(&version, "Line1");
        QCOMPARE(line->frameShape(), QFrame::HLine);
        QCOMPARE(line->frameShadow(), QFrame::Sunken);
        auto* ok = Control<QPushButton>(&version, "cmdOK");
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(Control<QPushButton>(&version, "cmdSysInfo")->text(),
                 QStringLiteral("ｼｽﾃﾑ情報(&S)..."));
        // The separator lies between the labels and the buttons.
        QVERIFY(line->geometry().bottom() < ok->y());
        QVERIFY(Control<QLabel>(&version, "lblDescription")->geometry().bottom() < line->y());
    }

    void aboutBoxClosesOnEnterAndEscape_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void aboutBoxClosesOnEnterAndEscape() {
        QFETCH(int, key);
        folvane::form::VersionDialog form;
        VersionDialog version(nullptr, form);
        QTimer::singleShot(
            0, &version, [&version, key] { QTest::keyClick(&version, static_cast<Qt::Key>(key)); });
        version.exec();
        QVERIFY(!version.isVisible());
    }

    void getKeyValueByType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("number");
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("keyVal");
        const int text = int(RegistryValue::Type::Text);
        const int number = int(RegistryValue::Type::Number);
        const int other = int(RegistryValue::Type::Other);
        QTest::newRow("text") << text << "C:\\Tools" << 0u << true << true << "C:\\Tools";
        QTest::newRow("empty text") << text << "" << 0u << true << true << "";
        QTest::newRow("number") << number << "" << 0x1Fu << true << true << "&h1F";
        QTest::newRow("zero") << number << "" << 0u << true << true << "&h0";
        QTest::newRow("largest") << number << "" << 0xFFFFFFFFu << true << true << "&hFFFFFFFF";
        // Read, but of a type the function does not take: the text stays.
        QTest::newRow("other type") << other << "" << 0u << true << true << "held before";
        QTest::newRow("missing") << text << "" << 0u << false << false << "";
    }

    void getKeyValueByType() {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(uint, number);
        QFETCH(bool, present);
        QFETCH(bool, result);
        QFETCH(QString, keyVal);
        FakeRegistry registry;
        if (present)
            registry.values[{"K", "V"}] = {static_cast<RegistryValue::Type>(type),
                                           text.toStdString(), number};
        std::string value = "held before";
        QCOMPARE(folvane::GetKeyValue(registry, RegistryRoot::LocalMachine, "K", "V", value),
                 result);
        QCOMPARE(QString::fromStdString(value), keyVal);
    }

    void systemInformationButtonReachesTheForm() {
        // No tool anywhere: the about box says so in the system message box.
        FakeRegistry registry;
        FakeLauncher launcher;
        folvane::form::VersionDialog form(registry, launcher);
        VersionDialog version(nullptr, form);
        QString message;
        QWidget* over = nullptr;
        WhenModalShown([&](QWidget& shown) {
            message = shown.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
            over = shown.parentWidget();
            shown.close();
        });
        Control<QPushButton>(&version, "cmdSysInfo")->click();
        QCOMPARE(message, QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
        QCOMPARE(over, &version);
        // A tool on the search path is started.
        launcher.onPath = "/usr/bin/hardinfo";
        Control<QPushButton>(&version, "cmdSysInfo")->click();
        QCOMPARE(launcher.started, (QStringList{"/usr/bin/hardinfo"}));
    }

    void thisSystemHasNoRegistry() {
        QVERIFY(!folvane::SystemRegistry().QueryValue(
            RegistryRoot::LocalMachine, std::string(folvane::kSysInfoPathKey), "PATH"));
    }

    void launcherFindsTheFirstListedToolOnThePath() {
        const QByteArray savedPath = qgetenv("PATH");
        QDir(dir->path()).mkpath("one");
        QDir(dir->path()).mkpath("two");
        auto tool = [this](const QString& relative, bool executable) {
            QVERIFY(WriteText(dir->filePath(relative), "#!/bin/sh\nexit 0\n"));
            QFile::setPermissions(dir->filePath(relative), executable
                                                               ? QFile::ReadOwner | QFile::ExeOwner
                                                               : QFile::ReadOwner);
        };
        tool("one/hardinfo", false);  // not executable: passed over
        tool("two/xfce4-taskmanager", true);
        tool("two/kinfocenter", true);
        QDir(dir->path()).mkpath("one/gnome-system-monitor");  // a folder is no program
        qputenv("PATH", QFile::encodeName(dir->filePath("one") + ":" + dir->filePath("two")));
        auto found = folvane::SystemLauncher().FindSystemInfoProgram();
        QCOMPARE(QString::fromStdString(found.value_or("")), dir->filePath("two/kinfocenter"));
        qputenv("PATH", QFile::encodeName(dir->filePath("one")));
        found = folvane::SystemLauncher().FindSystemInfoProgram();
        qputenv("PATH", savedPath);
        QVERIFY(!found);
    }

    void launcherStartsWithoutWaiting() {
        folvane::ProgramLauncher& launcher = folvane::SystemLauncher();
        const QString marker = dir->filePath("started");
        const QString script = dir->filePath("tool");
        // Leaves a mark, then stays a while: Start must not wait for it.
        QVERIFY(WriteText(script, ("#!/bin/sh\ntouch '" + marker + "'\nsleep 3\n").toUtf8()));
        QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(launcher.Start(script.toStdString()));
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 5000);

        QVERIFY(!launcher.Start(dir->filePath("missing").toStdString()));
        QVERIFY(WriteText(dir->filePath("plain"), "not a program"));
        QVERIFY(!launcher.Start(dir->filePath("plain").toStdString()));
        QVERIFY(launcher.FileExists(dir->filePath("plain").toStdString()));
        QVERIFY(!launcher.FileExists(dir->path().toStdString()));
        QVERIFY(!launcher.FileExists(dir->filePath("missing").toStdString()));
    }

    void networkBrowseStartsAtTheDesktopsMounts() {
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir->path()));
        const auto without = folvane::NetworkBrowseStart();
        QDir(dir->path()).mkpath("gvfs");
        const auto with = folvane::NetworkBrowseStart();
        qputenv("XDG_RUNTIME_DIR", saved);
        QCOMPARE(QString::fromStdString(with.value_or("")), dir->filePath("gvfs"));
        const QString fallback = QDir("/mnt").exists()     ? QStringLiteral("/mnt")
                                 : QDir("/media").exists() ? QStringLiteral("/media")
                                                           : QString();
        QCOMPARE(QString::fromStdString(without.value_or("")), fallback);
        QCOMPARE(folvane::AsChosenNetworkFolder("/Server/Share"), std::string("/Server/Share"));
    }

    void f1OpensTheHelpAtItsMainTopic() {
        MainForm1 form;
        form.form().SetHelpFile(FOLVANE_HELP_FILE);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        // From a text box too: F1 is the menu's.
        Control<QWidget>(&form, "Result")->setFocus();
        QTest::keyClick(Control<QWidget>(&form, "Result"), Qt::Key_F1);
        auto* viewer = Control<HelpViewer>(&form, "HelpViewer");
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->topic(), QStringLiteral("Folvane画面"));
        QTextBrowser* browser = viewer->browser();
        QVERIFY(browser->source().toLocalFile().endsWith(QStringLiteral("/Folvane.html")));
        // Scrolled so that the topic's heading is at the top.
        QTRY_VERIFY(browser->verticalScrollBar()->value() > 0);
        const QTextCursor top = browser->cursorForPosition(QPoint(4, 4));
        QVERIFY2(top.block().text().contains(QStringLiteral("Folvane画面")) ||
                     top.block().next().text().contains(QStringLiteral("Folvane画面")),
                 qPrintable(top.block().text()));
        const QString page = browser->toPlainText();
        for (const char* words : {"結果表示", "直接ファイルに書出し", "項目選択", "総合計",
                                  "サイズ別合計", "SizeList.txt", "コピー", "ファイル選択"})
            QVERIFY2(page.contains(QString::fromUtf8(words)), words);
        // Asked again, the same window comes back.
        Control<QAction>(&form, "IDMHelp")->trigger();
        QCOMPARE(form.findChildren<HelpViewer*>().size(), 1);
        // Closing the main window closes the help with it.
        form.close();
        QVERIFY(!viewer->isVisible());
    }

    void missingHelpSaysSo() {
        MainForm1 form;
        const QString missing = dir->filePath("Folvane.html");
        form.form().SetHelpFile(missing.toStdString());
        QString message;
        WhenModalShown([&message](QWidget& shown) {
            message = shown.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
            shown.close();
        });
        Control<QAction>(&form, "IDMHelp")->trigger();
        QVERIFY(message.contains(missing));
        QVERIFY(message.contains(QStringLiteral("見つかりません")));
        auto* viewer = Control<HelpViewer>(&form, "HelpViewer");
        QVERIFY(!viewer || !viewer->isVisible());
    }

    void everyMenuItemReachesItsHandler() {
        MainForm1 form;
        form.form().SetHelpFile(FOLVANE_HELP_FILE);
        form.show();
        auto item = [&form](const char* name) { return Control<QAction>(&form, name); };
        QStringList names;
        auto closeNext = [&names] {
            WhenModalShown([&names](QWidget& shown) {
                names.push_back(shown.objectName());
                shown.close();
            });
        };
        closeNext();
        item("IDMSelect")->trigger();
        closeNext();
        item("IDMVer")->trigger();
        QCOMPARE(names, (QStringList{"SelectDialog", "Version"}));
        item("IDMHelp")->trigger();
        QVERIFY(Control<HelpViewer>(&form, "HelpViewer")->isVisible());

        QVERIFY(WriteTiff(dir->filePath("a.tif"), {{1654, 2339, 200}}));
        form.DropPaths({dir->filePath("a.tif")});
        form.form().FinishExamination();
        item("IDMView")->trigger();
        QCOMPARE(form.form().State().ResultState, 1);
        names.clear();
        // The Save-As dialog, cancelled, then the message saying so.
        WhenModalShown([&names, closeNext](QWidget& shown) {
            names.push_back(shown.objectName());
            closeNext();
            shown.close();
        });
        item("IDMSave")->trigger();
        QCOMPARE(names, (QStringList{"SaveAs", "OKDialog2"}));
        names.clear();
        WhenModalShown([&names, closeNext](QWidget& shown) {
            names.push_back(shown.objectName());
            closeNext();
            shown.close();
        });
        item("IDMD_Save")->trigger();
        QCOMPARE(names, (QStringList{"SaveAs", "OKDialog2"}));
        item("IDMCH0")->trigger();
        QVERIFY(!Control<QCheckBox>(&form, "Check0")->isChecked());
        item("IDMCHTO")->trigger();
        QVERIFY(!Control<QCheckBox>(&form, "Check_Total")->isChecked());
        item("IDMCHCT")->trigger();
        QVERIFY(!Control<QCheckBox>(&form, "Check_CTotal")->isChecked());
        item("IDMClear")->trigger();
        QCOMPARE(Control<ListBoxWidget>(&form, "List1")->count(), 0);
        item("IDMExit")->trigger();
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(AboutHelpTest)
#include "tst_about_help.moc"
