// The docking themes by number: which class each number builds, its caption band and
// settings, its colours under each colour scheme, and its captions, panes and frames drawn
// into 32-bit DIB sections (classic and themed runs).
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/common/ThemeRun.h"
#include "tests/toolkit/dockingpane/TestCaptionOwner.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/UTKDrawFunctions.h"
#include "toolkit/dockingpane/CUTKDockingPaneOffice2003OutlookTheme.h"
#include "toolkit/dockingpane/CUTKDockingPaneOffice2007OutlookTheme.h"
#include "toolkit/dockingpane/CUTKDockingPaneOffice2007VisioTheme.h"
#include "toolkit/dockingpane/CUTKDockingPaneOffice2007WordTheme.h"
#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2010Theme.h"
#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio6Theme.h"
#include "toolkit/dockingpane/CUTKDockingPaneWinExplorerTheme.h"
#include "toolkit/dockingpane/CUTKDockingPaneWinNativeTheme.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

#include <algorithm>
#include <memory>
#include <typeindex>
#include <typeinfo>

using orvane::test::ClassicRun;
using orvane::test::DrawCanvas;
using orvane::test::TestCaptionOwner;
using namespace UTKDockingPanePaintThemes;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kUnset = static_cast<COLORREF>(-1);

// The colour manager's scheme selection for one scope, back to automatic at its end.
struct Scheme {
    explicit Scheme(int scheme) { GetColorManager()->SetSystemTheme(scheme); }
    ~Scheme() { GetColorManager()->SetSystemTheme(CUTKColorManager::schemeAuto); }
    Scheme(const Scheme&) = delete;
    Scheme& operator=(const Scheme&) = delete;
};

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

COLORREF Standard(const CUTKPaintManagerColor& color)
{
    return color.GetStandardColor();
}

// A container showing a caption and, when asked, its tab strip's absence.
struct Container : TestCaptionOwner {
    BOOL m_tabs = FALSE;
    BOOL IsTabsVisible() const override { return m_tabs; }
};

void ExpectSamePixels(DrawCanvas& a, DrawCanvas& b, int width, int height, const char* what,
                      int number)
{
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(a.At(x, y), b.At(x, y)) << what << " of theme " << number << " at " << x
                                              << "," << y;
        }
    }
}

}  // namespace

TEST(DockingThemes, EveryNumberBuildsItsClass)
{
    const struct {
        int number;
        std::type_index type;
    } cases[] = {
        {0, typeid(CUTKDockingPaneDefaultTheme)},
        {1, typeid(CUTKDockingPaneVisualStudio2003Theme)},
        {2, typeid(CUTKDockingPaneOffice2003Theme)},
        {3, typeid(CUTKDockingPaneWinNativeTheme)},
        {4, typeid(CUTKDockingPaneGripperedTheme)},
        {5, typeid(CUTKDockingPaneOffice2002VisioTheme)},
        {6, typeid(CUTKDockingPaneVisualStudio2005Beta1Theme)},
        {7, typeid(CUTKDockingPaneOffice2003OutlookTheme)},
        {8, typeid(CUTKDockingPaneWinExplorerTheme)},
        {9, typeid(CUTKDockingPaneVisualStudio2005Theme)},
        {10, typeid(CUTKDockingPaneOffice2007Theme)},
        {11, typeid(CUTKDockingPaneOffice2007WordTheme)},
        {12, typeid(CUTKDockingPaneOffice2007OutlookTheme)},
        {13, typeid(CUTKDockingPaneDefaultTheme)},
        {14, typeid(CUTKDockingPaneVisualStudio6Theme)},
        {15, typeid(CUTKDockingPaneVisualStudio2005Beta2Theme)},
        {16, typeid(CUTKDockingPaneVisualStudio2008Theme)},
        {17, typeid(CUTKDockingPaneVisualStudio2010Theme)},
        {18, typeid(CUTKDockingPaneOffice2003VisioTheme)},
        {19, typeid(CUTKDockingPaneOffice2007VisioTheme)},
        {20, typeid(CUTKDockingPaneDefaultTheme)},
        {-1, typeid(CUTKDockingPaneDefaultTheme)},
    };
    for (const auto& c : cases) {
        Theme theme(c.number);
        EXPECT_EQ(std::type_index(typeid(*theme.paint)), c.type) << c.number;
        EXPECT_EQ(theme->m_nThemeNumber, c.number);
    }
}

