// The file splitter: opening and stream selection, the reader's start, stop and close, the
// filter states, positions and rate, the end-of-stream rule and the reporting of asynchronous
// failures, and the reader's callbacks (status, samples, time, buffers).
#include "video/splitter/CWMFSplitterFlt.h"

#include "platform/dshow/CAutoLock.h"
#include "video/splitter/CEncapsulateSample.h"
#include "video/splitter/CWMFOutputPin.h"
#include "video/splitter/CWMFileStream.h"
#include "video/DXVideoFunc.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "video/splitter/QvrGraphEvent.h"
#include "video/splitter/WmReaderFactory.h"
#include "platform/base/TimeUnits.h"

#include <uuids.h>
#include <vfwmsgs.h>
#include <nserror.h>

#include <algorithm>
#include <cmath>
#include <new>

#define REPORT_ASYNC(function, code, detail) \
    ReportAsyncError((function), (code), (detail), __LINE__)

CWMFSplitterFlt::CWMFSplitterFlt(const wchar_t* name, READER_CB_PARAMS* context,
                                 BOOL logDetails, std::wstring* errorText,
                                 QVR_READ_CALLBACK readCallback, QVR_SEEK_CALLBACK seekCallback)
    : CBaseFilter(nullptr, nullptr, &m_filterLock, GUID_NULL),
      m_logDetails(logDetails),
      m_name(name ? name : L"")
{
    NonDelegatingAddRef();
    errorText->clear();
    // The new stream holds one reference: the creator's.
    m_fileStream.Attach(new (std::nothrow) CWMFileStream(this, m_name.c_str(), context, 0,
                                                         readCallback, seekCallback));
    if (m_fileStream == nullptr) {
        *errorText = L"E_OUTOFMEMORY";
        return;
    }
    *errorText = OpenFile();
    if (!errorText->empty()) {
        CloseReader();
    }
}

CWMFSplitterFlt::~CWMFSplitterFlt()
{
    // Normally the graph closed the reader when it removed the filter; a filter that never
    // joined one still must not leave the runtime's threads calling into freed memory.
    CloseReader();
    m_fileStream.Release();
    std::vector<CComPtr<CWMFOutputPin>> pins;
    pins.swap(m_pins);
    pins.clear();  // pins held by others keep this filter alive, so these are the last ones
    m_seekCallers.clear();
}

STDMETHODIMP CWMFSplitterFlt::NonDelegatingQueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IWMReaderCallback || iid == IID_IWMStatusCallback) {
        return GetInterface(static_cast<IWMReaderCallback*>(this), out);
    }
    if (iid == IID_IWMReaderCallbackAdvanced) {
        return GetInterface(static_cast<IWMReaderCallbackAdvanced*>(this), out);
    }
    return CBaseFilter::NonDelegatingQueryInterface(iid, out);
}

int CWMFSplitterFlt::GetPinCount()
{
    return static_cast<int>(m_pins.size());
}

CBasePin* CWMFSplitterFlt::GetPin(int n)
{
    return GetPinByIndex(n);
}

CWMFOutputPin* CWMFSplitterFlt::GetPinByIndex(int n)
{
    if (n < 0 || n >= static_cast<int>(m_pins.size())) {
        return nullptr;
    }
    return m_pins[static_cast<size_t>(n)];
}

CWMFOutputPin* CWMFSplitterFlt::FindPinByStream(WORD stream)
{
    for (CWMFOutputPin* pin : m_pins) {
        if (pin->GetStreamNumber(nullptr) == stream) {
            return pin;
        }
    }
    return nullptr;
}

