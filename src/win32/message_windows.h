// OKDialog1, OKDialog2, CloseDialog and the progress window ModelessDialog
// on Win32: they show what the form tells them and hand their buttons to it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "form/message_windows.h"
#include "win32/dialog_window.h"
#include "win32/message_loop.h"

namespace folvane::win32 {

class OkDialogWindow final : public DialogWindow, public form::OkDialogView {
  public:
    // OKDialog1 has a picture; OKDialog2 has none and starts with
    // "選択をキャンセルされました。".
    OkDialogWindow(HWND owner, bool withPicture);

    // Where a message owned by the selection window goes: that window, while
    // it is open.
    void SetOwnerLookup(std::function<HWND(form::MessageOwner)> lookup) {
        ownerLookup_ = std::move(lookup);
    }
    std::string Message() const;

    void SetMessage(const std::string& text) override;
    void ShowModal(form::OkDialog& form, form::MessageOwner owner) override;
    void Hide() override;

  private:
    void OnCommand(int id, int code) override;
    void OnClose() override;
    void FitToMessage();

    bool withPicture_;
    int designWidth_;
    int designHeight_;
    form::OkDialog* form_ = nullptr;
    std::function<HWND(form::MessageOwner)> ownerLookup_;
};

class CloseDialogWindow final : public DialogWindow, public form::CloseDialogView {
  public:
    explicit CloseDialogWindow(HWND owner);

    void SetLines(const std::string& first, const std::string& second) override;
    void ShowModal(form::CloseDialog& form) override;
    void Hide() override;

  private:
    void OnCommand(int id, int code) override;
    void OnClose() override;

    form::CloseDialog* form_ = nullptr;
};

class ProgressWindow final : public DialogWindow, public form::ProgressView {
  public:
    explicit ProgressWindow(HWND owner);

    void SetRange(std::int64_t maximum) override;
    void SetValue(std::int64_t value) override;
    void Show() override;
    void Hide() override;
    void SetCaption(const std::string& caption) override;
    void Repaint() override;

    int Value() const;
    int Maximum() const;
    std::string Caption() const;
    // Escape in the window while it has the keyboard.
    void SetCancelHandler(std::function<void()> cancel) { cancel_ = std::move(cancel); }

  private:
    void OnClose() override {}  // no close box; a run ends the window
    void OnCommand(int id, int code) override;

    std::function<void()> cancel_;

    HWND owner_;
    PaintPump pump_;
};

}  // namespace folvane::win32
