// Pin connection protocol: the output pin drives Connect, trying types until the input pin's
// ReceiveConnection accepts one; either side can refuse and every failure path leaves both
// pins unconnected.
#include "platform/dshow/CBasePin.h"

#include <cstring>
#include <cwchar>
#include <new>

#include <vfwmsgs.h>

#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CEnumMediaTypes.h"

CBasePin::CBasePin(LPCTSTR pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr,
                   LPCWSTR pName, PIN_DIRECTION dir)
    : CUnknown(pObjectName, nullptr), m_dir(dir), m_pLock(pLock), m_pFilter(pFilter)
{
    if (pName) {
        const size_t length = std::wcslen(pName) + 1;
        m_pName = new (std::nothrow) WCHAR[length];
        if (m_pName) {
            std::wmemcpy(m_pName, pName, length);
        } else if (phr) {
            *phr = E_OUTOFMEMORY;
        }
    }
}

CBasePin::~CBasePin()
{
    delete[] m_pName;
}

STDMETHODIMP CBasePin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IPin) {
        return GetInterface(static_cast<IPin*>(this), ppv);
    }
    if (riid == IID_IQualityControl) {
        return GetInterface(static_cast<IQualityControl*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) CBasePin::NonDelegatingAddRef()
{
    InterlockedIncrement(&m_cRef);
    return m_pFilter->AddRef();
}

STDMETHODIMP_(ULONG) CBasePin::NonDelegatingRelease()
{
    InterlockedDecrement(&m_cRef);
    // Refcounting base: a pin's references are its filter's.
    return m_pFilter->Release();
}

STDMETHODIMP CBasePin::Connect(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt)
{
    if (!pReceivePin) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    if (m_Connected) {
        return VFW_E_ALREADY_CONNECTED;
    }
    if (!IsStopped() && !m_bCanReconnectWhenActive) {
        return VFW_E_NOT_STOPPED;
    }
    HRESULT hr = CheckConnect(pReceivePin);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    CMediaType wanted;
    if (pmt) {
        hr = wanted.Set(*pmt);
        if (FAILED(hr)) {
            BreakConnect();
            return hr;
        }
    }
    hr = AgreeMediaType(pReceivePin, &wanted);
    if (FAILED(hr)) {
        BreakConnect();
    }
    return hr;
}

HRESULT CBasePin::AttemptConnection(IPin* pReceivePin, const CMediaType* pmt)
{
    // Every failed attempt ends in BreakConnect, so each attempt checks the peer afresh.
    HRESULT hr = CheckConnect(pReceivePin);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    hr = CheckMediaType(pmt);
    if (hr != S_OK) {
        BreakConnect();
        return SUCCEEDED(hr) || hr == E_FAIL || hr == E_INVALIDARG ? VFW_E_TYPE_NOT_ACCEPTED
                                                                     : hr;
    }
    m_Connected = pReceivePin;
    hr = SetMediaType(pmt);
    if (SUCCEEDED(hr)) {
        hr = pReceivePin->ReceiveConnection(static_cast<IPin*>(this), pmt);
        if (SUCCEEDED(hr)) {
            hr = CompleteConnect(pReceivePin);
            if (SUCCEEDED(hr)) {
                return hr;
            }
            // The peer took the connection before we failed: take it back.
            pReceivePin->Disconnect();
        }
    }
    BreakConnect();
    m_Connected.Release();
    m_mt.InitMediaType();
    return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CBasePin::TryMediaTypes(IPin* pReceivePin, const CMediaType* pmt, IEnumMediaTypes* pEnum)
{
    HRESULT hr = pEnum->Reset();
    if (FAILED(hr)) {
        return hr;
    }
    HRESULT hrFailure = VFW_E_NO_ACCEPTABLE_TYPES;
    for (;;) {
        AM_MEDIA_TYPE* candidate = nullptr;
        ULONG fetched = 0;
        hr = pEnum->Next(1, &candidate, &fetched);
        if (hr != S_OK || fetched != 1 || !candidate) {
            return hrFailure;
        }
        CMediaType type;
        const HRESULT hrCopy = type.Set(*candidate);
        DeleteMediaType(candidate);
        if (FAILED(hrCopy)) {
            return hrCopy;
        }
        if (pmt && !type.MatchesPartial(pmt)) {
            continue;
        }
        hr = AttemptConnection(pReceivePin, &type);
        if (SUCCEEDED(hr)) {
            return hr;
        }
        // Keep the most telling failure: a refusal for a reason other than the type (for
        // example the allocator) explains more than "no acceptable types".
        if (hr != VFW_E_TYPE_NOT_ACCEPTED && hr != E_FAIL && hr != E_INVALIDARG) {
            hrFailure = hr;
        }
    }
}

HRESULT CBasePin::AgreeMediaType(IPin* pReceivePin, const CMediaType* pmt)
{
    if (pmt && !pmt->IsPartiallySpecified()) {
        return AttemptConnection(pReceivePin, pmt);
    }
    HRESULT hrFailure = VFW_E_NO_ACCEPTABLE_TYPES;
    for (int pass = 0; pass < 2; ++pass) {
        const bool mine = (pass == 0) == (m_bTryMyTypesFirst != FALSE);
        CComPtr<IEnumMediaTypes> types;
        HRESULT hr = mine ? EnumMediaTypes(&types) : pReceivePin->EnumMediaTypes(&types);
        if (FAILED(hr) || !types) {
            continue;
        }
        hr = TryMediaTypes(pReceivePin, pmt, types);
        types.Release();
        if (SUCCEEDED(hr)) {
            return hr;
        }
        if (hr != VFW_E_NO_ACCEPTABLE_TYPES) {
            hrFailure = hr;
        }
    }
    return hrFailure;
}

STDMETHODIMP CBasePin::ReceiveConnection(IPin* pConnector, const AM_MEDIA_TYPE* pmt)
{
    if (!pConnector || !pmt) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    if (m_Connected) {
        return VFW_E_ALREADY_CONNECTED;
    }
    if (!IsStopped() && !m_bCanReconnectWhenActive) {
        return VFW_E_NOT_STOPPED;
    }
    HRESULT hr = CheckConnect(pConnector);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    CMediaType type;
    hr = type.Set(*pmt);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    hr = CheckMediaType(&type);
    if (hr != S_OK) {
        BreakConnect();
        return SUCCEEDED(hr) || hr == E_FAIL || hr == E_INVALIDARG ? VFW_E_TYPE_NOT_ACCEPTED
                                                                     : hr;
    }
    m_Connected = pConnector;
    hr = SetMediaType(&type);
    if (SUCCEEDED(hr)) {
        hr = CompleteConnect(pConnector);
        if (SUCCEEDED(hr)) {
            return S_OK;
        }
    }
    m_Connected.Release();
    m_mt.InitMediaType();
    BreakConnect();
    return hr;
}

HRESULT CBasePin::DisconnectInternal()
{
    if (!m_Connected) {
        BreakConnect();
        return S_FALSE;
    }
    const HRESULT hr = BreakConnect();
    if (FAILED(hr)) {
        return hr;
    }
    m_Connected.Release();
    m_mt.InitMediaType();
    return S_OK;
}

STDMETHODIMP CBasePin::Disconnect()
{
    CAutoLock lock(m_pLock);
    if (!IsStopped()) {
        return VFW_E_NOT_STOPPED;
    }
    return DisconnectInternal();
}

STDMETHODIMP CBasePin::ConnectedTo(IPin** pPin)
{
    if (!pPin) {
        return E_POINTER;
    }
    // No filter lock: seeking pass-throughs call this on streaming threads (a renderer asks
    // for the stop position while handling end of stream), and a Stop that holds the filter
    // lock waits for those threads. The peer changes only while the filter is stopped.
    IPin* peer = m_Connected;
    *pPin = peer;
    if (!peer) {
        return VFW_E_NOT_CONNECTED;
    }
    peer->AddRef();
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectionMediaType(AM_MEDIA_TYPE* pmt)
{
    if (!pmt) {
        return E_POINTER;
    }
    CAutoLock lock(m_pLock);
    if (!m_Connected) {
        CMediaType empty;
        *pmt = empty;
        pmt->pbFormat = nullptr;
        pmt->cbFormat = 0;
        pmt->pUnk = nullptr;
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaType(pmt, &m_mt);
}

STDMETHODIMP CBasePin::QueryPinInfo(PIN_INFO* pInfo)
{
    if (!pInfo) {
        return E_POINTER;
    }
    pInfo->pFilter = m_pFilter;
    if (m_pFilter) {
        m_pFilter->AddRef();
    }
    pInfo->achName[0] = L'\0';
    if (m_pName) {
        wcsncpy(pInfo->achName, m_pName, MAX_PIN_NAME - 1);
        pInfo->achName[MAX_PIN_NAME - 1] = L'\0';
    }
    pInfo->dir = m_dir;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryDirection(PIN_DIRECTION* pPinDir)
{
    if (!pPinDir) {
        return E_POINTER;
    }
    *pPinDir = m_dir;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryId(LPWSTR* Id)
{
    if (!Id) {
        return E_POINTER;
    }
    const WCHAR* name = m_pName ? m_pName : L"";
    const size_t bytes = (std::wcslen(name) + 1) * sizeof(WCHAR);
    *Id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*Id) {
        return E_OUTOFMEMORY;
    }
    std::memcpy(*Id, name, bytes);
    return S_OK;
}

STDMETHODIMP CBasePin::QueryAccept(const AM_MEDIA_TYPE* pmt)
{
    if (!pmt) {
        return E_POINTER;
    }
    CMediaType type;
    if (FAILED(type.Set(*pmt))) {
        return E_OUTOFMEMORY;
    }
    const HRESULT hr = CheckMediaType(&type);
    return hr == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP CBasePin::EnumMediaTypes(IEnumMediaTypes** ppEnum)
{
    if (!ppEnum) {
        return E_POINTER;
    }
    *ppEnum = new (std::nothrow) CEnumMediaTypes(this, nullptr);
    return *ppEnum ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CBasePin::QueryInternalConnections(IPin**, ULONG*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CBasePin::EndOfStream()
{
    return S_OK;
}

STDMETHODIMP CBasePin::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    m_tStart = tStart;
    m_tStop = tStop;
    m_dRate = dRate;
    return S_OK;
}

STDMETHODIMP CBasePin::Notify(IBaseFilter*, Quality)
{
    return E_NOTIMPL;
}

STDMETHODIMP CBasePin::SetSink(IQualityControl* piqc)
{
    CAutoLock lock(m_pLock);
    m_pQSink = piqc;
    return S_OK;
}

HRESULT CBasePin::SetMediaType(const CMediaType* pmt)
{
    return m_mt.Set(*pmt);
}

HRESULT CBasePin::GetMediaType(int, CMediaType*)
{
    return E_UNEXPECTED;
}

LONG CBasePin::GetMediaTypeVersion()
{
    return m_TypeVersion;
}

void CBasePin::IncrementTypeVersion()
{
    InterlockedIncrement(&m_TypeVersion);
}

HRESULT CBasePin::CheckConnect(IPin* pPin)
{
    PIN_DIRECTION dir;
    const HRESULT hr = pPin->QueryDirection(&dir);
    if (FAILED(hr)) {
        return hr;
    }
    return dir == m_dir ? VFW_E_INVALID_DIRECTION : S_OK;
}

HRESULT CBasePin::BreakConnect()
{
    return S_OK;
}

HRESULT CBasePin::CompleteConnect(IPin*)
{
    return S_OK;
}

HRESULT CBasePin::Active()
{
    return S_OK;
}

HRESULT CBasePin::Inactive()
{
    m_bRunTimeError = FALSE;
    return S_OK;
}

HRESULT CBasePin::Run(REFERENCE_TIME)
{
    return S_OK;
}
