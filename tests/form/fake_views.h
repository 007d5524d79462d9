// Views without a toolkit for the form layer's tests: each keeps what its
// form showed, in plain values, and answers modal windows from a script a
// test sets up beforehand. Every modal window shown lands in one log.
#pragma once

#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "form/main_form.h"
#include "form/main_form_view.h"
#include "form/message_windows.h"
#include "form/select_dialog.h"
#include "form/version_dialog.h"

namespace folvane::testing {

// A modal window that was shown: its name ("OKDialog1", "CloseDialog",
// "MessageBox", "SaveAs", "FolderPicker", "IDLPM", "SelectDialog",
// "Version"), what it carried and the window it was shown over.
struct ShownWindow {
    std::string name;
    std::string text;
    std::string owner;
    bool operator==(const ShownWindow&) const = default;
};

using WindowLog = std::vector<ShownWindow>;

inline std::string OwnerName(form::MessageOwner owner) {
    return owner == form::MessageOwner::SelectDialog ? "SelectDialog" : "MainForm1";
}

class FakeSelectDialogView;
class FakeVersionView;

class FakeOkDialog final : public form::OkDialogView {
  public:
    FakeOkDialog(std::string name, WindowLog& log) : name_(std::move(name)), log_(log) {}
    void SetMessage(const std::string& text) override { message = text; }
    void ShowModal(form::OkDialog& form, form::MessageOwner owner) override {
        visible = true;
        log_.push_back({name_, message, OwnerName(owner)});
        form.OKButton_Click();
    }
    void Hide() override { visible = false; }

    std::string message;
    bool visible = false;

  private:
    std::string name_;
    WindowLog& log_;
};

// The answer the next CloseDialog gets: a button, or its close box.
enum class CloseAnswer { Yes, No, CloseBox };

class FakeCloseDialog final : public form::CloseDialogView {
  public:
    explicit FakeCloseDialog(WindowLog& log) : log_(log) {}
    void SetLines(const std::string& first, const std::string& second) override {
        lines = first + "\n" + second;
    }
    void ShowModal(form::CloseDialog& form) override {
        visible = true;
        log_.push_back({"CloseDialog", lines, "MainForm1"});
        const CloseAnswer answer = next;
        next = CloseAnswer::No;
        if (answer == CloseAnswer::Yes) form.YesButton_Click();
        if (answer == CloseAnswer::No) form.NoButton_Click();
        if (answer == CloseAnswer::CloseBox) visible = false;
    }
    void Hide() override { visible = false; }

    std::string lines;
    bool visible = false;
    CloseAnswer next = CloseAnswer::No;

  private:
    WindowLog& log_;
};

class FakeProgress final : public form::ProgressView {
  public:
    void SetRange(std::int64_t max) override { maximum = max; }
    void SetValue(std::int64_t value) override { values.push_back(value); }
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    void SetCaption(const std::string& text) override { caption = text; }
    void Repaint() override {
        ++repaints;
        if (onRepaint) onRepaint();
    }

    std::int64_t maximum = -1;
    std::vector<std::int64_t> values;
    bool visible = false;
    std::string caption;
    int repaints = 0;
    std::function<void()> onRepaint;
};

class FakeMainFormView final : public form::MainFormView {
  public:
    FakeMainFormView()
        : okDialog1("OKDialog1", log), okDialog2("OKDialog2", log), closeDialog(log) {
        checks.fill(1);
        checks[12] = 0;
        menuChecked.fill(true);
    }

    // --- What the window shows ---
    std::array<CheckValue, 13> checks{};
    std::array<bool, 13> checkEnabled{true, true, true, true, true, true, true,
                                      true, true, true, true, true, true};
    std::array<bool, 32> menuChecked{};  // by MainMenuItem
    std::map<form::MainMenuItem, bool> menuEnabled;
    bool resolutionInputsShown = false;
    std::string aresoText;
    std::string bresoText;
    form::ResultLayout layout = form::ResultLayout::Summary;
    std::vector<std::string> list1;
    std::vector<std::string> resultList;
    std::set<std::size_t> list1Selected;
    std::set<std::size_t> resultListSelected;
    std::map<form::MainList, int> extentUpdates;
    std::string resultText = "合計\r\n";
    std::string clipboard;
    int closeRequests = 0;
    int runsFinished = 0;
    bool helpShown = false;
    std::string helpFile = "Folvane.html";
    std::string helpShownFile;
    std::string helpShownKeyword;
    bool helpExists = true;
    std::string helpFailure;  // the reason ShowHelp gives when it fails
    bool helpClosed = false;
    std::vector<std::string> saveAsFolders;  // where each Save-As opened
    int resultAppends = 0;

