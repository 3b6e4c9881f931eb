// The hook manager on real windows: clients see a window's messages newest first and answer
// for it, the window's own procedure comes back when the last client goes or the window is
// destroyed, ANSI windows stay ANSI, and clients may leave (or take others with them) while a
// message is being offered.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/common/CUTKHookManager.h"

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kProbe = WM_APP + 1;
constexpr LRESULT kWindowAnswer = 7;

std::vector<std::string> g_log;
std::string g_lastAnsiText;
BOOL g_procWasOwnAtNcDestroy = FALSE;

LRESULT CALLBACK OwnProcW(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProbe) {
        g_log.push_back("window");
        return kWindowAnswer;
    }
    if (message == WM_NCDESTROY) {
        g_procWasOwnAtNcDestroy =
            ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&OwnProcW);
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK OwnProcA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProbe) {
        g_log.push_back("window");
        return kWindowAnswer;
    }
    if (message == WM_SETTEXT) {
        g_lastAnsiText = reinterpret_cast<const char*>(lParam);
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// A client that logs what it is offered and answers as told; an action may run first.
class RecordingClient : public CUTKHookManagerHookAble {
public:
    RecordingClient(std::string name, int* destroyed = nullptr)
        : m_name(std::move(name)), m_destroyed(destroyed)
    {
    }
    ~RecordingClient() override
    {
        if (m_destroyed != nullptr) {
            ++*m_destroyed;
        }
    }
    int OnHookMessage(HWND hWnd, UINT message, WPARAM& /*wParam*/, LPARAM& lParam,
                      LRESULT& result) override
    {
        if (message == WM_SETTEXT) {
            m_seenText = reinterpret_cast<const char*>(lParam);
        }
        if (message == WM_DESTROY) {
            g_log.push_back(m_name + ":destroy");
        }
        if (message != kProbe) {
            return hookContinue;
        }
        m_currentMessage = CWnd::GetCurrentMessage()->message;
        g_log.push_back(m_name);
        if (m_action) {
            // The action may delete this object: nothing of it is touched afterwards.
            const int answer = m_answer;
            const LRESULT value = m_result;
            std::function<void(HWND)> action = m_action;
            action(hWnd);
            result = value;
            return answer;
        }
        result = m_result;
        return m_answer;
    }

    std::string m_name;
    int* m_destroyed;
    int m_answer = hookContinue;
    LRESULT m_result = 0;
    std::function<void(HWND)> m_action;
    UINT m_currentMessage = 0;
    std::string m_seenText;
};

class HookManagerTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSW wide{};
        wide.lpfnWndProc = &OwnProcW;
        wide.hInstance = ::GetModuleHandleW(nullptr);
        wide.lpszClassName = L"HookTestWide";
        ::RegisterClassW(&wide);
        WNDCLASSA narrow{};
        narrow.lpfnWndProc = &OwnProcA;
        narrow.hInstance = ::GetModuleHandleW(nullptr);
        narrow.lpszClassName = "HookTestAnsi";
        ::RegisterClassA(&narrow);
    }
    void SetUp() override
    {
        g_log.clear();
        m_hWnd = MakeWindow(TRUE);
        ASSERT_NE(nullptr, m_hWnd);
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd)) {
            ::DestroyWindow(m_hWnd);
        }
    }
    static HWND MakeWindow(BOOL wide)
    {
        if (wide) {
            return ::CreateWindowExW(0, L"HookTestWide", L"", WS_POPUP, 0, 0, 50, 50, nullptr,
                                     nullptr, ::GetModuleHandleW(nullptr), nullptr);
        }
        return ::CreateWindowExA(0, "HookTestAnsi", "", WS_POPUP, 0, 0, 50, 50, nullptr,
                                 nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    static LONG_PTR ProcOf(HWND hWnd)
    {
        return ::IsWindowUnicode(hWnd) ? ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)
                                       : ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    }
    static LONG_PTR HookProc()
    {
        return reinterpret_cast<LONG_PTR>(&CUTKHookManager::CHookSink::HookWndProc);
    }

    HWND m_hWnd = nullptr;
};

TEST_F(HookManagerTest, NewestClientFirstAndItsAnswerDecides)
{
    struct Case {
        int firstAnswer;
        int secondAnswer;  // the client registered last
        std::vector<std::string> log;
        LRESULT result;
    } cases[] = {
        {0, 0, {"second", "first", "window"}, kWindowAnswer},
        {0, 1, {"second"}, 42},
        {0, 2, {"second", "window"}, kWindowAnswer},
        {1, 0, {"second", "first"}, 42},
        {2, 0, {"second", "first", "window"}, kWindowAnswer},
    };
    for (const Case& c : cases) {
        RecordingClient first("first");
        RecordingClient second("second");
        first.m_answer = c.firstAnswer;
        first.m_result = 42;
        second.m_answer = c.secondAnswer;
        second.m_result = 42;
        GetHookManager()->SetHook(m_hWnd, &first);
        GetHookManager()->SetHook(m_hWnd, &second);
        // A second registration of the same client changes nothing.
        GetHookManager()->SetHook(m_hWnd, &first);
        g_log.clear();
        EXPECT_EQ(c.result, ::SendMessageW(m_hWnd, kProbe, 0, 0));
        EXPECT_EQ(c.log, g_log) << c.firstAnswer << "/" << c.secondAnswer;
        // The clients saw the message as the framework's current one.
        EXPECT_EQ(kProbe, second.m_currentMessage);
        GetHookManager()->RemoveAll(&first);
        GetHookManager()->RemoveAll(&second);
    }
}

