// The docking paint manager and the native theme's road drawn into 32-bit DIB sections: the
// caption glyphs, splitter styles, caption geometry and buttons, classic and themed.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/dockingpane/TestCaptionOwner.h"
#include "tests/toolkit/common/ThemeRun.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneWinNativeTheme.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

#include <memory>
#include <typeinfo>

using orvane::test::ClassicRun;
using orvane::test::DrawCanvas;
using orvane::test::TestCaptionOwner;
using Button = CUTKDockingPaneCaptionButton;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A theme by number with its metrics refreshed, released at the end of the scope.
struct Theme {
    explicit Theme(int number) : paint(CreateDockingPanePaintTheme(number))
    {
        paint->RefreshMetrics();
    }
    ~Theme() { paint->InternalRelease(); }
    Theme(const Theme&) = delete;
    Theme& operator=(const Theme&) = delete;
    CUTKDockingPanePaintManager* operator->() const { return paint; }
    CUTKDockingPanePaintManager* paint;
};

int SpaceHeight(CFont* font)
{
    HWND desktop = ::GetDesktopWindow();
    HDC dc = ::GetWindowDC(desktop);
    HGDIOBJ old = ::SelectObject(dc, font->m_hObject);
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, L" ", 1, &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(desktop, dc);
    return size.cy;
}

}  // namespace

TEST(DockingPaint, CaptionGlyphsAtTheirCoordinates)
{
    struct Case {
        const char* name;
        int id;
        int state;
        std::vector<POINT> ink;
        std::vector<POINT> paper;
    };
    const Case cases[] = {
        {"close", Button::idClose, 0, {{-4, -4}, {2, 2}, {-4, 2}, {2, -4}, {-3, -4}, {3, 2}},
         {{3, 3}, {0, 4}, {-5, 0}}},
        {"upright pin", Button::idAutoHide, 0, {{-3, 0}, {3, 0}, {0, 3}, {-2, -3}, {2, -5}, {1, -2}},
         {{4, 0}, {0, 4}, {-1, -2}, {0, -2}}},
        {"sideways pin", Button::idAutoHide, Button::stateHidden,
         {{-4, -1}, {-1, -4}, {-1, 2}, {2, 1}, {3, 0}, {1, -3}, {1, 0}},
         {{-5, -1}, {1, -1}, {1, -2}}},
        {"maximize", Button::idMaximize, 0, {{-5, -5}, {3, 3}, {-5, 3}, {0, -4}},
         {{4, 4}, {0, 0}}},
        {"restore", Button::idRestore, 0,
         {{-4, -2}, {1, 3}, {-2, -1}, {0, -5}, {3, -4}, {-2, -3}, {2, 0}, {3, -3}, {3, 0}},
         {{5, 0}, {-5, 0}, {-2, 1}}},
        {"menu", Button::idMenu, 0, {{-4, -1}, {0, 2}, {-1, 0}, {3, -1}},
         {{0, 3}, {-4, -2}, {4, -1}}},
    };
    Theme theme(3);
    TestCaptionOwner owner;
    for (const Case& c : cases) {
        Button button(c.id, &owner);
        button.SetState(c.state);
        DrawCanvas canvas(40, 40, kWhite);
        theme->DrawCaptionButtonGlyph(canvas.dc(), &button, 20, 20, kBlack);
        for (const POINT& p : c.ink) {
            EXPECT_EQ(canvas.At(20 + p.x, 20 + p.y), kBlack) << c.name << " ink " << p.x << "," << p.y;
        }
        for (const POINT& p : c.paper) {
            EXPECT_EQ(canvas.At(20 + p.x, 20 + p.y), kWhite)
                << c.name << " paper " << p.x << "," << p.y;
        }
    }
}

