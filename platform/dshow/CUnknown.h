// COM identity for every object of the filter library: a non-delegating IUnknown that can be
// aggregated, the DECLARE_IUNKNOWN helper that forwards the public IUnknown to the owner, and
// GetInterface, which hands out an interface pointer with a reference added.
#pragma once

#include <windows.h>
#include <objbase.h>

#include "platform/dshow/CBaseObject.h"

// The inner IUnknown of an aggregatable object: an outer object calls these directly.
struct INonDelegatingUnknown {
    virtual HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID riid, void** ppv) = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingAddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingRelease() = 0;

protected:
    ~INonDelegatingUnknown() = default;
};
using PNDUNKNOWN = INonDelegatingUnknown*;

class CUnknown : public INonDelegatingUnknown, public CBaseObject {
public:
    // pUnk is the outer unknown when aggregated, NULL otherwise (the object is its own owner).
    CUnknown(LPCTSTR pName, LPUNKNOWN pUnk);
    CUnknown(LPCTSTR pName, LPUNKNOWN pUnk, HRESULT* phr);

    // Gives IID_IUnknown as the non-delegating face; derived classes add their interfaces and
    // fall back to this one.
    HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE NonDelegatingAddRef() override;
    // Deletes the object when the count reaches 0.
    ULONG STDMETHODCALLTYPE NonDelegatingRelease() override;

    // The IUnknown that the public QueryInterface/AddRef/Release go to; not reference counted.
    LPUNKNOWN GetOwner() const { return m_pUnknown; }

protected:
    volatile LONG m_cRef;

private:
    LPUNKNOWN m_pUnknown;
};

// Hands out pUnk as *ppv with a reference added; used inside NonDelegatingQueryInterface.
HRESULT GetInterface(LPUNKNOWN pUnk, void** ppv);

// Public IUnknown of a class derived from CUnknown and from COM interfaces: every call goes to
// the owner, which is the object itself unless it is aggregated.
#define DECLARE_IUNKNOWN                                                                 \
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override                        \
    {                                                                                    \
        return GetOwner()->QueryInterface(riid, ppv);                                    \
    }                                                                                    \
    STDMETHODIMP_(ULONG) AddRef() override { return GetOwner()->AddRef(); }              \
    STDMETHODIMP_(ULONG) Release() override { return GetOwner()->Release(); }
