// Non-delegating IUnknown shared by filters, pins, allocators and samples.
#include "platform/dshow/CUnknown.h"

// A non-aggregated object is its own owner: the public IUnknown then reaches the
// NonDelegating methods through this cast.
CUnknown::CUnknown(LPCTSTR pName, LPUNKNOWN pUnk)
    : CBaseObject(pName),
      m_cRef(0),
      m_pUnknown(pUnk ? pUnk : reinterpret_cast<LPUNKNOWN>(static_cast<PNDUNKNOWN>(this)))
{
}

CUnknown::CUnknown(LPCTSTR pName, LPUNKNOWN pUnk, HRESULT*) : CUnknown(pName, pUnk) {}

HRESULT STDMETHODCALLTYPE CUnknown::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown) {
        return GetInterface(reinterpret_cast<LPUNKNOWN>(static_cast<PNDUNKNOWN>(this)), ppv);
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CUnknown::NonDelegatingAddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_cRef));
}

ULONG STDMETHODCALLTYPE CUnknown::NonDelegatingRelease()
{
    const LONG count = InterlockedDecrement(&m_cRef);
    if (count == 0) {
        // Guard against a release from inside the destructor deleting twice.
        m_cRef = 1;
        delete this;
        return 0;
    }
    return static_cast<ULONG>(count);
}

HRESULT GetInterface(LPUNKNOWN pUnk, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    *ppv = pUnk;
    pUnk->AddRef();
    return S_OK;
}
