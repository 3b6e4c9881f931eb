// Saved bar layout records in the profile: the INI sections compared byte for byte with an
// expected file, the registry values read back with their types, what a load defaults, scales
// and bounds (layouts of other screens, bars beyond the screen's edge, counts beyond what is
// there, profile names beyond any buffer).
#include "toolkit/commandbars/CUTKCommandBarsState.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/toolkit/commandbars/BarStateTestHost.h"

using namespace orvane::test;

namespace {

using Info = CUTKToolBar::CToolBarInfo;

// Three records: a docked bar as it is after construction, a floating bar with a remembered
// dock place, a hidden dialog bar of unknown position.
void FillThreeRecords(CommandBarsDockState& state)
{
    auto docked = std::make_unique<Info>();
    docked->nBarID = 100;
    docked->bVisible = TRUE;
    docked->ptPos = CPoint(0, 0);
    state.Add(std::move(docked));

    auto floating = std::make_unique<Info>();
    floating->nBarID = 101;
    floating->bVisible = TRUE;
    floating->bFloating = TRUE;
    floating->ptPos = CPoint(500, 400);
    floating->nMRUWidth = 120;
    floating->uMRUDockID = 2;
    floating->rectMRUDockPos = CRect(10, 20, 110, 46);
    floating->ptMRUFloatPos = CPoint(500, 400);
    state.Add(std::move(floating));

    auto dialog = std::make_unique<Info>();
    dialog->nBarID = 102;
    dialog->bDialogBar = TRUE;
    dialog->szDialogBarDockingClient = CSize(300, 80);
    dialog->szDialogBarFloatingClient = CSize(250, 90);
    state.Add(std::move(dialog));
}

DWORD RegistryType(const ProfileApp& profile, const wchar_t* section, const wchar_t* name,
                   DWORD* value = nullptr)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, profile.SectionPath(section).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return REG_NONE;
    }
    DWORD type = REG_NONE;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS &&
        size <= sizeof data) {
        type = REG_NONE;
    }
    ::RegCloseKey(key);
    if (value != nullptr)
        *value = data;
    return type;
}

}  // namespace

TEST(BarStateRecords, IniSectionsMatchTheExpectedFile)
{
    ProfileApp profile(ProfileApp::kIni, L"records");
    CommandBarsDockState state;
    state.SetScreenSize(CSize(1280, 1024));
    FillThreeRecords(state);
    state.SaveState(L"State");
    EXPECT_EQ(profile.IniBytes(), ReadFixture("records.ini"));

    // Saving again over the same sections leaves the same sections and lines (each record's
    // section is deleted first and written anew, so it moves behind the summary).
    auto sortedLines = [](const std::string& text) {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(text.substr(start, end - start));
        std::sort(lines.begin(), lines.end());
        return lines;
    };
    CommandBarsDockState again;
    again.SetScreenSize(CSize(1280, 1024));
    FillThreeRecords(again);
    again.SaveState(L"State");
    EXPECT_EQ(sortedLines(profile.IniBytes()), sortedLines(ReadFixture("records.ini")));
}

