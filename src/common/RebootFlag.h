#pragma once

#include <string>

// The reboot flag file (SystemLayout::RebootFlagPath): its existence tells the runs and pages
// that a replacement waits for the next restart of Windows, so that they offer the restart.

// Creates the file anew with the one line "Reboot" (UTF-16LE, carriage return and line feed, no
// byte-order mark); true when the whole line was written.
bool WriteRebootFlag(const std::wstring& path);

// Removes the file, read-only or not. A file that is missing or cannot be removed is passed over.
void DeleteRebootFlag(const std::wstring& path);

// True when the file exists (a find-first on its path).
bool RebootFlagExists(const std::wstring& path);
