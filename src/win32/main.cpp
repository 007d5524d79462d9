// folvane.exe: the main window. Paths on the command line (files dropped on
// the program's icon arrive this way) are one drop on the input list.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "win32/controls.h"
#include "win32/main_window.h"
#include "win32/message_loop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    using namespace folvane::win32;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS |
                                                       ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    std::vector<std::string> paths;
    int count = 0;
    if (wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i) paths.push_back(Utf8(arguments[i]));
        LocalFree(arguments);
    }

    MainWindowEvents events;
    MainWindow window(instance, events);
    if (window.Handle() == nullptr) return 1;
    ShowWindow(window.Handle(), show);
    UpdateWindow(window.Handle());
    if (!paths.empty()) events.Dropped(paths);
    return RunMessageLoop(window.Handle(), window.Accelerators());
}
