#include "catalogue/CatalogueKind.h"

#include "resources/resource.h"

const CatalogueKind kApplicationCatalogue = {
    IDD_APPS,
    IDC_APPS_LIST,
    IDC_APPS_PROMPT,
    IDC_APPS_ADVICE1,
    IDC_APPS_ADVICE2,
    &SourceDirs::appsDir,
    L"App",
    L"Data",
    L"GetAppList",
    IDS_GET_APP_LIST,
    L"GetAppList2",
    IDS_GET_APP_LIST2,
    L"GetAppList3",
    IDS_GET_APP_LIST3,
    L"InstallApp",
    IDS_INSTALL_APPS,
    false,
};

const CatalogueKind kDriverCatalogue = {
    IDD_DRIVERS,
    IDC_DRIVERS_LIST,
    IDC_DRIVERS_PROMPT,
    IDC_DRIVERS_ADVICE,
    0,
    &SourceDirs::driversDir,
    L"Drv",
    L"Drv",
    L"GetDriverList",
    IDS_GET_DRIVER_LIST,
    L"GetDriverList2",
    IDS_GET_DRIVER_LIST2,
    nullptr,
    0,
    L"InstallDriver",
    IDS_INSTALL_DRIVERS,
    true,
};
