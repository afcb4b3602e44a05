#include "catalogue/AppsDlg.h"

CAppsDlg::CAppsDlg(CWizardState& state) : CCataloguePage(kApplicationCatalogue, state) {}
