// The network reader: plays a presentation opened by URL through the media runtime's
// asynchronous reader. It opens the URL on a thread of its own, picks one audio and up to two
// video streams, reads the header, and hands every compressed sample straight to the engine's
// network receiver. What happens on the way becomes status items, queued under a lock and
// announced by a message posted to the owner's window.
#pragma once

#include "Common/QVRInterfaces.h"
#include "platform/base/CComPtr.h"
#include "platform/base/CHandle.h"
#include "player/core/NetworkingSettings.h"
#include "player/core/PlayerState.h"
#include "WinNT_SP/Include_VS2005/WMRuntimeTable.h"

#include <windows.h>
#include <wmsdk.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class Bookmarks;
class VideoAudFmt;
class VideoVidFmt;

// Where status items are announced: the reader posts (window, message, 0, 0).
struct INET_NOTIFY_MSG {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

enum InetStatusKind : int {
    kInetError = 0,     // text: the error text
    kInetOpened = 1,    // the open ended without error (text "*" after an interruption)
    kInetEndOfFile = 2,
    kInetStatus = 3,    // a runtime status; code 1000: a header line
};

constexpr DWORD kInetHeaderLineCode = 1000;

struct INET_STATUS_INFO {
    int kind = kInetStatus;
    DWORD code = 0;
    std::wstring text;
    HRESULT result = S_OK;
};

enum InetThreadState : int {
    kInetThreadNone = 0,
    kInetThreadRunning = 1,
    kInetThreadFinished = 2,
    kInetThreadClosed = 5,
};

class InetWMAAsyncReader final : public IWMReaderCallback,
                                 public IWMReaderCallbackAdvanced,
                                 public IWMCredentialCallback,
                                 public INetReaderState {
public:
    // engine: where receivers and format records come from (null: the program's engine).
    explicit InetWMAAsyncReader(IQVRVideo* engine = nullptr);
    InetWMAAsyncReader(const InetWMAAsyncReader&) = delete;
    InetWMAAsyncReader& operator=(const InetWMAAsyncReader&) = delete;

    // The owner's end: closes, gives back what the engine and the runtime lent, and drops the
    // owner's reference. The object itself lives on while the reader thread or the runtime
    // still hold one.
    void Discard() override;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IWMStatusCallback, IWMReaderCallback (runtime threads)
    STDMETHODIMP OnStatus(WMT_STATUS status, HRESULT hr, WMT_ATTR_DATATYPE type, BYTE* value,
                          void* context) override;
    STDMETHODIMP OnSample(DWORD output, QWORD time, QWORD duration, DWORD flags,
                          INSSBuffer* sample, void* context) override;
    // IWMReaderCallbackAdvanced
    STDMETHODIMP OnStreamSample(WORD stream, QWORD time, QWORD duration, DWORD flags,
                                INSSBuffer* sample, void* context) override;
    STDMETHODIMP OnTime(QWORD time, void* context) override;
    STDMETHODIMP OnStreamSelection(WORD count, WORD* streams, WMT_STREAM_SELECTION* selections,
                                   void* context) override;
    STDMETHODIMP OnOutputPropsChanged(DWORD output, WM_MEDIA_TYPE* type, void* context) override;
    STDMETHODIMP AllocateForStream(WORD stream, DWORD size, INSSBuffer** sample,
                                   void* context) override;
    STDMETHODIMP AllocateForOutput(DWORD output, DWORD size, INSSBuffer** sample,
                                   void* context) override;
    // IWMCredentialCallback: a proxy that asks gets the HTTP record's manual credentials.
    STDMETHODIMP AcquireCredentials(WCHAR* realm, WCHAR* site, WCHAR* userName,
                                    DWORD userNameChars, WCHAR* password, DWORD passwordChars,
                                    HRESULT hr, DWORD* flags) override;

    // INetReaderState
    double GetDuration() override { return m_duration.load(); }
    BOOL HasDuration() override;
    double GetStartPosition() override { return m_startPosition; }
    std::wstring GetURL() override { return m_url; }
    BOOL IsBuffering() override { return m_buffering.load() ? TRUE : FALSE; }
    int GetBufferingPercent() override;

    // User-interface thread. Error texts are empty on success.
    std::wstring OpenInetURL(const std::wstring& url, const INET_NOTIFY_MSG& notify);
    void SetNotifyMessage(const INET_NOTIFY_MSG& notify);
    void TakeStatusItems(std::vector<INET_STATUS_INFO>* items);
    std::wstring Start(IBaseFilter* audioRenderer, double position);
    std::wstring Stop();
    std::wstring Pause();
    std::wstring Resume();
    std::wstring Close();
    std::wstring GetDisplayName();
    std::wstring GetTitle();
    std::wstring GetFormatText(int index);
    LONGLONG GetFileSize();
    DWORD GetTotalBitrate() const { return m_totalBitrate; }
    int GetThreadState() const { return m_threadState.load(); }
    BOOL IsThreadRunning() const;
    void WaitForInetWMAThreadFinished();

    // Read after the open has ended (thread state finished).
    std::vector<std::wstring> GetHeaderLines();
    std::wstring GetThreadErrorText() const { return m_threadError; }
    std::wstring GetProtocol() const { return m_protocol; }
    DWORD GetPlayMode() const { return m_playMode; }
    WORD GetStreamNumber(int index) const { return m_streamNumbers[index]; }
    // A copy of the bookmarks (the runtime may swap them in on new metadata).
    std::vector<std::pair<double, std::wstring>> GetBookmarks();
    const PROXY_SETTINGS* ProxySettings() const { return m_proxy; }

    // The runtime's status names ("WMT_OPENED"; a number above the last known one).
    static std::wstring StatusName(WMT_STATUS status);
    // Ticks of the open limit: the reader thread gives up waiting for the runtime after it.
    static constexpr DWORD kOpenLimitMs = 30000;
    static constexpr DWORD kThreadWaitMs = 5000;

private:
    ~InetWMAAsyncReader();

    // Opening (the reader thread, or Start's reopen on the calling thread).
    std::wstring InitReader();
    std::wstring StartReaderThread();
    static UINT ReaderThreadProc(LPVOID param);
    void RunOpen();
    void OpenStream();
    void SelectStreams(IWMProfile* profile);
    void ReadHeaderAttributes();
    void ReadNewMetadata();
    void ThrowIfAborted();

    void Reset();
    void ReleaseRuntime();
    void QueueStatusItem(const INET_STATUS_INFO& item);
    void ClearStatusItems();
    HRESULT WaitForStatusEvent();
    IQVRVideo* Engine() const;
    std::wstring MaskedURL() const;

    std::atomic<LONG> m_refs{1};
    IQVRVideo* m_engine;

    std::mutex m_statusLock;  // the queue and the notify record
    std::unique_ptr<INET_NOTIFY_MSG> m_notify;
    std::vector<INET_STATUS_INFO> m_queue;

    PROXY_SETTINGS m_proxy[2];

    // The receiver is read by the runtime's delivery thread: pushes hold the lock shared, the
    // owner's release holds it exclusively after stopping the receiver.
    SRWLOCK m_receiverLock = SRWLOCK_INIT;
    IQVRNetReceiver* m_receiver = nullptr;

    std::atomic<bool> m_abort{false};
    std::wstring m_url;
    std::atomic<int> m_threadState{kInetThreadNone};
    std::atomic<bool> m_threadStarted{false};  // a thread was started (its event tells the rest)
    std::mutex m_releaseLock;

    // Header data: written by the reader thread, or swapped in on new metadata under this lock.
    std::mutex m_headerLock;
    WM_METADATA m_metadata;
    std::vector<std::wstring> m_headerLines;
    std::unique_ptr<Bookmarks> m_bookmarks;
    std::atomic<LONGLONG> m_fileSize{0};
    std::atomic<double> m_duration{0.0};

    std::wstring m_threadError;
    CComPtr<IWMReader> m_reader;
    CComPtr<IWMReaderAdvanced2> m_advanced;
    CComPtr<IWMHeaderInfo3> m_header;
    CComPtr<IWMReaderNetworkConfig2> m_netConfig;
    double m_startPosition = 0.0;
    CHandle m_statusEvent;
    std::atomic<HRESULT> m_statusResult{S_OK};
    std::atomic<bool> m_opened{false};
    std::atomic<bool> m_started{false};
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_buffering{false};
    std::atomic<bool> m_closedForGood{false};  // the owner let go: callbacks do nothing
    std::atomic<bool> m_active{false};  // between the runtime's Open and Close: statuses count
    DWORD m_playMode = 0;
    CHandle m_threadFinished;
    WORD m_streamNumbers[3] = {};
    CComPtr<IWMStreamConfig> m_streamConfigs[3];
    std::unique_ptr<VideoAudFmt> m_audioFormat;
    std::unique_ptr<VideoVidFmt> m_videoFormats[2];
    DWORD m_totalBitrate = 0;
    DWORD m_bandwidth = 0;
    std::wstring m_protocol;
};
