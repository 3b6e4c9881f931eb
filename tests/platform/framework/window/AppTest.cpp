// The application object and its pump: idle passes that update the main window and its
// descendants and then stop, temporary handle wrappers freed at idle while permanent ones
// survive, worker threads (suspended start, auto-delete, thread-local data freed at exit),
// profile storage in the registry and in INI files, and the module's tooltip filter hook.
#include "tests/platform/framework/window/TestApp.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

class IdleWnd : public CWnd {
public:
    int idleUpdates = 0;
    int appMessages = 0;
    // The driving window ends the loop some time after its first idle update; if idle
    // processing kept running instead of waiting, more passes would be counted meanwhile.
    bool driver = false;

protected:
    LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        if (++idleUpdates == 1 && driver) {
            SetTimer(1, 100);
        }
        return 0;
    }
    void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        ::PostQuitMessage(0);
    }
    LRESULT OnApp(WPARAM, LPARAM)
    {
        ++appMessages;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(IdleWnd, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
    ON_MESSAGE(WM_APP, OnApp)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class AppTest : public testing::Test {
protected:
    void SetUp() override
    {
        TheTestApp();
        PumpPending();
    }
    void TearDown() override { TheTestApp().m_pMainWnd = nullptr; }
};

TEST_F(AppTest, IdleLoopUpdatesTheWindowTreeAndStops)
{
    TestApp& app = TheTestApp();
    IdleWnd main;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              0, 0, 200, 150, nullptr, nullptr));
    IdleWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"child", WS_VISIBLE, CRect(0, 0, 50, 50), &main, 10));
    IdleWnd grandChild;
    ASSERT_TRUE(grandChild.Create(nullptr, L"inner", WS_VISIBLE, CRect(0, 0, 10, 10), &child, 11));
    app.m_pMainWnd = &main;
    PumpPending();

    app.idleCounts.clear();
    main.driver = true;
    main.PostMessage(WM_APP);
    main.PostMessage(WM_APP);
    EXPECT_EQ(app.Run(), 0) << "WM_QUIT's code comes back from Run";
    EXPECT_EQ(main.appMessages, 2);
    // One pass after the two messages: the update (count 0), the clean-up (count 1), then the
    // loop waits for the timer instead of spinning.
    EXPECT_EQ(app.idleCounts, (std::vector<LONG>{0, 1}));
    EXPECT_EQ(main.idleUpdates, 1);
    EXPECT_EQ(child.idleUpdates, 1) << "descendants get the update too";
    EXPECT_EQ(grandChild.idleUpdates, 1);
    main.DestroyWindow();
}

