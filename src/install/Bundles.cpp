#include "install/Bundles.h"

#include "common/FileFind.h"
#include "common/Paths.h"
#include "common/PrivateProfile.h"
#include "common/ReadOnlyClearance.h"
#include "common/TextCase.h"
#include "common/Win32File.h"
#include "framework/Wnd.h"
#include "install/FileOpDlg.h"
#include "install/core/BundleRules.h"
#include "resources/resource.h"

#include <algorithm>
#include <cwchar>
#include <vector>

// Bundle files are scripts and registry files that recovery data leaves in the bundle
// directory. Their kinds go in a fixed order: deletions, copies, extractions, registry
// deletions, registry imports. Every bundle file is deleted after its turn, applied or not, so
// that no run applies it twice; files of other kinds stay.

namespace {

using installcore::BundleKind;

const wchar_t kNone[] = L"none";

BundleKind KindOf(const std::wstring& path) {
    return installcore::BundleKindOf(path, MakeLower);
}

// The bundle files of one or more kinds, in the order the directory lists them.
std::vector<std::wstring> BundlesOf(const std::wstring& directory,
                                    std::initializer_list<BundleKind> kinds) {
    std::vector<std::wstring> paths;
    ForEachEntry(directory, [&](const CFileFind& find) {
        if (find.IsDirectory())
            return;
        const std::wstring path = find.GetFilePath();
        if (std::find(kinds.begin(), kinds.end(), KindOf(path)) != kinds.end())
            paths.push_back(path);
    });
    return paths;
}

// An extraction saved under the wrong kind is not applied. The file is closed before the bundle
// is applied and deleted. A file that cannot be read here is applied.
bool SniffsAsExtract(const std::wstring& path) {
    CWin32File file;
    if (!file.Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING))
        return false;
    char buffer[installcore::kBundleSniffSize];
    const size_t read = file.Read(buffer, sizeof buffer);
    return installcore::SniffsAsExtract(std::string_view(buffer, read));
}

class CBundlePass {
public:
    explicit CBundlePass(const InstallContext& context) : m_context(context) {}

    void Run() const {
        const std::wstring directory = m_context.windows.Layout().BundleDir();
        ApplyAll(BundlesOf(directory, {BundleKind::Delete}));
        // Copies and extractions are listed together, then copies go first.
        const std::vector<std::wstring> scripts =
            BundlesOf(directory, {BundleKind::Copy, BundleKind::Extract});
        for (const BundleKind kind : {BundleKind::Copy, BundleKind::Extract})
            for (const std::wstring& path : scripts)
                if (KindOf(path) == kind)
                    ApplyThenDelete(path);
        ApplyAll(BundlesOf(directory, {BundleKind::RegistryScript}));
        ApplyAll(BundlesOf(directory, {BundleKind::RegistryImport}));
    }

private:
    void ApplyAll(const std::vector<std::wstring>& paths) const {
        for (const std::wstring& path : paths)
            ApplyThenDelete(path);
    }

    void ApplyThenDelete(const std::wstring& path) const {
        // A read-only bundle could not be deleted afterwards; on a CD it stays as it is.
        MakeWritableUnlessOnCd(path);
        switch (KindOf(path)) {
        case BundleKind::Delete:
        case BundleKind::Copy:
            ApplyFileOp(path);
            break;
        case BundleKind::Extract:
            ApplyExtract(path);
            break;
        case BundleKind::RegistryScript:
        case BundleKind::RegistryImport:
            ApplyRegistry(path);
            break;
        case BundleKind::None:
            break;
        }
        // A bundle that cannot be deleted is passed over; the next run applies it again.
        ::DeleteFileW(path.c_str());
    }

    void ApplyFileOp(const std::wstring& path) const {
        const std::wstring description = Description(path, nullptr);
        if (description == kNone || SniffsAsExtract(path))
            return;
        Run(path, KindOf(path) == BundleKind::Copy ? FileOpCopy : FileOpDelete, description, 0);
    }

    void ApplyExtract(const std::wstring& path) const {
        const std::wstring description = Description(path, nullptr);
        if (description != kNone)
            Run(path, FileOpExtract, description, 0);
    }

    // Registry bundles are applied even without a description.
    void ApplyRegistry(const std::wstring& path) const {
        std::wstring section;
        std::wstring description = Description(path, &section);
        if (description == kNone)
            description.clear();
        const int size = static_cast<int>(
            std::wcstol(ProfileString(section, L"Size", L"0", path).c_str(), nullptr, 10));
        Run(path,
            KindOf(path) == BundleKind::RegistryImport ? FileOpRegistryImport
                                                       : FileOpRegistryScript,
            description, size);
    }

    // [Bundle] Description, else the item section's; `section` gets the section whose
    // settings apply: [Bundle] when it describes the bundle, otherwise the item section.
    std::wstring Description(const std::wstring& path, std::wstring* section) const {
        std::wstring description = ProfileString(L"Bundle", L"Description", kNone, path);
        std::wstring from = L"Bundle";
        if (description == kNone) {
            from = m_context.itemSection;
            description = ProfileString(from, L"Description", kNone, path);
        }
        if (section)
            *section = from;
        return description;
    }

    void Run(const std::wstring& path, int operation, const std::wstring& description,
             int size) const {
        CWnd(m_context.hDialog).SetDlgItemText(IDC_INSTALL_DESCRIPTION, description);
        CFileOpDlg dialog;
        dialog.m_strLangSection = m_context.language;
        dialog.m_strScriptPath = path;
        dialog.m_strSourceRoot = m_context.i386Dir;
        dialog.m_nOperation = operation;
        dialog.m_nSize = size;
        // The bundle pass deletes no machine-wide registry data.
        dialog.m_bMachineWide = false;
        dialog.m_bPciVariant = false;
        dialog.m_layout = m_context.windows.Layout();
        dialog.DoModal(m_context.hDialog);
    }

    const InstallContext& m_context;
};

} // namespace

void ApplyBundles(const InstallContext& context) {
    CBundlePass(context).Run();
}
