#pragma once

#include <string>

// Paths in drive form: a drive letter, a colon, a backslash, then components separated by
// single backslashes (X:\dir\file).

// A path counts as absolute when it contains ":\" anywhere.
bool IsAbsolutePath(const std::wstring& path);

// The directory and the name with one backslash between them, unless the directory already
// ends with one.
std::wstring JoinPath(const std::wstring& dir, const std::wstring& name);

// Creates every missing directory along an absolute drive-form path. Failures are passed over:
// whoever needs the directory finds out when using it.
void CreateDirectoryPath(const std::wstring& path);
