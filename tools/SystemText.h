#pragma once

#include <optional>
#include <string>
#include <vector>

// A text file of the recovery source read with the program's own rules: the text reader
// (common/core/TextReader.h: the UTF-16LE mark, else ANSI; lines end at a carriage return) and
// the system's INI reader (common/core/IniRules.h). ANSI text is read with the Windows-1252 code
// page, in place of the code page of the PC that runs the program.
class CSystemText {
public:
    explicit CSystemText(std::string bytes) : m_bytes(std::move(bytes)) {}

    struct Value {
        std::u16string text;
        int line = 0;
    };
    // The value GetIniValue finds, with its line; nothing when it finds none.
    std::optional<Value> IniValue(const std::u16string& section, const std::u16string& key) const;
    // The section's lines as GetIniSectionLines gives them.
    std::vector<std::u16string> SectionLines(const std::u16string& section) const;

    // Every line as the list readers read them, with its number, counted from 1.
    template <typename Visit> void ForEachLine(Visit visit) const {
        const std::vector<std::u16string> lines = Lines();
        for (size_t i = 0; i < lines.size(); ++i)
            visit(lines[i], static_cast<int>(i + 1));
    }
    std::vector<std::u16string> Lines() const;

    // Line feeds without any carriage return: the program reads the whole file as one line.
    bool HasLineFeedsOnly() const;

private:
    std::string m_bytes;
};
