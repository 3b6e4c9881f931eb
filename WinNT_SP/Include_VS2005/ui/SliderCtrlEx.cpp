// Click-to-position and dragging of the trackbar, and its themed selection painting.
#include "WinNT_SP/Include_VS2005/ui/SliderCtrlEx.h"

#include "WinNT_SP/Include_VS2005/ui/VisualStyles.h"

#include <commctrl.h>
#include <vsstyle.h>

BEGIN_MESSAGE_MAP(CSliderCtrlEx, CSliderCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

bool CSliderCtrlEx::PositionFromChannel(int minimum, int maximum, const RECT& channel,
                                        int coordinate, int* position)
{
    const int span = channel.right - channel.left;
    if (span == 0) {
        return false;
    }
    const double a = static_cast<double>(coordinate - channel.left) / span;
    // Rounds to the nearest position: min + a * (max - min) + 0.5, truncated toward zero.
    *position = static_cast<int>(minimum + a * (maximum - minimum + 1) + (1 - a) * 0.5 - a * 0.5);
    return true;
}

void CSliderCtrlEx::Notify(int code)
{
    ::SendMessageW(::GetParent(m_hWnd), WM_HSCROLL,
                   MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(GetPos())),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

bool CSliderCtrlEx::TrackPoint(CPoint point)
{
    const int minimum = GetRangeMin();
    const int maximum = GetRangeMax();
    RECT channel;
    GetChannelRect(&channel);
    const bool vertical = (GetStyle() & TBS_VERT) != 0;
    int position;
    if (!PositionFromChannel(minimum, maximum, channel, vertical ? point.y : point.x, &position)) {
        return false;
    }
    // Clamped here, so a mouse beyond the channel's end reports the end once, not on every move.
    position = position < minimum ? minimum : position > maximum ? maximum : position;
    if (position == GetPos()) {
        return false;
    }
    SendMessage(TBM_SETPOS, TRUE, position);
    m_moved = TRUE;
    Notify(TB_THUMBTRACK);
    return true;
}

void CSliderCtrlEx::OnLButtonDown(UINT flags, CPoint point)
{
    RECT thumb;
    GetThumbRect(&thumb);
    if (::PtInRect(&thumb, point)) {
        Default();
        return;
    }
    (void)flags;
    m_moved = FALSE;
    m_dragging = TRUE;
    SetCapture();
    SetFocus();
    TrackPoint(point);
}

void CSliderCtrlEx::OnMouseMove(UINT flags, CPoint point)
{
    (void)flags;
    if (!m_dragging) {
        Default();
        return;
    }
    TrackPoint(point);
}

void CSliderCtrlEx::OnLButtonUp(UINT flags, CPoint point)
{
    (void)flags;
    if (!m_dragging) {
        Default();
        return;
    }
    m_dragging = FALSE;
    m_releasing = TRUE;
    ::ReleaseCapture();
    m_releasing = FALSE;
    TrackPoint(point);
    if (m_moved) {
        Notify(TB_ENDTRACK);
        m_moved = FALSE;
    }
}

LRESULT CSliderCtrlEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CAPTURECHANGED && (m_dragging || m_releasing)) {
        // The system control takes any loss of capture for the end of its own paging and
        // reports TB_ENDTRACK with position 0; the drag here reports its own end.
        if (m_dragging) {
            m_dragging = FALSE;
            if (m_moved) {
                Notify(TB_ENDTRACK);
                m_moved = FALSE;
            }
        }
        return 0;
    }
    return CSliderCtrl::WindowProc(message, wParam, lParam);
}

void CSliderCtrlEx::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    *result = CDRF_DODEFAULT;
    if (!(GetStyle() & TBS_ENABLESELRANGE) || !IsThemingActive()) {
        return;
    }
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(header);
    if (draw->dwDrawStage == CDDS_PREPAINT) {
        *result = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        return;
    }
    if (draw->dwDrawStage != CDDS_ITEMPREPAINT || draw->dwItemSpec != TBCD_CHANNEL) {
        return;
    }
    HTHEME theme = VisualStyles::OpenThemeData()(m_hWnd, L"trackbar");
    if (!theme) {
        return;
    }
    int state = 1;
    if (!IsWindowEnabled()) {
        state = 4;
    } else if (draw->uItemState & CDIS_SELECTED) {
        state = 3;
    } else if (draw->uItemState & CDIS_HOT) {
        state = 2;
    }
    RECT empty = {0, 0, 0, 0};
    RECT extent = empty;
    VisualStyles::GetThemeBackgroundExtent()(theme, draw->hdc, TKP_TRACK, state, &empty, &extent);
    VisualStyles::DrawThemeBackground()(theme, draw->hdc, TKP_TRACK, state, &draw->rc, nullptr);
    int start = 0;
    int end = 0;
    GetSelection(start, end);
    const int minimum = GetRangeMin();
    const int maximum = GetRangeMax();
    if (start != end && maximum != minimum) {
        RECT thumb;
        GetThumbRect(&thumb);
        const int thumbWidth = thumb.right - thumb.left;
        const int usable = draw->rc.right - draw->rc.left - thumbWidth;
        const int r = draw->rc.left + thumbWidth / 2 + 1;
        RECT fill = draw->rc;
        fill.top -= extent.top;
        fill.bottom -= extent.bottom;
        fill.left = r + MulDiv(start - minimum, usable, maximum - minimum);
        fill.right = r + MulDiv(end - minimum, usable, maximum - minimum);
        ::FillRect(draw->hdc, &fill, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    VisualStyles::CloseThemeData()(theme);
    *result = CDRF_SKIPDEFAULT;
}
