// Dialogs: template lookup, creation through the framework hook, the modal loop and the
// standard OK/Cancel/help handling.
#include "platform/framework/window/CDialog.h"

#include "platform/framework/window/CFont.h"
#include "platform/framework/window/CWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    // Everything is handled by the framework window procedure in front of the dialog class.
    return FALSE;
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate),
      m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)),
      m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    }
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        DestroyWindow();
    }
}

LPCDLGTEMPLATE CDialog::FindTemplate(LPCTSTR lpszTemplateName, HINSTANCE* phInst) const
{
    // The resource module first (it may hold translated dialogs), then the instance.
    HINSTANCE candidates[] = {AfxGetResourceHandle(), AfxGetInstanceHandle()};
    for (HINSTANCE hInst : candidates) {
        HRSRC hRsrc = ::FindResourceW(hInst, lpszTemplateName, MAKEINTRESOURCEW(5));
        if (hRsrc == nullptr) {
            continue;
        }
        HGLOBAL hRes = ::LoadResource(hInst, hRsrc);
        if (hRes == nullptr) {
            continue;
        }
        *phInst = hInst;
        return static_cast<LPCDLGTEMPLATE>(::LockResource(hRes));
    }
    return nullptr;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd,
                                HINSTANCE hInst)
{
    if (lpDialogTemplate == nullptr) {
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(hInst, lpDialogTemplate, CWnd::HwndOf(pParentWnd),
                                             AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate()) {
        PostNcDestroy();
    }
    return hWnd != nullptr;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0) {
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    }
    if (pParentWnd == nullptr) {
        pParentWnd = AfxGetMainWnd();
    }
    m_pParentWnd = pParentWnd;
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE lpTemplate = FindTemplate(lpszTemplateName, &hInst);
    return CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    if (pParentWnd == nullptr) {
        pParentWnd = AfxGetMainWnd();
    }
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, AfxGetInstanceHandle());
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = nullptr;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    if (m_lpszTemplateName != nullptr) {
        lpTemplate = FindTemplate(m_lpszTemplateName, &hInst);
    }
    if (lpTemplate == nullptr || m_hWnd != nullptr) {
        return -1;
    }
    // Owner: the given parent's top-level window, else the main window's active popup.
    HWND hWndParent = CWnd::GetSafeOwner_(CWnd::HwndOf(m_pParentWnd), &m_hWndTop);
    BOOL bEnableParent = FALSE;
    if (hWndParent != nullptr && hWndParent != ::GetDesktopWindow() &&
        ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent), hInst) &&
        (m_nFlags & WF_CONTINUEMODAL)) {
        DWORD dwFlags = MLF_SHOWONIDLE;
        if (GetStyle() & DS_NOIDLEMSG) {
            dwFlags |= MLF_NOIDLEMSG;
        }
        RunModalLoop(dwFlags);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;
    if (m_hWnd != nullptr) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (bEnableParent) {
        ::EnableWindow(hWndParent, TRUE);
    }
    if (hWndParent != nullptr && ::GetActiveWindow() == m_hWnd) {
        ::SetActiveWindow(hWndParent);
    }
    DestroyWindow();
    if (m_hWndTop != nullptr) {
        ::EnableWindow(m_hWndTop, TRUE);
        m_hWndTop = nullptr;
    }
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) {
        EndModalLoop(nResult);
    }
    if (m_hWnd != nullptr) {
        ::EndDialog(m_hWnd, nResult);
    }
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    Default();
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    // A failed exchange leaves the dialog up: the validation already told the user.
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::OnSetFont(CFont*) {}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();  // the user has been told already
        return FALSE;
    } catch (CException* e) {
        wchar_t text[512] = {};
        if (!e->GetErrorMessage(text, 512)) {
            lstrcpynW(text, L"The dialog's data could not be exchanged.", 512);
        }
        e->Delete();
        AfxMessageBox(text, MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl != nullptr && pWndCtrl->m_hWnd != nullptr) {
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
    }
}

void CDialog::NextDlgCtl() const
{
    SendMessage(WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtl() const
{
    SendMessage(WM_NEXTDLGCTL, 1, 0);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg)) {
        return TRUE;
    }
    // Escape in a multi-line edit still cancels the dialog.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
        (::GetWindowLongW(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE)) {
        wchar_t cls[16] = {};
        ::GetClassNameW(pMsg->hwnd, cls, 16);
        if (lstrcmpiW(cls, L"Edit") == 0) {
            HWND hCancel = ::GetDlgItem(m_hWnd, IDCANCEL);
            if (hCancel == nullptr || ::IsWindowEnabled(hCancel)) {
                SendMessage(WM_COMMAND, IDCANCEL, 0);
                return TRUE;
            }
        }
    }
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) {
        return FALSE;
    }
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

LRESULT CDialog::OnCommandHelp(WPARAM, LPARAM lParam)
{
    if (lParam == 0 && m_nIDHelp != 0) {
        lParam = HID_BASE_RESOURCE + m_nIDHelp;
    }
    if (lParam != 0) {
        if (CWinApp* app = AfxGetApp()) {
            app->WinHelpInternal(static_cast<DWORD_PTR>(lParam), HELP_CONTEXT);
        }
        return TRUE;
    }
    return FALSE;
}

void CDialog::OnHelp()
{
    SendMessage(WM_COMMANDHELP, 0, 0);
}
