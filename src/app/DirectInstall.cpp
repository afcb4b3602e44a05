#include "app/DirectInstall.h"

#include "common/RecoverySource.h"
#include "common/TextCase.h"
#include "install/InstallDlg.h"
#include "install/LaunchSettings.h"

#include <cwchar>

namespace {
const size_t kLongestName = 12;

bool IsBlankOrTab(wchar_t ch) {
    return ch == L' ' || ch == L'\t';
}

// The name after a switch: a leading quote skipped, then up to the first blank, tab or quote
// within the name's length.
std::wstring NameAfter(const std::wstring& text, size_t start) {
    if (start < text.size() && text[start] == L'"')
        ++start;
    std::wstring name = text.substr(start, kLongestName);
    const size_t end = name.find_first_of(L" \t\"");
    return end == std::wstring::npos ? name : name.substr(0, end);
}
} // namespace

std::wstring CommandArguments(const std::wstring& commandLine) {
    size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const size_t close = commandLine.find(L'"', 1);
        at = close == std::wstring::npos ? commandLine.size() : close + 1;
    } else {
        while (at < commandLine.size() && !IsBlankOrTab(commandLine[at]))
            ++at;
    }
    while (at < commandLine.size() && IsBlankOrTab(commandLine[at]))
        ++at;
    return commandLine.substr(at);
}

DirectSwitch ParseDirectSwitch(const std::wstring& arguments) {
    const std::wstring upper = MakeUpper(arguments);
    const struct {
        const wchar_t* text;
        DirectKind kind;
    } switches[] = {{L"/APPS:", DirectKind::Applications}, {L"/DRV:", DirectKind::Drivers}};
    for (const auto& candidate : switches) {
        const size_t at = upper.find(candidate.text);
        if (at != std::wstring::npos)
            return {true, candidate.kind, NameAfter(upper, at + std::wcslen(candidate.text))};
    }
    return {};
}

void RunDirectInstall(const std::wstring& name, DirectKind kind, PartitionFlags& partition,
                      const WindowsVersionFlags& windows) {
    std::wstring root;
    FindRecoverySource(SourceSearch::Direct, partition, root);
    const SourceDirs dirs = DeriveSourceDirs(root);
    const bool drivers = kind == DirectKind::Drivers;
    const LaunchSettings settings = ReadLaunchSettings();

    CInstallDlg install(windows);
    install.m_strSourceRoot = dirs.root;
    install.m_strI386Dir = dirs.i386Dir;
    install.m_strItemDir = drivers ? dirs.driversDir : dirs.appsDir;
    install.m_items = {name};
    install.m_bCheckBoxMode = true;
    install.m_bDriverMode = drivers;
    install.SetLaunchSettings(settings);
    install.DoModal(nullptr);
}
