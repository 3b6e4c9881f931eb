// The paint manager's metrics: control and split drop-down heights from the text height, icon
// sizes, popup image cells and gutters, split-button command parts by bar kind and style, the
// common fonts from a given menu font, fitted image sizes, the colour table, and the fonts and
// text orientation a control gets (also without a bar).
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/themes/PaintManagerBarDouble.h"
#include "tests/toolkit/themes/PaintManagerTestDouble.h"
#include "toolkit/common/CUTKResourceManager.h"

using orvane::test::TestBar;
using orvane::test::TestPaintManager;

namespace {

struct HeightCase {
    int textHeight;
    int fixedHeight;
    int controlHeight;
    int splitDropDownHeight;
};

class PaintManagerMetrics : public ::testing::Test {
protected:
    TestPaintManager* pm = new TestPaintManager();
    void TearDown() override { pm->InternalRelease(); }
};

TEST_F(PaintManagerMetrics, HeightsFollowTheTextHeight)
{
    const HeightCase cases[] = {
        {16, 0, 22, 27}, {25, 0, 25, 39}, {25, 30, 25, 33}, {10, 0, 22, 27}, {20, 0, 22, 29},
    };
    for (const HeightCase& c : cases) {
        pm->m_nTextHeight = c.textHeight;
        pm->m_nFixedControlHeight = c.fixedHeight;
        EXPECT_EQ(pm->GetControlHeight(), c.controlHeight) << "text height " << c.textHeight;
        EXPECT_EQ(pm->GetSplitDropDownHeight(), c.splitDropDownHeight)
            << "text height " << c.textHeight << " fixed " << c.fixedHeight;
    }
}

TEST_F(PaintManagerMetrics, AutomaticIconSizesFollowTheControlHeight)
{
    struct Case {
        BOOL automatic;
        int textHeight;
        int normal;
        int large;
    } cases[] = {
        {FALSE, 30, 16, 32}, {TRUE, 30, 24, 48}, {TRUE, 22, 16, 32}, {TRUE, 16, 16, 32},
        {TRUE, 44, 40, 80},
    };
    for (const Case& c : cases) {
        pm->m_bAutoResizeIcons = c.automatic;
        pm->m_nTextHeight = c.textHeight;
        EXPECT_EQ(pm->GetAutoIconSize(FALSE), CSize(c.normal, c.normal)) << c.textHeight;
        EXPECT_EQ(pm->GetAutoIconSize(TRUE), CSize(c.large, c.large)) << c.textHeight;
    }
}

TEST_F(PaintManagerMetrics, TextHeightIsTheRegularFontsSpacePlusSix)
{
    pm->RefreshMetrics();
    ASSERT_NE(pm->m_fontRegular.m_hObject, nullptr);
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, pm->m_fontRegular.m_hObject);
    SIZE extent{};
    ::GetTextExtentPoint32W(screen, L" ", 1, &extent);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(pm->m_nTextHeight, extent.cy + 6);
    EXPECT_GT(extent.cy, 0);
    // Every font exists after a refresh; the vertical ones run downward.
    for (CFont* font : {&pm->m_fontBold, &pm->m_fontVert, &pm->m_fontVertBold,
                        static_cast<CFont*>(&pm->m_fontIconTitle),
                        static_cast<CFont*>(&pm->m_fontIconTitleBold),
                        static_cast<CFont*>(&pm->m_fontSmCaption),
                        static_cast<CFont*>(&pm->m_fontStatus)}) {
        EXPECT_NE(font->m_hObject, nullptr);
    }
    LOGFONT vertical{};
    pm->m_fontVert.GetLogFont(&vertical);
    EXPECT_EQ(vertical.lfEscapement, 2700);
    EXPECT_EQ(vertical.lfOrientation, 900);
    LOGFONT bold{};
    pm->m_fontIconTitleBold.GetLogFont(&bold);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
}

