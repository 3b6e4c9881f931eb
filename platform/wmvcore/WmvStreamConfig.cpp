// Stream configuration and media type of one ASF stream.
#include "platform/wmvcore/WmvStreamConfig.h"

#include <cstring>
#include <new>

#include "platform/wmvcore/WmvCommon.h"
#include "platform/wmvcore/WmvGuids.h"

namespace orvane::wmv {

namespace {

// FourCC and wave-tag subtypes share one base GUID.
GUID SubtypeFromCode(DWORD code)
{
    GUID g = {code, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    return g;
}

}  // namespace

WmvStreamConfig::WmvStreamConfig(const asf::AsfStream& stream) : stream_(stream)
{
    connection_ = stream.name;
}

WmvStreamConfig* WmvStreamConfig::Create(const asf::AsfStream& stream)
{
    return new (std::nothrow) WmvStreamConfig(stream);
}

GUID WmvStreamConfig::MajorType(const asf::AsfStream& stream)
{
    switch (stream.kind) {
    case asf::AsfStreamKind::kAudio: return guids::kMediaTypeAudio;
    case asf::AsfStreamKind::kVideo: return guids::kMediaTypeVideo;
    case asf::AsfStreamKind::kCommand: return guids::kMediaTypeScript;
    case asf::AsfStreamKind::kOther: break;
    }
    return guids::kMediaTypeFileTransfer;
}

std::vector<uint8_t> WmvStreamConfig::BuildMediaType(const asf::AsfStream& stream)
{
    WM_MEDIA_TYPE mt = {};
    mt.majortype = MajorType(stream);
    std::vector<uint8_t> format;
    if (stream.kind == asf::AsfStreamKind::kVideo) {
        // VIDEOINFOHEADER with the file's BITMAPINFOHEADER and its codec data behind it.
        guids::VideoInfoPrefix vih = {};
        vih.source = {0, 0, LONG(stream.width), LONG(stream.height)};
        vih.target = vih.source;
        vih.bitRate = stream.bitrate;
        vih.averageTimePerFrame = static_cast<LONGLONG>(stream.averageTimePerFrame);
        const size_t before = sizeof(vih);
        format.resize(before + stream.bitmapInfo.size());
        std::memcpy(format.data(), &vih, before);
        std::memcpy(format.data() + before, stream.bitmapInfo.data(), stream.bitmapInfo.size());
        BITMAPINFOHEADER bih;
        std::memcpy(&bih, stream.bitmapInfo.data(), sizeof(bih));
        mt.subtype = SubtypeFromCode(bih.biCompression);
        mt.bTemporalCompression = TRUE;
        mt.formattype = guids::kFormatVideoInfo;
    } else if (stream.kind == asf::AsfStreamKind::kAudio) {
        format = stream.typeData;
        WORD tag = 0;
        WORD align = 0;
        std::memcpy(&tag, format.data(), 2);
        std::memcpy(&align, format.data() + 12, 2);
        mt.subtype = SubtypeFromCode(tag);
        mt.bFixedSizeSamples = TRUE;
        mt.lSampleSize = align;
        mt.formattype = guids::kFormatWaveFormatEx;
    } else if (stream.kind == asf::AsfStreamKind::kCommand) {
        mt.subtype = guids::kScriptTypeTwoStrings;
        mt.formattype = guids::kFormatScript;
    }
    mt.cbFormat = static_cast<ULONG>(format.size());
    std::vector<uint8_t> block(sizeof(WM_MEDIA_TYPE) + format.size());
    std::memcpy(block.data(), &mt, sizeof(mt));
    if (!format.empty()) {
        std::memcpy(block.data() + sizeof(WM_MEDIA_TYPE), format.data(), format.size());
    }
    return block;
}

STDMETHODIMP WmvStreamConfig::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IWMStreamConfig) {
        *out = static_cast<IWMStreamConfig*>(this);
    } else if (iid == IID_IWMMediaProps) {
        *out = static_cast<IWMMediaProps*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) WmvStreamConfig::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) WmvStreamConfig::Release()
{
    const ULONG n = --refs_;
    if (n == 0) {
        delete this;
    }
    return n;
}

STDMETHODIMP WmvStreamConfig::GetStreamType(GUID* type)
{
    if (type == nullptr) {
        return E_POINTER;
    }
    *type = MajorType(stream_);
    return S_OK;
}

STDMETHODIMP WmvStreamConfig::GetStreamNumber(WORD* number)
{
    if (number == nullptr) {
        return E_POINTER;
    }
    *number = stream_.number;
    return S_OK;
}

STDMETHODIMP WmvStreamConfig::SetStreamNumber(WORD number)
{
    if (number == 0 || number > 127) {
        return E_INVALIDARG;
    }
    stream_.number = number;
    return S_OK;
}

STDMETHODIMP WmvStreamConfig::GetStreamName(WCHAR* name, WORD* length)
{
    return CopyText(stream_.name, name, length);
}

STDMETHODIMP WmvStreamConfig::SetStreamName(LPCWSTR_WMSDK_TYPE_SAFE name)
{
    stream_.name = FromWide(name);
    return S_OK;
}

STDMETHODIMP WmvStreamConfig::GetConnectionName(WCHAR* name, WORD* length)
{
    return CopyText(connection_, name, length);
}

STDMETHODIMP WmvStreamConfig::SetConnectionName(LPCWSTR_WMSDK_TYPE_SAFE name)
{
    connection_ = FromWide(name);
    return S_OK;
}

STDMETHODIMP WmvStreamConfig::GetBitrate(DWORD* bitrate)
{
    if (bitrate == nullptr) {
        return E_POINTER;
    }
    *bitrate = stream_.bitrate != 0 ? stream_.bitrate : stream_.averageBytesPerSecond * 8;
    return S_OK;
}

STDMETHODIMP WmvStreamConfig::SetBitrate(DWORD bitrate)
{
    stream_.bitrate = bitrate;
    return S_OK;
}

STDMETHODIMP WmvStreamConfig::GetBufferWindow(DWORD* window)
{
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = stream_.bufferWindow;
    return S_OK;
}

STDMETHODIMP WmvStreamConfig::SetBufferWindow(DWORD window)
{
    stream_.bufferWindow = window;
    return S_OK;
}

STDMETHODIMP WmvStreamConfig::GetType(GUID* type) { return GetStreamType(type); }

STDMETHODIMP WmvStreamConfig::GetMediaType(WM_MEDIA_TYPE* type, DWORD* size)
{
    return Guarded([&]() -> HRESULT {
        if (size == nullptr) {
            return E_POINTER;
        }
        const std::vector<uint8_t> block = BuildMediaType(stream_);
        if (type == nullptr) {
            *size = static_cast<DWORD>(block.size());
            return S_OK;
        }
        if (*size < block.size()) {
            *size = static_cast<DWORD>(block.size());
            return kAsfBufferTooSmall;
        }
        std::memcpy(type, block.data(), block.size());
        type->pUnk = nullptr;
        type->pbFormat = type->cbFormat ? reinterpret_cast<BYTE*>(type + 1) : nullptr;
        *size = static_cast<DWORD>(block.size());
        return S_OK;
    });
}

STDMETHODIMP WmvStreamConfig::SetMediaType(WM_MEDIA_TYPE* type)
{
    // The file's format is what it is: reading never converts it.
    return type == nullptr ? E_POINTER : NS_E_INVALID_REQUEST;
}

}  // namespace orvane::wmv
