#include "platform/help_file.h"

#include "platform/file_system.h"

namespace folvane {

namespace {

bool IsSeparator(char c) {
    // Windows takes both; "/" never occurs inside a POSIX name.
    return c == '/' || c == kPathSeparator;
}

// Keeps a root's own separator ("/", "C:\").
std::string WithoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && IsSeparator(folder.back()) && folder[folder.size() - 2] != ':')
        folder.pop_back();
    return folder;
}

// The folder above `folder`, spelled out ("/usr/bin" -> "/usr") so that a
// message shows a plain path; ".." appended where the name does not say.
std::string ParentFolder(const std::string& folder) {
    const std::string trimmed = WithoutTrailingSeparators(folder);
    std::size_t cut = trimmed.size();
    while (cut > 0 && !IsSeparator(trimmed[cut - 1])) --cut;
    if (cut == 0) return trimmed + kPathSeparator + "..";  // "bin", "."
    const std::string last = trimmed.substr(cut);
    if (last.empty()) return trimmed;  // a root is its own parent
    if (last == "." || last == "..") return trimmed + kPathSeparator + "..";
    if (cut == 1) return trimmed.substr(0, 1);                   // "/bin" -> "/"
    if (trimmed[cut - 2] == ':') return trimmed.substr(0, cut);  // "C:\bin" -> "C:\"
    return trimmed.substr(0, cut - 1);                           // "/usr/bin" -> "/usr"
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (IsSeparator(folder.back())) return folder + name;
    return folder + kPathSeparator + name;
}

}  // namespace

std::vector<std::string> HelpFileCandidates(const std::string& programFolder) {
    const std::string folder = programFolder.empty() ? std::string(".") : programFolder;
    std::string shared = ParentFolder(folder);
    for (const char* part : {"share", "doc", "folvane"}) shared = Join(shared, part);
    return {Join(WithoutTrailingSeparators(folder), kHelpFileName), Join(shared, kHelpFileName)};
}

std::string FindHelpFile(const std::string& programFolder) {
    const std::vector<std::string> candidates = HelpFileCandidates(programFolder);
    for (const auto& candidate : candidates)
        if (ExaminePath(candidate) == PathKind::File) return candidate;
    return candidates.front();
}

}  // namespace folvane