TEST(PaintManagerFonts, SmallMenuFontsAreRaisedToElevenPixels)
{
    struct Case {
        LONG height;
        LONG expected;
    } cases[] = {{-8, -11}, {-1, -11}, {-10, -11}, {-11, -11}, {-13, -13}, {8, 8}, {0, 0}};
    for (const Case& c : cases) {
        NONCLIENTMETRICSW metrics{};
        metrics.lfMenuFont.lfHeight = c.height;
        metrics.lfMenuFont.lfWeight = 600;
        metrics.lfMenuFont.lfItalic = 1;
        metrics.lfMenuFont.lfQuality = 2;
        ::lstrcpyW(metrics.lfMenuFont.lfFaceName, L"Verdana");
        LOGFONT font{};
        CUTKPaintManager::BuildCommonLogFont(metrics, 204, FALSE, &font);
        EXPECT_EQ(font.lfHeight, c.expected) << c.height;
        EXPECT_EQ(font.lfWeight, 600);
        EXPECT_EQ(font.lfItalic, 1);
        EXPECT_EQ(font.lfQuality, 2);
        EXPECT_EQ(font.lfCharSet, 204);
        EXPECT_STREQ(font.lfFaceName, L"Verdana");
    }
}

TEST(PaintManagerFonts, ClearTypeTextGivesQualityFive)
{
    NONCLIENTMETRICSW metrics{};
    metrics.lfMenuFont.lfHeight = -12;
    LOGFONT font{};
    CUTKPaintManager::BuildCommonLogFont(metrics, 0, TRUE, &font);
    EXPECT_EQ(font.lfQuality, 5);
}

TEST_F(PaintManagerMetrics, RefreshKeepsACallersOwnFont)
{
    LOGFONT own{};
    own.lfHeight = -30;
    ::lstrcpyW(own.lfFaceName, L"Tahoma");
    pm->m_fontStatus.SetCustomFont(&own);
    HGDIOBJ before = pm->m_fontStatus.m_hObject;
    pm->RefreshMetrics();
    pm->RefreshMetrics();
    EXPECT_EQ(pm->m_fontStatus.m_hObject, before);
    LOGFONT read{};
    pm->m_fontStatus.GetLogFont(&read);
    EXPECT_EQ(read.lfHeight, -30);
}

TEST_F(PaintManagerMetrics, CommonFontsFromACallersLogFontStopFollowingTheSystem)
{
    pm->RefreshMetrics();
    LOGFONT own{};
    own.lfHeight = -20;
    ::lstrcpyW(own.lfFaceName, L"Tahoma");
    pm->SetCommonFonts(&own, FALSE);
    EXPECT_FALSE(pm->m_bUseStandardFont);
    pm->RefreshMetrics();
    LOGFONT read{};
    pm->m_fontRegular.GetLogFont(&read);
    EXPECT_EQ(read.lfHeight, -20);
    // A bigger font gives a bigger text height.
    EXPECT_GE(pm->m_nTextHeight, 20 + 6);
}

TEST_F(PaintManagerMetrics, ColorTableOverridesAndPlainColours)
{
    pm->RefreshMetrics();
    EXPECT_EQ(pm->GetColor(15), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pm->GetColor(63), 63u);
    EXPECT_EQ(pm->GetColor(RGB(10, 20, 30)), RGB(10, 20, 30));
    pm->GetColorEntry(15)->SetCustomValue(RGB(1, 2, 3));
    EXPECT_EQ(pm->GetColor(15), RGB(1, 2, 3));
    pm->RefreshMetrics();
    EXPECT_EQ(pm->GetColor(15), RGB(1, 2, 3)) << "a custom colour survives a refresh";
    const int indexes[] = {16, 20};
    const COLORREF colours[] = {RGB(9, 9, 9), RGB(8, 8, 8)};
    pm->SetColors(2, indexes, colours);
    EXPECT_EQ(pm->GetColor(16), RGB(9, 9, 9));
    EXPECT_EQ(pm->GetColor(20), RGB(8, 8, 8));
    EXPECT_EQ(pm->GetColorEntry(63), nullptr);
}

