// Tab outlines written once, for a tab on a top strip, and turned or mirrored onto the tab's
// real position: u runs along the strip from the tab's near end, v from its outer side towards
// the page. Used by the appearances whose tabs are polygons.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

#include <initializer_list>

class TabOutline {
public:
    TabOutline(const CRect& tab, int position);

    // Length along the strip and depth across it.
    int Length() const { return m_length; }
    int Depth() const { return m_depth; }
    CPoint Map(int u, int v) const;
    // A line through the points, both ends included; nothing for colour -1.
    void PolyLine(CDC* dc, COLORREF color, std::initializer_list<POINT> points) const;
    // Fills the polygon's inside with fill(dc, bounds) while the polygon clips the DC; the
    // colour fill returns (or -1 when nothing was filled).
    template <class Fill>
    COLORREF FillPolygon(CDC* dc, std::initializer_list<POINT> points, Fill fill) const
    {
        POINT mapped[16];
        int count = 0;
        CRect bounds;
        for (const POINT& p : points) {
            if (count == 16) {
                break;
            }
            const CPoint at = Map(p.x, p.y);
            mapped[count] = at;
            if (count == 0) {
                bounds.SetRect(at.x, at.y, at.x + 1, at.y + 1);
            } else {
                bounds.left = bounds.left < at.x ? bounds.left : at.x;
                bounds.top = bounds.top < at.y ? bounds.top : at.y;
                bounds.right = bounds.right > at.x + 1 ? bounds.right : at.x + 1;
                bounds.bottom = bounds.bottom > at.y + 1 ? bounds.bottom : at.y + 1;
            }
            ++count;
        }
        const int saved = ClipToPolygon(dc, mapped, count);
        if (saved == 0) {
            return static_cast<COLORREF>(-1);
        }
        const COLORREF color = fill(dc, bounds);
        dc->RestoreDC(saved);
        return color;
    }

private:
    // Saves the DC and narrows its clip to the polygon (device coordinates); 0 on failure.
    static int ClipToPolygon(CDC* dc, POINT* points, int count);

    CRect m_tab;
    int m_position;
    int m_length;
    int m_depth;
};