TEST(DockingThemes, CaptionBandAndSettingsByTheme)
{
    struct Case {
        int number;
        int textMargin;
        int marginTop;
        int marginBottom;
        BOOL bold;
        int buttonStyle;
        int splitterStyle;
        int splitterSize;
        int indent;
    };
    const Case cases[] = {
        {0, 5, 2, 1, TRUE, 0, 0, 4, 0},   {1, 5, 2, 1, FALSE, 1, 0, 4, 0},
        {2, 7, 2, 1, TRUE, 2, 0, 4, 0},   {4, 5, 2, 1, TRUE, 1, 0, 4, 0},
        {5, 2, 2, 1, FALSE, 2, 0, 4, 0},  {6, 5, 0, 0, FALSE, 1, 4, 4, 0},
        {7, 3, 2, 1, TRUE, 2, 0, 4, 0},   {8, 9, 0, 0, FALSE, 5, 0, 4, 0},
        {9, 5, 0, 0, FALSE, 1, 4, 4, 0},  {10, 5, 2, 1, TRUE, 2, 8, 4, 0},
        {11, 2, 2, 1, TRUE, 2, 0, 0, 2},  {12, 3, 2, 1, TRUE, 2, 8, 4, 0},
        {14, 5, 2, 1, TRUE, 0, 0, 4, 0},  {15, 5, 0, 0, FALSE, 1, 4, 4, 0},
        {16, 5, 0, 0, FALSE, 1, 4, 4, 0}, {17, 5, 0, 0, FALSE, 1, 4, 4, 0},
        {18, 2, 2, 1, FALSE, 2, 0, 4, 0}, {19, 2, 2, 1, FALSE, 2, 0, 4, 0},
    };
    for (const Case& c : cases) {
        Theme theme(c.number);
        const int text = SpaceHeight(theme->GetCaptionFont());
        EXPECT_EQ(theme->m_nTextCaptionMargin, c.textMargin) << c.number;
        EXPECT_EQ(theme->m_nCaptionFontHeight, std::max(text, 13) + c.textMargin) << c.number;
        EXPECT_EQ(theme->GetCaptionBand(),
                  c.marginTop + c.marginBottom + std::max(text, 13) + c.textMargin)
            << c.number;
        EXPECT_EQ(theme->m_bBoldCaption, c.bold) << c.number;
        EXPECT_EQ(theme->m_nCaptionButtonStyle, c.buttonStyle) << c.number;
        EXPECT_EQ(theme->m_dwSplitterStyle, c.splitterStyle) << c.number;
        EXPECT_EQ(theme->m_nSplitterSize, c.splitterSize) << c.number;
        EXPECT_EQ(theme->m_nCaptionSplitterIndent, c.indent) << c.number;
        LOGFONTW font = {};
        ASSERT_NE(theme->GetCaptionFont()->GetLogFont(&font), 0) << c.number;
        if (!c.bold) {
            EXPECT_EQ(font.lfWeight, FW_NORMAL) << c.number;
        }
    }
}

TEST(DockingThemes, OutlookCaptionFontsAreLargeAndBold)
{
    for (int number : {7, 12}) {
        Theme theme(number);
        LOGFONTW font = {};
        ASSERT_NE(theme->GetCaptionFont()->GetLogFont(&font), 0);
        EXPECT_EQ(font.lfHeight, 20) << number;
        EXPECT_EQ(font.lfWeight, FW_BOLD) << number;
        const CString expected =
            number == 12 && FontExists(L"Tahoma") ? CString(L"Segoe UI") : CString(L"Arial");
        EXPECT_STREQ(font.lfFaceName, static_cast<LPCWSTR>(expected)) << number;
        EXPECT_EQ(theme->m_nCaptionFontHeight,
                  std::max(SpaceHeight(theme->GetCaptionFont()), 13) + 3);
    }
}

TEST(DockingThemes, TabStripsByTheme)
{
    const BOOL themed = !ClassicRun();
    struct Case {
        int number;
        int pane;
        int panel;
        int paneColor;  // -1: not checked
        BOOL hot;
    };
    const Case cases[] = {
        {0, 0, 0, -1, FALSE},
        {1, 5, 6, -1, FALSE},
        {2, 2, 2, 4, TRUE},
        {4, 0, 0, -1, FALSE},
        {5, 8, 6, -1, FALSE},
        {6, 2, 2, -1, FALSE},
        {7, 2, 2, 4, TRUE},
        {8, themed ? 0 : 6, themed ? 0 : 5, themed ? 8 : -1, themed},
        {9, 2, 2, -1, FALSE},
        {10, 10, 10, -1, TRUE},
        {11, 11, 11, -1, TRUE},
        {14, 0, 0, -1, FALSE},
        {15, 9, 9, -1, FALSE},
        {16, themed ? 0 : 2, themed ? 0 : 2, themed ? 8 : -1, themed},
        {17, 2, 2, 256, FALSE},
        {18, 8, 6, -1, FALSE},
    };
    for (const Case& c : cases) {
        Theme theme(c.number);
        CUTKTabPaintManager* pane = theme->GetPaneTabPaintManager();
        CUTKTabPaintManager* panel = theme->GetPanelTabPaintManager();
        EXPECT_EQ(pane->GetAppearance(), c.pane) << c.number;
        EXPECT_EQ(panel->GetAppearance(), c.panel) << c.number;
        if (c.paneColor >= 0) {
            EXPECT_EQ(pane->GetColor(), c.paneColor) << c.number;
            EXPECT_EQ(panel->GetColor(), c.paneColor) << c.number;
        }
        EXPECT_EQ(pane->m_bHotTracking, c.hot) << c.number;
        EXPECT_EQ(panel->m_bHotTracking, c.hot) << c.number;
    }
    Theme visio(5);
    EXPECT_EQ(visio->GetPaneTabPaintManager()->GetPosition(), CUTKTabPaintManager::positionTop);
    Theme office(10);
    EXPECT_EQ(office->GetPaneTabPaintManager()->m_rcItemMargin, CRect(2, 1, 2, 1));
    Theme beta(6);
    EXPECT_EQ(beta->GetPaneTabPaintManager()->m_nClientFrame, 2);
    EXPECT_EQ(beta->GetPanelTabPaintManager()->GetLayout(), CUTKTabPaintManager::layoutAutoSize);
    EXPECT_TRUE(beta->GetPaneTabPaintManager()->m_bDisableLunaColors);
    Theme studio(9);
    EXPECT_EQ(studio->GetPaneTabPaintManager()->m_nClientFrame, 1);
    EXPECT_EQ(studio->GetPaneTabPaintManager()->m_rcClientMargin.top, 1);
    EXPECT_TRUE(studio->GetPanelTabPaintManager()->m_bRotateImageOnVerticalDraw);
}

