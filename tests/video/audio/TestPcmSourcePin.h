// Output pin of the test PCM source: offers one PCM type, and while active a worker thread
// pushes a generated tone in 50 ms samples, then end of stream. Seek flushes downstream and
// restarts the push from another position, as a seek in a player graph does.
#pragma once

#include <atomic>

#include "platform/dshow/streams.h"

class TestPcmSourcePin : public CBaseOutputPin {
public:
    TestPcmSourcePin(CBaseFilter* filter, CCritSec* lock, const WAVEFORMATEX& format,
                     double seconds, HRESULT* phr);
    ~TestPcmSourcePin() override;

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProp) override;
    HRESULT Active() override;
    HRESULT Inactive() override;

    // Flushes downstream and pushes again from `seconds` into the tone; the new samples are
    // stamped from the current stream time on, so the renderer plays them at once.
    void Seek(double seconds);
    // The last `seconds` of the stream become a louder, higher marker tone (set before Run).
    void SetEndBurst(double seconds)
    {
        m_burstFrames = static_cast<long long>(seconds * m_format.nSamplesPerSec);
    }
    // Samples without time stamps (a broken upstream) when set before the graph runs.
    void SetUntimed(bool untimed) { m_untimed = untimed; }
    // Bytes of PCM delivered so far (all segments).
    long long DeliveredBytes() const { return m_delivered.load(); }

private:
    static DWORD WINAPI ThreadEntry(void* self);
    void Push();
    void StartThread();
    void StopThread();
    void Fill(BYTE* data, long bytes, long long firstFrame) const;

    WAVEFORMATEX m_format;
    long long m_totalFrames;
    long long m_nextFrame = 0;           // worker's position in the tone
    REFERENCE_TIME m_timeBase = 0;       // stream time of m_segmentFrame
    long long m_segmentFrame = 0;        // frame at which the current segment started
    bool m_untimed = false;
    long long m_burstFrames = 0;
    HANDLE m_thread = nullptr;
    std::atomic<bool> m_stop{false};
    std::atomic<long long> m_delivered{0};
};
