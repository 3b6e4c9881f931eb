// Form views: the child dialog from the template, its scroll size and keyboard handling.
#include "platform/framework/frame/CFormView.h"

#include "platform/framework/frame/CDocument.h"
#include "platform/framework/frame/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

CFormView::CFormView(UINT nIDTemplate)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_nIDHelp(nIDTemplate)
{
    m_bContextInCreateParams = FALSE;
}

CFormView::CFormView(LPCTSTR lpszTemplateName) : m_lpszTemplateName(lpszTemplateName)
{
    m_bContextInCreateParams = FALSE;
    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    }
}

CFormView::~CFormView() = default;

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID, CCreateContext* pContext)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResourceW(hInst, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hGlobal = hRsrc != nullptr ? ::LoadResource(hInst, hRsrc) : nullptr;
    auto* lpTemplate =
        hGlobal != nullptr ? static_cast<LPCDLGTEMPLATE>(::LockResource(hGlobal)) : nullptr;
    if (lpTemplate == nullptr) {
        PostNcDestroy();  // as a failed window creation: the view goes away
        return FALSE;
    }
    // The dialog's creation message carries no context, so the view joins its document here.
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr) {
        pContext->m_pCurrentDoc->AddView(this);
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(hInst, lpTemplate, AfxHwndOf(pParentWnd),
                                             AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate()) {
        PostNcDestroy();
        return FALSE;
    }
    if (hWnd == nullptr) {
        return FALSE;
    }
    CRect templateRect;
    GetWindowRect(&templateRect);
    SetScrollSizes(MM_TEXT, templateRect.Size());
    SetDlgCtrlID(static_cast<int>(nID));
    ModifyStyle(WS_POPUP | WS_CAPTION | WS_THICKFRAME, WS_CHILD | WS_CLIPSIBLINGS);
    ModifyStyleEx(0, dwStyle & WS_BORDER ? 0 : WS_EX_CLIENTEDGE,
                  SWP_FRAMECHANGED);
    ::SetWindowPos(m_hWnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (dwStyle & WS_VISIBLE) {
        ShowWindow(SW_SHOWNOACTIVATE);
    }
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

void CFormView::OnDraw(CDC*) {}

void CFormView::DoDataExchange(CDataExchange*) {}

BOOL CFormView::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();  // the validation already told the user
        return FALSE;
    }
    return TRUE;
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (CScrollView::PreTranslateMessage(pMsg)) {
        return TRUE;
    }
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || m_hWnd == nullptr) {
        return FALSE;
    }
    // Dialog navigation would eat the frames' accelerators, so the frames go first.
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame != nullptr;
         pFrame = pFrame->GetParentFrame()) {
        if (pFrame->PreTranslateMessage(pMsg)) {
            return TRUE;
        }
    }
    return ::IsDialogMessageW(m_hWnd, pMsg);
}
