#include "restore/RestoreFileList.h"

#include "framework/FillingGuard.h"
#include "resources/resource.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

HICON LoadOwnIcon(UINT id) {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
}

HICON ShellOrOwnIcon(const std::wstring& shell32, int index, UINT ownIcon) {
    HICON icon = nullptr;
    const UINT extracted = ::ExtractIconExW(shell32.c_str(), index, nullptr, &icon, 1);
    if (extracted != 0 && extracted != UINT_MAX && icon)
        return icon;
    return LoadOwnIcon(ownIcon);
}

void AddIcon(CImageList& images, HICON icon) {
    if (icon) {
        images.Add(icon);
        ::DestroyIcon(icon);
    }
}

// Image 0 is the generic file; the icon cache adds one image per file type shown.
void CRestoreFileList::Attach(HWND list, const SystemLayout& layout) {
    m_list.Attach(list);
    m_images.Create(16, 16, ILC_COLOR8 | ILC_MASK, 1, 16);
    AddIcon(m_images, ShellOrOwnIcon(layout.Shell32Path(), 0, IDI_FILE));
    m_pIcons = std::make_unique<CFileIconCache>(m_images, layout);
    ::SetWindowLongPtrW(list, GWL_STYLE,
                        ::GetWindowLongPtrW(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
    m_list.SetImageList(m_images, LVSIL_SMALL);
    RECT client = {};
    ::GetClientRect(list, &client);
    m_list.InsertColumn(0, L"", client.right - client.left - 20);
    m_list.InsertColumn(1, L"", 0);
    m_list.SetExtendedStyle(LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
}

// Drawn once at the end: a folder of thousands of files would otherwise be redrawn per item.
// The list sorts its items itself; it finds an item's place by looking from its first item on,
// so the files go in from the last name to the first, each then taking the first place at once.
void CRestoreFileList::Show(const CRestoreFolder& folder) {
    std::vector<CRestoreFile*> files;
    files.reserve(folder.GetFileCount());
    for (size_t i = 0; i < folder.GetFileCount(); ++i)
        files.push_back(&folder.GetFile(i));
    std::stable_sort(files.begin(), files.end(), [](const CRestoreFile* a, const CRestoreFile* b) {
        return ::lstrcmpiW(a->GetName().data(), b->GetName().data()) > 0;
    });
    CFillingGuard filling(m_list);
    m_list.SendMessage(WM_SETREDRAW, FALSE);
    m_list.DeleteAllItems();
    for (CRestoreFile* file : files) {
        const std::wstring name(file->GetName());
        const int index =
            m_list.InsertItem(0, name, m_pIcons->ImageOf(name), reinterpret_cast<LPARAM>(file));
        if (index >= 0 && file->m_nState != 0)
            m_list.SetCheck(index, true);
    }
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(m_list, nullptr, TRUE);
}

void CRestoreFileList::Clear() {
    CFillingGuard filling(m_list);
    m_list.DeleteAllItems();
}

CRestoreFile* CRestoreFileList::FileOf(int item) const {
    return reinterpret_cast<CRestoreFile*>(m_list.GetItemData(item));
}
