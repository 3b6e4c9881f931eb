// IWMReader with IWMReaderAdvanced2: opens a file, URL or IStream and pushes the samples to
// the application's callback from a thread of its own, in real time or, with a user clock,
// up to the time given by DeliverTime. Status changes arrive through OnStatus in the runtime's
// order: opened, started, end of file, end of streaming, stopped, closed (or an error).
#pragma once

#include <windows.h>
#include <wmsdk.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/wmvcore/WmvHeaderInfo.h"
#include "platform/wmvcore/WmvMedia.h"
#include "platform/wmvcore/WmvNetworkConfig.h"
#include "platform/wmvcore/WmvProfile.h"
#include "platform/base/CComPtr.h"

namespace orvane::wmv {

class WmvAsyncReader final : public IWMReader, public IWMReaderAdvanced2 {
public:
    static WmvAsyncReader* Create();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IWMReader
    STDMETHODIMP Open(const WCHAR* url, IWMReaderCallback* callback, void* context) override;
    STDMETHODIMP Close() override;
    STDMETHODIMP GetOutputCount(DWORD* count) override;
    STDMETHODIMP GetOutputProps(DWORD output, IWMOutputMediaProps** props) override;
    STDMETHODIMP SetOutputProps(DWORD output, IWMOutputMediaProps* props) override;
    STDMETHODIMP GetOutputFormatCount(DWORD output, DWORD* count) override;
    STDMETHODIMP GetOutputFormat(DWORD output, DWORD format, IWMOutputMediaProps** props) override;
    STDMETHODIMP Start(QWORD start, QWORD duration, float rate, void* context) override;
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Resume() override;

    // IWMReaderAdvanced
    STDMETHODIMP SetUserProvidedClock(WINBOOL userClock) override;
    STDMETHODIMP GetUserProvidedClock(WINBOOL* userClock) override;
    STDMETHODIMP DeliverTime(QWORD time) override;
    STDMETHODIMP SetManualStreamSelection(WINBOOL manual) override;
    STDMETHODIMP GetManualStreamSelection(WINBOOL* manual) override;
    STDMETHODIMP SetStreamsSelected(WORD count, WORD* numbers,
                                    WMT_STREAM_SELECTION* selections) override;
    STDMETHODIMP GetStreamSelected(WORD stream, WMT_STREAM_SELECTION* selection) override;
    STDMETHODIMP SetReceiveSelectionCallbacks(WINBOOL receive) override;
    STDMETHODIMP GetReceiveSelectionCallbacks(WINBOOL* receive) override;
    STDMETHODIMP SetReceiveStreamSamples(WORD stream, WINBOOL receive) override;
    STDMETHODIMP GetReceiveStreamSamples(WORD stream, WINBOOL* receive) override;
    STDMETHODIMP SetAllocateForOutput(DWORD output, WINBOOL allocate) override;
    STDMETHODIMP GetAllocateForOutput(DWORD output, WINBOOL* allocate) override;
    STDMETHODIMP SetAllocateForStream(WORD stream, WINBOOL allocate) override;
    STDMETHODIMP GetAllocateForStream(WORD stream, WINBOOL* allocate) override;
    STDMETHODIMP GetStatistics(WM_READER_STATISTICS* statistics) override;
    STDMETHODIMP SetClientInfo(WM_READER_CLIENTINFO* info) override;
    STDMETHODIMP GetMaxOutputSampleSize(DWORD output, DWORD* size) override;
    STDMETHODIMP GetMaxStreamSampleSize(WORD stream, DWORD* size) override;
    STDMETHODIMP NotifyLateDelivery(QWORD lateness) override;

