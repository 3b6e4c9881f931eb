// Tab strips drawn into 32-bit DIB sections and read back: the navigate-button glyphs, the
// property-page edges at each position, and the native colour set themed and classic. The
// same tests run twice: with the prefix's visual style and with uxtheme off (classic).
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/common/ImageTestImages.h"
#include "tests/toolkit/tabmanager/TabHost.h"
#include "tests/toolkit/common/ThemeRun.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKImageManagerIcon.h"
#include "toolkit/tabmanager/CUTKTabManagerNavigateButtons.h"

using orvane::test::ClassicRun;
using orvane::test::DrawCanvas;
using orvane::test::TabHost;
using PM = CUTKTabPaintManager;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

COLORREF Sys(int index)
{
    return GetColorManager()->GetColor(index);
}

// A strip of four tabs at a position with tab 1 selected, drawn into a canvas.
struct DrawnStrip {
    DrawnStrip(int position, int colorSet, const CRect& bounds)
        : canvas(bounds.right, bounds.bottom, RGB(1, 2, 3))
    {
        host.m_paint->SetColor(colorSet);
        host.m_paint->SetPosition(position);
        for (int i = 0; i < 4; ++i) {
            host.AddItem(-1)->SetCaption(L"Tab");
        }
        host.SetCurSel(1);
        host.LayOut(bounds);
        host.m_paint->DrawTabControl(&host, canvas.dc(), bounds);
    }
    TabHost host;
    DrawCanvas canvas;
};

}  // namespace

TEST(TabDraw, NavigateButtonGlyphsSitAroundTheCentre)
{
    struct Case {
        const char* name;
        int id;
        int position;
        std::vector<POINT> ink;    // offsets from the centre that are drawn
        std::vector<POINT> paper;  // offsets that stay empty
    };
    const Case cases[] = {
        {"close", 2, 0, {{-4, -3}, {-3, -3}, {0, 0}, {2, 3}, {-4, 3}, {3, -3}},
         {{4, 4}, {0, -4}, {-5, 0}, {5, 0}}},
        {"left", 0, 0, {{2, -5}, {-2, -1}, {2, 3}, {1, -1}}, {{-3, -1}, {3, -1}, {2, 4}}},
        {"right", 1, 0, {{-2, -5}, {2, -1}, {-2, 3}, {-1, -1}}, {{3, -1}, {-3, -1}, {-2, 4}}},
        {"up", 0, 1, {{-5, 2}, {-1, -2}, {3, 2}, {-1, 1}}, {{-1, -3}, {-1, 3}, {4, 2}}},
        {"down", 1, 1, {{-5, -2}, {-1, 2}, {3, -2}, {-1, -1}}, {{-1, 3}, {-1, -3}, {-6, -2}}},
    };
    for (const Case& c : cases) {
        TabHost host;
        host.m_paint->SetPosition(c.position);
        CUTKTabManagerNavigateButton* button = host.FindNavigateButton(c.id);
        DrawCanvas canvas(40, 40, kWhite);
        CPen pen;
        CBrush brush;
        ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, kBlack));
        ASSERT_TRUE(brush.CreateSolidBrush(kBlack));
        HGDIOBJ oldPen = ::SelectObject(canvas.hdc(), pen.m_hObject);
        HGDIOBJ oldBrush = ::SelectObject(canvas.hdc(), brush.m_hObject);
        const CRect rect(10, 10, 24, 25);  // 14 x 15, centre (17, 17)
        button->DrawEntry(canvas.dc(), rect);
        ::SelectObject(canvas.hdc(), oldPen);
        ::SelectObject(canvas.hdc(), oldBrush);
        for (const POINT& p : c.ink) {
            EXPECT_EQ(canvas.At(17 + p.x, 17 + p.y), kBlack)
                << c.name << " ink at " << p.x << "," << p.y;
        }
        for (const POINT& p : c.paper) {
            EXPECT_EQ(canvas.At(17 + p.x, 17 + p.y), kWhite)
                << c.name << " paper at " << p.x << "," << p.y;
        }
    }
}

TEST(TabDraw, DisabledArrowGlyphIsHollow)
{
    TabHost host;
    CUTKTabManagerNavigateButton* left = host.FindNavigateButton(0);
    left->SetEnabled(FALSE);
    DrawCanvas canvas(40, 40, kWhite);
    canvas.dc()->SetTextColor(kBlack);
    host.m_paint->DrawNavigateButton(canvas.dc(), left, CRect(10, 10, 24, 25));
    // Outline drawn, inside left empty (the centre of the triangle (18, 16)).
    EXPECT_NE(canvas.At(17 - 2, 17 - 1), kWhite);
    EXPECT_EQ(canvas.At(17 + 1, 17 - 1), kWhite);
}

