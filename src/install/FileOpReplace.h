#pragma once

#include <string>

// How the file-operation scripts put a new file in place of an existing one.

// Puts `source` in the place of `destination` in one step, never deleting the destination
// first. With `move` (both on one drive) the source is moved there; otherwise it is copied to
// a new file beside the destination, which then replaces it, so that a copy that fails half-way
// leaves the destination whole. True when the destination holds the new file; otherwise the
// destination is as it was and no temporary file is left.
bool ReplaceWithFile(const std::wstring& source, const std::wstring& destination, bool move);

// The two paths lie on the same drive (their first three characters, in any letter case).
bool IsSameDrive(const std::wstring& first, const std::wstring& second);
