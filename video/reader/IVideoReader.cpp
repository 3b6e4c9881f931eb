// The presentation reader: opening, information, read range, frame search, playback control,
// the audio chain with volume and speed, the position timer and the end of playback.
#include "video/reader/IVideoReader.h"

#include "video/audio/CAudioGrabberFilter.h"
#include "platform/dshow/CAutoLock.h"
#include "video/audio/CSoundSpeedFlt.h"
#include "platform/framework/window/CWaitCursor.h"
#include "video/splitter/CWMFSplitterFlt.h"
#include "video/reader/CWmaDecoderFlt.h"
#include "video/DXVideoFunc.h"
#include "video/reader/EngineAudioSink.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "video/reader/KeyScanner.h"
#include "video/splitter/QvrGraphEvent.h"
#include "video/reader/ReaderDisplay.h"
#include "WinNT_SP/Include_VS2005/Volume.h"
#include "WinNT_SP/Include_VS2005/WMRuntimeTable.h"
#include "platform/base/TimeUnits.h"

#include <evcode.h>

#include <algorithm>
#include <uuids.h>

#define FAIL(function, code, detail) Fail((function), (code), (detail), __LINE__)

namespace {

// The reader whose position every tick of any reader's timer reports (UI thread only).
IVideoReader* g_timedReader = nullptr;

}  // namespace

IVideoReader::IVideoReader()
{
    m_logDetails = TRUE;
}

IVideoReader::~IVideoReader()
{
    StopPositionTimer();
    if (ReaderDisplay* display = ReaderDisplay::Current()) {
        display->DetachReader(this);
    }
    {
        CAutoLock hold(&m_chainLock);
        m_audioRenderer.Release();
        m_soundSpeed.Release();
    }
    Close();
}

long IVideoReader::ClampVolume(long volume)
{
    return volume > 0 ? 0
                      : (volume < kSilentDirectShowVolume ? kSilentDirectShowVolume : volume);
}

LONGLONG IVideoReader::Grid5ms(double seconds)
{
    return GridSteps(seconds, 0.005);
}

const wchar_t* IVideoReader::Fail(const wchar_t* function, HRESULT code,
                                  const std::wstring& detail, unsigned line)
{
    const std::wstring text = FormatCallFailure(function, code, detail.c_str(), __FILE__, line);
    ReaderLockHold hold(m_lock);
    if (!m_lastError.empty() && m_lastError != text) {
        LogLocalError(__FILE__, line, text);
    }
    m_lastError = text;
    m_returnText = m_lastError;  // a copy: the event thread may replace the stored text
    return m_returnText.c_str();
}

const wchar_t* IVideoReader::Store(const std::wstring& text)
{
    ReaderLockHold hold(m_lock);
    m_lastError = text;
    m_returnText = text;
    return m_returnText.empty() ? nullptr : m_returnText.c_str();
}

