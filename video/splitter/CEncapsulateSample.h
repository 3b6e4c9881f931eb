// An INSSBuffer over a DirectShow media sample: the media runtime writes a compressed sample
// straight into the pin's buffer through it, so no data is copied. The wrapper answers a
// private interface id, which tells a buffer of ours from any other INSSBuffer.
#pragma once

#include "platform/base/CComPtr.h"

#include <windows.h>
#include <strmif.h>
#include <wmsbuffer.h>

// {6F1C52A4-3D0E-4B8A-9E27-51C0D4A8B7E3}: answered only by CEncapsulateSample.
extern const IID IID_QVREncapsulateSample;

class CEncapsulateSample final : public INSSBuffer {
public:
    // Takes a reference to the sample and sets its data length to its full size.
    explicit CEncapsulateSample(IMediaSample* sample);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetLength(DWORD* length) override;
    STDMETHODIMP SetLength(DWORD length) override;
    STDMETHODIMP GetMaxLength(DWORD* length) override;
    STDMETHODIMP GetBuffer(BYTE** buffer) override;
    STDMETHODIMP GetBufferAndLength(BYTE** buffer, DWORD* length) override;

    // The wrapped sample, without a reference.
    IMediaSample* GetMediaSample() const { return m_sample; }

    // The wrapper behind a buffer the runtime hands back, or NULL when it is not one of ours
    // (no reference is added).
    static CEncapsulateSample* FromBuffer(INSSBuffer* buffer);

private:
    ~CEncapsulateSample();

    volatile LONG m_refCount = 1;
    CComPtr<IMediaSample> m_sample;
};
