// Stand-in for the expansion tool that a recovery source carries in its I386 directory.
//
//   Expand.exe SOURCE TARGET
//
// Appends a line "cmdline=<its command line>" to "<program path without .exe>.log" (UTF-8), then
// writes SOURCE into TARGET: expanded when SOURCE is SZDD-compressed, as it is otherwise.
// Exit codes: 0 when TARGET is complete; 2 when SOURCE cannot be read (TARGET is not touched);
// 1 when the compressed data ends early (TARGET then holds what could be expanded, as a real
// tool leaves a partial file behind) or TARGET cannot be written; 3 for a wrong command line.
#include "common/core/MemoryByteSource.h"
#include "common/core/Szdd.h"

#include "StandinLog.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

const int kExpanded = 0;
const int kDamaged = 1;
const int kNoSource = 2;
const int kUsage = 3;

// The whole file; false when it cannot be opened or read.
bool ReadWhole(const std::wstring& path, std::string& bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool read = ::GetFileSizeEx(file, &size) && size.QuadPart < 0x7FFFFFFF;
    if (read) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD done = 0;
        read = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
               done == bytes.size();
    }
    ::CloseHandle(file);
    return read;
}

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool complete =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return ::CloseHandle(file) && complete;
}

// The expanded content, or the source itself when it is not compressed; false when the
// compressed data ends before its declared size.
bool Expand(std::string source, std::string& expanded) {
    textcore::CMemoryByteSource bytes(source);
    const szdd::Result result = szdd::Expand(bytes, [&](const void* data, size_t size) {
        expanded.append(static_cast<const char*>(data), size);
        return true;
    });
    if (result == szdd::Result::NotSzdd)
        expanded = std::move(source);
    return result == szdd::Result::Expanded || result == szdd::Result::NotSzdd;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring commandLine = ::GetCommandLineW();
    AppendToLog(L"cmdline=" + commandLine + L"\r\n");
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(commandLine.c_str(), &argc);
    if (!argv)
        return kUsage;
    const std::wstring source = argc == 3 ? argv[1] : L"";
    const std::wstring target = argc == 3 ? argv[2] : L"";
    ::LocalFree(argv);
    if (source.empty() || target.empty())
        return kUsage;

    std::string bytes;
    if (!ReadWhole(source, bytes))
        return kNoSource;
    std::string expanded;
    const bool complete = Expand(std::move(bytes), expanded);
    if (!WriteWhole(target, expanded))
        return kDamaged;
    return complete ? kExpanded : kDamaged;
}
