// A one-line progress display on standard error while a run lasts.
#pragma once

#include <chrono>
#include <cstdint>

#include "run/run_sinks.h"

namespace folvane::cli {

class ProgressLine final : public ProgressSink {
  public:
    void Begin(std::int64_t fileCount) override;
    void FileDone(std::int64_t index, std::int64_t pagesSoFar) override;
    void End() override;
    // Wipes the line, so that a message can take its place; the next file
    // draws it again.
    void Wipe();
    // Erases the line without hurrying its next drawing: for result lines
    // written to the same terminal, which come far more often than a
    // message.
    void Erase();

  private:
    void Draw(std::int64_t done, std::int64_t pages);

    std::int64_t total_ = 0;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace folvane::cli