TEST(DockingPaint, SplitterStylesPaintTheirRows)
{
    Theme theme(3);
    CUTKDockingPanePaintManager* paint = theme.paint;
    const COLORREF face = paint->m_clrSplitterFace;
    struct Row {
        int y;
        COLORREF color;
    };
    struct Case {
        int style;
        std::vector<Row> rows;
    };
    const Case cases[] = {
        {0, {{0, face}, {3, face}, {7, face}}},
        {0x1, {{0, paint->GetColor(20)}, {3, face}, {6, paint->GetColor(52)}, {7, paint->GetColor(18)}}},
        {0x2, {{0, paint->GetColor(21)}, {1, paint->GetColor(5)}, {2, face}, {6, face},
               {7, paint->GetColor(21)}}},
    };
    for (const Case& c : cases) {
        paint->m_dwSplitterStyle = c.style;
        DrawCanvas horizontal(60, 8, RGB(1, 2, 3));
        paint->DrawSplitter(horizontal.dc(), CRect(0, 0, 60, 8), TRUE, nullptr, nullptr);
        DrawCanvas vertical(8, 60, RGB(1, 2, 3));
        paint->DrawSplitter(vertical.dc(), CRect(0, 0, 8, 60), FALSE, nullptr, nullptr);
        for (const Row& r : c.rows) {
            EXPECT_EQ(horizontal.At(30, r.y), r.color) << "style " << c.style << " row " << r.y;
            EXPECT_EQ(vertical.At(r.y, 30), r.color) << "style " << c.style << " column " << r.y;
        }
    }
}

TEST(DockingPaint, SplitterDotsStartAtTheCentreLessHalf)
{
    Theme theme(3);
    CUTKDockingPanePaintManager* paint = theme.paint;
    paint->m_dwSplitterStyle = 0x200;
    const COLORREF face = paint->m_clrSplitterFace;
    const COLORREF shadow = paint->m_clrSplitter;
    const COLORREF light = paint->GetColor(20);
    ASSERT_NE(shadow, face);
    struct Case {
        int length;
        int half;  // 20 for 60 pixels; 32, not 50, for 120
    };
    for (const Case& c : {Case{60, 20}, Case{120, 32}}) {
        DrawCanvas canvas(c.length, 8, RGB(1, 2, 3));
        paint->DrawSplitter(canvas.dc(), CRect(0, 0, c.length, 8), TRUE, nullptr, nullptr);
        const int m = 4;
        const int first = c.length / 2 - c.half + 3;
        EXPECT_EQ(canvas.At(first - 3, m - 1), shadow) << c.length;
        EXPECT_EQ(canvas.At(first - 2, m), shadow) << c.length;
        EXPECT_EQ(canvas.At(first - 1, m), light) << c.length;
        EXPECT_EQ(canvas.At(first - 4, m - 1), face) << c.length << ": nothing before the first dot";
        EXPECT_EQ(canvas.At(first + 4 - 3, m - 1), shadow) << c.length << ": the next dot 4 on";
    }
}

TEST(DockingPaint, NativeCaptionBandIsMarginsPlusTextPlusSeven)
{
    Theme theme(3);
    const int text = SpaceHeight(theme->GetCaptionFont());
    EXPECT_EQ(theme->m_nCaptionFontHeight, std::max(text, 13) + 7);
    EXPECT_EQ(theme->GetCaptionBand(), 3 + std::max(text, 13) + 7);
    LOGFONTW caption = {};
    ASSERT_NE(theme->GetCaptionFont()->GetLogFont(&caption), 0);
    EXPECT_EQ(caption.lfWeight, FW_NORMAL) << "the native theme's captions are not bold";

    TestCaptionOwner owner;
    CRect rect(0, 0, 200, 100);
    theme->AdjustCaptionRect(&owner, rect);
    EXPECT_EQ(rect.top, theme->GetCaptionBand());
    owner.m_vertical = TRUE;
    rect.SetRect(0, 0, 200, 100);
    theme->AdjustCaptionRect(&owner, rect);
    EXPECT_EQ(rect.left, theme->GetCaptionBand());
}