TEST_F(HookManagerTest, LastRemovalPutsTheWindowProcedureBack)
{
    const LONG_PTR own = ProcOf(m_hWnd);
    int destroyed = 0;
    RecordingClient kept("kept", &destroyed);
    auto* owned = new RecordingClient("owned", &destroyed);
    owned->m_autoDelete = TRUE;
    GetHookManager()->SetHook(m_hWnd, &kept);
    GetHookManager()->SetHook(m_hWnd, owned);
    EXPECT_EQ(HookProc(), ProcOf(m_hWnd));

    GetHookManager()->RemoveHook(m_hWnd, owned);
    EXPECT_EQ(1, destroyed);  // the auto-delete client went with its removal
    EXPECT_EQ(HookProc(), ProcOf(m_hWnd));
    ASSERT_NE(nullptr, GetHookManager()->Lookup(m_hWnd));

    GetHookManager()->RemoveHook(m_hWnd, &kept);
    EXPECT_EQ(1, destroyed);
    EXPECT_EQ(own, ProcOf(m_hWnd));
    EXPECT_EQ(nullptr, GetHookManager()->Lookup(m_hWnd));
    g_log.clear();
    EXPECT_EQ(kWindowAnswer, ::SendMessageW(m_hWnd, kProbe, 0, 0));
    EXPECT_EQ(std::vector<std::string>{"window"}, g_log);
}

TEST_F(HookManagerTest, DestroyedWindowIsUnhookedBeforeItsOwnNcDestroy)
{
    const INT_PTR sinks = GetHookManager()->GetSinkCount();
    int destroyed = 0;
    RecordingClient kept("kept", &destroyed);
    auto* owned = new RecordingClient("owned", &destroyed);
    owned->m_autoDelete = TRUE;
    GetHookManager()->SetHook(m_hWnd, &kept);
    GetHookManager()->SetHook(m_hWnd, owned);
    g_procWasOwnAtNcDestroy = FALSE;
    g_log.clear();

    ASSERT_TRUE(::DestroyWindow(m_hWnd));
    EXPECT_EQ((std::vector<std::string>{"owned:destroy", "kept:destroy"}), g_log);
    EXPECT_TRUE(g_procWasOwnAtNcDestroy);
    EXPECT_EQ(nullptr, GetHookManager()->Lookup(m_hWnd));
    EXPECT_EQ(sinks, GetHookManager()->GetSinkCount());
    EXPECT_EQ(1, destroyed);
}

TEST_F(HookManagerTest, WindowKeepsItsCharacterSet)
{
    for (BOOL wide : {FALSE, TRUE}) {
        HWND hWnd = MakeWindow(wide);
        ASSERT_NE(nullptr, hWnd);
        const LONG_PTR own = ProcOf(hWnd);
        RecordingClient client("client");
        GetHookManager()->SetHook(hWnd, &client);
        EXPECT_EQ(wide, ::IsWindowUnicode(hWnd));
        EXPECT_EQ(HookProc(), ProcOf(hWnd));
        if (!wide) {
            // ANSI text reaches the client and the window's own procedure untranslated.
            const char text[] = "caf\xe9 menu";
            ASSERT_TRUE(::SetWindowTextA(hWnd, text));
            EXPECT_EQ(text, client.m_seenText);
            EXPECT_EQ(text, g_lastAnsiText);
            char back[32] = {};
            ::GetWindowTextA(hWnd, back, 32);
            EXPECT_STREQ(text, back);
        }
        GetHookManager()->RemoveHook(hWnd, &client);
        EXPECT_EQ(wide, ::IsWindowUnicode(hWnd));
        EXPECT_EQ(own, ProcOf(hWnd));
        ::DestroyWindow(hWnd);
    }
}

