#pragma once

#include <string_view>

// The rule for names and relative paths that come from data the system does not control: the
// recovery source's settings, lists and scripts, and the entries of archive containers. A name
// that passes can be joined to a directory of the system's choosing without leaving it, without
// naming a device and without being changed by the file system.
namespace textcore {

// "\" and "/": the file system takes both as separators.
bool IsPathSeparator(char16_t c);

// One component: not empty, not "." or "..", no character that Windows forbids in file names
// (separators, ":", "<>\"|?*" and the control characters), no dot or blank at the end (Windows
// strips them), and no reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or
// without an extension, blanks before it ignored).
bool IsSafeName(std::u16string_view name);

// A relative path of components separated by either separator, each of them a safe name. So a
// path with a drive, a leading or doubled separator, or a "." or ".." component is refused.
bool IsSafeRelativePath(std::u16string_view path);

#ifdef _WIN32
// The same for Windows' wide strings, without a copy.
bool IsSafeName(std::wstring_view name);
bool IsSafeRelativePath(std::wstring_view path);
#endif

} // namespace textcore