const wchar_t* IVideoReader::Open(BOOL noClock, const wchar_t* name, QVR_READ_CALLBACK read,
                                  QVR_SEEK_CALLBACK seek, void* mainContext, void* scanContext,
                                  void* attributes)
{
    ReaderLockHold hold(m_lock);
    READER_CB_PARAMS* context = static_cast<READER_CB_PARAMS*>(mainContext);
    HRESULT result = E_FAIL;
    seek(0, FILE_BEGIN, context, &result);
    if (FAILED(result)) {
        return FAIL(L"Seek", result, L"");
    }
    BYTE head[8] = {};
    result = E_FAIL;
    const DWORD got = read(head, sizeof(head), context, &result);
    if (FAILED(result)) {
        return FAIL(L"Read", result, L"");
    }
    const DWORD first = got >= 4 ? static_cast<DWORD>(head[0] | (head[1] << 8) |
                                                      (head[2] << 16) | (head[3] << 24))
                                 : 0;
    if (first != 0x75B22630) {
        return Store(FormatText(EngineString(197), name));
    }
    const std::wstring error = BuildGraph(name, context, read, seek);
    if (!error.empty()) {
        LOG_UNEXPECTED(error);
        return Store(FormatText(EngineString(197), name));
    }
    m_noClock = noClock;
    m_mainContext = context;
    m_scanContext = static_cast<READER_CB_PARAMS*>(scanContext);
    if (noClock) {
        CComPtr<IMediaFilter> filter;
        HRESULT hr = m_graph->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(&filter));
        if (FAILED(hr) || filter == nullptr) {
            return FAIL(L"QueryInterface", FAILED(hr) ? hr : E_NOINTERFACE, L"IID_IMediaFilter");
        }
        hr = filter->SetSyncSource(nullptr);
        filter.Release();
        if (FAILED(hr)) {
            return FAIL(L"IMediaFilter::SetSyncSource", hr, L"");
        }
    } else {
        ComputeFinalFrameTimes();
    }
    if (attributes != nullptr) {
        if (GetWMReader() == nullptr) {
            return FAIL(L"GetWMReader", E_POINTER, L"");
        }
        CComPtr<IWMHeaderInfo3> header;
        const HRESULT hr = GetWMReader()->QueryInterface(IID_IWMHeaderInfo3,
                                                         reinterpret_cast<void**>(&header));
        if (FAILED(hr) || header == nullptr) {
            return FAIL(L"QueryInterface", E_NOINTERFACE, L"IID_IWMHeaderInfo3");
        }
        GetWMMetadata(static_cast<WM_METADATA*>(attributes), header);
    }
    return nullptr;
}

WORD IVideoReader::MainStream() const
{
    if (m_videoStreams[0].pin != nullptr) {
        return m_videoStreams[0].streamNumber;
    }
    return m_videoStreams[1].pin != nullptr ? m_videoStreams[1].streamNumber : 0;
}

void IVideoReader::ComputeFinalFrameTimes()
{
    m_finalFrameTime = -1;
    m_previousFrameTime = -1;
    if (m_videoStreams[0].pin == nullptr && m_videoStreams[1].pin == nullptr) {
        return;
    }
    KeyScanner scanner;
    std::wstring error = scanner.Open(m_name.c_str(), m_scanContext != nullptr ? m_scanContext
                                                                               : m_mainContext,
                                      m_readCallback, m_seekCallback);
    if (!error.empty()) {
        LOG_UNEXPECTED(error);
        return;
    }
    const WORD main = MainStream();
    const LONGLONG end = SecondsToRefTime(m_duration) + 1;
    LONGLONG m1 = -1;
    LONGLONG m2 = -1;
    error = scanner.PrevFrame(&m1, main, 0, end, FALSE);
    if (error.empty()) {
        error = scanner.PrevFrame(&m2, main, 0, m1, FALSE);
    }
    if (!error.empty()) {
        LOG_UNEXPECTED(error);
        return;
    }
    LONGLONG final = m1;
    LONGLONG previous = m2;
    if (m_videoStreams[0].pin != nullptr && m_videoStreams[1].pin != nullptr) {
        const WORD screen = m_videoStreams[1].streamNumber;
        LONGLONG s1 = -1;
        error = scanner.PrevFrame(&s1, screen, 0, end, FALSE);
        if (!error.empty()) {
            LOG_UNEXPECTED(error);
            m_previousFrameTime = m2;
            return;
        }
        final = m1 < s1 ? m1 : s1;
        LONGLONG s2 = -1;
        error = scanner.PrevFrame(&s2, screen, 0, s1, FALSE);
        if (!error.empty()) {
            LOG_UNEXPECTED(error);
            m_previousFrameTime = m2;
            return;
        }
        previous = m2 < s2 ? m2 : s2;
    }
    m_finalFrameTime = final < 0 ? 0 : final;
    m_previousFrameTime = previous < 0 ? 0 : previous;
}

bool IVideoReader::IsAtPreviousFrame()
{
    return m_previousFrameTime >= 0 &&
           TimeGridSteps(RefTimeToSeconds(m_rangeStart)) >=
               TimeGridSteps(RefTimeToSeconds(m_previousFrameTime));
}

