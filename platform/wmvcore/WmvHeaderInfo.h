// IWMHeaderInfo3 over a parsed header: attributes by name and index with their types,
// markers, codec list. A face of its owner (reader or editor): IUnknown goes to the owner.
// Read-only: the editing methods report NS_E_INVALID_REQUEST.
#pragma once

#include <windows.h>
#include <wmsdk.h>

#include "platform/wmvcore/asf/AsfHeader.h"

namespace orvane::wmv {

class WmvHeaderInfo final : public IWMHeaderInfo3 {
public:
    explicit WmvHeaderInfo(IUnknown* owner) : owner_(owner) {}
    // The header of the opened presentation, or null while closed.
    void Attach(const asf::AsfHeader* header) { header_ = header; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetAttributeCount(WORD stream, WORD* count) override;
    STDMETHODIMP GetAttributeByIndex(WORD index, WORD* stream, WCHAR* name, WORD* nameLength,
                                     WMT_ATTR_DATATYPE* type, BYTE* value,
                                     WORD* length) override;
    STDMETHODIMP GetAttributeByName(WORD* stream, LPCWSTR name, WMT_ATTR_DATATYPE* type,
                                    BYTE* value, WORD* length) override;
    STDMETHODIMP SetAttribute(WORD stream, LPCWSTR name, WMT_ATTR_DATATYPE type,
                              const BYTE* value, WORD length) override;
    STDMETHODIMP GetMarkerCount(WORD* count) override;
    STDMETHODIMP GetMarker(WORD index, WCHAR* name, WORD* nameLength, QWORD* time) override;
    STDMETHODIMP AddMarker(LPCWSTR_WMSDK_TYPE_SAFE name, QWORD time) override;
    STDMETHODIMP RemoveMarker(WORD index) override;
    STDMETHODIMP GetScriptCount(WORD* count) override;
    STDMETHODIMP GetScript(WORD index, WCHAR* type, WORD* typeLength, WCHAR* command,
                           WORD* commandLength, QWORD* time) override;
    STDMETHODIMP AddScript(LPCWSTR_WMSDK_TYPE_SAFE type, LPCWSTR_WMSDK_TYPE_SAFE command,
                           QWORD time) override;
    STDMETHODIMP RemoveScript(WORD index) override;

    STDMETHODIMP GetCodecInfoCount(DWORD* count) override;
    STDMETHODIMP GetCodecInfo(DWORD index, WORD* nameLength, WCHAR* name,
                              WORD* descriptionLength, WCHAR* description,
                              WMT_CODEC_INFO_TYPE* type, WORD* infoLength, BYTE* info) override;

    STDMETHODIMP GetAttributeCountEx(WORD stream, WORD* count) override;
    STDMETHODIMP GetAttributeIndices(WORD stream, LPCWSTR name, WORD* language, WORD* indices,
                                     WORD* count) override;
    STDMETHODIMP GetAttributeByIndexEx(WORD stream, WORD index, LPWSTR name, WORD* nameLength,
                                       WMT_ATTR_DATATYPE* type, WORD* language, BYTE* value,
                                       DWORD* length) override;
    STDMETHODIMP ModifyAttribute(WORD stream, WORD index, WMT_ATTR_DATATYPE type, WORD language,
                                 const BYTE* value, DWORD length) override;
    STDMETHODIMP AddAttribute(WORD stream, LPCWSTR name, WORD* index, WMT_ATTR_DATATYPE type,
                              WORD language, const BYTE* value, DWORD length) override;
    STDMETHODIMP DeleteAttribute(WORD stream, WORD index) override;
    STDMETHODIMP AddCodecInfo(LPCWSTR_WMSDK_TYPE_SAFE name, LPCWSTR_WMSDK_TYPE_SAFE description,
                              WMT_CODEC_INFO_TYPE type, WORD infoLength, BYTE* info) override;

private:
    // The index-th attribute of a stream (0 = file level), or null.
    const asf::AsfAttribute* Nth(WORD stream, size_t index) const;
    size_t Count(WORD stream) const;

    IUnknown* owner_;  // not counted: the face lives inside its owner
    const asf::AsfHeader* header_ = nullptr;
};

}  // namespace orvane::wmv
