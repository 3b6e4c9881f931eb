// Network reading beyond a plain download: chunked and close-delimited bodies, live broadcasts
// (read to the connection's end, memory held to a window), seeking by range requests, Basic
// authentication through the application's credential callback, proxies (manual, the
// system's settings, none), the schemes, bounded and abortable waits, buffering statuses and
// the play mode reported once opened.
#include <winsock2.h>
#include <windows.h>
#include <wmsdk.h>
#include <nserror.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/platform/wmvcore/LoopbackHttpServer.h"
#include "tests/platform/wmvcore/ReaderCallbackRecorder.h"
#include "tests/support/TestEnv.h"
#include "tests/platform/wmvcore/WmvTestSupport.h"

namespace orvane::test {
namespace {

constexpr HRESULT kTimeout = static_cast<HRESULT>(0xC00D0013);  // NS_E_TIMEOUT

std::vector<char> FileBytes(const wchar_t* name)
{
    const std::string text = ReadMediaText(name);
    return std::vector<char>(text.begin(), text.end());
}

uint64_t U64At(const std::vector<char>& b, size_t at)
{
    uint64_t v = 0;
    std::memcpy(&v, b.data() + at, sizeof(v));
    return v;
}

void PutU64(std::vector<char>* b, size_t at, uint64_t v) { std::memcpy(b->data() + at, &v, 8); }

size_t Find(const std::vector<char>& b, const unsigned char (&guid)[16], size_t from)
{
    const auto it = std::search(b.begin() + static_cast<std::ptrdiff_t>(from), b.end(),
                                std::begin(guid), std::end(guid),
                                [](char x, unsigned char y) { return uint8_t(x) == y; });
    return static_cast<size_t>(it - b.begin());
}

// A file rewritten as a live broadcast sends it: broadcast flag, no packet count and no
// durations, a data object of its bare 50-byte head; the packets, `repeats` times, and no
// index.
std::vector<char> AsLiveBroadcast(const std::vector<char>& file, int repeats)
{
    static const unsigned char kFileProperties[16] = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9,
                                                      0xCF, 0x11, 0x8E, 0xE4, 0x00, 0xC0,
                                                      0x0C, 0x20, 0x53, 0x65};
    std::vector<char> out = file;
    const size_t headerSize = static_cast<size_t>(U64At(file, 16));
    const size_t props = Find(out, kFileProperties, 30);
    EXPECT_LT(props, headerSize);
    PutU64(&out, props + 56, 0);  // packets
    PutU64(&out, props + 64, 0);  // play duration
    PutU64(&out, props + 72, 0);  // send duration
    uint32_t flags = 1;           // broadcast, not seekable
    std::memcpy(out.data() + props + 88, &flags, 4);
    const uint64_t dataSize = U64At(file, headerSize + 16);
    PutU64(&out, headerSize + 16, 50);
    PutU64(&out, headerSize + 40, 0);
    const std::vector<char> packets(file.begin() + static_cast<std::ptrdiff_t>(headerSize + 50),
                                    file.begin() + static_cast<std::ptrdiff_t>(headerSize + dataSize));
    out.resize(headerSize + 50);
    for (int i = 0; i < repeats; ++i) {
        out.insert(out.end(), packets.begin(), packets.end());
    }
    return out;
}

std::wstring UrlOf(const LoopbackHttpServer& server, const std::string& path,
                   const std::wstring& scheme = L"http", const std::wstring& userInfo = L"")
{
    return scheme + L"://" + userInfo + L"127.0.0.1:" + std::to_wstring(server.Port()) +
           std::wstring(path.begin(), path.end());
}

class NetworkReaderTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Runtime().createReader(nullptr, 0, &reader_), S_OK);
        ASSERT_EQ(reader_->QueryInterface(IID_IWMReaderAdvanced2,
                                          reinterpret_cast<void**>(&advanced_)), S_OK);
        ASSERT_EQ(reader_->QueryInterface(IID_IWMReaderNetworkConfig2,
                                          reinterpret_cast<void**>(&network_)), S_OK);
    }
    void TearDown() override
    {
        network_->Release();
        advanced_->Release();
        reader_->Release();
        for (int i = 0; i < 500 && callback_.References() != 0; ++i) {
            Sleep(10);
        }
        EXPECT_EQ(callback_.ProtocolFaults(), 0);
        EXPECT_EQ(callback_.References(), 0u);
    }

    // Opens; true when the open succeeded. Stream samples of every stream are asked for.
    bool Open(const std::wstring& url)
    {
        EXPECT_EQ(reader_->Open(url.c_str(), &callback_, nullptr), S_OK);
        EXPECT_TRUE(callback_.WaitFor(WMT_OPENED, 30000));
        if (FAILED(callback_.ResultOf(WMT_OPENED))) {
            return false;
        }
        numbers_ = StreamNumbers(reader_);
        for (WORD n : numbers_) {
            EXPECT_EQ(advanced_->SetReceiveStreamSamples(n, TRUE), S_OK);
        }
        return true;
    }
    void Close()
    {
        EXPECT_EQ(reader_->Close(), S_OK);
        EXPECT_TRUE(callback_.WaitFor(WMT_CLOSED, 10000));
    }
    // Opens and plays to the end under a user clock that runs ahead; the samples, sorted.
    std::vector<SampleRow> PlayToEnd(const std::wstring& url)
    {
        callback_.Drive(reader_, 1000000000);
        if (!Open(url)) {
            ADD_FAILURE() << "open failed: " << std::hex << callback_.ResultOf(WMT_OPENED);
            return {};
        }
        EXPECT_EQ(advanced_->SetUserProvidedClock(TRUE), S_OK);
        EXPECT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
        EXPECT_TRUE(callback_.WaitFor(WMT_END_OF_STREAMING, 60000));
        std::vector<SampleRow> samples = callback_.Samples();
        std::stable_sort(samples.begin(), samples.end());
        return samples;
    }
    std::vector<SampleRow> Expected(const wchar_t* fixture, int repeats = 1)
    {
        std::vector<SampleRow> one = ExpectedSamples(fixture, numbers_);
        std::vector<SampleRow> all;
        for (int i = 0; i < repeats; ++i) {
            all.insert(all.end(), one.begin(), one.end());
        }
        std::stable_sort(all.begin(), all.end());
        return all;
    }
    WMT_PLAY_MODE PlayMode()
    {
        WMT_PLAY_MODE mode = WMT_PLAY_MODE_AUTOSELECT;
        EXPECT_EQ(advanced_->GetPlayMode(&mode), S_OK);
        return mode;
    }
    QWORD DurationAttribute()
    {
        IWMHeaderInfo* info = nullptr;
        EXPECT_EQ(reader_->QueryInterface(IID_IWMHeaderInfo, reinterpret_cast<void**>(&info)),
                  S_OK);
        WORD stream = 0;
        WMT_ATTR_DATATYPE type = WMT_TYPE_DWORD;
        QWORD value = 1;
        WORD length = sizeof(value);
        EXPECT_EQ(info->GetAttributeByName(&stream, L"Duration", &type,
                                           reinterpret_cast<BYTE*>(&value), &length),
                  S_OK);
        info->Release();
        return value;
    }
    size_t CountOf(WMT_STATUS status) const
    {
        const std::vector<WMT_STATUS> all = callback_.Statuses();
        return static_cast<size_t>(std::count(all.begin(), all.end(), status));
    }

    IWMReader* reader_ = nullptr;
    IWMReaderAdvanced2* advanced_ = nullptr;
    IWMReaderNetworkConfig2* network_ = nullptr;
    ReaderCallbackRecorder callback_;
    std::vector<WORD> numbers_;
};

