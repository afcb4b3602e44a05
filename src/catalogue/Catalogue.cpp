#include "catalogue/Catalogue.h"

#include "catalogue/CatalogueRules.h"
#include "catalogue/core/CatalogueCoreRules.h"
#include "common/CurrentDir.h"
#include "common/FileFind.h"
#include "common/IniReader.h"
#include "common/PrivateProfile.h"
#include "common/SafeNames.h"
#include "common/StringHelpers.h"
#include "common/TextCase.h"
#include "common/core/StringRules.h"

namespace {
using cataloguecore::kLastNumberedKey;

std::wstring NumberedKey(const char* stem, int number) {
    return textcore::NumberedKey<std::wstring>(stem, number);
}

std::wstring DtaDir(const CatalogueKind& kind, const SourceDirs& dirs) {
    return dirs.*kind.itemDir + L"\\DTA";
}
} // namespace

bool IsInstallAllMode(const std::wstring& settingsFile) {
    const std::wstring value = ProfileString(L"Quorvane", L"AutoExec", L"none", settingsFile);
    return textcore::LowerAsciiLetters(value) == L"on";
}

std::vector<std::wstring> ReadExclusions() {
    std::vector<std::wstring> exclusions;
    for (int i = 1; i <= kLastNumberedKey; ++i) {
        std::wstring value =
            ProfileString(L"Exclude", NumberedKey("Exclude", i), L"none", InstallIniPath());
        if (!value.empty() && value != L"none")
            exclusions.push_back(std::move(value));
    }
    return exclusions;
}

std::vector<CatalogueEntry> ListDescriptionFiles(const CatalogueKind& kind, const SourceDirs& dirs,
                                                 const std::vector<std::wstring>& exclusions) {
    std::vector<CatalogueEntry> entries;
    if (dirs.root.empty())
        return entries;
    ForEachEntry(DtaDir(kind, dirs), [&](const CFileFind& find) {
        // The extension test works on the lower-case path, so WORD.DTA counts too.
        const std::wstring path = MakeLower(find.GetFilePath());
        if (!cataloguecore::IsDescriptionFilePath(path, MakeLower) ||
            FindExcluded(exclusions, find.GetFileName()) != -1)
            return;
        std::wstring description;
        GetIniValue(kind.itemSection, L"Description", L"none", description, path);
        if (description != L"none")
            entries.push_back({description, FileNameOf(path)});
    });
    return entries;
}

std::vector<CatalogueEntry> ListConfiguredFiles(const CatalogueKind& kind, const SourceDirs& dirs,
                                                const std::vector<std::wstring>& exclusions) {
    std::vector<CatalogueEntry> entries;
    if (dirs.root.empty())
        return entries;
    for (int i = 1; i <= kLastNumberedKey; ++i) {
        const std::wstring name = ProfileString(kind.installAllSection, NumberedKey("DtaFile", i),
                                                L"none", InstallIniPath());
        if (name == L"none" || !IsSafeRelativePath(name) || FindExcluded(exclusions, name) != -1)
            continue;
        const std::wstring description = ProfileString(kind.itemSection, L"Description", L"none",
                                                       DescriptionFilePath(kind, dirs, name));
        if (description != L"none")
            entries.push_back({description, FileNameOf(name)});
    }
    return entries;
}

std::wstring DescriptionFilePath(const CatalogueKind& kind, const SourceDirs& dirs,
                                 const std::wstring& name) {
    return DtaDir(kind, dirs) + L"\\" + name;
}
