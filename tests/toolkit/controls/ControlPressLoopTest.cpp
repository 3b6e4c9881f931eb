// The press-and-hold loop on a real window, driven by posted input: release inside and
// outside, the repeat timer 4269 (posted ticks and the real timer), and the ways the loop ends
// early (WM_QUIT posted again, the window destroyed, the capture taken, the bar gone).
#include <windows.h>

#include <gtest/gtest.h>

#include "toolkit/controls/ControlPressLoop.h"

#include <functional>

namespace {

constexpr UINT kDestroyMe = WM_APP + 1;
constexpr UINT kStealCapture = WM_APP + 2;

HWND g_other = nullptr;

LRESULT CALLBACK PressWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kDestroyMe) {
        ::DestroyWindow(hwnd);
        return 0;
    }
    if (message == kStealCapture) {
        ::SetCapture(g_other);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

class PressWindow {
public:
    PressWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PressWindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OrvanePressLoopTest";
        ::RegisterClassW(&wc);
        m_window = ::CreateWindowExW(0, wc.lpszClassName, L"press", WS_POPUP | WS_VISIBLE, 200,
                                     200, 300, 40, nullptr, nullptr, wc.hInstance, nullptr);
        g_other = ::CreateWindowExW(0, wc.lpszClassName, L"other", WS_POPUP | WS_VISIBLE, 600,
                                    200, 50, 40, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~PressWindow()
    {
        if (::IsWindow(m_window)) {
            ::DestroyWindow(m_window);
        }
        ::DestroyWindow(g_other);
        g_other = nullptr;
    }
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        ::PostMessageW(m_window, message, wParam, lParam);
    }
    void Move(int x, int y) const { Post(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Up(int x, int y) const { Post(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    HWND m_window = nullptr;
};

class Sink : public IControlPressSink {
public:
    bool IsPressSelected() override { return m_selected; }
    void SetPressSelected(bool selected) override
    {
        if (selected != m_selected) {
            ++m_changes;
        }
        m_selected = selected;
    }
    void ExecuteRepeat() override
    {
        ++m_executed;
        if (m_onExecute) {
            m_onExecute(m_executed);
        }
    }
    bool HasBar() override { return m_hasBar; }

    bool m_selected = true;
    bool m_hasBar = true;
    int m_executed = 0;
    int m_changes = 0;
    std::function<void(int)> m_onExecute;
};

const RECT kButton{10, 5, 40, 35};

} // namespace

TEST(ControlPressLoop, ReleaseTable)
{
    struct Case {
        const char* name;
        std::function<void(const PressWindow&)> input;
        bool accepted;
        bool selectedAfter;
    };
    const Case cases[] = {
        {"release without moving", [](const PressWindow& w) { w.Up(20, 20); }, true, true},
        {"moved outside and released there",
         [](const PressWindow& w) {
             w.Move(100, 20);
             w.Up(100, 20);
         },
         false, false},
        {"outside, back inside, released",
         [](const PressWindow& w) {
             w.Move(100, 20);
             w.Move(30, 10);
             w.Up(30, 10);
         },
         true, true},
        {"moved inside only",
         [](const PressWindow& w) {
             w.Move(12, 7);
             w.Up(12, 7);
         },
         true, true},
    };
    for (const Case& c : cases) {
        PressWindow window;
        Sink sink;
        c.input(window);
        const auto result = ControlPressLoop::Run(window.m_window, kButton, 0, sink);
        EXPECT_EQ(result.accepted, c.accepted) << c.name;
        EXPECT_FALSE(result.quit) << c.name;
        EXPECT_FALSE(result.lost) << c.name;
        EXPECT_EQ(sink.m_selected, c.selectedAfter) << c.name;
        EXPECT_EQ(sink.m_executed, 0) << c.name;
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;
    }
}

TEST(ControlPressLoop, RepeatExecutesOnPressAndOnEachTickWhileSelected)
{
    PressWindow window;
    Sink sink;
    window.Post(WM_TIMER, ControlPressLoop::kRepeatTimer);
    window.Post(WM_TIMER, ControlPressLoop::kRepeatTimer);
    window.Post(WM_TIMER, 77); // another timer is only dispatched
    window.Move(200, 20);      // outside: ticks do nothing
    window.Post(WM_TIMER, ControlPressLoop::kRepeatTimer);
    window.Move(20, 20);
    window.Post(WM_TIMER, ControlPressLoop::kRepeatTimer);
    window.Up(20, 20);
    const auto result = ControlPressLoop::Run(window.m_window, kButton, 100, sink);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(sink.m_executed, 1 + 2 + 1); // at once, two ticks, one tick back inside
    EXPECT_EQ(sink.m_changes, 2);
    // The loop killed its timer: nothing is left to kill.
    EXPECT_FALSE(::KillTimer(window.m_window, ControlPressLoop::kRepeatTimer));
}

TEST(ControlPressLoop, RealRepeatTimerKeepsExecutingUntilRelease)
{
    PressWindow window;
    Sink sink;
    sink.m_onExecute = [&window](int count) {
        if (count == 4) {
            window.Up(20, 20);
        }
    };
    const auto result = ControlPressLoop::Run(window.m_window, kButton, 100, sink);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(sink.m_executed, 4); // the release stops it: no execute after it
    EXPECT_FALSE(::KillTimer(window.m_window, ControlPressLoop::kRepeatTimer));
}

TEST(ControlPressLoop, EndsOnQuitWindowCaptureOrBar)
{
    struct Case {
        const char* name;
        std::function<void(PressWindow&, Sink&)> setup;
        bool quit;
    };
    const Case cases[] = {
        {"WM_QUIT", [](PressWindow&, Sink&) { ::PostQuitMessage(7); }, true},
        {"window destroyed", [](PressWindow& w, Sink&) { w.Post(kDestroyMe); }, false},
        {"capture taken", [](PressWindow& w, Sink&) { w.Post(kStealCapture); }, false},
        {"bar gone",
         [](PressWindow&, Sink& s) { s.m_onExecute = [&s](int) { s.m_hasBar = false; }; }, false},
    };
    for (const Case& c : cases) {
        PressWindow window;
        Sink sink;
        c.setup(window, sink);
        if (!c.quit) {
            // Input after the event that ends the loop stays unread. (WM_QUIT comes only once
            // the queue is empty, so nothing can follow it.)
            window.Post(WM_TIMER, ControlPressLoop::kRepeatTimer);
        }
        const auto result = ControlPressLoop::Run(window.m_window, kButton, 100, sink);
        EXPECT_FALSE(result.accepted) << c.name;
        EXPECT_EQ(result.quit, c.quit) << c.name;
        EXPECT_EQ(result.lost, !c.quit) << c.name;
        EXPECT_EQ(sink.m_executed, 1) << c.name;
        EXPECT_NE(::GetCapture(), window.m_window) << c.name;
        MSG msg;
        const bool quitSeen = ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
        EXPECT_EQ(quitSeen, c.quit) << c.name;
        if (quitSeen) {
            EXPECT_EQ(msg.wParam, 7u) << c.name;
        }
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&msg); // WM_PAINT stays queued until it is handled
        }
        ::ReleaseCapture();
    }
}
