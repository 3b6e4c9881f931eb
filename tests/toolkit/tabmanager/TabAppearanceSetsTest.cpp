// The appearance sets beside the property page: the factory's classes and default colour sets,
// header margins and drawing rectangles by position, and what each draws, read back from
// 32-bit DIB sections at the four positions (themed and classic runs alike).
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/tabmanager/TabHost.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSets.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSets.h"

#include <string>
#include <typeinfo>

using orvane::test::DrawCanvas;
using orvane::test::TabHost;
using PM = CUTKTabPaintManager;

namespace {

constexpr COLORREF kPaper = RGB(1, 2, 3);

COLORREF Sys(int index)
{
    return GetColorManager()->GetColor(index);
}

// A host whose hot tab a test can choose.
class HotHost : public TabHost {
public:
    void SetHot(CUTKTabManagerItem* item) { m_pHighlighted = item; }
};

// Four tabs with tab 1 selected, laid out and drawn with an appearance and colour set.
struct Strip {
    Strip(int appearance, int colorSet, int position, CRect bounds = CRect(0, 0, 320, 240))
        : canvas(bounds.right, bounds.bottom, kPaper), area(bounds)
    {
        host.m_paint->SetAppearance(appearance);
        if (colorSet >= 0) {
            host.m_paint->SetColor(colorSet);
        }
        host.m_paint->SetPosition(position);
        // Blank captions keep the faces free of text for the probes.
        for (int i = 0; i < 4; ++i) {
            host.AddItem(-1)->SetCaption(L"          ");
        }
        host.SetCurSel(1);
        host.LayOut(bounds);
    }
    void Draw() { host.m_paint->DrawTabControl(&host, canvas.dc(), area); }
    PM::CAppearanceSet* Set() const { return host.m_paint->GetAppearanceSet(); }
    PM::CColorSet* Colors() const { return host.m_paint->GetColorSet(); }
    CRect Tab(int i) { return host.GetItem(i)->GetRect(); }
    // A point given along the strip (u from the tab's near end) and across it (v from its
    // outer side), for any position.
    CPoint At(const CRect& tab, int u, int v) const
    {
        switch (host.GetPosition()) {
        case PM::positionLeft:
            return CPoint(tab.left + v, tab.top + u);
        case PM::positionBottom:
            return CPoint(tab.left + u, tab.bottom - 1 - v);
        case PM::positionRight:
            return CPoint(tab.right - 1 - v, tab.top + u);
        default:
            return CPoint(tab.left + u, tab.top + v);
        }
    }
    COLORREF Pixel(const CRect& tab, int u, int v) const
    {
        const CPoint p = At(tab, u, v);
        return canvas.At(p.x, p.y);
    }
    int Length(const CRect& tab) const
    {
        return host.IsHorizontalPosition() ? tab.Width() : tab.Height();
    }
    int Depth(const CRect& tab) const
    {
        return host.IsHorizontalPosition() ? tab.Height() : tab.Width();
    }

    HotHost host;
    DrawCanvas canvas;
    CRect area;
};

const int kPositions[] = {PM::positionTop, PM::positionLeft, PM::positionBottom,
                          PM::positionRight};

std::string Where(int appearance, int position)
{
    return "appearance " + std::to_string(appearance) + " position " + std::to_string(position);
}

}  // namespace

