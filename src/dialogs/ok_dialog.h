// OKDialog1 and OKDialog2: the program's own one-message windows with an OK
// button. The caller sets the message, then shows the window modally.
#pragma once

#include <QDialog>
#include <QSize>

class QLabel;
class QPushButton;

namespace folvane::gui {

class OkDialog : public QDialog {
    Q_OBJECT

  public:
    enum class Kind {
        WithPicture,  // OKDialog1: refusals
        Plain,        // OKDialog2: a save that did not happen
    };

    OkDialog(Kind kind, QWidget* owner);

    // Sets Label1 and grows the window when the text needs more room than
    // the design gives it (a long refusal, a failure with its reason).
    void setMessage(const QString& text);
    QString message() const;

  private:
    void OKButton_Click();
    void FitToMessage();

    QSize designSize_;
    QLabel* label1_ = nullptr;
    QPushButton* okButton_ = nullptr;
    int labelLeft_ = 0;
};

}  // namespace folvane::gui
