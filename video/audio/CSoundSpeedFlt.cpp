// Sound-speed filter: type checks, buffer sizes, the PCM <-> float conversions around the
// time-stretch, output time stamps, and the reports of failures. End of stream always goes
// downstream so that playback ends, and after a flush the filter delivers again as soon as data
// arrives (the stretch restarts), without waiting for the graph to stop and start.
#include "video/audio/CSoundSpeedFlt.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "video/audio/FilterTrace.h"
#include "platform/base/TimeUnits.h"

namespace {

constexpr int kOutputBuffers = 10;  // 10 x 100 ms keeps the renderer fed

const WAVEFORMATEX* WaveFormat(const AM_MEDIA_TYPE& type)
{
    if (type.formattype != FORMAT_WaveFormatEx || !type.pbFormat ||
        type.cbFormat < sizeof(PCMWAVEFORMAT)) {
        return nullptr;
    }
    return reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
}

bool SameTypes(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b)
{
    return a.majortype == b.majortype && a.subtype == b.subtype &&
           a.formattype == b.formattype && a.cbFormat == b.cbFormat &&
           (a.cbFormat == 0 || (a.pbFormat && b.pbFormat &&
                                std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0));
}

}  // namespace

CSoundSpeedFlt* CSoundSpeedFlt::Create(double speed, const AM_MEDIA_TYPE& expectedType,
                                       IAudioFilterSink* sink, HRESULT* phr)
{
    HRESULT hr = S_OK;
    auto* filter = new (std::nothrow) CSoundSpeedFlt(speed, sink, &hr);
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

CSoundSpeedFlt::CSoundSpeedFlt(double speed, IAudioFilterSink* sink, HRESULT* phr)
    : CTransformFilter(nullptr, nullptr, CLSID_NULL), m_sink(sink), m_speed(speed)
{
    if (phr) {
        *phr = S_OK;
    }
}

CSoundSpeedFlt::~CSoundSpeedFlt()
{
    FreeFloatBuffer();
}

void CSoundSpeedFlt::FreeFloatBuffer()
{
    std::vector<float>().swap(m_floatBuffer);
}

const WAVEFORMATEX* CSoundSpeedFlt::Format() const
{
    return WaveFormat(m_connectedType);
}

bool CSoundSpeedFlt::IsSupportedPcm(const AM_MEDIA_TYPE& type)
{
    const WAVEFORMATEX* f = WaveFormat(type);
    if (type.majortype != MEDIATYPE_Audio || !f || f->wFormatTag != WAVE_FORMAT_PCM) {
        return false;
    }
    if (f->nChannels < 1 || f->nChannels > 2 || (f->wBitsPerSample != 8 &&
                                                  f->wBitsPerSample != 16)) {
        return false;
    }
    if (f->nSamplesPerSec < 4000 || f->nSamplesPerSec > 192000) {
        return false;
    }
    const unsigned align = f->nChannels * f->wBitsPerSample / 8u;
    return f->nBlockAlign == align && f->nAvgBytesPerSec == align * f->nSamplesPerSec;
}

BYTE CSoundSpeedFlt::FloatToPcm8(float v)
{
    const float h = v > 0.0f ? 0.499999f : -0.499999f;
    v = v < -1.0f ? -1.0f : (v > 0.9921875f ? 0.9921875f : v);
    return static_cast<BYTE>(static_cast<int>(v * 128.0f + h) + 128);
}

int16_t CSoundSpeedFlt::FloatToPcm16(float v)
{
    const float h = v > 0.0f ? 0.499999f : -0.499999f;
    v = v < -1.0f ? -1.0f : (v > 0.999969482421875f ? 0.999969482421875f : v);
    return static_cast<int16_t>(static_cast<int>(v * 32768.0f + h));
}

HRESULT CSoundSpeedFlt::Transform(IMediaSample*, IMediaSample*)
{
    return S_OK;
}

HRESULT CSoundSpeedFlt::CheckInputType(const CMediaType* mtIn)
{
    if (!mtIn) {
        return E_POINTER;
    }
    // Even the very type the filter was made for is refused when the conversion cannot
    // handle it: accepting it would play noise or read past the samples.
    if (!IsSupportedPcm(*mtIn)) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    if (SameTypes(*mtIn, m_expectedType)) {
        return S_OK;
    }
    const WAVEFORMATEX* in = WaveFormat(*mtIn);
    const WAVEFORMATEX* want = WaveFormat(m_expectedType);
    if (mtIn->subtype != m_expectedType.subtype || !want) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    const bool same = in->wFormatTag == want->wFormatTag &&
                      in->wBitsPerSample == want->wBitsPerSample &&
                      in->nChannels == want->nChannels &&
                      in->nSamplesPerSec == want->nSamplesPerSec &&
                      in->nAvgBytesPerSec == want->nAvgBytesPerSec &&
                      in->nBlockAlign == want->nBlockAlign;
    return same ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSoundSpeedFlt::CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut)
{
    if (mtIn) {
        const HRESULT hr = CheckInputType(mtIn);
        if (hr != S_OK) {
            return hr;
        }
    }
    return mtOut ? CheckInputType(mtOut) : S_OK;
}

HRESULT CSoundSpeedFlt::SetMediaType(PIN_DIRECTION direction, const CMediaType* pmt)
{
    if (!pmt) {
        return E_POINTER;
    }
    if (direction == PINDIR_INPUT) {
        return m_connectedType.Set(*pmt);
    }
    return direction == PINDIR_OUTPUT ? S_OK : E_FAIL;
}

HRESULT CSoundSpeedFlt::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (!pMediaType) {
        return E_POINTER;
    }
    if (!m_pInput || !m_pInput->IsConnected()) {
        return VFW_E_NOT_CONNECTED;
    }
    if (iPosition < 0) {
        return E_INVALIDARG;
    }
    if (iPosition > 0) {
        return VFW_S_NO_MORE_ITEMS;
    }
    return pMediaType->Set(m_connectedType);
}

