// What a run writes through in the window: the ResultList widget and the
// progress window.
#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <functional>

#include "inspect/result_list_sink.h"
#include "run/run_sinks.h"

namespace folvane::gui {

class ListBoxWidget;
class ModelessDialog;

// Appends lines to the list in batches: adding tens of thousands of items
// one by one would make the window several times slower than the command
// line for the same run.
class ResultListWidgetSink final : public ResultListSink {
  public:
    explicit ResultListWidgetSink(ListBoxWidget& list) : list_(list) {}
    ~ResultListWidgetSink() override { Flush(); }

    void Clear() override;
    void AppendLine(std::string_view line) override;
    // Puts the lines gathered so far into the list.
    void Flush();

  private:
    ListBoxWidget& list_;
    QStringList pending_;
};

// Shows the progress window and lets it repaint while the run holds the
// thread. User input is not taken meanwhile (it waits until the run is
// over), and repainting happens at most every 50 ms, so that drawing does
// not slow the run down.
class ProgressWindowSink final : public ProgressSink {
  public:
    static constexpr int kRepaintIntervalMs = 50;

    explicit ProgressWindowSink(ModelessDialog& window, std::function<void()> beforeRepaint = {})
        : window_(window), beforeRepaint_(std::move(beforeRepaint)) {}

    void Begin(std::int64_t fileCount) override;
    void FileDone(std::int64_t index, std::int64_t pagesSoFar) override;
    void End() override;

    int repaintCount() const { return repaints_; }

  private:
    void Repaint();

    ModelessDialog& window_;
    std::function<void()> beforeRepaint_;
    QElapsedTimer sinceRepaint_;
    int repaints_ = 0;
};

}  // namespace folvane::gui
