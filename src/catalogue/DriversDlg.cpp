#include "catalogue/DriversDlg.h"

#include "resources/resource.h"

CDriversDlg::CDriversDlg() : COperationPage(IDD_DRIVERS) {}
