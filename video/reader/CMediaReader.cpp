// The playback graph of one presentation and its graph event thread. The event thread never
// blocks on the reader lock while it is asked to stop, so the graph can be torn down (and a
// file reopened) by a thread that holds the lock.
#include "video/reader/CMediaReader.h"

#include "platform/dshow/CAutoLock.h"
#include "platform/framework/window/CWaitCursor.h"
#include "video/splitter/CWMFOutputPin.h"
#include "video/splitter/CWMFSplitterFlt.h"
#include "video/DXVideoFunc.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "video/splitter/QvrGraphEvent.h"
#include "video/reader/ReaderDisplay.h"
#include "platform/base/TimeUnits.h"

#include <evcode.h>
#include <uuids.h>
#include <vfwmsgs.h>

#include <cmath>
#include <new>

namespace {

constexpr DWORD kEventThreadStopMs = 10000;

void CopyText(BYTE* info, int index, const std::wstring& text)
{
    wchar_t* slot = reinterpret_cast<wchar_t*>(info) + index * 256;
    const size_t n = text.size() < 255 ? text.size() : 255;
    wmemcpy(slot, text.c_str(), n);
    slot[n] = L'\0';
}

void PutDouble(BYTE* info, int offset, double value)
{
    memcpy(info + offset, &value, sizeof(value));
}

}  // namespace

CMediaReader::CMediaReader() : m_stopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CMediaReader::~CMediaReader()
{
    Close();
}

LONGLONG CMediaReader::RangeStop(LONGLONG start, LONGLONG length, double duration)
{
    const LONGLONG end = SecondsToRefTime(duration);
    LONGLONG stop = length > 0 ? start + length : end;
    if (stop > end) {
        stop = end;
    }
    if (start < stop - 10000 &&
        TimeGridSteps(RefTimeToSeconds(stop)) != TimeGridSteps(duration)) {
        stop -= 10000;
    }
    return stop;
}

int CMediaReader::VideoSlot(WORD streamNumber, bool screenSlotFree)
{
    if (streamNumber == 2) {
        return 0;
    }
    return screenSlotFree ? 1 : 0;
}

void CMediaReader::SetRange(LONGLONG start, LONGLONG length)
{
    m_rangeStart = start;
    m_rangeStop = RangeStop(start, length, m_duration);
}

