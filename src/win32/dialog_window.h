// The secondary windows' common ground: a fixed-size popup window with a
// client area designed in twips, centred over its owner, whose controls are
// laid out at the owner's density and navigated with Tab, Enter and Escape.
#pragma once

#include <windows.h>

#include <memory>

#include "win32/controls.h"
#include "win32/fonts.h"

namespace folvane::win32 {

class DialogWindow {
  public:
    static constexpr const wchar_t* kClassName = L"FolvaneDialog";

    // `toolBorder`: the thin frame of a tool window; otherwise a dialog
    // frame. `closeBox`: a system menu with the close box.
    DialogWindow(HWND owner, const wchar_t* title, int widthTwips, int heightTwips, bool toolBorder,
                 bool closeBox);
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    int Dpi() const { return dpi_; }
    const WindowFonts& Fonts() const { return *fonts_; }

    HWND Add(const ControlDesign& design, HFONT font = nullptr);
    // A new client size in pixels, keeping the window centred over `owner`.
    void ResizeClient(int width, int height);
    void CenterOver(HWND owner);

    // Shows the window modally over `owner` (its original owner when null)
    // and returns once EndModal was called or the window was closed.
    void ShowModal(HWND owner = nullptr);
    void EndModal();
    // The control that has the keyboard when the window is next activated.
    void SetInitialFocus(int id);
    bool IsShownModally() const { return modal_; }

  protected:
    virtual void OnCommand(int /*id*/, int /*code*/) {}
    // The close box; by default as EndModal.
    virtual void OnClose() { EndModal(); }
    // The button Enter presses when no other button has the focus.
    virtual int DefaultButton() const { return IDOK; }
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND owner_;
    HWND window_ = nullptr;
    int dpi_ = 96;
    std::unique_ptr<WindowFonts> fonts_;
    HWND focus_ = nullptr;
    bool done_ = true;
    bool modal_ = false;
};

}  // namespace folvane::win32