std::wstring CWMFSplitterFlt::OpenFile()
{
    {
        CAutoLock hold(&m_errorLock);
        m_lastErrorText.clear();
    }
    m_duration = 0;
    m_audioBytePosition = 0;

    std::wstring bindError;
    HRESULT hr = WmReaderFactory::CreateReader(&m_reader, &bindError);
    if (!bindError.empty()) {
        return bindError;
    }
    if (FAILED(hr)) {
        return CALL_FAILURE(L"WMCreateReader", hr, L"");
    }
    if (m_reader == nullptr) {
        return CALL_FAILURE(L"WMCreateReader", E_OUTOFMEMORY, L"");
    }
    CComPtr<IWMReaderAdvanced2> advanced;
    if (FAILED(m_reader->QueryInterface(IID_IWMReaderAdvanced2,
                                        reinterpret_cast<void**>(&advanced.p))) ||
        advanced.p == nullptr) {
        return CALL_FAILURE(L"QueryInterface", E_NOINTERFACE, L"IWMReaderAdvanced2");
    }
    CComPtr<IWMHeaderInfo> header;
    if (FAILED(m_reader->QueryInterface(IID_IWMHeaderInfo, reinterpret_cast<void**>(&header.p))) ||
        header.p == nullptr) {
        return CALL_FAILURE(L"QueryInterface", E_NOINTERFACE, L"IID_IWMHeaderInfo");
    }

    BeginPending(1);
    hr = advanced.p->OpenStream(m_fileStream, static_cast<IWMReaderCallback*>(this), nullptr);
    if (FAILED(hr)) {
        CAutoLock hold(&m_asyncLock);
        m_pendingOperation = 0;
        return CALL_FAILURE(L"OpenStream", hr, L"");
    }
    hr = WaitPending();
    if (FAILED(hr)) {
        return CALL_FAILURE(L"OpenStream", hr, L"Async");
    }

    hr = advanced.p->SetManualStreamSelection(TRUE);
    if (hr == E_NOTIMPL) {
        LOG_UNEXPECTED_HR(hr, L"SetManualStreamSelection");  // every stream stays selected
    } else if (FAILED(hr)) {
        return CALL_FAILURE(L"SetManualStreamSelection", hr, L"");
    }

    CComPtr<IWMProfile> profile;
    if (FAILED(m_reader->QueryInterface(IID_IWMProfile, reinterpret_cast<void**>(&profile.p))) ||
        profile.p == nullptr) {
        return CALL_FAILURE(L"QueryInterface", E_NOINTERFACE, L"IID_IWMProfile");
    }
    DWORD count = 0;
    hr = profile.p->GetStreamCount(&count);
    if (FAILED(hr) || count == 0) {
        return CALL_FAILURE(L"GetStreamCount", E_INVALIDARG,
                            FormatText(L"%i", static_cast<int>(count)).c_str());
    }

    int videoAllowance = 2;
    int audioAllowance = 1;
    for (DWORD i = 0; i < count; ++i) {
        const std::wstring index = FormatText(L"%i", static_cast<int>(i));
        CComPtr<IWMStreamConfig> config;
        if (FAILED(profile.p->GetStream(i, &config.p)) || config.p == nullptr) {
            return CALL_FAILURE(L"IWMProfile::GetStream", E_INVALIDARG, index.c_str());
        }
        WORD number = 0;
        hr = config.p->GetStreamNumber(&number);
        if (FAILED(hr)) {
            return CALL_FAILURE(L"IWMStreamConfig::GetStreamNumber", hr, index.c_str());
        }
        WMT_STREAM_SELECTION selection = WMT_ON;
        hr = advanced.p->GetStreamSelected(number, &selection);
        if (FAILED(hr)) {
            return CALL_FAILURE(L"GetStreamSelected", hr,
                                FormatText(L"St=%i", static_cast<int>(number)).c_str());
        }
        if (selection == WMT_OFF) {
            continue;
        }
        GUID major = GUID_NULL;
        hr = config.p->GetStreamType(&major);
        if (FAILED(hr)) {
            return CALL_FAILURE(L"IWMStreamConfig::GetStreamType", hr, index.c_str());
        }
        const bool video = major == MEDIATYPE_Video;
        const bool audio = major == MEDIATYPE_Audio;
        if ((!video && !audio) || (video && videoAllowance <= 0) ||
            (audio && audioAllowance <= 0)) {
            WMT_STREAM_SELECTION off = WMT_OFF;
            hr = advanced.p->SetStreamsSelected(1, &number, &off);
            if (hr == E_NOTIMPL) {
                LOG_UNEXPECTED_HR(hr, L"SetStreamsSelected");
            } else if (FAILED(hr)) {
                return CALL_FAILURE(L"SetStreamsSelected", hr, L"");
            }
            if (!video && !audio) {
                if (m_logDetails) {
                    wchar_t guid[64];
                    DXVideoFunc::GuidText(major, guid);
                    LOG_INFO(FormatText(L"Un.WMStream[%i]: Majortype=%s", static_cast<int>(i),
                                        guid));
                }
                continue;
            }
        }
        if (video) {
            --videoAllowance;
        } else {
            --audioAllowance;
        }
        std::wstring text = CreatePin(config.p, number);
        if (!text.empty()) {
            return text;
        }
    }

    hr = advanced.p->SetUserProvidedClock(TRUE);
    if (FAILED(hr)) {
        return CALL_FAILURE(L"SetUserProvidedClock", hr, L"");
    }

    WORD streamZero = 0;
    WMT_ATTR_DATATYPE type = WMT_TYPE_QWORD;
    QWORD duration = 0;
    WORD length = sizeof(duration);
    hr = header.p->GetAttributeByName(&streamZero, L"Duration", &type,
                                      reinterpret_cast<BYTE*>(&duration), &length);
    if (SUCCEEDED(hr) && length == sizeof(duration)) {
        m_duration = static_cast<LONGLONG>(duration);
    }
    if (m_duration <= 0) {
        LOG_UNEXPECTED(FormatText(L"Un.Duration: %g sec", RefTimeToSeconds(m_duration)));
    }

    for (size_t k = 0; k < m_pins.size(); ++k) {
        CWMFOutputPin* pin = m_pins[k];
        const WORD n = pin->GetStreamNumber(nullptr);
        const std::wstring where = FormatText(L"[%i, %i]", static_cast<int>(k), n);
        hr = advanced.p->SetReceiveStreamSamples(n, TRUE);
        if (FAILED(hr)) {
            return CALL_FAILURE(L"SetReceiveStreamSamples", hr, where.c_str());
        }
        hr = advanced.p->SetAllocateForStream(n, TRUE);
        if (FAILED(hr)) {
            return CALL_FAILURE(L"SetAllocateForStream", hr, where.c_str());
        }
        DWORD maxSize = 0;
        hr = advanced.p->GetMaxStreamSampleSize(n, &maxSize);
        if (FAILED(hr)) {
            return CALL_FAILURE(L"GetMaxStreamSampleSize", hr, FormatText(L"[%i]", n).c_str());
        }
        pin->SetMaxSampleSize(maxSize);
    }
    return std::wstring();
}

