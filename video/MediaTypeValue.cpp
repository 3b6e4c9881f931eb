// Owned DirectShow media type value.
#include "MediaTypeValue.h"
#include "TraceScope.h"

#include <objbase.h>

#include <cstring>

namespace {

void MakeEmpty(AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    std::memset(&type, 0, sizeof(type));
    type.bFixedSizeSamples = TRUE;
    type.lSampleSize = 1;
}

}  // namespace

void FreeMediaTypeFields(AM_MEDIA_TYPE& type)
{
    TRACE_FUNCTION();
    if (type.pbFormat) {
        CoTaskMemFree(type.pbFormat);
    }
    type.pbFormat = nullptr;
    type.cbFormat = 0;
    if (type.pUnk) {
        type.pUnk->Release();
        type.pUnk = nullptr;
    }
}

MediaTypeValue::MediaTypeValue() : AM_MEDIA_TYPE()
{
    TRACE_FUNCTION();
    MakeEmpty(*this);
}

MediaTypeValue::MediaTypeValue(const MediaTypeValue& other) : AM_MEDIA_TYPE()
{
    TRACE_FUNCTION();
    MakeEmpty(*this);
    Set(other);
}

MediaTypeValue::~MediaTypeValue()
{
    TRACE_FUNCTION();
    FreeMediaTypeFields(*this);
}

MediaTypeValue& MediaTypeValue::operator=(const MediaTypeValue& other)
{
    if (this != &other) {
        Set(other);
    }
    return *this;
}

HRESULT MediaTypeValue::Set(const AM_MEDIA_TYPE& source)
{
    TRACE_FUNCTION();
    if (&source == this) {
        return S_OK;
    }
    BYTE* block = nullptr;
    if (source.cbFormat && source.pbFormat) {
        block = static_cast<BYTE*>(CoTaskMemAlloc(source.cbFormat));
        if (!block) {
            return E_OUTOFMEMORY;
        }
        std::memcpy(block, source.pbFormat, source.cbFormat);
    }
    if (source.pUnk) {
        source.pUnk->AddRef();
    }
    FreeMediaTypeFields(*this);
    static_cast<AM_MEDIA_TYPE&>(*this) = source;
    pbFormat = block;
    cbFormat = block ? source.cbFormat : 0;
    return S_OK;
}

void MediaTypeValue::Reset()
{
    TRACE_FUNCTION();
    FreeMediaTypeFields(*this);
    MakeEmpty(*this);
}

bool MediaTypeValue::AllocFormat(ULONG bytes)
{
    TRACE_FUNCTION();
    if (pbFormat) {
        CoTaskMemFree(pbFormat);
    }
    pbFormat = nullptr;
    cbFormat = 0;
    if (bytes == 0) {
        return true;
    }
    pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(bytes));
    if (!pbFormat) {
        return false;
    }
    std::memset(pbFormat, 0, bytes);
    cbFormat = bytes;
    return true;
}

void MediaTypeValue::SetSampleSize(ULONG size)
{
    TRACE_FUNCTION();
    if (size == 0) {
        bFixedSizeSamples = FALSE;
    } else {
        bFixedSizeSamples = TRUE;
        lSampleSize = size;
    }
}