std::wstring CMediaReader::BuildGraph(const wchar_t* name, READER_CB_PARAMS* context,
                                      QVR_READ_CALLBACK read, QVR_SEEK_CALLBACK seek)
{
    Close();
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IGraphBuilder, reinterpret_cast<void**>(&m_graph));
    if (FAILED(hr)) {
        return CALL_FAILURE(L"CoCreateInstance", hr, L"CLSID_FilterGraph");
    }
    std::wstring error;
    // The new filter holds one reference: the creator's.
    m_splitter.Attach(new (std::nothrow) CWMFSplitterFlt(name, context, m_logDetails, &error,
                                                         read, seek));
    if (m_splitter == nullptr) {
        return CALL_FAILURE(L"new", 14, L"CWMFSplitterFlt");
    }
    if (!error.empty()) {
        return error;
    }
    hr = m_graph->AddFilter(m_splitter, L"WMFSplitter");
    if (FAILED(hr)) {
        return CALL_FAILURE(L"IGraphBuilder::AddFilter", hr, L"WMFSplitter");
    }
    int inputs = 0;
    int outputs = 0;
    hr = DXVideoFunc::CountPins(m_splitter, &inputs, &outputs);
    if (FAILED(hr)) {
        return CALL_FAILURE(L"CountFilterPins", hr, L"");
    }
    const std::wstring corrupt = FormatText(EngineString(197), name);
    if (outputs > 3) {
        LOG_INFO(FormatText(L"OutPins=%i", outputs));
    }
    if (outputs == 0) {
        LOG_UNEXPECTED(L"Un.File: OUT=0");
        return corrupt;
    }
    int videoCount = 0;
    int audioCount = 0;
    for (int i = 0; i < outputs; ++i) {
        const std::wstring index = FormatText(L"%i", i);
        CComPtr<IPin> pin;
        hr = DXVideoFunc::GetPin(i, m_splitter, &pin);
        if (FAILED(hr) || pin == nullptr) {
            return CALL_FAILURE(L"DXVideoFunc::GetPin", FAILED(hr) ? hr : E_FAIL, index.c_str());
        }
        CMediaType type;
        hr = DXVideoFunc::GetPreferredMediaType(pin, type);
        if (FAILED(hr)) {
            return CALL_FAILURE(L"GetFirstMediaType", hr, index.c_str());
        }
        std::wstring text;
        if (type.majortype == MEDIATYPE_Video) {
            if (videoCount >= 2) {
                LOG_UNEXPECTED(FormatText(L"Video Stream: %i", videoCount));
            } else {
                const WORD number = static_cast<CWMFOutputPin*>(pin.p)->GetStreamNumber(nullptr);
                const int slot = VideoSlot(number, m_videoStreams[1].pin == nullptr);
                text = m_videoStreams[slot].Init(pin, slot + 1, type);
                if (text.empty()) {
                    m_videoFormats[slot].SetMediaType(type);
                    if (m_videoStreams[slot].duration > m_duration) {
                        m_duration = m_videoStreams[slot].duration;
                    }
                }
            }
            ++videoCount;
        } else if (type.majortype == MEDIATYPE_Audio) {
            // Of two audio streams the first keeps the slot: the splitter switched the second
            // one off, so its pin never carries a sample.
            if (audioCount >= 1) {
                LOG_UNEXPECTED(FormatText(L"Audio Stream: %i", audioCount));
            } else {
                text = m_audioStream.Init(pin, ReaderStream::kAudio, type);
                if (text.empty()) {
                    m_audioFormat.SetMediaType(type);
                    if (m_audioStream.duration > m_duration) {
                        m_duration = m_audioStream.duration;
                    }
                }
            }
            ++audioCount;
        } else {
            wchar_t major[64];
            wchar_t sub[64];
            wchar_t format[64];
            DXVideoFunc::GuidText(type.majortype, major);
            DXVideoFunc::GuidText(type.subtype, sub);
            DXVideoFunc::GuidText(type.formattype, format);
            LOG_INFO(FormatText(L"Un.Stream[%i]: Majortype=%s, Subtype=%s, Formattype=%s", i,
                                major, sub, format));
        }
        pin.Release();
        if (!text.empty()) {
            return text;
        }
    }
    if (videoCount == 0 && audioCount == 0) {
        LOG_UNEXPECTED(L"Un.File: V=0, A=0");
        return corrupt;
    }
    hr = m_graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&m_mediaSeeking));
    if (FAILED(hr)) {
        return CALL_FAILURE(L"QueryInterface", hr, L"IID_IMediaSeeking");
    }
    hr = m_graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&m_mediaControl));
    if (FAILED(hr)) {
        return CALL_FAILURE(L"QueryInterface", hr, L"IID_IMediaControl");
    }
    hr = m_graph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(&m_mediaEvent));
    if (FAILED(hr)) {
        return CALL_FAILURE(L"QueryInterface", hr, L"IID_IMediaEvent");
    }
    m_name = name;
    m_readCallback = read;
    m_seekCallback = seek;
    m_callbackContext = context;
    FillInfo();
    return StartEventThread();
}

void CMediaReader::FillInfo()
{
    PutDouble(m_info, QVR_READER_INFO_AUDIO_DURATION, m_audioStream.duration);
    PutDouble(m_info, QVR_READER_INFO_CAMERA_DURATION, m_videoStreams[0].duration);
    PutDouble(m_info, QVR_READER_INFO_SCREEN_DURATION, m_videoStreams[1].duration);
    for (int slot = 0; slot < 2; ++slot) {
        const ReaderStream& s = m_videoStreams[slot];
        if (s.pin != nullptr) {
            CopyText(m_info, 3 + slot * 3, DXVideoFunc::FourCcText(s.mediaType, FALSE));
            CopyText(m_info, 4 + slot * 3, DXVideoFunc::VideoParamsText(s.mediaType, TRUE));
            CopyText(m_info, 5 + slot * 3, DXVideoFunc::VideoParamsText(s.mediaType, FALSE));
        }
    }
    if (m_audioStream.pin != nullptr) {
        CopyText(m_info, 0, DXVideoFunc::AudioCodecName(m_audioStream.mediaType, FALSE));
        CopyText(m_info, 1, DXVideoFunc::AudioParamsText(m_audioStream.mediaType));
        CopyText(m_info, 2, DXVideoFunc::AudioParamsText(m_audioStream.mediaType));
    }
}

