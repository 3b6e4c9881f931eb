// Input pin of the test sink: records every sample, segment, flush and end of stream in
// arrival order, and can hold samples (like a paused renderer), slow down, refuse foreign
// allocators or state allocator requirements.
#pragma once

#include "platform/dshow/streams.h"

#include <vector>

class TestSinkFilter;

struct SinkEvent {
    enum Kind { Sample, Dropped, NewSegment, EndOfStream, BeginFlush, EndFlush };
    Kind kind;
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    bool timeValid = false;
    bool discontinuity = false;
    LONG length = 0;
    short firstValue = 0;   // channel 0 of the first frame (16-bit types)
    short lastValue = 0;    // channel 0 of the last frame
    LONGLONG mediaStart = -1;
};

class TestSinkPin : public CBaseInputPin {
public:
    TestSinkPin(TestSinkFilter* pFilter, CCritSec* pLock, HRESULT* phr);
    ~TestSinkPin() override;

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* pProps) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* pAllocator, BOOL bReadOnly) override;
    HRESULT Inactive() override;

    // Settings, before connecting or streaming.
    void AcceptChannels(WORD channels) { m_channels = channels; }
    void HoldSamples(int count) { m_holdCount = count; }
    void SetDelay(DWORD ms) { m_delayMs = ms; }
    void InsistOnOwnAllocator(bool insist) { m_insistOwn = insist; }
    void SetRequirements(const ALLOCATOR_PROPERTIES& props) { m_requirements = props; }
    void SetQueueMode(HRESULT canBlock) { m_canBlock = canBlock; }
    // End of stream returns only once this event is set, as a renderer that lets its sound
    // play out first; a flush does not release it.
    void HoldEndOfStream(HANDLE release) { m_endOfStreamGate = release; }
    STDMETHODIMP ReceiveCanBlock() override { return m_canBlock; }

    std::vector<SinkEvent> Events();
    int CountOf(SinkEvent::Kind kind);
    void ReleaseHeld();

private:
    void Record(const SinkEvent& event);

    CCritSec m_recordLock;
    std::vector<SinkEvent> m_events;
    std::vector<IMediaSample*> m_held;
    WORD m_channels = 0;       // 0: any PCM type
    int m_holdCount = 0;
    DWORD m_delayMs = 0;
    bool m_insistOwn = false;
    ALLOCATOR_PROPERTIES m_requirements{};
    HRESULT m_canBlock = S_OK;
    HANDLE m_endOfStreamGate = nullptr;  // owned by the test
    IMemAllocator* m_pOwnAllocator = nullptr;  // not counted: compared only
};
