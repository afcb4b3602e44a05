#include "catalogue/DriversDlg.h"

#include "resources/resource.h"

CDriversDlg::CDriversDlg(CWizardState& state) : CCataloguePage(IDD_DRIVERS, state) {}
