#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Fills the staged file, which exists and is empty, with the new content (an extraction, a
// copy); true when the whole content was written.
using StagedFileWriter = std::function<bool(const std::wstring& stagedPath)>;

// The platform's MoveFileExW; tests put a stand-in here.
using MoveFileExFunction = BOOL(WINAPI*)(LPCWSTR existing, LPCWSTR newName, DWORD flags);

// Replaces a file that is in use when Windows next restarts:
// 1. the new content is staged in a file of the target's directory (so on its volume) under a
//    name that no other file there has;
// 2. the target's read-only attribute is cleared, since the replacement at boot cannot
//    overwrite a read-only file;
// 3. the staged file is registered to take the target's place at the next restart;
// 4. the reboot flag file is written, so that the run offers the restart.
// Returns true when the replacement is registered. On any failure before that, the target and
// its attributes stay as they were, the staged file is removed and no flag is written (a flag
// from an earlier replacement stays). A flag that cannot be written after the registration is
// passed over: the target is replaced at the next restart all the same.
// `target` must be an absolute drive-form path (X:\dir\name).
bool ReplaceAtNextRestart(const std::wstring& target, const StagedFileWriter& write,
                          const std::wstring& rebootFlagPath,
                          MoveFileExFunction moveFileEx = ::MoveFileExW);

// True when the file exists and another process holds it so that it cannot be replaced now:
// it cannot be opened for writing and deletion without sharing. Only a sharing or lock
// violation counts; a file that cannot be written for another reason is not in use.
bool IsFileInUse(const std::wstring& path);

enum class Placement { Replaced, Staged, Failed };

// Puts new content in the place of `target`, with its read-only attribute taken off: now, with
// `writeInPlace`, unless another process holds the target; then at the next restart, with the
// content that `writeStaged` writes (ReplaceAtNextRestart). A target that stays as it was gets
// its attribute back. The outcome goes to the run log.
Placement PlaceNowOrAtRestart(const std::wstring& target, const std::function<bool()>& writeInPlace,
                              const StagedFileWriter& writeStaged,
                              const std::wstring& rebootFlagPath);
