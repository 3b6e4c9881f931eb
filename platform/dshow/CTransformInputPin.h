// Input pin of CTransformFilter: forwards the connection steps, type checks and streaming
// calls to the filter, taking the receive lock around Receive and EndOfStream.
#pragma once

#include "platform/dshow/CBaseInputPin.h"

class CTransformFilter;

class CTransformInputPin : public CBaseInputPin {
public:
    CTransformInputPin(LPCTSTR pObjectName, CTransformFilter* pTransformFilter, HRESULT* phr,
                       LPCWSTR pName);

    HRESULT CheckConnect(IPin* pPin) override;
    HRESULT BreakConnect() override;
    HRESULT CompleteConnect(IPin* pReceivePin) override;
    HRESULT CheckMediaType(const CMediaType* mtIn) override;
    HRESULT SetMediaType(const CMediaType* mt) override;

    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;

    const CMediaType& MediaType() const { return m_mt; }

protected:
    CTransformFilter* m_pTransformFilter;
};
