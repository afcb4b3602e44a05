#pragma once

#include <optional>
#include <string>
#include <vector>

// Appending an entry to a section of an INI file by editing the file's text: every other line
// stays as it was (comments and lines without "=" included), and so do the encoding (ANSI, or
// UTF-16LE with its mark) and the line breaks. Rewriting the section through the platform's
// profile functions would drop comments and lines without "=", and cut long sections.

// Where the entry goes among the file's lines.
struct IniInsertion {
    size_t line = 0;            // inserted before this line (the count of lines: at the end)
    bool appendSection = false; // the section is missing and is appended with its header
};

// The section is the first whose header names it, compared without regard to case, blanks
// around the brackets and the name tolerated. The entry follows the section's last line that
// is neither blank nor a comment, or its header when it has none.
IniInsertion FindIniInsertion(const std::vector<std::wstring>& lines, const std::wstring& section);

// The file's bytes with the entry inserted. Lines end at line feeds; new lines end with a
// carriage return and a line feed. An empty file gets the section in ANSI.
std::string InsertIniEntry(const std::string& bytes, const std::wstring& section,
                           const std::wstring& entry);

// Appends the entry to the section of the INI file, creating the file when it is missing. The
// new text goes to a temporary file that then replaces the INI, so a failure leaves the INI as
// it was. True when the INI holds the entry.
bool AppendIniEntry(const std::wstring& iniPath, const std::wstring& section,
                    const std::wstring& entry);

// Sections that the platform keeps in the registry (IniFileMapping) are never read from the
// file, so their entries must go through the platform's profile functions. `mappingValues` are
// the value names of the file's mapping key, nothing when there is no key; an empty name (the
// key's default value) maps every section. Only files directly in the Windows directory are
// mapped.
bool IsRegistryMappedSection(const std::wstring& iniName, const std::wstring& section,
                             const std::optional<std::vector<std::wstring>>& mappingValues);

// The value names of the mapping key of an INI file name, nothing when it has none.
std::optional<std::vector<std::wstring>> IniFileMappingValues(const std::wstring& iniName);

// Appends the entry to a mapped section through the profile functions: the section is read,
// the entry added as its last line, and the section written back whole.
bool AppendMappedIniEntry(const std::wstring& iniPath, const std::wstring& section,
                          const std::wstring& entry);
