// The Native XP theme against the visual-style parts drawn by the test itself through
// uxtheme into a reference DC (toolbar button states, split buttons, popup-menu parts), and in
// the classic run (uxtheme off) against the Default theme pixel for pixel. Also status-bar
// panes, switches and grippers and message-bar buttons drawn from their records, and the bar
// fills and grippers that read a client rectangle, on bar windows made with CreateEx.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/common/ThemeRun.h"
#include "tests/toolkit/themes/ThemeDrawDoubles.h"
#include "tests/toolkit/themes/UxThemeReference.h"
#include "toolkit/themes/CUTKNativeXPTheme.h"
#include "toolkit/themes/StatusBarRecords.h"

using orvane::test::ClassicRun;
using orvane::test::CountColour;
using orvane::test::DrawBar;
using orvane::test::DrawCanvas;
using orvane::test::SamePixels;
using orvane::test::TestColours;
using orvane::test::TestControl;
using orvane::test::ThemeHolder;
using orvane::test::UxThemeReference;
using PM = CUTKPaintManager;

namespace {

constexpr COLORREF kPaper = RGB(1, 2, 3);

CUTKNativeXPTheme* Native(ThemeHolder& holder)
{
    return static_cast<CUTKNativeXPTheme*>(holder.paint);
}

}  // namespace

TEST(NativeThemeDraw, ThemedOnlyWithVisualStyles)
{
    ThemeHolder theme(3);
    EXPECT_EQ(theme->GetBaseTheme(), 3);
    EXPECT_EQ(Native(theme)->IsThemed(), ClassicRun() ? FALSE : TRUE);
    EXPECT_EQ(Native(theme)->IsMenuThemeActive(), ClassicRun() ? FALSE : TRUE);
    // Flags the theme sets whether or not styles are active.
    EXPECT_TRUE(theme->GetIconDrawOptions()->bUseFadedIcons);
    EXPECT_TRUE(theme->m_bBoldCheckMarks);
    EXPECT_TRUE(theme->m_bPopupItemHighlightStyle);
    EXPECT_TRUE(theme->m_bThemedStatusBar);
    EXPECT_EQ(Native(theme)->m_nHighlightedTextColorIndex, COLOR_MENUTEXT);
}

TEST(NativeThemeDraw, ToolbarButtonStatesEqualTheVisualStyleParts)
{
    if (ClassicRun()) {
        GTEST_SKIP() << "visual styles are off in this run";
    }
    ThemeHolder theme(3);
    UxThemeReference toolbar(L"TOOLBAR");
    ASSERT_TRUE(toolbar.IsOpen());
    struct Case {
        int selected, pressed, enabled, checked, popuped;
        int state;
    };
    const Case cases[] = {
        {0, 0, 1, 0, 0, 1}, {1, 0, 1, 0, 0, 2}, {1, 1, 1, 0, 0, 3}, {0, 2, 1, 0, 0, 3},
        {0, 0, 1, 0, 1, 3}, {0, 0, 1, 1, 0, 5}, {1, 0, 1, 1, 0, 6}, {0, 0, 0, 0, 0, 4},
        {0, 0, 0, 1, 0, 3},
        // Indeterminate and enabled counts as unchecked.
        {0, 0, 1, 2, 0, 1}, {1, 0, 1, 2, 0, 2}, {1, 1, 1, 2, 0, 3},
    };
    const CRect rc(2, 2, 30, 26);
    int painted = 0;
    for (const Case& c : cases) {
        DrawCanvas drawn(32, 28, kPaper);
        DrawCanvas expected(32, 28, kPaper);
        theme->DrawRectangle(drawn.dc(), rc, c.selected, c.pressed, c.enabled, c.checked,
                             c.popuped, PM::kBarTypeNormal, PM::kBarTop);
        ASSERT_TRUE(toolbar.Draw(expected.hdc(), 1, c.state, rc));
        painted += CountColour(expected, CRect(0, 0, 32, 28), kPaper) < 32 * 28 ? 1 : 0;
        int x = 0;
        int y = 0;
        EXPECT_TRUE(SamePixels(drawn, expected, 32, 28, &x, &y))
            << "state " << c.state << " (selected " << c.selected << " pressed " << c.pressed
            << " enabled " << c.enabled << " checked " << c.checked << ") differs at " << x
            << "," << y;
        EXPECT_EQ(CUTKNativeXPTheme::ToolbarButtonState(c.selected, c.pressed, c.enabled,
                                                         c.checked, c.popuped),
                  c.state);
    }
    EXPECT_GE(painted, 6) << "the hot, pressed and checked states paint something";
}

