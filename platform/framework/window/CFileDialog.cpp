// File dialogs: the explorer-style hook child becomes the framework object's window.
#include "platform/framework/window/CFileDialog.h"

#include "platform/framework/window/CWinApp.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {

// Room for a multiple selection: a folder and many names.
constexpr size_t kFileBufferChars = 32768;

CString AskParent(const CFileDialog* dlg, UINT message)
{
    CString text;
    HWND hDialog = ::GetParent(dlg->m_hWnd);
    const LRESULT length = ::SendMessageW(hDialog, message, 0, 0);
    if (length <= 0) {
        return text;
    }
    LPTSTR buffer = text.GetBuffer(static_cast<int>(length) + 1);
    ::SendMessageW(hDialog, message, static_cast<WPARAM>(length) + 1,
                   reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer();
    return text;
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
    : m_bOpenFileDialog(bOpenFileDialog),
      m_fileBuffer(kFileBufferChars, L'\0'),
      m_titleBuffer(MAX_PATH, L'\0')
{
    m_pParentWnd = pParentWnd;
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    m_ofn.lpstrFileTitle = m_titleBuffer.data();
    m_ofn.nMaxFileTitle = static_cast<DWORD>(m_titleBuffer.size());
    m_ofn.lpfnHook = HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    if (lpszFileName != nullptr) {
        lstrcpynW(m_fileBuffer.data(), lpszFileName, static_cast<int>(m_fileBuffer.size()));
    }
    SetDefExt(lpszDefExt);
    if (lpszFilter != nullptr) {
        // "a|b|c|d||" becomes "a\0b\0c\0d\0\0".
        m_strFilter = lpszFilter;
        LPTSTR filter = m_strFilter.GetBuffer(m_strFilter.GetLength() + 1);
        for (LPTSTR p = filter; *p != 0; ++p) {
            if (*p == L'|') {
                *p = 0;
            }
        }
        m_strFilter.ReleaseBuffer(m_strFilter.GetLength());
        m_ofn.lpstrFilter = m_strFilter;
    }
}

void CFileDialog::SetDefExt(LPCTSTR lpsz)
{
    m_strDefExt = lpsz != nullptr ? lpsz : L"";
    m_ofn.lpstrDefExt = lpsz != nullptr ? static_cast<LPCTSTR>(m_strDefExt) : nullptr;
    if (m_hWnd != nullptr) {
        ::SendMessageW(::GetParent(m_hWnd), CDM_SETDEFEXT, 0,
                       reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(m_strDefExt)));
    }
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG) {
        return 0;
    }
    auto* ofn = reinterpret_cast<OPENFILENAMEW*>(lParam);
    auto* dlg = reinterpret_cast<CFileDialog*>(ofn->lCustData);
    if (dlg == nullptr || dlg->m_hWnd != nullptr || !dlg->SubclassWindow(hWnd)) {
        return 0;
    }
    return static_cast<UINT_PTR>(dlg->OnInitDialog());
}

INT_PTR CFileDialog::DoModal()
{
    HWND hWndTop = nullptr;
    m_ofn.hwndOwner = CWnd::GetSafeOwner_(HwndOf(m_pParentWnd), &hWndTop);
    const BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    if (hWndTop != nullptr) {
        ::EnableWindow(hWndTop, TRUE);
    }
    if (m_hWnd != nullptr) {
        UnsubclassWindow();
    }
    return ok ? IDOK : IDCANCEL;
}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNotify = reinterpret_cast<OFNOTIFYW*>(lParam);
    if (pNotify->hdr.hwndFrom != ::GetParent(m_hWnd)) {
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    switch (pNotify->hdr.code) {
    case CDN_INITDONE:
        OnInitDone();
        return TRUE;
    case CDN_SELCHANGE:
        OnFileNameChange();
        return TRUE;
    case CDN_FOLDERCHANGE:
        OnFolderChange();
        return TRUE;
    case CDN_TYPECHANGE:
        OnTypeChange();
        return TRUE;
    case CDN_FILEOK: {
        const LRESULT keepOpen = OnFileNameOK() ? 1 : 0;
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, keepOpen);
        *pResult = keepOpen;
        return TRUE;
    }
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}

BOOL CFileDialog::OnFileNameOK()
{
    return FALSE;
}

void CFileDialog::OnInitDone() {}

void CFileDialog::OnFileNameChange() {}

void CFileDialog::OnFolderChange() {}

void CFileDialog::OnTypeChange() {}

CString CFileDialog::GetPathName() const
{
    if (m_hWnd != nullptr) {
        return AskParent(this, CDM_GETFILEPATH);
    }
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const
{
    if (m_hWnd != nullptr) {
        return AskParent(this, CDM_GETSPEC);
    }
    const CString path = GetPathName();
    const int slash = path.ReverseFind(L'\\');
    return slash >= 0 ? path.Mid(slash + 1) : path;
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Left(dot) : name;
}

CString CFileDialog::GetFolderPath() const
{
    if (m_hWnd != nullptr) {
        return AskParent(this, CDM_GETFOLDERPATH);
    }
    const CString path = GetPathName();
    const int slash = path.ReverseFind(L'\\');
    return slash >= 0 ? path.Left(slash) : CString();
}

void CFileDialog::SetControlText(int nID, LPCTSTR lpsz)
{
    ::SendMessageW(::GetParent(m_hWnd), CDM_SETCONTROLTEXT, static_cast<WPARAM>(nID),
                   reinterpret_cast<LPARAM>(lpsz));
}

void CFileDialog::HideControl(int nID)
{
    ::SendMessageW(::GetParent(m_hWnd), CDM_HIDECONTROL, static_cast<WPARAM>(nID), 0);
}
