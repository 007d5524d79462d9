// The input list: drops of files and folders onto List1, the selection
// window, and the context menu of both lists. The expansion, order and
// duplicate removal are the core's, shared with the command line.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include "dialogs/dialog_seam.h"
#include "dialogs/select_dialog.h"
#include "input/input_list.h"
#include "input/list_box_widget.h"
#include "input/list_context_menu.h"
#include "mainwindow/main_form.h"
#include "mainwindow/qt_text.h"

namespace folvane::gui {

void MainForm1::List1_OLEDragDrop(const QMimeData& data) {
    // A drop without a file list still counts as a drop: it sets FilesAdded.
    DropPaths(DroppedPaths(data).value_or(QStringList{}));
}

void MainForm1::DropPaths(const QStringList& paths) {
    // A path that vanished or a folder that cannot be listed adds nothing;
    // every run lists it among the files with errors, with its reason.
    std::vector<std::string> added;
    std::vector<PathProblem> problems;
    for (const QString& path : paths) AddDroppedPath(ToCore(path), added, problems);
    NoteInputProblems(state_, problems);
    AddToList1(std::move(added));
}

void MainForm1::SelctFile_Click() {
    if (running_) return;
    // A fresh window each time: its lists start empty.
    SelectDialog dialog(this, *okDialog1_);
    DialogSeam::showModal(dialog);
    // Cancelled or not, the window counts as an addition.
    std::vector<std::string> added;
    for (const QString& path : dialog.confirmedFiles()) added.push_back(ToCore(path));
    NoteInputProblems(state_, dialog.confirmedProblems());
    AddToList1(std::move(added));
}

void MainForm1::AddToList1(std::vector<std::string> added) {
    std::vector<std::string> list = ListedFiles();
    list.insert(list.end(), std::make_move_iterator(added.begin()),
                std::make_move_iterator(added.end()));
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

void MainForm1::List1_MouseDown(int Button, const QPoint& globalPos) {
    ListMouseDown(*List1, Button, globalPos);
}

void MainForm1::ResultList_MouseDown(int Button, const QPoint& globalPos) {
    ListMouseDown(*ResultList, Button, globalPos);
}

void MainForm1::ListMouseDown(ListBoxWidget& list, int Button, const QPoint& globalPos) {
    PopupTargetList = &list;
    if (Button == 2 && !running_) {
        // The items can be chosen only while the popup is open.
        IDLPMCopy->setEnabled(true);
        IDLPMDel->setEnabled(true);
        DialogSeam::showPopup(*IDLPM, globalPos);
        IDLPMCopy->setEnabled(false);
        IDLPMDel->setEnabled(false);
    }
    PopupTargetList = nullptr;
}

void MainForm1::IDLPMCopy_Click() {
    if (PopupTargetList == nullptr) return;
    QGuiApplication::clipboard()->setText(SelectedEntriesText(*PopupTargetList));
}

void MainForm1::IDLPMDel_Click() {
    // Nothing else follows: FilesAdded, the menus, the scroll range and the
    // totals stay as they were.
    if (PopupTargetList != nullptr) RemoveSelectedEntries(*PopupTargetList);
}

std::vector<std::string> MainForm1::ListedFiles() const {
    std::vector<std::string> files;
    files.reserve(static_cast<std::size_t>(List1->count()));
    for (int i = 0; i < List1->count(); ++i) files.push_back(ToCore(List1->item(i)->text()));
    return files;
}

}  // namespace folvane::gui