void CMediaReader::Close()
{
    // Renderers go before the graph they sit in.
    if (ReaderDisplay* display = ReaderDisplay::Current()) {
        display->DetachReader(this);
    }
    StopEventThread();
    m_videoStreams[0].Reset();
    m_videoStreams[1].Reset();
    m_audioStream.Reset();
    if (m_mediaControl != nullptr) {
        // Wine leaves filters paused after a failed run; a graph released in that state
        // cannot take its filters out.
        if (m_splitter != nullptr) {
            LeaveRunning();
            m_splitter->HaltDelivery();
        }
        m_mediaControl->Stop();
    }
    m_splitter.Release();
    m_mediaControl.Release();
    m_mediaSeeking.Release();
    m_graph.Release();
    m_mediaEvent.Release();
    memset(m_info, 0, sizeof(m_info));
    m_duration = 0;
    m_rangeStart = -1;
    m_rangeStop = -1;
    m_name.clear();
    {
        ReaderLockHold hold(m_lock);
        m_lastError.clear();
    }
    m_callbackContext = nullptr;
}

std::wstring CMediaReader::Run()
{
    if (m_mediaControl == nullptr) {
        return std::wstring();
    }
    const HRESULT hr = m_mediaControl->Run();
    if (FAILED(hr)) {
        return CALL_FAILURE(L"IMediaControl::Run", hr, L"");
    }
    return std::wstring();
}

std::wstring CMediaReader::Pause()
{
    if (m_mediaControl == nullptr) {
        return std::wstring();
    }
    const HRESULT hr = m_mediaControl->Pause();
    if (FAILED(hr)) {
        return CALL_FAILURE(L"IMediaControl::Pause", hr, L"");
    }
    return hr == S_OK ? std::wstring() : WaitForStateChange();
}

std::wstring CMediaReader::Stop()
{
    if (m_mediaControl == nullptr) {
        return std::wstring();
    }
    if (m_splitter != nullptr) {
        LeaveRunning();
        m_splitter->HaltDelivery();
    }
    const HRESULT hr = m_mediaControl->Stop();
    if (FAILED(hr)) {
        return CALL_FAILURE(L"IMediaControl::Stop", hr, L"");
    }
    return WaitForStateChange();
}

void CMediaReader::LeaveRunning()
{
    // A running audio renderer holds an end of stream until its sound has played out, and
    // only a state change frees it; the flush that halts delivery would wait for it forever.
    OAFilterState state = State_Stopped;
    if (SUCCEEDED(m_mediaControl->GetState(0, &state)) && state == State_Running) {
        const HRESULT hr = m_mediaControl->Pause();
        if (FAILED(hr)) {
            LOG_UNEXPECTED_HR(hr, L"IMediaControl::Pause");
        }
    }
}

std::wstring CMediaReader::WaitForStateChange()
{
    if (m_mediaControl == nullptr) {
        return std::wstring();
    }
    CWaitCursor wait;
    OAFilterState state = 0;
    const HRESULT hr = m_mediaControl->GetState(10000, &state);
    if (hr == VFW_S_STATE_INTERMEDIATE) {
        LOG_UNEXPECTED(L"WaitForStateChange: VFW_S_STATE_INTERMEDIATE");
        return std::wstring();
    }
    if (FAILED(hr)) {
        return CALL_FAILURE(L"IMediaControl::GetState", hr, L"");
    }
    return std::wstring();
}

IWMReader* CMediaReader::GetWMReader()
{
    return m_splitter != nullptr ? m_splitter->Reader() : nullptr;
}

BOOL CMediaReader::IsAudioOnly()
{
    return m_audioStream.pin != nullptr && m_videoStreams[0].pin == nullptr &&
           m_videoStreams[1].pin == nullptr;
}

DWORD WINAPI CMediaReader::EventThreadProc(void* self)
{
    return static_cast<CMediaReader*>(self)->GraphEventLoop();
}

std::wstring CMediaReader::StartEventThread()
{
    if (m_eventThread != nullptr) {
        return std::wstring();
    }
    ResetEvent(m_stopEvent);
    m_eventThread.Attach(CreateThread(nullptr, 0, EventThreadProc, this, 0, nullptr));
    if (!m_eventThread) {
        return CALL_FAILURE(L"CreateThread", HRESULT_FROM_WIN32(GetLastError()), L"");
    }
    return std::wstring();
}

