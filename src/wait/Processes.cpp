#include "wait/Processes.h"

#include "common/TextCase.h"

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <vector>

namespace {

enum class Platform { Unknown, Nt, Other };

Platform GetPlatform() {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!::GetVersionExW(&version))
        return Platform::Unknown;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT ? Platform::Nt : Platform::Other;
}

// Every process id: the array grows until the list fits with room to spare, since a full
// array cannot tell whether more ids were left out.
bool ReadProcessIds(std::vector<DWORD>& ids) {
    ids.resize(32);
    for (;;) {
        DWORD capacity = static_cast<DWORD>(ids.size() * sizeof(DWORD));
        DWORD bytes = 0;
        if (!::EnumProcesses(ids.data(), capacity, &bytes))
            return false;
        if (bytes < capacity) {
            ids.resize(bytes / sizeof(DWORD));
            return true;
        }
        ids.resize(ids.size() * 2);
    }
}

// The base name of the process's first module, or empty when it cannot be read.
std::wstring ProcessBaseName(DWORD id) {
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
    if (!process)
        return {};
    wchar_t name[MAX_PATH] = {};
    HMODULE module = nullptr;
    DWORD needed = 0;
    if (::EnumProcessModules(process, &module, sizeof(module), &needed))
        ::GetModuleBaseNameW(process, module, name, MAX_PATH);
    ::CloseHandle(process);
    return name;
}

// Calls `visit` with each snapshot entry until it returns true; false when none did.
template <typename Visit> bool WalkSnapshot(Visit visit) {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    bool stopped = false;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more && !stopped;
         more = ::Process32NextW(snapshot, &entry))
        stopped = visit(entry);
    ::CloseHandle(snapshot);
    return stopped;
}

} // namespace

int CountProcesses() {
    switch (GetPlatform()) {
    case Platform::Unknown:
        return 0;
    case Platform::Nt: {
        std::vector<DWORD> ids;
        return ReadProcessIds(ids) ? static_cast<int>(ids.size()) : -1;
    }
    case Platform::Other:
        break;
    }
    int count = 0;
    WalkSnapshot([&count](const PROCESSENTRY32W&) {
        ++count;
        return false;
    });
    return count;
}

int IsProcessRunning(const std::wstring& name) {
    switch (GetPlatform()) {
    case Platform::Unknown:
        return 0;
    case Platform::Nt: {
        std::vector<DWORD> ids;
        if (!ReadProcessIds(ids))
            return -1;
        for (DWORD id : ids)
            if (_wcsicmp(ProcessBaseName(id).c_str(), name.c_str()) == 0)
                return 1;
        return 0;
    }
    case Platform::Other:
        break;
    }
    return WalkSnapshot([&name](const PROCESSENTRY32W& entry) {
        return MakeLower(entry.szExeFile).find(name) != std::wstring::npos;
    })
               ? 1
               : 0;
}
