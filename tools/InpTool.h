#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// The container tool: "list CONTAINER", "extract CONTAINER DESTDIR [NAME ...]",
// "create CONTAINER SOURCEDIR", "verify CONTAINER", and "check-source ROOT ..." (CheckSource.h,
// whose exit status differs). 'args' are the words after the program name.
// Returns the exit status: 0 when everything succeeded, 1 otherwise, every failure reported on
// 'err' in one line that names its error code.
int RunInpTool(const std::vector<std::u16string>& args, std::ostream& out, std::ostream& err);

// A FILETIME as UTC "YYYY-MM-DDTHH:MM:SSZ".
std::string FormatUtcFileTime(std::uint64_t fileTime);
