// Prints the Windows-version flags that start-up derives, for the test that runs this probe
// under each Windows version Wine can report.
#include "app/RecoveryApp.h"

#include <cstdio>

int main() {
    theApp.ReadWindowsVersion();
    std::printf("nt5=%d win2000=%d\n", theApp.m_bNt5, theApp.m_bWin2000);
    return 0;
}
