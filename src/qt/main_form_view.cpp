// MainForm1 as its form's view: each call shows what the form decided, or
// asks the user and hands back the answer.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include "form/select_dialog.h"
#include "form/version_dialog.h"
#include "form/window_texts.h"
#include "qt/close_dialog.h"
#include "qt/help_viewer.h"
#include "qt/list_box_widget.h"
#include "qt/main_form.h"
#include "qt/modeless_dialog.h"
#include "qt/ok_dialog.h"
#include "qt/qt_text.h"
#include "qt/save_as.h"
#include "qt/select_dialog.h"
#include "qt/system_message.h"
#include "qt/version_dialog.h"

namespace folvane::gui {

void MainForm1::closeEvent(QCloseEvent* event) {
    if (form_.Form_Unload())
        event->accept();
    else
        event->ignore();
}

void MainForm1::SetCheckValue(form::MainCheck box, CheckValue value) {
    CheckBox(box)->setChecked(value == 1);
}

void MainForm1::SetCheckEnabled(form::MainCheck box, bool enabled) {
    CheckBox(box)->setEnabled(enabled);
}

void MainForm1::SetMenuChecked(form::MainMenuItem item, bool checked) {
    MenuItem(item)->setChecked(checked);
}

void MainForm1::SetMenuEnabled(form::MainMenuItem item, bool enabled) {
    MenuItem(item)->setEnabled(enabled);
}

void MainForm1::ShowResolutionInputs(bool shown) {
    for (QLineEdit* box : {AresoText, BresoText}) {
        box->setEnabled(shown);
        box->setVisible(shown);
    }
    Label3->setVisible(shown);
    Label4->setVisible(shown);
}

std::string MainForm1::ResolutionText(form::ResolutionBox box) const {
    return ToCore((box == form::ResolutionBox::AresoText ? AresoText : BresoText)->text());
}

void MainForm1::SetResolutionText(form::ResolutionBox box, const std::string& text) {
    (box == form::ResolutionBox::AresoText ? AresoText : BresoText)->setText(ToQt(text));
}

void MainForm1::LayOutResultArea(form::ResultLayout layout) {
    layout_ = layout;
    Result->setVisible(layout != form::ResultLayout::None);
    PlaceControls();
}

void MainForm1::SetListLines(form::MainList list, std::span<const std::string> lines) {
    ListBoxWidget* widget = List(list);
    widget->clear();
    AppendListLines(list, lines);
}

void MainForm1::AppendListLines(form::MainList list, std::span<const std::string> lines) {
    if (lines.empty()) return;
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) texts.push_back(ToQt(line));
    List(list)->addItems(texts);
}

void MainForm1::RemoveListRows(form::MainList list, std::span<const std::size_t> rows) {
    // Each run of neighbouring rows goes at once: a result list of tens of
    // thousands of lines would take minutes one line at a time.
    ListBoxWidget* widget = List(list);
    std::size_t end = rows.size();
    while (end > 0) {
        std::size_t begin = end - 1;
        while (begin > 0 && rows[begin - 1] + 1 == rows[begin]) --begin;
        widget->model()->removeRows(static_cast<int>(rows[begin]), static_cast<int>(end - begin));
        end = begin;
    }
}

std::vector<std::size_t> MainForm1::SelectedListRows(form::MainList list) const {
    const ListBoxWidget* widget = List(list);
    std::vector<std::size_t> rows;
    for (int i = 0; i < widget->count(); ++i)
        if (widget->item(i)->isSelected()) rows.push_back(static_cast<std::size_t>(i));
    return rows;
}

void MainForm1::SetHorizontalExtent(form::MainList list) { gui::SetHorizontalExtent(*List(list)); }

void MainForm1::SetResultText(const std::string& text) {
    // The box shows lines; the program's texts break them with CR LF.
    QString shown = ToQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Result->setPlainText(shown);
}

QString MainForm1::resultText() const {
    QString text = Result->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

std::string MainForm1::ResultText() const { return ToCore(resultText()); }

std::optional<form::SaveAsAnswer> MainForm1::AskSavePath(const form::SaveAsRequest& request) {
    QFileDialog dialog(this);
    ConfigureSaveAs(dialog, request);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return form::SaveAsAnswer{ToCore(QDir::toNativeSeparators(chosen.first())),
                              SelectedSaveType(dialog, request)};
}

void MainForm1::ShowSystemMessage(const std::string& text) { ShowMessageBox(this, ToQt(text)); }

void MainForm1::ShowContextMenu(form::MainList list) {
    IDLPM->exec(QCursor::pos(), nullptr);
    (void)list;
}

void MainForm1::ShowSelectDialog(form::SelectDialog& dialog) {
    SelectDialog window(this, *okDialog1_, dialog);
    window.exec();
}

void MainForm1::ShowVersionDialog(form::VersionDialog& dialog) {
    VersionDialog window(this, dialog);
    window.exec();
}

bool MainForm1::ShowHelp(const std::string& file, const std::string& keyword, std::string& reason) {
    // One help window, kept for the next request like a help system's.
    if (helpViewer_ == nullptr) helpViewer_ = new HelpViewer(this);
    QString why;
    const bool shown = helpViewer_->showTopic(ToQt(file), ToQt(keyword), &why);
    reason = ToCore(why);
    return shown;
}

void MainForm1::CloseHelp() {
    if (helpViewer_ != nullptr) helpViewer_->close();
}

std::string MainForm1::DefaultHelpFile() const { return ToCore(gui::DefaultHelpFile()); }

void MainForm1::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(ToQt(text));
}

form::OkDialogView& MainForm1::OKDialog1View() { return *okDialog1_; }

form::OkDialogView& MainForm1::OKDialog2View() { return *okDialog2_; }

form::CloseDialogView& MainForm1::CloseDialogPromptView() { return *closeDialog_; }

form::ProgressView& MainForm1::ProgressWindowView() { return *modelessDialog_; }

}  // namespace folvane::gui
