#include "win32/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "win32/controls.h"
#include "win32/resource.h"
#include "win32/twips.h"

namespace folvane::win32 {

namespace {

// The client area as designed; the window never gets smaller than this.
constexpr int kClientWidth = 11910;
constexpr int kClientHeight = 6630;
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr const wchar_t* kInputListTip =
    L"右クリックで選択部分のコピー･削除が選べます。また このエリアのみDropに対応しています。";

constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheckStyle = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kLabelStyle = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kListStyle = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL |
                             LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT;
// The result lines are tab-separated: tab stops every 8 half-width
// characters, the same as the totals box's, so both show aligned columns.
constexpr DWORD kResultListStyle = kListStyle | LBS_USETABSTOPS;
// List1 draws each path so that its end, the file name, stays in view, and
// shows the whole path as a tooltip: no sideways scrolling needed.
constexpr DWORD kInputListStyle = (kListStyle & ~WS_HSCROLL) | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
// No word wrap: a line of the size summary stays one line.
constexpr DWORD kResultStyle = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL |
                               ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN;
// Hidden and disabled until "解像度別" is ticked.
constexpr DWORD kResolutionStyle = WS_TABSTOP | WS_BORDER | WS_DISABLED | ES_AUTOHSCROLL;

// In the order of the design's tab indexes: the order of creation is the
// order Tab moves in. Labels take no focus.
const ControlDesign kControls[] = {
    {IDC_SELCTFILE, WC_BUTTONW, L"ファイル選択", kButtonStyle, {240, 240, 2055, 495}},
    {IDC_START, WC_BUTTONW, L"結果表示", kButtonStyle, {3240, 240, 2535, 495}},
    {IDC_FILESAVE, WC_BUTTONW, L"結果のﾌｧｲﾙへの書出し", kButtonStyle, {6000, 240, 2535, 495}},
    {IDC_DIRECT_SAVE, WC_BUTTONW, L"直接ファイルに書出し", kButtonStyle, {8760, 240, 2895, 495}},
    {IDC_CLEAR, WC_BUTTONW, L"Clear", kButtonStyle, {8400, 6000, 1335, 375}},
    {IDC_CLOSE, WC_BUTTONW, L"終了", kButtonStyle, {9960, 5880, 1695, 615}},
    {IDC_CHECK0 + 0, WC_BUTTONW, L"ファイル名", kCheckStyle, {240, 5760, 1455, 255}},
    {IDC_CHECK0 + 1, WC_BUTTONW, L"ﾊﾞｲﾄｵｰﾀﾞｰ", kCheckStyle, {240, 6000, 1455, 255}},
    {IDC_CHECK0 + 2, WC_BUTTONW, L"ページ数", kCheckStyle, {240, 6240, 1455, 255}},
    {IDC_CHECK0 + 3, WC_BUTTONW, L"PixelSize", kCheckStyle, {1560, 5760, 1455, 255}},
    {IDC_CHECK0 + 4, WC_BUTTONW, L"解像度", kCheckStyle, {1560, 6000, 1455, 255}},
    {IDC_CHECK0 + 5, WC_BUTTONW, L"ﾐﾘｻｲｽﾞ", kCheckStyle, {1560, 6240, 1455, 255}},
    {IDC_CHECK0 + 6, WC_BUTTONW, L"圧縮形式", kCheckStyle, {2760, 5760, 1455, 255}},
    {IDC_CHECK0 + 7, WC_BUTTONW, L"色数", kCheckStyle, {2760, 6000, 1455, 255}},
    {IDC_CHECK0 + 8, WC_BUTTONW, L"用紙", kCheckStyle, {3960, 5760, 1455, 255}},
    {IDC_CHECK0 + 9, WC_BUTTONW, L"向き", kCheckStyle, {3960, 6000, 1455, 255}},
    {IDC_CHECK_TOTAL, WC_BUTTONW, L"総合計", kCheckStyle, {5280, 5760, 1455, 255}},
    {IDC_CHECK_CTOTAL, WC_BUTTONW, L"サイズ別合計", kCheckStyle, {5280, 6000, 1455, 255}},
    {IDC_RESULT, WC_EDITW, L"合計\r\n", kResultStyle, {3240, 3720, 8415, 1935}},
    {IDC_LIST1, WC_LISTBOXW, L"", kInputListStyle, {240, 1080, 2775, 4560}},
    {IDC_LABEL1, WC_STATICW, L"対　　象", kLabelStyle, {240, 840, 1335, 255}},
    {IDC_LABEL2, WC_STATICW, L"結　　果", kLabelStyle, {3240, 840, 1215, 255}},
    {IDC_RESULTLIST, WC_LISTBOXW, L"", kResultListStyle, {3240, 1080, 8415, 2400}},
    // As tall as the other boxes rather than the design's 180 twips, which
    // would cut the tick box in half.
    {IDC_CHECK_RTOTAL, WC_BUTTONW, L"解像度別", kCheckStyle, {5520, 6240, 1215, 255}},
    {IDC_ARESOTEXT, WC_EDITW, L"", kResolutionStyle, {6600, 6240, 495, 270}},
    {IDC_LABEL3, WC_STATICW, L"dpi", SS_LEFT | SS_NOPREFIX, {7100, 6290, 255, 255}},
    {IDC_BRESOTEXT, WC_EDITW, L"", kResolutionStyle, {7440, 6240, 495, 270}},
    {IDC_LABEL4, WC_STATICW, L"dpi", SS_LEFT | SS_NOPREFIX, {7950, 6290, 255, 255}},
    {IDC_LINE1, WC_STATICW, L"", WS_VISIBLE | SS_ETCHEDHORZ, {0, 0, 11880, 30}},
};

struct Tooltip {
    int id;
    const wchar_t* text;
};

const Tooltip kTooltips[] = {
    {IDC_SELCTFILE, L"Select File (Ctrl+O)"},
    {IDC_START, L"View Result (Ctrl+V)"},
    {IDC_FILESAVE, L"Save Result (Ctrl+S)"},
    {IDC_DIRECT_SAVE, L"DirectSave (Ctrl+D)"},
    {IDC_CLEAR, L"Clear"},
    {IDC_CLOSE, L"Exit"},
    {IDC_LIST1, kInputListTip},
    {IDC_RESULTLIST, L"右クリックで選択部分のコピー･削除が選べます。"},
    {IDC_RESULT, L"右クリックで選択範囲のコピー･削除が選べます。"},
    {IDC_ARESOTEXT, L"解像度を指定してください。"},
    {IDC_BRESOTEXT, L"解像度を指定してください。"},
};

// List1 and ResultList: mouse buttons are reported before the list acts on
// them, and List1 takes dropped files.
LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR /*id*/, DWORD_PTR data) {
    MainWindowEvents& events = reinterpret_cast<MainWindow*>(data)->Events();
    const int listId = GetDlgCtrlID(list);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            const int button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4;
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(list, &point);
            if (button != 2) {
                // The list selects first, as a click does; the report follows.
                const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
                events.ListMouseDown(listId, button, point);
                return result;
            }
            SetFocus(list);
            events.ListMouseDown(listId, button, point);
            return 0;
        }
        case WM_CONTEXTMENU:
            // The right button was handled at its press.
            return 0;
        case WM_MOUSEMOVE:
            if (listId == IDC_LIST1) {
                const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
                reinterpret_cast<MainWindow*>(data)->ShowInputTip(HIWORD(hit) == 0 ? LOWORD(hit)
                                                                                   : -1);
            }
            break;
        case WM_DROPFILES: {
            auto drop = reinterpret_cast<HDROP>(wParam);
            std::vector<std::string> paths;
            const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i) {
                const UINT length = DragQueryFileW(drop, i, nullptr, 0);
                std::wstring path(length + 1, L'\0');
                DragQueryFileW(drop, i, path.data(), length + 1);
                path.resize(length);
                paths.push_back(Utf8(path));
            }
            DragFinish(drop);
            events.Dropped(paths);
            return 0;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(list, ListProcedure, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

// The totals box: Tab moves on to the next control instead of typing a tab
// into the text, which would end up in the saved file.
LRESULT CALLBACK ResultProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR /*id*/, DWORD_PTR /*data*/) {
    if (message == WM_GETDLGCODE) {
        LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_TAB) {
            code &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
        }
        return code;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, ResultProcedure, 0);
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

bool MainWindow::Register(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_FOLVANE));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_FOLVANE), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINMENU);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

