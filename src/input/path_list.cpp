#include "input/path_list.h"

#include <algorithm>

#include "input/input_list.h"
#include "platform/file_system.h"

namespace folvane {

void PathList::Add(std::string_view path) {
    const auto cut = path.find_last_of(kPathSeparator);
    if (cut == std::string_view::npos) return Add(std::string_view(), path);
    Add(path.substr(0, cut + 1), path.substr(cut + 1));
}

void PathList::Add(std::string_view folder, std::string_view name) {
    auto found = folderIds_.find(folder);
    if (found == folderIds_.end()) {
        folders_.emplace_back(folder);
        found = folderIds_.emplace(folders_.back(), static_cast<std::uint32_t>(folders_.size() - 1))
                    .first;
    }
    entries_.push_back({found->second, static_cast<std::uint32_t>(name.size()), names_.size()});
    names_.append(name);
}

std::string PathList::At(std::size_t index) const {
    const Entry& e = entries_[index];
    std::string path(Folder(e));
    path.append(Name(e));
    return path;
}

void PathList::SortAndRemoveDuplicates() {
    std::sort(entries_.begin(), entries_.end(), [this](const Entry& a, const Entry& b) {
        return CompareInputOrder(Folder(a), Name(a), Folder(b), Name(b)) < 0;
    });
    entries_.erase(std::unique(entries_.begin(), entries_.end(),
                               [this](const Entry& a, const Entry& b) {
                                   return Folder(a) == Folder(b) && Name(a) == Name(b);
                               }),
                   entries_.end());
    entries_.shrink_to_fit();
}

}  // namespace folvane
