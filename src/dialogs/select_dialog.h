// SelectDialog: the window in which the user gathers folders and TIFF files
// into a chosen list and hands it to the main window's input list. A fresh
// one is made for every opening.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "input/input_list.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace folvane::gui {

class DirListBox;
class DriveListBox;
class FileListBox;
class OkDialog;

class SelectDialog : public QDialog {
    Q_OBJECT

  public:
    // `okDialog1` is the main window's message window; the window borrows
    // it, as its owner, for the message about an empty chosen list.
    SelectDialog(QWidget* owner, OkDialog& okDialog1);

    // The files the confirmed list stands for, in its order; empty unless
    // the user confirmed.
    const QStringList& confirmedFiles() const { return confirmedFiles_; }
    // The chosen entries that added nothing (vanished, cannot be listed).
    const std::vector<PathProblem>& confirmedProblems() const { return confirmedProblems_; }

    // --- Handlers ---
    void Form_Load();
    void DrvList_Change();
    void DirList_Change();
    void NetComp_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Select_Click();
    void Delete_Click();
    void Command1_Click();
    void Command2_Click();
    void FillFolderList();

  private:
    void BuildControls();
    void BuildTabOrder();
    void ConnectHandlers();
    // Places the two source lists and their headings for a display mode.
    void LayOutLists(bool folders, bool files, bool wide);
    // Adds the selected entries of `list` to SelectList and unselects them.
    void AddSelected(QListWidget& list);
    void AddToSelectList(const QString& path);

    OkDialog& okDialog1_;
    QStringList confirmedFiles_;
    std::vector<PathProblem> confirmedProblems_;

    QLabel* Label1 = nullptr;
    DriveListBox* DrvList = nullptr;
    QPushButton* NetComp = nullptr;
    QLabel* Label2 = nullptr;
    DirListBox* DirList = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* FolList = nullptr;
    QLabel* Label4 = nullptr;
    FileListBox* FileList = nullptr;
    QPushButton* Select = nullptr;
    QPushButton* Delete = nullptr;
    QLabel* Label5 = nullptr;
    QListWidget* SelectList = nullptr;
};

}  // namespace folvane::gui
