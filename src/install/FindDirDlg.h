#pragma once

#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/TreeCtrl.h"

#include <string>

// The directory browser in which the operator looks for the directory that holds a wanted
// file. The tree of drives and directories is read lazily: a branch is read when it is
// expanded and forgotten when it is collapsed; an item with empty text is a placeholder that
// only makes its parent expandable. The files of the selected directory are listed; when one
// of them is the wanted file, or its compressed form (last character replaced by "_"), it is
// selected and named, and OK becomes available.
class CFindDirDlg : public CDialog {
public:
    // Images of the tree and the list, by index.
    enum Image {
        ImageFile,
        ImageRemovable,
        ImageFixed,
        ImageRemote,
        ImageRamDisk,
        ImageCdRom,
        ImageFolderClosed,
        ImageFolderOpen,
        ImageProgram,
        ImageLibrary,
        ImageSetupInfo
    };

    explicit CFindDirDlg(HWND parent = nullptr);

    CListCtrl m_list;
    CTreeCtrl m_tree;
    std::wstring m_strFound; // the wanted file's name as found
    CImageList m_images;
    HTREEITEM m_hCurrent = nullptr; // the item last expanded or selected
    // Result: the full path of the selected directory.
    std::wstring m_strSelectedDir;
    // In: the wanted file. Out: the name found, which may be the compressed one.
    std::wstring m_strWanted;
    int m_nMatch = -1; // list index of the file found

    // The path of a tree item: the texts of its ancestors and its own, joined by backslashes.
    std::wstring GetItemPath(HTREEITEM item) const;

protected:
    BOOL OnInitDialog() override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnOK() override;

private:
    void CreateImages();
    void FillDrives();
    void InsertPlaceholder(HTREEITEM parent) const;
    // True to cancel the expansion.
    bool OnItemExpanding(HTREEITEM item, UINT action);
    bool InsertSubdirectories(HTREEITEM item);
    void OnSelChanged(HTREEITEM item);
    void ListFiles(const std::wstring& directory);
    void ShowMatch();

    std::wstring m_strWantedAsGiven; // lower case; each listing matches against it afresh
};
