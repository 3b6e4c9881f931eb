// The tooltip windows under Xvfb: the toolkit's window and the common-controls tooltip shown
// by real mouse input (SendInput), placement below the cursor, at the work area's edges and
// below an exclude rectangle, click suppression, the mouse hook, the delay logic against a set
// clock, the Office 2007 look, and the HTML kind falling back to plain text.
#include <memory>

#include <gtest/gtest.h>

#include "tests/toolkit/common/TooltipTestHost.h"
#include "toolkit/common/CUTKToolTipContext.h"
#include "toolkit/common/CUTKToolTipContextKinds.h"
#include "toolkit/common/CUTKToolTipContextToolTip.h"
#include "toolkit/common/MultiMonitorApi.h"
#include "toolkit/common/TooltipLayout.h"

using namespace orvane::test;

namespace {

void MoveTo(POINT p)
{
    SetCursorPos(p.x, p.y);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(in));
    PumpMessages(30);
}

void Button(DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof(in));
    PumpMessages(30);
}

// Pumps until the window's visibility is as wanted, at most a few seconds (a bound on a
// wait, not a measured time).
bool WaitVisible(HWND window, bool visible, DWORD limitMs = 4000)
{
    const DWORD start = GetTickCount();
    while ((IsWindowVisible(window) != FALSE) != visible) {
        if (GetTickCount() - start > limitMs) {
            return false;
        }
        PumpMessages(20);
    }
    return true;
}

RECT WindowRectOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

class TooltipInput : public ::testing::Test {
protected:
    void SetUp() override { Button(MOUSEEVENTF_LEFTUP); }
    void TearDown() override
    {
        Button(MOUSEEVENTF_LEFTUP);
        m_host.context = nullptr;
    }
    void Start(int kind, int x = 100, int y = 100)
    {
        m_context.SetStyle(kind);
        ASSERT_EQ(m_context.GetStyle(), kind);
        ASSERT_TRUE(m_host.CreateHost(x, y, 300, 120));
        m_host.tools = {{1,
                         {10, 10, 110, 60},
                         L"Alpha tool",
                         L"Alpha",
                         L"The first tool, whose tip has a title"},
                        {2, {150, 10, 250, 60}, L"Beta tool"}};
        m_host.context = &m_context;
        SetForegroundWindow(m_host.m_hWnd);
        PumpMessages(30);
    }
    HWND Tip() const
    {
        CWnd* tip = m_context.GetToolTipWindow();
        return tip != nullptr ? tip->m_hWnd : nullptr;
    }
    CUTKToolTipContextToolTip* OwnTip() const { return m_context.OwnTip(); }

    TestContext m_context;
    TipHost m_host;
};

}  // namespace

