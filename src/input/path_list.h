// The input list as the runs read it, and a compact form of it for lists of
// hundreds of thousands of paths: each folder's text once, the names in one
// buffer, about a quarter of the memory of one string per path.
#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace folvane {

class InputFiles {
  public:
    virtual ~InputFiles() = default;
    virtual std::size_t Count() const = 0;
    virtual std::string At(std::size_t index) const = 0;
};

class SpanInputFiles final : public InputFiles {
  public:
    explicit SpanInputFiles(std::span<const std::string> files) : files_(files) {}
    std::size_t Count() const override { return files_.size(); }
    std::string At(std::size_t index) const override { return files_[index]; }

  private:
    std::span<const std::string> files_;
};

class PathList final : public InputFiles {
  public:
    // Splits at the last separator of this system.
    void Add(std::string_view path);
    // `folder` already ends with its separator (or is empty).
    void Add(std::string_view folder, std::string_view name);

    std::size_t Count() const override { return entries_.size(); }
    std::string At(std::size_t index) const override;

    // The input list's order (InputListLess), identical neighbours dropped.
    void SortAndRemoveDuplicates();

  private:
    struct Entry {
        std::uint32_t folder;
        std::uint32_t nameLength;
        std::uint64_t nameOffset;
    };
    std::string_view Folder(const Entry& e) const { return folders_[e.folder]; }
    std::string_view Name(const Entry& e) const {
        return std::string_view(names_).substr(e.nameOffset, e.nameLength);
    }

    std::deque<std::string> folders_;  // a deque keeps the texts where the index points
    std::unordered_map<std::string_view, std::uint32_t> folderIds_;
    std::string names_;
    std::vector<Entry> entries_;
};

}  // namespace folvane
