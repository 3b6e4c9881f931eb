// Media sample handed out by CBaseAllocator: a buffer with times, media times, flags and an
// optional type change. Its reference count belongs to the allocator's pool: when the last
// reference goes, the sample returns to the allocator's free list instead of being deleted.
#pragma once

#include <windows.h>
#include <strmif.h>

class CBaseAllocator;

class CMediaSample : public IMediaSample2 {
public:
    CMediaSample(LPCTSTR pName, CBaseAllocator* pAllocator, HRESULT* phr, LPBYTE pBuffer = nullptr,
                 LONG length = 0);
    virtual ~CMediaSample();
    CMediaSample(const CMediaSample&) = delete;
    CMediaSample& operator=(const CMediaSample&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    // At 0 the sample goes back to its allocator (which may then free it).
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetPointer(BYTE** ppBuffer) override;
    STDMETHODIMP_(LONG) GetSize() override;
    STDMETHODIMP GetTime(REFERENCE_TIME* pTimeStart, REFERENCE_TIME* pTimeEnd) override;
    STDMETHODIMP SetTime(REFERENCE_TIME* pTimeStart, REFERENCE_TIME* pTimeEnd) override;
    STDMETHODIMP IsSyncPoint() override;
    STDMETHODIMP SetSyncPoint(BOOL bIsSyncPoint) override;
    STDMETHODIMP IsPreroll() override;
    STDMETHODIMP SetPreroll(BOOL bIsPreroll) override;
    STDMETHODIMP_(LONG) GetActualDataLength() override;
    STDMETHODIMP SetActualDataLength(LONG lActual) override;
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** ppMediaType) override;
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE* pMediaType) override;
    STDMETHODIMP IsDiscontinuity() override;
    STDMETHODIMP SetDiscontinuity(BOOL bDiscontinuity) override;
    STDMETHODIMP GetMediaTime(LONGLONG* pTimeStart, LONGLONG* pTimeEnd) override;
    STDMETHODIMP SetMediaTime(LONGLONG* pTimeStart, LONGLONG* pTimeEnd) override;
    STDMETHODIMP GetProperties(DWORD cbProperties, BYTE* pbProperties) override;
    STDMETHODIMP SetProperties(DWORD cbProperties, const BYTE* pbProperties) override;

    // Points the sample at memory owned by its allocator.
    HRESULT SetPointer(BYTE* ptr, LONG cBytes);
    // Clears times, flags and type before the sample is handed out again.
    void ResetProperties();

    CMediaSample* m_pNext = nullptr;  // link in the allocator's free list

protected:
    LPCTSTR m_pName;
    DWORD m_dwFlags = 0;               // AM_SAMPLE_* bits
    DWORD m_dwTypeSpecificFlags = 0;
    LPBYTE m_pBuffer;
    LONG m_lActual;
    LONG m_cbBuffer;
    CBaseAllocator* m_pAllocator;      // not counted: the allocator owns the sample
    REFERENCE_TIME m_Start = 0;
    REFERENCE_TIME m_End = 0;
    LONGLONG m_MediaStart = 0;
    LONGLONG m_MediaEnd = 0;
    BOOL m_bMediaTimeValid = FALSE;
    AM_MEDIA_TYPE* m_pMediaType = nullptr;
    DWORD m_dwStreamId = AM_STREAM_MEDIA;
    volatile LONG m_cRef = 0;

    friend class CBaseAllocator;
};

// Gives an output sample the times and flags of the input sample whose properties are
// `props`, as the transform filters do for each sample they pass on; a discontinuity is also
// marked when `discontinuity` is set (a sample was skipped before).
void CopySampleTimesAndFlags(IMediaSample* out, const AM_SAMPLE2_PROPERTIES& props,
                             bool discontinuity);
// The source's media times, or none when it has none.
void CopySampleMediaTime(IMediaSample* out, IMediaSample* source);