TEST(DockingThemes, Office2003ColoursByScheme)
{
    struct Case {
        int scheme;
        COLORREF light;
        COLORREF dark;
        float factor;
        COLORREF splitterFace;
        COLORREF entry38;
        COLORREF entry30;
    };
    const Case cases[] = {
        {1, RGB(221, 236, 254), RGB(129, 169, 226), 0.75f, RGB(216, 231, 252), RGB(39, 65, 118),
         RGB(158, 190, 245)},
        {2, RGB(244, 247, 222), RGB(183, 198, 145), 0.3f, RGB(226, 231, 191), RGB(81, 94, 51),
         RGB(217, 217, 167)},
        {3, RGB(249, 249, 255), RGB(156, 155, 183), 0.75f, RGB(223, 223, 234), RGB(84, 84, 117),
         RGB(215, 215, 229)},
        {4, RGB(221, 236, 254), RGB(129, 169, 226), 0.75f, RGB(216, 231, 252), RGB(39, 65, 118),
         RGB(158, 190, 245)},
    };
    for (const Case& c : cases) {
        Scheme scheme(c.scheme);
        Theme theme(2);
        EXPECT_EQ(theme->m_clrNormalCaption.clrLight.GetColor(), c.light) << c.scheme;
        EXPECT_EQ(theme->m_clrNormalCaption.clrDark.GetColor(), c.dark) << c.scheme;
        EXPECT_FLOAT_EQ(theme->m_clrNormalCaption.fGradientFactor, c.factor) << c.scheme;
        EXPECT_EQ(theme->m_clrSplitterFace.GetColor(), c.splitterFace) << c.scheme;
        EXPECT_EQ(theme->GetColor(38), c.entry38) << c.scheme;
        EXPECT_EQ(theme->GetColor(30), c.entry30) << c.scheme;
        EXPECT_EQ(theme->GetColor(47), kBlack) << c.scheme;
        EXPECT_EQ(theme->GetColor(31), RGB(255, 238, 194)) << c.scheme;
        EXPECT_EQ(theme->m_clrSplitter.GetColor(), c.entry38) << c.scheme;
        EXPECT_EQ(theme->m_clrActiveCaption.clrLight.GetColor(), RGB(255, 213, 140));
        EXPECT_EQ(theme->m_clrActiveCaption.clrDark.GetColor(), RGB(255, 166, 76));
        EXPECT_TRUE(theme->m_bLunaColorsInEffect);
        const CUTKPaintManagerColorGradient& first = GetColorManager()->GetGradient(1);
        EXPECT_EQ(theme->m_clrSplitterGradient.clrLight.GetColor(), first.clrLight.GetColor());
        EXPECT_EQ(theme->m_clrSplitterGradient.clrDark.GetColor(), first.clrDark.GetColor());
    }
    // Without a scheme: the system's mixes, no luna colours.
    Scheme none(CUTKColorManager::schemeNone);
    Theme theme(2);
    EXPECT_EQ(theme->m_clrNormalCaption.clrLight.GetColor(),
              CUTKColorManager::MixColors(theme->GetColor(15), theme->GetColor(5), 205));
    EXPECT_EQ(theme->m_clrNormalCaption.clrDark.GetColor(), theme->GetColor(15));
    EXPECT_EQ(theme->m_clrActiveCaption.clrLight.GetColor(), theme->GetColor(36));
    EXPECT_EQ(theme->m_clrActiveCaptionText.GetColor(), theme->GetColor(18));
    EXPECT_EQ(theme->GetColor(38), GetColorManager()->GetColor(38));
    EXPECT_FALSE(theme->m_bLunaColorsInEffect);
}

TEST(DockingThemes, OutlookInactiveCaptionsByScheme)
{
    {
        Scheme scheme(CUTKColorManager::schemeLunaBlue);
        Theme theme(7);
        const CUTKPaintManagerColorGradient& first = GetColorManager()->GetGradient(1);
        EXPECT_EQ(theme->m_clrNormalCaption.clrLight.GetColor(), first.clrLight.GetColor());
        EXPECT_EQ(theme->m_clrNormalCaption.clrDark.GetColor(), first.clrDark.GetColor());
        EXPECT_EQ(theme->m_clrNormalCaptionText.GetColor(), kWhite);
    }
    Scheme none(CUTKColorManager::schemeNone);
    Theme theme(7);
    EXPECT_EQ(theme->m_clrNormalCaption.clrLight.GetColor(),
              CUTKColorManager::MixColors(theme->GetColor(16), theme->GetColor(5), 205));
    EXPECT_EQ(theme->m_clrNormalCaption.clrDark.GetColor(), theme->GetColor(16));
}