HRESULT CSoundSpeedFlt::DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pprop)
{
    FreeFloatBuffer();
    if (!m_pInput || !m_pInput->IsConnected()) {
        return VFW_E_NOT_CONNECTED;
    }
    if (!pAllocator || !pprop) {
        return E_POINTER;
    }
    const WAVEFORMATEX* f = Format();
    if (!f || f->nBlockAlign == 0 || f->wBitsPerSample == 0) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    const unsigned block = f->nBlockAlign;
    unsigned size = static_cast<unsigned>(f->nAvgBytesPerSec) / 10u;
    size -= size % block;
    if (size < block) {
        size = block;
    }
    pprop->cBuffers = kOutputBuffers;
    pprop->cbBuffer = static_cast<long>(size);
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = pAllocator->SetProperties(pprop, &actual);
    if (FAILED(hr)) {
        return hr;
    }
    if (actual.cBuffers < pprop->cBuffers || actual.cbBuffer < pprop->cbBuffer) {
        filter_trace::UnexpectedText(
            m_sink, __FILE__, __LINE__,
            L"DecideBufferSize: " + std::to_wstring(actual.cBuffers) + L"<" +
                std::to_wstring(pprop->cBuffers) + L", " + std::to_wstring(actual.cbBuffer) +
                L"<" + std::to_wstring(pprop->cbBuffer));
        return E_FAIL;
    }
    const unsigned len = static_cast<unsigned>(actual.cbBuffer) * 8u / f->wBitsPerSample;
    try {
        m_floatBuffer.assign(len, 0.0f);
    } catch (const std::bad_alloc&) {
        FreeFloatBuffer();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CSoundSpeedFlt::RestartStretch()
{
    const WAVEFORMATEX* f = Format();
    if (!f || !m_soundSpeed.Init(static_cast<int>(f->nSamplesPerSec), f->nChannels, m_speed)) {
        InterlockedExchange(&m_notDelivering, 1);
        return E_OUTOFMEMORY;
    }
    m_takeStartTime = 1;
    m_nextOutputTime = 0;
    InterlockedExchange(&m_restartOnData, 0);
    InterlockedExchange(&m_notDelivering, 0);
    return S_OK;
}

HRESULT CSoundSpeedFlt::StartStreaming()
{
    if (!m_pOutput) {
        return E_POINTER;
    }
    const HRESULT hr = RestartStretch();
    if (FAILED(hr)) {
        ReportFailure(L"StartStreaming", hr, __LINE__);
    }
    return hr;
}

HRESULT CSoundSpeedFlt::StopStreaming()
{
    if (!m_pOutput) {
        return E_POINTER;
    }
    InterlockedExchange(&m_notDelivering, 1);
    InterlockedExchange(&m_restartOnData, 0);
    return S_OK;
}

HRESULT CSoundSpeedFlt::BeginFlush()
{
    if (!m_pOutput) {
        return E_POINTER;
    }
    InterlockedExchange(&m_notDelivering, 1);
    InterlockedExchange(&m_restartOnData, 0);
    return CTransformFilter::BeginFlush();
}

HRESULT CSoundSpeedFlt::EndFlush()
{
    if (!m_pOutput) {
        return E_POINTER;
    }
    // A flush is a seek: the data after it belongs to a new position, so the stretch starts
    // again from scratch with the first sample that arrives (on the streaming thread).
    if (m_State != State_Stopped) {
        InterlockedExchange(&m_restartOnData, 1);
    }
    return CTransformFilter::EndFlush();
}

HRESULT CSoundSpeedFlt::Receive(IMediaSample* pSample)
{
    if (!m_pOutput || !pSample) {
        return E_POINTER;
    }
    if (m_restartOnData && m_State != State_Stopped) {
        const HRESULT hr = RestartStretch();
        if (FAILED(hr)) {
            ReportFailure(L"ReceiveIfNeed", hr, __LINE__);
            return hr;
        }
    }
    if (m_notDelivering || m_State == State_Stopped) {
        return S_FALSE;
    }
    if (!m_pOutput->IsConnected()) {
        return E_POINTER;
    }
    if (m_pInput->SampleProps()->dwStreamId != AM_STREAM_MEDIA) {
        IMemInputPin* downstream = m_pOutput->ConnectedIMemInputPin();
        return downstream ? downstream->Receive(pSample) : E_POINTER;
    }
    HRESULT hr = ProcessSample(pSample);
    if (FAILED(hr)) {
        ReportFailure(L"ProcessSample", hr, __LINE__);
        return hr;
    }
    hr = ReceiveIfNeed();
    if (FAILED(hr)) {
        ReportFailure(L"ReceiveIfNeed", hr, __LINE__);
    }
    return hr;
}

HRESULT CSoundSpeedFlt::ProcessSample(IMediaSample* pSample)
{
    if (m_floatBuffer.empty() || !pSample) {
        return E_POINTER;
    }
    const long length = pSample->GetActualDataLength();
    if (length <= 0) {
        return S_OK;
    }
    BYTE* data = nullptr;
    pSample->GetPointer(&data);
    if (!data) {
        filter_trace::Unexpected(m_sink, __FILE__, __LINE__, E_POINTER, L"GetPointer");
        return E_POINTER;
    }
    if (m_takeStartTime) {
        REFERENCE_TIME start = 0;
        REFERENCE_TIME stop = 0;
        const HRESULT hr = pSample->GetTime(&start, &stop);
        if (FAILED(hr)) {
            filter_trace::Unexpected(m_sink, __FILE__, __LINE__, hr, L"GetTime");
            return hr;
        }
        m_nextOutputTime = start;
        m_takeStartTime = 0;
    }
    const WAVEFORMATEX* f = Format();
    const unsigned bits = f->wBitsPerSample;
    const unsigned count = static_cast<unsigned>(length) * 8u / bits;
    unsigned filled = 0;
    bool ok = true;
    for (unsigned i = 0; i < count; ++i) {
        if (bits == 8) {
            m_floatBuffer[filled] = (static_cast<int>(data[i]) - 128) * 0.0078125f;
        } else {
            int16_t v;
            std::memcpy(&v, data + 2 * i, 2);
            m_floatBuffer[filled] = v * 0.000030517578125f;
        }
        if (++filled == m_floatBuffer.size()) {
            ok = m_soundSpeed.Process(m_floatBuffer.data(), filled) && ok;
            filled = 0;
        }
    }
    if (filled > 0) {
        ok = m_soundSpeed.Process(m_floatBuffer.data(), filled) && ok;
    }
    return ok ? S_OK : E_OUTOFMEMORY;
}

HRESULT CSoundSpeedFlt::ReceiveIfNeed()
{
    if (!m_pOutput || m_floatBuffer.empty()) {
        return E_POINTER;
    }
    if (m_notDelivering || m_State == State_Stopped) {
        return S_FALSE;
    }
    const WAVEFORMATEX* f = Format();
    const unsigned bits = f->wBitsPerSample;
    const unsigned bytesPerValue = bits / 8u;
    while (m_soundSpeed.GetQueuedCount() > 0) {
        CComPtr<IMediaSample> out;
        HRESULT hr = m_pOutput->GetDeliveryBuffer(&out, nullptr, nullptr, 0);
        if (FAILED(hr) || !out) {
            hr = FAILED(hr) ? hr : E_POINTER;
            filter_trace::Unexpected(m_sink, __FILE__, __LINE__, hr, L"GetDeliveryBuffer");
            return hr;
        }
        const unsigned capacity = static_cast<unsigned>(out->GetSize()) * 8u / bits;
        BYTE* dest = nullptr;
        out->GetPointer(&dest);
        if (!dest) {
            filter_trace::Unexpected(m_sink, __FILE__, __LINE__, E_POINTER, L"GetPointer");
            return E_POINTER;
        }
        const unsigned bufferLen = static_cast<unsigned>(m_floatBuffer.size());
        const unsigned n = m_soundSpeed.Read(capacity < bufferLen ? capacity : bufferLen,
                                             m_floatBuffer.data());
        if (bits == 8) {
            for (unsigned i = 0; i < n; ++i) {
                dest[i] = FloatToPcm8(m_floatBuffer[i]);
            }
        } else {
            for (unsigned i = 0; i < n; ++i) {
                const int16_t v = FloatToPcm16(m_floatBuffer[i]);
                std::memcpy(dest + 2 * i, &v, 2);
            }
        }
        const long bytes = static_cast<long>(n * bytesPerValue);
        hr = out->SetActualDataLength(bytes);
        if (FAILED(hr)) {
            filter_trace::Unexpected(m_sink, __FILE__, __LINE__, hr,
                                     L"SetActualDataLength " + std::to_wstring(bytes));
            return hr;
        }
        hr = out->SetSyncPoint(TRUE);
        if (FAILED(hr)) {
            filter_trace::Unexpected(m_sink, __FILE__, __LINE__, hr, L"SetSyncPoint");
            return hr;
        }
        const double seconds = static_cast<double>(bytes) /
                               static_cast<double>(static_cast<unsigned>(f->nAvgBytesPerSec));
        const REFERENCE_TIME duration = SecondsToRefTime(seconds);
        REFERENCE_TIME start = m_nextOutputTime;
        REFERENCE_TIME stop = start + duration;
        hr = out->SetTime(&start, &stop);
        if (FAILED(hr)) {
            filter_trace::Unexpected(m_sink, __FILE__, __LINE__, hr, L"SetTime");
            return hr;
        }
        hr = m_pOutput->Deliver(out);
        out.Release();
        if (hr != S_OK) {
            if (FAILED(hr)) {
                filter_trace::Unexpected(m_sink, __FILE__, __LINE__, hr, L"Deliver");
            }
            return S_FALSE;
        }
        m_nextOutputTime = stop;
    }
    return S_OK;
}

HRESULT CSoundSpeedFlt::EndOfStream()
{
    if (!m_pOutput) {
        return E_POINTER;
    }
    // The stretch still holds the last part of the sound: it is heard before the end.
    if (!m_notDelivering && m_State != State_Stopped && !m_soundSpeed.Drain()) {
        ReportFailure(L"Drain", E_OUTOFMEMORY, __LINE__);
    }
    const HRESULT hr = ReceiveIfNeed();
    if (FAILED(hr)) {
        ReportFailure(L"ReceiveIfNeed", hr, __LINE__);
    }
    // Whatever happened to the last data, the renderer must hear of the end, or playback
    // would never complete.
    InterlockedExchange(&m_notDelivering, 1);
    const HRESULT eos = CTransformFilter::EndOfStream();
    return FAILED(hr) ? hr : eos;
}

void CSoundSpeedFlt::ReportFailure(const wchar_t* step, HRESULT hr, unsigned line)
{
    std::wstring text;
    if (m_sink) {
        text = m_sink->FormatCallFailure(step, hr, L"", __FILE__, line);
    } else {
        text = std::wstring(step) + L" failed: HR=0x" +
               filter_trace::Hex(static_cast<unsigned>(hr));
    }
    CAutoLock lock(&m_errorLock);
    if (!m_lastErrorText.empty() && m_lastErrorText != text) {
        filter_trace::LocalError(m_sink, __FILE__, line, text);
    }
    m_lastErrorText = text;
    if (m_sink) {
        m_sink->OnAsyncError(1, m_lastErrorText);
    }
}
