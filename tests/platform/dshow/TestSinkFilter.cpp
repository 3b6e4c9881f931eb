// Test renderer filter: completion follows the renderer rules (EC_COMPLETE once running and
// the stream has ended; a flush or a new pause from stopped cancels a pending one).
#include "tests/platform/dshow/TestSinkFilter.h"

TestSinkFilter::TestSinkFilter()
    : CBaseFilter(L"Test sink", nullptr, &m_lock, CLSID_TestSink), m_eos(TRUE)
{
    HRESULT hr = S_OK;
    m_pPin = new TestSinkPin(this, &m_lock, &hr);
    auto* seeking = new CPosPassThru(L"Sink seeking", GetOwner(), &hr, m_pPin);
    seeking->NonDelegatingAddRef();
    m_pSeeking = reinterpret_cast<IUnknown*>(static_cast<PNDUNKNOWN>(seeking));
}

TestSinkFilter::~TestSinkFilter()
{
    m_pSeeking->Release();
    delete m_pPin;
}

STDMETHODIMP TestSinkFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IAMFilterMiscFlags) {
        return GetInterface(static_cast<IAMFilterMiscFlags*>(this), ppv);
    }
    if (riid == IID_IMediaSeeking) {
        return m_pSeeking->QueryInterface(riid, ppv);
    }
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) TestSinkFilter::GetMiscFlags()
{
    return AM_FILTER_MISC_FLAGS_IS_RENDERER;
}

int TestSinkFilter::GetPinCount()
{
    return 1;
}

CBasePin* TestSinkFilter::GetPin(int n)
{
    return n == 0 ? m_pPin : nullptr;
}

STDMETHODIMP TestSinkFilter::Pause()
{
    CAutoLock lock(&m_lock);
    if (m_State == State_Stopped) {
        CAutoLock eos(&m_eosLock);
        m_eosPending = false;
        m_eos.Reset();
    }
    return CBaseFilter::Pause();
}

STDMETHODIMP TestSinkFilter::Run(REFERENCE_TIME tStart)
{
    CAutoLock lock(&m_lock);
    const HRESULT hr = CBaseFilter::Run(tStart);
    CAutoLock eos(&m_eosLock);
    if (SUCCEEDED(hr) && m_eosPending) {
        m_eosPending = false;
        NotifyEvent(EC_COMPLETE, S_OK, 0);
    }
    return hr;
}

void TestSinkFilter::OnEndOfStream()
{
    CAutoLock eos(&m_eosLock);
    m_eos.Set();
    if (m_State == State_Running) {
        NotifyEvent(EC_COMPLETE, S_OK, 0);
    } else {
        m_eosPending = true;
    }
}

void TestSinkFilter::OnFlush()
{
    CAutoLock eos(&m_eosLock);
    m_eosPending = false;
    m_eos.Reset();
}
