// Prints what the process queries report in this process's Windows version, so that a test
// can see the other platform's path by running it as Windows 98:
//
//   process_probe.exe NAME   ->   platform=P count=C running=R
#include "wait/Processes.h"

#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExW(&version);
    std::printf("platform=%lu count=%d running=%d\n", version.dwPlatformId, CountProcesses(),
                argc > 1 ? IsProcessRunning(argv[1]) : 0);
    return 0;
}
