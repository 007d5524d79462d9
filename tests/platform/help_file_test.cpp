// Where the window looks for its help page: beside the program first (a
// build folder, the Windows .zip), then share/doc/folvane of the prefix the
// program is installed under.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/help_file.h"
#include "scratch_folder.h"

namespace folvane {
namespace {

using testing::ScratchFolder;
using testing::WriteBytes;

// "/" in the table stands for the system's separator, which is what the
// program writes into the paths it makes.
std::string Native(std::string path) {
    for (char& c : path)
        if (c == '/') c = kPathSeparator;
    return path;
}

struct CandidateCase {
    const char* programFolder;
    const char* beside;
    const char* installed;
};

class HelpFileCandidatesTest : public ::testing::TestWithParam<CandidateCase> {};

TEST_P(HelpFileCandidatesTest, BesideTheProgramThenUnderShareDoc) {
    const CandidateCase& c = GetParam();
    const std::vector<std::string> expected = {Native(c.beside), Native(c.installed)};
    EXPECT_EQ(HelpFileCandidates(Native(c.programFolder)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, HelpFileCandidatesTest,
    ::testing::Values(
        // The Debian package.
        CandidateCase{"/usr/bin", "/usr/bin/Folvane.html", "/usr/share/doc/folvane/Folvane.html"},
        // cmake --install with another prefix; a trailing separator is ignored.
        CandidateCase{"/opt/folvane/bin/", "/opt/folvane/bin/Folvane.html",
                      "/opt/folvane/share/doc/folvane/Folvane.html"},
        CandidateCase{"/bin", "/bin/Folvane.html", "/share/doc/folvane/Folvane.html"},
        // The root is its own parent.
        CandidateCase{"/", "/Folvane.html", "/share/doc/folvane/Folvane.html"},
        // Japanese folder names pass through untouched.
        CandidateCase{"/home/利用者/ツール/bin", "/home/利用者/ツール/bin/Folvane.html",
                      "/home/利用者/ツール/share/doc/folvane/Folvane.html"},
        // Names that do not say their parent get ".." appended.
        CandidateCase{"bin", "bin/Folvane.html", "bin/../share/doc/folvane/Folvane.html"},
        CandidateCase{"/usr/bin/..", "/usr/bin/../Folvane.html",
                      "/usr/bin/../../share/doc/folvane/Folvane.html"},
        CandidateCase{"", "./Folvane.html", "./../share/doc/folvane/Folvane.html"}));

TEST(HelpFileCandidates, DriveRootsAndBothSeparatorsOnWindows) {
    if (kPathSeparator != '\\') GTEST_SKIP() << "drive letters are Windows paths";
    EXPECT_EQ(HelpFileCandidates("C:\\Program Files\\Folvane\\bin"),
              (std::vector<std::string>{"C:\\Program Files\\Folvane\\bin\\Folvane.html",
                                        "C:\\Program Files\\Folvane\\share\\doc\\folvane\\"
                                        "Folvane.html"}));
    EXPECT_EQ(HelpFileCandidates("D:\\ツール"),
              (std::vector<std::string>{"D:\\ツール\\Folvane.html",
                                        "D:\\share\\doc\\folvane\\Folvane.html"}));
    EXPECT_EQ(
        HelpFileCandidates("C:\\"),
        (std::vector<std::string>{"C:\\Folvane.html", "C:\\share\\doc\\folvane\\Folvane.html"}));
    EXPECT_EQ(HelpFileCandidates("C:/Folvane/bin")[1],
              "C:/Folvane\\share\\doc\\folvane\\Folvane.html");
}

TEST(FindHelpFile, PrefersThePageBesideTheProgram) {
    ScratchFolder scratch;
    const std::string bin = scratch.MakeFolder("prefix/bin");
    scratch.MakeFolder("prefix/share/doc/folvane");
    WriteBytes(scratch.Path("prefix/bin/Folvane.html"), "<html></html>");
    WriteBytes(scratch.Path("prefix/share/doc/folvane/Folvane.html"), "<html></html>");
    EXPECT_EQ(FindHelpFile(bin), bin + kPathSeparator + "Folvane.html");
}

TEST(FindHelpFile, FindsTheInstalledPageUnderShareDoc) {
    ScratchFolder scratch;
    const std::string bin = scratch.MakeFolder("プレフィックス/bin");
    scratch.MakeFolder("プレフィックス/share/doc/folvane");
    WriteBytes(scratch.Path("プレフィックス/share/doc/folvane/Folvane.html"), "<html></html>");
    EXPECT_EQ(FindHelpFile(bin),
              scratch.Path() + Native("/プレフィックス/share/doc/folvane/Folvane.html"));
}

TEST(FindHelpFile, AFolderNamedLikeThePageIsNotThePage) {
    ScratchFolder scratch;
    const std::string bin = scratch.MakeFolder("prefix/bin");
    scratch.MakeFolder("prefix/bin/Folvane.html");
    scratch.MakeFolder("prefix/share/doc/folvane");
    WriteBytes(scratch.Path("prefix/share/doc/folvane/Folvane.html"), "<html></html>");
    EXPECT_EQ(FindHelpFile(bin), scratch.Path() + Native("/prefix/share/doc/folvane/Folvane.html"));
}

TEST(FindHelpFile, NamesThePlaceBesideTheProgramWhenThereIsNone) {
    ScratchFolder scratch;
    const std::string bin = scratch.MakeFolder("prefix/bin");
    EXPECT_EQ(FindHelpFile(bin), bin + kPathSeparator + "Folvane.html");
}

}  // namespace
}  // namespace folvane