std::wstring CWMFSplitterFlt::CreatePin(IWMStreamConfig* config, WORD streamNumber)
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

    auto* created = new (std::nothrow) CWMFOutputPin(&m_filterLock, this, name.c_str());
    if (created == nullptr) {
        return CALL_FAILURE(L"malloc", E_OUTOFMEMORY,
                            FormatText(L"CWMFOutputPin, St=%i", static_cast<int>(streamNumber))
                                .c_str());
    }
    created->NonDelegatingAddRef();  // the filter's reference
    CComPtr<CWMFOutputPin> pin;
    pin.Attach(created);
    try {
        m_pins.push_back(pin);
    } catch (const std::bad_alloc&) {
        return CALL_FAILURE(L"malloc", E_OUTOFMEMORY,
                            FormatText(L"CWMFOutputPin*[%i]", static_cast<int>(m_pins.size()) + 1)
                                .c_str());
    }
    IncrementPinVersion();

    std::wstring error;
    CMediaType type;
    DXVideoFunc::MediaTypeFromProps(config, error, type);
    if (!error.empty()) {
        return error;
    }
    pin->SetStreamMediaType(type);
    pin->SetStream(streamNumber, config);
    if (m_logDetails) {
        LOG_INFO(FormatText(L"OUT: WMFStream=[%i] IsAudio=%i", static_cast<int>(streamNumber),
                            type.majortype == MEDIATYPE_Audio ? 1 : 0));
        LOG_INFO(DXVideoFunc::MediaTypeToText(type));
    }
    return std::wstring();
}

