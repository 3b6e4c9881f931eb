// A push source filter for graph tests: one output pin with a generated PCM tone of a given
// format and length (see TestPcmSourcePin).
#pragma once

#include "tests/video/audio/TestPcmSourcePin.h"
#include "platform/dshow/streams.h"

class TestPcmSource : public CBaseFilter {
public:
    // Holds one reference on return (the caller's).
    static TestPcmSource* Create(const WAVEFORMATEX& format, double seconds);
    ~TestPcmSource() override;

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? m_pin : nullptr; }
    TestPcmSourcePin* Pin() const { return m_pin; }

private:
    TestPcmSource(const WAVEFORMATEX& format, double seconds, HRESULT* phr);

    CCritSec m_lock;
    TestPcmSourcePin* m_pin = nullptr;
};
