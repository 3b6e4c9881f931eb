// Sizes the paint manager answers for controls on toolbars, menu bars and vertical bars (icon
// and caption arrangements, split buttons, popups, check boxes, large buttons, fixed sizes),
// measured against the text extents of the theme's own fonts; and the split button's arrow
// glyph following the enabled value of its parts.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/themes/ThemeShowcase.h"
#include "toolkit/themes/CUTKDefaultTheme.h"

#include <algorithm>

using orvane::test::DrawBar;
using orvane::test::DrawCanvas;
using orvane::test::MakeShowcaseIcons;
using orvane::test::TestColours;
using orvane::test::TestControl;
using orvane::test::ThemeHolder;
using PM = CUTKPaintManager;

namespace {

CSize Extent(CFont& font, LPCWSTR text)
{
    DrawCanvas canvas(4, 4, 0);
    ::SelectObject(canvas.hdc(), font.m_hObject);
    SIZE size = {};
    ::GetTextExtentPoint32W(canvas.hdc(), text, lstrlenW(text), &size);
    return CSize(size.cx, size.cy);
}

}  // namespace

TEST(ControlLayoutDraw, ToolbarSizesByTypeAndStyle)
{
    ThemeHolder theme(0);
    CUTKImageManager images;
    MakeShowcaseIcons(images, 1000, 1);
    DrawBar toolbar(PM::kBarTypeNormal, PM::kBarTop);
    DrawBar menuBar(PM::kBarTypeMenuBar, PM::kBarTop);
    toolbar.SetImageManager(&images);
    menuBar.SetImageManager(&images);
    const CSize print = Extent(theme->m_fontRegular, L"Print");
    const CSize file = Extent(theme->m_fontRegular, L"File");
    const CSize check = Extent(theme->m_fontRegular, L"Check");
    const int rowHeight = std::max<int>(print.cy + 6, 22);
    struct Case {
        const char* name;
        DrawBar* bar;
        int type;
        int style;
        LPCWSTR caption;
        CSize expected;
    };
    const Case cases[] = {
        {"icon button", &toolbar, utkControlButton, utkButtonIcon, L"Print", CSize(22, 22)},
        {"icon and caption", &toolbar, utkControlButton, utkButtonIconAndCaption, L"Print",
         CSize(print.cx + 22 + 3, rowHeight)},
        {"caption only", &toolbar, utkControlButton, utkButtonCaption, L"Print",
         CSize(print.cx + 8, rowHeight)},
        {"split icon", &toolbar, utkControlSplitButtonPopup, utkButtonIcon, L"Print",
         CSize(22 + 11, 22)},
        {"split icon and caption", &toolbar, utkControlSplitButtonPopup,
         utkButtonIconAndCaption, L"Print", CSize(print.cx + 22 + 3 + 11, rowHeight)},
        {"menu-bar popup", &menuBar, utkControlPopup, utkButtonAutomatic, L"&File",
         CSize(file.cx + 6, file.cy + 6)},
        {"toolbar popup with glyph", &toolbar, utkControlPopup, utkButtonCaption, L"&File",
         CSize(file.cx + 10 + 6, file.cy + 6)},
        {"check box", &toolbar, utkControlCheckBox, utkButtonAutomatic, L"Check",
         CSize(check.cx + 8 + 18, std::max<int>(check.cy + 6, 22))},
    };
    DrawCanvas canvas(8, 8, 0);
    for (const Case& c : cases) {
        TestControl control(c.bar, c.type, c.caption, CRect(0, 0, 0, 0));
        control.SetID(1000);
        control.SetStyle(c.style);
        EXPECT_EQ(theme->DrawControl(canvas.dc(), &control, FALSE), c.expected) << c.name;
    }

    // A fixed width replaces the measured one.
    TestControl fixed(&toolbar, utkControlButton, L"Print", CRect(0, 0, 0, 0));
    fixed.SetID(1000);
    fixed.SetStyle(utkButtonIconAndCaption);
    fixed.SetWidth(100);
    EXPECT_EQ(theme->DrawControl(canvas.dc(), &fixed, FALSE), CSize(100, rowHeight));
}

TEST(ControlLayoutDraw, VerticalBarTurnsTheArrangement)
{
    ThemeHolder theme(0);
    CUTKImageManager images;
    MakeShowcaseIcons(images, 1000, 1);
    DrawBar left(PM::kBarTypeNormal, PM::kBarLeft);
    left.SetImageManager(&images);
    EXPECT_EQ(theme->GetControlTextOrientation(nullptr), PM::kTextHorizontal);
    TestControl control(&left, utkControlButton, L"Print", CRect(0, 0, 0, 0));
    control.SetID(1000);
    control.SetStyle(utkButtonIconAndCaption);
    EXPECT_EQ(theme->GetControlTextOrientation(&control), PM::kTextVertical);
    const CSize text = Extent(theme->m_fontVert, L"Print");
    DrawCanvas canvas(8, 8, 0);
    EXPECT_EQ(theme->DrawControl(canvas.dc(), &control, FALSE),
              CSize(std::max<int>(text.cy + 6, 22), text.cx + 22 + 3));
}

