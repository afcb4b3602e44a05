#pragma once

#include "common/SystemLayout.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "restore/FileIcons.h"
#include "restore/RestoreRecords.h"

#include <memory>

// The file list of the restore page: the files of one folder with their type's icon and a check
// box that shows the file's mark. Each item carries its own file, so that two files of one name
// are told apart; the list sorts the items by name.
class CRestoreFileList {
public:
    // Takes over the list control: one wide column and a hidden one, check boxes, and the
    // images, which stay this object's.
    void Attach(HWND list, const SystemLayout& layout);

    const CListCtrl& Control() const { return m_list; }
    const CImageList& Images() const { return m_images; }

    // Shows the folder's files.
    void Show(const CRestoreFolder& folder);
    // Shows nothing.
    void Clear();
    // The file of an item, or nullptr.
    CRestoreFile* FileOf(int item) const;

private:
    CListCtrl m_list;
    CImageList m_images;
    std::unique_ptr<CFileIconCache> m_pIcons;
};

// A small icon of the program's own; the caller destroys it.
HICON LoadOwnIcon(UINT id);
// A small icon of the shell library, or the program's own icon when the library does not have it
// where the layout says (Windows 6 and later keep it elsewhere). The caller destroys it.
HICON ShellOrOwnIcon(const std::wstring& shell32, int index, UINT ownIcon);
// Adds the icon to the images and destroys it (the list keeps its own copy).
void AddIcon(CImageList& images, HICON icon);