TEST(TabAppearanceSets, FactoryClassesDefaultColourSetsAndMasks)
{
    struct Case {
        int number;
        const std::type_info& type;
        int defaultColor;
        int supported;
        CRect margin;  // before the text-row additions
    };
    const Case cases[] = {
        {1, typeid(PM::CAppearanceSetPropertyPageSelected), 1, 0xD, CRect(2, 3, 6, 0)},
        {2, typeid(PM::CAppearanceSetPropertyPageFlat), 1, 7, CRect(2, 2, 4, 0)},
        {3, typeid(PM::CAppearanceSetPropertyPage2003), 4, 0x55, CRect(2, 3, 6, 0)},
        {4, typeid(PM::CAppearanceSetStateButtons), 2, 0x5F, CRect(2, 2, 4, 2)},
        {5, typeid(PM::CAppearanceSetVisualStudio), 2, 7, CRect(4, 2, 4, 0)},
        {6, typeid(PM::CAppearanceSetFlat), 2, 7, CRect(2, 2, 4, 0)},
        {7, typeid(PM::CAppearanceSetExcel), 2, 7, CRect(2, 3, 2, 0)},
        {8, typeid(PM::CAppearanceSetVisio), 1, 5, CRect(0, 0, 0, 0)},
        {9, typeid(PM::CAppearanceSetVisualStudio2005), 4, 0x55, CRect(2, 3, 6, 0)},
        {10, typeid(PM::CAppearanceSetPropertyPage2007), 32, 0x20, CRect(4, 1, 0, 0)},
        {11, typeid(PM::CAppearanceSetPropertyPageAccess2007), 128, 0x80, CRect(4, 1, 0, 0)},
        {12, typeid(PM::CAppearanceSetPropertyPage), 1, 0x5F, CRect(2, 3, 6, 0)},
    };
    for (const Case& c : cases) {
        PM paint;
        paint.SetAppearance(c.number);
        PM::CAppearanceSet* set = paint.GetAppearanceSet();
        const std::string what = "appearance " + std::to_string(c.number);
        EXPECT_EQ(typeid(*set), c.type) << what;
        EXPECT_EQ(paint.GetColor(), c.defaultColor) << what;
        EXPECT_EQ(set->GetSupportedColorSets(), c.supported) << what;
        EXPECT_EQ(set->m_rcHeaderMargin, c.margin) << what;
        EXPECT_EQ(set->m_pPaintManager, &paint) << what;
        // Text-row additions to the margin.
        const int row = set->GetTextRowHeight();
        CRect expected = c.margin;
        if (c.number == 3) {
            expected.left += row;
        } else if (c.number == 7) {
            expected.left += row / 2;
            expected.right += row / 2;
        } else if (c.number == 9) {
            expected.left += row / 2;
        } else if (c.number == 11) {
            expected.right += row / 2;
        }
        EXPECT_EQ(set->GetHeaderMargin(), expected) << what;
        EXPECT_EQ(set->m_nRowMargin, c.number == 4 ? 0 : -2) << what;
        EXPECT_EQ(set->m_bButtonsReverseZOrder, c.number == 9 ? TRUE : FALSE) << what;
    }
    // The image-drawn sheet's text row is never below 24.
    PM paint;
    paint.SetAppearance(11);
    EXPECT_GE(paint.GetAppearanceSet()->GetTextRowHeight(), 24);
    paint.RefreshMetrics();
    EXPECT_GE(paint.GetAppearanceSet()->GetTextRowHeight(), 24);
}

TEST(TabAppearanceSets, HeaderDepthAndFirstTabFollowTheMarginsAtEachPosition)
{
    for (int appearance : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11}) {
        for (int position : kPositions) {
            Strip strip(appearance, -1, position);
            const std::string what = Where(appearance, position);
            const CRect margin = strip.Set()->GetHeaderMargin();
            const int h = strip.Set()->GetHeaderHeight(&strip.host);
            const CRect header = strip.host.GetHeaderRect();
            const int depth = strip.host.IsHorizontalPosition() ? header.Height() : header.Width();
            EXPECT_EQ(depth, margin.top + margin.bottom + h) << what;
            const CRect first = strip.Tab(0);
            EXPECT_EQ(strip.Depth(first), h) << what;
            // The first tab starts the left margin in from the near end and the top margin in
            // from the outer side.
            const CPoint corner = strip.At(first, 0, 0);
            const CRect& area = strip.area;
            switch (position) {
            case PM::positionTop:
                EXPECT_EQ(corner, CPoint(area.left + margin.left, area.top + margin.top)) << what;
                break;
            case PM::positionLeft:
                EXPECT_EQ(corner, CPoint(area.left + margin.top, area.top + margin.left)) << what;
                break;
            case PM::positionBottom:
                EXPECT_EQ(corner, CPoint(area.left + margin.left, area.bottom - 1 - margin.top))
                    << what;
                break;
            default:
                EXPECT_EQ(corner, CPoint(area.right - 1 - margin.top, area.top + margin.left))
                    << what;
                break;
            }
        }
    }
}

