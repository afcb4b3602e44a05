#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The registry-deletion script ("[delreg]"): lines that delete registry keys and values.
//
//   root\subkey|kind|value name|value type|rest
//
// root is HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or HKEY_USERS (exactly; any
// other name means HKEY_LOCAL_MACHINE); kind "Value" deletes the value (name "@": the default
// value), anything else the key; the value type is accepted and not used. When the rest begins
// with "HK" it is one more line. Lines that do not begin with "HK" are passed over.

struct RegistryScriptLine {
    std::wstring rootName;
    std::wstring subkey;
    std::wstring kind;
    std::wstring valueName;
    std::wstring valueType;
    std::wstring rest; // what follows the fifth field

    bool DeletesValue() const { return kind == L"Value"; }
    // The value's name as the registry knows it: "@" is the unnamed default value.
    std::wstring RegistryValueName() const { return valueName == L"@" ? L"" : valueName; }
};

// Splits one line (which begins with "HK") into its fields.
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

// The device part of a subkey below "Enum\PCI" that its siblings share: the subkey cut before
// its first "&SUBSYS", without its first two components ("VEN_8086&DEV_7190" for
// "Enum\PCI\VEN_8086&DEV_7190&SUBSYS_00000000&REV_03\BUS_00"). Empty for any other subkey.
std::wstring PciDevicePattern(const std::wstring& subkey);

// Below HKEY_LOCAL_MACHINE "Enum\PCI": deletes every subkey, or the value of every subkey,
// whose name contains the device pattern of `subkey`. The names are collected first, so that
// no deletion moves a sibling past the enumeration.
void PurgePciKeys(const std::wstring& subkey);
void PurgePciValues(const std::wstring& subkey, const std::wstring& valueName);
