// Class object of the decoder DMO: creates it, aggregated or not, for CoCreateInstance.
#pragma once

#include <windows.h>
#include <unknwn.h>

class WmvDecoderFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL lock) override;

    // The one class object of the module (static: it lives as long as the module).
    static WmvDecoderFactory& Instance();
    // Whether the module may be unloaded: no object alive and no server lock.
    static bool InUse();

private:
    static inline volatile LONG s_locks = 0;
};
