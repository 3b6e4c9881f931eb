// The per-thread keyboard and mouse managers on real windows under Xvfb: hooks that exist only
// while sinks do, the sinks' answers, Alt and deactivation closing tracked bars, clicks
// outside, on trusted windows and inside locked bars, the nested close, the mouse-leave watch,
// and real input through SendInput (thread hooks never see posted input).
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKKeyboardManager.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/common/CUTKHookManagerHookAble.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

void Pump(int rounds = 10)
{
    for (int i = 0; i < rounds; ++i) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// ---- a plain window that records what it gets ----

struct Recorder {
    std::vector<UINT> messages;
    int Count(UINT message) const
    {
        int n = 0;
        for (UINT m : messages) {
            n += m == message ? 1 : 0;
        }
        return n;
    }
};

LRESULT CALLBACK RecordingProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (auto* recorder = reinterpret_cast<Recorder*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA))) {
        recorder->messages.push_back(message);
    }
    return ::DefWindowProcW(wnd, message, wParam, lParam);
}

class TestWindow {
public:
    TestWindow(int x, int y, int cx, int cy, DWORD style = WS_POPUP | WS_VISIBLE,
               HWND parent = nullptr)
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSW wc{};
            wc.lpfnWndProc = RecordingProc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"OrvaneInputTestWindow";
            wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
            wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
            ::RegisterClassW(&wc);
            registered = true;
        }
        m_wnd = ::CreateWindowExW(0, L"OrvaneInputTestWindow", L"input test", style, x, y, cx,
                                  cy, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SetWindowLongPtrW(m_wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_recorder));
    }
    ~TestWindow()
    {
        if (::IsWindow(m_wnd)) {
            ::SetWindowLongPtrW(m_wnd, GWLP_USERDATA, 0);
            ::DestroyWindow(m_wnd);
        }
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Wnd() const { return m_wnd; }
    POINT Center() const
    {
        RECT rc{};
        ::GetWindowRect(m_wnd, &rc);
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    Recorder& Messages() { return m_recorder; }

private:
    HWND m_wnd = nullptr;
    Recorder m_recorder;
};

// ---- a tracked bar: a command bar over a plain window, recording what the managers do ----

class TestBar : public CUTKCommandBar {
public:
    explicit TestBar(std::vector<TestBar*>* closed = nullptr) : m_closed(closed) {}
    ~TestBar() override { Leave(); }

    void AttachWindow(HWND wnd) { Attach(wnd); }
    void Leave()
    {
        if (m_hWnd != nullptr) {
            Detach();
        }
        GetThreadMouseManager()->RemoveTrackedBar(this);
    }

    // Leaving tracking removes the bar (and, when asked, the bars it closes with it).
    void OnTrackLost() override
    {
        ++trackLost;
        if (m_closed != nullptr) {
            m_closed->push_back(this);
        }
        if (stayTracked) {
            return;
        }
        GetThreadMouseManager()->RemoveTrackedBar(this);
        for (TestBar* child : closesWithIt) {
            child->OnTrackLost();
        }
    }
    void ResetSelection() override { ++resets; }
    BOOL IsPointInBar(CPoint ptScreen) const override
    {
        if (m_hWnd == nullptr) {
            return FALSE;
        }
        RECT rc{};
        ::GetWindowRect(m_hWnd, &rc);
        return ::PtInRect(&rc, ptScreen);
    }

    int trackLost = 0;
    int resets = 0;
    BOOL stayTracked = FALSE;
    std::vector<TestBar*> closesWithIt;

private:
    std::vector<TestBar*>* m_closed;
};

// Owns test bars (command bars are reference counted).
class Bars {
public:
    ~Bars()
    {
        for (TestBar* bar : m_bars) {
            bar->Leave();
            bar->InternalRelease();
        }
    }
    TestBar* New(std::vector<TestBar*>* closed = nullptr)
    {
        m_bars.push_back(new TestBar(closed));
        return m_bars.back();
    }

private:
    std::vector<TestBar*> m_bars;
};

// Leaves the thread's mouse manager as a test found it.
class MouseManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_manager = GetThreadMouseManager();
        ASSERT_EQ(0, m_manager->GetTrackedCount());
        m_manager->SetIgnoreLButtonUp(FALSE);
        CUTKMouseManager::SetLastMousePosition(POINT{-1, -1});
    }
    void TearDown() override
    {
        m_manager->SendTrackLost();
        while (m_manager->GetTrustedArray().GetSize() > 0) {
            m_manager->RemoveTrustedWindow(m_manager->GetTrustedArray()[0]);
        }
        while (m_manager->GetLockCount() > 0) {
            m_manager->UnlockTracking();
        }
        m_manager->SetSelected(nullptr);
        m_manager->TrackMouseLeave(nullptr);
    }
    CUTKMouseManager* m_manager = nullptr;
};

