#include "install/InfInstall.h"

#include "common/PrivateProfile.h"
#include "common/ReadOnlyClearance.h"
#include "common/RunLog.h"
#include "install/InfFileCopy.h"
#include "install/InfRegistry.h"
#include "install/InfRules.h"
#include "install/IniUpdate.h"
#include "resources/resource.h"

#include <windows.h>

namespace {

const wchar_t kNone[] = L"none";

// A read-only file is made writable, unless it lies on a CD.
class CInfRun {
public:
    CInfRun(const InfJob& job, IInfProgress& progress) : m_job(job), m_progress(progress) {}

    bool Run() {
        MakeWritableUnlessOnCd(m_job.infPath);
        const std::wstring copyFiles = Directive(L"CopyFiles");
        const std::wstring addReg = Directive(L"AddReg");
        const std::wstring updateInis = Directive(L"UpdateInis");
        return ForEachListed(copyFiles, &CInfRun::CopyFileList) &&
               ForEachListed(addReg, &CInfRun::AddRegSection) &&
               ForEachListed(updateInis, &CInfRun::UpdateInisSection);
    }

private:
    std::wstring Directive(const wchar_t* name) const {
        return ProfileString(m_job.section, name, kNone, m_job.infPath);
    }
    std::wstring InfValue(const wchar_t* section, const std::wstring& key) const {
        return ProfileString(section, key, kNone, m_job.infPath);
    }

    bool ForEachListed(const std::wstring& list, bool (CInfRun::*carryOut)(const std::wstring&)) {
        if (!IsInfDirectiveGiven(list))
            return true;
        for (const std::wstring& name : InfListNames(list)) {
            if (!(this->*carryOut)(name))
                return false;
        }
        return true;
    }

    // Cancel is noticed before each file; the file being copied is finished first.
    bool CopyFileList(const std::wstring& section) {
        const std::wstring destination = InfValue(L"DestinationDirs", section);
        const std::optional<std::wstring> targetDir =
            IsInfDirectiveGiven(destination)
                ? MapInfDirectory(destination, m_job.sourceRoot, m_job.layout)
                : DefaultInfTargetDir(m_job.layout);
        const std::wstring from = ProfileLanguageText(m_job.language, L"From", IDS_FROM);
        for (const std::wstring& name : ProfileSection(section, m_job.infPath)) {
            if (m_progress.IsCancelled())
                return false;
            m_progress.ShowFile(name);
            const std::optional<std::wstring> sourceDir = MapInfDirectory(
                InfValue(L"SourceDisksFiles", name), m_job.sourceRoot, m_job.layout);
            if (!targetDir || !sourceDir || !IsInfFileName(name)) {
                LogRun(L"Skipped, unsafe name or directory: " + name + L" of " + m_job.infPath);
                continue;
            }
            m_progress.ShowFrom(from + L" '" + *sourceDir + L"'");
            // A file that cannot be copied is passed over; the list goes on.
            const bool copied = CopyInfFile(*sourceDir, name, *targetDir);
            LogRun((copied ? L"Copied " : L"Could not copy ") + name + L" from " + *sourceDir +
                   L" to " + *targetDir);
        }
        return true;
    }

    bool AddRegSection(const std::wstring& section) {
        return ForEachLine(section, [](const std::wstring& line) {
            const InfRegLine reg = ParseInfRegLine(line);
            const HKEY root = InfRegistryRoot(reg.root);
            const std::wstring value = reg.root + L"\\" + reg.subkey + L"\\" + reg.valueName;
            if (root == nullptr || IsReservedValueName(reg.valueName) ||
                InfRegFlags(reg.flags) != 0) {
                LogRun(L"Registry line passed over: " + line);
                return;
            }
            // A value that cannot be stored is passed over.
            const bool set = SetRegString(root, reg.subkey, reg.valueName, reg.value);
            LogRun((set ? L"Registry value set: " : L"Registry value could not be set: ") + value +
                   L" = " + reg.value);
        });
    }

    bool UpdateInisSection(const std::wstring& section) {
        return ForEachLine(section, [this](const std::wstring& line) {
            const InfIniLine ini = ParseInfIniLine(line);
            const std::optional<std::wstring> path = InfIniPath(ini.iniName, m_job.layout);
            if (!path) {
                LogRun(L"INI line passed over: " + line);
                return;
            }
            MakeWritableUnlessOnCd(*path);
            // An INI that cannot be written is passed over.
            const bool added =
                IsRegistryMappedSection(ini.iniName, ini.section, IniFileMappingValues(ini.iniName))
                    ? AppendMappedIniEntry(*path, ini.section, ini.newEntry)
                    : AppendIniEntry(*path, ini.section, ini.newEntry);
            LogRun((added ? L"INI entry added: " : L"INI entry could not be added: ") + *path +
                   L" [" + ini.section + L"] " + ini.newEntry);
        });
    }

    // The lines of an AddReg or UpdateInis section, comments left out; false when cancelled.
    template <typename Carry> bool ForEachLine(const std::wstring& section, Carry carry) {
        m_progress.ShowFile(L"");
        m_progress.ShowFrom(L"");
        for (const std::wstring& line : ProfileSection(section, m_job.infPath)) {
            if (m_progress.IsCancelled())
                return false;
            if (!IsInfComment(line))
                carry(line);
        }
        return true;
    }

    const InfJob& m_job;
    IInfProgress& m_progress;
};

} // namespace

bool CarryOutInfSection(const InfJob& job, IInfProgress& progress) {
    return CInfRun(job, progress).Run();
}
