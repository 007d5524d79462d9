// The displayed run: every listed file's lines into ResultList, the totals
// into Result. The run itself is the core's; the files are read ahead on
// other threads as the command line reads them.
#include <memory>

#include "form/main_form.h"
#include "inspect/result_list_sink.h"
#include "run/displayed_run.h"
#include "run/listed_file.h"
#include "run/read_ahead.h"
#include "run/read_threads.h"
#include "state/texts.h"

namespace folvane::form {

namespace {

// Keeps the lines in the form and hands those not yet shown to the view
// in batches: adding tens of thousands of rows one by one would make the
// window several times slower than the command line.
class ResultListFiller final : public ResultListSink {
  public:
    ResultListFiller(std::vector<std::string>& lines, MainFormView& view)
        : lines_(lines), view_(view), shown_(lines.size()) {}

    void Clear() override {
        lines_.clear();
        shown_ = 0;
        view_.SetListLines(MainList::ResultList, lines_);
    }
    void AppendLine(std::string_view line) override { lines_.emplace_back(line); }
    void Flush() {
        if (shown_ == lines_.size()) return;
        view_.AppendListLines(MainList::ResultList,
                              std::span<const std::string>(lines_).subspan(shown_));
        shown_ = lines_.size();
    }

  private:
    std::vector<std::string>& lines_;
    MainFormView& view_;
    std::size_t shown_;  // lines the view has
};

}  // namespace

unsigned MainForm::ReadThreads(const InputFiles& input) const {
    return services_.readThreads != 0 ? services_.readThreads : DefaultReadThreads(input);
}

ReadAhead::ThreadUse MainForm::ReadThreadUse() const {
    return services_.readThreads != 0 ? ReadAhead::ThreadUse::All
                                      : ReadAhead::ThreadUse::AsReadsWait;
}

void MainForm::Start_Click() {
    if (running_) return;
    // The run waits for what is being examined to reach the list.
    if (examination_) {
        startAfterExamination_ = true;
        return;
    }
    const SelectionState selection = CurrentSelection();
    const auto preparation = PrepareRunOrRefuse(selection);
    if (!preparation) return;
    // A copy: the list must not change under the readers.
    const std::vector<std::string> files = list1_;
    const SpanInputFiles input(files);

    BeginRun();
    ResultListFiller resultList(resultList_, view_);
    // The lines gathered so far go into the list whenever the window
    // repaints, so the list fills while the run goes on.
    modelessDialog_->SetBeforeRepaint([&resultList] { resultList.Flush(); });
    SetResultText(std::string());
    std::unique_ptr<ReadAhead> readAhead;
    const unsigned threads = ReadThreads(input);
    if (threads > 1)
        readAhead = std::make_unique<ReadAhead>(input, threads, takesPdf_, ReadThreadUse());
    TiffFileSource& source = readAhead ? *readAhead : DirectFileSource(takesPdf_);
    const std::string totals = RunDisplayed(state_, selection, preparation->tally, input,
                                            resultList, *modelessDialog_, source);
    readAhead.reset();
    resultList.Flush();
    view_.SetHorizontalExtent(MainList::ResultList);
    SetResultText(totals);
    if (view_.ResultText() != folvane::text::kResultInitial)
        view_.SetMenuEnabled(MainMenuItem::IDMSave, true);
    EndRun();
}

void MainForm::BeginRun() { running_ = true; }

void MainForm::EndRun() {
    running_ = false;
    view_.RunFinished();
    // A close asked for while the run held the window is carried out now.
    if (closeAfterRun_) {
        closeAfterRun_ = false;
        view_.CloseWindow();
    }
}

void MainForm::SetResultText(const std::string& text) { view_.SetResultText(text); }

std::optional<RunPreparation> MainForm::PrepareRunOrRefuse(const SelectionState& selection) {
    RunPreparation preparation = PrepareRun(state_, selection);
    if (preparation.refusal) {
        okDialog1_->Show(std::string(*preparation.refusal));
        return std::nullopt;
    }
    return preparation;
}

}  // namespace folvane::form
