// ModelessDialog: the progress window shown over the main window while a
// run works.
#pragma once

#include <QDialog>

class QProgressBar;

namespace folvane::gui {

class ModelessDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ModelessDialog(QWidget* owner);

    QProgressBar* ProgressBar1 = nullptr;
};

}  // namespace folvane::gui
