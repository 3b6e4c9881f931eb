#include "toolkit/common/SplitterTracker.h"

#include <algorithm>

SplitterTracker::SplitterTracker(BOOL invert, BOOL desktop) noexcept
    : m_bInvert(invert), m_bDesktop(desktop)
{
}

void SplitterTracker::OnInvertTracker(const CRect& rect)
{
    if (m_pDC == nullptr || m_pWnd == nullptr) {
        return;
    }
    CRect drawn = rect;
    if (!m_bDesktop) {
        m_pWnd->ScreenToClient(&drawn);
    }
    if (m_bInvert) {
        ::InvertRect(m_pDC->m_hDC, &drawn);
        return;
    }
    CBrush* halftone = CDC::GetHalftoneBrush();
    HGDIOBJ old = ::SelectObject(m_pDC->m_hDC, halftone != nullptr ? halftone->m_hObject
                                                                   : ::GetStockObject(GRAY_BRUSH));
    ::PatBlt(m_pDC->m_hDC, drawn.left, drawn.top, drawn.Width(), drawn.Height(), PATINVERT);
    ::SelectObject(m_pDC->m_hDC, old);
}

BOOL SplitterTracker::Track(CWnd* trackWnd, CRect available, CRect& tracker, CPoint start,
                            BOOL horizontal)
{
    if (trackWnd == nullptr || trackWnd->GetSafeHwnd() == nullptr) {
        return FALSE;
    }
    HWND track = trackWnd->GetSafeHwnd();
    ::SetCapture(track);
    m_pWnd = m_bDesktop ? CWnd::GetDesktopWindow() : trackWnd;
    HWND drawWnd = m_pWnd->GetSafeHwnd();
    const BOOL locked = ::LockWindowUpdate(drawWnd);
    HDC hdc = ::GetDCEx(drawWnd, nullptr,
                        DCX_WINDOW | DCX_CACHE | (locked ? DCX_LOCKWINDOWUPDATE : 0));
    CDC dc;
    dc.m_hDC = dc.m_hAttribDC = hdc;
    m_pDC = hdc != nullptr ? &dc : nullptr;

    const CPoint grab = horizontal ? CPoint(tracker.left - start.x, 0)
                                   : CPoint(0, tracker.top - start.y);
    OnInvertTracker(tracker);
    if (!m_rcBound.IsRectEmpty()) {
        OnInvertTracker(m_rcBound);
    }

    BOOL accepted = FALSE;
    while (::GetCapture() == track) {
        MSG msg = {};
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            if (msg.message == WM_QUIT) {
                // The loop's owner still has to see the quit request.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            }
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            CPoint point(static_cast<short>(LOWORD(msg.lParam)),
                         static_cast<short>(HIWORD(msg.lParam)));
            ::ClientToScreen(msg.hwnd, &point);
            point += grab;
            // The left or top limit wins when the limits cross.
            point.x = std::max(std::min(point.x, available.right), available.left);
            point.y = std::max(std::min(point.y, available.bottom), available.top);
            const LONG delta = horizontal ? point.x - tracker.left : point.y - tracker.top;
            if (delta != 0) {
                OnInvertTracker(tracker);
                tracker.OffsetRect(horizontal ? delta : 0, horizontal ? 0 : delta);
                OnInvertTracker(tracker);
            }
        } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            break;
        } else if (msg.message == WM_LBUTTONUP) {
            accepted = TRUE;
            break;
        } else {
            ::DispatchMessageW(&msg);
        }
    }

    if (!m_rcBound.IsRectEmpty()) {
        OnInvertTracker(m_rcBound);
    }
    OnInvertTracker(tracker);
    if (::GetCapture() == track) {
        ::ReleaseCapture();
    }
    ::LockWindowUpdate(nullptr);
    m_pDC = nullptr;
    dc.m_hDC = dc.m_hAttribDC = nullptr;
    if (hdc != nullptr) {
        ::ReleaseDC(drawWnd, hdc);
    }
    return accepted;
}
