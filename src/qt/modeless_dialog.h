// ModelessDialog: the progress window shown over the main window while a
// run works.
#pragma once

#include <QDialog>

#include "form/message_windows.h"

class QProgressBar;

namespace folvane::gui {

class ModelessDialog : public QDialog, public form::ProgressView {
    Q_OBJECT

  public:
    explicit ModelessDialog(QWidget* owner);

    QProgressBar* ProgressBar1 = nullptr;

    // --- form::ProgressView ---
    void SetRange(std::int64_t maximum) override;
    void SetValue(std::int64_t value) override;
    void Show() override { show(); }
    void Hide() override { hide(); }
    void SetCaption(const std::string& caption) override;
    void Repaint() override;

  signals:
    // Escape while the window has the keyboard (it has no other way out).
    void cancelRequested();

  protected:
    void reject() override { emit cancelRequested(); }
};

}  // namespace folvane::gui
