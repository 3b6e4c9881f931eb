// The recorder: copies each 16-bit sample it passes under its lock, then lets it through.
#include "tests/video/audio/PcmRecorder.h"

#include <cstring>

PcmRecorder* PcmRecorder::Create()
{
    HRESULT hr = S_OK;
    auto* filter = new PcmRecorder(&hr);
    filter->AddRef();
    return filter;
}

PcmRecorder::PcmRecorder(HRESULT* phr)
    : CTransInPlaceFilter(L"PCM recorder", nullptr, GUID_NULL, phr, false)
{
}

HRESULT PcmRecorder::CheckInputType(const CMediaType* mtIn)
{
    if (mtIn->majortype != MEDIATYPE_Audio || mtIn->formattype != FORMAT_WaveFormatEx ||
        mtIn->cbFormat < sizeof(PCMWAVEFORMAT) ||
        reinterpret_cast<const WAVEFORMATEX*>(mtIn->pbFormat)->wBitsPerSample != 16) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    return S_OK;
}

HRESULT PcmRecorder::Transform(IMediaSample* pSample)
{
    BYTE* data = nullptr;
    const long length = pSample->GetActualDataLength();
    if (FAILED(pSample->GetPointer(&data)) || data == nullptr || length <= 0) {
        return S_OK;
    }
    std::lock_guard<std::mutex> hold(m_mutex);
    const size_t old = m_values.size();
    m_values.resize(old + static_cast<size_t>(length) / 2);
    std::memcpy(m_values.data() + old, data, (static_cast<size_t>(length) / 2) * 2);
    return S_OK;
}

std::vector<int16_t> PcmRecorder::Values() const
{
    std::lock_guard<std::mutex> hold(m_mutex);
    return m_values;
}