TEST(ControlLayoutDraw, LargeButtonSplitsSaveAsAndFitsItsLines)
{
    ThemeHolder theme(0);
    CUTKImageManager images;
    MakeShowcaseIcons(images, 1000, 1);
    DrawBar toolbar(PM::kBarTypeNormal, PM::kBarTop);
    toolbar.SetImageManager(&images);
    TestControl control(&toolbar, utkControlButton, L"Save As", CRect(0, 0, 0, 0));
    control.SetID(1000);
    control.SetStyle(utkButtonIconAndCaptionBelow);
    const int save = Extent(theme->m_fontRegular, L"Save").cx;
    const int as = Extent(theme->m_fontRegular, L"As").cx;
    const CSize large = theme->GetControlIconSize(&control);
    DrawCanvas canvas(8, 8, 0);
    const CSize size = theme->DrawControl(canvas.dc(), &control, FALSE);
    EXPECT_EQ(size.cx, std::max({2 * theme->GetControlHeight() - 3, 42, std::max(save, as) + 5}));
    EXPECT_EQ(size.cy, large.cy + theme->GetSplitDropDownHeight() + 7);

    // Without two-line captions the whole caption is one line, so the button may grow.
    theme->m_bTwoLineCaptions = FALSE;
    TestControl wide(&toolbar, utkControlButton, L"Save All Documents Now", CRect(0, 0, 0, 0));
    wide.SetID(1000);
    wide.SetStyle(utkButtonIconAndCaptionBelow);
    const int whole = Extent(theme->m_fontRegular, L"Save All Documents Now").cx;
    EXPECT_EQ(theme->DrawControl(canvas.dc(), &wide, FALSE).cx,
              std::max({2 * theme->GetControlHeight() - 3, 42, whole + 5}));
}

TEST(ControlLayoutDraw, SplitArrowFollowsTheEnabledValueOfItsPart)
{
    ThemeHolder theme(0);
    DrawBar toolbar(PM::kBarTypeNormal, PM::kBarTop);
    struct Case {
        int enabled;
        COLORREF arrow;
    };
    // 4: only the button part is enabled, so the arrow is grey; 5: only the arrow part.
    const Case cases[] = {{1, TestColours::k18}, {4, TestColours::k17}, {5, TestColours::k18},
                          {0, TestColours::k17}};
    for (const Case& c : cases) {
        TestControl split(&toolbar, utkControlSplitButtonPopup, L"Go", CRect(0, 0, 40, 22));
        split.m_enabled = c.enabled;
        DrawCanvas canvas(44, 26, RGB(1, 2, 3));
        theme->DrawSplitButtonFrame(canvas.dc(), &split, CRect(0, 0, 40, 22));
        EXPECT_EQ(canvas.At(40 - 7, 11), c.arrow) << "enabled " << c.enabled;
        EXPECT_EQ(canvas.At(40 - 9, 10), c.arrow);
    }
}

TEST(ControlLayoutDraw, ComboDropDownWidthFromItsHeight)
{
    const struct {
        int height;
        int width;
    } cases[] = {{20, 15}, {28, 19}, {21, 15}, {22, 15}, {23, 16}, {14, 15}, {40, 27}};
    for (const auto& c : cases) {
        EXPECT_EQ(PM::ComboDropDownWidth(c.height), c.width) << c.height;
    }
}

TEST(ControlLayoutDraw, PopupItemsWithDescriptionsAndLabels)
{
    ThemeHolder theme(0);
    DrawBar popup(PM::kBarTypePopup, PM::kBarPopup);
    DrawCanvas canvas(8, 8, 0);
    const CSize cell = theme->GetPopupBarImageSize(&popup);
    const int gutter = theme->GetPopupBarGripperWidth(&popup) - 1;

    // A caption in bold with a description below it: two text lines of half the cell + 10.
    TestControl described(&popup, utkControlButton, L"&Print", CRect(0, 0, 0, 0));
    described.SetStyle(utkButtonCaptionAndDescription);
    described.SetDescription(L"Sends the presentation to the printer");
    const CSize bold = Extent(theme->m_fontBold, L"Print");
    ::SelectObject(canvas.hdc(), theme->m_fontRegular.m_hObject);
    RECT lines = {0, 0, cell.cx / 2 + 10, 0};
    const int twoLines = ::DrawTextW(canvas.hdc(), L"1\n2", -1, &lines, DT_CALCRECT);
    const CSize size = theme->DrawControl(canvas.dc(), &described, FALSE);
    EXPECT_EQ(size.cy, std::max<int>(cell.cy, bold.cy + twoLines + 19));
    EXPECT_EQ(size.cx, std::max<int>(theme->m_nTextGap + cell.cx / 2 + gutter + 32,
                                     gutter + theme->m_nTextGap + bold.cx + 32));

    // A label without an icon is a text-height row; without label icons it loses the gutter.
    TestControl label(&popup, utkControlLabel, L"Recent", CRect(0, 0, 0, 0));
    const CSize text = Extent(theme->m_fontRegular, L"Recent");
    EXPECT_EQ(theme->DrawControl(canvas.dc(), &label, FALSE),
              CSize(theme->m_nTextGap + text.cx + gutter + 32, theme->m_nTextHeight));
    theme->m_bShowLabelIcons = FALSE;
    EXPECT_EQ(theme->DrawControl(canvas.dc(), &label, FALSE),
              CSize(theme->m_nTextGap + text.cx + 32, theme->m_nTextHeight));
}