void CWMFSplitterFlt::BeginPending(LONG operation)
{
    CAutoLock hold(&m_asyncLock);
    m_pendingOperation = operation;
    m_asyncDone.Reset();
}

HRESULT CWMFSplitterFlt::WaitPending()
{
    const BOOL done = m_asyncDone.Wait(QVR_RUNTIME_WAIT_MS);
    CAutoLock hold(&m_asyncLock);
    if (!done && m_pendingOperation != 0) {
        m_pendingOperation = 0;  // a late answer is ignored
        return HRESULT_FROM_WIN32(ERROR_TIMEOUT);
    }
    return m_asyncResult;
}

float CWMFSplitterFlt::ReaderRate(double rate)
{
    const float r = static_cast<float>(rate);
    if (r >= 10) {
        return 10;
    }
    if (r >= 0) {
        return 1;
    }
    if (r > -1) {
        return -1;
    }
    if (r >= -10) {
        return r;
    }
    return -10;
}

LONGLONG CWMFSplitterFlt::StampTime(LONGLONG time, LONGLONG start, double speed, double rate)
{
    double r = speed > 0 ? speed : rate;
    if (r == 0 || std::isnan(r)) {
        r = 1;  // never divide by zero, whatever reached the filter
    }
    return static_cast<LONGLONG>(static_cast<double>(time - start) / r);
}

void CWMFSplitterFlt::StartReader()
{
    LONGLONG start = 0;
    double rate = 1.0;
    GetPositions(&start, nullptr, &rate);
    const float readerRate = ReaderRate(rate);
    const HRESULT hr = m_reader != nullptr ? m_reader->Start(start, 0, readerRate, nullptr)
                                           : E_UNEXPECTED;
    m_readerRunning = SUCCEEDED(hr);
    if (FAILED(hr)) {
        const double shown = m_speed > 0 ? m_speed : readerRate;
        const std::wstring detail = FormatText(L"[%g sec, %g]", RefTimeToSeconds(start), shown);
        REPORT_ASYNC(L"IWMReader::Start", hr, detail);
    }
}

void CWMFSplitterFlt::StopReader()
{
    if (m_reader == nullptr || !m_readerRunning) {
        return;
    }
    m_readerRunning = FALSE;
    BeginPending(2);
    HRESULT hr = m_reader->Stop();
    if (SUCCEEDED(hr)) {
        hr = WaitPending();
        if (hr == HRESULT_FROM_WIN32(ERROR_TIMEOUT)) {
            REPORT_ASYNC(L"IWMReader::Stop", hr, std::wstring(L"Wait"));
        }
        return;
    }
    {
        CAutoLock hold(&m_asyncLock);
        m_pendingOperation = 0;
    }
    REPORT_ASYNC(L"IWMReader::Stop", hr, std::wstring());
}

void CWMFSplitterFlt::CloseReader()
{
    if (m_reader == nullptr) {
        return;
    }
    BeginPending(3);
    const HRESULT hr = m_reader->Close();
    if (SUCCEEDED(hr)) {
        const HRESULT waited = WaitPending();
        if (FAILED(waited)) {
            LOG_UNEXPECTED_HR(waited, L"IWMReader::Close(Wait)");
        }
    } else {
        CAutoLock hold(&m_asyncLock);
        m_pendingOperation = 0;
    }
    m_fileStream.Release();
    m_reader.Release();
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, L"IWMReader::Close");
    }
}

