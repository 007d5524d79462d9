#include "cli/cli_options.h"

#include <array>
#include <charconv>
#include <string_view>

#include "state/texts.h"

namespace folvane::cli {

namespace {

constexpr std::array<std::string_view, kColumnBoxCount> kColumnNames = {
    "path",    "byte-order",  "pages",  "pixel-size", "resolution",
    "mm-size", "compression", "colour", "paper",      "orientation"};

// The resolution boxes hold at most four characters.
constexpr std::size_t kResolutionBoxLength = 4;

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

std::optional<std::string> ApplyColumns(std::string_view list, SelectionState& selection) {
    selection.Check.fill(0);
    while (!list.empty()) {
        const auto comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        bool known = false;
        for (std::size_t i = 0; i < kColumnNames.size(); ++i) {
            if (kColumnNames[i] == name) {
                selection.Check[i] = 1;
                known = true;
            }
        }
        if (!known) return "unknown column: " + std::string(name);
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return std::nullopt;
}

std::optional<std::string> ApplyJobs(const std::string& text, unsigned& jobs) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > 256)
        return "jobs must be a number from 1 to 256: " + text;
    jobs = value;
    return std::nullopt;
}

class ArgumentCursor {
  public:
    explicit ArgumentCursor(std::span<const std::string> args) : args_(args) {}
    bool Done() const { return index_ >= args_.size(); }
    const std::string& Next() { return args_[index_++]; }

    // The value of an option given as "--name=value" or "--name value".
    std::optional<std::string> ValueFor(const std::string& arg, std::string_view name,
                                        std::optional<std::string>& error) {
        if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
            arg[name.size()] == '=')
            return arg.substr(name.size() + 1);
        if (arg != name) return std::nullopt;
        if (Done()) {
            error = "option " + std::string(name) + " needs a value";
            return std::string();
        }
        return Next();
    }

  private:
    std::span<const std::string> args_;
    std::size_t index_ = 0;
};

}  // namespace

