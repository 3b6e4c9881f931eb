// IWMStreamConfig and IWMMediaProps of one stream of an opened file: number, type, name,
// bit rate, buffer window, and the media type built from the stream's type-specific data.
#pragma once

#include <windows.h>
#include <wmsdk.h>

#include <atomic>
#include <vector>

#include "platform/wmvcore/asf/AsfHeader.h"

namespace orvane::wmv {

class WmvStreamConfig final : public IWMStreamConfig, public IWMMediaProps {
public:
    static WmvStreamConfig* Create(const asf::AsfStream& stream);

    // The stream's media type in the runtime's layout: WM_MEDIA_TYPE followed by its format.
    static std::vector<uint8_t> BuildMediaType(const asf::AsfStream& stream);
    static GUID MajorType(const asf::AsfStream& stream);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IWMStreamConfig
    STDMETHODIMP GetStreamType(GUID* type) override;
    STDMETHODIMP GetStreamNumber(WORD* number) override;
    STDMETHODIMP SetStreamNumber(WORD number) override;
    STDMETHODIMP GetStreamName(WCHAR* name, WORD* length) override;
    STDMETHODIMP SetStreamName(LPCWSTR_WMSDK_TYPE_SAFE name) override;
    STDMETHODIMP GetConnectionName(WCHAR* name, WORD* length) override;
    STDMETHODIMP SetConnectionName(LPCWSTR_WMSDK_TYPE_SAFE name) override;
    STDMETHODIMP GetBitrate(DWORD* bitrate) override;
    STDMETHODIMP SetBitrate(DWORD bitrate) override;
    STDMETHODIMP GetBufferWindow(DWORD* window) override;
    STDMETHODIMP SetBufferWindow(DWORD window) override;

    // IWMMediaProps
    STDMETHODIMP GetType(GUID* type) override;
    STDMETHODIMP GetMediaType(WM_MEDIA_TYPE* type, DWORD* size) override;
    STDMETHODIMP SetMediaType(WM_MEDIA_TYPE* type) override;

    WORD Number() const { return stream_.number; }

private:
    explicit WmvStreamConfig(const asf::AsfStream& stream);
    ~WmvStreamConfig() = default;

    std::atomic<ULONG> refs_{1};
    asf::AsfStream stream_;
    std::u16string connection_;
};

}  // namespace orvane::wmv