STDMETHODIMP CWMFSplitterFlt::Pause()
{
    const BOOL wasStopped = IsStopped();
    m_endOfStreamSent = FALSE;
    const HRESULT hr = CBaseFilter::Pause();
    if (FAILED(hr) && wasStopped) {
        // The pins activated before the failing one must not stay active in a stopped filter.
        CAutoLock hold(&m_filterLock);
        for (CWMFOutputPin* pin : m_pins) {
            if (pin->IsConnected()) {
                pin->Inactive();
            }
        }
    } else if (SUCCEEDED(hr) && wasStopped) {
        StartReader();
    }
    return hr;
}

STDMETHODIMP CWMFSplitterFlt::Stop()
{
    if (!IsStopped()) {
        // Free a runtime thread that waits for a buffer, so the stop cannot hang on it.
        for (CWMFOutputPin* pin : m_pins) {
            if (pin->PeekAllocator() != nullptr) {
                pin->PeekAllocator()->Decommit();
            }
        }
        StopReader();
    }
    return CBaseFilter::Stop();
}

STDMETHODIMP CWMFSplitterFlt::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name)
{
    const HRESULT hr = CBaseFilter::JoinFilterGraph(graph, name);
    if (graph == nullptr) {
        CloseReader();
    }
    return hr;
}

void CWMFSplitterFlt::HaltDelivery()
{
    if (IsStopped()) {
        return;
    }
    for (CWMFOutputPin* pin : m_pins) {
        pin->DeliverBeginFlush();
        if (pin->PeekAllocator() != nullptr) {
            pin->PeekAllocator()->Decommit();
        }
    }
    StopReader();
    for (CWMFOutputPin* pin : m_pins) {
        pin->DeliverEndFlush();
    }
}

void CWMFSplitterFlt::SetSpeed(double speed)
{
    m_speed = speed;
}

void CWMFSplitterFlt::GetPositions(LONGLONG* start, LONGLONG* stop, double* rate)
{
    CAutoLock hold(&m_positionLock);
    if (start != nullptr) {
        *start = m_startPosition;
    }
    if (stop != nullptr) {
        *stop = m_stopPosition;
    }
    if (rate != nullptr) {
        *rate = m_rate;
    }
}

HRESULT CWMFSplitterFlt::SetPositions(CWMFOutputPin* caller, LONGLONG start, LONGLONG stop)
{
    {
        CAutoLock hold(&m_positionLock);
        if (start == m_startPosition && stop == m_stopPosition && !m_seekCallers.empty() &&
            std::find(m_seekCallers.begin(), m_seekCallers.end(), caller) ==
                m_seekCallers.end()) {
            m_seekCallers.push_back(caller);
            return S_OK;
        }
        m_seekCallers.assign(1, caller);
    }
    const bool restart = !IsStopped();
    if (restart) {
        for (CWMFOutputPin* pin : m_pins) {
            pin->DeliverBeginFlush();
        }
        StopReader();
        m_endOfStreamSent = FALSE;
        for (CWMFOutputPin* pin : m_pins) {
            pin->DeliverEndFlush();
        }
    }
    {
        CAutoLock hold(&m_positionLock);
        m_startPosition = start;
        m_stopPosition = stop;
        m_audioBytePosition = 0;
    }
    if (restart) {
        StartReader();
    }
    return S_OK;
}

HRESULT CWMFSplitterFlt::SetRate(double rate)
{
    if (rate == 0 || std::isnan(rate) || std::isinf(rate)) {
        return E_INVALIDARG;
    }
    CAutoLock hold(&m_positionLock);
    m_rate = rate;
    return S_OK;
}

HRESULT CWMFSplitterFlt::SetStopPosition(LONGLONG stop)
{
    CAutoLock hold(&m_positionLock);
    m_stopPosition = stop;
    return S_OK;
}

