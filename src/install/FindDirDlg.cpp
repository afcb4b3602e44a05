#include "install/FindDirDlg.h"

#include "common/FileFind.h"
#include "common/Paths.h"
#include "common/TextCase.h"
#include "resources/resource.h"

namespace {
// The icons of the images, in the order of CFindDirDlg::Image.
const UINT kImageIcons[] = {IDI_FILE,          IDI_DRIVE_REMOVABLE, IDI_DRIVE_FIXED,
                            IDI_DRIVE_NETWORK, IDI_DRIVE_RAM,       IDI_DRIVE_CDROM,
                            IDI_FOLDER_CLOSED, IDI_FOLDER_OPEN,     IDI_PROGRAM,
                            IDI_LIBRARY,       IDI_SETUP_INFO};
const int kImageCount = sizeof(kImageIcons) / sizeof(kImageIcons[0]);

bool HasSubdirectory(const std::wstring& directory) {
    // The walk stops at the first subdirectory.
    return !ForEachEntry(directory, [](const CFileFind& find) { return !find.IsDirectory(); });
}

// The image of a drive by its type; -1 for a drive the browser does not show.
int DriveImage(UINT type) {
    switch (type) {
    case DRIVE_REMOVABLE:
        return CFindDirDlg::ImageRemovable;
    case DRIVE_FIXED:
        return CFindDirDlg::ImageFixed;
    case DRIVE_REMOTE:
        return CFindDirDlg::ImageRemote;
    case DRIVE_RAMDISK:
        return CFindDirDlg::ImageRamDisk;
    case DRIVE_CDROM:
        return CFindDirDlg::ImageCdRom;
    default:
        return -1;
    }
}

// The image of a file by the four characters from its first dot on: "a.b.exe" is a file.
int FileImage(const std::wstring& name) {
    size_t dot = name.find(L'.');
    std::wstring kind = dot == std::wstring::npos ? std::wstring() : name.substr(dot, 4);
    if (kind == L".inf")
        return CFindDirDlg::ImageSetupInfo;
    if (kind == L".exe")
        return CFindDirDlg::ImageProgram;
    if (kind == L".dll" || kind == L".vxd" || kind == L".drv")
        return CFindDirDlg::ImageLibrary;
    return CFindDirDlg::ImageFile;
}

// The name with its last character replaced by "_", as compressed files are named.
std::wstring CompressedName(const std::wstring& name) {
    return name.empty() ? std::wstring() : name.substr(0, name.size() - 1) + L"_";
}
} // namespace

CFindDirDlg::CFindDirDlg(HWND parent) : CDialog(IDD_FIND_DIR, parent) {}

BOOL CFindDirDlg::OnInitDialog() {
    m_list.Attach(GetDlgItem(IDC_FINDDIR_LIST));
    m_tree.Attach(GetDlgItem(IDC_FINDDIR_TREE));
    CreateImages();
    RECT client = {};
    ::GetClientRect(m_list, &client);
    m_list.InsertColumn(0, L"", client.right - client.left - 20);

    m_strWanted = MakeLower(m_strWanted);
    m_strWantedAsGiven = m_strWanted;
    SetWindowText(GetWindowText() + L" " + m_strWanted);
    m_nMatch = -1;
    FillDrives();
    GetDlgItem(IDOK).EnableWindow(false);
    return TRUE;
}

void CFindDirDlg::CreateImages() {
    m_images.Create(16, 16, ILC_COLOR8, kImageCount, kImageCount);
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (UINT id : kImageIcons) {
        auto icon = static_cast<HICON>(
            ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        m_images.Add(icon);
        if (icon)
            ::DestroyIcon(icon);
    }
    m_tree.SetImageList(m_images, TVSIL_NORMAL);
    m_list.SetImageList(m_images, LVSIL_SMALL);
}

// Only fixed drives are read now; the others are read when the operator expands them, so that
// an empty disc drive or a slow network does not hold up the dialog.
void CFindDirDlg::FillDrives() {
    m_tree.DeleteAllItems();
    DWORD drives = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (!(drives & (1u << letter)))
            continue;
        std::wstring root = {static_cast<wchar_t>(L'A' + letter), L':', L'\\'};
        UINT type = ::GetDriveTypeW(root.c_str());
        int image = DriveImage(type);
        if (image < 0)
            continue;
        HTREEITEM item = m_tree.InsertItem(root, image, image);
        if (type != DRIVE_FIXED || HasSubdirectory(root))
            InsertPlaceholder(item);
    }
}