// ---- bodies ------------------------------------------------------------------------------

struct BodyCase {
    const char* name;
    bool chunked;
    bool noLength;
};

class NetworkBody : public NetworkReaderTest, public testing::WithParamInterface<BodyCase> {};

TEST_P(NetworkBody, GivesTheFileSamplesAndReadsAsADownload)
{
    LoopbackHttpServer server("/sample.wmv", FileBytes(L"sample.wmv"));
    if (GetParam().chunked) {
        server.SendChunked();
    }
    if (GetParam().noLength) {
        server.SendWithoutLength();
    }
    const std::vector<SampleRow> actual = PlayToEnd(UrlOf(server, "/sample.wmv"));
    EXPECT_EQ(actual, Expected(L"sample.wmv"));
    EXPECT_EQ(PlayMode(), WMT_PLAY_MODE_DOWNLOAD);
    EXPECT_GT(DurationAttribute(), 190000000u);
    Close();
}

INSTANTIATE_TEST_SUITE_P(Cases, NetworkBody,
                         testing::Values(BodyCase{"Length", false, false},
                                         BodyCase{"Chunked", true, false},
                                         BodyCase{"CloseDelimited", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(NetworkReaderTest, LocalFileOpensInLocalMode)
{
    callback_.Drive(reader_, 0);
    ASSERT_TRUE(Open(MediaPath(L"one-video.wmv")));
    EXPECT_EQ(PlayMode(), WMT_PLAY_MODE_LOCAL);
    DWORD percent = 0;
    QWORD buffering = 1;
    EXPECT_EQ(advanced_->GetBufferProgress(&percent, &buffering), S_OK);
    EXPECT_EQ(percent, 100u);
    EXPECT_EQ(buffering, 0u);
    Close();
}

TEST_F(NetworkReaderTest, ConnectionLostMidStreamIsAReaderError)
{
    LoopbackHttpServer server("/sample.wmv", FileBytes(L"sample.wmv"));
    server.CutAfter(640 * 1024);
    callback_.Drive(reader_, 1000000000);
    ASSERT_TRUE(Open(UrlOf(server, "/sample.wmv")));
    ASSERT_EQ(advanced_->SetUserProvidedClock(TRUE), S_OK);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_ERROR, 30000));
    EXPECT_EQ(callback_.ResultOf(WMT_ERROR), NS_E_NET_READ);
    EXPECT_FALSE(callback_.Samples().empty());
    EXPECT_EQ(CountOf(WMT_EOF), 0u);
    Close();
}

// ---- live --------------------------------------------------------------------------------

TEST_F(NetworkReaderTest, LiveBroadcastIsReadUntilTheConnectionEnds)
{
    LoopbackHttpServer server("/live.asf", AsLiveBroadcast(FileBytes(L"sample.wmv"), 2));
    server.SendChunked();
    const std::vector<SampleRow> actual = PlayToEnd(UrlOf(server, "/live.asf"));
    // Every packet of both rounds arrives; a live stream has no duration.
    EXPECT_EQ(actual.size(), Expected(L"sample.wmv", 2).size());
    EXPECT_EQ(PlayMode(), WMT_PLAY_MODE_STREAMING);
    EXPECT_EQ(DurationAttribute(), 0u);
    EXPECT_EQ(CountOf(WMT_EOF), 1u);
    Close();
}

TEST_F(NetworkReaderTest, LiveBroadcastHoldsOnlyAWindowOfUnreadBytes)
{
    const std::vector<char> live = AsLiveBroadcast(FileBytes(L"sample.wmv"), 24);
    LoopbackHttpServer server("/live.asf", live);
    server.SendChunked();
    server.PauseMs(0);
    callback_.Drive(reader_, 0);  // the clock stays at 0: delivery stops at once
    ASSERT_TRUE(Open(UrlOf(server, "/live.asf")));
    ASSERT_EQ(advanced_->SetUserProvidedClock(TRUE), S_OK);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_STARTED));
    // Received bytes grow to the window and stop there, far below what the sender offers.
    QWORD bytes = 0;
    QWORD last = UINT64_MAX;
    for (int i = 0; i < 100 && bytes != last; ++i) {
        last = bytes;
        Sleep(200);
        DWORD percent = 0;
        QWORD remaining = 0;
        ASSERT_EQ(advanced_->GetDownloadProgress(&percent, &bytes, &remaining), S_OK);
    }
    EXPECT_EQ(bytes, last) << "received bytes never settled";
    EXPECT_LE(bytes, 5u << 20);
    EXPECT_GT(live.size(), 30u << 20);
    // With the clock running, the rest flows and every sample arrives.
    IWMReaderAdvanced* clock = advanced_;
    ASSERT_EQ(clock->DeliverTime(~0ull >> 2), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_END_OF_STREAMING, 120000));
    EXPECT_EQ(callback_.Samples().size(), Expected(L"sample.wmv", 24).size());
    Close();
}