HRESULT CWMFSplitterFlt::DeliverEndOfStreamOnce()
{
    if (m_endOfStreamSent) {
        return S_OK;
    }
    m_endOfStreamSent = TRUE;
    HRESULT hr = S_OK;
    for (size_t i = 0; i < m_pins.size(); ++i) {
        hr = m_pins[i]->DeliverEndOfStream();
        if (FAILED(hr)) {
            LOG_UNEXPECTED_HR(hr, FormatText(L"DeliverEndOfStream[%i]", static_cast<int>(i)));
        }
    }
    return hr;
}

void CWMFSplitterFlt::ReportAsyncError(const wchar_t* function, HRESULT code,
                                       const std::wstring& detail, unsigned line)
{
    LogUnexpectedHr(__FILE__, line, code, std::wstring(function) + L": " + detail);
    const wchar_t* eventText = nullptr;
    // A read failure the stream reported already is the first error; what the reader makes
    // of it afterwards only goes to the log.
    if (m_fileStream != nullptr && !m_fileStream->ErrorText().empty()) {
        return;
    }
    {
        CAutoLock hold(&m_errorLock);
        if (!m_lastErrorText.empty()) {
            return;  // the first error since the open is the one the player sees
        }
        m_lastErrorText = FormatCallFailure(function, code, detail.c_str(), __FILE__, line);
        eventText = m_lastErrorText.c_str();
    }
    NotifyEvent(QVR_ERROR_DS_EVENT, code, reinterpret_cast<LONG_PTR>(eventText));
}

std::wstring CWMFSplitterFlt::LastErrorText()
{
    CAutoLock hold(&m_errorLock);
    return m_lastErrorText;
}

HRESULT CWMFSplitterFlt::DeliverTimeToReader(LONGLONG limit)
{
    if (m_reader == nullptr) {
        return E_UNEXPECTED;
    }
    CComPtr<IWMReaderAdvanced2> advanced;
    if (FAILED(m_reader->QueryInterface(IID_IWMReaderAdvanced2,
                                        reinterpret_cast<void**>(&advanced.p))) ||
        advanced.p == nullptr) {
        return E_NOINTERFACE;
    }
    return advanced.p->DeliverTime(static_cast<QWORD>(limit));
}

STDMETHODIMP CWMFSplitterFlt::OnStatus(WMT_STATUS status, HRESULT result, WMT_ATTR_DATATYPE,
                                       BYTE*, void*)
{
    CAutoLock hold(&m_asyncLock);
    switch (status) {
    case WMT_ERROR:
        if (FAILED(result)) {
            DeliverEndOfStreamOnce();
            REPORT_ASYNC(L"OnStatus", result, std::wstring(L"WMT_ERROR"));
        }
        break;
    case WMT_OPENED:
        if (m_pendingOperation == 1) {
            m_pendingOperation = 0;
            m_asyncResult = result;
            if (FAILED(result)) {
                LOG_UNEXPECTED_HR(result, L"OnStatus: WMT_OPENED");
            }
            m_asyncDone.Set();
        }
        break;
    case WMT_EOF:
        if (m_logDetails) {
            LOG_INFO(L"WMT_EOF");
        }
        DeliverEndOfStreamOnce();
        break;
    case WMT_STARTED: {
        LONGLONG limit = kNoLimit;
        {
            CAutoLock position(&m_positionLock);
            m_deliveryLimit = m_stopPosition >= m_startPosition ? m_stopPosition : kNoLimit;
            limit = m_deliveryLimit;
            if (m_logDetails) {
                LOG_INFO(FormatText(L"WMT_STARTED[Start=%g Delivery=%g sec]",
                                    RefTimeToSeconds(m_startPosition), RefTimeToSeconds(limit)));
            }
        }
        const HRESULT hr = DeliverTimeToReader(limit);
        if (hr == E_NOINTERFACE) {
            REPORT_ASYNC(L"QueryInterface", hr, std::wstring(L"WMT_STARTED"));
        } else if (FAILED(hr)) {
            REPORT_ASYNC(L"DeliverTime", hr, std::wstring(L"WMT_STARTED"));
        }
        break;
    }
    case WMT_STOPPED:
    case WMT_CLOSED: {
        const LONG operation = status == WMT_STOPPED ? 2 : 3;
        if (m_pendingOperation == operation) {
            m_pendingOperation = 0;
            m_asyncResult = result;
            if (FAILED(result)) {
                REPORT_ASYNC(L"OnStatus", result,
                             std::wstring(status == WMT_STOPPED ? L"WMT_STOPPED" : L"WMT_CLOSED"));
            }
            m_asyncDone.Set();
        }
        break;
    }
    case WMT_NEW_METADATA:
        if (m_logDetails) {
            LOG_INFO(L"WMT_NEW_METADATA");
        }
        break;
    default:
        break;
    }
    return S_OK;
}

