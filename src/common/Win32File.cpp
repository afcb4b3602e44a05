#include "common/Win32File.h"

#include <algorithm>

bool CWin32File::Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
    Close();
    m_hFile = CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                          nullptr);
    return IsOpen();
}

void CWin32File::Close() {
    if (IsOpen())
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

size_t CWin32File::Read(void* buffer, size_t size) {
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(size, MAXDWORD));
    if (!IsOpen() || !ReadFile(m_hFile, buffer, wanted, &read, nullptr))
        return 0;
    return read;
}

bool CWin32File::SeekToStart() {
    return IsOpen() && SetFilePointer(m_hFile, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

bool CWin32File::Write(const void* data, size_t size) {
    DWORD written = 0;
    return IsOpen() && size <= MAXDWORD &&
           WriteFile(m_hFile, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}
