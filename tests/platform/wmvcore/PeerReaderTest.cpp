// The network reader against real servers on 127.0.0.1 (started by scripts/net-peers.sh as a
// test fixture): nginx with and without ranges, slow, with Basic authentication, dying and
// stalled; Python's HTTP/1.0 server; ffmpeg sending live; tinyproxy with and without
// authentication, seen through the Via field of nginx's access log.
#include <winsock2.h>
#include <windows.h>
#include <wmsdk.h>
#include <nserror.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

#include "tests/platform/wmvcore/ReaderCallbackRecorder.h"
#include "tests/support/TestEnv.h"
#include "tests/platform/wmvcore/WmvTestSupport.h"

namespace orvane::test {
namespace {

constexpr HRESULT kTimeout = static_cast<HRESULT>(0xC00D0013);  // NS_E_TIMEOUT

std::string PeerDir()
{
    const char* dir = std::getenv("ORVANE_NET_PEERS");
    return dir != nullptr ? dir : "";
}

std::string TextOf(const std::string& path)
{
    std::string text;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return text;
    }
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0) {
        text.append(buffer, n);
    }
    std::fclose(f);
    return text;
}

unsigned PortOf(const std::string& name)
{
    std::istringstream in(TextOf(PeerDir() + "/ports"));
    std::string peer;
    unsigned port = 0;
    while (in >> peer >> port) {
        if (peer == name) {
            return port;
        }
    }
    ADD_FAILURE() << "no port for " << name;
    return 9;
}

std::wstring Url(const std::string& peer, const std::string& path,
                 const std::wstring& userInfo = L"", const std::wstring& scheme = L"http")
{
    return scheme + L"://" + userInfo + L"127.0.0.1:" + std::to_wstring(PortOf(peer)) +
           std::wstring(path.begin(), path.end());
}

// nginx's access log lines ("<request> <status> <bytes> via=... range=...") naming a path.
std::vector<std::string> LogLines(const std::string& instance, const std::string& path)
{
    std::vector<std::string> lines;
    for (const std::string& line : Lines(TextOf(PeerDir() + "/" + instance + "/access.log"))) {
        if (line.find(" " + path + " ") != std::string::npos) {
            lines.push_back(line);
        }
    }
    return lines;
}

class PeerReaderTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(PeerDir().empty()) << "ORVANE_NET_PEERS names the peers' directory";
        ASSERT_EQ(Runtime().createReader(nullptr, 0, &reader_), S_OK);
        ASSERT_EQ(reader_->QueryInterface(IID_IWMReaderAdvanced2,
                                          reinterpret_cast<void**>(&advanced_)), S_OK);
        ASSERT_EQ(reader_->QueryInterface(IID_IWMReaderNetworkConfig2,
                                          reinterpret_cast<void**>(&network_)), S_OK);
        // The prefix's own system proxy must not decide these cases.
        ASSERT_EQ(network_->SetProxySettings(L"http", WMT_PROXY_SETTING_NONE), S_OK);
    }
    void TearDown() override
    {
        if (reader_ != nullptr) {
            reader_->Close();
            callback_.WaitFor(WMT_CLOSED, 10000);
            network_->Release();
            advanced_->Release();
            reader_->Release();
        }
        for (int i = 0; i < 500 && callback_.References() != 0; ++i) {
            Sleep(10);
        }
        EXPECT_EQ(callback_.ProtocolFaults(), 0);
        EXPECT_EQ(callback_.References(), 0u);
    }

    // clockStep 0 with userClock: the test holds the clock at 0.
    HRESULT Open(const std::wstring& url, QWORD clockStep, bool userClock = false)
    {
        callback_.Drive(reader_, clockStep);
        EXPECT_EQ(reader_->Open(url.c_str(), &callback_, nullptr), S_OK);
        EXPECT_TRUE(callback_.WaitFor(WMT_OPENED, 40000));
        const HRESULT hr = callback_.ResultOf(WMT_OPENED);
        if (SUCCEEDED(hr)) {
            numbers_ = StreamNumbers(reader_);
            for (WORD n : numbers_) {
                EXPECT_EQ(advanced_->SetReceiveStreamSamples(n, TRUE), S_OK);
            }
            EXPECT_EQ(advanced_->SetUserProvidedClock(clockStep != 0 || userClock), S_OK);
        }
        return hr;
    }
    // Plays from start to the end under a user clock running ahead.
    std::vector<SampleRow> PlayToEnd(const std::wstring& url, QWORD start = 0)
    {
        if (FAILED(Open(url, 1000000000))) {
            ADD_FAILURE() << "open failed: " << std::hex << callback_.ResultOf(WMT_OPENED);
            return {};
        }
        EXPECT_EQ(reader_->Start(start, 0, 1.0f, nullptr), S_OK);
        EXPECT_TRUE(callback_.WaitFor(WMT_END_OF_STREAMING, 90000));
        std::vector<SampleRow> samples = callback_.Samples();
        std::stable_sort(samples.begin(), samples.end());
        return samples;
    }
    std::vector<SampleRow> Expected(const wchar_t* fixture)
    {
        std::vector<SampleRow> rows = ExpectedSamples(fixture, numbers_);
        std::stable_sort(rows.begin(), rows.end());
        return rows;
    }
    size_t CountOf(WMT_STATUS status) const
    {
        const std::vector<WMT_STATUS> all = callback_.Statuses();
        return static_cast<size_t>(std::count(all.begin(), all.end(), status));
    }
    void UseProxy(const std::string& peer)
    {
        ASSERT_EQ(network_->SetProxySettings(L"http", WMT_PROXY_SETTING_MANUAL), S_OK);
        ASSERT_EQ(network_->SetProxyHostName(L"http", L"127.0.0.1"), S_OK);
        ASSERT_EQ(network_->SetProxyPort(L"http", PortOf(peer)), S_OK);
    }
    // Each stream starts with a key frame at or before `start` and ends where the file does.
    void ExpectPlayedFrom(QWORD start, const wchar_t* fixture)
    {
        const std::vector<SampleRow> delivered = callback_.Samples();
        const std::vector<SampleRow> expected = Expected(fixture);
        for (WORD n : numbers_) {
            auto mine = [n](const SampleRow& r) { return r.stream == n; };
            const auto first = std::find_if(delivered.begin(), delivered.end(), mine);
            ASSERT_NE(first, delivered.end()) << "stream " << n;
            EXPECT_TRUE(first->key) << "stream " << n;
            EXPECT_LE(first->ms, start / 10000) << "stream " << n;
            const auto last = std::find_if(delivered.rbegin(), delivered.rend(), mine);
            const auto end = std::find_if(expected.rbegin(), expected.rend(), mine);
            EXPECT_EQ(last->ms, end->ms) << "stream " << n;
        }
    }

    IWMReader* reader_ = nullptr;
    IWMReaderAdvanced2* advanced_ = nullptr;
    IWMReaderNetworkConfig2* network_ = nullptr;
    ReaderCallbackRecorder callback_;
    std::vector<WORD> numbers_;
};

struct PlainCase {
    const char* name;
    const char* peer;
    const wchar_t* scheme;
};

class PeerPlays : public PeerReaderTest, public testing::WithParamInterface<PlainCase> {};

TEST_P(PeerPlays, TheFileSamplesArrive)
{
    const std::vector<SampleRow> samples =
        PlayToEnd(Url(GetParam().peer, "/sample.wmv", L"", GetParam().scheme));
    EXPECT_EQ(samples, Expected(L"sample.wmv"));
    WMT_PLAY_MODE mode = WMT_PLAY_MODE_AUTOSELECT;
    EXPECT_EQ(advanced_->GetPlayMode(&mode), S_OK);
    EXPECT_EQ(mode, WMT_PLAY_MODE_DOWNLOAD);
}

