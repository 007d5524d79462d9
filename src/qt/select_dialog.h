// SelectDialog: the selection window's widgets over its form, made for
// every opening.
#pragma once

#include <QDialog>

#include "form/select_dialog.h"

class QFileDialog;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace folvane::gui {

class DirListBox;
class DriveListBox;
class OkDialog;

class SelectDialog : public QDialog, public form::SelectDialogView {
    Q_OBJECT

  public:
    // `okDialog1` is the main window's message window; the window borrows
    // it, as its owner, for the message about an empty chosen list.
    // Attaches `form`, whose Form_Load fills the views.
    SelectDialog(QWidget* owner, OkDialog& okDialog1, form::SelectDialog& form);
    ~SelectDialog() override;

    // --- form::SelectDialogView ---
    void SetDriveOf(const std::string& path) override;
    void ShowFolderTree(const std::vector<std::string>& chain,
                        const std::vector<std::string>& subfolders) override;
    void SetListItems(form::SelectList list, std::span<const std::string> items) override;
    std::vector<std::size_t> SelectedRows(form::SelectList list) const override;
    void ClearSelection(form::SelectList list) override;
    void LayOutLists(form::ListDisplay display) override;
    std::optional<std::string> AskFolder(const std::string& start) override;
    void ShowOKDialog1(const std::string& message) override;
    void Close() override { done(form_.Confirmed() ? Accepted : Rejected); }

  private:
    void BuildControls();
    void BuildTabOrder();
    void ConnectHandlers();
    QListWidget* List(form::SelectList list) const;

    OkDialog& okDialog1_;
    form::SelectDialog& form_;

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
    QListWidget* FileList = nullptr;
    QPushButton* Select = nullptr;
    QPushButton* Delete = nullptr;
    QLabel* Label5 = nullptr;
    QListWidget* SelectList = nullptr;
};

// The folder picker, set up with its title, folders only, `start`.
void ConfigureFolderPicker(QFileDialog& dialog, const QString& start);

}  // namespace folvane::gui
