// The metadata editor (WMCreateEditor): opens a file's header for reading its attributes and
// markers through IWMHeaderInfo3. Changes are refused: the stand-in never rewrites files.
#pragma once

#include <windows.h>
#include <wmsdk.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "platform/wmvcore/WmvHeaderInfo.h"
#include "platform/wmvcore/WmvMedia.h"
#include "platform/wmvcore/WmvMetadataEditor2.h"

namespace orvane::wmv {

class WmvMetadataEditor final : public IWMMetadataEditor2 {
public:
    static WmvMetadataEditor* Create();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP Open(const WCHAR* filename) override;
    STDMETHODIMP Close() override;
    STDMETHODIMP Flush() override;
    STDMETHODIMP OpenEx(const WCHAR* filename, DWORD desiredAccess, DWORD shareMode) override;

private:
    WmvMetadataEditor() : headerInfo_(this) {}
    ~WmvMetadataEditor() = default;

    std::atomic<ULONG> refs_{1};
    std::mutex lock_;
    WmvHeaderInfo headerInfo_;
    std::unique_ptr<WmvMedia> media_;
};

}  // namespace orvane::wmv
