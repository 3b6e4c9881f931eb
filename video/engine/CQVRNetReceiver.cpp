// The network receiver.
#include "video/engine/CQVRNetReceiver.h"

#include "video/audio/CAudioGrabberFilter.h"
#include "platform/dshow/CAutoLock.h"
#include "video/splitter/CWMNetOutputPin.h"
#include "video/splitter/CWMNetSplitterFlt.h"
#include "video/reader/CWmaDecoderFlt.h"
#include "video/DXVideoFunc.h"
#include "video/reader/EngineAudioSink.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "WinNT_SP/Include_VS2005/Volume.h"
#include "video/splitter/QvrGraphEvent.h"
#include "video/display/ViewController.h"

#include <evcode.h>
#include <uuids.h>

#include <algorithm>
#include <new>

#define FAIL(function, code, detail) Fail((function), (code), (detail), __LINE__)

namespace {

// The event thread gives up waiting after this; a graph event handler never takes longer.
constexpr DWORD kEventThreadStopMs = 10000;

// The receiver whose position timer reports (at most one at a time).
std::atomic<CQVRNetReceiver*> g_currentReceiver{nullptr};

}  // namespace

CQVRNetReceiver::CQVRNetReceiver(ViewController* view)
    : m_stopEvent(CreateEventW(nullptr, FALSE, FALSE, nullptr)), m_view(view)
{
}

CQVRNetReceiver::~CQVRNetReceiver()
{
    Close();
}

int CQVRNetReceiver::VideoIndexFor(WORD streamNumber, bool screenFree)
{
    if (streamNumber == 2) {
        return 0;
    }
    return screenFree ? 1 : 0;
}

std::wstring CQVRNetReceiver::Fail(const wchar_t* function, HRESULT code,
                                   const std::wstring& detail, unsigned line)
{
    const std::wstring text = FormatCallFailure(function, code, detail.c_str(), __FILE__, line);
    CAutoLock hold(&m_errorLock);
    if (!m_errorText.empty() && m_errorText != text) {
        LOG_LOCAL_ERROR(text);
    }
    m_errorText = text;
    return m_errorText;
}

void CQVRNetReceiver::ReportAsync(const std::wstring& text)
{
    CAutoLock hold(&m_errorLock);
    if (!m_errorText.empty() && m_errorText != text) {
        LOG_LOCAL_ERROR(text);
    }
    m_errorText = text;
    QVRInstance* callback = GetEngineCallback();
    if (callback != nullptr) {
        callback->OnAsyncError(1, m_errorText.c_str());
    }
}

void CQVRNetReceiver::Close()
{
    CAutoLock hold(&m_lock);
    m_running = false;
    StopPositionTimer();
    StopEventThread();
    if (m_mediaControl != nullptr) {
        m_mediaControl->Stop();  // ends any push waiting for a buffer
    }
    if (m_view != nullptr && m_graph != nullptr) {
        m_view->RemoveAllRenderers();
    }
    m_audioRenderer.Release();
    m_volume = 0;
    m_mute = FALSE;
    m_splitter.Release();
    m_mediaSeeking.Release();
    m_mediaControl.Release();
    m_graph.Release();
    m_mediaEvent.Release();
    m_videoPins[0].Release();
    m_videoPins[1].Release();
    m_audioPin.Release();
    CAutoLock error(&m_errorLock);
    m_errorText.clear();
}

