// Scroll-bar geometry, hit testing and the modal tracking loop of a self-drawn scroll bar.
// Stored ranges and pages come from the owner and may be inconsistent (a page above the range,
// a bar too short for its arrows): every division and every position is clamped so the thumb
// never leaves the track and a reported position never leaves the range.
#include "toolkit/controls/CUTKScrollBase.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdint>

#include "toolkit/controls/CUTKScrollBarPaintManager.h"
#include "toolkit/controls/ScrollTrackingLock.h"

namespace {

int Along(const UTK_SCROLLBAR_POSINFO& s, POINT pt) { return s.vertical ? pt.y : pt.x; }

// Sets the start or end of a rectangle along the bar's axis.
void SetAxisStart(const UTK_SCROLLBAR_POSINFO& s, CRect& rc, int value)
{
    (s.vertical ? rc.top : rc.left) = value;
}
void SetAxisEnd(const UTK_SCROLLBAR_POSINFO& s, CRect& rc, int value)
{
    (s.vertical ? rc.bottom : rc.right) = value;
}

// posMax - posMin + 1 without overflow, kept in int range.
int64_t RangeOf(const UTK_SCROLLBAR_POSINFO& s)
{
    return static_cast<int64_t>(s.posMax) - s.posMin + 1;
}

int ClampToInt(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

// The last position a thumb can report: posMax - page + 1 (posMax without a page), never below
// posMin.
int LastPosition(const UTK_SCROLLBAR_POSINFO& s)
{
    int64_t last = s.page != 0 ? static_cast<int64_t>(s.posMax) - s.page + 1 : s.posMax;
    return ClampToInt(std::max<int64_t>(last, s.posMin));
}

}  // namespace

CUTKScrollBase::CUTKScrollBase() = default;

CUTKScrollBase::~CUTKScrollBase() = default;

void CUTKScrollBase::CalcGeometry(const RECT& rc, UTK_SCROLLBAR_POSINFO* s, const SCROLLINFO& si,
                                  int arrowMetric, int fixedThumbLength)
{
    s->rc = rc;
    s->pxPopup = 0;
    if (s->vertical) {
        s->pxTop = rc.top;
        s->pxBottom = rc.bottom;
        s->pxLeft = rc.left;
        s->pxRight = rc.right;
    } else {
        s->pxTop = rc.left;
        s->pxBottom = rc.right;
        s->pxLeft = rc.top;
        s->pxRight = rc.bottom;
    }
    int arrow = arrowMetric;
    s->thumbLength = arrowMetric;
    s->posMin = si.nMin;
    s->posMax = si.nMax;
    s->page = static_cast<int>(std::min<UINT>(si.nPage, INT_MAX));
    s->pos = si.nPos;

    int half = std::max((s->pxBottom - s->pxTop) / 2, 0);
    if (half < arrow)
        arrow = half;
    s->pxUpArrow = s->pxTop + arrow;
    s->pxDownArrow = s->pxBottom - arrow;

    const int64_t range = RangeOf(*s);
    if (s->page != 0 && range > 0) {
        const int thumb = ::MulDiv(s->pxDownArrow - s->pxUpArrow, s->page, ClampToInt(range));
        s->thumbLength = std::max(thumb, arrowMetric / 2);
    }
    if (fixedThumbLength > 0)
        s->thumbLength = fixedThumbLength;

    s->pxMin = s->pxTop + arrow;
    // A bar shorter than its arrows and thumb has no track, not a negative one.
    s->trackLength = std::max(s->pxBottom - s->thumbLength - s->pxMin - arrow, 0);

    const int64_t page = s->page != 0 ? s->page : 1;
    const int64_t room = range - page;
    if (room <= 0) {
        // The whole range fits one page (or the page exceeds it): the bar is disabled and its
        // thumb sits one pixel before the track.
        s->pxThumbTop = s->pxMin - 1;
    } else {
        int64_t offset = std::clamp<int64_t>(static_cast<int64_t>(s->pos) - s->posMin, 0, room);
        s->pxThumbTop =
            s->pxMin + ::MulDiv(ClampToInt(offset), s->trackLength, ClampToInt(room));
    }
    s->pxThumbBottom = s->pxThumbTop + s->thumbLength;
}

int CUTKScrollBase::HitTest(const UTK_SCROLLBAR_POSINFO& s, POINT pt)
{
    if (!::PtInRect(&s.rc, pt))
        return UTK_HTNONE;
    const int p = Along(s, pt);
    if (p < s.pxUpArrow)
        return UTK_HTSCROLLUP;
    if (s.pxPopup > 0 && s.pxPopup < p)
        return UTK_HTSCROLLPOPUP;
    if (p >= s.pxDownArrow)
        return UTK_HTSCROLLDOWN;
    if (p < s.pxThumbTop)
        return UTK_HTSCROLLUPPAGE;
    if (p < s.pxThumbBottom)
        return UTK_HTSCROLLTHUMB;
    return UTK_HTSCROLLDOWNPAGE;
}

int CUTKScrollBase::PosFromThumbPixel(const UTK_SCROLLBAR_POSINFO& s, int pixel)
{
    if (pixel < s.pxMin)
        return s.posMin;
    const int last = LastPosition(s);
    // Without a track every pixel stands for the first position (not one before it).
    if (s.trackLength <= 0)
        return s.posMin;
    if (pixel >= s.pxMin + s.trackLength)
        return last;
    int64_t span = static_cast<int64_t>(s.posMax) - s.posMin - (s.page != 0 ? s.page - 1 : 0);
    span = std::max<int64_t>(span, 0);
    int64_t pos = s.posMin + ::MulDiv(ClampToInt(span), pixel - s.pxMin, s.trackLength);
    return ClampToInt(std::clamp<int64_t>(pos, s.posMin, last));
}

CRect CUTKScrollBase::CalcDragRect(const UTK_SCROLLBAR_POSINFO& s, int systemThumbSize)
{
    CRect rc(s.rc);
    const int across = 8 * (s.pxRight - s.pxLeft);
    const int along = 2 * systemThumbSize;
    if (s.vertical)
        rc.InflateRect(across, along);
    else
        rc.InflateRect(along, across);
    return rc;
}

void CUTKScrollBase::CalcScrollBarInfo(LPRECT rc, UTK_SCROLLBAR_POSINFO* sbInfo, SCROLLINFO* si)
{
    if (rc == nullptr || sbInfo == nullptr || si == nullptr)
        return;
    const CUTKScrollBarPaintManager* painter = GetScrollBarPaintManager();
    int arrow;
    if (painter != nullptr)
        arrow = sbInfo->vertical ? painter->m_cyVScroll : painter->m_cxHScroll;
    else
        arrow = ::GetSystemMetrics(sbInfo->vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    CalcGeometry(*rc, sbInfo, *si, arrow, painter != nullptr ? painter->m_nThumbLength : 0);
}

void CUTKScrollBase::RecalcScrollBar()
{
    CRect rc;
    GetScrollBarRect(&rc);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(&si);
    CalcScrollBarInfo(&rc, &m_spi, &si);
}

int CUTKScrollBase::HitScrollBar(POINT pt) const { return HitTest(m_spi, pt); }

int CUTKScrollBase::GetScrollBarStyle() const
{
    if (m_scrollBarStyle != 0)
        return m_scrollBarStyle;
    const CUTKScrollBarPaintManager* painter = GetScrollBarPaintManager();
    const int theme = painter != nullptr ? painter->GetBaseTheme() : 0;
    if (theme == 0)
        return 2;
    if (theme == 5 || theme == 6)
        return 5;
    return 3;
}

void CUTKScrollBase::CalcTrackDragRect(UTK_SCROLLBAR_TRACKINFO* track) const
{
    if (track == nullptr || track->sbInfo == nullptr)
        return;
    const int thumb = ::GetSystemMetrics(track->sbInfo->vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    track->trackRect = CalcDragRect(*track->sbInfo, thumb);
}

void CUTKScrollBase::SetTicks(const double* ticks, int count)
{
    m_ticks.clear();
    if (ticks != nullptr && count > 0)
        m_ticks.assign(ticks, ticks + count);
}

int CUTKScrollBase::FixedThumbLength() const
{
    const CUTKScrollBarPaintManager* painter = GetScrollBarPaintManager();
    return painter != nullptr ? painter->m_nThumbLength : 0;
}

void CUTKScrollBase::TrackScrollBar(CWnd* wnd, CPoint point, UTK_SCROLLBAR_POSINFO* sbInfo,
                                    BOOL direct)
{
    HWND hwnd = wnd != nullptr ? wnd->GetSafeHwnd() : nullptr;
    if (hwnd == nullptr || !::IsWindow(hwnd) || sbInfo == nullptr || m_pTrack)
        return;

    auto track = std::make_unique<UTK_SCROLLBAR_TRACKINFO>();
    track->window = hwnd;
    track->sbInfo = sbInfo;
    UTK_SCROLLBAR_POSINFO& s = *sbInfo;
    const int p = Along(s, point);
    CRect rc(s.rc);
    int part;
    if (p < s.pxUpArrow) {
        part = UTK_HTSCROLLUP;
        track->scrollCode = SB_LINEUP;
        SetAxisEnd(s, rc, s.pxUpArrow);
    } else if (p < s.pxDownArrow) {
        if (p < s.pxThumbTop) {
            part = UTK_HTSCROLLUPPAGE;
            track->scrollCode = SB_PAGEUP;
            SetAxisStart(s, rc, s.pxUpArrow);
            SetAxisEnd(s, rc, s.pxThumbTop);
        } else if (p < s.pxThumbBottom) {
            part = UTK_HTSCROLLTHUMB;
        } else {
            part = UTK_HTSCROLLDOWNPAGE;
            track->scrollCode = SB_PAGEDOWN;
            SetAxisStart(s, rc, s.pxThumbBottom);
            SetAxisEnd(s, rc, s.pxDownArrow);
        }
    } else {
        part = UTK_HTSCROLLDOWN;
        track->scrollCode = SB_LINEDOWN;
        SetAxisStart(s, rc, s.pxDownArrow);
    }
    track->trackRect = rc;
    s.hotPart = part;

    const bool pageArea = part == UTK_HTSCROLLUPPAGE || part == UTK_HTSCROLLDOWNPAGE;
    if (part == UTK_HTSCROLLTHUMB || (direct && pageArea)) {
        if (s.thumbLength >= s.pxDownArrow - s.pxUpArrow)
            return;  // the thumb does not fit: nothing to drag
        track->scrollCode = SB_THUMBPOSITION;
        CalcTrackDragRect(track.get());
        s.thumbStart = s.pxThumbTop;
        track->thumbPixel = s.pxThumbTop;
        track->posReported = track->posNew = s.pos;
        track->grabOffset = direct ? -s.thumbLength / 2 : s.pxThumbTop - p;
        track->thumb = TRUE;
        s.hotPart = UTK_HTSCROLLTHUMB;
    }

    m_pTrack = std::move(track);
    m_bTrackEnded = FALSE;
    ::SetCapture(hwnd);
    if (m_pTrack->thumb) {
        DoScroll(SB_THUMBTRACK, s.pos);
        if (m_pTrack && !m_bTrackEnded) {
            MoveThumb(WM_LBUTTONDOWN, point, MK_LBUTTON);
            RedrawScrollBar();
        }
    } else {
        ContinueScroll(WM_LBUTTONDOWN, point);
    }

    {
        // Popups must not close or hot-track while the bar is tracked.
        ScrollTrackingLock lock;
        MSG msg;
        while (!m_bTrackEnded && ::GetCapture() == hwnd) {
            if (!::GetMessageW(&msg, nullptr, 0, 0)) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (!::IsWindow(hwnd))
                break;
            if (msg.message == WM_TIMER && msg.hwnd == hwnd && msg.wParam == kAutoRepeatTimer) {
                OnAutoRepeat();
                continue;
            }
            if (msg.message == WM_TIMER && msg.hwnd == hwnd && msg.wParam == kAnimationTimer) {
                DoAnimate();
                continue;
            }
            if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSEWHEEL) {
                POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
                if (msg.message == WM_MOUSEWHEEL)
                    ::ScreenToClient(hwnd, &pt);
                else if (msg.hwnd != hwnd && msg.hwnd != nullptr)
                    ::MapWindowPoints(msg.hwnd, hwnd, &pt, 1);
                if (m_pTrack->thumb)
                    MoveThumb(msg.message, pt, LOWORD(msg.wParam));
                else
                    ContinueScroll(msg.message, pt);
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

    // A loop ended by WM_QUIT, a lost capture or a destroyed window still ends the scroll, so
    // the owner never stays in a thumb drag.
    if (!m_bTrackEnded && ::IsWindow(hwnd))
        EndTracking();
    else if (::GetCapture() == hwnd)
        ::ReleaseCapture();
    if (::IsWindow(hwnd))
        ::KillTimer(hwnd, kAutoRepeatTimer);
    m_pTrack.reset();

    if (::IsWindow(hwnd)) {
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        ::ScreenToClient(hwnd, &cursor);
        s.hotPart = HitTest(s, cursor);
        RedrawScrollBar();
    }

    // The owner's scroll animation finishes before control returns.
    MSG msg;
    while (m_bAnimating && ::IsWindow(hwnd)) {
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hwnd && msg.wParam == kAnimationTimer) {
            DoAnimate();
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void CUTKScrollBase::ContinueScroll(UINT message, CPoint pt)
{
    UTK_SCROLLBAR_TRACKINFO& t = *m_pTrack;
    UTK_SCROLLBAR_POSINFO& s = *t.sbInfo;
    // Paging stops when the thumb reaches the pointer.
    if (t.scrollCode == SB_PAGEUP)
        SetAxisEnd(s, t.trackRect, s.pxThumbTop);
    else if (t.scrollCode == SB_PAGEDOWN)
        SetAxisStart(s, t.trackRect, s.pxThumbBottom);

    const BOOL inside = t.trackRect.PtInRect(pt);
    const bool cameInside = inside && !t.inside;
    if (inside != t.inside) {
        t.inside = inside;
        RedrawScrollBar();
    }

    const int doubleClick = static_cast<int>(::GetDoubleClickTime());
    int period = 0;
    switch (message) {
    case WM_LBUTTONDOWN:
        period = doubleClick * 4 / 5;
        break;
    case WM_MOUSEMOVE:
        period = doubleClick / 10;
        break;
    case WM_LBUTTONUP:
        EndTracking();
        return;
    default:
        break;
    }
    if (cameInside && period > 0) {
        m_autoRepeatPeriod = period;
        t.timerId = ::SetTimer(t.window, kAutoRepeatTimer, static_cast<UINT>(period), nullptr);
        DoScroll(t.scrollCode, 0);
        if (t.sbInfo == &m_spi)
            RecalcScrollBar();
    }
}

void CUTKScrollBase::OnAutoRepeat()
{
    UTK_SCROLLBAR_TRACKINFO& t = *m_pTrack;
    if (t.thumb)
        return;
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(t.window, &cursor);
    ContinueScroll(WM_TIMER, cursor);
    if (m_bTrackEnded || !t.inside)
        return;
    const int period = static_cast<int>(::GetDoubleClickTime()) / 10;
    m_autoRepeatPeriod = period;
    t.timerId = ::SetTimer(t.window, kAutoRepeatTimer, static_cast<UINT>(period), nullptr);
    DoScroll(t.scrollCode, 0);
    if (t.sbInfo == &m_spi)
        RecalcScrollBar();
}

void CUTKScrollBase::MoveThumb(UINT message, CPoint pt, WPARAM keys)
{
    UTK_SCROLLBAR_TRACKINFO& t = *m_pTrack;
    UTK_SCROLLBAR_POSINFO& s = *t.sbInfo;
    if (message == WM_LBUTTONUP || (keys & MK_LBUTTON) == 0) {
        EndTracking();
        return;
    }
    int pixel;
    if (t.trackRect.PtInRect(pt) || FixedThumbLength() > 0)
        pixel = std::clamp(Along(s, pt) + t.grabOffset, s.pxMin, s.pxMin + s.trackLength);
    else
        pixel = s.thumbStart;  // dragged too far away: back to where the drag began
    const int pos = PosFromThumbPixel(s, pixel);
    t.posNew = pos;
    if (pos != t.posReported) {
        t.posReported = pos;
        DoScroll(SB_THUMBTRACK, pos);
    }
    s.pxThumbTop = pixel;
    s.pxThumbBottom = pixel + s.thumbLength;
    t.thumbPixel = pixel;
    RedrawScrollBar();
}

void CUTKScrollBase::EndTracking()
{
    UTK_SCROLLBAR_TRACKINFO& t = *m_pTrack;
    m_bTrackEnded = TRUE;
    if (::GetCapture() == t.window)
        ::ReleaseCapture();
    if (t.thumb) {
        DoScroll(SB_THUMBPOSITION, t.posReported);
        RedrawScrollBar();
    } else {
        ::KillTimer(t.window, kAutoRepeatTimer);
        t.timerId = 0;
    }
    DoScroll(SB_ENDSCROLL, 0);
}
