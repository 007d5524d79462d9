#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "input/input_list.h"
#include "platform/file_system.h"

namespace folvane::cli {
namespace {

namespace fs = std::filesystem;

TEST(RecursiveDrop, WalksTheTreeButNotLinksOrHiddenFolders) {
    const fs::path root = fs::temp_directory_path() / "folvane-tree";
    fs::remove_all(root);
    fs::create_directories(root / "2026" / "Dec" / "deep");
    fs::create_directories(root / ".snapshot");
    for (const char* name : {"a.tif", "2026/B.TIF", "2026/Dec/c.Tif", "2026/Dec/deep/d.tif",
                             "2026/.e.tif", ".snapshot/f.tif", "2026/g.tiff", "2026/h.txt"})
        std::ofstream(root / name) << "x";
    std::error_code linkError;
    fs::create_directory_symlink(root, root / "2026" / "loop", linkError);

    std::vector<std::string> list;
    std::vector<PathProblem> problems;
    AddDroppedPathRecursive(root.string(), list, problems);
    SortInputList(list);
    RemoveDuplicateEntries(list);
    auto at = [&](std::string relative) {
        for (char& c : relative)
            if (c == '/') c = kPathSeparator;
        return root.string() + kPathSeparator + relative;
    };
    EXPECT_EQ(list, (std::vector<std::string>{at("2026/B.TIF"), at("2026/Dec/c.Tif"),
                                              at("2026/Dec/deep/d.tif"), at("a.tif")}));
    EXPECT_TRUE(problems.empty());
    fs::remove_all(root);
}

}  // namespace
}  // namespace folvane::cli
