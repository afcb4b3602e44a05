// Holds files open as a program that uses them does: without sharing them for writing or
// deletion, so that they cannot be replaced while it runs.
//
//   file_holder.exe READY FILE...
//
// Opens every FILE, then creates the file READY to say so, and waits until it is ended. Ends
// with 1 at once when a FILE cannot be opened.
#include <windows.h>

#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments || count < 3)
        return 2;
    for (int i = 2; i < count; ++i) {
        const HANDLE held = ::CreateFileW(arguments[i], GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        if (held == INVALID_HANDLE_VALUE)
            return 1;
    }
    const HANDLE ready =
        ::CreateFileW(arguments[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready == INVALID_HANDLE_VALUE)
        return 1;
    ::CloseHandle(ready);
    ::Sleep(INFINITE);
    return 0;
}
