// Control bars: layout through WM_SIZEPARENT and the idle update-UI pass.
#include "platform/framework/frame/CControlBar.h"

#include "platform/framework/frame/CFrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        DestroyWindow();
    }
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CControlBar::SetBorders(LPCRECT lpRect)
{
    SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

CRect CControlBar::GetBorders() const
{
    return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayShow)
        return TRUE;
    if (m_nStateFlags & delayHide)
        return FALSE;
    return m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0;
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    const BOOL shown = m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !shown)
        m_nStateFlags |= delayShow;
    else if (!bShow && shown)
        m_nStateFlags |= delayHide;
}

BOOL CControlBar::ApplyDelayedShow()
{
    const UINT pending = m_nStateFlags & (delayHide | delayShow);
    m_nStateFlags &= ~(delayHide | delayShow);
    if (pending == 0 || m_hWnd == nullptr)
        return FALSE;
    const BOOL shown = (GetStyle() & WS_VISIBLE) != 0;
    const BOOL show = (pending & delayShow) != 0;
    if (show == shown)
        return FALSE;
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE |
                     SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame hands out its client area again with the bar in or out.
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    return TRUE;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(m_cxLeftBorder + m_cxRightBorder, m_cyTopBorder + m_cyBottomBorder);
    if (bStretch) {
        if (bHorz) {
            size.cx = 32767;
        } else {
            size.cy = 32767;
        }
    }
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete) {
        delete this;
    }
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const DWORD align = m_dwStyle & CBRS_ALIGN_ANY;
    // Hidden or unaligned bars take no room.
    if (!IsVisible() || align == 0) {
        return 0;
    }
    const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CRect avail(lpLayout->rect);
    CSize size = CalcDynamicLayout(-1, (bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK) |
                                           (lpLayout->bStretch ? LM_STRETCH : 0));
    size.cx = std::min<LONG>(size.cx, std::max<LONG>(avail.Width(), 0));
    size.cy = std::min<LONG>(size.cy, std::max<LONG>(avail.Height(), 0));
    CRect rect = avail;
    if (bHorz) {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
        if (align & CBRS_ALIGN_TOP) {
            lpLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    } else {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
        if (align & CBRS_ALIGN_LEFT) {
            lpLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    // A null batch is a size query: nothing moves.
    if (lpLayout->hDWP != nullptr) {
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    }
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    ApplyDelayedShow();
    if (!IsVisible()) {
        return 0;
    }
    CFrameWnd* pTarget = GetParentFrame();
    if (pTarget == nullptr) {
        if (CWnd* pOwner = GetOwner(); pOwner != nullptr && pOwner->IsFrameWnd()) {
            pTarget = static_cast<CFrameWnd*>(pOwner);
        }
    }
    if (pTarget != nullptr) {
        OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    }
    return 0;
}
