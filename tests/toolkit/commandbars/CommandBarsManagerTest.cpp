// The command bars manager: the walk to the next shown bar as a table, and on a real frame
// the bars it makes and places, a single relayout after removing them all, the delayed layout
// carried out at idle, hidden commands and the customise selection.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/frame/AfxFrameDefs.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "tests/toolkit/commandbars/CommandBarsManagerTestDocks.h"
#include "toolkit/commandbars/CUTKCommandBarList.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKDockBar.h"
#include "toolkit/commandbars/CUTKMenuBar.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

// ---- the walk to the next shown bar ----

struct WalkCase {
    const char* what;
    int count;
    unsigned shown;  // bit i: bar i is shown
    int start;
    int direction;
    int expected;
};

BOOL ShownBit(int index, void* context)
{
    return (*static_cast<unsigned*>(context) >> index) & 1u;
}

TEST(CommandBarsManager, NextVisibleBarWalk)
{
    const WalkCase cases[] = {
        {"no bars", 0, 0x0, -1, +1, -1},
        {"none shown from outside", 4, 0x0, -1, +1, -1},
        {"none shown from outside backwards", 4, 0x0, -1, -1, -1},
        {"first shown from outside", 4, 0xA, -1, +1, 1},
        {"last shown from outside backwards", 4, 0xA, -1, -1, 3},
        {"next forward", 4, 0xA, 1, +1, 3},
        {"wraps past the end once", 4, 0xA, 3, +1, 1},
        {"wraps below zero once", 4, 0xA, 1, -1, 3},
        {"only the start is shown", 4, 0x4, 2, +1, 2},
        {"only the start is shown backwards", 4, 0x4, 2, -1, 2},
        {"none shown comes back to the start", 3, 0x0, 0, +1, 0},
        {"no direction is the start", 3, 0x7, 1, 0, 1},
        {"skips hidden bars", 5, 0x11, 0, +1, 4},
        {"skips hidden bars backwards", 5, 0x11, 4, -1, 0},
        {"a hidden start is still the way back", 3, 0x0, 1, -1, 1},
    };
    for (const WalkCase& c : cases) {
        unsigned shown = c.shown;
        EXPECT_EQ(c.expected,
                  CUTKCommandBars::NextVisibleIndex(c.count, c.start, c.direction, ShownBit, &shown))
            << c.what;
    }
}

// ---- a real frame with a manager ----

// Counts its immediate layouts and the customise-selection notices it receives.
class CountingFrame : public CFrameWnd {
public:
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        ++m_layouts;
        CFrameWnd::RecalcLayout(bNotify);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CUTKCommandBars::kMsgCustomizeSelChanged)
            ++m_selectionNotices;
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    int m_layouts = 0;
    int m_selectionNotices = 0;
};

class ManagerHost {
public:
    ManagerHost()
    {
        m_frame = new CountingFrame;
        m_frame->Create(nullptr, L"manager host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        CRect(40, 40, 640, 440));
        m_view = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                   m_frame->GetSafeHwnd(),
                                   reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST), nullptr, nullptr);
        m_bars = new CUTKCommandBars;
        m_bars->SetSite(m_frame);
        orvane::test::GiveDockBars(m_bars, m_frame);
    }
    ~ManagerHost()
    {
        m_bars->InternalRelease();
        m_frame->DestroyWindow();
    }
    ManagerHost(const ManagerHost&) = delete;
    ManagerHost& operator=(const ManagerHost&) = delete;

    CUTKToolBar* AddBar(const wchar_t* title, int position, UINT id, int buttons = 3)
    {
        CUTKToolBar* bar = m_bars->Add(title, position);
        if (bar == nullptr)
            return nullptr;
        bar->SetBarID(id);
        for (int i = 0; i < buttons; ++i)
            bar->GetControls()->Add(utkControlButton, static_cast<int>(id * 10 + i))->SetCaption(L"Button");
        Idle();
        return bar;
    }
    // The frame's idle pass, as the message loop runs it.
    void Idle()
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        m_frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    }
    BOOL LayoutPending() const { return (m_frame->m_nIdleFlags & CFrameWnd::idleLayout) != 0; }
    CRect ChildRect(HWND child) const
    {
        CRect rc;
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(nullptr, m_frame->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rc), 2);
        return rc;
    }

    CountingFrame* m_frame = nullptr;  // deletes itself when destroyed
    HWND m_view = nullptr;
    CUTKCommandBars* m_bars = nullptr;
};

