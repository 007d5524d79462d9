// The command line's options, parsed into one struct.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "state/selection_state.h"

namespace folvane::cli {

struct CliOptions {
    std::vector<std::string> paths;
    bool display = false;  // the display file instead of the direct file
    std::string output;    // empty or "-": standard output
    SelectionState selection;
    OutputEncoding encoding = OutputEncoding::Cp932;
    bool quiet = false;
    bool help = false;
    bool version = false;
};

struct ParsedCommandLine {
    CliOptions options;
    std::optional<std::string> usageError;  // one line for standard error
};

ParsedCommandLine ParseCommandLine(std::span<const std::string> args);

std::string UsageText();

}  // namespace folvane::cli
