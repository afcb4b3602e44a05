#include "restore/FileRestoreDlg.h"

#include "common/HelpFile.h"
#include "common/InstallIni.h"
#include "common/Paths.h"
#include "common/PrivateProfile.h"
#include "common/RebootFlag.h"
#include "common/RecoverySource.h"
#include "common/RestartWindows.h"
#include "framework/FillingGuard.h"
#include "resources/resource.h"
#include "restore/InventoryDlg.h"
#include "restore/RestoreProgressDlg.h"

#include <windowsx.h>

namespace {
const int kRootImage = 0;
const int kClosedFolderImage = 1;
const int kOpenFolderImage = 2;
} // namespace

CFileRestoreDlg::CFileRestoreDlg(CWizardState& state)
    : CPropertyPageEx(IDD_FILE_RESTORE), m_state(state) {}

BOOL CFileRestoreDlg::OnInitDialog() {
    m_tree.Attach(GetDlgItem(IDC_RESTORE_TREE));
    CreateImages();
    m_strRecoveryRoot = FindRestoreRoot();
    m_strLanguage =
        m_strRecoveryRoot.empty() ? std::wstring() : ReadMasterLanguage(m_strRecoveryRoot, L"");
    m_strPreloadDir =
        m_strRecoveryRoot.empty() ? L"\\PRELOAD" : JoinPath(m_strRecoveryRoot, L"PRELOAD");
    ShowTexts();
    BuildInventory();
    PrepareControls();
    {
        CFillingGuard filling(m_tree);
        m_tree.DeleteAllItems();
        InsertFolder(*m_pRoot, TVI_ROOT);
    }
    m_tree.Expand(m_hRootItem, TVE_EXPAND);
    m_tree.SelectItem(m_hRootItem);
    ShowFiles(m_pRoot.get());
    return TRUE;
}

// The program's icon for the root, closed and open folders.
void CFileRestoreDlg::CreateImages() {
    const std::wstring shell32 = m_state.Windows().Layout().Shell32Path();
    m_treeImages.Create(16, 16, ILC_COLOR8 | ILC_MASK, 3, 1);
    AddIcon(m_treeImages, LoadOwnIcon(IDI_RESTORE_ROOT));
    AddIcon(m_treeImages, ShellOrOwnIcon(shell32, 3, IDI_FOLDER_CLOSED));
    AddIcon(m_treeImages, ShellOrOwnIcon(shell32, 4, IDI_FOLDER_OPEN));
}

void CFileRestoreDlg::ShowTexts() {
    m_strInstruction =
        ProfileLanguageText(m_strLanguage, L"SelFilesFolders", IDS_SEL_FILES_FOLDERS);
    SetDlgItemText(IDC_RESTORE_INSTRUCTION, m_strInstruction);
    SetDlgItemText(IDC_RESTORE_SUBFOLDERS,
                   ProfileLanguageText(m_strLanguage, L"SubFolder", IDS_SUBFOLDER));
    m_bIncludeSubFolders = 1;
    ::CheckDlgButton(m_hWnd, IDC_RESTORE_SUBFOLDERS, BST_CHECKED);
}

void CFileRestoreDlg::BuildInventory() {
    m_pCurrentFolder = nullptr;
    m_pRoot = std::make_unique<CRestoreFolder>(L"ROOT");
    CInventoryDlg inventory;
    inventory.m_strLanguage = m_strLanguage;
    inventory.m_strPreloadDir = m_strPreloadDir;
    inventory.m_pRoot = m_pRoot.get();
    RunModal(inventory);
}

void CFileRestoreDlg::PrepareControls() {
    m_files.Attach(GetDlgItem(IDC_RESTORE_LIST), m_state.Windows().Layout());
    m_tree.EnableCheckBoxes();
    m_tree.SetImageList(m_treeImages, TVSIL_NORMAL);
}

// Sorted among its siblings; the root keeps its own image whether selected or not.
void CFileRestoreDlg::InsertFolder(CRestoreFolder& folder, HTREEITEM parent) {
    const bool isRoot = &folder == m_pRoot.get();
    const HTREEITEM item =
        m_tree.InsertItem(folder.GetName(), isRoot ? kRootImage : kClosedFolderImage,
                          isRoot ? kRootImage : kOpenFolderImage, parent, TVI_SORT);
    if (isRoot)
        m_hRootItem = item;
    m_tree.SetItemData(item, reinterpret_cast<LPARAM>(&folder));
    for (size_t i = 0; i < folder.GetChildCount(); ++i)
        InsertFolder(folder.GetChild(i), item);
}

bool CFileRestoreDlg::OnSetActive() {
    GetSheet().PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
    GetSheet().PostMessage(WM_SHOW_TITLE);
    // The intro page hides Back; this page shows it again.
    GetSheet().GetDlgItem(ID_WIZBACK).ShowWindow(SW_SHOW);
    return true;
}

LRESULT CFileRestoreDlg::OnWizardBack() {
    return m_bRunning ? kStay : IDD_INTRO;
}

// The controls let go of the records before the records go.
void CFileRestoreDlg::OnCancel() {
    {
        CFillingGuard filling(m_tree);
        m_tree.DeleteAllItems();
    }
    m_files.Clear();
    m_pCurrentFolder = nullptr;
    m_pRoot.reset();
}

