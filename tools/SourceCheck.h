#pragma once

#include "tools/ProfileApproximation.h"
#include "tools/SourceReport.h"
#include "tools/SourceTree.h"
#include "tools/SystemText.h"

#include <functional>
#include <optional>
#include <string>

// One check of a recovery source: the source's files, the configuration the program reads beside
// it (Install.ini) and the problems found so far. The checks read what the program reads, with
// the program's rules, and report what the program would skip, refuse or not find.
class CSourceCheck {
public:
    CSourceCheck(CSourceTree tree, CSourceReport& report)
        : m_tree(std::move(tree)), m_report(report) {}

    const CSourceTree& Tree() const { return m_tree; }

    // Install.ini, read once; without one, every setting reads as missing.
    void SetInstallIni(std::string displayName, const std::string& bytes);
    bool HasInstallIni() const { return m_bHasInstallIni; }
    const std::string& InstallIniName() const { return m_strInstallIniName; }
    // Install.ini as the program's own reader reads it (empty text without one).
    const CSystemText& InstallIni() const { return m_installIni; }
    // Install.ini as the platform's profile functions read it.
    const CProfileApproximation& InstallProfile() const { return m_installProfile; }

    // A problem in a file of the source (relative path) or in Install.ini.
    void Problem(const std::u16string& file, int line, const char* check, const std::string& text);
    void InstallIniProblem(int line, const char* check, const std::string& text);

    // A text file of the source that the program reads with its own reader; nothing (and a
    // problem reported) when it cannot be read or reads as one line. Line breaks that the reader
    // cannot use are reported.
    std::optional<CSystemText> ReadSystemText(const std::u16string& file);
    // A file of the source that the program reads through the profile functions.
    std::optional<CProfileApproximation> ReadProfile(const std::u16string& file);
    // The bytes of a file of the source; nothing (and a problem reported) when it cannot be read.
    std::optional<std::string> ReadBytes(const std::u16string& file);

private:
    CSourceTree m_tree;
    CSourceReport& m_report;
    std::string m_strInstallIniName;
    bool m_bHasInstallIni = false;
    CSystemText m_installIni{std::string()};
    CProfileApproximation m_installProfile{std::string()};
};

// Reports the line-break faults of a file the program's own reader reads: line feeds only (the
// file reads as one line), and a key line last without a line break (its value is never found).
using ProblemAt = std::function<void(int line, const char* check, const std::string& text)>;
void CheckLineBreaks(const CSystemText& text, const ProblemAt& problem);

// The application and driver catalogues: their description files and what the items install.
void CheckCatalogues(CSourceCheck& check);
// One INF file of an item, carried out with `installSection`; `itemSection` is the section of the
// item's description file ("App" or "Drv").
void CheckInfFile(CSourceCheck& check, const std::u16string& infFile,
                  const std::u16string& installSection, const std::u16string& itemSection);
// The Windows directory's bundle directory (`windowsDir` + "\INF\ASM"), in any letter case.
bool IsBundleDirectory(const std::u16string& directory, const std::u16string& windowsDir);
// A bundle script of the source (`file`, compressed in SZDD when `compressed`) that an INF file
// copies into the bundle directory as `name`, whose extension tells its kind.
void CheckBundleScript(CSourceCheck& check, const std::u16string& file, const std::u16string& name,
                       bool compressed, const std::u16string& itemSection);
// A container of the source, every entry inflated and checked: what cannot be read, damaged
// entries and unsafe names.
void CheckContainerFile(CSourceCheck& check, const std::u16string& file);
// The file restore: containers, the lists ALL.W32 and WINDOWS.W32, and [ExcludePath].
void CheckRestoreSources(CSourceCheck& check);