// Posts WM_QUIT from inside the loop so Run returns (queued after the app messages).
class QuitWnd : public IdleWnd {
protected:
    LRESULT OnQuitRequest(WPARAM wParam, LPARAM)
    {
        ::PostQuitMessage(static_cast<int>(wParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(QuitWnd, IdleWnd)
    ON_MESSAGE(WM_APP + 50, OnQuitRequest)
END_MESSAGE_MAP()

TEST_F(AppTest, RunReturnsTheQuitCode)
{
    TestApp& app = TheTestApp();
    QuitWnd main;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              0, 0, 100, 100, nullptr, nullptr));
    app.m_pMainWnd = &main;
    main.PostMessage(WM_APP + 50, 7);
    EXPECT_EQ(app.Run(), 7);
    main.DestroyWindow();
}

TEST_F(AppTest, IdleMessageRule)
{
    TestApp& app = TheTestApp();
    MSG paint{nullptr, WM_PAINT};
    MSG caret{nullptr, 0x0118};
    MSG key{nullptr, WM_KEYDOWN};
    EXPECT_FALSE(app.IsIdleMessage(&paint));
    EXPECT_FALSE(app.IsIdleMessage(&caret));
    EXPECT_TRUE(app.IsIdleMessage(&key));
    MSG move{nullptr, WM_MOUSEMOVE};
    move.pt = {31, 41};
    EXPECT_TRUE(app.IsIdleMessage(&move));
    EXPECT_FALSE(app.IsIdleMessage(&move)) << "a mouse move to the same place is not new";
    move.pt = {32, 41};
    EXPECT_TRUE(app.IsIdleMessage(&move));
}

TEST_F(AppTest, TemporaryWrappersFreedAtIdlePermanentOnesSurvive)
{
    HWND raw = ::CreateWindowExW(0, L"STATIC", L"raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    CWnd owned;
    ASSERT_TRUE(owned.CreateEx(0, AfxRegisterWndClass(0), L"owned", WS_POPUP, 0, 0, 10, 10,
                               nullptr, nullptr));
    CWnd::DeleteTempMap();
    CWnd* temp = CWnd::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CWnd::FromHandle(raw), temp) << "one wrapper per handle";
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    EXPECT_EQ(CWnd::FromHandle(owned.m_hWnd), &owned);
    EXPECT_EQ(CWnd::GetTempMapCount(), 1u);

    TheTestApp().OnIdle(0);
    EXPECT_EQ(CWnd::GetTempMapCount(), 1u) << "the update pass keeps them";
    TheTestApp().OnIdle(1);
    EXPECT_EQ(CWnd::GetTempMapCount(), 0u);
    EXPECT_EQ(CWnd::FromHandlePermanent(owned.m_hWnd), &owned);
    EXPECT_TRUE(::IsWindow(raw)) << "freeing a wrapper leaves the window alone";
    ::DestroyWindow(raw);
    owned.DestroyWindow();
    EXPECT_EQ(owned.m_hWnd, nullptr);
}

TEST_F(AppTest, AttachDetachAndSubclassedDefault)
{
    // A system edit created through the framework keeps its own behaviour (Default reaches
    // the class procedure).
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"hello", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr));
    EXPECT_NE(edit.m_pfnSuper, nullptr);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString(L"hello"));
    edit.SendMessage(EM_SETSEL, 0, -1);
    edit.SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"bye"));
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString(L"bye"));

    CWnd other;
    EXPECT_FALSE(other.Attach(edit.m_hWnd)) << "a handle has one permanent owner";
    HWND h = edit.Detach();
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    EXPECT_TRUE(other.Attach(h));
    EXPECT_EQ(CWnd::FromHandlePermanent(h), &other);
    other.Detach();
    ::DestroyWindow(h);
}

// Handles WM_NCDESTROY without passing it on to the base class.
class ForgetfulWnd : public CWnd {
public:
    int ncDestroys = 0;
    int postNcDestroys = 0;

protected:
    void OnNcDestroy() { ++ncDestroys; }
    void PostNcDestroy() override { ++postNcDestroys; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ForgetfulWnd, CWnd)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

TEST_F(AppTest, WindowIsReleasedEvenWhenNcDestroyIsNotPassedOn)
{
    ForgetfulWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"forgetful", WS_POPUP, 0, 0, 10, 10,
                             nullptr, nullptr));
    HWND hWnd = wnd.m_hWnd;
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.ncDestroys, 1);
    EXPECT_EQ(wnd.postNcDestroys, 1);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

struct ThreadRecord : CNoTrackObject {
    static std::atomic<int> destroyed;
    ~ThreadRecord() override { ++destroyed; }
    int value = 0;
};
std::atomic<int> ThreadRecord::destroyed{0};
THREAD_LOCAL(ThreadRecord, g_threadRecord)

UINT ThreadProc(LPVOID param)
{
    g_threadRecord->value = 5;
    *static_cast<int*>(param) = g_threadRecord->value + 1;
    return 17;
}

