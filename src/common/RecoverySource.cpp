#include "common/RecoverySource.h"

#include "common/CommandRunner.h"
#include "common/CurrentDir.h"
#include "common/FileFind.h"
#include "common/IniReader.h"
#include "common/InstallIni.h"

#include <windows.h>

namespace {
const wchar_t kPartitionDrive = L'Z';

std::wstring DriveRoot(wchar_t letter) {
    return std::wstring(1, letter) + L":\\";
}

bool IsFixedDrive(const std::wstring& root) {
    return ::GetDriveTypeW(root.c_str()) == DRIVE_FIXED;
}

std::wstring PartitionToolPath() {
    return GetCurrentDirSlash() + L"INSTALL.DLL";
}

// Runs the tool when no drive carries the marker; the root of Z: afterwards, or empty when
// `checkZ` asks for a fixed drive and Z: is none.
std::wstring ExposeAndTakeZ(bool checkZ) {
    ExposeRecoveryPartition();
    const std::wstring z = DriveRoot(kPartitionDrive);
    return !checkZ || IsFixedDrive(z) ? z : std::wstring();
}

// The intro page's search: the partition tool runs at most once per wizard.
std::wstring FindForIntro(PartitionFlags& flags) {
    std::wstring drive = FindSourceDrive();
    if (!drive.empty()) {
        flags.m_bPartitionExposed = 0;
        return drive;
    }
    if (!flags.m_bMayExposePartition) {
        // The tool has had its turn: the partition counts only while it is still exposed.
        const std::wstring z = DriveRoot(kPartitionDrive);
        return IsFixedDrive(z) ? z : std::wstring();
    }
    flags.m_bPartitionExposed = 1;
    flags.m_bMayExposePartition = 0;
    return ExposeAndTakeZ(true);
}
} // namespace

bool IsSourceDrive(const std::wstring& root) {
    return IsFixedDrive(root) && AnyFileMatches(root + L"Master.log");
}

std::wstring FindSourceDrive() {
    for (wchar_t letter = L'D'; letter <= L'Z'; ++letter) {
        const std::wstring root = DriveRoot(letter);
        if (IsSourceDrive(root))
            return root;
    }
    return {};
}

bool FindRecoverySource(SourceSearch variant, PartitionFlags& flags, std::wstring& root) {
    if (variant == SourceSearch::Intro) {
        root = FindForIntro(flags);
        return !root.empty();
    }
    const std::wstring drive = FindSourceDrive();
    if (!drive.empty()) {
        // The sheet looks a second time: the drive may have gone in between.
        root = variant == SourceSearch::Sheet && !IsSourceDrive(drive) ? std::wstring() : drive;
        return variant == SourceSearch::Finish ? false : !root.empty();
    }
    switch (variant) {
    case SourceSearch::Page:
        root = ExposeAndTakeZ(true);
        return !root.empty();
    case SourceSearch::Finish:
        root = ExposeAndTakeZ(false);
        return IsFixedDrive(root);
    default:
        root = ExposeAndTakeZ(false);
        return true;
    }
}

std::wstring FindRestoreRoot() {
    ExposeRecoveryPartition();
    const std::wstring z = DriveRoot(kPartitionDrive);
    if (!IsFixedDrive(z))
        return L"C:\\";
    return AnyFileMatches(z + L"Master.log") ? z : std::wstring();
}

SourceDirs DeriveSourceDirs(const std::wstring& root) {
    if (root.empty())
        return {};
    return {root, root + L"I386", root + L"I386\\APPS", root + L"I386\\DRV"};
}

SourceOffer FindSourceOffer(const SourceDirs& dirs) {
    SourceOffer offer;
    if (dirs.root.empty())
        return offer;
    offer.apps = AnyFileMatches(dirs.appsDir);
    offer.drivers = AnyFileMatches(dirs.driversDir);
    offer.fileRestore = AnyFileMatches(dirs.root.substr(0, 3) + L"Preload\\*.inp");
    return offer;
}

void ExposeRecoveryPartition() {
    RunCommand(PartitionToolPath() + L" " + std::wstring(1, kPartitionDrive) + L":", SW_HIDE, true);
}

void ReleaseRecoveryPartition(const PartitionFlags& flags) {
    if (flags.m_bPartitionExposed == 1)
        RunCommand(PartitionToolPath(), SW_HIDE, true);
}

std::wstring ReadMasterLanguage(const std::wstring& root, const std::wstring& def) {
    std::wstring language;
    GetIniValue(L"Master", L"Language", def, language, root.substr(0, 3) + L"Master.log");
    return language;
}

std::wstring ResolveLanguageSection(const std::wstring& root, const std::wstring& defaultLanguage) {
    const std::wstring language = ReadMasterLanguage(root, defaultLanguage);
    return IniSectionHasLines(language, InstallIniPath()) ? language : defaultLanguage;
}

std::wstring ResolveLanguageSection(PartitionFlags& flags, int& sourceFound) {
    const std::wstring defaultLanguage = DefaultLanguage();
    std::wstring root;
    FindRecoverySource(SourceSearch::Sheet, flags, root);
    sourceFound = root.empty() ? 0 : 1;
    return sourceFound ? ResolveLanguageSection(root, defaultLanguage) : std::wstring();
}
