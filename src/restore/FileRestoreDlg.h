#pragma once

#include "common/WizardState.h"
#include "framework/ImageList.h"
#include "framework/PropertySheet.h"
#include "framework/TreeCtrl.h"
#include "restore/RestoreFileList.h"

#include <memory>
#include <string>

// The wizard page through which the user restores factory copies of Windows files. It finds the
// recovery drive, builds the restore inventory behind a wait dialog and shows it: the folders as
// a tree, the files of the selected folder as a list, both with check boxes. Ticking a folder
// marks its files (and, with "Include sub-folders", everything below it); ticking a file marks
// that file. Finish restores the marked files, offers the restart that a file in use needs,
// and clears the marks; the page stays. Back leads to the intro page; Help opens the help file.
class CFileRestoreDlg : public CPropertyPageEx {
public:
    explicit CFileRestoreDlg(CWizardState& state);

    CTreeCtrl m_tree;
    CRestoreFileList m_files;
    std::wstring m_strInstruction;
    int m_bIncludeSubFolders = 1;
    std::wstring m_strRecoveryRoot;
    std::wstring m_strPreloadDir;
    std::wstring m_strLanguage;

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    LRESULT OnWizardBack() override;
    bool OnWizardFinish() override;
    void OnCancel() override;
    bool OnCommand(UINT id, UINT code, HWND hControl) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    // Set-up.
    void CreateImages();
    void ShowTexts();
    void BuildInventory();
    void PrepareControls();
    void InsertFolder(CRestoreFolder& folder, HTREEITEM parent);

    // The tree and the list.
    CRestoreFolder* FolderOf(HTREEITEM item) const;
    void ShowFiles(const CRestoreFolder* folder);
    void OnTreeClick();
    void OnTreeKey(const NMTVKEYDOWN& key);
    void TickFolder(HTREEITEM item);
    void SetChecksBelow(HTREEITEM item, bool checked) const;
    void OnListItemChanged(const NMLISTVIEW& change) const;

    // Finish.
    void OfferRestart() const;
    void ClearMarks();

    CWizardState& m_state;
    std::unique_ptr<CRestoreFolder> m_pRoot;
    const CRestoreFolder* m_pCurrentFolder = nullptr;
    HTREEITEM m_hRootItem = nullptr;
    CImageList m_treeImages;
    bool m_bRunning = false;
};
