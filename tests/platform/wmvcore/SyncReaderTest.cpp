// The synchronous reader against ffprobe: the same samples (stream, time, size, key flag) for
// every fixture; ranges start at the key frame before the start; damaged files fail clearly.
#include <windows.h>
#include <wmsdk.h>
#include <nserror.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "tests/support/TestEnv.h"
#include "tests/platform/wmvcore/WmvTestSupport.h"

namespace orvane::test {
namespace {

class SyncReaderSamples : public testing::TestWithParam<const wchar_t*> {};

TEST_P(SyncReaderSamples, EqualFfprobesPacketList)
{
    IWMSyncReader* reader = OpenSync(GetParam());
    ASSERT_NE(reader, nullptr);
    const std::vector<WORD> numbers = StreamNumbers(reader);
    std::vector<SampleRow> expected = ExpectedSamples(GetParam(), numbers);
    for (WORD n : numbers) {
        EXPECT_EQ(reader->SetReadStreamSamples(n, TRUE), S_OK);
    }
    HRESULT end = S_OK;
    std::vector<SampleRow> actual = ReadAllSamples(reader, &end);
    EXPECT_EQ(end, NS_E_NO_MORE_SAMPLES);
    ASSERT_FALSE(expected.empty());
    std::stable_sort(expected.begin(), expected.end());
    std::stable_sort(actual.begin(), actual.end());
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        ASSERT_EQ(actual[i], expected[i])
            << "sample " << i << ": got stream " << actual[i].stream << " at " << actual[i].ms
            << " ms, " << actual[i].size << " bytes, key " << actual[i].key << "; expected stream "
            << expected[i].stream << " at " << expected[i].ms << " ms, " << expected[i].size
            << " bytes, key " << expected[i].key;
    }
    EXPECT_EQ(reader->Close(), S_OK);
    EXPECT_EQ(reader->Release(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, SyncReaderSamples,
                         testing::Values(L"sample.wmv", L"one-video.wmv", L"audio-only.wma"));

TEST(SyncReader, PerStreamReadingSkipsOtherStreams)
{
    IWMSyncReader* reader = OpenSync(L"sample.wmv");
    ASSERT_NE(reader, nullptr);
    const std::vector<WORD> numbers = StreamNumbers(reader);
    ASSERT_EQ(numbers.size(), 3u);
    std::vector<SampleRow> expected = ExpectedSamples(L"sample.wmv", numbers);
    expected.erase(std::remove_if(expected.begin(), expected.end(),
                                  [&](const SampleRow& r) { return r.stream != numbers[1]; }),
                   expected.end());
    std::vector<SampleRow> actual;
    for (;;) {
        INSSBuffer* buffer = nullptr;
        QWORD time = 0, duration = 0;
        DWORD flags = 0, output = 99;
        WORD stream = 0;
        if (FAILED(reader->GetNextSample(numbers[1], &buffer, &time, &duration, &flags, &output,
                                         &stream))) {
            break;
        }
        EXPECT_EQ(stream, numbers[1]);
        EXPECT_EQ(output, 1u);
        DWORD length = 0;
        buffer->GetLength(&length);
        buffer->Release();
        actual.push_back({stream, time / 10000, length, (flags & WM_SF_CLEANPOINT) != 0});
    }
    std::stable_sort(expected.begin(), expected.end());
    EXPECT_EQ(actual, expected);
    reader->Release();
}

TEST(SyncReader, RangeStartsAtTheKeyFrameBeforeTheStart)
{
    IWMSyncReader* reader = OpenSync(L"sample.wmv");
    ASSERT_NE(reader, nullptr);
    const std::vector<WORD> numbers = StreamNumbers(reader);
    const std::vector<SampleRow> all = ExpectedSamples(L"sample.wmv", numbers);
    const WORD camera = numbers[0];
    const unsigned long long startMs = 10000;
    // The camera's last key frame at or before the start, by ffprobe.
    unsigned long long keyMs = 0;
    for (const SampleRow& r : all) {
        if (r.stream == camera && r.key && r.ms <= startMs) {
            keyMs = std::max(keyMs, r.ms);
        }
    }
    ASSERT_EQ(reader->SetRange(startMs * 10000, 0), S_OK);
    std::vector<SampleRow> cameraRows;
    for (;;) {
        INSSBuffer* buffer = nullptr;
        QWORD time = 0, duration = 0;
        DWORD flags = 0;
        if (FAILED(reader->GetNextSample(camera, &buffer, &time, &duration, &flags, nullptr,
                                         nullptr))) {
            break;
        }
        DWORD length = 0;
        buffer->GetLength(&length);
        buffer->Release();
        cameraRows.push_back({camera, time / 10000, length, (flags & WM_SF_CLEANPOINT) != 0});
    }
    ASSERT_FALSE(cameraRows.empty());
    EXPECT_EQ(cameraRows.front().ms, keyMs);
    EXPECT_TRUE(cameraRows.front().key);
    size_t expectedCount = 0;
    for (const SampleRow& r : all) {
        expectedCount += r.stream == camera && r.ms >= keyMs;
    }
    EXPECT_EQ(cameraRows.size(), expectedCount);
    // A bounded range ends before its end time.
    ASSERT_EQ(reader->SetRange(5 * 10000000ull, 2 * 10000000ll), S_OK);
    HRESULT end = S_OK;
    for (const SampleRow& r : ReadAllSamples(reader, &end)) {
        EXPECT_LT(r.ms, 7000u);
    }
    EXPECT_EQ(end, NS_E_NO_MORE_SAMPLES);
    reader->Release();
}

TEST(SyncReader, FirstSampleOfEachStreamAfterARangeIsADiscontinuity)
{
    IWMSyncReader* reader = OpenSync(L"sample.wmv");
    ASSERT_NE(reader, nullptr);
    for (QWORD start : {0ull, 8 * 10000000ull}) {
        ASSERT_EQ(reader->SetRange(start, 0), S_OK);
        std::map<WORD, int> seen;
        for (int i = 0; i < 200; ++i) {
            INSSBuffer* buffer = nullptr;
            QWORD time = 0, duration = 0;
            DWORD flags = 0;
            WORD stream = 0;
            ASSERT_EQ(reader->GetNextSample(0, &buffer, &time, &duration, &flags, nullptr,
                                            &stream), S_OK);
            buffer->Release();
            const bool first = seen[stream]++ == 0;
            EXPECT_EQ((flags & WM_SF_DISCONTINUITY) != 0, first)
                << "stream " << stream << " sample " << seen[stream];
        }
        EXPECT_EQ(seen.size(), 3u);
    }
    reader->Release();
}

TEST(SyncReader, VideoDurationsReachTheNextFrame)
{
    IWMSyncReader* reader = OpenSync(L"sample.wmv");
    ASSERT_NE(reader, nullptr);
    const std::vector<WORD> numbers = StreamNumbers(reader);
    for (WORD video : {numbers[0], numbers[1]}) {
        ASSERT_EQ(reader->SetRange(0, 0), S_OK);
        std::vector<std::pair<QWORD, QWORD>> frames;  // time, duration
        for (;;) {
            INSSBuffer* buffer = nullptr;
            QWORD time = 0, duration = 0;
            DWORD flags = 0;
            if (FAILED(reader->GetNextSample(video, &buffer, &time, &duration, &flags, nullptr,
                                             nullptr))) {
                break;
            }
            buffer->Release();
            frames.emplace_back(time, duration);
        }
        ASSERT_GT(frames.size(), 2u);
        for (size_t i = 0; i + 1 < frames.size(); ++i) {
            ASSERT_EQ(frames[i].second, frames[i + 1].first - frames[i].first) << "frame " << i;
        }
        EXPECT_EQ(frames.back().second, frames[frames.size() - 2].second);
    }
    reader->Release();
}

TEST(SyncReader, MaxStreamSampleSizeCoversEverySample)
{
    IWMSyncReader* reader = OpenSync(L"sample.wmv");
    ASSERT_NE(reader, nullptr);
    const std::vector<WORD> numbers = StreamNumbers(reader);
    for (WORD n : numbers) {
        DWORD max = 0;
        ASSERT_EQ(reader->GetMaxStreamSampleSize(n, &max), S_OK);
        unsigned largest = 0;
        for (const SampleRow& r : ExpectedSamples(L"sample.wmv", numbers)) {
            if (r.stream == n) {
                largest = std::max(largest, r.size);
            }
        }
        EXPECT_EQ(max, largest) << "stream " << n;
    }
    DWORD max = 0;
    EXPECT_EQ(reader->GetMaxStreamSampleSize(42, &max), NS_E_INVALID_REQUEST);
    reader->Release();
}

TEST(SyncReader, OpenStreamReadsThroughTheApplicationsStream)
{
    IStream* stream = nullptr;
    ASSERT_EQ(SHCreateStreamOnFileW(MediaPath(L"one-video.wmv").c_str(), STGM_READ, &stream),
              S_OK);
    IWMSyncReader* reader = nullptr;
    ASSERT_EQ(Runtime().createSyncReader(nullptr, 0, &reader), S_OK);
    ASSERT_EQ(reader->OpenStream(stream), S_OK);
    HRESULT end = S_OK;
    const std::vector<SampleRow> rows = ReadAllSamples(reader, &end);
    EXPECT_EQ(end, NS_E_NO_MORE_SAMPLES);
    EXPECT_EQ(rows.size(), ExpectedSamples(L"one-video.wmv", StreamNumbers(reader)).size());
    EXPECT_EQ(reader->Close(), S_OK);
    reader->Release();
    EXPECT_EQ(stream->Release(), 0u);
}

struct DamagedCase {
    const wchar_t* file;
    HRESULT open;     // result of Open
    HRESULT reading;  // how reading ends when the open succeeds
};

class SyncReaderDamaged : public testing::TestWithParam<DamagedCase> {};

TEST_P(SyncReaderDamaged, FailsWithAClearResult)
{
    IWMSyncReader* reader = nullptr;
    ASSERT_EQ(Runtime().createSyncReader(nullptr, 0, &reader), S_OK);
    const HRESULT hr = reader->Open(MediaPath(GetParam().file).c_str());
    EXPECT_EQ(hr, GetParam().open);
    if (SUCCEEDED(hr)) {
        HRESULT end = S_OK;
        ReadAllSamples(reader, &end);
        EXPECT_EQ(end, GetParam().reading);
    } else {
        INSSBuffer* buffer = nullptr;
        QWORD t, d;
        DWORD f;
        EXPECT_EQ(reader->GetNextSample(0, &buffer, &t, &d, &f, nullptr, nullptr),
                  NS_E_INVALID_REQUEST);
        EXPECT_EQ(reader->Close(), NS_E_INVALID_REQUEST);
    }
    EXPECT_EQ(reader->Release(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SyncReaderDamaged,
    testing::Values(DamagedCase{L"damaged-zero.wmv", NS_E_INVALID_INPUT_FORMAT, S_OK},
                    DamagedCase{L"damaged-header-flipped.wmv", NS_E_INVALID_INPUT_FORMAT, S_OK},
                    DamagedCase{L"damaged-header-truncated.wmv", S_OK, NS_E_INVALID_DATA},
                    DamagedCase{L"damaged-data-truncated.wmv", S_OK, NS_E_INVALID_DATA},
                    DamagedCase{L"no-such-file.wmv", NS_E_FILE_NOT_FOUND, S_OK},
                    DamagedCase{L"tone.wav", NS_E_INVALID_INPUT_FORMAT, S_OK}));

TEST(SyncReader, CallsOutOfOrderAreRefused)
{
    IWMSyncReader* reader = nullptr;
    ASSERT_EQ(Runtime().createSyncReader(nullptr, 0, &reader), S_OK);
    EXPECT_EQ(reader->SetRange(0, 0), NS_E_INVALID_REQUEST);
    EXPECT_EQ(reader->Open(nullptr), E_INVALIDARG);
    ASSERT_EQ(reader->Open(MediaPath(L"sample.wmv").c_str()), S_OK);
    EXPECT_EQ(reader->Open(MediaPath(L"sample.wmv").c_str()), NS_E_INVALID_REQUEST);
    EXPECT_EQ(reader->SetRange(0, -1), E_INVALIDARG);
    EXPECT_EQ(reader->SetReadStreamSamples(9, TRUE), NS_E_INVALID_REQUEST);
    reader->Release();
}

}  // namespace
}  // namespace orvane::test
