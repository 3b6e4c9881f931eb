// Transform filter that plays PCM audio at another speed with its pitch kept: converts the
// input to floats, runs the time-stretch, and delivers the result in buffers of up to 100 ms
// with time stamps of its own, continuous from the first input sample's start time.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "video/audio/IAudioFilterSink.h"
#include "WinNT_SP/Include_VS2005/AUDIO_DSP/SoundSpeed.h"
#include "platform/dshow/streams.h"

class CSoundSpeedFlt : public CTransformFilter {
public:
    // A new filter holding one reference (the creator's); null with *phr set on failure.
    // expectedType: the uncompressed PCM type the filter is meant for; sink may be null.
    static CSoundSpeedFlt* Create(double speed, const AM_MEDIA_TYPE& expectedType,
                                  IAudioFilterSink* sink, HRESULT* phr);
    ~CSoundSpeedFlt() override;

    HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override;
    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pprop) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    HRESULT StartStreaming() override;
    HRESULT StopStreaming() override;
    HRESULT SetMediaType(PIN_DIRECTION direction, const CMediaType* pmt) override;
    HRESULT Receive(IMediaSample* pSample) override;
    HRESULT EndOfStream() override;
    HRESULT BeginFlush() override;
    HRESULT EndFlush() override;

    // Start time of the next output buffer (100 ns), for the playback position below speed 1.
    REFERENCE_TIME GetNextOutputTime() const { return m_nextOutputTime.load(); }

    // Whether the PCM format is one the conversion handles: PCM, 1-2 channels, 8 or 16 bits,
    // 4000-192000 Hz, consistent block alignment and byte rate, format block large enough.
    static bool IsSupportedPcm(const AM_MEDIA_TYPE& type);
    // Output conversions: clamped to the range of the format, halves rounded toward zero.
    static BYTE FloatToPcm8(float v);
    static int16_t FloatToPcm16(float v);

private:
    CSoundSpeedFlt(double speed, IAudioFilterSink* sink, HRESULT* phr);

    HRESULT ProcessSample(IMediaSample* pSample);
    HRESULT ReceiveIfNeed();
    // Starts the time-stretch from scratch; the next input's start time begins the output.
    HRESULT RestartStretch();
    void ReportFailure(const wchar_t* step, HRESULT hr, unsigned line);
    const WAVEFORMATEX* Format() const;
    void FreeFloatBuffer();

    IAudioFilterSink* m_sink;          // not owned
    CCritSec m_errorLock;              // guards m_lastErrorText and the report
    std::wstring m_lastErrorText;
    CMediaType m_expectedType;
    CMediaType m_connectedType;        // the input connection's type, offered for the output
    double m_speed;
    volatile LONG m_notDelivering = 1;  // 1: no output until streaming (re)starts
    // Set by the end of a flush while not stopped: the next sample restarts the stretch.
    volatile LONG m_restartOnData = 0;
    LONG m_takeStartTime = 1;          // next input start time becomes m_nextOutputTime
    std::atomic<REFERENCE_TIME> m_nextOutputTime{0};
    // Conversion buffer for input and output: one output buffer's worth of values.
    std::vector<float> m_floatBuffer;
    SoundSpeed m_soundSpeed;
};
