#include "toolkit/tabmanager/TabOutline.h"

#include "toolkit/common/CUTKPenDC.h"

#include <vector>

TabOutline::TabOutline(const CRect& tab, int position) : m_tab(tab), m_position(position)
{
    const BOOL horizontal = position == 0 || position == 2;
    m_length = horizontal ? tab.Width() : tab.Height();
    m_depth = horizontal ? tab.Height() : tab.Width();
}

CPoint TabOutline::Map(int u, int v) const
{
    switch (m_position) {
    case 1:
        return CPoint(m_tab.left + v, m_tab.top + u);
    case 2:
        return CPoint(m_tab.left + u, m_tab.bottom - 1 - v);
    case 3:
        return CPoint(m_tab.right - 1 - v, m_tab.top + u);
    default:
        return CPoint(m_tab.left + u, m_tab.top + v);
    }
}

void TabOutline::PolyLine(CDC* dc, COLORREF color, std::initializer_list<POINT> points) const
{
    if (color == static_cast<COLORREF>(-1) || points.size() == 0) {
        return;
    }
    CUTKPenDC pen(dc->m_hDC, color);
    BOOL first = TRUE;
    CPoint last;
    for (const POINT& p : points) {
        last = Map(p.x, p.y);
        if (first) {
            dc->MoveTo(last);
            first = FALSE;
        } else {
            dc->LineTo(last);
        }
    }
    dc->SetPixelV(last.x, last.y, color);
}

int TabOutline::ClipToPolygon(CDC* dc, POINT* points, int count)
{
    if (count < 3) {
        return 0;
    }
    std::vector<POINT> device(points, points + count);
    ::LPtoDP(dc->m_hDC, device.data(), count);
    CRgn region;
    if (!region.CreatePolygonRgn(device.data(), count, ALTERNATE)) {
        return 0;
    }
    const int saved = dc->SaveDC();
    if (saved == 0) {
        return 0;
    }
    ::ExtSelectClipRgn(dc->m_hDC, static_cast<HRGN>(region.m_hObject), RGN_AND);
    return saved;
}