void IVideoReader::SetFinalFramePosIfNeed(int flag)
{
    if (!IsAtPreviousFrame() || m_mediaSeeking == nullptr) {
        return;
    }
    const bool atFinal = TimeGridSteps(RefTimeToSeconds(m_rangeStart)) >=
                         TimeGridSteps(RefTimeToSeconds(m_finalFrameTime));
    if (!(atFinal || flag == 0)) {
        return;
    }
    if (m_videoStreams[0].pin == nullptr && m_videoStreams[1].pin == nullptr) {
        return;
    }
    LONGLONG position = flag == 1 ? m_finalFrameTime : m_previousFrameTime;
    LONGLONG stop = m_rangeStop;
    const HRESULT hr = m_mediaSeeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning,
                                                    &stop, AM_SEEKING_AbsolutePositioning);
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, FormatText(L"SetFinalFramePosIfNeed(%g-%g)",
                                         RefTimeToSeconds(position), RefTimeToSeconds(stop)));
    }
}

const wchar_t* IVideoReader::GetInfo(void* out)
{
    if (out != nullptr) {
        memcpy(out, m_info, sizeof(m_info));
    }
    return nullptr;
}

IQVRAudioFormat* IVideoReader::GetAudioFormat()
{
    return &m_audioFormat;
}

IQVRVideoFormat* IVideoReader::GetVideoFormat(int index)
{
    return index == 0 || index == 1 ? &m_videoFormats[index] : nullptr;
}

IWMReader* IVideoReader::GetWMReader()
{
    return CMediaReader::GetWMReader();
}

const wchar_t* IVideoReader::SetReadRange(LONGLONG start, LONGLONG length)
{
    ReaderLockHold hold(m_lock);
    if (m_mediaSeeking == nullptr) {
        return FAIL(L"SetReadRange", E_POINTER, L"");
    }
    if (m_noClock) {
        const std::wstring error = CMediaReader::Stop();
        if (!error.empty()) {
            return Store(error);
        }
    }
    SetRange(start, length);
    m_rangeLength = length;
    // A new range while paused is the new place to go on from, not the place of the pause.
    m_pausedPosition = -1;
    LONGLONG current = m_rangeStart;
    LONGLONG stop = m_rangeStop;
    const HRESULT hr = m_mediaSeeking->SetPositions(&current, AM_SEEKING_AbsolutePositioning,
                                                    &stop, AM_SEEKING_AbsolutePositioning);
    if (hr == E_NOTIMPL) {
        return nullptr;
    }
    if (FAILED(hr)) {
        return FAIL(L"SetPositions", hr,
                    FormatText(L"[%g, %g] sec", RefTimeToSeconds(m_rangeStart),
                               RefTimeToSeconds(m_rangeStop)));
    }
    LOG_INFO(FormatText(L"SetReadRange: [%g, %g] sec", RefTimeToSeconds(m_rangeStart),
                        RefTimeToSeconds(m_rangeStop)));
    if (m_noClock) {
        return Store(CMediaReader::Run());
    }
    ReaderDisplay* display = ReaderDisplay::Current();
    if (m_videoShown && m_state != 2 && display && display->AreRenderersConnected(this)) {
        return Store(display->RenderStillFrame());
    }
    return nullptr;
}

std::wstring IVideoReader::StopGraph()
{
    std::wstring error = CMediaReader::Stop();
    if (error.empty()) {
        m_state = 0;
    }
    return error;
}

std::wstring IVideoReader::ContinueAfterStop(LONGLONG position, int state)
{
    ReaderLockHold hold(m_lock);
    if (state != 1 && state != 2) {
        return L"";
    }
    if (m_mediaSeeking == nullptr) {
        return CALL_FAILURE(L"ContinueAfterStop", E_POINTER, L"");
    }
    LONGLONG stop = m_rangeStop;
    LONGLONG start = std::min(std::max<LONGLONG>(position, 0), stop);
    // Positions under the sound-speed filter count from the range start.
    m_rangeStart = start;
    const HRESULT hr = m_mediaSeeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning,
                                                    &stop, AM_SEEKING_AbsolutePositioning);
    if (FAILED(hr)) {
        return CALL_FAILURE(L"IMediaSeeking::SetPositions", hr,
                            FormatText(L"[%g, %g] sec", RefTimeToSeconds(start),
                                       RefTimeToSeconds(stop)).c_str());
    }
    const wchar_t* error = state == 2 ? Resume() : Pause();
    return error != nullptr ? std::wstring(error) : std::wstring();
}

