// The colour sets beside the default and the native one: the factory's classes, the colours
// after RefreshMetrics by Windows scheme and with scheme colours off, custom colours that
// survive a refresh, and the gradient faces and navigate buttons read back from DIB sections.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/tabmanager/TabHost.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/tabmanager/CUTKTabManagerNavigateButton.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSets.h"

#include <cstdlib>
#include <string>
#include <typeinfo>

using orvane::test::DrawCanvas;
using orvane::test::TabHost;
using PM = CUTKTabPaintManager;

namespace {

COLORREF Sys(int index)
{
    return GetColorManager()->GetColor(index);
}

// Selects a Windows scheme for the process-wide colours and goes back to detection after.
class SchemeScope {
public:
    explicit SchemeScope(int scheme) { GetColorManager()->SetSystemTheme(scheme); }
    ~SchemeScope() { GetColorManager()->SetSystemTheme(CUTKColorManager::schemeAuto); }
    SchemeScope(const SchemeScope&) = delete;
    SchemeScope& operator=(const SchemeScope&) = delete;
};

bool Near(COLORREF a, COLORREF b, int tolerance = 3)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

struct Named {
    const char* name;
    COLORREF actual;
    COLORREF expected;
};

void ExpectColors(const std::string& what, std::initializer_list<Named> colors)
{
    for (const Named& c : colors) {
        EXPECT_EQ(c.actual, c.expected) << what << ": " << c.name;
    }
}

}  // namespace

TEST(TabColorSets, FactoryGivesEachNumberItsClass)
{
    struct Case {
        int number;
        const std::type_info& type;
    };
    const Case cases[] = {
        {1, typeid(PM::CColorSetDefault)},
        {2, typeid(PM::CColorSetVisualStudio2003)},
        {4, typeid(PM::CColorSetOffice2003)},
        {8, typeid(PM::CColorSetWinNative)},
        {16, typeid(PM::CColorSetVisualStudio2005)},
        {32, typeid(PM::CColorSetOffice2007)},
        {64, typeid(PM::CColorSetVisualStudio2008)},
        {128, typeid(PM::CColorSetOffice2007Access)},
        {256, typeid(PM::CColorSetVisualStudio2010)},
        {3, typeid(PM::CColorSetDefault)},
        {1024, typeid(PM::CColorSetDefault)},
    };
    for (const Case& c : cases) {
        PM paint;
        paint.SetColor(c.number);
        PM::CColorSet* set = paint.GetColorSet();
        EXPECT_EQ(typeid(*set), c.type) << "colour " << c.number;
        EXPECT_EQ(set->m_pPaintManager, &paint);
    }
}

