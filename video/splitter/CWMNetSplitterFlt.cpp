// The network splitter: pins from the reader's profile, pushed samples into grown buffers.
#include "video/splitter/CWMNetSplitterFlt.h"

#include "platform/base/TimeUnits.h"
#include "platform/dshow/CAutoLock.h"
#include "video/splitter/CWMNetOutputPin.h"
#include "video/DXVideoFunc.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"

#include <uuids.h>
#include <vfwmsgs.h>

#include <algorithm>
#include <cstring>
#include <new>

#define REPORT(function, code, detail) ReportError((function), (code), (detail), __LINE__)

CWMNetSplitterFlt::CWMNetSplitterFlt(IWMReader* reader, WORD audioStream, WORD videoStream1,
                                     WORD videoStream2, std::wstring* errorText)
    : CBaseFilter(nullptr, nullptr, &m_filterLock, GUID_NULL), m_reader(reader)
{
    NonDelegatingAddRef();
    *errorText = CreatePins(audioStream, videoStream1, videoStream2);
}

CWMNetSplitterFlt::~CWMNetSplitterFlt()
{
    std::vector<CComPtr<CWMNetOutputPin>> pins;
    pins.swap(m_pins);
    pins.clear();  // pins held by others keep this filter alive, so these are the last ones
}

int CWMNetSplitterFlt::GetPinCount()
{
    CAutoLock hold(&m_filterLock);
    return static_cast<int>(m_pins.size());
}

CBasePin* CWMNetSplitterFlt::GetPin(int n)
{
    CAutoLock hold(&m_filterLock);
    return n >= 0 && n < static_cast<int>(m_pins.size()) ? m_pins[static_cast<size_t>(n)]
                                                         : nullptr;
}

CWMNetOutputPin* CWMNetSplitterFlt::FindPinByStream(WORD stream)
{
    CAutoLock hold(&m_filterLock);
    for (CWMNetOutputPin* pin : m_pins) {
        if (pin->streamNumber == stream) {
            return pin;
        }
    }
    return nullptr;
}

std::wstring CWMNetSplitterFlt::CreatePins(WORD audio, WORD video1, WORD video2)
{
    m_pins.clear();
    m_lastErrorText.clear();
    m_startTime = 0;
    CComPtr<IWMProfile> profile;
    if (m_reader == nullptr ||
        FAILED(m_reader->QueryInterface(IID_IWMProfile, reinterpret_cast<void**>(&profile))) ||
        profile == nullptr) {
        return CALL_FAILURE(L"QueryInterface", E_NOINTERFACE, L"IID_IWMProfile");
    }
    DWORD count = 0;
    HRESULT hr = profile->GetStreamCount(&count);
    if (FAILED(hr) || count == 0) {
        return CALL_FAILURE(L"GetStreamCount", E_INVALIDARG,
                            FormatText(L"%i", static_cast<int>(count)).c_str());
    }
    for (DWORD i = 0; i < count; ++i) {
        const std::wstring index = FormatText(L"%i", static_cast<int>(i));
        CComPtr<IWMStreamConfig> config;
        hr = profile->GetStream(i, &config);
        if (FAILED(hr) || config == nullptr) {
            return CALL_FAILURE(L"IWMProfile::GetStream", E_INVALIDARG, index.c_str());
        }
        WORD number = 0;
        hr = config->GetStreamNumber(&number);
        if (FAILED(hr)) {
            return CALL_FAILURE(L"IWMStreamConfig::GetStreamNumber", hr, index.c_str());
        }
        GUID major = GUID_NULL;
        hr = config->GetStreamType(&major);
        if (FAILED(hr)) {
            return CALL_FAILURE(L"IWMStreamConfig::GetStreamType", hr, index.c_str());
        }
        if (major != MEDIATYPE_Video && major != MEDIATYPE_Audio) {
            wchar_t guid[64];
            DXVideoFunc::GuidText(major, guid);
            LOG_INFO(FormatText(L"Un.WMStream[%i]: Majortype=%s", static_cast<int>(i), guid));
            continue;
        }
        const bool wanted = major == MEDIATYPE_Audio
                                ? number == audio
                                : number != 0 && (number == video1 || number == video2);
        if (!wanted) {
            continue;
        }
        const std::wstring text = CreatePin(config, number);
        if (!text.empty()) {
            return text;
        }
    }
    return std::wstring();
}