void IVideoReader::ReapplyReadRange()
{
    const LONGLONG start = m_pausedPosition >= 0 ? m_pausedPosition
                                                 : (m_rangeStart >= 0 ? m_rangeStart : 0);
    SetReadRange(start, m_rangeLength);
}

const wchar_t* IVideoReader::ShowVideo(BOOL show)
{
    ReaderLockHold hold(m_lock);
    show = show ? TRUE : FALSE;
    if (show == m_videoShown) {
        return nullptr;
    }
    m_videoShown = show;
    ReaderDisplay* display = ReaderDisplay::Current();
    if (display == nullptr) {
        return nullptr;
    }
    if (!show) {
        display->DetachReader(this);
        return nullptr;
    }
    return Store(display->AttachReader(this));
}

const wchar_t* IVideoReader::FindFrame(LONGLONG rangeStart, LONGLONG rangeEnd, LONGLONG from,
                                       BOOL bothStreams, BOOL backward, LONGLONG* frameTime)
{
    ReaderLockHold hold(m_lock);
    CWaitCursor wait;  // a scan reads the file from disk
    CAutoLock scan(&m_scanLock);
    *frameTime = -1;
    const WORD main = MainStream();
    if (main == 0) {
        *frameTime = from;
        return nullptr;
    }
    KeyScanner scanner;
    std::wstring error = scanner.Open(m_name.c_str(), m_scanContext, m_readCallback,
                                      m_seekCallback);
    if (!error.empty()) {
        return Store(error);
    }
    auto step = [&](LONGLONG at, BOOL keyOnly, LONGLONG* out) {
        return backward ? scanner.PrevFrame(out, main, rangeStart, at, keyOnly)
                        : scanner.NextFrame(out, main, rangeEnd, at, keyOnly);
    };
    if (!bothStreams) {
        return Store(step(from, FALSE, frameTime));
    }
    const bool twoStreams = m_videoStreams[0].pin != nullptr && m_videoStreams[1].pin != nullptr;
    for (;;) {
        LONGLONG f = -1;
        error = step(from, TRUE, &f);
        if (!error.empty()) {
            return Store(error);
        }
        if (f < 0) {
            *frameTime = -1;
            return nullptr;
        }
        if (!twoStreams) {
            *frameTime = f;
            return nullptr;
        }
        LONGLONG screenTime = -1;
        BOOL key = FALSE;
        error = scanner.FrameProp(&screenTime, m_videoStreams[1].streamNumber, f, &key);
        if (!error.empty()) {
            return Store(error);
        }
        if (key && screenTime >= 0 && screenTime < rangeEnd) {
            *frameTime = f;
            return nullptr;
        }
        from = f;
    }
}

const wchar_t* IVideoReader::GetFrameTime(LONGLONG time, BOOL* keyFrame, LONGLONG* frameTime)
{
    ReaderLockHold hold(m_lock);
    CWaitCursor wait;  // a scan reads the file from disk
    CAutoLock scan(&m_scanLock);
    const WORD main = MainStream();
    if (main == 0) {
        *frameTime = time;
        *keyFrame = TRUE;
        return nullptr;
    }
    if (Grid5ms(RefTimeToSeconds(time)) >= Grid5ms(m_duration)) {
        *frameTime = time;
        *keyFrame = FALSE;
        return nullptr;
    }
    KeyScanner scanner;
    std::wstring error = scanner.Open(m_name.c_str(), m_scanContext, m_readCallback,
                                      m_seekCallback);
    if (!error.empty()) {
        return Store(error);
    }
    LONGLONG found = -1;
    BOOL key = FALSE;
    error = scanner.FrameProp(&found, main, time, &key);
    if (!error.empty()) {
        return Store(error);
    }
    *frameTime = found;
    *keyFrame = FALSE;
    if (found < 0) {
        return nullptr;
    }
    if (key && m_videoStreams[0].pin != nullptr && m_videoStreams[1].pin != nullptr) {
        LONGLONG screenTime = -1;
        BOOL screenKey = FALSE;
        error = scanner.FrameProp(&screenTime, m_videoStreams[1].streamNumber, found, &screenKey);
        if (!error.empty()) {
            return Store(error);
        }
        key = screenTime >= 0 && screenKey;
    }
    *keyFrame = key;
    return nullptr;
}