TEST(PaintManagerImages, FitImageSizeKeepsTheAspect)
{
    struct Case {
        CSize icon;
        int cx;
        int cy;
        CSize expected;
    } cases[] = {
        {{16, 16}, 16, 16, {16, 16}}, {{32, 16}, 16, 16, {16, 8}}, {{16, 32}, 16, 16, {8, 16}},
        {{16, 17}, 16, 16, {16, 17}},  // one pixel taller still fits
        {{0, 0}, 16, 16, {16, 16}},    // an empty icon keeps the box
        {{16, 0}, 20, 18, {20, 18}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CUTKPaintManager::FitImageSize(c.icon, c.cx, c.cy), c.expected)
            << c.icon.cx << "x" << c.icon.cy;
    }
    EXPECT_EQ(CUTKPaintManager::FitImageSize(static_cast<CUTKImageManagerIcon*>(nullptr), 7, 9),
              CSize(7, 9));
}

TEST_F(PaintManagerMetrics, PopupImageCellAndGutter)
{
    TestBar popup(utkBarTypePopup, utkBarPopup);
    popup.SetIconSize(CSize(16, 16));
    TestBar toolbar(utkBarTypeNormal, utkBarTop);
    toolbar.SetIconSize(CSize(16, 16));
    struct Case {
        int textHeight;
        CSize cell;
    } cases[] = {{16, {20, 22}}, {25, {29, 25}}, {30, {34, 30}}};
    for (const Case& c : cases) {
        pm->m_nTextHeight = c.textHeight;
        EXPECT_EQ(pm->GetPopupBarImageSize(&popup), c.cell) << c.textHeight;
        popup.SetDoubleIconColumn(FALSE);
        EXPECT_EQ(pm->GetPopupBarGripperWidth(&popup), 1 + c.cell.cx);
        popup.SetDoubleIconColumn(TRUE);
        EXPECT_EQ(pm->GetPopupBarGripperWidth(&popup), 1 + 2 * c.cell.cx);
        EXPECT_EQ(pm->GetPopupBarGripperWidth(&toolbar), 0);
    }
    popup.SetIconSize(CSize(32, 24));
    pm->m_nTextHeight = 16;
    EXPECT_EQ(pm->GetPopupBarImageSize(&popup), CSize(36, 30));
}

TEST_F(PaintManagerMetrics, SplitButtonCommandPartByBarAndStyle)
{
    pm->m_nTextHeight = 16;  // split drop-down height 27
    struct Case {
        int barType;
        int position;
        int orientation;
        int style;
        CRect expected;
    } cases[] = {
        {utkBarTypePopup, utkBarPopup, 0, utkButtonAutomatic, {0, 0, 80, 60}},
        {utkBarTypePopup, utkBarPopup, 0, utkButtonIconAndCaptionBelow, {0, 0, 80, 60}},
        {utkBarTypeNormal, utkBarTop, 0, utkButtonIconAndCaptionBelow, {0, 0, 100, 33}},
        {utkBarTypeNormal, utkBarLeft, 0, utkButtonIconAndCaptionBelow, {27, 0, 100, 60}},
        {utkBarTypeNormal, utkBarTop, 1, utkButtonIconAndCaptionBelow, {27, 0, 100, 60}},
        {utkBarTypeNormal, utkBarTop, 0, utkButtonAutomatic, {0, 0, 88, 60}},
        {utkBarTypeMenuBar, utkBarTop, 0, utkButtonIconAndCaption, {0, 0, 88, 60}},
    };
    for (const Case& c : cases) {
        TestBar bar(c.barType, c.position);
        bar.SetTextOrientation(c.orientation);
        CUTKControl* control = new CUTKControl();
        control->SetType(utkControlSplitButtonPopup);
        control->SetStyle(c.style);
        control->SetParent(&bar);
        control->SetRect(CRect(0, 0, 100, 60));
        EXPECT_EQ(pm->GetSplitButtonCommandRect(control), c.expected)
            << "bar " << c.barType << " position " << c.position << " style " << c.style;
        control->SetParent(nullptr);
        control->InternalRelease();
    }
}

