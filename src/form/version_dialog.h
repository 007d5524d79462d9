// Version: the about box, made for each showing. Its second button starts
// the system's system-information tool.
#pragma once

#include <string>
#include <vector>

namespace folvane {
class ProgramLauncher;
class Registry;
}  // namespace folvane

namespace folvane::form {

class VersionDialog;

class VersionDialogView {
  public:
    virtual ~VersionDialogView() = default;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetTitle(const std::string& text) = 0;        // lblTitle
    virtual void SetVersionText(const std::string& text) = 0;  // lblVersion
    // The system message box titled "Folvane", owned by the about box.
    virtual void ShowSystemMessage(const std::string& text) = 0;
    // Ends the window's modal showing.
    virtual void Close() = 0;
};

class VersionDialog {
  public:
    // The registry and launcher are the system's unless a test gives its own.
    VersionDialog();
    VersionDialog(const Registry& registry, ProgramLauncher& launcher);

    // The view calls Attach once its controls exist (Form_Load follows) and
    // Detach before it goes. "OK", Enter and Escape reach cmdOK_Click.
    void Attach(VersionDialogView& view);
    void Detach() { view_ = nullptr; }

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

  private:
    const Registry& registry_;
    ProgramLauncher& launcher_;
    VersionDialogView* view_ = nullptr;
};

// "ﾊﾞｰｼﾞｮﾝ " and the three version numbers, in decimal.
std::string VersionText(int major, int minor, int revision);

// The description's two lines as designed: the run of ideographic spaces
// in it is where its label wraps. For a view whose labels would break the
// text elsewhere (in the middle of a word, as Japanese text has no spaces).
std::vector<std::string> AboutDescriptionLines();

}  // namespace folvane::form
