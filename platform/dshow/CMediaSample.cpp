// Sample properties follow IMediaSample's documented results: unset times and media times are
// errors, a missing stop time is reported as VFW_S_NO_STOP_TIME with stop = start + 1.
#include "platform/dshow/CMediaSample.h"

#include <cstddef>
#include <cstring>

#include <vfwmsgs.h>

#include "platform/dshow/CBaseAllocator.h"
#include "platform/dshow/CMediaType.h"

CMediaSample::CMediaSample(LPCTSTR pName, CBaseAllocator* pAllocator, HRESULT* phr,
                           LPBYTE pBuffer, LONG length)
    : m_pName(pName), m_pBuffer(pBuffer), m_lActual(length), m_cbBuffer(length),
      m_pAllocator(pAllocator)
{
    if (length < 0 && phr) {
        *phr = VFW_E_BUFFER_OVERFLOW;
    }
}

CMediaSample::~CMediaSample()
{
    if (m_pMediaType) {
        DeleteMediaType(m_pMediaType);
    }
}

STDMETHODIMP CMediaSample::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IMediaSample || riid == IID_IMediaSample2) {
        *ppv = static_cast<IMediaSample2*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CMediaSample::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_cRef));
}

STDMETHODIMP_(ULONG) CMediaSample::Release()
{
    const LONG count = InterlockedDecrement(&m_cRef);
    if (count == 0) {
        // Type changes never outlive one trip downstream.
        if (m_pMediaType) {
            DeleteMediaType(m_pMediaType);
            m_pMediaType = nullptr;
        }
        m_dwFlags &= ~static_cast<DWORD>(AM_SAMPLE_TYPECHANGED);
        m_pAllocator->ReleaseBuffer(this);
    }
    return static_cast<ULONG>(count);
}

HRESULT CMediaSample::SetPointer(BYTE* ptr, LONG cBytes)
{
    if (cBytes < 0) {
        return VFW_E_BUFFER_OVERFLOW;
    }
    m_pBuffer = ptr;
    m_cbBuffer = cBytes;
    m_lActual = cBytes;
    return S_OK;
}

void CMediaSample::ResetProperties()
{
    m_dwFlags = 0;
    m_dwTypeSpecificFlags = 0;
    m_bMediaTimeValid = FALSE;
    m_dwStreamId = AM_STREAM_MEDIA;
    if (m_pMediaType) {
        DeleteMediaType(m_pMediaType);
        m_pMediaType = nullptr;
    }
}

STDMETHODIMP CMediaSample::GetPointer(BYTE** ppBuffer)
{
    if (!ppBuffer) {
        return E_POINTER;
    }
    *ppBuffer = m_pBuffer;
    return S_OK;
}

STDMETHODIMP_(LONG) CMediaSample::GetSize()
{
    return m_cbBuffer;
}

STDMETHODIMP CMediaSample::GetTime(REFERENCE_TIME* pTimeStart, REFERENCE_TIME* pTimeEnd)
{
    if (!pTimeStart || !pTimeEnd) {
        return E_POINTER;
    }
    if (!(m_dwFlags & AM_SAMPLE_TIMEVALID)) {
        return VFW_E_SAMPLE_TIME_NOT_SET;
    }
    *pTimeStart = m_Start;
    if (!(m_dwFlags & AM_SAMPLE_STOPVALID)) {
        *pTimeEnd = m_Start + 1;
        return VFW_S_NO_STOP_TIME;
    }
    *pTimeEnd = m_End;
    return S_OK;
}

STDMETHODIMP CMediaSample::SetTime(REFERENCE_TIME* pTimeStart, REFERENCE_TIME* pTimeEnd)
{
    if (!pTimeStart) {
        m_dwFlags &= ~static_cast<DWORD>(AM_SAMPLE_TIMEVALID | AM_SAMPLE_STOPVALID);
        return S_OK;
    }
    m_Start = *pTimeStart;
    m_dwFlags |= AM_SAMPLE_TIMEVALID;
    if (pTimeEnd) {
        m_End = *pTimeEnd;
        m_dwFlags |= AM_SAMPLE_STOPVALID;
    } else {
        m_dwFlags &= ~static_cast<DWORD>(AM_SAMPLE_STOPVALID);
    }
    return S_OK;
}

namespace {

HRESULT FlagResult(DWORD flags, DWORD bit)
{
    return (flags & bit) ? S_OK : S_FALSE;
}

void SetFlag(DWORD& flags, DWORD bit, BOOL on)
{
    flags = on ? (flags | bit) : (flags & ~bit);
}

}  // namespace