const wchar_t* CQVRNetReceiver::BuildGraph(IWMReader* reader, WORD audioStream,
                                           WORD videoStream1, WORD videoStream2)
{
    Close();
    CAutoLock hold(&m_lock);
    auto failed = [&](const std::wstring&) -> const wchar_t* { return m_errorText.c_str(); };
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IGraphBuilder, reinterpret_cast<void**>(&m_graph));
    if (FAILED(hr)) {
        return failed(FAIL(L"CoCreateInstance", hr, L"CLSID_FilterGraph"));
    }
    std::wstring error;
    // The new filter holds one reference, the creator's: this one.
    m_splitter.Attach(new (std::nothrow)
                          CWMNetSplitterFlt(reader, audioStream, videoStream1, videoStream2, &error));
    if (!error.empty()) {
        return failed(FAIL(L"CWMNetSplitterFlt", E_FAIL, error));
    }
    hr = m_splitter != nullptr ? m_graph->AddFilter(m_splitter, L"WMNetSplitter") : E_OUTOFMEMORY;
    if (FAILED(hr)) {
        return failed(FAIL(L"IGraphBuilder::AddFilter", hr, L"WMNetSplitter"));
    }
    int inputs = 0;
    int outputs = 0;
    hr = DXVideoFunc::CountPins(m_splitter, &inputs, &outputs);
    if (FAILED(hr)) {
        return failed(FAIL(L"CountFilterPins", hr, L""));
    }
    if (outputs > 2) {
        LOG_INFO(FormatText(L"OutPins=%i", outputs));
    }
    if (outputs == 0) {
        return failed(FAIL(L"CountFilterPins", E_FAIL, L""));
    }
    int videos = 0;
    int audios = 0;
    for (int i = 0; i < outputs; ++i) {
        CComPtr<IPin> pin;
        hr = DXVideoFunc::GetPin(i, m_splitter, &pin);
        if (FAILED(hr) || pin == nullptr) {
            return failed(FAIL(L"DXVideoFunc::GetPin", FAILED(hr) ? hr : E_POINTER,
                               FormatText(L"%i", i)));
        }
        CMediaType type;
        hr = DXVideoFunc::GetPreferredMediaType(pin, type);
        if (FAILED(hr)) {
            return failed(FAIL(L"GetFirstMediaType", hr, FormatText(L"%i", i)));
        }
        if (type.majortype == MEDIATYPE_Video) {
            if (videos >= 2) {
                LOG_UNEXPECTED(FormatText(L"Video Stream: %i", videos));
            } else {
                const WORD number = static_cast<CWMNetOutputPin*>(m_splitter->GetPin(i))
                                        ->streamNumber;
                const int index = VideoIndexFor(number, m_videoPins[1] == nullptr);
                m_videoPins[index] = pin;
            }
            ++videos;
        } else if (type.majortype == MEDIATYPE_Audio) {
            if (audios >= 2) {
                LOG_UNEXPECTED(FormatText(L"Audio Stream: %i", audios));
            } else {
                m_audioPin = pin;
            }
            ++audios;
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
    }
    if (videos == 0 && audios == 0) {
        return failed(FAIL(L"CountFilterPins", E_FAIL, L""));
    }
    hr = m_graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&m_mediaSeeking));
    if (FAILED(hr)) {
        return failed(FAIL(L"QueryInterface", hr, L"IID_IMediaSeeking"));
    }
    hr = m_graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&m_mediaControl));
    if (FAILED(hr)) {
        return failed(FAIL(L"QueryInterface", hr, L"IID_IMediaControl"));
    }
    hr = m_graph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(&m_mediaEvent));
    if (FAILED(hr)) {
        return failed(FAIL(L"QueryInterface", hr, L"IID_IMediaEvent"));
    }
    const std::wstring thread = StartEventThread();
    if (!thread.empty()) {
        return failed(thread);
    }
    return nullptr;
}

void CQVRNetReceiver::Start(LONGLONG startTime, IBaseFilter* audioRenderer)
{
    CAutoLock hold(&m_lock);
    if (m_mediaControl == nullptr) {
        return;
    }
    m_running = false;
    m_splitter->OnStart(startTime);
    // A step that fails does not stop the others, but the player hears of it: the stream
    // would otherwise play without its sound or picture and nobody would know why.
    std::wstring error = AddAudioRender(audioRenderer);
    if (!error.empty()) {
        ReportAsync(error);
    }
    if (m_view != nullptr) {
        for (int i = 0; i < 2; ++i) {
            if (m_videoPins[i] != nullptr && !DXVideoFunc::IsPinConnected(m_videoPins[i])) {
                error = m_view->InsertVideoRender(m_videoPins[i], m_graph, i);
                if (error.empty()) {
                    continue;
                }
                if (m_view->GetBoardWindow(i) != nullptr) {
                    ReportAsync(error);
                } else {
                    LOG_UNEXPECTED(error);  // the player shows no video there
                }
            }
        }
    }
    ApplyVolume(m_volume, m_mute);
    const HRESULT hr = m_mediaControl->Run();
    if (FAILED(hr)) {
        // Samples are refused until a start works; the player hears why.
        ReportAsync(FAIL(L"IMediaControl::Run", hr, L""));
        return;
    }
    m_running = true;
    StartPositionTimer();
}

