// Test renderer: one TestSinkPin; declares itself a renderer to the graph, passes seeking
// upstream through CPosPassThru, and raises EC_COMPLETE at end of stream once running.
#pragma once

#include "platform/dshow/streams.h"

#include "tests/platform/dshow/TestSinkPin.h"

// {5A8E2F61-3C11-4D8B-9D0E-7A1B2C3D4E02}
inline constexpr GUID CLSID_TestSink = {
    0x5a8e2f61, 0x3c11, 0x4d8b, {0x9d, 0x0e, 0x7a, 0x1b, 0x2c, 0x3d, 0x4e, 0x02}};

class TestSinkFilter : public CBaseFilter, public IAMFilterMiscFlags {
public:
    TestSinkFilter();
    ~TestSinkFilter() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) GetMiscFlags() override;

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME tStart) override;

    // From the pin, on the streaming thread.
    void OnEndOfStream();
    void OnFlush();
    TestSinkPin* Pin() const { return m_pPin; }
    // Signalled at every end of stream.
    HANDLE EndOfStreamEvent() const { return m_eos; }

private:
    CCritSec m_lock;
    CCritSec m_eosLock;  // inside m_lock; the streaming thread takes only this one
    TestSinkPin* m_pPin = nullptr;
    IUnknown* m_pSeeking = nullptr;  // inner unknown of the pass-through, counted
    bool m_eosPending = false;
    CAMEvent m_eos;
};
