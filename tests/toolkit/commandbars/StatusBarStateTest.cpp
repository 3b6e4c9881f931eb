// Status bar state: the pane lines as a table, lookups of all and shown panes, and the saved
// state in an INI profile and the registry, with the delayed hide carried out at idle.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/window/CWinApp.h"
#include "toolkit/commandbars/CUTKStatusBar.h"

#include <string>
#include <vector>

namespace {

constexpr UINT kPaneText = 0;  // the stretching message pane
constexpr UINT kPaneCaps = 59137;
constexpr UINT kPaneNum = 59138;
constexpr UINT kPaneScroll = 59139;

void AddPanes(CUTKStatusBar& bar)
{
    for (UINT id : {kPaneText, kPaneCaps, kPaneNum, kPaneScroll})
        bar.AddIndicator(id);
}

std::string Visibility(const CUTKStatusBar& bar)
{
    std::string out;
    for (int i = 0; i < bar.GetAllPaneCount(); ++i)
        out += bar.GetPaneAt(i)->IsVisible() ? '1' : '0';
    return out;
}

std::wstring TempIni(const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + name + std::to_wstring(::GetCurrentProcessId()) + L".ini";
    ::DeleteFileW(path.c_str());
    return path;
}

std::string ReadFile(const std::wstring& path)
{
    std::string text;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    ::CloseHandle(file);
    return text;
}

void PumpIdle(CWinApp& app)
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    app.OnIdle(0);
}

} // namespace

TEST(StatusBarPanes, LinesAsTable)
{
    struct Case {
        const wchar_t* text;
        const char* want;  // visibility of text, caps, num, scroll after the lines
        int applied;
    } cases[] = {
        {L"", "1111", 0},
        {L"59137=0", "1011", 1},
        {L"59137=0\n59139=0", "1010", 2},
        {L"59137=0\n59138=0\n59139=0\n", "1000", 3},
        {L"59137=7", "1111", 1},            // any non-zero shows the pane
        {L"0=0", "1111", 0},                // id 0 is no pane line
        {L"59137", "1111", 0},              // no equals sign
        {L"59137=", "1111", 0},             // no visibility
        {L"=0", "1111", 0},
        {L"12345=0", "1111", 0},            // a pane that no longer exists
        {L"59137=0\ngarbage\n59139=0", "1010", 2},
        {L"0xE701=0", "1011", 1},           // "%i" reads hexadecimal too
        {L"0xE7010=0", "1111", 0},
        {L"59137=0 59138=0", "1001", 2},    // as an INI file keeps them
        {L"\n\n59138=0\n\n", "1101", 1},
        {L"59137 = 0", "1111", 0},          // "%i=%i" allows no space before the sign
    };
    for (const Case& c : cases) {
        CUTKStatusBar bar;
        AddPanes(bar);
        bar.SetSavePanes(TRUE);
        EXPECT_EQ(bar.ApplyPaneLines(c.text), c.applied) << std::string(CStringA(c.text));
        EXPECT_EQ(Visibility(bar), c.want) << std::string(CStringA(c.text));
    }
}

TEST(StatusBarPanes, LinesWrittenOnePerPaneInCreationOrder)
{
    CUTKStatusBar bar;
    AddPanes(bar);
    EXPECT_EQ(CString(bar.FormatPaneLines()), CString(L"0=1\n59137=1\n59138=1\n59139=1"));
    bar.FindPane(kPaneNum)->SetVisible(FALSE);
    EXPECT_EQ(CString(bar.FormatPaneLines()), CString(L"0=1\n59137=1\n59138=0\n59139=1"));
    CUTKStatusBar empty;
    EXPECT_TRUE(empty.FormatPaneLines().IsEmpty());
}

TEST(StatusBarPanes, ShownPanesAndLookups)
{
    CUTKStatusBar bar;
    AddPanes(bar);
    ASSERT_EQ(bar.GetPaneCount(), 4);
    bar.FindPane(kPaneCaps)->SetVisible(FALSE);
    EXPECT_EQ(bar.FindPane(kPaneCaps)->m_dwFlags & CUTKStatusBarPane::kHiddenFlag, 0x10u);
    // The drawn panes are the shown ones, indexed anew; all panes keep every pane.
    ASSERT_EQ(bar.GetPaneCount(), 3);
    EXPECT_EQ(bar.GetPane(1)->GetID(), kPaneNum);
    EXPECT_EQ(bar.GetPane(1)->m_nIndex, 1);
    EXPECT_EQ(bar.GetPane(3), nullptr);
    EXPECT_EQ(bar.GetPane(-1), nullptr);
    EXPECT_EQ(bar.GetAllPaneCount(), 4);
    EXPECT_EQ(bar.GetPaneAt(1)->GetID(), kPaneCaps);
    EXPECT_EQ(bar.GetPaneAt(4), nullptr);
    EXPECT_EQ(bar.GetPaneAt(-1), nullptr);
    EXPECT_EQ(bar.FindPane(4711), nullptr);
    EXPECT_EQ(bar.FindPane(kPaneText), bar.GetPaneAt(0));
    // The first pane with an id is found.
    CUTKStatusBarPane* second = bar.AddIndicator(kPaneNum);
    EXPECT_NE(bar.FindPane(kPaneNum), second);
    EXPECT_EQ(bar.GetPaneAt(2)->GetStatusBar(), &bar);
}

