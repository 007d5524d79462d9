#include "win32/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "form/path_elision.h"

#include "win32/controls.h"
#include "win32/drop_target.h"
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
// ResultList holds no texts of its own: a run leaves tens of thousands of
// lines, which the list would copy in one message each. It is told how many
// rows there are and draws each from the window's lines, tab-separated with
// stops every 8 half-width characters.
constexpr DWORD kResultListStyle = kListStyle | LBS_OWNERDRAWFIXED | LBS_NODATA;
// List1 draws each path so that its end, the file name, stays in view, and
// shows the whole path as a tooltip: no sideways scrolling needed.
// Like ResultList, it holds no texts of its own: a drop of a folder may
// list tens of thousands of paths.
constexpr DWORD kInputListStyle = (kListStyle & ~WS_HSCROLL) | LBS_OWNERDRAWFIXED | LBS_NODATA;
// No word wrap: a line of the size summary stays one line.
constexpr DWORD kResultStyle = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL |
                               ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN;
// Hidden and disabled until "解像度別" is ticked.
constexpr DWORD kResolutionStyle = WS_TABSTOP | WS_BORDER | WS_DISABLED | ES_AUTOHSCROLL;

// A check box is as wide as its column, not the design's 1,455 twips: a box
// that wide reaches over the square of the box to its right, which a click
// meant for that square would then toggle.
constexpr int kCheckWidth = 1455;
constexpr int ColumnWidth(int left, int nextColumn) { return nextColumn - left - 60; }

