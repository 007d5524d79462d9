// The system's own dialogs and services, in the program's terms (UTF-8
// texts): Save As, the message box, the clipboard, the folder picker, the
// help in the user's browser.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "form/main_form_view.h"

namespace folvane::win32 {

// The common Save-As dialog: the request's file types, its choice
// selected and its name proposed, a question before an existing file is
// replaced. Opens in the request's folder unless it is empty. A name typed
// without an extension gets the selected type's default suffix, where it
// has one. Nothing when cancelled.
std::optional<form::SaveAsAnswer> AskSavePath(HWND owner, const form::SaveAsRequest& request);

// The system message box titled "Folvane" with an OK button and no icon.
void ShowMessageBox(HWND owner, const std::string& text);

// Replaces the clipboard's contents with `text` as Unicode text.
bool PutOnClipboard(HWND owner, const std::string& text);

// The shell's folder picker rooted at the network places, file-system
// folders only. Nothing when cancelled or when the choice has no path.
std::optional<std::string> AskNetworkFolder(HWND owner, const std::string& title);

// Opens `file` in the user's browser at the anchor `keyword`; false when
// the file cannot be read or no program opens it, with the system's reason.
bool OpenHelpFile(const std::string& file, const std::string& keyword, std::string& reason);

// The folder the running program lies in.
std::string ProgramFolder();

}  // namespace folvane::win32
