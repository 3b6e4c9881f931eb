// Output pin of the test RGB32 source: offers one uncompressed type; while active a worker
// thread pushes 10 frames a second, time-stamped from the start of the stream.
#pragma once

#include <atomic>

#include "platform/dshow/streams.h"

class TestRgbSourcePin : public CBaseOutputPin {
public:
    TestRgbSourcePin(CBaseFilter* filter, CCritSec* lock, int width, int height,
                     COLORREF colour, HRESULT* phr);
    ~TestRgbSourcePin() override;

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProp) override;
    HRESULT Active() override;
    HRESULT Inactive() override;

    long Delivered() const { return m_delivered.load(); }

private:
    static DWORD WINAPI ThreadEntry(void* self);
    void Push();
    void StopThread();
    void Fill(BYTE* data, long stride, long frame) const;

    int m_width;
    int m_height;
    COLORREF m_colour;
    HANDLE m_thread = nullptr;
    std::atomic<bool> m_stop{false};
    std::atomic<long> m_delivered{0};
};
