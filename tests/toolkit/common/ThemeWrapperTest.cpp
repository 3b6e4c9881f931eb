// The visual-styles wrapper in both runs: with the prefix's style the classes the toolkit uses
// open; without uxtheme.dll every call fails quietly. The order of open and close calls is
// checked against recorded entry points.
#include <gtest/gtest.h>

#include "toolkit/common/CUTKWinThemeWrapper.h"
#include "tests/toolkit/common/ThemeRun.h"

#include <vector>

namespace {

using orvane::test::ClassicRun;

TEST(CUTKWinThemeWrapper, ClassesOpenWithTheStyleAndNotWithout)
{
    for (const wchar_t* themeClass : {L"TOOLBAR", L"TOOLTIP", L"TREEVIEW"}) {
        CUTKWinThemeWrapper wrapper;
        const HTHEME theme = wrapper.OpenThemeData(nullptr, themeClass);
        EXPECT_EQ(theme, wrapper.GetThemeHandle());
        if (ClassicRun()) {
            EXPECT_EQ(nullptr, theme) << themeClass;
            EXPECT_FALSE(wrapper.IsAppThemed());
        } else {
            EXPECT_NE(nullptr, theme) << themeClass;
            EXPECT_TRUE(wrapper.IsAppThemed());
        }
    }
    CUTKWinThemeWrapper wrapper;
    EXPECT_EQ(!ClassicRun(), wrapper.IsThemeActive() != FALSE);
}

TEST(CUTKWinThemeWrapper, AnUnknownClassLeavesNoThemeAndIsNotThemed)
{
    CUTKWinThemeWrapper wrapper;
    EXPECT_EQ(nullptr, wrapper.OpenThemeData(nullptr, L"NOSUCHTHEMECLASS"));
    EXPECT_FALSE(wrapper.IsThemeOpen());
    EXPECT_FALSE(wrapper.IsAppThemed());
}

TEST(CUTKWinThemeWrapper, TreeViewBorderColour)
{
    CUTKWinThemeWrapper wrapper(TRUE);
    wrapper.OpenThemeData(nullptr, L"TREEVIEW");
    COLORREF color = 0x123456;
    const HRESULT hr = wrapper.GetThemeColor(0, 0, 3801, &color);
    if (ClassicRun()) {
        EXPECT_EQ(E_FAIL, hr);
        EXPECT_EQ(0x123456u, color);
    } else {
        ASSERT_EQ(S_OK, hr);
        EXPECT_EQ(RGB(0xAE, 0xAE, 0xAE), color);
    }
    std::printf("TREEVIEW border colour: %s 0x%06lX\n", SUCCEEDED(hr) ? "read" : "none",
                static_cast<unsigned long>(color));
}

TEST(CUTKWinThemeWrapper, UnavailableCallsFailQuietly)
{
    if (!ClassicRun()) {
        GTEST_SKIP() << "the classic run checks the calls without uxtheme.dll";
    }
    CUTKWinThemeWrapper wrapper;
    HDC dc = ::CreateCompatibleDC(nullptr);
    RECT rect{0, 0, 10, 10};
    EXPECT_EQ(E_FAIL, wrapper.DrawThemeBackground(dc, 1, 1, &rect, nullptr));
    EXPECT_EQ(E_FAIL, wrapper.DrawThemeTextEx(dc, 1, 1, L"x", 1, 0, &rect, nullptr));
    int value = 77;
    EXPECT_EQ(E_FAIL, wrapper.GetThemeInt(1, 1, 1, &value));
    EXPECT_EQ(77, value);
    EXPECT_FALSE(wrapper.GetThemeSysBool(1));
    WCHAR file[MAX_PATH] = L"untouched";
    WCHAR color[MAX_PATH] = {};
    WCHAR size[MAX_PATH] = {};
    EXPECT_EQ(E_FAIL, wrapper.GetCurrentThemeName(file, MAX_PATH, color, MAX_PATH, size, MAX_PATH));
    EXPECT_STREQ(L"untouched", file);
    HDC paint = nullptr;
    EXPECT_EQ(nullptr,
              wrapper.BeginBufferedPaint(dc, &rect, BPBF_COMPATIBLEBITMAP, nullptr, &paint));
    wrapper.EndBufferedPaint(nullptr, FALSE);
    ::DeleteDC(dc);
}

// Recorded entry points of a private table.
std::vector<std::pair<char, HTHEME>> g_calls;
int g_nextTheme = 0x100;

HTHEME WINAPI FakeOpen(HWND, LPCWSTR)
{
    const HTHEME theme = reinterpret_cast<HTHEME>(static_cast<INT_PTR>(g_nextTheme++));
    g_calls.push_back({'o', theme});
    return theme;
}

HRESULT WINAPI FakeClose(HTHEME theme)
{
    g_calls.push_back({'c', theme});
    return S_OK;
}

template <class Fn>
FARPROC Proc(Fn fn)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(fn));
}

