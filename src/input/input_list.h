// The input list: expanding dropped paths into TIFF files, and the order
// and duplicate removal that the window's list and the command line share.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "input/path_list.h"

namespace folvane {

// ASCII letters compared as lower case; ties broken by plain byte order, so
// identical texts lie next to each other and "a.tif" and "A.tif" both stay.
bool InputListLess(std::string_view a, std::string_view b);

// The same order for paths given in two pieces each (a1 + a2 against
// b1 + b2): negative, zero or positive.
int CompareInputOrder(std::string_view a1, std::string_view a2, std::string_view b1,
                      std::string_view b2);

void SortInputList(std::vector<std::string>& list);

// Of every run of identical neighbours in a sorted list, keeps the first.
void RemoveDuplicateEntries(std::vector<std::string>& list);

struct PathProblem {
    enum class Kind { Missing, Unreadable, FolderUnreadable } kind;
    std::string path;
    // The system's reason, in Japanese ("アクセスが拒否されました"); empty
    // for Missing.
    std::string reason;
    // The path was added all the same (it ends in ".tif"), so the run
    // reports it as a file it cannot open.
    bool listed = false;
};

// What the lists and messages say about a problem, in Japanese:
// "見つかりません", "フォルダを開けません（アクセスが拒否されました）".
std::string PathProblemReason(const PathProblem& problem);

// Why a later spelling of a file was left out: "同じファイルです: first".
std::string SameFileReason(const SameFile& same);

// Handles one dropped path: a folder adds its own plain, non-hidden *.tif
// files (any letter case); a file is added when its path ends in ".tif"
// exactly. A missing path ending in ".tif" is still added, so its result
// says it cannot be opened. `withPdf` takes *.pdf files too, in any
// letter case, wherever *.tif files are taken.
void AddDroppedPath(const std::string& path, PathList& list, std::vector<PathProblem>& problems,
                    bool withPdf = false);
void AddDroppedPath(const std::string& path, std::vector<std::string>& list,
                    std::vector<PathProblem>& problems, bool withPdf = false);

// As AddDroppedPath, but a folder adds the *.tif files of its whole tree.
// Hidden folders and links to folders are not entered.
void AddDroppedPathRecursive(const std::string& path, PathList& list,
                             std::vector<PathProblem>& problems, bool withPdf = false);
void AddDroppedPathRecursive(const std::string& path, std::vector<std::string>& list,
                             std::vector<PathProblem>& problems, bool withPdf = false);

// Joins a folder and a name with one separator, none doubled.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace folvane