void CFindDirDlg::InsertPlaceholder(HTREEITEM parent) const {
    m_tree.InsertItem(L"", ImageFolderClosed, ImageFolderClosed, parent);
}

std::wstring CFindDirDlg::GetItemPath(HTREEITEM item) const {
    std::wstring path = m_tree.GetItemText(item);
    for (HTREEITEM parent = m_tree.GetParentItem(item); parent;
         parent = m_tree.GetParentItem(parent))
        path = JoinPath(m_tree.GetItemText(parent), path);
    return path;
}

bool CFindDirDlg::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->idFrom != IDC_FINDDIR_TREE)
        return false;
    auto* tree = reinterpret_cast<NMTREEVIEWW*>(header);
    switch (header->code) {
    case TVN_ITEMEXPANDINGW:
        result = OnItemExpanding(tree->itemNew.hItem, tree->action) ? TRUE : FALSE;
        return true;
    case TVN_SELCHANGEDW:
        OnSelChanged(tree->itemNew.hItem);
        result = 0;
        return true;
    default:
        return false;
    }
}

bool CFindDirDlg::OnItemExpanding(HTREEITEM item, UINT action) {
    m_hCurrent = item;
    if (action & TVE_EXPAND) {
        // The first child is the placeholder; deleting no item at all would empty the tree.
        if (HTREEITEM placeholder = m_tree.GetChildItem(item))
            m_tree.DeleteItem(placeholder);
        return !InsertSubdirectories(item);
    }
    if (action & TVE_COLLAPSE) {
        while (HTREEITEM child = m_tree.GetChildItem(item))
            m_tree.DeleteItem(child);
        // A drive stays expandable: a disc may be inserted before the next try.
        if (!m_tree.GetParentItem(item) || HasSubdirectory(GetItemPath(item)))
            InsertPlaceholder(item);
    }
    return false;
}

// Returns false when the directory holds no subdirectory.
bool CFindDirDlg::InsertSubdirectories(HTREEITEM item) {
    std::wstring path = GetItemPath(item);
    bool inserted = false;
    ForEachEntry(path, [&](const CFileFind& find) {
        if (!find.IsDirectory())
            return;
        HTREEITEM child = m_tree.InsertItem(find.GetFileName(), ImageFolderClosed, ImageFolderOpen,
                                            item, TVI_SORT);
        if (HasSubdirectory(find.GetFilePath()))
            InsertPlaceholder(child);
        inserted = true;
    });
    return inserted;
}

void CFindDirDlg::OnSelChanged(HTREEITEM item) {
    m_hCurrent = item;
    m_strSelectedDir = GetItemPath(item);
    m_list.DeleteAllItems();
    ListFiles(m_strSelectedDir);
    ShowMatch();
}

// Every listing starts without a match, so that OK always names a directory that holds the
// wanted file.
void CFindDirDlg::ListFiles(const std::wstring& directory) {
    m_nMatch = -1;
    m_strWanted = m_strWantedAsGiven;
    std::wstring matched;
    const std::wstring compressed = CompressedName(m_strWantedAsGiven);
    ForEachEntry(directory, [&](const CFileFind& find) {
        if (find.IsDirectory())
            return;
        std::wstring name = MakeLower(find.GetFileName());
        m_list.InsertItem(m_list.GetItemCount(), name, FileImage(name));
        if (name == m_strWantedAsGiven || (matched.empty() && name == compressed))
            matched = name;
    });
    // The list sorts itself, so the match's index is known only once every name is in.
    if (!matched.empty()) {
        m_strWanted = matched;
        m_nMatch = m_list.FindItem(matched);
    }
}

void CFindDirDlg::ShowMatch() {
    bool found = m_nMatch != -1;
    if (found) {
        m_list.SetItemState(m_nMatch, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_list.EnsureVisible(m_nMatch);
    }
    m_strFound = found ? m_strWanted : std::wstring();
    GetDlgItem(IDOK).EnableWindow(found);
    SetDlgItemText(IDC_FINDDIR_FOUND, m_strFound);
}

void CFindDirDlg::OnOK() {
    // Enter reaches here even while the OK button is disabled.
    if (m_nMatch != -1)
        EndDialog(IDOK);
}
