// Output pin of CTransformFilter: offers the filter's output types once the input is
// connected, sizes buffers through the filter, and carries a seeking pass-through to the
// pin upstream of the filter's input.
#pragma once

#include "platform/dshow/CBaseOutputPin.h"

class CTransformFilter;
class CPosPassThru;

class CTransformOutputPin : public CBaseOutputPin {
public:
    CTransformOutputPin(LPCTSTR pObjectName, CTransformFilter* pTransformFilter, HRESULT* phr,
                        LPCWSTR pName);
    ~CTransformOutputPin() override;

    // IMediaSeeking comes from the pass-through (created on first use).
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT CheckConnect(IPin* pPin) override;
    HRESULT BreakConnect() override;
    HRESULT CompleteConnect(IPin* pReceivePin) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProp) override;
    HRESULT CheckMediaType(const CMediaType* mtOut) override;
    HRESULT SetMediaType(const CMediaType* pmt) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    // Quality messages go to the filter's AlterQuality, else upstream.
    STDMETHODIMP Notify(IBaseFilter* pSender, Quality q) override;

    const CMediaType& MediaType() const { return m_mt; }

protected:
    CTransformFilter* m_pTransformFilter;
    IUnknown* m_pPosition = nullptr;  // the pass-through's inner unknown, counted
};
