// A callback object for the asynchronous reader, as the splitter filter uses it: records the
// statuses and the stream samples it receives, drives a user clock one step at a time, and can
// hand out its own buffers from AllocateForStream.
#pragma once

#include <windows.h>
#include <wmsdk.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "tests/platform/wmvcore/WmvTestSupport.h"

namespace orvane::test {

class ReaderCallbackRecorder final : public IWMReaderCallback,
                                     public IWMReaderCallbackAdvanced,
                                     public IWMCredentialCallback {
public:
    struct CredentialAsk {
        std::wstring realm;
        std::wstring site;
        std::wstring offeredUser;
        HRESULT status = S_OK;
        DWORD flags = 0;
    };

    ReaderCallbackRecorder() = default;

    // Set before Open: the reader this object drives, and the user-clock step (0: no clock).
    void Drive(IWMReader* reader, QWORD clockStep) { reader_ = reader; step_ = clockStep; }
    void UseOwnBuffers(bool own) { ownBuffers_ = own; }
    // Offers IWMCredentialCallback, answering every challenge with these; declines when the
    // user name is empty.
    void AnswerCredentials(std::wstring user, std::wstring password);
    std::vector<CredentialAsk> CredentialAsks() const;

    // Waits up to timeoutMs for the given status; false on time-out.
    bool WaitFor(WMT_STATUS status, DWORD timeoutMs = 20000);
    std::vector<WMT_STATUS> Statuses() const;
    HRESULT ResultOf(WMT_STATUS status) const;
    std::vector<SampleRow> Samples() const;
    void ClearSamples();
    // Whether any sample came after the delivery limit in force when it arrived.
    bool SampleBeyondLimit() const { return beyondLimit_; }
    int OwnBuffersHandedOut() const { return ownHandedOut_; }
    // Callbacks that broke the reader's contract (counted here, asserted by the test thread:
    // the reader's thread must not record test results).
    int ProtocolFaults() const { return protocolFaults_; }
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
    STDMETHODIMP AcquireCredentials(WCHAR* realm, WCHAR* site, WCHAR* user, DWORD userSize,
                                    WCHAR* password, DWORD passwordSize, HRESULT status,
                                    DWORD* flags) override;

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
    std::atomic<int> protocolFaults_{0};
    bool offerCredentials_ = false;
    std::wstring user_;
    std::wstring password_;
    std::vector<CredentialAsk> asks_;
};

}  // namespace orvane::test
