// Views: joining the document at creation, painting through OnDraw, activation within the
// frame, and the view -> document command route.
#include "platform/framework/frame/CView.h"

#include "platform/framework/frame/CDocument.h"
#include "platform/framework/frame/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView() = default;

CView::~CView()
{
    if (m_pDocument != nullptr) {
        m_pDocument->RemoveView(this);
    }
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    cs.style |= WS_CLIPSIBLINGS;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1) {
        return -1;
    }
    auto* pContext =
        m_bContextInCreateParams ? static_cast<CCreateContext*>(lpcs->lpCreateParams) : nullptr;
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr && m_pDocument == nullptr) {
        pContext->m_pCurrentDoc->AddView(this);
    }
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* pFrame = GetParentFrame()) {
        if (pFrame->GetActiveView() == this) {
            pFrame->SetActiveView(nullptr, FALSE);
        }
    }
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    delete this;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView* pSender, LPARAM, CObject*)
{
    if (pSender != this) {
        Invalidate(TRUE);
    }
}

void CView::OnPrepareDC(CDC*, void*) {}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this) {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != nullptr && CWnd::HwndOf(pFrame) == ::GetActiveWindow()) {
            SetFocus();
        }
    }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    const int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT) {
        return nResult;
    }
    if (CFrameWnd* pFrame = GetParentFrame()) {
        pFrame->SetActiveView(this);
    }
    return nResult;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}
