// Test push source filter: state changes are the base filter's.
#include "tests/platform/dshow/TestSourceFilter.h"

#include "tests/platform/dshow/TestSourcePin.h"

TestSourceFilter::TestSourceFilter(const CMediaType& type, LONG bufferBytes, int bufferCount,
                                   int poolBuffers)
    : CBaseFilter(L"Test source", nullptr, &m_lock, CLSID_TestSource)
{
    HRESULT hr = S_OK;
    m_pPin = new TestSourcePin(this, &m_lock, &hr, type, bufferBytes, bufferCount, poolBuffers);
    m_pPin->NonDelegatingAddRef();
}

TestSourceFilter::~TestSourceFilter()
{
    m_pPin->NonDelegatingRelease();
}

int TestSourceFilter::GetPinCount()
{
    return 1;
}

CBasePin* TestSourceFilter::GetPin(int n)
{
    return n == 0 ? m_pPin : nullptr;
}