// ---- seeking -----------------------------------------------------------------------------

TEST_F(NetworkReaderTest, StartPastTheReceivedBytesAsksForARange)
{
    const std::vector<char> file = FileBytes(L"sample.wmv");
    LoopbackHttpServer server("/sample.wmv", file);
    server.GrantRanges();
    server.HoldAfter(128 * 1024);  // the first answer stalls: only a range request can help
    callback_.Drive(reader_, 1000000000);
    ASSERT_TRUE(Open(UrlOf(server, "/sample.wmv")));
    ASSERT_EQ(advanced_->SetUserProvidedClock(TRUE), S_OK);
    const QWORD start = 150000000;  // 15 s of 20
    ASSERT_EQ(reader_->Start(start, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_END_OF_STREAMING, 60000));
    const std::vector<std::string> heads = server.RequestHeads();
    ASSERT_GE(heads.size(), 2u);
    const size_t at = heads[1].find("\r\nRange: bytes=");
    ASSERT_NE(at, std::string::npos) << heads[1];
    EXPECT_GT(std::strtoull(heads[1].c_str() + at + 15, nullptr, 10), 128u * 1024);
    // Each stream begins at a key frame no later than the start, and reaches the end.
    const std::vector<SampleRow> samples = callback_.Samples();
    std::vector<SampleRow> expected = Expected(L"sample.wmv");
    for (WORD n : numbers_) {
        const auto first = std::find_if(samples.begin(), samples.end(),
                                        [&](const SampleRow& r) { return r.stream == n; });
        ASSERT_NE(first, samples.end());
        EXPECT_TRUE(first->key);
        EXPECT_LE(first->ms, start / 10000);
        const auto last = std::find_if(samples.rbegin(), samples.rend(),
                                       [&](const SampleRow& r) { return r.stream == n; });
        const auto expectedLast =
            std::find_if(expected.rbegin(), expected.rend(),
                         [&](const SampleRow& r) { return r.stream == n; });
        EXPECT_EQ(last->ms, expectedLast->ms);
    }
    server.ReleaseHold();
    Close();
}

