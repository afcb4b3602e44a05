#include "install/RegistryScript.h"

#include "common/RunLog.h"
#include "common/TextCase.h"
#include "framework/RegKey.h"

namespace {

const wchar_t kPciKey[] = L"Enum\\PCI";

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
    return installcore::ParseRegistryScriptLine(std::move(line));
}

HKEY RegistryRootOf(const std::wstring& rootName) {
    switch (installcore::RegistryScriptRootOf(rootName)) {
    case installcore::RegistryScriptRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case installcore::RegistryScriptRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case installcore::RegistryScriptRoot::Users:
        return HKEY_USERS;
    case installcore::RegistryScriptRoot::LocalMachine:
        break;
    }
    return HKEY_LOCAL_MACHINE;
}

void RunRegistryScript(const std::vector<std::wstring>& lines, const RegistryScriptOptions& options,
                       const RegistryScriptDisplay& show) {
    for (const std::wstring& text : lines) {
        for (const RegistryScriptLine& line : installcore::ParseRegistryScriptLines(text)) {
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
    return installcore::PciDevicePattern(subkey, MakeLower);
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
