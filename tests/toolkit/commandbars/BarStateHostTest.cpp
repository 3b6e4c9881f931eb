// Bar state through a frame: a host saves its layout and a fresh host restores floating
// positions, visibility and the rows of the dock bars from it (and saves the same bytes
// again); customised bars stay in the profile up to 16000 bytes and go to a hidden file from
// 16001, and a file that cannot be written leaves the profile and the old file as they were.
#include "toolkit/commandbars/CUTKCommandBarsState.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "toolkit/commandbars/CUTKDockBar.h"
#include "tests/toolkit/commandbars/BarStateTestHost.h"

using namespace orvane::test;

namespace {

// The rows of a dock bar: bar ids, "/" between rows (empty rows do not count).
std::string Rows(CUTKDockBar* dockBar)
{
    std::string out;
    BOOL rowOpen = FALSE;
    for (int i = 0; dockBar != nullptr && i < dockBar->GetCount(); ++i) {
        CUTKToolBar* bar = dockBar->GetAt(i);
        if (bar == nullptr) {
            if (rowOpen)
                out += "/ ";
            rowOpen = FALSE;
            continue;
        }
        out += std::to_string(bar->GetBarID()) + " ";
        rowOpen = TRUE;
    }
    while (out.size() >= 2 && out.compare(out.size() - 2, 2, "/ ") == 0)
        out.erase(out.size() - 2);
    return out;
}

// Four bars in the order the program makes them: three at the top, one at the left.
void MakeBars(StateHost& host)
{
    host.AddBar(100, L"Standard", 0);
    host.AddBar(101, L"Format", 0);
    host.AddBar(102, L"Drawing", 0);
    host.AddBar(103, L"Tools", 2);
}

CRect WindowRect(CWnd* wnd)
{
    CRect rc;
    wnd->GetWindowRect(&rc);
    return rc;
}

}  // namespace

