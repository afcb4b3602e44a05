// The application and driver catalogues: every description file that the check-box mode lists,
// the files named by the install-all lists of Install.ini, and what each item installs.
#include "tools/SourceCheck.h"

#include "catalogue/core/CatalogueCoreRules.h"
#include "common/core/SafeNames.h"
#include "common/core/StringRules.h"
#include "install/core/InstallItemRules.h"

namespace {

using installcore::InstallationType;
using textcore::LowerAsciiLetters;

const std::u16string kI386 = u"I386";
const std::u16string kNone = u"none";

struct CatalogueKind {
    const char16_t* itemDir;           // below the source root
    const char16_t* itemSection;       // of the description files
    const char16_t* installAllSection; // of Install.ini, with DtaFile1 ... DtaFile99
};
const CatalogueKind kKinds[] = {{u"I386\\APPS", u"App", u"Data"}, {u"I386\\DRV", u"Drv", u"Drv"}};

// A key of the description file as the installation run reads it, "none" when missing.
struct Key {
    std::u16string value = kNone;
    int line = 0;
};

// One description file and the item it describes.
class CItemCheck {
public:
    CItemCheck(CSourceCheck& check, std::u16string file, const CSystemText& text,
               const std::u16string& section)
        : m_check(check), m_file(std::move(file)), m_text(text), m_section(section) {}

    void Run() {
        const Key description = Read(u"Description");
        if (!installcore::IsGiven(description.value)) {
            Problem(description.line, "description",
                    m_text.SectionLines(m_section).empty()
                        ? "no [" + Utf8(m_section) + "] section: the catalogue does not list it"
                        : "no Description: the catalogue does not list it");
            return;
        }
        const Key type = Read(u"Installation_Type");
        switch (installcore::InstallationTypeOf(type.value)) {
        case InstallationType::Setup:
            return CheckSetup();
        case InstallationType::Copy:
            CheckCopiedSourceDir();
            return;
        case InstallationType::Desktop:
            if (CheckCopiedSourceDir())
                CheckShortcutTarget();
            return;
        case InstallationType::Unknown:
            break;
        }
        Problem(type.line, "installation-type",
                (installcore::IsGiven(type.value)
                     ? "Installation_Type " + Utf8(type.value) + " is unknown"
                     : std::string("no Installation_Type")) +
                    ": only RunOnce\\Setup, RunOnce and Desktop install anything");
    }

private:
    Key Read(const char16_t* key) const {
        const std::optional<CSystemText::Value> value = m_text.IniValue(m_section, key);
        return value ? Key{value->text, value->line} : Key{};
    }
    void Problem(int line, const char* check, const std::string& text) {
        m_check.Problem(m_file, line, check, text);
    }

    // Where the item's files lie: below I386, as the run joins it.
    std::u16string ItemSourceDir(const Key& sourceDir) const {
        return JoinSourcePath(kI386, sourceDir.value);
    }

    // The run refuses an item whose SourceDir it would take files or a program from unless the
    // SourceDir is accepted; a copied item's directory must also exist.
    bool CheckSourceDir(const Key& sourceDir, const char* refused) {
        if (!installcore::IsGiven(sourceDir.value)) {
            Problem(0, "source-dir", std::string("no SourceDir: ") + refused);
            return false;
        }
        if (!installcore::IsAcceptedSourceDir(sourceDir.value)) {
            Problem(sourceDir.line, "source-dir",
                    "SourceDir " + Utf8(sourceDir.value) +
                        " is refused (not a relative path of safe names): " + refused);
            return false;
        }
        return true;
    }

    bool CheckCopiedSourceDir() {
        const Key sourceDir = Read(u"SourceDir");
        if (!CheckSourceDir(sourceDir, "nothing is copied"))
            return false;
        if (!m_check.Tree().IsDirectory(ItemSourceDir(sourceDir))) {
            Problem(sourceDir.line, "source-dir",
                    Utf8(ItemSourceDir(sourceDir)) + " does not exist: nothing is copied");
            return false;
        }
        return true;
    }

    // The shortcut points at Exe_File in the local copy of the item's files.
    void CheckShortcutTarget() {
        const Key exeFile = Read(u"Exe_File");
        const std::u16string program =
            JoinSourcePath(ItemSourceDir(Read(u"SourceDir")), exeFile.value);
        if (!installcore::IsGiven(exeFile.value))
            Problem(0, "exe-file", "no Exe_File: the desktop shortcut has no program");
        else if (!m_check.Tree().IsFile(program))
            Problem(exeFile.line, "exe-file",
                    Utf8(program) + " does not exist: the desktop shortcut points at nothing");
    }

    // A setup program inside the item's directory, or INF files when Exe_File names none.
    void CheckSetup() {
        const Key sourceDir = Read(u"SourceDir");
        const Key exeFile = Read(u"Exe_File");
        // A program given with its drive lies outside the source's tree as checked here.
        if (!installcore::TakesFromSourceDir(InstallationType::Setup, exeFile.value,
                                             LowerAsciiLetters<std::u16string>))
            return;
        // Without a SourceDir the setup looks in I386\none (or I386 itself for an empty one).
        if (installcore::IsRefusedSourceDir(InstallationType::Setup, exeFile.value, sourceDir.value,
                                            LowerAsciiLetters<std::u16string>))
            return (void)CheckSourceDir(sourceDir, "the item is not installed");
        if (!installcore::NamesSetupProgram(exeFile.value, LowerAsciiLetters<std::u16string>))
            return CheckInfFiles(sourceDir, exeFile);
        const std::u16string program = JoinSourcePath(ItemSourceDir(sourceDir), exeFile.value);
        if (!m_check.Tree().IsFile(program))
            Problem(exeFile.line, "exe-file",
                    Utf8(program) + " does not exist: the setup cannot be started");
    }

