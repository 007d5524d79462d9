// MainForm1: the program's one main window. Its handlers are spread over a
// few files by concern (layout and start-up, selection, input, runs,
// saving, clearing and closing); the work itself is the core's.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "run/run_preparation.h"
#include "state/form_state.h"
#include "state/selection_state.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPoint;
class QPlainTextEdit;
class QPushButton;

namespace folvane::gui {

class CloseDialog;
class HelpViewer;
class ListBoxWidget;
class ModelessDialog;
class OkDialog;

class MainForm1 : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainForm1(QWidget* parent = nullptr);
    ~MainForm1() override;

    // --- Buttons and their menu items ---
    void Start_Click();
    void FileSave_Click();
    void Direct_Save_Click();
    void Clear_Click();
    void Close_Click();
    void SelctFile_Click();

    // --- Column and total selection ---
    void Check_Click(int column);  // Check0_Click .. Check9_Click
    void IDMCH_Click(int column);  // IDMCH0_Click .. IDMCH9_Click
    void Check_Total_Click();
    void Check_CTotal_Click();
    void Check_RTotal_Click();
    void IDMCHTO_Click();
    void IDMCHCT_Click();

    // --- Input list ---
    void List1_OLEDragDrop(const QMimeData& data);
    // Handles `paths` as one drop onto List1 (also for paths given at start).
    void DropPaths(const QStringList& paths);

    // --- The lists' context menu ---
    // Button: 1 left, 2 right, 4 middle; the right button opens IDLPM.
    void List1_MouseDown(int Button, const QPoint& globalPos);
    void ResultList_MouseDown(int Button, const QPoint& globalPos);
    void IDLPMCopy_Click();
    void IDLPMDel_Click();
    // The list the context menu was opened on; null outside a popup.
    const ListBoxWidget* popupTargetList() const { return PopupTargetList; }

    // --- About ---
    void IDMHelp_Click();
    void IDMVer_Click();
    // The help file, beside the program unless set otherwise.
    void setHelpFile(const QString& path) { helpFile_ = path; }

    // The window's lasting values, for the start-up options and the tests.
    const FormState& formState() const { return state_; }
    bool isRunning() const { return running_; }
    // The totals box's text with the CR LF line breaks the result file gets.
    QString resultText() const;

  signals:
    // After every displayed or direct run, also a failed one.
    void runFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    enum class ResultLayout { Summary, TotalOnly, None };

    // Layout, menus and start-up.
    void BuildControls();
    void BuildSelectionControls(QWidget* client);
    void BuildMenus();
    void BuildTabOrder();
    void ConnectHandlers();
    void Form_Initialize();

    // Selection.
    SelectionState CurrentSelection() const;
    void ApplyLayout(ResultLayout layout);
    void ShowResolutionInputs(bool shown);

    // Input.
    void ListMouseDown(ListBoxWidget& list, int Button, const QPoint& globalPos);
    // Adds files to List1 and runs the steps that follow every addition.
    void AddToList1(std::vector<std::string> added);

    // Runs and saving.
    std::vector<std::string> ListedFiles() const;
    void SetResultText(const QString& text);
    bool WriteDisplayedResults(std::string& error);
    void ShowOKDialog1(const QString& message);
    // The checks before a run; a refusal is shown in OKDialog1.
    std::optional<RunPreparation> PrepareRunOrRefuse(const SelectionState& selection);
    void ShowOKDialog2(const QString& message);
    void ShowSaveFailure(const std::string& reason);
    void BeginRun();
    void EndRun();

    // Closing.
    void Form_Unload();

    FormState state_;
    bool running_ = false;
    bool closeAfterRun_ = false;

    // Controls, named as their objectName.
    QPushButton* SelctFile = nullptr;
    QPushButton* Start = nullptr;
    QPushButton* FileSave = nullptr;
    QPushButton* Direct_Save = nullptr;
    QPushButton* Clear = nullptr;
    QPushButton* Close = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    ListBoxWidget* List1 = nullptr;
    ListBoxWidget* ResultList = nullptr;
    QPlainTextEdit* Result = nullptr;
    std::array<QCheckBox*, kColumnBoxCount> Check{};
    QCheckBox* Check_Total = nullptr;
    QCheckBox* Check_CTotal = nullptr;
    QCheckBox* Check_RTotal = nullptr;
    QLineEdit* AresoText = nullptr;
    QLineEdit* BresoText = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;

    // Menu items.
    QAction* IDMExit = nullptr;
    QAction* IDMSelect = nullptr;
    QAction* IDMView = nullptr;
    QAction* IDMSave = nullptr;
    QAction* IDMD_Save = nullptr;
    QAction* IDMClear = nullptr;
    std::array<QAction*, kColumnBoxCount> IDMCH{};
    QAction* IDMCHTO = nullptr;
    QAction* IDMCHCT = nullptr;
    QAction* IDMHelp = nullptr;
    QAction* IDMVer = nullptr;
    QMenu* IDLPM = nullptr;
    QAction* IDLPMCopy = nullptr;
    QAction* IDLPMDel = nullptr;
    ListBoxWidget* PopupTargetList = nullptr;

    QString helpFile_;
    HelpViewer* helpViewer_ = nullptr;

    // The auxiliary windows, loaded hidden at start.
    ModelessDialog* modelessDialog_ = nullptr;
    OkDialog* okDialog1_ = nullptr;
    OkDialog* okDialog2_ = nullptr;
    CloseDialog* closeDialog_ = nullptr;
};

}  // namespace folvane::gui
