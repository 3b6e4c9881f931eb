// In-place inverting filter used by the graph tests.
#include "tests/platform/dshow/TestInvertFilter.h"

#include "tests/platform/dshow/TestMediaTypes.h"

TestInvertFilter::TestInvertFilter()
    : CTransInPlaceFilter(L"Test invert", nullptr, CLSID_TestInvert, nullptr, true)
{
}

HRESULT TestInvertFilter::CheckInputType(const CMediaType* mtIn)
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

HRESULT TestInvertFilter::Transform(IMediaSample* pSample)
{
    BYTE* data = nullptr;
    const HRESULT hr = pSample->GetPointer(&data);
    if (FAILED(hr)) {
        return hr;
    }
    const LONG length = pSample->GetActualDataLength();
    for (LONG i = 0; i < length; ++i) {
        data[i] = static_cast<BYTE>(~data[i]);
    }
    InterlockedIncrement(&m_transformed);
    if (UsingDifferentAllocators()) {
        InterlockedIncrement(&m_copied);
    }
    return S_OK;
}
