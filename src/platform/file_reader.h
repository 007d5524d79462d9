// Opening a file for random-access reading.
#pragma once

#include <memory>
#include <string>

#include "bytes/byte_source.h"

namespace folvane {

struct OpenedFile {
    std::unique_ptr<ByteSource> source;  // null when the file could not be opened
    std::string error;                   // the system's reason when it could not
};

// Opens a regular file read-only; the file is closed when the source goes.
OpenedFile OpenFileForReading(const std::string& path);

struct WholeFile {
    std::string bytes;
    std::string error;  // the system's reason, in Japanese, when it could not be read to its end
    bool ok() const { return error.empty(); }
};

// Reads all of a file, a pipe or a device until its end, as lists of paths
// are read: a folder, or a read error part-way, gives the reason and no
// bytes. `path` "-" is standard input.
WholeFile ReadWholeFile(const std::string& path);

}  // namespace folvane
