// Test sink pin: a recorder of what arrives, in order.
#include "tests/platform/dshow/TestSinkPin.h"

#include <cstring>

#include "tests/platform/dshow/TestMediaTypes.h"
#include "tests/platform/dshow/TestSinkFilter.h"

TestSinkPin::TestSinkPin(TestSinkFilter* pFilter, CCritSec* pLock, HRESULT* phr)
    : CBaseInputPin(L"Test sink pin", pFilter, pLock, phr, L"In")
{
}

TestSinkPin::~TestSinkPin()
{
    ReleaseHeld();
}

HRESULT TestSinkPin::CheckMediaType(const CMediaType* pmt)
{
    if (*pmt->Type() != MEDIATYPE_Audio || *pmt->Subtype() != MEDIASUBTYPE_PCM ||
        *pmt->FormatType() != FORMAT_WaveFormatEx || pmt->FormatLength() < sizeof(PCMWAVEFORMAT)) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    if (m_channels != 0 && dshowtest::Wave(*pmt)->nChannels != m_channels) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    return S_OK;
}

HRESULT TestSinkPin::GetMediaType(int, CMediaType*)
{
    return VFW_S_NO_MORE_ITEMS;
}

void TestSinkPin::Record(const SinkEvent& event)
{
    CAutoLock lock(&m_recordLock);
    m_events.push_back(event);
}

std::vector<SinkEvent> TestSinkPin::Events()
{
    CAutoLock lock(&m_recordLock);
    return m_events;
}

int TestSinkPin::CountOf(SinkEvent::Kind kind)
{
    CAutoLock lock(&m_recordLock);
    int count = 0;
    for (const SinkEvent& event : m_events) {
        count += event.kind == kind ? 1 : 0;
    }
    return count;
}

void TestSinkPin::ReleaseHeld()
{
    std::vector<IMediaSample*> held;
    {
        CAutoLock lock(&m_recordLock);
        held.swap(m_held);
    }
    for (IMediaSample* sample : held) {
        sample->Release();
    }
}

STDMETHODIMP TestSinkPin::Receive(IMediaSample* pSample)
{
    const HRESULT hr = CBaseInputPin::Receive(pSample);
    if (hr != S_OK) {
        Record(SinkEvent{SinkEvent::Dropped});
        return hr;
    }
    SinkEvent event{SinkEvent::Sample};
    event.timeValid = SUCCEEDED(pSample->GetTime(&event.start, &event.stop));
    event.discontinuity = pSample->IsDiscontinuity() == S_OK;
    event.length = pSample->GetActualDataLength();
    LONGLONG mediaStop = 0;
    if (pSample->GetMediaTime(&event.mediaStart, &mediaStop) != S_OK) {
        event.mediaStart = -1;
    }
    BYTE* data = nullptr;
    const WAVEFORMATEX* format = dshowtest::Wave(m_mt);
    if (SUCCEEDED(pSample->GetPointer(&data)) && format && event.length >= 2 &&
        format->wBitsPerSample == 16) {
        std::memcpy(&event.firstValue, data, sizeof(short));
        std::memcpy(&event.lastValue, data + event.length - format->nBlockAlign, sizeof(short));
    }
    Record(event);
    {
        CAutoLock lock(&m_recordLock);
        if (static_cast<int>(m_held.size()) < m_holdCount) {
            pSample->AddRef();
            m_held.push_back(pSample);
        }
    }
    if (m_delayMs) {
        Sleep(m_delayMs);
    }
    return S_OK;
}

STDMETHODIMP TestSinkPin::EndOfStream()
{
    const HRESULT hr = CheckStreaming();
    if (hr != S_OK) {
        return hr;
    }
    Record(SinkEvent{SinkEvent::EndOfStream});
    if (m_endOfStreamGate != nullptr) {
        WaitForSingleObject(m_endOfStreamGate, INFINITE);
    }
    static_cast<TestSinkFilter*>(m_pFilter)->OnEndOfStream();
    return S_OK;
}

STDMETHODIMP TestSinkPin::BeginFlush()
{
    CBaseInputPin::BeginFlush();
    Record(SinkEvent{SinkEvent::BeginFlush});
    ReleaseHeld();
    static_cast<TestSinkFilter*>(m_pFilter)->OnFlush();
    return S_OK;
}

STDMETHODIMP TestSinkPin::EndFlush()
{
    Record(SinkEvent{SinkEvent::EndFlush});
    return CBaseInputPin::EndFlush();
}

STDMETHODIMP TestSinkPin::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    SinkEvent event{SinkEvent::NewSegment};
    event.start = tStart;
    event.stop = tStop;
    Record(event);
    return CBaseInputPin::NewSegment(tStart, tStop, dRate);
}

STDMETHODIMP TestSinkPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES* pProps)
{
    if (!pProps) {
        return E_POINTER;
    }
    if (m_requirements.cBuffers == 0 && m_requirements.cbBuffer == 0 &&
        m_requirements.cbAlign == 0) {
        return E_NOTIMPL;
    }
    *pProps = m_requirements;
    return S_OK;
}

STDMETHODIMP TestSinkPin::NotifyAllocator(IMemAllocator* pAllocator, BOOL bReadOnly)
{
    if (m_insistOwn && (!m_pAllocator || pAllocator != m_pAllocator)) {
        return E_FAIL;
    }
    return CBaseInputPin::NotifyAllocator(pAllocator, bReadOnly);
}

HRESULT TestSinkPin::Inactive()
{
    ReleaseHeld();
    return CBaseInputPin::Inactive();
}
