#include "input/selected_entries.h"

#include "input/input_list.h"
#include "platform/file_system.h"

namespace folvane {

bool AddSelectedEntry(const std::string& entry, std::vector<std::string>& list) {
    switch (ExaminePath(entry)) {
        case PathKind::Folder: {
            const auto names = ListTifFileNames(entry);
            if (!names) return false;
            for (const std::string& name : *names) list.push_back(JoinPath(entry, name));
            return true;
        }
        case PathKind::File:
            list.push_back(entry);
            return true;
        case PathKind::Missing:
        case PathKind::Unreadable:
            break;
    }
    return false;
}

}  // namespace folvane
