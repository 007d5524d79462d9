#include <gtest/gtest.h>

#include "cli/cli_options.h"

namespace folvane::cli {
namespace {

ParsedCommandLine Parse(std::vector<std::string> args) { return ParseCommandLine(args); }

TEST(CliOptions, Defaults) {
    const auto parsed = Parse({"scans"});
    ASSERT_FALSE(parsed.usageError);
    const auto& o = parsed.options;
    EXPECT_EQ(o.paths, (std::vector<std::string>{"scans"}));
    EXPECT_EQ(o.format, OutputFormat::Direct);
    EXPECT_FALSE(o.encoding);  // the terminal's, or cp932
    EXPECT_FALSE(o.pdf);       // TIFF files only, as ever
    for (const auto value : o.selection.Check) EXPECT_EQ(value, 1);
    EXPECT_EQ(o.selection.Check_Total, 1);
    EXPECT_EQ(o.selection.Check_CTotal, 1);
}

TEST(CliOptions, ChoicesBecomeTheSelection) {
    auto parsed =
        Parse({"--columns=paper,path", "--no-total", "--areso", "200", "--breso=400", "-o",
               "out.txt", "--encoding", "utf-8", "--display", "a.tif", "--", "-b.tif"});
    ASSERT_FALSE(parsed.usageError) << *parsed.usageError;
    const auto& o = parsed.options;
    EXPECT_EQ(o.selection.Check, (std::array<CheckValue, 10>{1, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(o.selection.Check_Total, 0);
    EXPECT_EQ(o.selection.AresoText, "200");
    EXPECT_EQ(o.selection.BresoText, "400");
    EXPECT_EQ(o.output, "out.txt");
    EXPECT_EQ(o.encoding, OutputEncoding::Utf8);
    EXPECT_EQ(o.format, OutputFormat::Display);
    EXPECT_EQ(o.paths, (std::vector<std::string>{"a.tif", "-b.tif"}));

    // Clearing the summary clears the resolution split, as in the window.
    parsed = Parse({"--areso", "200", "--no-size-summary", "x"});
    EXPECT_EQ(parsed.options.selection.Check_CTotal, 0);
    EXPECT_EQ(parsed.options.selection.AresoText, "");

    parsed = Parse({"--columns=", "x"});
    for (const auto value : parsed.options.selection.Check) EXPECT_EQ(value, 0);
}

TEST(CliOptions, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--quiet"},
        {"--frobnicate", "x"},
        {"--columns", "path,size", "x"},
        {"--areso", "12345", "x"},
        {"--encoding", "latin1", "x"},
        {"x", "-o"},
        // An empty output name once meant standard output without a word.
        {"x", "-o", ""},
        {"x", "--output="},
    };
    for (const auto& args : cases) EXPECT_TRUE(Parse(args).usageError) << args.size();
    EXPECT_EQ(*Parse({}).usageError, "ファイルを選択してください。");
    // Four characters, not four bytes.
    EXPECT_FALSE(Parse({"--areso", "２００", "x"}).usageError);
    EXPECT_EQ(Parse({"x"}).options.output, "-");
}

// The reader's limits are the user's to know: the file they stop says it
// in its reason, and the help says it up front.
TEST(CliOptions, HelpStatesTheReadersLimits) {
    const std::string help = UsageText();
    EXPECT_NE(help.find("up to 100000 image directories"), std::string::npos);
    EXPECT_NE(help.find("to 1048576 (2^20) entries"), std::string::npos);
    EXPECT_NE(help.find("NUL-separated"), std::string::npos);
}

TEST(CliOptions, PdfOption) {
    const auto parsed = Parse({"-r", "--pdf", "scans"});
    ASSERT_FALSE(parsed.usageError);
    EXPECT_TRUE(parsed.options.pdf);
    EXPECT_TRUE(parsed.options.recursive);
    EXPECT_NE(UsageText().find("  --pdf "), std::string::npos);
}

}  // namespace
}  // namespace folvane::cli
