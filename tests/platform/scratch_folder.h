// A fresh folder under the system's temporary folder for one test, removed
// afterwards, and file helpers that take the program's UTF-8 paths on
// every system (std::filesystem turns them into wide paths on Windows).
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace folvane::testing {

inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

inline void WriteBytes(std::string_view utf8Path, std::string_view bytes) {
    std::ofstream out(PathFromUtf8(utf8Path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteBytes(std::string_view utf8Path, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(utf8Path,
               std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

inline std::string ReadBytes(std::string_view utf8Path) {
    std::ifstream in(PathFromUtf8(utf8Path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ScratchFolder {
  public:
    ScratchFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("folvane-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder itself, as the program holds paths.
    std::string Path() const { return Utf8FromPath(path_); }

    // `relative` below the folder, joined with the system's separator.
    std::string Path(std::string_view relative) const {
        return Utf8FromPath(path_ / PathFromUtf8(relative));
    }

    std::string MakeFolder(std::string_view relative) const {
        std::filesystem::create_directories(path_ / PathFromUtf8(relative));
        return Path(relative);
    }

    // Names of everything in `relative` (or the folder itself), sorted.
    std::vector<std::string> Names(std::string_view relative = {}) const {
        std::vector<std::string> names;
        const auto folder = relative.empty() ? path_ : path_ / PathFromUtf8(relative);
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(Utf8FromPath(entry.path().filename()));
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::filesystem::path path_;
};

}  // namespace folvane::testing
