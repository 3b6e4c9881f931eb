// Media type enumeration: position n is whatever the pin's GetMediaType(n) gives; anything
// but S_OK ends the list.
#include "platform/dshow/CEnumMediaTypes.h"

#include <new>

#include <vfwmsgs.h>

#include "platform/dshow/CBasePin.h"
#include "platform/dshow/CMediaType.h"

CEnumMediaTypes::CEnumMediaTypes(CBasePin* pPin, CEnumMediaTypes* pEnumMediaTypes)
    : m_pPin(pPin), m_Version(pPin->GetMediaTypeVersion())
{
    if (pEnumMediaTypes) {
        m_Position = pEnumMediaTypes->m_Position;
        m_Version = pEnumMediaTypes->m_Version;
    }
}

CEnumMediaTypes::~CEnumMediaTypes() = default;

STDMETHODIMP CEnumMediaTypes::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IEnumMediaTypes) {
        *ppv = static_cast<IEnumMediaTypes*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CEnumMediaTypes::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_cRef));
}

STDMETHODIMP_(ULONG) CEnumMediaTypes::Release()
{
    const LONG count = InterlockedDecrement(&m_cRef);
    if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

BOOL CEnumMediaTypes::AreWeOutOfSync()
{
    return m_pPin->GetMediaTypeVersion() != m_Version;
}

STDMETHODIMP CEnumMediaTypes::Next(ULONG cMediaTypes, AM_MEDIA_TYPE** ppMediaTypes,
                                   ULONG* pcFetched)
{
    if (!ppMediaTypes) {
        return E_POINTER;
    }
    if (cMediaTypes > 1 && !pcFetched) {
        return E_INVALIDARG;
    }
    if (pcFetched) {
        *pcFetched = 0;
    }
    if (AreWeOutOfSync()) {
        return VFW_E_ENUM_OUT_OF_SYNC;
    }
    ULONG fetched = 0;
    while (fetched < cMediaTypes) {
        CMediaType type;
        if (m_pPin->GetMediaType(m_Position, &type) != S_OK) {
            break;
        }
        ++m_Position;
        AM_MEDIA_TYPE* copy = CreateMediaType(&type);
        if (!copy) {
            break;
        }
        ppMediaTypes[fetched++] = copy;
    }
    if (pcFetched) {
        *pcFetched = fetched;
    }
    return fetched == cMediaTypes ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumMediaTypes::Skip(ULONG cMediaTypes)
{
    if (AreWeOutOfSync()) {
        return VFW_E_ENUM_OUT_OF_SYNC;
    }
    for (ULONG i = 0; i < cMediaTypes; ++i) {
        CMediaType type;
        if (m_pPin->GetMediaType(m_Position, &type) != S_OK) {
            return S_FALSE;
        }
        ++m_Position;
    }
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Reset()
{
    m_Position = 0;
    m_Version = m_pPin->GetMediaTypeVersion();
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Clone(IEnumMediaTypes** ppEnum)
{
    if (!ppEnum) {
        return E_POINTER;
    }
    if (AreWeOutOfSync()) {
        *ppEnum = nullptr;
        return VFW_E_ENUM_OUT_OF_SYNC;
    }
    *ppEnum = new (std::nothrow) CEnumMediaTypes(m_pPin, this);
    return *ppEnum ? S_OK : E_OUTOFMEMORY;
}