MainWindow::MainWindow(HINSTANCE instance, MainWindowEvents& events)
    : instance_(instance), events_(&events) {
    Register(instance);
    dpi_ = WindowDpi(nullptr);
    const SIZE outer = OuterSize(TwipsToPixels(kClientWidth, dpi_),
                                 TwipsToPixels(kClientHeight, dpi_), kWindowStyle, 0, true, dpi_);
    window_ = CreateWindowExW(0, kClassName, L"Folvane", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              outer.cx, outer.cy, nullptr, nullptr, instance, this);
    if (window_ == nullptr) return;
    const int actual = WindowDpi(window_);
    fonts_ = std::make_unique<WindowFonts>(actual);
    if (actual != dpi_) {
        dpi_ = actual;
        const SIZE resized =
            OuterSize(TwipsToPixels(kClientWidth, dpi_), TwipsToPixels(kClientHeight, dpi_),
                      kWindowStyle, 0, true, dpi_);
        SetWindowPos(window_, nullptr, 0, 0, resized.cx, resized.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->Window()), FALSE);
    CreateControls();
    FitListLines();
    AddTooltips();
    listPopup_ = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_LISTPOPUP));
    accelerators_ = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ClampToWorkArea();
    LayOut();
}

MainWindow::~MainWindow() {
    Destroy();
    if (listPopup_ != nullptr) DestroyMenu(listPopup_);
    if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
}

