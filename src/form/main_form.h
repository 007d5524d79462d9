// MainForm1's behaviour: what every click, drop and key of the main window
// does, over the core's runs and state, talking to the screen only through
// MainFormView. Its handlers are spread over a few files by concern
// (start-up, selection, input, runs, saving, clearing and closing).
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "form/main_form_view.h"
#include "form/message_windows.h"
#include "input/input_examination.h"
#include "input/path_list.h"
#include "run/read_ahead.h"
#include "run/run_preparation.h"
#include "state/form_state.h"
#include "state/selection_state.h"

namespace folvane {
class ProgramLauncher;
class Registry;
}  // namespace folvane

namespace folvane::form {

// What the form takes from the system besides its view; the system's own
// unless a test gives its own.
struct MainFormServices {
    const Registry* registry = nullptr;
    ProgramLauncher* launcher = nullptr;
    // Files read at once in a run, and paths examined at once; 0:
    // DefaultReadThreads() of the run's list or of the dropped paths.
    unsigned readThreads = 0;
    // The time, for when the examination of a drop shows its progress.
    std::function<std::chrono::steady_clock::time_point()> clock;
};

// How long the examination of dropped paths goes on before the progress
// window shows it, and how often the view's timer looks at it.
inline constexpr std::chrono::milliseconds kExaminingShownAfter{500};
inline constexpr std::chrono::milliseconds kExamineTimerInterval{50};

class MainForm {
  public:
    explicit MainForm(MainFormView& view, MainFormServices services = {});
    ~MainForm();
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    // Called by the view once its controls exist, in their design state.
    void Form_Initialize();
    // The window is closing (close box, "終了", "終了 (&X)"). False while a
    // run holds the window: the close is then carried out when it is over.
    bool Form_Unload();

    // --- Buttons ---
    void Start_Click();
    void FileSave_Click();
    void Direct_Save_Click();
    void Clear_Click();
    void Close_Click();
    void SelctFile_Click();

    // --- Menu items: each acts as its button ---
    void IDMExit_Click() { Close_Click(); }
    void IDMSelect_Click() { SelctFile_Click(); }
    void IDMView_Click() { Start_Click(); }
    void IDMSave_Click() { FileSave_Click(); }
    void IDMD_Save_Click() { Direct_Save_Click(); }
    void IDMClear_Click() { Clear_Click(); }

    // --- Column and total selection ---
    // The user changed a box to `value` (Check0_Click .. Check9_Click).
    void Check_Click(int column, CheckValue value);
    void Check_Total_Click(CheckValue value);
    void Check_CTotal_Click(CheckValue value);
    void Check_RTotal_Click(CheckValue value);
    // The menu twins (IDMCH0_Click .. IDMCH9_Click), as a click on the box.
    void IDMCH_Click(int column);
    void IDMCHTO_Click();
    void IDMCHCT_Click();
    // "PDF も対象にする": drops, the selection window and the runs take PDF
    // files too while it is ticked. It keeps its value while the program runs.
    void IDMPdf_Click();
    bool TakesPdf() const { return takesPdf_; }

    // --- Input list ---
    // A drop onto List1: the full paths of the files and folders it
    // carries, empty when it carries no file list (it still counts).
    void List1_OLEDragDrop(const std::vector<std::string>& paths);
    // Button: 1 left, 2 right, 4 middle; the right button opens IDLPM.
    void List1_MouseDown(int Button);
    void ResultList_MouseDown(int Button);
    void IDLPMCopy_Click();
    void IDLPMDel_Click();

    // --- Examining what was dropped or chosen ---
    // Dropped paths and the selection window's entries are examined on
    // another thread (a file server answers each look after a round trip);
    // the window goes on answering. The view's timer, started by
    // StartExamineTimer, calls this every kExamineTimerInterval.
    void ExamineTimer_Tick();
    // Escape or the progress window's cancel: stops the examination,
    // keeping what was examined, and the run that waited for it.
    void ExamineCancel_Click();
    bool IsExamining() const { return examination_ != nullptr; }
    // Waits until everything dropped is examined and on the list.
    void FinishExamination();

    // --- About ---
    void IDMHelp_Click();
    void IDMVer_Click();
    void SetHelpFile(std::string path) { helpFile_ = std::move(path); }

