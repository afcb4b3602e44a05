#include "restore/FileRestoreDlg.h"

#include "resources/resource.h"

CFileRestoreDlg::CFileRestoreDlg() : COperationPage(IDD_FILE_RESTORE) {}
