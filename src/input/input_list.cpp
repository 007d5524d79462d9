#include "input/input_list.h"

#include <algorithm>

#include "input/input_examination.h"
#include "platform/file_system.h"

namespace folvane {

namespace {

unsigned char FoldAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

int CompareInputOrder(std::string_view a1, std::string_view a2, std::string_view b1,
                      std::string_view b2) {
    const std::size_t aSize = a1.size() + a2.size();
    const std::size_t bSize = b1.size() + b2.size();
    const std::size_t n = std::min(aSize, bSize);
    int rawOrder = 0;  // the first plain byte difference, for ties
    // Paths share long folder prefixes: equal bytes are skipped a span at a
    // time, within whichever pieces both sides are in, and only differing
    // bytes are folded.
    std::size_t i = 0;
    while (i < n) {
        const std::string_view a = i < a1.size() ? a1.substr(i) : a2.substr(i - a1.size());
        const std::string_view b = i < b1.size() ? b1.substr(i) : b2.substr(i - b1.size());
        const std::size_t span = std::min({a.size(), b.size(), n - i});
        const std::size_t same = static_cast<std::size_t>(
            std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(span), b.begin())
                .first -
            a.begin());
        i += same;
        if (same == span) continue;
        const auto x = static_cast<unsigned char>(a[same]);
        const auto y = static_cast<unsigned char>(b[same]);
        const unsigned char fx = FoldAscii(x);
        const unsigned char fy = FoldAscii(y);
        if (fx != fy) return fx < fy ? -1 : 1;
        if (rawOrder == 0) rawOrder = x < y ? -1 : 1;
        ++i;
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

void AppendTo(const PathList& from, PathList& to) {
    for (std::size_t i = 0; i < from.Count(); ++i) to.Add(from.At(i), from.IdentityAt(i));
}

void AppendTo(const PathList& from, std::vector<std::string>& to) {
    for (std::size_t i = 0; i < from.Count(); ++i) to.push_back(from.At(i));
}

void AddExamined(const std::string& path, bool recursive, bool withPdf, PathList& list,
                 std::vector<PathProblem>& problems) {
    ExaminationRules rules;
    rules.recursive = recursive;
    rules.withPdf = withPdf;
    ExaminedInputs examined = ExamineInputs(std::span<const std::string>(&path, 1), rules);
    AppendTo(examined.files, list);
    problems.insert(problems.end(), examined.problems.begin(), examined.problems.end());
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

std::string SameFileReason(const SameFile& same) { return "同じファイルです: " + same.firstPath; }

void AddDroppedPath(const std::string& path, PathList& list, std::vector<PathProblem>& problems,
                    bool withPdf) {
    AddExamined(path, false, withPdf, list, problems);
}

void AddDroppedPathRecursive(const std::string& path, PathList& list,
                             std::vector<PathProblem>& problems, bool withPdf) {
    AddExamined(path, true, withPdf, list, problems);
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
