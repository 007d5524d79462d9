// Reads the listed files on worker threads ahead of the run, handing the
// results over strictly in list order. Network shares, where each open
// waits on the server, gain most.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "input/path_list.h"
#include "inspect/tiff_file_source.h"

namespace folvane {

class ReadAhead final : public TiffFileSource {
  public:
    // At most `threads` files are read at once and a few dozen per thread
    // wait to be taken, so memory does not grow with the list.
    ReadAhead(const InputFiles& files, unsigned threads);
    ~ReadAhead() override;
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Returns the next file's result; `path` must be that file.
    TiffReadResult Read(const std::string& path) override;

  private:
    void Work();

    const InputFiles& files_;
    std::vector<std::optional<TiffReadResult>> slots_;  // ring of results, by index % size
    std::size_t nextToClaim_ = 0;
    std::size_t nextToTake_ = 0;
    bool stopping_ = false;
    bool takerWaiting_ = false;
    std::mutex mutex_;
    std::condition_variable resultReady_;
    std::condition_variable spaceFreed_;
    std::vector<std::thread> workers_;
};

}  // namespace folvane
