#pragma once

#include "common/SystemLayout.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The rules of INF processing, apart from their effects. INF files come from the recovery
// source and are untrusted: these rules decide where their files may go and what their lines
// mean.

// The names of a comma-separated directive value ("CopyFiles", "AddReg", "UpdateInis"), each
// trimmed, empty ones left out.
std::vector<std::wstring> InfListNames(std::wstring list);

// A directive value that is not given reads as "none".
bool IsInfDirectiveGiven(const std::wstring& value);

// The directory a "DestinationDirs" or "SourceDisksFiles" value stands for: an id, optionally a
// comma and a subdirectory (trimmed, one pair of enclosing quotes dropped). The id is taken as
// written: "100" is the source root, "10", "11", "17" and "13" are the Windows directory and its
// SYSTEM, INF and COMMAND directories, anything else is C:\. Nothing when the subdirectory is
// not a relative path of safe names, so that "..\.." never leads outside these directories, and
// for id 100 when there is no source root.
std::optional<std::wstring> MapInfDirectory(const std::wstring& spec,
                                            const std::wstring& sourceRoot,
                                            const SystemLayout& layout);

// Where a file list without a DestinationDirs entry is copied: the SYSTEM directory.
std::wstring DefaultInfTargetDir(const SystemLayout& layout);

// A file of a file list must be a plain file name, never a path.
bool IsInfFileName(const std::wstring& name);

// The name under which a compressed copy of a file is stored: its last character replaced by
// "_" (DRIVER.DLL gives DRIVER.DL_).
std::wstring CompressedName(const std::wstring& name);

// A line of an AddReg or UpdateInis section that starts with ";".
bool IsInfComment(const std::wstring& line);

// One field of a line: the text before the next comma, trimmed, one pair of enclosing quotes
// dropped. `rest` keeps what follows the comma.
std::wstring TakeInfField(std::wstring& rest);
// The last field: all that is left, commas included, trimmed and unquoted the same way.
std::wstring LastInfField(const std::wstring& rest);

// An AddReg line: root, subkey, value name, flags, value.
struct InfRegLine {
    std::wstring root;
    std::wstring subkey;
    std::wstring valueName;
    std::wstring flags;
    std::wstring value;
};
InfRegLine ParseInfRegLine(std::wstring line);

// The registry root of "HKCR", "HKCU", "HKLM", "HKU" or "HKCC", compared exactly; null for
// any other text.
HKEY InfRegistryRoot(const std::wstring& root);

// The flags field read as a decimal number from its leading digits, so that "" and any
// hexadecimal "0x..." read as 0; INF files written for this rule rely on that.
int InfRegFlags(const std::wstring& flags);

// The value name whose lines are never written to the registry.
bool IsReservedValueName(const std::wstring& valueName);

// An UpdateInis line: INI file name, INI section, old entry (which changes nothing) and the
// new entry.
struct InfIniLine {
    std::wstring iniName;
    std::wstring section;
    std::wstring oldEntry;
    std::wstring newEntry;
};
InfIniLine ParseInfIniLine(std::wstring line);

// The INI file of an UpdateInis line, below the Windows directory; nothing when the name is
// not a relative path of safe names.
std::optional<std::wstring> InfIniPath(const std::wstring& iniName, const SystemLayout& layout);
