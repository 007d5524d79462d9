// The result list a run appends its lines to: the window's list box, or a
// plain vector in the direct run and the command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace folvane {

class ResultListSink {
  public:
    virtual ~ResultListSink() = default;
    virtual void Clear() = 0;
    virtual void AppendLine(std::string_view line) = 0;
};

class VectorResultList final : public ResultListSink {
  public:
    void Clear() override { lines.clear(); }
    void AppendLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

}  // namespace folvane
