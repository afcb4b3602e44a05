#pragma once

#include "common/core/StringKinds.h"

#include <optional>
#include <string>
#include <vector>

// The line and field rules of INF files, apart from their effects. INF files come from the
// recovery source and are untrusted: these rules decide what their lines mean and where their
// files may go. Templates over the kind of string (common/core/StringKinds.h).
namespace installcore {

// The names of a comma-separated directive value ("CopyFiles", "AddReg", "UpdateInis"), each
// trimmed, empty ones left out.
template <typename String> std::vector<String> InfListNames(String list);

// A directive value that is not given reads as "none".
template <typename String> bool IsInfDirectiveGiven(const String& value);

// The directory a "DestinationDirs" or "SourceDisksFiles" value stands for: an id, optionally a
// comma and a subdirectory (trimmed, one pair of enclosing quotes dropped). The id is taken as
// written: "100" is the source root, "10", "11", "17" and "13" are the Windows directory
// `windowsDir` (never empty) and its SYSTEM, INF and COMMAND directories, anything else is C:\.
// Nothing when the subdirectory is not a relative path of safe names, so that "..\.." never leads
// outside these directories, and for id 100 when there is no source root.
template <typename String>
std::optional<String> MapInfDirectory(const String& spec, const String& sourceRoot,
                                      const String& windowsDir);

// A file of a file list must be a plain file name, never a path.
template <typename String> bool IsInfFileName(const String& name);

// The name under which a compressed copy of a file is stored: its last character replaced by
// "_" (DRIVER.DLL gives DRIVER.DL_).
template <typename String> String CompressedName(const String& name);

// A line of an AddReg or UpdateInis section that starts with ";".
template <typename String> bool IsInfComment(const String& line);

// One field of a line: the text before the next comma, trimmed, one pair of enclosing quotes
// dropped. `rest` keeps what follows the comma.
template <typename String> String TakeInfField(String& rest);
// The last field: all that is left, commas included, trimmed and unquoted the same way.
template <typename String> String LastInfField(const String& rest);

// An AddReg line: root, subkey, value name, flags, value.
template <typename String> struct InfRegLine {
    String root;
    String subkey;
    String valueName;
    String flags;
    String value;
};
template <typename String> InfRegLine<String> ParseInfRegLine(String line);

// The registry root of an AddReg line: "HKCR", "HKCU", "HKLM", "HKU" or "HKCC", compared exactly;
// None for any other text, whose line is passed over.
enum class InfRegistryRoot { None, ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };
template <typename String> InfRegistryRoot InfRegistryRootOf(const String& root);

// The flags field read as a decimal number from its leading digits, so that "" and any
// hexadecimal "0x..." read as 0; INF files written for this rule rely on that. Digits beyond
// 2147483647 read as 2147483647, with the sign.
template <typename String> int InfRegFlags(const String& flags);

// The value name whose lines are never written to the registry.
template <typename String> bool IsReservedValueName(const String& valueName);

// An UpdateInis line: INI file name, INI section, old entry (which changes nothing) and the
// new entry.
template <typename String> struct InfIniLine {
    String iniName;
    String section;
    String oldEntry;
    String newEntry;
};
template <typename String> InfIniLine<String> ParseInfIniLine(String line);

// The INI file of an UpdateInis line, below the Windows directory `windowsDir` (never empty);
// nothing when the name is not a relative path of safe names.
template <typename String>
std::optional<String> InfIniPath(const String& iniName, const String& windowsDir);

} // namespace installcore
