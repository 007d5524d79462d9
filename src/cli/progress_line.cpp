#include "cli/progress_line.h"

#include <string>

#include "platform/terminal.h"

namespace folvane::cli {

namespace {

// Redrawing for every file would cost more than reading small files.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

}  // namespace

void ProgressLine::Begin(std::int64_t fileCount) {
    total_ = fileCount;
    lastDraw_ = {};
}

void ProgressLine::FileDone(std::int64_t index, std::int64_t pagesSoFar) {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastDraw_ < kRedrawInterval && index + 1 != total_) return;
    lastDraw_ = now;
    Draw(index + 1, pagesSoFar);
}

void ProgressLine::Draw(std::int64_t done, std::int64_t pages) {
    const std::string line = "\r処理中 " + std::to_string(done) + "/" + std::to_string(total_) +
                             " ファイル  " + std::to_string(pages) + " ページ";
    WriteToStandardError(line);
    drawn_ = true;
}

void ProgressLine::End() { Wipe(); }

void ProgressLine::Wipe() {
    Erase();
    lastDraw_ = {};
}

void ProgressLine::Erase() {
    if (drawn_) WriteToStandardError("\r\x1b[K");
    drawn_ = false;
}

}  // namespace folvane::cli
