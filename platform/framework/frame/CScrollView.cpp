// Scrolling views: scroll-bar ranges from the total size, scrolling by line and page.
#include "platform/framework/frame/CScrollView.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() = default;

CScrollView::~CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage,
                                 const SIZE& sizeLine)
{
    // Only device units are supported: every other mode is taken as MM_TEXT.
    m_nMapMode = nMapMode == MM_TEXT ? nMapMode : MM_TEXT;
    m_totalDev = CSize(std::max<LONG>(sizeTotal.cx, 0), std::max<LONG>(sizeTotal.cy, 0));
    m_pageDev = sizePage;
    m_lineDev = sizeLine;
    if (m_pageDev.cx == 0) {
        m_pageDev.cx = m_totalDev.cx / 10;
    }
    if (m_pageDev.cy == 0) {
        m_pageDev.cy = m_totalDev.cy / 10;
    }
    if (m_lineDev.cx == 0) {
        m_lineDev.cx = m_pageDev.cx / 10;
    }
    if (m_lineDev.cy == 0) {
        m_lineDev.cy = m_pageDev.cy / 10;
    }
    if (m_hWnd != nullptr) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

CPoint CScrollView::GetScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

void CScrollView::UpdateBars()
{
    if (m_bInUpdateBars || m_hWnd == nullptr) {
        return;
    }
    m_bInUpdateBars = TRUE;
    CRect client;
    GetClientRect(&client);
    // The client area without the bars decides whether they are needed.
    if (GetStyle() & WS_VSCROLL) {
        client.right += ::GetSystemMetrics(SM_CXVSCROLL);
    }
    if (GetStyle() & WS_HSCROLL) {
        client.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    }
    // A bar needed in one direction takes room from the other.
    const int cxBar = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
    bool needH = m_totalDev.cx > client.Width();
    bool needV = m_totalDev.cy > client.Height();
    if (needH && !needV) {
        needV = m_totalDev.cy > client.Height() - cyBar;
    }
    if (needV && !needH) {
        needH = m_totalDev.cx > client.Width() - cxBar;
    }
    const int cx = client.Width() - (needV ? cxBar : 0);
    const int cy = client.Height() - (needH ? cyBar : 0);
    const CPoint pos = GetScrollPosition();
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    info.nMin = 0;
    info.nMax = needH ? m_totalDev.cx - 1 : 0;
    info.nPage = needH ? static_cast<UINT>(cx) : 0;
    info.nPos = needH ? std::min<int>(pos.x, m_totalDev.cx - cx) : 0;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
    info.nMax = needV ? m_totalDev.cy - 1 : 0;
    info.nPage = needV ? static_cast<UINT>(cy) : 0;
    info.nPos = needV ? std::min<int>(pos.y, m_totalDev.cy - cy) : 0;
    ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
    m_bInUpdateBars = FALSE;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    const CPoint old = GetScrollPosition();
    SetScrollPos(SB_HORZ, std::max<int>(pt.x, 0));
    SetScrollPos(SB_VERT, std::max<int>(pt.y, 0));
    const CPoint now = GetScrollPosition();
    ScrollWindow(old.x - now.x, old.y - now.y);
}

void CScrollView::OnPrepareDC(CDC* pDC, void* pInfo)
{
    pDC->SetMapMode(m_nMapMode);
    const CPoint pos = GetScrollPosition();
    pDC->SetViewportOrg(-pos.x, -pos.y);
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::OnScroll(int nBar, UINT nSBCode)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, nBar, &info);
    const int line = nBar == SB_HORZ ? m_lineDev.cx : m_lineDev.cy;
    const int page = nBar == SB_HORZ ? m_pageDev.cx : m_pageDev.cy;
    int pos = info.nPos;
    switch (nSBCode) {
    case SB_LINEUP:
        pos -= std::max(line, 1);
        break;
    case SB_LINEDOWN:
        pos += std::max(line, 1);
        break;
    case SB_PAGEUP:
        pos -= std::max(page, 1);
        break;
    case SB_PAGEDOWN:
        pos += std::max(page, 1);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = info.nTrackPos;
        break;
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = info.nMax;
        break;
    default:
        return;
    }
    const int maxPos = std::max<int>(info.nMax - static_cast<int>(info.nPage) + 1, 0);
    pos = std::clamp(pos, 0, maxPos);
    CPoint target = GetScrollPosition();
    (nBar == SB_HORZ ? target.x : target.y) = pos;
    ScrollToPosition(target);
}

void CScrollView::OnHScroll(UINT nSBCode, UINT, CScrollBar*)
{
    OnScroll(SB_HORZ, nSBCode);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    OnScroll(SB_VERT, nSBCode);
}
