// Monitor enumeration over described display configurations, and over the real (Xvfb) one.
#include "video/display/MonitorList.h"
#include "video/display/MonitorSystem.h"
#include "video/PlaySettings.h"
#include "tests/video/TestInstance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct FakeMonitor {
    const wchar_t* description;
    DWORD flags;
};

struct FakeAdapter {
    DWORD flags;
    std::vector<FakeMonitor> monitors;
    bool hasMode = true;
    bool onDesktop = true;
    POINT position{0, 0};
    DWORD width = 800;
    DWORD height = 600;
};

constexpr DWORD kActiveAttached = DISPLAY_DEVICE_ACTIVE | DISPLAY_DEVICE_ATTACHED;

class FakeSystem : public MonitorSystem {
public:
    explicit FakeSystem(std::vector<FakeAdapter> adapters) : m_adapters(std::move(adapters)) {}

    BOOL EnumDevice(const wchar_t* device, DWORD index, DISPLAY_DEVICEW* out) override
    {
        *out = DISPLAY_DEVICEW{};
        if (!device) {
            if (index >= m_adapters.size()) {
                return FALSE;
            }
            swprintf(out->DeviceName, 32, L"\\\\.\\DISPLAY%u", index + 1);
            wcscpy(out->DeviceString, L"Test adapter");
            out->StateFlags = m_adapters[index].flags;
            return TRUE;
        }
        const FakeAdapter* adapter = Find(device);
        if (!adapter || index >= adapter->monitors.size()) {
            return FALSE;
        }
        swprintf(out->DeviceName, 32, L"%s\\Monitor%u", device, index);
        wcscpy(out->DeviceString, adapter->monitors[index].description);
        out->StateFlags = adapter->monitors[index].flags;
        return TRUE;
    }

    BOOL EnumSettings(const wchar_t* device, DWORD, DEVMODEW* out) override
    {
        const FakeAdapter* adapter = Find(device);
        if (!adapter || !adapter->hasMode) {
            return FALSE;
        }
        *out = DEVMODEW{};
        out->dmPosition = POINTL{adapter->position.x, adapter->position.y};
        out->dmPelsWidth = adapter->width;
        out->dmPelsHeight = adapter->height;
        out->dmBitsPerPel = 32;
        m_lastPosition = adapter->position;
        m_lastOnDesktop = adapter->onDesktop;
        return TRUE;
    }

    BOOL IsOnDesktop(POINT) override { return m_lastOnDesktop; }

    void ScreenMetrics(int* bits, int* width, int* height) override
    {
        *bits = 24;
        *width = 1024;
        *height = 768;
    }

private:
    const FakeAdapter* Find(const wchar_t* device) const
    {
        for (size_t i = 0; i < m_adapters.size(); ++i) {
            wchar_t name[32];
            swprintf(name, 32, L"\\\\.\\DISPLAY%u", static_cast<unsigned>(i + 1));
            if (std::wstring(device) == name) {
                return &m_adapters[i];
            }
        }
        return nullptr;
    }

    std::vector<FakeAdapter> m_adapters;
    POINT m_lastPosition{};
    BOOL m_lastOnDesktop = TRUE;
};

std::vector<std::wstring> Names(MonitorList& list)
{
    std::vector<std::wstring> names;
    for (int i = 0; i < list.GetCount(); ++i) {
        names.push_back(list.GetAt(i)->name);
    }
    return names;
}

}  // namespace

TEST(MonitorList, SkippedAdaptersUseNoNumber)
{
    ScopedCallback callback;
    FakeAdapter mirror{DISPLAY_DEVICE_MIRRORING_DRIVER, {{L"Mirror", kActiveAttached}}};
    FakeAdapter detached{0, {{L"Asleep", DISPLAY_DEVICE_ATTACHED}}};
    FakeAdapter outside{0, {{L"Away", kActiveAttached}}};
    outside.onDesktop = false;
    FakeAdapter noMode{0, {{L"Modeless", kActiveAttached}}};
    noMode.hasMode = false;
    FakeAdapter left{DISPLAY_DEVICE_PRIMARY_DEVICE,
                     {{L"Off", DISPLAY_DEVICE_ACTIVE}, {L"Left panel", kActiveAttached}}};
    FakeAdapter right{0, {{L"Right panel", kActiveAttached}}};
    right.position = POINT{800, 0};
    right.width = 1280;
    right.height = 1024;
    FakeSystem system({mirror, left, detached, outside, noMode, right});
    MonitorList list(system);

    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"1. Left panel", L"2. Right panel"}));
    EXPECT_EQ(list.GetAt(0)->primary, 1);
    EXPECT_EQ(list.GetAt(1)->primary, 0);
    const RECT expected{800, 0, 2080, 1024};
    EXPECT_TRUE(EqualRect(&list.GetAt(1)->rect, &expected));
    EXPECT_EQ(list.GetAt(1)->bitsPerPixel, 32);
    EXPECT_EQ(list.GetAt(2), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_TRUE(callback.instance.Logged(L"EnumDisplaySettingsEx"));
}