TEST(DockingPaint, NativeCaptionButtonsSizeAndGapFollowTheVisualStyle)
{
    Theme theme(3);
    TestCaptionOwner owner;
    DrawCanvas canvas(200, 60, kWhite);
    theme->DrawCaption(canvas.dc(), &owner, CRect(0, 0, 200, 60));
    const BOOL themed = !ClassicRun();
    EXPECT_EQ(theme->IsWindowThemeActive(), themed);
    const int size = themed ? 16 : 14;
    const int gap = themed ? 3 : 2;
    const auto& buttons = *owner.GetCaptionButtons();
    for (size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i]->GetRect().Width(), size) << i;
        EXPECT_EQ(buttons[i]->GetRect().Height(), size) << i;
        if (i > 0) {
            EXPECT_EQ(buttons[i - 1]->GetRect().left - buttons[i]->GetRect().right, gap) << i;
        }
    }
    // The first button stands at the caption's end less 2 pixels.
    EXPECT_EQ(buttons[0]->GetRect().right, 200 - 2);
}

TEST(DockingPaint, HiddenButtonsTakeNoRoomAndTheCaptionKeepsItsWidth)
{
    Theme theme(3);
    TestCaptionOwner owner;
    owner.m_hidden = {Button::idClose, Button::idAutoHide, Button::idMaximize};
    DrawCanvas canvas(200, 40, kWhite);
    CRect caption(0, 0, 200, 20);
    theme->DrawCaptionButtons(canvas.dc(), owner.GetCaptionButtons(), caption, kBlack, 14, 2, FALSE);
    EXPECT_EQ(caption.right, 200);
    for (Button* button : *owner.GetCaptionButtons()) {
        EXPECT_TRUE(button->GetRect().IsRectEmpty());
    }
    owner.m_hidden = {Button::idAutoHide};
    theme->DrawCaptionButtons(canvas.dc(), owner.GetCaptionButtons(), caption, kBlack, 14, 2, FALSE);
    EXPECT_EQ(caption.right, 200 - 14 - 2 - 14 - 2) << "ends where the next button would start";
}

TEST(DockingPaint, DisabledPaneDrawsEveryButtonInTheDisabledColourAndNoneGetsHot)
{
    Theme theme(4);  // plain glyphs: style 1
    TestCaptionOwner owner({Button::idClose, Button::idMaximize});
    owner.m_paneBits = DockingCaptionOwner::paneEnabled;
    DrawCanvas canvas(200, 40, kWhite);
    CRect caption(0, 0, 200, 20);
    theme->DrawCaptionButtons(canvas.dc(), owner.GetCaptionButtons(), caption, kBlack, 14, 2, FALSE);
    const COLORREF disabled = theme->m_clrDisabledCaptionText;
    ASSERT_NE(disabled, kBlack);
    for (Button* button : *owner.GetCaptionButtons()) {
        const CPoint c = button->GetRect().CenterPoint();
        const CPoint probe = button->GetID() == Button::idClose ? CPoint(c.x - 4, c.y - 4)
                                                                : CPoint(c.x - 5, c.y - 5);
        EXPECT_EQ(canvas.At(probe.x, probe.y), disabled) << button->GetID();
        EXPECT_FALSE(button->CheckForMouseOver(c));
        EXPECT_FALSE(button->IsHot());
    }
}

TEST(DockingPaint, ExplorerBarStyleFallsBackToPlainFramesWithoutItsClass)
{
    // The prefix's visual style has no "EXPLORERBAR": a hot close button of the native theme
    // gets a raised frame and its glyph, themed or not.
    Theme theme(3);
    TestCaptionOwner owner({Button::idClose});
    Button* close = (*owner.GetCaptionButtons())[0];
    close->m_bHot = TRUE;
    close->m_rcButton.SetRect(10, 10, 26, 26);
    DrawCanvas canvas(40, 40, kWhite);
    theme->DrawCaptionButton(canvas.dc(), close, kBlack);
    EXPECT_EQ(canvas.At(10, 10), theme->GetColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(25, 25), theme->GetColor(COLOR_BTNTEXT));
    EXPECT_EQ(canvas.At(18 - 4, 18 - 4), kBlack);
}