TEST_F(AppTest, WorkerThreadStartsSuspendedAndFreesThreadLocals)
{
    int result = 0;
    ThreadRecord::destroyed = 0;
    CWinThread* thread = AfxBeginThread(ThreadProc, &result, THREAD_PRIORITY_ABOVE_NORMAL, 0,
                                        CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_EQ(thread->GetThreadPriority(), THREAD_PRIORITY_ABOVE_NORMAL);
    ::Sleep(50);
    EXPECT_EQ(result, 0) << "a suspended thread does not run";
    thread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, 5000), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(code, 17u);
    EXPECT_EQ(result, 6);
    EXPECT_EQ(ThreadRecord::destroyed, 1) << "the thread's record is freed at thread exit";
    delete thread;
    // The main thread's record is its own.
    g_threadRecord->value = 9;
    EXPECT_EQ(g_threadRecord->value, 9);
}

UINT QuickProc(LPVOID param)
{
    static_cast<std::atomic<int>*>(param)->fetch_add(1);
    return 0;
}

TEST_F(AppTest, AutoDeleteThreadCleansUpItself)
{
    std::atomic<int> ran{0};
    CWinThread* thread = AfxBeginThread(QuickProc, &ran);
    ASSERT_NE(thread, nullptr);
    for (int i = 0; i < 100 && ran == 0; ++i) {
        ::Sleep(10);
    }
    EXPECT_EQ(ran, 1);
}

class ProfileTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        TestApp& app = TheTestApp();
        CWinApp::SetOwnedString(app.m_pszRegistryKey, nullptr);
        wchar_t dir[MAX_PATH];
        ::GetTempPathW(MAX_PATH, dir);
        iniPath = std::wstring(dir) + L"orvane-fw-profile.ini";
        ::DeleteFileW(iniPath.c_str());
        CWinApp::SetOwnedString(app.m_pszProfileName, iniPath.c_str());
    }
    void TearDown() override
    {
        ::DeleteFileW(iniPath.c_str());
        CWinApp::SetOwnedString(TheTestApp().m_pszRegistryKey, nullptr);
        AppTest::TearDown();
    }
    std::wstring iniPath;
};

TEST_F(ProfileTest, IniValuesRoundTrip)
{
    TestApp& app = TheTestApp();
    EXPECT_EQ(app.GetProfileInt(L"Settings", L"Volume", 33), 33u);
    EXPECT_TRUE(app.WriteProfileInt(L"Settings", L"Volume", -4));
    EXPECT_EQ(static_cast<int>(app.GetProfileInt(L"Settings", L"Volume", 33)), -4);
    EXPECT_TRUE(app.WriteProfileString(L"Settings", L"Last", L"C:\\media\\talk.wmv"));
    EXPECT_EQ(app.GetProfileString(L"Settings", L"Last"), CString(L"C:\\media\\talk.wmv"));
    EXPECT_EQ(app.GetProfileString(L"Settings", L"Missing", L"dflt"), CString(L"dflt"));

    BYTE data[] = {0x00, 0x0F, 0xF0, 0x5A, 0xFF};
    EXPECT_TRUE(app.WriteProfileBinary(L"Settings", L"Blob", data, sizeof(data)));
    EXPECT_EQ(app.GetProfileString(L"Settings", L"Blob"), CString(L"AAPAAPKFPP"))
        << "two letters per byte, low nibble first";
    LPBYTE read = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(app.GetProfileBinary(L"Settings", L"Blob", &read, &bytes));
    ASSERT_EQ(bytes, sizeof(data));
    EXPECT_EQ(memcmp(read, data, sizeof(data)), 0);
    delete[] read;
}

TEST_F(ProfileTest, DamagedIniBinaryIsRefused)
{
    TestApp& app = TheTestApp();
    for (LPCTSTR bad : {L"ABC", L"AZ", L"ab", L""}) {
        app.WriteProfileString(L"Settings", L"Blob", bad);
        LPBYTE read = reinterpret_cast<LPBYTE>(1);
        UINT bytes = 99;
        EXPECT_FALSE(app.GetProfileBinary(L"Settings", L"Blob", &read, &bytes)) << bad;
        EXPECT_EQ(read, nullptr);
        EXPECT_EQ(bytes, 0u);
    }
}

