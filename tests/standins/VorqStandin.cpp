// Stand-in for vorq.exe, a program outside the system whose running the wait windows watch.
//
//   vorq.exe [MS]
//
// Runs for MS milliseconds (5,000 without argument) and ends.
#include <windows.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    wchar_t* end = nullptr;
    long milliseconds = std::wcstol(arguments, &end, 10);
    ::Sleep(end == arguments || milliseconds < 0 ? 5000 : milliseconds);
    return 0;
}