TEST(CommandBarsManager, AddPlacesBarsDockedOrFloatingAndRefusesBadPositions)
{
    ManagerHost host;
    CUTKToolBar* top = host.AddBar(L"Top", utkBarTop, 100);
    CUTKToolBar* left = host.AddBar(L"Left", utkBarLeft, 101);
    CUTKToolBar* floating = host.AddBar(L"Floating", utkBarFloating, 102);
    ASSERT_NE(nullptr, top);
    ASSERT_NE(nullptr, left);
    ASSERT_NE(nullptr, floating);
    EXPECT_EQ(3, host.m_bars->GetCount());

    struct Expected {
        CUTKToolBar* bar;
        int position;
    };
    for (const Expected& e : {Expected{top, utkBarTop}, Expected{left, utkBarLeft}}) {
        EXPECT_EQ(e.position, e.bar->GetPosition());
        CUTKDockBar* dock = host.m_bars->GetDockBar(e.position);
        ASSERT_NE(nullptr, dock);
        EXPECT_EQ(dock, e.bar->GetDockBar());
        EXPECT_GT(dock->FindBar(e.bar), 0);
        EXPECT_EQ(dock->GetSafeHwnd(), ::GetParent(e.bar->GetSafeHwnd()));
    }
    EXPECT_EQ(utkBarFloating, floating->GetPosition());
    EXPECT_EQ(nullptr, floating->GetDockBar());
    EXPECT_NE(0u, floating->GetStyle() & WS_POPUP);
    EXPECT_EQ(host.m_frame->GetSafeHwnd(), ::GetWindow(floating->GetSafeHwnd(), GW_OWNER));

    // The top bar takes its row above the view, the left one its column beside it.
    const CRect view = host.ChildRect(host.m_view);
    const CRect topRect = host.ChildRect(top->GetSafeHwnd());
    const CRect leftRect = host.ChildRect(left->GetSafeHwnd());
    EXPECT_LE(topRect.bottom, view.top);
    EXPECT_LE(leftRect.right, view.left);
    EXPECT_GT(topRect.Height(), 0);

    // A position that is neither docked nor floating makes no bar at all.
    EXPECT_EQ(nullptr, host.m_bars->Add(L"Nowhere", 7));
    EXPECT_EQ(3, host.m_bars->GetCount());
    // A class that is no toolbar neither.
    EXPECT_EQ(nullptr, host.m_bars->Add(L"Popup", utkBarTop, RUNTIME_CLASS(CUTKPopupBar)));
    EXPECT_EQ(3, host.m_bars->GetCount());

    EXPECT_EQ(top, host.m_bars->FindCommandBar(100));
    EXPECT_EQ(1, host.m_bars->IndexOf(left));
    EXPECT_EQ(nullptr, host.m_bars->GetAt(3));
    EXPECT_EQ(nullptr, host.m_bars->GetAt(-1));
}

TEST(CommandBarsManager, MenuBarIsBarOneDockedOnTop)
{
    ManagerHost host;
    CUTKToolBar* menu = host.m_bars->SetMenu(L"Menu Bar", 0);
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(menu, host.m_bars->GetMenuBar());
    EXPECT_EQ(1u, menu->GetBarID());
    EXPECT_EQ(CString(L"Menu Bar"), menu->GetTitle());
    EXPECT_EQ(utkBarTop, menu->GetPosition());
    EXPECT_EQ(host.m_bars->GetDockBar(utkBarTop), menu->GetDockBar());
    // A menu that cannot be loaded leaves no half-made bar behind, in the array or a dock bar.
    CUTKDockBar* top = host.m_bars->GetDockBar(utkBarTop);
    const int entries = top->GetCount();
    EXPECT_EQ(nullptr, host.m_bars->SetMenu(L"Missing", 0x7FF0));
    EXPECT_EQ(1, host.m_bars->GetCount());
    EXPECT_EQ(entries, top->GetCount());
}

