#pragma once

#include "install/core/ScriptLineRules.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CLineFile;
class CTextFile;

// The operations of the file-operation dialog (CFileOpDlg), by their codes.
enum FileOpCode {
    FileOpCopy = 0,           // "[copy]" script
    FileOpRegistryImport = 1, // registry file, imported by the registry editor
    FileOpDelete = 2,         // "[del]" script
    FileOpRegistryScript = 3, // "[delreg]" script (RegistryScript.h)
    FileOpRename = 4,         // "[rename]" script
    FileOpNull = 5,           // nothing
    FileOpExtract = 6,        // "[extract]" script
};

// The operation lines of a script (the section rule of install/core/ScriptLineRules.h, letter
// case as the platform folds it). The last line counts without a line break. Copy and extract
// scripts are read as text files (ANSI, or UTF-16LE with its byte-order mark), the others as line
// files (UTF-16LE without a mark).
std::vector<std::wstring> ReadScriptLines(CTextFile& file, const std::wstring& header);
std::vector<std::wstring> ReadScriptLines(CLineFile& file, const std::wstring& header);

// The line rules of install/core/ScriptLineRules.h.
DWORD AttributesOf(const std::wstring& list);
using CopyLine = installcore::CopyLine<std::wstring>;
CopyLine ParseCopyLine(std::wstring line);
using RenameLine = installcore::RenameLine<std::wstring>;
RenameLine ParseRenameLine(std::wstring line);

// A path that names a place on a drive (common/core/DrivePaths.h). Script targets must be such
// paths; anything else would act relative to the program's directory.
bool IsDriveRootedPath(const std::wstring& path);

// The version-check modes, with numbers read by the C library.
using installcore::VersionMode;
using enum installcore::VersionMode;
int CopyVersionMode(const std::wstring& setting);
int ExtractVersionMode(const std::wstring& setting);
using installcore::DecideReplace;
using installcore::ReplaceDecision;

// The prompt's answers (CReplaceFileDlg::Answer): whether the file is replaced, and the mode
// for the rest of the script ("Yes to all" stops checking, "No to all" keeps every file).
bool AnswerReplaces(int answer);
int ModeAfterAnswer(int mode, int answer);

// Whole seconds since 1970-01-01 UTC of a file time.
std::int64_t UtcSecondsOf(const FILETIME& time);
