#include "install/FileOpReplace.h"

#include "common/RemoveFile.h"
#include "common/TextCase.h"

#include <windows.h>

namespace {

// A new, empty file beside `destination` under a name no file there has; removed when the
// object goes unless it took the destination's place.
class CSiblingTempFile {
public:
    explicit CSiblingTempFile(const std::wstring& destination) {
        const std::wstring directory = destination.substr(0, destination.rfind(L'\\') + 1);
        wchar_t path[MAX_PATH];
        if (!directory.empty() && ::GetTempFileNameW(directory.c_str(), L"mvr", 0, path))
            m_path = path;
    }
    ~CSiblingTempFile() {
        // A file that cannot be removed is passed over: it is only an unused copy.
        if (!m_path.empty() && !m_used)
            RemoveFile(m_path);
    }
    CSiblingTempFile(const CSiblingTempFile&) = delete;
    CSiblingTempFile& operator=(const CSiblingTempFile&) = delete;

    bool Created() const { return !m_path.empty(); }
    const std::wstring& Path() const { return m_path; }
    void Used() { m_used = true; }

private:
    std::wstring m_path;
    bool m_used = false;
};

} // namespace

bool IsFileInUse(const std::wstring& path) {
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        ::CloseHandle(h);
        return false;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

bool ReplaceWithFile(const std::wstring& source, const std::wstring& destination, bool move) {
    if (move)
        return ::MoveFileExW(source.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING) !=
               FALSE;
    CSiblingTempFile copy(destination);
    if (!copy.Created() || !::CopyFileW(source.c_str(), copy.Path().c_str(), FALSE) ||
        !::MoveFileExW(copy.Path().c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING))
        return false;
    copy.Used();
    return true;
}

bool IsSameDrive(const std::wstring& first, const std::wstring& second) {
    return MakeLower(first.substr(0, 3)) == MakeLower(second.substr(0, 3));
}
