#pragma once

#include <string>
#include <string_view>

// Rules for entry names and the paths built from them. Entry names are relative paths with
// backslash separators; both separators count in destinations.

// True when the name can be written below a destination without leaving it, without naming a
// device and without being changed by the file system: a relative path with backslash
// separators that passes the system's rule for names from untrusted data (IsSafeRelativePath of
// common/core/SafeNames.h). Every caller that builds a path from an entry name applies it.
bool IsSafeEntryName(std::u16string_view name);
#ifdef _WIN32
bool IsSafeEntryName(std::wstring_view name);
#endif

bool IsPathSeparator(char16_t c);

// The destination, a backslash unless the destination already ends with a separator, the name.
std::u16string JoinEntryPath(std::u16string_view destination, std::u16string_view name);

// The path without its last component and the separator before it; empty for a bare name.
std::u16string_view ParentPathOf(std::u16string_view path);
