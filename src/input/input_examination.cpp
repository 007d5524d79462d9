#include "input/input_examination.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "input/taken_names.h"
#include "platform/file_system.h"

namespace folvane {

namespace {

bool Cancelled(const ExaminationControl* control) {
    return control != nullptr && control->cancel.load(std::memory_order_relaxed);
}

void Count(ExaminationControl* control) {
    if (control != nullptr) control->examined.fetch_add(1, std::memory_order_relaxed);
}

// A look or a listing taking longer than this waits on its storage.
constexpr std::chrono::microseconds kWaitingLook{50};

// Calls `work(i)` for every i below `count` on up to `threads` threads
// (this one among them), stopping early once cancelled. With `fewThreads`
// (not 0), only that many work until looks are seen to wait on the
// storage; then the rest join in. (A look whose thread the system paused
// for another also takes long: a quarter of them must wait.)
template <typename Work>
void ForEachConcurrently(std::size_t count, unsigned threads, unsigned fewThreads,
                         const ExaminationControl* control, Work&& work) {
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> waits{0};
    const auto step = [&] {
        if (Cancelled(control)) return false;
        const std::size_t i = next.fetch_add(1);
        if (i >= count) return false;
        const auto started = std::chrono::steady_clock::now();
        work(i);
        if (std::chrono::steady_clock::now() - started > kWaitingLook)
            waits.fetch_add(1, std::memory_order_relaxed);
        return true;
    };
    auto loop = [&] {
        while (step()) {
        }
    };
    const std::size_t helpers = std::min<std::size_t>(threads, count);
    const std::size_t first =
        fewThreads == 0 ? helpers : std::min<std::size_t>(helpers, fewThreads);
    std::vector<std::jthread> pool;
    for (std::size_t t = 1; t < first; ++t) pool.emplace_back(loop);
    if (first < helpers) {
        // This thread works too, and brings the rest in once looks wait.
        for (;;) {
            if (!step()) return;
            const std::size_t waited = waits.load(std::memory_order_relaxed);
            if (waited >= 8 && waited * 4 >= std::min(next.load(), count)) break;
        }
        for (std::size_t t = first; t < helpers; ++t) pool.emplace_back(loop);
    }
    loop();
}

std::string WithSeparator(const std::string& folder) {
    if (!folder.empty() && folder.back() == kPathSeparator) return folder;
    return folder + kPathSeparator;
}

// One folder's part of the result, filled by whichever thread lists it.
struct ListedFolder {
    std::string path;
    std::size_t origin = 0;  // the named path it was found under
    bool listed = false;     // false also when cancelled before its turn
    std::optional<std::vector<FolderEntry>> entries;
    std::string reason;
};

// An entry whose type the listing did not give (or a link), looked at.
struct EntryToLook {
    std::size_t folder;
    std::size_t entry;
    bool asFile;  // a taken name: followed to what it names
    std::optional<PathLook> look;
};

class Examination {
  public:
    Examination(const ExaminationRules& rules, ExaminationControl* control)
        : rules_(rules), control_(control) {}

    ExaminedInputs Run(std::span<const std::string> paths) {
        std::vector<std::optional<PathLook>> looks(paths.size());
        ForEachConcurrently(paths.size(), rules_.threads, rules_.threadsFromMemory, control_,
                            [&](std::size_t i) {
                                looks[i] = LookAtPath(paths[i]);
                                Count(control_);
                            });
        std::vector<Folder> folders;
        for (std::size_t i = 0; i < paths.size(); ++i)
            if (looks[i]) TakeNamed(i, paths[i], *looks[i], folders);
        while (!folders.empty() && !Cancelled(control_)) folders = ListLevel(folders);
        result_.cancelled = Cancelled(control_);
        // The problems in the order of the paths they came from.
        std::stable_sort(problems_.begin(), problems_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [origin, problem] : problems_) result_.problems.push_back(std::move(problem));
        return std::move(result_);
    }

  private:
    struct Folder {
        std::string path;
        std::size_t origin;
    };

    void TakeNamed(std::size_t origin, const std::string& path, const PathLook& look,
                   std::vector<Folder>& folders) {
        switch (look.kind) {
            case PathKind::Folder:
                folders.push_back({path, origin});
                return;
            case PathKind::File:
                if (rules_.anyNamedFile || TakesNamedFile(path, rules_.withPdf))
                    result_.files.Add(path, look.identity);
                return;
            case PathKind::Missing:
            case PathKind::Unreadable: {
                const bool listed = !rules_.anyNamedFile && TakesNamedFile(path, rules_.withPdf);
                if (listed) result_.files.Add(path);
                problems_.push_back(
                    {origin,
                     {look.kind == PathKind::Missing ? PathProblem::Kind::Missing
                                                     : PathProblem::Kind::Unreadable,
                      path, look.reason, listed}});
                return;
            }
        }
    }

