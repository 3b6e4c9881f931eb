// The Default theme drawn into 32-bit DIB sections and read back with exact colours: button
// faces over every state, disabled icon silhouettes, popup rows, chevrons, captions against
// DrawText in a reference DC, caption splitting, shortcut widths, and that drawing leaves no
// GDI object behind and the DC as it found it.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/themes/ThemeDrawDoubles.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKImageManagerIcon.h"
#include "toolkit/themes/CUTKDefaultTheme.h"

#include <cstdio>
#include <vector>

using orvane::test::CountColour;
using orvane::test::DrawBar;
using orvane::test::DrawCanvas;
using orvane::test::SamePixels;
using orvane::test::TestColours;
using orvane::test::TestControl;
using orvane::test::ThemeHolder;
using PM = CUTKPaintManager;

namespace {

constexpr COLORREF kPaper = RGB(1, 2, 3);

enum Face { kNone, kRaised, kSunken, kChecker };

const char* FaceName(Face face)
{
    switch (face) {
    case kNone:
        return "none";
    case kRaised:
        return "raised";
    case kSunken:
        return "sunken";
    default:
        return "checkerboard";
    }
}

// What a 30 by 20 rectangle at (5, 5) shows.
Face ReadFace(const DrawCanvas& canvas)
{
    const COLORREF topLeft = canvas.At(5, 5);
    const COLORREF bottomRight = canvas.At(34, 24);
    if (topLeft == kPaper && bottomRight == kPaper && canvas.At(15, 15) == kPaper) {
        return kNone;
    }
    if (topLeft == TestColours::k20 && bottomRight == TestColours::k16) {
        return canvas.At(15, 15) == kPaper ? kRaised : static_cast<Face>(-1);
    }
    if (topLeft == TestColours::k16 && bottomRight == TestColours::k20) {
        const COLORREF a = canvas.At(15, 15);
        const COLORREF b = canvas.At(16, 15);
        const COLORREF c = canvas.At(16, 16);
        if (a == kPaper && b == kPaper) {
            return kSunken;
        }
        const bool alternates = a != b && a == c &&
                                (a == TestColours::k15 || a == TestColours::k20) &&
                                (b == TestColours::k15 || b == TestColours::k20);
        return alternates ? kChecker : static_cast<Face>(-1);
    }
    return static_cast<Face>(-1);
}

CUTKImageManagerIcon* MakeSquareIcon(CUTKImageManager& images, UINT id)
{
    // A 16 by 16 image: an 8 by 8 black square at (4, 4) on the mask colour.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool ink = x >= 4 && x < 12 && y >= 4 && y < 12;
            pixels[y * 16 + x] = ink ? 0x000000 : 0xFF00FF;
        }
    }
    images.SetMaskColor(RGB(255, 0, 255));
    CBitmap strip;
    strip.Attach(bitmap);
    const UINT ids[] = {id};
    EXPECT_TRUE(images.SetIconsFromBitmap(&strip, ids, 1, 16, 16, 0, FALSE));
    return images.GetImage(id, 16);
}

}  // namespace

TEST(DefaultThemeDraw, ToolbarFaceOverEveryState)
{
    ThemeHolder theme(0);
    struct Case {
        int selected, pressed, checked, popuped, enabled;
        Face face;
    };
    const Case cases[] = {
        // enabled
        {0, 0, 0, 0, 1, kNone},    {1, 0, 0, 0, 1, kRaised},  {0, 1, 0, 0, 1, kRaised},
        {1, 1, 0, 0, 1, kSunken},  {0, 0, 0, 1, 1, kSunken},  {1, 0, 0, 1, 1, kSunken},
        {0, 1, 0, 1, 1, kSunken},  {1, 1, 0, 1, 1, kSunken},  {0, 0, 1, 0, 1, kChecker},
        {0, 0, 1, 1, 1, kChecker}, {1, 0, 1, 0, 1, kSunken},  {0, 1, 1, 0, 1, kSunken},
        {1, 1, 1, 0, 1, kSunken},  {1, 0, 1, 1, 1, kSunken},  {0, 1, 1, 1, 1, kSunken},
        {1, 1, 1, 1, 1, kSunken},  {0, 2, 0, 0, 1, kSunken},  {0, 0, 2, 0, 1, kChecker},
        // disabled: only checked or keyboard selection shows
        {0, 0, 0, 0, 0, kNone},    {1, 0, 0, 0, 0, kNone},    {0, 1, 0, 0, 0, kNone},
        {1, 1, 0, 1, 0, kNone},    {0, 0, 1, 0, 0, kSunken},  {1, 1, 1, 1, 0, kSunken},
        {2, 0, 0, 0, 0, kSunken},  {3, 0, 0, 0, 0, kSunken},
    };
    for (const Case& c : cases) {
        DrawCanvas canvas(40, 30, kPaper);
        theme->DrawRectangle(canvas.dc(), CRect(5, 5, 35, 25), c.selected, c.pressed, c.enabled,
                             c.checked, c.popuped, PM::kBarTypeNormal, PM::kBarTop);
        const Face face = ReadFace(canvas);
        std::printf("face  selected %d pressed %d checked %d popuped %d enabled %d -> %s\n",
                    c.selected, c.pressed, c.checked, c.popuped, c.enabled,
                    face >= kNone && face <= kChecker ? FaceName(face) : "unrecognised");
        EXPECT_EQ(face, c.face) << "selected " << c.selected << " pressed " << c.pressed
                                << " checked " << c.checked << " popuped " << c.popuped
                                << " enabled " << c.enabled << ": expected "
                                << FaceName(c.face);
    }
}

