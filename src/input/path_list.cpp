#include "input/path_list.h"

#include <algorithm>

#include "input/input_list.h"
#include "platform/file_system.h"

namespace folvane {

void PathList::Add(std::string_view path) { Add(path, std::nullopt); }

void PathList::Add(std::string_view path, std::optional<FileIdentity> identity) {
    const auto cut = path.find_last_of(kPathSeparator);
    if (cut == std::string_view::npos) return Add(std::string_view(), path, identity);
    Add(path.substr(0, cut + 1), path.substr(cut + 1), identity);
}

void PathList::Add(std::string_view folder, std::string_view name,
                   std::optional<FileIdentity> identity) {
    auto found = folderIds_.find(folder);
    if (found == folderIds_.end()) {
        folders_.emplace_back(folder);
        found = folderIds_.emplace(folders_.back(), static_cast<std::uint32_t>(folders_.size() - 1))
                    .first;
    }
    entries_.push_back({found->second, static_cast<std::uint32_t>(name.size()), names_.size(),
                        identity.has_value(), identity.value_or(FileIdentity{})});
    names_.append(name);
}

std::string PathList::At(std::size_t index) const {
    const Entry& e = entries_[index];
    const std::string_view folder = Folder(e);
    std::string path;
    path.reserve(folder.size() + e.nameLength);
    path.append(folder).append(Name(e));
    return path;
}

std::optional<FileIdentity> PathList::IdentityAt(std::size_t index) const {
    const Entry& e = entries_[index];
    if (!e.identified) return std::nullopt;
    return e.identity;
}

std::vector<SameFile> PathList::RemoveSameFiles() {
    // The identities sorted once, rather than a hash node per file: lists
    // run to hundreds of thousands of files and hardly ever name one twice.
    struct Known {
        FileIdentity identity;
        std::size_t index;
    };
    std::vector<Known> known;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].identified) known.push_back({entries_[i].identity, i});
    std::sort(known.begin(), known.end(), [](const Known& a, const Known& b) {
        if (a.identity.device != b.identity.device) return a.identity.device < b.identity.device;
        if (a.identity.file != b.identity.file) return a.identity.file < b.identity.file;
        return a.index < b.index;
    });
    std::vector<std::pair<std::size_t, std::size_t>> later;  // (entry, its first spelling)
    for (std::size_t k = 1, first = 0; k < known.size(); ++k) {
        if (known[k].identity == known[first].identity)
            later.emplace_back(known[k].index, known[first].index);
        else
            first = k;
    }
    std::sort(later.begin(), later.end());
    std::vector<SameFile> same;
    for (const auto& [entry, first] : later) same.push_back({At(entry), At(first)});
    std::size_t kept = 0;
    auto next = later.begin();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (next != later.end() && next->first == i) {
            ++next;
            continue;
        }
        entries_[kept++] = entries_[i];
    }
    entries_.resize(kept);
    return same;
}

void PathList::SortAndRemoveDuplicates() {
    // Within one folder only the names can differ, and the folder's text
    // adds nothing to their order.
    const auto less = [this](const Entry& a, const Entry& b) {
        if (a.folder == b.folder) return CompareInputOrder({}, Name(a), {}, Name(b)) < 0;
        return CompareInputOrder(Folder(a), Name(a), Folder(b), Name(b)) < 0;
    };
    // Lists often come in order already (a sorted list, a selection in
    // Explorer, an NTFS folder): one pass tells.
    if (!std::is_sorted(entries_.begin(), entries_.end(), less))
        std::sort(entries_.begin(), entries_.end(), less);
    entries_.erase(std::unique(entries_.begin(), entries_.end(),
                               [this](const Entry& a, const Entry& b) {
                                   return a.folder == b.folder && Name(a) == Name(b);
                               }),
                   entries_.end());
    entries_.shrink_to_fit();
}

bool PathList::Is(std::size_t index, std::string_view path) const {
    const Entry& e = entries_[index];
    const std::string_view folder = Folder(e);
    return path.size() == folder.size() + e.nameLength && path.starts_with(folder) &&
           path.substr(folder.size()) == Name(e);
}

}  // namespace folvane