void IVideoReader::RemoveAudioChain()
{
    {
        CAutoLock hold(&m_chainLock);
        m_audioRenderer.Release();
        m_soundSpeed.Release();
    }
    if (m_graph != nullptr && m_audioStream.pin != nullptr &&
        DXVideoFunc::IsPinConnected(m_audioStream.pin)) {
        const std::wstring error = CMediaReader::Stop();
        if (!error.empty()) {
            LOG_UNEXPECTED(error);
        }
        DXVideoFunc::RemoveDownstreamOfPin(m_graph, m_audioStream.pin);
    }
}

std::wstring IVideoReader::AddAudioRender(IBaseFilter* renderer, double rate)
{
    auto fail = [&](const wchar_t* function, HRESULT code, const wchar_t* detail,
                    unsigned line) { return std::wstring(Fail(function, code, detail, line)); };
    if (m_graph == nullptr) {
        return fail(L"AddAudioRender", E_POINTER, L"", __LINE__);
    }
    RemoveAudioChain();
    if (m_audioStream.pin == nullptr) {
        return std::wstring();
    }
    std::wstring error = CMediaReader::Stop();
    if (!error.empty()) {
        LOG_UNEXPECTED(error);
    }
    CMediaType pcm;
    HRESULT hr = DXVideoFunc::SetAudioTypeToUncompressed(pcm, m_audioStream.mediaType);
    if (FAILED(hr)) {
        return fail(L"SetAudioTypeToUncompressed", hr, L"", __LINE__);
    }
    hr = S_OK;
    CComPtr<CAudioGrabberFilter> tap;  // the graph holds the level tap once added
    tap.Attach(CAudioGrabberFilter::Create(pcm, EngineAudioSink::Instance(), &hr));
    if (tap == nullptr) {
        return fail(L"new", E_OUTOFMEMORY, L"CAudioGrabberFilter", __LINE__);
    }
    hr = m_graph->AddFilter(tap, nullptr);
    if (hr != S_OK) {
        return fail(L"AddFilter", hr, L"Grabber", __LINE__);
    }
    CComPtr<IBaseFilter> output;
    if (renderer != nullptr) {
        hr = m_graph->AddFilter(renderer, nullptr);
        if (FAILED(hr)) {
            return fail(L"AddFilter", hr, L"Renderer", __LINE__);
        }
        output = renderer;
    } else {
        hr = DXVideoFunc::AddFilterByCLSID(&output, m_graph);
        if (FAILED(hr) || output == nullptr) {
            return fail(L"AddFilterByCLSID", FAILED(hr) ? hr : E_FAIL, L"Null", __LINE__);
        }
    }
    {
        CAutoLock hold(&m_chainLock);
        m_audioRenderer = output;
    }
    hr = ConnectDecoder(tap);
    if (FAILED(hr)) {
        return fail(L"ConnectFilters", hr, L"Grabber", __LINE__);
    }
    IBaseFilter* last = tap;
    if (rate != 1.0) {
        hr = S_OK;
        CComPtr<CSoundSpeedFlt> speed;
        speed.Attach(CSoundSpeedFlt::Create(rate, pcm, EngineAudioSink::Instance(), &hr));
        if (speed == nullptr) {
            return fail(L"new", E_OUTOFMEMORY, L"CSoundSpeedFlt", __LINE__);
        }
        {
            CAutoLock hold(&m_chainLock);
            m_soundSpeed = speed;
        }
        hr = m_graph->AddFilter(speed, nullptr);
        if (hr != S_OK) {
            return fail(L"AddFilter", hr, L"SoundSpeed", __LINE__);
        }
        hr = DXVideoFunc::ConnectFilters(tap, m_graph, speed);
        if (FAILED(hr)) {
            return fail(L"ConnectFilters", hr, L"Render", __LINE__);
        }
        last = speed;
    }
    hr = DXVideoFunc::ConnectFilters(last, m_graph, output);
    if (FAILED(hr)) {
        return fail(L"ConnectFilters", hr, L"Render", __LINE__);
    }
    return std::wstring();
}