    void CheckInfFiles(const Key& sourceDir, const Key& exeFile) {
        bool any = false;
        for (int i = 1;; ++i) {
            const Key inf = Read(installcore::InfFileKey<std::u16string>(i).c_str());
            if (!installcore::IsGiven(inf.value))
                break;
            any = true;
            const std::u16string path = JoinSourcePath(ItemSourceDir(sourceDir), inf.value);
            if (!textcore::IsSafeRelativePath(inf.value))
                Problem(inf.line, "inf-file",
                        "INF file " + Utf8(inf.value) +
                            " is not a relative path of safe names: it leads out of the item's "
                            "directory");
            else if (!m_check.Tree().IsFile(path))
                Problem(inf.line, "inf-file",
                        Utf8(path) + " does not exist: the program asks the operator for it");
            else
                CheckInfFile(m_check, path, installcore::InfInstallSection(path), m_section);
        }
        if (!any)
            Problem(exeFile.line, "inf-file",
                    "Exe_File " + Utf8(exeFile.value) +
                        " names no program (.exe) and there is no Exe_File1: the item installs "
                        "nothing");
    }

    CSourceCheck& m_check;
    std::u16string m_file;
    const CSystemText& m_text;
    std::u16string m_section;
};

std::vector<std::u16string> ReadExclusions(const CSourceCheck& check) {
    std::vector<std::u16string> exclusions;
    for (int i = 1; i <= cataloguecore::kLastNumberedKey; ++i) {
        std::u16string value = check.InstallProfile().ValueOr(
            u"Exclude", textcore::NumberedKey<std::u16string>("Exclude", i), kNone);
        if (!value.empty() && value != kNone)
            exclusions.push_back(std::move(value));
    }
    return exclusions;
}

bool IsExcluded(const std::vector<std::u16string>& exclusions, const std::u16string& name) {
    // Folding both sides to lower case matches exactly what folding them to upper case does.
    return cataloguecore::FindExcluded(exclusions, name, LowerAsciiLetters<std::u16string>) != -1;
}

// Check-box mode: every description file of the DTA folder, unless excluded.
void CheckDescriptionFiles(CSourceCheck& check, const CatalogueKind& kind,
                           const std::vector<std::u16string>& exclusions) {
    const std::u16string dta = JoinSourcePath(kind.itemDir, u"DTA");
    if (!check.Tree().IsDirectory(dta)) {
        check.Problem(kind.itemDir, 0, "catalogue", "no DTA folder: the catalogue is empty");
        return;
    }
    for (const std::u16string& name : check.Tree().Entries(dta)) {
        const std::u16string file = JoinSourcePath(dta, name);
        if (!cataloguecore::IsDescriptionFilePath(file, LowerAsciiLetters<std::u16string>) ||
            IsExcluded(exclusions, name) || !check.Tree().IsFile(file))
            continue;
        if (const std::optional<CSystemText> text = check.ReadSystemText(file))
            CItemCheck(check, file, *text, kind.itemSection).Run();
    }
}

// Install-all mode: the description files that Install.ini lists must exist.
void CheckInstallAllList(CSourceCheck& check, const CatalogueKind& kind,
                         const std::vector<std::u16string>& exclusions) {
    for (int i = 1; i <= cataloguecore::kLastNumberedKey; ++i) {
        const std::u16string key = textcore::NumberedKey<std::u16string>("DtaFile", i);
        const std::optional<CProfileApproximation::Line> name =
            check.InstallProfile().Value(kind.installAllSection, key);
        if (!name || name->text == kNone)
            continue;
        const std::u16string file =
            JoinSourcePath(JoinSourcePath(kind.itemDir, u"DTA"), name->text);
        if (!textcore::IsSafeRelativePath(name->text))
            check.InstallIniProblem(name->number, "dta-file",
                                    Utf8(key) + " " + Utf8(name->text) +
                                        " is not a relative path of safe names: passed over");
        else if (!IsExcluded(exclusions, name->text) && !check.Tree().IsFile(file))
            check.InstallIniProblem(name->number, "dta-file",
                                    Utf8(key) + " names " + Utf8(file) +
                                        ", which does not exist: the install-all list omits it");
    }
}

} // namespace

void CheckCatalogues(CSourceCheck& check) {
    const std::vector<std::u16string> exclusions = ReadExclusions(check);
    for (const CatalogueKind& kind : kKinds) {
        // A source without the item directory offers no such items; that is no fault.
        if (!check.Tree().IsDirectory(kind.itemDir))
            continue;
        CheckDescriptionFiles(check, kind, exclusions);
        CheckInstallAllList(check, kind, exclusions);
    }
}