TEST(NativeThemeDraw, SplitButtonDropDownIsTheRightmostTwelvePixelsAlsoWithCaptionBelow)
{
    if (ClassicRun()) {
        GTEST_SKIP() << "visual styles are off in this run";
    }
    ThemeHolder theme(3);
    UxThemeReference toolbar(L"TOOLBAR");
    DrawBar bar(PM::kBarTypeNormal, PM::kBarTop);
    for (int style : {utkButtonIcon, utkButtonIconAndCaptionBelow}) {
        TestControl split(&bar, utkControlSplitButtonPopup, L"Go", CRect(0, 0, 60, 50));
        split.SetStyle(style);
        split.m_selected = 1;
        DrawCanvas drawn(64, 54, kPaper);
        DrawCanvas expected(64, 54, kPaper);
        theme->DrawSplitButtonFrame(drawn.dc(), &split, CRect(0, 0, 60, 50));
        toolbar.Draw(expected.hdc(), 3, 2, CRect(0, 0, 48, 50));
        toolbar.Draw(expected.hdc(), 4, 2, CRect(48, 0, 60, 50));
        EXPECT_LT(CountColour(expected, CRect(48, 0, 60, 50), kPaper), 12 * 50);
        EXPECT_TRUE(SamePixels(drawn, expected, 64, 54)) << "style " << style;
    }
}

TEST(NativeThemeDraw, PopupMenuPartsEqualTheVisualStyleParts)
{
    if (ClassicRun()) {
        GTEST_SKIP() << "visual styles are off in this run";
    }
    ThemeHolder theme(3);
    UxThemeReference menu(L"MENU");
    ASSERT_TRUE(menu.IsOpen());
    const CRect rc(2, 2, 90, 24);
    struct Case {
        const char* name;
        int part;
        int state;
    };
    const Case cases[] = {{"item", 14, 2}, {"check background", 12, 2}, {"gutter", 13, 0},
                          {"check mark", 11, 1}, {"radio dot", 11, 3}, {"disabled check", 11, 2}};
    for (const Case& c : cases) {
        DrawCanvas drawn(100, 30, kPaper);
        DrawCanvas expected(100, 30, kPaper);
        const std::string name = c.name;
        if (name == "item") {
            theme->DrawRectangle(drawn.dc(), rc, TRUE, FALSE, TRUE, FALSE, FALSE,
                                 PM::kBarTypePopup, PM::kBarPopup);
        } else if (name == "check background") {
            theme->DrawRectangle(drawn.dc(), rc, FALSE, FALSE, TRUE, TRUE, FALSE,
                                 PM::kBarTypePopup, PM::kBarPopup);
        } else if (name == "gutter") {
            theme->DrawPopupBarGutter(drawn.dc(), rc.left, rc.top, rc.Width(), rc.Height(), FALSE);
        } else if (name == "check mark") {
            theme->DrawCheckMark(drawn.dc(), rc, TRUE, 0);
        } else if (name == "radio dot") {
            theme->DrawRadioDot(drawn.dc(), rc, TRUE, 0);
        } else {
            theme->DrawCheckMark(drawn.dc(), rc, FALSE, 0);
        }
        menu.Draw(expected.hdc(), c.part, c.state, rc);
        EXPECT_LT(CountColour(expected, CRect(0, 0, 100, 30), kPaper), 100 * 30) << c.name;
        EXPECT_TRUE(SamePixels(drawn, expected, 100, 30)) << c.name;
    }

    // The separator sits above its control, after the gutter.
    DrawBar popup(PM::kBarTypePopup, PM::kBarPopup);
    TestControl item(&popup, utkControlButton, L"Exit", CRect(3, 40, 150, 62));
    DrawCanvas drawn(160, 70, kPaper);
    DrawCanvas expected(160, 70, kPaper);
    theme->DrawCommandBarSeparator(drawn.dc(), &popup, &item, TRUE);
    const int gutter = theme->GetPopupBarGripperWidth(&popup);
    menu.Draw(expected.hdc(), 15, 0, CRect(3 + gutter, 32, 150, 38));
    EXPECT_TRUE(SamePixels(drawn, expected, 160, 70));
}

