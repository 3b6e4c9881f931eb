// An IStream over the player's read and seek callbacks: the media runtime reads a presentation
// only through it. The stream keeps its own position and positions the player's file before
// every read; the first failure is reported once to the owning filter's graph.
#pragma once

#include "Common/QVRInterfaces.h"

#include "platform/dshow/CCritSec.h"

#include <objidl.h>

#include <string>

class CBaseFilter;

class CWMFileStream final : public IStream {
public:
    CWMFileStream(CBaseFilter* ownerFilter, const wchar_t* name, READER_CB_PARAMS* context,
                  ULONGLONG startPosition, QVR_READ_CALLBACK readCallback,
                  QVR_SEEK_CALLBACK seekCallback);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP Read(void* buffer, ULONG bytes, ULONG* bytesRead) override;
    STDMETHODIMP Write(const void* buffer, ULONG bytes, ULONG* written) override;

    STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override;
    STDMETHODIMP SetSize(ULARGE_INTEGER size) override;
    STDMETHODIMP CopyTo(IStream* target, ULARGE_INTEGER bytes, ULARGE_INTEGER* read,
                        ULARGE_INTEGER* written) override;
    STDMETHODIMP Commit(DWORD flags) override;
    STDMETHODIMP Revert() override;
    STDMETHODIMP LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER bytes, DWORD type) override;
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER bytes, DWORD type) override;
    STDMETHODIMP Stat(STATSTG* statstg, DWORD flags) override;
    STDMETHODIMP Clone(IStream** out) override;

    // The first failure's text; empty while none was reported.
    std::wstring ErrorText();

private:
    ~CWMFileStream() = default;

    // Size of the file through the seek callback; VFW_E_FILE_TOO_SHORT for an empty file.
    HRESULT FileSize(LONGLONG* size);
    void ReportFailure(HRESULT code);

    CCritSec m_lock;  // one stream is read by the runtime's threads: reads and seeks serialise
    std::wstring m_errorText;
    CBaseFilter* m_ownerFilter;
    std::wstring m_name;
    QVR_READ_CALLBACK m_readCallback;
    QVR_SEEK_CALLBACK m_seekCallback;
    READER_CB_PARAMS* m_callbackContext;
    volatile LONG m_refCount = 1;
    ULONGLONG m_position;
};
