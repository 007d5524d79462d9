// MainForm1 on Win32: the window with its auxiliary windows as the form
// layer's view, and the form itself. Messages become calls on the form;
// what the form asks for becomes messages to the controls.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "form/main_form.h"
#include "form/main_form_view.h"
#include "win32/main_window.h"
#include "win32/message_windows.h"

namespace folvane::win32 {

class MainFormWindow final : public form::MainFormView, public MainWindowEvents {
  public:
    explicit MainFormWindow(HINSTANCE instance, form::MainFormServices services = {});
    ~MainFormWindow() override;

    HWND Handle() const { return window_.Handle(); }
    MainWindow& Window() { return window_; }
    form::MainForm& Form() { return *form_; }
    OkDialogWindow& OkDialog1Window() { return *okDialog1_; }
    OkDialogWindow& OkDialog2Window() { return *okDialog2_; }
    CloseDialogWindow& CloseDialogPrompt() { return *closeDialog_; }
    ProgressWindow& Progress() { return *progress_; }
    // Called after every run; the tests wait on it.
    void SetRunFinishedHook(std::function<void()> hook) { runFinished_ = std::move(hook); }

    // --- MainWindowEvents ---
    void Command(int id) override;
    void Dropped(const std::vector<std::string>& paths) override;
    void ListMouseDown(int listId, int button, POINT screen) override;
    void Closing() override;
    void Escape() override;
    void Timer(UINT_PTR id) override;

    // --- form::MainFormView ---
    void SetCheckValue(form::MainCheck box, CheckValue value) override;
    void SetCheckEnabled(form::MainCheck box, bool enabled) override;
    void SetMenuChecked(form::MainMenuItem item, bool checked) override;
    void SetMenuEnabled(form::MainMenuItem item, bool enabled) override;
    void ShowResolutionInputs(bool shown) override;
    std::string ResolutionText(form::ResolutionBox box) const override;
    void SetResolutionText(form::ResolutionBox box, const std::string& text) override;
    void LayOutResultArea(form::ResultLayout layout) override;
    void SetListLines(form::MainList list, std::span<const std::string> lines) override;
    void AppendListLines(form::MainList list, std::span<const std::string> lines) override;
    void RemoveListRows(form::MainList list, std::span<const std::size_t> rows) override;
    std::vector<std::size_t> SelectedListRows(form::MainList list) const override;
    void SetHorizontalExtent(form::MainList list) override;
    void SetResultText(const std::string& text) override;
    std::string ResultText() const override;
    std::optional<form::SaveAsAnswer> AskSavePath(const form::SaveAsRequest& request) override;
    void ShowSystemMessage(const std::string& text) override;
    void ShowContextMenu(form::MainList list) override;
    void ShowSelectDialog(form::SelectDialog& dialog) override;
    void ShowVersionDialog(form::VersionDialog& dialog) override;
    bool ShowHelp(const std::string& file, const std::string& keyword,
                  std::string& reason) override;
    void CloseHelp() override {}
    std::string DefaultHelpFile() const override;
    void SetClipboardText(const std::string& text) override;
    void CloseWindow() override;
    void RunFinished() override;
    void StartExamineTimer() override;
    void StopExamineTimer() override;
    form::OkDialogView& OKDialog1View() override { return *okDialog1_; }
    form::OkDialogView& OKDialog2View() override { return *okDialog2_; }
    form::CloseDialogView& CloseDialogPromptView() override { return *closeDialog_; }
    form::ProgressView& ProgressWindowView() override { return *progress_; }

  private:
    static int ListId(form::MainList list);
    HWND ListWindow(form::MainList list) const;

    MainWindow window_;
    std::unique_ptr<OkDialogWindow> okDialog1_;
    std::unique_ptr<OkDialogWindow> okDialog2_;
    std::unique_ptr<CloseDialogWindow> closeDialog_;
    std::unique_ptr<ProgressWindow> progress_;
    std::unique_ptr<form::MainForm> form_;
    HWND selectDialog_ = nullptr;  // while the selection window is open
    POINT popupAt_{0, 0};
    std::function<void()> runFinished_;
};

// The identifiers of the form's check boxes and menu items.
int CheckId(form::MainCheck box);
int MenuId(form::MainMenuItem item);

}  // namespace folvane::win32
