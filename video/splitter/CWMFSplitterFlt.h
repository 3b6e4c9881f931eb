// The source filter of the file playback graph: owns a Windows Media asynchronous reader over
// the player's callbacks, offers one output pin per selected audio or video stream, and drives
// the reader's clock itself so that it delivers compressed samples straight into the pins'
// buffers as fast as the downstream buffers allow.
#pragma once

#include "Common/QVRInterfaces.h"

#include "platform/dshow/CAMEvent.h"
#include "platform/dshow/CBaseFilter.h"
#include "platform/dshow/CCritSec.h"

#include <wmsdkidl.h>

#include "platform/base/CComPtr.h"

#include <string>
#include <vector>

class CWMFOutputPin;
class CWMFileStream;

class CWMFSplitterFlt : public CBaseFilter,
                        public IWMReaderCallback,
                        public IWMReaderCallbackAdvanced {
public:
    // Opens the file; *errorText is empty on success. The creator holds the one reference.
    CWMFSplitterFlt(const wchar_t* name, READER_CB_PARAMS* context, BOOL logDetails,
                    std::wstring* errorText, QVR_READ_CALLBACK readCallback,
                    QVR_SEEK_CALLBACK seekCallback);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID iid, void** out) override;

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;

    // IWMStatusCallback / IWMReaderCallback
    STDMETHODIMP OnStatus(WMT_STATUS status, HRESULT result, WMT_ATTR_DATATYPE type,
                          BYTE* value, void* context) override;
    STDMETHODIMP OnSample(DWORD output, QWORD time, QWORD duration, DWORD flags,
                          INSSBuffer* sample, void* context) override;
    // IWMReaderCallbackAdvanced
    STDMETHODIMP OnStreamSample(WORD stream, QWORD time, QWORD duration, DWORD flags,
                                INSSBuffer* sample, void* context) override;
    STDMETHODIMP OnTime(QWORD currentTime, void* context) override;
    STDMETHODIMP OnStreamSelection(WORD count, WORD* streams, WMT_STREAM_SELECTION* selections,
                                   void* context) override;
    STDMETHODIMP OnOutputPropsChanged(DWORD output, WM_MEDIA_TYPE* type, void* context) override;
    STDMETHODIMP AllocateForStream(WORD stream, DWORD size, INSSBuffer** buffer,
                                   void* context) override;
    STDMETHODIMP AllocateForOutput(DWORD output, DWORD size, INSSBuffer** buffer,
                                   void* context) override;

    void SetSpeed(double speed);
    // Stops the reader and drops what the pins still have queued, before the graph stops its
    // filters: nothing then flows (no end of stream either) while the downstream filters stop,
    // which a transform filter can otherwise meet with a deadlock of its two locks.
    void HaltDelivery();
    IWMReader* Reader() const { return m_reader; }  // no reference
    LONGLONG Duration() const { return m_duration; }
    BOOL LogDetails() const { return m_logDetails; }
    // True once the end of stream went out on every pin in the current run.
    bool EndOfStreamSent() const { return m_endOfStreamSent != FALSE; }

    void GetPositions(LONGLONG* start, LONGLONG* stop, double* rate);
    HRESULT SetPositions(CWMFOutputPin* caller, LONGLONG start, LONGLONG stop);
    // A rate of 0 or one that is not a number is refused (E_INVALIDARG): times divide by it.
    HRESULT SetRate(double rate);
    HRESULT SetStopPosition(LONGLONG stop);

    CWMFOutputPin* FindPinByStream(WORD stream);
    CWMFOutputPin* GetPinByIndex(int n);
    HRESULT DeliverEndOfStreamOnce();
    void ReportAsyncError(const wchar_t* function, HRESULT code, const std::wstring& detail,
                          unsigned line);

    // The rate the reader is started at for a playback rate.
    static float ReaderRate(double rate);
    // The time stamp of a sample time relative to the start, divided by the speed or rate.
    static LONGLONG StampTime(LONGLONG time, LONGLONG start, double speed, double rate);
    // The first error text since the open (a copy).
    std::wstring LastErrorText();

private:
    ~CWMFSplitterFlt() override;

    std::wstring OpenFile();
    std::wstring CreatePin(IWMStreamConfig* config, WORD streamNumber);
    void StartReader();
    void StopReader();
    void CloseReader();
    // Arms the wait for a reader operation (1 open, 2 stop, 3 close).
    void BeginPending(LONG operation);
    // Waits for it; on a time-out the operation is abandoned and a late status is ignored.
    HRESULT WaitPending();
    HRESULT DeliverTimeToReader(LONGLONG limit);

    CCritSec m_errorLock;
    std::wstring m_lastErrorText;
    BOOL m_logDetails;
    CCritSec m_filterLock;
    CComPtr<CWMFileStream> m_fileStream;
    CComPtr<IWMReader> m_reader;
    std::vector<CComPtr<CWMFOutputPin>> m_pins;  // the filter's reference to each
    CCritSec m_asyncLock;
    CAMEvent m_asyncDone{TRUE};
    HRESULT m_asyncResult = S_OK;
    LONG m_pendingOperation = 0;
    volatile BOOL m_readerRunning = FALSE;  // started and not stopped since
    volatile BOOL m_endOfStreamSent = FALSE;
    static constexpr LONGLONG kNoLimit = 300000000000000LL;  // 30,000,000 s: no delivery limit
    LONGLONG m_deliveryLimit = kNoLimit;
    CCritSec m_positionLock;
    LONGLONG m_duration = 0;
    LONGLONG m_startPosition = 0;
    LONGLONG m_stopPosition = -1;
    double m_rate = 1.0;
    volatile double m_speed = 0.0;
    std::vector<CWMFOutputPin*> m_seekCallers;
    LONGLONG m_audioBytePosition = 0;
    std::wstring m_name;
};
