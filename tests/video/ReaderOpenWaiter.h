// A reader callback for tests that open a file through the media runtime's asynchronous reader
// and feed its samples by hand: signals when the open and the close are reported. Closing is
// asynchronous, so a test waits for `closed` before the waiter goes away.
#pragma once

#include <windows.h>
#include <wmsdkidl.h>

class ReaderOpenWaiter : public IWMReaderCallback {
public:
    ReaderOpenWaiter()
        : opened(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          closed(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
    }
    ~ReaderOpenWaiter()
    {
        CloseHandle(opened);
        CloseHandle(closed);
    }
    ReaderOpenWaiter(const ReaderOpenWaiter&) = delete;
    ReaderOpenWaiter& operator=(const ReaderOpenWaiter&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IWMReaderCallback || iid == IID_IWMStatusCallback) {
            *out = static_cast<IWMReaderCallback*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the test's stack or in its fixture: not counted.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP OnStatus(WMT_STATUS status, HRESULT hr, WMT_ATTR_DATATYPE, BYTE*,
                          void*) override
    {
        if (status == WMT_OPENED) {
            result = hr;
            SetEvent(opened);
        } else if (status == WMT_CLOSED) {
            SetEvent(closed);
        }
        return S_OK;
    }
    STDMETHODIMP OnSample(DWORD, QWORD, QWORD, DWORD, INSSBuffer*, void*) override
    {
        return S_OK;
    }

    // Closes the reader and waits (bounded) until the close is reported to this waiter.
    bool CloseAndWait(IWMReader* reader) const
    {
        return reader->Close() == S_OK && WaitForSingleObject(closed, 10000) == WAIT_OBJECT_0;
    }

    HANDLE opened;
    HANDLE closed;
    HRESULT result = E_FAIL;
};
