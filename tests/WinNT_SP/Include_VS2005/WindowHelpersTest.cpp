// Window helpers (real windows under Xvfb), traced message boxes and the debug-information
// file.
#include "WinNT_SP/Include_VS2005/DebugInfoFile.h"
#include "WinNT_SP/Include_VS2005/MessageBoxLayer.h"
#include "WinNT_SP/Include_VS2005/PlayerCoreServices.h"
#include "WinNT_SP/Include_VS2005/RecentLogText.h"
#include "WinNT_SP/Include_VS2005/SettingsPaths.h"
#include "tests/WinNT_SP/Include_VS2005/TempFolder.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "WinNT_SP/Include_VS2005/Volume.h"
#include "WinNT_SP/Include_VS2005/WindowHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using orvane::test::ReadFileBytes;
using orvane::test::TempFolder;

namespace {

HWND MakeTopWindow()
{
    return CreateWindowExW(0, L"STATIC", L"Value %s here", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

std::wstring ScreenPrefix()
{
    HDC dc = GetDC(nullptr);
    const std::wstring s = std::to_wstring(GetDeviceCaps(dc, HORZRES)) + L"," +
                           std::to_wstring(GetDeviceCaps(dc, VERTRES));
    ReleaseDC(nullptr, dc);
    return s;
}

struct Box {
    std::wstring caption;
    std::wstring text;
    UINT style;
    UINT flags;
    bool details;
};

struct RecordingPresenter final : IMessageBoxPresenter {
    std::vector<Box> boxes;
    int answer = IDOK;
    int Show(const wchar_t* caption, const wchar_t* text, UINT style, UINT flags,
             const wchar_t* details, const MSGBOX_OPTIONS&) override
    {
        boxes.push_back({caption, text, style, flags, details != nullptr});
        return answer;
    }
};

}  // namespace

TEST(WindowPlacementText, RoundTripAndRefusals)
{
    HWND w = MakeTopWindow();
    ASSERT_NE(w, nullptr);
    const std::wstring text = ScreenPrefix() + L",m,20,30,400,250";
    EXPECT_TRUE(SetWindowPlacementText(w, text.c_str()));
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(GetWindowPlacementText(w), text);
    for (const std::wstring& bad :
         {std::wstring(L"1,1,m,20,30,400,250"), ScreenPrefix() + L",x,20,30,400,250",
          ScreenPrefix() + L",m,20,30,400", ScreenPrefix() + L",m,20,30,400,250,1",
          ScreenPrefix() + L",m,a,30,400,250"}) {
        EXPECT_FALSE(SetWindowPlacementText(w, bad.c_str())) << bad;
    }
    EXPECT_EQ(GetWindowPlacementText(w), text);
    DestroyWindow(w);
    EXPECT_EQ(GetWindowPlacementText(w), L"");
}

TEST(WindowHelpers, ClassTextAndMoves)
{
    HWND w = MakeTopWindow();
    EXPECT_TRUE(IsWindowOfClass(w, L"Static"));
    EXPECT_FALSE(IsWindowOfClass(w, L"Stati"));
    EXPECT_FALSE(IsWindowOfClass(nullptr, L"Static"));
    FormatWindowText(w, L"42");
    wchar_t text[64];
    GetWindowTextW(w, text, 64);
    EXPECT_STREQ(text, L"Value 42 here");
    HWND child = CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 5, 6, 50, 20, w,
                                 HMENU(101), nullptr, nullptr);
    MoveWindowBy(child, 10, 20, 5, -5);
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 15);
    EXPECT_EQ(r.top, 26);
    EXPECT_EQ(r.right - r.left, 55);
    EXPECT_EQ(r.bottom - r.top, 15);
    DestroyWindow(w);
}

TEST(WindowHelpers, ToolHitTestSkipsGroupBoxes)
{
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                  200, nullptr, nullptr, nullptr, nullptr);
    CreateWindowExW(0, L"BUTTON", L"group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 200, 100,
                    parent, HMENU(10), nullptr, nullptr);
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 20, 20, 50, 20, parent,
                                HMENU(11), nullptr, nullptr);
    TOOLINFOW info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_CENTERTIP;
    EXPECT_EQ(ToolHitTestChildAt(parent, &info, POINT{30, 25}), 11);
    EXPECT_EQ(info.uId, reinterpret_cast<UINT_PTR>(edit));
    EXPECT_TRUE(info.uFlags & TTF_IDISHWND);
    EXPECT_FALSE(info.uFlags & TTF_CENTERTIP);
    EXPECT_TRUE(info.uFlags & 0x80000000u);  // not a button
    EXPECT_EQ(ToolHitTestChildAt(parent, nullptr, POINT{150, 80}), -1);  // only the group box
    DestroyWindow(parent);
}

TEST(VolumeSlider, SetUpTwiceKeepsThePosition)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HWND slider = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_POPUP, 0, 0, 200, 30, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(slider, nullptr);
    SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
    SendMessageW(slider, TBM_SETPOS, TRUE, 70);
    SetupVolumeSlider(slider);
    EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 41);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 0);
    EXPECT_EQ(SendMessageW(slider, TBM_GETNUMTICS, 0, 0), 6);  // 4 ticks and both ends
    SendMessageW(slider, TBM_SETPOS, TRUE, 30);
    SetupVolumeSlider(slider);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 30);
    DestroyWindow(slider);
}