    // Lists `folders` together, takes their files and returns the
    // folders of the next level (none unless recursive).
    std::vector<Folder> ListLevel(const std::vector<Folder>& folders) {
        std::vector<ListedFolder> listed(folders.size());
        ForEachConcurrently(folders.size(), rules_.threads, rules_.threadsFromMemory, control_,
                            [&](std::size_t i) {
                                listed[i].path = folders[i].path;
                                listed[i].origin = folders[i].origin;
                                listed[i].entries = ListFolder(folders[i].path, &listed[i].reason);
                                listed[i].listed = true;
                                Count(control_);
                            });

        std::vector<EntryToLook> toLook;
        for (std::size_t f = 0; f < listed.size(); ++f) {
            if (!listed[f].listed || !listed[f].entries) continue;
            const auto& entries = *listed[f].entries;
            for (std::size_t e = 0; e < entries.size(); ++e) {
                const FolderEntry& entry = entries[e];
                if (entry.hidden) continue;
                const bool taken = TakesListedFile(entry.name, rules_.withPdf);
                const bool unknown = entry.type == EntryType::Unknown;
                if (taken && (unknown || entry.type == EntryType::Link))
                    toLook.push_back({f, e, true, std::nullopt});
                else if (rules_.recursive && unknown)
                    toLook.push_back({f, e, false, std::nullopt});
            }
        }
        ForEachConcurrently(
            toLook.size(), rules_.threads, rules_.threadsFromMemory, control_, [&](std::size_t i) {
                EntryToLook& entry = toLook[i];
                const ListedFolder& folder = listed[entry.folder];
                // A link to a file counts as the file; a link to a folder is
                // never entered, so a tree that links back to itself ends.
                entry.look = LookAtPath(
                    WithSeparator(folder.path) + (*folder.entries)[entry.entry].name, entry.asFile);
                Count(control_);
            });

        std::vector<Folder> next;
        std::size_t looked = 0;
        for (std::size_t f = 0; f < listed.size(); ++f) {
            const ListedFolder& folder = listed[f];
            if (!folder.listed) continue;
            if (!folder.entries) {
                problems_.push_back(
                    {folder.origin,
                     {PathProblem::Kind::FolderUnreadable, folder.path, folder.reason}});
                continue;
            }
            const std::string prefix = WithSeparator(folder.path);
            const auto& entries = *folder.entries;
            for (std::size_t e = 0; e < entries.size(); ++e) {
                const FolderEntry& entry = entries[e];
                if (entry.hidden) continue;
                EntryType type = entry.type;
                std::optional<FileIdentity> identity = entry.identity;
                if (looked < toLook.size() && toLook[looked].folder == f &&
                    toLook[looked].entry == e) {
                    const EntryToLook& seen = toLook[looked++];
                    if (!seen.look) continue;  // cancelled before its turn
                    if (seen.look->kind == PathKind::Folder)
                        type = seen.asFile ? EntryType::FolderLink : EntryType::Folder;
                    else
                        type = seen.look->regular ? EntryType::File : EntryType::Other;
                    identity = seen.look->identity;
                }
                if (type == EntryType::File && TakesListedFile(entry.name, rules_.withPdf))
                    result_.files.Add(prefix, entry.name, identity);
                else if (type == EntryType::Folder && rules_.recursive)
                    next.push_back({prefix + entry.name, folder.origin});
            }
        }
        return next;
    }

    const ExaminationRules& rules_;
    ExaminationControl* control_;
    ExaminedInputs result_;
    std::vector<std::pair<std::size_t, PathProblem>> problems_;
};

}  // namespace

ExaminedInputs ExamineInputs(std::span<const std::string> paths, const ExaminationRules& rules,
                             ExaminationControl* control) {
    return Examination(rules, control).Run(paths);
}

BackgroundExamination::BackgroundExamination(std::vector<std::string> paths, ExaminationRules rules,
                                             ThreadChooser chooseThreads)
    : paths_(std::move(paths)) {
    thread_ = std::thread([this, rules, chooseThreads]() mutable {
        if (rules.threads == 0 && chooseThreads) rules.threads = chooseThreads(paths_);
        result_ = ExamineInputs(paths_, rules, &control_);
        done_ = true;
    });
}

BackgroundExamination::~BackgroundExamination() {
    Cancel();
    if (thread_.joinable()) thread_.join();
}

ExaminedInputs BackgroundExamination::Take() {
    if (thread_.joinable()) thread_.join();
    return std::move(result_);
}

}  // namespace folvane