STDMETHODIMP CWMFSplitterFlt::OnSample(DWORD, QWORD, QWORD, DWORD, INSSBuffer*, void*)
{
    return S_FALSE;
}

STDMETHODIMP CWMFSplitterFlt::OnStreamSample(WORD stream, QWORD time, QWORD duration,
                                             DWORD flags, INSSBuffer* sample, void*)
{
    if (m_endOfStreamSent) {
        return S_FALSE;
    }
    const std::wstring number = FormatText(L"%i", static_cast<int>(stream));
    CWMFOutputPin* pin = FindPinByStream(stream);
    if (pin == nullptr) {
        REPORT_ASYNC(L"OnStreamSample", E_INVALIDARG, number);
        return E_INVALIDARG;
    }
    if (sample == nullptr) {
        REPORT_ASYNC(L"OnStreamSample", E_POINTER, number);
        return E_POINTER;
    }
    CEncapsulateSample* wrapper = CEncapsulateSample::FromBuffer(sample);
    IMediaSample* media = wrapper != nullptr ? wrapper->GetMediaSample() : nullptr;
    if (media == nullptr) {
        REPORT_ASYNC(L"OnStreamSample", E_NOINTERFACE, number);
        return E_NOINTERFACE;
    }
    LONGLONG start = 0;
    double rate = 1.0;
    GetPositions(&start, nullptr, &rate);
    const double speed = m_speed;
    const LONGLONG t = static_cast<LONGLONG>(time);
    LONGLONG t0 = StampTime(t, start, speed, rate);
    LONGLONG t1 = StampTime(t + static_cast<LONGLONG>(duration), start, speed, rate);
    HRESULT hr = media->SetTime(&t0, &t1);
    const std::wstring where = FormatText(L"[%g, %g, %i]", RefTimeToSeconds(t0),
                                          RefTimeToSeconds(t1), static_cast<int>(stream));
    if (FAILED(hr)) {
        REPORT_ASYNC(L"IMediaSample::SetTime", hr, where);
        return hr;
    }
    const GUID& major = pin->StreamType().majortype;
    if (major == MEDIATYPE_Audio) {
        DWORD length = 0;
        hr = sample->GetLength(&length);
        if (FAILED(hr)) {
            REPORT_ASYNC(L"IMediaSample::GetLength", hr, where);
            return hr;
        }
        LONGLONG m0 = m_audioBytePosition;
        LONGLONG m1 = m0 + length;
        hr = media->SetMediaTime(&m0, &m1);
        if (FAILED(hr)) {
            REPORT_ASYNC(L"IMediaSample::SetMediaTime", hr,
                         FormatText(L"[%I64i, %I64i, %i]", m0, m1, static_cast<int>(stream)));
            return hr;
        }
        m_audioBytePosition = m1;
    } else if (major != MEDIATYPE_Video) {
        REPORT_ASYNC(L"OnStreamSample", E_FAIL,
                     FormatText(L"Unk.Stream: %i]", static_cast<int>(stream)));
        return E_FAIL;
    }
    return pin->DeliverSample(flags, media, t0);
}