void MainWindow::Destroy() {
    if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
}

void MainWindow::CreateControls() {
    for (const ControlDesign& design : kControls) {
        const HFONT font = design.id == IDC_RESULTLIST ? fonts_->ResultList() : fonts_->Window();
        CreateControl(window_, design, dpi_, font);
    }
    for (int id : {IDC_CHECK0 + 0, IDC_CHECK0 + 1, IDC_CHECK0 + 2, IDC_CHECK0 + 3, IDC_CHECK0 + 4,
                   IDC_CHECK0 + 5, IDC_CHECK0 + 6, IDC_CHECK0 + 7, IDC_CHECK0 + 8, IDC_CHECK0 + 9,
                   IDC_CHECK_TOTAL, IDC_CHECK_CTOTAL}) {
        SetCheck(id, true);
    }
    for (int id : {IDC_ARESOTEXT, IDC_BRESOTEXT}) {
        SendMessageW(Control(id), EM_LIMITTEXT, 4, 0);
    }
    SetWindowSubclass(Control(IDC_LIST1), ListProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(Control(IDC_RESULTLIST), ListProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(Control(IDC_RESULT), ResultProcedure, 0, 0);
    // Only List1 takes drops.
    DragAcceptFiles(Control(IDC_LIST1), TRUE);
}

int MainWindow::ListLineHeight(HFONT font) const {
    HDC dc = GetDC(window_);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    return metrics.tmHeight + metrics.tmExternalLeading + TwipsToPixels(30, dpi_);
}

// One path of List1: the front shortened with "..." when the whole does not
// fit, so the file name always shows.
void MainWindow::DrawInputItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    if (item.itemID != static_cast<UINT>(-1)) {
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const LRESULT length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
        if (length != LB_ERR) {
            std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
            SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID,
                         reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<std::size_t>(length));
            HGDIOBJ previous = SelectObject(dc, fonts_->Window());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            RECT textArea = area;
            textArea.left += 2;
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_PATH_ELLIPSIS);
            SelectObject(dc, previous);
        }
    }
    if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &area);
}