ParsedCommandLine ParseCommandLine(std::span<const std::string> args) {
    ParsedCommandLine parsed;
    CliOptions& o = parsed.options;
    std::optional<std::string>& error = parsed.usageError;
    bool sizeSummary = true;
    std::optional<std::string> areso, breso;
    ArgumentCursor cursor(args);
    bool optionsEnded = false;

    while (!cursor.Done() && !error) {
        const std::string& arg = cursor.Next();
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            o.paths.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--display") {
            o.format = OutputFormat::Display;
        } else if (arg == "--recursive" || arg == "-r") {
            o.recursive = true;
        } else if (arg == "--pdf") {
            o.pdf = true;
        } else if (arg == "--quiet" || arg == "-q") {
            o.quiet = true;
        } else if (arg == "--no-total") {
            o.selection.Check_Total = 0;
        } else if (arg == "--no-size-summary") {
            sizeSummary = false;
        } else if (auto v = cursor.ValueFor(arg, "-o", error)) {
            o.output = *v;
            if (!error && v->empty()) error = "-o needs a file name (- for standard output)";
        } else if (auto v = cursor.ValueFor(arg, "--output", error)) {
            o.output = *v;
            if (!error && v->empty()) error = "--output needs a file name (- for standard output)";
        } else if (auto v = cursor.ValueFor(arg, "--columns", error)) {
            if (!error) error = ApplyColumns(*v, o.selection);
        } else if (auto v = cursor.ValueFor(arg, "--areso", error)) {
            areso = *v;
        } else if (auto v = cursor.ValueFor(arg, "--breso", error)) {
            breso = *v;
        } else if (auto v = cursor.ValueFor(arg, "--files-from", error)) {
            o.filesFrom = *v;
        } else if (auto v = cursor.ValueFor(arg, "--format", error)) {
            if (*v == "direct") {
                o.format = OutputFormat::Direct;
            } else if (*v == "display") {
                o.format = OutputFormat::Display;
            } else if (*v == "table") {
                o.format = OutputFormat::Table;
            } else if (*v == "folders") {
                o.format = OutputFormat::Folders;
            } else if (*v == "xlsx") {
                o.format = OutputFormat::Xlsx;
            } else if (!error) {
                error = "unknown format: " + *v + " (direct, display, table, folders or xlsx)";
            }
        } else if (auto v = arg.rfind("-j", 0) == 0 && arg.size() > 2 && arg[2] != '-'
                                ? std::optional<std::string>(arg.substr(2))
                                : cursor.ValueFor(arg, "-j", error)) {
            if (!error) error = ApplyJobs(*v, o.jobs);
        } else if (auto v = cursor.ValueFor(arg, "--jobs", error)) {
            if (!error) error = ApplyJobs(*v, o.jobs);
        } else if (auto v = cursor.ValueFor(arg, "--encoding", error)) {
            if (*v == "cp932") {
                o.encoding = OutputEncoding::Cp932;
            } else if (*v == "utf-8" || *v == "utf8") {
                o.encoding = OutputEncoding::Utf8;
            } else if (!error) {
                error = "unknown encoding: " + *v + " (cp932 or utf-8)";
            }
        } else {
            error = "unknown option: " + arg;
        }
    }
    if (error || o.help || o.version) return parsed;

    for (const auto* text : {&areso, &breso})
        if (*text && CharacterCount(**text) > kResolutionBoxLength)
            return {o, "a resolution holds at most 4 characters: " + **text};
    if (!sizeSummary) {
        // As in the window: clearing the summary clears the resolution split.
        o.selection.Check_CTotal = 0;
    } else if (areso || breso) {
        o.selection.Check_RTotal = 1;
        o.selection.AresoText = areso.value_or("");
        o.selection.BresoText = breso.value_or("");
    }
    if (o.format == OutputFormat::Xlsx && (o.output.empty() || o.output == "-"))
        return {o,
                "--format xlsx needs -o FILE: a workbook is a file, not text for standard "
                "output or a terminal"};
    if (o.paths.empty() && !o.filesFrom) error = std::string(text::kSelectFiles);
    return parsed;
}