    // --- Scripted answers ---
    // The Save-As answers, oldest first; run out, the dialog is cancelled.
    std::deque<std::optional<std::string>> savePaths;
    std::deque<std::size_t> saveTypes;  // the type chosen with each answer
    struct SaveAsShown {
        std::string proposedName;
        std::size_t selectedType;
        std::vector<std::string> captions;
    };
    std::vector<SaveAsShown> saveAsRequests;
    // What the user does while the context menu is open.
    std::function<void()> onContextMenu;
    // What the user does in the selection window (Attach has run).
    std::function<void(form::SelectDialog&, FakeSelectDialogView&)> onSelectDialog;
    std::function<void(form::VersionDialog&, FakeVersionView&)> onVersionDialog;

    WindowLog log;
    FakeOkDialog okDialog1;
    FakeOkDialog okDialog2;
    FakeCloseDialog closeDialog;
    FakeProgress progress;

    static std::size_t Index(form::MainCheck box) { return static_cast<std::size_t>(box); }
    CheckValue Check(form::MainCheck box) const { return checks[Index(box)]; }
    bool MenuChecked(form::MainMenuItem item) const {
        return menuChecked[static_cast<std::size_t>(item)];
    }
    bool MenuEnabled(form::MainMenuItem item) const {
        const auto found = menuEnabled.find(item);
        return found == menuEnabled.end() ? true : found->second;
    }
    WindowLog TakeLog() {
        WindowLog taken;
        taken.swap(log);
        return taken;
    }

    // --- form::MainFormView ---
    void SetCheckValue(form::MainCheck box, CheckValue value) override {
        checks[Index(box)] = value;
    }
    void SetCheckEnabled(form::MainCheck box, bool enabled) override {
        checkEnabled[Index(box)] = enabled;
    }
    void SetMenuChecked(form::MainMenuItem item, bool checked) override {
        menuChecked[static_cast<std::size_t>(item)] = checked;
    }
    void SetMenuEnabled(form::MainMenuItem item, bool enabled) override {
        menuEnabled[item] = enabled;
    }
    void ShowResolutionInputs(bool shown) override { resolutionInputsShown = shown; }
    std::string ResolutionText(form::ResolutionBox box) const override {
        return box == form::ResolutionBox::AresoText ? aresoText : bresoText;
    }
    void SetResolutionText(form::ResolutionBox box, const std::string& text) override {
        (box == form::ResolutionBox::AresoText ? aresoText : bresoText) = text;
    }
    void LayOutResultArea(form::ResultLayout newLayout) override { layout = newLayout; }
    void SetListLines(form::MainList list, std::span<const std::string> lines) override {
        Lines(list).assign(lines.begin(), lines.end());
        Selected(list).clear();
    }
    void AppendListLines(form::MainList list, std::span<const std::string> lines) override {
        Lines(list).insert(Lines(list).end(), lines.begin(), lines.end());
        if (list == form::MainList::ResultList) ++resultAppends;
    }
    void RemoveListRows(form::MainList list, std::span<const std::size_t> rows) override {
        std::vector<std::string>& lines = Lines(list);
        const std::set<std::size_t> gone(rows.begin(), rows.end());
        std::vector<std::string> kept;
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (gone.count(i) == 0) kept.push_back(std::move(lines[i]));
        lines = std::move(kept);
        Selected(list).clear();
    }
    std::vector<std::size_t> SelectedListRows(form::MainList list) const override {
        const auto& selected = list == form::MainList::List1 ? list1Selected : resultListSelected;
        return {selected.begin(), selected.end()};
    }
    void SetHorizontalExtent(form::MainList list) override { ++extentUpdates[list]; }
    void SetResultText(const std::string& text) override { resultText = text; }
    std::string ResultText() const override { return resultText; }
    std::optional<form::SaveAsAnswer> AskSavePath(const form::SaveAsRequest& request) override {
        saveAsFolders.push_back(request.folder);
        saveAsRequests.push_back({request.proposedName, request.selectedType, {}});
        for (const auto& type : request.types)
            saveAsRequests.back().captions.emplace_back(type.caption);
        std::optional<form::SaveAsAnswer> answer;
        if (!savePaths.empty()) {
            if (savePaths.front())
                answer = form::SaveAsAnswer{*savePaths.front(), request.selectedType};
            savePaths.pop_front();
            // The type the user picks, or the one offered.
            if (answer && !saveTypes.empty()) {
                answer->type = saveTypes.front();
                saveTypes.pop_front();
            }
        }
        log.push_back({"SaveAs", answer ? answer->path : "", "MainForm1"});
        return answer;
    }
    void ShowSystemMessage(const std::string& text) override {
        log.push_back({"MessageBox", text, "MainForm1"});
    }
    void ShowContextMenu(form::MainList list) override {
        const bool copy = MenuEnabled(form::MainMenuItem::IDLPMCopy);
        const bool del = MenuEnabled(form::MainMenuItem::IDLPMDel);
        std::string enabled = copy ? "IDLPMCopy" : "";
        if (del) enabled += enabled.empty() ? "IDLPMDel" : ",IDLPMDel";
        log.push_back({"IDLPM", enabled, list == form::MainList::List1 ? "List1" : "ResultList"});
        if (onContextMenu) onContextMenu();
    }
    void ShowSelectDialog(form::SelectDialog& dialog) override;
    void ShowVersionDialog(form::VersionDialog& dialog) override;
    bool ShowHelp(const std::string& file, const std::string& keyword,
                  std::string& reason) override {
        helpShownFile = file;
        helpShownKeyword = keyword;
        helpShown = helpExists;
        if (!helpExists) reason = helpFailure;
        return helpExists;
    }
    void CloseHelp() override { helpClosed = true; }
    std::string DefaultHelpFile() const override { return helpFile; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    void CloseWindow() override { ++closeRequests; }
    void RunFinished() override { ++runsFinished; }
    // The test ticks the timer itself (ExamineTimer_Tick) or waits with
    // MainForm::FinishExamination.
    void StartExamineTimer() override { examineTimerRunning = true; }
    void StopExamineTimer() override { examineTimerRunning = false; }
    form::OkDialogView& OKDialog1View() override { return okDialog1; }
    form::OkDialogView& OKDialog2View() override { return okDialog2; }
    form::CloseDialogView& CloseDialogPromptView() override { return closeDialog; }
    form::ProgressView& ProgressWindowView() override { return progress; }

    bool examineTimerRunning = false;

    std::vector<std::string>& Lines(form::MainList list) {
        return list == form::MainList::List1 ? list1 : resultList;
    }
    std::set<std::size_t>& Selected(form::MainList list) {
        return list == form::MainList::List1 ? list1Selected : resultListSelected;
    }
};

class FakeSelectDialogView final : public form::SelectDialogView {
  public:
    explicit FakeSelectDialogView(WindowLog& log) : log_(log) {}

