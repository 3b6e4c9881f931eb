// A plain IMediaBuffer over a byte vector, for driving a DMO by hand as the wrapper filter does.
#pragma once

#include <windows.h>
#include <mediaobj.h>

#include <cstdint>
#include <vector>

class TestMediaBuffer : public IMediaBuffer {
public:
    // Holds one reference on return (the caller's).
    static TestMediaBuffer* Create(DWORD capacity);
    static TestMediaBuffer* Create(const std::vector<uint8_t>& bytes);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP SetLength(DWORD length) override;
    STDMETHODIMP GetMaxLength(DWORD* maxLength) override;
    STDMETHODIMP GetBufferAndLength(BYTE** buffer, DWORD* length) override;

    const BYTE* Data() const { return m_bytes.data(); }
    DWORD Length() const { return m_length; }

private:
    explicit TestMediaBuffer(DWORD capacity) : m_bytes(capacity) {}
    virtual ~TestMediaBuffer() = default;

    volatile LONG m_refs = 1;
    std::vector<BYTE> m_bytes;
    DWORD m_length = 0;
};