void CQVRNetReceiver::Stop()
{
    // Refuse pushes first: a push waiting for a buffer ends when the graph stops below.
    m_running = false;
    CAutoLock hold(&m_lock);
    StopPositionTimer();
    if (m_mediaControl == nullptr) {
        return;
    }
    const HRESULT hr = m_mediaControl->Stop();
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, L"IMediaControl::Stop");
    }
    if (m_view != nullptr) {
        m_view->RemoveAllRenderers();
    }
    // The decoders and renderers go, so that the next start connects the pins afresh.
    for (IPin* pin : m_videoPins) {
        if (pin != nullptr) {
            DXVideoFunc::RemoveDownstreamOfPin(m_graph, pin);
        }
    }
}

void CQVRNetReceiver::Pause()
{
    m_running = false;
    CAutoLock hold(&m_lock);
    if (m_mediaControl == nullptr) {
        return;
    }
    const HRESULT hr = m_mediaControl->Pause();
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, L"IMediaControl::Pause");
    }
}

void CQVRNetReceiver::Resume()
{
    CAutoLock hold(&m_lock);
    if (m_mediaControl == nullptr) {
        return;
    }
    const HRESULT hr = m_mediaControl->Run();
    if (FAILED(hr)) {
        ReportAsync(FAIL(L"IMediaControl::Run", hr, L""));
        return;
    }
    m_running = true;
}

HRESULT CQVRNetReceiver::PushSample(WORD streamNumber, LONGLONG time, LONGLONG duration,
                                    DWORD flags, INSSBuffer* sample)
{
    CComPtr<CWMNetSplitterFlt> splitter;  // alive through the push, which runs without the lock
    {
        CAutoLock hold(&m_lock);
        if (!m_running || m_splitter == nullptr) {
            return S_FALSE;
        }
        splitter = m_splitter;
    }
    const HRESULT hr = splitter->OnWMStreamSample(streamNumber, sample, time, duration, flags);
    return m_running ? hr : S_FALSE;
}

IPin* CQVRNetReceiver::GetVideoPin(int index) const
{
    return index == 0 || index == 1 ? m_videoPins[index] : nullptr;
}

BOOL CQVRNetReceiver::IsAudioOnly() const
{
    return m_audioPin != nullptr && m_videoPins[0] == nullptr && m_videoPins[1] == nullptr;
}

void CQVRNetReceiver::ApplyVolume(long volume, BOOL mute)
{
    m_volume = volume > 0 ? 0 : std::max(volume, kSilentDirectShowVolume);
    m_mute = mute;
    if (m_audioRenderer == nullptr) {
        return;
    }
    CComPtr<IBasicAudio> audio;
    HRESULT hr = m_audioRenderer->QueryInterface(IID_IBasicAudio,
                                                 reinterpret_cast<void**>(&audio));
    if (FAILED(hr) || audio == nullptr) {
        LOG_UNEXPECTED_HR(hr, L"QueryInterface: IID_IBasicAudio");
        return;
    }
    const long applied = m_mute ? kSilentDirectShowVolume : m_volume;
    hr = audio->put_Volume(applied);
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, FormatText(L"put_Volume: %i", static_cast<int>(applied)));
    }
}

void CQVRNetReceiver::RemoveAudioChain()
{
    m_audioRenderer.Release();
    if (m_graph != nullptr && m_audioPin != nullptr && DXVideoFunc::IsPinConnected(m_audioPin)) {
        const HRESULT hr = m_mediaControl->Stop();
        if (FAILED(hr)) {
            LOG_UNEXPECTED_HR(hr, L"IMediaControl::Stop");
        }
        DXVideoFunc::RemoveDownstreamOfPin(m_graph, m_audioPin);
    }
}

