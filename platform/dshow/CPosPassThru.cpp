// Seeking pass-through: each call looks the upstream peer up afresh, so reconnections need no
// notification.
#include "platform/dshow/CPosPassThru.h"

#include "platform/base/CComPtr.h"

#include <vfwmsgs.h>

CPosPassThru::CPosPassThru(LPCTSTR pName, LPUNKNOWN pUnk, HRESULT* phr, IPin* pPin)
    : CUnknown(pName, pUnk), m_pPin(pPin)
{
    if (!pPin && phr) {
        *phr = E_POINTER;
    }
}

STDMETHODIMP CPosPassThru::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMediaSeeking) {
        return GetInterface(static_cast<IMediaSeeking*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CPosPassThru::GetPeerSeeking(IMediaSeeking** ppMS)
{
    *ppMS = nullptr;
    if (!m_pPin) {
        return E_NOTIMPL;
    }
    CComPtr<IPin> peer;
    if (FAILED(m_pPin->ConnectedTo(&peer)) || !peer) {
        return VFW_E_NOT_CONNECTED;
    }
    const HRESULT hr = peer->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(ppMS));
    return FAILED(hr) ? E_NOTIMPL : S_OK;
}

// Each method: find the peer, forward.
#define PASS_THROUGH(call)                       \
    CComPtr<IMediaSeeking> seeking;              \
    HRESULT hr = GetPeerSeeking(&seeking);       \
    if (FAILED(hr)) {                            \
        return hr;                               \
    }                                            \
    return seeking->call

STDMETHODIMP CPosPassThru::GetCapabilities(DWORD* pCapabilities)
{
    PASS_THROUGH(GetCapabilities(pCapabilities));
}

STDMETHODIMP CPosPassThru::CheckCapabilities(DWORD* pCapabilities)
{
    PASS_THROUGH(CheckCapabilities(pCapabilities));
}

STDMETHODIMP CPosPassThru::IsFormatSupported(const GUID* pFormat)
{
    PASS_THROUGH(IsFormatSupported(pFormat));
}

STDMETHODIMP CPosPassThru::QueryPreferredFormat(GUID* pFormat)
{
    PASS_THROUGH(QueryPreferredFormat(pFormat));
}

STDMETHODIMP CPosPassThru::GetTimeFormat(GUID* pFormat)
{
    PASS_THROUGH(GetTimeFormat(pFormat));
}

STDMETHODIMP CPosPassThru::IsUsingTimeFormat(const GUID* pFormat)
{
    PASS_THROUGH(IsUsingTimeFormat(pFormat));
}

STDMETHODIMP CPosPassThru::SetTimeFormat(const GUID* pFormat)
{
    PASS_THROUGH(SetTimeFormat(pFormat));
}

STDMETHODIMP CPosPassThru::GetDuration(LONGLONG* pDuration)
{
    PASS_THROUGH(GetDuration(pDuration));
}

STDMETHODIMP CPosPassThru::GetStopPosition(LONGLONG* pStop)
{
    PASS_THROUGH(GetStopPosition(pStop));
}

STDMETHODIMP CPosPassThru::GetCurrentPosition(LONGLONG* pCurrent)
{
    PASS_THROUGH(GetCurrentPosition(pCurrent));
}

STDMETHODIMP CPosPassThru::ConvertTimeFormat(LONGLONG* pTarget, const GUID* pTargetFormat,
                                             LONGLONG Source, const GUID* pSourceFormat)
{
    PASS_THROUGH(ConvertTimeFormat(pTarget, pTargetFormat, Source, pSourceFormat));
}

STDMETHODIMP CPosPassThru::SetPositions(LONGLONG* pCurrent, DWORD dwCurrentFlags,
                                        LONGLONG* pStop, DWORD dwStopFlags)
{
    PASS_THROUGH(SetPositions(pCurrent, dwCurrentFlags, pStop, dwStopFlags));
}

STDMETHODIMP CPosPassThru::GetPositions(LONGLONG* pCurrent, LONGLONG* pStop)
{
    PASS_THROUGH(GetPositions(pCurrent, pStop));
}

STDMETHODIMP CPosPassThru::GetAvailable(LONGLONG* pEarliest, LONGLONG* pLatest)
{
    PASS_THROUGH(GetAvailable(pEarliest, pLatest));
}

STDMETHODIMP CPosPassThru::SetRate(double dRate)
{
    PASS_THROUGH(SetRate(dRate));
}

STDMETHODIMP CPosPassThru::GetRate(double* pdRate)
{
    PASS_THROUGH(GetRate(pdRate));
}

STDMETHODIMP CPosPassThru::GetPreroll(LONGLONG* pllPreroll)
{
    PASS_THROUGH(GetPreroll(pllPreroll));
}
