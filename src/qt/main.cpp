// folvane: the main window.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "qt/main_form.h"
#include "qt/program_icon.h"
#include "qt/start_options.h"
#include "qt/translations.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Folvane"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    QApplication::setWindowIcon(folvane::gui::ProgramIcon());
    // Desktops that group windows by their menu entry take its icon from it.
    QGuiApplication::setDesktopFileName(QStringLiteral("folvane"));
    folvane::gui::InstallJapaneseTranslations(app);

    using namespace folvane::gui;
    const ParsedStart parsed =
        ParseStartOptions(QApplication::arguments().mid(1), QDir::currentPath());
    if (parsed.error) {
        std::fprintf(stderr, "folvane: %s\n%s", qPrintable(*parsed.error),
                     qPrintable(StartUsage()));
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(qPrintable(StartUsage()), stdout);
        return 0;
    }

    MainForm1 window;
    window.show();
    // Before the drop, so that the PDF files named are taken.
    if (parsed.options.pdf) window.form().IDMPdf_Click();
    if (!parsed.options.paths.isEmpty()) window.DropPaths(parsed.options.paths);
    if (parsed.options.run) {
        const bool quit = parsed.options.quitAfterRun;
        QTimer::singleShot(0, &window, [&window, quit] {
            // Leaves the event loop without closing the window, so no
            // question about unsaved results is asked: once the run is
            // over, which waits for the dropped paths to be examined.
            if (quit)
                QObject::connect(&window, &MainForm1::runFinished, qApp,
                                 [] { QCoreApplication::exit(0); });
            window.form().Start_Click();
            if (quit && !window.form().IsExamining()) QCoreApplication::exit(0);
        });
    }
    return QApplication::exec();
}
