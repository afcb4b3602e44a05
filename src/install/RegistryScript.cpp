#include "install/RegistryScript.h"

#include "common/RunLog.h"
#include "common/StringHelpers.h"
#include "common/TextCase.h"
#include "framework/RegKey.h"

namespace {

const wchar_t kPciKey[] = L"Enum\\PCI";

bool BeginsWithHk(const std::wstring& text) {
    return text.compare(0, 2, L"HK") == 0;
}

// The names of the subkeys of "Enum\PCI" (each joined to it) that contain the device pattern.
std::vector<std::wstring> MatchingPciKeys(const std::wstring& subkey) {
    std::vector<std::wstring> matches;
    const std::wstring pattern = PciDevicePattern(subkey);
    if (pattern.empty())
        return matches;
    CRegKey pci;
    if (pci.Open(HKEY_LOCAL_MACHINE, kPciKey, KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return matches;
    wchar_t name[1024];
    for (DWORD index = 0;; ++index) {
        DWORD length = ARRAYSIZE(name);
        if (::RegEnumKeyExW(pci, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        const std::wstring candidate = std::wstring(kPciKey) + L"\\" + name;
        if (candidate.find(pattern) != std::wstring::npos)
            matches.push_back(candidate);
    }
    return matches;
}

// False when the line is not for this run (machine-wide keys in a per-user run).
bool DeleteKey(HKEY root, const RegistryScriptLine& line, const RegistryScriptOptions& options) {
    if (root != HKEY_LOCAL_MACHINE) {
        ::RegDeleteKeyW(root, line.subkey.c_str());
        return true;
    }
    if (!options.machineWide)
        return false;
    ::RegDeleteKeyW(root, line.subkey.c_str());
    if (options.pciVariant)
        PurgePciKeys(line.subkey);
    return true;
}

// The same for a value; also false when its key cannot be opened.
bool DeleteValue(HKEY root, const RegistryScriptLine& line, const RegistryScriptOptions& options) {
    CRegKey key;
    if (key.Create(root, line.subkey) != ERROR_SUCCESS)
        return false;
    const std::wstring name = line.RegistryValueName();
    if (root != HKEY_LOCAL_MACHINE) {
        ::RegDeleteValueW(key, name.c_str());
        return true;
    }
    if (!options.machineWide)
        return false;
    ::RegDeleteValueW(key, name.c_str());
    if (options.pciVariant)
        PurgePciValues(line.subkey, name);
    return true;
}

} // namespace

RegistryScriptLine ParseRegistryScriptLine(std::wstring line) {
    RegistryScriptLine parsed;
    parsed.rootName = SplitFirst(line, L'\\');
    parsed.subkey = SplitFirst(line, L'|');
    parsed.kind = SplitFirst(line, L'|');
    parsed.valueName = SplitFirst(line, L'|');
    parsed.valueType = SplitFirst(line, L'|');
    parsed.rest = line;
    return parsed;
}

HKEY RegistryRootOf(const std::wstring& rootName) {
    if (rootName == L"HKEY_CLASSES_ROOT")
        return HKEY_CLASSES_ROOT;
    if (rootName == L"HKEY_CURRENT_USER")
        return HKEY_CURRENT_USER;
    if (rootName == L"HKEY_USERS")
        return HKEY_USERS;
    return HKEY_LOCAL_MACHINE;
}

void RunRegistryScript(const std::vector<std::wstring>& lines, const RegistryScriptOptions& options,
                       const RegistryScriptDisplay& show) {
    for (std::wstring text : lines) {
        // The rest of a line that begins with "HK" is one more line.
        while (BeginsWithHk(text)) {
            const RegistryScriptLine line = ParseRegistryScriptLine(text);
            text = line.rest;
            if (line.subkey.empty())
                continue;
            const HKEY root = RegistryRootOf(line.rootName);
            const std::wstring keyText = L"Key: " + line.rootName + L"\\" + line.subkey;
            const std::wstring keyName = line.rootName + L"\\" + line.subkey;
            if (line.DeletesValue()) {
                show(keyText, L"Value: " + line.valueName);
                if (DeleteValue(root, line, options))
                    LogRun(L"Registry value deleted: " + keyName + L"\\" +
                           line.RegistryValueName());
            } else {
                show(keyText, L"");
                if (DeleteKey(root, line, options))
                    LogRun(L"Registry key deleted: " + keyName);
            }
        }
    }
}

std::wstring PciDevicePattern(const std::wstring& subkey) {
    if (MakeLower(subkey).rfind(L"enum\\pci", 0) != 0)
        return {};
    std::wstring pattern = subkey.substr(0, subkey.find(L"&SUBSYS"));
    SplitFirst(pattern, L'\\');
    SplitFirst(pattern, L'\\');
    return pattern;
}

void PurgePciKeys(const std::wstring& subkey) {
    for (const std::wstring& key : MatchingPciKeys(subkey))
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());
}

void PurgePciValues(const std::wstring& subkey, const std::wstring& valueName) {
    for (const std::wstring& path : MatchingPciKeys(subkey)) {
        CRegKey key;
        if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS) == ERROR_SUCCESS)
            ::RegDeleteValueW(key, valueName.c_str());
    }
}
