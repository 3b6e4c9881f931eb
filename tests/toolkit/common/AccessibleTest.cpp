// The accessibility mix-in: child ids of VARIANTs, the IAccessible part with and without an
// owner, the late-bound entry points (a library without them, one that does not load), a
// window read by another process through WM_GETOBJECT, and events seen by a WinEvent hook.
#include <gtest/gtest.h>

#include "toolkit/common/CUTKAccessible.h"

#include "platform/framework/window/FrameworkWindows.h"
#include "platform/base/CHandle.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

const IID& IIDAccessible()
{
    static const IID iid = __uuidof(IAccessible);
    return iid;
}

VARIANT MakeI4(long value)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

TEST(CUTKAccessible, GetChildIndexFollowsVariantTypes)
{
    SHORT shortValue = 7;
    LONG longValue = 9;
    VARIANT i2;
    ::VariantInit(&i2);
    i2.vt = VT_I2;
    i2.iVal = 2;
    VARIANT refToI2;
    refToI2.vt = VT_BYREF | VT_VARIANT;
    refToI2.pvarVal = &i2;
    VARIANT refToRef;
    refToRef.vt = VT_BYREF | VT_VARIANT;
    refToRef.pvarVal = &refToI2;
    VARIANT selfRef;
    selfRef.vt = VT_BYREF | VT_VARIANT;
    selfRef.pvarVal = &selfRef;

    struct Case {
        const char* what;
        VARTYPE vt;
        void* pointer;
        long value;
        long expected;
    };
    const Case cases[] = {
        {"VT_EMPTY", VT_EMPTY, nullptr, 0, 0},
        {"VT_I4 3", VT_I4, nullptr, 3, 3},
        {"VT_I2 5", VT_I2, nullptr, 5, 5},
        {"VT_BSTR", VT_BSTR, nullptr, 0, -1},
        {"VT_BYREF|VT_I2", VT_BYREF | VT_I2, &shortValue, 0, 7},
        {"VT_BYREF|VT_I4", VT_BYREF | VT_I4, &longValue, 0, 9},
        {"VT_BYREF|VT_I4 null", VT_BYREF | VT_I4, nullptr, 0, -1},
        {"VT_BYREF|VT_I2 null", VT_BYREF | VT_I2, nullptr, 0, -1},
        {"VT_BYREF|VT_VARIANT to VT_I2 2", VT_BYREF | VT_VARIANT, &i2, 0, 2},
        {"VT_BYREF|VT_VARIANT null", VT_BYREF | VT_VARIANT, nullptr, 0, -1},
        {"two levels of reference", VT_BYREF | VT_VARIANT, &refToI2, 0, -1},
        {"a reference to itself", VT_BYREF | VT_VARIANT, &selfRef, 0, -1},
        {"VT_UI4", VT_UI4, nullptr, 4, -1},
    };
    for (const Case& c : cases) {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = c.vt;
        if (c.vt & VT_BYREF) {
            v.byref = c.pointer;
        } else if (c.vt == VT_I2) {
            v.iVal = static_cast<SHORT>(c.value);
        } else {
            v.lVal = c.value;
        }
        EXPECT_EQ(c.expected, CUTKAccessible::GetChildIndex(&v)) << c.what;
    }
    EXPECT_EQ(-1, CUTKAccessible::GetChildIndex(nullptr));
    (void)refToRef;
}

