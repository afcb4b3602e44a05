#pragma once

#include "framework/Wnd.h"

// A modal dialog from a template of the program's resources.
//
// One static dialog procedure serves every dialog: it stores the object's address at
// WM_INITDIALOG and then dispatches each message to a virtual handler. Handlers may throw;
// the procedure runs them behind the exception barrier (framework/ExceptionBarrier.h), and a
// message whose handler threw counts as not handled.
//
// A modal dialog disables its owner while it runs: a dialog started from a wizard page is
// owned by the sheet (CPropertyPageEx::RunModal), so that the wizard cannot be used meanwhile.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND owner = nullptr)
        : m_templateId(templateId), m_hOwner(owner) {}

    // Runs the dialog until EndDialog; returns its result, or -1 when it could not be created.
    INT_PTR DoModal();
    // The same, owned by `owner` (nullptr: no owner), which stays disabled while it runs.
    INT_PTR DoModal(HWND owner);
    void EndDialog(INT_PTR result) const { ::EndDialog(m_hWnd, result); }
    UINT GetTemplateId() const { return m_templateId; }

protected:
    // The focus goes to the first control when it returns TRUE.
    virtual BOOL OnInitDialog() { return TRUE; }
    // A command from a control or menu; returns true when handled. The default handles
    // IDOK and IDCANCEL through OnOK and OnCancel.
    virtual bool OnCommand(UINT id, UINT code, HWND hControl);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // A notification of a child control; `result` goes back to its sender.
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    virtual void OnTimer(UINT_PTR id);
    // Any other message; returns true when handled, with `result` as the message's result.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The handler of a notification threw. Returns true with the `result` that its sender must
    // get, where "not handled" would do harm; the default leaves it unhandled.
    virtual bool OnNotifyFailed(const NMHDR& header, LRESULT& result);

    // The dispatch shared with the wizard pages, which find their object differently.
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    static CDialog* FromHandle(HWND hWnd);
    static void Bind(HWND hWnd, CDialog* dialog);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR DispatchToHandlers(UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR ReturnResult(UINT msg, LRESULT result);

    UINT m_templateId;
    HWND m_hOwner;
};
