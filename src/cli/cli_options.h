// The command line's options, parsed into one struct.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "state/selection_state.h"

namespace folvane::cli {

enum class OutputFormat {
    Direct,   // the direct file, as "直接ファイルに書出し" writes it
    Display,  // what saving after a displayed run writes
    Table,    // one CSV row per page
    Folders,  // one CSV row per folder
    Xlsx,     // a workbook; needs an output file
};

struct CliOptions {
    std::vector<std::string> paths;
    std::optional<std::string> filesFrom;  // a list of paths, one a line; "-": standard input
    bool recursive = false;
    bool pdf = false;  // also take *.pdf files, wherever *.tif files are taken
    OutputFormat format = OutputFormat::Direct;
    unsigned jobs = 0;         // files read at once; 0: one per processor
    std::string output = "-";  // "-": standard output
    SelectionState selection;
    // Nothing: a terminal gets its own encoding, files and pipes cp932.
    std::optional<OutputEncoding> encoding;
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
