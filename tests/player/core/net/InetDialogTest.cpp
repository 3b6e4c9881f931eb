// The Open URL and proxy dialogs under Xvfb: the URL history and the check of a typed URL, the
// proxy dialog's choices, enable rules and the check of its server and port.
#include "player/core/InetOpenURLDlg.h"
#include "player/core/InetProxySetDlg.h"
#include "tests/player/core/net/DrivenDialog.h"
#include "WinNT_SP/Include_VS2005/MessageBoxLayer.h"
#include "WinNT_SP/Include_VS2005/Sett.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

using namespace nettest;

class RecordingPresenter final : public IMessageBoxPresenter {
public:
    std::vector<std::wstring> texts;
    int Show(const wchar_t*, const wchar_t* text, UINT, UINT, const wchar_t*,
             const MSGBOX_OPTIONS&) override
    {
        texts.emplace_back(text);
        return IDOK;
    }
};

class InetDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        InitApp();
        SetMessageBoxPresenter(&presenter);
        AppSettings().Item(SETT_RecentURLList).Reset();
    }
    void TearDown() override { SetMessageBoxPresenter(nullptr); }
    RecordingPresenter presenter;
};

TEST_F(InetDialogTest, HistoryKeepsTheNewest32WithoutRepeats)
{
    TypedValue& list = AppSettings().Item(SETT_RecentURLList);
    for (int i = 1; i <= 33; ++i) {
        InetOpenURLDlg::AddToHistory(list, L"http://host/talk" + std::to_wstring(i) + L".wmv");
    }
    std::vector<std::wstring> urls = InetOpenURLDlg::ReadHistory(list);
    ASSERT_EQ(urls.size(), 32u);
    EXPECT_EQ(urls.front(), L"http://host/talk33.wmv");
    EXPECT_EQ(urls.back(), L"http://host/talk2.wmv");

    const struct {
        const wchar_t* add;
        size_t count;  // after the addition
    } cases[] = {
        {L"http://host/talk10.wmv", 32},  // already there: moves to the front
        {L"HTTP://host/talk10.wmv", 32},  // differs in case: an entry of its own, oldest out
        {L"http://host/talk10.wmv", 32},
    };
    for (const auto& c : cases) {
        InetOpenURLDlg::AddToHistory(list, c.add);
        urls = InetOpenURLDlg::ReadHistory(list);
        EXPECT_EQ(urls.size(), c.count);
        EXPECT_EQ(urls.front(), c.add);
        EXPECT_EQ(std::count(urls.begin(), urls.end(), std::wstring(c.add)), 1);
    }
    EXPECT_EQ(urls[1], L"HTTP://host/talk10.wmv");
    // The entry of its own pushed the oldest one out.
    EXPECT_EQ(std::count(urls.begin(), urls.end(), L"http://host/talk2.wmv"), 0);
    EXPECT_EQ(urls.back(), L"http://host/talk3.wmv");
}

TEST_F(InetDialogTest, OpenUrlRefusesABlankUrlAndRemembersAGoodOne)
{
    InetOpenURLDlg::AddToHistory(AppSettings().Item(SETT_RecentURLList), L"http://old/a.wmv");
    Driven<InetOpenURLDlg> dialog;
    std::wstring shown;
    HWND focusAfter = nullptr;
    HWND combo = nullptr;
    dialog.steps = {[&](HWND d) {
                        shown = Text(d, IDC_INET_URL_COMBO);
                        combo = GetDlgItem(d, IDC_INET_URL_COMBO);
                        SetDlgItemTextW(d, IDC_INET_URL_COMBO, L"   ");
                        Press(d, IDOK);
                        return true;
                    },
                    [&](HWND d) {
                        HWND focus = GetFocus();
                        focusAfter = focus == combo || GetParent(focus) == combo ? combo : focus;
                        SetDlgItemTextW(d, IDC_INET_URL_COMBO, L"  http://new/b.wmv ");
                        Press(d, IDOK);
                        return true;
                    },
                    [](HWND) { return true; }};
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shown, L"http://old/a.wmv");
    ASSERT_EQ(presenter.texts.size(), 1u);
    EXPECT_EQ(presenter.texts[0], L"The URL cannot be empty.");
    EXPECT_EQ(focusAfter, combo);
    EXPECT_EQ(dialog.m_url, L"http://new/b.wmv");
    const auto urls = InetOpenURLDlg::ReadHistory(AppSettings().Item(SETT_RecentURLList));
    ASSERT_EQ(urls.size(), 2u);
    EXPECT_EQ(urls[0], L"http://new/b.wmv");
}

