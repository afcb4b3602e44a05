#pragma once

#include "common/core/StringKinds.h"
#include "common/core/StringRules.h"

#include <memory>
#include <string>
#include <vector>

// The rules of the restore inventory for the file lists ALL.W32 and WINDOWS.W32 and for what it
// never offers, apart from files. Lists come from the recovery source and are untrusted. Templates
// over the kind of string (common/core/StringKinds.h).
namespace restorecore {

// True when `lower` (lower-case ASCII) occurs in `text` at `at`, letters compared without regard
// to case. Only the letters A to Z need folding for the names below: no other character folds to
// one of their letters, in either case, so the platform's rule would find the same. No copy is
// made: the inventory asks this for every file.
template <typename Text> bool MatchesAsciiAt(const Text& text, size_t at, const char* lower) {
    for (size_t i = 0; lower[i] != 0; ++i, ++at) {
        if (at >= text.size())
            return false;
        const auto c = text[at];
        if ((c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) != static_cast<unsigned char>(lower[i]))
            return false;
    }
    return true;
}
template <typename Text> bool ContainsAscii(const Text& text, const char* lower) {
    for (size_t at = 0; at < text.size(); ++at) {
        if (MatchesAsciiAt(text, at, lower))
            return true;
    }
    return false;
}

// Where the inventory looks: the preload directory, then the PRELOAD directories of the CDs
// CD0 to CD25 at the root of its drive; in each, the containers (*.inp) and then the two lists.
inline constexpr int kCdCount = 26;
inline constexpr const char* kListNames[] = {"ALL.W32", "WINDOWS.W32"};
// "CD<n>\PRELOAD", below the root of the drive.
template <typename String> String CdPreloadSubdir(int n) {
    return textcore::AsciiText<String>("CD" + std::to_string(n) + "\\PRELOAD");
}
// A container: a file whose name ends with ".inp" once lower-cased by `lower`.
template <typename String>
bool IsContainerName(const String& name, textcore::CaseFold<String> lower) {
    return lower(name).ends_with(textcore::AsciiText<String>(".inp"));
}

// Files that are never offered: any file named OBRA.DAV, and whatever lies in a directory
// RECYCLED at the root of the drive, or below it. `directory` is a full path ("C:\WINDOWS").
template <typename Text> bool IsNeverRestored(const Text& directory, const Text& fileName) {
    if (fileName.size() == 8 && MatchesAsciiAt(fileName, 0, "obra.dav"))
        return true;
    for (size_t at = 0; at < directory.size(); ++at) {
        if (directory[at] == ':' && MatchesAsciiAt(directory, at, ":\\recycled"))
            return true;
    }
    return false;
}

// The full path on C: of a list line: the line without its surrounding blanks must start with
// a drive, a colon and a backslash, and the rest must be a relative path of safe names with
// backslash separators. Empty for any other line.
template <typename String> String ListLineTarget(const String& line);

// A listed path that the [ExcludePath] lines leave out (a line occurring in the path once both
// are lower-cased by `lower`), or that names OBRA.DAV anywhere.
template <typename String>
bool IsExcludedListPath(const String& fullPath, const std::vector<String>& exclusions,
                        textcore::CaseFold<String> lower);

// The folder of a directory ("C:\WINDOWS\SYSTEM"; "C:" is the root), with any missing folders
// created. The folders' FindChild decides which names are the same.
template <typename Folder, typename String>
Folder& FindOrCreateFolder(Folder& root, const String& directory) {
    String rest = directory.size() > 3 ? directory.substr(3) : String();
    Folder* folder = &root;
    while (!rest.empty()) {
        const String name = textcore::SplitFirst(rest, '\\');
        if (name.empty())
            continue;
        Folder* child = folder->FindChild(name);
        folder = child ? child : &folder->AddChild(std::make_unique<Folder>(name));
    }
    return *folder;
}

} // namespace restorecore