// ---- keyboard manager ----

class AnsweringSink : public CUTKHookManagerHookAble {
public:
    AnsweringSink(int answer, std::vector<int>* calls, int tag)
        : m_answer(answer), m_calls(calls), m_tag(tag)
    {
    }
    int OnHookMessage(HWND, UINT message, WPARAM& wParam, LPARAM&, LRESULT&) override
    {
        if (m_calls != nullptr) {
            m_calls->push_back(m_tag);
        }
        lastMessage = message;
        lastKey = wParam;
        if (onCall) {
            onCall();
        }
        return m_answer;
    }
    void SetAnswer(int answer) { m_answer = answer; }

    UINT lastMessage = 0;
    WPARAM lastKey = 0;
    std::function<void()> onCall;

private:
    int m_answer;
    std::vector<int>* m_calls;
    int m_tag;
};

TEST(KeyboardManager, HooksExistOnlyWhileSinksDo)
{
    CUTKKeyboardManager manager;
    AnsweringSink a(0, nullptr, 1);
    AnsweringSink b(0, nullptr, 2);
    EXPECT_FALSE(manager.IsKeyboardHooked());
    EXPECT_FALSE(manager.IsCallWndHooked());
    manager.HookKeyboard(&a);
    EXPECT_TRUE(manager.IsKeyboardHooked());
    EXPECT_TRUE(manager.IsCallWndHooked());
    manager.HookKeyboard(&a);
    EXPECT_EQ(1, manager.GetSinkCount());
    manager.HookKeyboard(&b);
    EXPECT_EQ(2, manager.GetSinkCount());
    manager.UnhookKeyboard(&a);
    manager.UnhookKeyboard(&a);
    EXPECT_EQ(1, manager.GetSinkCount());
    EXPECT_TRUE(manager.IsKeyboardHooked());
    manager.UnhookKeyboard(&b);
    EXPECT_EQ(0, manager.GetSinkCount());
    EXPECT_FALSE(manager.IsKeyboardHooked());
    EXPECT_FALSE(manager.IsCallWndHooked());
    // Unhooking a sink that never registered changes nothing.
    manager.UnhookKeyboard(&b);
    EXPECT_FALSE(manager.IsKeyboardHooked());
}