TEST(CUTKAccessible, WithoutAnOwnerTheInterfaceAnswersNothing)
{
    CUTKAccessible accessible;
    IAccessible* part = accessible.GetAccessible();
    void* out = &accessible;
    EXPECT_EQ(E_NOINTERFACE, part->QueryInterface(IIDAccessible(), &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(E_POINTER, part->QueryInterface(IID_IUnknown, nullptr));
    EXPECT_EQ(1u, part->AddRef());
    EXPECT_EQ(1u, part->Release());
    // Defaults of the operations.
    VARIANT self = MakeI4(CHILDID_SELF);
    BSTR name = nullptr;
    EXPECT_EQ(E_NOTIMPL, part->get_accName(self, &name));
    long count = 0;
    EXPECT_EQ(E_NOTIMPL, part->get_accChildCount(&count));
    VARIANT focus;
    ::VariantInit(&focus);
    EXPECT_EQ(S_FALSE, part->get_accFocus(&focus));
    EXPECT_EQ(S_FALSE, part->get_accSelection(&focus));
    EXPECT_EQ(E_NOTIMPL, part->accDoDefaultAction(self));
    UINT typeInfoCount = 0;
    EXPECT_EQ(E_NOTIMPL, part->GetTypeInfoCount(&typeInfoCount));
}

// A toolbar-like object with three buttons.
class TestBar : public CCmdTarget, public CUTKAccessible {
public:
    static constexpr const wchar_t* kNames[] = {L"Test Bar", L"Open", L"Save", L"Close"};

    LPUNKNOWN GetInterfaceHook(const void* iid) override
    {
        const IID& riid = *static_cast<const IID*>(iid);
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, IIDAccessible())) {
            return GetAccessible();
        }
        return nullptr;
    }
    CCmdTarget* GetAccessibleOwner() override { return this; }
    HRESULT get_accChildCount(long* count) override
    {
        *count = 3;
        return S_OK;
    }
    HRESULT get_accName(VARIANT child, BSTR* name) override
    {
        const long index = GetChildIndex(&child);
        if (index < 0 || index > 3) {
            return E_INVALIDARG;
        }
        *name = ::SysAllocString(kNames[index]);
        return S_OK;
    }
    HRESULT get_accRole(VARIANT child, VARIANT* role) override
    {
        const long index = GetChildIndex(&child);
        if (index < 0 || index > 3) {
            return E_INVALIDARG;
        }
        role->vt = VT_I4;
        role->lVal = index == 0 ? ROLE_SYSTEM_TOOLBAR : ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
};

TEST(CUTKAccessible, TheInterfaceGoesToItsOwner)
{
    auto* bar = new TestBar;
    IAccessible* part = bar->GetAccessible();
    IAccessible* asked = nullptr;
    ASSERT_EQ(S_OK, part->QueryInterface(IIDAccessible(), reinterpret_cast<void**>(&asked)));
    EXPECT_EQ(part, asked);
    EXPECT_EQ(2, bar->m_dwRef);
    IUnknown* unknown = nullptr;
    EXPECT_EQ(E_NOINTERFACE,
              part->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&unknown)));
    EXPECT_EQ(3u, part->AddRef());
    EXPECT_EQ(2u, part->Release());
    asked->Release();
    EXPECT_EQ(1, bar->m_dwRef);

    BSTR name = nullptr;
    VARIANT second = MakeI4(2);
    ASSERT_EQ(S_OK, part->get_accName(second, &name));
    EXPECT_STREQ(L"Save", name);
    ::SysFreeString(name);
    bar->InternalRelease();
}

// Points the accessibility library at another name.
class RenamedLibrary : public CUTKAccessible {
public:
    void Use(LPCWSTR name) { m_pszAccessibilityLibrary = name; }
};

TEST(CUTKAccessible, ALibraryWithoutTheEntryPointsIsNotAskedAgain)
{
    RenamedLibrary accessible;
    accessible.Use(L"kernel32.dll");
    void* out = nullptr;
    EXPECT_EQ(E_FAIL, accessible.AccessibleObjectFromWindow(::GetDesktopWindow(),
                                                            static_cast<DWORD>(OBJID_CLIENT),
                                                            IIDAccessible(), &out));
    // Even the real library is not tried once the entry points were found missing.
    accessible.Use(L"oleacc.dll");
    EXPECT_EQ(E_FAIL, accessible.LresultFromObject(IIDAccessible(), 0, nullptr));
    EXPECT_EQ(E_FAIL, accessible.AccessibleObjectFromWindow(::GetDesktopWindow(),
                                                            static_cast<DWORD>(OBJID_CLIENT),
                                                            IIDAccessible(), &out));
    EXPECT_EQ(nullptr, out);
}

TEST(CUTKAccessible, ALibraryThatDoesNotLoadIsTriedAgain)
{
    RenamedLibrary accessible;
    accessible.Use(L"no_such_accessibility_library.dll");
    IAccessible* out = nullptr;
    EXPECT_EQ(E_FAIL, accessible.AccessibleObjectFromWindow(
                          ::GetDesktopWindow(), static_cast<DWORD>(OBJID_WINDOW),
                          IIDAccessible(), reinterpret_cast<void**>(&out)));
    accessible.Use(L"oleacc.dll");
    ASSERT_EQ(S_OK, accessible.AccessibleObjectFromWindow(
                        ::GetDesktopWindow(), static_cast<DWORD>(OBJID_WINDOW), IIDAccessible(),
                        reinterpret_cast<void**>(&out)));
    ASSERT_NE(nullptr, out);
    out->Release();
}

// ---- A window answering WM_GETOBJECT --------------------------------------------------------

LRESULT CALLBACK BarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        auto* bar = reinterpret_cast<TestBar*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (bar) {
            return bar->LresultFromObject(IIDAccessible(), wParam, bar->GetAccessible());
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

class BarWindow {
public:
    explicit BarWindow(TestBar* bar)
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = BarWindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OrvaneAccessibleTestBar";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"Test Bar", WS_POPUP, 0, 0, 200, 30,
                                   nullptr, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bar));
    }
    ~BarWindow()
    {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};

void PumpFor(DWORD milliseconds, const std::function<bool()>& done)
{
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < milliseconds) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

