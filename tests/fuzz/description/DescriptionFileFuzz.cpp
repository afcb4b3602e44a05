// Reads arbitrary bytes as a description file (X:\I386\APPS\DTA\WORD.DTA) or a script's settings,
// through the system's INI rules, with the keys that the catalogue, the installation run and the
// file operations read: [App] and [Drv] Description, SourceDir, Long_Time, Installation_Type,
// Exe_File, CmdLine, LaunchSetup, the INF files Exe_File1, Exe_File2 ... up to the first missing
// one, and [Bundle] or [App] Check_File_Warning and File_Version_Checking, whose version modes
// are read too. Besides the sanitizers' findings: a value found comes from a key line of that
// key and holds no ";", a value not found is left as it was, and the list of INF files ends.
#include "FuzzSupport.h"
#include "common/core/IniRules.h"
#include "install/core/ScriptLineRules.h"

#include <cstdint>
#include <string>

using fuzz::Contains;
using fuzz::Require;

namespace {

using Lines = std::vector<std::u16string>;

const char16_t* const kItemKeys[] = {u"Description",       u"SourceDir", u"Long_Time",
                                     u"Installation_Type", u"Exe_File",  u"CmdLine",
                                     u"LaunchSetup"};
const char16_t* const kScriptKeys[] = {u"Check_File_Warning", u"File_Version_Checking"};

struct DescriptionFile {
    std::string bytes;
    Lines lines = fuzz::TextFileLines(bytes);
};

// A line that sets the key: its name before the first "=", blanks and letter case of A to Z
// aside, and the value somewhere after it.
bool HasKeyLine(const Lines& lines, const std::u16string& key, const std::u16string& value) {
    for (const std::u16string& line : lines) {
        const size_t equals = line.find(u'=');
        if (equals == std::u16string::npos || line[0] == u';')
            continue;
        if (fuzz::Lower(textcore::TrimBlanks(line.substr(0, equals))) == fuzz::Lower(key) &&
            line.find(value, equals + 1) != std::u16string::npos)
            return true;
    }
    return false;
}

std::u16string ReadKey(const DescriptionFile& file, const std::u16string& section,
                       const std::u16string& key) {
    textcore::CMemoryByteSource source(file.bytes);
    textcore::CTextReader reader(textcore::DecodeWindows1252);
    reader.Open(&source);
    std::u16string value = u"none";
    if (textcore::FindIniValue(reader, section, key, value))
        Require(!Contains(value, u";") && HasKeyLine(file.lines, key, value));
    else
        Require(value == u"none");
    return value;
}

// Exe_File1, Exe_File2 ... up to the first that reads "none"; each is a different key line.
void ReadInfFiles(const DescriptionFile& file, const std::u16string& section) {
    for (size_t i = 1;; ++i) {
        const std::u16string key = u"Exe_File" + textcore::DecodeWindows1252(std::to_string(i));
        if (ReadKey(file, section, key) == u"none")
            return;
        Require(i < file.lines.size());
    }
}

void CheckVersionSetting(const std::u16string& setting) {
    const int copy = installcore::CopyVersionMode(setting, fuzz::LeadingNumber);
    const int extract = installcore::ExtractVersionMode(setting, fuzz::LeadingNumber);
    if (setting == u"none")
        Require(copy == installcore::VersionReplaceOlder && extract == installcore::VersionAsk);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DescriptionFile file{std::string(reinterpret_cast<const char*>(data), size)};
    for (const std::u16string section : {u"App", u"Drv"}) {
        for (const char16_t* key : kItemKeys)
            ReadKey(file, section, key);
        ReadInfFiles(file, section);
    }
    for (const char16_t* key : kScriptKeys) {
        std::u16string value = ReadKey(file, u"Bundle", key);
        if (value == u"none")
            value = ReadKey(file, u"App", key);
        CheckVersionSetting(value);
    }
    return 0;
}
