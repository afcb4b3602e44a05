#pragma once

#include <string>
#include <vector>

// The system's own INI reader (rules in common/core/IniRules.h). Each call opens the file,
// scans it from the start and closes it, so nothing is cached between calls. A file name
// without ":\" is taken relative to the current directory.

// True and `result` = the value when `key` is found in `section`; otherwise `result` =
// `def` and false.
bool GetIniValue(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                 std::wstring& result, const std::wstring& file);

// Replaces `lines` by the raw lines of `section`; empty when the file or section is missing.
void GetIniSectionLines(const std::wstring& section, std::vector<std::wstring>& lines,
                        const std::wstring& file);

// True when the section has at least one line, even an empty one or a comment.
bool IniSectionHasLines(const std::wstring& section, const std::wstring& file);
