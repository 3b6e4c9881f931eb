// A 12-tab strip on a real window driven by real X input: the driver script
// (tab_real_input.sh) moves the pointer, presses buttons and keys with xdotool when asked.
// The process asks by writing one line to "request" in ORVANE_XINPUT_DIR and waits, pumping
// its messages, until the script answers with "done". Without the script the tests skip.
#include <windows.h>

#include "tests/toolkit/dockingpane/XInputDriver.h"

#include <gtest/gtest.h>

#include "tests/toolkit/tabmanager/TabHost.h"
#include "toolkit/tabmanager/CUTKTabManagerNavigateButton.h"
#include "toolkit/tabmanager/CUTKTabManagerNavigateButtons.h"

#include <cstdio>
#include <string>

using orvane::test::TabHost;

namespace {

constexpr int kLeft = 120;
constexpr int kTop = 140;
constexpr int kWidth = 400;
constexpr int kHeight = 60;
constexpr UINT_PTR kDeleteTimer = 5;

ULONGLONG ThreadCpu100ns()
{
    FILETIME created;
    FILETIME exited;
    FILETIME kernel;
    FILETIME user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return value(kernel) + value(user);
}

// The strip's host on a real top-level window: paints the strip, passes presses and moves
// to the manager, and may delete the pressed tab from a timer while the press is held.
class RealStrip : public TabHost {
public:
    explicit RealStrip(int tabLength = 50)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &RealStrip::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"OrvaneTabRealInput";
        ::RegisterClassW(&wc);
        m_hwnd = ::CreateWindowExW(WS_EX_TOPMOST, L"OrvaneTabRealInput", L"Tab strip",
                                   WS_POPUP | WS_VISIBLE, kLeft, kTop, kWidth, kHeight, nullptr,
                                   nullptr, wc.hInstance, this);
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        UseFixedLengths();
        for (int i = 0; i < 12; ++i) {
            wchar_t caption[16];
            swprintf(caption, 16, L"T%d", i);
            AddSized(tabLength, caption);
        }
        LayOut(CRect(0, 0, kWidth, kHeight));
        SetCurSel(0);
        ::SetForegroundWindow(m_hwnd);
        ::UpdateWindow(m_hwnd);
        Pump(200);
    }
    ~RealStrip() override
    {
        ::DestroyWindow(m_hwnd);
        Pump(50);
    }

    void RedrawControl(const RECT* rect, BOOL leaving) override
    {
        TabHost::RedrawControl(rect, leaving);
        if (m_hwnd != nullptr) {
            ::InvalidateRect(m_hwnd, rect, FALSE);
        }
    }

    HWND hwnd() const { return m_hwnd; }
    CPoint Screen(CPoint client) const
    {
        ::ClientToScreen(m_hwnd, &client);
        return client;
    }
    CPoint TabCentre(int index) const { return Screen(GetItem(index)->GetRect().CenterPoint()); }

    // Handles messages for about ms milliseconds, waiting for input rather than spinning.
    static void Pump(DWORD ms)
    {
        const ULONGLONG end = ::GetTickCount64() + ms;
        for (;;) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    ::PostQuitMessage(static_cast<int>(msg.wParam));
                    return;
                }
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            const ULONGLONG now = ::GetTickCount64();
            if (now >= end) {
                return;
            }
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now),
                                        QS_ALLINPUT);
        }
    }

    // Asks the driver for one action and handles messages until it has been done.
    bool Drive(const std::string& action)
    {
        return orvane::test::DriveXInput(action, [](DWORD ms) { Pump(ms); }, 150);
    }

    int m_deleteOnPress = -1;
    int m_presses = 0;
    bool m_deleted = false;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<RealStrip*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self == nullptr) {
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
        }
        const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hwnd, &ps);
            CDC cdc;
            cdc.Attach(dc);
            self->m_paint->DrawTabControl(self, &cdc, self->m_bounds);
            cdc.Detach();
            ::EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_MOUSEMOVE:
            self->PerformMouseMove(hwnd, point);
            return 0;
        case WM_LBUTTONDOWN:
            ++self->m_presses;
            if (self->m_deleteOnPress >= 0) {
                ::SetTimer(hwnd, kDeleteTimer, 150, nullptr);
            }
            self->PerformClick(hwnd, point);
            return 0;
        case WM_TIMER:
            if (wParam == kDeleteTimer) {
                ::KillTimer(hwnd, kDeleteTimer);
                if (self->GetPressedItem() != nullptr &&
                    self->FindIndex(self->GetPressedItem()) == self->m_deleteOnPress) {
                    self->m_deleted = self->DeleteItem(self->m_deleteOnPress) != FALSE;
                }
                return 0;
            }
            break;
        default:
            break;
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }

    HWND m_hwnd = nullptr;
};

std::string Xy(CPoint p)
{
    return std::to_string(p.x) + " " + std::to_string(p.y);
}

#define REQUIRE_DRIVER()                                                                      \
    if (orvane::test::XInputDir().empty()) {                                                  \
        GTEST_SKIP() << "run through tab_real_input.sh (xdotool)";                            \
    }

}  // namespace

