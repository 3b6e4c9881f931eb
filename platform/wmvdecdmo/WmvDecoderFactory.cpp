#include "platform/wmvdecdmo/WmvDecoderFactory.h"

#include "platform/wmvdecdmo/WmvDecoderDmo.h"

WmvDecoderFactory& WmvDecoderFactory::Instance()
{
    static WmvDecoderFactory factory;
    return factory;
}

bool WmvDecoderFactory::InUse()
{
    return s_locks > 0 || CBaseObject::ObjectsActive() > 0;
}

STDMETHODIMP WmvDecoderFactory::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

// The class object is static: counting is only for the callers' bookkeeping.
STDMETHODIMP_(ULONG) WmvDecoderFactory::AddRef()
{
    return 2;
}

STDMETHODIMP_(ULONG) WmvDecoderFactory::Release()
{
    return 1;
}

STDMETHODIMP WmvDecoderFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    // An aggregating object must take the inner unknown, nothing else.
    if (outer != nullptr && riid != IID_IUnknown) {
        return CLASS_E_NOAGGREGATION;
    }
    WmvDecoderDmo* object = WmvDecoderDmo::Create(outer);
    if (object == nullptr) {
        return E_OUTOFMEMORY;
    }
    object->NonDelegatingAddRef();
    const HRESULT hr = object->NonDelegatingQueryInterface(riid, ppv);
    object->NonDelegatingRelease();
    return hr;
}

STDMETHODIMP WmvDecoderFactory::LockServer(BOOL lock)
{
    if (lock) {
        InterlockedIncrement(&s_locks);
    } else {
        InterlockedDecrement(&s_locks);
    }
    return S_OK;
}