TEST_F(TooltipInput, ToolkitWindowShowsBelowTheCursorAfterItsDelay)
{
    m_context.ShowTitleAndDescription(TRUE);
    Start(CUTKToolTipContext::kindFramed);
    const POINT alpha = m_host.ScreenPoint(1);
    MoveTo(alpha);
    ASSERT_NE(Tip(), nullptr);
    CUTKToolTipContextToolTip* tip = OwnTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->GetInitialDelay(), 500);
    EXPECT_EQ(tip->GetReshowDelay(), 200);
    ASSERT_TRUE(WaitVisible(Tip(), true));
    EXPECT_EQ(tip->GetCurrentTool().uId, 1u);
    EXPECT_EQ(std::wstring(tip->GetTitle()), L"Alpha");
    EXPECT_EQ(std::wstring(tip->GetCurrentTool().strText),
              L"The first tool, whose tip has a title");
    EXPECT_TRUE(tip->OwnsMouseHook());
    const RECT r = WindowRectOf(Tip());
    EXPECT_EQ(r.left, alpha.x);
    EXPECT_EQ(r.top, alpha.y + TooltipLayout::CurrentCursorHeight());
    EXPECT_EQ(GetClassLongPtrW(Tip(), GCL_STYLE) & CS_DROPSHADOW, 0u)
        << "the framed kind has no drop shadow";
    EXPECT_EQ(GetWindow(Tip(), GW_OWNER), m_host.m_hWnd);
    EXPECT_TRUE(GetWindowLongW(Tip(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    HoldForScreenshot();

    // The next tool's tip replaces it.
    MoveTo(m_host.ScreenPoint(2));
    const DWORD start = GetTickCount();
    while (tip->GetCurrentTool().uId != 2u && GetTickCount() - start < 4000) {
        PumpMessages(20);
    }
    EXPECT_EQ(tip->GetCurrentTool().uId, 2u);
    EXPECT_TRUE(IsWindowVisible(Tip()));

    // Onto another window of the program that reports nothing to the context: only the mouse
    // hook sees that, and it hides the tip.
    TipHost other;
    ASSERT_TRUE(other.CreateHost(100, 400, 300, 120));
    SetForegroundWindow(m_host.m_hWnd);
    PumpMessages(30);
    EXPECT_TRUE(IsWindowVisible(Tip()));
    MoveTo(POINT{150, 450});
    MoveTo(POINT{160, 455});
    EXPECT_TRUE(WaitVisible(Tip(), false));
    EXPECT_FALSE(tip->OwnsMouseHook());
    EXPECT_TRUE(tip->GetCurrentTool().IsEmpty());
}

TEST_F(TooltipInput, WorkAreaEdgesMoveTheTip)
{
    RECT work{};
    GetMultiMonitorApi()->GetWorkAreaFromCursor(&work);
    // The beta tool sits a few pixels from the work area's right and bottom edges.
    Start(CUTKToolTipContext::kindFramed, work.right - 260, work.bottom - 75);
    m_host.tools[1].text = L"A tip too wide to fit at the right edge of the screen";
    const POINT beta = m_host.ScreenPoint(2, 0, 10);
    MoveTo(beta);
    ASSERT_TRUE(WaitVisible(Tip(), true));
    const RECT r = WindowRectOf(Tip());
    EXPECT_EQ(r.right, work.right - 4) << "moved left to end 4 pixels inside";
    EXPECT_EQ(r.bottom, beta.y - 3) << "flipped above the cursor";
}

TEST_F(TooltipInput, ExcludeRectanglePlacesTheTipBelowIt)
{
    m_context.ShowImage(TRUE);  // tools carry the extended record
    Start(CUTKToolTipContext::kindFramed);
    m_host.tools[0].exclude = RECT{10, 10, 110, 70};
    MoveTo(m_host.ScreenPoint(1));
    ASSERT_TRUE(WaitVisible(Tip(), true));
    POINT corner = {10, 70};
    ClientToScreen(m_host.m_hWnd, &corner);
    const RECT r = WindowRectOf(Tip());
    EXPECT_EQ(r.left, corner.x);
    EXPECT_EQ(r.top, corner.y);
}

TEST_F(TooltipInput, ClickHidesTheTipUntilAnotherToolIsShown)
{
    Start(CUTKToolTipContext::kindFramed);
    const POINT alpha = m_host.ScreenPoint(1);
    MoveTo(alpha);
    ASSERT_TRUE(WaitVisible(Tip(), true));
    Button(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(WaitVisible(Tip(), false));
    EXPECT_FALSE(OwnTip()->IsActive());
    Button(MOUSEEVENTF_LEFTUP);
    MoveTo(POINT{alpha.x + 3, alpha.y + 2});
    MoveTo(POINT{alpha.x + 5, alpha.y + 3});
    // Well past the initial delay: the clicked tool stays without a tip.
    PumpMessages(900);
    EXPECT_FALSE(IsWindowVisible(Tip()));
    MoveTo(m_host.ScreenPoint(2));
    ASSERT_TRUE(WaitVisible(Tip(), true));
    EXPECT_EQ(OwnTip()->GetCurrentTool().uId, 2u);
}

TEST_F(TooltipInput, StandardTooltipShowsTitleAndText)
{
    m_context.ShowTitleAndDescription(TRUE);
    Start(CUTKToolTipContext::kindStandard);
    MoveTo(m_host.ScreenPoint(1));
    ASSERT_NE(Tip(), nullptr);
    wchar_t className[64] = {};
    GetClassNameW(Tip(), className, 64);
    EXPECT_STREQ(className, TOOLTIPS_CLASSW);
    ASSERT_TRUE(WaitVisible(Tip(), true));
    TTTOOLINFOW current{};
    current.cbSize = TTTOOLINFOW_V2_SIZE;
    ASSERT_TRUE(SendMessageW(Tip(), TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_EQ(current.uId, 1u);
    EXPECT_EQ(current.hwnd, m_host.m_hWnd);
    HoldForScreenshot();
    Button(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(WaitVisible(Tip(), false)) << "a click deactivates the common-controls tip too";
}

TEST_F(TooltipInput, OfficeLookCutsTheCornersAndDrawsGreyText)
{
    Start(CUTKToolTipContext::kindOffice2007);
    MoveTo(m_host.ScreenPoint(2));
    ASSERT_TRUE(WaitVisible(Tip(), true));
    CUTKToolTipContextToolTip* tip = OwnTip();
    ASSERT_TRUE(tip->HasRoundedRegion());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Tip(), region), ERROR);
    const RECT r = WindowRectOf(Tip());
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    struct Case {
        int x, y;
        bool inside;
    } cases[] = {{0, 0, false}, {w - 1, 0, false}, {0, h - 1, false},   {w - 1, h - 1, false},
                 {1, 0, true},  {0, 1, true},      {w / 2, h / 2, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(PtInRegion(region, c.x, c.y) != FALSE, c.inside) << c.x << "," << c.y;
    }
    DeleteObject(region);
    EXPECT_NE(GetClassLongPtrW(Tip(), GCL_STYLE) & CS_DROPSHADOW, 0u);
    EXPECT_EQ(m_context.GetTipTextColor(), RGB(76, 76, 76));
    HoldForScreenshot();
}

namespace {

// The toolkit window driven through its own protocol, with the cursor set directly, the delay
// timer fired by hand and the reshow delay measured against the window's own clock.
class TooltipClock : public TooltipInput {
protected:
    void StartWindow()
    {
        Start(CUTKToolTipContext::kindFramed);
        m_tip = std::make_unique<ClockTip>(&m_context);
        m_tip->CreateToolTipWindow(&m_host, TTS_ALWAYSTIP | TTS_NOPREFIX);
        ASSERT_NE(m_tip->m_hWnd, nullptr);
        for (const TipTool& tool : m_host.tools) {
            TTTOOLINFOW info{};
            info.cbSize = TTTOOLINFOW_V1_SIZE;
            info.hwnd = m_host.m_hWnd;
            info.uId = tool.id;
            info.rect = tool.rect;
            info.lpszText = const_cast<LPWSTR>(tool.text);
            ASSERT_TRUE(
                SendMessageW(m_tip->m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
        }
        SendMessageW(m_tip->m_hWnd, TTM_ACTIVATE, TRUE, 0);
    }
    void TearDown() override
    {
        m_tip.reset();
        TooltipInput::TearDown();
    }
    // The cursor over a tool and a mouse message relayed to the window.
    void Relay(UINT_PTR id, UINT message = WM_MOUSEMOVE)
    {
        const POINT p = m_host.ScreenPoint(id);
        SetCursorPos(p.x, p.y);
        MSG msg{};
        msg.hwnd = m_host.m_hWnd;
        msg.message = message;
        msg.pt = p;
        SendMessageW(m_tip->m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    void FireDelay(HWND tip)
    {
        SendMessageW(tip, WM_TIMER, CUTKToolTipContextToolTip::kDelayTimer, 0);
    }
    // The cursor over a tool and a mouse move reported by the host to its context.
    void Hover(UINT_PTR id)
    {
        const POINT p = m_host.ScreenPoint(id);
        SetCursorPos(p.x, p.y);
        m_context.FilterToolTipMessage(&m_host, WM_MOUSEMOVE, 0, 0);
    }

    std::unique_ptr<ClockTip> m_tip;
};

}  // namespace

TEST_F(TooltipClock, InitialAndReshowDelays)
{
    StartWindow();
    ClockTip* tip = m_tip.get();
    Relay(1);
    EXPECT_TRUE(tip->IsDelayTimerRunning()) << "the first tip waits for the initial delay";
    EXPECT_EQ(tip->GetPendingTool().uId, 1u);
    EXPECT_FALSE(IsWindowVisible(tip->m_hWnd));
    Relay(1);
    EXPECT_TRUE(tip->IsDelayTimerRunning()) << "moving within the tool keeps waiting";
    FireDelay(tip->m_hWnd);
    EXPECT_TRUE(IsWindowVisible(tip->m_hWnd));
    EXPECT_EQ(tip->GetCurrentTool().uId, 1u);
    EXPECT_FALSE(tip->IsDelayTimerRunning());

    const UINT_PTR none = static_cast<UINT_PTR>(-1);
    struct Step {
        const char* name;
        DWORD advance;  // ms added to the clock before the relay
        UINT_PTR tool;
        UINT_PTR current;
        UINT_PTR pending;
    } steps[] = {
        {"within the reshow delay: at once", 150, 2, 2, none},
        {"at the reshow delay: waits", 200, 1, 2, 1},
        {"back on the shown tool: the waiting one is dropped", 0, 2, 2, none},
        {"well after: waits", 5000, 1, 2, 1},
        {"moving within the waiting tool keeps waiting", 100, 1, 2, 1},
    };
    for (const Step& s : steps) {
        tip->now += s.advance;
        Relay(s.tool);
        EXPECT_EQ(tip->GetCurrentTool().uId, s.current) << s.name;
        EXPECT_EQ(tip->GetPendingTool().uId, s.pending) << s.name;
        EXPECT_EQ(tip->IsDelayTimerRunning() != FALSE, s.pending != none) << s.name;
    }
    FireDelay(tip->m_hWnd);
    EXPECT_EQ(tip->GetCurrentTool().uId, 1u);
    // A deactivation hides the tip and drops what waits.
    tip->now += 5000;
    Relay(2);
    SendMessageW(tip->m_hWnd, TTM_ACTIVATE, FALSE, 0);
    EXPECT_FALSE(IsWindowVisible(tip->m_hWnd));
    EXPECT_FALSE(tip->IsDelayTimerRunning());
    EXPECT_TRUE(tip->GetPendingTool().IsEmpty());
    Relay(1);
    EXPECT_FALSE(tip->IsDelayTimerRunning()) << "an inactive window ignores relays";
}

TEST_F(TooltipClock, MovingToAnotherToolAfterTheReshowDelayShowsItAfterItsDelay)
{
    // The context registers the next tool, relays the move (the tool starts waiting) and then
    // deletes the shown tool, which hides its tip: the waiting tool must survive that.
    m_context.make = TestContext::Make::clock;
    Start(CUTKToolTipContext::kindFramed);
    Hover(1);
    auto* tip = dynamic_cast<ClockTip*>(m_context.GetToolTipWindow());
    ASSERT_NE(tip, nullptr);
    FireDelay(tip->m_hWnd);
    ASSERT_EQ(tip->GetCurrentTool().uId, 1u);
    tip->now += 5000;
    Hover(2);
    EXPECT_FALSE(IsWindowVisible(tip->m_hWnd)) << "the old tool's tip went with its tool";
    EXPECT_EQ(tip->GetPendingTool().uId, 2u);
    EXPECT_TRUE(tip->IsDelayTimerRunning());
    FireDelay(tip->m_hWnd);
    EXPECT_TRUE(IsWindowVisible(tip->m_hWnd));
    EXPECT_EQ(tip->GetCurrentTool().uId, 2u);
}

TEST_F(TooltipClock, ClickedToolIsNotShownAgainUntilAnotherTipWas)
{
    StartWindow();
    ClockTip* tip = m_tip.get();
    Relay(1);
    FireDelay(tip->m_hWnd);
    ASSERT_EQ(tip->GetCurrentTool().uId, 1u);
    // The host relays the click (its buttons as the window sees them: none held).
    Relay(1, WM_LBUTTONDOWN);
    EXPECT_EQ(tip->GetClickedTool().uId, 1u);
    EXPECT_FALSE(IsWindowVisible(tip->m_hWnd));
    tip->now += 5000;
    Relay(1);
    EXPECT_FALSE(tip->IsDelayTimerRunning()) << "the clicked tool waits for nothing";
    tip->now += 5000;
    Relay(2);
    FireDelay(tip->m_hWnd);
    EXPECT_EQ(tip->GetCurrentTool().uId, 2u);
    EXPECT_TRUE(tip->GetClickedTool().IsEmpty()) << "another tip clears the click";
    tip->now += 5000;
    Relay(1);
    EXPECT_EQ(tip->GetPendingTool().uId, 1u);
}

TEST_F(TooltipClock, DeletingTheShownToolHidesIt)
{
    StartWindow();
    ClockTip* tip = m_tip.get();
    Relay(1);
    FireDelay(tip->m_hWnd);
    ASSERT_TRUE(IsWindowVisible(tip->m_hWnd));
    EXPECT_TRUE(tip->OwnsMouseHook());
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.hwnd = m_host.m_hWnd;
    info.uId = 1;
    SendMessageW(tip->m_hWnd, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_FALSE(IsWindowVisible(tip->m_hWnd));
    EXPECT_TRUE(tip->GetCurrentTool().IsEmpty());
    EXPECT_FALSE(tip->OwnsMouseHook());
    EXPECT_EQ(tip->GetToolCount(), 1);
    // Bad records are refused.
    EXPECT_EQ(SendMessageW(tip->m_hWnd, TTM_ADDTOOLW, 0, 0), FALSE);
    info.cbSize = 8;
    EXPECT_EQ(SendMessageW(tip->m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)), FALSE);
    EXPECT_EQ(SendMessageW(tip->m_hWnd, TTM_WINDOWFROMPOINT, 0, 0), 0);
    EXPECT_EQ(tip->GetToolCount(), 1);
}

TEST_F(TooltipClock, HtmlTipWithoutBrowserShowsItsTextPlainly)
{
    Start(CUTKToolTipContext::kindHTML);
    Hover(2);
    ASSERT_NE(Tip(), nullptr);
    FireDelay(Tip());
    auto* html = dynamic_cast<CUTKToolTipContext::CHTMLToolTip*>(m_context.GetToolTipWindow());
    ASSERT_NE(html, nullptr);
    EXPECT_FALSE(html->HasBrowser());
    ASSERT_TRUE(IsWindowVisible(Tip())) << "the text shows although no browser could be made";
    EXPECT_EQ(GetDlgItem(Tip(), 0xE900), nullptr) << "no browser host window";
    // The plain window's size for the same text.
    CUTKToolTipContextToolTip probe(&m_context);
    probe.CreateToolTipWindow(&m_host, WS_POPUP);
    ASSERT_NE(probe.m_hWnd, nullptr);
    CUTKToolTipContextToolTip::TOOLITEM item;
    item.hWnd = m_host.m_hWnd;
    item.uId = 2;
    item.strText = L"Beta tool";
    const SIZE plain = probe.CalcToolTipSize(&item);
    const RECT r = WindowRectOf(Tip());
    EXPECT_EQ(r.right - r.left, plain.cx);
    EXPECT_EQ(r.bottom - r.top, plain.cy);
}

TEST_F(TooltipClock, KindsWithoutContentShowNothing)
{
    struct Case {
        int kind;
        bool shows;
    } cases[] = {
        {CUTKToolTipContext::kindRichEdit, false},  // no text services
        {CUTKToolTipContext::kindMarkup, true},     // not markup: the plain window
        {CUTKToolTipContext::kindLuna, true},
    };
    for (const Case& c : cases) {
        m_context.SetStyle(c.kind);
        if (m_host.m_hWnd == nullptr) {
            Start(c.kind);
        }
        Hover(1);
        CUTKToolTipContextToolTip* tip = OwnTip();
        ASSERT_NE(tip, nullptr) << c.kind;
        FireDelay(Tip());
        EXPECT_EQ(IsWindowVisible(Tip()) != FALSE, c.shows) << c.kind;
        EXPECT_EQ(tip->GetCurrentTool().IsEmpty() == FALSE, c.shows) << c.kind;
        m_context.SetStyle(CUTKToolTipContext::kindFramed);
    }
}

TEST_F(TooltipClock, CallbackTextIsAskedAndBoundedByItsBuffer)
{
    Start(CUTKToolTipContext::kindFramed);
    // A tool whose text is asked of a window that fills all 80 characters unterminated.
    struct Answer {
        static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
        {
            if (message == WM_NOTIFY) {
                auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
                if (info->hdr.code == TTN_GETDISPINFOW) {
                    for (wchar_t& c : info->szText) {
                        c = L'x';
                    }
                    info->szText[0] = L'&';
                    return 0;
                }
            }
            return DefWindowProcW(window, message, wParam, lParam);
        }
    };
    HWND answering = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                     nullptr, nullptr);
    ASSERT_NE(answering, nullptr);
    SetWindowLongPtrW(answering, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Answer::Proc));
    struct Case {
        bool noPrefix;
        int length;
    } cases[] = {{true, 80}, {false, 79}};
    for (const Case& c : cases) {
        m_context.ModifyToolTipStyle(c.noPrefix ? 0 : TTS_NOPREFIX, c.noPrefix ? TTS_NOPREFIX : 0);
        CUTKToolTipContextToolTip probe(&m_context);
        CUTKToolTipContextToolTip::TOOLITEM item;
        item.hWnd = answering;
        item.uId = 9;
        item.bTextCallback = TRUE;
        const CString text = probe.GetToolText(&item);
        EXPECT_EQ(text.GetLength(), c.length);
        EXPECT_FALSE(item.bTextCallback) << "asked once";
    }
    DestroyWindow(answering);
}
