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

}  // namespace

bool InputListLess(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = FoldAscii(static_cast<unsigned char>(a[i]));
        const auto y = FoldAscii(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
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

void AddDroppedPath(const std::string& path, std::vector<std::string>& list,
                    std::vector<PathProblem>& problems) {
    switch (ExaminePath(path)) {
        case PathKind::Folder: {
            const auto names = ListTifFileNames(path);
            if (!names) {
                problems.push_back({PathProblem::Kind::FolderUnreadable, path});
                return;
            }
            for (const auto& name : *names) list.push_back(JoinPath(path, name));
            return;
        }
        case PathKind::File:
            if (EndsWithTifExactly(path)) list.push_back(path);
            return;
        case PathKind::Missing:
            problems.push_back({PathProblem::Kind::Missing, path});
            if (EndsWithTifExactly(path)) list.push_back(path);
            return;
        case PathKind::Unreadable:
            problems.push_back({PathProblem::Kind::Unreadable, path});
            if (EndsWithTifExactly(path)) list.push_back(path);
            return;
    }
}

void AddDroppedPathRecursive(const std::string& path, std::vector<std::string>& list,
                             std::vector<PathProblem>& problems) {
    if (ExaminePath(path) != PathKind::Folder) return AddDroppedPath(path, list, problems);
    // An explicit stack: a deep tree must not exhaust the call stack.
    std::vector<std::string> pending{path};
    while (!pending.empty()) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        const auto names = ListTifFileNames(folder);
        const auto subfolders = ListSubfolderNames(folder);
        if (!names || !subfolders) {
            problems.push_back({PathProblem::Kind::FolderUnreadable, folder});
            continue;
        }
        for (const auto& name : *names) list.push_back(JoinPath(folder, name));
        for (const auto& name : *subfolders) pending.push_back(JoinPath(folder, name));
    }
}

}  // namespace folvane