TEST(TabDraw, PropertyPageEdgesClassicAtEachPosition)
{
    const COLORREF h = Sys(COLOR_BTNHIGHLIGHT);
    const COLORREF s = Sys(COLOR_BTNSHADOW);
    const COLORREF d = Sys(COLOR_3DDKSHADOW);
    ASSERT_NE(h, s);
    ASSERT_NE(s, d);
    struct Probe {
        int tab;       // 1 selected, 3 normal (not beside it)
        int x, y;      // from the tab's corner chosen below
        BOOL fromRight, fromBottom;
        char edge;     // 'H', 'S', 'D'
    };
    struct Case {
        int position;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {PM::positionTop,
         {{3, 0, 5, FALSE, FALSE, 'H'}, {3, 4, 0, FALSE, FALSE, 'H'}, {3, 1, 5, TRUE, FALSE, 'D'},
          {3, 2, 5, TRUE, FALSE, 'S'}, {1, -2, 5, FALSE, FALSE, 'H'}, {1, -1, 5, TRUE, FALSE, 'D'},
          {1, 4, -2, FALSE, FALSE, 'H'}}},
        {PM::positionLeft,
         {{3, 5, 0, FALSE, FALSE, 'H'}, {3, 0, 5, FALSE, FALSE, 'H'}, {3, 5, 1, FALSE, TRUE, 'D'},
          {3, 5, 2, FALSE, TRUE, 'S'}, {1, -2, 5, FALSE, FALSE, 'H'}, {1, 5, -2, FALSE, FALSE, 'H'}}},
        {PM::positionBottom,
         {{3, 0, 3, FALSE, FALSE, 'H'}, {3, 1, 3, TRUE, FALSE, 'D'}, {3, 2, 3, TRUE, FALSE, 'S'},
          {3, 5, 1, FALSE, TRUE, 'D'}, {3, 5, 2, FALSE, TRUE, 'S'}, {1, -2, 3, FALSE, FALSE, 'H'},
          {1, 5, -1, FALSE, TRUE, 'D'}}},
        {PM::positionRight,
         {{3, 3, 0, FALSE, FALSE, 'H'}, {3, 1, 5, TRUE, FALSE, 'D'}, {3, 2, 5, TRUE, FALSE, 'S'},
          {3, 3, 1, FALSE, TRUE, 'D'}, {1, 3, -2, FALSE, FALSE, 'H'}, {1, -1, 5, TRUE, FALSE, 'D'}}},
    };
    for (const Case& c : cases) {
        DrawnStrip strip(c.position, 1, CRect(0, 0, 300, 200));
        for (const Probe& p : c.probes) {
            const CRect tab = strip.host.GetItem(p.tab)->GetRect();
            const int x = p.fromRight ? tab.right - p.x : tab.left + p.x;
            const int y = p.fromBottom ? tab.bottom - p.y : tab.top + p.y;
            const COLORREF expected = p.edge == 'H' ? h : (p.edge == 'S' ? s : d);
            EXPECT_EQ(strip.canvas.At(x, y), expected)
                << "position " << c.position << " tab " << p.tab << " probe " << x << "," << y
                << " edge " << p.edge;
        }
    }
}

