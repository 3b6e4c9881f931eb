// Media type blobs and audio format descriptions from the Windows Media runtime.
#include "Common/WmFormatHelpers.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"
#include "platform/base/CComPtr.h"

#include <new>
#include <vector>

#include <uuids.h>

WM_MEDIA_TYPE* GetMediaTypeBlob(IWMMediaProps* props)
{
    TRACE_FUNCTION();
    if (!props) {
        return nullptr;
    }
    DWORD size = 0;
    if (FAILED(props->GetMediaType(nullptr, &size)) || size < sizeof(WM_MEDIA_TYPE)) {
        return nullptr;
    }
    BYTE* block = new (std::nothrow) BYTE[size];
    if (!block) {
        return nullptr;
    }
    auto* type = reinterpret_cast<WM_MEDIA_TYPE*>(block);
    if (FAILED(props->GetMediaType(type, &size))) {
        delete[] block;
        return nullptr;
    }
    // The format block must lie inside what the runtime wrote.
    if (type->cbFormat && (!type->pbFormat || type->pbFormat < block + sizeof(WM_MEDIA_TYPE) ||
                           type->pbFormat + type->cbFormat > block + size)) {
        type->cbFormat = 0;
        type->pbFormat = nullptr;
    }
    return type;
}

void FreeMediaTypeBlob(WM_MEDIA_TYPE* blob)
{
    TRACE_FUNCTION();
    delete[] reinterpret_cast<BYTE*>(blob);
}

BOOL GetAudioFormatDesc(IWMCodecInfo3* info, DWORD codec, DWORD format, wchar_t (&out)[128])
{
    TRACE_FUNCTION();
    out[0] = L'\0';
    if (!info) {
        return FALSE;
    }
    DWORD chars = 0;
    if (FAILED(info->GetCodecFormatDesc(MEDIATYPE_Audio, codec, format, nullptr, nullptr,
                                        &chars)) ||
        chars == 0) {
        return FALSE;
    }
    std::vector<wchar_t> text(chars + 1, L'\0');
    CComPtr<IWMStreamConfig> config;
    const HRESULT hr =
        info->GetCodecFormatDesc(MEDIATYPE_Audio, codec, format, &config, text.data(), &chars);
    if (FAILED(hr)) {
        return FALSE;
    }
    text[text.size() - 1] = L'\0';
    lstrcpynW(out, text.data(), 128);
    return TRUE;
}
