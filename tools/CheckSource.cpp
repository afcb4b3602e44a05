#include "tools/CheckSource.h"

#include "archive/ArchiveText.h"
#include "common/core/StringRules.h"
#include "tools/SourceCheck.h"

#include <filesystem>
#include <ostream>

namespace fs = std::filesystem;

const char* const CheckSourceUsage =
    "inptool check-source ROOT [--install-ini FILE] [--json]\n"
    "  Checks the recovery source ROOT (the root of the recovery partition or CD) as the program\n"
    "  reads it: Master.log and its language, the description files of I386\\APPS\\DTA and\n"
    "  I386\\DRV\\DTA with the setup programs, source directories and INF files they name, the\n"
    "  containers (every entry inflated) and the lists ALL.W32 and WINDOWS.W32 of PRELOAD and\n"
    "  CD0..CD25\\PRELOAD with the compressed files of I386, and [ExcludePath].\n"
    "  Install.ini is the program's configuration, which lies beside the program, not on the\n"
    "  source: give it with --install-ini; without it, Install.ini of the current directory is\n"
    "  read, as the program does.\n"
    "  Approximated: file names are found without regard to the case of A to Z (Windows folds\n"
    "  other letters too); what the program reads through the Windows profile functions (INF\n"
    "  files, Install.ini's lists and [ExcludePath]) is read with their rules as the program\n"
    "  relies on them; ANSI text is read as Windows-1252.\n"
    "  Prints one line per problem, FILE:LINE: CHECK: MESSAGE, or with --json one JSON object\n"
    "  per line (file, line, check, message). Exit status: 0 clean, 1 problems found, 2 the\n"
    "  source or the Install.ini given cannot be read.";

namespace {

const char16_t kDefaultLanguage[] = u"English";

struct Options {
    std::u16string root;
    std::u16string installIni;
    bool json = false;
};

bool ParseOptions(const std::vector<std::u16string>& args, Options& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == u"--json")
            options.json = true;
        else if (args[i] == u"--install-ini" && i + 1 < args.size())
            options.installIni = args[++i];
        else if (options.root.empty() && !args[i].empty() && !args[i].starts_with(u"--"))
            options.root = args[i];
        else
            return false;
    }
    return !options.root.empty();
}

bool IsReadableDirectory(const fs::path& path) {
    std::error_code error;
    fs::directory_iterator it(path, error);
    return !error && fs::is_directory(path, error);
}

int CannotCheck(std::ostream& err, const std::string& what) {
    err << "inptool: check-source: " << what << '\n';
    return 2;
}

// The language that the pages take: [Master] Language of Master.log, unless Install.ini has no
// lines in a section of that name; [General] DefaultLangDisplay otherwise.
void CheckMasterLog(CSourceCheck& check) {
    const std::u16string master = u"Master.log";
    const std::u16string defaultLanguage = check.InstallIni()
                                               .IniValue(u"General", u"DefaultLangDisplay")
                                               .value_or(CSystemText::Value{kDefaultLanguage, 0})
                                               .text;
    if (check.HasInstallIni() && check.InstallIni().SectionLines(defaultLanguage).empty())
        check.InstallIniProblem(0, "language",
                                "the default language [" + Utf8(defaultLanguage) +
                                    "] has no section: every text is the program's own");
    if (!check.Tree().IsFile(master)) {
        check.Problem(master, 0, "master-log",
                      "Master.log is missing: the program does not take this drive for the "
                      "recovery source");
        return;
    }
    const std::optional<CSystemText> text = check.ReadSystemText(master);
    if (!text)
        return;
    const std::optional<CSystemText::Value> language = text->IniValue(u"Master", u"Language");
    if (!language) {
        check.Problem(master, 0, "master-language",
                      "no [Master] Language: the program uses " + Utf8(defaultLanguage));
        return;
    }
    if (check.HasInstallIni() && check.InstallIni().SectionLines(language->text).empty())
        check.Problem(master, language->line, "master-language",
                      "the language " + Utf8(language->text) + " has no section in " +
                          check.InstallIniName() + ": the pages use " + Utf8(defaultLanguage) +
                          " and the installation run the program's own texts");
}

void UseInstallIni(CSourceCheck& check, const std::string& name, const std::string& bytes) {
    check.SetInstallIni(name, bytes);
    CheckLineBreaks(check.InstallIni(), [&](int line, const char* id, const std::string& text) {
        check.InstallIniProblem(line, id, text);
    });
}

} // namespace

int RunCheckSource(const std::vector<std::u16string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    if (!ParseOptions(args, options)) {
        err << "usage: " << CheckSourceUsage << '\n';
        return 2;
    }
    const fs::path root = PathOfArchiveText(options.root);
    if (!IsReadableDirectory(root))
        return CannotCheck(err, Utf8(options.root) + ": not a readable directory");

    CSourceReport report;
    CSourceCheck check{CSourceTree(root), report};
    const bool given = !options.installIni.empty();
    const fs::path installIni =
        given ? PathOfArchiveText(options.installIni) : fs::path("Install.ini");
    std::error_code error;
    const std::optional<std::string> bytes =
        fs::is_regular_file(installIni, error) ? ReadFileBytes(installIni) : std::nullopt;
    if (bytes) {
        UseInstallIni(check, given ? Utf8(options.installIni) : "Install.ini", *bytes);
    } else if (given) {
        return CannotCheck(err, Utf8(options.installIni) + ": cannot be read");
    } else {
        report.Add("Install.ini", 0, "install-ini",
                   "no Install.ini in the current directory: give the program's with "
                   "--install-ini; the settings were taken as missing");
    }

    CheckMasterLog(check);
    CheckCatalogues(check);
    CheckRestoreSources(check);

    if (options.json)
        report.PrintJson(out);
    else
        report.PrintText(out);
    err << report.Problems().size() << " problems\n";
    return report.Problems().empty() ? 0 : 1;
}
