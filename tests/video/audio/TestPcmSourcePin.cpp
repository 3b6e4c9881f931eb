// The test source's pin and its push thread.
#include "tests/video/audio/TestPcmSourcePin.h"

#include <cmath>
#include <cstring>
#include <numbers>

TestPcmSourcePin::TestPcmSourcePin(CBaseFilter* filter, CCritSec* lock,
                                   const WAVEFORMATEX& format, double seconds, HRESULT* phr)
    : CBaseOutputPin(L"PCM source pin", filter, lock, phr, L"Out"),
      m_format(format),
      m_totalFrames(static_cast<long long>(seconds * format.nSamplesPerSec))
{
}

TestPcmSourcePin::~TestPcmSourcePin()
{
    StopThread();
}

HRESULT TestPcmSourcePin::CheckMediaType(const CMediaType* pmt)
{
    CMediaType mine;
    GetMediaType(0, &mine);
    return pmt && *pmt == mine ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT TestPcmSourcePin::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (iPosition != 0) {
        return iPosition < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS;
    }
    pMediaType->InitMediaType();
    pMediaType->SetType(&MEDIATYPE_Audio);
    pMediaType->SetSubtype(&MEDIASUBTYPE_PCM);
    pMediaType->SetFormatType(&FORMAT_WaveFormatEx);
    pMediaType->SetSampleSize(m_format.nBlockAlign);
    pMediaType->SetFormat(reinterpret_cast<const BYTE*>(&m_format), sizeof(m_format));
    return S_OK;
}

HRESULT TestPcmSourcePin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProp)
{
    pProp->cBuffers = 4;
    pProp->cbBuffer = static_cast<long>(m_format.nAvgBytesPerSec / 20);
    ALLOCATOR_PROPERTIES actual{};
    return pAlloc->SetProperties(pProp, &actual);
}

HRESULT TestPcmSourcePin::Active()
{
    const HRESULT hr = CBaseOutputPin::Active();
    if (SUCCEEDED(hr)) {
        m_nextFrame = 0;
        m_segmentFrame = 0;
        m_timeBase = 0;
        StartThread();
    }
    return hr;
}

HRESULT TestPcmSourcePin::Inactive()
{
    m_stop = true;
    const HRESULT hr = CBaseOutputPin::Inactive();  // wakes a GetDeliveryBuffer wait
    StopThread();
    return hr;
}

void TestPcmSourcePin::StartThread()
{
    m_stop = false;
    m_thread = CreateThread(nullptr, 0, ThreadEntry, this, 0, nullptr);
}

void TestPcmSourcePin::StopThread()
{
    m_stop = true;
    if (m_thread) {
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
}

DWORD WINAPI TestPcmSourcePin::ThreadEntry(void* self)
{
    static_cast<TestPcmSourcePin*>(self)->Push();
    return 0;
}

void TestPcmSourcePin::Fill(BYTE* data, long bytes, long long firstFrame) const
{
    const long frames = bytes / m_format.nBlockAlign;
    for (long f = 0; f < frames; ++f) {
        const double t = static_cast<double>(firstFrame + f) / m_format.nSamplesPerSec;
        const bool burst = firstFrame + f >= m_totalFrames - m_burstFrames;
        const double v = burst ? 0.95 * std::sin(2 * std::numbers::pi * 1000.0 * t)
                               : 0.5 * std::sin(2 * std::numbers::pi * 330.0 * t);
        for (int c = 0; c < m_format.nChannels; ++c) {
            if (m_format.wBitsPerSample == 8) {
                *data++ = static_cast<BYTE>(128 + static_cast<int>(v * 127));
            } else {
                const int16_t s = static_cast<int16_t>(v * 32767);
                std::memcpy(data, &s, 2);
                data += 2;
            }
        }
    }
}

void TestPcmSourcePin::Push()
{
    const long chunkFrames = static_cast<long>(m_format.nSamplesPerSec / 20);
    while (!m_stop && m_nextFrame < m_totalFrames) {
        IMediaSample* sample = nullptr;
        if (FAILED(GetDeliveryBuffer(&sample, nullptr, nullptr, 0)) || !sample) {
            return;
        }
        const long long frames = std::min<long long>(chunkFrames, m_totalFrames - m_nextFrame);
        const long bytes = static_cast<long>(frames * m_format.nBlockAlign);
        BYTE* data = nullptr;
        sample->GetPointer(&data);
        Fill(data, bytes, m_nextFrame);
        sample->SetActualDataLength(bytes);
        const long long rate = m_format.nSamplesPerSec;
        REFERENCE_TIME start = m_timeBase + (m_nextFrame - m_segmentFrame) * 10000000LL / rate;
        REFERENCE_TIME stop = start + frames * 10000000LL / rate;
        sample->SetTime(m_untimed ? nullptr : &start, m_untimed ? nullptr : &stop);
        sample->SetSyncPoint(TRUE);
        const HRESULT hr = Deliver(sample);
        sample->Release();
        if (FAILED(hr)) {
            // Like a real source: on an error downstream, end the stream so playback ends.
            DeliverEndOfStream();
            return;
        }
        if (hr != S_OK) {
            // Downstream stopped taking data (flush or stop): the seek or the state change
            // decides what happens next.
            return;
        }
        m_delivered += bytes;
        m_nextFrame += frames;
    }
    if (!m_stop) {
        DeliverEndOfStream();
    }
}

void TestPcmSourcePin::Seek(double seconds)
{
    m_stop = true;
    DeliverBeginFlush();
    StopThread();
    DeliverEndFlush();
    CRefTime now;
    if (FAILED(m_pFilter->StreamTime(now))) {
        now = CRefTime();
    }
    m_segmentFrame = m_nextFrame = static_cast<long long>(seconds * m_format.nSamplesPerSec);
    m_timeBase = now.m_time + 1000000;  // 100 ms ahead: in time for the renderer
    StartThread();
}
