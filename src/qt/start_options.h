// What `folvane` is given on its command line: paths, handled as one drop
// on the input list (files dropped on the program's icon arrive this way),
// two options for scripts, and --pdf for the desktop's "Open with" of a
// PDF file.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace folvane::gui {

struct StartOptions {
    QStringList paths;          // made absolute, as the desktop delivers them
    bool run = false;           // --run: press "結果表示" once the window is up
    bool quitAfterRun = false;  // --quit-after-run: and quit after it, unasked
    bool pdf = false;           // --pdf: take PDF files too, as the column menu's item does
    bool help = false;
};

struct ParsedStart {
    StartOptions options;
    std::optional<QString> error;
};

// `arguments` without the program name. "--" ends the options.
ParsedStart ParseStartOptions(const QStringList& arguments, const QString& currentFolder);

QString StartUsage();

}  // namespace folvane::gui
