// The engine's reader of one presentation: opens it through the player's callbacks, gives
// the stream formats and the information block, limits playback to a read range, searches
// video frames, plays at a chosen speed (with the pitch kept by the sound-speed filter when
// asked), pauses, resumes and stops, and reports the position every 100 ms, the end of
// playback and asynchronous errors through the player's callback object.
#pragma once

#include "video/reader/CMediaReader.h"

#include "platform/dshow/CCritSec.h"

#include <string>

class CSoundSpeedFlt;

class IVideoReader : public IQVRVideoReader, public CMediaReader {
public:
    IVideoReader();
    ~IVideoReader() override;

    const wchar_t* Open(BOOL noClock, const wchar_t* name, QVR_READ_CALLBACK read,
                        QVR_SEEK_CALLBACK seek, void* mainContext, void* scanContext,
                        void* attributes) override;
    const wchar_t* GetInfo(void* out) override;
    IQVRAudioFormat* GetAudioFormat() override;
    IQVRVideoFormat* GetVideoFormat(int index) override;
    IWMReader* GetWMReader() override;
    const wchar_t* SetReadRange(LONGLONG start, LONGLONG length) override;
    const wchar_t* ShowVideo(BOOL show) override;
    const wchar_t* FindFrame(LONGLONG rangeStart, LONGLONG rangeEnd, LONGLONG from,
                             BOOL bothStreams, BOOL backward, LONGLONG* frameTime) override;
    const wchar_t* GetFrameTime(LONGLONG time, BOOL* keyFrame, LONGLONG* frameTime) override;
    const wchar_t* Play(double speed, BOOL preserveTone, IBaseFilter* audioRenderer,
                        long volume, BOOL mute) override;
    const wchar_t* Stop(BOOL unused, double* position) override;
    const wchar_t* Pause() override;
    const wchar_t* Resume() override;

    void ApplyVolume(long volume, BOOL mute);
    std::wstring GetPositionSeconds(double* seconds);
    std::wstring AddAudioRender(IBaseFilter* renderer, double rate);
    int State() const { return m_state; }
    LONGLONG FinalFrameTime() const { return m_finalFrameTime; }
    LONGLONG PreviousFrameTime() const { return m_previousFrameTime; }
    // The audio renderer at the end of the chain, with a reference; NULL without one.
    IBaseFilter* AudioRenderer();
    bool HasSoundSpeedFilter();

    // For the view controller.
    void SetFinalFramePosIfNeed(int flag);
    bool IsAtPreviousFrame();
    void ReapplyReadRange();
    std::wstring StopGraph();
    // After a renderer swap stopped the graph of a playing (2) or paused (1) reader: it goes
    // on from the position it had, in that state.
    std::wstring ContinueAfterStop(LONGLONG position, int state);

    DWORD GraphEventLoop() override;

    // Play refuses a speed that is not positive or above this. The engine serves more callers
    // than the player's speed list (0.334 .. 3, SpeedListRules.h) and the time-stretch clamps
    // on its own (SndSpeedAlg), so only what no graph rate can mean is refused here.
    static constexpr double kMaxPlaySpeed = 100.0;
    // Volumes beyond the renderer's range are clamped: -10000 (silence) to 0.
    static long ClampVolume(long volume);
    // Positions compared on the 5-millisecond grid the end-of-play check uses.
    static LONGLONG Grid5ms(double seconds);

protected:
    void OnGraphEvent(long code, LONG_PTR param1, LONG_PTR param2) override;
    void OnEventsDone() override;

private:
    // Stores a failure of one of the reader's own calls; returns the text to hand out.
    const wchar_t* Fail(const wchar_t* function, HRESULT code, const std::wstring& detail,
                        unsigned line);
    // Stores a text from elsewhere (empty clears) and returns it, or NULL when empty.
    const wchar_t* Store(const std::wstring& text);
    void ComputeFinalFrameTimes();
    void RemoveAudioChain();
    // Connects the audio pin through a decoder to the level tap.
    HRESULT ConnectDecoder(IBaseFilter* tap);
    void StartPositionTimer();
    void StopPositionTimer();
    void PlayEnded();
    // The main video stream number (camera, else screen), 0 without video.
    WORD MainStream() const;
    static void CALLBACK PositionTimerProc(HWND, UINT, UINT_PTR, DWORD);

    CCritSec m_scanLock;
    CCritSec m_chainLock;  // guards the renderer and sound-speed pointers for other threads
    volatile LONG m_state = 0;
    BOOL m_noClock = FALSE;
    READER_CB_PARAMS* m_mainContext = nullptr;
    READER_CB_PARAMS* m_scanContext = nullptr;
    CComPtr<IBaseFilter> m_audioRenderer;
    CComPtr<CSoundSpeedFlt> m_soundSpeed;
    long m_volume = 0;
    BOOL m_mute = FALSE;
    UINT_PTR m_timerId = 0;
    double m_speed = 1.0;
    BOOL m_keepPitch = FALSE;
    LONGLONG m_finalFrameTime = -1;
    LONGLONG m_previousFrameTime = -1;
    LONGLONG m_rangeLength = 0;
    LONGLONG m_pausedPosition = -1;
    BOOL m_videoShown = FALSE;
    BOOL m_completionSeen = FALSE;  // event thread only
    std::wstring m_returnText;      // what the last operation handed out; player's thread only
};
