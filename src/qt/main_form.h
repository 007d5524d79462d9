// MainForm1: the program's main window in Qt. It shows what its form
// (form::MainForm) tells it and hands the user's clicks, drops and keys to
// the form's handlers; the program's rules are all the form's.
#pragma once

#include <QMainWindow>
#include <QRect>
#include <array>
#include <map>
#include <memory>

#include "form/main_form.h"
#include "form/main_form_view.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTimer;

namespace folvane::gui {

class CloseDialog;
class HelpViewer;
class ListBoxWidget;
class ModelessDialog;
class OkDialog;
class SelectDialog;

class MainForm1 : public QMainWindow, public form::MainFormView {
    Q_OBJECT

  public:
    explicit MainForm1(QWidget* parent = nullptr, form::MainFormServices services = {});
    ~MainForm1() override;

    form::MainForm& form() { return form_; }
    const form::MainForm& form() const { return form_; }
    // Handles `paths` as one drop onto List1 (also for paths given at start).
    void DropPaths(const QStringList& paths);
    // The totals box's text with the CR LF line breaks the result file gets.
    QString resultText() const;
    // The size the design gives the window's client area.
    static QSize designClientSize();

    // --- form::MainFormView ---
    void SetCheckValue(form::MainCheck box, CheckValue value) override;
    void SetCheckEnabled(form::MainCheck box, bool enabled) override;
    void SetMenuChecked(form::MainMenuItem item, bool checked) override;
    void SetMenuEnabled(form::MainMenuItem item, bool enabled) override;
    void ShowResolutionInputs(bool shown) override;
    std::string ResolutionText(form::ResolutionBox box) const override;
    void SetResolutionText(form::ResolutionBox box, const std::string& text) override;
    void LayOutResultArea(form::ResultLayout layout) override;
    void SetListLines(form::MainList list, std::span<const std::string> lines) override;
    void AppendListLines(form::MainList list, std::span<const std::string> lines) override;
    void RemoveListRows(form::MainList list, std::span<const std::size_t> rows) override;
    std::vector<std::size_t> SelectedListRows(form::MainList list) const override;
    void SetHorizontalExtent(form::MainList list) override;
    void SetResultText(const std::string& text) override;
    std::string ResultText() const override;
    std::optional<form::SaveAsAnswer> AskSavePath(const form::SaveAsRequest& request) override;
    void ShowSystemMessage(const std::string& text) override;
    void ShowContextMenu(form::MainList list) override;
    void ShowSelectDialog(form::SelectDialog& dialog) override;
    void ShowVersionDialog(form::VersionDialog& dialog) override;
    bool ShowHelp(const std::string& file, const std::string& keyword,
                  std::string& reason) override;
    void CloseHelp() override;
    std::string DefaultHelpFile() const override;
    void SetClipboardText(const std::string& text) override;
    void CloseWindow() override { close(); }
    void RunFinished() override { emit runFinished(); }
    void StartExamineTimer() override;
    void StopExamineTimer() override;
    form::OkDialogView& OKDialog1View() override;
    form::OkDialogView& OKDialog2View() override;
    form::CloseDialogView& CloseDialogPromptView() override;
    form::ProgressView& ProgressWindowView() override;

  signals:
    // After every displayed or direct run, also a failed one.
    void runFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Layout, menus and start-up.
    void BuildControls();
    void BuildSelectionControls(QWidget* client);
    void BuildMenus();
    void BuildTabOrder();
    void ConnectHandlers();
    void FitToScreen();
    // Places every control for the client area's size and the result
    // area's layout: the design's places at the design's size; the lists
    // and the totals box take what the window grows by.
    void PlaceControls();
    QCheckBox* CheckBox(form::MainCheck box) const;
    QAction* MenuItem(form::MainMenuItem item) const;
    ListBoxWidget* List(form::MainList list) const;

    form::MainForm form_;
    form::ResultLayout layout_ = form::ResultLayout::Summary;
    // The design's rectangles in pixels, by control.
    std::map<QWidget*, QRect> design_;

    QScrollArea* scroll_ = nullptr;
    QWidget* client_ = nullptr;

    // Controls, named as their objectName.
    QPushButton* SelctFile = nullptr;
    QPushButton* Start = nullptr;
    QPushButton* FileSave = nullptr;
    QPushButton* Direct_Save = nullptr;
    QPushButton* Clear = nullptr;
    QPushButton* Close = nullptr;
    QWidget* Line1 = nullptr;
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
    QAction* IDMPdf = nullptr;
    QAction* IDMHelp = nullptr;
    QAction* IDMVer = nullptr;
    QMenu* IDLPM = nullptr;
    QAction* IDLPMCopy = nullptr;
    QAction* IDLPMDel = nullptr;

    HelpViewer* helpViewer_ = nullptr;
    // Ticks the form while dropped paths are examined on another thread.
    QTimer* examineTimer_ = nullptr;

    // The auxiliary windows, loaded hidden with the window.
    ModelessDialog* modelessDialog_ = nullptr;
    OkDialog* okDialog1_ = nullptr;
    OkDialog* okDialog2_ = nullptr;
    CloseDialog* closeDialog_ = nullptr;
};

}  // namespace folvane::gui
