// Scroll-bar geometry, hit testing, thumb positions and the drag rectangle, without a window:
// ordinary bars, bars too short for their arrows, pages that exceed the range, fixed thumbs.
#include <windows.h>

#include <gtest/gtest.h>

#include "toolkit/controls/CUTKScrollBase.h"

namespace {

SCROLLINFO Info(int nMin, int nMax, UINT page, int pos)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    si.nMin = nMin;
    si.nMax = nMax;
    si.nPage = page;
    si.nPos = pos;
    return si;
}

UTK_SCROLLBAR_POSINFO Calc(RECT rc, BOOL vertical, SCROLLINFO si, int arrow = 17, int fixed = 0)
{
    UTK_SCROLLBAR_POSINFO s;
    s.vertical = vertical;
    CUTKScrollBase::CalcGeometry(rc, &s, si, arrow, fixed);
    return s;
}

}  // namespace

TEST(ScrollGeometry, ArrowsTrackAndThumb)
{
    struct Case {
        const char* name;
        RECT rc;
        BOOL vertical;
        SCROLLINFO si;
        int arrow;
        int fixed;
        int upArrow, downArrow, thumbLength, pxMin, track, thumbTop;
    };
    const Case cases[] = {
        // 66 px between the arrows, page 10 of 100: 7 px, lengthened to half the arrow (8).
        {"top", {0, 0, 17, 100}, TRUE, Info(0, 99, 10, 0), 17, 0, 17, 83, 8, 17, 58, 17},
        {"middle", {0, 0, 17, 100}, TRUE, Info(0, 99, 10, 45), 17, 0, 17, 83, 8, 17, 58, 46},
        {"end", {0, 0, 17, 100}, TRUE, Info(0, 99, 10, 90), 17, 0, 17, 83, 8, 17, 58, 75},
        // A position past the last one stays at the track's end.
        {"past end", {0, 0, 17, 100}, TRUE, Info(0, 99, 10, 500), 17, 0, 17, 83, 8, 17, 58, 75},
        {"proportional", {0, 0, 17, 217}, TRUE, Info(0, 99, 50, 0), 17, 0, 17, 200, 92, 17, 91, 17},
        {"horizontal", {10, 5, 210, 22}, FALSE, Info(0, 9, 5, 5), 17, 0, 27, 193, 83, 27, 83, 110},
        // Too short for two 17-px arrows: two 15-px arrows and no track.
        {"short", {0, 0, 17, 30}, TRUE, Info(0, 99, 10, 50), 17, 0, 15, 15, 8, 15, 0, 15},
        // Everything fits in one page: the thumb sits one pixel before the track.
        {"one page", {0, 0, 17, 100}, TRUE, Info(0, 9, 10, 0), 17, 0, 17, 83, 66, 17, 0, 16},
        // A page larger than the range: no negative division, same as one page.
        {"page above range", {0, 0, 17, 100}, TRUE, Info(0, 9, 20, 3), 17, 0, 17, 83, 132, 17, 0,
         16},
        {"no page", {0, 0, 17, 100}, TRUE, Info(0, 10, 0, 5), 17, 0, 17, 83, 17, 17, 49, 42},
        {"slider", {0, 0, 120, 16}, FALSE, Info(0, 100, 0, 50), 16, 11, 16, 104, 11, 16, 77, 55},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const UTK_SCROLLBAR_POSINFO s = Calc(c.rc, c.vertical, c.si, c.arrow, c.fixed);
        EXPECT_EQ(c.upArrow, s.pxUpArrow);
        EXPECT_EQ(c.downArrow, s.pxDownArrow);
        EXPECT_EQ(c.thumbLength, s.thumbLength);
        EXPECT_EQ(c.pxMin, s.pxMin);
        EXPECT_EQ(c.track, s.trackLength);
        EXPECT_EQ(c.thumbTop, s.pxThumbTop);
        EXPECT_EQ(c.thumbTop + c.thumbLength, s.pxThumbBottom);
        EXPECT_EQ(0, s.pxPopup);
        EXPECT_GE(s.trackLength, 0);
    }
}

TEST(ScrollGeometry, AcrossTheAxisAndTheRecordFields)
{
    const UTK_SCROLLBAR_POSINFO h = Calc({10, 5, 210, 22}, FALSE, Info(-5, 40, 7, 3));
    EXPECT_EQ(10, h.pxTop);
    EXPECT_EQ(210, h.pxBottom);
    EXPECT_EQ(5, h.pxLeft);
    EXPECT_EQ(22, h.pxRight);
    EXPECT_EQ(-5, h.posMin);
    EXPECT_EQ(40, h.posMax);
    EXPECT_EQ(7, h.page);
    EXPECT_EQ(3, h.pos);
    const UTK_SCROLLBAR_POSINFO v = Calc({10, 5, 27, 205}, TRUE, Info(0, 1, 1, 0));
    EXPECT_EQ(5, v.pxTop);
    EXPECT_EQ(205, v.pxBottom);
    EXPECT_EQ(10, v.pxLeft);
    EXPECT_EQ(27, v.pxRight);
}

