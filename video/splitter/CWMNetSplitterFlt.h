// The source filter of the network receiver's graph: one output pin for the audio stream and
// for each of up to two video streams of the player's Windows Media reader. Each pushed sample
// is copied into a buffer of its stream's pin (grown when the sample does not fit), stamped
// relative to the start time and sent downstream. No seeking, no rate, no reader control;
// every push failure goes to the player as an asynchronous error (once per start when it
// repeats).
#pragma once

#include "platform/dshow/CBaseFilter.h"
#include "platform/base/CComPtr.h"
#include "platform/dshow/CCritSec.h"

#include <wmsdkidl.h>

#include <atomic>
#include <string>
#include <vector>

class CWMNetOutputPin;

class CWMNetSplitterFlt : public CBaseFilter {
public:
    // Keeps the reader and makes the pins; *errorText is empty on success. The creator holds
    // the one reference.
    CWMNetSplitterFlt(IWMReader* reader, WORD audioStream, WORD videoStream1, WORD videoStream2,
                      std::wstring* errorText);
    ~CWMNetSplitterFlt() override;

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;

    void OnStart(LONGLONG startTime);
    // One pushed sample; the data are copied during the call.
    HRESULT OnWMStreamSample(WORD stream, INSSBuffer* sample, LONGLONG time, LONGLONG duration,
                             DWORD flags);
    CWMNetOutputPin* FindPinByStream(WORD stream);
    // Pushes given up since the last start because they repeated a reported failure.
    long RepeatedFailures() const { return m_repeats; }

    // A pin's pool never takes more than this; a sample above the per-buffer limit is refused.
    static constexpr LONGLONG kMaxPoolBytes = 64LL * 1024 * 1024;
    static constexpr LONGLONG kMaxSampleBytes = 16LL * 1024 * 1024;
    // The buffer properties after growing to hold `needed` bytes, from the current ones; false
    // when the sample is too large.
    static bool GrownProperties(const ALLOCATOR_PROPERTIES& now, LONGLONG needed,
                                ALLOCATOR_PROPERTIES* out);

private:
    std::wstring CreatePins(WORD audio, WORD video1, WORD video2);
    std::wstring CreatePin(IWMStreamConfig* config, WORD streamNumber);
    HRESULT CheckBufferSize(IMediaSample** sample, long needed, CWMNetOutputPin* pin);
    void ReportError(const wchar_t* function, HRESULT code, const std::wstring& detail,
                     unsigned line);

    CCritSec m_errorLock;
    std::wstring m_lastErrorText;
    bool m_reportedSinceStart = false;
    std::atomic<long> m_repeats{0};
    CCritSec m_filterLock;
    // Serialises pushes; held while a push waits for a free buffer, which the filter lock
    // never is (so that the graph can stop meanwhile).
    CCritSec m_pushLock;
    CComPtr<IWMReader> m_reader;
    LONGLONG m_startTime = 0;
    std::vector<CComPtr<CWMNetOutputPin>> m_pins;  // the filter's reference to each
};
