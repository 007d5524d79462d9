// Deciding what the input paths stand for: one look at each named path,
// the listing of each folder, a look only at the entries whose type the
// listing does not give. On a file server every look is a round trip, so
// looks and listings are kept in flight together on `threads` threads;
// the result is the same as one after the other.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "input/input_list.h"
#include "input/path_list.h"

namespace folvane {

struct ExaminationRules {
    // A folder adds the files of its whole tree; hidden folders and links
    // to folders are not entered.
    bool recursive = false;
    // A named file is taken whatever its name, and a named path that
    // cannot be used is only a problem (the selection window's entries);
    // otherwise a named file is taken when TakesNamedFile says so, and a
    // missing one with such a name is kept, so its result says it cannot
    // be opened.
    bool anyNamedFile = false;
    // *.pdf files are taken too, wherever *.tif files are.
    bool withPdf = false;
    unsigned threads = 1;
    // When not 0, only this many of the threads look at once until a look
    // is seen to wait on the storage (a disk's cache missed, a file
    // server); from memory, more threads only share the processors.
    unsigned threadsFromMemory = 0;
};

// Shared with whoever watches an examination from another thread.
struct ExaminationControl {
    std::atomic<bool> cancel{false};
    // Named paths, folders and entries examined so far.
    std::atomic<std::size_t> examined{0};
};

struct ExaminedInputs {
    // The files found, each with its identity where a look or the listing
    // gave one: the named paths in their order, a folder's files in the
    // order the system lists them. Not yet sorted.
    PathList files;
    std::vector<PathProblem> problems;
    // Stopped part way: what was examined before is all here.
    bool cancelled = false;
};

ExaminedInputs ExamineInputs(std::span<const std::string> paths, const ExaminationRules& rules,
                             ExaminationControl* control = nullptr);

// The same on a thread of its own, for a window that must keep answering
// while a slow share is examined.
class BackgroundExamination {
  public:
    // With rules.threads 0, `chooseThreads` (on the examination's thread,
    // since asking where the paths lie may wait on a server) says how many.
    using ThreadChooser = std::function<unsigned(std::span<const std::string> paths)>;
    BackgroundExamination(std::vector<std::string> paths, ExaminationRules rules,
                          ThreadChooser chooseThreads = {});
    ~BackgroundExamination();  // cancels, and waits for the thread
    BackgroundExamination(const BackgroundExamination&) = delete;
    BackgroundExamination& operator=(const BackgroundExamination&) = delete;

    bool Done() const { return done_.load(); }
    std::size_t Examined() const { return control_.examined.load(); }
    std::size_t NamedPaths() const { return paths_.size(); }
    // Stops it soon; what was examined is kept.
    void Cancel() { control_.cancel = true; }
    // Waits for the end and hands over the result (once).
    ExaminedInputs Take();

  private:
    std::vector<std::string> paths_;
    ExaminedInputs result_;
    ExaminationControl control_;
    std::atomic<bool> done_{false};
    std::thread thread_;
};

}  // namespace folvane