TEST(DefaultThemeDraw, PopupRowsFillWithHighlightOnlyWhenSelected)
{
    ThemeHolder theme(0);
    for (int selected : {0, 1}) {
        DrawCanvas canvas(40, 30, kPaper);
        theme->DrawRectangle(canvas.dc(), CRect(5, 5, 35, 25), selected, FALSE, TRUE, FALSE,
                             FALSE, PM::kBarTypePopup, PM::kBarPopup);
        EXPECT_EQ(canvas.At(5, 5), selected ? TestColours::k13 : kPaper);
        EXPECT_EQ(canvas.At(34, 24), selected ? TestColours::k13 : kPaper);
        EXPECT_EQ(canvas.At(35, 25), kPaper);
    }
}

TEST(DefaultThemeDraw, DisabledIconIsTwoSilhouettes)
{
    ThemeHolder theme(0);
    CUTKImageManager images;
    CUTKImageManagerIcon* icon = MakeSquareIcon(images, 501);
    ASSERT_NE(icon, nullptr);
    DrawCanvas canvas(40, 40, kPaper);
    theme->DrawImage(canvas.dc(), CPoint(10, 10), CSize(16, 16), icon, FALSE, FALSE, FALSE, FALSE,
                     FALSE, TRUE);
    // The square covers (14..21, 14..21); its highlight copy one pixel lower and further right.
    EXPECT_EQ(canvas.At(14, 14), TestColours::k16);
    EXPECT_EQ(canvas.At(21, 21), TestColours::k16);
    EXPECT_EQ(canvas.At(22, 22), TestColours::k20);
    EXPECT_EQ(canvas.At(22, 15), TestColours::k20);
    EXPECT_EQ(canvas.At(13, 13), kPaper);
    EXPECT_EQ(canvas.At(23, 23), kPaper);
    EXPECT_EQ(canvas.At(10, 10), kPaper);  // the mask colour stays transparent
}

TEST(DefaultThemeDraw, PopupItemRowsArrowAndSplitLine)
{
    ThemeHolder theme(0);
    DrawBar bar(PM::kBarTypePopup, PM::kBarPopup);
    struct Case {
        int type;
        BOOL selected;
        COLORREF text;       // arrow colour
        COLORREF fill;       // right of the icon cell
        COLORREF splitLine;  // at right - 20, or paper when none
    };
    const Case cases[] = {
        {utkControlPopup, TRUE, TestColours::k14, TestColours::k13, 0},
        {utkControlPopup, FALSE, TestColours::k18, kPaper, 0},
        {utkControlSplitButtonPopup, FALSE, TestColours::k18, kPaper, TestColours::k18},
        {utkControlSplitButtonPopup, TRUE, TestColours::k14, TestColours::k13, TestColours::k16},
    };
    for (const Case& c : cases) {
        const CRect rc(0, 0, 150, 24);
        TestControl control(&bar, c.type, L"X", rc);
        control.m_selected = c.selected;
        DrawCanvas canvas(160, 30, kPaper);
        theme->DrawControl(canvas.dc(), &control, TRUE);
        const int cy = 12;
        EXPECT_EQ(canvas.At(rc.right - 8, cy), c.text) << "arrow tip, type " << c.type;
        EXPECT_EQ(canvas.At(rc.right - 11, cy - 3), c.text) << "arrow base, type " << c.type;
        EXPECT_EQ(canvas.At(rc.right - 11, cy + 3), c.text);
        EXPECT_NE(canvas.At(rc.right - 7, cy), c.text);
        EXPECT_EQ(canvas.At(rc.right - 30, 2), c.fill) << "row fill, type " << c.type;
        if (c.splitLine != 0) {
            EXPECT_EQ(canvas.At(rc.right - 20, 5), c.splitLine) << "split line";
            EXPECT_EQ(canvas.At(rc.right - 19, 5), c.fill);
        }
    }
}

