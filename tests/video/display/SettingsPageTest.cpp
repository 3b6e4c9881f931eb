// The playback settings page inside a window of the test: combos filled from the settings
// text, user changes reported to the host and written back as text, and the text reloaded.
#include "video/display/CPlaySettingDlg.h"
#include "video/display/DisplayResource.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "video/PlaySettings.h"
#include "tests/video/display/TestDisplayApp.h"
#include "tests/video/TestInstance.h"

#include <gtest/gtest.h>

namespace {

class CountingHost : public QVRSettDlgHost {
public:
    BOOL OnSettDlgChanged() override
    {
        ++changes;
        return TRUE;
    }
    int changes = 0;
};

PlaySettingsValues ValuesOf(const wchar_t* text)
{
    PlaySettings settings;
    settings.SetText(text);
    PlaySettingsValues values;
    settings.GetValues(&values);
    return values;
}

std::wstring TextOf(const PlaySettingsValues& values)
{
    PlaySettings settings;
    settings.SetValues(values);
    std::wstring text;
    settings.GetText(text);
    return text;
}

class SettingsPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitDisplayTestApp();
        m_parent = CreateWindowExW(0, L"STATIC", L"options", WS_POPUP | WS_VISIBLE, 0, 0, 420,
                                   240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(m_parent, nullptr);
    }
    void TearDown() override
    {
        if (IsWindow(m_parent)) {
            DestroyWindow(m_parent);
        }
    }

    HWND Combo(int id) { return GetDlgItem(m_page.Panel().GetSafeHwnd(), id); }

    // As the user does it: a new selection and its notification.
    void Choose(int id, int item)
    {
        SendMessageW(Combo(id), CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        SendMessageW(m_page.Panel().GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Combo(id)));
    }

    int Selection(int id) { return static_cast<int>(SendMessageW(Combo(id), CB_GETCURSEL, 0, 0)); }

    ScopedCallback m_callback;
    HWND m_parent = nullptr;
    CountingHost m_host;
    CPlaySettingDlg m_page;
};

}  // namespace

TEST_F(SettingsPageTest, EmptyTextGivesTheDefaultsUnchanged)
{
    EXPECT_EQ(m_page.Init(L"", m_parent, &m_host), L"");
    EXPECT_TRUE(m_page.IsDefault());
    EXPECT_FALSE(m_page.IsChanged());
    EXPECT_TRUE(m_page.Validate());
    EXPECT_EQ(std::wstring(m_page.GetText()), TextOf(PlaySettingsValues{}));
}

TEST_F(SettingsPageTest, PanelShowsInTheParentWithItsLists)
{
    m_page.Init(L"", m_parent, &m_host);
    m_page.ShowPanel();
    HWND panel = m_page.Panel().GetSafeHwnd();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(GetParent(panel), m_parent);
    EXPECT_TRUE(IsWindowVisible(panel));
    EXPECT_EQ(SendMessageW(Combo(IDC_VIDEO_RENDERER), CB_GETCOUNT, 0, 0), 4);
    wchar_t text[64] = {};
    SendMessageW(Combo(IDC_VIDEO_RENDERER), CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"VMR7");
    // One monitor on the test display: nothing to choose, so the monitor lists are off.
    EXPECT_EQ(SendMessageW(Combo(IDC_CAMERA_MONITOR), CB_GETCOUNT, 0, 0), 2);
    EXPECT_FALSE(IsWindowEnabled(Combo(IDC_CAMERA_MONITOR)));
    EXPECT_FALSE(IsWindowEnabled(Combo(IDC_SCREEN_MONITOR)));
    EXPECT_EQ(Selection(IDC_CAMERA_MONITOR), 0);
    RECT panelRect{};
    RECT parentRect{};
    GetWindowRect(panel, &panelRect);
    GetWindowRect(m_parent, &parentRect);
    EXPECT_EQ(panelRect.right - panelRect.left, parentRect.right - parentRect.left);
}