HRESULT IVideoReader::ConnectDecoder(IBaseFilter* tap)
{
    // Our own decoder first: the system's may exist only in a form the graph cannot use.
    CComPtr<CWmaDecoderFlt> decoder;
    decoder.Attach(CWmaDecoderFlt::Create());
    if (decoder != nullptr) {
        HRESULT hr = m_graph->AddFilter(decoder, nullptr);
        if (SUCCEEDED(hr)) {
            hr = m_graph->ConnectDirect(m_audioStream.pin, decoder->GetPin(0), nullptr);
            if (SUCCEEDED(hr)) {
                hr = DXVideoFunc::ConnectFilters(tap, m_graph, decoder->GetPin(1));
            }
            if (FAILED(hr)) {
                LOG_UNEXPECTED_HR(hr, L"WMA decoder");
                m_graph->RemoveFilter(decoder);
            }
        }
        decoder.Release();
        if (SUCCEEDED(hr)) {
            return hr;
        }
    }
    return DXVideoFunc::ConnectFilters(tap, m_graph, m_audioStream.pin);
}

IBaseFilter* IVideoReader::AudioRenderer()
{
    CAutoLock hold(&m_chainLock);
    if (m_audioRenderer != nullptr) {
        m_audioRenderer->AddRef();
    }
    return m_audioRenderer;
}

bool IVideoReader::HasSoundSpeedFilter()
{
    CAutoLock hold(&m_chainLock);
    return m_soundSpeed != nullptr;
}

void IVideoReader::ApplyVolume(long volume, BOOL mute)
{
    m_volume = volume;
    m_mute = mute;
    const long applied = mute ? kSilentDirectShowVolume : ClampVolume(volume);
    CComPtr<IBaseFilter> renderer;
    renderer.Attach(AudioRenderer());
    if (renderer == nullptr) {
        return;
    }
    CComPtr<IBasicAudio> audio;
    HRESULT hr = renderer->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio));
    renderer.Release();
    if (FAILED(hr) || audio == nullptr) {
        LOG_UNEXPECTED_HR(hr, L"QueryInterface: IID_IBasicAudio");
        return;
    }
    hr = audio->put_Volume(applied);
    audio.Release();
    if (FAILED(hr)) {
        LOG_UNEXPECTED_HR(hr, FormatText(L"put_Volume: %i", static_cast<int>(applied)));
    }
}

std::wstring IVideoReader::GetPositionSeconds(double* seconds)
{
    *seconds = 0;
    if (m_mediaSeeking == nullptr) {
        return std::wstring();
    }
    CComPtr<CSoundSpeedFlt> speedFilter;  // held while this thread uses it
    {
        CAutoLock hold(&m_chainLock);
        speedFilter = m_soundSpeed;
    }
    LONGLONG position = 0;
    std::wstring error;
    if (m_keepPitch && speedFilter != nullptr && m_speed < 1.0) {
        position = m_rangeStart +
                   static_cast<LONGLONG>(static_cast<double>(speedFilter->GetNextOutputTime()) *
                                         m_speed);
    } else {
        LONGLONG current = 0;
        const HRESULT hr = m_mediaSeeking->GetCurrentPosition(&current);
        if (FAILED(hr)) {
            error = CALL_FAILURE(L"IMediaSeeking::GetCurrentPosition", hr, L"");
        } else if (m_keepPitch && speedFilter != nullptr) {
            position = m_rangeStart +
                       static_cast<LONGLONG>(static_cast<double>(current - m_rangeStart) *
                                             m_speed);
        } else {
            position = current;
        }
    }
    if (speedFilter != nullptr) {
        if (position > m_rangeStop) {
            position = m_rangeStop;
        }
    }
    if (error.empty()) {
        *seconds = RefTimeToSeconds(position);
    }
    return error;
}

