#include "tests/platform/wmvdecdmo/TestMediaBuffer.h"

#include <cstring>

TestMediaBuffer* TestMediaBuffer::Create(DWORD capacity)
{
    return new TestMediaBuffer(capacity);
}

TestMediaBuffer* TestMediaBuffer::Create(const std::vector<uint8_t>& bytes)
{
    auto* buffer = new TestMediaBuffer(static_cast<DWORD>(bytes.size()));
    if (!bytes.empty()) {
        std::memcpy(buffer->m_bytes.data(), bytes.data(), bytes.size());
    }
    buffer->m_length = static_cast<DWORD>(bytes.size());
    return buffer;
}

STDMETHODIMP TestMediaBuffer::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IMediaBuffer) {
        *ppv = static_cast<IMediaBuffer*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TestMediaBuffer::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

STDMETHODIMP_(ULONG) TestMediaBuffer::Release()
{
    const LONG left = InterlockedDecrement(&m_refs);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

STDMETHODIMP TestMediaBuffer::SetLength(DWORD length)
{
    if (length > m_bytes.size()) {
        return E_INVALIDARG;
    }
    m_length = length;
    return S_OK;
}

STDMETHODIMP TestMediaBuffer::GetMaxLength(DWORD* maxLength)
{
    if (maxLength == nullptr) {
        return E_POINTER;
    }
    *maxLength = static_cast<DWORD>(m_bytes.size());
    return S_OK;
}

// Like the system's wrapper buffers, both pointers are required.
STDMETHODIMP TestMediaBuffer::GetBufferAndLength(BYTE** buffer, DWORD* length)
{
    if (buffer == nullptr || length == nullptr) {
        return E_POINTER;
    }
    *buffer = m_bytes.data();
    *length = m_length;
    return S_OK;
}
