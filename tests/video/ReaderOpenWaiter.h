// A reader callback for tests that open a file through the media runtime's asynchronous reader
// and feed its samples by hand: signals when the open and the close are reported. Closing is
// asynchronous and the reader's thread lets go of its callback only after reporting it, so the
// waiter counts the references it hands out and waits for them before it goes away.
#pragma once

#include <windows.h>
#include <wmsdkidl.h>

#include <atomic>

class ReaderOpenWaiter : public IWMReaderCallback {
public:
    ReaderOpenWaiter()
        : opened(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          closed(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
    }
    ~ReaderOpenWaiter()
    {
        WaitForRelease();
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
    // Lives on the test's stack or in its fixture; only the references of others are counted.
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }
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

    // Closes the reader and waits (bounded) until the close is reported to this waiter and
    // the reader has given back its references.
    bool CloseAndWait(IWMReader* reader)
    {
        return reader->Close() == S_OK && WaitForSingleObject(closed, 10000) == WAIT_OBJECT_0 &&
               WaitForRelease();
    }

    // True once nobody holds a reference (bounded: ten seconds).
    bool WaitForRelease() const
    {
        for (int i = 0; i < 1000 && refs.load() != 0; ++i) {
            Sleep(10);
        }
        return refs.load() == 0;
    }

    HANDLE opened;
    HANDLE closed;
    HRESULT result = E_FAIL;
    std::atomic<long> refs{0};
};