TEST(TabColorSets, Office2003TakesTheSchemeColours)
{
    const COLORREF selected = RGB(255, 194, 115);
    const COLORREF pressed = RGB(254, 142, 75);
    struct Case {
        int scheme;
        COLORREF headerLight, headerDark, normal, hot, frame;
    };
    const COLORREF blueLight = RGB(196, 218, 250);
    const COLORREF blueDark = RGB(252, 253, 254);
    const Case cases[] = {
        {CUTKColorManager::schemeLunaBlue, blueLight, blueDark, RGB(162, 192, 246),
         RGB(255, 240, 201), RGB(0, 0, 128)},
        {CUTKColorManager::schemeLunaOlive, RGB(242, 241, 228), RGB(252, 254, 254),
         RGB(208, 222, 170), RGB(255, 240, 199), RGB(63, 93, 56)},
        {CUTKColorManager::schemeLunaSilver, RGB(243, 243, 247), RGB(252, 254, 254),
         RGB(217, 217, 230), RGB(255, 238, 194), RGB(75, 75, 111)},
        {CUTKColorManager::schemeRoyale, blueLight, blueDark, RGB(162, 192, 246),
         RGB(255, 240, 201), RGB(0, 0, 128)},
        {CUTKColorManager::schemeAero, blueLight, blueDark, RGB(162, 192, 246),
         RGB(255, 240, 201), RGB(0, 0, 128)},
    };
    for (const Case& c : cases) {
        SchemeScope scope(c.scheme);
        PM paint;
        paint.SetColor(4);
        auto* set = static_cast<PM::CColorSetOffice2003*>(paint.GetColorSet());
        const std::string what = "scheme " + std::to_string(c.scheme);
        EXPECT_TRUE(set->m_bLunaTheme) << what;
        ExpectColors(what, {{"header light", set->m_clrHeaderFace.clrLight, c.headerLight},
                            {"header dark", set->m_clrHeaderFace.clrDark, c.headerDark},
                            {"second header", set->m_clrAutoHideFace.clrDark, c.headerDark},
                            {"normal", set->m_clrButtonNormal, c.normal},
                            {"hot", set->m_clrButtonHighlighted, c.hot},
                            {"selected", set->m_clrButtonSelected, selected},
                            {"pressed", set->m_clrButtonPressed, pressed},
                            {"button frame", set->m_clrNavigateButtonBorder, c.frame},
                            {"hot text", set->m_clrHighlightText, Sys(COLOR_BTNTEXT)},
                            {"state fill", set->m_clrStateSelectedFill.clrLight, Sys(36)},
                            {"state border", set->m_clrStateSelectedBorder.clrDark, Sys(37)}});
        // With the push-button appearance the header is plain.
        paint.SetAppearance(4);
        paint.SetColor(4);
        ExpectColors(what + " appearance 4",
                     {{"header light", paint.GetColorSet()->m_clrHeaderFace.clrLight,
                       Sys(COLOR_BTNFACE)},
                      {"header dark", paint.GetColorSet()->m_clrHeaderFace.clrDark,
                       Sys(COLOR_BTNFACE)}});
    }
    // No scheme: only the selected face changes, and scheme colours are not in use.
    SchemeScope none(CUTKColorManager::schemeNone);
    PM paint;
    paint.SetColor(4);
    auto* set = static_cast<PM::CColorSetOffice2003*>(paint.GetColorSet());
    EXPECT_FALSE(set->m_bLunaTheme);
    const COLORREF mix = CUTKColorManager::MixColors(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), 205);
    ExpectColors("no scheme", {{"header light", set->m_clrHeaderFace.clrLight, Sys(COLOR_BTNFACE)},
                               {"header dark", set->m_clrHeaderFace.clrDark, mix},
                               {"selected", set->m_clrButtonSelected, Sys(36)},
                               {"normal", set->m_clrButtonNormal, Sys(COLOR_BTNFACE)},
                               {"hot", set->m_clrButtonHighlighted, Sys(36)},
                               {"pressed", set->m_clrButtonPressed, Sys(33)}});
}

TEST(TabColorSets, VisualStudioSetsWithSchemeColoursOff)
{
    struct Case {
        int set;
        int scheme;
        bool inUse;
        COLORREF header, selected, normal, hot, border, selectedText;
    };
    const COLORREF face = Sys(COLOR_BTNFACE);
    const COLORREF window = Sys(COLOR_WINDOW);
    const Case cases[] = {
        {16, CUTKColorManager::schemeLunaBlue, true, RGB(228, 226, 213), window, face, Sys(36),
         Sys(57), Sys(COLOR_WINDOWTEXT)},
        {16, CUTKColorManager::schemeLunaOlive, true, RGB(228, 226, 213), window, face, Sys(36),
         Sys(57), Sys(COLOR_WINDOWTEXT)},
        {16, CUTKColorManager::schemeLunaSilver, true, RGB(238, 238, 238), window,
         RGB(245, 245, 248), Sys(36), Sys(57), Sys(COLOR_WINDOWTEXT)},
        {64, CUTKColorManager::schemeLunaOlive, true, face, RGB(182, 198, 141), face,
         RGB(175, 175, 142), RGB(147, 160, 112), Sys(COLOR_WINDOWTEXT)},
        {64, CUTKColorManager::schemeLunaSilver, true, face, RGB(225, 226, 236), face,
         RGB(255, 201, 128), RGB(147, 145, 176), Sys(COLOR_WINDOWTEXT)},
        {64, CUTKColorManager::schemeAero, true, face, RGB(210, 230, 250), RGB(152, 180, 210),
         RGB(129, 208, 241), RGB(105, 161, 191), Sys(COLOR_WINDOWTEXT)},
        {64, CUTKColorManager::schemeLunaBlue, true, face, RGB(193, 210, 238), face,
         RGB(167, 191, 227), RGB(152, 181, 226), Sys(COLOR_WINDOWTEXT)},
        {64, CUTKColorManager::schemeNone, false, face, RGB(193, 210, 238), face,
         RGB(167, 191, 227), RGB(152, 181, 226), Sys(COLOR_WINDOWTEXT)},
        {256, CUTKColorManager::schemeLunaOlive, false, face, window, face, window, Sys(57),
         Sys(COLOR_WINDOWTEXT)},
        {256, CUTKColorManager::schemeNone, false, face, window, face, window, Sys(57),
         Sys(COLOR_WINDOWTEXT)},
    };
    for (const Case& c : cases) {
        SchemeScope scope(c.scheme);
        PM paint;
        paint.m_bDisableLunaColors = TRUE;
        paint.SetColor(c.set);
        auto* set = static_cast<PM::CColorSetOffice2003*>(paint.GetColorSet());
        const std::string what = "set " + std::to_string(c.set) + " scheme " + std::to_string(c.scheme);
        EXPECT_EQ(set->m_bLunaTheme != FALSE, c.inUse) << what;
        ExpectColors(what, {{"header", set->m_clrHeaderFace.clrLight, c.header},
                            {"header dark", set->m_clrHeaderFace.clrDark, c.header},
                            {"selected", set->m_clrButtonSelected, c.selected},
                            {"normal", set->m_clrButtonNormal, c.normal},
                            {"hot", set->m_clrButtonHighlighted, c.hot},
                            {"frame border", set->m_clrFrameBorder, c.border},
                            {"page border", set->m_clrPageBorder, c.border},
                            {"selected text", set->m_clrSelectedText, c.selectedText}});
    }
    // Scheme colours on: sets 16 and 64 keep the Office 2003 values, 256 its own.
    SchemeScope olive(CUTKColorManager::schemeLunaOlive);
    for (int number : {16, 64}) {
        PM paint;
        paint.SetColor(number);
        EXPECT_EQ(paint.GetColorSet()->m_clrButtonNormal.GetColor(), RGB(208, 222, 170)) << number;
        EXPECT_EQ(paint.GetColorSet()->m_clrButtonSelected.GetColor(), RGB(255, 194, 115)) << number;
    }
    PM paint;
    paint.SetColor(256);
    EXPECT_EQ(paint.GetColorSet()->m_clrButtonNormal.GetColor(), face);
}