std::string UsageText() {
    return "Usage: folvane-cli [OPTIONS] PATH...\n"
           "Lists the pages of TIFF files with their sizes, resolutions and paper sizes.\n"
           "A folder adds the *.tif files it directly holds; a file is taken when it ends in "
           ".tif.\n"
           "With --pdf, PDF files too (*.pdf in any letter case).\n"
           "\n"
           "  -r, --recursive      a folder adds the *.tif files of its whole tree\n"
           "  --pdf                also take PDF files: names ending in .pdf (any case), and\n"
           "                       the *.pdf files of folders; each page is listed with the\n"
           "                       size it is shown at and its image's effective resolution\n"
           "  --files-from FILE    also take the paths in FILE (see Lists below); - reads\n"
           "                       standard input\n"
           "  --format FORMAT      direct (default), display, table (CSV, a row per page),\n"
           "                       folders (CSV, a row per folder) or xlsx (an Excel\n"
           "                       workbook; needs -o FILE)\n"
           "  --display            the same as --format display\n"
           "  -j, --jobs N         read and examine N files at once (default: 32 on a\n"
           "                       network file system; on a solid-state or virtual disk\n"
           "                       up to 64 once reads wait on the disk, one per\n"
           "                       processor (at least 2) while the files come from\n"
           "                       memory; one per processor on a spinning one)\n"
           "  -o, --output FILE    write to FILE (replaced only when complete); - is standard "
           "output.\n"
           "                       Refused: a folder, a block device, a name ending in .tif or\n"
           "                       .tiff (with --pdf also .pdf), the same file as an input\n"
           "  --columns LIST       comma-separated columns to show: path,byte-order,pages,\n"
           "                       pixel-size,resolution,mm-size,compression,colour,paper,"
           "orientation\n"
           "  --no-total           leave out the grand total\n"
           "  --no-size-summary    leave out the pages per paper size\n"
           "  --areso TEXT         first resolution to split the size summary by\n"
           "  --breso TEXT         second resolution to split the size summary by\n"
           "  --encoding ENC       cp932 or utf-8, for the results and the messages alike;\n"
           "                       without it a terminal gets its own encoding (the\n"
           "                       locale's; characters on a Windows console), files\n"
           "                       and pipes get cp932 (Shift-JIS)\n"
           "  -q, --quiet          no progress line on standard error\n"
           "  -h, --help           this text\n"
           "  --version            the program's version\n"
           "\n"
           "Every file with a problem, and every folder or path that could not be used,\n"
           "is named on standard error with its reason (also with -q).\n"
           "The same file is counted once, whatever its spellings or hard links: under\n"
           "the path that comes first in the list's order; the others are named on\n"
           "standard error (\"同じファイルです: first path\") and left out.\n"
           "Control characters in names are shown as escapes (\\r, \\n, \\t, \\x1b,\n"
           "\\u0085) in the report and in messages, so that a name cannot forge a line.\n"
           "Characters Shift-JIS cannot hold become \"?\"; the run then says how many\n"
           "names changed.\n"
           "\n"
           "Lists (--files-from): a byte-order mark decides UTF-8 or UTF-16 LE/BE (what\n"
           "PowerShell writes); bytes whose NULs are all the second of a pair are UTF-16\n"
           "LE; anything else is UTF-8. One path a line (LF or CR LF), or NUL-separated\n"
           "(find -print0) when the NULs separate whole entries. A list that is not\n"
           "valid text, or cannot be read, is refused (exit status 2).\n"
           "\n"
           "Output (-o): a link to a file replaces that file and stays a link;\n"
           "/dev/stdout, /dev/stderr, /dev/fd/N and /proc/self/fd/N are written through\n"
           "the open descriptor, as - is (>> appends); devices and FIFOs are written in\n"
           "place; a bind-mounted file is written in place (truncated, not atomic).\n"
           "Failed before anything is read (exit status 1): another user's file in a\n"
           "sticky folder such as /tmp, and on Windows a file another program holds open.\n"
           "On Windows the .tif check applies to the name the system uses (A.TIF. is\n"
           "a.tif).\n"
           "\n"
           "Tables and workbooks: A4 units are a page's area in mm2 (from its snapped size)\n"
           "divided by 62370 (A4), minus 0.05, rounded up, at least 1: A4 and smaller 1,\n"
           "A3 2, A2 4, A1 8, A0 16, B4 2, B3 3, B2 6, B1 12; a page without a resolution\n"
           "counts 1 and is noted. Colour classes: Bilevel is black and white, Gray grey;\n"
           "RGB, Palette, CMYK, YCbCr and CIELab are colour; anything else unknown. The\n"
           "workbook's sheets: pages (a row each), totals by resolution, paper size and\n"
           "colour class, totals per folder, problems, and how the run was made. Paths are\n"
           "always text, never formulas; a CSV text cell that starts with = + - @ gets a\n"
           "leading ' so that spreadsheets do not compute it. In cp932 the table names\n"
           "every path Shift-JIS cannot hold on standard error and in a row of its own;\n"
           "use --encoding utf-8 or the workbook for such names.\n"
           "\n"
           "Limits: a file is read up to 100000 image directories, a BigTIFF directory up\n"
           "to 1048576 (2^20) entries; a file past either is reported damaged, as is one\n"
           "whose directories overlap.\n"
           "\n"
           "With --pdf, a PDF page that paints no image is sized from its box, without\n"
           "pixels or resolution; a file needing a password is listed as an error.\n"
           "\n"
           "Exit status: 0 when every file was a readable TIFF (or PDF) file; 1 when the\n"
           "output cannot be written; 2 for a usage error, an unreadable list or an output\n"
           "that is refused; 3 when the run completed but some files were not TIFF files,\n"
           "could not be opened, were damaged or needed a password, or some folders or\n"
           "paths could not be used.\n";
}

}  // namespace folvane::cli
