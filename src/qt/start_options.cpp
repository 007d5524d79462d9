#include "qt/start_options.h"

#include <QDir>

namespace folvane::gui {

ParsedStart ParseStartOptions(const QStringList& arguments, const QString& currentFolder) {
    ParsedStart parsed;
    const QDir current(currentFolder);
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument.startsWith(QLatin1String("--"))) {
            if (argument == QLatin1String("--")) {
                optionsEnded = true;
            } else if (argument == QLatin1String("--run")) {
                parsed.options.run = true;
            } else if (argument == QLatin1String("--quit-after-run")) {
                parsed.options.run = true;
                parsed.options.quitAfterRun = true;
            } else if (argument == QLatin1String("--pdf")) {
                parsed.options.pdf = true;
            } else if (argument == QLatin1String("--help")) {
                parsed.options.help = true;
            } else {
                parsed.error = QStringLiteral("unknown option '%1'").arg(argument);
                return parsed;
            }
            continue;
        }
        if (argument.isEmpty()) continue;
        // The desktop hands over full paths; a trailing separator is kept,
        // as a dropped drive root has one.
        const QString absolute = QDir::isAbsolutePath(argument)
                                     ? argument
                                     : QDir::cleanPath(current.absoluteFilePath(argument));
        parsed.options.paths.push_back(QDir::toNativeSeparators(absolute));
    }
    return parsed;
}

QString StartUsage() {
    return QStringLiteral(
        "usage: folvane [--pdf] [--run | --quit-after-run] [PATH...]\n"
        "  PATH...            files and folders put on the input list as one drop\n"
        "  --pdf              take PDF files too, as \"PDF も対象にする\" does\n"
        "  --run              press \"結果表示\" once the window is shown\n"
        "  --quit-after-run   the same, then quit without asking to save\n");
}

}  // namespace folvane::gui
