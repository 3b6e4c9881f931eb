// A sink filter with one input pin that takes any media type and records what arrives: the
// samples' times and flags, new segments, flushes and the end of stream, which it passes to
// the graph as EC_COMPLETE like a renderer.
#pragma once

#include "platform/dshow/CBaseFilter.h"
#include "platform/dshow/CBaseInputPin.h"

#include <mutex>
#include <vector>

struct SinkSample {
    LONGLONG start = 0;
    LONGLONG stop = 0;
    bool hasTime = false;
    bool sync = false;
    bool discontinuity = false;
    bool preroll = false;
    long length = 0;
    LONGLONG mediaStart = -1;
    LONGLONG mediaStop = -1;
};

class TestSinkFilter;

class TestSinkPin : public CBaseInputPin {
public:
    TestSinkPin(TestSinkFilter* filter, CCritSec* lock);
    HRESULT CheckMediaType(const CMediaType* type) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

private:
    TestSinkFilter* m_sink;
};

class TestSinkFilter : public CBaseFilter {
public:
    TestSinkFilter();
    ~TestSinkFilter() override;
    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override;

    void Record(const SinkSample& sample);
    void RecordEndOfStream();
    void RecordFlush();
    void RecordSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);
    void Clear();

    std::vector<SinkSample> Samples();
    int EndOfStreams();
    int Flushes();
    std::vector<REFERENCE_TIME> SegmentStarts();
    // Waits until the end of stream arrived; false after the time-out.
    bool WaitEndOfStream(DWORD milliseconds);

private:
    CCritSec m_lock;
    TestSinkPin* m_pin;
    std::mutex m_recordLock;
    std::vector<SinkSample> m_samples;
    std::vector<REFERENCE_TIME> m_segmentStarts;
    int m_endOfStreams = 0;
    int m_flushes = 0;
    HANDLE m_endEvent;
};
