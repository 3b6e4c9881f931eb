// The opening progress dialog under Xvfb against the real peers: button texts, the coloured
// status box and details log, closing by itself once opened, failures on one line, interrupting
// a stalled open, and the details toggle with its setting.
#include "player/core/InetOpening.h"

#include "player/core/VideoLibrary.h"
#include "tests/player/core/net/DrivenDialog.h"
#include "WinNT_SP/Include_VS2005/Sett.h"

#include <gtest/gtest.h>

namespace {

using namespace nettest;

// The opening dialog against the peers.
class InetOpeningTest : public testing::Test {
protected:
    void SetUp() override
    {
        InitApp();
        ASSERT_FALSE(PeerDir().empty()) << "the peer fixture did not run";
        ASSERT_NE(VideoEngine(), nullptr);
        AppSettings().Item(SETT_Networking).SetStringValue(L"");
    }
};

TEST_F(InetOpeningTest, SuccessShowsGreenStatusAndHeaderLines)
{
    TypedValue& details = AppSettings().Item(SETT_InetOpenDet);
    details.SetInt(1);
    details.MarkSet();
    Driven<InetOpening> dialog;
    std::wstring buttonWhileOpen, buttonAfter, status, statusLater, log, url;
    CharLook statusLook, urlLook, headerLook;
    dialog.steps = {[&](HWND d) {
                        buttonWhileOpen = Text(d, IDOK);
                        return !buttonWhileOpen.empty() && buttonWhileOpen != L"Close";
                    },
                    [&](HWND d) {
                        buttonAfter = Text(d, IDOK);
                        if (buttonAfter != L"Close") {
                            return false;
                        }
                        status = Text(d, IDC_INET_STATUS);
                        log = Text(d, IDC_INET_DETAILS);
                        url = Text(d, IDC_INET_URL);
                        statusLook = LookAt(d, IDC_INET_STATUS, 1);
                        urlLook = LookAt(d, IDC_INET_DETAILS, 1);
                        const size_t header = log.find(L"Header: ");
                        headerLook = LookAt(d, IDC_INET_DETAILS,
                                            header == std::wstring::npos
                                                ? 0
                                                : static_cast<LONG>(header) + 1);
                        // A later announcement without an outcome keeps the outcome shown.
                        PostMessageW(d, WM_INET_READER_STATUS, 0, 0);
                        return true;
                    },
                    [&](HWND d) {
                        statusLater = Text(d, IDC_INET_STATUS);
                        return true;
                    },
                    ShotPause("opening-success"),
                    [&](HWND d) {
                        Press(d, IDOK);
                        return true;
                    },
                    [](HWND) { return true; }};
    const std::wstring target = PeerUrl("nginx", L"/sample-video1.wmv");
    EXPECT_EQ(dialog.OpenURL(target), L"");
    EXPECT_EQ(buttonWhileOpen, L"Interrupt");
    EXPECT_EQ(url, target);
    // Rich edits end lines with a lone carriage return.
    EXPECT_EQ(status.rfind(L"The URL was opened successfully.\r", 0), 0u) << status;
    EXPECT_NE(status.find(L"Suspected content type: WMV/ASF/WMA."), std::wstring::npos)
        << std::string(status.begin(), status.end()) << "\n"
        << std::string(log.begin(), log.end());
    EXPECT_EQ(statusLater, status);
    EXPECT_EQ(statusLook.color, kInetSuccessColor);
    EXPECT_TRUE(statusLook.bold);
    EXPECT_EQ(log.rfind(L"URL: " + target, 0), 0u) << log;
    EXPECT_EQ(urlLook.color, kInetUrlColor);
    EXPECT_NE(log.find(L"Header: Duration="), std::wstring::npos) << log;
    EXPECT_EQ(headerLook.color, kInetHeaderColor);
    EXPECT_NE(dialog.m_reader, nullptr) << "the caller takes the opened reader";
}

TEST_F(InetOpeningTest, CloseWhenOpenedEndsByItself)
{
    Driven<InetOpening> dialog;
    dialog.m_closeWhenOpened = TRUE;
    // Only the time limit would end a dialog that does not close by itself.
    dialog.steps = {[](HWND) { return false; }};
    EXPECT_EQ(dialog.OpenURL(PeerUrl("nginx", L"/audio-only.wma")), L"");
    EXPECT_FALSE(dialog.timedOut);
    ASSERT_NE(dialog.m_reader, nullptr);
    EXPECT_EQ(dialog.m_reader->GetThreadState(), kInetThreadFinished);
    EXPECT_NE(dialog.m_reader->GetStreamNumber(0), 0);
}

TEST_F(InetOpeningTest, FailuresEndInTheirTextsOnOneLine)
{
    const struct {
        std::wstring url;
        bool reachesReader;  // a checked URL: the error arrives as an item
    } cases[] = {
        {L"ftp://127.0.0.1/x.wmv", false},
        {PeerUrl("nginx", L"/missing.wmv"), true},
    };
    for (const auto& c : cases) {
        Driven<InetOpening> dialog;
        std::wstring status, log, button;
        CharLook look;
        dialog.steps = {[&](HWND d) {
                            if (Text(d, IDOK) != L"Close" || Text(d, IDC_INET_DETAILS).empty()) {
                                return false;
                            }
                            // The outcome's batch may still be on its way.
                            status = Text(d, IDC_INET_STATUS);
                            if (c.reachesReader && status == L"Opening...") {
                                return false;
                            }
                            log = Text(d, IDC_INET_DETAILS);
                            button = Text(d, IDOK);
                            look = LookAt(d, IDC_INET_STATUS, 1);
                            Press(d, IDOK);
                            return true;
                        },
                        [](HWND) { return true; }};
        const std::wstring result = dialog.OpenURL(c.url);
        EXPECT_FALSE(result.empty());
        EXPECT_NE(result, L"*");
        EXPECT_EQ(dialog.m_reader, nullptr);
        EXPECT_EQ(button, L"Close");
        if (c.reachesReader) {
            std::wstring oneLine = result;
            for (wchar_t& ch : oneLine) {
                ch = ch == L'\r' || ch == L'\n' ? L' ' : ch;
            }
            EXPECT_EQ(status.rfind(oneLine, 0), 0u) << status;
            EXPECT_EQ(look.color, kInetErrorColor);
        } else {
            EXPECT_EQ(status, L"Opening...");
            EXPECT_NE(log.find(result.substr(0, 20)), std::wstring::npos);
        }
    }
}

TEST_F(InetOpeningTest, InterruptCancelsAStalledOpen)
{
    TypedValue& details = AppSettings().Item(SETT_InetOpenDet);
    details.SetInt(1);
    details.MarkSet();
    Driven<InetOpening> dialog;
    dialog.steps = {[&](HWND d) { return Text(d, IDOK) == L"Interrupt"; },
                    ShotPause("opening-stalled"),
                    [&](HWND d) {
                        Press(d, IDOK);
                        return true;
                    },
                    [](HWND) { return true; }};
    EXPECT_EQ(dialog.OpenURL(PeerUrl("nginx_stalled", L"/sample-video1.wmv")), L"*");
    EXPECT_EQ(dialog.m_reader, nullptr);
}

TEST_F(InetOpeningTest, DetailsToggleRestoresHeightAndSetting)
{
    const struct {
        bool present;
        int value;
    } cases[] = {{false, 0}, {true, 0}, {true, 1}};
    for (const auto& c : cases) {
        TypedValue& item = AppSettings().Item(SETT_InetOpenDet);
        item.Reset();
        if (c.present) {
            item.SetInt(c.value);
            item.MarkSet();
        }
        const bool shownAtStart = c.present && c.value == 1;
        Driven<InetOpening> dialog;
        RECT start = {}, toggled = {}, back = {};
        std::wstring labelStart, labelToggled;
        bool logVisible = false;
        int valueToggled = -1;
        dialog.steps = {[&](HWND d) {
                            GetWindowRect(d, &start);
                            labelStart = Text(d, IDC_INET_DETAILS_BUTTON);
                            Press(d, IDC_INET_DETAILS_BUTTON);
                            return true;
                        },
                        [&](HWND d) {
                            GetWindowRect(d, &toggled);
                            labelToggled = Text(d, IDC_INET_DETAILS_BUTTON);
                            logVisible = IsWindowVisible(GetDlgItem(d, IDC_INET_DETAILS)) != 0;
                            valueToggled = AppSettings().Item(SETT_InetOpenDet).GetInt(-1);
                            Press(d, IDC_INET_DETAILS_BUTTON);
                            return true;
                        },
                        [&](HWND d) {
                            GetWindowRect(d, &back);
                            Press(d, IDCANCEL);
                            return true;
                        },
                        [](HWND) { return true; }};
        dialog.OpenURL(PeerUrl("nginx_stalled", L"/x.wmv"));
        EXPECT_EQ(labelStart, shownAtStart ? L"<< Details" : L">> Details");
        EXPECT_EQ(labelToggled, shownAtStart ? L">> Details" : L"<< Details");
        EXPECT_EQ(logVisible, !shownAtStart);
        EXPECT_EQ(valueToggled, shownAtStart ? 0 : 1);
        const LONG grown = (toggled.bottom - toggled.top) - (start.bottom - start.top);
        EXPECT_EQ(grown > 0, !shownAtStart) << grown;
        EXPECT_NE(grown, 0);
        EXPECT_EQ(back.bottom - back.top, start.bottom - start.top);
        const TypedValue& after = AppSettings().Item(SETT_InetOpenDet);
        EXPECT_TRUE(after.IsPresent());
        EXPECT_EQ(after.GetInt(-1), shownAtStart ? 1 : 0);
    }
}

}  // namespace