TEST_F(ProfileTest, RegistryValuesRoundTrip)
{
    TestApp& app = TheTestApp();
    app.SetRegistryKey(L"OrvaneFrameworkTests");
    HKEY key = app.GetAppRegistryKey();
    ASSERT_NE(key, nullptr);
    ::RegCloseKey(key);
    EXPECT_TRUE(app.WriteProfileInt(L"PlayVid", L"Loop", 1));
    EXPECT_EQ(app.GetProfileInt(L"PlayVid", L"Loop", 0), 1u);
    EXPECT_TRUE(app.WriteProfileString(L"PlayVid", L"Skin", L"Dark"));
    EXPECT_EQ(app.GetProfileString(L"PlayVid", L"Skin"), CString(L"Dark"));
    BYTE data[] = {1, 2, 3};
    EXPECT_TRUE(app.WriteProfileBinary(L"PlayVid", L"Layout", data, 3));
    LPBYTE read = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(app.GetProfileBinary(L"PlayVid", L"Layout", &read, &bytes));
    EXPECT_EQ(bytes, 3u);
    delete[] read;
    // A value of the wrong type is not read as an integer.
    EXPECT_EQ(app.GetProfileInt(L"PlayVid", L"Skin", 12), 12u);
    EXPECT_TRUE(app.WriteProfileString(L"PlayVid", nullptr, nullptr));
    EXPECT_EQ(app.GetProfileInt(L"PlayVid", L"Loop", 0), 0u);
    HKEY software = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_ALL_ACCESS, &software) ==
        ERROR_SUCCESS) {
        ::RegDeleteKeyW(software, L"OrvaneFrameworkTests\\FrameworkWindowTests");
        ::RegDeleteKeyW(software, L"OrvaneFrameworkTests");
        ::RegCloseKey(software);
    }
}

CDocument* const kOpenedDocument = reinterpret_cast<CDocument*>(0x1000);
int g_savedSettings = 0;

TEST_F(AppTest, DocumentViewHooks)
{
    TestApp& app = TheTestApp();
    AFX_MODULE_STATE* state = AfxGetModuleState();
    EXPECT_EQ(app.OpenDocumentFile(L"talk.wmv"), nullptr) << "no document classes: nothing opens";
    state->m_pfnOpenDocumentFile = [](CWinApp*, LPCTSTR name) {
        return lstrcmpW(name, L"talk.wmv") == 0 ? kOpenedDocument : nullptr;
    };
    state->m_pfnSaveStdProfileSettings = [](CWinApp*) { ++g_savedSettings; };
    EXPECT_EQ(app.OpenDocumentFile(L"talk.wmv"), kOpenedDocument);
    g_savedSettings = 0;
    app.ExitInstance();
    EXPECT_EQ(g_savedSettings, 1) << "the recent-file list is saved on exit";
    state->m_pfnOpenDocumentFile = nullptr;
    state->m_pfnSaveStdProfileSettings = nullptr;
}

class DescendantProbe : public CWnd {
public:
    int probes = 0;
    UINT seenMessage = 0;
    LPARAM seenLParam = 0;

protected:
    LRESULT OnProbe(WPARAM, LPARAM)
    {
        ++probes;
        // Default and the base handlers work from the message being dispatched.
        seenMessage = GetCurrentMessage()->message;
        seenLParam = GetCurrentMessage()->lParam;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DescendantProbe, CWnd)
    ON_MESSAGE(WM_APP + 20, OnProbe)
END_MESSAGE_MAP()

TEST_F(AppTest, DescendantsAndCurrentMessage)
{
    DescendantProbe top;
    ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), L"top", WS_POPUP, 0, 0, 100, 100, nullptr,
                             nullptr));
    DescendantProbe child;
    ASSERT_TRUE(child.Create(nullptr, L"child", WS_VISIBLE, CRect(0, 0, 50, 50), &top, 7));
    HWND rawGrandChild = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, child.m_hWnd,
                                           reinterpret_cast<HMENU>(8), nullptr, nullptr);
    ASSERT_NE(rawGrandChild, nullptr);
    top.SendMessageToDescendants(WM_APP + 20, 0, 99, TRUE, TRUE);
    EXPECT_EQ(child.probes, 1);
    EXPECT_EQ(child.seenMessage, WM_APP + 20);
    EXPECT_EQ(child.seenLParam, 99);
    EXPECT_EQ(top.probes, 0) << "descendants only";
    EXPECT_EQ(top.GetDescendantWindow(8, FALSE)->m_hWnd, rawGrandChild);
    EXPECT_EQ(top.GetDescendantWindow(8, TRUE), nullptr) << "not a permanent window";
    EXPECT_EQ(top.GetDescendantWindow(7, TRUE), &child);
    top.DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr);
}

