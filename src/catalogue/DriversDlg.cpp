#include "catalogue/DriversDlg.h"

CDriversDlg::CDriversDlg(CWizardState& state) : CCataloguePage(kDriverCatalogue, state) {}
