// The platform layer on Windows: the Win32 file calls, which leave their own error codes.
#include "archive/ArchiveError.h"
#include "archive/ArchiveFile.h"

#include <string>
#include <windows.h>

namespace {

std::wstring NativePath(std::u16string_view path) {
    return std::wstring(path.begin(), path.end());
}

HANDLE HandleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

FILETIME FileTimeOf(std::uint64_t value) {
    return {static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

std::uint64_t ValueOf(const FILETIME& time) {
    return std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime;
}

bool HasReadOnlyAttribute(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

} // namespace

void SetArchiveLastError(std::uint32_t code) {
    SetLastError(code);
}

std::uint32_t GetArchiveLastError() {
    return GetLastError();
}

CArchiveFile::~CArchiveFile() {
    CLastErrorKeeper keeper;
    Close();
}

// A container on read-only media or with the read-only attribute can still be read. The
// attribute is looked at first, since it does not keep every privileged user from writing.
bool CArchiveFile::OpenContainer(std::u16string_view path, ContainerAccess& access,
                                 bool createMissing) {
    const std::wstring native = NativePath(path);
    const bool readOnlyAttribute = HasReadOnlyAttribute(native);
    DWORD error = ERROR_SUCCESS;
    if (!readOnlyAttribute) {
        const HANDLE h = CreateFileW(native.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                     createMissing ? OPEN_ALWAYS : OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            access = !createMissing || GetLastError() == ERROR_ALREADY_EXISTS
                         ? ContainerAccess::ReadWrite
                         : ContainerAccess::Created;
            m_handle = reinterpret_cast<std::intptr_t>(h);
            return true;
        }
        error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_WRITE_PROTECT) {
            return false;
        }
    }
    const HANDLE h = CreateFileW(native.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return readOnlyAttribute ? false : FailWithArchiveError(error);
    }
    access = ContainerAccess::ReadOnly;
    m_handle = reinterpret_cast<std::intptr_t>(h);
    return true;
}

bool CArchiveFile::CreateNew(std::u16string_view path) {
    const HANDLE h = CreateFileW(NativePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    m_handle = reinterpret_cast<std::intptr_t>(h);
    return true;
}

bool CArchiveFile::OpenForReading(std::u16string_view path) {
    const HANDLE h = CreateFileW(NativePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    m_handle = reinterpret_cast<std::intptr_t>(h);
    return true;
}

bool CArchiveFile::Seek(std::uint64_t position) {
    if (static_cast<std::int64_t>(position) < 0) {
        return FailWithArchiveError(ArchiveError::InvalidParameter);
    }
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(position);
    return SetFilePointerEx(HandleOf(m_handle), distance, nullptr, FILE_BEGIN) != 0;
}

bool CArchiveFile::Read(void* buffer, std::uint32_t size, std::uint32_t& done) {
    done = 0;
    while (done < size) {
        DWORD n = 0;
        if (!ReadFile(HandleOf(m_handle), static_cast<char*>(buffer) + done, size - done, &n,
                      nullptr)) {
            return false;
        }
        if (n == 0) {
            break;
        }
        done += n;
    }
    return true;
}

bool CArchiveFile::Write(const void* data, std::uint32_t size) {
    DWORD written = 0;
    if (!WriteFile(HandleOf(m_handle), data, size, &written, nullptr)) {
        return false;
    }
    return written == size || FailWithArchiveError(ArchiveError::DiskFull);
}

bool CArchiveFile::GetSize(std::uint64_t& size) {
    LARGE_INTEGER value;
    if (!GetFileSizeEx(HandleOf(m_handle), &value)) {
        return false;
    }
    size = static_cast<std::uint64_t>(value.QuadPart);
    return true;
}

bool CArchiveFile::SetTimes(const ArchiveFileTimes& times) {
    const FILETIME creation = FileTimeOf(times.creation);
    const FILETIME lastAccess = FileTimeOf(times.lastAccess);
    const FILETIME lastWrite = FileTimeOf(times.lastWrite);
    return SetFileTime(HandleOf(m_handle), &creation, &lastAccess, &lastWrite) != 0;
}

bool CArchiveFile::Close() {
    if (!IsOpen()) {
        return true;
    }
    const HANDLE h = HandleOf(m_handle);
    m_handle = InvalidHandle;
    return CloseHandle(h) != 0;
}

bool ArchivePathExists(std::u16string_view path) {
    return GetFileAttributesW(NativePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ArchiveCreateDirectory(std::u16string_view path) {
    return CreateDirectoryW(NativePath(path).c_str(), nullptr) != 0;
}

// Opening the file as the replacement would shows whether it is in use or read-only.
bool ArchiveCheckReplaceable(std::u16string_view path) {
    const std::wstring native = NativePath(path);
    if (HasReadOnlyAttribute(native)) {
        return FailWithArchiveError(ArchiveError::AccessDenied);
    }
    const HANDLE h = CreateFileW(native.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    CloseHandle(h);
    return true;
}

bool ArchiveSetAttributes(std::u16string_view path, std::uint32_t attributes) {
    const DWORD settable = attributes & ArchiveAttributes::Settable;
    return SetFileAttributesW(NativePath(path).c_str(),
                              settable != 0 ? settable : FILE_ATTRIBUTE_NORMAL) != 0;
}

bool ArchiveReplaceFile(std::u16string_view from, std::u16string_view to) {
    return MoveFileExW(NativePath(from).c_str(), NativePath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING) != 0;
}

bool ArchiveDeleteFile(std::u16string_view path) {
    return DeleteFileW(NativePath(path).c_str()) != 0;
}

bool ArchiveGetFileInfo(std::u16string_view path, ArchiveFileInfo& info) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(NativePath(path).c_str(), GetFileExInfoStandard, &data)) {
        return false;
    }
    info.attributes = data.dwFileAttributes;
    info.times = {ValueOf(data.ftCreationTime), ValueOf(data.ftLastAccessTime),
                  ValueOf(data.ftLastWriteTime)};
    info.size = std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
    return true;
}
