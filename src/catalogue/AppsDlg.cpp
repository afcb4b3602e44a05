#include "catalogue/AppsDlg.h"

#include "resources/resource.h"

CAppsDlg::CAppsDlg(CWizardState& state) : CCataloguePage(IDD_APPS, state) {}