TEST(MonitorList, SingleMonitorIsPrimaryWithoutTheFlag)
{
    ScopedCallback callback;
    FakeSystem system({FakeAdapter{0, {{L"Panel", kActiveAttached}}}});
    MonitorList list(system);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetPrimary(), list.GetAt(0));
}

TEST(MonitorList, NoMonitorGivesTheDefaultEntryOverTheScreen)
{
    ScopedCallback callback;
    FakeSystem system({});
    MonitorList list(system);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0)->name, L"Default Monitor");
    const RECT expected{0, 0, 1024, 768};
    EXPECT_TRUE(EqualRect(&list.GetAt(0)->rect, &expected));
    EXPECT_TRUE(callback.instance.Logged(L"SetDefaultMonitor: [1024x768]"));
}

TEST(MonitorList, EmptyDescriptionIsDefaultMonitorAndLogged)
{
    ScopedCallback callback;
    FakeSystem system({FakeAdapter{0, {{L"", kActiveAttached}}}});
    MonitorList list(system);
    EXPECT_EQ(list.GetAt(0)->name, L"1. Default Monitor");
    EXPECT_TRUE(callback.instance.Logged(L"DeviceString[0, 0]"));
}

TEST(MonitorList, PrimaryFallsBackToFirstWhenNoneIsFlagged)
{
    ScopedCallback callback;
    FakeAdapter second{0, {{L"B", kActiveAttached}}};
    second.position = POINT{800, 0};
    FakeSystem system({FakeAdapter{0, {{L"A", kActiveAttached}}}, second});
    MonitorList list(system);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetPrimary(), list.GetAt(0));
}

TEST(MonitorList, StreamsFindTheirStoredMonitorsOrThePrimary)
{
    ScopedCallback callback;
    FakeAdapter second{0, {{L"B", kActiveAttached}}};
    second.position = POINT{800, 0};
    FakeSystem system({FakeAdapter{DISPLAY_DEVICE_PRIMARY_DEVICE, {{L"A", kActiveAttached}}},
                       second});
    struct Case {
        const wchar_t* camera;
        const wchar_t* screen;
        int cameraIndex;
        int screenIndex;
    };
    const Case cases[] = {
        {L"", L"", 0, 0},
        {L"2. B", L"1. A", 1, 0},
        {L"2. b", L"3. C", 0, 0},  // exact names only; unknown ones fall back
    };
    for (const Case& c : cases) {
        PlaySettings settings;
        PlaySettingsValues values;
        values.CamMonitor = c.camera;
        values.ScrMonitor = c.screen;
        settings.SetValues(values);
        std::wstring text;
        settings.GetText(text);
        MonitorList list(system);
        EXPECT_EQ(list.GetForStream(1, text.c_str()), list.GetAt(c.cameraIndex)) << c.camera;
        EXPECT_EQ(list.GetForStream(2, text.c_str()), list.GetAt(c.screenIndex)) << c.screen;
        EXPECT_EQ(list.GetForStream(3, text.c_str()), nullptr);
    }
    EXPECT_TRUE(callback.instance.Logged(L"GetInfoMonitor: 3. C"));
}

TEST(MonitorList, TheTestDisplayHasOneMonitorCoveringTheScreen)
{
    ScopedCallback callback;
    MonitorList list;
    ASSERT_GE(list.GetCount(), 1);
    const MonitorInfo* primary = list.GetPrimary();
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(primary->rect.right - primary->rect.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(primary->rect.bottom - primary->rect.top, GetSystemMetrics(SM_CYSCREEN));
}