TEST(DefaultThemeDraw, ExpandButtonAndExpandItemChevrons)
{
    ThemeHolder theme(0);
    DrawBar toolbar(PM::kBarTypeNormal, PM::kBarTop);
    TestControl expand(&toolbar, utkControlButton, L"", CRect(10, 2, 21, 30));
    BOOL hidden = TRUE;
    DrawCanvas canvas(40, 40, kPaper);
    theme->DrawSpecialControl(canvas.dc(), 0, &expand, &toolbar, TRUE, &hidden);
    const COLORREF ink = TestColours::k18;
    // ">>" from (left + 2, top + 4) through (left + 4, top + 6) to (left + 1, top + 9).
    EXPECT_EQ(canvas.At(12, 6), ink);
    EXPECT_EQ(canvas.At(14, 8), ink);
    EXPECT_EQ(canvas.At(16, 6), ink);  // the copy four pixels right
    // The down triangle around (cx, bottom - 6).
    EXPECT_EQ(canvas.At(15, 23), ink);
    EXPECT_EQ(canvas.At(15, 25), ink);

    DrawCanvas shown(40, 40, kPaper);
    hidden = FALSE;
    theme->DrawSpecialControl(shown.dc(), 0, &expand, &toolbar, TRUE, &hidden);
    EXPECT_EQ(shown.At(12, 6), kPaper);
    EXPECT_EQ(shown.At(15, 23), ink);

    DrawBar popup(PM::kBarTypePopup, PM::kBarPopup);
    TestControl item(&popup, utkControlButton, L"", CRect(0, 10, 40, 22));
    DrawCanvas items(40, 40, kPaper);
    EXPECT_EQ(theme->DrawSpecialControl(items.dc(), 1, &item, &popup, FALSE, nullptr), CSize(0, 12));
    theme->DrawSpecialControl(items.dc(), 1, &item, &popup, TRUE, nullptr);
    const int cx = 20;
    for (int dy : {0, 1, 4, 5}) {
        EXPECT_EQ(items.At(cx - 2, 12 + dy), RGB(0, 0, 0)) << dy;
        EXPECT_EQ(items.At(cx, 14 + dy), RGB(0, 0, 0)) << dy;
    }
    EXPECT_EQ(items.At(cx, 13), kPaper);
}

namespace {

// "&File" drawn by the theme into one canvas and by DrawText into another.
void CompareCaption(CUTKPaintManager* paint, BOOL barCues, int override, LPCWSTR reference,
                    UINT referenceFlags)
{
    DrawBar bar(PM::kBarTypeNormal, PM::kBarTop);
    bar.m_cues = barCues;
    TestControl control(&bar, utkControlButton, L"&File", CRect(0, 0, 60, 20));
    paint->m_nShowKeyboardCues = override;
    DrawCanvas drawn(60, 20, RGB(255, 255, 255));
    DrawCanvas expected(60, 20, RGB(255, 255, 255));
    for (DrawCanvas* canvas : {&drawn, &expected}) {
        ::SelectObject(canvas->hdc(), paint->m_fontRegular.m_hObject);
        ::SetBkMode(canvas->hdc(), TRANSPARENT);
        ::SetTextColor(canvas->hdc(), RGB(0, 0, 0));
    }
    CString caption = L"&File";
    CString plain = caption;
    PM::StripMnemonics(plain);
    paint->DrawControlCaption(drawn.dc(), &control, caption, plain, CRect(0, 0, 60, 20), FALSE,
                              FALSE);
    CRect rc(0, 0, 60, 20);
    ::DrawTextW(expected.hdc(), reference, -1, &rc, referenceFlags);
    int x = -1;
    int y = -1;
    EXPECT_TRUE(SamePixels(drawn, expected, 60, 20, &x, &y))
        << "cues " << barCues << " override " << override << " differs at " << x << "," << y;
    paint->m_nShowKeyboardCues = -1;
}

}  // namespace

TEST(DefaultThemeDraw, CaptionMnemonicsFollowCuesAndOverride)
{
    ThemeHolder theme(0);
    const UINT underline = DT_SINGLELINE | DT_VCENTER;
    const UINT plain = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    CompareCaption(theme.paint, FALSE, -1, L"File", plain);
    CompareCaption(theme.paint, TRUE, -1, L"&File", underline);
    CompareCaption(theme.paint, FALSE, 1, L"&File", underline);
    CompareCaption(theme.paint, TRUE, 0, L"File", plain);
}

