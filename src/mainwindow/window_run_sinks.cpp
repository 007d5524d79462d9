#include "mainwindow/window_run_sinks.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <algorithm>
#include <limits>

#include "dialogs/modeless_dialog.h"
#include "input/list_box_widget.h"
#include "mainwindow/qt_text.h"

namespace folvane::gui {

namespace {

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

}  // namespace

void ResultListWidgetSink::Clear() {
    pending_.clear();
    list_.clear();
}

void ResultListWidgetSink::AppendLine(std::string_view line) { pending_.push_back(ToQt(line)); }

void ResultListWidgetSink::Flush() {
    if (pending_.isEmpty()) return;
    list_.addItems(pending_);
    pending_.clear();
}

void ProgressWindowSink::Begin(std::int64_t fileCount) {
    QProgressBar& bar = *window_.ProgressBar1;
    bar.setRange(0, ClampToInt(fileCount));
    bar.setValue(bar.minimum());
    window_.show();
    Repaint();
}

void ProgressWindowSink::FileDone(std::int64_t index, std::int64_t) {
    window_.ProgressBar1->setValue(ClampToInt(index));
    if (sinceRepaint_.elapsed() >= kRepaintIntervalMs) Repaint();
}

void ProgressWindowSink::End() {
    QProgressBar& bar = *window_.ProgressBar1;
    bar.setValue(bar.maximum());
    window_.hide();
}

void ProgressWindowSink::Repaint() {
    if (beforeRepaint_) beforeRepaint_();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ++repaints_;
    sinceRepaint_.restart();
}

}  // namespace folvane::gui