bool CFileRestoreDlg::OnCommand(UINT id, UINT code, HWND hControl) {
    if (id != ID_HELP)
        return CPropertyPageEx::OnCommand(id, code, hControl);
    OpenHelpFile(m_hWnd);
    return true;
}

bool CFileRestoreDlg::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->code == PSN_HELP) {
        OpenHelpFile(m_hWnd);
        return true;
    }
    if (header->idFrom == IDC_RESTORE_TREE) {
        switch (header->code) {
        case TVN_SELCHANGEDW:
            if (!m_tree.IsFilling())
                ShowFiles(FolderOf(reinterpret_cast<const NMTREEVIEWW*>(header)->itemNew.hItem));
            result = 0;
            return true;
        case NM_CLICK:
            OnTreeClick();
            result = 0;
            return true;
        case TVN_KEYDOWN:
            OnTreeKey(*reinterpret_cast<const NMTVKEYDOWN*>(header));
            result = 0;
            return true;
        default:
            break;
        }
    }
    if (header->idFrom == IDC_RESTORE_LIST && header->code == LVN_ITEMCHANGED) {
        OnListItemChanged(*reinterpret_cast<const NMLISTVIEW*>(header));
        result = 0;
        return true;
    }
    return CPropertyPageEx::OnNotify(header, result);
}

CRestoreFolder* CFileRestoreDlg::FolderOf(HTREEITEM item) const {
    return item ? reinterpret_cast<CRestoreFolder*>(m_tree.GetItemData(item)) : nullptr;
}

void CFileRestoreDlg::ShowFiles(const CRestoreFolder* folder) {
    if (!folder)
        return;
    m_pCurrentFolder = folder;
    m_files.Show(*folder);
}

// Only a click on an item's check box counts; the tree then toggles the box itself.
void CFileRestoreDlg::OnTreeClick() {
    const DWORD position = ::GetMessagePos();
    POINT point = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ::ScreenToClient(m_tree, &point);
    UINT where = 0;
    const HTREEITEM item = m_tree.HitTest(point, &where);
    if (item && (where & TVHT_ONITEMSTATEICON))
        TickFolder(item);
}

// The space bar toggles the selected item's box as a click on it does.
void CFileRestoreDlg::OnTreeKey(const NMTVKEYDOWN& key) {
    if (key.wVKey != VK_SPACE)
        return;
    if (const HTREEITEM item = m_tree.GetSelectedItem())
        TickFolder(item);
}

// With "Include sub-folders" the boxes of every folder below follow the ticked one.
void CFileRestoreDlg::TickFolder(HTREEITEM item) {
    CRestoreFolder* folder = FolderOf(item);
    if (!folder)
        return;
    m_bIncludeSubFolders = ::IsDlgButtonChecked(m_hWnd, IDC_RESTORE_SUBFOLDERS) == BST_CHECKED;
    const int state = folder->m_nState ? 0 : 1;
    folder->Tick(state, m_bIncludeSubFolders != 0);
    if (m_bIncludeSubFolders)
        SetChecksBelow(item, state != 0);
    ShowFiles(folder);
    m_tree.Expand(item, TVE_EXPAND);
    m_tree.SelectItem(item);
}

void CFileRestoreDlg::SetChecksBelow(HTREEITEM item, bool checked) const {
    for (HTREEITEM child = m_tree.GetChildItem(item); child;
         child = m_tree.GetNextSiblingItem(child)) {
        m_tree.SetCheck(child, checked);
        SetChecksBelow(child, checked);
    }
}

// The file's mark follows its box, whether a click or the space bar changed it.
void CFileRestoreDlg::OnListItemChanged(const NMLISTVIEW& change) const {
    if (m_files.Control().IsFilling() || !(change.uChanged & LVIF_STATE) ||
        ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) == 0)
        return;
    if (CRestoreFile* file = m_files.FileOf(change.iItem))
        file->m_nState = IsCheckBoxTicked(change.uNewState) ? 1 : 0;
}

bool CFileRestoreDlg::OnWizardFinish() {
    // Finish reaches the page even while the sheet is disabled: one run at a time.
    if (m_bRunning || !m_pRoot)
        return false;
    m_bRunning = true;
    CRestoreProgressDlg progress(m_state.Windows());
    progress.m_pRoot = m_pRoot.get();
    progress.m_strLanguage = m_strLanguage;
    progress.m_strRecoveryRoot = m_strRecoveryRoot;
    RunModal(progress);
    OfferRestart();
    ClearMarks();
    m_bRunning = false;
    return false;
}

// A file in use waits for the restart. The inventory stays until Windows actually goes down,
// so a declined restart loses nothing.
void CFileRestoreDlg::OfferRestart() const {
    if (RebootFlagExists(m_state.Windows().Layout().RebootFlagPath()))
        AskForRestart(m_hWnd, m_strLanguage, m_state.Windows().m_bNt5 != 0);
}

void CFileRestoreDlg::ClearMarks() {
    m_pRoot->ClearMarks();
    m_tree.SetCheck(m_hRootItem, false);
    SetChecksBelow(m_hRootItem, false);
    m_tree.Expand(m_hRootItem, TVE_EXPAND);
    m_tree.SelectItem(m_hRootItem);
    ShowFiles(m_pRoot.get());
}
