#include "common/ReplaceAtRestart.h"

#include "common/ReadOnlyClearance.h"
#include "common/RebootFlag.h"
#include "common/RemoveFile.h"

#include <cwctype>

namespace {

// X:\name or X:\dir\name: the staged file then has a directory of its own to go in.
bool IsAbsoluteFilePath(const std::wstring& path) {
    return path.size() > 3 && std::iswalpha(path[0]) && path[1] == L':' && path[2] == L'\\' &&
           path.back() != L'\\';
}

// A new, empty file in the directory under a name that no file there has; it is removed when
// the object goes unless it was kept for the restart.
class CStagingFile {
public:
    explicit CStagingFile(const std::wstring& directory) {
        wchar_t path[MAX_PATH];
        if (::GetTempFileNameW(directory.c_str(), L"mvr", 0, path))
            m_path = path;
    }
    ~CStagingFile() {
        // A file that cannot be removed is passed over: it is only an unused copy.
        if (!m_path.empty() && !m_kept)
            RemoveFile(m_path);
    }
    CStagingFile(const CStagingFile&) = delete;
    CStagingFile& operator=(const CStagingFile&) = delete;

    bool Created() const { return !m_path.empty(); }
    const std::wstring& Path() const { return m_path; }
    void Keep() { m_kept = true; }

private:
    std::wstring m_path;
    bool m_kept = false;
};

} // namespace

bool ReplaceAtNextRestart(const std::wstring& target, const StagedFileWriter& write,
                          const std::wstring& rebootFlagPath, MoveFileExFunction moveFileEx) {
    if (!IsAbsoluteFilePath(target))
        return false;
    CStagingFile staged(target.substr(0, target.rfind(L'\\') + 1));
    if (!staged.Created() || !write(staged.Path()))
        return false;

    CReadOnlyClearance readOnly(target);
    if (!readOnly.Clear())
        return false;
    if (!moveFileEx(staged.Path().c_str(), target.c_str(),
                    MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING)) {
        readOnly.Restore();
        return false;
    }
    staged.Keep();

    // Only the offer to restart depends on the flag; see the header.
    WriteRebootFlag(rebootFlagPath);
    return true;
}