INSTANTIATE_TEST_SUITE_P(Peers, PeerPlays,
                         testing::Values(PlainCase{"Nginx", "nginx", L"http"},
                                         PlainCase{"NginxByMms", "nginx", L"mms"},
                                         PlainCase{"PythonHttp10", "python", L"http"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PeerReaderTest, SeekingOnASlowServerAsksForARange)
{
    const QWORD start = 170000000;  // 17 s of 20: the slow server has sent far less by now
    PlayToEnd(Url("nginx_slow", "/sample.wmv"), start);
    ExpectPlayedFrom(start, L"sample.wmv");
    bool ranged = false;
    for (const std::string& line : LogLines("nginx", "/sample.wmv")) {
        ranged = ranged || line.find(" 206 ") != std::string::npos;
    }
    EXPECT_TRUE(ranged) << "no 206 answer in nginx's log";
}

TEST_F(PeerReaderTest, SeekingWhereRangesAreRefusedReadsOn)
{
    const QWORD start = 150000000;
    PlayToEnd(Url("nginx_noranges", "/sample.wmv"), start);
    ExpectPlayedFrom(start, L"sample.wmv");
}

TEST_F(PeerReaderTest, ASlowServerMakesDeliveryBuffer)
{
    ASSERT_EQ(Open(Url("nginx_slow", "/sample.wmv"), 1000000000), S_OK);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_BUFFERING_START, 30000));
    DWORD percent = 100;
    QWORD remaining = 0;
    ASSERT_EQ(advanced_->GetBufferProgress(&percent, &remaining), S_OK);
    EXPECT_LT(percent, 100u);
    ASSERT_TRUE(callback_.WaitFor(WMT_BUFFERING_STOP, 30000));
}

struct FailCase {
    const char* name;
    const char* peer;
    const char* path;
    const wchar_t* userInfo;
    HRESULT opened;
};

class PeerFails : public PeerReaderTest, public testing::WithParamInterface<FailCase> {};

TEST_P(PeerFails, OpenEndsInTheRuntimesCode)
{
    const FailCase& c = GetParam();
    EXPECT_EQ(Open(Url(c.peer, c.path, c.userInfo), 0), c.opened);
}

INSTANTIATE_TEST_SUITE_P(
    Peers, PeerFails,
    testing::Values(FailCase{"Missing", "nginx", "/missing.wmv", L"", NS_E_FILE_NOT_FOUND},
                    FailCase{"NotAsf", "nginx", "/not-asf.wmv", L"", NS_E_INVALID_INPUT_FORMAT},
                    FailCase{"AuthRight", "nginx_auth", "/sample.wmv", L"ann:s3cret@", S_OK},
                    FailCase{"AuthWrong", "nginx_auth", "/sample.wmv", L"ann:nope@",
                             E_ACCESSDENIED},
                    FailCase{"AuthNone", "nginx_auth", "/sample.wmv", L"", E_ACCESSDENIED},
                    FailCase{"Stalled", "nginx_stalled", "/sample.wmv", L"", kTimeout}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PeerReaderTest, AServerDyingMidStreamIsAReaderError)
{
    ASSERT_EQ(Open(Url("nginx_killed", "/sample-video1.wmv"), 1000000000), S_OK);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_ERROR, 30000));
    EXPECT_EQ(callback_.ResultOf(WMT_ERROR), NS_E_NET_READ);
    EXPECT_EQ(CountOf(WMT_EOF), 0u);
}

