// Scroll-bar behaviour for controls that draw their own bar inside a command bar: the geometry of
// arrows, track and thumb from a SCROLLINFO, hit testing of the parts, and the modal tracking
// loop with auto-repeat and thumb dragging that reports the Win32 scroll codes. The geometry and
// the pixel/position arithmetic are static and window-free; only the loop needs a window.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKScrollBarPaintManager;

// Part codes of a scroll bar (hot part and hit test).
enum UTKScrollBarPart {
    UTK_HTNONE = 0,
    UTK_HTSCROLLUP = 60,        // first arrow (up or left)
    UTK_HTSCROLLDOWN = 61,      // second arrow (down or right)
    UTK_HTSCROLLUPPAGE = 62,    // page area before the thumb
    UTK_HTSCROLLDOWNPAGE = 63,  // page area after the thumb
    UTK_HTSCROLLTHUMB = 64,
    UTK_HTSCROLLPOPUP = 65,
};

// The scroll-bar record: the owner's SCROLLINFO and the pixel geometry computed from it. Along
// the axis: top to bottom when vertical, left to right when horizontal.
struct UTK_SCROLLBAR_POSINFO {
    int posMin = 0;
    int posMax = 0;
    int page = 0;
    int pos = 0;
    int pxTop = 0;
    int pxBottom = 0;
    int pxLeft = 0;
    int pxRight = 0;
    int thumbLength = 0;
    int pxUpArrow = 0;    // end of the first arrow
    int pxDownArrow = 0;  // start of the second arrow
    int thumbStart = 0;   // thumb top when dragging began
    int pxThumbBottom = 0;
    int pxThumbTop = 0;
    int pxPopup = 0;      // start of a popup button, 0 without one
    int trackLength = 0;  // room in which the thumb top moves
    int pxMin = 0;        // first thumb position
    RECT rc = {};
    int hotPart = UTK_HTNONE;
    BOOL vertical = TRUE;
};

// One tracking loop's state; lives only inside TrackScrollBar.
struct UTK_SCROLLBAR_TRACKINFO {
    BOOL inside = FALSE;       // the pointer is on the pressed part
    CRect trackRect;           // the pressed part, or the drag rectangle for the thumb
    int scrollCode = -1;       // SB_LINEUP .. SB_THUMBPOSITION, -1 until known
    UINT_PTR timerId = 0;      // auto-repeat timer, 0 none
    int grabOffset = 0;        // thumb top minus the pointer
    int thumbPixel = 0;        // current thumb top while dragging
    int posReported = 0;       // last position sent to DoScroll
    int posNew = 0;            // position under the pointer
    HWND window = nullptr;
    BOOL thumb = FALSE;
    UTK_SCROLLBAR_POSINFO* sbInfo = nullptr;
};

class CUTKScrollBase {
public:
    static constexpr UINT_PTR kAutoRepeatTimer = 23345;
    static constexpr UINT_PTR kAnimationTimer = 23346;

    CUTKScrollBase();
    virtual ~CUTKScrollBase();
    CUTKScrollBase(const CUTKScrollBase&) = delete;
    CUTKScrollBase& operator=(const CUTKScrollBase&) = delete;

    // Supplied by the owner.
    virtual BOOL IsScrollBarEnabled() const = 0;
    virtual CWnd* GetParentWindow() const = 0;
    virtual void DoAnimate() {}
    virtual void GetScrollBarRect(CRect* rc) = 0;
    virtual void GetScrollInfo(SCROLLINFO* si) = 0;
    virtual void DoScroll(int cmd, int pos) = 0;
    virtual void RedrawScrollBar() = 0;
    virtual void CalcScrollBarInfo(LPRECT rc, UTK_SCROLLBAR_POSINFO* sbInfo, SCROLLINFO* si);
    virtual CUTKScrollBarPaintManager* GetScrollBarPaintManager() const = 0;

    void RecalcScrollBar();
    int HitScrollBar(POINT pt) const;
    void TrackScrollBar(CWnd* wnd, CPoint point, UTK_SCROLLBAR_POSINFO* sbInfo, BOOL direct);
    // 2 flat, 3 visual styles, 5 the Office 2007 look; a set style wins over the theme's.
    int GetScrollBarStyle() const;
    void SetScrollBarStyle(int style) { m_scrollBarStyle = style; }
    void CalcTrackDragRect(UTK_SCROLLBAR_TRACKINFO* track) const;

    // Tick marks drawn by the slider painter (positions in the scroll range).
    void SetTicks(const double* ticks, int count);
    const double* GetTicks() const { return m_ticks.empty() ? nullptr : m_ticks.data(); }
    int GetTickCount() const { return static_cast<int>(m_ticks.size()); }

    const UTK_SCROLLBAR_POSINFO& GetScrollBarPosInfo() const { return m_spi; }
    UTK_SCROLLBAR_POSINFO& GetScrollBarPosInfo() { return m_spi; }
    // The tracking record while a loop runs, else null.
    const UTK_SCROLLBAR_TRACKINFO* GetTrackInfo() const { return m_pTrack.get(); }
    BOOL IsAnimating() const { return m_bAnimating; }
    void SetAnimating(BOOL animating) { m_bAnimating = animating; }
    int GetAutoRepeatPeriod() const { return m_autoRepeatPeriod; }

    // Window-free geometry: fills the record for a rectangle and a SCROLLINFO with the given
    // arrow metric along the axis and a fixed thumb length (0 = proportional).
    static void CalcGeometry(const RECT& rc, UTK_SCROLLBAR_POSINFO* sbInfo, const SCROLLINFO& si,
                             int arrowMetric, int fixedThumbLength);
    // The part code at a point of a computed record.
    static int HitTest(const UTK_SCROLLBAR_POSINFO& sbInfo, POINT pt);
    // The scroll position a thumb top pixel stands for, always inside the range.
    static int PosFromThumbPixel(const UTK_SCROLLBAR_POSINFO& sbInfo, int pixel);
    // The rectangle outside which a dragged thumb returns to where the drag began.
    static CRect CalcDragRect(const UTK_SCROLLBAR_POSINFO& sbInfo, int systemThumbSize);

protected:
    UTK_SCROLLBAR_POSINFO m_spi;
    int m_scrollBarStyle = 0;
    BOOL m_bAnimating = FALSE;
    int m_autoRepeatPeriod = 0;

private:
    void ContinueScroll(UINT message, CPoint pt);
    void MoveThumb(UINT message, CPoint pt, WPARAM keys);
    void EndTracking();
    void OnAutoRepeat();
    int FixedThumbLength() const;

    std::unique_ptr<UTK_SCROLLBAR_TRACKINFO> m_pTrack;
    BOOL m_bTrackEnded = FALSE;
    std::vector<double> m_ticks;
};
