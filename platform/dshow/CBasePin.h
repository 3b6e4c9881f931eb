// Base of every pin: the whole of IPin (connection with media-type agreement, disconnection,
// queries, stream control defaults) and IQualityControl. Derived pins decide which types they
// take (CheckMediaType) and offer (GetMediaType) and hook the connection steps. By default the
// pin's references are the filter's; a pin may count its own by overriding NonDelegatingAddRef
// and NonDelegatingRelease (it then deletes itself when its count reaches 0).
#pragma once

#include <windows.h>
#include <strmif.h>

#include "platform/dshow/CBaseFilter.h"
#include "platform/dshow/CMediaType.h"
#include "platform/dshow/CUnknown.h"

class CBasePin : public CUnknown, public IPin, public IQualityControl {
public:
    // pLock guards the connection (usually the filter's state lock); pName is copied.
    CBasePin(LPCTSTR pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr,
             LPCWSTR pName, PIN_DIRECTION dir);
    ~CBasePin() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    // Forwarded to the filter: a pin lives as long as its filter.
    STDMETHODIMP_(ULONG) NonDelegatingAddRef() override;
    STDMETHODIMP_(ULONG) NonDelegatingRelease() override;

    // IPin
    STDMETHODIMP Connect(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP ReceiveConnection(IPin* pConnector, const AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pPin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* pInfo) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* pPinDir) override;
    STDMETHODIMP QueryId(LPWSTR* Id) override;
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** ppEnum) override;
    STDMETHODIMP QueryInternalConnections(IPin** apPin, ULONG* nPin) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override = 0;
    STDMETHODIMP EndFlush() override = 0;
    // Stores the segment (m_tStart, m_tStop, m_dRate).
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;

    // IQualityControl
    STDMETHODIMP Notify(IBaseFilter* pSender, Quality q) override;
    STDMETHODIMP SetSink(IQualityControl* piqc) override;

    // Overridables, called with the pin's lock held during connection.
    // S_OK when the pin takes the type; anything else refuses it.
    virtual HRESULT CheckMediaType(const CMediaType* pmt) = 0;
    // Records the agreed type in m_mt.
    virtual HRESULT SetMediaType(const CMediaType* pmt);
    // Type number iPosition that the pin offers: S_OK, VFW_S_NO_MORE_ITEMS past the end.
    virtual HRESULT GetMediaType(int iPosition, CMediaType* pMediaType);
    virtual LONG GetMediaTypeVersion();
    void IncrementTypeVersion();
    // Checks the peer before types are tried (direction by default).
    virtual HRESULT CheckConnect(IPin* pPin);
    // Undoes CheckConnect/CompleteConnect; may be called more than once.
    virtual HRESULT BreakConnect();
    // Last step of a connection, with the type set and m_Connected known.
    virtual HRESULT CompleteConnect(IPin* pReceivePin);

    // State changes, called by the filter with its lock held, for connected pins only.
    virtual HRESULT Active();
    virtual HRESULT Inactive();
    virtual HRESULT Run(REFERENCE_TIME tStart);

    BOOL IsConnected() const { return m_Connected != nullptr; }
    IPin* GetConnected() const { return m_Connected; }  // no reference
    BOOL IsStopped() const { return m_pFilter->m_State == State_Stopped; }
    const CMediaType& CurrentMediaType() const { return m_mt; }
    LPCWSTR Name() const { return m_pName; }
    CBaseFilter* GetFilter() const { return m_pFilter; }
    REFERENCE_TIME CurrentStartTime() const { return m_tStart; }
    REFERENCE_TIME CurrentStopTime() const { return m_tStop; }
    double CurrentRate() const { return m_dRate; }

protected:
    // Type agreement: pmt fully given is tried alone; otherwise the peer's types, then ours.
    virtual HRESULT AgreeMediaType(IPin* pReceivePin, const CMediaType* pmt);
    virtual HRESULT AttemptConnection(IPin* pReceivePin, const CMediaType* pmt);
    HRESULT TryMediaTypes(IPin* pReceivePin, const CMediaType* pmt, IEnumMediaTypes* pEnum);
    HRESULT DisconnectInternal();

    WCHAR* m_pName = nullptr;
    CComPtr<IPin> m_Connected;
    PIN_DIRECTION m_dir;
    CCritSec* m_pLock;
    BOOL m_bRunTimeError = FALSE;
    BOOL m_bCanReconnectWhenActive = FALSE;
    BOOL m_bTryMyTypesFirst = FALSE;
    CBaseFilter* m_pFilter;           // not counted: the filter owns the pin
    IQualityControl* m_pQSink = nullptr;  // not counted
    LONG m_TypeVersion = 1;
    CMediaType m_mt;
    REFERENCE_TIME m_tStart = 0;
    REFERENCE_TIME m_tStop = 0x7FFFFFFFFFFFFFFFLL;
    double m_dRate = 1.0;
};