TEST(CommandBarsManager, BarWithIdZeroIsNeverFound)
{
    ManagerHost host;
    CUTKToolBar* bar = host.AddBar(L"Zero", utkBarTop, 0);
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(0u, bar->GetBarID());
    EXPECT_EQ(nullptr, host.m_bars->FindCommandBar(0));
}

TEST(CommandBarsManager, NextVisibleBarSkipsHiddenAndEmptyBars)
{
    ManagerHost host;
    CUTKToolBar* first = host.AddBar(L"First", utkBarTop, 100);
    CUTKToolBar* hidden = host.AddBar(L"Hidden", utkBarTop, 101);
    CUTKToolBar* third = host.AddBar(L"Third", utkBarTop, 102);
    ASSERT_TRUE(first && hidden && third);
    hidden->SetVisible(FALSE);
    host.Idle();
    EXPECT_EQ(2, host.m_bars->GetNextVisibleBar(0, +1));
    EXPECT_EQ(0, host.m_bars->GetNextVisibleBar(2, +1));
    EXPECT_EQ(0, host.m_bars->GetNextVisibleBar(2, -1));
    EXPECT_EQ(0, host.m_bars->GetNextVisibleBar(-1, +1));
    EXPECT_EQ(2, host.m_bars->GetNextVisibleBar(-1, -1));
}

TEST(CommandBarsManager, RemoveAllRelaysOutOnceAtTheEnd)
{
    ManagerHost host;
    for (UINT id = 100; id < 104; ++id)
        ASSERT_NE(nullptr, host.AddBar(L"Bar", static_cast<int>(id % 4), id));
    host.Idle();
    std::vector<HWND> windows;
    for (int i = 0; i < host.m_bars->GetCount(); ++i)
        windows.push_back(host.m_bars->GetAt(i)->GetSafeHwnd());
    host.m_frame->m_layouts = 0;
    ASSERT_FALSE(host.LayoutPending());

    host.m_bars->RemoveAll();
    EXPECT_EQ(0, host.m_frame->m_layouts) << "no relayout while the bars go";
    EXPECT_TRUE(host.LayoutPending()) << "one delayed relayout at the end";
    EXPECT_EQ(0, host.m_bars->GetCount());
    for (HWND window : windows)
        EXPECT_FALSE(::IsWindow(window));
    for (int position = 0; position < 4; ++position)
        EXPECT_EQ(1, host.m_bars->GetDockBar(position)->GetCount()) << "only the leading separator";
    host.m_bars->FlushDelayedLayout();
    EXPECT_EQ(1, host.m_frame->m_layouts);
    EXPECT_FALSE(host.LayoutPending());

    // Removing docked bars one by one lays the frame out after each.
    for (UINT id = 100; id < 103; ++id)
        ASSERT_NE(nullptr, host.AddBar(L"Bar", utkBarTop, id));
    host.m_frame->m_layouts = 0;
    while (host.m_bars->GetCount() > 0)
        host.m_bars->Remove(host.m_bars->GetAt(0));
    EXPECT_GE(host.m_frame->m_layouts, 3);
    // Unknown and null bars are ignored.
    host.m_bars->Remove(nullptr);
}

