#include "restore/InventoryDlg.h"

#include "common/PrivateProfile.h"
#include "resources/resource.h"

CInventoryDlg::CInventoryDlg() : CWorkerDlg(IDD_INVENTORY) {}

BOOL CInventoryDlg::OnInitDialog() {
    SetDlgItemText(IDC_INVENTORY_TEXT,
                   ProfileLanguageText(m_strLanguage, L"InpInfo", IDS_INP_INFO));
    return CWorkerDlg::OnInitDialog();
}

void CInventoryDlg::HandOverInputs() {
    m_work.preloadDir = m_strPreloadDir;
    m_work.root = m_pRoot;
}

void CInventoryDlg::Work() {
    if (!m_work.root)
        return;
    CInventoryBuilder builder(*m_work.root, ReadExclusionList());
    builder.Build(PreloadDirs(m_work.preloadDir));
}