TEST(NativeThemeDraw, ClassicRunEqualsTheDefaultThemePixelForPixel)
{
    if (!ClassicRun()) {
        GTEST_SKIP() << "only with visual styles off";
    }
    ThemeHolder native(3);
    ThemeHolder classic(0);
    DrawBar toolbar(PM::kBarTypeNormal, PM::kBarTop);
    DrawBar left(PM::kBarTypeNormal, PM::kBarLeft);
    int compared = 0;
    for (int selected = 0; selected <= 3; ++selected) {
        for (int pressed = 0; pressed <= 2; ++pressed) {
            for (int checked = 0; checked <= 2; ++checked) {
                for (int popuped = 0; popuped <= 1; ++popuped) {
                    for (int enabled = 0; enabled <= 1; ++enabled) {
                        for (int barType : {PM::kBarTypeMenuBar, PM::kBarTypeNormal}) {
                            DrawCanvas a(40, 30, kPaper);
                            DrawCanvas b(40, 30, kPaper);
                            native->DrawRectangle(a.dc(), CRect(5, 5, 35, 25), selected, pressed,
                                                  enabled, checked, popuped, barType, PM::kBarTop);
                            classic->DrawRectangle(b.dc(), CRect(5, 5, 35, 25), selected,
                                                   pressed, enabled, checked, popuped, barType,
                                                   PM::kBarTop);
                            EXPECT_TRUE(SamePixels(a, b, 40, 30));
                            EXPECT_EQ(native->GetRectangleTextColor(selected, pressed, enabled,
                                                                    checked, popuped, barType,
                                                                    PM::kBarTop),
                                      classic->GetRectangleTextColor(selected, pressed, enabled,
                                                                     checked, popuped, barType,
                                                                     PM::kBarTop));
                            ++compared;
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(compared, 4 * 3 * 3 * 2 * 2 * 2);

    // Split buttons, separators and the gutter width.
    TestControl split(&toolbar, utkControlSplitButtonPopup, L"Go", CRect(10, 2, 60, 26));
    split.m_selected = 1;
    split.SetRowRect(CRect(0, 0, 200, 28));
    DrawCanvas a(70, 30, kPaper);
    DrawCanvas b(70, 30, kPaper);
    native->DrawSplitButtonFrame(a.dc(), &split, split.GetRect());
    native->DrawCommandBarSeparator(a.dc(), &toolbar, &split, TRUE);
    classic->DrawSplitButtonFrame(b.dc(), &split, split.GetRect());
    classic->DrawCommandBarSeparator(b.dc(), &toolbar, &split, TRUE);
    EXPECT_TRUE(SamePixels(a, b, 70, 30));
    DrawBar popup(PM::kBarTypePopup, PM::kBarPopup);
    EXPECT_EQ(native->GetPopupBarGripperWidth(&popup), classic->GetPopupBarGripperWidth(&popup));
}

TEST(StatusBarDraw, SwitchesMeasureEighteenPixelsEach)
{
    ThemeHolder theme(0);
    CUTKStatusBar bar;
    CUTKStatusBarPane pane;
    pane.m_pStatusBar = &bar;
    pane.m_switches.resize(3);
    pane.m_switches[1].nWidth = 40;
    EXPECT_EQ(theme->DrawStatusBarSwitchPane(nullptr, CRect(0, 0, 0, 0), &pane), 54);
    for (const UTK_STATUSBAR_SWITCH& item : pane.m_switches) {
        EXPECT_EQ(item.nWidth, 18);
    }
    // Drawn: a checked switch shows the checkerboard face, the others stay paper.
    pane.m_switches[1].bChecked = TRUE;
    DrawCanvas canvas(80, 22, kPaper);
    EXPECT_EQ(theme->DrawStatusBarSwitchPane(canvas.dc(), CRect(0, 0, 80, 22), &pane), 54);
    EXPECT_EQ(canvas.At(9, 10), kPaper);
    EXPECT_EQ(canvas.At(18, 0), TestColours::k16);  // sunken frame of the second switch
    EXPECT_EQ(canvas.At(35, 21), TestColours::k20);
    EXPECT_EQ(canvas.At(45, 10), kPaper);
}

TEST(StatusBarDraw, ClassicGripperLinesAndThemedStatusParts)
{
    {
        ThemeHolder theme(0);
        DrawCanvas canvas(60, 22, kPaper);
        theme->DrawStatusBarGripper(canvas.dc(), CRect(0, 0, 60, 22));
        const int w = 60;
        const int h = 22;
        for (int o : {0, 4, 8}) {
            EXPECT_EQ(canvas.At(w - o - 3, h - 2), TestColours::k16) << o;
            EXPECT_EQ(canvas.At(w - o - 4, h - 2), TestColours::k16) << o;
            EXPECT_EQ(canvas.At(w - o - 5, h - 2), TestColours::k20) << o;
        }
        EXPECT_EQ(canvas.At(w - 1, h - 1), kPaper);
        EXPECT_EQ(canvas.At(30, 5), kPaper);
    }
    ThemeHolder native(3);
    DrawCanvas drawn(60, 22, kPaper);
    DrawCanvas expected(60, 22, kPaper);
    native->DrawStatusBarGripper(drawn.dc(), CRect(0, 0, 60, 22));
    CUTKStatusBarPane pane;
    native->DrawStatusBarPaneBorder(drawn.dc(), CRect(0, 0, 30, 22), &pane, FALSE);
    if (ClassicRun()) {
        EXPECT_EQ(drawn.At(57, 20), TestColours::k16);
        EXPECT_EQ(drawn.At(0, 0), TestColours::k16);  // sunken pane border
        return;
    }
    UxThemeReference status(L"STATUS");
    ASSERT_TRUE(status.IsOpen());
    status.Draw(expected.hdc(), 3, 0, CRect(42, 0, 60, 22));
    status.Draw(expected.hdc(), 1, 0, CRect(0, 0, 30, 22));
    EXPECT_TRUE(SamePixels(drawn, expected, 60, 22));
}

TEST(StatusBarDraw, PaneTextColourByState)
{
    ThemeHolder theme(0);
    theme->m_clrStatusTextColor = TestColours::k18;
    CUTKStatusBar bar;
    struct Case {
        BOOL enabled;
        COLORREF own;
        BOOL drawDisabled;
        COLORREF ink;  // 0: no text
    };
    const Case cases[] = {
        {TRUE, static_cast<COLORREF>(-1), FALSE, TestColours::k18},
        {TRUE, RGB(200, 0, 0), FALSE, RGB(200, 0, 0)},
        {FALSE, RGB(200, 0, 0), TRUE, TestColours::k17},
        {FALSE, RGB(200, 0, 0), FALSE, 0},
    };
    for (const Case& c : cases) {
        CUTKStatusBarPane pane;
        pane.m_pStatusBar = &bar;
        pane.m_bEnabled = c.enabled;
        pane.m_clrText = c.own;
        pane.m_strText = L"Ready";
        bar.m_bDrawDisabledText = c.drawDisabled;
        DrawCanvas canvas(80, 20, kPaper);
        ::SelectObject(canvas.hdc(), theme->m_fontRegular.m_hObject);
        theme->DrawStatusBarPane(canvas.dc(), CRect(0, 0, 80, 20), &pane);
        const CRect all(0, 0, 80, 20);
        if (c.ink == 0) {
            EXPECT_EQ(CountColour(canvas, all, kPaper), 80 * 20);
        } else {
            EXPECT_GT(CountColour(canvas, all, c.ink), 5);
            for (COLORREF other : {TestColours::k18, TestColours::k17, RGB(200, 0, 0)}) {
                if (other != c.ink) {
                    EXPECT_EQ(CountColour(canvas, all, other), 0);
                }
            }
        }
    }
    // A pane with its own background fills one pixel inside.
    CUTKStatusBarPane filled;
    filled.m_pStatusBar = &bar;
    filled.m_clrBackground = RGB(0, 200, 0);
    DrawCanvas canvas(40, 20, kPaper);
    theme->DrawStatusBarPane(canvas.dc(), CRect(0, 0, 40, 20), &filled);
    EXPECT_EQ(canvas.At(0, 0), kPaper);
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 200, 0));
    EXPECT_EQ(canvas.At(38, 18), RGB(0, 200, 0));
    EXPECT_EQ(canvas.At(39, 19), kPaper);
}

TEST(MessageBarDraw, ButtonsFromTheirRecords)
{
    ThemeHolder theme(0);
    CUTKMessageBar bar;
    bar.m_rcClient = CRect(0, 0, 300, 40);
    bar.m_rcPadding = CRect(4, 3, 4, 3);
    bar.m_buttons.resize(2);
    bar.m_buttons[0].m_nID = 100;
    bar.m_buttons[0].m_rcButton = CRect(10, 10, 60, 30);
    bar.m_buttons[1].m_nID = SC_CLOSE;
    bar.m_buttons[1].m_rcButton = CRect(270, 10, 290, 30);
    EXPECT_EQ(bar.GetMessageRect(), CRect(4, 3, 278, 37));
    EXPECT_EQ(bar.FindButton(SC_CLOSE), &bar.m_buttons[1]);
    EXPECT_EQ(bar.FindButton(7), nullptr);

    struct Case {
        BOOL hot;
        BOOL pressed;
        COLORREF topLeft;
        COLORREF bottomRight;
    };
    const Case cases[] = {{FALSE, FALSE, TestColours::k16, TestColours::k16},
                          {TRUE, FALSE, TestColours::k20, TestColours::k16},
                          {TRUE, TRUE, TestColours::k16, TestColours::k20}};
    for (const Case& c : cases) {
        bar.m_buttons[0].m_bHot = c.hot;
        bar.m_buttons[0].m_bPressed = c.pressed;
        DrawCanvas canvas(300, 40, kPaper);
        theme->DrawMessageBarButton(canvas.dc(), &bar.m_buttons[0]);
        EXPECT_EQ(canvas.At(10, 10), c.topLeft);
        EXPECT_EQ(canvas.At(59, 29), c.bottomRight);
        EXPECT_EQ(canvas.At(30, 20), TestColours::k15);
    }
    // The idle close button draws only its cross, with the DC's pen.
    DrawCanvas canvas(300, 40, kPaper);
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(200, 0, 0));
    HGDIOBJ old = ::SelectObject(canvas.hdc(), pen);
    theme->DrawMessageBarButton(canvas.dc(), &bar.m_buttons[1]);
    ::SelectObject(canvas.hdc(), old);
    ::DeleteObject(pen);
    const int cx = 280;
    const int cy = 20;
    EXPECT_EQ(canvas.At(cx - 4, cy - 3), RGB(200, 0, 0));
    EXPECT_EQ(canvas.At(cx - 4, cy + 3), RGB(200, 0, 0));
    EXPECT_EQ(canvas.At(cx, cy), RGB(200, 0, 0));
    EXPECT_EQ(canvas.At(270, 10), kPaper);
}

namespace {

// A bar window of the given size made with CreateEx, its client area drawn by the slots.
class WindowBar : public DrawBar {
public:
    WindowBar(int type, int position, int cx, int cy) : DrawBar(type, position)
    {
        static ATOM atom = 0;
        if (atom == 0) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = ::DefWindowProcW;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"OrvaneThemeDrawBar";
            atom = ::RegisterClassW(&wc);
        }
        CreateEx(0, L"OrvaneThemeDrawBar", L"Bar", WS_POPUP, CRect(0, 0, cx, cy), nullptr, 0);
    }
    ~WindowBar() override
    {
        if (GetSafeHwnd() != nullptr) {
            DestroyWindow();
        }
    }
};

}  // namespace

TEST(BarWindowDraw, DefaultFillGripperAndFloatingCaption)
{
    ThemeHolder theme(0);
    {
        WindowBar bar(PM::kBarTypeNormal, PM::kBarFloating, 120, 40);
        ASSERT_NE(bar.GetSafeHwnd(), nullptr);
        bar.SetTitle(L"Tools");
        DrawCanvas canvas(120, 40, kPaper);
        theme->FillCommandBarEntry(canvas.dc(), &bar);
        EXPECT_EQ(canvas.At(0, 0), TestColours::k15);
        EXPECT_EQ(canvas.At(119, 39), TestColours::k21);
        EXPECT_EQ(canvas.At(1, 1), TestColours::k20);
        EXPECT_EQ(canvas.At(118, 38), TestColours::k16);
        EXPECT_EQ(canvas.At(60, 20), TestColours::k15);
        const CSize caption = theme->DrawCommandBarGripper(canvas.dc(), &bar, TRUE);
        EXPECT_EQ(caption.cx, 120 - 6);
        EXPECT_EQ(canvas.At(4, 4), TestColours::k2);  // floating caption colour 2
    }
    {
        WindowBar bar(PM::kBarTypeNormal, PM::kBarTop, 200, 28);
        DrawCanvas canvas(200, 28, kPaper);
        EXPECT_EQ(theme->DrawCommandBarGripper(canvas.dc(), &bar, TRUE), CSize(6, 0));
        EXPECT_EQ(canvas.At(3, 3), TestColours::k20);
        EXPECT_EQ(canvas.At(5, 24), TestColours::k16);
        EXPECT_EQ(canvas.At(3, 25), kPaper);
    }
}

TEST(BarWindowDraw, NativeFillUsesTheVisualStyleParts)
{
    ThemeHolder theme(3);
    WindowBar popup(PM::kBarTypePopup, PM::kBarPopup, 120, 80);
    DrawCanvas drawn(120, 80, kPaper);
    theme->FillCommandBarEntry(drawn.dc(), &popup);
    DrawCanvas expected(120, 80, kPaper);
    if (ClassicRun()) {
        ThemeHolder classic(0);
        classic->FillCommandBarEntry(expected.dc(), &popup);
    } else {
        UxThemeReference menu(L"MENU");
        menu.Draw(expected.hdc(), 10, 0, CRect(0, 0, 120, 80));
        menu.Draw(expected.hdc(), 9, 0, CRect(3, 3, 117, 77));
    }
    EXPECT_TRUE(SamePixels(drawn, expected, 120, 80));
}

TEST(BarWindowDraw, ClassicRunFillsAndGrippersEqualTheDefaultTheme)
{
    if (!ClassicRun()) {
        GTEST_SKIP() << "only with visual styles off";
    }
    ThemeHolder native(3);
    ThemeHolder classic(0);
    const struct {
        int type;
        int position;
        int cx;
        int cy;
    } bars[] = {{PM::kBarTypeNormal, PM::kBarTop, 200, 28},
                {PM::kBarTypeNormal, PM::kBarLeft, 28, 200},
                {PM::kBarTypeNormal, PM::kBarFloating, 120, 50},
                {PM::kBarTypePopup, PM::kBarPopup, 120, 80},
                {PM::kBarTypeMenuBar, PM::kBarTop, 200, 22}};
    for (const auto& b : bars) {
        WindowBar bar(b.type, b.position, b.cx, b.cy);
        bar.SetTitle(L"Tools");
        DrawCanvas a(b.cx, b.cy, kPaper);
        DrawCanvas c(b.cx, b.cy, kPaper);
        native->FillCommandBarEntry(a.dc(), &bar);
        classic->FillCommandBarEntry(c.dc(), &bar);
        EXPECT_EQ(native->DrawCommandBarGripper(a.dc(), &bar, TRUE),
                  classic->DrawCommandBarGripper(c.dc(), &bar, TRUE));
        EXPECT_TRUE(SamePixels(a, c, b.cx, b.cy)) << "position " << b.position;
    }
}

TEST(BarWindowDraw, DialogBarGripperAndThemedFloatingCaption)
{
    ThemeHolder classic(0);
    WindowBar dialog(PM::kBarTypeNormal, PM::kBarTop, 200, 30);
    dialog.m_dialogBar = TRUE;
    classic->m_nTextHeight = 16;
    EXPECT_EQ(classic->DrawCommandBarGripper(nullptr, &dialog, FALSE), CSize(6, 22));
    classic->m_nTextHeight = 20;
    EXPECT_EQ(classic->DrawCommandBarGripper(nullptr, &dialog, FALSE), CSize(6, 24));

    if (ClassicRun()) {
        return;
    }
    // The themed floating caption is drawn three pixels taller than the height it reports.
    ThemeHolder native(3);
    WindowBar floating(PM::kBarTypeNormal, PM::kBarFloating, 120, 60);
    DrawCanvas drawn(120, 60, kPaper);
    const CSize caption = native->DrawCommandBarGripper(drawn.dc(), &floating, TRUE);
    EXPECT_EQ(caption.cx, 120);
    EXPECT_GE(caption.cy, 15);
    DrawCanvas expected(120, 60, kPaper);
    UxThemeReference window(L"WINDOW");
    window.Draw(expected.hdc(), 2, 1, CRect(0, 0, 120, caption.cy + 3));
    EXPECT_TRUE(SamePixels(drawn, expected, 120, 60));
}

TEST(BarWindowDraw, PrintClientDrawsFillGripperAndCaptionThroughThePaintManager)
{
    for (int number : {0, 3}) {
        ThemeHolder theme(number);
        for (int position : {PM::kBarFloating, PM::kBarTop}) {
            WindowBar bar(PM::kBarTypeNormal, position, 160, position == PM::kBarTop ? 28 : 60);
            bar.SetTitle(L"Tools");
            bar.SetBarStyle(utkBarStyleGripper);
            theme.paint->InternalAddRef();  // the bar releases the reference it is given
            bar.SetPaintManager(theme.paint);
            CRect client;
            bar.GetClientRect(&client);
            DrawCanvas printed(client.Width(), client.Height(), kPaper);
            DrawCanvas expected(client.Width(), client.Height(), kPaper);
            bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.hdc()),
                            PRF_CLIENT);
            theme->FillCommandBarEntry(expected.dc(), &bar);
            theme->DrawCommandBarGripper(expected.dc(), &bar, TRUE);
            EXPECT_LT(CountColour(printed, client, kPaper), client.Width() * client.Height());
            EXPECT_TRUE(SamePixels(printed, expected, client.Width(), client.Height()))
                << "theme " << number << " position " << position;
            bar.SetPaintManager(nullptr);
        }
    }
}