TEST(TabDraw, SelectedTopTabCoversThePageEdge)
{
    DrawnStrip strip(PM::positionTop, 1, CRect(0, 0, 300, 200));
    const CRect selected = strip.host.GetItem(1)->GetRect();
    const CRect normal = strip.host.GetItem(3)->GetRect();
    // The page's highlight edge runs under the normal tab and is erased under the selected one.
    EXPECT_EQ(strip.host.GetClientRect().top, normal.bottom - 1 + 2) << "a 2-pixel frame round the page";
    EXPECT_EQ(strip.canvas.At(normal.CenterPoint().x, normal.bottom - 1), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(strip.canvas.At(selected.CenterPoint().x, selected.bottom - 1), Sys(COLOR_BTNFACE));
}

TEST(TabDraw, NativeSetDrawsThemePartsOnlyWhenThemed)
{
    const CRect bounds(0, 0, 300, 300);
    for (int position : {PM::positionTop, PM::positionBottom, PM::positionLeft}) {
        DrawnStrip classic(position, 1, bounds);
        DrawnStrip native(position, 8, bounds);
        PM::CColorSet* set = native.host.m_paint->GetColorSet();
        int differing = 0;
        for (int y = 0; y < bounds.bottom; ++y) {
            for (int x = 0; x < bounds.right; ++x) {
                differing += classic.canvas.At(x, y) != native.canvas.At(x, y) ? 1 : 0;
            }
        }
        if (ClassicRun()) {
            EXPECT_FALSE(set->IsAppThemed());
            EXPECT_EQ(differing, 0) << "position " << position;
        } else {
            EXPECT_TRUE(set->IsAppThemed());
            EXPECT_EQ(set->m_csPropertyPage3DHighlight.GetColor(), static_cast<COLORREF>(-1));
            EXPECT_EQ(set->m_csPropertyPage3DDarkShadow.GetColor(), static_cast<COLORREF>(-1));
            EXPECT_GT(differing, 100) << "position " << position;
            // No highlight edge line down the left of a normal tab.
            const CRect tab = native.host.GetItem(3)->GetRect();
            ASSERT_LE(tab.bottom, bounds.bottom);
            int highlight = 0;
            for (int y = tab.top + 3; y < tab.bottom - 3; ++y) {
                highlight += native.canvas.At(tab.left, y) == Sys(COLOR_BTNHIGHLIGHT) ? 1 : 0;
            }
            EXPECT_LT(highlight, tab.Height() - 6) << "position " << position;
        }
    }
}

TEST(TabDraw, ItemColoursFillTabsAndThePageUnderTheSelectedTab)
{
    TabHost host;
    host.m_paint->m_bOneNoteColors = TRUE;
    host.m_paint->SetColor(1);
    for (int i = 0; i < 3; ++i) {
        host.AddItem(-1)->SetCaption(L"T");
    }
    host.SetCurSel(1);
    const CRect bounds(0, 0, 300, 120);
    host.LayOut(bounds);
    DrawCanvas canvas(300, 120, kWhite);
    host.m_paint->DrawTabControl(&host, canvas.dc(), bounds);
    const CRect page = host.GetClientRect();
    EXPECT_EQ(canvas.At(page.CenterPoint().x, page.CenterPoint().y), host.GetItem(1)->GetColor());
    const CRect normal = host.GetItem(2)->GetRect();
    EXPECT_EQ(canvas.At(normal.left + 3, normal.top + 3), host.GetItem(2)->GetColor());
}

TEST(TabDraw, TurnedNativeFacesDrawnAgainMatchAFreshDrawing)
{
    // The native set keeps turned tab faces; a later drawing with other states and sizes must
    // look exactly like a strip drawn the first time.
    const CRect bounds(0, 0, 300, 300);
    for (int position : {PM::positionBottom, PM::positionLeft, PM::positionRight}) {
        DrawnStrip reused(position, 8, bounds);
        reused.host.SetCurSel(2);
        reused.host.GetItem(0)->SetCaption(L"A longer caption");
        reused.host.LayOut(bounds);
        reused.host.m_paint->DrawTabControl(&reused.host, reused.canvas.dc(), bounds);

        TabHost fresh;
        fresh.m_paint->SetColor(8);
        fresh.m_paint->SetPosition(position);
        for (int i = 0; i < 4; ++i) {
            fresh.AddItem(-1)->SetCaption(i == 0 ? L"A longer caption" : L"Tab");
        }
        fresh.SetCurSel(2);
        fresh.LayOut(bounds);
        DrawCanvas canvas(bounds.right, bounds.bottom, RGB(1, 2, 3));
        fresh.m_paint->DrawTabControl(&fresh, canvas.dc(), bounds);
        int differing = 0;
        for (int y = 0; y < bounds.bottom; ++y) {
            for (int x = 0; x < bounds.right; ++x) {
                differing += canvas.At(x, y) != reused.canvas.At(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0) << "position " << position;
    }
}

TEST(TabIcons, TabDrawsTheImageOfItsStateAtTheRectangle)
{
    CUTKImageManager* images = new CUTKImageManager;
    IconImageHandle normal(orvane::test::MakeBitmap32(16, 16, [](int, int) { return 0xFF2040C0u; }));
    IconImageHandle hot(orvane::test::MakeBitmap32(16, 16, [](int, int) { return 0xFFC04020u; }));
    ASSERT_TRUE(images->SetIconImage(normal, 5, 0, 0, 0));
    ASSERT_TRUE(images->SetIconImage(hot, 5, 0, 0, 2));
    CUTKImageManagerIcon* icon = images->GetImage(5, 16);
    ASSERT_NE(icon, nullptr);

    TabHost host;
    host.AddItem(-1);
    host.AddItem(-1);
    host.SetCurSel(0);
    CUTKTabManagerItem* item = host.GetItem(1);
    struct Case {
        const char* name;
        bool enabled;
        COLORREF expected;  // at the icon's middle
    } cases[] = {
        {"normal", true, RGB(0x20, 0x40, 0xC0)},
        {"disabled", false, CLR_INVALID},  // generated grey: neither colour
    };
    for (const Case& c : cases) {
        item->m_bEnabled = c.enabled ? TRUE : FALSE;
        DrawCanvas canvas(40, 40, RGB(255, 255, 255));
        item->DrawImage(canvas.dc(), CRect(10, 10, 26, 26), icon);
        const COLORREF middle = canvas.At(18, 18);
        if (c.expected != CLR_INVALID) {
            EXPECT_EQ(middle, c.expected) << c.name;
        } else {
            EXPECT_NE(middle, RGB(0x20, 0x40, 0xC0)) << c.name;
            EXPECT_NE(middle, RGB(255, 255, 255)) << c.name;
        }
        EXPECT_EQ(canvas.At(5, 5), RGB(255, 255, 255)) << c.name << ": outside the rectangle";
    }
    // The selected tab without a checked image takes the hot one.
    item = host.GetItem(0);
    DrawCanvas canvas(40, 40, RGB(255, 255, 255));
    item->DrawImage(canvas.dc(), CRect(10, 10, 26, 26), icon);
    EXPECT_EQ(canvas.At(18, 18), RGB(0xC0, 0x40, 0x20));
    images->InternalRelease();
}
