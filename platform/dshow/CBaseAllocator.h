// Pool of media samples behind IMemAllocator: properties, commit/decommit and a blocking
// GetBuffer. Derived allocators provide the memory (Alloc/Free). Every sample handed out holds
// a reference on the allocator, so the pool outlives the pins while samples are downstream.
#pragma once

#include <windows.h>
#include <strmif.h>

#include "platform/dshow/CCritSec.h"
#include "platform/dshow/CUnknown.h"
#include "platform/base/CHandle.h"

class CMediaSample;

class CBaseAllocator : public CUnknown, public IMemAllocator {
public:
    CBaseAllocator(LPCTSTR pName, LPUNKNOWN pUnk, HRESULT* phr, BOOL bEvent = TRUE,
                   BOOL fEnableReleaseCallback = FALSE);
    ~CBaseAllocator() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // Refused while committed (VFW_E_ALREADY_COMMITTED) or while samples are out
    // (VFW_E_BUFFERS_OUTSTANDING).
    STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* pRequest,
                               ALLOCATOR_PROPERTIES* pActual) override;
    STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* pProps) override;
    // Allocates the memory (Alloc) when the properties changed; VFW_E_SIZENOTSET without them.
    STDMETHODIMP Commit() override;
    // Wakes every GetBuffer waiter (they fail with VFW_E_NOT_COMMITTED); the memory is freed
    // when the last outstanding sample comes back.
    STDMETHODIMP Decommit() override;
    // Waits for a free sample unless AM_GBF_NOWAIT is given (then VFW_E_TIMEOUT).
    STDMETHODIMP GetBuffer(IMediaSample** ppBuffer, REFERENCE_TIME* pStartTime,
                           REFERENCE_TIME* pEndTime, DWORD dwFlags) override;
    // Called by CMediaSample when its last reference goes.
    STDMETHODIMP ReleaseBuffer(IMediaSample* pBuffer) override;

    BOOL IsCommitted() const { return m_bCommitted; }
    LONG FreeCount();

protected:
    // Called with m_Lock held: create m_lCount samples of m_lSize bytes onto the free list.
    virtual HRESULT Alloc();
    // Called with m_Lock held once every sample is back: release the memory and samples.
    virtual void Free() = 0;
    // Removes and deletes every sample on the free list (for Free implementations).
    void DeleteFreeSamples();
    void PushFree(CMediaSample* pSample);

    CCritSec m_Lock;
    CMediaSample* m_pFreeList = nullptr;
    LONG m_lFree = 0;          // samples on the free list
    LONG m_lAllocated = 0;     // samples that exist (free or out)
    LONG m_lWaiting = 0;       // GetBuffer callers blocked on m_hSem
    CHandle m_hSem;            // released once per waiter to wake
    LONG m_lCount = 0;
    LONG m_lSize = 0;
    LONG m_lAlignment = 0;
    LONG m_lPrefix = 0;
    BOOL m_bChanged = FALSE;   // properties changed since the last Alloc
    BOOL m_bCommitted = FALSE;
    BOOL m_bDecommitInProgress = FALSE;
};