TEST(NativeThemeDraw, RebarBackgroundAndToolbarTextColours)
{
    ThemeHolder theme(3);
    CUTKNativeXPTheme* native = Native(theme);
    WindowBar bar(PM::kBarTypeNormal, PM::kBarTop, 150, 26);
    DrawCanvas drawn(150, 26, kPaper);
    DrawCanvas expected(150, 26, kPaper);
    native->FillRebarBackground(drawn.dc(), &bar, nullptr);
    if (ClassicRun()) {
        expected.Fill(TestColours::k15);
    } else {
        UxThemeReference rebar(L"REBAR");
        rebar.Draw(expected.hdc(), 0, 0, CRect(0, 0, 150, 26));
    }
    EXPECT_TRUE(SamePixels(drawn, expected, 150, 26));

    // Hot and pressed toolbar text takes the style's colours of those states when it has them.
    COLORREF hot = TestColours::k18;
    COLORREF pressed = TestColours::k18;
    if (!ClassicRun()) {
        UxThemeReference toolbar(L"TOOLBAR");
        COLORREF color = 0;
        if (toolbar.Color(1, 2, 3803, &color)) {
            hot = color;
        }
        if (toolbar.Color(1, 3, 3803, &color)) {
            pressed = color;
        }
    }
    EXPECT_EQ(native->GetRectangleTextColor(TRUE, FALSE, TRUE, FALSE, FALSE, PM::kBarTypeNormal,
                                            PM::kBarTop),
              hot);
    EXPECT_EQ(native->GetRectangleTextColor(TRUE, TRUE, TRUE, FALSE, FALSE, PM::kBarTypeNormal,
                                            PM::kBarTop),
              pressed);
    EXPECT_EQ(native->GetRectangleTextColor(TRUE, TRUE, FALSE, FALSE, FALSE, PM::kBarTypeNormal,
                                            PM::kBarTop),
              TestColours::k17);
    // Popup items at the popup position: menu text, grey when disabled.
    if (!ClassicRun()) {
        EXPECT_EQ(native->GetRectangleTextColor(TRUE, FALSE, TRUE, FALSE, FALSE,
                                                PM::kBarTypePopup, PM::kBarPopup),
                  TestColours::k7);
    }
    EXPECT_EQ(native->GetRectangleTextColor(FALSE, FALSE, FALSE, FALSE, FALSE, PM::kBarTypePopup,
                                            PM::kBarPopup),
              TestColours::k17);
}