TEST(TabColorSets, VisualStudio2003FollowsTheAppearance)
{
    struct Case {
        int appearance;
        COLORREF header;
        COLORREF text;
    };
    for (const Case& c : {Case{0, Sys(48), Sys(COLOR_BTNTEXT)}, Case{4, Sys(COLOR_BTNFACE), Sys(COLOR_BTNTEXT)},
                          Case{7, Sys(COLOR_BTNFACE), Sys(COLOR_BTNTEXT)}, Case{5, Sys(48), Sys(49)}}) {
        PM paint;
        paint.SetAppearance(c.appearance);
        paint.SetColor(2);
        PM::CColorSet* set = paint.GetColorSet();
        const std::string what = "appearance " + std::to_string(c.appearance);
        ExpectColors(what, {{"header", set->m_clrHeaderFace.clrLight, c.header},
                            {"normal text", set->m_clrButtonText, c.text},
                            {"inactive text", set->m_clrButtonTextInactive, c.text},
                            {"state fill", set->m_clrStateSelectedFill.clrLight,
                             static_cast<COLORREF>(-2)}});
    }
}

TEST(TabColorSets, ImageSetColoursFallBackToFixedBlues)
{
    for (int number : {32, 128}) {
        PM paint;
        paint.SetColor(number);
        PM::CColorSet* set = paint.GetColorSet();
        const std::string what = "set " + std::to_string(number);
        ExpectColors(what, {{"frame border", set->m_clrFrameBorder, RGB(59, 97, 156)},
                            {"page border", set->m_clrPageBorder, RGB(59, 97, 156)},
                            {"dark shadow", set->m_csPropertyPage3DDarkShadow, RGB(0, 53, 154)},
                            {"tab border", set->m_clrTabBorder, RGB(0, 53, 154)}});
        const COLORREF text = number == 128 ? RGB(0, 0, 0) : Sys(COLOR_BTNTEXT);
        ExpectColors(what, {{"normal text", set->m_clrButtonText, text},
                            {"selected text", set->m_clrSelectedText, text},
                            {"inactive text", set->m_clrButtonTextInactive, text},
                            {"disabled text", set->m_clrDisabledText, Sys(COLOR_GRAYTEXT)}});
    }
}

