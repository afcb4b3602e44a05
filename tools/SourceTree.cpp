#include "tools/SourceTree.h"

#include "archive/ArchiveText.h"
#include "common/core/StringRules.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

// The entry of `directory` named `name` as Windows would find it.
std::optional<fs::path> CSourceTree::FindEntry(const fs::path& directory,
                                               const std::u16string& name) const {
    std::error_code error;
    const fs::path exact = directory / PathOfArchiveText(name);
    if (fs::exists(exact, error))
        return exact;
    const Listing& listing = ListingOf(directory);
    const auto found = listing.find(textcore::LowerAsciiLetters(name));
    if (found == listing.end())
        return std::nullopt;
    return found->second;
}

const CSourceTree::Listing& CSourceTree::ListingOf(const fs::path& directory) const {
    const auto known = m_listings.find(directory);
    if (known != m_listings.end())
        return known->second;
    Listing listing;
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        const fs::path& path = it->path();
        const auto [at, added] =
            listing.emplace(textcore::LowerAsciiLetters(ArchiveTextOf(path.filename())), path);
        if (!added && path < at->second)
            at->second = path;
    }
    return m_listings.emplace(directory, std::move(listing)).first->second;
}

std::optional<fs::path> CSourceTree::Find(const std::u16string& relative) const {
    fs::path path = m_root;
    std::u16string rest = relative;
    while (!rest.empty()) {
        std::u16string name = textcore::SplitFirst(rest, u'\\');
        if (name.empty())
            continue;
        // "." and ".." would walk out of the tree; the program never joins such names.
        if (name == u"." || name == u"..")
            return std::nullopt;
        const std::optional<fs::path> entry = FindEntry(path, name);
        if (!entry)
            return std::nullopt;
        path = *entry;
    }
    return path;
}

bool CSourceTree::IsFile(const std::u16string& relative) const {
    std::error_code error;
    const std::optional<fs::path> path = Find(relative);
    return path && fs::is_regular_file(*path, error);
}

bool CSourceTree::IsDirectory(const std::u16string& relative) const {
    std::error_code error;
    const std::optional<fs::path> path = Find(relative);
    return path && fs::is_directory(*path, error);
}

std::vector<std::u16string> CSourceTree::Entries(const std::u16string& relative) const {
    std::vector<std::u16string> names;
    const std::optional<fs::path> directory = Find(relative);
    if (!directory)
        return names;
    std::error_code error;
    for (fs::directory_iterator it(*directory, error), end; !error && it != end;
         it.increment(error))
        names.push_back(ArchiveTextOf(it->path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> ReadFileBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return std::nullopt;
    return bytes;
}

std::u16string JoinSourcePath(const std::u16string& directory, const std::u16string& name) {
    return directory.empty() ? name : textcore::WithTrailingBackslash(directory) + name;
}

std::string Utf8(const std::u16string& text) {
    return Utf16ToUtf8(text);
}