TEST(TabAppearanceSets, DrawingRectanglesReachOverTheSlants)
{
    struct Case {
        int appearance;
        int nearExtra;  // beyond the 2 on every side, as a function of depth d and row r
        int farExtra;
    };
    for (int position : kPositions) {
        for (int appearance : {0, 3, 7, 9, 11}) {
            Strip strip(appearance, -1, position);
            const CRect tab = strip.Tab(2);
            const int d = strip.Depth(tab);
            const int row = strip.Set()->GetTextRowHeight();
            int nearExtra = 0;
            int farExtra = 0;
            if (appearance == 3) {
                nearExtra = d;
            } else if (appearance == 7 || appearance == 9) {
                nearExtra = farExtra = d / 2;
            } else if (appearance == 11) {
                farExtra = row / 2 - 1;
            }
            CRect expected = tab;
            PM::InflateRectForTabPosition(expected, 2 + nearExtra, 2, 2 + farExtra, 2, position);
            EXPECT_EQ(strip.Set()->GetButtonDrawRect(strip.host.GetItem(2)), expected)
                << Where(appearance, position);
        }
    }
}

TEST(TabAppearanceSets, FlatTabsAreFramedAndTheSelectedOneOpensIntoThePage)
{
    for (int appearance : {6, 2}) {
        for (int position : kPositions) {
            Strip strip(appearance, 1, position);
            strip.Draw();
            const std::string what = Where(appearance, position);
            const COLORREF border = strip.Colors()->m_clrFrameBorder;
            const COLORREF face = Sys(COLOR_BTNFACE);
            ASSERT_NE(border, face);
            const CRect normal = strip.Tab(3);
            const int l = strip.Length(normal);
            const int d = strip.Depth(normal);
            // Outer side and both ends of a normal tab (one longer at its far end).
            EXPECT_EQ(strip.Pixel(normal, l / 2, 0), border) << what;
            EXPECT_EQ(strip.Pixel(normal, 0, d / 2), border) << what;
            EXPECT_EQ(strip.Pixel(normal, l, d / 2), border) << what;
            EXPECT_EQ(strip.Pixel(normal, l / 2, d - 1), border) << what << " page side";
            EXPECT_EQ(strip.Pixel(normal, l / 2, d / 2 - 3), face) << what << " inside";
            // The selected tab covers the page frame under it, one pixel deeper.
            const CRect selected = strip.Tab(1);
            EXPECT_EQ(strip.Pixel(selected, strip.Length(selected) / 2, strip.Depth(selected) - 1),
                      face)
                << what;
            if (appearance == 2) {
                // Rounded outer corners: the corner pixel itself is cut off.
                EXPECT_NE(strip.Pixel(normal, 0, 0), border) << what << " corner cut";
            } else {
                EXPECT_EQ(strip.Pixel(normal, 0, 0), border) << what;
            }
        }
    }
}