TEST(CUTKWinThemeWrapper, OpeningTwiceClosesTheFirstTheme)
{
    g_calls.clear();
    {
        CUTKWinThemeWrapper wrapper;
        CUTKWinThemeWrapper::EntryTable& table = wrapper.SetOwnTable(nullptr);
        table.Set(CUTKWinThemeWrapper::EntryTable::slotOpenThemeData, Proc(FakeOpen));
        table.Set(CUTKWinThemeWrapper::EntryTable::slotCloseThemeData, Proc(FakeClose));
        const HTHEME first = wrapper.OpenThemeData(nullptr, L"TOOLBAR");
        const HTHEME second = wrapper.OpenThemeData(nullptr, L"TREEVIEW");
        ASSERT_EQ(3u, g_calls.size());
        EXPECT_EQ('o', g_calls[0].first);
        EXPECT_EQ('c', g_calls[1].first);
        EXPECT_EQ(first, g_calls[1].second);
        EXPECT_EQ('o', g_calls[2].first);
        EXPECT_EQ(second, wrapper.GetThemeHandle());
        // No entry point for the rest: unavailable, quietly.
        COLORREF color = 5;
        EXPECT_EQ(E_FAIL, wrapper.GetThemeColor(0, 0, 3801, &color));
        EXPECT_EQ(5u, color);
    }
    // The destructor closes the second theme.
    ASSERT_EQ(4u, g_calls.size());
    EXPECT_EQ('c', g_calls[3].first);
}

TEST(CUTKWinThemeWrapper, OnlyARefreshingWrapperFollowsTheLoadedModule)
{
    if (ClassicRun()) {
        GTEST_SKIP() << "needs a loaded uxtheme.dll";
    }
    ASSERT_NE(nullptr, ::LoadLibraryW(L"uxtheme.dll"));
    for (BOOL refresh : {FALSE, TRUE}) {
        g_calls.clear();
        CUTKWinThemeWrapper wrapper(refresh);
        // A table over no module: to a refreshing wrapper the loaded module is a change.
        wrapper.SetOwnTable(nullptr).Set(CUTKWinThemeWrapper::EntryTable::slotOpenThemeData,
                                         Proc(FakeOpen));
        const HTHEME theme = wrapper.OpenThemeData(nullptr, L"TREEVIEW");
        if (refresh) {
            EXPECT_TRUE(g_calls.empty());
            COLORREF color = 0;
            EXPECT_EQ(S_OK, wrapper.GetThemeColor(0, 0, 3801, &color));
        } else {
            ASSERT_EQ(1u, g_calls.size());
            EXPECT_EQ(theme, g_calls[0].second);
        }
    }
}

TEST(CUTKWinThemeWrapper, RealThemesAreClosedBeforeTheNextOpens)
{
    if (ClassicRun()) {
        GTEST_SKIP() << "needs the visual style";
    }
    CUTKWinThemeWrapper wrapper;
    const HTHEME first = wrapper.OpenThemeData(nullptr, L"TOOLBAR");
    ASSERT_NE(nullptr, first);
    const HTHEME second = wrapper.OpenThemeData(nullptr, L"TREEVIEW");
    ASSERT_NE(nullptr, second);
    COLORREF color = 0;
    EXPECT_EQ(S_OK, wrapper.GetThemeColor(0, 0, 3801, &color));
    wrapper.CloseThemeData();
    EXPECT_FALSE(wrapper.IsThemeOpen());
    wrapper.CloseThemeData();
}

TEST(CUTKWinThemeWrapper, CompositionCalls)
{
    const MARGINS margins = CUTKWinThemeWrapper::MakeMargins(1, 2, 3, 4);
    EXPECT_EQ(1, margins.cxLeftWidth);
    EXPECT_EQ(3, margins.cxRightWidth);
    EXPECT_EQ(2, margins.cyTopHeight);
    EXPECT_EQ(4, margins.cyBottomHeight);

    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                    nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    CUTKWinThemeWrapper wrapper;
    // Composition is off under this system: the call succeeds and does nothing.
    EXPECT_EQ(S_OK, wrapper.DwmExtendFrameIntoClientArea(window, 1, 2, 3, 4));
    LRESULT result = 42;
    const HRESULT hr = wrapper.DwmDefWindowProc(window, WM_NCHITTEST, 0, 0, &result);
    EXPECT_NE(E_FAIL, hr);
    ::DestroyWindow(window);
}

}  // namespace