TEST(CommandBarsManager, DelayedLayoutRunsAtIdle)
{
    ManagerHost host;
    host.Idle();
    const CRect before = host.ChildRect(host.m_view);
    host.m_frame->m_layouts = 0;
    host.m_bars->RecalcFrameLayout(TRUE);
    EXPECT_TRUE(host.LayoutPending());
    EXPECT_EQ(0, host.m_frame->m_layouts);
    // The frame's idle pass lays it out once.
    host.m_frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(host.LayoutPending());
    EXPECT_EQ(1, host.m_frame->m_layouts);
    // A bar docked later asks for the same: after the idle pass the view is below its row.
    CUTKToolBar* bar = host.m_bars->Add(L"Late", utkBarTop);
    ASSERT_NE(nullptr, bar);
    bar->GetControls()->Add(utkControlButton, 500)->SetCaption(L"Button");
    host.m_bars->RecalcFrameLayout(TRUE);
    EXPECT_TRUE(host.LayoutPending());
    host.m_frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(host.LayoutPending());
    const CRect after = host.ChildRect(host.m_view);
    const CRect row = host.ChildRect(bar->GetSafeHwnd());
    EXPECT_GT(after.top, before.top);
    EXPECT_LE(row.bottom, after.top);
}

TEST(CommandBarsManager, ToggleVisibleAndCustomizeModeMarkTheOptionsChanged)
{
    ManagerHost host;
    CUTKToolBar* bar = host.AddBar(L"Bar", utkBarTop, 100);
    ASSERT_NE(nullptr, bar);
    CUTKCommandBarsOptions* options = host.m_bars->GetCommandBarsOptions();
    options->bDirty = FALSE;
    host.m_bars->ToggleVisible(0);
    EXPECT_FALSE(bar->IsVisible());
    EXPECT_TRUE(options->bDirty);
    host.m_bars->ToggleVisible(0);
    EXPECT_TRUE(bar->IsVisible());
    options->bDirty = FALSE;
    host.m_bars->ToggleVisible(9);
    EXPECT_TRUE(options->bDirty) << "a bad index still marks the options";

    options->bDirty = FALSE;
    host.m_bars->SetCustomizeMode(TRUE);
    EXPECT_TRUE(options->bDirty);
    EXPECT_TRUE(host.m_bars->IsCustomizeMode());
    EXPECT_TRUE(host.m_bars->IsLastCustomizeMode());
    EXPECT_TRUE(host.m_bars->IsKeyboardCuesVisible()) << "cues show while customising";
    host.m_bars->SetCustomizeMode(FALSE);
    EXPECT_FALSE(host.m_bars->IsCustomizeMode());
}

TEST(CommandBarsManager, DragControlNoticeOnlyOnChange)
{
    ManagerHost host;
    CUTKToolBar* bar = host.AddBar(L"Bar", utkBarTop, 100);
    ASSERT_NE(nullptr, bar);
    CUTKControl* control = bar->GetControls()->GetAt(0);
    host.m_frame->m_selectionNotices = 0;
    host.m_bars->SetDragControl(control);
    EXPECT_EQ(1, host.m_frame->m_selectionNotices);
    EXPECT_EQ(control, host.m_bars->GetDragControl());
    host.m_bars->SetDragControl(control);
    EXPECT_EQ(1, host.m_frame->m_selectionNotices) << "the same control sends nothing";
    host.m_bars->SetDragControl(nullptr);
    EXPECT_EQ(2, host.m_frame->m_selectionNotices);
}

TEST(CommandBarsManager, CanDockWithinTwentyPixelsOfADockBar)
{
    ManagerHost host;
    ASSERT_NE(nullptr, host.AddBar(L"Bar", utkBarTop, 100));
    CUTKDockBar* top = host.m_bars->GetDockBar(utkBarTop);
    CUTKDockBar* left = host.m_bars->GetDockBar(utkBarLeft);
    CRect rc;
    top->GetWindowRect(&rc);
    const CPoint middle((rc.left + rc.right) / 2, rc.top);
    EXPECT_EQ(top, host.m_bars->CanDock(CPoint(middle.x, rc.top - 20)));
    EXPECT_EQ(nullptr, host.m_bars->CanDock(CPoint(middle.x, rc.top - 21 - 200)));
    // The preferred dock bar is tried first.
    CRect leftRect;
    left->GetWindowRect(&leftRect);
    const CPoint corner(leftRect.left, rc.bottom);
    EXPECT_EQ(left, host.m_bars->CanDock(corner, left));
    // The margin rule itself.
    const RECT box{100, 100, 200, 120};
    struct Near {
        POINT pt;
        BOOL inside;
    };
    for (const Near& n : {Near{{80, 100}, TRUE}, Near{{79, 100}, FALSE}, Near{{219, 139}, TRUE},
                          Near{{220, 110}, FALSE}, Near{{150, 80}, TRUE}, Near{{150, 140}, FALSE}})
        EXPECT_EQ(n.inside, CUTKCommandBars::IsNearDockRect(box, n.pt)) << n.pt.x << "," << n.pt.y;
}

