// Base of every filter: IBaseFilter (with IMediaFilter and IPersist) and a trivial
// IAMovieSetup. Keeps the state, the reference clock, the graph and its event sink; activates
// and deactivates the connected pins on state changes. See streams.h for what derived filters
// override and the lock order.
#pragma once

#include <windows.h>
#include <strmif.h>

#include "platform/dshow/CCritSec.h"
#include "platform/dshow/CRefTime.h"
#include "platform/dshow/CUnknown.h"
#include "platform/base/CComPtr.h"

class CBasePin;

// Registration data is not used by the engine's filters; the type only needs to exist.
struct _AMOVIESETUP_FILTER;
using LPAMOVIESETUP_FILTER = _AMOVIESETUP_FILTER*;

class CBaseFilter : public CUnknown, public IBaseFilter, public IAMovieSetup {
public:
    // pLock is the filter's state lock, owned by the derived filter; it must outlive this.
    CBaseFilter(LPCTSTR pName, LPUNKNOWN pUnk, CCritSec* pLock, REFCLSID clsid);
    CBaseFilter(LPCTSTR pName, LPUNKNOWN pUnk, CCritSec* pLock, REFCLSID clsid, HRESULT* phr);
    ~CBaseFilter() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IPersist
    STDMETHODIMP GetClassID(CLSID* pClsID) override;

    // IMediaFilter. Stop/Pause/Run take the filter lock and call Inactive/Active/Run on every
    // connected pin; Run from stopped pauses first.
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME tStart) override;
    STDMETHODIMP GetState(DWORD dwMSecs, FILTER_STATE* State) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* pClock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** pClock) override;

    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** ppEnum) override;
    STDMETHODIMP FindPin(LPCWSTR Id, IPin** ppPin) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* pInfo) override;
    // Keeps the graph and its IMediaEventSink without references (the graph owns the filter).
    STDMETHODIMP JoinFilterGraph(IFilterGraph* pGraph, LPCWSTR pName) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* pVendorInfo) override;

    // IAMovieSetup: nothing to register.
    STDMETHODIMP Register() override;
    STDMETHODIMP Unregister() override;
    virtual LPAMOVIESETUP_FILTER GetSetupData() { return nullptr; }

    // Pins, by index; GetPin returns no reference.
    virtual int GetPinCount() = 0;
    virtual CBasePin* GetPin(int n) = 0;

    // Time since m_tStart on the reference clock; VFW_E_NO_CLOCK without one.
    virtual HRESULT StreamTime(CRefTime& rtStream);
    // Changes whenever pins are added or removed; enumerators compare it.
    virtual LONG GetPinVersion();
    void IncrementPinVersion();

    BOOL IsActive();
    BOOL IsStopped();
    // Sends an event to the graph; EC_COMPLETE without a filter parameter gets this filter.
    // Nothing happens outside a graph (S_FALSE).
    HRESULT NotifyEvent(long EventCode, LONG_PTR EventParam1, LONG_PTR EventParam2);
    IFilterGraph* GetFilterGraph() const { return m_pGraph; }

protected:
    // Derived filters may reach these under m_pLock.
    FILTER_STATE m_State = State_Stopped;
    CComPtr<IReferenceClock> m_pClock;
    CRefTime m_tStart;
    CLSID m_clsid;
    CCritSec* m_pLock;
    WCHAR* m_pName = nullptr;             // name in the graph (copy)
    IFilterGraph* m_pGraph = nullptr;     // not counted
    IMediaEventSink* m_pSink = nullptr;   // not counted
    LONG m_PinVersion = 1;

    friend class CBasePin;
};
