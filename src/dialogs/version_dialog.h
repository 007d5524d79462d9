// Version: the about box, made for each showing. Its second button starts
// the system's system-information tool.
#pragma once

#include <QDialog>

class QLabel;

namespace folvane {
class ProgramLauncher;
class Registry;
}  // namespace folvane

namespace folvane::gui {

class VersionDialog : public QDialog {
    Q_OBJECT

  public:
    // The registry and launcher are the system's unless a test gives its own.
    explicit VersionDialog(QWidget* owner);
    VersionDialog(QWidget* owner, const Registry& registry, ProgramLauncher& launcher);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

  private:
    void BuildControls();

    const Registry& registry_;
    ProgramLauncher& launcher_;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
};

// "ﾊﾞｰｼﾞｮﾝ " and the three version numbers, in decimal.
QString VersionText(int major, int minor, int revision);

}  // namespace folvane::gui
