// Control characters in names never reach a report or a message raw.
#include "inspect/visible_path.h"

#include <gtest/gtest.h>

#include "inspect/result_lines.h"

namespace folvane {
namespace {

using namespace std::string_literals;

TEST(VisiblePath, ShowsControlCharactersAsEscapes) {
    const struct {
        std::string path;
        std::string shown;
    } cases[] = {
        {"/srv/スキャン/a.tif", "/srv/スキャン/a.tif"},
        {"C:\\scans\\a.tif", "C:\\scans\\a.tif"},
        {"x\r\n\r\n総合計999 枚\r\n.tif", "x\\r\\n\\r\\n総合計999 枚\\r\\n.tif"},
        {"a\tb.tif", "a\\tb.tif"},
        {"\x1b[2J\x1b]0;title\a.tif", "\\x1b[2J\\x1b]0;title\\x07.tif"},
        {"nul\0del\x7f.tif"s, "nul\\x00del\\x7f.tif"},
        {"c1\xC2\x85\xC2\x9B"
         "end",
         "c1\\u0085\\u009bend"},
        {"line\xE2\x80\xA8para\xE2\x80\xA9rlo\xE2\x80\xAE"
         "fsi\xE2\x81\xA8.tif",
         "line\\u2028para\\u2029rlo\\u202efsi\\u2068.tif"},
        // Printable characters sharing those lead bytes stay.
        {"\xC2\xA9 \xE2\x80\x94 \xE2\x81\xB0.tif", "\xC2\xA9 \xE2\x80\x94 \xE2\x81\xB0.tif"},
        // A broken sequence is left for the encoder, which shows "?".
        {"\xC2", "\xC2"},
    };
    for (const auto& c : cases) EXPECT_EQ(VisiblePath(c.path), c.shown) << c.shown;
}

// A name cannot add lines to the report or split an entry of the list of
// files with errors.
TEST(VisiblePath, NamesCannotForgeReportLines) {
    FormState state;
    VectorResultList lines;
    state.CurrentFile = "x\r\n\r\n総合計999 枚\r\n\tfake\treason.tif";
    TiffReadResult unreadable;
    unreadable.status = TiffReadStatus::CannotOpen;
    unreadable.problem = "見つかりません";
    ComposeFileLines(state, SelectionState{}, {}, unreadable, lines);
    ASSERT_EQ(lines.lines.size(), 2u);
    EXPECT_EQ(lines.lines[0], "x\\r\\n\\r\\n総合計999 枚\\r\\n\\tfake\\treason.tif");
    EXPECT_EQ(state.ErrorFileText,
              "エラーのあるファイル\r\n\tx\\r\\n\\r\\n総合計999 "
              "枚\\r\\n\\tfake\\treason.tif\t見つかりません");
}

}  // namespace
}  // namespace folvane