TEST_F(InetDialogTest, ProxyChoicesFollowTheRecordAndItsProtocol)
{
    const struct {
        int protocol;
        int type;
        int choice;  // shown
        bool autoOn, browserOn, serverOn, userOn;
    } cases[] = {
        {0, NetworkingSettings::kBrowser, InetProxySetDlg::kChoiceBrowser, false, true, false,
         false},
        {0, NetworkingSettings::kAuto, InetProxySetDlg::kChoiceDirect, false, true, false, false},
        {0, NetworkingSettings::kManual, InetProxySetDlg::kChoiceManual, false, true, true, true},
        {1, NetworkingSettings::kAuto, InetProxySetDlg::kChoiceAuto, true, false, false, false},
        {1, NetworkingSettings::kBrowser, InetProxySetDlg::kChoiceDirect, true, false, false,
         false},
        {1, NetworkingSettings::kManual, InetProxySetDlg::kChoiceManual, true, false, true,
         false},
        {1, 7, InetProxySetDlg::kChoiceDirect, true, false, false, false},
    };
    const UINT buttons[4] = {IDC_PROXY_AUTO, IDC_PROXY_BROWSER, IDC_PROXY_DIRECT,
                             IDC_PROXY_MANUAL};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.protocol << "/" << c.type);
        PROXY_SETTINGS record;
        record.protocol = c.protocol;
        record.proxyType = c.type;
        record.server = L"proxy.example";
        record.port = 3128;
        EXPECT_EQ(InetProxySetDlg::ChoiceOf(record), c.choice);
        Driven<InetProxySetDlg> dialog;
        int checked = -1;
        bool autoOn = false, browserOn = false, serverOn = false, userOn = false;
        std::wstring group;
        dialog.steps = {[&](HWND d) {
                            for (int i = 0; i < 4; ++i) {
                                if (IsDlgButtonChecked(d, buttons[i]) == BST_CHECKED) {
                                    checked = i;
                                }
                            }
                            autoOn = Enabled(d, IDC_PROXY_AUTO);
                            browserOn = Enabled(d, IDC_PROXY_BROWSER);
                            serverOn = Enabled(d, IDC_PROXY_SERVER) && Enabled(d, IDC_PROXY_PORT);
                            userOn = Enabled(d, IDC_PROXY_USER) && Enabled(d, IDC_PROXY_PASSWORD);
                            group = Text(d, IDC_PROXY_GROUP);
                            Press(d, IDOK);
                            return true;
                        },
                        [](HWND) { return true; }};
        EXPECT_EQ(dialog.EditSettings(&record), IDOK);
        EXPECT_EQ(checked, c.choice);
        EXPECT_EQ(autoOn, c.autoOn);
        EXPECT_EQ(browserOn, c.browserOn);
        EXPECT_EQ(serverOn, c.serverOn);
        EXPECT_EQ(userOn, c.userOn);
        EXPECT_EQ(group, c.protocol == 0 ? L" Protocol: HTTP " : L" Protocol: RTSP ");
        EXPECT_EQ(record.proxyType, InetProxySetDlg::ProxyTypeOf(c.choice));
        EXPECT_EQ(record.port, 3128);
    }
}

TEST_F(InetDialogTest, ManualProxyNeedsAServerAndAUsablePort)
{
    const struct {
        const wchar_t* server;
        const wchar_t* port;
        const wchar_t* message;  // null: accepted
    } cases[] = {
        {L"  ", L"8080", L"Invalid proxy server name."},
        {L"proxy", L"000", L"Invalid port for proxy server."},
        {L"proxy", L"", L"Invalid port for proxy server."},
        {L"proxy", L"70000", L"Invalid port for proxy server."},
        {L" proxy ", L"65535", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.port);
        presenter.texts.clear();
        PROXY_SETTINGS record;
        record.protocol = 0;
        record.proxyType = NetworkingSettings::kBrowser;
        record.port = 80;
        Driven<InetProxySetDlg> dialog;
        UINT focused = 0;
        dialog.steps = {[&](HWND d) {
                            CheckRadioButton(d, IDC_PROXY_AUTO, IDC_PROXY_MANUAL,
                                             IDC_PROXY_MANUAL);
                            CheckDlgButton(d, IDC_PROXY_BROWSER, BST_UNCHECKED);
                            Press(d, IDC_PROXY_MANUAL);
                            SetDlgItemTextW(d, IDC_PROXY_SERVER, c.server);
                            SetDlgItemTextW(d, IDC_PROXY_PORT, c.port);
                            SetDlgItemTextW(d, IDC_PROXY_USER, L"gate");
                            SetDlgItemTextW(d, IDC_PROXY_PASSWORD, L"keeper");
                            Press(d, IDOK);
                            return true;
                        },
                        [&](HWND d) {
                            focused = static_cast<UINT>(GetDlgCtrlID(GetFocus()));
                            Press(d, IDCANCEL);
                            return true;
                        },
                        [](HWND) { return true; }};
        const INT_PTR result = dialog.EditSettings(&record);
        if (c.message != nullptr) {
            EXPECT_EQ(result, IDCANCEL);
            ASSERT_EQ(presenter.texts.size(), 1u);
            EXPECT_EQ(presenter.texts[0], c.message);
            EXPECT_EQ(focused, std::wstring(c.message).find(L"port") != std::wstring::npos
                                   ? IDC_PROXY_PORT
                                   : IDC_PROXY_SERVER);
            EXPECT_EQ(record.proxyType, NetworkingSettings::kBrowser) << "record unchanged";
            EXPECT_EQ(record.port, 80);
        } else {
            EXPECT_EQ(result, IDOK);
            EXPECT_TRUE(presenter.texts.empty());
            EXPECT_EQ(record.proxyType, NetworkingSettings::kManual);
            EXPECT_EQ(record.server, L"proxy");
            EXPECT_EQ(record.port, 65535);
            EXPECT_EQ(record.userName, L"gate");
            EXPECT_EQ(record.password, L"keeper");
        }
    }
}

TEST_F(InetDialogTest, DirectStillStoresWhatTheFieldsHold)
{
    PROXY_SETTINGS record;
    record.protocol = 1;
    record.proxyType = NetworkingSettings::kBrowser;
    Driven<InetProxySetDlg> dialog;
    dialog.steps = {[](HWND d) {
                        SetDlgItemTextW(d, IDC_PROXY_SERVER, L"relay");
                        SetDlgItemTextW(d, IDC_PROXY_PORT, L"8554");
                        Press(d, IDOK);
                        return true;
                    },
                    [](HWND) { return true; }};
    EXPECT_EQ(dialog.EditSettings(&record), IDOK);
    EXPECT_EQ(record.proxyType, NetworkingSettings::kDirect);
    EXPECT_EQ(record.server, L"relay");
    EXPECT_EQ(record.port, 8554);
}

}  // namespace