std::wstring CWMNetSplitterFlt::CreatePin(IWMStreamConfig* config, WORD streamNumber)
{
    WORD chars = 0;
    config->GetStreamName(nullptr, &chars);
    std::wstring name(static_cast<size_t>(chars) + 1, L'\0');
    WORD got = static_cast<WORD>(name.size());
    HRESULT hr = config->GetStreamName(name.data(), &got);
    if (FAILED(hr)) {
        return CALL_FAILURE(L"GetStreamName", hr,
                            FormatText(L"St=%i", static_cast<int>(streamNumber)).c_str());
    }
    name.resize(wcsnlen(name.c_str(), name.size()));
    auto* created = new (std::nothrow) CWMNetOutputPin(&m_filterLock, this, name.c_str());
    if (created == nullptr) {
        return CALL_FAILURE(L"new", E_OUTOFMEMORY,
                            FormatText(L"CWMNetOutputPin, St=%i", static_cast<int>(streamNumber))
                                .c_str());
    }
    created->NonDelegatingAddRef();  // the filter's reference
    CComPtr<CWMNetOutputPin> pin;
    pin.Attach(created);
    std::wstring error;
    CMediaType type;
    DXVideoFunc::MediaTypeFromProps(config, error, type);
    if (!error.empty()) {
        return error;
    }
    pin->streamType = type;
    pin->streamNumber = streamNumber;
    LOG_INFO(FormatText(L"OUT: WMFStream=[%i]", static_cast<int>(streamNumber)));
    LOG_INFO(DXVideoFunc::MediaTypeToText(type));
    try {
        m_pins.push_back(std::move(pin));
    } catch (const std::bad_alloc&) {
        return CALL_FAILURE(L"new", E_OUTOFMEMORY, L"pins");
    }
    IncrementPinVersion();
    return std::wstring();
}

void CWMNetSplitterFlt::OnStart(LONGLONG startTime)
{
    LOG_INFO(FormatText(L"OnStart: %g sec", RefTimeToSeconds(startTime)));
    {
        CAutoLock hold(&m_filterLock);
        m_startTime = startTime;
    }
    CAutoLock hold(&m_errorLock);
    m_reportedSinceStart = false;
    m_repeats = 0;
}

void CWMNetSplitterFlt::ReportError(const wchar_t* function, HRESULT code,
                                    const std::wstring& detail, unsigned line)
{
    const std::wstring text = FormatCallFailure(function, code, detail.c_str(), __FILE__, line);
    CAutoLock hold(&m_errorLock);
    if (m_reportedSinceStart && text == m_lastErrorText) {
        // The same failure again (every sample of a stream, say): the player heard of it.
        const long n = ++m_repeats;
        if ((n & (n - 1)) == 0) {
            LOG_INFO(FormatText(L"Repeated push failure: %li", n));
        }
        return;
    }
    if (!m_lastErrorText.empty() && m_lastErrorText != text) {
        LOG_LOCAL_ERROR(text);
    }
    m_lastErrorText = text;
    m_reportedSinceStart = true;
    QVRInstance* callback = GetEngineCallback();
    if (callback != nullptr) {
        callback->OnAsyncError(1, m_lastErrorText.c_str());
    }
}

bool CWMNetSplitterFlt::GrownProperties(const ALLOCATOR_PROPERTIES& now, LONGLONG needed,
                                        ALLOCATOR_PROPERTIES* out)
{
    if (needed <= 0 || needed > kMaxSampleBytes) {
        return false;
    }
    *out = now;
    // One and a half times the sample, in 64-bit arithmetic; within the per-buffer limit.
    const LONGLONG size = std::min(needed * 3 / 2, kMaxSampleBytes);
    out->cbBuffer = static_cast<long>(size);
    const LONGLONG fit = kMaxPoolBytes / size;
    out->cBuffers = static_cast<long>(std::max<LONGLONG>(2, std::min<LONGLONG>(now.cBuffers, fit)));
    return true;
}

HRESULT CWMNetSplitterFlt::CheckBufferSize(IMediaSample** sample, long needed,
                                           CWMNetOutputPin* pin)
{
    const long size = (*sample)->GetSize();
    if (size >= needed) {
        return S_OK;
    }
    LOG_INFO(FormatText(L"CheckBufferSize(%i): [%i > %i]", static_cast<int>(pin->streamNumber),
                        static_cast<int>(needed), static_cast<int>(size)));
    (*sample)->Release();  // the caller's sample, given back before a larger one is asked for
    *sample = nullptr;
    const int stream = pin->streamNumber;
    CComPtr<IMemAllocator> allocator;
    HRESULT hr = pin->GetConnectionAllocator(&allocator);
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, L"GetConnectionAllocator");
        return hr;
    }
    ALLOCATOR_PROPERTIES now = {};
    hr = allocator->GetProperties(&now);
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, FormatText(L"GetProperties(%i)", stream));
        return hr;
    }
    ALLOCATOR_PROPERTIES wanted = {};
    if (!GrownProperties(now, needed, &wanted)) {
        return VFW_E_BUFFER_OVERFLOW;
    }
    if (now.cBuffers > 1) {
        // Downstream filters and the queue give their buffers back.
        hr = pin->DeliverBeginFlush();
        if (FAILED(hr)) {
            LOG_UNEXPECTED_HR(hr, FormatText(L"DeliverBeginFlush(%i)", stream));
            return hr;
        }
        hr = pin->DeliverEndFlush();
        if (FAILED(hr)) {
            LOG_UNEXPECTED_HR(hr, FormatText(L"DeliverEndFlush(%i)", stream));
            return hr;
        }
    }
    ALLOCATOR_PROPERTIES actual = {};
    hr = allocator->Decommit();
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, FormatText(L"Decommit(%i)", stream));
        return hr;
    }
    hr = allocator->SetProperties(&wanted, &actual);
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, FormatText(L"SetProperties(%i)", stream));
        return hr;
    }
    hr = allocator->Commit();
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, FormatText(L"Commit(%i)", stream));
        return hr;
    }
    hr = allocator->GetBuffer(sample, nullptr, nullptr, 0);
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, FormatText(L"GetBuffer(%i)", stream));
        return hr;
    }
    return S_OK;
}

