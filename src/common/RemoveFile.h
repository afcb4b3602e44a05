#pragma once

#include <string>

// Deletes a file whatever its attributes: read-only, hidden and system do not protect it. True
// when the deletion succeeded.
bool RemoveFile(const std::wstring& path);