TEST(DockingThemes, Office2007TakesItsFixedColoursWithoutTheImageSet)
{
    for (int scheme : {0, 2}) {
        Scheme selected(scheme);
        for (int number : {10, 12}) {
            Theme theme(number);
            EXPECT_EQ(theme->GetColor(54), RGB(101, 147, 207)) << number;
            EXPECT_EQ(theme->GetColor(51), RGB(191, 219, 255)) << number;
            EXPECT_EQ(theme->GetColor(20), kWhite) << number;
            EXPECT_EQ(theme->GetColor(38), RGB(39, 65, 118)) << "the blue row " << number;
            EXPECT_EQ(theme->m_clrNormalCaption.clrLight.GetColor(), RGB(227, 239, 255));
            EXPECT_EQ(theme->m_clrNormalCaption.clrDark.GetColor(), RGB(175, 210, 255));
            EXPECT_FLOAT_EQ(theme->m_clrNormalCaption.fGradientFactor, 0.25f);
            EXPECT_EQ(theme->m_clrActiveCaption.clrLight.GetColor(), RGB(255, 231, 162));
            EXPECT_EQ(theme->m_clrActiveCaption.clrDark.GetColor(), RGB(255, 166, 76));
            EXPECT_EQ(theme->m_clrSplitterFace.GetColor(), RGB(216, 231, 252));
            EXPECT_EQ(theme->m_clrSplitterGradient.clrLight.GetColor(), RGB(190, 218, 254));
            EXPECT_EQ(theme->m_clrSplitterGradient.clrDark.GetColor(), RGB(100, 143, 203));
            EXPECT_EQ(theme->m_clrActiveCaptionText.GetColor(), RGB(8, 55, 114));
            EXPECT_EQ(theme->m_clrNormalCaptionText.GetColor(), RGB(8, 55, 114));
            EXPECT_TRUE(theme->m_bLunaColorsInEffect);
        }
    }
    // The splitter shadow is entry 38 as the Office 2003 colours left it.
    Scheme none(CUTKColorManager::schemeNone);
    Theme theme(10);
    EXPECT_EQ(theme->m_clrSplitter.GetColor(), GetColorManager()->GetColor(38));
}

TEST(DockingThemes, WordLeavesItsImageSetColoursUnsetAndNeverPaintsThem)
{
    Theme theme(11);
    EXPECT_EQ(Standard(theme->m_clrNormalCaption.clrLight), kUnset);
    EXPECT_EQ(Standard(theme->m_clrActiveCaption.clrDark), kUnset);
    EXPECT_EQ(Standard(theme->m_clrNormalCaptionText), kUnset);
    EXPECT_EQ(Standard(theme->m_clrActiveCaptionText), kUnset);
    EXPECT_EQ(Standard(theme->m_clrSplitterGradient.clrLight), kUnset);
    EXPECT_EQ(Standard(theme->m_clrSplitterFace), kUnset);
    EXPECT_FALSE(theme->m_bLunaColorsInEffect);
    EXPECT_EQ(theme->GetColor(45), kBlack);
    EXPECT_EQ(theme->GetColor(47), kBlack);
    for (int entry : {54, 51, 20, 38, 43, 32, 31, 50, 33}) {
        EXPECT_NE(theme->GetColor(entry), kUnset) << "a missing key keeps entry " << entry;
    }
    // A custom value still wins over the unset standard.
    theme->m_clrActiveCaptionText.SetCustomValue(RGB(1, 2, 3));
    EXPECT_EQ(theme->m_clrActiveCaptionText.GetColor(), RGB(1, 2, 3));
    theme->m_clrActiveCaptionText.SetCustomValue(kUnset);

    // The pane: a 3-pixel frame (inner line in entry 38), the caption band left as the face.
    Container owner;
    owner.m_title = L"";
    DrawCanvas canvas(200, 100, kWhite);
    theme->DrawPane(canvas.dc(), &owner, CRect(0, 0, 200, 100));
    EXPECT_EQ(canvas.At(0, 0), theme->GetColor(54));
    EXPECT_EQ(canvas.At(1, 50), theme->GetColor(54));
    EXPECT_EQ(canvas.At(2, 50), theme->GetColor(38));
    EXPECT_EQ(canvas.At(199, 99), theme->GetColor(54));
    EXPECT_EQ(canvas.At(10, 6), theme->GetColor(15)) << "no fill in an unset colour";
    // Buttons drawn in the button text colour, the first one 16 pixels at the band's end.
    const CRect close = (*owner.GetCaptionButtons())[0]->GetRect();
    EXPECT_EQ(close.Width(), 16);
    EXPECT_EQ(close.right, 197);
    EXPECT_EQ(canvas.At(close.CenterPoint().x - 4, close.CenterPoint().y - 4),
              theme->GetColor(COLOR_BTNTEXT));
    CRect client(0, 0, 200, 100);
    theme->AdjustClientRect(&owner, client, FALSE);
    EXPECT_EQ(client, CRect(3, 3 + theme->GetCaptionBand(), 197, 97));

    // The splitter, whose face colour is unset, is painted in entry 54.
    DrawCanvas splitter(60, 10, kWhite);
    theme->DrawSplitter(splitter.dc(), CRect(0, 0, 60, 10), TRUE, nullptr, nullptr);
    EXPECT_EQ(splitter.At(0, 0), theme->GetColor(54));
    EXPECT_EQ(splitter.At(59, 9), theme->GetColor(54));
    theme->m_clrSplitterFace.SetCustomValue(RGB(10, 20, 30));
    theme->DrawSplitter(splitter.dc(), CRect(0, 0, 60, 10), TRUE, nullptr, nullptr);
    EXPECT_EQ(splitter.At(30, 5), RGB(10, 20, 30)) << "a custom face is the splitter's";
}

