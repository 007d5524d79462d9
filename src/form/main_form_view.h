// What MainForm1's behaviour asks of the window that shows it. The view
// shows what it is told and reports the user's clicks, drops and keys to
// MainForm (handlers named after control and event); it never reports back
// a change the form made itself (setting a box does not call Check_Click),
// and it holds no rule of the program.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "state/selection_state.h"

namespace folvane::form {

class CloseDialogView;
class OkDialogView;
class ProgressView;
class SelectDialog;
class VersionDialog;

// The check boxes: Check0 .. Check9 are the column boxes (0 .. 9, as
// SelectionState::Check), then the three total boxes.
enum class MainCheck : int {
    Check0 = 0,
    Check9 = 9,
    Check_Total = 10,
    Check_CTotal = 11,
    Check_RTotal = 12,
};
inline MainCheck ColumnCheck(int column) { return static_cast<MainCheck>(column); }

// Menu items, named as in the menu tree; IDMCH0 .. IDMCH9 are 0 .. 9.
enum class MainMenuItem : int {
    IDMCH0 = 0,
    IDMCH9 = 9,
    IDMCHTO = 10,
    IDMCHCT = 11,
    IDMExit,
    IDMSelect,
    IDMView,
    IDMSave,
    IDMD_Save,
    IDMClear,
    IDMHelp,
    IDMVer,
    IDLPMCopy,  // the context menu IDLPM
    IDLPMDel,
    IDMPdf,  // "PDF も対象にする", last in "項目選択" after a separator
};
inline MainMenuItem ColumnMenuItem(int column) { return static_cast<MainMenuItem>(column); }

enum class MainList { List1, ResultList };

enum class ResolutionBox { AresoText, BresoText };

// How the result area is laid out, by the two total boxes: ResultList over
// the totals box Result, ResultList over a one-line Result, or ResultList
// alone (Result hidden, keeping its place).
enum class ResultLayout { Summary, TotalOnly, None };

// A file type the Save-As dialog offers.
struct SaveFileType {
    std::string_view caption;        // "Excel ブック (*.xlsx)"
    std::string_view pattern;        // "*.xlsx"
    std::string_view defaultSuffix;  // "xlsx"; empty: none is added
    // "SizeList.xlsx": the name proposed when this type is offered first;
    // empty: the text files' name.
    std::string_view proposedName;
};

struct SaveAsRequest {
    std::string folder;
    std::string proposedName;
    std::span<const SaveFileType> types;
    std::size_t selectedType = 0;
};

struct SaveAsAnswer {
    std::string path;
    std::size_t type = 0;  // the index of the type chosen when the user saved
};

class MainFormView {
  public:
    virtual ~MainFormView() = default;

    // --- Selection controls ---
    virtual void SetCheckValue(MainCheck box, CheckValue value) = 0;
    virtual void SetCheckEnabled(MainCheck box, bool enabled) = 0;
    virtual void SetMenuChecked(MainMenuItem item, bool checked) = 0;
    virtual void SetMenuEnabled(MainMenuItem item, bool enabled) = 0;
    // AresoText and BresoText (enabled and visible) with their labels
    // Label3 and Label4 (visible).
    virtual void ShowResolutionInputs(bool shown) = 0;
    // The text typed into a resolution box (at most 4 characters).
    virtual std::string ResolutionText(ResolutionBox box) const = 0;
    virtual void SetResolutionText(ResolutionBox box, const std::string& text) = 0;
    virtual void LayOutResultArea(ResultLayout layout) = 0;

    // --- List1 and ResultList ---
    // The view's rows follow what it is told, in order; the form keeps the
    // texts and asks the view only which rows the user selected.
    virtual void SetListLines(MainList list, std::span<const std::string> lines) = 0;
    virtual void AppendListLines(MainList list, std::span<const std::string> lines) = 0;
    // `rows` ascending.
    virtual void RemoveListRows(MainList list, std::span<const std::size_t> rows) = 0;
    // The selected rows, ascending.
    virtual std::vector<std::size_t> SelectedListRows(MainList list) const = 0;
    // Sets the list's horizontal scroll range to its widest entry plus a
    // vertical scroll bar's width (measuring text is the toolkit's).
    virtual void SetHorizontalExtent(MainList list) = 0;

    // --- The totals box Result (line breaks CR LF both ways) ---
    virtual void SetResultText(const std::string& text) = 0;
    // What the box holds now, the user's edits included.
    virtual std::string ResultText() const = 0;

    // --- Modal windows and the system ---
    // The Save-As dialog: the file types of `request`, the one at
    // `request.selectedType` chosen and `request.proposedName` proposed, a
    // question before replacing a file. It opens in `request.folder`, or
    // where the system chooses when that is empty. A name typed without
    // an extension gets the chosen type's `defaultSuffix`, where it has one.
    // Nothing when the user cancelled.
    virtual std::optional<SaveAsAnswer> AskSavePath(const SaveAsRequest& request) = 0;
    // The system message box titled "Folvane" with only an OK button.
    virtual void ShowSystemMessage(const std::string& text) = 0;
    // Pops the context menu IDLPM up over `list` at the mouse and returns
    // once it closed; a chosen item reaches IDLPMCopy_Click or
    // IDLPMDel_Click before that.
    virtual void ShowContextMenu(MainList list) = 0;
    // Makes the selection window's view, attaches `dialog` to it and shows
    // it modally; returns once it is gone.
    virtual void ShowSelectDialog(SelectDialog& dialog) = 0;
    // The same for the about box.
    virtual void ShowVersionDialog(VersionDialog& dialog) = 0;
    // Opens the help file at the topic `keyword` names, in a window of its
    // own kept for the next request; false when it cannot, with the
    // system's reason in `reason` when there is one.
    virtual bool ShowHelp(const std::string& file, const std::string& keyword,
                          std::string& reason) = 0;
    virtual void CloseHelp() = 0;
    // The help file's place: beside the program.
    virtual std::string DefaultHelpFile() const = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // Closes the main window (which comes back as Form_Unload).
    virtual void CloseWindow() = 0;
    // After every displayed or direct run, also a failed one.
    virtual void RunFinished() = 0;
    // Calls MainForm::ExamineTimer_Tick every kExamineTimerInterval from
    // the window's own thread until stopped; starting it again while it
    // runs changes nothing.
    virtual void StartExamineTimer() = 0;
    virtual void StopExamineTimer() = 0;

    // --- The auxiliary windows, loaded with the main window ---
    virtual OkDialogView& OKDialog1View() = 0;
    virtual OkDialogView& OKDialog2View() = 0;
    virtual CloseDialogView& CloseDialogPromptView() = 0;
    virtual ProgressView& ProgressWindowView() = 0;
};

}  // namespace folvane::form
