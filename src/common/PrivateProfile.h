#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Reads through the platform's private-profile functions, whose rules differ from the system's
// own reader (IniReader.h): they keep text after ";", strip one pair of quotes, read UTF-16 files
// only with a byte-order mark, and turn "k = v" into "k=v" in sections. The buffer grows until
// the whole value or section fits, so nothing is cut silently.

// A value, or `def` when the key is missing.
std::wstring ProfileString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& def, const std::wstring& file);

// The lines of a section as the platform gives them; empty when the file or section is missing.
std::vector<std::wstring> ProfileSection(const std::wstring& section, const std::wstring& file);

// A text of Install.ini's language section read by the platform, or string `defaultId`.
std::wstring ProfileLanguageText(const std::wstring& language, const wchar_t* key, UINT defaultId);