TEST(DockingThemes, CaptionButtonsSizeGapAndEndByTheme)
{
    struct Case {
        int number;
        int size;
        int gap;
        int firstRight;
    };
    const Case cases[] = {
        {0, 14, 0, 300},  {1, 14, 2, 298},  {2, 16, 0, 296},  {4, 14, 2, 300},
        {5, 16, 0, 297},  {6, 14, 2, 298},  {7, 16, 0, 296},  {8, 16, 2, 300},
        {9, 14, 2, 298},  {10, 16, 0, 296}, {11, 16, 0, 300}, {12, 16, 0, 296},
        {14, 14, 2, 300}, {15, 14, 2, 298}, {17, 14, 2, 298}, {19, 16, 0, 297},
    };
    for (const Case& c : cases) {
        Theme theme(c.number);
        Container owner;
        DrawCanvas canvas(300, 60, kWhite);
        theme->DrawCaption(canvas.dc(), &owner, CRect(0, 0, 300, 60));
        const auto& buttons = *owner.GetCaptionButtons();
        EXPECT_EQ(buttons[0]->GetRect().right, c.firstRight) << c.number;
        for (size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(buttons[i]->GetRect().Width(), c.size) << c.number << " button " << i;
            EXPECT_EQ(buttons[i]->GetRect().Height(), c.size) << c.number << " button " << i;
            if (i > 0) {
                EXPECT_EQ(buttons[i - 1]->GetRect().left - buttons[i]->GetRect().right, c.gap)
                    << c.number << " button " << i;
            }
        }
    }
}

TEST(DockingThemes, VisioThemesDrawAlike)
{
    struct Drawing {
        const char* what;
        BOOL active;
        int type;
    };
    const Drawing drawings[] = {{"active pane", TRUE, DockingCaptionOwner::typeTabbedContainer},
                                {"inactive pane", FALSE, DockingCaptionOwner::typeTabbedContainer},
                                {"active frame", TRUE, DockingCaptionOwner::typeMiniFrame},
                                {"inactive frame", FALSE, DockingCaptionOwner::typeMiniFrame}};
    for (const Drawing& d : drawings) {
        std::vector<std::unique_ptr<DrawCanvas>> canvases;
        for (int number : {5, 18, 19}) {
            Theme theme(number);
            Container owner;
            owner.m_active = d.active;
            owner.m_type = d.type;
            canvases.push_back(std::make_unique<DrawCanvas>(220, 120, kWhite));
            if (d.type == DockingCaptionOwner::typeMiniFrame) {
                theme->DrawFloatingFrame(canvases.back()->dc(), &owner, CRect(0, 0, 220, 120));
            } else {
                theme->DrawPane(canvases.back()->dc(), &owner, CRect(0, 0, 220, 120));
            }
        }
        ExpectSamePixels(*canvases[0], *canvases[1], 220, 120, d.what, 18);
        ExpectSamePixels(*canvases[0], *canvases[2], 220, 120, d.what, 19);
    }
}

TEST(DockingThemes, DefaultNumbersDrawPanesFramesAndSidePanelsAlike)
{
    for (int type : {DockingCaptionOwner::typeTabbedContainer, DockingCaptionOwner::typeMiniFrame,
                     DockingCaptionOwner::typeSidePanel}) {
        std::vector<std::unique_ptr<DrawCanvas>> canvases;
        for (int number : {0, 13, 20}) {
            Theme theme(number);
            Container owner;
            owner.m_type = type;
            owner.m_client.SetRect(0, 0, 220, 120);
            canvases.push_back(std::make_unique<DrawCanvas>(220, 120, kWhite));
            const CRect rect(0, 0, 220, 120);
            if (type == DockingCaptionOwner::typeMiniFrame) {
                theme->DrawFloatingFrame(canvases.back()->dc(), &owner, rect);
            } else if (type == DockingCaptionOwner::typeSidePanel) {
                theme->DrawSidePanel(canvases.back()->dc(), &owner, rect);
            } else {
                theme->DrawPane(canvases.back()->dc(), &owner, rect);
            }
        }
        ExpectSamePixels(*canvases[0], *canvases[1], 220, 120, "drawing", 13);
        ExpectSamePixels(*canvases[0], *canvases[2], 220, 120, "drawing", 20);
    }
}

TEST(DockingThemes, VisioPaneFaceCornersLinesAndFrame)
{
    Theme theme(5);
    for (BOOL active : {TRUE, FALSE}) {
        Container owner;
        owner.m_active = active;
        owner.m_title = L"";
        DrawCanvas canvas(200, 100, kWhite);
        theme->DrawPane(canvas.dc(), &owner, CRect(0, 0, 200, 100));
        const COLORREF face = theme->GetColor(active ? 31 : 30);
        EXPECT_EQ(canvas.At(0, 0), theme->GetColor(51)) << active;
        EXPECT_EQ(canvas.At(199, 99), theme->GetColor(51)) << active;
        EXPECT_EQ(canvas.At(1, 0), theme->m_clrSplitterFace.GetColor()) << "line along the top";
        EXPECT_EQ(canvas.At(1, 60), face) << active;
        // The page frame one pixel outside the client rectangle, in the tab frame colour.
        CRect client(0, 0, 200, 100);
        theme->AdjustCaptionRect(&owner, client);
        EXPECT_EQ(client, CRect(4, theme->GetCaptionBand() + 1, 196, 96));
        EXPECT_NE(canvas.At(client.left - 1, 60), face) << active;
        // Four lines at -3, -1, +1, +3 from the caption's middle, 18 when active, else 38.
        const int middle = (2 + 2 + theme->m_nCaptionFontHeight) / 2;
        const COLORREF line = theme->GetColor(active ? 18 : 38);
        for (int offset : {-3, -1, 1, 3}) {
            EXPECT_EQ(canvas.At(20, middle + offset), line) << active << " " << offset;
        }
        EXPECT_EQ(canvas.At(20, middle), face) << active;
        EXPECT_EQ(canvas.At(20, middle - 2), face) << active;
    }
}

