// Heap-backed INSSBuffer.
#include "platform/wmvcore/WmvBuffer.h"

#include <new>

namespace orvane::wmv {

WmvBuffer::WmvBuffer(std::vector<uint8_t>&& bytes)
    : bytes_(std::move(bytes)), length_(static_cast<DWORD>(bytes_.size()))
{
}

WmvBuffer* WmvBuffer::Create(std::vector<uint8_t>&& bytes)
{
    return new (std::nothrow) WmvBuffer(std::move(bytes));
}

STDMETHODIMP WmvBuffer::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_INSSBuffer) {
        *out = static_cast<INSSBuffer*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) WmvBuffer::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) WmvBuffer::Release()
{
    const ULONG n = --refs_;
    if (n == 0) {
        delete this;
    }
    return n;
}

STDMETHODIMP WmvBuffer::GetLength(DWORD* length)
{
    if (length == nullptr) {
        return E_POINTER;
    }
    *length = length_;
    return S_OK;
}

STDMETHODIMP WmvBuffer::SetLength(DWORD length)
{
    if (length > bytes_.size()) {
        return E_INVALIDARG;
    }
    length_ = length;
    return S_OK;
}

STDMETHODIMP WmvBuffer::GetMaxLength(DWORD* length)
{
    if (length == nullptr) {
        return E_POINTER;
    }
    *length = static_cast<DWORD>(bytes_.size());
    return S_OK;
}

STDMETHODIMP WmvBuffer::GetBuffer(BYTE** buffer)
{
    if (buffer == nullptr) {
        return E_POINTER;
    }
    *buffer = bytes_.data();
    return S_OK;
}

STDMETHODIMP WmvBuffer::GetBufferAndLength(BYTE** buffer, DWORD* length)
{
    if (buffer == nullptr || length == nullptr) {
        return E_POINTER;
    }
    *buffer = bytes_.data();
    *length = length_;
    return S_OK;
}

}  // namespace orvane::wmv
