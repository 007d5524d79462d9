// The about box Version on Win32, made for each showing.
#pragma once

#include "form/version_dialog.h"
#include "win32/dialog_window.h"

namespace folvane::win32 {

class VersionDialogWindow final : public DialogWindow, public form::VersionDialogView {
  public:
    static constexpr const wchar_t* kTitlePrefix = L"Folvane";

    explicit VersionDialogWindow(HWND owner);
    ~VersionDialogWindow() override;

    // Attaches `dialog`, shows the window modally and detaches it again.
    void Run(form::VersionDialog& dialog);

    void SetCaption(const std::string& text) override;
    void SetTitle(const std::string& text) override;
    void SetVersionText(const std::string& text) override;
    void ShowSystemMessage(const std::string& text) override;
    void Close() override { EndModal(); }

  private:
    void OnCommand(int id, int code) override;
    void OnClose() override;

    form::VersionDialog* dialog_ = nullptr;
};

}  // namespace folvane::win32
