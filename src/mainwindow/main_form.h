// MainForm1: the program's one main window. Its handlers are spread over a
// few files by concern (layout and start-up, selection, input, runs,
// saving, clearing and closing); the work itself is the core's.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "state/form_state.h"
#include "state/selection_state.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPlainTextEdit;
class QPushButton;

namespace folvane::gui {

class CloseDialog;
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

    // Runs and saving.
    std::vector<std::string> ListedFiles() const;
    void SetResultText(const QString& text);
    bool WriteDisplayedResults(std::string& error);
    void ShowOKDialog1(const QString& message);
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

    // The auxiliary windows, loaded hidden at start.
    ModelessDialog* modelessDialog_ = nullptr;
    OkDialog* okDialog1_ = nullptr;
    OkDialog* okDialog2_ = nullptr;
    CloseDialog* closeDialog_ = nullptr;
};

}  // namespace folvane::gui