TEST(DockingThemes, VisioCaptionRectangleTable)
{
    struct VisioOwner : Container {
        BOOL m_caption = TRUE;
        BOOL IsCaptionVisible() const override { return m_caption; }
    };
    Theme theme(5);
    const int band = theme->GetCaptionBand();
    struct Case {
        BOOL caption;
        BOOL vertical;
        BOOL tabs;
        CRect expected;
    };
    const Case cases[] = {
        {TRUE, FALSE, TRUE, CRect(3, band, 197, 97)},
        {TRUE, TRUE, TRUE, CRect(band, 3, 197, 97)},
        {FALSE, FALSE, TRUE, CRect(3, 3, 197, 97)},
        {TRUE, FALSE, FALSE, CRect(4, band + 1, 196, 96)},
        {FALSE, FALSE, FALSE, CRect(4, 4, 196, 96)},
    };
    for (const Case& c : cases) {
        VisioOwner owner;
        owner.m_caption = c.caption;
        owner.m_vertical = c.vertical;
        owner.m_tabs = c.tabs;
        CRect rect(0, 0, 200, 100);
        theme->AdjustCaptionRect(&owner, rect);
        EXPECT_EQ(rect, c.expected) << c.caption << c.vertical << c.tabs;
    }
}

TEST(DockingThemes, VisioFloatingFrameByActiveState)
{
    Theme theme(19);
    for (BOOL active : {TRUE, FALSE}) {
        Container owner;
        owner.m_type = DockingCaptionOwner::typeMiniFrame;
        owner.m_active = active;
        owner.m_title = L"";
        DrawCanvas canvas(200, 100, kWhite);
        theme->DrawFloatingFrame(canvas.dc(), &owner, CRect(0, 0, 200, 100));
        const COLORREF face = theme->GetColor(active ? 31 : 30);
        EXPECT_EQ(canvas.At(0, 50), face);
        EXPECT_EQ(canvas.At(199, 50), kBlack);
        EXPECT_EQ(canvas.At(1, 50), theme->GetColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(canvas.At(198, 50), theme->GetColor(COLOR_BTNSHADOW));
        EXPECT_EQ(canvas.At(2, 50), face);
        EXPECT_EQ(canvas.At(3, 4), face) << "caption fill";
        // Lines from left + 14 (no title) in index 18 when active, else 38.
        const int middle = (3 + 3 + theme->m_nCaptionFontHeight + 3) / 2;
        EXPECT_EQ(canvas.At(3 + 14 + 2, middle - 3), theme->GetColor(active ? 18 : 38));
        EXPECT_EQ(canvas.At(3 + 14 - 2, middle - 3), face);
    }
}

TEST(DockingThemes, Office2003CaptionBandDotsAndOutline)
{
    Scheme scheme(CUTKColorManager::schemeLunaBlue);
    {
        Theme theme(2);
        Container owner;
        owner.m_title = L"";
        DrawCanvas canvas(200, 60, kWhite);
        theme->DrawCaption(canvas.dc(), &owner, CRect(0, 0, 200, 60));
        const COLORREF face = theme->m_clrSplitterFace.GetColor();
        EXPECT_EQ(canvas.At(0, 0), face);
        EXPECT_EQ(canvas.At(1, 1), face) << "the gradient's corner pixels are clipped";
        EXPECT_EQ(canvas.At(199, 10), face);
        EXPECT_NE(canvas.At(2, 1), face);
        // Gripper dots: 2 by 2 in entry 38, entry 5 one pixel below right, every 4 pixels.
        EXPECT_EQ(canvas.At(3, 3), theme->GetColor(38));
        EXPECT_EQ(canvas.At(4, 4), theme->GetColor(38));
        EXPECT_EQ(canvas.At(5, 5), theme->GetColor(5));
        EXPECT_EQ(canvas.At(3, 7), theme->GetColor(38));
        EXPECT_EQ(canvas.At(3, theme->m_nCaptionFontHeight + 2), face) << "band below";
        GetColorManager()->SetSystemTheme(CUTKColorManager::schemeLunaBlue);
        EXPECT_EQ(theme->GetCaptionGripperRect(&owner), CRect(0, 0, 10, theme->m_nCaptionFontHeight));
    }
    // Theme 7: no band, no dots; lines in entry 54 on the left, top and right.
    Theme theme(7);
    Container owner;
    owner.m_title = L"";
    DrawCanvas canvas(200, 60, kWhite);
    theme->DrawCaption(canvas.dc(), &owner, CRect(0, 0, 200, 60));
    const int bottom = theme->m_nCaptionFontHeight + 3;
    EXPECT_EQ(canvas.At(100, 0), theme->GetColor(54));
    EXPECT_EQ(canvas.At(0, bottom - 1), theme->GetColor(54));
    EXPECT_EQ(canvas.At(199, bottom - 1), theme->GetColor(54));
    EXPECT_NE(canvas.At(100, bottom - 1), theme->GetColor(54)) << "open at the bottom";
    EXPECT_EQ(canvas.At(100, bottom), kWhite) << "the caption is caption height + 3 thick";
    EXPECT_NE(canvas.At(3, 3), theme->GetColor(38)) << "no dots";
}

TEST(DockingThemes, Office2007OutlookCaptionOutlineAndHighlight)
{
    Theme theme(12);
    Container owner;
    owner.m_title = L"";
    DrawCanvas canvas(200, 60, kWhite);
    theme->DrawCaption(canvas.dc(), &owner, CRect(0, 0, 200, 60));
    const int bottom = theme->m_nCaptionFontHeight + 3;
    for (const POINT p : {POINT{0, 0}, POINT{100, 0}, POINT{0, bottom - 1}, POINT{199, 5},
                          POINT{100, bottom - 1}}) {
        EXPECT_EQ(canvas.At(p.x, p.y), RGB(101, 147, 207)) << p.x << "," << p.y;
    }
    EXPECT_EQ(canvas.At(1, 1), kWhite);
    EXPECT_EQ(canvas.At(100, 1), kWhite);
    EXPECT_EQ(canvas.At(1, bottom - 3), kWhite);
    EXPECT_EQ(canvas.At(100, bottom), kWhite) << "nothing below the band";
    EXPECT_NE(canvas.At(100, 3), kWhite);
}

TEST(DockingThemes, Beta2CaptionOutlineOpenTowardsThePane)
{
    Scheme scheme(CUTKColorManager::schemeLunaSilver);
    Theme theme(15);
    auto* studio = static_cast<CUTKDockingPaneVisualStudio2005Beta2Theme*>(theme.paint);
    EXPECT_EQ(studio->m_clrCaptionBorder, RGB(145, 155, 156));
    EXPECT_EQ(studio->m_clrActiveCaption.clrLight.GetColor(), RGB(211, 212, 221));
    EXPECT_EQ(studio->m_clrNormalCaption.clrDark.GetColor(), RGB(240, 240, 245));
    EXPECT_EQ(studio->m_clrNormalCaptionText.GetColor(), kBlack);
    const COLORREF border = RGB(145, 155, 156);
    struct Case {
        int type;
        BOOL vertical;
        CRect rect;
        std::vector<POINT> outline;
        std::vector<POINT> open;
    };
    const Case cases[] = {
        {DockingCaptionOwner::typeTabbedContainer, FALSE, CRect(0, 0, 100, 20),
         {{50, 0}, {0, 10}, {99, 10}}, {{50, 19}}},
        {DockingCaptionOwner::typeTabbedContainer, TRUE, CRect(0, 0, 20, 100),
         {{10, 0}, {0, 50}, {10, 99}}, {{19, 50}}},
        {DockingCaptionOwner::typeSidePanel, FALSE, CRect(0, 0, 100, 20), {},
         {{50, 0}, {0, 10}, {99, 10}}},
    };
    for (const Case& c : cases) {
        Container owner;
        owner.m_type = c.type;
        DrawCanvas canvas(100, 100, kWhite);
        const COLORREF text =
            studio->DrawCaptionBackground(canvas.dc(), &owner, c.rect, TRUE, c.vertical);
        EXPECT_EQ(text, studio->m_clrActiveCaptionText.GetColor());
        for (const POINT& p : c.outline) {
            EXPECT_EQ(canvas.At(p.x, p.y), border) << c.type << c.vertical << " " << p.x << "," << p.y;
        }
        for (const POINT& p : c.open) {
            EXPECT_NE(canvas.At(p.x, p.y), border) << c.type << c.vertical << " " << p.x << "," << p.y;
            EXPECT_NE(canvas.At(p.x, p.y), kWhite) << "the gradient fills it";
        }
    }
}

TEST(DockingThemes, Beta1ColoursByScheme)
{
    {
        Scheme scheme(CUTKColorManager::schemeLunaOlive);
        Theme theme(6);
        EXPECT_EQ(theme->m_clrSplitterGradient.clrLight.GetColor(), RGB(229, 229, 215));
        EXPECT_EQ(theme->m_clrNormalCaption.clrDark.GetColor(), RGB(238, 239, 229));
        EXPECT_EQ(theme->m_clrNormalCaptionText.GetColor(), kBlack);
    }
    Scheme none(CUTKColorManager::schemeNone);
    Theme theme(6);
    EXPECT_EQ(theme->m_clrNormalCaptionText.GetColor(), theme->GetColor(19));
    EXPECT_EQ(theme->m_clrActiveCaption.clrDark.GetColor(), theme->GetColor(27));
}

TEST(DockingThemes, VisualStudio6CaptionHasBarsAndNoTitle)
{
    Theme theme(14);
    DrawCanvas titled(200, 40, kWhite);
    DrawCanvas untitled(200, 40, kWhite);
    Container a;
    a.m_title = L"A rather long pane title";
    Container b;
    b.m_title = L"";
    theme->DrawCaption(titled.dc(), &a, CRect(0, 0, 200, 40));
    theme->DrawCaption(untitled.dc(), &b, CRect(0, 0, 200, 40));
    ExpectSamePixels(titled, untitled, 200, 40, "caption", 14);
    const int middle = (2 + theme->m_nCaptionFontHeight + 1) / 2;
    EXPECT_EQ(untitled.At(4, middle - 3), theme->GetColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(untitled.At(4, middle - 1), theme->GetColor(COLOR_BTNSHADOW));
    EXPECT_EQ(untitled.At(4, middle + 1), theme->GetColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(untitled.At(3, middle - 3), theme->GetColor(COLOR_BTNFACE));
}

TEST(DockingThemes, TabColourSetsOwnedByTheThemes)
{
    using Beta1 = CUTKDockingPaneVisualStudio2005Beta1Theme;
    {
        // Flat panel tabs of the Visual Studio 2003 look are framed in the dark shadow.
        Theme theme(1);
        CUTKTabPaintManager::CColorSet* panel = theme->GetPanelTabPaintManager()->GetColorSet();
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->m_clrFrameBorder.GetColor(), ::GetSysColor(COLOR_3DDKSHADOW));
    }
    struct Case {
        int number;
        int scheme;
        BOOL paneSetOfPane;
        BOOL studio2003Kind;
    };
    const Case cases[] = {{6, 0, TRUE, FALSE}, {6, 1, TRUE, FALSE}, {15, 2, FALSE, TRUE},
                          {9, 3, TRUE, TRUE},  {9, 0, TRUE, TRUE}};
    for (const Case& c : cases) {
        Scheme scheme(c.scheme);
        Theme theme(c.number);
        auto* pane = dynamic_cast<Beta1::CColorSetVisualStudio2005*>(
            theme->GetPaneTabPaintManager()->GetColorSet());
        auto* panel = dynamic_cast<Beta1::CColorSetVisualStudio2005*>(
            theme->GetPanelTabPaintManager()->GetColorSet());
        ASSERT_NE(pane, nullptr) << c.number;
        ASSERT_NE(panel, nullptr) << c.number;
        EXPECT_EQ(pane->m_bPaneSet, c.paneSetOfPane) << c.number;
        EXPECT_FALSE(panel->m_bPaneSet) << c.number;
        EXPECT_EQ(dynamic_cast<Beta1::CColorSetVisualStudio2003*>(pane) != nullptr,
                  c.studio2003Kind)
            << c.number;
        const BOOL luna = c.scheme >= 1 && c.scheme <= 3;
        if (c.studio2003Kind && luna) {
            EXPECT_EQ(panel->m_clrFrameBorder.GetColor(), RGB(113, 111, 100)) << c.number;
            EXPECT_EQ(panel->m_clrButtonSelected.GetColor(), RGB(113, 111, 100)) << c.number;
            EXPECT_FALSE(panel->m_bLunaDrawing);
        } else if (c.scheme == 0) {
            EXPECT_EQ(panel->m_clrFrameBorder.GetColor(), ::GetSysColor(COLOR_3DDKSHADOW));
            EXPECT_EQ(pane->m_clrFrameBorder.GetColor(), ::GetSysColor(COLOR_WINDOWTEXT));
            EXPECT_EQ(pane->m_clrHeaderFace.clrLight.GetColor(), ::GetSysColor(COLOR_BTNFACE));
        }
        if (c.paneSetOfPane) {
            EXPECT_EQ(pane->m_clrButtonSelected.GetColor(),
                      CUTKColorManager::MixColors(::GetSysColor(COLOR_HIGHLIGHT),
                                                  ::GetSysColor(COLOR_WINDOW), 2))
                << c.number;
        }
        if (c.number == 6 && c.scheme == 1) {
            EXPECT_TRUE(pane->m_bLunaDrawing);
            EXPECT_EQ(pane->m_clrHeaderFace.clrLight.GetColor(), RGB(229, 229, 215));
            EXPECT_EQ(pane->m_clrHeaderFace.clrDark.GetColor(), RGB(244, 241, 231));
            EXPECT_EQ(pane->m_clrButtonHighlight.GetColor(), kWhite);
        }
        if (c.scheme == 3) {
            EXPECT_EQ(pane->m_clrHeaderFace.clrLight.GetColor(), RGB(215, 215, 229));
        }
    }
}

TEST(DockingThemes, Office2003FloatingFrameAndSidePanel)
{
    Scheme scheme(CUTKColorManager::schemeLunaOlive);
    Theme theme(2);
    const COLORREF inactiveDark = theme->m_clrNormalCaption.clrDark.GetColor();
    for (BOOL active : {TRUE, FALSE}) {
        Container frame;
        frame.m_type = DockingCaptionOwner::typeMiniFrame;
        frame.m_active = active;
        frame.m_title = L"";
        DrawCanvas canvas(200, 100, kWhite);
        theme->DrawFloatingFrame(canvas.dc(), &frame, CRect(0, 0, 200, 100));
        EXPECT_EQ(canvas.At(0, 50), theme->GetColor(43));
        EXPECT_EQ(canvas.At(1, 50), theme->GetColor(43));
        EXPECT_EQ(canvas.At(2, 50), inactiveDark) << "innermost frame redrawn";
        EXPECT_EQ(canvas.At(2, 2), theme->GetColor(43)) << "its corners kept";
        EXPECT_EQ(canvas.At(197, 97), theme->GetColor(43));
        const int below = 3 + theme->m_nCaptionFontHeight + 3;
        EXPECT_EQ(canvas.At(3, below), inactiveDark);
        EXPECT_EQ(canvas.At(196, below), inactiveDark);
        EXPECT_EQ(canvas.At(100, below), kWhite) << "nothing drawn inside the frame";
    }
    // A left side panel: filled with the caption's dark colour, framed in index 6, a strip
    // caption height + 2 wide along its left edge.
    Container panel;
    panel.m_type = DockingCaptionOwner::typeSidePanel;
    panel.m_side = 0;
    panel.m_active = FALSE;
    panel.m_client.SetRect(0, 0, 120, 200);
    const CRect strip = theme->GetSidePanelCaptionRect(&panel);
    EXPECT_EQ(strip, CRect(1, 1, 1 + theme->m_nCaptionFontHeight + 2, 199));
    DrawCanvas canvas(120, 200, kWhite);
    theme->DrawSidePanel(canvas.dc(), &panel, CRect(0, 0, 120, 200));
    EXPECT_EQ(canvas.At(0, 100), theme->GetColor(6));
    EXPECT_EQ(canvas.At(119, 100), theme->GetColor(6));
    EXPECT_EQ(canvas.At(100, 100), inactiveDark);
    EXPECT_EQ(canvas.At(strip.right, 100), inactiveDark);
}