// In the order of the design's tab indexes: the order of creation is the
// order Tab moves in. Labels take no focus.
const ControlDesign kControls[] = {
    {IDC_SELCTFILE, WC_BUTTONW, L"ファイル選択", kButtonStyle, {240, 240, 2055, 495}},
    {IDC_START, WC_BUTTONW, L"結果表示", kButtonStyle, {3240, 240, 2535, 495}},
    {IDC_FILESAVE, WC_BUTTONW, L"結果のﾌｧｲﾙへの書出し", kButtonStyle, {6000, 240, 2535, 495}},
    {IDC_DIRECT_SAVE, WC_BUTTONW, L"直接ファイルに書出し", kButtonStyle, {8760, 240, 2895, 495}},
    {IDC_CLEAR, WC_BUTTONW, L"Clear", kButtonStyle, {8400, 6000, 1335, 375}},
    {IDC_CLOSE, WC_BUTTONW, L"終了", kButtonStyle, {9960, 5880, 1695, 615}},
    {IDC_CHECK0 + 0,
     WC_BUTTONW,
     L"ファイル名",
     kCheckStyle,
     {240, 5760, ColumnWidth(240, 1560), 255}},
    {IDC_CHECK0 + 1,
     WC_BUTTONW,
     L"ﾊﾞｲﾄｵｰﾀﾞｰ",
     kCheckStyle,
     {240, 6000, ColumnWidth(240, 1560), 255}},
    {IDC_CHECK0 + 2,
     WC_BUTTONW,
     L"ページ数",
     kCheckStyle,
     {240, 6240, ColumnWidth(240, 1560), 255}},
    {IDC_CHECK0 + 3,
     WC_BUTTONW,
     L"PixelSize",
     kCheckStyle,
     {1560, 5760, ColumnWidth(1560, 2760), 255}},
    {IDC_CHECK0 + 4,
     WC_BUTTONW,
     L"解像度",
     kCheckStyle,
     {1560, 6000, ColumnWidth(1560, 2760), 255}},
    {IDC_CHECK0 + 5,
     WC_BUTTONW,
     L"ﾐﾘｻｲｽﾞ",
     kCheckStyle,
     {1560, 6240, ColumnWidth(1560, 2760), 255}},
    {IDC_CHECK0 + 6,
     WC_BUTTONW,
     L"圧縮形式",
     kCheckStyle,
     {2760, 5760, ColumnWidth(2760, 3960), 255}},
    {IDC_CHECK0 + 7, WC_BUTTONW, L"色数", kCheckStyle, {2760, 6000, ColumnWidth(2760, 3960), 255}},
    {IDC_CHECK0 + 8, WC_BUTTONW, L"用紙", kCheckStyle, {3960, 5760, ColumnWidth(3960, 5280), 255}},
    {IDC_CHECK0 + 9, WC_BUTTONW, L"向き", kCheckStyle, {3960, 6000, ColumnWidth(3960, 5280), 255}},
    {IDC_CHECK_TOTAL, WC_BUTTONW, L"総合計", kCheckStyle, {5280, 5760, kCheckWidth, 255}},
    {IDC_CHECK_CTOTAL, WC_BUTTONW, L"サイズ別合計", kCheckStyle, {5280, 6000, kCheckWidth, 255}},
    {IDC_RESULT, WC_EDITW, L"合計\r\n", kResultStyle, {3240, 3720, 8415, 1935}},
    {IDC_LIST1, WC_LISTBOXW, L"", kInputListStyle, {240, 1080, 2775, 4560}},
    // The labels end where the lists' top borders begin.
    {IDC_LABEL1, WC_STATICW, L"対　　象", kLabelStyle, {240, 840, 1335, 240}},
    {IDC_LABEL2, WC_STATICW, L"結　　果", kLabelStyle, {3240, 840, 1215, 240}},
    {IDC_RESULTLIST, WC_LISTBOXW, L"", kResultListStyle, {3240, 1080, 8415, 2400}},
    // As tall as the other boxes rather than the design's 180 twips, which
    // would cut the tick box in half; short of the first resolution box.
    {IDC_CHECK_RTOTAL,
     WC_BUTTONW,
     L"解像度別",
     kCheckStyle,
     {5520, 6240, ColumnWidth(5520, 6600), 255}},
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

// The drawn width of a UTF-8 text in the font selected into `dc`.
double TextWidthIn(HDC dc, std::string_view text) {
    const std::wstring wide = Wide(text);
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    return extent.cx;
}

// How many half-width cells a result line takes, tabs expanded to every 8:
// in the result list's fixed-pitch font its width is this many cells.
std::size_t Cells(std::string_view line) {
    std::size_t cells = 0;
    for (std::size_t i = 0; i < line.size();) {
        const auto lead = static_cast<unsigned char>(line[i]);
        if (lead == '\t') {
            cells = cells / 8 * 8 + 8;
            ++i;
        } else if (lead < 0x80) {
            ++cells;
            ++i;
        } else {
            const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
            // Half-width katakana (U+FF61 to U+FF9F) take one cell, the
            // rest of Japanese two.
            const bool half = length == 3 && lead == 0xEF && i + 1 < line.size() &&
                              (static_cast<unsigned char>(line[i + 1]) == 0xBD ||
                               static_cast<unsigned char>(line[i + 1]) == 0xBE);
            cells += half ? 1 : 2;
            i += length;
        }
    }
    return cells;
}

// How far below the baseline the font draws: its descent, or the bottom of
// an underscore or a descender where the glyph reaches lower (the fonts
// standing in for the Japanese ones under Wine draw "_" below it).
int LowestInk(HDC dc, const TEXTMETRICW& metrics) {
    int lowest = metrics.tmDescent;
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    for (wchar_t glyph : {L'_', L'g', L'j', L'p', L'q', L'y'}) {
        GLYPHMETRICS ink{};
        if (GetGlyphOutlineW(dc, glyph, GGO_METRICS, &ink, 0, nullptr, &identity) == GDI_ERROR)
            continue;
        lowest = std::max(
            lowest, static_cast<int>(ink.gmBlackBoxY) - static_cast<int>(ink.gmptGlyphOrigin.y));
    }
    return lowest;
}

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
            const std::vector<std::string> paths = PathsOfHdrop(drop);
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
    // Only List1 takes drops: from Explorer through OLE, which hands over
    // long paths too; WM_DROPFILES from programs that only post that.
    DragAcceptFiles(Control(IDC_LIST1), TRUE);
    dropTarget_ = std::make_unique<DropTarget>(
        [this](const std::vector<std::string>& paths) { events_->Dropped(paths); });
    RegisterDragDrop(Control(IDC_LIST1), dropTarget_.get());
}

ListLine MainWindow::ListLineOf(HFONT font) const {
    HDC dc = GetDC(window_);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int ink = metrics.tmAscent + LowestInk(dc, metrics);
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    // The font's whole cell or its ink, whichever is taller, its leading,
    // and a pixel between rows.
    const int height =
        std::max(static_cast<int>(metrics.tmHeight), ink) + metrics.tmExternalLeading + 1;
    return {height, (height - ink) / 2};
}

