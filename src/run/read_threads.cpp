#include "run/read_threads.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <thread>

#include "platform/file_system.h"

namespace folvane {

namespace {

// Each question about a folder may itself be a round trip; lists of
// hundreds of thousands of files in as many folders are asked about only
// this often.
constexpr int kFoldersAsked = 8;

std::string_view FolderOf(std::string_view path) {
    auto end = path.rfind(kPathSeparator);
    if (kPathSeparator != '/') {
        const auto slash = path.rfind('/');
        if (slash != std::string_view::npos && (end == std::string_view::npos || slash > end))
            end = slash;
    }
    return end == std::string_view::npos ? std::string_view() : path.substr(0, end + 1);
}

}  // namespace

unsigned ReadThreadsFromMemory(unsigned processors) {
    return std::max(processors, kReadThreadsFromMemory);
}

unsigned ReadThreadsFor(StorageKind storage, unsigned processors) {
    const unsigned perProcessor = processors == 0 ? 1 : processors;
    switch (storage) {
        case StorageKind::Network:
            return kNetworkReadThreads;
        case StorageKind::Local:
            return std::max(perProcessor, kSolidStateReadThreads);
        case StorageKind::Rotational:
        case StorageKind::Unknown:
            break;
    }
    return perProcessor;
}

unsigned DefaultReadThreads(const InputFiles& files) {
    StorageKind storage = StorageKind::Unknown;
    std::string lastFolder;
    int asked = 0;
    for (std::size_t i = 0; i < files.Count() && asked < kFoldersAsked; ++i) {
        const std::string path = files.At(i);
        const std::string_view folder = FolderOf(path);
        if (i > 0 && folder == lastFolder) continue;
        lastFolder = folder;
        ++asked;
        // The file itself is asked about: a file name without a folder
        // lies in the current one.
        const StorageKind kind = StorageKindOf(path);
        if (kind == StorageKind::Network) {
            storage = kind;
            break;
        }
        if (storage == StorageKind::Unknown) storage = kind;
    }
    return ReadThreadsFor(storage, std::thread::hardware_concurrency());
}

}  // namespace folvane
