// The control collection's layouts in a real bar with fixed-size controls (the paint manager
// gives the separator), and the custom control hosting a window in a toolbar: its size with
// borders, the window's place by GetWindowRect, enabling and the vertical options.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/framework/window/CDC.h"
#include "tests/toolkit/controls/ControlBarHost.h"
#include "toolkit/controls/CUTKControlButton.h"
#include "toolkit/controls/CUTKControlCustom.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <string>

using orvane::test::BarWindow;
using orvane::test::ControlSite;
using orvane::test::DrainMessages;

namespace {

class FixedControl : public CUTKControlButton {
public:
    explicit FixedControl(CSize size) : m_size(size) {}
    CSize GetSize(CDC*) override { return m_size; }
    CSize m_size;
};

// A memory DC compatible with the screen, as layouts use.
class ScreenDC {
public:
    ScreenDC()
    {
        HDC screen = ::GetDC(nullptr);
        m_hdc = ::CreateCompatibleDC(screen);
        ::ReleaseDC(nullptr, screen);
        m_dc = CDC::FromHandle(m_hdc);
    }
    ~ScreenDC() { ::DeleteDC(m_hdc); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    CDC* Get() const { return m_dc; }

private:
    HDC m_hdc = nullptr;
    CDC* m_dc = nullptr;
};

FixedControl* Add(const BarWindow& bar, int cx, int cy, BOOL group = FALSE, DWORD flags = 0)
{
    auto* control = new FixedControl(CSize(cx, cy));
    bar.Controls()->InsertAt(control);
    control->SetID(1000 + bar.Controls()->GetCount());
    control->SetBeginGroup(group);
    control->SetFlags(flags);
    return control;
}

std::string Str(const CRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

constexpr DWORD kDockCommit = CUTKControls::kLayoutHorzDock | CUTKControls::kLayoutCommit;

} // namespace

TEST(ControlBarLayout, AllHiddenIsBordersAround23By22)
{
    ControlSite site;
    BarWindow bar(site);
    Add(bar, 30, 22)->SetVisible(FALSE);
    Add(bar, 40, 22)->SetVisible(FALSE);
    ScreenDC dc;
    DWORD flags = kDockCommit;
    const CSize size = bar.Controls()->CalcToolBarLayout(dc.Get(), 400, flags, CRect(2, 3, 2, 3));
    EXPECT_EQ(size, CSize(27, 28));
    EXPECT_EQ(flags & CUTKControls::kLayoutResultDidNotFit, 0u);
}

TEST(ControlBarLayout, WrapsBeforeTheGroupAndCommits)
{
    ControlSite site;
    BarWindow bar(site);
    ScreenDC dc;
    const CSize separator =
        bar.m_bar->GetPaintManager()->DrawCommandBarSeparator(dc.Get(), bar.m_bar, nullptr, FALSE);
    for (int i = 0; i < 5; ++i) {
        Add(bar, 20, 22, i == 2);
    }
    DWORD flags = kDockCommit;
    const int length = 4 * 20 + separator.cx + 2; // four controls and the group gap, borders 1
    const CSize size = bar.Controls()->CalcToolBarLayout(dc.Get(), length, flags, CRect(1, 1, 1, 1));
    EXPECT_NE(flags & CUTKControls::kLayoutResultDidNotFit, 0u);
    const BOOL wraps[] = {FALSE, FALSE, TRUE, FALSE, FALSE};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bar.Controls()->GetAt(i)->GetWrap(), wraps[i]) << "control " << i;
    }
    EXPECT_EQ(Str(bar.Controls()->GetAt(0)->GetRect()), "1,1,21,23");
    EXPECT_EQ(Str(bar.Controls()->GetAt(2)->GetRect()),
              Str(CRect(1, 23 + separator.cy, 21, 45 + separator.cy)));
    EXPECT_EQ(size, CSize(2 + 60, 2 + 44 + separator.cy));
    EXPECT_EQ(Str(bar.Controls()->GetAt(4)->GetRowRect()),
              Str(CRect(1, 23 + separator.cy, 61, 45 + separator.cy)));
}

