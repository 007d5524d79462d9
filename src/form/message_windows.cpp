#include "form/message_windows.h"

#include <algorithm>

#include "form/window_texts.h"

namespace folvane::form {

void OkDialog::Show(const std::string& message, MessageOwner owner) {
    view_.SetMessage(message);
    view_.ShowModal(*this, owner);
}

void CloseDialog::Ask(const std::string& first, const std::string& second) {
    view_.SetLines(first, second);
    view_.ShowModal(*this);
}

void CloseDialog::YesButton_Click() {
    CloseDialogAnswer = kAnswerYes;
    view_.Hide();
}

void CloseDialog::NoButton_Click() {
    CloseDialogAnswer = kAnswerNo;
    view_.Hide();
}

ModelessDialog::ModelessDialog(ProgressView& view, Clock clock)
    : view_(view), clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return std::chrono::steady_clock::now(); };
}

void ModelessDialog::ShowExamining(std::int64_t examined, std::int64_t total) {
    // A folder's entries count too: past the paths dropped, the count alone.
    std::string count = std::to_string(examined);
    if (examined <= total) count += " / " + std::to_string(total);
    view_.SetCaption(std::string(window_text::kExaminingCaption) + "（" + count + "）");
    view_.SetRange(total);
    view_.SetValue(std::min(examined, total));
    view_.Show();
}

void ModelessDialog::EndExamining() {
    view_.Hide();
    view_.SetCaption(std::string(window_text::kProgressCaption));
}

void ModelessDialog::Begin(std::int64_t fileCount) {
    view_.SetCaption(std::string(window_text::kProgressCaption));
    maximum_ = fileCount < 0 ? 0 : fileCount;
    view_.SetRange(maximum_);
    view_.SetValue(0);
    view_.Show();
    Repaint(0);
}

void ModelessDialog::FileDone(std::int64_t index, std::int64_t) {
    if (clock_() - lastRepaint_ >= kRepaintInterval) Repaint(index);
}

void ModelessDialog::End() {
    view_.SetValue(maximum_);
    view_.Hide();
    beforeRepaint_ = nullptr;
}

void ModelessDialog::Repaint(std::int64_t value) {
    view_.SetValue(value);
    if (beforeRepaint_) beforeRepaint_();
    view_.Repaint();
    ++repaints_;
    lastRepaint_ = clock_();
}

}  // namespace folvane::form