TEST(WindowHelpers, FormatMessageString)
{
    EXPECT_EQ(FormatMessageString(L"%1 and %2!u!", L"one", 2u), L"one and 2");
}

TEST(TracedMessageBox, RulesAndLogLines)
{
    RecordingPresenter presenter;
    SetMessageBoxPresenter(&presenter);
    struct Case {
        UINT style;
        bool details;
        UINT dialogStyle;
    };
    const Case cases[] = {
        {MB_OK, true, MB_OK | MB_ICONEXCLAMATION},
        {MB_YESNO, false, MB_YESNO | MB_ICONEXCLAMATION},
        {MB_YESNO | MBX_SHOW_LOG, true, MB_YESNO | MB_ICONEXCLAMATION},
        {MB_OK | MBX_NO_LOG | MB_ICONINFORMATION, false, MB_OK | MB_ICONINFORMATION},
        {MB_OKCANCEL | MB_ICONSTOP | MB_DEFBUTTON2, false,
         MB_OKCANCEL | MB_ICONSTOP | MB_DEFBUTTON2},
    };
    for (const Case& c : cases) {
        presenter.boxes.clear();
        EXPECT_EQ(TracedMessageBox(c.style, L"question", nullptr, 0), IDOK);
        ASSERT_EQ(presenter.boxes.size(), 1u);
        EXPECT_EQ(presenter.boxes[0].details, c.details) << std::hex << c.style;
        EXPECT_EQ(presenter.boxes[0].style, c.dialogStyle) << std::hex << c.style;
        EXPECT_EQ(presenter.boxes[0].caption, L"Orvane Presentation Player");
        EXPECT_EQ(presenter.boxes[0].flags, MBXF_NO_CLIENT_EDGE | MBXF_COPY_BUTTON);
    }
    RecentLogText().Clear();
    presenter.answer = -1;
    EXPECT_EQ(AppMessageBox(L"no dialog"), -1);
    presenter.answer = IDNO;
    EXPECT_EQ(DialogMessageBox(nullptr, L"second", MB_YESNO), IDNO);
    const std::wstring log = RecentLogText().Text();
    const size_t m1 = log.find(L" Mess: no dialog\r\n");
    const size_t a1 = log.find(L" Answ: -1 UnableToCreateDialBox\r\n");
    const size_t m2 = log.find(L" Mess: second\r\n");
    const size_t a2 = log.find(L" Answ: 7 IDNO\r\n");
    ASSERT_NE(m1, std::wstring::npos) << log;
    EXPECT_LT(m1, a1);
    EXPECT_LT(a1, m2);
    EXPECT_LT(m2, a2);
    EXPECT_NE(a2, std::wstring::npos);
    SetMessageBoxPresenter(nullptr);
}

TEST(TracedMessageBox, HeadlessAnswerFromTheEnvironment)
{
    SetEnvironmentVariableW(L"ORVANE_MSGBOX_ANSWER", L"6");
    EXPECT_EQ(TracedMessageBox(MB_YESNO, L"headless", nullptr, 0), IDYES);
    SetEnvironmentVariableW(L"ORVANE_MSGBOX_ANSWER", nullptr);
}

namespace {

struct FakeDebugSource final : IDebugInfoSource {
    std::wstring DumpPlayDevices() override
    {
        return L"--- 1 OUT DEVS, Def=[Null] ---\r\nDev 00: Null\r\n\r\n";
    }
    void DumpGraphs(CReleaseModeDebug* sink) override { LogPrintf(sink, 0, L"graph line %i", 1); }
};

}  // namespace

TEST(DebugInfoFile, HoldsSettingsLogDevicesAndGraphs)
{
    TempFolder dir(L"debinfo");
    OverrideSettingsFolder(dir.Path());
    FakeDebugSource source;
    SetDebugInfoSource(&source);
    TraceLine(RMD_STAMPED, L"a line before the dump");
    ASSERT_EQ(WriteDebugInfoFile(), L"");
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir.Path() + L"\\DebInfo\\QVR_sys_*.txt").c_str(), &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FindClose(h);
    const std::string file = ReadFileBytes(dir.Path() + L"\\DebInfo\\" + fd.cFileName);
    EXPECT_EQ(file.rfind("<?xml", 0), 0u);
    const size_t info = file.find("\n--- QVR internal debug info ---\n");
    const size_t line = file.find("a line before the dump");
    const size_t devs = file.find("--- 1 OUT DEVS, Def=[Null] ---");
    const size_t video = file.find("--- Video info ---");
    const size_t graph = file.find(" graph line 1\r\n");
    EXPECT_NE(info, std::string::npos);
    EXPECT_LT(info, line);
    EXPECT_LT(line, devs);
    EXPECT_LT(devs, video);
    EXPECT_LT(video, graph);
    EXPECT_NE(graph, std::string::npos);
    SetDebugInfoSource(nullptr);
    OverrideSettingsFolder(L"");
}

TEST(WindowHelpers, MainWindowClass)
{
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    ASSERT_TRUE(RegisterMainWindowClass(icon, DefWindowProcW));
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), kMainWindowClass, &wc));
    EXPECT_EQ(wc.style, UINT(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(wc.hbrBackground, nullptr);
    EXPECT_EQ(wc.lpszMenuName, nullptr);
    EXPECT_EQ(wc.hIcon, icon);
    EXPECT_FALSE(RegisterMainWindowClass(icon, DefWindowProcW));  // already registered
    UnregisterClassW(kMainWindowClass, GetModuleHandleW(nullptr));
}
