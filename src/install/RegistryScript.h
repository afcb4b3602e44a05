#pragma once

#include "install/core/ScriptLineRules.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The registry-deletion script ("[delreg]"): lines that delete registry keys and values. Its line
// rules are in install/core/ScriptLineRules.h.

using RegistryScriptLine = installcore::RegistryScriptLine<std::wstring>;
RegistryScriptLine ParseRegistryScriptLine(std::wstring line);

// The root key of a root name.
HKEY RegistryRootOf(const std::wstring& rootName);

struct RegistryScriptOptions {
    // Lines below HKEY_LOCAL_MACHINE delete only with this on.
    bool machineWide = true;
    // After a deletion below HKEY_LOCAL_MACHINE, the same device's siblings below "Enum\PCI"
    // go as well (PurgePciKeys, PurgePciValues).
    bool pciVariant = false;
};

// Shows the key and, for a value line, the value being handled.
using RegistryScriptDisplay =
    std::function<void(const std::wstring& keyText, const std::wstring& valueText)>;

// Carries out the operation lines of a script in order. Failures of the registry calls are
// passed over. A line with an empty subkey is passed over: it would name the root key itself.
// A value line opens its key by creating it, so a missing key is left behind empty.
void RunRegistryScript(const std::vector<std::wstring>& lines, const RegistryScriptOptions& options,
                       const RegistryScriptDisplay& show);

// The device part of a subkey below "Enum\PCI" that its siblings share, letter case as the
// platform folds it.
std::wstring PciDevicePattern(const std::wstring& subkey);

// Below HKEY_LOCAL_MACHINE "Enum\PCI": deletes every subkey, or the value of every subkey,
// whose name contains the device pattern of `subkey`. The names are collected first, so that
// no deletion moves a sibling past the enumeration.
void PurgePciKeys(const std::wstring& subkey);
void PurgePciValues(const std::wstring& subkey, const std::wstring& valueName);
