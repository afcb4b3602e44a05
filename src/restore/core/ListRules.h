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

// Files that are never offered: any file named OBRA.DAV, and whatever lies in a directory
// RECYCLED at the root of the drive, or below it. `directory` is a full path ("C:\WINDOWS").
template <typename String> bool IsNeverRestored(const String& directory, const String& fileName);

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
