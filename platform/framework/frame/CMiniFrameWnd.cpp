// Mini frames: tool-caption frames whose activation follows their owner frame.
#include "platform/framework/frame/CMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_WM_NCACTIVATE()
    ON_WM_ACTIVATE()
    ON_WM_SYSCOMMAND()
    ON_WM_NCLBUTTONDOWN()
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

CMiniFrameWnd::~CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                           const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName,
                             DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName != nullptr ? lpWindowName : L"";
    m_bSysMenu = (dwStyle & WS_SYSMENU) != 0;
    if (dwStyle & (MFS_THICKFRAME | MFS_4THICKFRAME)) {
        dwStyle |= WS_THICKFRAME;
    }
    dwExStyle |= WS_EX_TOOLWINDOW;
    // A child is placed in its parent with its id; a popup is owned by pParentWnd.
    HMENU hMenuOrId = (dwStyle & WS_CHILD)
                          ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))
                          : nullptr;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top,
                          AfxHwndOf(pParentWnd), hMenuOrId, nullptr);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    }
    return TRUE;
}

CFrameWnd* CMiniFrameWnd::GetSyncOwner() const
{
    if (m_hWnd == nullptr || (GetStyle() & MFS_SYNCACTIVE) == 0) {
        return nullptr;
    }
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hOwner == nullptr) {
        hOwner = ::GetParent(m_hWnd);
    }
    CWnd* pOwner = FromHandlePermanent(hOwner);
    return pOwner != nullptr && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : nullptr;
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    if ((GetStyle() & MFS_SYNCACTIVE) == 0) {
        return 0;
    }
    const auto flags = static_cast<DWORD>(wParam);
    if (flags & FS_HIDE) {
        if (GetStyle() & WS_VISIBLE) {
            ShowWindow(SW_HIDE);
            m_nFlags |= WF_TEMPHIDE;
        }
    } else if (flags & FS_SHOW) {
        if (m_nFlags & WF_TEMPHIDE) {
            m_nFlags &= ~WF_TEMPHIDE;
            ShowWindow(SW_SHOWNOACTIVATE);
        }
    }
    if (flags & (FS_ENABLE | FS_DISABLE)) {
        EnableWindow((flags & FS_ENABLE) != 0);
    }
    if (flags & (FS_ACTIVATE | FS_DEACTIVATE)) {
        const BOOL bActive = (flags & FS_ACTIVATE) != 0;
        if (bActive != m_bActive) {
            m_bActive = bActive;
            SendMessage(WM_NCACTIVATE, bActive);
        }
    }
    return TRUE;
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    // A synchronised caption shows its owner's state, not its own.
    if (GetStyle() & MFS_SYNCACTIVE) {
        bActive = m_bActive;
    }
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

void CMiniFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (CFrameWnd* pOwner = GetSyncOwner()) {
        pOwner->SyncActivation(nState != WA_INACTIVE ? m_hWnd : AfxHwndOf(pWndOther));
    }
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    const UINT command = nID & 0xFFF0;
    if ((GetStyle() & MFS_BLOCKSYSMENU) && (command == SC_KEYMENU || command == SC_MOUSEMENU)) {
        return;
    }
    CWnd::OnSysCommand(nID, lParam);
}

void CMiniFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if ((GetStyle() & MFS_BLOCKSYSMENU) && nHitTest == HTSYSMENU) {
        return;
    }
    CWnd::OnNcLButtonDown(nHitTest, point);
}
