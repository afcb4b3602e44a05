#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// "inptool check-source ROOT [--install-ini FILE] [--json]": checks a recovery source before it
// ships. 'args' are the words after "check-source". Exit status: 0 when the source is clean, 1
// when problems were found (each printed on 'out'), 2 when the source cannot be checked (ROOT or
// the Install.ini given missing or unreadable, bad arguments; said on 'err').
int RunCheckSource(const std::vector<std::u16string>& args, std::ostream& out, std::ostream& err);

extern const char* const CheckSourceUsage;
