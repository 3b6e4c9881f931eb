// A callback object for the asynchronous reader, as the splitter filter uses it: records the
// statuses and the stream samples it receives, drives a user clock one step at a time, and can
// hand out its own buffers from AllocateForStream.
#pragma once

#include <windows.h>
#include <wmsdk.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "WmvTestSupport.h"

namespace orvane::test {

class ReaderCallbackRecorder final : public IWMReaderCallback, public IWMReaderCallbackAdvanced {
public:
    ReaderCallbackRecorder() = default;

    // Set before Open: the reader this object drives, and the user-clock step (0: no clock).
    void Drive(IWMReader* reader, QWORD clockStep) { reader_ = reader; step_ = clockStep; }
    void UseOwnBuffers(bool own) { ownBuffers_ = own; }

    // Waits up to timeoutMs for the given status; false on time-out.
    bool WaitFor(WMT_STATUS status, DWORD timeoutMs = 20000);
    std::vector<WMT_STATUS> Statuses() const;
    HRESULT ResultOf(WMT_STATUS status) const;
    std::vector<SampleRow> Samples() const;
    void ClearSamples();
    // Whether any sample came after the delivery limit in force when it arrived.
    bool SampleBeyondLimit() const { return beyondLimit_; }
    int OwnBuffersHandedOut() const { return ownHandedOut_; }
    int ForeignBuffers() const { return foreignBuffers_; }
    ULONG References() const { return refs_; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override { return --refs_; }  // lives on the test's stack

    STDMETHODIMP OnStatus(WMT_STATUS status, HRESULT hr, WMT_ATTR_DATATYPE type, BYTE* value,
                          void* context) override;
    STDMETHODIMP OnSample(DWORD output, QWORD time, QWORD duration, DWORD flags,
                          INSSBuffer* sample, void* context) override;
    STDMETHODIMP OnStreamSample(WORD stream, QWORD time, QWORD duration, DWORD flags,
                                INSSBuffer* sample, void* context) override;
    STDMETHODIMP OnTime(QWORD time, void* context) override;
    STDMETHODIMP OnStreamSelection(WORD count, WORD* numbers, WMT_STREAM_SELECTION* selections,
                                   void* context) override;
    STDMETHODIMP OnOutputPropsChanged(DWORD output, WM_MEDIA_TYPE* type, void* context) override;
    STDMETHODIMP AllocateForStream(WORD stream, DWORD size, INSSBuffer** buffer,
                                   void* context) override;
    STDMETHODIMP AllocateForOutput(DWORD output, DWORD size, INSSBuffer** buffer,
                                   void* context) override;

private:
    void Advance(QWORD limit);

    std::atomic<ULONG> refs_{0};
    IWMReader* reader_ = nullptr;
    QWORD step_ = 0;
    bool ownBuffers_ = false;
    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::vector<std::pair<WMT_STATUS, HRESULT>> statuses_;
    std::vector<SampleRow> samples_;
    QWORD limit_ = 0;
    std::atomic<bool> beyondLimit_{false};
    std::atomic<int> ownHandedOut_{0};
    std::atomic<int> foreignBuffers_{0};
};

}  // namespace orvane::test