TEST(DockingPaint, ThemeNumbersWithoutAThemeDrawAsTheDefault)
{
    std::vector<std::unique_ptr<DrawCanvas>> canvases;
    for (int number : {0, 13, 20}) {
        Theme theme(number);
        EXPECT_EQ(typeid(*theme.paint), typeid(UTKDockingPanePaintThemes::CUTKDockingPaneDefaultTheme));
        EXPECT_EQ(theme->m_nThemeNumber, number);
        TestCaptionOwner owner;
        canvases.push_back(std::make_unique<DrawCanvas>(200, 40, kWhite));
        theme->DrawCaption(canvases.back()->dc(), &owner, CRect(0, 0, 200, 40));
    }
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            ASSERT_EQ(canvases[0]->At(x, y), canvases[1]->At(x, y)) << x << "," << y;
            ASSERT_EQ(canvases[0]->At(x, y), canvases[2]->At(x, y)) << x << "," << y;
        }
    }
}

TEST(DockingPaint, NativeThemeRoadSettings)
{
    Theme theme(3);
    EXPECT_EQ(theme->m_nCaptionButtonStyle, 3);
    EXPECT_EQ(theme->m_nTextCaptionMargin, 7);
    EXPECT_FALSE(theme->m_bBoldCaption);
    for (CUTKTabPaintManager* tabs :
         {theme->GetPaneTabPaintManager(), theme->GetPanelTabPaintManager()}) {
        EXPECT_EQ(tabs->GetAppearance(), 0);
        EXPECT_EQ(tabs->GetColor(), 8);
        EXPECT_TRUE(tabs->m_bHotTracking);
    }
    EXPECT_EQ(theme->GetPaneTabPaintManager()->GetLayout(), CUTKTabPaintManager::layoutSizeToFit);
    EXPECT_EQ(theme->GetPaneTabPaintManager()->GetPosition(), CUTKTabPaintManager::positionBottom);
    EXPECT_EQ(theme->GetPanelTabPaintManager()->GetLayout(), CUTKTabPaintManager::layoutCompressed);
    EXPECT_FALSE(theme->GetPanelTabPaintManager()->m_bFillBackground);
    EXPECT_GE(theme->m_nTabsHeight, 24);
    // Classic: the Visual Studio 2003 gradients; themed: the window theme's text colours.
    EXPECT_EQ(theme->m_clrActiveCaption.clrDark.GetColor(), theme->GetColor(COLOR_GRADIENTACTIVECAPTION));
    EXPECT_EQ(theme->m_clrNormalCaptionText.GetColor(),
              theme->GetColor(ClassicRun() ? COLOR_BTNTEXT : COLOR_INACTIVECAPTIONTEXT));
}

TEST(DockingPaint, ColoursCustomValuesAndFonts)
{
    Theme theme(3);
    EXPECT_EQ(theme->GetColor(static_cast<int>(RGB(0, 128, 255))), RGB(0, 128, 255));
    EXPECT_EQ(theme->GetColor(15), GetColorManager()->GetColor(15));
    const int indexes[] = {15, 99};
    const COLORREF colors[] = {RGB(9, 9, 9), RGB(8, 8, 8)};
    theme->SetColors(2, indexes, colors);
    EXPECT_EQ(theme->GetColor(15), RGB(9, 9, 9));

    theme->m_clrSplitterFace.SetCustomValue(RGB(1, 2, 3));
    theme->m_clrActiveCaption.clrLight.SetCustomValue(RGB(4, 5, 6));
    theme->RefreshMetrics();
    EXPECT_EQ(theme->m_clrSplitterFace.GetColor(), RGB(1, 2, 3));
    EXPECT_EQ(theme->m_clrActiveCaption.clrLight.GetColor(), RGB(4, 5, 6));
    EXPECT_EQ(theme->GetColor(15), GetColorManager()->GetColor(15)) << "the table is rebuilt";

    struct Case {
        LONG height;
        LONG vertical;
    };
    for (const Case& c : {Case{-5, -11}, Case{-12, -12}, Case{12, 12}, Case{0, 0}}) {
        LOGFONTW font = {};
        font.lfHeight = c.height;
        lstrcpyW(font.lfFaceName, L"Arial");
        theme->SetCaptionFont(&font, FALSE);
        LOGFONTW vertical = {};
        ASSERT_NE(theme->GetVerticalCaptionFont()->GetLogFont(&vertical), 0);
        EXPECT_EQ(vertical.lfHeight, c.vertical) << c.height;
        EXPECT_EQ(vertical.lfEscapement, 2700);
    }
    EXPECT_FALSE(theme->m_bUseSystemCaptionFont);
    theme->SetCaptionFont(nullptr, TRUE);
    EXPECT_TRUE(theme->m_bUseSystemCaptionFont);
}

