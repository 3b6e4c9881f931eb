// Filter state changes and graph membership shared by every filter.
#include "platform/dshow/CBaseFilter.h"

#include <cwchar>
#include <new>

#include <vfwmsgs.h>
#include <evcode.h>

#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CBasePin.h"
#include "platform/dshow/CEnumPins.h"

CBaseFilter::CBaseFilter(LPCTSTR pName, LPUNKNOWN pUnk, CCritSec* pLock, REFCLSID clsid)
    : CUnknown(pName, pUnk), m_clsid(clsid), m_pLock(pLock)
{
}

CBaseFilter::CBaseFilter(LPCTSTR pName, LPUNKNOWN pUnk, CCritSec* pLock, REFCLSID clsid,
                         HRESULT*)
    : CBaseFilter(pName, pUnk, pLock, clsid)
{
}

CBaseFilter::~CBaseFilter()
{
    delete[] m_pName;
}

STDMETHODIMP CBaseFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IBaseFilter) {
        return GetInterface(static_cast<IBaseFilter*>(this), ppv);
    }
    if (riid == IID_IMediaFilter) {
        return GetInterface(static_cast<IMediaFilter*>(this), ppv);
    }
    if (riid == IID_IPersist) {
        return GetInterface(static_cast<IPersist*>(this), ppv);
    }
    if (riid == IID_IAMovieSetup) {
        return GetInterface(static_cast<IAMovieSetup*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBaseFilter::GetClassID(CLSID* pClsID)
{
    if (!pClsID) {
        return E_POINTER;
    }
    *pClsID = m_clsid;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Stop()
{
    CAutoLock lock(m_pLock);
    HRESULT hr = S_OK;
    if (m_State != State_Stopped) {
        const int count = GetPinCount();
        for (int i = 0; i < count; ++i) {
            CBasePin* pin = GetPin(i);
            if (pin && pin->IsConnected()) {
                const HRESULT hrPin = pin->Inactive();
                if (FAILED(hrPin) && SUCCEEDED(hr)) {
                    hr = hrPin;
                }
            }
        }
    }
    m_State = State_Stopped;
    return hr;
}

STDMETHODIMP CBaseFilter::Pause()
{
    CAutoLock lock(m_pLock);
    if (m_State == State_Stopped) {
        const int count = GetPinCount();
        for (int i = 0; i < count; ++i) {
            CBasePin* pin = GetPin(i);
            if (pin && pin->IsConnected()) {
                const HRESULT hr = pin->Active();
                if (FAILED(hr)) {
                    return hr;
                }
            }
        }
    }
    m_State = State_Paused;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Run(REFERENCE_TIME tStart)
{
    CAutoLock lock(m_pLock);
    if (m_State == State_Stopped) {
        const HRESULT hr = Pause();
        if (FAILED(hr)) {
            return hr;
        }
    }
    m_tStart = tStart;
    if (m_State == State_Paused) {
        const int count = GetPinCount();
        for (int i = 0; i < count; ++i) {
            CBasePin* pin = GetPin(i);
            if (pin && pin->IsConnected()) {
                const HRESULT hr = pin->Run(tStart);
                if (FAILED(hr)) {
                    return hr;
                }
            }
        }
    }
    m_State = State_Running;
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetState(DWORD, FILTER_STATE* State)
{
    if (!State) {
        return E_POINTER;
    }
    *State = m_State;
    return S_OK;
}

STDMETHODIMP CBaseFilter::SetSyncSource(IReferenceClock* pClock)
{
    CAutoLock lock(m_pLock);
    m_pClock = pClock;
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetSyncSource(IReferenceClock** pClock)
{
    if (!pClock) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    *pClock = m_pClock;
    if (m_pClock) {
        m_pClock->AddRef();
    }
    return S_OK;
}

STDMETHODIMP CBaseFilter::EnumPins(IEnumPins** ppEnum)
{
    if (!ppEnum) {
        return E_POINTER;
    }
    *ppEnum = new (std::nothrow) CEnumPins(this, nullptr);
    return *ppEnum ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CBaseFilter::FindPin(LPCWSTR Id, IPin** ppPin)
{
    if (!Id || !ppPin) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    const int count = GetPinCount();
    for (int i = 0; i < count; ++i) {
        CBasePin* pin = GetPin(i);
        if (pin && pin->Name() && std::wcscmp(pin->Name(), Id) == 0) {
            *ppPin = pin;
            pin->AddRef();
            return S_OK;
        }
    }
    *ppPin = nullptr;
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP CBaseFilter::QueryFilterInfo(FILTER_INFO* pInfo)
{
    if (!pInfo) {
        return E_POINTER;
    }
    pInfo->achName[0] = L'\0';
    if (m_pName) {
        wcsncpy(pInfo->achName, m_pName, MAX_FILTER_NAME - 1);
        pInfo->achName[MAX_FILTER_NAME - 1] = L'\0';
    }
    pInfo->pGraph = m_pGraph;
    if (m_pGraph) {
        m_pGraph->AddRef();
    }
    return S_OK;
}

STDMETHODIMP CBaseFilter::JoinFilterGraph(IFilterGraph* pGraph, LPCWSTR pName)
{
    CAutoLock lock(m_pLock);
    m_pGraph = pGraph;
    m_pSink = nullptr;
    if (pGraph) {
        CComPtr<IMediaEventSink> sink;
        if (SUCCEEDED(pGraph->QueryInterface(IID_IMediaEventSink,
                                             reinterpret_cast<void**>(&sink)))) {
            // The graph outlives its membership; a counted reference would be a cycle.
            m_pSink = sink;
        }
    }
    delete[] m_pName;
    m_pName = nullptr;
    if (pName) {
        const size_t length = std::wcslen(pName) + 1;
        m_pName = new (std::nothrow) WCHAR[length];
        if (!m_pName) {
            return E_OUTOFMEMORY;
        }
        std::wmemcpy(m_pName, pName, length);
    }
    return S_OK;
}

STDMETHODIMP CBaseFilter::QueryVendorInfo(LPWSTR*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CBaseFilter::Register()
{
    return S_FALSE;
}

STDMETHODIMP CBaseFilter::Unregister()
{
    return S_FALSE;
}

HRESULT CBaseFilter::StreamTime(CRefTime& rtStream)
{
    if (!m_pClock) {
        return VFW_E_NO_CLOCK;
    }
    REFERENCE_TIME now = 0;
    const HRESULT hr = m_pClock->GetTime(&now);
    if (FAILED(hr)) {
        return hr;
    }
    rtStream = now - m_tStart.m_time;
    return S_OK;
}

LONG CBaseFilter::GetPinVersion()
{
    return m_PinVersion;
}

void CBaseFilter::IncrementPinVersion()
{
    InterlockedIncrement(&m_PinVersion);
}

BOOL CBaseFilter::IsActive()
{
    CAutoLock lock(m_pLock);
    return m_State == State_Paused || m_State == State_Running;
}

BOOL CBaseFilter::IsStopped()
{
    return m_State == State_Stopped;
}

HRESULT CBaseFilter::NotifyEvent(long EventCode, LONG_PTR EventParam1, LONG_PTR EventParam2)
{
    IMediaEventSink* sink = m_pSink;
    if (!sink) {
        return S_FALSE;
    }
    if (EventCode == EC_COMPLETE && EventParam2 == 0) {
        EventParam2 = reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this));
    }
    return sink->Notify(EventCode, EventParam1, EventParam2);
}
