// The presentation stream over the player's callbacks. Positions never go below 0: a seek that
// would is refused and leaves the position as it was.
#include "video/splitter/CWMFileStream.h"

#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CBaseFilter.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "video/splitter/QvrGraphEvent.h"

#include <vfwmsgs.h>

#include <new>

CWMFileStream::CWMFileStream(CBaseFilter* ownerFilter, const wchar_t* name,
                             READER_CB_PARAMS* context, ULONGLONG startPosition,
                             QVR_READ_CALLBACK readCallback, QVR_SEEK_CALLBACK seekCallback)
    : m_ownerFilter(ownerFilter),
      m_name(name ? name : L""),
      m_readCallback(readCallback),
      m_seekCallback(seekCallback),
      m_callbackContext(context),
      m_position(startPosition)
{
}

STDMETHODIMP CWMFileStream::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IStream || iid == IID_ISequentialStream || iid == IID_IUnknown) {
        *out = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CWMFileStream::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refCount));
}

STDMETHODIMP_(ULONG) CWMFileStream::Release()
{
    const LONG count = InterlockedDecrement(&m_refCount);
    if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

STDMETHODIMP CWMFileStream::Read(void* buffer, ULONG bytes, ULONG* bytesRead)
{
    CAutoLock hold(&m_lock);
    if (bytesRead != nullptr) {
        *bytesRead = 0;
    }
    HRESULT result = E_FAIL;
    m_seekCallback(static_cast<LONGLONG>(m_position), FILE_BEGIN, m_callbackContext, &result);
    if (FAILED(result)) {
        LOG_UNEXPECTED_HR(result, FormatText(L"Seek: %I64i", m_position));
        ReportFailure(result);
        return result;
    }
    result = E_FAIL;
    const DWORD count = m_readCallback(buffer, bytes, m_callbackContext, &result);
    if (FAILED(result)) {
        LOG_UNEXPECTED_HR(result, FormatText(L"Read: %i", static_cast<int>(bytes)));
        ReportFailure(result);
        return result;
    }
    // A callback that claims more than was asked for must not move us past what it wrote.
    const DWORD got = count > bytes ? bytes : count;
    m_position += got;
    if (bytesRead != nullptr) {
        *bytesRead = got;
    }
    return result;
}

STDMETHODIMP CWMFileStream::Write(const void*, ULONG, ULONG*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWMFileStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition)
{
    CAutoLock hold(&m_lock);
    LONGLONG target = 0;
    switch (origin) {
    case STREAM_SEEK_SET:
        target = move.QuadPart;
        break;
    case STREAM_SEEK_CUR:
        target = static_cast<LONGLONG>(m_position) + move.QuadPart;
        break;
    case STREAM_SEEK_END: {
        LONGLONG size = 0;
        const HRESULT hr = FileSize(&size);
        if (FAILED(hr)) {
            return hr;
        }
        target = size + move.QuadPart;
        break;
    }
    default:
        return E_INVALIDARG;
    }
    if (target < 0) {
        return STG_E_INVALIDFUNCTION;
    }
    m_position = static_cast<ULONGLONG>(target);
    if (newPosition != nullptr) {
        newPosition->QuadPart = m_position;
    }
    return S_OK;
}

STDMETHODIMP CWMFileStream::SetSize(ULARGE_INTEGER)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWMFileStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWMFileStream::Commit(DWORD)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWMFileStream::Revert()
{
    return E_NOTIMPL;
}

STDMETHODIMP CWMFileStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWMFileStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return E_NOTIMPL;
}

STDMETHODIMP CWMFileStream::Stat(STATSTG* statstg, DWORD)
{
    if (statstg == nullptr) {
        return E_POINTER;
    }
    CAutoLock hold(&m_lock);
    LONGLONG size = 0;
    const HRESULT hr = FileSize(&size);
    if (FAILED(hr)) {
        return hr;
    }
    ZeroMemory(statstg, sizeof(*statstg));
    statstg->type = STGTY_STREAM;
    statstg->cbSize.QuadPart = static_cast<ULONGLONG>(size);
    return S_OK;
}

STDMETHODIMP CWMFileStream::Clone(IStream** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    CAutoLock hold(&m_lock);
    *out = new (std::nothrow) CWMFileStream(m_ownerFilter, m_name.c_str(), m_callbackContext,
                                            m_position, m_readCallback, m_seekCallback);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

std::wstring CWMFileStream::ErrorText()
{
    CAutoLock hold(&m_lock);
    return m_errorText;
}

HRESULT CWMFileStream::FileSize(LONGLONG* size)
{
    HRESULT result = E_FAIL;
    *size = m_seekCallback(0, FILE_END, m_callbackContext, &result);
    if (SUCCEEDED(result) && *size <= 0) {
        result = VFW_E_FILE_TOO_SHORT;
    }
    if (FAILED(result)) {
        LOG_UNEXPECTED_HR(result, L"IStream::Seek");
        ReportFailure(result);
    }
    return result;
}

void CWMFileStream::ReportFailure(HRESULT code)
{
    if (!m_errorText.empty() || m_ownerFilter == nullptr) {
        return;
    }
    m_errorText = FormatText(EngineString(198), m_name.c_str(), static_cast<unsigned>(code));
    // The text is set once and lives as long as this object, so the event may point at it.
    m_ownerFilter->NotifyEvent(QVR_ERROR_DS_EVENT, code,
                               reinterpret_cast<LONG_PTR>(m_errorText.c_str()));
}
