// Standard memory allocator: one block of memory carved into equally sized, aligned buffers,
// each with the requested prefix in front.
#pragma once

#include "platform/dshow/CBaseAllocator.h"

class CMemAllocator : public CBaseAllocator {
public:
    CMemAllocator(LPCTSTR pName, LPUNKNOWN pUnk, HRESULT* phr);
    ~CMemAllocator() override;

    // Alignment must be a power of two (else VFW_E_BADALIGN); the buffer size is rounded so
    // that prefix plus buffer fills whole alignment units.
    STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* pRequest,
                               ALLOCATOR_PROPERTIES* pActual) override;

protected:
    HRESULT Alloc() override;
    void Free() override;

private:
    LPBYTE m_pBuffer = nullptr;
};
