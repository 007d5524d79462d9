// What a run reports to and writes through, so that the window, the
// command line and the tests each plug in their own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace folvane {

// The progress window: a bar from 0 to the number of files.
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    // Min 0, Max fileCount, Value 0; shown.
    virtual void Begin(std::int64_t fileCount) = 0;
    // Value `index` after file `index` (from 0) was inspected.
    virtual void FileDone(std::int64_t index, std::int64_t pagesSoFar) = 0;
    // Value Max; hidden. Called on every way out of a run.
    virtual void End() = 0;
};

class NoProgress final : public ProgressSink {
  public:
    void Begin(std::int64_t) override {}
    void FileDone(std::int64_t, std::int64_t) override {}
    void End() override {}
};

// Writes lines of a result file: each text followed by CR LF.
class LineWriter {
  public:
    virtual ~LineWriter() = default;
    // False once writing failed; ErrorMessage() then says why.
    virtual bool WriteLine(std::string_view text) = 0;
    virtual const std::string& ErrorMessage() const = 0;
};

}  // namespace folvane