TEST_F(PaintManagerMetrics, ControlFontsAndTextOrientation)
{
    pm->RefreshMetrics();
    CUTKControl* control = new CUTKControl();
    // Without a bar: horizontal, the regular font.
    EXPECT_EQ(pm->GetControlTextOrientation(control), CUTKPaintManager::kTextHorizontal);
    EXPECT_EQ(pm->GetControlFont(control), &pm->m_fontRegular);
    control->SetDefaultItem(TRUE);
    EXPECT_EQ(pm->GetControlFont(control), &pm->m_fontBold);

    struct Case {
        int position;
        int orientation;
        int expected;
    } cases[] = {{utkBarTop, 0, 2}, {utkBarLeft, 0, 1}, {utkBarRight, 0, 1}, {utkBarFloating, 0, 2},
                 {utkBarPopup, 0, 2}, {utkBarLeft, 2, 2}, {utkBarTop, 1, 1}};
    for (const Case& c : cases) {
        TestBar bar(utkBarTypeNormal, c.position);
        bar.SetTextOrientation(c.orientation);
        control->SetParent(&bar);
        EXPECT_EQ(pm->GetControlTextOrientation(control), c.expected) << c.position;
        EXPECT_EQ(pm->GetControlFont(control),
                  c.expected == 1 ? &pm->m_fontVertBold : &pm->m_fontBold);
        EXPECT_EQ(pm->GetCommandBarFont(&bar),
                  c.expected == 1 ? &pm->m_fontVert : &pm->m_fontRegular);
        control->SetParent(nullptr);
    }
    control->InternalRelease();
}

TEST_F(PaintManagerMetrics, FlatBarsAndBorders)
{
    TestBar menu(utkBarTypeMenuBar, utkBarTop);
    TestBar toolbar(utkBarTypeNormal, utkBarTop);
    pm->m_bFlatMenuBar = TRUE;
    EXPECT_TRUE(pm->IsFlatToolBar(&menu));
    EXPECT_FALSE(pm->IsFlatToolBar(&toolbar));
    pm->m_bFlatMenuBar = FALSE;
    pm->m_bFlatToolBar = TRUE;
    EXPECT_FALSE(pm->IsFlatToolBar(&menu));
    EXPECT_TRUE(pm->IsFlatToolBar(&toolbar));
    EXPECT_EQ(pm->GetCommandBarBorders(&toolbar), CRect(2, 2, 2, 2));
}

TEST_F(PaintManagerMetrics, FixedControlSizesAndIconSizes)
{
    CUTKControl* control = new CUTKControl();
    EXPECT_EQ(pm->ApplyControlFixedSize(control, 30, 20, FALSE), CSize(30, 20));
    control->SetWidth(50);
    EXPECT_EQ(pm->ApplyControlFixedSize(control, 30, 20, FALSE), CSize(50, 20));
    EXPECT_EQ(pm->ApplyControlFixedSize(control, 30, 20, TRUE), CSize(30, 50));
    control->SetHeight(40);
    EXPECT_EQ(pm->ApplyControlFixedSize(control, 30, 20, FALSE), CSize(50, 40));
    EXPECT_EQ(pm->ApplyControlFixedSize(control, 30, 20, TRUE), CSize(40, 50));
    control->InternalRelease();
}

