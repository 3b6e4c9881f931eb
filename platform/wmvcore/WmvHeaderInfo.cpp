// Attribute, marker and codec queries over the parsed header.
#include "platform/wmvcore/WmvHeaderInfo.h"

#include <cstring>
#include <limits>

#include "platform/wmvcore/WmvCommon.h"

namespace orvane::wmv {

namespace {

template <typename Length>
HRESULT CopyValue(const std::vector<uint8_t>& value, BYTE* out, Length* length)
{
    if (length == nullptr) {
        return E_POINTER;
    }
    if (value.size() > std::numeric_limits<Length>::max()) {
        return kAsfBufferTooSmall;
    }
    if (out == nullptr) {
        *length = static_cast<Length>(value.size());
        return S_OK;
    }
    if (*length < value.size()) {
        *length = static_cast<Length>(value.size());
        return kAsfBufferTooSmall;
    }
    if (!value.empty()) {
        std::memcpy(out, value.data(), value.size());
    }
    *length = static_cast<Length>(value.size());
    return S_OK;
}

// "WM/UserWebURL" and "WM/UserText" are handed out as the runtime's structure: two text
// pointers (description, then URL or text) followed by the texts, the pointers aimed into the
// caller's own buffer. The file stores the texts one after the other; a single text is the
// second member. Handing out the stored bytes instead would give callers garbage pointers.
bool IsTextPair(const asf::AsfAttribute& a)
{
    return a.type == asf::AsfAttrType::kBinary &&
           (a.name == u"WM/UserWebURL" || a.name == u"WM/UserText");
}

std::vector<uint8_t> TextPairValue(const std::vector<uint8_t>& stored, size_t* secondOffset)
{
    std::u16string texts[2];
    int which = 0;
    for (size_t i = 0; i + 1 < stored.size() && which < 2; i += 2) {
        const char16_t c = static_cast<char16_t>(stored[i] | stored[i + 1] << 8);
        if (c == 0) {
            ++which;
        } else {
            texts[which].push_back(c);
        }
    }
    if (texts[1].empty()) {
        std::swap(texts[0], texts[1]);
    }
    const size_t first = 2 * sizeof(WCHAR*);
    *secondOffset = first + (texts[0].size() + 1) * 2;
    std::vector<uint8_t> value(*secondOffset + (texts[1].size() + 1) * 2, 0);
    std::memcpy(value.data() + first, texts[0].data(), texts[0].size() * 2);
    std::memcpy(value.data() + *secondOffset, texts[1].data(), texts[1].size() * 2);
    return value;
}

template <typename Length>
HRESULT CopyAttribute(const asf::AsfAttribute& a, BYTE* out, Length* length)
{
    if (!IsTextPair(a)) {
        return CopyValue(a.value, out, length);
    }
    size_t second = 0;
    const std::vector<uint8_t> value = TextPairValue(a.value, &second);
    const HRESULT hr = CopyValue(value, out, length);
    if (hr == S_OK && out != nullptr) {
        WCHAR* pointers[2] = {reinterpret_cast<WCHAR*>(out + 2 * sizeof(WCHAR*)),
                              reinterpret_cast<WCHAR*>(out + second)};
        std::memcpy(out, pointers, sizeof(pointers));
    }
    return hr;
}

}  // namespace

STDMETHODIMP WmvHeaderInfo::QueryInterface(REFIID iid, void** out)
{
    return owner_->QueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) WmvHeaderInfo::AddRef() { return owner_->AddRef(); }
// Refcounting: a part of the reader shares its owner's count.
STDMETHODIMP_(ULONG) WmvHeaderInfo::Release() { return owner_->Release(); }

size_t WmvHeaderInfo::Count(WORD stream) const
{
    size_t n = 0;
    for (const asf::AsfAttribute& a : header_->attributes) {
        n += a.stream == stream;
    }
    return n;
}

const asf::AsfAttribute* WmvHeaderInfo::Nth(WORD stream, size_t index) const
{
    for (const asf::AsfAttribute& a : header_->attributes) {
        if (a.stream == stream && index-- == 0) {
            return &a;
        }
    }
    return nullptr;
}

STDMETHODIMP WmvHeaderInfo::GetAttributeCount(WORD stream, WORD* count)
{
    return GetAttributeCountEx(stream, count);
}

STDMETHODIMP WmvHeaderInfo::GetAttributeCountEx(WORD stream, WORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    if (header_ == nullptr) {
        return NS_E_INVALID_REQUEST;
    }
    *count = static_cast<WORD>(std::min<size_t>(Count(stream), 0xFFFF));
    return S_OK;
}

STDMETHODIMP WmvHeaderInfo::GetAttributeByIndex(WORD index, WORD* stream, WCHAR* name,
                                                WORD* nameLength, WMT_ATTR_DATATYPE* type,
                                                BYTE* value, WORD* length)
{
    if (stream == nullptr || nameLength == nullptr || type == nullptr || length == nullptr) {
        return E_POINTER;
    }
    if (header_ == nullptr) {
        return NS_E_INVALID_REQUEST;
    }
    const asf::AsfAttribute* a = Nth(*stream, index);
    if (a == nullptr) {
        return E_INVALIDARG;
    }
    HRESULT hr = CopyText(a->name, name, nameLength);
    if (FAILED(hr)) {
        return hr;
    }
    *type = static_cast<WMT_ATTR_DATATYPE>(a->type);
    return CopyAttribute(*a, value, length);
}

STDMETHODIMP WmvHeaderInfo::GetAttributeByName(WORD* stream, LPCWSTR name,
                                               WMT_ATTR_DATATYPE* type, BYTE* value,
                                               WORD* length)
{
    if (stream == nullptr || name == nullptr || type == nullptr || length == nullptr) {
        return E_POINTER;
    }
    if (header_ == nullptr) {
        return NS_E_INVALID_REQUEST;
    }
    const std::u16string wanted = FromWide(name);
    for (const asf::AsfAttribute& a : header_->attributes) {
        if (a.stream == *stream && a.name == wanted) {
            *type = static_cast<WMT_ATTR_DATATYPE>(a.type);
            return CopyAttribute(a, value, length);
        }
    }
    return kAsfNotFound;
}

STDMETHODIMP WmvHeaderInfo::GetAttributeByIndexEx(WORD stream, WORD index, LPWSTR name,
                                                  WORD* nameLength, WMT_ATTR_DATATYPE* type,
                                                  WORD* language, BYTE* value, DWORD* length)
{
    if (nameLength == nullptr || type == nullptr || length == nullptr) {
        return E_POINTER;
    }
    if (header_ == nullptr) {
        return NS_E_INVALID_REQUEST;
    }
    const asf::AsfAttribute* a = Nth(stream, index);
    if (a == nullptr) {
        return E_INVALIDARG;
    }
    HRESULT hr = CopyText(a->name, name, nameLength);
    if (FAILED(hr)) {
        return hr;
    }
    *type = static_cast<WMT_ATTR_DATATYPE>(a->type);
    if (language != nullptr) {
        *language = a->language;
    }
    return CopyAttribute(*a, value, length);
}

STDMETHODIMP WmvHeaderInfo::GetAttributeIndices(WORD stream, LPCWSTR name, WORD* language,
                                                WORD* indices, WORD* count)
{
    return Guarded([&]() -> HRESULT {
        if (name == nullptr || count == nullptr) {
            return E_POINTER;
        }
        if (header_ == nullptr) {
            return NS_E_INVALID_REQUEST;
        }
        const std::u16string wanted = FromWide(name);
        std::vector<WORD> found;
        WORD index = 0;
        for (const asf::AsfAttribute& a : header_->attributes) {
            if (a.stream != stream) {
                continue;
            }
            if (a.name == wanted && (language == nullptr || *language == a.language)) {
                found.push_back(index);
            }
            ++index;
        }
        if (indices == nullptr) {
            *count = static_cast<WORD>(found.size());
            return S_OK;
        }
        if (*count < found.size()) {
            *count = static_cast<WORD>(found.size());
            return kAsfBufferTooSmall;
        }
        std::copy(found.begin(), found.end(), indices);
        *count = static_cast<WORD>(found.size());
        return S_OK;
    });
}

STDMETHODIMP WmvHeaderInfo::GetMarkerCount(WORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    if (header_ == nullptr) {
        return NS_E_INVALID_REQUEST;
    }
    *count = static_cast<WORD>(header_->markers.size());
    return S_OK;
}

STDMETHODIMP WmvHeaderInfo::GetMarker(WORD index, WCHAR* name, WORD* nameLength, QWORD* time)
{
    if (nameLength == nullptr || time == nullptr) {
        return E_POINTER;
    }
    if (header_ == nullptr) {
        return NS_E_INVALID_REQUEST;
    }
    if (index >= header_->markers.size()) {
        return E_INVALIDARG;
    }
    const asf::AsfMarker& m = header_->markers[index];
    *time = m.time;
    return CopyText(m.name, name, nameLength);
}

STDMETHODIMP WmvHeaderInfo::GetScriptCount(WORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return header_ == nullptr ? NS_E_INVALID_REQUEST : S_OK;
}

STDMETHODIMP WmvHeaderInfo::GetScript(WORD, WCHAR*, WORD*, WCHAR*, WORD*, QWORD*)
{
    return E_INVALIDARG;
}

STDMETHODIMP WmvHeaderInfo::GetCodecInfoCount(DWORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    if (header_ == nullptr) {
        return NS_E_INVALID_REQUEST;
    }
    *count = static_cast<DWORD>(header_->codecs.size());
    return S_OK;
}

STDMETHODIMP WmvHeaderInfo::GetCodecInfo(DWORD index, WORD* nameLength, WCHAR* name,
                                         WORD* descriptionLength, WCHAR* description,
                                         WMT_CODEC_INFO_TYPE* type, WORD* infoLength, BYTE* info)
{
    if (header_ == nullptr) {
        return NS_E_INVALID_REQUEST;
    }
    if (index >= header_->codecs.size()) {
        return E_INVALIDARG;
    }
    if (type == nullptr) {
        return E_POINTER;
    }
    const asf::AsfCodec& c = header_->codecs[index];
    HRESULT hr = CopyText(c.name, name, nameLength);
    if (SUCCEEDED(hr)) {
        hr = CopyText(c.description, description, descriptionLength);
    }
    if (SUCCEEDED(hr)) {
        hr = CopyValue(c.info, info, infoLength);
    }
    *type = c.type == 1 ? WMT_CODECINFO_VIDEO
                        : (c.type == 2 ? WMT_CODECINFO_AUDIO : WMT_CODECINFO_UNKNOWN);
    return hr;
}

// Editing: this runtime stand-in reads presentations and never rewrites them.
STDMETHODIMP WmvHeaderInfo::SetAttribute(WORD, LPCWSTR, WMT_ATTR_DATATYPE, const BYTE*, WORD)
{
    return NS_E_INVALID_REQUEST;
}

STDMETHODIMP WmvHeaderInfo::AddMarker(LPCWSTR_WMSDK_TYPE_SAFE, QWORD)
{
    return NS_E_INVALID_REQUEST;
}

STDMETHODIMP WmvHeaderInfo::RemoveMarker(WORD) { return NS_E_INVALID_REQUEST; }
STDMETHODIMP WmvHeaderInfo::AddScript(LPCWSTR_WMSDK_TYPE_SAFE, LPCWSTR_WMSDK_TYPE_SAFE, QWORD)
{
    return NS_E_INVALID_REQUEST;
}

STDMETHODIMP WmvHeaderInfo::RemoveScript(WORD) { return NS_E_INVALID_REQUEST; }
STDMETHODIMP WmvHeaderInfo::ModifyAttribute(WORD, WORD, WMT_ATTR_DATATYPE, WORD, const BYTE*, DWORD)
{
    return NS_E_INVALID_REQUEST;
}

STDMETHODIMP WmvHeaderInfo::AddAttribute(WORD, LPCWSTR, WORD*, WMT_ATTR_DATATYPE, WORD,
                                         const BYTE*, DWORD)
{
    return NS_E_INVALID_REQUEST;
}

STDMETHODIMP WmvHeaderInfo::DeleteAttribute(WORD, WORD) { return NS_E_INVALID_REQUEST; }
STDMETHODIMP WmvHeaderInfo::AddCodecInfo(LPCWSTR_WMSDK_TYPE_SAFE, LPCWSTR_WMSDK_TYPE_SAFE,
                                         WMT_CODEC_INFO_TYPE, WORD, BYTE*)
{
    return NS_E_INVALID_REQUEST;
}

}  // namespace orvane::wmv
