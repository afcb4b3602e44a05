#include "tools/SourceCheck.h"

#include "common/core/StringRules.h"

void CSourceCheck::SetInstallIni(std::string displayName, const std::string& bytes) {
    m_strInstallIniName = std::move(displayName);
    m_bHasInstallIni = true;
    m_installIni = CSystemText(bytes);
    m_installProfile = CProfileApproximation(bytes);
}

void CSourceCheck::Problem(const std::u16string& file, int line, const char* check,
                           const std::string& text) {
    m_report.Add(Utf8(file), line, check, text);
}

void CSourceCheck::InstallIniProblem(int line, const char* check, const std::string& text) {
    m_report.Add(m_strInstallIniName, line, check, text);
}

std::optional<std::string> CSourceCheck::ReadBytes(const std::u16string& file) {
    const std::optional<std::filesystem::path> path = m_tree.Find(file);
    std::optional<std::string> bytes = path ? ReadFileBytes(*path) : std::nullopt;
    if (!bytes)
        Problem(file, 0, "unreadable", "the file cannot be read");
    return bytes;
}

std::optional<CSystemText> CSourceCheck::ReadSystemText(const std::u16string& file) {
    const std::optional<std::string> bytes = ReadBytes(file);
    if (!bytes)
        return std::nullopt;
    CSystemText text(*bytes);
    CheckLineBreaks(text, [&](int line, const char* check, const std::string& message) {
        Problem(file, line, check, message);
    });
    // Read as one line, the file says nothing more worth checking.
    if (text.HasLineFeedsOnly())
        return std::nullopt;
    return text;
}

std::optional<CProfileApproximation> CSourceCheck::ReadProfile(const std::u16string& file) {
    const std::optional<std::string> bytes = ReadBytes(file);
    if (!bytes)
        return std::nullopt;
    return CProfileApproximation(*bytes);
}

void CheckLineBreaks(const CSystemText& text, const ProblemAt& problem) {
    if (text.HasLineFeedsOnly()) {
        problem(0, "line-breaks",
                "lines end with line feeds only: the program reads the whole file as one line");
        return;
    }
    // A last line with text has no line break after it, so the value lookup never sees it.
    const std::vector<std::u16string> lines = text.Lines();
    const std::u16string last = lines.empty() ? u"" : textcore::TrimBlanks(lines.back());
    if (last.find(u'=') != std::u16string::npos && last[0] != u';' && last[0] != u'[')
        problem(static_cast<int>(lines.size()), "last-line",
                "the last line has no line break after it: the program never reads its value");
}
