#pragma once

#include <string>

// Operations on whole directory trees. Every walk skips the entries whose full path ends with
// "." (the "." and ".." entries). A file that cannot be deleted or copied is passed over and
// the walk goes on; only the copy reports such failures.

// Deletes everything inside `directory`, at all depths, leaving the directory itself. Read-only,
// hidden and system attributes do not protect an entry.
void DeleteTreeContents(const std::wstring& directory);

// DeleteTreeContents, then the directory itself.
void RemoveTree(const std::wstring& directory);

// Copies the tree below `source` into `destination`, which is created first: existing files are
// overwritten, existing directories merged into. Attributes are copied as they are. The walk
// goes on past a failed entry; true when every entry was copied and the destination exists.
bool CopyTree(const std::wstring& source, const std::wstring& destination);

// The number of files and directories in the tree below `directory`, at all depths.
int CountTreeEntries(const std::wstring& directory);