STDMETHODIMP CMediaSample::IsSyncPoint()
{
    return FlagResult(m_dwFlags, AM_SAMPLE_SPLICEPOINT);
}

STDMETHODIMP CMediaSample::SetSyncPoint(BOOL bIsSyncPoint)
{
    SetFlag(m_dwFlags, AM_SAMPLE_SPLICEPOINT, bIsSyncPoint);
    return S_OK;
}

STDMETHODIMP CMediaSample::IsPreroll()
{
    return FlagResult(m_dwFlags, AM_SAMPLE_PREROLL);
}

STDMETHODIMP CMediaSample::SetPreroll(BOOL bIsPreroll)
{
    SetFlag(m_dwFlags, AM_SAMPLE_PREROLL, bIsPreroll);
    return S_OK;
}

STDMETHODIMP CMediaSample::IsDiscontinuity()
{
    return FlagResult(m_dwFlags, AM_SAMPLE_DATADISCONTINUITY);
}

STDMETHODIMP CMediaSample::SetDiscontinuity(BOOL bDiscontinuity)
{
    SetFlag(m_dwFlags, AM_SAMPLE_DATADISCONTINUITY, bDiscontinuity);
    return S_OK;
}

STDMETHODIMP_(LONG) CMediaSample::GetActualDataLength()
{
    return m_lActual;
}

STDMETHODIMP CMediaSample::SetActualDataLength(LONG lActual)
{
    if (lActual < 0 || lActual > m_cbBuffer) {
        return VFW_E_BUFFER_OVERFLOW;
    }
    m_lActual = lActual;
    return S_OK;
}

