// The asynchronous reader under a user clock, as the file splitter drives it: the same samples
// as ffprobe, never beyond the delivery limit, the runtime's status order, a stop and restart at
// a new position, the application's own buffers, and the refusals.
#include <windows.h>
#include <wmsdk.h>
#include <nserror.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/platform/wmvcore/ReaderCallbackRecorder.h"
#include "tests/support/TestEnv.h"
#include "tests/platform/wmvcore/WmvTestSupport.h"

namespace orvane::test {
namespace {

constexpr QWORD kSecond = 10000000;

class AsyncReaderTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Runtime().createReader, nullptr);
        ASSERT_EQ(Runtime().createReader(nullptr, 0, &reader_), S_OK);
        ASSERT_EQ(reader_->QueryInterface(IID_IWMReaderAdvanced2,
                                          reinterpret_cast<void**>(&advanced_)), S_OK);
    }
    void TearDown() override
    {
        if (advanced_ != nullptr) {
            advanced_->Release();
        }
        if (reader_ != nullptr) {
            reader_->Release();
        }
        // The reader's thread lets go of the callback just after the closed status.
        for (int i = 0; i < 200 && callback_.References() != 0; ++i) {
            Sleep(10);
        }
        EXPECT_EQ(callback_.ProtocolFaults(), 0);
        EXPECT_EQ(callback_.References(), 0u) << "the reader must release its callback";
    }

    // Opens with manual selection, compressed stream samples and a user clock, as the splitter.
    void OpenLikeTheSplitter(const wchar_t* fixture, QWORD step, bool ownBuffers)
    {
        callback_.Drive(reader_, step);
        callback_.UseOwnBuffers(ownBuffers);
        ASSERT_EQ(reader_->Open(MediaPath(fixture).c_str(), &callback_, nullptr), S_OK);
        ASSERT_TRUE(callback_.WaitFor(WMT_OPENED));
        ASSERT_EQ(callback_.ResultOf(WMT_OPENED), S_OK);
        ASSERT_EQ(advanced_->SetManualStreamSelection(TRUE), S_OK);
        numbers_ = StreamNumbers(reader_);
        for (WORD n : numbers_) {
            WMT_STREAM_SELECTION selection = WMT_OFF;
            EXPECT_EQ(advanced_->GetStreamSelected(n, &selection), S_OK);
            EXPECT_EQ(selection, WMT_ON);
            EXPECT_EQ(advanced_->SetReceiveStreamSamples(n, TRUE), S_OK);
            EXPECT_EQ(advanced_->SetAllocateForStream(n, ownBuffers), S_OK);
        }
        ASSERT_EQ(advanced_->SetUserProvidedClock(TRUE), S_OK);
    }

    IWMReader* reader_ = nullptr;
    IWMReaderAdvanced2* advanced_ = nullptr;
    ReaderCallbackRecorder callback_;
    std::vector<WORD> numbers_;
};

TEST_F(AsyncReaderTest, UserClockDeliversFfprobesSamplesInTimeOrder)
{
    OpenLikeTheSplitter(L"sample.wmv", kSecond / 2, true);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_END_OF_STREAMING));
    std::vector<SampleRow> actual = callback_.Samples();
    EXPECT_FALSE(callback_.SampleBeyondLimit());
    EXPECT_EQ(callback_.ForeignBuffers(), 0);
    EXPECT_EQ(callback_.OwnBuffersHandedOut(), static_cast<int>(actual.size()));
    // Each stream arrives in time order.
    for (WORD n : numbers_) {
        unsigned long long last = 0;
        for (const SampleRow& r : actual) {
            if (r.stream == n) {
                EXPECT_GE(r.ms, last);
                last = r.ms;
            }
        }
    }
    std::vector<SampleRow> expected = ExpectedSamples(L"sample.wmv", numbers_);
    std::stable_sort(expected.begin(), expected.end());
    std::stable_sort(actual.begin(), actual.end());
    EXPECT_EQ(actual, expected);

    ASSERT_EQ(reader_->Stop(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_STOPPED));
    ASSERT_EQ(reader_->Close(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_CLOSED));
    const std::vector<WMT_STATUS> order = {WMT_OPENED, WMT_STARTED, WMT_EOF,
                                           WMT_END_OF_STREAMING, WMT_STOPPED, WMT_CLOSED};
    EXPECT_EQ(callback_.Statuses(), order);
}