// ---- authentication ----------------------------------------------------------------------

struct AuthCase {
    const char* name;
    const wchar_t* userInfo;  // in the URL
    const wchar_t* user;      // the credential callback's answer ("" declines)
    const wchar_t* password;
    bool offerCallback;
    HRESULT opened;
    size_t asks;
};

class NetworkAuth : public NetworkReaderTest, public testing::WithParamInterface<AuthCase> {};

TEST_P(NetworkAuth, BasicCredentialsComeFromTheUrlOrTheCallback)
{
    const AuthCase& c = GetParam();
    LoopbackHttpServer server("/sample.wmv", FileBytes(L"one-video.wmv"));
    server.RequireBasic("ann:s3cret");
    if (c.offerCallback) {
        callback_.AnswerCredentials(c.user, c.password);
    }
    callback_.Drive(reader_, 0);
    ASSERT_EQ(reader_->Open(UrlOf(server, "/sample.wmv", L"http", c.userInfo).c_str(),
                            &callback_, nullptr),
              S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_OPENED, 30000));
    EXPECT_EQ(callback_.ResultOf(WMT_OPENED), c.opened);
    const std::vector<ReaderCallbackRecorder::CredentialAsk> asks = callback_.CredentialAsks();
    EXPECT_EQ(asks.size(), c.asks);
    for (const auto& ask : asks) {
        EXPECT_EQ(ask.realm, L"talks");
        EXPECT_EQ(ask.site, L"127.0.0.1");
        EXPECT_EQ(ask.status, NS_E_SERVER_ACCESSDENIED);
        EXPECT_EQ(ask.flags & 0x8, 0u) << "not a proxy's challenge";
    }
    // The password never travels in a request line.
    for (const std::string& line : server.RequestLines()) {
        EXPECT_EQ(line.find("s3cret"), std::string::npos);
    }
    Close();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NetworkAuth,
    testing::Values(
        AuthCase{"InUrl", L"ann:s3cret@", L"", L"", false, S_OK, 0},
        AuthCase{"PercentEncodedInUrl", L"ann:s3cr%65t@", L"", L"", false, S_OK, 0},
        AuthCase{"FromCallback", L"", L"ann", L"s3cret", true, S_OK, 1},
        AuthCase{"WrongInUrlThenCallback", L"ann:nope@", L"ann", L"s3cret", true, S_OK, 1},
        AuthCase{"CallbackWrong", L"", L"ann", L"nope", true, E_ACCESSDENIED, 3},
        AuthCase{"CallbackDeclines", L"", L"", L"", true, E_ACCESSDENIED, 1},
        AuthCase{"NoCallback", L"", L"", L"", false, E_ACCESSDENIED, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- proxies -----------------------------------------------------------------------------

// The system's (WinINet's) proxy settings in this prefix's registry, restored afterwards.
class SystemProxy {
public:
    SystemProxy(DWORD enable, const std::wstring& server, const std::wstring& bypass)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr);
        Save(L"ProxyEnable", &enable_);
        Save(L"ProxyServer", &server_);
        Save(L"ProxyOverride", &bypass_);
        RegSetValueExW(key_, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enable),
                       sizeof(enable));
        Set(L"ProxyServer", server);
        Set(L"ProxyOverride", bypass);
    }
    ~SystemProxy()
    {
        Restore(L"ProxyEnable", enable_);
        Restore(L"ProxyServer", server_);
        Restore(L"ProxyOverride", bypass_);
        RegCloseKey(key_);
    }