HRESULT CWMNetSplitterFlt::OnWMStreamSample(WORD stream, INSSBuffer* sample, LONGLONG time,
                                            LONGLONG duration, DWORD flags)
{
    CAutoLock pushing(&m_pushLock);
    const std::wstring streamText = FormatText(L"%i", static_cast<int>(stream));
    if (stream == 0) {
        REPORT(L"OnWMStreamSample", E_INVALIDARG, L"");
        return E_INVALIDARG;
    }
    CWMNetOutputPin* pin = FindPinByStream(stream);
    if (pin == nullptr || sample == nullptr) {
        REPORT(L"OnWMStreamSample", E_POINTER, streamText);
        return E_POINTER;
    }
    BYTE* data = nullptr;
    DWORD length = 0;
    HRESULT hr = sample->GetBufferAndLength(&data, &length);
    if (FAILED(hr)) {
        REPORT(L"GetBufferAndLength", hr, streamText);
        return hr;
    }
    if (data == nullptr || length == 0) {
        LOG_UNEXPECTED_HR(E_POINTER, FormatText(L"GetBufferAndLength: %i", stream));
        return S_FALSE;
    }
    if (static_cast<LONGLONG>(length) > kMaxSampleBytes) {
        REPORT(L"GetSize", VFW_E_BUFFER_OVERFLOW, streamText);
        return VFW_E_BUFFER_OVERFLOW;
    }
    if (!pin->IsConnected()) {
        return S_FALSE;  // a stream the graph does not play (no renderer for it): dropped
    }
    // Waits for a free buffer without the filter lock: a stopping graph decommits the
    // allocator, which ends the wait with a failure.
    IMediaSample* media = nullptr;
    hr = pin->GetDeliveryBuffer(&media, nullptr, nullptr, 0);
    if (FAILED(hr) || media == nullptr) {
        if (hr == VFW_E_NOT_COMMITTED || hr == VFW_E_NOT_CONNECTED) {
            return S_FALSE;  // stopped meanwhile, or not playing this stream: dropped
        }
        REPORT(L"GetDeliveryBuffer", FAILED(hr) ? hr : E_POINTER, streamText);
        return FAILED(hr) ? hr : E_POINTER;
    }
    CComPtr<IMediaSample> hold;
    hold.Attach(media);
    hr = CheckBufferSize(&hold.p, static_cast<long>(length), pin);
    if (FAILED(hr)) {
        if (hr == VFW_E_NOT_COMMITTED) {
            return S_FALSE;
        }
        REPORT(L"CheckBufferSize", hr, streamText);
        return hr;
    }
    BYTE* target = nullptr;
    if (FAILED(hold->GetPointer(&target)) || target == nullptr) {
        REPORT(L"GetPointer", E_POINTER, streamText);
        return E_POINTER;
    }
    if (hold->GetSize() < static_cast<long>(length)) {
        REPORT(L"GetSize", VFW_E_BUFFER_OVERFLOW, streamText);
        return VFW_E_BUFFER_OVERFLOW;
    }
    std::memcpy(target, data, length);
    hold->SetActualDataLength(static_cast<long>(length));
    LONGLONG t0 = 0;
    {
        CAutoLock filter(&m_filterLock);
        t0 = time - m_startTime;
    }
    LONGLONG t1 = t0 + duration;
    const std::wstring where =
        FormatText(L"[%g, %g, %i]", RefTimeToSeconds(t0), RefTimeToSeconds(t1), static_cast<int>(stream));
    hr = hold->SetTime(&t0, &t1);
    if (FAILED(hr)) {
        REPORT(L"SetTime", hr, where);
        return hr;
    }
    {
        CAutoLock filter(&m_filterLock);
        if (m_State == State_Stopped) {
            return S_FALSE;
        }
        hr = pin->DeliverSample(flags, hold.p, t0);
    }
    if (FAILED(hr)) {
        REPORT(L"Send", hr, where);
    }
    return hr;
}