TEST(DefaultThemeDraw, DisabledCaptionIsEmbossed)
{
    ThemeHolder theme(0);
    DrawBar bar(PM::kBarTypeNormal, PM::kBarTop);
    TestControl control(&bar, utkControlButton, L"Print", CRect(0, 0, 60, 20));
    control.m_enabled = FALSE;
    DrawCanvas drawn(60, 20, kPaper);
    DrawCanvas expected(60, 20, kPaper);
    for (DrawCanvas* canvas : {&drawn, &expected}) {
        ::SelectObject(canvas->hdc(), theme->m_fontRegular.m_hObject);
        ::SetBkMode(canvas->hdc(), TRANSPARENT);
        ::SetTextColor(canvas->hdc(), TestColours::k17);
    }
    theme->DrawControlCaption(drawn.dc(), &control, L"Print", L"Print", CRect(0, 0, 60, 20), FALSE,
                              FALSE);
    EXPECT_EQ(::GetTextColor(drawn.hdc()), TestColours::k17) << "text colour restored";
    CRect shifted(1, 1, 61, 21);
    ::SetTextColor(expected.hdc(), TestColours::k20);
    ::DrawTextW(expected.hdc(), L"Print", -1, &shifted, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SetTextColor(expected.hdc(), TestColours::k17);
    CRect rc(0, 0, 60, 20);
    ::DrawTextW(expected.hdc(), L"Print", -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    EXPECT_TRUE(SamePixels(drawn, expected, 60, 20));
    EXPECT_GT(CountColour(drawn, CRect(0, 0, 60, 20), TestColours::k20), 0);
}

TEST(DefaultThemeDraw, CaptionSplitsAtTheBlankNearestTheMiddle)
{
    struct Case {
        LPCWSTR caption;
        BOOL split;
        LPCWSTR line1;
        LPCWSTR line2;
    };
    const Case cases[] = {
        {L"Save As", TRUE, L"Save", L"As"},
        {L"Print", FALSE, L"Print", L""},
        {L"Open File Now", TRUE, L"Open", L"File Now"},
        {L"ab c", TRUE, L"ab", L"c"},
        {L"a b", FALSE, L"a b", L""},           // fewer than 4 characters
        {L" Save As", FALSE, L" Save As", L""},  // starts with a blank
        {L"x Properties", FALSE, L"x Properties", L""},  // blank too far from the middle
        {L"Properties ", FALSE, L"Properties ", L""},
        {L"", FALSE, L"", L""},
    };
    for (const Case& c : cases) {
        CString line1;
        CString line2;
        EXPECT_EQ(PM::SplitCaption(c.caption, line1, line2), c.split) << CStringA(c.caption);
        EXPECT_STREQ(line1, c.line1);
        EXPECT_STREQ(line2, c.line2);
    }
}

TEST(DefaultThemeDraw, ShortcutWidensPopupItemByItsWidth)
{
    ThemeHolder theme(0);
    DrawBar bar(PM::kBarTypePopup, PM::kBarPopup);
    TestControl plain(&bar, utkControlButton, L"&Open", CRect(0, 0, 0, 0));
    TestControl withKey(&bar, utkControlButton, L"&Open", CRect(0, 0, 0, 0));
    withKey.SetShortcutText(L"Ctrl+O");
    DrawCanvas canvas(10, 10, kPaper);
    const CSize a = theme->DrawControl(canvas.dc(), &plain, FALSE);
    const CSize b = theme->DrawControl(canvas.dc(), &withKey, FALSE);
    ::SelectObject(canvas.hdc(), theme->m_fontRegular.m_hObject);
    SIZE key = {};
    ::GetTextExtentPoint32W(canvas.hdc(), L"Ctrl+O", 6, &key);
    EXPECT_GT(key.cx, 0);
    EXPECT_EQ(b.cx - a.cx, key.cx);
    EXPECT_EQ(a.cy, b.cy);
}

TEST(DefaultThemeDraw, DrawingLeavesNoGdiObjectAndRestoresTheDc)
{
    ThemeHolder theme(0);
    ThemeHolder native(3);
    CUTKImageManager images;
    CUTKImageManagerIcon* icon = MakeSquareIcon(images, 502);
    DrawBar popup(PM::kBarTypePopup, PM::kBarPopup);
    DrawBar toolbar(PM::kBarTypeNormal, PM::kBarTop);
    TestControl item(&popup, utkControlSplitButtonPopup, L"&Save As", CRect(0, 0, 150, 24));
    item.m_selected = 1;
    item.m_checked = 1;
    TestControl button(&toolbar, utkControlButton, L"&Print", CRect(0, 0, 60, 24));
    button.m_enabled = FALSE;
    DrawCanvas canvas(160, 40, kPaper);
    HDC dc = canvas.hdc();
    ::SetTextColor(dc, RGB(1, 1, 1));
    ::SetBkColor(dc, RGB(2, 2, 2));
    ::SetBkMode(dc, OPAQUE);
    const HGDIOBJ pen = ::GetCurrentObject(dc, OBJ_PEN);
    const HGDIOBJ brush = ::GetCurrentObject(dc, OBJ_BRUSH);
    const HGDIOBJ font = ::GetCurrentObject(dc, OBJ_FONT);
    // Warm up the caches the first drawing fills (fonts, generated images).
    auto drawAll = [&]() {
        theme->DrawControl(canvas.dc(), &item, TRUE);
        theme->DrawControl(canvas.dc(), &button, TRUE);
        theme->DrawRectangle(canvas.dc(), CRect(0, 0, 30, 20), FALSE, FALSE, TRUE, TRUE, FALSE,
                             PM::kBarTypeNormal, PM::kBarTop);
        theme->DrawImage(canvas.dc(), CPoint(0, 0), CSize(16, 16), icon, FALSE, FALSE, FALSE,
                         FALSE, FALSE, TRUE);
        BOOL hidden = TRUE;
        theme->DrawSpecialControl(canvas.dc(), 0, &button, &toolbar, TRUE, &hidden);
        theme->DrawSpecialControl(canvas.dc(), 2, &button, &toolbar, TRUE, nullptr);
        theme->DrawStatusBarGripper(canvas.dc(), CRect(0, 0, 40, 20));
        native->DrawControl(canvas.dc(), &item, TRUE);
        native->DrawControl(canvas.dc(), &button, TRUE);
        native->DrawSplitButtonFrame(canvas.dc(), &item, CRect(0, 0, 60, 24));
        native->DrawStatusBarGripper(canvas.dc(), CRect(0, 0, 40, 20));
    };
    // GetGuiResources answers 0 under Wine, so leaks are seen through the handle table
    // instead: objects made and deleted leave the free slots as they were, so the next
    // object made lands in the same slot after every round; a leaked one keeps its slot
    // and moves the next object elsewhere.
    auto probeSlot = []() {
        HBRUSH probe = ::CreateSolidBrush(RGB(9, 9, 9));
        const WORD slot = LOWORD(reinterpret_cast<UINT_PTR>(probe));
        ::DeleteObject(probe);
        return slot;
    };
    drawAll();
    drawAll();
    const WORD slot = probeSlot();
    for (int i = 0; i < 5; ++i) {
        drawAll();
        EXPECT_EQ(probeSlot(), slot) << "round " << i;
    }
    // The probe sees a leak: one brush kept makes the next object land elsewhere.
    HBRUSH kept = ::CreateSolidBrush(RGB(8, 8, 8));
    drawAll();
    EXPECT_NE(probeSlot(), slot);
    ::DeleteObject(kept);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(::GetBkColor(dc), RGB(2, 2, 2));
    EXPECT_EQ(::GetTextColor(dc), RGB(1, 1, 1));
    EXPECT_EQ(::GetBkMode(dc), OPAQUE);
}

TEST(DefaultThemeDraw, PopupItemMeasuresItsWholeCaption)
{
    // Drawn captions end in an ellipsis when they do not fit; measuring must not fit them to
    // the empty rectangle it starts from.
    ThemeHolder theme(0);
    DrawBar bar(PM::kBarTypePopup, PM::kBarPopup);
    DrawCanvas canvas(10, 10, kPaper);
    ::SelectObject(canvas.hdc(), theme->m_fontRegular.m_hObject);
    const int gutter = theme->GetPopupBarGripperWidth(&bar) - 1;
    for (LPCWSTR caption : {L"Bookmarks", L"Show Video Window", L"W"}) {
        TestControl item(&bar, utkControlButton, caption, CRect(0, 0, 0, 0));
        SIZE text = {};
        ::GetTextExtentPoint32W(canvas.hdc(), caption, lstrlenW(caption), &text);
        const CSize size = theme->DrawControl(canvas.dc(), &item, FALSE);
        EXPECT_EQ(size.cx, text.cx + theme->m_nTextGap + gutter + 32) << CStringA(caption);
        EXPECT_EQ(size.cy, theme->GetPopupBarImageSize(&bar).cy);
    }
}
