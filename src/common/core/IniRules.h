#pragma once

#include "common/core/LineSource.h"

#include <string>
#include <string_view>
#include <vector>

// The rules of the system's own INI reader. They differ from the platform's private-profile
// functions, and the callers rely on them:
// - a section starts at the first line whose lower-cased text begins with "[" + lower-cased name
//   + "]" (anything may follow on that line); only that first section is searched;
// - names compare with only A to Z lower-cased; values keep their case;
// - a value is cut at its first ";", even inside quotes, then trimmed; a value then starting
//   with a double quote loses its first and last character, whatever the last one is;
// - a line read together with the end of the file is not looked at by the value lookup, so the
//   last line of a file without a final line break is never found there, while the section
//   reader keeps it.
namespace textcore {

// Looks `key` up in `section`; true and `value` set when found, `value` untouched otherwise.
bool FindIniValue(ILineSource& lines, std::u16string_view section, std::u16string_view key,
                  std::u16string& value);

// The raw lines of `section` (comments and empty lines included) up to the next line starting
// with "[", or the end of the file; empty when the section is missing.
std::vector<std::u16string> ReadIniSectionLines(ILineSource& lines, std::u16string_view section);

// A file name without ":\" is relative to the current directory (given with its backslash).
std::u16string ResolveProfilePath(const std::u16string& file,
                                  const std::u16string& currentDirSlash);

} // namespace textcore