TEST(BarStateHost, FreshHostRestoresFloatingPositionsVisibilityAndRows)
{
    ProfileApp profile(ProfileApp::kIni, L"host");
    std::string saved;
    std::string topRows;
    CRect floatRect;
    {
        StateHost host;
        MakeBars(host);
        CUTKCommandBars* bars = host.m_bars;
        CUTKToolBar* drawing = bars->FindCommandBar(102);
        ASSERT_NE(drawing, nullptr);
        ASSERT_TRUE(bars->FloatCommandBar(drawing));
        drawing->SetWindowPos(nullptr, 700, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        bars->FindCommandBar(101)->SetVisible(FALSE);
        host.Layout();
        floatRect = WindowRect(drawing);
        topRows = Rows(bars->GetDockBar(0));
        bars->SaveBarState(L"Host", TRUE);
        saved = profile.IniBytes();
    }
    ASSERT_FALSE(saved.empty());
    std::printf("---- saved INI state ----\n%s---- end ----\n", saved.c_str());
    EXPECT_NE(saved.find("[Host-Summary]"), std::string::npos);
    // The hidden bar alone says "Visible=0"; shown bars leave it out.
    EXPECT_EQ(saved.find("Visible=1"), std::string::npos);
    EXPECT_NE(saved.find("Visible=0"), std::string::npos);

    StateHost fresh;
    MakeBars(fresh);
    CUTKCommandBars* bars = fresh.m_bars;
    bars->LoadBarState(L"Host", TRUE);
    fresh.Layout();

    CUTKToolBar* drawing = bars->FindCommandBar(102);
    EXPECT_EQ(drawing->GetPosition(), static_cast<int>(utkBarFloating));
    EXPECT_TRUE(drawing->GetStyle() & WS_POPUP);
    EXPECT_EQ(WindowRect(drawing).TopLeft(), floatRect.TopLeft());
    EXPECT_FALSE(bars->FindCommandBar(101)->IsVisible());
    EXPECT_FALSE(bars->FindCommandBar(101)->GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(bars->FindCommandBar(100)->IsVisible());
    EXPECT_EQ(bars->FindCommandBar(103)->GetDockBar(), bars->GetDockBar(2));
    EXPECT_EQ(Rows(bars->GetDockBar(0)), topRows);
    std::printf("restarted host: top rows %s| left rows %s| floating 102 at (%ld, %ld), 101 %s\n",
                Rows(bars->GetDockBar(0)).c_str(), Rows(bars->GetDockBar(2)).c_str(),
                WindowRect(drawing).left, WindowRect(drawing).top,
                bars->FindCommandBar(101)->IsVisible() ? "shown" : "hidden");

    // For a picture of the restarted host: it stays up (pumping) for the time asked.
    if (const char* hold = std::getenv("ORVANE_BARSTATE_HOLD_MS")) {
        const ULONGLONG until = ::GetTickCount64() + static_cast<ULONGLONG>(std::atoi(hold));
        while (::GetTickCount64() < until) {
            fresh.Layout();
            ::Sleep(20);
        }
    }

    // Restored as saved: saving again writes the same bytes.
    ::DeleteFileW(profile.m_ini.c_str());
    bars->SaveBarState(L"Host", TRUE);
    EXPECT_EQ(profile.IniBytes(), saved);
}

TEST(BarStateHost, DockBarsWithOnlyTheirLeadingSeparatorAreNotWritten)
{
    ProfileApp profile(ProfileApp::kIni, L"dockbars");
    StateHost host;
    host.AddBar(100, L"Standard", 0);
    host.AddBar(101, L"Format", 0);
    // A section left from an earlier save of the empty bottom dock bar is deleted.
    ::WritePrivateProfileStringW(L"D-DockBar1", L"Bars", L"5", profile.m_ini.c_str());
    CommandBarsDockState::SaveDockBars(host.m_bars, L"D");
    const std::string ini = profile.IniBytes();
    EXPECT_EQ(ini.find("[D-DockBar1]"), std::string::npos);
    EXPECT_EQ(ini.find("[D-DockBar2]"), std::string::npos);
    EXPECT_EQ(ini, ReadFixture("dockbars.ini"));
}

namespace {

// A user's bar whose one button has a caption of n letters of a fixed pseudo-random sequence:
// the packed block grows by less than a byte per letter, so every size can be met.
std::wstring Letters(size_t n)
{
    std::wstring text;
    unsigned state = 12345;
    for (size_t i = 0; i < n; ++i) {
        state = state * 1103515245u + 12345u;
        text += static_cast<wchar_t>(L'a' + (state >> 16) % 26);
    }
    return text;
}

size_t BlockSize(CUTKCommandBars* bars)
{
    UTK_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.bSaveOnlyCustomized = TRUE;
    param.pCommandBars = bars;
    std::vector<BYTE> block;
    EXPECT_TRUE(StoreCommandBarsBlock(bars, param, block));
    return block.size();
}

// Sets the caption so that the block is exactly the size; FALSE when no length gives it.
BOOL MakeBlockOfSize(CUTKCommandBars* bars, CUTKControl* control, size_t size)
{
    size_t low = 0, high = 60000;
    while (low < high) {
        const size_t mid = (low + high) / 2;
        control->SetCaption(Letters(mid).c_str());
        if (BlockSize(bars) < size)
            low = mid + 1;
        else
            high = mid;
    }
    // Packing moves in steps of a byte or two: a parameter text of a few letters fills in.
    for (size_t n = low > 40 ? low - 40 : 0; n < low + 40; ++n) {
        control->SetCaption(Letters(n).c_str());
        for (size_t extra = 0; extra < 6; ++extra) {
            control->SetParameter(std::wstring(extra, L'q').c_str());
            if (BlockSize(bars) == size)
                return TRUE;
        }
    }
    return FALSE;
}

}  // namespace

TEST(BarStateHost, CustomisedBarsOf16000BytesStayInTheProfileAndLargerGoToAHiddenFile)
{
    for (size_t size : {static_cast<size_t>(16000), static_cast<size_t>(16001)}) {
        ProfileApp profile(ProfileApp::kIni, L"custom");
        std::wstring caption;
        CString file;
        {
            StateHost host(TRUE);
            host.AddBar(100, L"Standard", 0);
            CUTKToolBar* mine = host.AddBar(200, L"Mine", 0, 1);
            mine->SetBuiltIn(FALSE);
            ASSERT_TRUE(host.m_bars->GetCustomControlsFile(file, L"Custom"));
            ::SetFileAttributesW(file, FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(file);
            CUTKControl* control = mine->GetControls()->GetAt(0);
            ASSERT_TRUE(MakeBlockOfSize(host.m_bars, control, size)) << size;
            caption = static_cast<LPCWSTR>(control->GetCaption());
            host.m_bars->SaveBarState(L"Custom", TRUE);
        }
        const CString inProfile = profile.m_app.GetProfileString(L"Custom-Controls", L"Controls");
        const UINT fromFile = profile.m_app.GetProfileInt(L"Custom-Controls", L"LoadFromFile", 7);
        const DWORD attributes = ::GetFileAttributesW(file);
        if (size == 16000) {
            EXPECT_EQ(fromFile, 0u);
            EXPECT_EQ(static_cast<size_t>(inProfile.GetLength()), 2 * size);  // two letters a byte
            EXPECT_EQ(attributes, INVALID_FILE_ATTRIBUTES);
        } else {
            EXPECT_EQ(fromFile, 1u);
            EXPECT_EQ(std::wstring(inProfile), std::wstring(file));
            ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
            EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
            EXPECT_EQ(ReadBytes(std::wstring(file)).size(), size);
        }

        // A fresh host gets the user's bar back with its button.
        StateHost fresh(TRUE);
        fresh.AddBar(100, L"Standard", 0);
        fresh.m_bars->LoadBarState(L"Custom", TRUE);
        CUTKToolBar* mine = fresh.m_bars->FindCommandBar(200);
        ASSERT_NE(mine, nullptr) << size;
        EXPECT_EQ(Captions(mine), caption) << size;
        EXPECT_FALSE(mine->IsBuiltIn());
        ::SetFileAttributesW(file, FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(file);
    }
}

TEST(BarStateHost, AFileThatCannotBeWrittenLeavesProfileAndOldFile)
{
    ProfileApp profile(ProfileApp::kIni, L"replace");
    StateHost host(TRUE);
    CUTKToolBar* mine = host.AddBar(200, L"Mine", 0, 1);
    mine->SetBuiltIn(FALSE);
    CUTKControl* control = mine->GetControls()->GetAt(0);
    CString file;
    ASSERT_TRUE(host.m_bars->GetCustomControlsFile(file, L"Replace"));
    control->SetCaption(Letters(40000).c_str());
    host.m_bars->SaveBarState(L"Replace", TRUE);
    ASSERT_EQ(profile.m_app.GetProfileInt(L"Replace-Controls", L"LoadFromFile", 0), 1u);
    const std::string oldFile = ReadBytes(std::wstring(file));
    ASSERT_FALSE(oldFile.empty());

    // The temporary file cannot be made: a directory stands where it would go.
    const std::wstring blocker = std::wstring(file) + L".new";
    ASSERT_TRUE(::CreateDirectoryW(blocker.c_str(), nullptr));
    control->SetCaption(Letters(45000).c_str());
    host.m_bars->SaveBarState(L"Replace", TRUE);
    ::RemoveDirectoryW(blocker.c_str());
    EXPECT_EQ(ReadBytes(std::wstring(file)), oldFile);
    // The layout sections are written again; the customised bars' section is as it was.
    EXPECT_EQ(profile.m_app.GetProfileString(L"Replace-Controls", L"Controls"), CString(file));
    EXPECT_EQ(profile.m_app.GetProfileInt(L"Replace-Controls", L"LoadFromFile", 0), 1u);

    ::SetFileAttributesW(file, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(file);
}
