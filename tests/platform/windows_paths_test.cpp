// Path expansion as it only exists on Windows: "\" separators, drive roots
// and the hidden and system attributes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "input/input_list.h"
#include "platform/error_reason.h"
#include "platform/file_reader.h"
#include "platform/file_system.h"
#include "platform/output_file.h"
#include "platform/storage_kind.h"
#include "platform/windows/wide_text.h"
#include "run/result_file.h"
#include "scratch_folder.h"

namespace folvane {
namespace {

using testing::ScratchFolder;
using testing::ReadBytes;
using testing::WriteBytes;

void SetAttributes(const std::string& path, DWORD attributes) {
    ASSERT_TRUE(::SetFileAttributesW(windows::WideFromUtf8(path).c_str(), attributes)) << path;
}

std::vector<std::string> Expand(const std::string& dropped) {
    std::vector<std::string> list;
    std::vector<PathProblem> problems;
    AddDroppedPath(dropped, list, problems);
    EXPECT_TRUE(problems.empty()) << dropped;
    std::sort(list.begin(), list.end());
    return list;
}

// A folder holding plain, read-only, hidden and system .tif files and a
// sub-folder with a .tif name and content.
void FillSampleFolder(const ScratchFolder& scratch, const std::string& relative) {
    const std::string folder = scratch.MakeFolder(relative);
    for (const char* name :
         {"a.tif", "B.TIF", "読取専用.tif", "hidden.tif", "system.TIF", "c.tiff"})
        WriteBytes(folder + "\\" + name, "x");
    scratch.MakeFolder(relative + "/old.tif");
    WriteBytes(folder + "\\old.tif\\d.tif", "x");
    SetAttributes(folder + "\\読取専用.tif", FILE_ATTRIBUTE_READONLY);
    SetAttributes(folder + "\\hidden.tif", FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(folder + "\\system.TIF", FILE_ATTRIBUTE_SYSTEM);
}

// Clears read-only so that the scratch folder can be removed.
void ClearAttributes(const ScratchFolder& scratch, const std::string& relative) {
    for (const char* name : {"読取専用.tif", "hidden.tif", "system.TIF"})
        ::SetFileAttributesW(windows::WideFromUtf8(scratch.Path(relative) + "\\" + name).c_str(),
                             FILE_ATTRIBUTE_NORMAL);
}

TEST(WindowsPaths, SeparatorIsBackslash) { EXPECT_EQ(kPathSeparator, '\\'); }

TEST(WindowsPaths, JoinNeverDoublesTheSeparator) {
    struct Case {
        const char* folder;
        const char* expected;
    };
    for (const Case& c : {Case{"E:\\", "E:\\a.tif"}, Case{"C:\\scan", "C:\\scan\\a.tif"},
                          Case{"C:\\scan\\", "C:\\scan\\a.tif"},
                          Case{"\\\\server\\share", "\\\\server\\share\\a.tif"},
                          Case{"\\\\server\\share\\", "\\\\server\\share\\a.tif"}})
        EXPECT_EQ(JoinPath(c.folder, "a.tif"), c.expected) << c.folder;
}

TEST(WindowsPaths, FolderExpansionLeavesOutHiddenSystemFilesAndFolders) {
    ScratchFolder scratch;
    FillSampleFolder(scratch, "見本");
    const std::string folder = scratch.Path("見本");
    const std::vector<std::string> expected = {folder + "\\B.TIF", folder + "\\a.tif",
                                               folder + "\\読取専用.tif"};
    EXPECT_EQ(Expand(folder), expected);
    // Dropped with its trailing separator, the folder gives the same paths.
    EXPECT_EQ(Expand(folder + "\\"), expected);
    ClearAttributes(scratch, "見本");
}

// A drive letter made for the test points at a folder of its own, so that
// dropping "X:\" is dropping a drive root. Windows defines one for the
// asking; Wine's file system does not see such definitions, so under Wine
// scripts/test-windows.sh maps a letter to an empty folder and names it in
// FOLVANE_TEST_DRIVE.
class DriveRoot {
  public:
    explicit DriveRoot(const std::string& target) {
        const DWORD used = ::GetLogicalDrives();
        for (wchar_t letter = L'Z'; letter >= L'M'; --letter) {
            if ((used & (1u << (letter - L'A'))) != 0) continue;
            const std::wstring drive = {letter, L':'};
            if (!::DefineDosDeviceW(0, drive.c_str(), windows::WideFromUtf8(target).c_str()))
                continue;
            defined_ = drive;
            if (ExaminePath(windows::Utf8FromWide(drive) + "\\") == PathKind::Folder)
                root_ = windows::Utf8FromWide(drive) + "\\";
            break;
        }
        wchar_t given[8] = {};
        if (root_.empty() && ::GetEnvironmentVariableW(L"FOLVANE_TEST_DRIVE", given, 8) == 2 &&
            given[1] == L':')
            root_ = windows::Utf8FromWide(given) + "\\";
    }
    ~DriveRoot() {
        if (!defined_.empty()) ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, defined_.c_str(), nullptr);
    }
    DriveRoot(const DriveRoot&) = delete;
    DriveRoot& operator=(const DriveRoot&) = delete;

    // "X:\", or empty when there is none.
    const std::string& Root() const { return root_; }

  private:
    std::wstring defined_;
    std::string root_;
};

TEST(WindowsPaths, DriveRootGetsASingleSeparator) {
    ScratchFolder scratch;
    const std::string target = scratch.MakeFolder("ドライブ");
    const DriveRoot drive(target);
    const std::string& root = drive.Root();
    if (root.empty()) GTEST_SKIP() << "no drive letter could be made for the test";
    ASSERT_EQ(ExaminePath(root), PathKind::Folder);
    const std::vector<std::string> files = {"a.tif",      "B.TIF",      "読取専用.tif",
                                            "hidden.tif", "system.TIF", "c.tiff"};
    for (const std::string& name : files) WriteBytes(root + name, "x");
    SetAttributes(root + "hidden.tif", FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(root + "system.TIF", FILE_ATTRIBUTE_SYSTEM);

    EXPECT_EQ(Expand(root),
              (std::vector<std::string>{root + "B.TIF", root + "a.tif", root + "読取専用.tif"}));

    for (const std::string& name : files) {
        const std::wstring path = windows::WideFromUtf8(root + name);
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
    }
}

// A share named by its server is on the network without asking it; a
// drive letter is asked for its drive type (a local one under test).
TEST(WindowsPaths, StorageOfSharesAndDrives) {
    EXPECT_EQ(StorageKindOf(R"(\\nonexistent-folvane-server\scans\a.tif)"), StorageKind::Network);
    EXPECT_EQ(StorageKindOf(R"(\\?\UNC\nonexistent-folvane-server\scans)"), StorageKind::Network);
    ScratchFolder scratch;
    EXPECT_EQ(StorageKindOf(scratch.Path()), StorageKind::Local);
}

// The same words as on other systems for the failures a save meets most;
// a write-protected medium is a read-only file system to the user.
TEST(WindowsErrorReasons, CommonFailuresOfASaveAreJapanese) {
    struct Case {
        DWORD code;
        const char* reason;
    };
    const Case cases[] = {
        {ERROR_ACCESS_DENIED, "アクセスが拒否されました"},
        {ERROR_FILE_NOT_FOUND, "見つかりません"},
        {ERROR_PATH_NOT_FOUND, "見つかりません"},
        {ERROR_DISK_FULL, "ディスクに空きがありません"},
        {ERROR_HANDLE_DISK_FULL, "ディスクに空きがありません"},
        {ERROR_WRITE_PROTECT, "読み取り専用のファイルシステムです"},
    };
    for (const Case& c : cases) EXPECT_EQ(SystemErrorReason(c.code), c.reason) << c.code;
}

// The scan guard looks at the name Windows will use: "-o A.TIF." once
// replaced the scan a.tif, as the system drops trailing dots and spaces.
TEST(WindowsPaths, OutputGuardSeesTheNameTheSystemUses) {
    ScratchFolder scratch;
    const std::string folder = scratch.Path();
    WriteBytes(folder + "\\a.tif", "scan");
    EXPECT_EQ(PathAsTheSystemNamesIt(folder + "\\A.TIF. . "), folder + "\\a.tif");
    EXPECT_EQ(PathAsTheSystemNamesIt("C:a.tif::$DATA"), "C:a.tif");
    EXPECT_EQ(PathAsTheSystemNamesIt(folder + "\\report.txt"), folder + "\\report.txt");
    const std::vector<std::string> none;
    for (const std::string name : {"A.TIF.", "a.tif ", "a.tif. .", "a.tif::$DATA", "a.tif:notes",
                                   "b.TiFf...", "new.tif:x"}) {
        const std::string path = folder + "\\" + name;
        const OpenedOutput out = OpenResultFile(path, none);
        EXPECT_FALSE(out.stream) << name;
        EXPECT_TRUE(out.refused) << name;
        EXPECT_EQ(out.error, path + ": 名前が .tif/.tiff で終わるファイルには書き出せません");
    }
    EXPECT_EQ(ReadBytes(folder + "\\a.tif"), "scan");

    // A short name, where the file system gives them, is its long name.
    WriteBytes(folder + "\\scanned page.tiff", "scan");
    wchar_t shortName[MAX_PATH];
    const std::wstring longName = windows::WideFromUtf8(folder + "\\scanned page.tiff");
    if (::GetShortPathNameW(longName.c_str(), shortName, MAX_PATH) != 0 && longName != shortName)
        EXPECT_EQ(PathAsTheSystemNamesIt(windows::Utf8FromWide(shortName)),
                  folder + "\\scanned page.tiff");
}

// Lists of paths are read whole; a folder named as a list is refused with
// the reason, as on other systems.
TEST(WindowsPaths, ListsAreReadWholeAndFoldersRefused) {
    ScratchFolder scratch;
    const std::string list = scratch.Path() + "\\一覧.txt";
    const std::string bytes(
        "\xFF\xFE"
        "a\0.\0t\0i\0f\0\r\0\n\0",
        16);
    WriteBytes(list, bytes);
    const WholeFile file = ReadWholeFile(list);
    EXPECT_TRUE(file.ok()) << file.error;
    EXPECT_EQ(file.bytes, bytes);
    const WholeFile folder = ReadWholeFile(scratch.Path());
    EXPECT_EQ(folder.error, "フォルダです");
    EXPECT_TRUE(folder.bytes.empty());
    EXPECT_FALSE(ReadWholeFile(scratch.Path() + "\\none.txt").ok());
}

// A result file another program holds open (Excel locks an open .csv) is
// found before the run: the output fails at once (exit status 1 in
// folvane-cli), not after every file was read, and the file is left alone.
TEST(WindowsPaths, OutputHeldOpenElsewhereFailsAtOnce) {
    ScratchFolder scratch;
    const std::string path = scratch.Path() + "\\pages.csv";
    WriteBytes(path, "old");
    for (const DWORD sharing :
         {DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
        const HANDLE held = ::CreateFileW(windows::WideFromUtf8(path).c_str(), GENERIC_READ,
                                          sharing, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const OpenedOutput out = CreateReplacingFile(path);
        EXPECT_FALSE(out.stream) << sharing;
        EXPECT_FALSE(out.refused);
        EXPECT_EQ(out.error, path + ": ほかのプログラムが使用中です");
        ::CloseHandle(held);
    }
    EXPECT_EQ(ReadBytes(path), "old");
    // Shared for deletion too, it can be replaced, as before.
    const HANDLE shared = ::CreateFileW(windows::WideFromUtf8(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
    OpenedOutput out = CreateReplacingFile(path);
    EXPECT_TRUE(out.stream) << out.error;
    ::CloseHandle(shared);
}

}  // namespace
}  // namespace folvane