int g_filterCalls = 0;
CWnd* g_filterWnd = nullptr;

void CountingFilter(MSG*, CWnd* pWnd)
{
    ++g_filterCalls;
    g_filterWnd = pWnd;
}

TEST_F(AppTest, ModuleTooltipFilterHookIsCalled)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"tips", WS_POPUP, 0, 0, 50, 50, nullptr,
                             nullptr));
    AFX_MODULE_THREAD_STATE* state = AfxGetModuleThreadState();
    AFX_TOOLTIP_FILTER old = state->m_pfnFilterToolTipMessage;
    state->m_pfnFilterToolTipMessage = CountingFilter;
    g_filterCalls = 0;
    MSG msg{wnd.m_hWnd, WM_MOUSEMOVE, 0, 0};
    EXPECT_FALSE(wnd.PreTranslateMessage(&msg));
    EXPECT_EQ(g_filterCalls, 1);
    EXPECT_EQ(g_filterWnd, &wnd);
    state->m_pfnFilterToolTipMessage = old;
    // Without the hook, a window with tooltips enabled creates the thread's tooltip.
    wnd.EnableToolTips(TRUE);
    EXPECT_FALSE(wnd.PreTranslateMessage(&msg));
    EXPECT_NE(state->m_pToolTip, nullptr);
    wnd.DestroyWindow();
}

TEST_F(AppTest, ToolTipFilterRegistersTheControlUnderTheCursor)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"tips", WS_POPUP | WS_VISIBLE, 100, 100,
                             200, 100, nullptr, nullptr));
    HWND button = ::CreateWindowExW(0, L"BUTTON", L"tip", WS_CHILD | WS_VISIBLE, 10, 10, 60, 30,
                                    wnd.m_hWnd, reinterpret_cast<HMENU>(77), nullptr, nullptr);
    ASSERT_NE(button, nullptr);
    wnd.EnableToolTips(TRUE);
    AFX_MODULE_THREAD_STATE* state = AfxGetModuleThreadState();

    POINT over{30, 25};
    ::ClientToScreen(wnd.m_hWnd, &over);
    ::SetCursorPos(over.x, over.y);
    MSG move{button, WM_MOUSEMOVE, 0, MAKELPARAM(20, 15)};
    // The pre-translation chain walks from the button (no framework object) to its parent.
    EXPECT_FALSE(AfxPreTranslateMessage(&move));
    ASSERT_NE(state->m_pToolTip, nullptr);
    EXPECT_EQ(state->m_pLastHit, &wnd);
    EXPECT_EQ(state->m_nLastHit, 77);
    EXPECT_EQ(state->m_pToolTip->GetToolCount(), 1);

    POINT away{150, 80};
    ::ClientToScreen(wnd.m_hWnd, &away);
    ::SetCursorPos(away.x, away.y);
    MSG moveAway{wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(150, 80)};
    EXPECT_FALSE(AfxPreTranslateMessage(&moveAway));
    EXPECT_EQ(state->m_nLastHit, -1);
    EXPECT_EQ(state->m_pToolTip->GetToolCount(), 0) << "the tool left with the cursor";
    wnd.DestroyWindow();
    EXPECT_NE(state->m_pLastHit, &wnd) << "a destroyed window is forgotten";
}

}  // namespace
