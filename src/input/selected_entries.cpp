#include "input/selected_entries.h"

#include "input/input_list.h"
#include "platform/file_system.h"

namespace folvane {

bool AddSelectedEntry(const std::string& entry, std::vector<std::string>& list,
                      std::vector<PathProblem>& problems, bool withPdf) {
    std::string reason;
    switch (ExaminePath(entry, &reason)) {
        case PathKind::Folder: {
            const auto names = ListTifFileNames(entry, &reason, withPdf);
            if (!names) {
                problems.push_back({PathProblem::Kind::FolderUnreadable, entry, reason});
                return false;
            }
            for (const std::string& name : *names) list.push_back(JoinPath(entry, name));
            return true;
        }
        case PathKind::File:
            list.push_back(entry);
            return true;
        case PathKind::Missing:
            problems.push_back({PathProblem::Kind::Missing, entry, reason});
            break;
        case PathKind::Unreadable:
            problems.push_back({PathProblem::Kind::Unreadable, entry, reason});
            break;
    }
    return false;
}

}  // namespace folvane
