// The program playing URLs under Wine against the real peers (scripts/net-peers.sh): a
// presentation from nginx played to its end with its header as ffprobe sees it, a live stream
// that Stop closes and Play opens again, failures that end in their error texts while the main
// window keeps answering, an interrupted stalled open, and passwords kept out of the title and
// the trace.
#include "player/core/PlayerResource.h"
#include "tests/player/PlayerTestEnv.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>

namespace {

using namespace playertest;

constexpr DWORD kStartMs = 30000;
constexpr DWORD kWatchdogMs = 6000;
constexpr UINT kPlay = ID_PLAY_PLAY;
constexpr UINT kStop = ID_PLAY_STOP;

std::string PeerDir()
{
    const char* dir = std::getenv("ORVANE_NET_PEERS");
    return dir != nullptr ? dir : "";
}

std::string TextOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::wstring PeerUrl(const std::string& name, const std::wstring& path,
                     const std::wstring& scheme = L"http", const std::wstring& userInfo = L"")
{
    std::istringstream in(TextOf(PeerDir() + "/ports"));
    std::string peer;
    unsigned port = 0;
    while (in >> peer >> port) {
        if (peer == name) {
            return scheme + L"://" + userInfo + L"127.0.0.1:" + std::to_wstring(port) + path;
        }
    }
    ADD_FAILURE() << "no port for " << name;
    return L"http://127.0.0.1:9/";
}

std::wstring WindowTitle(HWND window)
{
    wchar_t text[600] = {};
    GetWindowTextW(window, text, 600);
    return text;
}

// Asks the main window every 200 ms while it runs; records the longest wait for an answer.
class Watchdog {
public:
    explicit Watchdog(HWND window)
        : m_thread([this, window] {
              while (!m_stop) {
                  const DWORD begin = GetTickCount();
                  DWORD_PTR answer = 0;
                  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kWatchdogMs,
                                           &answer) &&
                      IsWindow(window)) {
                      m_failed = true;
                  }
                  const DWORD took = GetTickCount() - begin;
                  if (took > m_longest) {
                      m_longest = took;
                  }
                  Sleep(200);
              }
          })
    {
    }
    ~Watchdog() { Stop(); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    void Stop()
    {
        m_stop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    bool Failed() const { return m_failed; }
    DWORD Longest() const { return m_longest; }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_failed{false};
    std::atomic<DWORD> m_longest{0};
    std::thread m_thread;
};

// Presses button 1 of the opening dialog once it reads the text; false when it never did.
bool PressWhenReads(const std::wstring& text)
{
    for (int i = 0; i < 100; ++i) {
        HWND dialog = FindWindowW(nullptr, L"Opening URL");
        wchar_t shown[40] = {};
        if (dialog != nullptr && GetDlgItemTextW(dialog, IDOK, shown, 40) > 0 && text == shown) {
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return true;
        }
        Sleep(100);
    }
    return false;
}

class NetPlayTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(PeerDir().empty()) << "the peer fixture did not run";
        if (!FileExistsAt(BinDir() + L"\\QVPVideo.dll")) {
            GTEST_SKIP() << "engine library not built";
        }
    }
    void Close(const CHandle& process, HWND main)
    {
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitPlayer(process, kStartMs), 0);
    }
};

