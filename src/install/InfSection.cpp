#include "install/InfSection.h"

// The INF processing fills this. Until then no section is carried out, so an item installed
// from INF files counts as not installed.
bool RunInfSection(const InstallContext& context, const std::wstring& infPath,
                   const std::wstring& section) {
    (void)context;
    (void)infPath;
    (void)section;
    return false;
}