int MainWindow::ListLineHeight(HFONT font) const { return ListLineOf(font).height; }

// One path of List1: the middle of its folder part shortened to "…" when
// the whole does not fit, so the file name always shows.
void MainWindow::DrawInputItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    if (item.itemID < inputLines_.size()) {
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        HGDIOBJ previous = SelectObject(dc, fonts_->Window());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const std::wstring shown =
            Wide(form::ElidePath(inputLines_[item.itemID], InputTextRoom(),
                                 [dc](std::string_view t) { return TextWidthIn(dc, t); }));
        RECT textArea = area;
        textArea.left += 2;
        textArea.top += inputLine_.inkTop;
        DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &textArea,
                  DT_SINGLELINE | DT_TOP | DT_NOPREFIX);
        SelectObject(dc, previous);
    }
    if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &area);
}

int MainWindow::InputTextRoom() const {
    RECT client;
    GetClientRect(Control(IDC_LIST1), &client);
    return std::max(0, static_cast<int>(client.right) - 4);
}

std::string MainWindow::InputLineShown(int index) const {
    HWND list = Control(IDC_LIST1);
    if (index < 0 || static_cast<std::size_t>(index) >= inputLines_.size()) return {};
    HDC dc = GetDC(list);
    HGDIOBJ previous = SelectObject(dc, fonts_->Window());
    std::string shown =
        form::ElidePath(inputLines_[static_cast<std::size_t>(index)], InputTextRoom(),
                        [dc](std::string_view t) { return TextWidthIn(dc, t); });
    SelectObject(dc, previous);
    ReleaseDC(list, dc);
    return shown;
}

// A line of ResultList, its tabs at every 8 half-width characters.
void MainWindow::DrawResultItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    if (item.itemID < resultLines_.size()) {
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const std::wstring text = Wide(resultLines_[item.itemID]);
        HGDIOBJ previous = SelectObject(dc, fonts_->ResultList());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const int left = ResultTextLeft(area);
        const int top = area.top + resultLine_.inkTop;
        TabbedTextOutW(dc, left, top, text.c_str(), static_cast<int>(text.size()), 0, nullptr,
                       left);
        SelectObject(dc, previous);
    }
    if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &area);
}

std::vector<std::string>& MainWindow::LinesOf(int listId) {
    return listId == IDC_LIST1 ? inputLines_ : resultLines_;
}

const std::vector<std::string>& MainWindow::Lines(int listId) const {
    return listId == IDC_LIST1 ? inputLines_ : resultLines_;
}

// Scrolled sideways, a row starts further left. Some list boxes move the
// row's rectangle by the scroll position, others (Wine's) leave it: the
// position is then taken off here.
int MainWindow::ResultTextLeft(const RECT& row) const {
    const int scrolled = row.left == 0 ? GetScrollPos(Control(IDC_RESULTLIST), SB_HORZ) : 0;
    return row.left + 2 - scrolled;
}

