// Test push source: one TestSourcePin, created with the filter; the filter holds one
// reference to the pin and releases it when destroyed.
#pragma once

#include "platform/dshow/streams.h"

class TestSourcePin;

// {5A8E2F61-3C11-4D8B-9D0E-7A1B2C3D4E01}
inline constexpr GUID CLSID_TestSource = {
    0x5a8e2f61, 0x3c11, 0x4d8b, {0x9d, 0x0e, 0x7a, 0x1b, 0x2c, 0x3d, 0x4e, 0x01}};

class TestSourceFilter : public CBaseFilter {
public:
    TestSourceFilter(const CMediaType& type, LONG bufferBytes, int bufferCount,
                     int poolBuffers = 4);
    ~TestSourceFilter() override;

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;

    TestSourcePin* Pin() const { return m_pPin; }

private:
    CCritSec m_lock;
    TestSourcePin* m_pPin = nullptr;
};