TEST(TabAppearanceSets, VisualStudioFramesTheSelectedTabAndSeparatesTheOthers)
{
    for (int position : kPositions) {
        Strip strip(5, 1, position);
        strip.Draw();
        const std::string what = Where(5, position);
        PM::CColorSet* colors = strip.Colors();
        const COLORREF light = colors->m_clrButtonHighlight;
        const COLORREF dark = colors->m_clrSelectedText;
        const CRect selected = strip.Tab(1);
        const int mid = selected.CenterPoint().y;
        const int centre = selected.CenterPoint().x;
        // Light on the screen's top and left, dark on its bottom and right, nothing on the
        // page side.
        if (position != PM::positionBottom) {
            EXPECT_EQ(strip.canvas.At(centre, selected.top), light) << what;
        }
        if (position != PM::positionRight) {
            EXPECT_EQ(strip.canvas.At(selected.left, mid), light) << what;
        }
        if (position != PM::positionLeft) {
            EXPECT_EQ(strip.canvas.At(selected.right - 1, mid), dark) << what;
        }
        if (position != PM::positionTop) {
            EXPECT_EQ(strip.canvas.At(centre, selected.bottom - 1), dark) << what;
        }
        const CPoint join = strip.At(selected, strip.Length(selected) / 2, strip.Depth(selected));
        EXPECT_EQ(strip.canvas.At(join.x, join.y), Sys(COLOR_BTNFACE)) << what << " page joined";
        const CRect normal = strip.Tab(3);
        const int l = strip.Length(normal);
        const int d = strip.Depth(normal);
        EXPECT_EQ(strip.Pixel(normal, l - 1, d / 2), colors->m_clrFrameBorder) << what;
        EXPECT_NE(strip.Pixel(normal, 0, d / 2), colors->m_clrFrameBorder) << what;
    }
}

TEST(TabAppearanceSets, StateButtonsShowTheHalftoneAndGrooves)
{
    for (int position : kPositions) {
        Strip strip(4, 1, position);
        strip.Draw();
        const std::string what = Where(4, position);
        const CRect selected = strip.Tab(1);
        // The halftone: neighbouring pixels alternate the face and the highlight.
        const CPoint c = selected.CenterPoint();
        const COLORREF a = strip.canvas.At(c.x + 3, c.y + 3);
        const COLORREF b = strip.canvas.At(c.x + 4, c.y + 3);
        EXPECT_TRUE((a == Sys(COLOR_BTNFACE) && b == Sys(COLOR_BTNHIGHLIGHT)) ||
                    (b == Sys(COLOR_BTNFACE) && a == Sys(COLOR_BTNHIGHLIGHT)))
            << what;
        EXPECT_EQ(strip.canvas.At(selected.left, selected.top), Sys(COLOR_BTNSHADOW)) << what;
        EXPECT_EQ(strip.canvas.At(selected.right - 1, selected.bottom - 1),
                  Sys(COLOR_BTNHIGHLIGHT))
            << what;
        // A normal tab: a two-pixel groove at its far end, shadow then highlight.
        const CRect normal = strip.Tab(3);
        const int l = strip.Length(normal);
        const int d = strip.Depth(normal);
        EXPECT_EQ(strip.Pixel(normal, l - 2, d / 2), Sys(COLOR_BTNSHADOW)) << what;
        EXPECT_EQ(strip.Pixel(normal, l - 1, d / 2), Sys(COLOR_BTNHIGHLIGHT)) << what;
        // No page frame: the page stays the control face.
        const CRect page = strip.host.GetClientRect();
        EXPECT_EQ(strip.canvas.At(page.CenterPoint().x, page.CenterPoint().y),
                  Sys(COLOR_BTNFACE))
            << what;
    }
}

TEST(TabAppearanceSets, SelectedOnlyPropertyPageLeavesOtherTabsBare)
{
    for (int position : kPositions) {
        // Tab 0 selected (it grows over tab 1), tab 2 normal, tab 3 hot.
        Strip strip(1, 1, position);
        const std::string what = Where(1, position);
        strip.host.SetCurSel(0);
        strip.host.LayOut(strip.area);
        strip.host.SetHot(strip.host.GetItem(3));
        strip.Draw();
        // The header background beyond the last tab.
        const CRect last = strip.Tab(3);
        const COLORREF background = strip.Pixel(last, strip.Length(last) + 3, 2);
        // Pixels differing from the header, the page-side row (the page's own edge) left out.
        auto drawn = [&](const CRect& tab, int grow) {
            int count = 0;
            for (int v = -grow; v < strip.Depth(tab) - 1; ++v) {
                for (int u = -grow; u < strip.Length(tab) + grow; ++u) {
                    count += strip.Pixel(tab, u, v) != background ? 1 : 0;
                }
            }
            return count;
        };
        EXPECT_EQ(drawn(strip.Tab(2), 0), 0) << what << ": a normal tab is text alone";
        EXPECT_GT(drawn(strip.Tab(3), 0), strip.Length(strip.Tab(3))) << what << ": hot has edges";
        EXPECT_GT(drawn(strip.Tab(0), 2), strip.Length(strip.Tab(0))) << what << ": selected has edges";
        // The hot tab's near side carries the highlight at every position.
        EXPECT_EQ(strip.Pixel(last, 0, strip.Depth(last) / 2), Sys(COLOR_BTNHIGHLIGHT)) << what;
    }
}

