// Helpers shared by the main window's tests: fixture files, what the core
// itself produces for the same input, and finding controls by name.
#pragma once

#include <QMimeData>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "state/selection_state.h"
#include "tiff_builder.h"

namespace folvane::test {

// A control of `root` by objectName; null when there is none.
template <typename T>
T* Control(const QObject* root, const char* name) {
    return root->findChild<T*>(QString::fromLatin1(name));
}

// Runs `act` on the next modal window or popup menu once it is up, from the
// event loop that shows it: how a test answers the window's questions.
void WhenModalShown(std::function<void(QWidget&)> act);

// Geometry in pixels at 15 twips a pixel.
QRect Px(int left, int top, int width, int height);

// Writes a TIFF file of scanned pages, each {width, height, dpi}.
using ScanPage = fixture::ScanSize;
bool WriteTiff(const QString& path, const std::vector<ScanPage>& pages, bool bigEndian = false);
bool WriteText(const QString& path, const QByteArray& bytes);
QByteArray ReadAll(const QString& path);

// What the core's displayed run gives for these files and choices.
struct DisplayOutput {
    QStringList lines;
    QString totals;  // CR LF line breaks
};
// `withPdf`: *.pdf files read as PDF files, as with "PDF も対象にする".
DisplayOutput CoreDisplayOutput(const std::vector<std::string>& files,
                                const SelectionState& selection, bool withPdf = false);

// The display file's bytes as the core writes them (Shift-JIS, CR LF).
QByteArray CoreDisplayFile(const QStringList& lines, const QString& totals);

// The direct file's bytes as the core writes them for these files.
QByteArray CoreDirectFile(const std::vector<std::string>& files, const SelectionState& selection);

// A desktop drop of these local paths.
std::unique_ptr<QMimeData> FileDrop(const QStringList& paths);

std::vector<std::string> ToCore(const QStringList& texts);

// Files left in `folder` other than `expected` (temporary files a failed
// save might leave behind).
QStringList FilesIn(const QString& folder);

}  // namespace folvane::test
