#include "install/InfRules.h"

#include "common/Paths.h"

std::vector<std::wstring> InfListNames(std::wstring list) {
    return installcore::InfListNames(std::move(list));
}

bool IsInfDirectiveGiven(const std::wstring& value) {
    return installcore::IsInfDirectiveGiven(value);
}

std::optional<std::wstring> MapInfDirectory(const std::wstring& spec,
                                            const std::wstring& sourceRoot,
                                            const SystemLayout& layout) {
    return installcore::MapInfDirectory(spec, sourceRoot, layout.WindowsDir());
}

std::wstring DefaultInfTargetDir(const SystemLayout& layout) {
    return JoinPath(layout.WindowsDir(), L"System");
}

bool IsInfFileName(const std::wstring& name) {
    return installcore::IsInfFileName(name);
}

std::wstring CompressedName(const std::wstring& name) {
    return installcore::CompressedName(name);
}

bool IsInfComment(const std::wstring& line) {
    return installcore::IsInfComment(line);
}

std::wstring TakeInfField(std::wstring& rest) {
    return installcore::TakeInfField(rest);
}

std::wstring LastInfField(const std::wstring& rest) {
    return installcore::LastInfField(rest);
}

InfRegLine ParseInfRegLine(std::wstring line) {
    return installcore::ParseInfRegLine(std::move(line));
}

HKEY InfRegistryRoot(const std::wstring& root) {
    switch (installcore::InfRegistryRootOf(root)) {
    case installcore::InfRegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case installcore::InfRegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case installcore::InfRegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case installcore::InfRegistryRoot::Users:
        return HKEY_USERS;
    case installcore::InfRegistryRoot::CurrentConfig:
        return HKEY_CURRENT_CONFIG;
    case installcore::InfRegistryRoot::None:
        break;
    }
    return nullptr;
}

int InfRegFlags(const std::wstring& flags) {
    return installcore::InfRegFlags(flags);
}

bool IsReservedValueName(const std::wstring& valueName) {
    return installcore::IsReservedValueName(valueName);
}

InfIniLine ParseInfIniLine(std::wstring line) {
    return installcore::ParseInfIniLine(std::move(line));
}

std::optional<std::wstring> InfIniPath(const std::wstring& iniName, const SystemLayout& layout) {
    return installcore::InfIniPath(iniName, layout.WindowsDir());
}
