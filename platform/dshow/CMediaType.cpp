// Media type ownership rules: the format block is always CoTaskMem memory so that types can
// cross COM boundaries (enumerators, ConnectionMediaType) and be freed by either side.
#include "platform/dshow/CMediaType.h"

#include <cstring>

void WINAPI FreeMediaType(AM_MEDIA_TYPE& mt)
{
    if (mt.cbFormat != 0 || mt.pbFormat) {
        CoTaskMemFree(mt.pbFormat);
        mt.cbFormat = 0;
        mt.pbFormat = nullptr;
    }
    if (mt.pUnk) {
        // A media type is a C structure: its pUnk field holds a counted reference by contract.
        mt.pUnk->Release();
        mt.pUnk = nullptr;
    }
}

void WINAPI DeleteMediaType(AM_MEDIA_TYPE* pmt)
{
    if (pmt) {
        FreeMediaType(*pmt);
        CoTaskMemFree(pmt);
    }
}

HRESULT WINAPI CopyMediaType(AM_MEDIA_TYPE* pmtTarget, const AM_MEDIA_TYPE* pmtSource)
{
    if (!pmtTarget || !pmtSource) {
        return E_POINTER;
    }
    *pmtTarget = *pmtSource;
    if (pmtSource->cbFormat != 0 && pmtSource->pbFormat) {
        pmtTarget->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(pmtSource->cbFormat));
        if (!pmtTarget->pbFormat) {
            pmtTarget->cbFormat = 0;
            pmtTarget->pUnk = nullptr;
            return E_OUTOFMEMORY;
        }
        std::memcpy(pmtTarget->pbFormat, pmtSource->pbFormat, pmtSource->cbFormat);
    } else {
        pmtTarget->cbFormat = 0;
        pmtTarget->pbFormat = nullptr;
    }
    if (pmtTarget->pUnk) {
        pmtTarget->pUnk->AddRef();
    }
    return S_OK;
}

AM_MEDIA_TYPE* WINAPI CreateMediaType(const AM_MEDIA_TYPE* pSrc)
{
    if (!pSrc) {
        return nullptr;
    }
    auto* pmt = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!pmt) {
        return nullptr;
    }
    if (FAILED(CopyMediaType(pmt, pSrc))) {
        CoTaskMemFree(pmt);
        return nullptr;
    }
    return pmt;
}

CMediaType::CMediaType()
{
    std::memset(static_cast<AM_MEDIA_TYPE*>(this), 0, sizeof(AM_MEDIA_TYPE));
    InitMediaType();
}

CMediaType::CMediaType(const GUID* type) : CMediaType()
{
    if (type) {
        majortype = *type;
    }
}

CMediaType::CMediaType(const AM_MEDIA_TYPE& rt, HRESULT* phr) : CMediaType()
{
    const HRESULT hr = CopyMediaType(this, &rt);
    if (FAILED(hr) && phr) {
        *phr = hr;
    }
}

CMediaType::CMediaType(const CMediaType& rt, HRESULT* phr)
    : CMediaType(static_cast<const AM_MEDIA_TYPE&>(rt), phr)
{
}

CMediaType::~CMediaType()
{
    FreeMediaType(*this);
}

void CMediaType::InitMediaType()
{
    ResetFormatBuffer();
    if (pUnk) {
        // A media type is a C structure: its pUnk field holds a counted reference by contract.
        pUnk->Release();
    }
    std::memset(static_cast<AM_MEDIA_TYPE*>(this), 0, sizeof(AM_MEDIA_TYPE));
    lSampleSize = 1;
    bFixedSizeSamples = TRUE;
}

HRESULT CMediaType::Set(const AM_MEDIA_TYPE& rt)
{
    if (&rt == static_cast<AM_MEDIA_TYPE*>(this)) {
        return S_OK;
    }
    FreeMediaType(*this);
    const HRESULT hr = CopyMediaType(this, &rt);
    return FAILED(hr) ? E_OUTOFMEMORY : S_OK;
}

HRESULT CMediaType::Set(const CMediaType& rt)
{
    return Set(static_cast<const AM_MEDIA_TYPE&>(rt));
}

CMediaType& CMediaType::operator=(const AM_MEDIA_TYPE& rt)
{
    Set(rt);
    return *this;
}

CMediaType& CMediaType::operator=(const CMediaType& rt)
{
    Set(rt);
    return *this;
}

BOOL CMediaType::operator==(const CMediaType& rt) const
{
    return majortype == rt.majortype && subtype == rt.subtype && formattype == rt.formattype &&
           cbFormat == rt.cbFormat &&
           (cbFormat == 0 || (pbFormat && rt.pbFormat &&
                              std::memcmp(pbFormat, rt.pbFormat, cbFormat) == 0));
}

void CMediaType::SetSampleSize(ULONG sz)
{
    if (sz == 0) {
        SetVariableSize();
    } else {
        bFixedSizeSamples = TRUE;
        lSampleSize = sz;
    }
}

BOOL CMediaType::SetFormat(const BYTE* pformat, ULONG length)
{
    if (length != 0 && !pformat) {
        return FALSE;
    }
    if (length == 0) {
        ResetFormatBuffer();
        return TRUE;
    }
    BYTE* block = static_cast<BYTE*>(CoTaskMemAlloc(length));
    if (!block) {
        return FALSE;
    }
    std::memcpy(block, pformat, length);
    ResetFormatBuffer();
    pbFormat = block;
    cbFormat = length;
    return TRUE;
}

BYTE* CMediaType::ReallocFormatBuffer(ULONG length)
{
    if (length == 0) {
        ResetFormatBuffer();
        return nullptr;
    }
    if (length == cbFormat && pbFormat) {
        return pbFormat;
    }
    BYTE* block = static_cast<BYTE*>(CoTaskMemAlloc(length));
    if (!block) {
        return nullptr;
    }
    std::memset(block, 0, length);
    if (pbFormat) {
        std::memcpy(block, pbFormat, cbFormat < length ? cbFormat : length);
    }
    ResetFormatBuffer();
    pbFormat = block;
    cbFormat = length;
    return block;
}

void CMediaType::ResetFormatBuffer()
{
    if (pbFormat) {
        CoTaskMemFree(pbFormat);
    }
    cbFormat = 0;
    pbFormat = nullptr;
}

BOOL CMediaType::IsPartiallySpecified() const
{
    return majortype == GUID_NULL || subtype == GUID_NULL || formattype == GUID_NULL;
}

BOOL CMediaType::MatchesPartial(const CMediaType* pPartial) const
{
    if (pPartial->majortype != GUID_NULL && pPartial->majortype != majortype) {
        return FALSE;
    }
    if (pPartial->subtype != GUID_NULL && pPartial->subtype != subtype) {
        return FALSE;
    }
    if (pPartial->formattype != GUID_NULL) {
        if (pPartial->formattype != formattype || pPartial->cbFormat != cbFormat) {
            return FALSE;
        }
        if (cbFormat != 0 && std::memcmp(pPartial->pbFormat, pbFormat, cbFormat) != 0) {
            return FALSE;
        }
    }
    return TRUE;
}
