// The displayed run: every listed file's lines into ResultList, the totals
// into Result. The run itself is the core's.
#include <QAction>
#include <QPlainTextEdit>

#include "dialogs/dialog_seam.h"
#include "dialogs/ok_dialog.h"
#include "input/list_box_widget.h"
#include "mainwindow/main_form.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/window_run_sinks.h"
#include "run/displayed_run.h"
#include "run/run_preparation.h"
#include "state/texts.h"

namespace folvane::gui {

void MainForm1::Start_Click() {
    if (running_) return;
    const SelectionState selection = CurrentSelection();
    const auto preparation = PrepareRunOrRefuse(selection);
    if (!preparation) return;
    const std::vector<std::string> files = ListedFiles();

    BeginRun();
    ResultListWidgetSink resultList(*ResultList);
    // The lines gathered so far go into the list whenever the window
    // repaints, so the list fills while the run goes on.
    ProgressWindowSink progress(*modelessDialog_, [&resultList] { resultList.Flush(); });
    SetResultText(QString());
    const std::string totals =
        RunDisplayed(state_, selection, preparation->tally, files, resultList, progress);
    resultList.Flush();
    SetHorizontalExtent(*ResultList);
    SetResultText(ToQt(totals));
    if (resultText() != ToQt(text::kResultInitial)) IDMSave->setEnabled(true);
    EndRun();
}

void MainForm1::BeginRun() { running_ = true; }

void MainForm1::EndRun() {
    running_ = false;
    emit runFinished();
    // A close asked for while the run held the window is carried out now.
    if (closeAfterRun_) {
        closeAfterRun_ = false;
        close();
    }
}

QString MainForm1::resultText() const {
    QString text = Result->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void MainForm1::SetResultText(const QString& text) {
    // The box shows lines; the program's texts break them with CR LF.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Result->setPlainText(shown);
}

std::optional<RunPreparation> MainForm1::PrepareRunOrRefuse(const SelectionState& selection) {
    RunPreparation preparation = PrepareRun(state_, selection);
    if (preparation.refusal) {
        ShowOKDialog1(ToQt(*preparation.refusal));
        return std::nullopt;
    }
    return preparation;
}

void MainForm1::ShowOKDialog1(const QString& message) {
    okDialog1_->setMessage(message);
    DialogSeam::showModal(*okDialog1_);
}

void MainForm1::ShowOKDialog2(const QString& message) {
    okDialog2_->setMessage(message);
    DialogSeam::showModal(*okDialog2_);
}

}  // namespace folvane::gui
