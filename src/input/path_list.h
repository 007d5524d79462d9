// The input list as the runs read it, and a compact form of it for lists of
// hundreds of thousands of paths: each folder's text once, the names in one
// buffer, about a quarter of the memory of one string per path.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/file_system.h"

namespace folvane {

class InputFiles {
  public:
    virtual ~InputFiles() = default;
    virtual std::size_t Count() const = 0;
    virtual std::string At(std::size_t index) const = 0;
    // Whether `path` is the file at `index`, without making its text.
    virtual bool Is(std::size_t index, std::string_view path) const { return At(index) == path; }
    // The identity the one look at the file gave, where it gave one.
    virtual std::optional<FileIdentity> IdentityAt(std::size_t) const { return std::nullopt; }
};

// A file left out of the list because it came under another spelling
// first ("a.tif", "./a.tif", a hard link).
struct SameFile {
    std::string path;
    std::string firstPath;
};

class SpanInputFiles final : public InputFiles {
  public:
    explicit SpanInputFiles(std::span<const std::string> files) : files_(files) {}
    std::size_t Count() const override { return files_.size(); }
    std::string At(std::size_t index) const override { return files_[index]; }
    bool Is(std::size_t index, std::string_view path) const override {
        return files_[index] == path;
    }

  private:
    std::span<const std::string> files_;
};

class PathList final : public InputFiles {
  public:
    // Splits at the last separator of this system.
    void Add(std::string_view path);
    // `folder` already ends with its separator (or is empty).
    void Add(std::string_view folder, std::string_view name,
             std::optional<FileIdentity> identity = std::nullopt);
    void Add(std::string_view path, std::optional<FileIdentity> identity);

    std::size_t Count() const override { return entries_.size(); }
    std::string At(std::size_t index) const override;
    bool Is(std::size_t index, std::string_view path) const override;
    std::optional<FileIdentity> IdentityAt(std::size_t index) const override;

    // The input list's order (InputListLess), identical neighbours dropped.
    void SortAndRemoveDuplicates();
    // After sorting: of the entries naming the same file, keeps the first
    // and returns the others.
    std::vector<SameFile> RemoveSameFiles();

  private:
    struct Entry {
        std::uint32_t folder;
        std::uint32_t nameLength;
        std::uint64_t nameOffset;
        bool identified;
        FileIdentity identity;
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
