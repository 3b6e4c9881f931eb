// The buffer wrapper handed to the media runtime for each sample it delivers.
#include "video/splitter/CEncapsulateSample.h"

const IID IID_QVREncapsulateSample = {
    0x6f1c52a4, 0x3d0e, 0x4b8a, {0x9e, 0x27, 0x51, 0xc0, 0xd4, 0xa8, 0xb7, 0xe3}};

CEncapsulateSample::CEncapsulateSample(IMediaSample* sample) : m_sample(sample)
{
    if (m_sample != nullptr) {
        m_sample->SetActualDataLength(m_sample->GetSize());
    }
}

CEncapsulateSample::~CEncapsulateSample() = default;

STDMETHODIMP CEncapsulateSample::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_INSSBuffer || iid == IID_IUnknown || iid == IID_QVREncapsulateSample) {
        *out = static_cast<INSSBuffer*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CEncapsulateSample::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refCount));
}

STDMETHODIMP_(ULONG) CEncapsulateSample::Release()
{
    const LONG count = InterlockedDecrement(&m_refCount);
    if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

STDMETHODIMP CEncapsulateSample::GetLength(DWORD* length)
{
    if (m_sample == nullptr) {
        return E_NOINTERFACE;
    }
    if (length == nullptr) {
        return E_POINTER;
    }
    *length = static_cast<DWORD>(m_sample->GetActualDataLength());
    return S_OK;
}

STDMETHODIMP CEncapsulateSample::SetLength(DWORD length)
{
    if (m_sample == nullptr) {
        return E_NOINTERFACE;
    }
    return m_sample->SetActualDataLength(static_cast<long>(length));
}

STDMETHODIMP CEncapsulateSample::GetMaxLength(DWORD* length)
{
    if (m_sample == nullptr) {
        return E_NOINTERFACE;
    }
    if (length == nullptr) {
        return E_POINTER;
    }
    *length = static_cast<DWORD>(m_sample->GetSize());
    return S_OK;
}

STDMETHODIMP CEncapsulateSample::GetBuffer(BYTE** buffer)
{
    if (m_sample == nullptr) {
        return E_NOINTERFACE;
    }
    return m_sample->GetPointer(buffer);
}

STDMETHODIMP CEncapsulateSample::GetBufferAndLength(BYTE** buffer, DWORD* length)
{
    if (m_sample == nullptr) {
        return E_NOINTERFACE;
    }
    if (length == nullptr) {
        return E_POINTER;
    }
    *length = static_cast<DWORD>(m_sample->GetActualDataLength());
    return m_sample->GetPointer(buffer);
}

CEncapsulateSample* CEncapsulateSample::FromBuffer(INSSBuffer* buffer)
{
    if (buffer == nullptr) {
        return nullptr;
    }
    void* ours = nullptr;
    if (FAILED(buffer->QueryInterface(IID_QVREncapsulateSample, &ours)) || ours == nullptr) {
        return nullptr;
    }
    // The query's reference is dropped again: the wrapper lives as long as the caller's buffer.
    CComPtr<INSSBuffer> held;
    held.Attach(static_cast<INSSBuffer*>(ours));
    return static_cast<CEncapsulateSample*>(held.p);
}
