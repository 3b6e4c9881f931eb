// Audio level tap: type checks against the type the chain was built for, the copy of the
// connection's format, and the hand-over of each running sample's data to the sink.
#include "video/audio/CAudioGrabberFilter.h"

#include <cstring>
#include <new>

#include "video/audio/FilterTrace.h"

namespace {

const WAVEFORMATEX* WaveFormat(const AM_MEDIA_TYPE& type)
{
    if (type.formattype != FORMAT_WaveFormatEx || !type.pbFormat ||
        type.cbFormat < sizeof(PCMWAVEFORMAT)) {
        return nullptr;
    }
    return reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
}

}  // namespace

CAudioGrabberFilter* CAudioGrabberFilter::Create(const AM_MEDIA_TYPE& expectedType,
                                                 IAudioFilterSink* sink, HRESULT* phr)
{
    HRESULT hr = S_OK;
    auto* filter = new (std::nothrow) CAudioGrabberFilter(sink, &hr);
    if (!filter) {
        hr = E_OUTOFMEMORY;
    } else if (SUCCEEDED(hr)) {
        hr = filter->m_expectedType.Set(expectedType);
    }
    if (FAILED(hr)) {
        delete filter;
        filter = nullptr;
    } else {
        filter->NonDelegatingAddRef();
    }
    if (phr) {
        *phr = hr;
    }
    return filter;
}

CAudioGrabberFilter::CAudioGrabberFilter(IAudioFilterSink* sink, HRESULT* phr)
    : CTransInPlaceFilter(nullptr, nullptr, CLSID_NULL, phr, false), m_sink(sink)
{
}

CAudioGrabberFilter::~CAudioGrabberFilter() = default;

HRESULT CAudioGrabberFilter::CheckInputType(const CMediaType* mtIn)
{
    if (!mtIn) {
        return E_POINTER;
    }
    if (*mtIn == m_expectedType) {
        return S_OK;
    }
    // Only the fields that matter for reading the data are compared; their block must be
    // large enough to hold them.
    const WAVEFORMATEX* in = WaveFormat(*mtIn);
    const WAVEFORMATEX* want = WaveFormat(m_expectedType);
    if (mtIn->majortype != MEDIATYPE_Audio || mtIn->subtype != m_expectedType.subtype || !in ||
        !want) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    const bool same = in->wFormatTag == want->wFormatTag &&
                      in->wBitsPerSample == want->wBitsPerSample &&
                      in->nChannels == want->nChannels &&
                      in->nSamplesPerSec == want->nSamplesPerSec;
    return same ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAudioGrabberFilter::CheckTransform(const CMediaType*, const CMediaType*)
{
    return S_OK;
}

HRESULT CAudioGrabberFilter::SetMediaType(PIN_DIRECTION direction, const CMediaType* pmt)
{
    if (direction != PINDIR_INPUT || !pmt || !pmt->pbFormat) {
        return S_OK;
    }
    // The format block may be shorter than a WAVEFORMATEX (a plain PCMWAVEFORMAT has no
    // cbSize): copy only what is there and leave the rest zero.
    m_formatCopy = WAVEFORMATEX{};
    const ULONG size = pmt->cbFormat < sizeof(WAVEFORMATEX) ? pmt->cbFormat
                                                            : sizeof(WAVEFORMATEX);
    std::memcpy(&m_formatCopy, pmt->pbFormat, size);
    filter_trace::Info(m_sink, __FILE__, __LINE__, L"AudioGrabberFilter Format: ");
    if (m_sink) {
        m_sink->LogMediaType(*pmt);
    }
    return S_OK;
}

HRESULT CAudioGrabberFilter::Transform(IMediaSample* pSample)
{
    if (m_State != State_Running || !pSample) {
        return S_OK;
    }
    const long length = pSample->GetActualDataLength();
    if (length <= 0) {
        return S_OK;
    }
    BYTE* data = nullptr;
    const HRESULT hr = pSample->GetPointer(&data);
    if (SUCCEEDED(hr) && data && m_sink) {
        m_sink->OnAudioData(m_source, &m_formatCopy, data, length);
    }
    return hr;
}
