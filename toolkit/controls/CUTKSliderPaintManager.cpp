// The zoom slider look of a horizontal scroll bar: round minus and plus buttons at the ends,
// a two-line channel with tick marks and a pointer-shaped thumb that always follows the mouse.
#include "toolkit/controls/CUTKSliderPaintManager.h"

#include <windows.h>

#include "toolkit/common/CUTKBrushDC.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKPenDC.h"
#include "toolkit/controls/CUTKScrollBase.h"
#include "toolkit/themes/CUTKPaintManager.h"

namespace {

COLORREF Color(int index) { return GetColorManager()->GetColor(index); }

// One tick mark at x on a channel whose tick row starts at top.
void DrawTick(CDC* dc, int x, int top)
{
    dc->FillSolidRect(x - 1, top, 1, 4, Color(16));
    dc->FillSolidRect(x - 1, top + 5, 1, 2, Color(16));
    dc->FillSolidRect(x, top + 1, 1, 7, Color(20));
}

void OutlinePolygon(CDC* dc, const POINT* points, int count, COLORREF colour)
{
    CUTKPenDC pen(dc->GetSafeHdc(), colour);
    POINT closed[8];
    for (int i = 0; i < count; ++i)
        closed[i] = points[i];
    closed[count] = points[0];
    ::Polyline(dc->GetSafeHdc(), closed, count + 1);
}

}  // namespace

CUTKSliderPaintManager::CUTKSliderPaintManager(CUTKPaintManager* paintManager)
    : CUTKScrollBarPaintManager(paintManager)
{
    m_cxHScroll = m_cyHScroll = 16;
    m_nThumbLength = 11;
}

void CUTKSliderPaintManager::RefreshMetrics()
{
    CUTKScrollBarPaintManager::RefreshMetrics();
    m_cxHScroll = m_cyHScroll = 16;
    m_nThumbLength = 11;
}

void CUTKSliderPaintManager::DrawScrollBar(CDC* dc, CUTKScrollBase* scrollBar)
{
    if (dc == nullptr || scrollBar == nullptr)
        return;
    const UTK_SCROLLBAR_POSINFO& s = scrollBar->GetScrollBarPosInfo();
    if (s.vertical)
        return;
    const UTK_SCROLLBAR_TRACKINFO* track = scrollBar->GetTrackInfo();
    int hot = UTK_HTNONE;
    int pressed = UTK_HTNONE;
    if (track != nullptr)
        pressed = (track->thumb || track->inside) ? s.hotPart : UTK_HTNONE;
    else
        hot = s.hotPart;
    const long long range = static_cast<long long>(s.posMax) - s.posMin + 1;
    const BOOL enabled = range > s.page && scrollBar->IsScrollBarEnabled();

    const int top = s.pxLeft;
    const int bottom = s.pxRight;
    const int lineY = (top + bottom - 2) / 2;
    dc->FillSolidRect(s.pxUpArrow, lineY, s.pxDownArrow - s.pxUpArrow, 1, Color(16));
    dc->FillSolidRect(s.pxUpArrow, lineY + 1, s.pxDownArrow - s.pxUpArrow, 1, Color(20));

    const int tickLeft = s.pxUpArrow + 6;
    const int tickWidth = s.pxDownArrow - 6 - tickLeft;
    const int tickTop = (top + bottom - 8) / 2;
    const double* ticks = scrollBar->GetTicks();
    if (ticks != nullptr && s.posMin < s.posMax) {
        const double span = static_cast<double>(s.posMax) - s.posMin;
        for (int i = 0; i < scrollBar->GetTickCount(); ++i) {
            const double offset = tickWidth * (ticks[i] - s.posMin) / span;
            if (offset < 0 || offset > tickWidth)
                continue;
            DrawTick(dc, tickLeft + static_cast<int>(offset), tickTop);
        }
    } else {
        DrawTick(dc, tickLeft + tickWidth / 2, tickTop);
    }

    auto roundButton = [&](int left, int right, int part, BOOL plus) {
        const COLORREF fill = hot == part ? Color(20) : Color(15);
        CUTKPaintManager::DrawSmoothCircle(dc, left, top, right, bottom, Color(16), fill);
        if (pressed != part)
            CUTKPaintManager::DrawSmoothCircle(dc, left + 1, top + 1, right - 1, bottom - 1,
                                               Color(20), fill);
        const int cx = (left + right) / 2;
        const int cy = (top + bottom) / 2;
        dc->FillSolidRect(cx - 4, cy - 1, 8, 2, RGB(0, 0, 0));
        if (plus)
            dc->FillSolidRect(cx - 1, cy - 4, 2, 8, RGB(0, 0, 0));
    };
    roundButton(s.pxTop, s.pxUpArrow, UTK_HTSCROLLUP, FALSE);
    roundButton(s.pxDownArrow, s.pxBottom, UTK_HTSCROLLDOWN, TRUE);

    if (!enabled)
        return;
    const int x = (s.pxThumbTop + s.pxThumbBottom) / 2 - 4;
    const int y = (top + bottom) / 2 - 6;
    const POINT outer[5] = {{x, y}, {x + 8, y}, {x + 8, y + 9}, {x + 4, y + 13}, {x, y + 9}};
    const COLORREF face = hot == UTK_HTSCROLLTHUMB ? Color(20) : Color(15);
    {
        CUTKPenDC pen(dc->GetSafeHdc(), face);
        CUTKBrushDC brush(dc->GetSafeHdc(), face);
        ::Polygon(dc->GetSafeHdc(), outer, 5);
    }
    OutlinePolygon(dc, outer, 5, Color(16));
    if (pressed != UTK_HTSCROLLTHUMB) {
        const POINT inner[5] = {{x + 1, y + 1}, {x + 7, y + 1}, {x + 7, y + 9}, {x + 4, y + 12},
                                {x + 1, y + 9}};
        OutlinePolygon(dc, inner, 5, Color(20));
    }
}