TEST(ControlBarLayout, HiddenControlsGetHideFlag2AndLoseItAgain)
{
    ControlSite site;
    BarWindow bar(site);
    for (int i = 0; i < 4; ++i) {
        Add(bar, 30, 22);
    }
    ScreenDC dc;
    DWORD flags = kDockCommit | CUTKControls::kLayoutHideWrap;
    bar.Controls()->CalcToolBarLayout(dc.Get(), 70, flags, CRect(0, 0, 0, 0));
    EXPECT_NE(flags & CUTKControls::kLayoutResultDidNotFit, 0u);
    const DWORD expected[] = {0, 0, utkHideWrap, utkHideWrap};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bar.Controls()->GetAt(i)->GetHideFlags(), expected[i]) << "control " << i;
    }
    EXPECT_TRUE(bar.m_bar->IsControlsHidden());
    flags = kDockCommit | CUTKControls::kLayoutHideWrap;
    bar.Controls()->CalcToolBarLayout(dc.Get(), 400, flags, CRect(0, 0, 0, 0));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bar.Controls()->GetAt(i)->GetHideFlags(), 0u) << "control " << i;
    }
    EXPECT_EQ(Str(bar.Controls()->GetAt(3)->GetRect()), "90,0,120,22");
}

TEST(ControlBarLayout, TwoStretchedControlsShareElevenPixelsAsFiveAndSix)
{
    ControlSite site;
    BarWindow bar(site);
    Add(bar, 20, 22, FALSE, utkFlagControlStretched);
    Add(bar, 20, 22);
    Add(bar, 20, 22, FALSE, utkFlagControlStretched);
    ScreenDC dc;
    DWORD flags = kDockCommit | CUTKControls::kLayoutStretch;
    const CSize size = bar.Controls()->CalcToolBarLayout(dc.Get(), 71, flags, CRect(0, 0, 0, 0));
    EXPECT_EQ(size.cx, 71);
    EXPECT_EQ(bar.Controls()->GetAt(0)->GetRect().Width(), 25);
    EXPECT_EQ(Str(bar.Controls()->GetAt(1)->GetRect()), "25,0,45,22");
    EXPECT_EQ(Str(bar.Controls()->GetAt(2)->GetRect()), "45,0,71,22");
}

TEST(ControlBarLayout, PopupClipsItemsToAThirdOfTheWorkArea)
{
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    const int third = work.right / 3;
    ControlSite site;
    BarWindow bar(site, utkBarTypePopup, utkBarPopup);
    Add(bar, third + 100, 22);
    Add(bar, 50, 22);
    ScreenDC dc;
    const CSize size = bar.Controls()->CalcPopupLayout(dc.Get(), 0, 0, CRect(2, 2, 2, 2));
    EXPECT_EQ(size, CSize(4 + third, 4 + 44));
    EXPECT_EQ(bar.Controls()->GetAt(0)->GetRect().Width(), third);
    EXPECT_EQ(bar.Controls()->GetAt(1)->GetRect().Width(), third);
}

TEST(ControlBarLayout, PopupHeightLimitStartsAColumnAndClearsLayoutHiding)
{
    ControlSite site;
    BarWindow bar(site, utkBarTypePopup, utkBarPopup);
    for (int i = 0; i < 5; ++i) {
        Add(bar, 60, 22);
    }
    bar.Controls()->GetAt(1)->SetHideFlags(utkHideDynamic);
    ScreenDC dc;
    const CSize size = bar.Controls()->CalcPopupLayout(dc.Get(), 70, 0, CRect(1, 1, 1, 1));
    EXPECT_EQ(bar.Controls()->GetAt(1)->GetHideFlags(), 0u);
    // Three items fit above 70 - 1; the fourth starts the second column.
    EXPECT_FALSE(bar.Controls()->GetAt(2)->GetWrap());
    EXPECT_TRUE(bar.Controls()->GetAt(3)->GetWrap());
    EXPECT_EQ(Str(bar.Controls()->GetAt(3)->GetRect()), "61,1,121,23");
    EXPECT_EQ(size, CSize(2 + 120, 2 + 66));
}