const wchar_t* IVideoReader::Play(double speed, BOOL preserveTone, IBaseFilter* audioRenderer,
                                  long volume, BOOL mute)
{
    ReaderLockHold hold(m_lock);
    LOG_INFO(FormatText(L"StartPlayingVideo: %g", speed));
    if (!(speed > 0) || speed > kMaxPlaySpeed) {
        return FAIL(L"Play", E_INVALIDARG, FormatText(L"%g", speed));
    }
    if (IsAtPreviousFrame()) {
        SetFinalFramePosIfNeed(0);
        if (m_previousFrameTime >= 0) {
            m_rangeStart = m_previousFrameTime;
        }
    }
    std::wstring error;
    if (ReaderDisplay* display = ReaderDisplay::Current()) {
        error = display->PrepareRenderers();
        if (!error.empty()) {
            return Store(error);
        }
    }
    error = AddAudioRender(audioRenderer, preserveTone ? speed : 1.0);
    if (!error.empty()) {
        return Store(error);
    }
    ApplyVolume(volume, mute);
    m_speed = speed;
    m_keepPitch = preserveTone;
    if (m_mediaControl == nullptr) {
        return nullptr;
    }
    m_splitter->SetSpeed(0);
    if (preserveTone && HasSoundSpeedFilter()) {
        const HRESULT hr = m_mediaSeeking->SetRate(1.0);
        if (FAILED(hr)) {
            return FAIL(L"SetRate", hr, L"");
        }
        m_splitter->SetRate(1.0);
        m_splitter->SetSpeed(speed);
    } else {
        const HRESULT hr = m_mediaSeeking->SetRate(speed);
        if (FAILED(hr)) {
            return FAIL(L"SetRate", hr, FormatText(L"%g", speed));
        }
        // Wine's graph keeps the rate to itself when its renderers pass seeking upstream;
        // the splitter, which stamps the samples, must have it.
        m_splitter->SetRate(speed);
    }
    // The chain was rebuilt with the graph stopped: position the splitter again.
    ReapplyReadRange();
    error = CMediaReader::Run();
    if (!error.empty()) {
        return Store(error);
    }
    m_pausedPosition = -1;
    m_state = 2;
    StartPositionTimer();
    return nullptr;
}

const wchar_t* IVideoReader::Stop(BOOL, double* position)
{
    ReaderLockHold hold(m_lock);
    StopPositionTimer();
    if (position != nullptr) {
        *position = -1.0;
    }
    if (m_mediaControl == nullptr) {
        return nullptr;
    }
    std::wstring error = CMediaReader::Pause();
    if (!error.empty()) {
        return Store(error);
    }
    m_pausedPosition = -1;
    m_state = 0;
    double x = 0;
    if (Grid5ms(RefTimeToSeconds(m_rangeStart)) == Grid5ms(RefTimeToSeconds(m_rangeStop))) {
        x = RefTimeToSeconds(m_rangeStop);
    } else {
        error = GetPositionSeconds(&x);
        if (!error.empty()) {
            return Store(error);
        }
    }
    LONGLONG start = SecondsToRefTime(x);
    if (start > m_rangeStop) {
        start = m_rangeStop;
    }
    m_rangeStart = start;
    if (position != nullptr) {
        *position = RefTimeToSeconds(start);
    }
    if (ReaderDisplay* display = ReaderDisplay::Current()) {
        return Store(display->PrepareRenderers());
    }
    return nullptr;
}

const wchar_t* IVideoReader::Pause()
{
    ReaderLockHold hold(m_lock);
    std::wstring error = CMediaReader::Pause();
    if (!error.empty()) {
        return Store(error);
    }
    m_state = 1;
    if (!IsAudioOnly()) {
        double seconds = 0;
        error = GetPositionSeconds(&seconds);
        if (!error.empty()) {
            return Store(error);
        }
        LONGLONG paused = SecondsToRefTime(seconds);
        m_pausedPosition = paused > m_rangeStop ? m_rangeStop : paused;
    }
    return nullptr;
}

