// Memory for the standard allocator comes from VirtualAlloc (page aligned, zeroed), so any
// power-of-two alignment up to a page is met by the block start.
#include "platform/dshow/CMemAllocator.h"

#include <new>

#include <vfwmsgs.h>

#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CMediaSample.h"

CMemAllocator::CMemAllocator(LPCTSTR pName, LPUNKNOWN pUnk, HRESULT* phr)
    : CBaseAllocator(pName, pUnk, phr)
{
}

CMemAllocator::~CMemAllocator()
{
    CAutoLock lock(&m_Lock);
    // Outstanding samples hold references, so by now every sample is back.
    if (m_lAllocated != 0 || m_pBuffer) {
        Free();
    }
}

STDMETHODIMP CMemAllocator::SetProperties(ALLOCATOR_PROPERTIES* pRequest,
                                          ALLOCATOR_PROPERTIES* pActual)
{
    if (!pRequest || !pActual) {
        return E_POINTER;
    }
    ALLOCATOR_PROPERTIES adjusted = *pRequest;
    if (adjusted.cbAlign == 0) {
        adjusted.cbAlign = 1;
    }
    if (adjusted.cbAlign < 0 || (adjusted.cbAlign & (adjusted.cbAlign - 1)) != 0) {
        return VFW_E_BADALIGN;
    }
    if (adjusted.cbBuffer < 0 || adjusted.cbPrefix < 0 ||
        adjusted.cbBuffer > 0x3FFFFFFF - adjusted.cbPrefix - adjusted.cbAlign) {
        return E_INVALIDARG;
    }
    const LONG whole = adjusted.cbBuffer + adjusted.cbPrefix;
    const LONG rounded = (whole + adjusted.cbAlign - 1) & ~(adjusted.cbAlign - 1);
    adjusted.cbBuffer = rounded - adjusted.cbPrefix;
    return CBaseAllocator::SetProperties(&adjusted, pActual);
}

HRESULT CMemAllocator::Alloc()
{
    const LONGLONG stride = static_cast<LONGLONG>(m_lSize) + m_lPrefix;
    const LONGLONG total = stride * m_lCount;
    if (total <= 0 || total > 0x7FFFFFFF) {
        return E_OUTOFMEMORY;
    }
    m_pBuffer = static_cast<LPBYTE>(
        VirtualAlloc(nullptr, static_cast<SIZE_T>(total), MEM_COMMIT, PAGE_READWRITE));
    if (!m_pBuffer) {
        return E_OUTOFMEMORY;
    }
    for (LONG i = 0; i < m_lCount; ++i) {
        HRESULT hr = S_OK;
        LPBYTE data = m_pBuffer + stride * i + m_lPrefix;
        auto* sample = new (std::nothrow) CMediaSample(L"Memory sample", this, &hr, data, m_lSize);
        if (!sample) {
            Free();
            return E_OUTOFMEMORY;
        }
        PushFree(sample);
        ++m_lAllocated;
    }
    return S_OK;
}

void CMemAllocator::Free()
{
    DeleteFreeSamples();
    if (m_pBuffer) {
        VirtualFree(m_pBuffer, 0, MEM_RELEASE);
        m_pBuffer = nullptr;
    }
}
