// One INF file of an item: its install section and the sections and files its directives name,
// read as the platform's profile functions read them.
#include "tools/SourceCheck.h"

#include "common/core/StringRules.h"
#include "install/core/InfLineRules.h"

namespace {

using Line = CProfileApproximation::Line;

// Directory id 100 stands for the source root; the checker gives it a drive of its own, so that
// a directory on the source tells itself from one on the PC (ids 10 to 17 and C:\ all lie on C:).
const std::u16string kSourceRoot = u"S:\\";
const std::u16string kWindowsDir = u"C:\\WINDOWS";

class CInfCheck {
public:
    CInfCheck(CSourceCheck& check, std::u16string file, CProfileApproximation inf,
              std::u16string itemSection)
        : m_check(check), m_file(std::move(file)), m_inf(std::move(inf)),
          m_itemSection(std::move(itemSection)) {}

    void Run(const std::u16string& installSection) {
        if (!m_inf.Section(installSection)) {
            Problem(0, "inf-section",
                    "the install section [" + Utf8(installSection) +
                        "] (the first eight characters of the file name) is missing: nothing is "
                        "carried out");
            return;
        }
        ForEachListed(installSection, u"CopyFiles", &CInfCheck::CheckFileList);
        ForEachListed(installSection, u"AddReg", &CInfCheck::CheckAddReg);
        ForEachListed(installSection, u"UpdateInis", &CInfCheck::CheckUpdateInis);
    }

private:
    void Problem(int line, const char* check, const std::string& text) {
        m_check.Problem(m_file, line, check, text);
    }

    void ForEachListed(const std::u16string& installSection, const char16_t* directive,
                       void (CInfCheck::*check)(const std::u16string&, const std::vector<Line>&)) {
        const std::optional<Line> list = m_inf.Value(installSection, directive);
        if (!list || !installcore::IsInfDirectiveGiven(list->text))
            return;
        for (const std::u16string& name : installcore::InfListNames(list->text)) {
            if (const std::optional<std::vector<Line>> lines = m_inf.Section(name))
                (this->*check)(name, *lines);
            else
                Problem(list->number, "inf-section",
                        Utf8(directive) + " names the section [" + Utf8(name) +
                            "], which is missing");
        }
    }

    void CheckFileList(const std::u16string& section, const std::vector<Line>& lines) {
        const std::optional<Line> destination = m_inf.Value(u"DestinationDirs", section);
        std::optional<std::u16string> directory;
        if (destination && installcore::IsInfDirectiveGiven(destination->text)) {
            directory = installcore::MapInfDirectory(destination->text, kSourceRoot, kWindowsDir);
            if (!directory)
                Problem(destination->number, "inf-unsafe",
                        "the target directory of [" + Utf8(section) +
                            "] is refused (not a relative path of safe names): its files are "
                            "passed over");
        }
        // Files copied into the bundle directory are scripts the bundle pass applies.
        const bool bundles = directory && IsBundleDirectory(*directory, kWindowsDir);
        for (const Line& line : lines)
            CheckListedFile(line, bundles);
    }

    void CheckListedFile(const Line& line, bool bundle) {
        const std::u16string& name = line.text;
        if (!installcore::IsInfFileName(name)) {
            Problem(line.number, "inf-unsafe",
                    Utf8(name) + " is not a plain file name: passed over");
            return;
        }
        const std::optional<Line> source = m_inf.Value(u"SourceDisksFiles", name);
        if (!source) {
            Problem(line.number, "inf-source",
                    Utf8(name) +
                        " has no SourceDisksFiles entry: the program looks for it in C:\\");
            return;
        }
        const std::optional<std::u16string> directory =
            installcore::MapInfDirectory(source->text, kSourceRoot, kWindowsDir);
        if (!directory) {
            Problem(source->number, "inf-unsafe",
                    "the source directory of " + Utf8(name) +
                        " is refused (not a relative path of safe names): passed over");
            return;
        }
        if (!directory->starts_with(kSourceRoot))
            return; // a file of the PC itself
        const std::u16string onSource = directory->substr(kSourceRoot.size());
        const std::u16string plain = JoinSourcePath(onSource, name);
        const std::u16string compressed =
            JoinSourcePath(onSource, installcore::CompressedName(name));
        const bool plainExists = m_check.Tree().IsFile(plain);
        if (!plainExists && !m_check.Tree().IsFile(compressed))
            Problem(line.number, bundle ? "script-missing" : "inf-source",
                    "neither " + Utf8(plain) + " nor " + Utf8(compressed) + " exists" +
                        (bundle ? ": the bundle script never reaches the bundle directory" : ""));
        else if (bundle)
            CheckBundleScript(m_check, plainExists ? plain : compressed, name, !plainExists,
                              m_itemSection);
    }

    void CheckAddReg(const std::u16string&, const std::vector<Line>& lines) {
        for (const Line& line : lines) {
            const auto reg = installcore::ParseInfRegLine(line.text);
            if (installcore::InfRegistryRootOf(reg.root) == installcore::InfRegistryRoot::None ||
                installcore::IsReservedValueName(reg.valueName) ||
                installcore::InfRegFlags(reg.flags) != 0)
                Problem(line.number, "inf-registry",
                        "the registry line is passed over (unknown root, reserved value name or "
                        "flags other than 0)");
        }
    }

    void CheckUpdateInis(const std::u16string&, const std::vector<Line>& lines) {
        for (const Line& line : lines) {
            const auto ini = installcore::ParseInfIniLine(line.text);
            if (!installcore::InfIniPath(ini.iniName, kWindowsDir))
                Problem(line.number, "inf-unsafe",
                        "the INI file " + Utf8(ini.iniName) +
                            " is not a relative path of safe names: the line is passed over");
        }
    }

    CSourceCheck& m_check;
    std::u16string m_file;
    CProfileApproximation m_inf;
    std::u16string m_itemSection;
};

} // namespace

void CheckInfFile(CSourceCheck& check, const std::u16string& infFile,
                  const std::u16string& installSection, const std::u16string& itemSection) {
    if (std::optional<CProfileApproximation> inf = check.ReadProfile(infFile))
        CInfCheck(check, infFile, std::move(*inf), itemSection).Run(installSection);
}
