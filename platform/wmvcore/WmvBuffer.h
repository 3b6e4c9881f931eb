// INSSBuffer over a heap block: the sample buffers the readers hand out when the application
// does not allocate them itself.
#pragma once

#include <windows.h>
#include <wmsdk.h>

#include <atomic>
#include <vector>

namespace orvane::wmv {

class WmvBuffer final : public INSSBuffer {
public:
    // Takes the bytes; the buffer's length and maximum are their size.
    static WmvBuffer* Create(std::vector<uint8_t>&& bytes);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetLength(DWORD* length) override;
    STDMETHODIMP SetLength(DWORD length) override;
    STDMETHODIMP GetMaxLength(DWORD* length) override;
    STDMETHODIMP GetBuffer(BYTE** buffer) override;
    STDMETHODIMP GetBufferAndLength(BYTE** buffer, DWORD* length) override;

    // Gives the bytes back (for reuse) once nobody else holds the buffer.
    std::vector<uint8_t> TakeBytes() { return std::move(bytes_); }

private:
    explicit WmvBuffer(std::vector<uint8_t>&& bytes);
    ~WmvBuffer() = default;

    std::atomic<ULONG> refs_{1};
    std::vector<uint8_t> bytes_;
    DWORD length_;
};

}  // namespace orvane::wmv
