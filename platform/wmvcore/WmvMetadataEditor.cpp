// Read-only metadata editor.
#include "platform/wmvcore/WmvMetadataEditor.h"

#include <new>

#include "platform/wmvcore/WmvCommon.h"

namespace orvane::wmv {

WmvMetadataEditor* WmvMetadataEditor::Create() { return new (std::nothrow) WmvMetadataEditor(); }

STDMETHODIMP WmvMetadataEditor::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IWMMetadataEditor || iid == kIidIWMMetadataEditor2) {
        *out = static_cast<IWMMetadataEditor2*>(this);
    } else if (iid == IID_IWMHeaderInfo || iid == IID_IWMHeaderInfo2 ||
               iid == IID_IWMHeaderInfo3) {
        *out = static_cast<IWMHeaderInfo3*>(&headerInfo_);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) WmvMetadataEditor::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) WmvMetadataEditor::Release()
{
    const ULONG n = --refs_;
    if (n == 0) {
        delete this;
    }
    return n;
}

STDMETHODIMP WmvMetadataEditor::Open(const WCHAR* filename)
{
    return OpenEx(filename, GENERIC_READ | GENERIC_WRITE, 0);
}

STDMETHODIMP WmvMetadataEditor::OpenEx(const WCHAR* filename, DWORD desiredAccess,
                                       DWORD shareMode)
{
    return Guarded([&]() -> HRESULT {
        std::lock_guard<std::mutex> hold(lock_);
        if (media_) {
            return NS_E_INVALID_REQUEST;
        }
        // Local files only: the editor works on a header it could rewrite in place.
        const HRESULT check = WmvMedia::CheckName(filename);
        if (FAILED(check)) {
            return check;
        }
        if (std::wstring(filename).rfind(L"http:", 0) == 0 ||
            std::wstring(filename).rfind(L"HTTP:", 0) == 0) {
            return NS_E_INVALID_NAME;
        }
        const HRESULT hr =
            WmvMedia::OpenByName(filename, desiredAccess, shareMode, WmvNetOptions(), &media_);
        if (FAILED(hr)) {
            media_.reset();
            return hr;
        }
        headerInfo_.Attach(&media_->Header());
        return S_OK;
    });
}

STDMETHODIMP WmvMetadataEditor::Close()
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_) {
        return NS_E_INVALID_REQUEST;
    }
    headerInfo_.Attach(nullptr);
    media_.reset();
    return S_OK;
}

STDMETHODIMP WmvMetadataEditor::Flush()
{
    // Nothing can have changed (edits are refused), so flushing is closing.
    return Close();
}

}  // namespace orvane::wmv
