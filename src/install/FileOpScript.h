#pragma once

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

// The operation lines of a script: every line after the first one that reads as `header` once
// lower-cased, up to the end of the file, empty ones left out. A script holds one section, so a
// later header is an operation line like any other; a script without its header has none. The
// last line counts without a line break. Copy and extract scripts are read as text files (ANSI,
// or UTF-16LE with its byte-order mark), the others as line files (UTF-16LE without a mark).
std::vector<std::wstring> ReadScriptLines(CTextFile& file, const std::wstring& header);
std::vector<std::wstring> ReadScriptLines(CLineFile& file, const std::wstring& header);

// An attribute list such as "RO/H": the attribute bits of its tokens ("N", "RO", "H", "S",
// "A", compared exactly) combined; unknown tokens add nothing. An empty list means "N".
DWORD AttributesOf(const std::wstring& list);

// A copy line: source | destination | attribute list.
struct CopyLine {
    std::wstring source;      // relative to the source root, or "<..." (only the directory)
    std::wstring destination; // absolute target file, or the directory of a "<" line
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;

    bool OnlyCreatesDirectory() const { return !source.empty() && source[0] == L'<'; }
    // The directory the line creates: the destination's, or the destination itself.
    std::wstring DirectoryToCreate() const;
};
CopyLine ParseCopyLine(std::wstring line);

// A rename line: old | new | attribute list.
struct RenameLine {
    std::wstring oldPath; // the file or directory to move, or "*..." (only the attributes)
    std::wstring newPath;
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;

    bool OnlySetsAttributes() const { return !oldPath.empty() && oldPath[0] == L'*'; }
};
RenameLine ParseRenameLine(std::wstring line);

// A path that names a place on a drive: a letter, a colon and a backslash at its start. Script
// targets must be such paths; anything else would act relative to the program's directory.
bool IsDriveRootedPath(const std::wstring& path);

// The version-check modes. The extract mode of the same setting is one step ahead.
enum VersionMode {
    VersionAlwaysReplace = 0, // no check
    VersionReplaceOlder = 1,  // replaced unless the existing file is newer
    VersionAsk = 2,           // any mode but 0, 1 and 3: asks unless the existing file is newer
    VersionNeverReplace = 3,
};
// From File_Version_Checking ("none" when not given).
int CopyVersionMode(const std::wstring& setting);
int ExtractVersionMode(const std::wstring& setting);

enum class ReplaceDecision { Replace, Keep, Ask };
// For an existing target: times are whole seconds on one basis (UTC); a source as old as the
// target is not older.
ReplaceDecision DecideReplace(int mode, std::int64_t existingTime, std::int64_t newTime);

// The prompt's answers (CReplaceFileDlg::Answer): whether the file is replaced, and the mode
// for the rest of the script ("Yes to all" stops checking, "No to all" keeps every file).
bool AnswerReplaces(int answer);
int ModeAfterAnswer(int mode, int answer);

// Whole seconds since 1970-01-01 UTC of a file time.
std::int64_t UtcSecondsOf(const FILETIME& time);
