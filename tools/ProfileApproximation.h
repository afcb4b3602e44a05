#pragma once

#include <optional>
#include <string>
#include <vector>

// What the program reads through the platform's private-profile functions
// (GetPrivateProfileStringW, GetPrivateProfileSectionW): Install.ini's numbered lists and
// [ExcludePath], INF directives, DestinationDirs, SourceDisksFiles and file-list sections.
//
// Where those functions are missing (the native build), and for line numbers everywhere, this
// approximates them, following what the program relies on: UTF-16LE files with their byte-order
// mark, ANSI files otherwise (Windows-1252); lines end at a carriage return, a line feed or both;
// a section starts at the first line "[name]" (blanks around it and its name ignored, letters A
// to Z compared without case); key and value are trimmed, text after ";" is kept and one pair of
// enclosing double quotes is dropped; a section's lines leave out blank lines and comments
// (";" first) and turn "k = v" into "k=v". Values are not cut at 254 characters.
class CProfileApproximation {
public:
    explicit CProfileApproximation(const std::string& bytes);

    struct Line {
        std::u16string text;
        int number = 0;
    };
    // The value of a key, with its line; nothing when the section or key is missing.
    std::optional<Line> Value(const std::u16string& section, const std::u16string& key) const;
    // The value, or `def`.
    std::u16string ValueOr(const std::u16string& section, const std::u16string& key,
                           const std::u16string& def) const;
    // The lines of a section; nothing when the section is missing.
    std::optional<std::vector<Line>> Section(const std::u16string& section) const;

private:
    struct SectionLines {
        std::u16string name;
        std::vector<Line> lines; // as the section reader gives them
    };
    const SectionLines* Find(const std::u16string& section) const;

    std::vector<SectionLines> m_sections;
};
