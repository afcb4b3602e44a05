#pragma once

#include "common/AppFlags.h"

#include <windows.h>

#include <string>

// What a step of an installation run needs besides its own inputs. The run fills it on its
// worker thread and hands it to the steps explicitly, so that no step reads process-wide state.
struct InstallContext {
    // The run's dialog: owner of the nested dialogs, and where the progress texts go.
    HWND hDialog = nullptr;
    WindowsVersionFlags windows; // m_bNt5, m_bWin2000; Layout() gives the system's directories
    std::wstring sourceRoot;     // X:\ or empty
    std::wstring language;       // the run's language section of Install.ini
    std::wstring itemSection = L"App"; // description files' section: "App", or "Drv" for drivers
    std::wstring i386Dir; // X:\I386: relative sources of the bundle scripts lie below it
};