    // --- What the window holds, for the views and the tests ---
    const FormState& State() const { return state_; }
    // The check boxes' values and the resolution boxes' texts as now.
    SelectionState CurrentSelection() const;
    const std::vector<std::string>& ListLines(MainList list) const;
    bool IsRunning() const { return running_; }
    // The list the context menu was opened on, while it is open.
    std::optional<MainList> PopupTargetList() const { return popupTarget_; }
    // The folder the Save-As dialog opens in next.
    const std::string& SaveFolder() const { return saveFolder_; }
    // The file types the Save-As dialog offers: text, workbook, all files.
    static std::span<const SaveFileType> SaveFileTypes();

  private:
    // Selection.
    void SetCheck(MainCheck box, CheckValue value);
    CheckValue Value(MainCheck box) const;
    void ToggleFromMenu(MainCheck box, MainMenuItem item);
    void ShowResolutionInputs(bool shown);

    // Input.
    void Examine(std::vector<std::string> paths, bool anyNamedFile);
    void StartNextExamination();
    void DropExamination();
    void ApplyExamination();
    void AddToList1(const PathList& added, std::vector<SameFile>& same);
    void ShowUnusablePaths(const std::vector<PathProblem>& problems,
                           const std::vector<SameFile>& same);
    std::chrono::steady_clock::time_point Now() const;
    void ListMouseDown(MainList list, int Button);
    std::vector<std::string>& Lines(MainList list);

    // Runs and saving.
    std::optional<RunPreparation> PrepareRunOrRefuse(const SelectionState& selection);
    // The path to save to and whether as a workbook; nothing when cancelled.
    struct SaveTarget {
        std::string path;
        bool workbook = false;
    };
    std::optional<SaveTarget> AskSaveTarget();
    // `changedNames`: how many names Shift-JIS could not hold.
    bool WriteDisplayedResults(std::string& error, std::size_t& changedNames);
    // "書出し終了", and what the save changed in names, if it did.
    void ShowSaveDone(std::size_t changedNames);
    // Reads the listed files again into a workbook at state_.SavePath.
    bool WriteWorkbook(const SelectionState& selection, std::string& error);
    void ShowSaveFailure(const std::string& reason);
    void ClearAfterDirectSave();
    void SetResultText(const std::string& text);
    unsigned ReadThreads(const InputFiles& input) const;
    ReadAhead::ThreadUse ReadThreadUse() const;
    void BeginRun();
    void EndRun();

    MainFormView& view_;
    MainFormServices services_;
    FormState state_;
    SelectionState selection_;  // the boxes as shown; the texts are read from the view
    std::vector<std::string> list1_;
    // The identity each path of List1 was found with, where known.
    std::unordered_map<std::string, FileIdentity> list1Identity_;
    // What is being examined, and what was dropped meanwhile.
    struct Addition {
        std::vector<std::string> paths;
        bool anyNamedFile;  // the selection window's entries
        bool withPdf;
    };
    std::unique_ptr<BackgroundExamination> examination_;
    std::chrono::steady_clock::time_point examinationStarted_{};
    bool examiningShown_ = false;
    std::deque<Addition> waitingAdditions_;
    // A run or direct save asked for while examining starts once it is over.
    bool startAfterExamination_ = false;
    bool directSaveAfterExamination_ = false;
    std::vector<std::string> resultList_;
    bool running_ = false;
    bool closeAfterRun_ = false;
    bool takesPdf_ = false;
    std::optional<MainList> popupTarget_;
    std::string saveFolder_;
    // The file type chosen in the last Save-As dialog, offered first next time.
    std::size_t saveType_ = 0;
    std::string helpFile_;

    // The auxiliary windows, loaded hidden at start.
    std::unique_ptr<OkDialog> okDialog1_;
    std::unique_ptr<OkDialog> okDialog2_;
    std::unique_ptr<CloseDialog> closeDialog_;
    std::unique_ptr<ModelessDialog> modelessDialog_;
};

// What "コピー" puts on the clipboard: the entries of `rows` (ascending)
// from top to bottom, separated by CR LF, with one more CR LF at the end; a
// lone CR LF when nothing is selected. The separator goes in only once the
// text is no longer empty, so an empty first entry is followed by the next
// without one.
std::string SelectedEntriesText(std::span<const std::string> lines,
                                std::span<const std::size_t> rows);

}  // namespace folvane::form
