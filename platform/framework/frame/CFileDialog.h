// CFileDialog: the system's open/save dialog in the explorer style with a hook. The object's
// window is the hook's child dialog (created from the hook's WM_INITDIALOG); its parent is
// the dialog frame the system draws. The chosen path is read back after DoModal.
#pragma once

#include "AfxFrameDefs.h"

#include <commdlg.h>

#include <vector>

class CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)

public:
    // lpszFilter: "name|pattern|name|pattern||" pairs.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr,
                         LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr,
                         DWORD dwSize = 0, BOOL bVistaStyle = FALSE);
    ~CFileDialog() override;

    OPENFILENAMEW m_ofn{};
    BOOL m_bOpenFileDialog;

    INT_PTR DoModal() override;
    // The chosen path (while the dialog is up: the one currently selected).
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFolderPath() const;
    void SetInitialFileName(LPCTSTR lpszFileName);

    // TRUE rejects the name the user chose (the dialog stays up).
    virtual BOOL OnFileNameOK();
    virtual void OnInitDone();
    virtual void OnFileNameChange();
    virtual void OnFolderChange();
    virtual void OnTypeChange();

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CString m_strFilter;
    CString m_strDefExt;
    std::vector<wchar_t> m_filterBuffer;
    std::vector<wchar_t> m_fileBuffer;
    wchar_t m_szFileTitle[MAX_PATH] = {};
};