TEST(TabAppearanceSets, SlantedTabsDrawTheirOutlineAndJoinThePage)
{
    for (int appearance : {3, 9, 7}) {
        for (int position : kPositions) {
            Strip strip(appearance, 1, position);
            strip.Draw();
            const std::string what = Where(appearance, position);
            PM::CColorSet* colors = strip.Colors();
            const CRect normal = strip.Tab(3);
            const int l = strip.Length(normal);
            const int d = strip.Depth(normal);
            const COLORREF border =
                appearance == 7 ? colors->m_clrFrameBorder : colors->m_clrTabBorder;
            if (appearance == 3) {
                // The far end runs straight at u = l, the outer side at v = 0.
                EXPECT_EQ(strip.Pixel(normal, l, d / 2), border) << what;
                EXPECT_EQ(strip.Pixel(normal, l / 2, 0), border) << what;
                // The leading slant of the first tab (later tabs lie under their left
                // neighbours): border at (6 - d, d - 2).
                const CRect first = strip.Tab(0);
                EXPECT_EQ(strip.Pixel(first, 6 - strip.Depth(first), strip.Depth(first) - 2), border)
                    << what;
            } else {
                // Outer side, then both slants end half the depth beyond the tab.
                EXPECT_EQ(strip.Pixel(normal, l / 2, 0), border) << what;
                EXPECT_EQ(strip.Pixel(normal, l - 1 + d / 2, d - 1), border) << what;
            }
            EXPECT_EQ(strip.Pixel(normal, l / 2, d / 2 + 2), colors->GetItemColor(strip.host.GetItem(3)))
                << what << " face";
            const CRect selected = strip.Tab(1);
            // The selected tab's face line covers the page border under it.
            const COLORREF selectedFace = colors->GetItemColor(strip.host.GetItem(1));
            EXPECT_EQ(strip.Pixel(selected, strip.Length(selected) / 2, strip.Depth(selected) - 1),
                      selectedFace)
                << what;
            if (appearance != 7) {
                EXPECT_EQ(strip.Pixel(selected, strip.Length(selected) / 2, 0),
                          colors->m_clrPageBorder)
                    << what;
                EXPECT_EQ(strip.Pixel(selected, strip.Length(selected) / 2, 1), RGB(255, 255, 255))
                    << what << " white light edge";
            }
        }
    }
}

