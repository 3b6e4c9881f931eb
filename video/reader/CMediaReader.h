// The playback core of one presentation file: a filter graph around the engine's own file
// splitter, the camera, screen and audio stream slots with their format records and the
// reader information block, the play range, graph control, and one graph event thread that
// turns graph events into error reports for the player.
#pragma once

#include "video/CQVRAudioFormat.h"
#include "video/CQVRVideoFormat.h"
#include "Common/QVRInterfaces.h"
#include "video/reader/ReaderStream.h"

#include "video/reader/ReaderLock.h"

#include <control.h>

#include <string>

#include "platform/base/CComPtr.h"
#include "platform/base/CHandle.h"

class CWMFSplitterFlt;

class CMediaReader {
public:
    CMediaReader();
    virtual ~CMediaReader();
    CMediaReader(const CMediaReader&) = delete;
    CMediaReader& operator=(const CMediaReader&) = delete;

    std::wstring BuildGraph(const wchar_t* name, READER_CB_PARAMS* context,
                            QVR_READ_CALLBACK read, QVR_SEEK_CALLBACK seek);
    void Close();
    void SetRange(LONGLONG start, LONGLONG length);
    std::wstring Run();
    std::wstring Pause();
    std::wstring Stop();
    std::wstring WaitForStateChange();
    // Pauses a running graph before delivery is halted.
    void LeaveRunning();
    IWMReader* GetWMReader();
    BOOL IsAudioOnly();
    std::wstring StartEventThread();
    void StopEventThread();
    // The body of the graph event thread.
    virtual DWORD GraphEventLoop();

    // The play range's stop for a range (start, length) over a file of the given duration.
    static LONGLONG RangeStop(LONGLONG start, LONGLONG length, double duration);
    // The slot (0 camera, 1 screen) for a video stream number, given whether slot 1 is free.
    static int VideoSlot(WORD streamNumber, bool screenSlotFree);

    IGraphBuilder* Graph() const { return m_graph; }
    CWMFSplitterFlt* Splitter() const { return m_splitter; }
    const ReaderStream& VideoStream(int slot) const { return m_videoStreams[slot]; }
    const ReaderStream& AudioStream() const { return m_audioStream; }

protected:
    // Takes the reader lock unless the event thread is asked to stop meanwhile (then false).
    bool LockFromEventThread();
    // Stores and reports an error from the event thread (the lock is taken here).
    void ReportAsyncError(const std::wstring& text);
    // Waits on the stop event and the graph's event handle and hands each event to
    // OnGraphEvent; after every batch, OnEventsDone. Returns when asked to stop.
    DWORD RunEventLoop();
    virtual void OnGraphEvent(long code, LONG_PTR param1, LONG_PTR param2);
    virtual void OnEventsDone() {}

    ReaderStream m_videoStreams[2];
    CQVRVideoFormat m_videoFormats[2];
    ReaderStream m_audioStream;
    CQVRAudioFormat m_audioFormat;
    BYTE m_info[QVR_READER_INFO_BYTES] = {};
    ReaderLock m_lock;
    std::wstring m_lastError;
    BOOL m_logDetails = FALSE;
    std::wstring m_name;
    QVR_READ_CALLBACK m_readCallback = nullptr;
    QVR_SEEK_CALLBACK m_seekCallback = nullptr;
    READER_CB_PARAMS* m_callbackContext = nullptr;
    double m_duration = 0;
    volatile LONGLONG m_rangeStart = -1;
    volatile LONGLONG m_rangeStop = -1;
    CHandle m_stopEvent;
    CHandle m_eventThread;
    CComPtr<IGraphBuilder> m_graph;
    CComPtr<IMediaControl> m_mediaControl;
    CComPtr<IMediaSeeking> m_mediaSeeking;
    CComPtr<IMediaEventEx> m_mediaEvent;
    CComPtr<CWMFSplitterFlt> m_splitter;

private:
    static DWORD WINAPI EventThreadProc(void* self);
    void FillInfo();
};