TEST(BarStateRecords, RegistryHoldsDwordsAndLeavesDefaultsOut)
{
    ProfileApp profile(ProfileApp::kRegistry, L"records");
    CommandBarsDockState state;
    state.SetScreenSize(CSize(1280, 1024));
    FillThreeRecords(state);
    state.SaveState(L"State");

    DWORD value = 0;
    EXPECT_EQ(RegistryType(profile, L"State-Summary", L"Bars", &value), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 3u);
    EXPECT_EQ(RegistryType(profile, L"State-Summary", L"ScreenCX", &value), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 1280u);
    // Visible bars have no "Visible", docked ones no "Floating", unknown positions no "XPos".
    EXPECT_EQ(RegistryType(profile, L"State-Bar0", L"Visible"), static_cast<DWORD>(REG_NONE));
    EXPECT_EQ(RegistryType(profile, L"State-Bar0", L"Floating"), static_cast<DWORD>(REG_NONE));
    EXPECT_EQ(RegistryType(profile, L"State-Bar0", L"MRUWidth"), static_cast<DWORD>(REG_NONE));
    EXPECT_EQ(RegistryType(profile, L"State-Bar2", L"XPos"), static_cast<DWORD>(REG_NONE));
    EXPECT_EQ(RegistryType(profile, L"State-Bar2", L"Visible", &value), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(RegistryType(profile, L"State-Bar1", L"MRUDockBottomPos", &value),
              static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 46u);
    EXPECT_EQ(RegistryType(profile, L"State-Bar1", L"DialogBarDockingClientCx"),
              static_cast<DWORD>(REG_NONE));
    EXPECT_EQ(RegistryType(profile, L"State-Bar2", L"DialogBarFloatingClientCy", &value),
              static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 90u);

    // And they read back as they were.
    CommandBarsDockState loaded;
    loaded.SetScreenSize(CSize(1280, 1024));
    loaded.LoadState(L"State");
    ASSERT_EQ(loaded.GetCount(), 3);
    EXPECT_FALSE(loaded.IsScaling());
    EXPECT_TRUE(loaded.GetAt(0)->bVisible);
    EXPECT_EQ(loaded.GetAt(0)->nMRUWidth, Info::kNoWidth);
    EXPECT_TRUE(loaded.GetAt(1)->bFloating);
    EXPECT_EQ(loaded.GetAt(1)->ptPos, CPoint(500, 400));
    EXPECT_EQ(loaded.GetAt(1)->rectMRUDockPos, CRect(10, 20, 110, 46));
    EXPECT_FALSE(loaded.GetAt(2)->bVisible);
    EXPECT_EQ(loaded.GetAt(2)->ptPos, CPoint(-1, -1));
    EXPECT_EQ(loaded.GetAt(2)->szDialogBarFloatingClient, CSize(250, 90));
}

TEST(BarStateRecords, LayoutsOfOtherScreensScaleAndComeBackOnScreen)
{
    // Saved on a 1024 by 768 screen, loaded on this 1280 by 1024 one.
    ProfileApp profile(ProfileApp::kIni, L"scaled");
    const wchar_t* ini = profile.m_ini.c_str();
    ::WritePrivateProfileStringW(L"S-Summary", L"Bars", L"3", ini);
    ::WritePrivateProfileStringW(L"S-Summary", L"ScreenCX", L"1024", ini);
    ::WritePrivateProfileStringW(L"S-Summary", L"ScreenCY", L"768", ini);
    ::WritePrivateProfileStringW(L"S-Bar0", L"BarID", L"100", ini);
    ::WritePrivateProfileStringW(L"S-Bar0", L"Floating", L"1", ini);
    ::WritePrivateProfileStringW(L"S-Bar0", L"XPos", L"512", ini);
    ::WritePrivateProfileStringW(L"S-Bar0", L"YPos", L"384", ini);
    ::WritePrivateProfileStringW(L"S-Bar0", L"MRUDockLeftPos", L"100", ini);
    ::WritePrivateProfileStringW(L"S-Bar0", L"MRUDockTopPos", L"30", ini);
    ::WritePrivateProfileStringW(L"S-Bar0", L"MRUDockRightPos", L"300", ini);
    ::WritePrivateProfileStringW(L"S-Bar0", L"MRUDockBottomPos", L"56", ini);
    // Beyond the right and bottom edges even after scaling.
    ::WritePrivateProfileStringW(L"S-Bar1", L"BarID", L"101", ini);
    ::WritePrivateProfileStringW(L"S-Bar1", L"XPos", L"3000", ini);
    ::WritePrivateProfileStringW(L"S-Bar1", L"YPos", L"2000", ini);
    ::WritePrivateProfileStringW(L"S-Bar1", L"MRUFloatXPos", L"3000", ini);
    ::WritePrivateProfileStringW(L"S-Bar1", L"MRUDockID", L"77", ini);
    // Only entries of their own: everything defaults.
    ::WritePrivateProfileStringW(L"S-Bar2", L"BarID", L"102", ini);

    CommandBarsDockState state;
    state.SetScreenSize(CSize(1280, 1024));
    state.LoadState(L"S");
    EXPECT_TRUE(state.IsScaling());
    EXPECT_EQ(state.GetSavedScreenSize(), CSize(1024, 768));
    ASSERT_EQ(state.GetCount(), 3);
    EXPECT_EQ(state.GetAt(0)->ptPos, CPoint(640, 512));
    EXPECT_EQ(state.GetAt(0)->rectMRUDockPos, CRect(125, 40, 325, 66));
    const int xLimit = 1280 - ::GetSystemMetrics(SM_CXICON);
    const int yLimit = 1024 - ::GetSystemMetrics(SM_CYICON);
    EXPECT_EQ(state.GetAt(1)->ptPos, CPoint(xLimit, yLimit));
    EXPECT_EQ(state.GetAt(1)->ptMRUFloatPos.x, xLimit);
    EXPECT_EQ(state.GetAt(1)->uMRUDockID, 0);  // no fifth side
    const Info* defaults = state.GetAt(2);
    EXPECT_TRUE(defaults->bVisible);
    EXPECT_FALSE(defaults->bFloating);
    EXPECT_EQ(defaults->ptPos, CPoint(-1, -1));
    EXPECT_EQ(defaults->nMRUWidth, Info::kNoWidth);
    EXPECT_FALSE(defaults->bDialogBar);

    // A saved size of 0 turns scaling off.
    ::WritePrivateProfileStringW(L"S-Summary", L"ScreenCX", L"0", ini);
    CommandBarsDockState unscaled;
    unscaled.SetScreenSize(CSize(1280, 1024));
    unscaled.LoadState(L"S");
    EXPECT_FALSE(unscaled.IsScaling());
    EXPECT_EQ(unscaled.GetAt(0)->ptPos, CPoint(512, 384));
}

TEST(BarStateRecords, CountsAreBoundedByWhatIsThere)
{
    ProfileApp profile(ProfileApp::kRegistry, L"counts");
    CWinApp& app = profile.m_app;
    app.WriteProfileInt(L"C-Summary", L"Bars", 0x7FFFFFFF);
    app.WriteProfileInt(L"C-Bar0", L"BarID", 5);
    app.WriteProfileInt(L"C-Bar1", L"BarID", 6);
    CommandBarsDockState state;
    state.LoadState(L"C");
    EXPECT_EQ(state.GetCount(), 2);

    // A negative count reads nothing.
    app.WriteProfileInt(L"C-Summary", L"Bars", -5);
    state.LoadState(L"C");
    EXPECT_EQ(state.GetCount(), 0);
}

TEST(BarStateRecords, LongProfileNamesStayBoundedAndRoundTrip)
{
    const std::wstring name(1000, L'n');
    for (ProfileApp::Kind kind : {ProfileApp::kIni, ProfileApp::kRegistry}) {
        ProfileApp profile(kind, L"longname");
        CommandBarsDockState state;
        FillThreeRecords(state);
        state.SaveState(name.c_str());
        CommandBarsDockState loaded;
        loaded.LoadState(name.c_str());
        ASSERT_EQ(loaded.GetCount(), 3) << kind;
        EXPECT_EQ(loaded.GetAt(1)->nBarID, 101u) << kind;
        EXPECT_EQ(loaded.GetAt(2)->szDialogBarDockingClient, CSize(300, 80)) << kind;
    }
}

TEST(BarStateRecords, LoadingCreatesNothingInTheProfile)
{
    ProfileApp profile(ProfileApp::kRegistry, L"readonly");
    CommandBarsDockState state;
    state.LoadState(L"Nothing");
    EXPECT_EQ(state.GetCount(), 0);
    HKEY key = nullptr;
    const std::wstring company = L"Software\\" + profile.m_company;
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, company.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    if (key != nullptr)
        ::RegCloseKey(key);
}
