// The frames of the windows: the program's icon on the main window and on
// every window it owns (title bars, task bar, the about box's picture), and
// the secondary windows' fixed dialog frames without minimise and maximise
// buttons, the "書出し終了" box wide enough for its caption.
#include <QAction>
#include <QFontMetrics>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <functional>

#include "form/version_dialog.h"
#include "qt/main_form.h"
#include "qt/twips.h"
#include "qt/version_dialog.h"
#include "window_test_support.h"

using namespace folvane::gui;
using folvane::test::Control;
using folvane::test::WhenModalShown;

namespace {

// The 32-pixel picture of the icon file the menu entry's icon is drawn from.
QImage IconFilePicture() {
    QImageReader reader(QStringLiteral(FOLVANE_ICON_FILE));
    for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i); ++i) {
        const QImage image = reader.read();
        if (image.size() == QSize(32, 32)) return image.convertToFormat(QImage::Format_ARGB32);
    }
    return {};
}

QImage Picture(const QIcon& icon) {
    return icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
}

// A window as the window manager is asked to frame it.
void VerifyFixedDialogFrame(const QWidget& window, bool closeButton) {
    const Qt::WindowFlags flags = window.windowFlags();
    const QByteArray name = window.objectName().toLatin1();
    QVERIFY2(flags.testFlag(Qt::Dialog), name);
    // Only what is asked for, without Qt's own additions.
    QVERIFY2(flags.testFlag(Qt::CustomizeWindowHint), name);
    QVERIFY2(flags.testFlag(Qt::WindowTitleHint), name);
    QCOMPARE(flags.testFlag(Qt::WindowCloseButtonHint), closeButton);
    for (Qt::WindowType unwanted : {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint,
                                    Qt::WindowFullscreenButtonHint}) {
        QVERIFY2(!flags.testFlag(unwanted), name + " asks for a button it must not have");
    }
    // Fixed: nothing to resize or maximise.
    QVERIFY2(window.minimumSize() == window.maximumSize(), name);
}

}  // namespace

class WindowFramesTest : public QObject {
    Q_OBJECT

    QImage expected;
    std::unique_ptr<MainForm1> form;

    QImage ShownIcon(const QWidget& window) { return Picture(window.windowIcon()); }

    // Runs `act` on the window `trigger` shows modally, then closes it.
    void OnModal(const std::function<void()>& trigger, const std::function<void(QWidget&)>& act) {
        bool seen = false;
        WhenModalShown([&](QWidget& shown) {
            seen = true;
            act(shown);
            shown.close();
        });
        trigger();
        QVERIFY(seen);
    }

  private slots:
    void initTestCase() {
        expected = IconFilePicture();
        QVERIFY(!expected.isNull());
    }
    void init() {
        form = std::make_unique<MainForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { form.reset(); }

    void mainWindowShowsTheProgramIcon() {
        QVERIFY(!form->windowIcon().isNull());
        QCOMPARE(ShownIcon(*form), expected);
        // The task bar takes the window's own icon.
        QVERIFY(form->windowHandle() != nullptr);
        QCOMPARE(Picture(form->windowHandle()->icon()), expected);
    }

    void ownedWindowsShowTheMainWindowsIcon() {
        for (const char* name : {"ModelessDialog", "OKDialog1", "OKDialog2", "CloseDialog"}) {
            auto* window = Control<QWidget>(form.get(), name);
            QVERIFY2(window != nullptr, name);
            QVERIFY2(ShownIcon(*window) == expected, name);
        }
        OnModal([this] { Control<QAction>(form.get(), "IDMSelect")->trigger(); },
                [this](QWidget& select) {
                    QCOMPARE(select.objectName(), QStringLiteral("SelectDialog"));
                    QCOMPARE(ShownIcon(select), expected);
                });
        OnModal([this] { Control<QAction>(form.get(), "IDMVer")->trigger(); },
                [this](QWidget& about) {
                    QCOMPARE(about.objectName(), QStringLiteral("Version"));
                    QCOMPARE(ShownIcon(about), expected);
                });
        OnModal([this] { form->ShowSystemMessage("書出し終了"); },
                [this](QWidget& message) { QCOMPARE(ShownIcon(message), expected); });
    }

    void aboutBoxPictureIsTheProgramIcon() {
        folvane::form::VersionDialog about;
        VersionDialog version(form.get(), about);
        const QPixmap picture = Control<QLabel>(&version, "picIcon")->pixmap();
        QCOMPARE(picture.toImage().convertToFormat(QImage::Format_ARGB32), expected);
    }

    void secondaryWindowsHaveFixedDialogFrames() {
        // The progress window has no close button: the run ends it.
        VerifyFixedDialogFrame(*Control<QWidget>(form.get(), "ModelessDialog"), false);
        for (const char* name : {"OKDialog1", "OKDialog2", "CloseDialog"})
            VerifyFixedDialogFrame(*Control<QWidget>(form.get(), name), true);
        OnModal([this] { Control<QAction>(form.get(), "IDMSelect")->trigger(); },
                [](QWidget& select) { VerifyFixedDialogFrame(select, true); });
        OnModal([this] { Control<QAction>(form.get(), "IDMVer")->trigger(); },
                [](QWidget& about) { VerifyFixedDialogFrame(about, true); });
        OnModal([this] { form->ShowSystemMessage("書出し終了"); },
                [](QWidget& message) { VerifyFixedDialogFrame(message, true); });
    }

    void saveDoneBoxIsWideEnoughForItsCaption() {
        OnModal([this] { form->ShowSystemMessage("書出し終了"); },
                [](QWidget& message) {
                    auto& box = dynamic_cast<QMessageBox&>(message);
                    QCOMPARE(box.text(), QStringLiteral("書出し終了"));
                    QCOMPARE(box.windowTitle(), QStringLiteral("Folvane"));
                    // The caption, bold as title bars draw it, beside room for the
                    // icon and buttons a title bar draws (at least 100 pixels)...
                    QFont bold = box.font();
                    bold.setBold(true);
                    QVERIFY(box.width() >=
                            QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + 100);
                    // ...and no narrower than the program's own message window.
                    QVERIFY(box.width() >= TwipsSize(2970, 1140).width());
                });
    }
};

QTEST_MAIN(WindowFramesTest)
#include "tst_window_frames.moc"