private:
    struct Saved {
        bool present = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    static constexpr const wchar_t* kKey =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    void Save(const wchar_t* name, Saved* saved)
    {
        DWORD size = 0;
        if (RegQueryValueExW(key_, name, nullptr, &saved->type, nullptr, &size) == ERROR_SUCCESS) {
            saved->data.resize(size);
            saved->present = RegQueryValueExW(key_, name, nullptr, &saved->type,
                                              saved->data.data(), &size) == ERROR_SUCCESS;
        }
    }
    void Restore(const wchar_t* name, const Saved& saved)
    {
        if (saved.present) {
            RegSetValueExW(key_, name, 0, saved.type, saved.data.data(),
                           DWORD(saved.data.size()));
        } else {
            RegDeleteValueW(key_, name);
        }
    }
    void Set(const wchar_t* name, const std::wstring& text)
    {
        RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       DWORD((text.size() + 1) * sizeof(wchar_t)));
    }
    HKEY key_ = nullptr;
    Saved enable_;
    Saved server_;
    Saved bypass_;
};

struct ProxyCase {
    const char* name;
    WMT_PROXY_SETTINGS setting;
    DWORD systemEnable;
    const wchar_t* systemServer;  // "%d" stands for the proxy's port
    const wchar_t* bypass;
    bool viaProxy;
};

class NetworkProxy : public NetworkReaderTest, public testing::WithParamInterface<ProxyCase> {};

