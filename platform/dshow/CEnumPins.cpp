// Pin enumeration for CBaseFilter; pins are looked up through GetPin on each call.
#include "platform/dshow/CEnumPins.h"

#include <new>

#include <vfwmsgs.h>

#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CBaseFilter.h"
#include "platform/dshow/CBasePin.h"

CEnumPins::CEnumPins(CBaseFilter* pFilter, CEnumPins* pEnumPins)
    : m_pFilter(pFilter), m_Version(pFilter->GetPinVersion())
{
    if (pEnumPins) {
        m_Position = pEnumPins->m_Position;
        m_Version = pEnumPins->m_Version;
    }
}

CEnumPins::~CEnumPins() = default;

STDMETHODIMP CEnumPins::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IEnumPins) {
        *ppv = static_cast<IEnumPins*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CEnumPins::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_cRef));
}

STDMETHODIMP_(ULONG) CEnumPins::Release()
{
    const LONG count = InterlockedDecrement(&m_cRef);
    if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

BOOL CEnumPins::AreWeOutOfSync()
{
    return m_pFilter->GetPinVersion() != m_Version;
}

STDMETHODIMP CEnumPins::Next(ULONG cPins, IPin** ppPins, ULONG* pcFetched)
{
    if (!ppPins) {
        return E_POINTER;
    }
    if (cPins > 1 && !pcFetched) {
        return E_INVALIDARG;
    }
    if (pcFetched) {
        *pcFetched = 0;
    }
    if (AreWeOutOfSync()) {
        return VFW_E_ENUM_OUT_OF_SYNC;
    }
    ULONG fetched = 0;
    const int count = m_pFilter->GetPinCount();
    while (fetched < cPins && m_Position < count) {
        CBasePin* pin = m_pFilter->GetPin(m_Position++);
        if (!pin) {
            continue;
        }
        ppPins[fetched++] = pin;
        pin->AddRef();
    }
    if (pcFetched) {
        *pcFetched = fetched;
    }
    return fetched == cPins ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumPins::Skip(ULONG cPins)
{
    if (AreWeOutOfSync()) {
        return VFW_E_ENUM_OUT_OF_SYNC;
    }
    const int count = m_pFilter->GetPinCount();
    const int left = count - m_Position;
    if (static_cast<LONGLONG>(cPins) > left) {
        m_Position = count;
        return S_FALSE;
    }
    m_Position += static_cast<int>(cPins);
    return S_OK;
}

STDMETHODIMP CEnumPins::Reset()
{
    m_Version = m_pFilter->GetPinVersion();
    m_Position = 0;
    return S_OK;
}

STDMETHODIMP CEnumPins::Clone(IEnumPins** ppEnum)
{
    if (!ppEnum) {
        return E_POINTER;
    }
    if (AreWeOutOfSync()) {
        *ppEnum = nullptr;
        return VFW_E_ENUM_OUT_OF_SYNC;
    }
    *ppEnum = new (std::nothrow) CEnumPins(m_pFilter, this);
    return *ppEnum ? S_OK : E_OUTOFMEMORY;
}
