// folvane.exe: the main window. Paths on the command line (files dropped on
// the program's icon arrive this way) are one drop on the input list.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "win32/controls.h"
#include "win32/main_form_window.h"
#include "win32/message_loop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    using namespace folvane::win32;
    // The shell's folder picker and the Save-As dialog want COM on this
    // thread, in a single-threaded apartment.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS |
                                                       ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    std::vector<std::string> paths;
    int count = 0;
    if (wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i) paths.push_back(Utf8(arguments[i]));
        LocalFree(arguments);
    }

    int status = 1;
    {
        MainFormWindow window(instance);
        if (window.Handle() != nullptr) {
            ShowWindow(window.Handle(), show);
            UpdateWindow(window.Handle());
            if (!paths.empty()) window.Dropped(paths);
            status = RunMessageLoop(window.Handle(), window.Window().Accelerators());
        }
    }
    CoUninitialize();
    return status;
}
