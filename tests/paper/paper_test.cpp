#include <gtest/gtest.h>

#include <set>

#include "paper/classify_paper_size.h"
#include "paper/size_summary.h"

namespace folvane {
namespace {

TEST(PaperKeyTable, BuiltByTheRule) {
    const auto& table = PaperKeyTable();
    EXPECT_EQ(table.size(), 208u);
    std::set<std::string> distinct;
    for (const auto& [key, paper] : table) distinct.insert(key);
    EXPECT_EQ(distinct.size(), 208u);
    // First and last of the A6 group, and the tail of the A0 group.
    EXPECT_EQ(table[0].first, "105x148");
    EXPECT_EQ(table[3].first, "128x105");
    EXPECT_EQ(table[3].second, Paper::A6);
    EXPECT_EQ(table.back().first, "105x1189");
    EXPECT_EQ(table.back().second, Paper::A0);
    // B1 begins with its own sheet: the table is grouped A6..A0 as the sizes grow.
    const auto b1 = std::find_if(table.begin(), table.end(),
                                 [](const auto& row) { return row.second == Paper::B1; });
    EXPECT_EQ(b1->first, "728x1031");
    EXPECT_EQ((b1 + 2)->first, "728x841");
    EXPECT_EQ((b1 + 4)->first, "1031x594");
}

TEST(ClassifyPaperSize, Names) {
    struct Case {
        const char* width;
        const char* height;
        const char* name;
    };
    const Case cases[] = {
        {"210", "297", "A4"},      {"297", "210", "A4"},     {"148", "182", "A5"},
        {"182", "148", "A5"},      {"105", "128", "A6"},     {"105", "1189", "A0"},
        {"728", "1031", "B1"},     {"841", "1189", "A0"},    {"1189", "841", "A0"},
        {"257", "364", "B4"},      {"105", "105", "Other"},  {"1031", "1189", "Other"},
        {"1031", "1456", "Other"}, {"1600", "841", "Other"}, {"?", "297", "Other"},
    };
    for (const auto& c : cases) {
        TallyTable tally;
        const Paper paper = ClassifyPaperSize(c.width, c.height, 200.0, {}, tally);
        EXPECT_EQ(PaperNameText(paper), c.name) << c.width << "x" << c.height;
        // Exactly one count per call, Other included.
        std::uint64_t total = 0;
        for (int i = 0; i < 7; ++i)
            for (int j = 0; j < 7; ++j) total += tally.Cell(i, j);
        EXPECT_EQ(total, 1u);
    }
}

TEST(ClassifyPaperSize, ResolutionClasses) {
    const TallyResolutions both{200, 400};
    struct Case {
        TallyResolutions tally;
        std::optional<double> x;
        ResolutionClass expected;
    };
    const Case cases[] = {
        {both, 200.0, ResolutionClass::A},
        {both, 400.0, ResolutionClass::B},
        {both, 300.0, ResolutionClass::Rest},
        {both, 200.5, ResolutionClass::Rest},
        {{200, 200}, 200.0, ResolutionClass::A},
        {{}, 200.0, ResolutionClass::Rest},
        {{std::nullopt, 400}, 400.0, ResolutionClass::B},
        // An unknown resolution counts as 0.
        {{0, std::nullopt}, std::nullopt, ResolutionClass::A},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyResolution(c.tally, c.x), c.expected);

    TallyTable tally;
    ClassifyPaperSize("210", "297", 400.0, both, tally);
    ClassifyPaperSize("257", "364", 200.0, both, tally);
    ClassifyPaperSize("1", "2", 300.0, both, tally);
    EXPECT_EQ(tally.Cell(3, 4), 1u);  // A4, class B
    EXPECT_EQ(tally.Cell(2, 4), 1u);  // B4, class A
    EXPECT_EQ(tally.Cell(0, 4), 1u);  // Other, class Rest
}

TEST(TallyResolution, Parsing) {
    struct Case {
        const char* text;
        bool valid;
        std::optional<std::int16_t> value;
    };
    const Case cases[] = {
        {"", true, std::nullopt},
        {"200", true, 200},
        {"72.4", true, 72},
        {"72.5", true, 72},
        {"73.5", true, 74},
        {" 200 ", true, 200},
        {"-5", true, -5},
        {"+ 7", true, 7},
        {".5", true, 0},
        {"9.", true, 9},
        {" ", false, std::nullopt},
        {"abc", false, std::nullopt},
        {"2OO", false, std::nullopt},
        {"1e3", false, std::nullopt},
        {"-", false, std::nullopt},
        {"32767", true, 32767},
        {"32768", false, std::nullopt},
        {"-32768", true, -32768},
        {"-32769", false, std::nullopt},
        {"1 2", false, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseTallyResolution(c.text);
        EXPECT_EQ(parsed.valid, c.valid) << '"' << c.text << '"';
        EXPECT_EQ(parsed.value, c.value) << '"' << c.text << '"';
    }
}

// Fills every counted cell with a distinct number so that each cell's place
// in the summary is checked.
TallyTable NumberedTally() {
    TallyTable tally;
    int n = 1;
    for (const Paper paper :
         {Paper::A0, Paper::A1, Paper::A2, Paper::A3, Paper::A4, Paper::A5, Paper::A6, Paper::B1,
          Paper::B2, Paper::B3, Paper::B4, Paper::B5, Paper::B6, Paper::Other}) {
        for (const auto cls : {ResolutionClass::A, ResolutionClass::B, ResolutionClass::Rest}) {
            for (int i = 0; i < n; ++i) CountInTally(tally, paper, cls);
            ++n;
        }
    }
    return tally;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(SizeSummary, BothResolutions) {
    const auto lines = Lines(RenderSizeSummary(NumberedTally(), "200", "400"));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "サイズ別枚数");
    EXPECT_EQ(lines[1], "\t200\t400\t他\t\t200\t400\t他");
    // A papers counted 1.., B1 from 22.., Other 40..42 (A, B, Rest).
    EXPECT_EQ(lines[2], "A6\t19\t20\t21");
    EXPECT_EQ(lines[3], "A5\t16\t17\t18\tB6\t37\t38\t39");
    EXPECT_EQ(lines[8], "A0\t1\t2\t3\tB1\t22\t23\t24");
    EXPECT_EQ(lines[9], "Other\t40\t41\t42");
}

TEST(SizeSummary, OneOrNoResolution) {
    auto lines = Lines(RenderSizeSummary(NumberedTally(), "200", ""));
    EXPECT_EQ(lines[1], "\t200\t他\t\t200\t他");
    EXPECT_EQ(lines[2], "A6\t19\t21");
    EXPECT_EQ(lines[9], "Other\t40\t42");

    lines = Lines(RenderSizeSummary(NumberedTally(), "", "400"));
    EXPECT_EQ(lines[8], "A0\t2\t3\tB1\t23\t24");

    lines = Lines(RenderSizeSummary(NumberedTally(), "", ""));
    EXPECT_EQ(lines[1], "\t\t\t");
    EXPECT_EQ(lines[3], "A5\t18\tB6\t39");
    EXPECT_EQ(lines[9], "Other\t42");

    // Headings are the box texts as typed.
    lines = Lines(RenderSizeSummary(TallyTable{}, " 200", ""));
    EXPECT_EQ(lines[1], "\t 200\t他\t\t 200\t他");
}

TEST(SizeSummary, BuildResetsTheTally) {
    FormState state;
    SelectionState selection;
    CountInTally(state.SizeTally, Paper::Other, ResolutionClass::Rest);
    BuildSizeSummary(state, selection);
    EXPECT_NE(state.SizeSummaryText.find("Other\t1\r\n"), std::string::npos);
    BuildSizeSummary(state, selection);
    EXPECT_NE(state.SizeSummaryText.find("Other\t0\r\n"), std::string::npos);
    EXPECT_EQ(state.SizeSummaryText.find("\t1"), std::string::npos);
}

}  // namespace
}  // namespace folvane