TEST_F(AsyncReaderTest, StopAndRestartAtANewPosition)
{
    OpenLikeTheSplitter(L"sample.wmv", kSecond, false);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_STARTED));
    ASSERT_EQ(reader_->Stop(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_STOPPED));
    callback_.ClearSamples();

    // Only the camera from 12 s on.
    WORD others[] = {numbers_[1], numbers_[2]};
    WMT_STREAM_SELECTION off[] = {WMT_OFF, WMT_OFF};
    ASSERT_EQ(advanced_->SetStreamsSelected(2, others, off), S_OK);
    ASSERT_EQ(reader_->Start(12 * kSecond, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_END_OF_STREAMING));
    const std::vector<SampleRow> samples = callback_.Samples();
    ASSERT_FALSE(samples.empty());
    EXPECT_TRUE(samples.front().key);
    EXPECT_LE(samples.front().ms, 12000u);
    EXPECT_GT(samples.front().ms, 10000u);
    for (const SampleRow& r : samples) {
        EXPECT_EQ(r.stream, numbers_[0]);
    }
    const std::vector<WMT_STATUS> order = {WMT_STARTED, WMT_EOF, WMT_END_OF_STREAMING};
    EXPECT_EQ(callback_.Statuses(), order);
    ASSERT_EQ(reader_->Close(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_CLOSED));
}

TEST_F(AsyncReaderTest, WithoutDeliverTimeNothingIsDelivered)
{
    OpenLikeTheSplitter(L"one-video.wmv", 0, false);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_STARTED));
    Sleep(300);
    for (const SampleRow& r : callback_.Samples()) {
        EXPECT_EQ(r.ms, 0u) << "only samples at time 0 fit a limit of 0";
    }
    ASSERT_EQ(advanced_->DeliverTime(2 * kSecond), S_OK);
    Sleep(300);
    const std::vector<SampleRow> samples = callback_.Samples();
    ASSERT_FALSE(samples.empty());
    for (const SampleRow& r : samples) {
        EXPECT_LE(r.ms, 2000u);
    }
    ASSERT_EQ(reader_->Close(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_CLOSED));
}

TEST_F(AsyncReaderTest, RealTimeClockPlaysAShortRangeInAboutItsDuration)
{
    callback_.Drive(reader_, 0);
    ASSERT_EQ(reader_->Open(MediaPath(L"one-video.wmv").c_str(), &callback_, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_OPENED));
    for (WORD n : StreamNumbers(reader_)) {
        ASSERT_EQ(advanced_->SetReceiveStreamSamples(n, TRUE), S_OK);
    }
    const DWORD began = GetTickCount();
    ASSERT_EQ(reader_->Start(1 * kSecond, kSecond / 2, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_END_OF_STREAMING));
    const DWORD took = GetTickCount() - began;
    EXPECT_GE(took, 300u) << "samples must be paced by the clock";
    for (const SampleRow& r : callback_.Samples()) {
        EXPECT_LT(r.ms, 1500u);
    }
    ASSERT_EQ(reader_->Close(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_CLOSED));
}

TEST_F(AsyncReaderTest, RapidStartsAndStopsEachGetTheirStatus)
{
    OpenLikeTheSplitter(L"sample.wmv", kSecond / 4, true);
    constexpr int kRounds = 25;
    for (int i = 0; i < kRounds; ++i) {
        ASSERT_EQ(reader_->Start(QWORD(i % 19) * kSecond, 0, 1.0f, nullptr), S_OK);
        if (i % 3 == 0) {
            Sleep(1);
        }
        ASSERT_EQ(reader_->Stop(), S_OK);
    }
    ASSERT_EQ(reader_->Close(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_CLOSED));
    const std::vector<WMT_STATUS> statuses = callback_.Statuses();
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), WMT_STOPPED), kRounds);
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), WMT_CLOSED), 1);
    EXPECT_EQ(statuses.back(), WMT_CLOSED);
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), WMT_ERROR), 0);
}

