#pragma once

#include "framework/WorkerDlg.h"
#include "restore/RestoreInventory.h"

#include <string>

// The wait dialog behind which the restore inventory is built on a worker thread. It has no
// buttons and ignores Escape: it ends only when the inventory is complete, so the page never
// sees a half-built tree. The caller sets the inputs and runs DoModal.
class CInventoryDlg : public CWorkerDlg {
public:
    CInventoryDlg();

    std::wstring m_strLanguage;
    std::wstring m_strPreloadDir;
    CRestoreFolder* m_pRoot = nullptr;

protected:
    BOOL OnInitDialog() override;
    void HandOverInputs() override;
    void Work() override;

private:
    // The inputs as the worker sees them.
    struct WorkerInputs {
        std::wstring preloadDir;
        CRestoreFolder* root = nullptr;
    } m_work;
};