TEST(TabAppearanceSets, VisioStacksBarsAroundThePage)
{
    TabHost host;
    host.m_paint->SetAppearance(8);
    for (int i = 0; i < 5; ++i) {
        host.AddItem(-1)->SetCaption(L"Bar");
    }
    host.GetItem(3)->SetVisible(FALSE);
    host.SetCurSel(1);
    const CRect bounds(0, 0, 200, 300);
    host.LayOut(bounds);
    const int h = host.m_paint->GetAppearanceSet()->GetHeaderHeight(&host);
    struct Case {
        int index;
        int top;
    };
    // Bars 0 and 1 from one below the top, the other three (the hidden one too) at the bottom.
    for (const Case& c : {Case{0, 1}, Case{1, 1 + h}, Case{2, 300 - 3 * h}, Case{3, 300 - 2 * h},
                          Case{4, 300 - h}}) {
        EXPECT_EQ(host.GetItem(c.index)->GetRect(), CRect(0, c.top, 200, c.top + h))
            << "bar " << c.index;
    }
    EXPECT_EQ(host.GetClientRect(), CRect(1 + 2, 1 + 2 * h + 2, 199 - 2, 300 - 3 * h - 2))
        << "between the bars, less the 2-pixel client frame";
    EXPECT_TRUE(host.GetHeaderRect().IsRectEmpty());

    DrawCanvas canvas(200, 300, kPaper);
    host.m_paint->DrawTabControl(&host, canvas.dc(), bounds);
    PM::CColorSet* colors = host.m_paint->GetColorSet();
    const CRect bar = host.GetItem(2)->GetRect();
    EXPECT_EQ(canvas.At(bar.left + 5, bar.top), colors->m_clrButtonHighlight);
    EXPECT_EQ(canvas.At(bar.left + 5, bar.bottom - 1), colors->m_clrFrameBorder);
    EXPECT_EQ(canvas.At(bar.right - 7, bar.top + 4), Sys(38)) << "grip";
    EXPECT_EQ(canvas.At(bar.right - 5, bar.top + 6), Sys(38)) << "grip";
    EXPECT_EQ(canvas.At(bar.right - 4, bar.top + 4), Sys(COLOR_BTNFACE)) << "grip is 3 wide";
    EXPECT_EQ(canvas.At(0, 150), colors->m_clrFrameBorder) << "frame round the control";

    // The last bar selected: the page runs to one above the bottom.
    host.SetCurSel(4);
    host.LayOut(bounds);
    EXPECT_EQ(host.GetItem(4)->GetRect().top, 1 + 4 * h);
    EXPECT_EQ(host.GetClientRect().bottom, 300 - 1 - 2);
    // Too little room: the bar after the selected one never starts below the bottom.
    host.SetCurSel(0);
    host.LayOut(CRect(0, 0, 200, 2 * h));
    EXPECT_EQ(host.GetItem(1)->GetRect().top, 2 * h - 1) << "at most one above the bottom";
}

TEST(TabAppearanceSets, ImageDrawnSetsDrawNothingWithoutTheImageSet)
{
    for (int appearance : {10, 11}) {
        for (int position : kPositions) {
            Strip strip(appearance, -1, position);
            strip.host.m_paint->m_bFillBackground = FALSE;
            strip.Draw();
            const std::string what = Where(appearance, position);
            // Nothing under any tab: no face, no caption.
            for (int i = 0; i < 4; ++i) {
                const CRect tab = strip.Tab(i);
                int drawn = 0;
                for (int y = tab.top; y < tab.bottom; ++y) {
                    for (int x = tab.left; x < tab.right; ++x) {
                        drawn += strip.canvas.At(x, y) != kPaper ? 1 : 0;
                    }
                }
                EXPECT_EQ(drawn, 0) << what << " tab " << i;
            }
            const CRect page = strip.host.GetClientRect();
            EXPECT_EQ(strip.canvas.At(page.CenterPoint().x, page.CenterPoint().y), kPaper) << what;
        }
    }
}

