#pragma once

#include "common/SystemLayout.h"

// The flags of the application object that the pages and runs below it read. Start-up owns
// them (the application object derives from both) and hands them down, so that nothing below
// the program frame needs the application object itself.

// The Windows version, as start-up reads it.
struct WindowsVersionFlags {
    int m_bNt5 = 0;     // Windows major version 5
    int m_bWin2000 = 0; // Windows 5.0: system paths below C:\Winnt

    SystemLayout Layout() const { return SystemLayout{m_bWin2000 != 0, m_bNt5 != 0}; }
};

// The recovery partition's exposure. The direct installation uses them without a wizard.
struct PartitionFlags {
    // The intro page's search may still run the partition tool (once per wizard).
    int m_bMayExposePartition = 0;
    // The program made the partition reachable itself and owes the counterpart call.
    int m_bPartitionExposed = 0;
};
