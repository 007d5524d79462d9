// CloseDialog: the question asked when the main window closes with results
// that were displayed and not saved.
#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QPushButton;

namespace folvane::gui {

// The platform's message-box codes, which the unload handler compares with.
inline constexpr std::int16_t kAnswerYes = 6;
inline constexpr std::int16_t kAnswerNo = 7;

class CloseDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CloseDialog(QWidget* owner);

    void setLines(const QString& first, const QString& second);

    // 6 after "保存する", 7 after "いいえ"; 0 before the first answer. The
    // close box leaves it as it was.
    std::int16_t CloseDialogAnswer = 0;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void YesButton_Click();
    void NoButton_Click();

    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QPushButton* noButton_ = nullptr;
};

}  // namespace folvane::gui
