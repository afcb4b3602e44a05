#pragma once

#include <string>

// Queries of the running processes. On the NT platform they read the process-status
// library's list of process ids; on the other platform they walk a process snapshot.

// The number of running processes; -1 when the list cannot be read on the NT platform, 0 when
// the platform version cannot be read.
int CountProcesses();

// 1 when a process of that executable name runs, 0 when none does, -1 when the list cannot be
// read on the NT platform (callers test for non-zero, so that counts as running). The NT
// platform compares the module's base name, ignoring case; the other platform looks for
// `name` (given in lower case) anywhere in the lower-cased executable path.
int IsProcessRunning(const std::wstring& name);
