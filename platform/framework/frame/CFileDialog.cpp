// The open/save dialog: filter conversion, the explorer hook that gives the object its
// window, and the notifications of the dialog frame.
#include "CFileDialog.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {

constexpr DWORD kFileBufferChars = 32 * 1024;  // room for a multiple selection

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize,
                         BOOL)
    : m_bOpenFileDialog(bOpenFileDialog), m_fileBuffer(kFileBufferChars, L'\0')
{
    m_pParentWnd = pParentWnd;
    m_ofn.lStructSize = dwSize != 0 ? dwSize : sizeof(OPENFILENAMEW);
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = kFileBufferChars;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = MAX_PATH;
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpfnHook = HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    if (lpszDefExt != nullptr) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != nullptr) {
        SetInitialFileName(lpszFileName);
    }
    if (lpszFilter != nullptr) {
        // The system wants NUL separators and a double NUL at the end.
        m_strFilter = lpszFilter;
        m_filterBuffer.assign(static_cast<const wchar_t*>(m_strFilter),
                              static_cast<const wchar_t*>(m_strFilter) + m_strFilter.GetLength());
        for (wchar_t& ch : m_filterBuffer) {
            if (ch == L'|') {
                ch = L'\0';
            }
        }
        m_filterBuffer.push_back(L'\0');
        m_filterBuffer.push_back(L'\0');
        m_ofn.lpstrFilter = m_filterBuffer.data();
    }
}

CFileDialog::~CFileDialog() = default;

void CFileDialog::SetInitialFileName(LPCTSTR lpszFileName)
{
    std::fill(m_fileBuffer.begin(), m_fileBuffer.end(), L'\0');
    if (lpszFileName != nullptr) {
        ::lstrcpynW(m_fileBuffer.data(), lpszFileName, static_cast<int>(m_fileBuffer.size()));
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.lpfnHook = HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    m_ofn.Flags |= OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    HWND hWndTop = nullptr;
    m_ofn.hwndOwner = CWnd::GetSafeOwner_(AfxHwndOf(m_pParentWnd), &hWndTop);
    const BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    if (m_hWnd != nullptr) {
        Detach();  // the system destroyed the dialog
    }
    if (hWndTop != nullptr) {
        ::EnableWindow(hWndTop, TRUE);
    }
    return ok ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG) {
        return 0;  // the object's window procedure has seen the message already
    }
    auto* ofn = reinterpret_cast<OPENFILENAMEW*>(lParam);
    auto* self = reinterpret_cast<CFileDialog*>(ofn->lCustData);
    if (self == nullptr || !self->SubclassWindow(hWnd)) {
        return 0;
    }
    return self->OnInitDialog();
}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNotify = reinterpret_cast<OFNOTIFYW*>(lParam);
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
        m_ofn.nFilterIndex = pNotify->lpOFN->nFilterIndex;
        OnTypeChange();
        return TRUE;
    case CDN_FILEOK: {
        const BOOL reject = OnFileNameOK();
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, reject ? 1 : 0);
        *pResult = reject ? 1 : 0;
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
    if (m_hWnd != nullptr && ::GetParent(m_hWnd) != nullptr) {
        wchar_t path[MAX_PATH] = {};
        if (::SendMessageW(::GetParent(m_hWnd), CDM_GETFILEPATH, MAX_PATH,
                           reinterpret_cast<LPARAM>(path)) > 0) {
            return path;
        }
    }
    return m_ofn.lpstrFile != nullptr ? CString(m_ofn.lpstrFile) : CString();
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    const int slash = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    return slash >= 0 ? path.Mid(slash + 1) : path;
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFolderPath() const
{
    if (m_hWnd != nullptr && ::GetParent(m_hWnd) != nullptr) {
        wchar_t path[MAX_PATH] = {};
        if (::SendMessageW(::GetParent(m_hWnd), CDM_GETFOLDERPATH, MAX_PATH,
                           reinterpret_cast<LPARAM>(path)) > 0) {
            return path;
        }
    }
    CString path = GetPathName();
    const int slash = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    return slash >= 0 ? path.Left(slash) : CString();
}
