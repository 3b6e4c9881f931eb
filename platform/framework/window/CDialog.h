// CDialog: a dialog box from a resource template, modal (with the framework's own modal loop,
// so PreTranslateMessage and idle processing go on) or modeless (also as a child of another
// dialog). Data moves between members and controls through DoDataExchange/UpdateData.
#pragma once

#include "platform/framework/window/CDataExchange.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // -1 when the template cannot be found or the dialog cannot be created (or the
    // application is quitting); IDCANCEL when the window was destroyed under the loop.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnSetFont(CFont* pFont);
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtl() const;
    void PrevDlgCtl() const;
    void SetDefID(UINT nID) { SendMessage(DM_SETDEFID, nID); }
    DWORD GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
    BOOL IsDialogMessage(LPMSG lpMsg) { return ::IsDialogMessageW(m_hWnd, lpMsg); }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    UINT m_nIDHelp = 0;
    LPCTSTR m_lpszTemplateName = nullptr;
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;
    HWND m_hWndTop = nullptr;

protected:
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    LPCDLGTEMPLATE FindTemplate(LPCTSTR lpszTemplateName, HINSTANCE* phInst) const;
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    void OnHelp();

    DECLARE_MESSAGE_MAP()
};

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
