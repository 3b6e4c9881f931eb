// A push source filter for display tests: one output pin with RGB32 frames of one colour and
// a moving bar (see TestRgbSourcePin), so a renderer fed by it shows a known picture.
#pragma once

#include "tests/video/display/TestRgbSourcePin.h"
#include "platform/dshow/streams.h"

class TestRgbSource : public CBaseFilter {
public:
    // Holds one reference on return (the caller's).
    static TestRgbSource* Create(int width, int height, COLORREF colour);
    ~TestRgbSource() override;

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? m_pin : nullptr; }
    TestRgbSourcePin* Pin() const { return m_pin; }

private:
    TestRgbSource(int width, int height, COLORREF colour, HRESULT* phr);

    CCritSec m_lock;
    TestRgbSourcePin* m_pin = nullptr;
};