// Runs the reader on window, serving its requests meanwhile; its output.
std::string RunReader(HWND window)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring command = path;
    command.erase(command.find_last_of(L"\\/") + 1);
    command = L"\"" + command + L"toolkit_accessible_reader.exe\" " +
              std::to_wstring(reinterpret_cast<ULONG_PTR>(window));

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    CHandle readEnd;
    CHandle writeEnd;
    if (!::CreatePipe(readEnd.Put(), writeEnd.Put(), &inherit, 0)) {
        return "no pipe";
    }
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::vector<wchar_t> line(command.begin(), command.end());
    line.push_back(L'\0');
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return "no process";
    }
    CHandle processHandle(process.hProcess);
    CHandle threadHandle(process.hThread);
    writeEnd.Close();

    std::string output;
    auto drain = [&] {
        DWORD available = 0;
        while (::PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available) {
            char buffer[512];
            DWORD read = 0;
            if (!::ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) || read == 0) {
                break;
            }
            output.append(buffer, read);
        }
    };
    PumpFor(60000, [&] {
        drain();
        return ::WaitForSingleObject(processHandle, 0) == WAIT_OBJECT_0;
    });
    drain();
    return output;
}

TEST(CUTKAccessible, AnotherProcessReadsTheWindowsNameRoleAndChildren)
{
    auto* bar = new TestBar;
    {
        BarWindow window(bar);
        ASSERT_NE(nullptr, window.Get());
        const std::string output = RunReader(window.Get());
        std::printf("%s", output.c_str());
        const std::string expected = "window name=\"Test Bar\" role=22\n"
                                     "children=3\n"
                                     "child 1 name=\"Open\" role=43\n"
                                     "child 2 name=\"Save\" role=43\n"
                                     "child 3 name=\"Close\" role=43\n";
        std::string normalised;
        for (char ch : output) {
            if (ch != '\r') {
                normalised += ch;
            }
        }
        EXPECT_EQ(expected, normalised);
    }
    bar->InternalRelease();
}

TEST(CUTKAccessible, InProcessObjectFromWindowReachesTheMixIn)
{
    auto* bar = new TestBar;
    {
        BarWindow window(bar);
        IAccessible* accessible = nullptr;
        ASSERT_EQ(S_OK, bar->AccessibleObjectFromWindow(window.Get(),
                                                        static_cast<DWORD>(OBJID_CLIENT),
                                                        IIDAccessible(),
                                                        reinterpret_cast<void**>(&accessible)));
        ASSERT_NE(nullptr, accessible);
        long count = 0;
        EXPECT_EQ(S_OK, accessible->get_accChildCount(&count));
        EXPECT_EQ(3, count);
        accessible->Release();
    }
    bar->InternalRelease();
}

struct SeenEvent {
    DWORD event;
    HWND window;
    LONG object;
    LONG child;
};
std::vector<SeenEvent> g_seen;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                         DWORD)
{
    g_seen.push_back({event, window, object, child});
}

TEST(CUTKAccessible, NotifiedEventsReachAWinEventHook)
{
    auto* bar = new TestBar;
    {
        BarWindow window(bar);
        g_seen.clear();
        HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE,
                                               nullptr, OnWinEvent, ::GetCurrentProcessId(), 0,
                                               WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(nullptr, hook);
        bar->AccessibleNotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window.Get(), OBJID_CLIENT, 2);
        PumpFor(10000, [] { return !g_seen.empty(); });
        ::UnhookWinEvent(hook);
        ASSERT_EQ(1u, g_seen.size());
        EXPECT_EQ(static_cast<DWORD>(EVENT_OBJECT_NAMECHANGE), g_seen[0].event);
        EXPECT_EQ(window.Get(), g_seen[0].window);
        EXPECT_EQ(OBJID_CLIENT, g_seen[0].object);
        EXPECT_EQ(2, g_seen[0].child);
    }
    bar->InternalRelease();
}

// Registered as its own run with oleacc.dll switched off for the process.
TEST(AccessibleWithoutOleacc, ObjectCallsFailCleanly)
{
    const char* off = std::getenv("ORVANE_NO_OLEACC");
    if (!off || std::strcmp(off, "1") != 0) {
        GTEST_SKIP() << "runs only with oleacc.dll switched off";
    }
    ASSERT_EQ(nullptr, ::LoadLibraryW(L"oleacc.dll"));
    auto* bar = new TestBar;
    {
        BarWindow window(bar);
        void* out = nullptr;
        for (int attempt = 0; attempt < 2; ++attempt) {
            EXPECT_EQ(E_FAIL, bar->AccessibleObjectFromWindow(window.Get(),
                                                              static_cast<DWORD>(OBJID_CLIENT),
                                                              IIDAccessible(), &out));
            EXPECT_EQ(nullptr, out);
            EXPECT_EQ(E_FAIL, bar->LresultFromObject(IIDAccessible(), 0, bar->GetAccessible()));
        }
        // The window's own answer to WM_GETOBJECT is the failure, not a crash.
        EXPECT_EQ(E_FAIL, static_cast<HRESULT>(::SendMessageW(window.Get(), WM_GETOBJECT, 0,
                                                              static_cast<LPARAM>(OBJID_CLIENT))));
    }
    bar->InternalRelease();
}

}  // namespace
