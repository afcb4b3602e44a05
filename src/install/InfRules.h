#pragma once

#include "common/SystemLayout.h"
#include "install/core/InfLineRules.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The rules of INF processing, apart from their effects. INF files come from the recovery
// source and are untrusted: these rules decide where their files may go and what their lines
// mean. The line and field rules are in install/core/InfLineRules.h.

std::vector<std::wstring> InfListNames(std::wstring list);
bool IsInfDirectiveGiven(const std::wstring& value);

// The directory of a "DestinationDirs" or "SourceDisksFiles" value, with the Windows directory
// of `layout`.
std::optional<std::wstring> MapInfDirectory(const std::wstring& spec,
                                            const std::wstring& sourceRoot,
                                            const SystemLayout& layout);

// Where a file list without a DestinationDirs entry is copied: the SYSTEM directory.
std::wstring DefaultInfTargetDir(const SystemLayout& layout);

bool IsInfFileName(const std::wstring& name);
std::wstring CompressedName(const std::wstring& name);
bool IsInfComment(const std::wstring& line);
std::wstring TakeInfField(std::wstring& rest);
std::wstring LastInfField(const std::wstring& rest);

using InfRegLine = installcore::InfRegLine<std::wstring>;
InfRegLine ParseInfRegLine(std::wstring line);

// The registry key of an AddReg line's root (installcore::InfRegistryRootOf); null for an unknown
// root.
HKEY InfRegistryRoot(const std::wstring& root);

int InfRegFlags(const std::wstring& flags);
bool IsReservedValueName(const std::wstring& valueName);

using InfIniLine = installcore::InfIniLine<std::wstring>;
InfIniLine ParseInfIniLine(std::wstring line);

// The INI file of an UpdateInis line, below the Windows directory of `layout`.
std::optional<std::wstring> InfIniPath(const std::wstring& iniName, const SystemLayout& layout);
