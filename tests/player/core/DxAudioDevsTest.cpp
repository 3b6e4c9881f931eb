// Audio devices: lookups and the combo box over an injected list (one case rule for both), the
// dump's form, and an enumeration of what the system reports.
#include "player/core/DxAudioDevs.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

DxAudioDev* Device(const wchar_t* friendly, const wchar_t* endpoint = L"",
                   const wchar_t* path = L"")
{
    auto* d = new DxAudioDev;
    d->friendlyName = friendly;
    d->endpointName = endpoint;
    d->interfacePath = path;
    d->kind = 2;
    return d;
}

TEST(DxAudioDevs, LookupsAndComboUseOneCaseRule)
{
    DxAudioDevs list;
    list.SetCategory(1);
    list.Add(Device(L"DirectSound: Default"));
    list.Add(Device(L"DirectSound: Speakers", L"Speakers (HD Audio)"));
    EXPECT_EQ(list.Find(L""), &list.Device(0));
    EXPECT_EQ(list.Find(nullptr), &list.Device(0));
    EXPECT_EQ(list.Find(L"Speakers (HD Audio)"), &list.Device(1));
    EXPECT_EQ(list.Find(L"speakers (hd audio)"), &list.Device(1));
    EXPECT_EQ(list.Find(L"DirectSound: Speakers"), nullptr);  // shown by its endpoint name
    EXPECT_EQ(list.Find(L"Headphones"), nullptr);

    HWND combo = CreateWindowW(L"COMBOBOX", L"", CBS_DROPDOWNLIST, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    list.FillComboBox(combo, L"speakers (hd audio)");
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    const LRESULT sel = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, sel, 0), 1);
    list.FillComboBox(combo, L"Headphones");
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    DestroyWindow(combo);
}

TEST(DxAudioDevs, DumpForm)
{
    DxAudioDevs list;
    list.SetCategory(1);
    EXPECT_EQ(list.Dump(), L"--- 0 OUT DEVS, Def=[] ---\r\n\r\n");
    list.Add(Device(L"Out A", L"", L"\\\\?\\intf"));
    list.Add(Device(L"Out B"));
    EXPECT_EQ(list.Dump(),
              L"--- 2 OUT DEVS, Def=[Out A] ---\r\n"
              L"Dev 00: [Out A]; \r\n  Intrf=[\\\\?\\intf]\r\n"
              L"Dev 01: [Out B]; \r\n"
              L"\r\n");
    list.Clear();
    EXPECT_EQ(list.Category(), -1);
    EXPECT_EQ(list.Count(), 0);
}

TEST(DxAudioDevs, EnumerateWhatTheSystemReports)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        DxAudioDevs list;
        list.Enumerate();
        EXPECT_EQ(list.Category(), 1);
        for (int i = 0; i < list.Count(); ++i) {
            EXPECT_NE(list.Device(i).moniker, nullptr);
            EXPECT_NE(list.Device(i).filter, nullptr);
            EXPECT_FALSE(list.Device(i).GetDisplayName().empty());
        }
        EXPECT_EQ(list.Dump().rfind(L"--- ", 0), 0u);
    }
    CoUninitialize();
}

TEST(DxAudioDevs, ShellViewModeCommands)
{
    EXPECT_TRUE(IsShellViewModeCommand(28713));
    EXPECT_FALSE(IsShellViewModeCommand(28714));
    EXPECT_TRUE(IsShellViewModeCommand(28718));
    EXPECT_FALSE(IsShellViewModeCommand(28717));
}

}  // namespace
