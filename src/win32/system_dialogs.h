// The system's own dialogs and services, in the program's terms (UTF-8
// texts): Save As, the message box, the clipboard, the folder picker, the
// help in the user's browser.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace folvane::win32 {

// The common Save-As dialog: "SizeList.txt" proposed, the two file types,
// a question before an existing file is replaced. Opens in `folder` unless
// it is empty. Nothing when cancelled.
std::optional<std::string> AskSavePath(HWND owner, const std::string& folder);

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