HRESULT CQVRNetReceiver::ConnectDecoder(IBaseFilter* tap)
{
    // The engine's own WMA decoder first, as the presentation reader's chain has it.
    CComPtr<CWmaDecoderFlt> decoder;
    decoder.Attach(CWmaDecoderFlt::Create());  // created holding one reference, ours
    if (decoder != nullptr) {
        HRESULT hr = m_graph->AddFilter(decoder, nullptr);
        if (SUCCEEDED(hr)) {
            hr = m_graph->ConnectDirect(m_audioPin, decoder->GetPin(0), nullptr);
            if (SUCCEEDED(hr)) {
                hr = DXVideoFunc::ConnectFilters(tap, m_graph, decoder->GetPin(1));
            }
            if (FAILED(hr)) {
                LOG_UNEXPECTED_HR(hr, L"WMA decoder");
                m_graph->RemoveFilter(decoder);
            }
        }
        if (SUCCEEDED(hr)) {
            return hr;
        }
    }
    return DXVideoFunc::ConnectFilters(tap, m_graph, m_audioPin);
}

std::wstring CQVRNetReceiver::AddAudioRender(IBaseFilter* renderer)
{
    if (m_graph == nullptr || m_mediaControl == nullptr) {
        return FAIL(L"AddAudioRender", E_POINTER, L"");
    }
    RemoveAudioChain();
    if (m_audioPin == nullptr) {
        return std::wstring();
    }
    HRESULT hr = m_mediaControl->Stop();
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, L"IMediaControl::Stop");
    }
    CMediaType compressed;
    hr = DXVideoFunc::GetPreferredMediaType(m_audioPin, compressed);
    if (FAILED(hr)) {
        return FAIL(L"GetFirstMediaType", hr, L"");
    }
    CMediaType pcm;
    hr = DXVideoFunc::SetAudioTypeToUncompressed(pcm, compressed);
    if (FAILED(hr)) {
        return FAIL(L"SetAudioTypeToUncompressed", hr, L"");
    }
    hr = S_OK;
    CComPtr<CAudioGrabberFilter> tap;
    tap.Attach(CAudioGrabberFilter::Create(pcm, EngineAudioSink::Instance(), &hr));
    if (tap == nullptr) {
        return FAIL(L"new", E_OUTOFMEMORY, L"CAudioGrabberFilter");
    }
    hr = m_graph->AddFilter(tap, nullptr);
    if (hr != S_OK) {
        return FAIL(L"AddFilter", hr, L"Grabber");
    }
    CComPtr<IBaseFilter> output;
    if (renderer != nullptr) {
        hr = m_graph->AddFilter(renderer, nullptr);
        if (FAILED(hr)) {
            return FAIL(L"AddFilter", hr, L"Renderer");
        }
        output = renderer;
    } else {
        hr = DXVideoFunc::AddFilterByCLSID(&output, m_graph);
        if (FAILED(hr) || output == nullptr) {
            return FAIL(L"AddFilterByCLSID", FAILED(hr) ? hr : E_FAIL, L"Null");
        }
    }
    m_audioRenderer = output;
    hr = ConnectDecoder(tap);
    if (FAILED(hr)) {
        return FAIL(L"ConnectFilters", hr, L"Grabber");
    }
    hr = DXVideoFunc::ConnectFilters(tap, m_graph, output);
    if (FAILED(hr)) {
        return FAIL(L"ConnectFilters", hr, L"Render");
    }
    return std::wstring();
}

DWORD WINAPI CQVRNetReceiver::EventThreadProc(void* self)
{
    return static_cast<CQVRNetReceiver*>(self)->GraphEventLoop();
}

std::wstring CQVRNetReceiver::StartEventThread()
{
    if (m_eventThread != nullptr) {
        return std::wstring();
    }
    ResetEvent(m_stopEvent);
    m_eventThread.Attach(CreateThread(nullptr, 0, EventThreadProc, this, 0, nullptr));
    if (!m_eventThread) {
        return FAIL(L"CreateThread", HRESULT_FROM_WIN32(GetLastError()), L"");
    }
    return std::wstring();
}

