#pragma once

#include <string>

// Letter case of file names and paths by the system's own rules for the user's language, as
// the platform compares names.
std::wstring MakeLower(std::wstring text);
std::wstring MakeUpper(std::wstring text);
