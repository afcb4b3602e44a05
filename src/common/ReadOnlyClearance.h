#pragma once

#include <windows.h>

#include <string>

// Takes the read-only attribute off a file that is about to be replaced, and puts it back when
// the replacement does not happen. A missing file has nothing to clear.
class CReadOnlyClearance {
public:
    explicit CReadOnlyClearance(const std::wstring& path)
        : m_path(path), m_attributes(::GetFileAttributesW(path.c_str())) {}

    // True when the file is writable now (or missing).
    bool Clear() {
        if (!IsReadOnly())
            return true;
        const DWORD cleared = m_attributes & ~FILE_ATTRIBUTE_READONLY;
        m_cleared = ::SetFileAttributesW(m_path.c_str(),
                                         cleared ? cleared : FILE_ATTRIBUTE_NORMAL) != FALSE;
        return m_cleared;
    }
    void Restore() const {
        // A file left writable is passed over: it is the file as it was, only not read-only.
        if (m_cleared)
            ::SetFileAttributesW(m_path.c_str(), m_attributes);
    }

private:
    bool IsReadOnly() const {
        return m_attributes != INVALID_FILE_ATTRIBUTES &&
               (m_attributes & FILE_ATTRIBUTE_READONLY) != 0;
    }

    std::wstring m_path;
    DWORD m_attributes;
    bool m_cleared = false;
};

// Takes the read-only attribute off a file that the program goes on to change or delete, unless
// it lies on a CD-ROM, where nothing can be changed anyway. Failures are passed over: the change
// that follows finds out.
inline void MakeWritableUnlessOnCd(const std::wstring& path) {
    if (::GetDriveTypeW(path.substr(0, 3).c_str()) == DRIVE_CDROM)
        return;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}