// ---- hidden commands, without windows ----

TEST(CommandBarsManager, HiddenCommandsAndUnusedPopups)
{
    auto* bars = new CUTKCommandBars;
    CUTKCommandBarsOptions* options = bars->GetCommandBarsOptions();
    options->mapHiddenCommands.SetAt(200, TRUE);
    options->mapHiddenCommands.SetAt(201, TRUE);
    EXPECT_TRUE(bars->IsCommandHidden(200));
    EXPECT_FALSE(bars->IsCommandHidden(300));

    options->bDirty = FALSE;
    bars->SetCommandUsed(300);
    EXPECT_FALSE(options->bDirty) << "an id that is not hidden is not recorded";
    bars->SetCommandUsed(201);
    EXPECT_TRUE(options->bDirty);
    EXPECT_FALSE(bars->IsCommandHidden(201));

    auto* bar = new CUTKToolBar;
    bar->SetCommandBars(bars);
    CUTKControls* controls = bar->GetControls();
    CUTKControl* button = controls->Add(utkControlButton, 200);
    CUTKControl* popup = controls->Add(utkControlPopup, 0);
    CUTKControl* emptySplit = controls->Add(utkControlSplitButtonPopup, 0);
    EXPECT_TRUE(bars->IsControlHidden(button));
    EXPECT_FALSE(bars->IsControlHidden(popup)) << "a popup without a bar is not hidden";
    for (CUTKControl* control : {popup, emptySplit}) {
        CUTKPopupBar* own = CUTKPopupBar::CreatePopupBar(bars);
        DYNAMIC_DOWNCAST(CUTKControlPopup, control)->SetCommandBar(own);
        own->InternalRelease();
    }
    CUTKCommandBar* child = popup->GetCommandBar();
    ASSERT_NE(nullptr, child);
    child->GetControls()->Add(utkControlButton, 200);
    EXPECT_TRUE(bars->IsControlHidden(popup)) << "every child hidden";
    child->GetControls()->Add(utkControlButton, 201);
    EXPECT_FALSE(bars->IsControlHidden(popup)) << "a used child shows the popup";
    ASSERT_NE(nullptr, emptySplit->GetCommandBar());
    EXPECT_EQ(0, emptySplit->GetCommandBar()->GetControls()->GetCount());
    EXPECT_FALSE(bars->IsControlHidden(emptySplit)) << "an empty popup is not hidden";
    options->bAutoHideUnusedPopups = FALSE;
    child->GetControls()->RemoveAll();
    child->GetControls()->Add(utkControlButton, 200);
    EXPECT_FALSE(bars->IsControlHidden(popup));

    bar->InternalRelease();
    bars->InternalRelease();
}

TEST(CommandBarsManager, BarListsHoldOneReferenceEach)
{
    auto* bars = new CUTKCommandBars;
    CUTKCommandBarList list(bars);
    auto* bar = new CUTKToolBar;
    bar->SetBarID(7);
    bar->InternalAddRef();  // the list's
    EXPECT_EQ(bar, list.Add(bar));
    EXPECT_TRUE(list.Contains(bar));
    EXPECT_EQ(bar, list.FindBar(7));
    EXPECT_EQ(nullptr, list.FindBar(8));
    EXPECT_EQ(nullptr, list.GetAt(1));
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(0u, bar->InternalRelease()) << "the list released its reference only";

    CUTKPopupBar* popup = CUTKPopupBar::CreatePopupBar(bars);
    bars->GetContextMenus()->Add(popup);
    EXPECT_TRUE(popup->IsContextMenu());
    bars->InternalRelease();  // releases the context menus with the popup
}

} // namespace
