// Allocator pool state machine: committed or not, with a deferred free while samples are out.
#include "platform/dshow/CBaseAllocator.h"

#include <vfwmsgs.h>

#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CMediaSample.h"

CBaseAllocator::CBaseAllocator(LPCTSTR pName, LPUNKNOWN pUnk, HRESULT* phr, BOOL, BOOL)
    : CUnknown(pName, pUnk), m_hSem(CreateSemaphoreW(nullptr, 0, 0x7FFFFFFF, nullptr))
{
    if (!m_hSem && phr) {
        *phr = E_OUTOFMEMORY;
    }
}

CBaseAllocator::~CBaseAllocator() = default;

STDMETHODIMP CBaseAllocator::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMemAllocator) {
        return GetInterface(static_cast<IMemAllocator*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBaseAllocator::SetProperties(ALLOCATOR_PROPERTIES* pRequest,
                                           ALLOCATOR_PROPERTIES* pActual)
{
    if (!pRequest || !pActual) {
        return E_POINTER;
    }
    CAutoLock lock(&m_Lock);
    if (m_bCommitted) {
        return VFW_E_ALREADY_COMMITTED;
    }
    if (m_lAllocated != m_lFree) {
        return VFW_E_BUFFERS_OUTSTANDING;
    }
    if (pRequest->cBuffers < 0 || pRequest->cbBuffer < 0 || pRequest->cbPrefix < 0) {
        return E_INVALIDARG;
    }
    m_lCount = pRequest->cBuffers;
    m_lSize = pRequest->cbBuffer;
    m_lAlignment = pRequest->cbAlign;
    m_lPrefix = pRequest->cbPrefix;
    m_bChanged = TRUE;
    pActual->cBuffers = m_lCount;
    pActual->cbBuffer = m_lSize;
    pActual->cbAlign = m_lAlignment;
    pActual->cbPrefix = m_lPrefix;
    return S_OK;
}

STDMETHODIMP CBaseAllocator::GetProperties(ALLOCATOR_PROPERTIES* pProps)
{
    if (!pProps) {
        return E_POINTER;
    }
    CAutoLock lock(&m_Lock);
    pProps->cBuffers = m_lCount;
    pProps->cbBuffer = m_lSize;
    pProps->cbAlign = m_lAlignment;
    pProps->cbPrefix = m_lPrefix;
    return S_OK;
}

STDMETHODIMP CBaseAllocator::Commit()
{
    CAutoLock lock(&m_Lock);
    if (m_bCommitted) {
        return S_OK;
    }
    if (m_lCount <= 0 || m_lSize <= 0) {
        return VFW_E_SIZENOTSET;
    }
    // A decommit still waiting for samples is simply called off: the memory is kept.
    m_bDecommitInProgress = FALSE;
    if (m_bChanged || m_lAllocated == 0) {
        if (m_lAllocated != m_lFree) {
            return VFW_E_BUFFERS_OUTSTANDING;
        }
        if (m_lAllocated != 0) {
            Free();
        }
        const HRESULT hr = Alloc();
        if (FAILED(hr)) {
            return hr;
        }
        m_bChanged = FALSE;
    }
    m_bCommitted = TRUE;
    return S_OK;
}

STDMETHODIMP CBaseAllocator::Decommit()
{
    CAutoLock lock(&m_Lock);
    if (!m_bCommitted) {
        return S_OK;
    }
    m_bCommitted = FALSE;
    if (m_lFree == m_lAllocated) {
        Free();
    } else {
        m_bDecommitInProgress = TRUE;
    }
    if (m_lWaiting > 0) {
        ReleaseSemaphore(m_hSem, m_lWaiting, nullptr);
        m_lWaiting = 0;
    }
    return S_OK;
}

STDMETHODIMP CBaseAllocator::GetBuffer(IMediaSample** ppBuffer, REFERENCE_TIME* pStartTime,
                                       REFERENCE_TIME* pEndTime, DWORD dwFlags)
{
    if (!ppBuffer) {
        return E_POINTER;
    }
    *ppBuffer = nullptr;
    CMediaSample* sample = nullptr;
    for (;;) {
        {
            CAutoLock lock(&m_Lock);
            if (!m_bCommitted) {
                return VFW_E_NOT_COMMITTED;
            }
            if (m_pFreeList) {
                sample = m_pFreeList;
                m_pFreeList = sample->m_pNext;
                sample->m_pNext = nullptr;
                --m_lFree;
                break;
            }
            if (dwFlags & AM_GBF_NOWAIT) {
                return VFW_E_TIMEOUT;
            }
            ++m_lWaiting;
        }
        WaitForSingleObject(m_hSem, INFINITE);
    }
    // The sample's trip downstream keeps the pool alive; ReleaseBuffer gives this back.
    NonDelegatingAddRef();
    sample->ResetProperties();
    sample->m_cRef = 1;
    if (pStartTime) {
        sample->SetTime(pStartTime, pEndTime);
    }
    *ppBuffer = sample;
    return S_OK;
}

STDMETHODIMP CBaseAllocator::ReleaseBuffer(IMediaSample* pBuffer)
{
    if (!pBuffer) {
        return E_POINTER;
    }
    {
        CAutoLock lock(&m_Lock);
        PushFree(static_cast<CMediaSample*>(pBuffer));
        if (m_lWaiting > 0) {
            --m_lWaiting;
            ReleaseSemaphore(m_hSem, 1, nullptr);
        }
        if (m_bDecommitInProgress && m_lFree == m_lAllocated) {
            m_bDecommitInProgress = FALSE;
            Free();
        }
    }
    // Last: this may be the reference that keeps the allocator alive.
    NonDelegatingRelease();
    return S_OK;
}

LONG CBaseAllocator::FreeCount()
{
    CAutoLock lock(&m_Lock);
    return m_lFree;
}

HRESULT CBaseAllocator::Alloc()
{
    return S_OK;
}

void CBaseAllocator::PushFree(CMediaSample* pSample)
{
    pSample->m_pNext = m_pFreeList;
    m_pFreeList = pSample;
    ++m_lFree;
}

void CBaseAllocator::DeleteFreeSamples()
{
    while (m_pFreeList) {
        CMediaSample* next = m_pFreeList->m_pNext;
        delete m_pFreeList;
        m_pFreeList = next;
        --m_lFree;
        --m_lAllocated;
    }
}
