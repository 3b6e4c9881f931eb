// The recording sink filter of the splitter tests.
#include "tests/video/splitter/TestSinkFilter.h"

#include <vfwmsgs.h>
#include <evcode.h>

TestSinkPin::TestSinkPin(TestSinkFilter* filter, CCritSec* lock)
    : CBaseInputPin(L"TestSinkPin", filter, lock, nullptr, L"In"), m_sink(filter)
{
}

HRESULT TestSinkPin::CheckMediaType(const CMediaType*)
{
    return S_OK;
}

STDMETHODIMP TestSinkPin::Receive(IMediaSample* sample)
{
    HRESULT hr = CBaseInputPin::Receive(sample);
    if (hr != S_OK) {
        return hr;
    }
    SinkSample s;
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    s.hasTime = SUCCEEDED(sample->GetTime(&start, &stop));
    s.start = start;
    s.stop = stop;
    s.sync = sample->IsSyncPoint() == S_OK;
    s.discontinuity = sample->IsDiscontinuity() == S_OK;
    s.preroll = sample->IsPreroll() == S_OK;
    s.length = sample->GetActualDataLength();
    LONGLONG m0 = -1;
    LONGLONG m1 = -1;
    if (SUCCEEDED(sample->GetMediaTime(&m0, &m1))) {
        s.mediaStart = m0;
        s.mediaStop = m1;
    }
    m_sink->Record(s);
    return S_OK;
}

STDMETHODIMP TestSinkPin::EndOfStream()
{
    m_sink->RecordEndOfStream();
    return S_OK;
}

STDMETHODIMP TestSinkPin::BeginFlush()
{
    m_sink->RecordFlush();
    return CBaseInputPin::BeginFlush();
}

STDMETHODIMP TestSinkPin::EndFlush()
{
    return CBaseInputPin::EndFlush();
}

STDMETHODIMP TestSinkPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    m_sink->RecordSegment(start, stop, rate);
    return CBaseInputPin::NewSegment(start, stop, rate);
}

TestSinkFilter::TestSinkFilter()
    : CBaseFilter(L"TestSinkFilter", nullptr, &m_lock, GUID_NULL),
      m_pin(new TestSinkPin(this, &m_lock)),
      m_endEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

TestSinkFilter::~TestSinkFilter()
{
    delete m_pin;
    CloseHandle(m_endEvent);
}

CBasePin* TestSinkFilter::GetPin(int n)
{
    return n == 0 ? m_pin : nullptr;
}

void TestSinkFilter::Record(const SinkSample& sample)
{
    std::lock_guard<std::mutex> hold(m_recordLock);
    m_samples.push_back(sample);
}

void TestSinkFilter::RecordEndOfStream()
{
    {
        std::lock_guard<std::mutex> hold(m_recordLock);
        ++m_endOfStreams;
    }
    SetEvent(m_endEvent);
    NotifyEvent(EC_COMPLETE, S_OK, 0);
}

void TestSinkFilter::RecordFlush()
{
    std::lock_guard<std::mutex> hold(m_recordLock);
    ++m_flushes;
}

void TestSinkFilter::RecordSegment(REFERENCE_TIME start, REFERENCE_TIME, double)
{
    std::lock_guard<std::mutex> hold(m_recordLock);
    m_segmentStarts.push_back(start);
}

void TestSinkFilter::Clear()
{
    std::lock_guard<std::mutex> hold(m_recordLock);
    m_samples.clear();
    m_segmentStarts.clear();
    m_endOfStreams = 0;
    m_flushes = 0;
    ResetEvent(m_endEvent);
}

std::vector<SinkSample> TestSinkFilter::Samples()
{
    std::lock_guard<std::mutex> hold(m_recordLock);
    return m_samples;
}

int TestSinkFilter::EndOfStreams()
{
    std::lock_guard<std::mutex> hold(m_recordLock);
    return m_endOfStreams;
}

int TestSinkFilter::Flushes()
{
    std::lock_guard<std::mutex> hold(m_recordLock);
    return m_flushes;
}

std::vector<REFERENCE_TIME> TestSinkFilter::SegmentStarts()
{
    std::lock_guard<std::mutex> hold(m_recordLock);
    return m_segmentStarts;
}

bool TestSinkFilter::WaitEndOfStream(DWORD milliseconds)
{
    return WaitForSingleObject(m_endEvent, milliseconds) == WAIT_OBJECT_0;
}
