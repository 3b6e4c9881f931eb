// System services: the version predicates over a table of systems, module handles and their
// version-checked lookups, the multi-monitor fall-backs, the scoped lock, bar positions.
#include <gtest/gtest.h>

#include "toolkit/common/BarPosition.h"
#include "toolkit/common/CUTKModuleHandle.h"
#include "toolkit/common/CriticalSectionLock.h"
#include "toolkit/common/MultiMonitorApi.h"
#include "toolkit/common/NonClientMetrics.h"
#include "toolkit/common/OSVersionInfo.h"

#include <commctrl.h>

#include <cstdio>

namespace {

struct VersionCase {
    const char* system;
    DWORD platform;
    DWORD major;
    DWORD minor;
    BOOL win95;
    BOOL win9x;
    BOOL nt4;
    BOOL win2k;
    BOOL xp;
    BOOL vista;
    BOOL win7;
};

const VersionCase kVersions[] = {
    {"Windows 95", 1, 4, 0, TRUE, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE},
    {"Windows 98", 1, 4, 10, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE},
    {"Windows Me", 1, 4, 90, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE},
    {"Windows NT 4", 2, 4, 0, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE},
    {"Windows 2000", 2, 5, 0, FALSE, FALSE, TRUE, TRUE, FALSE, FALSE, FALSE},
    {"Windows XP", 2, 5, 1, FALSE, FALSE, TRUE, TRUE, TRUE, FALSE, FALSE},
    {"Windows Vista", 2, 6, 0, FALSE, FALSE, TRUE, TRUE, TRUE, TRUE, FALSE},
    {"Windows 7", 2, 6, 1, FALSE, FALSE, TRUE, TRUE, TRUE, TRUE, TRUE},
    {"Windows 10", 2, 10, 0, FALSE, FALSE, TRUE, TRUE, TRUE, TRUE, TRUE},
    {"a later platform id", 3, 6, 1, FALSE, FALSE, TRUE, TRUE, TRUE, TRUE, TRUE},
};

TEST(OSVersionInfo, PredicatesFollowTheTableOfSystems)
{
    for (const VersionCase& c : kVersions) {
        SCOPED_TRACE(c.system);
        const OSVersionInfo info(c.platform, c.major, c.minor);
        EXPECT_EQ(c.win95, info.IsWin95());
        EXPECT_EQ(c.win9x, info.IsWin9x());
        EXPECT_EQ(c.nt4, info.IsWinNT4OrGreater());
        EXPECT_EQ(c.win2k, info.IsWin2KOrGreater());
        EXPECT_EQ(c.xp != FALSE, info.IsWinXPOrGreater());
        EXPECT_EQ(c.xp, info.IsWinXPOrGreaterBOOL());
        EXPECT_EQ(c.vista, info.IsVistaOrGreater());
        EXPECT_EQ(c.win7, info.IsWin7OrGreater());
    }
}

TEST(OSVersionInfo, VersionAtLeastComparesMajorThenMinor)
{
    const OSVersionInfo xp(2, 5, 1);
    EXPECT_TRUE(xp.IsVersionAtLeast(5, 1));
    EXPECT_TRUE(xp.IsVersionAtLeast(4, 90));
    EXPECT_FALSE(xp.IsVersionAtLeast(5, 2));
    EXPECT_FALSE(xp.IsVersionAtLeast(6, 0));
}

TEST(OSVersionInfo, ProcessRecordIsFilledOnceFromTheSystem)
{
    OSVersionInfo* info = GetOSVersionInfo();
    ASSERT_EQ(info, GetOSVersionInfo());
    EXPECT_EQ(sizeof(OSVERSIONINFOW), info->dwOSVersionInfoSize);
    EXPECT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_NT), info->dwPlatformId);
    EXPECT_TRUE(info->IsVistaOrGreater());
    std::printf("system version %lu.%lu build %lu\n", info->dwMajorVersion, info->dwMinorVersion,
                info->dwBuildNumber);
}

TEST(CUTKModuleHandle, FindProcWithAMinimumAboveTheModuleVersionFailsAndNulls)
{
    CUTKModuleHandle comctl(L"COMCTL32.DLL");
    ASSERT_NE(nullptr, comctl.GetHandle());
    const DWORD version = comctl.GetModuleVersion();
    std::printf("comctl32 version %u.%u, GetComCtlVersion 0x%lx\n", HIWORD(version),
                LOWORD(version), GetComCtlVersion());
    EXPECT_EQ(version, GetComCtlVersion());
    ASSERT_LT(version, 0x60000u) << "this check needs a common-controls library below 6.0";

    FARPROC proc = ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetTickCount");
    EXPECT_FALSE(comctl.FindProc(proc, "InitCommonControlsEx", 0x60000));
    EXPECT_EQ(nullptr, proc);

    decltype(&::InitCommonControlsEx) init = nullptr;
    EXPECT_TRUE(comctl.FindProc(init, "InitCommonControlsEx", MAKELONG(0, HIWORD(version))));
    EXPECT_NE(nullptr, init);
    EXPECT_TRUE(comctl.FindProc(init, "InitCommonControlsEx"));
    EXPECT_FALSE(comctl.FindProc(init, "NoSuchEntryPoint"));
    EXPECT_EQ(nullptr, init);
}

TEST(CUTKModuleHandle, ModuleWithoutDllGetVersionHasVersionZero)
{
    CUTKModuleHandle kernel(L"kernel32.dll");
    EXPECT_FALSE(kernel.QueryDllVersion());
    EXPECT_EQ(0u, kernel.GetModuleVersion());
    // Without a version the minimum cannot be met; without a minimum the lookup works.
    FARPROC proc = nullptr;
    EXPECT_FALSE(kernel.FindProc(proc, "GetTickCount", 0x10000));
    EXPECT_TRUE(kernel.FindProc(proc, "GetTickCount"));
}

