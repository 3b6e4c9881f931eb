// Network reading: an http:// URL on a loopback server plays to the end progressively (with
// the same samples as the file), a manual proxy receives the absolute URL, a missing file and
// unreachable servers fail with the runtime's codes.
#include <winsock2.h>
#include <windows.h>
#include <wmsdk.h>
#include <nserror.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/platform/wmvcore/LoopbackHttpServer.h"
#include "tests/platform/wmvcore/ReaderCallbackRecorder.h"
#include "tests/support/TestEnv.h"
#include "tests/platform/wmvcore/WmvTestSupport.h"

namespace orvane::test {
namespace {

std::vector<char> FileBytes(const wchar_t* name)
{
    const std::string text = ReadMediaText(name);
    return std::vector<char>(text.begin(), text.end());
}

class HttpReaderTest : public testing::Test {
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
        for (int i = 0; i < 200 && callback_.References() != 0; ++i) {
            Sleep(10);
        }
        EXPECT_EQ(callback_.ProtocolFaults(), 0);
        EXPECT_EQ(callback_.References(), 0u);
    }

    // Opens the URL and plays it to the end under a user clock; returns the samples.
    std::vector<SampleRow> PlayToEnd(const std::wstring& url)
    {
        callback_.Drive(reader_, 1000000000);
        EXPECT_EQ(reader_->Open(url.c_str(), &callback_, nullptr), S_OK);
        EXPECT_TRUE(callback_.WaitFor(WMT_OPENED));
        EXPECT_EQ(callback_.ResultOf(WMT_OPENED), S_OK);
        if (FAILED(callback_.ResultOf(WMT_OPENED))) {
            return {};
        }
        EXPECT_EQ(advanced_->SetManualStreamSelection(TRUE), S_OK);
        numbers_ = StreamNumbers(reader_);
        for (WORD n : numbers_) {
            EXPECT_EQ(advanced_->SetReceiveStreamSamples(n, TRUE), S_OK);
        }
        EXPECT_EQ(advanced_->SetUserProvidedClock(TRUE), S_OK);
        EXPECT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
        EXPECT_TRUE(callback_.WaitFor(WMT_END_OF_STREAMING, 60000));
        WCHAR protocol[16] = {};
        DWORD length = 16;
        EXPECT_EQ(advanced_->GetProtocolName(protocol, &length), S_OK);
        EXPECT_STREQ(protocol, L"http");
        DWORD percent = 0;
        QWORD bytes = 0, remaining = 0;
        EXPECT_EQ(advanced_->GetDownloadProgress(&percent, &bytes, &remaining), S_OK);
        EXPECT_EQ(percent, 100u) << "played to the end, so all of it arrived";
        EXPECT_GT(bytes, 0u);
        const std::vector<WMT_STATUS> statuses = callback_.Statuses();
        EXPECT_EQ(statuses.front(), WMT_CONNECTING);
        EXPECT_EQ(reader_->Close(), S_OK);
        EXPECT_TRUE(callback_.WaitFor(WMT_CLOSED));
        return callback_.Samples();
    }

    IWMReader* reader_ = nullptr;
    IWMReaderAdvanced2* advanced_ = nullptr;
    IWMReaderNetworkConfig2* network_ = nullptr;
    ReaderCallbackRecorder callback_;
    std::vector<WORD> numbers_;
};

TEST_F(HttpReaderTest, PlaysTheSampleToTheEnd)
{
    LoopbackHttpServer server("/talks/sample.wmv", FileBytes(L"sample.wmv"));
    const std::wstring url =
        L"http://127.0.0.1:" + std::to_wstring(server.Port()) + L"/talks/sample.wmv";
    std::vector<SampleRow> actual = PlayToEnd(url);
    std::vector<SampleRow> expected = ExpectedSamples(L"sample.wmv", numbers_);
    std::stable_sort(actual.begin(), actual.end());
    std::stable_sort(expected.begin(), expected.end());
    EXPECT_EQ(actual, expected);
    const std::vector<std::string> requests = server.RequestLines();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], "GET /talks/sample.wmv HTTP/1.1");
}

TEST_F(HttpReaderTest, OpensAndDeliversBeforeTheDownloadEnds)
{
    LoopbackHttpServer server("/sample.wmv", FileBytes(L"sample.wmv"));
    server.HoldAfter(512 * 1024);
    callback_.Drive(reader_, 1000000000);
    const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(server.Port()) + L"/sample.wmv";
    ASSERT_EQ(reader_->Open(url.c_str(), &callback_, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_OPENED));
    ASSERT_EQ(callback_.ResultOf(WMT_OPENED), S_OK);
    for (WORD n : StreamNumbers(reader_)) {
        ASSERT_EQ(advanced_->SetReceiveStreamSamples(n, TRUE), S_OK);
    }
    ASSERT_EQ(advanced_->SetUserProvidedClock(TRUE), S_OK);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    // With the server holding the rest back, the first samples still arrive (on a loaded
    // machine the driven clock's pace can take several seconds for them).
    for (int i = 0; i < 1500 && callback_.Samples().size() < 20; ++i) {
        Sleep(10);
    }
    EXPECT_GE(callback_.Samples().size(), 20u);
    DWORD percent = 100;
    QWORD bytes = 0, remaining = 0;
    ASSERT_EQ(advanced_->GetDownloadProgress(&percent, &bytes, &remaining), S_OK);
    EXPECT_LT(percent, 100u);
    EXPECT_FALSE(callback_.WaitFor(WMT_EOF, 100));
    server.ReleaseHold();
    EXPECT_TRUE(callback_.WaitFor(WMT_END_OF_STREAMING, 60000));
    ASSERT_EQ(reader_->Close(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_CLOSED));
}

