// The WMA decoder filter over the system's decoder transform. Output samples are cut to at
// most 100 ms and stamped from the input's start time on by their byte count.
#include "video/reader/CWmaDecoderFlt.h"

#include "platform/base/TimeUnits.h"

#include <mfapi.h>
#include <mferror.h>

#include <mutex>
#include <new>

namespace {

// The system's WMA decoder; its class id as documented for the decoder object.
const CLSID kWmaDecoderClsid = {
    0x2eeb4adf, 0x4578, 0x4d10, {0xbc, 0xa7, 0xbb, 0x95, 0x5f, 0x56, 0x32, 0x0a}};

bool StartMediaFoundation()
{
    static bool started = false;
    static std::once_flag once;
    std::call_once(once, [] { started = SUCCEEDED(MFStartup(MF_VERSION, MFSTARTUP_NOSOCKET)); });
    return started;
}

bool IsWmaType(const AM_MEDIA_TYPE& type)
{
    if (type.majortype != MEDIATYPE_Audio || type.formattype != FORMAT_WaveFormatEx ||
        type.pbFormat == nullptr || type.cbFormat < sizeof(WAVEFORMATEX)) {
        return false;
    }
    const WAVEFORMATEX* w = reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
    return (w->wFormatTag == 0x160 || w->wFormatTag == 0x161 || w->wFormatTag == 0x162) &&
           sizeof(WAVEFORMATEX) + w->cbSize <= type.cbFormat && w->nChannels >= 1 &&
           w->nChannels <= 2 && w->nSamplesPerSec > 0;
}

HRESULT MfTypeFromWave(const AM_MEDIA_TYPE& type, IMFMediaType** out)
{
    CComPtr<IMFMediaType> created;
    HRESULT hr = MFCreateMediaType(&created);
    if (FAILED(hr)) {
        return hr;
    }
    const WAVEFORMATEX* w = reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
    hr = MFInitMediaTypeFromWaveFormatEx(created, w, sizeof(WAVEFORMATEX) + w->cbSize);
    if (SUCCEEDED(hr)) {
        *out = created.Detach();
    }
    return hr;
}

}  // namespace

CWmaDecoderFlt::CWmaDecoderFlt() : CTransformFilter(nullptr, nullptr, CLSID_NULL) {}

CWmaDecoderFlt::~CWmaDecoderFlt() = default;

CWmaDecoderFlt* CWmaDecoderFlt::Create()
{
    if (!StartMediaFoundation()) {
        return nullptr;
    }
    CWmaDecoderFlt* filter = new (std::nothrow) CWmaDecoderFlt();
    if (filter != nullptr) {
        filter->AddRef();
    }
    return filter;
}

bool CWmaDecoderFlt::PcmTypeFor(const AM_MEDIA_TYPE& input, CMediaType& pcm)
{
    if (!IsWmaType(input)) {
        return false;
    }
    const WAVEFORMATEX* w = reinterpret_cast<const WAVEFORMATEX*>(input.pbFormat);
    pcm.InitMediaType();
    pcm.majortype = MEDIATYPE_Audio;
    pcm.subtype = MEDIASUBTYPE_PCM;
    pcm.formattype = FORMAT_WaveFormatEx;
    pcm.bFixedSizeSamples = TRUE;
    if (pcm.AllocFormatBuffer(sizeof(WAVEFORMATEX)) == nullptr) {
        return false;
    }
    WAVEFORMATEX* out = reinterpret_cast<WAVEFORMATEX*>(pcm.pbFormat);
    out->wFormatTag = WAVE_FORMAT_PCM;
    out->nChannels = w->nChannels;
    out->nSamplesPerSec = w->nSamplesPerSec;
    out->wBitsPerSample = 16;
    out->nBlockAlign = static_cast<WORD>(w->nChannels * 2);
    out->nAvgBytesPerSec = w->nSamplesPerSec * out->nBlockAlign;
    out->cbSize = 0;
    pcm.SetSampleSize(out->nBlockAlign);
    return true;
}

IMFTransform* CWmaDecoderFlt::CreateTransform(const AM_MEDIA_TYPE& input)
{
    CMediaType pcm;
    if (!PcmTypeFor(input, pcm) || !StartMediaFoundation()) {
        return nullptr;
    }
    CComPtr<IMFTransform> transform;
    if (FAILED(CoCreateInstance(kWmaDecoderClsid, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IMFTransform, reinterpret_cast<void**>(&transform))) ||
        transform == nullptr) {
        return nullptr;
    }
    CComPtr<IMFMediaType> in;
    CComPtr<IMFMediaType> out;
    HRESULT hr = MfTypeFromWave(input, &in);
    if (SUCCEEDED(hr)) {
        hr = transform->SetInputType(0, in, 0);
    }
    if (SUCCEEDED(hr)) {
        hr = MfTypeFromWave(pcm, &out);
    }
    if (SUCCEEDED(hr)) {
        hr = transform->SetOutputType(0, out, 0);
    }
    if (FAILED(hr)) {
        return nullptr;
    }
    return transform.Detach();
}

