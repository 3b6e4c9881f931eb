// The splitter's arithmetic: the reader's rate, sample time stamps, the buffer pool size, and
// the buffer wrapper's identity check.
#include "video/splitter/CEncapsulateSample.h"
#include "video/splitter/CWMFOutputPin.h"
#include "video/splitter/CWMFSplitterFlt.h"
#include "platform/dshow/CMediaType.h"

#include <gtest/gtest.h>

#include <amvideo.h>
#include <uuids.h>

#include <cmath>
#include <limits>

namespace {

TEST(SplitterRules, ReaderRateTable)
{
    const struct {
        double rate;
        float reader;
    } cases[] = {{2.0, 1.0f}, {0.5, 1.0f}, {9.99, 1.0f}, {1.0, 1.0f}, {0.0, 1.0f},
                 {10, 10.0f}, {12, 10.0f}, {-0.5, -1.0f}, {-3, -3.0f}, {-20, -10.0f}};
    for (const auto& c : cases) {
        EXPECT_EQ(CWMFSplitterFlt::ReaderRate(c.rate), c.reader) << c.rate;
    }
}

TEST(SplitterRules, StampTimeTable)
{
    const LONGLONG s = 10000000;
    const struct {
        LONGLONG time;
        LONGLONG start;
        double speed;
        double rate;
        LONGLONG stamp;
    } cases[] = {
        {16 * s, 10 * s, 1.5, 1.0, 4 * s},
        {16 * s + 3 * s / 10, 10 * s, 1.5, 1.0, 42000000},
        {16 * s, 10 * s, 0.0, 2.0, 3 * s},
        {16 * s + 3 * s / 10, 10 * s, 0.0, 2.0, 31500000},
        {9 * s, 10 * s, 0.0, 1.0, -s},  // before the start: negative, marked preroll later
        // A rate of 0 or not a number never divides: the stamp is taken at rate 1.
        {16 * s, 10 * s, 0.0, 0.0, 6 * s},
        {16 * s, 10 * s, std::numeric_limits<double>::quiet_NaN(), 0.0, 6 * s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CWMFSplitterFlt::StampTime(c.time, c.start, c.speed, c.rate), c.stamp)
            << c.time << " " << c.speed << " " << c.rate;
    }
}

CMediaType VideoType(LONGLONG frameTime)
{
    CMediaType type;
    type.majortype = MEDIATYPE_Video;
    type.formattype = FORMAT_VideoInfo;
    type.AllocFormatBuffer(sizeof(VIDEOINFOHEADER));
    reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat)->AvgTimePerFrame = frameTime;
    reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader.biSize =
        sizeof(BITMAPINFOHEADER);
    return type;
}

CMediaType AudioType(DWORD bytesPerSecond)
{
    CMediaType type;
    type.majortype = MEDIATYPE_Audio;
    type.formattype = FORMAT_WaveFormatEx;
    type.AllocFormatBuffer(sizeof(WAVEFORMATEX));
    reinterpret_cast<WAVEFORMATEX*>(type.pbFormat)->nAvgBytesPerSec = bytesPerSecond;
    return type;
}

TEST(SplitterRules, BufferCountTable)
{
    EXPECT_EQ(CWMFOutputPin::BufferCount(VideoType(333333), 1000, 1), 450);   // 30 fps
    EXPECT_EQ(CWMFOutputPin::BufferCount(VideoType(200000), 1000, 1), 512);   // 50 fps
    EXPECT_EQ(CWMFOutputPin::BufferCount(VideoType(0), 1000, 1), 375);        // no rate: 25
    EXPECT_EQ(CWMFOutputPin::BufferCount(VideoType(5000000), 1000, 1), 32);   // 2 fps
    EXPECT_EQ(CWMFOutputPin::BufferCount(AudioType(16000), 6400, 1), 75);
    EXPECT_EQ(CWMFOutputPin::BufferCount(AudioType(16000), 100, 1), 512);
    EXPECT_EQ(CWMFOutputPin::BufferCount(AudioType(16000), 0, 1), 75);
    CMediaType other;
    other.majortype = MEDIATYPE_Text;
    EXPECT_EQ(CWMFOutputPin::BufferCount(other, 100, 4), 32);
    EXPECT_EQ(CWMFOutputPin::BufferCount(other, 100, 1000), 512);
    // Huge samples: the pool stays within its byte budget instead of exhausting memory.
    EXPECT_EQ(CWMFOutputPin::BufferCount(VideoType(333333), 4 * 1024 * 1024, 1), 16);
}

// An INSSBuffer that is not the splitter's own.
class ForeignBuffer : public INSSBuffer {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_INSSBuffer) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetLength(DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetLength(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetMaxLength(DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP GetBuffer(BYTE**) override { return E_NOTIMPL; }
    STDMETHODIMP GetBufferAndLength(BYTE**, DWORD*) override { return E_NOTIMPL; }
    virtual ~ForeignBuffer() = default;
};

TEST(SplitterRules, ForeignBufferIsNotTakenForOurs)
{
    ForeignBuffer foreign;
    EXPECT_EQ(CEncapsulateSample::FromBuffer(&foreign), nullptr);
    EXPECT_EQ(CEncapsulateSample::FromBuffer(nullptr), nullptr);
    CEncapsulateSample* empty = new CEncapsulateSample(nullptr);
    EXPECT_EQ(CEncapsulateSample::FromBuffer(empty), empty);
    DWORD length = 0;
    EXPECT_EQ(empty->GetLength(&length), E_NOINTERFACE);
    EXPECT_EQ(empty->SetLength(1), E_NOINTERFACE);
    BYTE* data = nullptr;
    EXPECT_EQ(empty->GetBuffer(&data), E_NOINTERFACE);
    EXPECT_EQ(empty->Release(), 0u);
}

}  // namespace
