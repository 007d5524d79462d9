// The auxiliary windows of the main window, loaded hidden with it: the two
// message windows OKDialog1 (refusals) and OKDialog2 (a save that did not
// happen), the unsaved-result question CloseDialog and the progress window
// ModelessDialog. Each is a small form over its own view; the view shows
// what it is told and hands the user's clicks to the form.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "run/run_sinks.h"

namespace folvane::form {

// The window a message window is shown over.
enum class MessageOwner { MainForm1, SelectDialog };

class OkDialog;
class CloseDialog;

// --- OKDialog1, OKDialog2 ---
class OkDialogView {
  public:
    virtual ~OkDialogView() = default;
    // Label1's text; the window grows when the text needs more room.
    virtual void SetMessage(const std::string& text) = 0;
    // Shows the window modally over `owner` and returns once it is hidden.
    // While shown, "OK" (and Enter, Escape) reach form.OKButton_Click().
    virtual void ShowModal(OkDialog& form, MessageOwner owner) = 0;
    virtual void Hide() = 0;
};

class OkDialog {
  public:
    explicit OkDialog(OkDialogView& view) : view_(view) {}
    // Puts `message` into Label1 and shows the window modally.
    void Show(const std::string& message, MessageOwner owner = MessageOwner::MainForm1);
    void OKButton_Click() { view_.Hide(); }
    void Hide() { view_.Hide(); }

  private:
    OkDialogView& view_;
};

// --- CloseDialog ---
// The platform's message-box codes, which the unload handler compares with.
inline constexpr std::int16_t kAnswerYes = 6;
inline constexpr std::int16_t kAnswerNo = 7;

class CloseDialogView {
  public:
    virtual ~CloseDialogView() = default;
    virtual void SetLines(const std::string& first, const std::string& second) = 0;
    // Shows the window modally over the main window until it is hidden.
    // While shown, "保存する" reaches form.YesButton_Click(), "いいえ" and
    // Escape form.NoButton_Click(); the close box only hides the window.
    virtual void ShowModal(CloseDialog& form) = 0;
    virtual void Hide() = 0;
};

class CloseDialog {
  public:
    explicit CloseDialog(CloseDialogView& view) : view_(view) {}
    // Asks the two lines; CloseDialogAnswer then holds the answer.
    void Ask(const std::string& first, const std::string& second);
    void YesButton_Click();
    void NoButton_Click();
    void Hide() { view_.Hide(); }

    // 6 after "保存する", 7 after "いいえ"; 0 before the first answer. The
    // close box leaves it as it was.
    std::int16_t CloseDialogAnswer = 0;

  private:
    CloseDialogView& view_;
};

// --- ModelessDialog ---
class ProgressView {
  public:
    virtual ~ProgressView() = default;
    // ProgressBar1's range is 0 to `maximum`; the value within it.
    virtual void SetRange(std::int64_t maximum) = 0;
    virtual void SetValue(std::int64_t value) = 0;
    // Shown modeless over the main window, titled kProgressCaption unless
    // told otherwise.
    virtual void Show() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void Hide() = 0;
    // Lets the windows repaint while the run holds the thread. User input
    // is not taken meanwhile; it waits until the run is over.
    virtual void Repaint() = 0;
};

// The progress window as a run reports to it. Drawing is slow next to
// reading a small file, so the bar is moved and the windows repainted at
// most every kRepaintInterval; a run of tens of thousands of files would
// otherwise spend most of its time drawing.
class ModelessDialog final : public ProgressSink {
  public:
    static constexpr std::chrono::milliseconds kRepaintInterval{50};
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit ModelessDialog(ProgressView& view, Clock clock = {});

    // Runs before every repaint, to put what the run produced so far on
    // screen; cleared at End.
    void SetBeforeRepaint(std::function<void()> beforeRepaint) {
        beforeRepaint_ = std::move(beforeRepaint);
    }

    void Begin(std::int64_t fileCount) override;
    void FileDone(std::int64_t index, std::int64_t pagesSoFar) override;
    void End() override;

    // While dropped paths are examined: "ファイルを確認しています" with how
    // many of the `total` paths dropped were examined ("（120 / 20000）"; a
    // folder's entries count too, and past `total` the count stands alone),
    // the window shown without a run.
    void ShowExamining(std::int64_t examined, std::int64_t total);
    void EndExamining();
    void Hide() { view_.Hide(); }

    int RepaintCount() const { return repaints_; }

  private:
    void Repaint(std::int64_t value);

    ProgressView& view_;
    Clock clock_;
    std::function<void()> beforeRepaint_;
    std::chrono::steady_clock::time_point lastRepaint_{};
    std::int64_t maximum_ = 0;
    int repaints_ = 0;
};

}  // namespace folvane::form
