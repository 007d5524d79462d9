#include "input/input_list.h"

#include <algorithm>

#include "platform/file_system.h"

namespace folvane {

namespace {

unsigned char FoldAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool EndsWithTifExactly(const std::string& path) {
    return path.size() >= 4 && path.compare(path.size() - 4, 4, ".tif") == 0;
}

// A named file is taken by its name: ".tif" exactly, or ".pdf" in any
// letter case when PDF files are taken.
bool TakesNamedFile(const std::string& path, bool withPdf) {
    return EndsWithTifExactly(path) || (withPdf && HasPdfExtensionIgnoringCase(path));
}

}  // namespace

int CompareInputOrder(std::string_view a1, std::string_view a2, std::string_view b1,
                      std::string_view b2) {
    const std::size_t aSize = a1.size() + a2.size();
    const std::size_t bSize = b1.size() + b2.size();
    auto at = [](std::string_view first, std::string_view second, std::size_t i) {
        return static_cast<unsigned char>(i < first.size() ? first[i] : second[i - first.size()]);
    };
    const std::size_t n = std::min(aSize, bSize);
    int rawOrder = 0;  // the first plain byte difference, for ties
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = at(a1, a2, i);
        const unsigned char y = at(b1, b2, i);
        if (x == y) continue;
        const unsigned char fx = FoldAscii(x);
        const unsigned char fy = FoldAscii(y);
        if (fx != fy) return fx < fy ? -1 : 1;
        if (rawOrder == 0) rawOrder = x < y ? -1 : 1;
    }
    if (aSize != bSize) return aSize < bSize ? -1 : 1;
    return rawOrder;
}

bool InputListLess(std::string_view a, std::string_view b) {
    return CompareInputOrder(a, {}, b, {}) < 0;
}

void SortInputList(std::vector<std::string>& list) {
    std::sort(list.begin(), list.end(),
              [](const std::string& a, const std::string& b) { return InputListLess(a, b); });
}

void RemoveDuplicateEntries(std::vector<std::string>& list) {
    list.erase(std::unique(list.begin(), list.end()), list.end());
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == kPathSeparator) return folder + name;
    return folder + kPathSeparator + name;
}

namespace {

std::string WithSeparator(const std::string& folder) {
    if (!folder.empty() && folder.back() == kPathSeparator) return folder;
    return folder + kPathSeparator;
}

// Adds a folder's own *.tif files; false when it cannot be listed.
bool AddFolderFiles(const std::string& folder, PathList& list, std::string& reason, bool withPdf) {
    const auto names = ListTifFileNames(folder, &reason, withPdf);
    if (!names) return false;
    const std::string prefix = WithSeparator(folder);
    for (const auto& name : *names) list.Add(prefix, name);
    return true;
}

void AppendTo(const PathList& from, std::vector<std::string>& to) {
    for (std::size_t i = 0; i < from.Count(); ++i) to.push_back(from.At(i));
}

}  // namespace

std::string PathProblemReason(const PathProblem& problem) {
    switch (problem.kind) {
        case PathProblem::Kind::Missing:
            return "見つかりません";
        case PathProblem::Kind::Unreadable:
            return "調べられません（" + problem.reason + "）";
        case PathProblem::Kind::FolderUnreadable:
            return "フォルダを開けません（" + problem.reason + "）";
    }
    return problem.reason;
}

void AddDroppedPath(const std::string& path, PathList& list, std::vector<PathProblem>& problems,
                    bool withPdf) {
    std::string reason;
    const PathKind kind = ExaminePath(path, &reason);
    switch (kind) {
        case PathKind::Folder:
            if (!AddFolderFiles(path, list, reason, withPdf))
                problems.push_back({PathProblem::Kind::FolderUnreadable, path, reason});
            return;
        case PathKind::File:
            if (TakesNamedFile(path, withPdf)) list.Add(path);
            return;
        case PathKind::Missing:
        case PathKind::Unreadable: {
            const bool listed = TakesNamedFile(path, withPdf);
            if (listed) list.Add(path);
            problems.push_back({kind == PathKind::Missing ? PathProblem::Kind::Missing
                                                          : PathProblem::Kind::Unreadable,
                                path, reason, listed});
            return;
        }
    }
}

void AddDroppedPathRecursive(const std::string& path, PathList& list,
                             std::vector<PathProblem>& problems, bool withPdf) {
    if (ExaminePath(path) != PathKind::Folder) return AddDroppedPath(path, list, problems, withPdf);
    // An explicit stack: a deep tree must not exhaust the call stack.
    std::vector<std::string> pending{path};
    std::string reason;
    while (!pending.empty()) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        const auto subfolders = ListSubfolderNames(folder, &reason);
        if (!subfolders || !AddFolderFiles(folder, list, reason, withPdf)) {
            problems.push_back({PathProblem::Kind::FolderUnreadable, folder, reason});
            continue;
        }
        for (const auto& name : *subfolders) pending.push_back(JoinPath(folder, name));
    }
}

void AddDroppedPath(const std::string& path, std::vector<std::string>& list,
                    std::vector<PathProblem>& problems, bool withPdf) {
    PathList added;
    AddDroppedPath(path, added, problems, withPdf);
    AppendTo(added, list);
}

void AddDroppedPathRecursive(const std::string& path, std::vector<std::string>& list,
                             std::vector<PathProblem>& problems, bool withPdf) {
    PathList added;
    AddDroppedPathRecursive(path, added, problems, withPdf);
    AppendTo(added, list);
}

}  // namespace folvane