TEST(ScrollGeometry, HitTestParts)
{
    // Thumb at 46..54 between arrows ending at 17 and starting at 83.
    UTK_SCROLLBAR_POSINFO s = Calc({0, 0, 17, 100}, TRUE, Info(0, 99, 10, 45));
    struct Case {
        POINT pt;
        int part;
    };
    const Case cases[] = {
        {{5, 0}, UTK_HTSCROLLUP},       {{5, 16}, UTK_HTSCROLLUP},
        {{5, 17}, UTK_HTSCROLLUPPAGE},  {{5, 45}, UTK_HTSCROLLUPPAGE},
        {{5, 46}, UTK_HTSCROLLTHUMB},   {{16, 53}, UTK_HTSCROLLTHUMB},
        {{5, 54}, UTK_HTSCROLLDOWNPAGE}, {{5, 82}, UTK_HTSCROLLDOWNPAGE},
        {{5, 83}, UTK_HTSCROLLDOWN},    {{5, 99}, UTK_HTSCROLLDOWN},
        {{17, 50}, UTK_HTNONE},         {{5, 100}, UTK_HTNONE},
        {{-1, 5}, UTK_HTNONE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.part, CUTKScrollBase::HitTest(s, c.pt)) << c.pt.x << "," << c.pt.y;
    }
    // A popup button starting at 70 takes what lies beyond it, the second arrow included.
    s.pxPopup = 70;
    EXPECT_EQ(UTK_HTSCROLLDOWNPAGE, CUTKScrollBase::HitTest(s, {5, 70}));
    EXPECT_EQ(UTK_HTSCROLLPOPUP, CUTKScrollBase::HitTest(s, {5, 71}));
    EXPECT_EQ(UTK_HTSCROLLPOPUP, CUTKScrollBase::HitTest(s, {5, 95}));
    EXPECT_EQ(UTK_HTSCROLLUP, CUTKScrollBase::HitTest(s, {5, 3}));
}

TEST(ScrollGeometry, PositionFromThumbPixel)
{
    const UTK_SCROLLBAR_POSINFO s = Calc({0, 0, 17, 100}, TRUE, Info(0, 99, 10, 0));
    struct Case {
        int pixel;
        int pos;
    };
    const Case cases[] = {{-50, 0}, {16, 0}, {17, 0}, {46, 45}, {74, 88}, {75, 90}, {500, 90}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.pos, CUTKScrollBase::PosFromThumbPixel(s, c.pixel)) << c.pixel;
    }
    // Without a page the last position is posMax.
    const UTK_SCROLLBAR_POSINFO n = Calc({0, 0, 17, 100}, TRUE, Info(10, 20, 0, 10));
    EXPECT_EQ(20, CUTKScrollBase::PosFromThumbPixel(n, 1000));
    EXPECT_EQ(10, CUTKScrollBase::PosFromThumbPixel(n, n.pxMin));
}

TEST(ScrollGeometry, PositionsStayInsideTheRangeWithoutATrack)
{
    // No track (too short) and a page above the range: never posMin - 1, never past posMin.
    const UTK_SCROLLBAR_POSINFO shortBar = Calc({0, 0, 17, 30}, TRUE, Info(5, 99, 10, 50));
    const UTK_SCROLLBAR_POSINFO bigPage = Calc({0, 0, 17, 100}, TRUE, Info(5, 9, 20, 5));
    for (const UTK_SCROLLBAR_POSINFO* s : {&shortBar, &bigPage}) {
        for (int pixel : {-10, s->pxMin - 1, s->pxMin, s->pxMin + 1, 40, 1000}) {
            EXPECT_EQ(5, CUTKScrollBase::PosFromThumbPixel(*s, pixel)) << pixel;
        }
    }
}

TEST(ScrollGeometry, DragRectangleReachesEightThicknessesAcross)
{
    const UTK_SCROLLBAR_POSINFO v = Calc({0, 0, 17, 100}, TRUE, Info(0, 99, 10, 0));
    EXPECT_EQ(CRect(-136, -40, 153, 140), CUTKScrollBase::CalcDragRect(v, 20));
    const UTK_SCROLLBAR_POSINFO h = Calc({10, 5, 210, 21}, FALSE, Info(0, 99, 10, 0));
    EXPECT_EQ(CRect(-20, -123, 240, 149), CUTKScrollBase::CalcDragRect(h, 15));
}