TEST_F(PaintManagerMetrics, TextColoursTakeTheCaptionsEnabledState)
{
    TestBar toolbar(utkBarTypeNormal, utkBarTop);
    TestBar popup(utkBarTypePopup, utkBarPopup);
    struct Case {
        int type;
        int style;
        int enabled;
        CUTKCommandBar* bar;
        int expectedEnabled;
    } cases[] = {
        {utkControlButton, 0, 1, &toolbar, 1},
        {utkControlButton, 0, 0, &toolbar, 0},
        {utkControlSplitButtonPopup, 0, 5, &toolbar, 0},
        {utkControlSplitButtonPopup, 0, 4, &toolbar, 1},
        {utkControlSplitButtonPopup, utkButtonIconAndCaptionBelow, 4, &toolbar, 0},
        {utkControlSplitButtonPopup, utkButtonIconAndCaptionBelow, 5, &toolbar, 1},
    };
    for (const Case& c : cases) {
        CUTKControl* control = new CUTKControl();
        control->SetType(c.type);
        control->SetStyle(c.style);
        control->m_enabled = c.enabled;
        control->SetParent(c.bar);
        pm->GetControlTextColor(control);
        EXPECT_EQ(pm->m_lastState[2], c.expectedEnabled) << c.type << " " << c.enabled;
        control->SetParent(nullptr);
        control->InternalRelease();
    }
    // Check boxes outside popups ask with their enabled state only.
    CUTKControl* check = new CUTKControl();
    check->SetType(utkControlCheckBox);
    check->m_selected = 1;
    check->m_checked = 1;
    check->SetParent(&toolbar);
    pm->GetControlTextColor(check);
    EXPECT_EQ(pm->m_lastState[0], 0);
    EXPECT_EQ(pm->m_lastState[3], 0);
    check->SetParent(&popup);
    pm->GetControlTextColor(check);
    EXPECT_EQ(pm->m_lastState[0], 1);
    EXPECT_EQ(pm->m_lastState[3], 1);
    EXPECT_EQ(pm->m_lastState[5], utkBarTypePopup);
    EXPECT_EQ(pm->m_lastState[6], utkBarPopup);
    check->SetParent(nullptr);
    check->InternalRelease();
}

}  // namespace

namespace {

TEST(PaintManagerFieldMetrics, ComboDropDownWidthFollowsTheFieldHeight)
{
    struct Case {
        int height;
        int width;
    } cases[] = {{20, 15}, {28, 19}, {14, 15}, {22, 15}, {30, 20}, {0, 15}};
    for (const Case& c : cases) {
        EXPECT_EQ(CUTKPaintManager::ComboDropDownWidth(c.height), c.width) << c.height;
    }
}

}  // namespace

namespace {

CString FaceOf(CFont& font)
{
    LOGFONT read{};
    font.GetLogFont(&read);
    return CString(read.lfFaceName);
}

TEST(PaintManagerPreferredFace, OnceSeenThePreferredFaceStays)
{
    auto* pm = new TestPaintManager();
    EXPECT_EQ(pm->m_strPreferredFace, CString(L"Tahoma"));
    // The rule does not depend on the face; this prefix surely has Marlett.
    pm->m_strPreferredFace = L"Marlett";
    ASSERT_TRUE(CUTKPaintManager::FontExists(L"Marlett"));
    LOGFONT font{};
    font.lfHeight = -11;
    ::lstrcpyW(font.lfFaceName, L"Arial");
    pm->SetCommonFonts(&font, TRUE);
    EXPECT_FALSE(pm->m_bPreferredFaceFound);
    EXPECT_EQ(FaceOf(pm->m_fontRegular), CString(L"Arial"));

    ::lstrcpyW(font.lfFaceName, L"marlett");
    pm->SetCommonFonts(&font, TRUE);
    EXPECT_TRUE(pm->m_bPreferredFaceFound);

    // The system face changes later: the bars keep the preferred face...
    ::lstrcpyW(font.lfFaceName, L"Arial");
    pm->SetCommonFonts(&font, TRUE);
    EXPECT_EQ(FaceOf(pm->m_fontRegular), CString(L"Marlett"));
    EXPECT_EQ(FaceOf(pm->m_fontBold), CString(L"Marlett"));
    // ...but a caller's own font is taken as given.
    pm->SetCommonFonts(&font, FALSE);
    EXPECT_EQ(FaceOf(pm->m_fontRegular), CString(L"Arial"));
    EXPECT_FALSE(pm->m_bUseStandardFont);
    // A null font only records the switch.
    pm->SetCommonFonts(nullptr, TRUE);
    EXPECT_TRUE(pm->m_bUseStandardFont);
    EXPECT_EQ(FaceOf(pm->m_fontRegular), CString(L"Arial"));
    pm->InternalRelease();
}

}  // namespace
