#pragma once

#include "common/RecoverySource.h"

#include <windows.h>

// What tells the application catalogue and its page from the driver catalogue and its page:
// controls, sections, keys and string-table defaults. One page class serves both.
struct CatalogueKind {
    UINT templateId;
    int listId;
    int promptId;
    int advice1Id;
    int advice2Id; // 0: the page has no second advice line

    // The directory that holds the DTA folder of description files.
    std::wstring SourceDirs::*itemDir;
    // The section of the description files ("App", "Drv").
    const wchar_t* itemSection;
    // The Install.ini section that lists the description files of the install-all mode.
    const wchar_t* installAllSection;

    // Texts of the language section, with their string-table defaults.
    const wchar_t* promptKey;
    UINT promptDefault;
    const wchar_t* advice1Key;
    UINT advice1Default;
    const wchar_t* advice2Key; // nullptr: no second advice
    UINT advice2Default;
    const wchar_t* installAllPromptKey;
    UINT installAllPromptDefault;

    bool driverMode;
};

// The applications of I386\APPS.
extern const CatalogueKind kApplicationCatalogue;
// The drivers of I386\DRV.
extern const CatalogueKind kDriverCatalogue;
