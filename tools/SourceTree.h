#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The files of a recovery source, named as the program names them: relative paths with
// backslash separators below the source's root ("I386\APPS\DTA\word.dta").
//
// Windows finds names without regard to their letter case. Where the file system does not (the
// native build on Linux), a name that does not exist as written is looked up among the entries
// of its directory with the letters A to Z folded; that approximates the platform, which folds
// other letters too. The first entry that matches wins when several differ only in case.
class CSourceTree {
public:
    explicit CSourceTree(std::filesystem::path root) : m_root(std::move(root)) {}

    const std::filesystem::path& Root() const { return m_root; }

    // The file or directory the relative path names, or nothing when it does not exist.
    std::optional<std::filesystem::path> Find(const std::u16string& relative) const;
    bool IsFile(const std::u16string& relative) const;
    bool IsDirectory(const std::u16string& relative) const;

    // The names of the entries of a directory, sorted; empty when it does not exist.
    std::vector<std::u16string> Entries(const std::u16string& relative) const;

private:
    // A directory's entries by their names with A to Z folded, the first in order where several
    // fold alike.
    using Listing = std::unordered_map<std::u16string, std::filesystem::path>;
    std::optional<std::filesystem::path> FindEntry(const std::filesystem::path& directory,
                                                   const std::u16string& name) const;
    const Listing& ListingOf(const std::filesystem::path& directory) const;

    std::filesystem::path m_root;
    // Each directory is listed once: a source's I386 holds thousands of files, which the lists
    // and INF files name in any letter case.
    mutable std::map<std::filesystem::path, Listing> m_listings;
};

// The whole content of a file; nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// The relative path joined to a directory of the same kind with one backslash.
std::u16string JoinSourcePath(const std::u16string& directory, const std::u16string& name);

// UTF-8 for messages.
std::string Utf8(const std::u16string& text);
