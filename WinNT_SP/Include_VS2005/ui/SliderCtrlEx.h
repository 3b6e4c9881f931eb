// A trackbar that jumps to the clicked point, follows the mouse while the button is held and
// reports the moves to its parent as WM_HSCROLL (TB_THUMBTRACK, then TB_ENDTRACK), and paints its
// selection range itself when visual styles are on.
#pragma once

#include "platform/framework/window/FrameworkWindows.h"

class CSliderCtrlEx : public CSliderCtrl {
public:
    // The position of a point along the channel, not yet clamped to the range; false when the
    // channel has no width.
    static bool PositionFromChannel(int minimum, int maximum, const RECT& channel, int coordinate,
                                    int* position);

    bool IsDragging() const { return m_dragging != FALSE; }

protected:
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnCustomDraw(NMHDR* header, LRESULT* result);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    // Moves the thumb to the point; true when the position changed (TB_THUMBTRACK was sent).
    bool TrackPoint(CPoint point);
    void Notify(int code);

    BOOL m_dragging = FALSE;
    BOOL m_moved = FALSE;
    BOOL m_releasing = FALSE;
};
