#include "catalogue/AppsDlg.h"

#include "resources/resource.h"

CAppsDlg::CAppsDlg() : COperationPage(IDD_APPS) {}
