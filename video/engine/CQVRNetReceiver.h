// Plays the compressed samples that the player's network reader pushes: a filter graph whose
// source is the network splitter, an audio chain (the engine's WMA decoder, the level tap and
// a renderer), video renderers placed by the view controller, a position timer and a graph
// event thread. A push never holds the receiver's lock while it waits for a buffer, so Stop,
// Pause and Close are never held up by it.
#pragma once

#include "Common/QVRInterfaces.h"

#include "platform/base/CComPtr.h"
#include "platform/base/CHandle.h"
#include "platform/dshow/CCritSec.h"

#include <control.h>
#include <strmif.h>

#include <atomic>
#include <string>

class CWMNetSplitterFlt;
class ViewController;

class CQVRNetReceiver final : public IQVRNetReceiver {
public:
    // view: where video renderers go (may be NULL: no video is shown).
    explicit CQVRNetReceiver(ViewController* view);
    ~CQVRNetReceiver();
    CQVRNetReceiver(const CQVRNetReceiver&) = delete;
    CQVRNetReceiver& operator=(const CQVRNetReceiver&) = delete;

    const wchar_t* BuildGraph(IWMReader* reader, WORD audioStream, WORD videoStream1,
                              WORD videoStream2) override;
    void Start(LONGLONG startTime, IBaseFilter* audioRenderer) override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    HRESULT PushSample(WORD streamNumber, LONGLONG time, LONGLONG duration, DWORD flags,
                       INSSBuffer* sample) override;
    DWORD GraphEventLoop() override;

    void Close();
    IPin* GetVideoPin(int index) const;
    BOOL IsAudioOnly() const;
    void ApplyVolume(long volume, BOOL mute);
    IGraphBuilder* Graph() const { return m_graph; }
    bool IsRunning() const { return m_running; }
    // The stream number of a video pin, for sorting pins into camera (0) and screen (1).
    static int VideoIndexFor(WORD streamNumber, bool screenFree);

private:
    std::wstring Fail(const wchar_t* function, HRESULT code, const std::wstring& detail,
                      unsigned line);
    void ReportAsync(const std::wstring& text);
    std::wstring AddAudioRender(IBaseFilter* renderer);
    void RemoveAudioChain();
    HRESULT ConnectDecoder(IBaseFilter* tap);
    std::wstring StartEventThread();
    void StopEventThread();
    void StartPositionTimer();
    void StopPositionTimer();
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    static DWORD WINAPI EventThreadProc(void* self);

    CCritSec m_errorLock;
    std::wstring m_errorText;
    CCritSec m_lock;
    std::atomic<bool> m_running{false};
    UINT_PTR m_timerId = 0;
    CHandle m_stopEvent;
    CHandle m_eventThread;
    CComPtr<IBaseFilter> m_audioRenderer;
    long m_volume = 0;
    BOOL m_mute = FALSE;
    CComPtr<IPin> m_videoPins[2];
    CComPtr<IPin> m_audioPin;
    CComPtr<IGraphBuilder> m_graph;
    CComPtr<IMediaControl> m_mediaControl;
    CComPtr<IMediaSeeking> m_mediaSeeking;
    CComPtr<IMediaEventEx> m_mediaEvent;
    CComPtr<CWMNetSplitterFlt> m_splitter;
    ViewController* m_view;
};
