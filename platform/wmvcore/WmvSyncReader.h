// IWMSyncReader: opens a file or IStream and hands out compressed samples in file order,
// within a range set by SetRange, for the selected streams. Also offers the presentation's
// IWMHeaderInfo3 and IWMProfile.
#pragma once

#include <windows.h>
#include <wmsdk.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "platform/wmvcore/WmvHeaderInfo.h"
#include "platform/wmvcore/WmvMedia.h"
#include "platform/wmvcore/WmvProfile.h"

namespace orvane::wmv {

class WmvSyncReader final : public IWMSyncReader {
public:
    static WmvSyncReader* Create();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP Open(const WCHAR* filename) override;
    STDMETHODIMP Close() override;
    STDMETHODIMP SetRange(QWORD start, LONGLONG duration) override;
    STDMETHODIMP SetRangeByFrame(WORD stream, QWORD frame, LONGLONG frames) override;
    STDMETHODIMP GetNextSample(WORD stream, INSSBuffer** sample, QWORD* time, QWORD* duration,
                               DWORD* flags, DWORD* output, WORD* streamOut) override;
    STDMETHODIMP SetStreamsSelected(WORD count, WORD* numbers,
                                    WMT_STREAM_SELECTION* selections) override;
    STDMETHODIMP GetStreamSelected(WORD stream, WMT_STREAM_SELECTION* selection) override;
    STDMETHODIMP SetReadStreamSamples(WORD stream, WINBOOL compressed) override;
    STDMETHODIMP GetReadStreamSamples(WORD stream, WINBOOL* compressed) override;
    STDMETHODIMP GetOutputSetting(DWORD output, LPCWSTR name, WMT_ATTR_DATATYPE* type,
                                  BYTE* value, WORD* length) override;
    STDMETHODIMP SetOutputSetting(DWORD output, LPCWSTR name, WMT_ATTR_DATATYPE type,
                                  const BYTE* value, WORD length) override;
    STDMETHODIMP GetOutputCount(DWORD* count) override;
    STDMETHODIMP GetOutputProps(DWORD output, IWMOutputMediaProps** props) override;
    STDMETHODIMP SetOutputProps(DWORD output, IWMOutputMediaProps* props) override;
    STDMETHODIMP GetOutputFormatCount(DWORD output, DWORD* count) override;
    STDMETHODIMP GetOutputFormat(DWORD output, DWORD format, IWMOutputMediaProps** props) override;
    STDMETHODIMP GetOutputNumberForStream(WORD stream, DWORD* output) override;
    STDMETHODIMP GetStreamNumberForOutput(DWORD output, WORD* stream) override;
    STDMETHODIMP GetMaxOutputSampleSize(DWORD output, DWORD* size) override;
    STDMETHODIMP GetMaxStreamSampleSize(WORD stream, DWORD* size) override;
    STDMETHODIMP OpenStream(IStream* stream) override;

private:
    WmvSyncReader();
    ~WmvSyncReader();
    HRESULT Attach(HRESULT openResult);
    DWORD OutputOf(WORD stream) const;

    std::atomic<ULONG> refs_{1};
    std::mutex lock_;
    std::unique_ptr<WmvMedia> media_;
    WmvHeaderInfo headerInfo_;
    WmvProfile profile_;
    asf::AsfSample sample_;  // the demuxer's output, kept to reuse its allocation
};

}  // namespace orvane::wmv