void MainWindow::SetLines(int listId, std::span<const std::string> lines) {
    HWND list = Control(listId);
    std::vector<std::string>& kept = LinesOf(listId);
    kept.assign(lines.begin(), lines.end());
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_SETCOUNT, kept.size(), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void MainWindow::AppendLines(int listId, std::span<const std::string> lines) {
    if (lines.empty()) return;
    HWND list = Control(listId);
    std::vector<std::string>& kept = LinesOf(listId);
    kept.insert(kept.end(), lines.begin(), lines.end());
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_SETCOUNT, kept.size(), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void MainWindow::RemoveRows(int listId, std::span<const std::size_t> rows) {
    HWND list = Control(listId);
    std::vector<std::string>& kept = LinesOf(listId);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    // From the last, so the rows still to go keep their numbers; the list
    // drops each row's selection with it.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (*row >= kept.size()) continue;
        kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(*row));
        SendMessageW(list, LB_DELETESTRING, *row, 0);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

// Measuring tens of thousands of lines costs seconds: in the fixed-pitch
// font a line's width follows from its cells, so only the lines with the
// most cells are measured.
void MainWindow::FitResultExtent() {
    HWND list = Control(IDC_RESULTLIST);
    int widest = 0;
    if (!resultLines_.empty()) {
        std::vector<std::pair<std::size_t, std::size_t>> byCells;  // cells, row
        byCells.reserve(resultLines_.size());
        for (std::size_t row = 0; row < resultLines_.size(); ++row)
            byCells.emplace_back(Cells(resultLines_[row]), row);
        const std::size_t measured = std::min<std::size_t>(64, byCells.size());
        std::partial_sort(byCells.begin(), byCells.begin() + static_cast<std::ptrdiff_t>(measured),
                          byCells.end(),
                          [](const auto& a, const auto& b) { return a.first > b.first; });
        HDC dc = GetDC(list);
        HGDIOBJ previous = SelectObject(dc, fonts_->ResultList());
        for (std::size_t i = 0; i < measured; ++i) {
            const std::wstring text = Wide(resultLines_[byCells[i].second]);
            const DWORD extent =
                GetTabbedTextExtentW(dc, text.c_str(), static_cast<int>(text.size()), 0, nullptr);
            widest = std::max(widest, static_cast<int>(LOWORD(extent)));
        }
        SelectObject(dc, previous);
        ReleaseDC(list, dc);
        widest += 4 + GetSystemMetrics(SM_CXVSCROLL);
    }
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
}

void MainWindow::SetResultText(const std::wstring& text) {
    SetWindowTextTo(Control(IDC_RESULT), text);
    LayOut();
}

// The tooltip of List1: the whole path of the entry under the mouse when it
// does not fit, else the list's own hint.
void MainWindow::ShowInputTip(int index) {
    if (tooltips_ == nullptr) return;
    HWND list = Control(IDC_LIST1);
    std::wstring tip = kInputListTip;
    if (index >= 0 && static_cast<std::size_t>(index) < inputLines_.size()) {
        const std::wstring path = Wide(inputLines_[static_cast<std::size_t>(index)]);
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

// A row of each list as tall as its font's real ink, measured at the
// window's density, so that underscores and descenders are never cut off.
void MainWindow::FitListLines() {
    inputLine_ = ListLineOf(fonts_->Window());
    resultLine_ = ListLineOf(fonts_->ResultList());
    SendMessageW(Control(IDC_LIST1), LB_SETITEMHEIGHT, 0, inputLine_.height);
    SendMessageW(Control(IDC_RESULTLIST), LB_SETITEMHEIGHT, 0, resultLine_.height);
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
// design size: the two lists share the extra width as they share the
// design's, the lists and the totals box take the extra height (the two
// boxes of the Summary layout in the proportion of their design heights),
// the controls at the right and bottom keep their distance to those edges.
void MainWindow::LayOut() {
    if (window_ == nullptr || fonts_ == nullptr) return;
    RECT client;
    GetClientRect(window_, &client);
    const int grownX = std::max(0, static_cast<int>(client.right) * 1440 / dpi_ - kClientWidth);
    const int grownY = std::max(0, static_cast<int>(client.bottom) * 1440 / dpi_ - kClientHeight);
    const int listX = grownX * 2775 / (2775 + 8415);

    HDWP positions = BeginDeferWindowPos(static_cast<int>(std::size(kControls)));
    auto placePixels = [&](int id, RECT pixels) {
        if (positions != nullptr) {
            positions = DeferWindowPos(positions, Control(id), nullptr, pixels.left, pixels.top,
                                       pixels.right - pixels.left, pixels.bottom - pixels.top,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
        }
    };
    auto place = [&](int id, TwipsRect rect) { placePixels(id, PixelRect(rect, dpi_)); };
    const int listTop = PixelRect({0, 1080, 0, 0}, dpi_).top;
    for (const ControlDesign& design : kControls) {
        TwipsRect rect = design.rect;
        switch (design.id) {
            case IDC_FILESAVE:
            case IDC_DIRECT_SAVE:
                rect.left += grownX;
                break;
            case IDC_START:
                rect.left += listX;
                break;
            case IDC_CLEAR:
            case IDC_CLOSE:
                rect.left += grownX;
                rect.top += grownY;
                break;
            case IDC_LIST1:
                rect.width += listX;
                rect.height += grownY;
                break;
            case IDC_LINE1:
                rect.width += grownX;
                break;
            case IDC_LABEL1:
            case IDC_LABEL2: {
                // Never over the list's top border, whatever the rounding.
                if (design.id == IDC_LABEL2) rect.left += listX;
                RECT pixels = PixelRect(rect, dpi_);
                pixels.bottom = std::min(pixels.bottom, static_cast<LONG>(listTop));
                placePixels(design.id, pixels);
                continue;
            }
            case IDC_RESULTLIST:
            case IDC_RESULT:
            case IDC_SELCTFILE:
                break;
            default:  // the check boxes and resolution inputs at the bottom
                rect.top += grownY;
                break;
        }
        if (design.id == IDC_RESULTLIST || design.id == IDC_RESULT) continue;
        place(design.id, rect);
    }

    // The result area, by layout (Summary, Total only, None).
    const int left = 3240 + listX;
    const int width = 8415 + grownX - listX;
    TwipsRect list{left, 1080, width, 4560 + grownY};
    TwipsRect totals{left, 3720, width, 1935};
    if (area_ == ResultArea::Summary) {
        const int listExtra = grownY * 2400 / (2400 + 1935);
        list.height = 2400 + listExtra;
        totals.top = 3720 + listExtra;
        totals.height = 1935 + grownY - listExtra;
    } else if (area_ == ResultArea::TotalOnly) {
        // One whole line of the total, and a scroll bar under it only when
        // the line is wider than the box: the box grows upwards from its
        // design place, the list above gives way.
        const int bottom = TwipsToPixels(5280 + 375 + grownY, dpi_);
        RECT box = PixelRect({left, 5280 + grownY, width, 375}, dpi_);
        const SIZE text = TotalsTextSize();
        const int frame = 2 * GetSystemMetrics(SM_CYBORDER) + 4;
        int height = std::max(static_cast<int>(box.bottom - box.top),
                              LineHeightOf(fonts_->Window()) + frame);
        if (text.cx > box.right - box.left - frame) height += GetSystemMetrics(SM_CYHSCROLL);
        box.top = bottom - height;
        box.bottom = bottom;
        RECT above = PixelRect(list, dpi_);
        above.bottom = box.top - TwipsToPixels(180, dpi_);
        placePixels(IDC_RESULTLIST, above);
        placePixels(IDC_RESULT, box);
        if (positions != nullptr) EndDeferWindowPos(positions);
        FitTotalsScrollBars();
        return;
    }
    place(IDC_RESULTLIST, list);
    if (area_ != ResultArea::None) place(IDC_RESULT, totals);
    if (positions != nullptr) EndDeferWindowPos(positions);
    FitTotalsScrollBars();
}

// The totals text's extent in the box's font: its widest line, all lines.
SIZE MainWindow::TotalsTextSize() const {
    const std::wstring text = WindowTextOf(Control(IDC_RESULT));
    HDC dc = GetDC(window_);
    HGDIOBJ previous = SelectObject(dc, fonts_->Window());
    RECT needed{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    return {needed.right, needed.bottom};
}

int MainWindow::LineHeightOf(HFONT font) const {
    HDC dc = GetDC(window_);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    return metrics.tmHeight;
}

// In the one-line layout the box shows its scroll bars only when the text
// needs them; in the others as designed, always.
void MainWindow::FitTotalsScrollBars() {
    HWND box = Control(IDC_RESULT);
    if (area_ != ResultArea::TotalOnly) {
        ShowScrollBar(box, SB_BOTH, TRUE);
        return;
    }
    RECT client;
    GetWindowRect(box, &client);
    const int frame = 2 * GetSystemMetrics(SM_CXBORDER) + 4;
    const SIZE text = TotalsTextSize();
    const bool wide = text.cx > client.right - client.left - frame;
    int room = client.bottom - client.top - frame;
    if (wide) room -= GetSystemMetrics(SM_CYHSCROLL);
    ShowScrollBar(box, SB_HORZ, wide ? TRUE : FALSE);
    ShowScrollBar(box, SB_VERT, text.cy > room ? TRUE : FALSE);
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
            if (fonts_ == nullptr) break;
            if (measure->CtlID == IDC_LIST1) {
                measure->itemHeight = static_cast<UINT>(ListLineHeight(fonts_->Window()));
            } else if (measure->CtlID == IDC_RESULTLIST) {
                measure->itemHeight = static_cast<UINT>(ListLineHeight(fonts_->ResultList()));
            } else {
                break;
            }
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlID == IDC_LIST1) {
                DrawInputItem(*item);
            } else if (item->CtlID == IDC_RESULTLIST) {
                DrawResultItem(*item);
            } else {
                break;
            }
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
            RevokeDragDrop(Control(IDC_LIST1));
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