TEST(KeyboardManager, SinksAnswerNewestFirst)
{
    const struct {
        const char* what;
        std::vector<int> answers; // oldest first
        BOOL consumed;
        std::vector<int> called; // tags (index + 1) in call order
    } cases[] = {
        {"no sink", {}, TRUE, {}},
        {"not handled", {0}, TRUE, {1}},
        {"handled", {1}, TRUE, {1}},
        {"handled, let through", {2}, FALSE, {1}},
        {"any other answer swallows", {7}, TRUE, {1}},
        {"newest answers first", {1, 2}, FALSE, {2}},
        {"older one asked when the newest passes", {2, 0}, FALSE, {2, 1}},
        {"none handles", {0, 0, 0}, TRUE, {3, 2, 1}},
        {"middle one swallows", {2, 1, 0}, TRUE, {3, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CUTKKeyboardManager manager;
        std::vector<int> calls;
        std::vector<std::unique_ptr<AnsweringSink>> sinks;
        for (size_t i = 0; i < c.answers.size(); ++i) {
            sinks.push_back(
                std::make_unique<AnsweringSink>(c.answers[i], &calls, static_cast<int>(i + 1)));
            manager.HookKeyboard(sinks.back().get());
        }
        EXPECT_EQ(c.consumed, manager.ProcessKeyboardHooks(WM_KEYDOWN, 'Q', 0x100001));
        EXPECT_EQ(c.called, calls);
        for (auto& sink : sinks) {
            manager.UnhookKeyboard(sink.get());
        }
    }
}

TEST(KeyboardManager, SinkUnregisteringDuringTheWalk)
{
    CUTKKeyboardManager manager;
    std::vector<int> calls;
    AnsweringSink older(0, &calls, 1);
    AnsweringSink newer(0, &calls, 2);
    manager.HookKeyboard(&older);
    manager.HookKeyboard(&newer);
    // The newest takes itself and the older one away: the older one is no longer asked.
    newer.onCall = [&] {
        manager.UnhookKeyboard(&newer);
        manager.UnhookKeyboard(&older);
    };
    EXPECT_TRUE(manager.ProcessKeyboardHooks(WM_KEYDOWN, 'Q', 0));
    EXPECT_EQ(std::vector<int>{2}, calls);
    EXPECT_FALSE(manager.IsKeyboardHooked());
}

TEST_F(MouseManagerTest, AltClosesTrackedBarsAutoRepeatDoesNot)
{
    Bars bars;
    TestBar* bar = bars.New();
    CUTKKeyboardManager* keyboard = GetThreadKeyboardManager();
    AnsweringSink sink(2, nullptr, 1);
    keyboard->HookKeyboard(&sink);

    constexpr LPARAM kAlt = 1 << 29;
    constexpr LPARAM kRepeat = 1 << 30;
    constexpr LPARAM kUp = static_cast<LPARAM>(0x80000000u);
    const struct {
        const char* what;
        WPARAM key;
        LPARAM data;
        int lock;
        BOOL swallowed;
        bool closed;
        bool offered;
    } cases[] = {
        {"first Alt press", VK_MENU, kAlt, 0, TRUE, true, false},
        {"auto-repeated Alt", VK_MENU, kAlt | kRepeat, 0, FALSE, false, false},
        {"Alt during a capture", VK_MENU, kAlt, 1, FALSE, false, true},
        {"Alt+F offered to the sinks", 'F', kAlt, 0, FALSE, false, true},
        {"plain key offered", 'F', 0, 0, FALSE, false, true},
        {"key release ignored", 'F', kUp, 0, FALSE, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bar->trackLost = 0;
        m_manager->AddTrackedBar(bar);
        for (int i = 0; i < c.lock; ++i) {
            m_manager->LockTracking();
        }
        sink.lastKey = 0;
        EXPECT_EQ(c.swallowed, keyboard->OnHookKey(c.key, c.data));
        EXPECT_EQ(c.closed ? 1 : 0, bar->trackLost);
        EXPECT_EQ(c.offered ? c.key : 0u, sink.lastKey);
        for (int i = 0; i < c.lock; ++i) {
            m_manager->UnlockTracking();
        }
        m_manager->RemoveTrackedBar(bar);
    }
    keyboard->UnhookKeyboard(&sink);
    // Without sinks nothing is looked at.
    m_manager->AddTrackedBar(bar);
    bar->trackLost = 0;
    EXPECT_FALSE(keyboard->OnHookKey(VK_MENU, kAlt));
    EXPECT_EQ(0, bar->trackLost);
}

TEST_F(MouseManagerTest, DeactivationClosesTrackedBars)
{
    Bars bars;
    TestBar* bar = bars.New();
    TestWindow window(50, 50, 100, 100);
    AnsweringSink sink(0, nullptr, 1);
    GetThreadKeyboardManager()->HookKeyboard(&sink);
    m_manager->AddTrackedBar(bar);
    // Through the real window-procedure hook: activation gained changes nothing, lost closes.
    ::SendMessageW(window.Wnd(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(0, bar->trackLost);
    ::SendMessageW(window.Wnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(1, bar->trackLost);
    EXPECT_EQ(0, m_manager->GetTrackedCount());
    GetThreadKeyboardManager()->UnhookKeyboard(&sink);
    // Without sinks the hook is gone: nothing closes.
    m_manager->AddTrackedBar(bar);
    ::SendMessageW(window.Wnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(1, bar->trackLost);
}

// Real key presses reach the focused edit only when a sink lets them through.
class KeyInput : public MouseManagerTest {
protected:
    void SetUp() override
    {
        MouseManagerTest::SetUp();
        m_frame = std::make_unique<TestWindow>(100, 100, 300, 200,
                                               WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        m_edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10,
                                   200, 24, m_frame->Wnd(), nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
        for (int i = 0; i < 20 && ::GetForegroundWindow() != m_frame->Wnd(); ++i) {
            ::SetForegroundWindow(m_frame->Wnd());
            Pump(3);
        }
        ::SetFocus(m_edit);
        Pump();
    }
    void TearDown() override
    {
        m_frame.reset();
        MouseManagerTest::TearDown();
    }
    static void Key(WORD vk, bool up)
    {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        ::SendInput(1, &in, sizeof in);
    }
    static void Press(WORD vk)
    {
        Key(vk, false);
        Key(vk, true);
        Pump();
    }
    std::wstring EditText() const
    {
        wchar_t text[64] = {};
        ::GetWindowTextW(m_edit, text, 64);
        return text;
    }

    std::unique_ptr<TestWindow> m_frame;
    HWND m_edit = nullptr;
};

TEST_F(KeyInput, SinkDecidesWhetherTheKeyReachesTheFocusedEdit)
{
    ASSERT_EQ(m_edit, ::GetFocus());
    Press('A');
    ASSERT_EQ(L"a", EditText()) << "typing reaches the edit without sinks";

    AnsweringSink sink(1, nullptr, 1);
    GetThreadKeyboardManager()->HookKeyboard(&sink);
    Press('B');
    EXPECT_EQ(L"a", EditText()) << "a swallowing sink keeps the key from the edit";
    EXPECT_EQ(static_cast<WPARAM>('B'), sink.lastKey);
    EXPECT_EQ(static_cast<UINT>(WM_KEYDOWN), sink.lastMessage);

    sink.SetAnswer(2);
    Press('C');
    EXPECT_EQ(L"ac", EditText()) << "answer 2 lets the key through";
    sink.SetAnswer(0);
    Press('D');
    EXPECT_EQ(L"ac", EditText()) << "no sink handling it: swallowed";
    GetThreadKeyboardManager()->UnhookKeyboard(&sink);
    Press('E');
    EXPECT_EQ(L"ace", EditText());
}

TEST_F(KeyInput, RealAltClosesTheTrackedBars)
{
    Bars bars;
    TestBar* bar = bars.New();
    AnsweringSink sink(2, nullptr, 1);
    GetThreadKeyboardManager()->HookKeyboard(&sink);
    m_manager->AddTrackedBar(bar);
    Press(VK_MENU);
    EXPECT_EQ(1, bar->trackLost);
    EXPECT_EQ(0, m_manager->GetTrackedCount());
    GetThreadKeyboardManager()->UnhookKeyboard(&sink);
}

// ---- mouse manager ----

TEST_F(MouseManagerTest, TrackedListSelectionAndLocks)
{
    Bars bars;
    TestBar* a = bars.New();
    TestBar* b = bars.New();
    TestBar* selected = bars.New();
    m_manager->SetSelected(selected);
    m_manager->AddTrackedBar(a);
    EXPECT_EQ(1, selected->resets) << "the first tracked bar clears the old hot control";
    m_manager->AddTrackedBar(a);
    m_manager->AddTrackedBar(b);
    EXPECT_EQ(1, selected->resets);
    EXPECT_EQ(2, m_manager->GetTrackedCount());

    m_manager->LockTrackRecurse(TRUE);
    EXPECT_EQ(1, a->GetTrackLock());
    EXPECT_EQ(1, b->GetTrackLock());
    EXPECT_TRUE(m_manager->IsTrackedLock(a));
    m_manager->LockTrackRecurse(FALSE);
    EXPECT_EQ(0, b->GetTrackLock());

    const struct {
        const char* what;
        const CUTKCommandBar* bar;
        BOOL locked;
    } cases[] = {{"tracked", a, FALSE}, {"null", nullptr, TRUE}, {"not tracked", selected, TRUE}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.locked, m_manager->IsTrackedLock(c.bar)) << c.what;
    }
    m_manager->SetIgnoreLButtonUp(TRUE);
    m_manager->RemoveTrackedBar(b);
    EXPECT_FALSE(m_manager->IsIgnoreLButtonUp());
    m_manager->RemoveTrackedBar(a);
    EXPECT_FALSE(m_manager->IsTrackedLock(nullptr)) << "nothing tracked: nothing locked";
    EXPECT_EQ(-1, CUTKMouseManager::GetLastMousePosition().x) << "the position is refreshed";
}

TEST_F(MouseManagerTest, SendTrackLostClosesEveryBarOnce)
{
    Bars bars;
    std::vector<TestBar*> closed;
    TestBar* a = bars.New(&closed);
    TestBar* b = bars.New(&closed);
    TestBar* stubborn = bars.New(&closed);
    stubborn->stayTracked = TRUE;
    m_manager->AddTrackedBar(a);
    m_manager->AddTrackedBar(stubborn);
    m_manager->AddTrackedBar(b);
    m_manager->SendTrackLost();
    EXPECT_EQ((std::vector<TestBar*>{a, stubborn, b}), closed);
    EXPECT_EQ(0, m_manager->GetTrackedCount()) << "a bar that stays is taken off all the same";
}

TEST_F(MouseManagerTest, NestedCloseLooksAgainAtTheSameIndex)
{
    const struct {
        const char* what;
        std::vector<int> locks;
        std::vector<std::vector<int>> closesWithIt;
        std::vector<int> closed;
        std::vector<int> left;
    } cases[] = {
        {"outer locked, two inner popups", {1, 0, 0}, {{}, {}, {}}, {1, 2}, {0}},
        {"inner popup closes its child with it", {1, 0, 0, 0}, {{}, {2}, {}, {}}, {1, 2, 3},
         {0}},
        {"locked bars stay", {1, 0, 1, 0}, {{}, {}, {}, {}}, {1, 3}, {0, 2}},
        {"outer not locked: nothing", {0, 0}, {{}, {}}, {}, {0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bars bars;
        std::vector<TestBar*> closed;
        std::vector<TestBar*> all;
        for (size_t i = 0; i < c.locks.size(); ++i) {
            all.push_back(bars.New(&closed));
            all.back()->SetTrackLock(c.locks[i]);
            m_manager->AddTrackedBar(all.back());
        }
        for (size_t i = 0; i < c.closesWithIt.size(); ++i) {
            for (int child : c.closesWithIt[i]) {
                all[i]->closesWithIt.push_back(all[static_cast<size_t>(child)]);
            }
        }
        m_manager->SendTrackLostRecurse();
        std::vector<TestBar*> expectedClosed;
        for (int i : c.closed) {
            expectedClosed.push_back(all[static_cast<size_t>(i)]);
        }
        EXPECT_EQ(expectedClosed, closed);
        ASSERT_EQ(static_cast<int>(c.left.size()), m_manager->GetTrackedCount());
        for (size_t i = 0; i < c.left.size(); ++i) {
            EXPECT_EQ(all[static_cast<size_t>(c.left[i])], m_manager->GetTrackArray()[i]);
        }
        for (TestBar* bar : all) {
            bar->SetTrackLock(0);
        }
        m_manager->SendTrackLost();
    }
}

TEST_F(MouseManagerTest, HookSwallowsRepeatedMovesAndTheIgnoredRelease)
{
    Bars bars;
    TestBar* bar = bars.New();
    const POINT p{5, 7};
    // Not tracking: a repeated move goes on.
    EXPECT_FALSE(m_manager->OnHookMouse(WM_MOUSEMOVE, p));
    EXPECT_FALSE(m_manager->OnHookMouse(WM_MOUSEMOVE, p));
    EXPECT_EQ(5, CUTKMouseManager::GetLastMousePosition().x);
    EXPECT_EQ(7, CUTKMouseManager::GetLastMousePosition().y);
    m_manager->AddTrackedBar(bar);
    EXPECT_TRUE(m_manager->OnHookMouse(WM_MOUSEMOVE, p));
    EXPECT_TRUE(m_manager->OnHookMouse(WM_NCMOUSEMOVE, p));
    EXPECT_FALSE(m_manager->OnHookMouse(WM_MOUSEMOVE, POINT{6, 7}));
    // The ignored release is swallowed once; a button press clears the flag.
    m_manager->SetIgnoreLButtonUp(TRUE);
    EXPECT_TRUE(m_manager->OnHookMouse(WM_LBUTTONUP, POINT{6, 7}));
    EXPECT_FALSE(m_manager->IsIgnoreLButtonUp());
    m_manager->SetIgnoreLButtonUp(TRUE);
    EXPECT_TRUE(m_manager->OnHookMouse(WM_NCLBUTTONUP, POINT{6, 7}));
    m_manager->SetIgnoreLButtonUp(TRUE);
    m_manager->OnHookMouse(WM_RBUTTONDOWN, POINT{-5000, -5000});
    EXPECT_FALSE(m_manager->IsIgnoreLButtonUp());
}

TEST_F(MouseManagerTest, ClicksOutsideInsideAndOnTrustedWindows)
{
    TestWindow barWindow(100, 100, 120, 80);
    TestWindow other(400, 100, 120, 80);
    TestWindow trusted(600, 100, 120, 80);
    TestWindow hiddenTrusted(800, 100, 120, 80, WS_POPUP);
    // A window of an input method's class (CS_IME), such as a candidate list.
    WNDCLASSW ime{};
    ime.style = CS_IME;
    ime.lpfnWndProc = ::DefWindowProcW;
    ime.hInstance = ::GetModuleHandleW(nullptr);
    ime.lpszClassName = L"OrvaneInputTestIme";
    ::RegisterClassW(&ime);
    HWND imeWnd = ::CreateWindowExW(0, L"OrvaneInputTestIme", L"", WS_POPUP | WS_VISIBLE, 100,
                                    400, 120, 80, nullptr, nullptr, ime.hInstance, nullptr);
    ASSERT_NE(nullptr, imeWnd);
    const POINT onIme{160, 440};
    Pump();
    const struct {
        const char* what;
        UINT message;
        POINT at;
        int barLock;
        int captureLock;
        bool closed;
    } cases[] = {
        {"press outside", WM_LBUTTONDOWN, other.Center(), 0, 0, true},
        {"right press outside", WM_RBUTTONDOWN, other.Center(), 0, 0, true},
        {"non-client press outside", WM_NCLBUTTONDOWN, other.Center(), 0, 0, true},
        {"release outside", WM_LBUTTONUP, other.Center(), 0, 0, true},
        {"release outside during a capture", WM_LBUTTONUP, other.Center(), 0, 1, false},
        {"press outside during a capture", WM_LBUTTONDOWN, other.Center(), 0, 1, true},
        {"move outside", WM_MOUSEMOVE, other.Center(), 0, 0, false},
        {"press inside", WM_LBUTTONDOWN, barWindow.Center(), 0, 0, false},
        {"press on a trusted window", WM_LBUTTONDOWN, trusted.Center(), 0, 0, false},
        {"press where a hidden trusted window is", WM_LBUTTONDOWN, hiddenTrusted.Center(), 0, 0,
         true},
        {"press on an input method's window", WM_LBUTTONDOWN, onIme, 0, 0, false},
    };
    m_manager->AddTrustedWindow(trusted.Wnd());
    m_manager->AddTrustedWindow(hiddenTrusted.Wnd());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bars bars;
        TestBar* bar = bars.New();
        bar->AttachWindow(barWindow.Wnd());
        bar->SetTrackLock(c.barLock);
        m_manager->AddTrackedBar(bar);
        for (int i = 0; i < c.captureLock; ++i) {
            m_manager->LockTracking();
        }
        EXPECT_FALSE(m_manager->OnHookMouse(c.message, c.at));
        EXPECT_EQ(c.closed ? 1 : 0, bar->trackLost);
        for (int i = 0; i < c.captureLock; ++i) {
            m_manager->UnlockTracking();
        }
        m_manager->SendTrackLost();
        bar->Leave();
    }
    m_manager->RemoveTrustedWindow(trusted.Wnd());
    EXPECT_EQ(1, static_cast<int>(m_manager->GetTrustedArray().GetSize()));
    ::DestroyWindow(imeWnd);
}

TEST_F(MouseManagerTest, PressInsideALockedBarClosesTheNestedPopups)
{
    TestWindow outerWindow(100, 100, 120, 80);
    Pump();
    Bars bars;
    std::vector<TestBar*> closed;
    TestBar* outer = bars.New(&closed);
    TestBar* inner = bars.New(&closed);
    outer->AttachWindow(outerWindow.Wnd());
    outer->SetTrackLock(1);
    m_manager->AddTrackedBar(outer);
    m_manager->AddTrackedBar(inner);
    // A move inside does nothing; a press closes the popups of the nested tracking. (The
    // pointer may rest there already: the real hook then saw this point last.)
    CUTKMouseManager::SetLastMousePosition(POINT{-1, -1});
    EXPECT_FALSE(m_manager->OnHookMouse(WM_MOUSEMOVE, outerWindow.Center()));
    EXPECT_TRUE(closed.empty());
    EXPECT_FALSE(m_manager->OnHookMouse(WM_LBUTTONDOWN, outerWindow.Center()));
    EXPECT_EQ(std::vector<TestBar*>{inner}, closed);
    EXPECT_EQ(0, CUTKMouseManager::GetLastMousePosition().x);
    EXPECT_EQ(1, m_manager->GetTrackedCount());
    outer->SetTrackLock(0);
}

TEST_F(MouseManagerTest, PreviewTrackingClick)
{
    TestWindow barWindow(100, 100, 120, 80);
    TestWindow lockedWindow(300, 100, 120, 80);
    TestWindow other(500, 100, 120, 80);
    TestWindow trusted(700, 100, 120, 80);
    Pump();
    Bars bars;
    TestBar* tracking = bars.New();
    TestBar* locked = bars.New();
    tracking->AttachWindow(barWindow.Wnd());
    locked->AttachWindow(lockedWindow.Wnd());
    locked->SetTrackLock(1);
    m_manager->AddTrackedBar(locked);
    m_manager->AddTrackedBar(tracking);
    m_manager->AddTrustedWindow(trusted.Wnd());
    const struct {
        const char* what;
        UINT message;
        POINT at;
        BOOL leaves;
    } cases[] = {
        {"press in the tracking bar", WM_LBUTTONDOWN, barWindow.Center(), FALSE},
        {"press in a locked bar", WM_LBUTTONDOWN, lockedWindow.Center(), TRUE},
        {"press outside", WM_RBUTTONDOWN, other.Center(), TRUE},
        {"middle press outside", WM_MBUTTONDOWN, other.Center(), TRUE},
        {"non-client press outside", WM_NCLBUTTONDOWN, other.Center(), TRUE},
        {"press on a trusted window", WM_LBUTTONDOWN, trusted.Center(), FALSE},
        {"a move is no click", WM_MOUSEMOVE, other.Center(), FALSE},
        {"a release is no click", WM_LBUTTONUP, other.Center(), FALSE},
    };
    for (const auto& c : cases) {
        ::SetCursorPos(c.at.x, c.at.y);
        MSG msg{};
        msg.message = c.message;
        EXPECT_EQ(c.leaves, m_manager->PreviewTrackingClick(tracking, &msg)) << c.what;
    }
    EXPECT_FALSE(m_manager->PreviewTrackingClick(tracking, nullptr));
    locked->SetTrackLock(0);
    // The rule itself: a locked holder counts as outside only for an unlocked tracking bar.
    EXPECT_TRUE(CUTKMouseManager::IsClickOutside(0, FALSE, 0));
    EXPECT_TRUE(CUTKMouseManager::IsClickOutside(1, TRUE, 0));
    EXPECT_FALSE(CUTKMouseManager::IsClickOutside(1, TRUE, 1));
    EXPECT_FALSE(CUTKMouseManager::IsClickOutside(0, TRUE, 0));
}

TEST_F(MouseManagerTest, MouseLeaveWatch)
{
    TestWindow first(100, 100, 100, 100);
    TestWindow second(300, 100, 100, 100);
    ::SetCursorPos(first.Center().x, first.Center().y);
    m_manager->TrackMouseLeave(first.Wnd());
    m_manager->TrackMouseLeave(first.Wnd());
    EXPECT_EQ(first.Wnd(), m_manager->GetMouseLeaveWnd());
    EXPECT_EQ(0, first.Messages().Count(WM_MOUSELEAVE));
    // A second window: the first one hears it at once (sent, not posted).
    ::SetCursorPos(second.Center().x, second.Center().y);
    m_manager->TrackMouseLeave(second.Wnd());
    EXPECT_EQ(1, first.Messages().Count(WM_MOUSELEAVE));
    EXPECT_EQ(second.Wnd(), m_manager->GetMouseLeaveWnd());
    // While the cursor stays over the top-level window the watch goes on.
    Pump(8);
    EXPECT_EQ(0, second.Messages().Count(WM_MOUSELEAVE));
    EXPECT_EQ(second.Wnd(), m_manager->GetMouseLeaveWnd());
    // The cursor leaves: the next tick posts WM_MOUSELEAVE once and ends the watch.
    ::SetCursorPos(700, 700);
    for (int i = 0; i < 100 && m_manager->GetMouseLeaveWnd() != nullptr; ++i) {
        Pump(1);
    }
    Pump(8);
    EXPECT_EQ(1, second.Messages().Count(WM_MOUSELEAVE));
    EXPECT_EQ(1, first.Messages().Count(WM_MOUSELEAVE)) << "the old watch must not fire again";
    EXPECT_EQ(nullptr, m_manager->GetMouseLeaveWnd());
}

TEST_F(MouseManagerTest, MouseLeaveOfAChildWhoseTopWindowIsInactive)
{
    TestWindow top(100, 100, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TestWindow child(10, 10, 100, 100, WS_CHILD | WS_VISIBLE, top.Wnd());
    TestWindow active(500, 100, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    for (int i = 0; i < 20 && ::GetForegroundWindow() != active.Wnd(); ++i) {
        ::SetForegroundWindow(active.Wnd());
        Pump(3);
    }
    ASSERT_EQ(active.Wnd(), ::GetForegroundWindow());
    const POINT over = child.Center();
    ::SetCursorPos(over.x, over.y);
    m_manager->TrackMouseLeave(child.Wnd());
    for (int i = 0; i < 100 && m_manager->GetMouseLeaveWnd() != nullptr; ++i) {
        Pump(1);
    }
    Pump(3);
    EXPECT_EQ(1, child.Messages().Count(WM_MOUSELEAVE));
}

TEST_F(MouseManagerTest, DestroyedWindowsAreLeftAlone)
{
    auto trusted = std::make_unique<TestWindow>(100, 100, 100, 100);
    auto watched = std::make_unique<TestWindow>(300, 100, 100, 100);
    const POINT where = trusted->Center();
    m_manager->AddTrustedWindow(trusted->Wnd());
    m_manager->TrackMouseLeave(watched->Wnd());
    trusted.reset();
    watched.reset();
    Bars bars;
    TestBar* bar = bars.New();
    TestWindow barWindow(500, 500, 50, 50);
    bar->AttachWindow(barWindow.Wnd());
    m_manager->AddTrackedBar(bar);
    m_manager->OnHookMouse(WM_LBUTTONDOWN, where);
    EXPECT_EQ(1, bar->trackLost) << "a destroyed trusted window protects nothing";
    // The watch of a destroyed window went with its timer; a new watch starts normally.
    TestWindow next(100, 300, 50, 50);
    m_manager->TrackMouseLeave(next.Wnd()); // nothing is sent to the destroyed window
    EXPECT_EQ(next.Wnd(), m_manager->GetMouseLeaveWnd());
    bar->Leave();
}

TEST(MousePosition, OneValueForBothCoordinates)
{
    // Writers store (n, -n) pairs; a reader must never see x of one with y of another.
    std::atomic<bool> stop{false};
    std::atomic<int> torn{0};
    CUTKMouseManager::SetLastMousePosition(POINT{0, 0});
    std::vector<std::thread> writers;
    for (int w = 0; w < 2; ++w) {
        writers.emplace_back([&, w] {
            for (LONG n = 1; !stop; ++n) {
                const LONG v = n * 2 + w;
                CUTKMouseManager::SetLastMousePosition(POINT{v, -v});
            }
        });
    }
    for (int i = 0; i < 200000; ++i) {
        const POINT p = CUTKMouseManager::GetLastMousePosition();
        if (p.x != -p.y) {
            ++torn;
        }
    }
    stop = true;
    for (auto& t : writers) {
        t.join();
    }
    EXPECT_EQ(0, torn.load());
    CUTKMouseManager::SetLastMousePosition(POINT{-1, -1});
}

TEST(ThreadManagers, EachThreadHasItsOwn)
{
    CUTKMouseManager* mainMouse = GetThreadMouseManager();
    CUTKKeyboardManager* mainKeyboard = GetThreadKeyboardManager();
    EXPECT_EQ(mainMouse, GetThreadMouseManager());
    ASSERT_NE(nullptr, mainMouse->GetHook()) << "the mouse hook lives as long as the manager";
    CUTKMouseManager* otherMouse = nullptr;
    CUTKKeyboardManager* otherKeyboard = nullptr;
    HHOOK otherHook = nullptr;
    std::thread([&] {
        otherMouse = GetThreadMouseManager();
        otherKeyboard = GetThreadKeyboardManager();
        otherHook = otherMouse->GetHook();
        otherMouse->LockTracking();
    }).join();
    EXPECT_NE(mainMouse, otherMouse);
    EXPECT_NE(mainKeyboard, otherKeyboard);
    EXPECT_NE(nullptr, otherHook);
    EXPECT_NE(mainMouse->GetHook(), otherHook);
    EXPECT_EQ(0, mainMouse->GetLockCount()) << "the other thread's lock is its own";
    // The ended thread's manager took its hook away with it.
    EXPECT_FALSE(::UnhookWindowsHookEx(otherHook));
}

// Real clicks through the thread's mouse hook.
class MouseInput : public MouseManagerTest {
protected:
    static void ClickAt(POINT p)
    {
        ::SetCursorPos(p.x, p.y);
        INPUT in[3] = {};
        in[0].type = INPUT_MOUSE;
        in[0].mi.dx = p.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        in[0].mi.dy = p.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        in[1].type = INPUT_MOUSE;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[2].type = INPUT_MOUSE;
        in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(3, in, sizeof(INPUT));
        Pump(15);
    }
};

TEST_F(MouseInput, RealClickOutsideClosesOnATrustedWindowDoesNot)
{
    ASSERT_NE(nullptr, m_manager->GetHook());
    TestWindow barWindow(100, 100, 120, 80);
    TestWindow other(400, 100, 120, 80);
    TestWindow trusted(600, 100, 120, 80);
    Pump();
    m_manager->AddTrustedWindow(trusted.Wnd());
    Bars bars;
    TestBar* bar = bars.New();
    bar->AttachWindow(barWindow.Wnd());
    m_manager->AddTrackedBar(bar);
    ClickAt(trusted.Center());
    EXPECT_EQ(0, bar->trackLost);
    EXPECT_GE(trusted.Messages().Count(WM_LBUTTONDOWN), 1) << "the click was delivered";
    ClickAt(barWindow.Center());
    EXPECT_EQ(0, bar->trackLost);
    ClickAt(other.Center());
    EXPECT_EQ(1, bar->trackLost);
    EXPECT_EQ(0, m_manager->GetTrackedCount());
    bar->Leave();
}

TEST_F(MouseInput, RealReleaseAfterAnExpansionIsSwallowed)
{
    TestWindow target(100, 100, 120, 80);
    Pump();
    const POINT p = target.Center();
    ::SetCursorPos(p.x, p.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &in, sizeof in);
    Pump(10);
    m_manager->SetIgnoreLButtonUp(TRUE); // as a popup that expanded on this press does
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &in, sizeof in);
    Pump(10);
    EXPECT_EQ(1, target.Messages().Count(WM_LBUTTONDOWN));
    EXPECT_EQ(0, target.Messages().Count(WM_LBUTTONUP));
    EXPECT_FALSE(m_manager->IsIgnoreLButtonUp());
}

} // namespace