STDMETHODIMP CMediaSample::GetMediaType(AM_MEDIA_TYPE** ppMediaType)
{
    if (!ppMediaType) {
        return E_POINTER;
    }
    if (!(m_dwFlags & AM_SAMPLE_TYPECHANGED) || !m_pMediaType) {
        *ppMediaType = nullptr;
        return S_FALSE;
    }
    *ppMediaType = CreateMediaType(m_pMediaType);
    return *ppMediaType ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CMediaSample::SetMediaType(AM_MEDIA_TYPE* pMediaType)
{
    if (m_pMediaType) {
        DeleteMediaType(m_pMediaType);
        m_pMediaType = nullptr;
    }
    if (!pMediaType) {
        m_dwFlags &= ~static_cast<DWORD>(AM_SAMPLE_TYPECHANGED);
        return S_OK;
    }
    m_pMediaType = CreateMediaType(pMediaType);
    if (!m_pMediaType) {
        m_dwFlags &= ~static_cast<DWORD>(AM_SAMPLE_TYPECHANGED);
        return E_OUTOFMEMORY;
    }
    m_dwFlags |= AM_SAMPLE_TYPECHANGED;
    return S_OK;
}

STDMETHODIMP CMediaSample::GetMediaTime(LONGLONG* pTimeStart, LONGLONG* pTimeEnd)
{
    if (!pTimeStart || !pTimeEnd) {
        return E_POINTER;
    }
    if (!m_bMediaTimeValid) {
        return VFW_E_MEDIA_TIME_NOT_SET;
    }
    *pTimeStart = m_MediaStart;
    *pTimeEnd = m_MediaEnd;
    return S_OK;
}

STDMETHODIMP CMediaSample::SetMediaTime(LONGLONG* pTimeStart, LONGLONG* pTimeEnd)
{
    if (!pTimeStart) {
        m_bMediaTimeValid = FALSE;
        return S_OK;
    }
    if (!pTimeEnd) {
        return E_POINTER;
    }
    m_MediaStart = *pTimeStart;
    m_MediaEnd = *pTimeEnd;
    m_bMediaTimeValid = TRUE;
    return S_OK;
}

STDMETHODIMP CMediaSample::GetProperties(DWORD cbProperties, BYTE* pbProperties)
{
    if (cbProperties == 0) {
        return S_OK;
    }
    if (!pbProperties) {
        return E_POINTER;
    }
    AM_SAMPLE2_PROPERTIES props{};
    props.cbData = cbProperties < sizeof(props) ? cbProperties : sizeof(props);
    props.dwTypeSpecificFlags = m_dwTypeSpecificFlags;
    props.dwSampleFlags = m_dwFlags & ~static_cast<DWORD>(AM_SAMPLE_TYPECHANGED);
    if (m_pMediaType && (m_dwFlags & AM_SAMPLE_TYPECHANGED)) {
        props.dwSampleFlags |= AM_SAMPLE_TYPECHANGED;
    }
    props.lActual = m_lActual;
    props.tStart = m_Start;
    props.tStop = m_End;
    props.dwStreamId = m_dwStreamId;
    // Borrowed pointer: valid while the caller holds the sample, as documented.
    props.pMediaType = (props.dwSampleFlags & AM_SAMPLE_TYPECHANGED) ? m_pMediaType : nullptr;
    props.pbBuffer = m_pBuffer;
    props.cbBuffer = m_cbBuffer;
    std::memcpy(pbProperties, &props, props.cbData);
    return S_OK;
}

STDMETHODIMP CMediaSample::SetProperties(DWORD cbProperties, const BYTE* pbProperties)
{
    if (cbProperties == 0) {
        return S_OK;
    }
    if (!pbProperties) {
        return E_POINTER;
    }
    AM_SAMPLE2_PROPERTIES props{};
    if (cbProperties > sizeof(props)) {
        return E_INVALIDARG;
    }
    std::memcpy(&props, pbProperties, cbProperties);
    if (props.cbData != cbProperties) {
        return E_INVALIDARG;
    }
    constexpr DWORD kFlagsEnd = offsetof(AM_SAMPLE2_PROPERTIES, lActual);
    constexpr DWORD kActualEnd = offsetof(AM_SAMPLE2_PROPERTIES, tStart);
    constexpr DWORD kTimesEnd = offsetof(AM_SAMPLE2_PROPERTIES, dwStreamId);
    constexpr DWORD kStreamEnd = offsetof(AM_SAMPLE2_PROPERTIES, pMediaType);
    constexpr DWORD kTypeEnd = offsetof(AM_SAMPLE2_PROPERTIES, pbBuffer);
    if (cbProperties >= kActualEnd && (props.lActual < 0 || props.lActual > m_cbBuffer)) {
        return VFW_E_BUFFER_OVERFLOW;
    }
    if (cbProperties >= kTypeEnd && (props.dwSampleFlags & AM_SAMPLE_TYPECHANGED)) {
        const HRESULT hr = SetMediaType(props.pMediaType);
        if (FAILED(hr)) {
            return hr;
        }
    }
    if (cbProperties >= kFlagsEnd) {
        m_dwTypeSpecificFlags = props.dwTypeSpecificFlags;
        const DWORD keepType = m_dwFlags & AM_SAMPLE_TYPECHANGED;
        m_dwFlags = (props.dwSampleFlags & ~static_cast<DWORD>(AM_SAMPLE_TYPECHANGED)) | keepType;
    }
    if (cbProperties >= kActualEnd) {
        m_lActual = props.lActual;
    }
    if (cbProperties >= kTimesEnd) {
        m_Start = props.tStart;
        m_End = props.tStop;
    }
    if (cbProperties >= kStreamEnd) {
        m_dwStreamId = props.dwStreamId;
    }
    return S_OK;
}

void CopySampleTimesAndFlags(IMediaSample* out, const AM_SAMPLE2_PROPERTIES& props,
                             bool discontinuity)
{
    REFERENCE_TIME start = props.tStart;
    REFERENCE_TIME stop = props.tStop;
    if (props.dwSampleFlags & AM_SAMPLE_TIMEVALID) {
        out->SetTime(&start, (props.dwSampleFlags & AM_SAMPLE_STOPVALID) ? &stop : nullptr);
    } else {
        out->SetTime(nullptr, nullptr);
    }
    out->SetSyncPoint((props.dwSampleFlags & AM_SAMPLE_SPLICEPOINT) != 0);
    out->SetPreroll((props.dwSampleFlags & AM_SAMPLE_PREROLL) != 0);
    out->SetDiscontinuity((props.dwSampleFlags & AM_SAMPLE_DATADISCONTINUITY) != 0 ||
                          discontinuity);
}

void CopySampleMediaTime(IMediaSample* out, IMediaSample* source)
{
    LONGLONG mediaStart = 0;
    LONGLONG mediaStop = 0;
    if (source->GetMediaTime(&mediaStart, &mediaStop) == S_OK) {
        out->SetMediaTime(&mediaStart, &mediaStop);
    } else {
        out->SetMediaTime(nullptr, nullptr);
    }
}
