#pragma once

#include "catalogue/CatalogueKind.h"

#include <string>
#include <vector>

// The catalogue of a recovery source: the description files to offer, each with the text that
// the list shows. Reading it needs no window.

struct CatalogueEntry {
    std::wstring description; // the list's text
    std::wstring fileName;    // the description file's name, which the installation run receives
    bool operator==(const CatalogueEntry&) const = default;
};

// The machine-wide install-all setting: [Quorvane] AutoExec of C:\Util\Software.ini is "on" in
// any case. Both catalogues follow it.
bool IsInstallAllMode(const std::wstring& settingsFile = L"C:\\Util\\Software.ini");

// The exclusion entries Exclude1 ... Exclude99 of Install.ini's [Exclude], in that order; empty
// values and "none" are left out, and a gap in the numbering does not end the list.
std::vector<std::wstring> ReadExclusions();

// Check-box mode: every description file (".dta", in any case) of the item directory's DTA
// folder that no exclusion names and whose Description is given, with its name in lower case.
std::vector<CatalogueEntry> ListDescriptionFiles(const CatalogueKind& kind, const SourceDirs& dirs,
                                                 const std::vector<std::wstring>& exclusions);

// Install-all mode: the description files that Install.ini lists (DtaFile1 ... DtaFile99), as
// written, unless excluded, unsafe as a relative path, or without a Description.
std::vector<CatalogueEntry> ListConfiguredFiles(const CatalogueKind& kind, const SourceDirs& dirs,
                                                const std::vector<std::wstring>& exclusions);

// The description file of a catalogue name: the item directory's DTA folder + the name.
std::wstring DescriptionFilePath(const CatalogueKind& kind, const SourceDirs& dirs,
                                 const std::wstring& name);
