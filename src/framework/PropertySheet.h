#pragma once

#include "framework/Dialog.h"

#include <commctrl.h>
#include <prsht.h>

#include <string>
#include <vector>

// A page of a Wizard97 sheet. The sheet's notifications reach these handlers:
//
//   OnSetActive     true shows the page, false skips it;
//   OnWizardNext    0 goes to the next page in order, -1 stays, a page's template id goes there;
//   OnWizardBack    the same, backwards;
//   OnWizardFinish  true lets the sheet close;
//   OnQueryCancel   true lets Cancel end the sheet;
//   OnCancel        the sheet is ending by Cancel.
//
// A page whose OnKillActive, OnWizardNext, OnWizardBack or OnWizardFinish throws stays where
// it is, and the sheet stays open.
class CPropertyPageEx : public CDialog {
public:
    // OnWizardNext and OnWizardBack: stay on this page.
    static constexpr LRESULT kStay = -1;

    explicit CPropertyPageEx(UINT templateId, DWORD extraFlags = 0)
        : CDialog(templateId), m_dwExtraFlags(extraFlags) {}

    // Header texts of an interior page; they must be set before the sheet is created.
    void SetHeader(const std::wstring& title, const std::wstring& subtitle);
    HPROPSHEETPAGE CreatePage();
    CWnd GetSheet() const { return GetParent(); }

    // Runs a modal dialog owned by the sheet: the whole wizard (Back, Next, Finish, Cancel and
    // the close box) is disabled until the dialog ends. Every dialog that a page starts runs
    // this way. Returns what DoModal returns.
    INT_PTR RunModal(CDialog& dialog) const { return dialog.DoModal(GetSheet()); }

protected:
    virtual bool OnSetActive() { return true; }
    virtual bool OnKillActive() { return true; }
    virtual LRESULT OnWizardNext() { return 0; }
    virtual LRESULT OnWizardBack() { return 0; }
    virtual bool OnWizardFinish() { return true; }
    virtual bool OnQueryCancel() { return true; }
    void OnCancel() override {}
    void OnOK() override {}
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    bool OnNotifyFailed(const NMHDR& header, LRESULT& result) override;

private:
    static INT_PTR CALLBACK PageProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    DWORD m_dwExtraFlags;
    std::wstring m_strHeaderTitle;
    std::wstring m_strHeaderSubtitle;
};

// A modal Wizard97 sheet with a stretched watermark and a header bitmap.
//
// The sheet's window belongs to the common controls. To see its messages the object
// subclasses it (SetWindowLongPtrW) as it is created: a creation hook on the calling thread
// catches the first dialog window, before its WM_INITDIALOG. OnInitDialog then runs after the
// sheet's own initialisation, which has already created and initialised the first page. (The
// sheet callback's PSCB_INITIALIZED comes too early for that: within the sheet's
// initialisation, before the first page exists.) Handlers run behind the exception barrier;
// a message whose handler threw goes on to the sheet's own procedure.
class CPropertySheetEx : public CWnd {
public:
    static constexpr DWORD kWizard97Flags = PSH_WIZARD97 | PSH_WATERMARK | PSH_USEHBMWATERMARK |
                                            PSH_STRETCHWATERMARK | PSH_HEADER | PSH_USEHBMHEADER;

    CPropertySheetEx(const std::wstring& caption, HBITMAP watermark, HBITMAP header);
    virtual ~CPropertySheetEx() = default;

    void AddPage(CPropertyPageEx* page) { m_pages.push_back(page); }
    // Runs the sheet until it ends; returns what PropertySheetW returns.
    INT_PTR DoModal();
    // Ends the sheet as its Cancel button does.
    void EndWizard() const { PostMessage(PSM_PRESSBUTTON, PSBTN_CANCEL); }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SheetProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Subclass(HWND hWnd);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT CallSheetProc(UINT msg, WPARAM wParam, LPARAM lParam) const;

    WNDPROC m_pfnSheetProc = nullptr; // the common controls' procedure, which SheetProc wraps
    std::wstring m_strCaption;
    HBITMAP m_hbmWatermark;
    HBITMAP m_hbmHeader;
    std::vector<CPropertyPageEx*> m_pages;
};