TEST(CUTKModuleHandle, OnlyAModuleItLoadedIsFreed)
{
    CUTKModuleHandle found;
    ASSERT_TRUE(found.OpenLoadedModule(L"kernel32.dll"));
    EXPECT_EQ(CUTKModuleHandle::Mode::found, found.GetMode());
    EXPECT_TRUE(found.FreeModule());
    EXPECT_EQ(CUTKModuleHandle::Mode::none, found.GetMode());
    EXPECT_NE(nullptr, ::GetModuleHandleW(L"kernel32.dll"));

    const wchar_t* library = L"toolkit_res_unknownlang.dll";
    ASSERT_EQ(nullptr, ::GetModuleHandleW(library));
    CUTKModuleHandle loaded;
    EXPECT_FALSE(loaded.OpenLoadedModule(library));
    ASSERT_TRUE(loaded.Init(library));
    EXPECT_EQ(CUTKModuleHandle::Mode::loaded, loaded.GetMode());
    EXPECT_EQ(library, loaded.GetName());
    EXPECT_TRUE(loaded.FreeModule());
    EXPECT_EQ(nullptr, ::GetModuleHandleW(library));
    EXPECT_TRUE(loaded.GetName().empty());

    CUTKModuleHandle missing;
    EXPECT_FALSE(missing.Init(L"no_such_library_here.dll"));
    FARPROC proc = nullptr;
    EXPECT_FALSE(missing.FindProc(proc, "Anything"));
    EXPECT_FALSE(missing.QueryDllVersion());
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(MultiMonitorApi, AFarPointGivesThePrimaryWorkArea)
{
    RECT primary{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0));
    MultiMonitorApi* api = GetMultiMonitorApi();
    ASSERT_TRUE(api->IsBound());
    RECT area{};
    const RECT returned = api->GetWorkAreaFromPoint(&area, POINT{100000, -100000});
    EXPECT_TRUE(SameRect(primary, area));
    EXPECT_TRUE(SameRect(primary, returned));
    const RECT distant{50000, 50000, 50010, 50010};
    EXPECT_TRUE(SameRect(primary, api->GetWorkAreaFromRect(nullptr, distant)));
    EXPECT_TRUE(SameRect(primary, api->GetWorkAreaFromWindow(nullptr, nullptr)));

    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(SameRect(screen, api->GetScreenAreaFromPoint(nullptr, POINT{-90000, 5})));
    // A point on the screen finds its monitor.
    EXPECT_TRUE(SameRect(screen, api->GetScreenAreaFromPoint(nullptr, POINT{10, 10})));
    MONITORINFO info{};
    EXPECT_FALSE(api->GetMonitorInfo(nullptr, &info));
}

TEST(MultiMonitorApi, WithoutTheEntryPointsEverythingFallsBackToThePrimaryScreen)
{
    MultiMonitorApi api;
    api.Unbind();
    EXPECT_FALSE(api.IsBound());
    RECT primary{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0));
    EXPECT_TRUE(SameRect(primary, api.GetWorkAreaFromPoint(nullptr, POINT{10, 10})));
    EXPECT_TRUE(SameRect(primary, api.GetWorkAreaFromCursor(nullptr)));
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(SameRect(screen, api.GetScreenAreaFromRect(nullptr, RECT{1, 1, 2, 2})));
}

DWORD WINAPI TryFromOtherThread(LPVOID param)
{
    auto* cs = static_cast<CRITICAL_SECTION*>(param);
    if (!::TryEnterCriticalSection(cs)) {
        return 0;
    }
    ::LeaveCriticalSection(cs);
    return 1;
}

TEST(CriticalSectionLock, HoldsTheSectionForItsScope)
{
    CRITICAL_SECTION section;
    ::InitializeCriticalSection(&section);
    auto run = [&] {
        HANDLE thread = ::CreateThread(nullptr, 0, TryFromOtherThread, &section, 0, nullptr);
        ::WaitForSingleObject(thread, INFINITE);
        DWORD code = 2;
        ::GetExitCodeThread(thread, &code);
        ::CloseHandle(thread);
        return code;
    };
    {
        CriticalSectionLock lock(&section);
        EXPECT_EQ(0u, run());
    }
    EXPECT_EQ(1u, run());
    ::DeleteCriticalSection(&section);
}

TEST(BarPosition, LeftRightAndPopupAreVertical)
{
    const BOOL expected[] = {FALSE, FALSE, TRUE, TRUE, FALSE, TRUE, FALSE, FALSE};
    for (int position = 0; position < 8; ++position) {
        EXPECT_EQ(expected[position], IsVerticalBarPosition(position)) << position;
    }
    EXPECT_FALSE(IsVerticalBarPosition(-1));
}

TEST(NonClientMetrics, ReadsTheSystemsMenuFont)
{
    const NonClientMetrics metrics;
    ASSERT_TRUE(metrics.IsValid());
    NONCLIENTMETRICSW expected{};
    expected.cbSize = sizeof expected;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof expected, &expected, 0));
    EXPECT_EQ(expected.lfMenuFont.lfHeight, metrics.lfMenuFont.lfHeight);
    EXPECT_NE(0, metrics.lfMenuFont.lfHeight);
    EXPECT_EQ(expected.iMenuHeight, metrics.iMenuHeight);
}

}  // namespace