TEST(CustomControl, HostsItsWindowInsideTheBorders)
{
    ControlSite site;
    BarWindow bar(site);
    HWND hosted = ::CreateWindowExW(0, L"STATIC", L"level", WS_POPUP, 0, 0, 100, 20, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hosted, nullptr);
    Add(bar, 30, 22);
    auto* custom = new CUTKControlCustom();
    bar.Controls()->InsertAt(custom);
    custom->SetControl(hosted);
    custom->SetSize(CSize(100, 20));
    custom->SetBorders(2, 1, 2, 1);
    ScreenDC dc;
    DWORD flags = kDockCommit;
    bar.Controls()->CalcToolBarLayout(dc.Get(), 400, flags, CRect(0, 0, 0, 0));
    const CRect rc = custom->GetRect();
    EXPECT_EQ(rc.Size(), CSize(104, 22));
    EXPECT_EQ(::GetParent(hosted), bar.Hwnd());
    EXPECT_NE(::GetWindowLongPtrW(hosted, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(::GetWindowLongPtrW(hosted, GWL_STYLE) & static_cast<LONG_PTR>(WS_POPUP), 0);
    EXPECT_TRUE(::IsWindowVisible(hosted));
    RECT window{};
    ::GetWindowRect(hosted, &window);
    ::MapWindowPoints(nullptr, bar.Hwnd(), reinterpret_cast<POINT*>(&window), 2);
    EXPECT_EQ(Str(CRect(window)), Str(CRect(rc.left + 2, rc.top + 1, rc.left + 102, rc.top + 21)));

    custom->SetEnabled(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(hosted));
    custom->SetEnabled(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(hosted));

    // Hidden and shown again: the window follows at the next layout pass.
    custom->SetVisible(FALSE);
    flags = kDockCommit;
    bar.Controls()->CalcToolBarLayout(dc.Get(), 400, flags, CRect(0, 0, 0, 0));
    EXPECT_FALSE(::IsWindowVisible(hosted));
    custom->SetVisible(TRUE);
    flags = kDockCommit;
    bar.Controls()->CalcToolBarLayout(dc.Get(), 400, flags, CRect(0, 0, 0, 0));
    EXPECT_TRUE(::IsWindowVisible(hosted));

    bar.Controls()->Remove(custom);
    EXPECT_FALSE(::IsWindowVisible(hosted)); // removal hides it but leaves it to its owner
    EXPECT_TRUE(::IsWindow(hosted));
    ::DestroyWindow(hosted);
}

TEST(CustomControl, VerticalOptions)
{
    struct Case {
        int option;
        bool placed;
        bool windowShown;
    };
    const Case cases[] = {{0, false, false}, {1, true, true}, {2, true, false}};
    for (const Case& c : cases) {
        ControlSite site;
        BarWindow bar(site, utkBarTypeNormal, utkBarLeft);
        HWND hosted = ::CreateWindowExW(0, L"STATIC", L"v", WS_POPUP, 0, 0, 20, 40, nullptr,
                                        nullptr, ::GetModuleHandleW(nullptr), nullptr);
        Add(bar, 22, 22);
        auto* custom = new CUTKControlCustom();
        bar.Controls()->InsertAt(custom);
        custom->SetControl(hosted);
        custom->SetVerticalPositionOption(c.option);
        ScreenDC dc;
        // A first horizontal pass puts the window into the bar.
        DWORD flags = kDockCommit;
        bar.Controls()->CalcToolBarLayout(dc.Get(), 400, flags, CRect(0, 0, 0, 0));
        ASSERT_TRUE(::IsWindowVisible(hosted)) << c.option;
        flags = CUTKControls::kLayoutVertDock | CUTKControls::kLayoutCommit;
        const CSize size =
            bar.Controls()->CalcToolBarLayout(dc.Get(), 400, flags, CRect(0, 0, 0, 0));
        EXPECT_EQ(custom->IsVisible() != FALSE, c.placed) << c.option;
        EXPECT_EQ(::IsWindowVisible(hosted) != FALSE, c.windowShown) << c.option;
        if (c.option != 2) {
            // Option 2 keeps the control's place at its button size, whatever that is.
            EXPECT_EQ(size.cy, c.placed ? 22 + 40 : 22) << c.option;
        }
        ::DestroyWindow(hosted);
    }
}

TEST(CustomControl, StaleWindowKeepsItsPlace)
{
    ControlSite site;
    BarWindow bar(site);
    HWND hosted = ::CreateWindowExW(0, L"STATIC", L"gone", WS_POPUP, 0, 0, 50, 20, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
    auto* custom = new CUTKControlCustom();
    bar.Controls()->InsertAt(custom);
    custom->SetControl(hosted);
    ::DestroyWindow(hosted);
    ScreenDC dc;
    DWORD flags = kDockCommit;
    const CSize size = bar.Controls()->CalcToolBarLayout(dc.Get(), 400, flags, CRect(0, 0, 0, 0));
    EXPECT_EQ(size, CSize(50, 20));
    EXPECT_EQ(custom->GetRect().Size(), CSize(50, 20));
    DrainMessages();
}

namespace {

// Stands for a placeholder: it adds its generated controls when the layout asks it.
class GeneratingControl : public FixedControl {
public:
    GeneratingControl() : FixedControl(CSize(10, 22)) {}
    void OnCalcDynamicSize(DWORD) override
    {
        if (m_controls != nullptr && m_controls->GetCount() == 1) {
            for (int i = 0; i < 2; ++i) {
                auto* generated = new FixedControl(CSize(30, 22));
                m_controls->InsertAt(generated);
                generated->SetTemporary(TRUE);
            }
        }
    }
};

} // namespace

TEST(ControlBarLayout, ControlsAddedByDynamicSizingAreLaidOut)
{
    ControlSite site;
    BarWindow bar(site);
    bar.Controls()->InsertAt(new GeneratingControl());
    ScreenDC dc;
    DWORD flags = kDockCommit;
    const CSize size = bar.Controls()->CalcToolBarLayout(dc.Get(), 400, flags, CRect(0, 0, 0, 0));
    ASSERT_EQ(bar.Controls()->GetCount(), 3);
    EXPECT_EQ(size, CSize(70, 22));
    EXPECT_EQ(Str(bar.Controls()->GetAt(2)->GetRect()), "40,0,70,22");
}

TEST(CustomControl, MouseMovesOverTheWindowHotTrackTheBar)
{
    ControlSite site;
    // At the popup position the bar tracks the pointer without being active.
    BarWindow bar(site, utkBarTypeNormal, utkBarPopup);
    HWND hosted = ::CreateWindowExW(0, L"STATIC", L"meter", WS_POPUP, 0, 0, 60, 20, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
    Add(bar, 30, 22);
    auto* custom = new CUTKControlCustom();
    bar.Controls()->InsertAt(custom);
    custom->SetControl(hosted);
    custom->SetBorders(2, 1, 2, 1);
    ScreenDC dc;
    DWORD flags = kDockCommit;
    bar.Controls()->CalcToolBarLayout(dc.Get(), 400, flags, CRect(0, 0, 0, 0));
    ASSERT_EQ(::GetParent(hosted), bar.Hwnd());
    DrainMessages();
    ::SendMessageW(hosted, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(bar.m_bar->GetSelectedIndex(), custom->GetIndex());
    ::DestroyWindow(hosted);
}

TEST(ControlBarLayout, LargeButtonBarGivesCaptionBesideIconWithoutLargeImages)
{
    ControlSite site;
    BarWindow bar(site);
    bar.m_bar->SetBarStyle(bar.m_bar->GetBarStyle() | utkBarStyleLargeUncentred);
    for (int i = 0; i < 3; ++i) {
        Add(bar, 40, 20);
    }
    ScreenDC dc;
    DWORD flags = kDockCommit;
    const CSize size = bar.Controls()->CalcToolBarLayout(dc.Get(), 400, flags, CRect(0, 0, 0, 0));
    // No command has a large image: every button shows its caption beside the icon, and the
    // buttons stack in one column while the column height allows.
    const int column = bar.m_bar->GetLargeIconSize(TRUE).cy + 7 +
                       bar.m_bar->GetPaintManager()->GetSplitDropDownHeight();
    const int perColumn = column / 20;
    ASSERT_GE(perColumn, 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bar.Controls()->GetAt(i)->GetStyle(), utkButtonIconAndCaption) << i;
    }
    EXPECT_EQ(size.cy, column);
    EXPECT_EQ(size.cx, 40 * ((3 + perColumn - 1) / perColumn));
    EXPECT_EQ(Str(bar.Controls()->GetAt(1)->GetRect()),
              perColumn >= 2 ? "0,20,40,40" : "40,0,80,20");
}
