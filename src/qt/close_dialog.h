// CloseDialog: the question asked when the main window closes with results
// that were displayed and not saved, shown modally by its form.
#pragma once

#include <QDialog>

#include "form/message_windows.h"

class QLabel;
class QPushButton;

namespace folvane::gui {

class CloseDialog : public QDialog, public form::CloseDialogView {
    Q_OBJECT

  public:
    explicit CloseDialog(QWidget* owner);

    // --- form::CloseDialogView ---
    void SetLines(const std::string& first, const std::string& second) override;
    void ShowModal(form::CloseDialog& form) override;
    void Hide() override { hide(); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    form::CloseDialog* form_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QPushButton* noButton_ = nullptr;
};

}  // namespace folvane::gui