    // IWMReaderAdvanced2
    STDMETHODIMP SetPlayMode(WMT_PLAY_MODE mode) override;
    STDMETHODIMP GetPlayMode(WMT_PLAY_MODE* mode) override;
    STDMETHODIMP GetBufferProgress(DWORD* percent, QWORD* buffering) override;
    STDMETHODIMP GetDownloadProgress(DWORD* percent, QWORD* bytes, QWORD* download) override;
    STDMETHODIMP GetSaveAsProgress(DWORD* percent) override;
    STDMETHODIMP SaveFileAs(const WCHAR* filename) override;
    STDMETHODIMP GetProtocolName(WCHAR* protocol, DWORD* length) override;
    STDMETHODIMP StartAtMarker(WORD marker, QWORD duration, float rate, void* context) override;
    STDMETHODIMP GetOutputSetting(DWORD output, LPCWSTR name, WMT_ATTR_DATATYPE* type,
                                  BYTE* value, WORD* length) override;
    STDMETHODIMP SetOutputSetting(DWORD output, LPCWSTR name, WMT_ATTR_DATATYPE type,
                                  const BYTE* value, WORD length) override;
    STDMETHODIMP Preroll(QWORD start, QWORD duration, float rate) override;
    STDMETHODIMP SetLogClientID(WINBOOL log) override;
    STDMETHODIMP GetLogClientID(WINBOOL* log) override;
    STDMETHODIMP StopBuffering() override;
    STDMETHODIMP OpenStream(IStream* stream, IWMReaderCallback* callback, void* context) override;

private:
    enum class Command { kOpen, kStart, kStop, kClose };
    struct Request {
        Command command;
        std::wstring url{};      // kOpen by name
        CComPtr<IStream> stream;  // kOpen by stream
        QWORD start = 0;
        QWORD duration = 0;
        float rate = 1.0f;
        void* context = nullptr;
        std::shared_ptr<std::atomic<bool>> cancel{};  // kOpen: set by Close
    };

    WmvAsyncReader();
    ~WmvAsyncReader();

    HRESULT BeginOpen(Request request, IWMReaderCallback* callback, void* context);
    void Post(Request request);
    void Worker();
    void RunOpen(Request& request);
    void RunStart(const Request& request);
    void RunClose();
    void Deliver(asf::AsfSample& sample);
    void Status(WMT_STATUS status, HRESULT result);
    // Asks the application's IWMCredentialCallback, on the worker thread.
    bool AskCredentials(bool proxy, const std::wstring& realm, const std::wstring& site,
                        std::wstring* user, std::wstring* password);
    // Bytes per second the presentation is sent at, for buffering.
    uint64_t ByteRate() const;
    // True when another command waits: the current delivery must end.
    bool Interrupted() const { return !queue_.empty() || quit_; }
    bool ValidStream(WORD stream) const;

    std::atomic<ULONG> refs_{1};
    WmvHeaderInfo headerInfo_;
    WmvProfile profile_;
    WmvNetworkConfig network_;

    // Guards everything below; never held while a callback runs.
    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::deque<Request> queue_;
    bool quit_ = false;
    // Mirrors "a command waits" for a read blocked in the download, which may not take lock_.
    std::atomic<bool> commandWaiting_{false};
    std::shared_ptr<std::atomic<bool>> openCancel_;  // of the open in progress
    std::thread thread_;

    CComPtr<IWMReaderCallback> callback_;            // while open
    CComPtr<IWMReaderCallbackAdvanced> advanced_;    // when offered
    void* openContext_ = nullptr;
    void* startContext_ = nullptr;
    std::unique_ptr<WmvMedia> media_;  // set and reset by the worker
    bool opened_ = false;              // what the application sees: open succeeded, not closed

    bool userClock_ = false;
    QWORD deliverLimit_ = 0;
    bool paused_ = false;
    bool manualSelection_ = false;
    WMT_PLAY_MODE playMode_ = WMT_PLAY_MODE_AUTOSELECT;
    bool selected_[128] = {};
    bool receiveStreamSamples_[128] = {};
    bool allocateForStream_[128] = {};
    bool allocateForOutput_[128] = {};
};

}  // namespace orvane::wmv