    std::string drive;
    std::vector<std::string> chain;
    std::vector<std::string> subfolders;
    std::map<form::SelectList, std::vector<std::string>> items;
    std::map<form::SelectList, std::set<std::size_t>> selected;
    form::ListDisplay display = form::ListDisplay::Both;
    std::deque<std::optional<std::string>> folders;  // the folder picker's answers
    bool closed = false;

    // Selects the rows holding these texts.
    void SelectNamed(form::SelectList list, const std::vector<std::string>& names) {
        const std::vector<std::string>& shown = items[list];
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (std::find(names.begin(), names.end(), shown[i]) != names.end())
                selected[list].insert(i);
    }

    void SetDriveOf(const std::string& path) override { drive = path; }
    void ShowFolderTree(const std::vector<std::string>& newChain,
                        const std::vector<std::string>& newSubfolders) override {
        chain = newChain;
        subfolders = newSubfolders;
    }
    void SetListItems(form::SelectList list, std::span<const std::string> newItems) override {
        items[list].assign(newItems.begin(), newItems.end());
        selected[list].clear();
    }
    std::vector<std::size_t> SelectedRows(form::SelectList list) const override {
        const auto found = selected.find(list);
        if (found == selected.end()) return {};
        return {found->second.begin(), found->second.end()};
    }
    void ClearSelection(form::SelectList list) override { selected[list].clear(); }
    void LayOutLists(form::ListDisplay newDisplay) override { display = newDisplay; }
    std::optional<std::string> AskFolder(const std::string& start) override {
        log_.push_back({"FolderPicker", start, "SelectDialog"});
        std::optional<std::string> answer;
        if (!folders.empty()) {
            answer = folders.front();
            folders.pop_front();
        }
        return answer;
    }
    void ShowOKDialog1(const std::string& message) override {
        log_.push_back({"OKDialog1", message, "SelectDialog"});
    }
    void Close() override { closed = true; }

  private:
    WindowLog& log_;
};

class FakeVersionView final : public form::VersionDialogView {
  public:
    explicit FakeVersionView(WindowLog& log) : log_(log) {}
    void SetCaption(const std::string& text) override { caption = text; }
    void SetTitle(const std::string& text) override { title = text; }
    void SetVersionText(const std::string& text) override { version = text; }
    void ShowSystemMessage(const std::string& text) override {
        log_.push_back({"MessageBox", text, "Version"});
    }
    void Close() override { closed = true; }

    std::string caption;
    std::string title;
    std::string version;
    bool closed = false;

  private:
    WindowLog& log_;
};

inline void FakeMainFormView::ShowSelectDialog(form::SelectDialog& dialog) {
    log.push_back({"SelectDialog", "", "MainForm1"});
    FakeSelectDialogView view(log);
    dialog.Attach(view);
    if (onSelectDialog) onSelectDialog(dialog, view);
    dialog.Detach();
}

inline void FakeMainFormView::ShowVersionDialog(form::VersionDialog& dialog) {
    log.push_back({"Version", "", "MainForm1"});
    FakeVersionView view(log);
    dialog.Attach(view);
    if (onVersionDialog) onVersionDialog(dialog, view);
    dialog.Detach();
}

}  // namespace folvane::testing
