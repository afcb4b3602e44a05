#pragma once

#include "common/SystemLayout.h"

#include <string>

// The run log: what the runs changed on this PC, a line for each thing done or passed over, so
// that whoever looks after the PC later can tell what a recovery changed. [General] RunLog of
// Install.ini turns it on: "yes" writes Melvorin.log in the Windows directory, any other value
// but "no" names the file. Without the setting nothing is written.
//
// Each line is the local date and time, two blanks and the text. The file is UTF-16LE with a
// byte-order mark and carriage return and line feed after each line, which Notepad reads on
// every Windows the program serves. Runs only ever append to it. Writing never stops a run: a
// log that cannot be written is passed over. Worker threads may log at the same time.

// The file for a setting: empty for none, "no" or "off"; the Windows directory's Melvorin.log
// for "yes" (any letter case); otherwise the value itself.
std::wstring RunLogPathFor(const std::wstring& setting, const SystemLayout& layout);

// Reads the setting of Install.ini; every run calls it as it starts.
void ConfigureRunLog(const SystemLayout& layout);
// Logs to this file from now on (empty: off), for the tests.
void SetRunLogPath(const std::wstring& path);
bool IsRunLogOn();

// Appends a line.
void LogRun(const std::wstring& text);