void CQVRNetReceiver::StopEventThread()
{
    if (m_eventThread == nullptr) {
        return;
    }
    SetEvent(m_stopEvent);
    // Bounded: the thread takes only the error lock, never the receiver's.
    const DWORD result = WaitForSingleObject(m_eventThread, kEventThreadStopMs);
    if (result != WAIT_OBJECT_0) {
        LOG_UNEXPECTED(FormatText(L"WaitForSingleObject: %i", static_cast<int>(result)));
    }
    m_eventThread.Close();
}

DWORD CQVRNetReceiver::GraphEventLoop()
{
    IMediaEventEx* events = m_mediaEvent;
    if (events == nullptr) {
        return 0;
    }
    OAEVENT handle = 0;
    HRESULT hr = events->GetEventHandle(&handle);
    if (FAILED(hr)) {
        ReportAsync(FAIL(L"IMediaEventEx::GetEventHandle", hr, L""));
        return 0;
    }
    HANDLE waits[2] = {m_stopEvent, reinterpret_cast<HANDLE>(handle)};
    for (;;) {
        const DWORD result = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        if (result == WAIT_OBJECT_0) {
            return 0;
        }
        if (result == WAIT_FAILED) {
            ReportAsync(FAIL(L"WaitForMultipleObjects", HRESULT_FROM_WIN32(GetLastError()),
                             L"WAIT_FAILED"));
            return 0;
        }
        long code = 0;
        LONG_PTR p1 = 0;
        LONG_PTR p2 = 0;
        while (events->GetEvent(&code, &p1, &p2, 0) == S_OK) {
            if (code == EC_COMPLETE) {
                LOG_INFO(L"NetReceiver: EC_COMPLETE");
            } else if (code == EC_USERABORT) {
                LOG_INFO(L"NetReceiver: EC_USERABORT");
            } else if (code == EC_ERRORABORT) {
                ReportAsync(FAIL(L"NetReceiver: EC_ERRORABORT", static_cast<HRESULT>(p1), L""));
            } else if (code == QVR_ERROR_DS_EVENT) {
                const wchar_t* text = reinterpret_cast<const wchar_t*>(p2);
                ReportAsync(text != nullptr && *text != 0 ? std::wstring(text)
                                                          : L"NetReceiver: QVR_ERROR_DS_EVENT");
            }
            events->FreeEventParams(code, p1, p2);
            if (WaitForSingleObject(m_stopEvent, 0) == WAIT_OBJECT_0) {
                return 0;
            }
        }
    }
}

void CQVRNetReceiver::StartPositionTimer()
{
    if (m_timerId != 0 && g_currentReceiver == this) {
        return;
    }
    StopPositionTimer();
    g_currentReceiver = this;
    m_timerId = SetTimer(nullptr, 0, 100, TimerProc);
    if (m_timerId == 0) {
        LOG_UNEXPECTED(L"SetTimer err");
    }
}

void CQVRNetReceiver::StopPositionTimer()
{
    if (m_timerId != 0 && !KillTimer(nullptr, m_timerId) && GetLastError() != 0) {
        LOG_UNEXPECTED(FormatText(L"KillTimer err: %i", static_cast<int>(GetLastError())));
    }
    m_timerId = 0;
    CQVRNetReceiver* self = this;
    g_currentReceiver.compare_exchange_strong(self, nullptr);
}

void CALLBACK CQVRNetReceiver::TimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    CQVRNetReceiver* receiver = g_currentReceiver;
    if (receiver == nullptr || receiver->m_mediaSeeking == nullptr) {
        return;
    }
    LONGLONG position = 0;
    const HRESULT hr = receiver->m_mediaSeeking->GetCurrentPosition(&position);
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, L"GetCurrentPosition");
        return;
    }
    QVRInstance* callback = GetEngineCallback();
    if (callback != nullptr) {
        callback->OnPosition(static_cast<double>(position) / 1e7);
    }
}