HRESULT CWmaDecoderFlt::CheckInputType(const CMediaType* mtIn)
{
    if (mtIn == nullptr || !IsWmaType(*mtIn)) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    CComPtr<IMFTransform> transform;
    transform.Attach(CreateTransform(*mtIn));
    return transform ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CWmaDecoderFlt::CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut)
{
    CMediaType pcm;
    if (mtIn == nullptr || mtOut == nullptr || !PcmTypeFor(*mtIn, pcm)) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    const bool same = mtOut->majortype == pcm.majortype && mtOut->subtype == pcm.subtype &&
                      mtOut->formattype == pcm.formattype && mtOut->pbFormat != nullptr &&
                      mtOut->cbFormat >= sizeof(PCMWAVEFORMAT) &&
                      memcmp(mtOut->pbFormat, pcm.pbFormat, sizeof(PCMWAVEFORMAT)) == 0;
    return same ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CWmaDecoderFlt::GetMediaType(int position, CMediaType* type)
{
    if (position < 0) {
        return E_INVALIDARG;
    }
    if (position > 0) {
        return VFW_S_NO_MORE_ITEMS;
    }
    if (!m_pInput->IsConnected()) {
        return E_UNEXPECTED;
    }
    CMediaType pcm;
    if (!PcmTypeFor(m_pInput->CurrentMediaType(), pcm)) {
        return E_UNEXPECTED;
    }
    return type->Set(pcm);
}

HRESULT CWmaDecoderFlt::DecideBufferSize(IMemAllocator* allocator,
                                         ALLOCATOR_PROPERTIES* request)
{
    const WAVEFORMATEX* w = reinterpret_cast<const WAVEFORMATEX*>(m_outputType.pbFormat);
    if (w == nullptr || w->nBlockAlign == 0) {
        return E_UNEXPECTED;
    }
    DWORD size = w->nAvgBytesPerSec / 10;
    size -= size % w->nBlockAlign;
    m_outputBufferSize = size > 0 ? size : w->nBlockAlign;
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cbBuffer = static_cast<long>(m_outputBufferSize);
    wanted.cBuffers = request->cBuffers > 10 ? request->cBuffers : 10;
    if (wanted.cbAlign <= 0) {
        wanted.cbAlign = 1;
    }
    ALLOCATOR_PROPERTIES actual = {};
    HRESULT hr = allocator->SetProperties(&wanted, &actual);
    if (SUCCEEDED(hr) && actual.cbBuffer < static_cast<long>(w->nBlockAlign)) {
        hr = E_FAIL;
    }
    if (SUCCEEDED(hr)) {
        m_outputBufferSize = static_cast<DWORD>(actual.cbBuffer) -
                             static_cast<DWORD>(actual.cbBuffer) % w->nBlockAlign;
    }
    return hr;
}

HRESULT CWmaDecoderFlt::SetMediaType(PIN_DIRECTION direction, const CMediaType* type)
{
    return direction == PINDIR_INPUT ? m_inputType.Set(*type) : m_outputType.Set(*type);
}

HRESULT CWmaDecoderFlt::StartStreaming()
{
    m_transform.Attach(CreateTransform(m_inputType));
    if (m_transform == nullptr) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    MFT_OUTPUT_STREAM_INFO info = {};
    m_transform->GetOutputStreamInfo(0, &info);
    m_providesSamples = (info.dwFlags & (MFT_OUTPUT_STREAM_PROVIDES_SAMPLES |
                                         MFT_OUTPUT_STREAM_CAN_PROVIDE_SAMPLES)) != 0;
    m_anchorPending = true;
    m_discontinuity = true;
    return S_OK;
}

HRESULT CWmaDecoderFlt::StopStreaming()
{
    m_transform.Release();
    return S_OK;
}

HRESULT CWmaDecoderFlt::Receive(IMediaSample* sample)
{
    if (m_transform == nullptr || sample == nullptr) {
        return E_UNEXPECTED;
    }
    if (m_pInput->SampleProps()->dwStreamId != AM_STREAM_MEDIA) {
        IMemInputPin* downstream = m_pOutput->ConnectedIMemInputPin();
        return downstream != nullptr ? downstream->Receive(sample) : E_POINTER;
    }
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    const bool timed = SUCCEEDED(sample->GetTime(&start, &stop));
    if (sample->IsDiscontinuity() == S_OK) {
        m_anchorPending = true;
    }
    if (m_anchorPending && timed) {
        m_nextTime = start;
        m_anchorPending = false;
    }
    BYTE* data = nullptr;
    const long length = sample->GetActualDataLength();
    if (FAILED(sample->GetPointer(&data)) || length <= 0) {
        return S_OK;
    }
    CComPtr<IMFMediaBuffer> buffer;
    CComPtr<IMFSample> input;
    HRESULT hr = MFCreateMemoryBuffer(static_cast<DWORD>(length), &buffer);
    if (SUCCEEDED(hr)) {
        BYTE* target = nullptr;
        hr = buffer->Lock(&target, nullptr, nullptr);
        if (SUCCEEDED(hr)) {
            memcpy(target, data, static_cast<size_t>(length));
            buffer->Unlock();
            hr = buffer->SetCurrentLength(static_cast<DWORD>(length));
        }
    }
    if (SUCCEEDED(hr)) {
        hr = MFCreateSample(&input);
    }
    if (SUCCEEDED(hr)) {
        hr = input->AddBuffer(buffer);
    }
    if (SUCCEEDED(hr) && timed) {
        input->SetSampleTime(start);
        input->SetSampleDuration(stop - start);
    }
    if (SUCCEEDED(hr)) {
        hr = m_transform->ProcessInput(0, input, 0);
        if (hr == MF_E_NOTACCEPTING) {
            hr = DeliverOutput();
            if (SUCCEEDED(hr)) {
                hr = m_transform->ProcessInput(0, input, 0);
            }
        }
    }
    input.Release();
    buffer.Release();
    if (FAILED(hr)) {
        return hr;
    }
    return DeliverOutput();
}

HRESULT CWmaDecoderFlt::DeliverOutput()
{
    for (;;) {
        CComPtr<IMFSample> output;
        if (!m_providesSamples) {
            MFT_OUTPUT_STREAM_INFO info = {};
            m_transform->GetOutputStreamInfo(0, &info);
            const DWORD size = info.cbSize > 0 ? info.cbSize : 65536;
            CComPtr<IMFMediaBuffer> buffer;
            if (FAILED(MFCreateSample(&output)) || FAILED(MFCreateMemoryBuffer(size, &buffer)) ||
                FAILED(output->AddBuffer(buffer))) {
                return E_OUTOFMEMORY;
            }
        }
        // Our sample's reference travels in the structure and comes back in pSample (or the
        // transform's own sample does); the events are the caller's to release.
        MFT_OUTPUT_DATA_BUFFER data = {0, output.Detach(), 0, nullptr};
        DWORD status = 0;
        HRESULT hr = m_transform->ProcessOutput(0, 1, &data, &status);
        CComPtr<IMFCollection> events;
        events.Attach(data.pEvents);
        CComPtr<IMFSample> produced;
        produced.Attach(data.pSample);
        if (hr == MF_E_TRANSFORM_NEED_MORE_INPUT) {
            return S_OK;
        }
        if (FAILED(hr) || produced == nullptr) {
            return FAILED(hr) ? hr : E_UNEXPECTED;
        }
        CComPtr<IMFMediaBuffer> contiguous;
        hr = produced->ConvertToContiguousBuffer(&contiguous);
        if (SUCCEEDED(hr)) {
            BYTE* bytes = nullptr;
            DWORD length = 0;
            hr = contiguous->Lock(&bytes, nullptr, &length);
            if (SUCCEEDED(hr)) {
                hr = DeliverBytes(bytes, length);
                contiguous->Unlock();
            }
        }
        if (hr != S_OK) {
            return hr;
        }
    }
}

HRESULT CWmaDecoderFlt::DeliverBytes(const BYTE* data, DWORD length)
{
    const WAVEFORMATEX* w = reinterpret_cast<const WAVEFORMATEX*>(m_outputType.pbFormat);
    while (length > 0) {
        CComPtr<IMediaSample> out;
        HRESULT hr = m_pOutput->GetDeliveryBuffer(&out, nullptr, nullptr, 0);
        if (FAILED(hr) || out == nullptr) {
            return FAILED(hr) ? hr : E_POINTER;
        }
        BYTE* target = nullptr;
        out->GetPointer(&target);
        const DWORD room = static_cast<DWORD>(out->GetSize());
        DWORD part = length < room ? length : room;
        part = part < m_outputBufferSize || m_outputBufferSize == 0 ? part : m_outputBufferSize;
        memcpy(target, data, part);
        out->SetActualDataLength(static_cast<long>(part));
        REFERENCE_TIME start = m_nextTime;
        REFERENCE_TIME stop = start + static_cast<REFERENCE_TIME>(static_cast<double>(part) *
                                                                  kRefTimePerSecond /
                                                                  w->nAvgBytesPerSec);
        out->SetTime(&start, &stop);
        out->SetSyncPoint(TRUE);
        out->SetDiscontinuity(m_discontinuity ? TRUE : FALSE);
        m_discontinuity = false;
        m_nextTime = stop;
        hr = m_pOutput->Deliver(out);
        out.Release();
        if (hr != S_OK) {
            return hr;
        }
        data += part;
        length -= part;
    }
    return S_OK;
}

HRESULT CWmaDecoderFlt::EndOfStream()
{
    if (m_transform != nullptr) {
        m_transform->ProcessMessage(MFT_MESSAGE_COMMAND_DRAIN, 0);
        DeliverOutput();
    }
    return CTransformFilter::EndOfStream();
}

HRESULT CWmaDecoderFlt::EndFlush()
{
    if (m_transform != nullptr) {
        m_transform->ProcessMessage(MFT_MESSAGE_COMMAND_FLUSH, 0);
    }
    m_anchorPending = true;
    m_discontinuity = true;
    return CTransformFilter::EndFlush();
}
