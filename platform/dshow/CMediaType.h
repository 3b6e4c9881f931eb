// AM_MEDIA_TYPE that owns its format block (CoTaskMem) and its IUnknown, plus the free
// functions that create, copy and free plain AM_MEDIA_TYPE structures the same way.
#pragma once

#include <windows.h>
#include <strmif.h>

class CMediaType : public AM_MEDIA_TYPE {
public:
    CMediaType();
    explicit CMediaType(const GUID* majortype);
    CMediaType(const AM_MEDIA_TYPE& rt, HRESULT* phr = nullptr);
    CMediaType(const CMediaType& rt, HRESULT* phr = nullptr);
    ~CMediaType();

    CMediaType& operator=(const AM_MEDIA_TYPE& rt);
    CMediaType& operator=(const CMediaType& rt);
    // Equal in major type, subtype, format type, format size and format bytes.
    BOOL operator==(const CMediaType& rt) const;
    BOOL operator!=(const CMediaType& rt) const { return !(*this == rt); }

    // Replaces this type with a deep copy of rt; E_OUTOFMEMORY leaves an empty type.
    HRESULT Set(const CMediaType& rt);
    HRESULT Set(const AM_MEDIA_TYPE& rt);
    BOOL IsValid() const { return majortype != GUID_NULL; }

    const GUID* Type() const { return &majortype; }
    void SetType(const GUID* ptype) { majortype = *ptype; }
    const GUID* Subtype() const { return &subtype; }
    void SetSubtype(const GUID* ptype) { subtype = *ptype; }
    BOOL IsFixedSize() const { return bFixedSizeSamples; }
    BOOL IsTemporalCompressed() const { return bTemporalCompression; }
    ULONG GetSampleSize() const { return IsFixedSize() ? lSampleSize : 0; }
    void SetSampleSize(ULONG sz);
    void SetVariableSize() { bFixedSizeSamples = FALSE; }
    void SetTemporalCompression(BOOL bCompressed) { bTemporalCompression = bCompressed; }

    const GUID* FormatType() const { return &formattype; }
    void SetFormatType(const GUID* pformattype) { formattype = *pformattype; }
    BYTE* Format() const { return pbFormat; }
    ULONG FormatLength() const { return cbFormat; }
    // Replaces the format block with a copy of length bytes of pFormat.
    BOOL SetFormat(const BYTE* pFormat, ULONG length);
    // Makes the format block length bytes long (contents kept up to the shorter length);
    // NULL when the allocation fails.
    BYTE* ReallocFormatBuffer(ULONG length);
    BYTE* AllocFormatBuffer(ULONG length) { return ReallocFormatBuffer(length); }
    void ResetFormatBuffer();
    void InitMediaType();

    // True when pPartial's non-null GUIDs (and format, when given) all match this type.
    BOOL MatchesPartial(const CMediaType* pPartial) const;
    BOOL IsPartiallySpecified() const;
};

// Frees the format block and the IUnknown of a caller-owned AM_MEDIA_TYPE (not the struct).
void WINAPI FreeMediaType(AM_MEDIA_TYPE& mt);
// Frees an AM_MEDIA_TYPE that was allocated with CoTaskMemAlloc (as enumerators return them).
void WINAPI DeleteMediaType(AM_MEDIA_TYPE* pmt);
// CoTaskMem copy of *pSrc; NULL when memory runs out.
AM_MEDIA_TYPE* WINAPI CreateMediaType(const AM_MEDIA_TYPE* pSrc);
// Deep copy into a caller-owned struct; E_OUTOFMEMORY leaves pmtTarget with no format block.
HRESULT WINAPI CopyMediaType(AM_MEDIA_TYPE* pmtTarget, const AM_MEDIA_TYPE* pmtSource);