namespace {

class StatusHost {
public:
    explicit StatusHost(BOOL registry, const wchar_t* iniName = L"orvane-status-")
        : m_company(L"OrvaneTests-status-" + std::to_wstring(::GetCurrentProcessId())),
          m_app(L"StatusBarTest")
    {
        if (registry) {
            m_app.m_pszRegistryKey = _wcsdup(m_company.c_str());
            m_app.m_pszProfileName = _wcsdup(L"Profile");
        } else {
            m_ini = TempIni(iniName);
            m_app.m_pszProfileName = _wcsdup(m_ini.c_str());
        }
        m_frame = new CFrameWnd;
        m_frame->Create(nullptr, L"status host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 440, 340));
        m_bar.Create(m_frame);
        AddPanes(m_bar);
        m_bar.SetSavePanes(TRUE);
        m_app.m_pMainWnd = m_frame;
        m_frame->RecalcLayout();
    }
    ~StatusHost()
    {
        m_bar.DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        m_frame->DestroyWindow();
        if (!m_ini.empty())
            ::DeleteFileW(m_ini.c_str());
        const std::wstring path = L"Software\\" + m_company;
        ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    }

    std::wstring m_company;
    CWinApp m_app;
    std::wstring m_ini;
    CFrameWnd* m_frame = nullptr;  // deletes itself when destroyed
    CUTKStatusBar m_bar;
};

} // namespace

TEST(StatusBarState, IniFileKeepsEveryPaneLine)
{
    StatusHost host(FALSE);
    host.m_bar.FindPane(kPaneCaps)->SetVisible(FALSE);
    host.m_bar.FindPane(kPaneScroll)->SetVisible(FALSE);
    host.m_bar.SaveState(L"Bars");
    // A shown bar leaves no "StatusBar" entry; every pane has its line, on one INI line.
    EXPECT_EQ(ReadFile(host.m_ini), "[Bars]\r\nStatusBarPanes=0=1 59137=0 59138=1 59139=0\r\n");

    CUTKStatusBar fresh;
    AddPanes(fresh);
    fresh.SetSavePanes(TRUE);
    fresh.LoadState(L"Bars");
    EXPECT_EQ(Visibility(fresh), "1010");

    // Without the switch nothing of the panes is read, and saving deletes the entry.
    CUTKStatusBar off;
    AddPanes(off);
    off.LoadState(L"Bars");
    EXPECT_EQ(Visibility(off), "1111");
    off.SaveState(L"Bars");
    EXPECT_EQ(ReadFile(host.m_ini), "[Bars]\r\n");
}

TEST(StatusBarState, HiddenBarSavedAndHiddenAgainAtLoad)
{
    StatusHost host(TRUE);
    CWinApp& app = host.m_app;
    // Shown: the entry is deleted, panes all "=1".
    app.WriteProfileInt(L"Bars", L"StatusBar", 0);
    host.m_bar.SaveState(L"Bars");
    EXPECT_EQ(app.GetProfileInt(L"Bars", L"StatusBar", 42), 42u);
    EXPECT_EQ(CString(app.GetProfileString(L"Bars", L"StatusBarPanes", L"")),
              CString(L"0=1\n59137=1\n59138=1\n59139=1"));

    // Hidden by a delayed hide: it counts as hidden before the idle pass carries it out.
    host.m_bar.DelayShow(FALSE);
    EXPECT_FALSE(host.m_bar.IsVisible());
    EXPECT_TRUE(host.m_bar.GetStyle() & WS_VISIBLE);
    host.m_bar.SaveState(L"Bars");
    EXPECT_EQ(app.GetProfileInt(L"Bars", L"StatusBar", 42), 0u);
    PumpIdle(app);
    EXPECT_FALSE(host.m_bar.GetStyle() & WS_VISIBLE);

    // Shown again at idle, then loading the saved state hides it at once.
    host.m_bar.DelayShow(TRUE);
    PumpIdle(app);
    EXPECT_TRUE(host.m_bar.GetStyle() & WS_VISIBLE);
    host.m_bar.LoadState(L"Bars");
    EXPECT_FALSE(host.m_bar.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(host.m_bar.IsVisible());
    PumpIdle(app);
    EXPECT_FALSE(host.m_bar.GetStyle() & WS_VISIBLE);
}

TEST(StatusBarState, HidingAPaneTakesItOutOfTheWindow)
{
    StatusHost host(TRUE);
    EXPECT_EQ(host.m_bar.GetCount(), 4);
    host.m_bar.FindPane(kPaneNum)->SetVisible(FALSE);
    EXPECT_EQ(host.m_bar.GetCount(), 3);
    EXPECT_EQ(host.m_bar.GetItemID(2), kPaneScroll);
    host.m_bar.FindPane(kPaneNum)->SetVisible(TRUE);
    EXPECT_EQ(host.m_bar.GetItemID(2), kPaneNum);
}
