#pragma once

#include "common/SystemLayout.h"

#include <string>

// What the INF processing reports while it works, and how it learns of a cancellation.
class IInfProgress {
public:
    virtual ~IInfProgress() = default;
    // The file being copied, and where it comes from (empty texts between directives).
    virtual void ShowFile(const std::wstring& name) = 0;
    virtual void ShowFrom(const std::wstring& text) = 0;
    // Asked before each file and each registry or INI line.
    virtual bool IsCancelled() = 0;
};

// One INF install section to carry out.
struct InfJob {
    std::wstring infPath;
    std::wstring section;
    std::wstring sourceRoot; // what directory id 100 stands for
    std::wstring language;   // the section of Install.ini with the texts
    SystemLayout layout;
};

// Carries out the install section of an INF file: its CopyFiles, then its AddReg, then its
// UpdateInis directives; a directive that fails or is cancelled skips the rest. Other
// directives (DelFiles, DelReg ...) are not carried out. The INF's lines are untrusted: a file
// name that is not a plain name, and a directory or INI name that would leave its directory,
// are passed over, as are files that cannot be copied and registry or INI writes that fail.
// True unless cancelled.
bool CarryOutInfSection(const InfJob& job, IInfProgress& progress);
