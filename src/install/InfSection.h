#pragma once

#include "install/InstallContext.h"

#include <string>

// Carries out the install section `section` of the INF file `infPath` (file lists to copy,
// registry entries, INI updates) for the run of `context`. True when the section was carried
// out; false when it failed, was cancelled, or could not be carried out at all.
bool RunInfSection(const InstallContext& context, const std::wstring& infPath,
                   const std::wstring& section);