TEST_P(NetworkProxy, ChoosesTheProxyTheSettingNames)
{
    const ProxyCase& c = GetParam();
    LoopbackHttpServer origin("/one.wmv", FileBytes(L"one-video.wmv"));
    LoopbackHttpServer proxy("/one.wmv", FileBytes(L"one-video.wmv"));
    std::wstring server = c.systemServer;
    const size_t mark = server.find(L"%d");
    if (mark != std::wstring::npos) {
        server.replace(mark, 2, std::to_wstring(proxy.Port()));
    }
    SystemProxy system(c.systemEnable, server, c.bypass);
    ASSERT_EQ(network_->SetProxySettings(L"http", c.setting), S_OK);
    if (c.setting == WMT_PROXY_SETTING_MANUAL) {
        ASSERT_EQ(network_->SetProxyHostName(L"http", L"127.0.0.1"), S_OK);
        ASSERT_EQ(network_->SetProxyPort(L"http", proxy.Port()), S_OK);
    }
    const std::vector<SampleRow> samples = PlayToEnd(UrlOf(origin, "/one.wmv"));
    EXPECT_FALSE(samples.empty());
    const std::vector<std::string>& seen =
        c.viaProxy ? proxy.RequestLines() : origin.RequestLines();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], c.viaProxy ? "GET http://127.0.0.1:" + std::to_string(origin.Port()) +
                                        "/one.wmv HTTP/1.1"
                                  : std::string("GET /one.wmv HTTP/1.1"));
    EXPECT_TRUE((c.viaProxy ? origin : proxy).RequestLines().empty());
    Close();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NetworkProxy,
    testing::Values(
        ProxyCase{"Manual", WMT_PROXY_SETTING_MANUAL, 0, L"", L"", true},
        ProxyCase{"BrowserEnabled", WMT_PROXY_SETTING_BROWSER, 1, L"127.0.0.1:%d", L"", true},
        ProxyCase{"BrowserPerProtocol", WMT_PROXY_SETTING_BROWSER, 1,
                  L"ftp=10.9.9.9:21;http=127.0.0.1:%d", L"", true},
        ProxyCase{"BrowserDisabled", WMT_PROXY_SETTING_BROWSER, 0, L"127.0.0.1:%d", L"", false},
        ProxyCase{"BrowserBypassed", WMT_PROXY_SETTING_BROWSER, 1, L"127.0.0.1:%d",
                  L"<local>;127.0.0.*", false},
        ProxyCase{"AutoIsDirect", WMT_PROXY_SETTING_AUTO, 1, L"127.0.0.1:%d", L"", false},
        ProxyCase{"None", WMT_PROXY_SETTING_NONE, 1, L"127.0.0.1:%d", L"", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct ProxyAuthCase {
    const char* name;
    const wchar_t* user;
    HRESULT opened;
};

class NetworkProxyAuth : public NetworkReaderTest,
                         public testing::WithParamInterface<ProxyAuthCase> {};

TEST_P(NetworkProxyAuth, ProxyCredentialsComeFromTheCallback)
{
    LoopbackHttpServer proxy("/one.wmv", FileBytes(L"one-video.wmv"));
    proxy.RequireProxyBasic("gate:keeper");
    callback_.AnswerCredentials(GetParam().user, L"keeper");
    ASSERT_EQ(network_->SetProxySettings(L"http", WMT_PROXY_SETTING_MANUAL), S_OK);
    ASSERT_EQ(network_->SetProxyHostName(L"http", L"127.0.0.1"), S_OK);
    ASSERT_EQ(network_->SetProxyPort(L"http", proxy.Port()), S_OK);
    callback_.Drive(reader_, 0);
    ASSERT_EQ(reader_->Open(L"http://127.0.0.1:9/one.wmv", &callback_, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_OPENED, 30000));
    EXPECT_EQ(callback_.ResultOf(WMT_OPENED), GetParam().opened);
    const auto asks = callback_.CredentialAsks();
    ASSERT_FALSE(asks.empty());
    EXPECT_EQ(asks[0].realm, L"gate");
    EXPECT_EQ(asks[0].status, NS_E_PROXY_ACCESSDENIED);
    EXPECT_EQ(asks[0].flags & 0x8, 0x8u) << "a proxy's challenge";
    Close();
}

INSTANTIATE_TEST_SUITE_P(Cases, NetworkProxyAuth,
                         testing::Values(ProxyAuthCase{"Right", L"gate", S_OK},
                                         ProxyAuthCase{"Wrong", L"intruder",
                                                       NS_E_PROXY_ACCESSDENIED}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- names and schemes -------------------------------------------------------------------

TEST_F(NetworkReaderTest, MmsRollsOverToHttpOnTheUrlsPort)
{
    LoopbackHttpServer server("/one.wmv", FileBytes(L"one-video.wmv"));
    const std::vector<SampleRow> samples = PlayToEnd(UrlOf(server, "/one.wmv", L"mms"));
    EXPECT_EQ(samples, Expected(L"one-video.wmv"));
    const std::vector<std::string> requests = server.RequestLines();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], "GET /one.wmv HTTP/1.1");
    WCHAR protocol[16] = {};
    DWORD length = 16;
    EXPECT_EQ(advanced_->GetProtocolName(protocol, &length), S_OK);
    EXPECT_STREQ(protocol, L"http");
    Close();
}

TEST_F(NetworkReaderTest, UnreadSchemesAreRefusedAtOnce)
{
    for (const wchar_t* url : {L"rtsp://127.0.0.1:9/x.wmv", L"https://127.0.0.1:9/x.wmv"}) {
        EXPECT_EQ(reader_->Open(url, &callback_, nullptr), NS_E_UNKNOWN_PROTOCOL) << url;
    }
    EXPECT_TRUE(callback_.Statuses().empty());
}

struct LongUrlCase {
    const char* name;
    size_t pathLength;
    HRESULT opened;
    size_t requests;
};

class NetworkLongUrl : public NetworkReaderTest,
                       public testing::WithParamInterface<LongUrlCase> {};

TEST_P(NetworkLongUrl, RequestLinesOverTheLimitAreNeverSent)
{
    LoopbackHttpServer server("/sample.wmv", FileBytes(L"one-video.wmv"));
    const std::string path = "/" + std::string(GetParam().pathLength, 'a');
    callback_.Drive(reader_, 0);
    ASSERT_EQ(reader_->Open(UrlOf(server, path).c_str(), &callback_, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_OPENED, 30000));
    EXPECT_EQ(callback_.ResultOf(WMT_OPENED), GetParam().opened);
    Sleep(100);
    EXPECT_EQ(server.RequestLines().size(), GetParam().requests);
    Close();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NetworkLongUrl,
    testing::Values(LongUrlCase{"Sent4000", 4000, NS_E_FILE_NOT_FOUND, 1},
                    LongUrlCase{"AtLimit", 8192 - 14, NS_E_FILE_NOT_FOUND, 1},
                    LongUrlCase{"OverLimit", 8192 - 13, NS_E_INVALID_NAME, 0},
                    LongUrlCase{"Refused70000", 70000, NS_E_INVALID_NAME, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- waits -------------------------------------------------------------------------------

TEST_F(NetworkReaderTest, CloseEndsAWaitForTheAnswer)
{
    LoopbackHttpServer server("/sample.wmv", FileBytes(L"sample.wmv"));
    server.NeverAnswer();
    callback_.Drive(reader_, 0);
    ASSERT_EQ(reader_->Open(UrlOf(server, "/sample.wmv").c_str(), &callback_, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_CONNECTING));
    for (int i = 0; i < 500 && server.RequestLines().empty(); ++i) {
        Sleep(10);
    }
    ASSERT_EQ(reader_->Close(), S_OK);
    // Well before the answer's own limit.
    EXPECT_TRUE(callback_.WaitFor(WMT_CLOSED, 5000));
    EXPECT_EQ(callback_.ResultOf(WMT_OPENED), E_ABORT);
}

TEST_F(NetworkReaderTest, AServerThatNeverAnswersFailsTheOpen)
{
    LoopbackHttpServer server("/sample.wmv", FileBytes(L"sample.wmv"));
    server.NeverAnswer();
    callback_.Drive(reader_, 0);
    ASSERT_EQ(reader_->Open(UrlOf(server, "/sample.wmv").c_str(), &callback_, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_OPENED, 30000));
    EXPECT_EQ(callback_.ResultOf(WMT_OPENED), kTimeout);
    Close();
}

TEST_F(NetworkReaderTest, ASilentBodyEndsInAnError)
{
    LoopbackHttpServer server("/sample.wmv", FileBytes(L"sample.wmv"));
    server.HoldAfter(256 * 1024);
    callback_.Drive(reader_, 1000000000);
    ASSERT_TRUE(Open(UrlOf(server, "/sample.wmv")));
    ASSERT_EQ(advanced_->SetUserProvidedClock(TRUE), S_OK);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_ERROR, 30000));
    EXPECT_EQ(callback_.ResultOf(WMT_ERROR), kTimeout);
    EXPECT_EQ(CountOf(WMT_BUFFERING_START), CountOf(WMT_BUFFERING_STOP));
    Close();
    server.ReleaseHold();
}

TEST_F(NetworkReaderTest, DeliveryWaitingForBytesReportsBuffering)
{
    LoopbackHttpServer server("/sample.wmv", FileBytes(L"sample.wmv"));
    server.HoldAfter(384 * 1024);
    callback_.Drive(reader_, 1000000000);
    ASSERT_TRUE(Open(UrlOf(server, "/sample.wmv")));
    ASSERT_EQ(advanced_->SetUserProvidedClock(TRUE), S_OK);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_BUFFERING_START, 20000));
    DWORD percent = 100;
    QWORD remaining = 0;
    ASSERT_EQ(advanced_->GetBufferProgress(&percent, &remaining), S_OK);
    EXPECT_LT(percent, 100u);
    EXPECT_GT(remaining, 0u);
    EXPECT_EQ(CountOf(WMT_BUFFERING_STOP), 0u);
    server.ReleaseHold();
    ASSERT_TRUE(callback_.WaitFor(WMT_END_OF_STREAMING, 60000));
    EXPECT_GE(CountOf(WMT_BUFFERING_STOP), 1u);
    EXPECT_EQ(CountOf(WMT_BUFFERING_START), CountOf(WMT_BUFFERING_STOP));
    ASSERT_EQ(advanced_->GetBufferProgress(&percent, &remaining), S_OK);
    EXPECT_EQ(percent, 100u);
    std::vector<SampleRow> actual = callback_.Samples();
    std::stable_sort(actual.begin(), actual.end());
    EXPECT_EQ(actual, Expected(L"sample.wmv"));
    Close();
}

TEST_F(NetworkReaderTest, StopEndsABufferingWaitAtOnce)
{
    LoopbackHttpServer server("/sample.wmv", FileBytes(L"sample.wmv"));
    server.HoldAfter(256 * 1024);
    callback_.Drive(reader_, 1000000000);
    ASSERT_TRUE(Open(UrlOf(server, "/sample.wmv")));
    ASSERT_EQ(advanced_->SetUserProvidedClock(TRUE), S_OK);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_BUFFERING_START, 20000));
    ASSERT_EQ(reader_->Stop(), S_OK);
    // Far below the silent body's limit: the stop does not wait for bytes.
    EXPECT_TRUE(callback_.WaitFor(WMT_STOPPED, 5000));
    EXPECT_EQ(CountOf(WMT_ERROR), 0u);
    EXPECT_EQ(CountOf(WMT_BUFFERING_START), CountOf(WMT_BUFFERING_STOP));
    server.ReleaseHold();
    Close();
}

}  // namespace
}  // namespace orvane::test
