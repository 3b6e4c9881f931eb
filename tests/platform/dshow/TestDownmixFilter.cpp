// Stereo-to-mono test transform: keeps channel 0.
#include "tests/platform/dshow/TestDownmixFilter.h"

#include <cstring>

#include "tests/platform/dshow/TestMediaTypes.h"

TestDownmixFilter::TestDownmixFilter()
    : CTransformFilter(L"Test downmix", nullptr, CLSID_TestDownmix)
{
}

HRESULT TestDownmixFilter::CheckInputType(const CMediaType* mtIn)
{
    if (*mtIn->Type() != MEDIATYPE_Audio || *mtIn->Subtype() != MEDIASUBTYPE_PCM ||
        *mtIn->FormatType() != FORMAT_WaveFormatEx ||
        mtIn->FormatLength() < sizeof(PCMWAVEFORMAT)) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    const WAVEFORMATEX* format = dshowtest::Wave(*mtIn);
    return format->wBitsPerSample == 16 && format->nChannels == 2 ? S_OK
                                                                   : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT TestDownmixFilter::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (iPosition < 0) {
        return E_INVALIDARG;
    }
    if (iPosition > 0) {
        return VFW_S_NO_MORE_ITEMS;
    }
    const WAVEFORMATEX* in = dshowtest::Wave(m_pInput->MediaType());
    *pMediaType = dshowtest::MakePcmType(in->nSamplesPerSec, 1, 16);
    return S_OK;
}

HRESULT TestDownmixFilter::CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut)
{
    HRESULT hr = CheckInputType(mtIn);
    if (hr != S_OK) {
        return hr;
    }
    const CMediaType expected =
        dshowtest::MakePcmType(dshowtest::Wave(*mtIn)->nSamplesPerSec, 1, 16);
    return *mtOut == expected ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT TestDownmixFilter::DecideBufferSize(IMemAllocator* pAllocator,
                                            ALLOCATOR_PROPERTIES* pprop)
{
    ALLOCATOR_PROPERTIES input{};
    IMemAllocator* upstream = m_pInput->PeekAllocator();
    if (!upstream || FAILED(upstream->GetProperties(&input))) {
        return E_UNEXPECTED;
    }
    ALLOCATOR_PROPERTIES request = *pprop;
    const LONG half = input.cbBuffer / 2;
    request.cbBuffer = request.cbBuffer > half ? request.cbBuffer : half;
    request.cBuffers = request.cBuffers > 2 ? request.cBuffers : 2;
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = pAllocator->SetProperties(&request, &actual);
    if (FAILED(hr)) {
        return hr;
    }
    return actual.cbBuffer < half ? E_FAIL : S_OK;
}

HRESULT TestDownmixFilter::Transform(IMediaSample* pIn, IMediaSample* pOut)
{
    BYTE* from = nullptr;
    BYTE* to = nullptr;
    HRESULT hr = pIn->GetPointer(&from);
    if (SUCCEEDED(hr)) {
        hr = pOut->GetPointer(&to);
    }
    if (FAILED(hr)) {
        return hr;
    }
    const LONG frames = pIn->GetActualDataLength() / 4;
    if (frames * 2 > pOut->GetSize()) {
        return VFW_E_BUFFER_OVERFLOW;
    }
    for (LONG f = 0; f < frames; ++f) {
        std::memcpy(to + f * 2, from + f * 4, 2);
    }
    return pOut->SetActualDataLength(frames * 2);
}

HRESULT TestDownmixFilter::StartStreaming()
{
    ++m_starts;
    return S_OK;
}

HRESULT TestDownmixFilter::StopStreaming()
{
    ++m_stops;
    return S_OK;
}