// The tooltip of List1: the whole path of the entry under the mouse when it
// does not fit, else the list's own hint.
void MainWindow::ShowInputTip(int index) {
    if (tooltips_ == nullptr) return;
    HWND list = Control(IDC_LIST1);
    std::wstring tip = kInputListTip;
    if (index >= 0 && index < listbox::Count(list)) {
        const std::wstring path = Wide(listbox::Text(list, index));
        HDC dc = GetDC(list);
        HGDIOBJ previous = SelectObject(dc, fonts_->Window());
        SIZE extent{};
        GetTextExtentPoint32W(dc, path.c_str(), static_cast<int>(path.size()), &extent);
        SelectObject(dc, previous);
        ReleaseDC(list, dc);
        RECT client;
        GetClientRect(list, &client);
        if (extent.cx + 4 > client.right) tip = path;
    }
    if (tip == inputTip_) return;
    inputTip_ = tip;
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = window_;
    info.uId = reinterpret_cast<UINT_PTR>(list);
    info.lpszText = inputTip_.data();
    SendMessageW(tooltips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

std::wstring MainWindow::InputTip() const {
    if (tooltips_ == nullptr) return {};
    std::vector<wchar_t> text(32768, L'\0');
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = window_;
    info.uId = reinterpret_cast<UINT_PTR>(Control(IDC_LIST1));
    info.lpszText = text.data();
    SendMessageW(tooltips_, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&info));
    return text.data();
}

// A line of the lists as tall as the font's full cell and a pixel or two
// more, so that underscores and descenders are not cut off.
void MainWindow::FitListLines() {
    SendMessageW(Control(IDC_LIST1), LB_SETITEMHEIGHT, 0, ListLineHeight(fonts_->Window()));
    SendMessageW(Control(IDC_RESULTLIST), LB_SETITEMHEIGHT, 0,
                 ListLineHeight(fonts_->ResultList()));
}

void MainWindow::AddTooltips() {
    tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                                nullptr, instance_, nullptr);
    if (tooltips_ == nullptr) return;
    SendMessageW(tooltips_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->Window()), FALSE);
    // Long enough for List1's two sentences on one line.
    SendMessageW(tooltips_, TTM_SETMAXTIPWIDTH, 0, TwipsToPixels(11000, dpi_));
    for (const Tooltip& tip : kTooltips) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = window_;
        info.uId = reinterpret_cast<UINT_PTR>(Control(tip.id));
        info.lpszText = const_cast<wchar_t*>(tip.text);
        SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void MainWindow::SetCheck(int id, bool ticked) {
    SendMessageW(Control(id), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool MainWindow::IsChecked(int id) const {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::SetMenuChecked(int id, bool checked) {
    CheckMenuItem(Menu(), static_cast<UINT>(id),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindow::SetMenuEnabled(int id, bool enabled) {
    HMENU menu = id == IDLPM_COPY || id == IDLPM_DEL ? ListPopup() : Menu();
    EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::SetControlEnabled(int id, bool enabled) {
    EnableWindow(Control(id), enabled ? TRUE : FALSE);
}

void MainWindow::SetControlVisible(int id, bool visible) {
    ShowWindow(Control(id), visible ? SW_SHOWNA : SW_HIDE);
}

void MainWindow::SetResultArea(ResultArea area) {
    area_ = area;
    SetControlVisible(IDC_RESULT, area != ResultArea::None);
    LayOut();
}

// The design's positions, moved by what the window has grown beyond its
// design size: the lists and the totals box take the extra room (the two
// lists of the Summary layout in the proportion of their design heights),
// the controls at the right and bottom keep their distance to those edges.
void MainWindow::LayOut() {
    if (window_ == nullptr) return;
    RECT client;
    GetClientRect(window_, &client);
    const int grownX = std::max(0, static_cast<int>(client.right) * 1440 / dpi_ - kClientWidth);
    const int grownY = std::max(0, static_cast<int>(client.bottom) * 1440 / dpi_ - kClientHeight);

    HDWP positions = BeginDeferWindowPos(static_cast<int>(std::size(kControls)));
    auto place = [&](int id, TwipsRect rect) {
        const RECT pixels = PixelRect(rect, dpi_);
        if (positions != nullptr) {
            positions = DeferWindowPos(positions, Control(id), nullptr, pixels.left, pixels.top,
                                       pixels.right - pixels.left, pixels.bottom - pixels.top,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
        }
    };
    for (const ControlDesign& design : kControls) {
        TwipsRect rect = design.rect;
        switch (design.id) {
            case IDC_DIRECT_SAVE:
                rect.left += grownX;
                break;
            case IDC_CLEAR:
            case IDC_CLOSE:
                rect.left += grownX;
                rect.top += grownY;
                break;
            case IDC_LIST1:
                rect.height += grownY;
                break;
            case IDC_LINE1:
                rect.width += grownX;
                break;
            case IDC_RESULTLIST:
            case IDC_RESULT:
            case IDC_LABEL1:
            case IDC_LABEL2:
            case IDC_SELCTFILE:
            case IDC_START:
            case IDC_FILESAVE:
                break;
            default:  // the check boxes and resolution inputs at the bottom
                rect.top += grownY;
                break;
        }
        if (design.id == IDC_RESULTLIST || design.id == IDC_RESULT) continue;
        place(design.id, rect);
    }

    // The result area, by layout (Summary, Total only, None).
    TwipsRect list{3240, 1080, 8415 + grownX, 4560 + grownY};
    TwipsRect totals{3240, 3720, 8415 + grownX, 1935};
    if (area_ == ResultArea::Summary) {
        const int listExtra = grownY * 2400 / (2400 + 1935);
        list.height = 2400 + listExtra;
        totals.top = 3720 + listExtra;
        totals.height = 1935 + grownY - listExtra;
    } else if (area_ == ResultArea::TotalOnly) {
        list.height = 4020 + grownY;
        totals.top = 5280 + grownY;
        totals.height = 375;
    }
    place(IDC_RESULTLIST, list);
    if (area_ != ResultArea::None) place(IDC_RESULT, totals);
    if (positions != nullptr) EndDeferWindowPos(positions);
}

void MainWindow::ApplyDpi(int dpi) {
    dpi_ = dpi;
    fonts_ = std::make_unique<WindowFonts>(dpi);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->Window()), FALSE);
    for (const ControlDesign& design : kControls) {
        const HFONT font = design.id == IDC_RESULTLIST ? fonts_->ResultList() : fonts_->Window();
        SendMessageW(Control(design.id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (tooltips_ != nullptr) {
        SendMessageW(tooltips_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->Window()), FALSE);
    }
    FitListLines();
    LayOut();
}

// On a small screen or at a large display scale the designed size may not
// fit: start at the largest size that does.
void MainWindow::ClampToWorkArea() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    RECT frame;
    GetWindowRect(window_, &frame);
    const RECT& work = monitor.rcWork;
    const LONG width = std::min(frame.right - frame.left, work.right - work.left);
    const LONG height = std::min(frame.bottom - frame.top, work.bottom - work.top);
    const LONG left = std::clamp(frame.left, work.left, work.right - width);
    const LONG top = std::clamp(frame.top, work.top, work.bottom - height);
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<MainWindow*>(create->lpCreateParams)->window_ = window;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            // Enter from the dialog navigation: nothing to do in the main
            // window. Escape stops an examination of dropped paths.
            if (id == IDCANCEL) {
                events_->Escape();
                return 0;
            }
            if (id == IDOK) return 0;
            if (lParam == 0 || code == BN_CLICKED) events_->Command(id);
            return 0;
        }
        case WM_TIMER:
            events_->Timer(wParam);
            return 0;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC: {
            // Labels and check boxes on the window's face colour, not white.
            auto dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (measure->CtlID != IDC_LIST1 || fonts_ == nullptr) break;
            measure->itemHeight = static_cast<UINT>(ListLineHeight(fonts_->Window()));
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlID != IDC_LIST1) break;
            DrawInputItem(*item);
            return TRUE;
        }
        case WM_GETMINMAXINFO: {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            const SIZE least =
                OuterSize(TwipsToPixels(kClientWidth, dpi_), TwipsToPixels(kClientHeight, dpi_),
                          kWindowStyle, 0, true, dpi_);
            limits->ptMinTrackSize = {least.cx, least.cy};
            return 0;
        }
        case WM_SIZE:
            LayOut();
            return 0;
        case 0x02E0: {  // WM_DPICHANGED: moved to a monitor of another density
            ApplyDpi(HIWORD(wParam));
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_ACTIVATE:
            // As in a dialog; at first to "ファイル選択", the first in the
            // tab order.
            RestoreFocusOnActivate(window_, wParam, focus_, Control(IDC_SELCTFILE));
            return 0;
        case WM_CLOSE:
            events_->Closing();
            return 0;
        case WM_DESTROY:
            if (quitOnDestroy_) PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY: {
            HWND window = window_;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            window_ = nullptr;
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace folvane::win32
