#pragma once

#include <windows.h>

#include <commctrl.h>

// An image list owned by this wrapper. Controls that show it must not destroy it themselves
// (a list view needs LVS_SHAREIMAGELISTS), and must not outlive it.
class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    bool Create(int cx, int cy, UINT flags, int initial, int grow) {
        DeleteImageList();
        m_hImageList = ::ImageList_Create(cx, cy, flags, initial, grow);
        return m_hImageList != nullptr;
    }
    // Returns the new image's index, or -1.
    int Add(HICON icon) const { return ::ImageList_AddIcon(m_hImageList, icon); }
    int GetImageCount() const { return ::ImageList_GetImageCount(m_hImageList); }
    operator HIMAGELIST() const { return m_hImageList; }

    void DeleteImageList() {
        if (m_hImageList)
            ::ImageList_Destroy(m_hImageList);
        m_hImageList = nullptr;
    }

private:
    HIMAGELIST m_hImageList = nullptr;
};
