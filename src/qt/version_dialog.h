// Version: the about box's window, made for each showing over its form.
#pragma once

#include <QDialog>

#include "form/version_dialog.h"

class QLabel;

namespace folvane::gui {

class VersionDialog : public QDialog, public form::VersionDialogView {
    Q_OBJECT

  public:
    // Attaches `form`, which fills the labels.
    VersionDialog(QWidget* owner, form::VersionDialog& form);
    ~VersionDialog() override;

    // --- form::VersionDialogView ---
    void SetCaption(const std::string& text) override;
    void SetTitle(const std::string& text) override;
    void SetVersionText(const std::string& text) override;
    void ShowSystemMessage(const std::string& text) override;
    void Close() override { accept(); }

  protected:
    // Escape and the close box close it as "OK" does.
    void reject() override { form_.cmdOK_Click(); }

  private:
    void BuildControls();

    form::VersionDialog& form_;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
};

}  // namespace folvane::gui