void CMediaReader::StopEventThread()
{
    if (m_eventThread == nullptr) {
        return;
    }
    SetEvent(m_stopEvent);
    // The thread gives up waiting for the reader lock once the stop event is set, so this
    // wait ends even when the caller holds the lock; the time-out guards the rest.
    const DWORD result = WaitForSingleObject(m_eventThread, kEventThreadStopMs);
    if (result != WAIT_OBJECT_0) {
        LOG_UNEXPECTED(FormatText(L"WaitForSingleObject: %i", static_cast<int>(result)));
    }
    m_eventThread.Close();
}

bool CMediaReader::LockFromEventThread()
{
    for (;;) {
        if (m_lock.TryLock()) {
            return true;
        }
        if (WaitForSingleObject(m_stopEvent, 2) == WAIT_OBJECT_0) {
            return false;
        }
    }
}

void CMediaReader::ReportAsyncError(const std::wstring& text)
{
    if (!LockFromEventThread()) {
        return;
    }
    if (!m_lastError.empty() && m_lastError != text) {
        LOG_LOCAL_ERROR(text);
    }
    m_lastError = text;
    const std::wstring copy = m_lastError;
    QVRInstance* callback = GetEngineCallback();
    if (callback != nullptr) {
        callback->OnAsyncError(1, copy.c_str());
    }
    m_lock.Unlock();
}

void CMediaReader::OnGraphEvent(long code, LONG_PTR param1, LONG_PTR param2)
{
    switch (code) {
    case EC_COMPLETE:
        LOG_INFO(L"MediaReader: EC_COMPLETE");
        break;
    case EC_USERABORT:
        LOG_INFO(L"MediaReader: EC_USERABORT");
        break;
    case QVR_ERROR_DS_EVENT: {
        if (!LockFromEventThread()) {
            return;
        }
        const wchar_t* text = reinterpret_cast<const wchar_t*>(param2);
        m_lastError = text != nullptr ? text : L"QVR_ERROR_DS_EVENT";
        const std::wstring copy = m_lastError;
        QVRInstance* callback = GetEngineCallback();
        if (callback != nullptr) {
            callback->OnAsyncError(1, copy.c_str());
        }
        m_lock.Unlock();
        break;
    }
    case EC_ERRORABORT:
        ReportAsyncError(CALL_FAILURE(L"MediaReader(EC_ERRORABORT)",
                                      static_cast<HRESULT>(param1), L""));
        break;
    default:
        break;
    }
}

DWORD CMediaReader::GraphEventLoop()
{
    return RunEventLoop();
}

DWORD CMediaReader::RunEventLoop()
{
    if (m_mediaEvent == nullptr) {
        return 0;
    }
    OAEVENT handle = 0;
    HRESULT hr = m_mediaEvent->GetEventHandle(&handle);
    if (FAILED(hr)) {
        ReportAsyncError(CALL_FAILURE(L"IMediaEventEx::GetEventHandle", hr, L""));
        return 0;
    }
    HANDLE waits[2] = {m_stopEvent, reinterpret_cast<HANDLE>(handle)};
    for (;;) {
        const DWORD result = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        if (result == WAIT_OBJECT_0) {
            return 0;
        }
        if (result == WAIT_FAILED) {
            ReportAsyncError(CALL_FAILURE(L"WaitForMultipleObjects",
                                          HRESULT_FROM_WIN32(GetLastError()), L"WAIT_FAILED"));
            return 0;
        }
        if (WaitForSingleObject(waits[1], 100) != WAIT_OBJECT_0) {
            continue;
        }
        long code = 0;
        LONG_PTR p1 = 0;
        LONG_PTR p2 = 0;
        while (m_mediaEvent->GetEvent(&code, &p1, &p2, 0) == S_OK) {
            OnGraphEvent(code, p1, p2);
            hr = m_mediaEvent->FreeEventParams(code, p1, p2);
            if (FAILED(hr)) {
                ReportAsyncError(CALL_FAILURE(L"IMediaEventEx::FreeEventParams", hr, L""));
            }
            if (WaitForSingleObject(m_stopEvent, 0) == WAIT_OBJECT_0) {
                return 0;
            }
        }
        OnEventsDone();
    }
}
