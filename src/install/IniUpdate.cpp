#include "install/IniUpdate.h"

#include "archive/ArchiveError.h"
#include "archive/StagedFile.h"
#include "common/PrivateProfile.h"
#include "common/StringHelpers.h"
#include "common/TextConversion.h"
#include "framework/RegKey.h"

#include <windows.h>

namespace {

const wchar_t kMappingKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\";

bool IsCommentOrBlank(const std::wstring& line) {
    const std::wstring trimmed = TrimBlanks(line);
    return trimmed.empty() || trimmed.front() == L';';
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return ::lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

// The section a header line names, or nothing when the line is no header.
std::optional<std::wstring> HeaderName(const std::wstring& line) {
    const std::wstring trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() != L'[')
        return std::nullopt;
    const size_t close = trimmed.find(L']');
    return TrimBlanks(
        trimmed.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
}

bool IsHeaderOf(const std::wstring& line, const std::wstring& section) {
    const std::optional<std::wstring> name = HeaderName(line);
    return name && SameName(*name, section);
}

// The file's text split at line feeds: where each line starts, and the line without its
// break. A unit is one byte (ANSI) or two (UTF-16LE).
struct SplitText {
    bool utf16 = false;
    size_t contentStart = 0;
    std::vector<size_t> starts;
    std::vector<std::wstring> lines;
    bool endsWithBreak = true;
};

std::wstring DecodeLine(const std::string& bytes, size_t from, size_t to, bool utf16) {
    if (!utf16)
        return ToWide(DecodeAnsi(std::string_view(bytes).substr(from, to - from)));
    std::wstring line;
    for (size_t i = from; i + 1 < to; i += 2)
        line += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    return line;
}

SplitText Split(const std::string& bytes) {
    SplitText text;
    text.utf16 = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
    text.contentStart = text.utf16 ? 2 : 0;
    const size_t unit = text.utf16 ? 2 : 1;
    auto isLineFeed = [&](size_t at) {
        return bytes[at] == '\n' && (!text.utf16 || bytes[at + 1] == '\0');
    };
    size_t start = text.contentStart;
    const size_t end = text.contentStart + (bytes.size() - text.contentStart) / unit * unit;
    for (size_t at = start; at < end; at += unit) {
        if (!isLineFeed(at))
            continue;
        std::wstring line = DecodeLine(bytes, start, at, text.utf16);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        text.starts.push_back(start);
        text.lines.push_back(std::move(line));
        start = at + unit;
    }
    if (start < bytes.size()) {
        text.starts.push_back(start);
        text.lines.push_back(DecodeLine(bytes, start, bytes.size(), text.utf16));
        text.endsWithBreak = false;
    }
    return text;
}

std::string Encode(const std::wstring& text, bool utf16) {
    if (utf16) {
        std::string bytes;
        for (wchar_t ch : text) {
            bytes += static_cast<char>(ch & 0xFF);
            bytes += static_cast<char>(ch >> 8 & 0xFF);
        }
        return bytes;
    }
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes, bool& missing) {
    CArchiveFile file;
    missing = false;
    if (!file.OpenForReading(ToUtf16(path))) {
        missing = GetArchiveLastError() == ArchiveError::FileNotFound;
        return missing;
    }
    char block[16384];
    std::uint32_t done = 0;
    do {
        if (!file.Read(block, sizeof block, done))
            return false;
        bytes.append(block, done);
    } while (done == sizeof block);
    return true;
}

} // namespace

IniInsertion FindIniInsertion(const std::vector<std::wstring>& lines, const std::wstring& section) {
    size_t header = 0;
    while (header < lines.size() && !IsHeaderOf(lines[header], section))
        ++header;
    if (header == lines.size())
        return {lines.size(), true};
    IniInsertion insertion{header + 1, false};
    for (size_t at = header + 1; at < lines.size() && !HeaderName(lines[at]); ++at) {
        if (!IsCommentOrBlank(lines[at]))
            insertion.line = at + 1;
    }
    return insertion;
}

std::string InsertIniEntry(const std::string& bytes, const std::wstring& section,
                           const std::wstring& entry) {
    const SplitText text = Split(bytes);
    const IniInsertion insertion = FindIniInsertion(text.lines, section);
    std::wstring added = entry + L"\r\n";
    if (insertion.appendSection)
        added = L"[" + section + L"]\r\n" + added;
    size_t offset = bytes.size();
    if (insertion.line < text.starts.size())
        offset = text.starts[insertion.line];
    else if (!text.endsWithBreak)
        added = L"\r\n" + added;
    std::string result = bytes;
    result.insert(offset, Encode(added, text.utf16));
    return result;
}

bool AppendIniEntry(const std::wstring& iniPath, const std::wstring& section,
                    const std::wstring& entry) {
    std::string bytes;
    bool missing = false;
    if (!ReadWholeFile(iniPath, bytes, missing))
        return false;
    const std::string updated = InsertIniEntry(bytes, section, entry);
    CStagedFile staged(ToUtf16(iniPath));
    return staged.Create() &&
           staged.File().Write(updated.data(), static_cast<std::uint32_t>(updated.size())) &&
           staged.Commit();
}

bool IsRegistryMappedSection(const std::wstring& iniName, const std::wstring& section,
                             const std::optional<std::vector<std::wstring>>& mappingValues) {
    if (!mappingValues || iniName.find_first_of(L"\\/") != std::wstring::npos)
        return false;
    for (const std::wstring& name : *mappingValues) {
        if (name.empty() || SameName(name, section))
            return true;
    }
    return false;
}

std::optional<std::vector<std::wstring>> IniFileMappingValues(const std::wstring& iniName) {
    CRegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kMappingKey + iniName) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<std::wstring> names;
    std::wstring name;
    for (DWORD index = 0; key.EnumValue(index, name) == ERROR_SUCCESS; ++index)
        names.push_back(name);
    return names;
}

bool AppendMappedIniEntry(const std::wstring& iniPath, const std::wstring& section,
                          const std::wstring& entry) {
    std::wstring block;
    for (const std::wstring& line : ProfileSection(section, iniPath))
        block += line + L'\0';
    block += entry + L'\0';
    const bool written =
        ::WritePrivateProfileSectionW(section.c_str(), block.c_str(), iniPath.c_str()) != FALSE;
    // Flushes the platform's cache of the file; its result says nothing about the entry.
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, iniPath.c_str());
    return written;
}
