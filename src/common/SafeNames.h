#pragma once

#include <string_view>

// The rule for names and relative paths taken from recovery-source data (source directories,
// INF names and subdirectories, UpdateInis names, list lines, shortcut names), for wide strings;
// the rule itself is in common/core/SafeNames.h.

// One file or directory name: not empty, "." or "..", no separator, ":" or other character that
// Windows forbids, no trailing dot or blank, no device name.
bool IsSafeName(std::wstring_view name);

// Safe names separated by "\" or "/": relative, so nothing built from it leaves the directory
// it is joined to.
bool IsSafeRelativePath(std::wstring_view path);