TEST(TabAppearanceSets, SheetTabsTakeTheirOwnDefaultColoursAndTextFrames)
{
    for (int position : kPositions) {
        Strip strip(7, -1, position);
        PM::CColorSet* colors = strip.Colors();
        const std::string what = Where(7, position);
        EXPECT_EQ(strip.host.m_paint->GetColor(), 2) << what;
        EXPECT_EQ(colors->m_clrButtonNormal.GetColor(), Sys(COLOR_WINDOW)) << what;
        EXPECT_EQ(colors->m_clrButtonSelected.GetColor(), Sys(COLOR_BTNFACE)) << what;
        EXPECT_EQ(colors->m_clrFrameBorder.GetColor(), Sys(COLOR_BTNTEXT)) << what;
        strip.Draw();
        const CRect normal = strip.Tab(3);
        EXPECT_EQ(strip.Pixel(normal, strip.Length(normal) / 2, 0), Sys(COLOR_BTNTEXT)) << what;
        EXPECT_EQ(strip.Pixel(normal, strip.Length(normal) / 2, strip.Depth(normal) / 2),
                  Sys(COLOR_WINDOW))
            << what;
        // The page frame is in the same text colour (probed on the side away from the tabs).
        CRect frame = strip.host.GetClientRect();
        frame.InflateRect(2, 2);
        const CPoint c = frame.CenterPoint();
        const CPoint away[] = {{c.x, frame.bottom - 1}, {frame.right - 1, c.y}, {c.x, frame.top},
                               {frame.left, c.y}};
        EXPECT_EQ(strip.canvas.At(away[position].x, away[position].y), Sys(COLOR_BTNTEXT))
            << what;
    }
}

TEST(TabAppearanceSets, HotEdgeOptionColoursTheHotSlantedTab)
{
    for (int position : kPositions) {
        Strip strip(3, 1, position);
        auto* set = static_cast<PM::CAppearanceSetPropertyPage2003*>(strip.Set());
        const std::string what = Where(3, position);
        strip.host.SetHot(strip.host.GetItem(3));
        const CRect hot = strip.Tab(3);
        const int l = strip.Length(hot);
        strip.Draw();
        EXPECT_EQ(strip.Pixel(hot, l / 2, 0), strip.Colors()->m_clrTabBorder) << what << " off";
        set->m_bHotEdge = TRUE;
        strip.Draw();
        const COLORREF edge = strip.Colors()->m_clrStateSelectedBorder.clrDark;
        ASSERT_NE(edge, static_cast<COLORREF>(strip.Colors()->m_clrTabBorder));
        EXPECT_EQ(strip.Pixel(hot, l / 2, 0), edge) << what << " border";
        EXPECT_EQ(strip.Pixel(hot, l / 2, 1), edge) << what << " light edge";
        // The normal tab keeps its colours.
        const CRect normal = strip.Tab(2);
        EXPECT_EQ(strip.Pixel(normal, strip.Length(normal) / 2, 0), strip.Colors()->m_clrTabBorder)
            << what;
    }
}

TEST(TabAppearanceSets, VisioBarsAreHitAnywhereAndFramelessPagesFillTheGap)
{
    TabHost host;
    host.m_paint->SetAppearance(8);
    for (int i = 0; i < 3; ++i) {
        host.AddItem(-1)->SetCaption(L"Bar");
    }
    host.SetCurSel(0);
    const CRect bounds(0, 0, 160, 200);
    host.LayOut(bounds);
    const int h = host.m_paint->GetAppearanceSet()->GetHeaderHeight(&host);
    // With no header band, a click on a bar at the bottom finds its tab.
    EXPECT_EQ(host.HitTest(CPoint(80, 200 - h / 2)), host.GetItem(2));
    EXPECT_EQ(host.HitTest(CPoint(80, 1 + h / 2)), host.GetItem(0));
    EXPECT_EQ(host.HitTest(CPoint(80, 100)), nullptr) << "the page";

    // Client frame 2: the page is the whole gap between the bars, full width, and the control
    // gets only a line along its top.
    host.m_paint->m_nClientFrame = 2;
    host.LayOut(bounds);
    EXPECT_EQ(host.GetClientRect(), CRect(0, 1 + h, 160, 200 - 2 * h));
    DrawCanvas canvas(160, 200, kPaper);
    host.m_paint->DrawTabControl(&host, canvas.dc(), bounds);
    const COLORREF border = host.m_paint->GetColorSet()->m_clrFrameBorder;
    EXPECT_EQ(canvas.At(80, 0), border);
    EXPECT_EQ(canvas.At(0, 100), host.m_paint->GetColorSet()->m_clrControlFace.GetColor())
        << "no side frame";
}