TEST(TabRealInput, ClickSelectsTheTab)
{
    REQUIRE_DRIVER();
    RealStrip strip;
    strip.SetAllowReorder(FALSE);
    for (int index : {3, 1, 5}) {
        ASSERT_TRUE(strip.Drive("click " + Xy(strip.TabCentre(index))));
        EXPECT_EQ(strip.GetCurSel(), index);
    }
    EXPECT_EQ(strip.m_presses, 3);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST(TabRealInput, DragReordersStepByStepWithOneReport)
{
    REQUIRE_DRIVER();
    RealStrip strip;
    CUTKTabManagerItem* dragged = strip.GetItem(1);
    const CPoint from = strip.TabCentre(1);
    const CPoint to = strip.TabCentre(4);
    // Eight small moves: the tab passes its neighbours one at a time.
    ASSERT_TRUE(strip.Drive("drag " + Xy(from) + " " + Xy(to) + " 8"));
    EXPECT_EQ(strip.FindIndex(dragged), 4);
    ASSERT_EQ(strip.m_swaps.size(), 3u) << "one swap per neighbour passed";
    for (const auto& swap : strip.m_swaps) {
        EXPECT_EQ(swap.first, dragged);
    }
    ASSERT_EQ(strip.m_reorders.size(), 1u);
    EXPECT_EQ(strip.m_reorders[0], std::make_pair(1, 4));
    EXPECT_EQ(strip.GetSelectedItem(), dragged);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST(TabRealInput, EscapeOrRightClickCancelsTheDrag)
{
    REQUIRE_DRIVER();
    for (const char* ending : {"escape", "right"}) {
        RealStrip strip;
        CUTKTabManagerItem* dragged = strip.GetItem(2);
        ASSERT_TRUE(strip.Drive(std::string("dragcancel ") + Xy(strip.TabCentre(2)) + " " +
                                Xy(strip.TabCentre(3)) + " " + ending));
        EXPECT_TRUE(strip.m_reorders.empty()) << ending;
        EXPECT_EQ(::GetCapture(), nullptr) << ending;
        // Moves after the cancel reorder nothing more.
        EXPECT_LE(strip.FindIndex(dragged), 3) << ending;
        const size_t swaps = strip.m_swaps.size();
        ASSERT_TRUE(strip.Drive("move " + Xy(strip.TabCentre(6))));
        EXPECT_EQ(strip.m_swaps.size(), swaps) << ending;
    }
}

TEST(TabRealInput, HoldingTheRightArrowScrollsInTicksWithoutSpinning)
{
    REQUIRE_DRIVER();
    // Tabs long enough that the hold never reaches the strip's end.
    RealStrip strip(150);
    CUTKTabManagerNavigateButton* right = strip.FindNavigateButton(1);
    ASSERT_NE(right, nullptr);
    ASSERT_FALSE(right->GetRect().IsRectEmpty()) << "1800 pixels of tabs in 400";
    EXPECT_EQ(strip.GetScrollOffset(), 0);
    const CPoint at = strip.Screen(right->GetRect().CenterPoint());
    const ULONGLONG cpuBefore = ThreadCpu100ns();
    const ULONGLONG wallBefore = ::GetTickCount64();
    ASSERT_TRUE(strip.Drive("hold " + Xy(at) + " 300"));
    const ULONGLONG wall = (::GetTickCount64() - wallBefore) * 10000;
    const ULONGLONG cpu = ThreadCpu100ns() - cpuBefore;
    const int offset = strip.GetScrollOffset();
    EXPECT_LT(offset, 0) << "the hold scrolled";
    EXPECT_EQ(offset % 20, 0) << "20 pixels per tick";
    EXPECT_GT(offset, -1800 + kWidth) << "the end of the strip was not reached";
    EXPECT_LT(cpu, wall / 4) << "cpu " << cpu / 10000 << " ms of " << wall / 10000 << " ms";
    EXPECT_EQ(::GetCapture(), nullptr);
    printf("hold: offset %d, thread cpu %llu ms of %llu ms\n", offset,
           static_cast<unsigned long long>(cpu / 10000),
           static_cast<unsigned long long>(wall / 10000));
}

TEST(TabRealInput, TimerDeletingThePressedTabLeavesTheManagerConsistent)
{
    REQUIRE_DRIVER();
    RealStrip strip;
    strip.SetAllowReorder(FALSE);
    strip.m_paint->m_bSelectOnButtonDown = FALSE;
    strip.m_deleteOnPress = 3;
    const int clicks = strip.m_clicks;
    ASSERT_TRUE(strip.Drive("hold " + Xy(strip.TabCentre(3)) + " 500"));
    EXPECT_TRUE(strip.m_deleted) << "the timer ran while the press was held";
    EXPECT_EQ(strip.GetItemCount(), 11);
    EXPECT_EQ(strip.GetPressedItem(), nullptr);
    EXPECT_EQ(strip.GetCurSel(), 0);
    EXPECT_EQ(strip.m_clicks, clicks) << "the deleted tab is not clicked";
    EXPECT_EQ(::GetCapture(), nullptr);
    // The strip still works: the next click selects.
    strip.m_deleteOnPress = -1;
    ASSERT_TRUE(strip.Drive("click " + Xy(strip.TabCentre(2))));
    EXPECT_EQ(strip.GetCurSel(), 2);
}
