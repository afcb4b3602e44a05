#include "WineDrives.h"

#include <winioctl.h>

#include <algorithm>

namespace {
// The mount manager's request to define a drive letter (a Wine extension).
struct MountmgrUnixDrive {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDev;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};

const DWORD kDefineUnixDrive =
    CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
} // namespace

std::string UnixPath(const std::wstring& windowsPath) {
    using Convert = char*(CDECL*)(const wchar_t*);
    auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!convert)
        return {};
    char* path = convert(windowsPath.c_str());
    if (!path)
        return {};
    std::string result = path;
    ::HeapFree(::GetProcessHeap(), 0, path);
    return result;
}

CWineDrives::~CWineDrives() {
    for (wchar_t letter : m_changed)
        Define(letter, DRIVE_NO_ROOT_DIR, {});
    if (std::find(m_changed.begin(), m_changed.end(), L'z') != m_changed.end())
        Define(L'z', DRIVE_FIXED, "/");
}

bool CWineDrives::Map(wchar_t letter, const std::wstring& directory, UINT type) {
    const std::string unixPath = UnixPath(directory);
    return !unixPath.empty() && Define(letter, type, unixPath);
}

bool CWineDrives::Unmap(wchar_t letter) {
    return Define(letter, DRIVE_NO_ROOT_DIR, {});
}

bool CWineDrives::Define(wchar_t letter, UINT type, const std::string& unixPath) {
    letter = static_cast<wchar_t>(::towlower(letter));
    if (std::find(m_changed.begin(), m_changed.end(), letter) == m_changed.end())
        m_changed.push_back(letter);
    std::string request(sizeof(MountmgrUnixDrive), '\0');
    if (!unixPath.empty())
        request += unixPath + '\0';
    auto* drive = reinterpret_cast<MountmgrUnixDrive*>(request.data());
    drive->size = static_cast<ULONG>(request.size());
    drive->type = type;
    drive->letter = letter;
    drive->mountPointOffset = unixPath.empty() ? 0 : sizeof(MountmgrUnixDrive);
    HANDLE manager =
        ::CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE)
        return false;
    DWORD returned = 0;
    const BOOL ok =
        ::DeviceIoControl(manager, kDefineUnixDrive, request.data(),
                          static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr);
    ::CloseHandle(manager);
    return ok != FALSE;
}
