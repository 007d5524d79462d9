// The input list: drops of files and folders onto List1. The expansion,
// order and duplicate removal are the core's, shared with the command line.
#include <QAction>

#include "input/input_list.h"
#include "input/list_box_widget.h"
#include "mainwindow/main_form.h"
#include "mainwindow/qt_text.h"

namespace folvane::gui {

void MainForm1::List1_OLEDragDrop(const QMimeData& data) {
    // A drop without a file list still counts as a drop: it sets FilesAdded.
    DropPaths(DroppedPaths(data).value_or(QStringList{}));
}

void MainForm1::DropPaths(const QStringList& paths) {
    std::vector<std::string> list = ListedFiles();
    // A path that vanished or cannot be listed is skipped without a message:
    // the list shows what could be added, and the run reports files it
    // cannot open.
    std::vector<PathProblem> problems;
    for (const QString& path : paths) AddDroppedPath(ToCore(path), list, problems);
    state_.FilesAdded = 1;
    SortInputList(list);
    RemoveDuplicateEntries(list);

    QStringList texts;
    texts.reserve(static_cast<qsizetype>(list.size()));
    for (const std::string& entry : list) texts.push_back(ToQt(entry));
    List1->setItemTexts(texts);

    if (List1->count() > 0) {
        IDMView->setEnabled(true);
        IDMD_Save->setEnabled(true);
    }
    SetHorizontalExtent(*List1);
}

void MainForm1::SelctFile_Click() {
    // The folder and file selection window is not part of this program yet;
    // until it is, files come in by dropping them on the list or by naming
    // them on the command line.
}

std::vector<std::string> MainForm1::ListedFiles() const {
    std::vector<std::string> files;
    files.reserve(static_cast<std::size_t>(List1->count()));
    for (int i = 0; i < List1->count(); ++i) files.push_back(ToCore(List1->item(i)->text()));
    return files;
}

}  // namespace folvane::gui
