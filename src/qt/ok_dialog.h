// OKDialog1 and OKDialog2: the program's own one-message windows with an OK
// button, shown modally by their form.
#pragma once

#include <QDialog>
#include <QSize>

#include "form/message_windows.h"

class QLabel;
class QPushButton;

namespace folvane::gui {

class OkDialog : public QDialog, public form::OkDialogView {
    Q_OBJECT

  public:
    enum class Kind {
        WithPicture,  // OKDialog1: refusals
        Plain,        // OKDialog2: a save that did not happen
    };

    OkDialog(Kind kind, QWidget* owner);

    QString message() const;
    // The window a message owned by another window than the main one is
    // shown over, while that window is up (the selection window).
    void setSecondOwner(QWidget* window) { secondOwner_ = window; }

    // --- form::OkDialogView ---
    void SetMessage(const std::string& text) override;
    void ShowModal(form::OkDialog& form, form::MessageOwner owner) override;
    void Hide() override { hide(); }

  private:
    void FitToMessage();

    QWidget* secondOwner_ = nullptr;
    form::OkDialog* form_ = nullptr;
    QSize designSize_;
    QLabel* label1_ = nullptr;
    QPushButton* okButton_ = nullptr;
    int labelLeft_ = 0;
};

}  // namespace folvane::gui