TEST_F(AsyncReaderTest, OpenStreamPlaysThroughTheApplicationsStream)
{
    IStream* stream = nullptr;
    ASSERT_EQ(SHCreateStreamOnFileW(MediaPath(L"one-video.wmv").c_str(), STGM_READ, &stream),
              S_OK);
    callback_.Drive(reader_, kSecond);
    ASSERT_EQ(advanced_->OpenStream(stream, &callback_, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_OPENED));
    ASSERT_EQ(callback_.ResultOf(WMT_OPENED), S_OK);
    numbers_ = StreamNumbers(reader_);
    for (WORD n : numbers_) {
        ASSERT_EQ(advanced_->SetReceiveStreamSamples(n, TRUE), S_OK);
    }
    ASSERT_EQ(advanced_->SetUserProvidedClock(TRUE), S_OK);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_END_OF_STREAMING));
    std::vector<SampleRow> actual = callback_.Samples();
    std::vector<SampleRow> expected = ExpectedSamples(L"one-video.wmv", numbers_);
    std::stable_sort(actual.begin(), actual.end());
    std::stable_sort(expected.begin(), expected.end());
    EXPECT_EQ(actual, expected);
    ASSERT_EQ(reader_->Close(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_CLOSED));
    // Closed readers hold no reference to the application's stream.
    EXPECT_EQ(stream->Release(), 0u);
}

TEST_F(AsyncReaderTest, OpensAgainAfterTheClosedStatus)
{
    callback_.Drive(reader_, 0);
    for (const wchar_t* name : {L"one-video.wmv", L"audio-only.wma"}) {
        callback_.ClearSamples();
        ASSERT_EQ(reader_->Open(MediaPath(name).c_str(), &callback_, nullptr), S_OK);
        ASSERT_TRUE(callback_.WaitFor(WMT_OPENED));
        EXPECT_EQ(callback_.ResultOf(WMT_OPENED), S_OK);
        EXPECT_EQ(StreamNumbers(reader_).size(), name[0] == L'o' ? 2u : 1u);
        ASSERT_EQ(reader_->Close(), S_OK);
        ASSERT_TRUE(callback_.WaitFor(WMT_CLOSED));
    }
}

TEST_F(AsyncReaderTest, OpenFailuresArriveAsTheOpenedStatus)
{
    callback_.Drive(reader_, 0);
    ASSERT_EQ(reader_->Open(MediaPath(L"damaged-header-flipped.wmv").c_str(), &callback_, nullptr),
              S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_OPENED));
    EXPECT_EQ(callback_.ResultOf(WMT_OPENED), NS_E_INVALID_INPUT_FORMAT);
    ASSERT_EQ(reader_->Close(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_CLOSED));
}

TEST_F(AsyncReaderTest, TruncatedDataEndsWithAnError)
{
    OpenLikeTheSplitter(L"damaged-data-truncated.wmv", 100 * kSecond, false);
    ASSERT_EQ(reader_->Start(0, 0, 1.0f, nullptr), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_ERROR));
    EXPECT_EQ(callback_.ResultOf(WMT_ERROR), NS_E_INVALID_DATA);
    EXPECT_FALSE(callback_.Samples().empty());
    ASSERT_EQ(reader_->Close(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_CLOSED));
}

TEST_F(AsyncReaderTest, CallsOutOfOrderAreRefused)
{
    EXPECT_EQ(reader_->Start(0, 0, 1.0f, nullptr), NS_E_INVALID_REQUEST);
    EXPECT_EQ(reader_->Stop(), NS_E_INVALID_REQUEST);
    EXPECT_EQ(reader_->Close(), NS_E_INVALID_REQUEST);
    EXPECT_EQ(reader_->Open(L"rtsp://127.0.0.1/x.wmv", &callback_, nullptr),
              NS_E_UNKNOWN_PROTOCOL);
    EXPECT_EQ(reader_->Open(L"https://127.0.0.1/x.wmv", &callback_, nullptr),
              NS_E_UNKNOWN_PROTOCOL);
    EXPECT_EQ(reader_->Open(MediaPath(L"sample.wmv").c_str(), nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(advanced_->DeliverTime(kSecond), NS_E_INVALID_REQUEST) << "no user clock yet";
    ASSERT_EQ(reader_->Open(MediaPath(L"sample.wmv").c_str(), &callback_, nullptr), S_OK);
    EXPECT_EQ(reader_->Open(MediaPath(L"sample.wmv").c_str(), &callback_, nullptr),
              NS_E_INVALID_REQUEST);
    ASSERT_TRUE(callback_.WaitFor(WMT_OPENED));
    EXPECT_EQ(reader_->Start(0, 0, -1.0f, nullptr), E_INVALIDARG);
    EXPECT_EQ(advanced_->SetReceiveStreamSamples(99, TRUE), NS_E_INVALID_REQUEST);
    ASSERT_EQ(reader_->Close(), S_OK);
    ASSERT_TRUE(callback_.WaitFor(WMT_CLOSED));
}

}  // namespace
}  // namespace orvane::test