TEST_F(NetPlayTest, PlaysAPresentationFromNginxToItsEnd)
{
    const PlayerRun run = PrepareRun(L"net-play", Engine::Real);
    CHandle process = StartPlayer(run, PeerUrl("nginx", L"/sample-video1.wmv", L"vexohttp") +
                                           L" /P");
    ASSERT_NE(process, nullptr);
    HWND main = WaitMainWindow(GetProcessId(process), kStartMs);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitTrace(run, L"Play URL started", kStartMs));
    // The position in the title advances while it plays.
    int played = -1;
    for (int i = 0; i < 150 && played < 2; ++i) {
        Sleep(100);
        const std::wstring shown = WindowTitle(main);
        const size_t open = shown.rfind(L'[');
        int h = 0, m = 0, s = 0;
        if (open != std::wstring::npos &&
            swscanf(shown.c_str() + open, L"[%d:%d:%d /", &h, &m, &s) == 3) {
            played = h * 3600 + m * 60 + s;
        }
    }
    EXPECT_GE(played, 2);
    EXPECT_TRUE(WaitTrace(run, L"URL end of stream", kStartMs + 20000));
    const std::wstring title = WindowTitle(main);
    EXPECT_NE(title.find(L"sample-video1.wmv ("), std::wstring::npos)
        << std::string(title.begin(), title.end());
    Close(process, main);

    // The header as ffprobe saw the file.
    std::map<std::string, std::string> tags;
    std::istringstream in(TextOf(std::string(std::getenv("ORVANE_MEDIA")) +
                                 "/sample-video1.wmv.tags.txt"));
    std::string line;
    while (std::getline(in, line)) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos) {
            tags[line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    const std::wstring trace = ReadTrace(run);
    const std::string title8 = tags["title"];
    const double seconds = std::stoll(tags.at("duration_ms")) / 1000.0;
    wchar_t expected[400];
    swprintf(expected, 400, L"URL opened: title=[%hs] duration=%.3f live=0 bookmarks=5",
             title8.c_str(), seconds);
    ExpectInOrder(trace, {L"Open URL \"vexohttp", L"OpenInetURL: [http://127.0.0.1:", expected,
                          L"Play URL started", L"URL status 11: Reading started",
                          L"URL end of stream", L"Stop URL", L"Init: exit"});
    // Both videos and the sound had formats.
    EXPECT_EQ(trace.find(L"URL format 0: -"), std::wstring::npos);
    EXPECT_EQ(trace.find(L"URL format 1: -"), std::wstring::npos);
    EXPECT_EQ(trace.find(L"URL format 2: -"), std::wstring::npos);
}

TEST_F(NetPlayTest, LiveHasNoDurationStopClosesAndPlayOpensAgain)
{
    const PlayerRun run = PrepareRun(L"net-live", Engine::Real);
    CHandle process = StartPlayer(run, PeerUrl("live", L"/x.asf") + L" /P");
    ASSERT_NE(process, nullptr);
    HWND main = WaitMainWindow(GetProcessId(process), kStartMs);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitTrace(run, L"Play URL started", kStartMs));
    EXPECT_NE(ReadTrace(run).find(L"duration=0.000 live=1"), std::wstring::npos);
    Sleep(1000);
    {
        Watchdog watchdog(main);
        PostMessageW(main, WM_COMMAND, kStop, 0);
        ASSERT_TRUE(WaitTrace(run, L"Stop URL", kStartMs));
        // The sender restarts after the stop's disconnect: Play opens the URL again.
        // Play is refused (with its message) until the sender listens again.
        for (int i = 0; i < 20; ++i) {
            Sleep(500);
            PostMessageW(main, WM_COMMAND, kPlay, 0);
            Sleep(500);
            const std::wstring trace = ReadTrace(run);
            const size_t stop = trace.find(L"Stop URL");
            if (trace.find(L"Play URL started", stop) != std::wstring::npos) {
                break;
            }
        }
        watchdog.Stop();
        EXPECT_FALSE(watchdog.Failed());
    }
    const std::wstring trace = ReadTrace(run);
    ExpectInOrder(trace, {L"Play URL started", L"Stop URL", L"WMT_CLOSED", L"Play URL started"});
    Close(process, main);
}

TEST_F(NetPlayTest, FailuresEndInTheirTextsWhileTheWindowAnswers)
{
    // Longer than a hand-over record, within the command line's limit: opened by this copy.
    std::wstring longPath = L"/";
    longPath.append(900, L'b');
    const struct {
        const wchar_t* name;
        std::wstring url;
        const wchar_t* text;  // in the failure's trace line
    } cases[] = {
        {L"net-404", PeerUrl("nginx", L"/missing.wmv"), L"0xC00D001A"},
        {L"net-notasf", PeerUrl("nginx", L"/not-asf.wmv"), L"Open URL failed: "},
        {L"net-rtsp", PeerUrl("nginx", L"/sample-video1.wmv", L"rtsp"), L"0xC00D2EE0"},
        {L"net-https", PeerUrl("nginx", L"/sample-video1.wmv", L"https"), L"0xC00D2EE0"},
        {L"net-long", PeerUrl("nginx", longPath), L"Open URL failed: "},
        {L"net-auth", PeerUrl("nginx_auth", L"/sample-video1.wmv", L"http", L"ann:wrong@"),
         L"0x80070005"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.url.begin(), c.url.begin() + std::min<size_t>(80,
                                                                                  c.url.size())));
        const PlayerRun run = PrepareRun(c.name, Engine::Real);
        CHandle process = StartPlayer(run, c.url);
        ASSERT_NE(process, nullptr);
        HWND main = WaitMainWindow(GetProcessId(process), kStartMs);
        ASSERT_NE(main, nullptr);
        Watchdog watchdog(main);
        // The opening dialog shows the failure until the user closes it.
        ASSERT_TRUE(WaitTrace(run, L"Inet (err): ", kStartMs + 15000));
        PressWhenReads(L"Close");
        EXPECT_TRUE(WaitTrace(run, L"Open URL failed: ", kStartMs));
        watchdog.Stop();
        EXPECT_FALSE(watchdog.Failed()) << watchdog.Longest();
        const std::wstring trace = ReadTrace(run);
        const size_t failed = trace.find(L"Open URL failed: ");
        ASSERT_NE(failed, std::wstring::npos);
        EXPECT_NE(trace.find(c.text, failed), std::wstring::npos);
        EXPECT_EQ(trace.find(L"s3cret"), std::wstring::npos);
        Close(process, main);
    }
}