TEST_F(SettingsPageTest, RendererChoicesRoundTripThroughTheText)
{
    struct Case {
        int item;
        BOOL autoRender;
        int videoRender;
    };
    const Case cases[] = {{2, FALSE, 1}, {3, FALSE, 2}, {1, FALSE, 0}, {0, TRUE, 0}};
    m_page.Init(TextOf(PlaySettingsValues{}).c_str(), m_parent, &m_host);
    m_page.ShowPanel();
    int expectedChanges = 0;
    for (const Case& c : cases) {
        Choose(IDC_VIDEO_RENDERER, c.item);
        EXPECT_EQ(m_host.changes, ++expectedChanges);
        const std::wstring text = m_page.GetText();
        const PlaySettingsValues values = ValuesOf(text.c_str());
        EXPECT_EQ(values.AutoRender, c.autoRender) << c.item;
        EXPECT_EQ(values.VideoRender, c.videoRender) << c.item;
        EXPECT_EQ(m_page.IsChanged(), c.item != 0) << c.item;

        // The stored text shows the same choice when the page opens again.
        CPlaySettingDlg reopened;
        reopened.Init(text.c_str(), m_parent, nullptr);
        reopened.ShowPanel();
        EXPECT_EQ(SendMessageW(GetDlgItem(reopened.Panel().GetSafeHwnd(), IDC_VIDEO_RENDERER),
                               CB_GETCURSEL, 0, 0),
                  c.item);
        EXPECT_EQ(std::wstring(reopened.GetText()), text);
    }
    m_page.CommitSaved();
    EXPECT_FALSE(m_page.IsChanged());
}

TEST_F(SettingsPageTest, AMonitorNoLongerPresentShowsAutomaticButKeepsTheName)
{
    PlaySettingsValues stored;
    stored.CamMonitor = L"3. Gone";
    m_page.Init(TextOf(stored).c_str(), m_parent, &m_host);
    m_page.ShowPanel();
    EXPECT_EQ(Selection(IDC_CAMERA_MONITOR), 0);
    EXPECT_EQ(ValuesOf(m_page.GetText()).CamMonitor, L"3. Gone");
    EXPECT_FALSE(m_page.IsChanged());
    Choose(IDC_VIDEO_RENDERER, 2);
    EXPECT_EQ(ValuesOf(m_page.GetText()).CamMonitor, L"");
}

TEST_F(SettingsPageTest, ResetToDefaultsDoesNotTellTheHost)
{
    PlaySettingsValues stored;
    stored.AutoRender = FALSE;
    stored.VideoRender = 2;
    m_page.Init(TextOf(stored).c_str(), m_parent, &m_host);
    m_page.ShowPanel();
    EXPECT_EQ(Selection(IDC_VIDEO_RENDERER), 3);
    m_page.ResetToDefaults();
    EXPECT_EQ(m_host.changes, 0);
    EXPECT_TRUE(m_page.IsDefault());
    EXPECT_TRUE(m_page.IsChanged());
    EXPECT_EQ(Selection(IDC_VIDEO_RENDERER), 0);
}

TEST_F(SettingsPageTest, ClosingThePlayersPageForgetsItAndTheNextOpeningRebuilds)
{
    m_page.Init(L"", m_parent, &m_host);
    m_page.ShowPanel();
    ASSERT_TRUE(m_page.Panel().IsInitialized());
    DestroyWindow(m_parent);
    EXPECT_FALSE(m_page.Panel().IsInitialized());
    EXPECT_FALSE(m_page.Panel().IsShown());
    EXPECT_EQ(m_page.Panel().GetSafeHwnd(), nullptr);
    m_parent = CreateWindowExW(0, L"STATIC", L"options", WS_POPUP | WS_VISIBLE, 0, 0, 420, 240,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    m_page.Init(L"", m_parent, &m_host);
    m_page.ShowPanel();
    EXPECT_TRUE(m_page.Panel().IsInitialized());
    EXPECT_EQ(GetParent(m_page.Panel().GetSafeHwnd()), m_parent);
}
