// CFileDialog: the system's Open and Save As dialogs in the explorer style, with the
// framework object attached to the hook child dialog, so derived classes handle its messages,
// its notifications (CDN_*) and their own controls through message maps.
#pragma once

#include "platform/framework/window/CDialog.h"

#include <commdlg.h>

#include <vector>

class CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)

public:
    // lpszFilter: pairs of "description|pattern|", ending with "|".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr,
                         LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr,
                         DWORD dwSize = 0, BOOL bVistaStyle = TRUE);

    OPENFILENAMEW m_ofn{};
    BOOL m_bOpenFileDialog;

    // IDOK with a file chosen, IDCANCEL otherwise (also when the dialog failed to open).
    INT_PTR DoModal() override;

    // While the dialog is up these ask it; afterwards they read the result.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    void SetControlText(int nID, LPCTSTR lpsz);
    void HideControl(int nID);
    void SetDefExt(LPCTSTR lpsz);

protected:
    // FALSE accepts the name; TRUE keeps the dialog open.
    virtual BOOL OnFileNameOK();
    virtual void OnInitDone();
    virtual void OnFileNameChange();
    virtual void OnFolderChange();
    virtual void OnTypeChange();
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<wchar_t> m_fileBuffer;
    std::vector<wchar_t> m_titleBuffer;
    CString m_strFilter;
    CString m_strDefExt;
};
