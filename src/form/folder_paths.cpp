// Folder paths as the selection window shows them, through the standard
// library's paths, which know both systems' roots and separators.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "form/folder_paths.h"

namespace folvane::form {

namespace {

std::filesystem::path ToPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

std::string CleanFolderPath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(ToPath(path), error);
    if (error) absolute = ToPath(path);
    std::filesystem::path clean = absolute.lexically_normal();
    clean.make_preferred();
    // "/srv/scans/" names the folder "/srv/scans"; a root keeps its separator.
    if (!clean.has_filename() && clean.has_relative_path()) clean = clean.parent_path();
    return FromPath(clean);
}

std::vector<std::string> FolderChain(const std::string& folder) {
    std::vector<std::string> chain;
    std::filesystem::path path = ToPath(folder);
    while (path.has_relative_path()) {
        chain.insert(chain.begin(), FromPath(path));
        std::filesystem::path parent = path.parent_path();
        if (parent == path) break;
        path = parent;
    }
    chain.insert(chain.begin(), FromPath(path));
    return chain;
}

std::string CurrentFolder() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string() : FromPath(current);
}

std::string RootOf(const std::string& folder) { return FromPath(ToPath(folder).root_path()); }

std::string ParentFolder(const std::string& path) { return FromPath(ToPath(path).parent_path()); }

}  // namespace folvane::form
