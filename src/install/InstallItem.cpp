#include "install/InstallItem.h"

#include "common/IniReader.h"
#include "common/TextCase.h"
#include "install/InstallRules.h"

namespace {
const wchar_t kNone[] = L"none";

std::wstring ReadKey(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const wchar_t* def = kNone) {
    std::wstring value;
    GetIniValue(section, key, def, value, file);
    return value;
}
} // namespace

InstallItem ReadInstallItem(const std::wstring& descriptionFile, const std::wstring& section) {
    InstallItem item;
    item.descriptionFile = descriptionFile;
    item.sourceDir = ReadKey(descriptionFile, section, L"SourceDir");
    item.longTime = MakeLower(ReadKey(descriptionFile, section, L"Long_Time", L"no")) == L"yes";
    item.installationType = ReadKey(descriptionFile, section, L"Installation_Type");
    item.exeFile = ReadKey(descriptionFile, section, L"Exe_File");
    item.cmdLine = ReadKey(descriptionFile, section, L"CmdLine");
    item.description = ReadKey(descriptionFile, section, L"Description");
    return item;
}

std::vector<std::wstring> ReadInfFiles(const InstallItem& item, const std::wstring& section) {
    std::vector<std::wstring> files;
    for (int i = 1;; ++i) {
        std::wstring value =
            ReadKey(item.descriptionFile, section, installcore::InfFileKey<std::wstring>(i));
        if (!IsGiven(value))
            return files;
        files.push_back(std::move(value));
    }
}