TEST(TabColorSets, ACustomColourSurvivesRefreshInEverySet)
{
    for (int number : {2, 4, 16, 32, 64, 128, 256}) {
        PM paint;
        paint.SetColor(number);
        PM::CColorSet* set = paint.GetColorSet();
        const COLORREF standard = set->m_clrFrameBorder.GetStandardColor();
        set->m_clrFrameBorder.SetCustomValue(RGB(12, 34, 56));
        set->m_clrButtonSelected.SetCustomValue(RGB(65, 43, 21));
        paint.RefreshMetrics();
        const std::string what = "set " + std::to_string(number);
        EXPECT_EQ(set->m_clrFrameBorder.GetColor(), RGB(12, 34, 56)) << what;
        EXPECT_EQ(set->m_clrFrameBorder.GetStandardColor(), standard) << what;
        EXPECT_EQ(set->m_clrButtonSelected.GetColor(), RGB(65, 43, 21)) << what;
    }
}

TEST(TabColorSets, GradientTabFacesRunFromLightToTheFace)
{
    struct Case {
        int set;
        int position;
        bool selected;
        bool gradient;  // else solid
        COLORREF outer;  // expected on the outer side
    };
    SchemeScope olive(CUTKColorManager::schemeLunaOlive);
    const COLORREF oliveNormal = RGB(208, 222, 170);
    const COLORREF white = RGB(255, 255, 255);
    const Case cases[] = {
        {4, PM::positionTop, false, true, CUTKColorManager::MixColors(oliveNormal, white, 30)},
        {4, PM::positionBottom, false, true, CUTKColorManager::MixColors(oliveNormal, white, 30)},
        {4, PM::positionLeft, false, true, CUTKColorManager::MixColors(oliveNormal, white, 30)},
        {256, PM::positionTop, false, false, Sys(COLOR_BTNFACE)},
        {256, PM::positionTop, true, true, RGB(253, 253, 253)},
        {256, PM::positionRight, true, true, RGB(253, 253, 253)},
    };
    for (const Case& c : cases) {
        TabHost host;
        host.m_paint->SetColor(c.set);
        host.m_paint->SetPosition(c.position);
        host.AddItem(-1);
        host.AddItem(-1);
        host.SetCurSel(0);
        CUTKTabManagerItem* item = host.GetItem(c.selected ? 0 : 1);
        PM::CColorSet* set = host.m_paint->GetColorSet();
        DrawCanvas canvas(80, 80, RGB(1, 2, 3));
        const CRect rect(10, 10, 70, 70);
        const COLORREF face = set->FillPropertyButton(canvas.dc(), rect, item);
        EXPECT_EQ(face, set->GetItemColor(item));
        CPoint outer;
        CPoint inner;
        switch (c.position) {
        case PM::positionLeft:
            outer = CPoint(10, 40);
            inner = CPoint(69, 40);
            break;
        case PM::positionBottom:
            outer = CPoint(40, 69);
            inner = CPoint(40, 10);
            break;
        case PM::positionRight:
            outer = CPoint(69, 40);
            inner = CPoint(10, 40);
            break;
        default:
            outer = CPoint(40, 10);
            inner = CPoint(40, 69);
            break;
        }
        const std::string what = "set " + std::to_string(c.set) + " position " + std::to_string(c.position);
        EXPECT_TRUE(Near(canvas.At(outer.x, outer.y), c.outer))
            << what << " outer " << std::hex << canvas.At(outer.x, outer.y);
        EXPECT_TRUE(Near(canvas.At(inner.x, inner.y), face)) << what << " inner";
        if (!c.gradient) {
            EXPECT_EQ(canvas.At(outer.x, outer.y), face) << what;
        }
    }
}