TEST_F(PeerReaderTest, LiveStreamHasNoDurationAndRestartsWhereItStands)
{
    ASSERT_EQ(Open(Url("live", "/x.asf"), 0), S_OK);
    WMT_PLAY_MODE mode = WMT_PLAY_MODE_AUTOSELECT;
    EXPECT_EQ(advanced_->GetPlayMode(&mode), S_OK);
    EXPECT_EQ(mode, WMT_PLAY_MODE_STREAMING);
    IWMHeaderInfo* info = nullptr;
    ASSERT_EQ(reader_->QueryInterface(IID_IWMHeaderInfo, reinterpret_cast<void**>(&info)), S_OK);
    WORD stream = 0;
    WMT_ATTR_DATATYPE type = WMT_TYPE_QWORD;
    QWORD duration = 1;
    WORD length = sizeof(duration);
    EXPECT_EQ(info->GetAttributeByName(&stream, L"Duration", &type,
                                       reinterpret_cast<BYTE*>(&duration), &length),
              S_OK);
    info->Release();
    EXPECT_EQ(duration, 0u);
    // Real time: samples come as they are sent.
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    for (int i = 0; i < 300 && callback_.Samples().size() < 40; ++i) {
        Sleep(50);
    }
    EXPECT_GE(callback_.Samples().size(), 40u);
    ASSERT_EQ(reader_->Stop(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_STOPPED, 10000));
    const size_t before = callback_.Samples().size();
    const QWORD lastTime = callback_.Samples().back().ms;
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    for (int i = 0; i < 300 && callback_.Samples().size() < before + 20; ++i) {
        Sleep(50);
    }
    const std::vector<SampleRow> after = callback_.Samples();
    ASSERT_GE(after.size(), before + 20);
    // Time runs on: the broadcast did not start over.
    EXPECT_GE(after.back().ms, lastTime);
}

TEST_F(PeerReaderTest, HalfSpeedLiveStillDelivers)
{
    ASSERT_EQ(Open(Url("live_half", "/x.asf"), 0), S_OK);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    for (int i = 0; i < 400 && callback_.Samples().size() < 20; ++i) {
        Sleep(50);
    }
    EXPECT_GE(callback_.Samples().size(), 20u);
}

TEST_F(PeerReaderTest, LiveFasterThanRealTimeIsHeldToAWindow)
{
    ASSERT_EQ(Open(Url("live_fast", "/x.asf"), 0, true), S_OK);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_STARTED));
    // The user clock stays at 0: delivery waits, the sender is held back by TCP.
    QWORD bytes = 0;
    QWORD last = UINT64_MAX;
    for (int i = 0; i < 100 && bytes != last; ++i) {
        last = bytes;
        Sleep(300);
        DWORD percent = 0;
        QWORD remaining = 0;
        ASSERT_EQ(advanced_->GetDownloadProgress(&percent, &bytes, &remaining), S_OK);
    }
    EXPECT_EQ(bytes, last) << "received bytes never settled";
    EXPECT_LE(bytes, 5u << 20);
    EXPECT_EQ(CountOf(WMT_ERROR), 0u);
}

struct ProxyCase {
    const char* name;
    const char* proxy;
    const wchar_t* user;  // the credential callback's answer ("" offers none)
    HRESULT opened;
};

class PeerProxy : public PeerReaderTest, public testing::WithParamInterface<ProxyCase> {};

TEST_P(PeerProxy, RequestsPassTheProxy)
{
    const ProxyCase& c = GetParam();
    if (*c.user != 0) {
        callback_.AnswerCredentials(c.user, L"keeper");
    }
    UseProxy(c.proxy);
    // A path of its own, so that nginx's log line is this case's.
    const std::string path = std::string("/one-video.wmv?case=") + c.name;
    EXPECT_EQ(Open(Url("nginx", path), 0), c.opened);
    const std::vector<std::string> lines = LogLines("nginx", path);
    if (SUCCEEDED(c.opened)) {
        ASSERT_FALSE(lines.empty());
        EXPECT_NE(lines.back().find("via=\"1.1 tinyproxy"), std::string::npos) << lines.back();
    } else {
        EXPECT_TRUE(lines.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Peers, PeerProxy,
    testing::Values(ProxyCase{"Plain", "tinyproxy", L"", S_OK},
                    ProxyCase{"AuthRight", "tinyproxy_auth", L"gate", S_OK},
                    ProxyCase{"AuthWrong", "tinyproxy_auth", L"intruder",
                              NS_E_PROXY_ACCESSDENIED},
                    ProxyCase{"AuthNone", "tinyproxy_auth", L"", NS_E_PROXY_ACCESSDENIED}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvane::test
