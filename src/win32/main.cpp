// folvane.exe: the main window. Paths on the command line (files dropped on
// the program's icon arrive this way) are one drop on the input list, made
// absolute as the desktop delivers them. For scripts, as the Linux window:
// --run presses "結果表示" once the window is up, --quit-after-run also
// ends the program after that run without asking about saving. --pdf takes
// PDF files too, as "PDF も対象にする" does: the installer's "Open with" for
// PDF files passes it.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "win32/controls.h"
#include "win32/main_form_window.h"
#include "win32/message_loop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    using namespace folvane::win32;
    // The shell's folder picker and the Save-As dialog want COM on this
    // thread, in a single-threaded apartment; drops from Explorer want OLE.
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS |
                                                       ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    std::vector<std::string> paths;
    bool run = false;
    bool quitAfterRun = false;
    bool pdf = false;
    int count = 0;
    if (wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count)) {
        bool options = true;
        for (int i = 1; i < count; ++i) {
            const std::wstring argument = arguments[i];
            if (options && argument == L"--") {
                options = false;
            } else if (options && argument == L"--run") {
                run = true;
            } else if (options && argument == L"--quit-after-run") {
                run = quitAfterRun = true;
            } else if (options && argument == L"--pdf") {
                pdf = true;
            } else {
                std::vector<wchar_t> full(32768, L'\0');
                const DWORD length = GetFullPathNameW(
                    argument.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
                paths.push_back(length > 0 && length < full.size() ? Utf8(full.data())
                                                                   : Utf8(argument));
            }
        }
        LocalFree(arguments);
    }

    int status = 1;
    {
        MainFormWindow window(instance);
        if (window.Handle() != nullptr) {
            ShowWindow(window.Handle(), show);
            UpdateWindow(window.Handle());
            // Before the drop, so that the PDF files named are taken.
            if (pdf) window.Form().IDMPdf_Click();
            if (!paths.empty()) window.Dropped(paths);
            if (run) {
                // Leaves without closing the window, so nothing is asked:
                // once the run is over, which waits for the dropped paths
                // to be examined.
                if (quitAfterRun) window.SetRunFinishedHook([] { PostQuitMessage(0); });
                window.Form().Start_Click();
                if (quitAfterRun && !window.Form().IsExamining()) PostQuitMessage(0);
            }
            status = RunMessageLoop(window.Handle(), window.Window().Accelerators());
        }
    }
    OleUninitialize();
    return status;
}