TEST_F(HookManagerTest, ClientsLeavingDuringDispatch)
{
    // Registered in order bottom, middle, top; the top one acts when offered the probe.
    enum Action { removeSelf, removeMiddle, removeAll, destroyWindow };
    struct Case {
        Action action;
        std::vector<std::string> log;
        BOOL hooked;  // the window still has a sink afterwards
        int destroyed;
    } cases[] = {
        {removeSelf, {"top", "middle", "bottom", "window"}, TRUE, 1},
        {removeMiddle, {"top", "bottom", "window"}, TRUE, 1},
        {removeAll, {"top", "window"}, FALSE, 3},
        {destroyWindow, {"top", "top:destroy", "middle:destroy", "bottom:destroy", "window"},
         FALSE, 3},
    };
    for (const Case& c : cases) {
        HWND hWnd = MakeWindow(TRUE);
        const LONG_PTR own = ProcOf(hWnd);
        int destroyed = 0;
        auto* bottom = new RecordingClient("bottom", &destroyed);
        auto* middle = new RecordingClient("middle", &destroyed);
        auto* top = new RecordingClient("top", &destroyed);
        for (RecordingClient* client : {bottom, middle, top}) {
            client->m_autoDelete = TRUE;
            GetHookManager()->SetHook(hWnd, client);
        }
        top->m_action = [&c, bottom, middle, top](HWND target) {
            switch (c.action) {
            case removeSelf:
                GetHookManager()->RemoveHook(target, top);
                break;
            case removeMiddle:
                GetHookManager()->RemoveHook(target, middle);
                break;
            case removeAll:
                GetHookManager()->RemoveHook(target, top);
                GetHookManager()->RemoveHook(target, middle);
                GetHookManager()->RemoveHook(target, bottom);
                break;
            case destroyWindow:
                ::DestroyWindow(target);
                break;
            }
        };
        g_log.clear();
        ::SendMessageW(hWnd, kProbe, 0, 0);
        EXPECT_EQ(c.log, g_log) << c.action;
        EXPECT_EQ(c.destroyed, destroyed) << c.action;
        EXPECT_EQ(c.hooked, GetHookManager()->Lookup(hWnd) != nullptr) << c.action;
        if (::IsWindow(hWnd)) {
            EXPECT_EQ(c.hooked ? HookProc() : own, ProcOf(hWnd)) << c.action;
            ::DestroyWindow(hWnd);
        }
        EXPECT_EQ(nullptr, GetHookManager()->Lookup(hWnd));
        EXPECT_EQ(3, destroyed) << c.action;
    }
}

// A subclasser that came after the hook, answering the sink's leave request like a second
// sink would, or ignoring it like a plain subclass.
WNDPROC g_aboveNext = nullptr;
BOOL g_aboveTakesOver = FALSE;

LRESULT CALLBACK AboveProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const UINT removed = ::RegisterWindowMessageW(L"WM_HOOKMANAGER_SINKREMOVED");
    if (message == removed && g_aboveTakesOver &&
        wParam == reinterpret_cast<WPARAM>(g_aboveNext)) {
        g_aboveNext = reinterpret_cast<WNDPROC>(lParam);
        return 1;
    }
    return ::CallWindowProcW(g_aboveNext, hWnd, message, wParam, lParam);
}

TEST_F(HookManagerTest, LeavingUnderAnotherSubclass)
{
    for (BOOL takesOver : {TRUE, FALSE}) {
        HWND hWnd = MakeWindow(TRUE);
        const LONG_PTR own = ProcOf(hWnd);
        RecordingClient client("client");
        GetHookManager()->SetHook(hWnd, &client);
        g_aboveTakesOver = takesOver;
        g_aboveNext = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AboveProc)));

        GetHookManager()->RemoveHook(hWnd, &client);
        // The later subclass stays in place either way and the window still answers.
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(&AboveProc), ProcOf(hWnd));
        g_log.clear();
        EXPECT_EQ(kWindowAnswer, ::SendMessageW(hWnd, kProbe, 0, 0));
        EXPECT_EQ(std::vector<std::string>{"window"}, g_log);
        if (takesOver) {
            // The other subclass now calls the window's procedure directly.
            EXPECT_EQ(own, reinterpret_cast<LONG_PTR>(g_aboveNext));
            EXPECT_EQ(nullptr, GetHookManager()->Lookup(hWnd));
        } else {
            // Putting the old procedure back would cut the other subclass off: the sink
            // stays, empty, until the window goes.
            EXPECT_EQ(HookProc(), reinterpret_cast<LONG_PTR>(g_aboveNext));
            EXPECT_NE(nullptr, GetHookManager()->Lookup(hWnd));
        }
        ::DestroyWindow(hWnd);
        EXPECT_EQ(nullptr, GetHookManager()->Lookup(hWnd));
    }
}

TEST_F(HookManagerTest, RemoveAllLeavesEveryWindow)
{
    HWND other = MakeWindow(FALSE);
    RecordingClient client("client");
    RecordingClient stays("stays");
    GetHookManager()->SetHook(m_hWnd, &client);
    GetHookManager()->SetHook(other, &client);
    GetHookManager()->SetHook(other, &stays);
    GetHookManager()->RemoveAll(&client);
    EXPECT_EQ(nullptr, GetHookManager()->Lookup(m_hWnd));
    ASSERT_NE(nullptr, GetHookManager()->Lookup(other));
    EXPECT_EQ(1, GetHookManager()->Lookup(other)->GetClientCount());
    g_log.clear();
    ::SendMessageW(other, kProbe, 0, 0);
    EXPECT_EQ((std::vector<std::string>{"stays", "window"}), g_log);
    ::DestroyWindow(other);
}

}  // namespace