TEST(DockingPaint, FrameGradientOverAFrameWithoutHeightFillsTheLightColour)
{
    HWND frame = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 0, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(frame, nullptr);
    CUTKPaintManagerColorGradient gradient;
    gradient.SetStandardValue(RGB(200, 100, 50), RGB(10, 20, 30));
    DrawCanvas canvas(20, 20, kWhite);
    CUTKDockingPanePaintManager::FillFrameGradient(canvas.dc(), CRect(0, 0, 20, 20), nullptr, frame,
                                                   gradient, FALSE);
    EXPECT_EQ(canvas.At(10, 10), RGB(200, 100, 50));
    // Without a frame nothing is drawn.
    DrawCanvas empty(20, 20, kWhite);
    CUTKDockingPanePaintManager::FillFrameGradient(empty.dc(), CRect(0, 0, 20, 20), nullptr, nullptr,
                                                   gradient, FALSE);
    EXPECT_EQ(empty.At(10, 10), kWhite);
    ::DestroyWindow(frame);
}

TEST(DockingPaint, NativeCaptionPaintsItsBackgroundActiveAndInactive)
{
    Theme theme(3);
    TestCaptionOwner owner;
    owner.m_title.Empty();
    owner.m_hidden = {Button::idClose, Button::idAutoHide, Button::idMaximize};
    DrawCanvas active(200, 40, kWhite);
    theme->DrawCaption(active.dc(), &owner, CRect(0, 0, 200, 40));
    owner.m_active = FALSE;
    DrawCanvas inactive(200, 40, kWhite);
    theme->DrawCaption(inactive.dc(), &owner, CRect(0, 0, 200, 40));
    int differing = 0;
    for (int x = 0; x < 150; ++x) {
        differing += active.At(x, 3) != inactive.At(x, 3) ? 1 : 0;
    }
    if (ClassicRun()) {
        // The gradient caption from the active caption colour at the left edge, the inactive
        // one in other colours, across the whole band.
        int painted = 0;
        for (int x = 0; x < 150; ++x) {
            painted += active.At(x, 3) != kWhite && inactive.At(x, 3) != kWhite ? 1 : 0;
        }
        EXPECT_EQ(painted, 150);
        EXPECT_EQ(active.At(0, 5), theme->GetColor(COLOR_ACTIVECAPTION));
        EXPECT_EQ(inactive.At(0, 5), theme->GetColor(COLOR_INACTIVECAPTION));
        EXPECT_GT(differing, 100);
        // Above the caption, the container's corner in the face colour.
        EXPECT_EQ(active.At(50, 0), theme->GetColor(COLOR_BTNFACE));
    } else {
        // The small-caption part covers the band from the very top: its edge runs along row 0
        // (the prefix's style draws a light face inside a grey edge).
        int edge = 0;
        for (int x = 5; x < 150; ++x) {
            edge += active.At(x, 0) != kWhite && inactive.At(x, 0) != kWhite ? 1 : 0;
        }
        EXPECT_EQ(edge, 145);
    }
}
