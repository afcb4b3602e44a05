#include "install/InfRules.h"

#include "common/Paths.h"
#include "common/SafeNames.h"
#include "common/StringHelpers.h"

namespace {

std::wstring Unquoted(std::wstring field) {
    if (!field.empty() && field.front() == L'"') {
        field.erase(0, 1);
        if (!field.empty())
            field.pop_back();
    }
    return field;
}

std::wstring DirectoryOfId(const std::wstring& id, const std::wstring& sourceRoot,
                           const SystemLayout& layout) {
    if (id == L"100")
        return sourceRoot;
    if (id == L"10")
        return layout.WindowsDir();
    if (id == L"11")
        return JoinPath(layout.WindowsDir(), L"SYSTEM");
    if (id == L"17")
        return JoinPath(layout.WindowsDir(), L"INF");
    if (id == L"13")
        return JoinPath(layout.WindowsDir(), L"COMMAND");
    return L"C:\\";
}

} // namespace

std::vector<std::wstring> InfListNames(std::wstring list) {
    std::vector<std::wstring> names;
    while (!list.empty()) {
        std::wstring name = TrimBlanks(SplitFirst(list, L','));
        if (!name.empty())
            names.push_back(std::move(name));
    }
    return names;
}

bool IsInfDirectiveGiven(const std::wstring& value) {
    return value != L"none";
}

std::optional<std::wstring> MapInfDirectory(const std::wstring& spec,
                                            const std::wstring& sourceRoot,
                                            const SystemLayout& layout) {
    std::wstring subdirectory = spec;
    const std::wstring id = SplitFirst(subdirectory, L',');
    subdirectory = TrimBlanks(subdirectory);
    if (!subdirectory.empty() && subdirectory.front() == L'"')
        subdirectory = TrimBlanks(Unquoted(subdirectory));
    const std::wstring base = DirectoryOfId(id, sourceRoot, layout);
    // Without a source root, id 100 would name the current directory.
    if (base.empty())
        return std::nullopt;
    if (subdirectory.empty())
        return base;
    if (!IsSafeRelativePath(subdirectory))
        return std::nullopt;
    return JoinPath(base, subdirectory);
}

std::wstring DefaultInfTargetDir(const SystemLayout& layout) {
    return JoinPath(layout.WindowsDir(), L"System");
}

bool IsInfFileName(const std::wstring& name) {
    return IsSafeName(name);
}

std::wstring CompressedName(const std::wstring& name) {
    if (name.empty())
        return name;
    return name.substr(0, name.size() - 1) + L"_";
}

bool IsInfComment(const std::wstring& line) {
    return !line.empty() && line.front() == L';';
}

std::wstring TakeInfField(std::wstring& rest) {
    return Unquoted(TrimBlanks(SplitFirst(rest, L',')));
}

std::wstring LastInfField(const std::wstring& rest) {
    return Unquoted(TrimBlanks(rest));
}

InfRegLine ParseInfRegLine(std::wstring line) {
    InfRegLine reg;
    reg.root = TakeInfField(line);
    reg.subkey = TakeInfField(line);
    reg.valueName = TakeInfField(line);
    reg.flags = TakeInfField(line);
    reg.value = LastInfField(line);
    return reg;
}

HKEY InfRegistryRoot(const std::wstring& root) {
    const struct {
        const wchar_t* text;
        HKEY key;
    } roots[] = {
        {L"HKCR", HKEY_CLASSES_ROOT}, {L"HKCU", HKEY_CURRENT_USER},   {L"HKLM", HKEY_LOCAL_MACHINE},
        {L"HKU", HKEY_USERS},         {L"HKCC", HKEY_CURRENT_CONFIG},
    };
    for (const auto& r : roots) {
        if (root == r.text)
            return r.key;
    }
    return nullptr;
}

int InfRegFlags(const std::wstring& flags) {
    size_t i = 0;
    const bool negative = i < flags.size() && flags[i] == L'-';
    if (i < flags.size() && (flags[i] == L'-' || flags[i] == L'+'))
        ++i;
    long long value = 0;
    for (; i < flags.size() && flags[i] >= L'0' && flags[i] <= L'9'; ++i) {
        // Any number that does not fit is not 0, which is all that matters.
        if (value < 0x7FFFFFFF)
            value = value * 10 + (flags[i] - L'0');
    }
    if (value > 0x7FFFFFFF)
        value = 0x7FFFFFFF;
    return static_cast<int>(negative ? -value : value);
}

bool IsReservedValueName(const std::wstring& valueName) {
    return valueName == L"Bundle Configuration";
}

InfIniLine ParseInfIniLine(std::wstring line) {
    InfIniLine ini;
    ini.iniName = TakeInfField(line);
    ini.section = TakeInfField(line);
    ini.oldEntry = TakeInfField(line);
    ini.newEntry = LastInfField(line);
    return ini;
}

std::optional<std::wstring> InfIniPath(const std::wstring& iniName, const SystemLayout& layout) {
    if (!IsSafeRelativePath(iniName))
        return std::nullopt;
    return JoinPath(layout.WindowsDir(), iniName);
}
