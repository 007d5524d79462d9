// MainForm1 on Win32: the window, its controls laid out from the design in
// twips at the monitor's density, the menu bar and the lists' context menu
// from the resource script. It shows what it is told and reports clicks,
// drops and keys; what they mean is decided elsewhere.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "win32/drop_target.h"
#include "win32/fonts.h"

namespace folvane::win32 {

// How the result area is divided: the list and the totals box, the list and
// a one-line total, or the list alone.
enum class ResultArea { Summary, TotalOnly, None };

// What the window reports. Every method has a do-nothing default.
class MainWindowEvents {
  public:
    virtual ~MainWindowEvents() = default;
    // A menu command, button or check box: its identifier from resource.h.
    virtual void Command(int /*id*/) {}
    // Files dropped on List1, in the order the shell lists them.
    virtual void Dropped(const std::vector<std::string>& /*paths*/) {}
    // A mouse button pressed on List1 or ResultList: 1 left, 2 right, 4 middle.
    virtual void ListMouseDown(int /*listId*/, int /*button*/, POINT /*screen*/) {}
    // The window is being closed (close box, Alt+F4, the "終了" button).
    virtual void Closing() {}
    // Escape pressed in the window.
    virtual void Escape() {}
    // A timer the events' owner set on the window went off.
    virtual void Timer(UINT_PTR /*id*/) {}
};

// A row of a list: its height, and where the text's cell starts in it so
// that the ink from the tallest letter to the lowest underscore shows.
struct ListLine {
    int height = 0;
    int inkTop = 0;
};

class MainWindow {
  public:
    static constexpr const wchar_t* kClassName = L"FolvaneMainForm1";

    // Registers the window class once. `instance` holds the resources.
    static bool Register(HINSTANCE instance);

    MainWindow(HINSTANCE instance, MainWindowEvents& events);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    HMENU Menu() const { return GetMenu(window_); }
    HACCEL Accelerators() const { return accelerators_; }
    // The context menu IDLPM (the "List" menu's items).
    HMENU ListPopup() const { return GetSubMenu(listPopup_, 0); }
    int Dpi() const { return dpi_; }
    const WindowFonts& Fonts() const { return *fonts_; }

    void SetEvents(MainWindowEvents& events) { events_ = &events; }
    MainWindowEvents& Events() const { return *events_; }
    // Whether the program ends with the window (not in the tests, which
    // make many).
    void SetQuitOnDestroy(bool quit) { quitOnDestroy_ = quit; }

    // Check boxes and menu items.
    void SetCheck(int id, bool ticked);
    bool IsChecked(int id) const;
    void SetMenuChecked(int id, bool checked);
    void SetMenuEnabled(int id, bool enabled);
    void SetControlEnabled(int id, bool enabled);
    void SetControlVisible(int id, bool visible);

    void SetResultArea(ResultArea area);
    ResultArea CurrentResultArea() const { return area_; }

    // List1's tooltip for the entry at `index` (-1: none): the whole path
    // when it does not fit. InputTip() is the text it shows now.
    void ShowInputTip(int index);
    std::wstring InputTip() const;
    // What List1 shows of the entry at `index`: the path, shortened in the
    // middle of its folder part when it does not fit.
    std::string InputLineShown(int index) const;

    // The lines of List1 and ResultList (`listId`): the list controls only
    // know how many there are and draw each from these.
    void SetLines(int listId, std::span<const std::string> lines);
    void AppendLines(int listId, std::span<const std::string> lines);
    // `rows` in ascending order.
    void RemoveRows(int listId, std::span<const std::size_t> rows);
    const std::vector<std::string>& Lines(int listId) const;
    // The horizontal scroll range: the widest line and a scroll bar.
    void FitResultExtent();
    // Where the text of ResultList's row in `row` starts, its horizontal
    // scrolling taken into account.
    int ResultTextLeft(const RECT& row) const;

    // The totals box's text; its scroll bars show only when needed in the
    // one-line layout.
    void SetResultText(const std::wstring& text);

    // List1's drop target, registered with OLE: Explorer's drops arrive here.
    IDropTarget* InputDropTarget() const { return dropTarget_.get(); }

    // Destroys the window once the closing was allowed for.
    void Destroy();

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void AddTooltips();
    void FitListLines();
    int ListLineHeight(HFONT font) const;
    ListLine ListLineOf(HFONT font) const;
    void DrawInputItem(const DRAWITEMSTRUCT& item);
    void DrawResultItem(const DRAWITEMSTRUCT& item);
    void FitTotalsScrollBars();
    SIZE TotalsTextSize() const;
    int LineHeightOf(HFONT font) const;
    int InputTextRoom() const;
    std::vector<std::string>& LinesOf(int listId);
    void LayOut();
    void ApplyDpi(int dpi);
    void ClampToWorkArea();

    HINSTANCE instance_;
    MainWindowEvents* events_;
    HWND window_ = nullptr;
    HWND tooltips_ = nullptr;
    HMENU listPopup_ = nullptr;
    HACCEL accelerators_ = nullptr;
    int dpi_ = 96;
    std::unique_ptr<WindowFonts> fonts_;
    ResultArea area_ = ResultArea::Summary;
    bool quitOnDestroy_ = true;
    HWND focus_ = nullptr;  // the control that had the keyboard last
    std::wstring inputTip_;
    std::unique_ptr<DropTarget> dropTarget_;
    std::vector<std::string> inputLines_;
    std::vector<std::string> resultLines_;
    ListLine inputLine_;
    ListLine resultLine_;
};

}  // namespace folvane::win32