TEST_F(NetPlayTest, UrlsTooLongAreRefusedNotCut)
{
    // Past the command line's limit: the program says so and ends.
    {
        std::wstring path = L"/";
        path.append(4000, L'c');
        const PlayerRun run = PrepareRun(L"net-toolong", Engine::Fake);
        CHandle process = StartPlayer(run, PeerUrl("nginx", path));
        ASSERT_NE(process, nullptr);
        WaitPlayer(process, kStartMs);
        const std::wstring trace = ReadTrace(run);
        EXPECT_EQ(trace.find(L"OpenInetURL"), std::wstring::npos);
    }
    // Too long for the record a running copy receives: refused by the new copy; the running
    // one never sees a cut address.
    const PlayerRun first = PrepareRun(L"net-running", Engine::Fake);
    const PlayerRun second = PrepareRun(L"net-handover", Engine::Fake);
    CHandle running = StartPlayer(first, L"");
    ASSERT_NE(running, nullptr);
    HWND main = WaitMainWindow(GetProcessId(running), kStartMs);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitTrace(first, L"Init: shown", kStartMs));
    std::wstring path = L"/";
    path.append(600, L'd');
    CHandle starting = StartPlayer(second, L"/InPlayer " + PeerUrl("nginx", path));
    ASSERT_NE(starting, nullptr);
    EXPECT_NE(WaitPlayer(starting, kStartMs), -1);
    Sleep(500);
    const std::wstring trace = ReadTrace(first);
    EXPECT_EQ(trace.find(L"Hand-over received"), std::wstring::npos);
    EXPECT_EQ(trace.find(L"OpenInetURL"), std::wstring::npos);
    Close(running, main);
}

TEST_F(NetPlayTest, InterruptEndsAStalledOpen)
{
    const PlayerRun run = PrepareRun(L"net-stalled", Engine::Real);
    CHandle process = StartPlayer(run, PeerUrl("nginx_stalled", L"/sample-video1.wmv"));
    ASSERT_NE(process, nullptr);
    HWND main = WaitMainWindow(GetProcessId(process), kStartMs);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitTrace(run, L"OpenInetURL: [", kStartMs));
    Watchdog watchdog(main);
    // Button 1 reads "Interrupt" while the open runs.
    ASSERT_TRUE(PressWhenReads(L"Interrupt"));
    EXPECT_TRUE(WaitTrace(run, L"Open URL failed: *", kWatchdogMs));
    watchdog.Stop();
    EXPECT_FALSE(watchdog.Failed());
    EXPECT_LT(watchdog.Longest(), kWatchdogMs);
    Close(process, main);
}

TEST_F(NetPlayTest, PasswordsStayOutOfTitleAndTrace)
{
    const PlayerRun run = PrepareRun(L"net-password", Engine::Real);
    CHandle process = StartPlayer(
        run, PeerUrl("nginx_auth", L"/sample-video1.wmv", L"http", L"ann:s3cret@"));
    ASSERT_NE(process, nullptr);
    HWND main = WaitMainWindow(GetProcessId(process), kStartMs);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitTrace(run, L"URL opened: ", kStartMs));
    std::wstring title;
    for (int i = 0; i < 50; ++i) {
        title = WindowTitle(main);
        if (title.find(L"ann:****@") != std::wstring::npos) {
            break;
        }
        Sleep(100);
    }
    EXPECT_NE(title.find(L"ann:****@127.0.0.1"), std::wstring::npos)
        << std::string(title.begin(), title.end());
    EXPECT_EQ(title.find(L"s3cret"), std::wstring::npos);
    Close(process, main);
    const std::wstring trace = ReadTrace(run);
    EXPECT_NE(trace.find(L"ann:****@"), std::wstring::npos);
    EXPECT_EQ(trace.find(L"s3cret"), std::wstring::npos);
}

}  // namespace