TEST_F(HttpReaderTest, CloseEndsAStalledDownload)
{
    LoopbackHttpServer server("/sample.wmv", FileBytes(L"sample.wmv"));
    server.HoldAfter(256 * 1024);
    callback_.Drive(reader_, 1000000000);
    const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(server.Port()) + L"/sample.wmv";
    ASSERT_EQ(reader_->Open(url.c_str(), &callback_, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_OPENED));
    for (WORD n : StreamNumbers(reader_)) {
        ASSERT_EQ(advanced_->SetReceiveStreamSamples(n, TRUE), S_OK);
    }
    ASSERT_EQ(advanced_->SetUserProvidedClock(TRUE), S_OK);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    Sleep(200);  // the reader now waits for bytes the server holds back
    ASSERT_EQ(reader_->Close(), S_OK);
    EXPECT_TRUE(callback_.WaitFor(WMT_CLOSED, 5000));
    server.ReleaseHold();
}

TEST_F(HttpReaderTest, FollowsARedirect)
{
    LoopbackHttpServer server("/new/one-video.wmv", FileBytes(L"one-video.wmv"));
    server.RedirectFrom("/old.wmv");
    std::vector<SampleRow> actual =
        PlayToEnd(L"http://127.0.0.1:" + std::to_wstring(server.Port()) + L"/old.wmv");
    std::vector<SampleRow> expected = ExpectedSamples(L"one-video.wmv", numbers_);
    std::stable_sort(actual.begin(), actual.end());
    std::stable_sort(expected.begin(), expected.end());
    EXPECT_EQ(actual, expected);
    const std::vector<std::string> requests = server.RequestLines();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], "GET /old.wmv HTTP/1.1");
    EXPECT_EQ(requests[1], "GET /new/one-video.wmv HTTP/1.1");
}

TEST_F(HttpReaderTest, ManualProxyReceivesTheAbsoluteUrl)
{
    LoopbackHttpServer proxy("/sample.wmv", FileBytes(L"one-video.wmv"));
    ASSERT_EQ(network_->SetProxySettings(L"http", WMT_PROXY_SETTING_MANUAL), S_OK);
    ASSERT_EQ(network_->SetProxyHostName(L"http", L"127.0.0.1"), S_OK);
    ASSERT_EQ(network_->SetProxyPort(L"http", proxy.Port()), S_OK);
    WMT_PROXY_SETTINGS setting;
    EXPECT_EQ(network_->GetProxySettings(L"HTTP", &setting), S_OK);
    EXPECT_EQ(setting, WMT_PROXY_SETTING_MANUAL);
    // The origin's port is closed: only the proxy can answer.
    const std::vector<SampleRow> samples = PlayToEnd(L"http://127.0.0.1:9/sample.wmv");
    EXPECT_FALSE(samples.empty());
    const std::vector<std::string> requests = proxy.RequestLines();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], "GET http://127.0.0.1:9/sample.wmv HTTP/1.1");
}

struct FailureCase {
    const char* path;       // requested path on the loopback server ("" = closed port)
    HRESULT opened;
};

class HttpReaderFailure : public HttpReaderTest,
                          public testing::WithParamInterface<FailureCase> {};

TEST_P(HttpReaderFailure, ArrivesAsTheOpenedStatus)
{
    LoopbackHttpServer server("/sample.wmv", FileBytes(L"damaged-header-flipped.wmv"));
    const std::string path = GetParam().path;
    std::wstring url = path.empty() ? L"http://127.0.0.1:9/x.wmv"
                                    : L"http://127.0.0.1:" + std::to_wstring(server.Port()) +
                                          std::wstring(path.begin(), path.end());
    callback_.Drive(reader_, 0);
    ASSERT_EQ(reader_->Open(url.c_str(), &callback_, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_OPENED));
    EXPECT_EQ(callback_.ResultOf(WMT_OPENED), GetParam().opened);
    ASSERT_EQ(reader_->Close(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_CLOSED));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HttpReaderFailure,
    testing::Values(FailureCase{"/missing.wmv", NS_E_FILE_NOT_FOUND},
                    FailureCase{"/sample.wmv", NS_E_INVALID_INPUT_FORMAT},
                    FailureCase{"", NS_E_CONNECTION_FAILURE}));

}  // namespace
}  // namespace orvane::test
