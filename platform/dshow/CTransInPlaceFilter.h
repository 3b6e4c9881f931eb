// Transform that works on the samples it receives instead of new ones: the upstream
// allocator is passed downstream so that the same buffers travel on. When the downstream pin
// insists on its own allocator, or the buffers are read-only and the filter modifies data,
// each sample is copied into an output buffer first.
#pragma once

#include "platform/dshow/CTransformFilter.h"

class CTransInPlaceFilter : public CTransformFilter {
public:
    // bModifiesData FALSE: Transform only looks at the data, so read-only buffers can pass.
    CTransInPlaceFilter(LPCTSTR pName, LPUNKNOWN pUnk, REFCLSID clsid, HRESULT* phr,
                        bool bModifiesData = true);

    CBasePin* GetPin(int n) override;

    // Required: work on pSample in place (the receive lock is held). S_FALSE drops it.
    virtual HRESULT Transform(IMediaSample* pSample) = 0;
    // Optional: the output type is the input type, so any pair the input takes is fine.
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    // Used only when the filter needs allocators of its own (copy mode): buffers as large and
    // as many as the upstream allocator's.
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProperties) override;
    // Types are those of the peers; never asked.
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    // A new input type that differs from the connected output's has the graph reconnect the
    // output with it (samples leave with the type they came in with).
    HRESULT CompleteConnect(PIN_DIRECTION dir, IPin* pReceivePin) override;

    HRESULT Receive(IMediaSample* pSample) override;

    BOOL UsingDifferentAllocators() const;
    bool ModifiesData() const { return m_bModifiesData; }

protected:
    // An output buffer holding a copy of pSource's data and properties, or NULL.
    IMediaSample* Copy(IMediaSample* pSource);

    bool m_bModifiesData;

    friend class CTransInPlaceInputPin;
    friend class CTransInPlaceOutputPin;
};
