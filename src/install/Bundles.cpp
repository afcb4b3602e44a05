#include "install/Bundles.h"

#include "common/FileFind.h"
#include "common/Paths.h"
#include "common/PrivateProfile.h"
#include "common/ReadOnlyClearance.h"
#include "common/TextCase.h"
#include "common/Win32File.h"
#include "framework/Wnd.h"
#include "install/FileOpDlg.h"
#include "resources/resource.h"

#include <algorithm>
#include <cctype>
#include <cwchar>
#include <vector>

// Bundle files are scripts and registry files that recovery data leaves in the bundle
// directory. Their kinds go in a fixed order: deletions, copies, extractions, registry
// deletions, registry imports. Every bundle file is deleted after its turn, applied or not, so
// that no run applies it twice; files of other kinds stay.

namespace {

const wchar_t kNone[] = L"none";

bool HasExtension(const std::wstring& path, const wchar_t* extension) {
    const std::wstring lower = MakeLower(path);
    const size_t length = std::wcslen(extension);
    return lower.size() >= length && lower.compare(lower.size() - length, length, extension) == 0;
}

// The bundle files of one or more kinds, in the order the directory lists them.
std::vector<std::wstring> BundlesOf(const std::wstring& directory,
                                    std::initializer_list<const wchar_t*> extensions) {
    std::vector<std::wstring> paths;
    ForEachEntry(directory, [&](const CFileFind& find) {
        if (find.IsDirectory())
            return;
        const std::wstring path = find.GetFilePath();
        if (std::any_of(extensions.begin(), extensions.end(),
                        [&](const wchar_t* extension) { return HasExtension(path, extension); }))
            paths.push_back(path);
    });
    return paths;
}

// A script that holds "[extract]" in its first bytes, read as ANSI text, is an extraction saved
// under the wrong kind and is not applied. The file is closed before the bundle is applied and
// deleted. A file that cannot be read here is applied.
bool SniffsAsExtract(const std::wstring& path) {
    CWin32File file;
    if (!file.Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING))
        return false;
    char buffer[255];
    const size_t read = file.Read(buffer, sizeof buffer);
    std::string text(buffer, std::find(buffer, buffer + read, '\0'));
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    return text.find("[extract]") != std::string::npos;
}

class CBundlePass {
public:
    explicit CBundlePass(const InstallContext& context) : m_context(context) {}

    void Run() const {
        const std::wstring directory = m_context.windows.Layout().BundleDir();
        ApplyAll(BundlesOf(directory, {L".del"}));
        // Copies and extractions are listed together, then copies go first.
        const std::vector<std::wstring> scripts = BundlesOf(directory, {L".cop", L".cfl"});
        for (const wchar_t* kind : {L".cop", L".cfl"})
            for (const std::wstring& path : scripts)
                if (HasExtension(path, kind))
                    ApplyThenDelete(path);
        ApplyAll(BundlesOf(directory, {L".rgd"}));
        ApplyAll(BundlesOf(directory, {L".reg"}));
    }

private:
    void ApplyAll(const std::vector<std::wstring>& paths) const {
        for (const std::wstring& path : paths)
            ApplyThenDelete(path);
    }

    void ApplyThenDelete(const std::wstring& path) const {
        // A read-only bundle could not be deleted afterwards; on a CD it stays as it is.
        MakeWritableUnlessOnCd(path);
        if (HasExtension(path, L".cfl"))
            ApplyExtract(path);
        else if (HasExtension(path, L".rgd") || HasExtension(path, L".reg"))
            ApplyRegistry(path);
        else
            ApplyFileOp(path);
        // A bundle that cannot be deleted is passed over; the next run applies it again.
        ::DeleteFileW(path.c_str());
    }

    void ApplyFileOp(const std::wstring& path) const {
        const std::wstring description = Description(path, nullptr);
        if (description == kNone || SniffsAsExtract(path))
            return;
        Run(path, HasExtension(path, L".cop") ? FileOpCopy : FileOpDelete, description, 0);
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
        Run(path, HasExtension(path, L".reg") ? FileOpRegistryImport : FileOpRegistryScript,
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
