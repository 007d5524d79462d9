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

}  // namespace folvane