const wchar_t* IVideoReader::Resume()
{
    ReaderLockHold hold(m_lock);
    const std::wstring error = CMediaReader::Run();
    if (!error.empty()) {
        return Store(error);
    }
    m_pausedPosition = -1;
    m_state = 2;
    return nullptr;
}

void IVideoReader::StartPositionTimer()
{
    if (m_timerId != 0 && g_timedReader == this) {
        return;
    }
    StopPositionTimer();
    g_timedReader = this;
    m_timerId = SetTimer(nullptr, 0, 100, PositionTimerProc);
    if (m_timerId == 0) {
        LOG_UNEXPECTED(L"SetTimer err");
    }
}

void IVideoReader::StopPositionTimer()
{
    if (m_timerId != 0) {
        if (!KillTimer(nullptr, m_timerId) && GetLastError() != 0) {
            LOG_UNEXPECTED(FormatText(L"KillTimer err: %i", static_cast<int>(GetLastError())));
        }
    }
    m_timerId = 0;
    if (g_timedReader == this) {
        g_timedReader = nullptr;
    }
}

void CALLBACK IVideoReader::PositionTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    IVideoReader* reader = g_timedReader;
    if (reader == nullptr) {
        return;
    }
    double seconds = 0;
    const std::wstring error = reader->GetPositionSeconds(&seconds);
    if (!error.empty()) {
        LOG_UNEXPECTED(error);
    }
    QVRInstance* callback = GetEngineCallback();
    if (callback != nullptr) {
        callback->OnPosition(seconds);
    }
}

DWORD IVideoReader::GraphEventLoop()
{
    m_completionSeen = FALSE;
    return RunEventLoop();
}

void IVideoReader::OnGraphEvent(long code, LONG_PTR param1, LONG_PTR param2)
{
    switch (code) {
    case EC_COMPLETE:
        LOG_INFO(L"IVideoReader: EC_COMPLETE");
        m_completionSeen = TRUE;
        break;
    case EC_USERABORT:
        LOG_INFO(L"VideoReader: EC_USERABORT");
        if (!m_noClock) {
            m_completionSeen = TRUE;
        }
        break;
    case EC_ERRORABORT:
        LOG_UNEXPECTED(FormatText(L"VideoReader(EC_ERRORABORT): 0x%x, Render=%i",
                                  static_cast<unsigned>(param1), m_noClock));
        CMediaReader::OnGraphEvent(code, param1, param2);
        break;
    default:
        CMediaReader::OnGraphEvent(code, param1, param2);
        break;
    }
}

void IVideoReader::OnEventsDone()
{
    if (m_state != 2 || m_noClock || !m_completionSeen) {
        return;
    }
    m_completionSeen = FALSE;
    double position = 0;
    const std::wstring error = GetPositionSeconds(&position);
    if (LockFromEventThread()) {
        m_lastError = error;
        if (!error.empty()) {
            const std::wstring copy = m_lastError;
            QVRInstance* callback = GetEngineCallback();
            if (callback != nullptr) {
                callback->OnAsyncError(1, copy.c_str());
            }
        }
        m_lock.Unlock();
    }
    if (!error.empty()) {
        return;
    }
    // A completion before the range end is normally a stale one; but when the splitter has
    // ended its streams in this run, the file simply ended before its header's duration.
    const bool reachedEnd = Grid5ms(RefTimeToSeconds(m_rangeStop)) <= Grid5ms(position);
    const bool streamsEnded = m_splitter != nullptr && m_splitter->EndOfStreamSent();
    if (reachedEnd || HasSoundSpeedFilter() || streamsEnded) {
        PlayEnded();
        LOG_INFO(L"Notify: EC_COMPLETE");
    }
}

void IVideoReader::PlayEnded()
{
    QVRInstance* callback = GetEngineCallback();
    if (callback != nullptr) {
        callback->OnPlayEnd(RefTimeToSeconds(m_rangeStop));
    }
    m_rangeStart = m_rangeStop;
    m_state = 0;
}
