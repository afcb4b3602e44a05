#pragma once

#include "common/core/ByteSource.h"

#include <windows.h>

#include <string>

// An owned Win32 file handle, readable by the portable line readers.
class CWin32File : public textcore::IByteSource {
public:
    CWin32File() = default;
    CWin32File(const CWin32File&) = delete;
    CWin32File& operator=(const CWin32File&) = delete;
    ~CWin32File() override { Close(); }

    // CreateFileW with the given access, sharing and disposition; closes any earlier handle.
    bool Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition);
    void Close();
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

    size_t Read(void* buffer, size_t size) override;
    bool SeekToStart() override;

    // True when all bytes were written.
    bool Write(const void* data, size_t size);

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};