TEST(TabColorSets, Office2003NavigateButtonsBySchemeUse)
{
    struct Case {
        int scheme;
        bool pressed;
        COLORREF frame;
        COLORREF inside;  // at the middle, first row inside the frame
        COLORREF glyph;
    };
    const Case cases[] = {
        {CUTKColorManager::schemeNone, false, Sys(31), Sys(32), Sys(45)},
        {CUTKColorManager::schemeNone, true, Sys(33), Sys(50), Sys(47)},
        {CUTKColorManager::schemeLunaOlive, false, RGB(63, 93, 56), RGB(255, 242, 200),
         Sys(COLOR_BTNTEXT)},
        {CUTKColorManager::schemeLunaOlive, true, RGB(63, 93, 56), RGB(254, 142, 75),
         Sys(COLOR_BTNTEXT)},
    };
    for (const Case& c : cases) {
        SchemeScope scope(c.scheme);
        TabHost host;
        host.m_paint->SetColor(4);
        CUTKTabManagerNavigateButton* button = host.FindNavigateButton(0);
        ASSERT_NE(button, nullptr);
        button->SetEnabled(TRUE);
        button->m_bPressed = c.pressed ? TRUE : FALSE;
        if (!c.pressed) {
            // Hot: the strip's hot button.
            struct Hot : TabHost {
                static void Set(TabHost& host, CUTKTabManagerNavigateButton* b)
                {
                    static_cast<Hot&>(host).m_pHighlightedNavigateButton = b;
                }
            };
            Hot::Set(host, button);
        }
        ASSERT_TRUE(c.pressed ? button->IsPressed() : button->IsHot());
        DrawCanvas canvas(40, 40, RGB(1, 2, 3));
        CRect rect(10, 10, 24, 25);
        host.m_paint->GetColorSet()->FillNavigateButton(canvas.dc(), button, rect);
        const std::string what = "scheme " + std::to_string(c.scheme) + (c.pressed ? " pressed" : " hot");
        EXPECT_EQ(canvas.At(10, 17), c.frame) << what;
        EXPECT_EQ(canvas.At(23, 17), c.frame) << what;
        EXPECT_TRUE(Near(canvas.At(17, 11), c.inside, 8)) << what << std::hex << " " << canvas.At(17, 11);
        EXPECT_EQ(::GetTextColor(canvas.hdc()), c.glyph) << what;
        EXPECT_EQ(rect, CRect(10, 10, 24, 25)) << what << ": the glyph does not move";
    }
}

TEST(TabColorSets, OtherNavigateButtonsFrameAndGlyph)
{
    struct Case {
        int set;
        int appearance;
        bool pressed;
        COLORREF topLeft, bottomRight, glyph;
        int moved;  // the glyph rectangle's shift
    };
    const Case cases[] = {
        // Visual Studio 2003: flat frames, glyph in toolkit colour 49, no shift.
        {2, 0, true, Sys(COLOR_BTNTEXT), Sys(COLOR_BTNFACE), Sys(49), 0},
        {2, 0, false, Sys(COLOR_BTNFACE), Sys(COLOR_BTNTEXT), Sys(49), 0},
        // With push-button and sheet tabs: the default set's sunken and raised frames.
        {2, 4, true, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNTEXT), 1},
        {2, 7, false, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNTEXT), 0},
        // The image-set sets without their images: the default set's buttons.
        {32, 0, true, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNTEXT), 1},
        {128, 0, false, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNTEXT), 0},
    };
    for (const Case& c : cases) {
        TabHost host;
        host.m_paint->SetAppearance(c.appearance);
        host.m_paint->SetColor(c.set);
        CUTKTabManagerNavigateButton* button = host.FindNavigateButton(0);
        ASSERT_NE(button, nullptr);
        button->m_bPressed = c.pressed ? TRUE : FALSE;
        if (!c.pressed) {
            struct Hot : TabHost {
                static void Set(TabHost& h, CUTKTabManagerNavigateButton* b)
                {
                    static_cast<Hot&>(h).m_pHighlightedNavigateButton = b;
                }
            };
            Hot::Set(host, button);
        }
        DrawCanvas canvas(40, 40, RGB(1, 2, 3));
        CRect rect(10, 10, 24, 25);
        host.m_paint->GetColorSet()->FillNavigateButton(canvas.dc(), button, rect);
        const std::string what = "set " + std::to_string(c.set) + " appearance " +
                                 std::to_string(c.appearance) + (c.pressed ? " pressed" : " hot");
        EXPECT_EQ(canvas.At(10, 17), c.topLeft) << what;
        EXPECT_EQ(canvas.At(17, 10), c.topLeft) << what;
        EXPECT_EQ(canvas.At(23, 17), c.bottomRight) << what;
        EXPECT_EQ(canvas.At(17, 24), c.bottomRight) << what;
        EXPECT_EQ(canvas.At(17, 17), RGB(1, 2, 3)) << what << ": no fill";
        EXPECT_EQ(::GetTextColor(canvas.hdc()), c.glyph) << what;
        EXPECT_EQ(rect, CRect(10 + c.moved, 10 + c.moved, 24 + c.moved, 25 + c.moved)) << what;
    }
}