STDMETHODIMP CWMFSplitterFlt::OnTime(QWORD currentTime, void*)
{
    LONGLONG limit = 0;
    LONGLONG stop = -1;
    {
        CAutoLock hold(&m_positionLock);
        limit = m_deliveryLimit;
        stop = m_stopPosition;
    }
    LOG_INFO(FormatText(L"WMV OnTime: [%g, %g] sec",
                        RefTimeToSeconds(static_cast<LONGLONG>(currentTime)),
                        RefTimeToSeconds(limit)));
    if (m_endOfStreamSent) {
        return S_FALSE;
    }
    if (stop >= 0 && static_cast<LONGLONG>(currentTime) >= stop) {
        LOG_INFO(FormatText(L"OnTime: EOS %g sec", RefTimeToSeconds(stop)));
        DeliverEndOfStreamOnce();
        return S_OK;
    }
    {
        CAutoLock hold(&m_positionLock);
        m_deliveryLimit += kRefTimePerSecond;
        limit = m_deliveryLimit;
    }
    const HRESULT hr = DeliverTimeToReader(limit);
    if (hr == E_NOINTERFACE) {
        REPORT_ASYNC(L"QueryInterface", hr,
                     FormatText(L"IID_IWMReaderAdvanced2[%g sec]",
                                RefTimeToSeconds(static_cast<LONGLONG>(currentTime))));
    } else if (FAILED(hr)) {
        REPORT_ASYNC(L"DeliverTime", hr, FormatText(L"%g sec", RefTimeToSeconds(limit)));
    }
    return hr;
}

STDMETHODIMP CWMFSplitterFlt::OnStreamSelection(WORD, WORD*, WMT_STREAM_SELECTION*, void*)
{
    return S_OK;
}

STDMETHODIMP CWMFSplitterFlt::OnOutputPropsChanged(DWORD, WM_MEDIA_TYPE*, void*)
{
    return S_OK;
}

STDMETHODIMP CWMFSplitterFlt::AllocateForStream(WORD stream, DWORD size, INSSBuffer** buffer,
                                                void*)
{
    if (buffer == nullptr) {
        return E_POINTER;
    }
    *buffer = nullptr;
    CWMFOutputPin* pin = FindPinByStream(stream);
    if (pin == nullptr) {
        REPORT_ASYNC(L"FinfOutPin", E_INVALIDARG, FormatText(L"%i", static_cast<int>(stream)));
        return E_INVALIDARG;
    }
    CComPtr<IMediaSample> media;
    HRESULT hr = pin->GetDeliveryBuffer(&media, nullptr, nullptr, 0);
    if (FAILED(hr) || media == nullptr) {
        return FAILED(hr) ? hr : E_FAIL;  // stopping or flushing: refused without a report
    }
    const long available = media->GetSize();
    if (available < 0 || static_cast<DWORD>(available) < size) {
        REPORT_ASYNC(L"GetSize", E_FAIL,
                     FormatText(L"%i<%i, %i", static_cast<int>(available), static_cast<int>(size),
                                static_cast<int>(stream)));
        return E_FAIL;
    }
    CComPtr<CEncapsulateSample> wrapper;  // the creator's reference
    wrapper.Attach(new (std::nothrow) CEncapsulateSample(media));
    media.Release();  // the wrapper holds its own reference
    if (wrapper == nullptr) {
        REPORT_ASYNC(L"new", E_OUTOFMEMORY,
                     FormatText(L"CEncapsulateSample [%i]", static_cast<int>(stream)));
        return E_OUTOFMEMORY;
    }
    hr = wrapper->SetLength(size);
    if (FAILED(hr)) {
        REPORT_ASYNC(L"INSSBuffer::SetLength", hr, FormatText(L"Len=%i", static_cast<int>(size)));
        return hr;  // a refused buffer is never handed over
    }
    *buffer = wrapper.Detach();
    return S_OK;
}

STDMETHODIMP CWMFSplitterFlt::AllocateForOutput(DWORD, DWORD, INSSBuffer**, void*)
{
    return E_NOTIMPL;
}
