#include "install/InstallRules.h"

#include "common/Paths.h"
#include "common/SafeNames.h"
#include "common/StringHelpers.h"
#include "common/TextCase.h"

namespace {
const wchar_t kLocalRoot[] = L"C:\\I386";

bool IsForbiddenInFileName(wchar_t ch) {
    return ch < 32 || std::wstring_view(L"<>:\"/\\|?*").find(ch) != std::wstring_view::npos;
}
} // namespace

InstallationType InstallationTypeOf(const std::wstring& value) {
    return installcore::InstallationTypeOf(value);
}

bool IsGiven(const std::wstring& value) {
    return installcore::IsGiven(value);
}

bool NamesSetupProgram(const std::wstring& exeFile) {
    return installcore::NamesSetupProgram(exeFile, MakeLower);
}

std::wstring SetupProgramPath(const std::wstring& exeFile, const std::wstring& itemSourceDir) {
    return IsAbsolutePath(exeFile) ? exeFile : JoinPath(itemSourceDir, exeFile);
}

std::wstring SetupCommandLine(const std::wstring& program, const std::wstring& cmdLine) {
    const bool quote = program.find_first_of(L" \t") != std::wstring::npos;
    std::wstring line = quote ? L"\"" + program + L"\"" : program;
    if (IsGiven(cmdLine))
        line += L" " + cmdLine;
    return line;
}

std::wstring ShortcutArguments(const std::wstring& cmdLine) {
    return IsGiven(cmdLine) ? cmdLine : std::wstring();
}

std::wstring InfProgressText(const std::wstring& description, size_t index, size_t count) {
    const size_t bracket = description.find(L'(');
    const std::wstring lead =
        bracket == std::wstring::npos ? std::wstring() : description.substr(0, bracket);
    return lead + L"(" + std::to_wstring(index) + L"/" + std::to_wstring(count) + L")";
}

std::wstring InfInstallSection(const std::wstring& infPath) {
    return installcore::InfInstallSection(infPath);
}

bool IsAcceptedSourceDir(const std::wstring& sourceDir) {
    return installcore::IsAcceptedSourceDir(sourceDir);
}

bool TakesFromSourceDir(InstallationType type, const std::wstring& exeFile) {
    return installcore::TakesFromSourceDir(type, exeFile, MakeLower);
}

bool IsRefusedSourceDir(InstallationType type, const std::wstring& exeFile,
                        const std::wstring& sourceDir) {
    return installcore::IsRefusedSourceDir(type, exeFile, sourceDir, MakeLower);
}

std::wstring LocalCopyDir(const std::wstring& sourceDir) {
    return JoinPath(kLocalRoot, sourceDir);
}

std::wstring ShortcutName(const std::wstring& description, const std::wstring& marker) {
    std::wstring name = description;
    const size_t cut = name.find(L" (" + marker + L")");
    if (cut != std::wstring::npos)
        name.resize(cut);
    for (wchar_t& ch : name) {
        if (IsForbiddenInFileName(ch))
            ch = L'_';
    }
    while (!name.empty() && (name.back() == L' ' || name.back() == L'.'))
        name.pop_back();
    return IsSafeName(name) ? name : std::wstring();
}

std::vector<std::wstring> LeftoversOfEarlierRuns(const SystemLayout& layout) {
    const std::wstring windows = layout.WindowsDir();
    return {windows + L"\\inf\\__vers", windows + L"\\system\\__vers",
            windows + L"\\system32\\__vers", windows + L"\\__vers", layout.RebootFlagPath()};
}
