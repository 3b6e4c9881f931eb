#include "platform/wmvdecdmo/WmvDecoderDmo.h"

#include <amvideo.h>
#include <dvdmedia.h>
#include <uuids.h>

#include <cstdlib>
#include <new>

namespace {

// Stream flags of the DMO interface that mingw's mediaobj.h leaves out.
constexpr DWORD kInputWholeSamples = 0x1;
constexpr DWORD kInputSingleSamplePerBuffer = 0x2;
constexpr DWORD kOutputWholeSamples = 0x1;
constexpr DWORD kOutputSingleSamplePerBuffer = 0x2;
constexpr DWORD kOutputFixedSampleSize = 0x4;

// The subtype GUID of a FourCC: the FourCC in the first field of the common base GUID.
constexpr GUID FourCcGuid(DWORD fourcc)
{
    return GUID{fourcc, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

constexpr DWORD FourCc(const char (&text)[5])
{
    return static_cast<DWORD>(static_cast<BYTE>(text[0])) |
           (static_cast<DWORD>(static_cast<BYTE>(text[1])) << 8) |
           (static_cast<DWORD>(static_cast<BYTE>(text[2])) << 16) |
           (static_cast<DWORD>(static_cast<BYTE>(text[3])) << 24);
}

bool IsFourCcGuid(const GUID& guid)
{
    const GUID base = FourCcGuid(0);
    return guid.Data2 == base.Data2 && guid.Data3 == base.Data3 &&
           memcmp(guid.Data4, base.Data4, sizeof base.Data4) == 0;
}

constexpr DWORD kYV12 = FourCc("YV12");
constexpr DWORD kI420 = FourCc("I420");
constexpr DWORD kIYUV = FourCc("IYUV");

// Output types in the order of preference offered to the downstream filter.
struct OutputChoice {
    const GUID* subtype;
    PictureWriter::Layout layout;
    DWORD compression;
};
const GUID kSubtypeYV12 = FourCcGuid(kYV12);
const GUID kSubtypeI420 = FourCcGuid(kI420);
const GUID kSubtypeIYUV = FourCcGuid(kIYUV);
const OutputChoice kOutputs[] = {
    {&kSubtypeYV12, PictureWriter::Layout::YV12, kYV12},
    {&kSubtypeI420, PictureWriter::Layout::I420, kI420},
    {&kSubtypeIYUV, PictureWriter::Layout::I420, kIYUV},
    {&MEDIASUBTYPE_RGB32, PictureWriter::Layout::RGB32, BI_RGB},
    {&MEDIASUBTYPE_RGB24, PictureWriter::Layout::RGB24, BI_RGB},
    {&MEDIASUBTYPE_RGB555, PictureWriter::Layout::RGB555, BI_RGB},
};

bool IsPlanar(PictureWriter::Layout layout)
{
    return layout == PictureWriter::Layout::YV12 || layout == PictureWriter::Layout::I420;
}

// Planar rows need an even length for their half-width chroma rows.
int StrideWidthFor(PictureWriter::Layout layout, int width)
{
    return IsPlanar(layout) ? (width + 1) & ~1 : width;
}

}  // namespace

const wchar_t WmvDecoderDmo::kName[] = L"WMVideo Decoder DMO";
const CLSID WmvDecoderDmo::kClassId = {
    0x82d353df, 0x90bd, 0x4382, {0x8b, 0xc2, 0x3f, 0x61, 0x92, 0xb7, 0x6e, 0x34}};

const DMO_PARTIAL_MEDIATYPE WmvDecoderDmo::kInputTypes[] = {
    {MEDIATYPE_Video, FourCcGuid(FourCc("WMV1"))},
    {MEDIATYPE_Video, FourCcGuid(FourCc("WMV2"))},
    {MEDIATYPE_Video, FourCcGuid(FourCc("WMV3"))},
    {MEDIATYPE_Video, FourCcGuid(FourCc("WVC1"))},
    {MEDIATYPE_Video, FourCcGuid(FourCc("WMVA"))},
};
const DWORD WmvDecoderDmo::kInputTypeCount = sizeof kInputTypes / sizeof kInputTypes[0];

const DMO_PARTIAL_MEDIATYPE WmvDecoderDmo::kOutputTypes[] = {
    {MEDIATYPE_Video, FourCcGuid(kYV12)},
    {MEDIATYPE_Video, FourCcGuid(kI420)},
    {MEDIATYPE_Video, FourCcGuid(kIYUV)},
    {MEDIATYPE_Video, MEDIASUBTYPE_RGB32},
    {MEDIATYPE_Video, MEDIASUBTYPE_RGB24},
    {MEDIATYPE_Video, MEDIASUBTYPE_RGB555},
};
const DWORD WmvDecoderDmo::kOutputTypeCount = sizeof kOutputTypes / sizeof kOutputTypes[0];

WmvDecoderDmo* WmvDecoderDmo::Create(IUnknown* outer)
{
    return new (std::nothrow) WmvDecoderDmo(outer);
}

WmvDecoderDmo::WmvDecoderDmo(IUnknown* outer) : CUnknown(L"WMV decoder DMO", outer) {}

WmvDecoderDmo::~WmvDecoderDmo()
{
    MoFreeMediaType(&m_inputType);
    MoFreeMediaType(&m_outputType);
}

STDMETHODIMP WmvDecoderDmo::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr) {
        return E_POINTER;
    }
    if (riid == IID_IMediaObject) {
        return GetInterface(static_cast<IMediaObject*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

std::optional<WmvDecoderDmo::InputFormat> WmvDecoderDmo::ParseInput(const DMO_MEDIA_TYPE& type)
{
    if (type.majortype != MEDIATYPE_Video || !IsFourCcGuid(type.subtype) ||
        !AvVideoDecoder::Supports(type.subtype.Data1) || type.pbFormat == nullptr) {
        return std::nullopt;
    }
    const BITMAPINFOHEADER* header = nullptr;
    REFERENCE_TIME frameTime = 0;
    if (type.formattype == FORMAT_VideoInfo && type.cbFormat >= sizeof(VIDEOINFOHEADER)) {
        const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
        header = &info->bmiHeader;
        frameTime = info->AvgTimePerFrame;
    } else if (type.formattype == FORMAT_VideoInfo2 &&
               type.cbFormat >= sizeof(VIDEOINFOHEADER2)) {
        const auto* info = reinterpret_cast<const VIDEOINFOHEADER2*>(type.pbFormat);
        header = &info->bmiHeader;
        frameTime = info->AvgTimePerFrame;
    } else {
        return std::nullopt;
    }
    if (header->biSize < sizeof(BITMAPINFOHEADER) || header->biWidth <= 0 ||
        header->biHeight == 0) {
        return std::nullopt;
    }
    InputFormat format;
    format.fourcc = type.subtype.Data1;
    format.width = header->biWidth;
    format.height = std::abs(header->biHeight);
    format.frameTime = frameTime > 0 ? frameTime : 0;
    // The codec's private data follows the bitmap header inside biSize; never read past the
    // format block, whatever biSize claims.
    const size_t headerOffset =
        reinterpret_cast<const BYTE*>(header) - reinterpret_cast<const BYTE*>(type.pbFormat);
    const size_t available = type.cbFormat - headerOffset;
    const size_t end = header->biSize < available ? header->biSize : available;
    if (end > sizeof(BITMAPINFOHEADER)) {
        format.extra = reinterpret_cast<const BYTE*>(header) + sizeof(BITMAPINFOHEADER);
        format.extraSize = end - sizeof(BITMAPINFOHEADER);
    }
    return format;
}

std::optional<PictureWriter> WmvDecoderDmo::ParseOutput(const DMO_MEDIA_TYPE& type) const
{
    if (!m_hasInput || type.majortype != MEDIATYPE_Video ||
        type.formattype != FORMAT_VideoInfo || type.cbFormat < sizeof(VIDEOINFOHEADER) ||
        type.pbFormat == nullptr) {
        return std::nullopt;
    }
    const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
    const BITMAPINFOHEADER& header = info->bmiHeader;
    for (const OutputChoice& choice : kOutputs) {
        if (type.subtype != *choice.subtype) {
            continue;
        }
        const bool planar = IsPlanar(choice.layout);
        if ((!planar && header.biBitCount != PictureWriter::BitCount(choice.layout)) ||
            std::abs(header.biHeight) != m_input.height || header.biWidth < m_input.width) {
            return std::nullopt;
        }
        PictureWriter writer;
        // YUV rows are always stored top-down; RGB rows bottom-up unless the height is negative.
        if (!writer.Configure(choice.layout, m_input.width, header.biWidth, m_input.height,
                              !planar && header.biHeight > 0)) {
            return std::nullopt;
        }
        return writer;
    }
    return std::nullopt;
}

HRESULT WmvDecoderDmo::MakeOutputType(DWORD typeIndex, DMO_MEDIA_TYPE* type) const
{
    const OutputChoice& choice = kOutputs[typeIndex];
    const int strideWidth = StrideWidthFor(choice.layout, m_input.width);
    PictureWriter writer;
    if (!writer.Configure(choice.layout, m_input.width, strideWidth, m_input.height,
                          !IsPlanar(choice.layout))) {
        return E_FAIL;
    }
    HRESULT hr = MoInitMediaType(type, sizeof(VIDEOINFOHEADER));
    if (FAILED(hr)) {
        return hr;
    }
    type->majortype = MEDIATYPE_Video;
    type->subtype = *choice.subtype;
    type->bFixedSizeSamples = TRUE;
    type->bTemporalCompression = FALSE;
    type->lSampleSize = writer.ImageSize();
    type->formattype = FORMAT_VideoInfo;
    auto* info = reinterpret_cast<VIDEOINFOHEADER*>(type->pbFormat);
    memset(info, 0, sizeof *info);
    SetRect(&info->rcSource, 0, 0, m_input.width, m_input.height);
    info->rcTarget = info->rcSource;
    info->AvgTimePerFrame = m_input.frameTime;
    BITMAPINFOHEADER& header = info->bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = strideWidth;
    header.biHeight = m_input.height;
    header.biPlanes = 1;
    header.biBitCount = PictureWriter::BitCount(choice.layout);
    header.biCompression = choice.compression;
    header.biSizeImage = writer.ImageSize();
    if (m_input.frameTime > 0) {
        info->dwBitRate = static_cast<DWORD>(static_cast<double>(writer.ImageSize()) * 8 *
                                             10000000.0 / static_cast<double>(m_input.frameTime));
    }
    return S_OK;
}

void WmvDecoderDmo::ClearOutput()
{
    if (m_hasOutput) {
        MoFreeMediaType(&m_outputType);
        m_outputType = DMO_MEDIA_TYPE{};
        m_hasOutput = false;
    }
}

void WmvDecoderDmo::Prefetch()
{
    // A picture stamped before zero lies before the start of the segment: it is one the
    // decoder needed on its way from the key frame to a new position, and its compressed
    // sample came marked as preroll. The DMO interface carries no such mark to the output,
    // and a paused renderer would show it in place of the picture at the position, so it is
    // decoded (the next pictures depend on it) and dropped here.
    for (;;) {
        m_hasPicture = m_decoder.Receive(&m_picture) == S_OK;
        if (!m_hasPicture || !m_picture.hasTime || m_picture.time >= 0) {
            return;
        }
    }
}

STDMETHODIMP WmvDecoderDmo::GetStreamCount(DWORD* inputs, DWORD* outputs)
{
    if (inputs == nullptr || outputs == nullptr) {
        return E_POINTER;
    }
    *inputs = 1;
    *outputs = 1;
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::GetInputStreamInfo(DWORD index, DWORD* flags)
{
    if (index != 0) {
        return DMO_E_INVALIDSTREAMINDEX;
    }
    if (flags == nullptr) {
        return E_POINTER;
    }
    *flags = kInputWholeSamples | kInputSingleSamplePerBuffer;
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::GetOutputStreamInfo(DWORD index, DWORD* flags)
{
    if (index != 0) {
        return DMO_E_INVALIDSTREAMINDEX;
    }
    if (flags == nullptr) {
        return E_POINTER;
    }
    *flags = kOutputWholeSamples | kOutputSingleSamplePerBuffer | kOutputFixedSampleSize;
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::GetInputType(DWORD index, DWORD typeIndex, DMO_MEDIA_TYPE* type)
{
    if (index != 0) {
        return DMO_E_INVALIDSTREAMINDEX;
    }
    if (typeIndex >= kInputTypeCount) {
        return DMO_E_NO_MORE_ITEMS;
    }
    if (type == nullptr) {
        return S_OK;
    }
    const HRESULT hr = MoInitMediaType(type, 0);
    if (FAILED(hr)) {
        return hr;
    }
    type->majortype = kInputTypes[typeIndex].type;
    type->subtype = kInputTypes[typeIndex].subtype;
    type->bTemporalCompression = TRUE;
    type->formattype = GUID_NULL;
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::GetOutputType(DWORD index, DWORD typeIndex, DMO_MEDIA_TYPE* type)
{
    CAutoLock hold(&m_lock);
    if (index != 0) {
        return DMO_E_INVALIDSTREAMINDEX;
    }
    if (!m_hasInput) {
        return DMO_E_TYPE_NOT_SET;
    }
    if (typeIndex >= sizeof kOutputs / sizeof kOutputs[0]) {
        return DMO_E_NO_MORE_ITEMS;
    }
    return type == nullptr ? S_OK : MakeOutputType(typeIndex, type);
}

STDMETHODIMP WmvDecoderDmo::SetInputType(DWORD index, const DMO_MEDIA_TYPE* type, DWORD flags)
{
    CAutoLock hold(&m_lock);
    if (index != 0) {
        return DMO_E_INVALIDSTREAMINDEX;
    }
    if ((flags & DMO_SET_TYPEF_CLEAR) != 0) {
        ClearOutput();
        m_decoder.Close();
        m_hasPicture = false;
        if (m_hasInput) {
            MoFreeMediaType(&m_inputType);
            m_inputType = DMO_MEDIA_TYPE{};
            m_hasInput = false;
        }
        return S_OK;
    }
    if (type == nullptr) {
        return E_POINTER;
    }
    const std::optional<InputFormat> format = ParseInput(*type);
    if (!format) {
        return DMO_E_TYPE_NOT_ACCEPTED;
    }
    if ((flags & DMO_SET_TYPEF_TEST_ONLY) != 0) {
        // The decoder must accept the private data too.
        AvVideoDecoder trial;
        return trial.Open(format->fourcc, format->width, format->height, format->extra,
                          format->extraSize) == S_OK
                   ? S_OK
                   : DMO_E_TYPE_NOT_ACCEPTED;
    }
    DMO_MEDIA_TYPE copy{};
    HRESULT hr = MoCopyMediaType(&copy, type);
    if (FAILED(hr)) {
        return hr;
    }
    const std::optional<InputFormat> kept = ParseInput(copy);
    if (!kept || m_decoder.Open(kept->fourcc, kept->width, kept->height, kept->extra,
                                kept->extraSize) != S_OK) {
        MoFreeMediaType(&copy);
        // The old decoder was closed by the attempt: nothing is set any more.
        SetInputType(0, nullptr, DMO_SET_TYPEF_CLEAR);
        return DMO_E_TYPE_NOT_ACCEPTED;
    }
    if (m_hasInput) {
        MoFreeMediaType(&m_inputType);
    }
    m_inputType = copy;
    m_input = *kept;
    m_hasInput = true;
    m_hasPicture = false;
    ClearOutput();
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::SetOutputType(DWORD index, const DMO_MEDIA_TYPE* type, DWORD flags)
{
    CAutoLock hold(&m_lock);
    if (index != 0) {
        return DMO_E_INVALIDSTREAMINDEX;
    }
    if ((flags & DMO_SET_TYPEF_CLEAR) != 0) {
        ClearOutput();
        return S_OK;
    }
    if (type == nullptr) {
        return E_POINTER;
    }
    if (!m_hasInput) {
        return DMO_E_TYPE_NOT_SET;
    }
    const std::optional<PictureWriter> writer = ParseOutput(*type);
    if (!writer) {
        return DMO_E_TYPE_NOT_ACCEPTED;
    }
    if ((flags & DMO_SET_TYPEF_TEST_ONLY) != 0) {
        return S_OK;
    }
    DMO_MEDIA_TYPE copy{};
    const HRESULT hr = MoCopyMediaType(&copy, type);
    if (FAILED(hr)) {
        return hr;
    }
    ClearOutput();
    m_outputType = copy;
    m_writer = *writer;
    m_hasOutput = true;
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::GetInputCurrentType(DWORD index, DMO_MEDIA_TYPE* type)
{
    CAutoLock hold(&m_lock);
    if (index != 0) {
        return DMO_E_INVALIDSTREAMINDEX;
    }
    if (type == nullptr) {
        return E_POINTER;
    }
    return m_hasInput ? MoCopyMediaType(type, &m_inputType) : DMO_E_TYPE_NOT_SET;
}

STDMETHODIMP WmvDecoderDmo::GetOutputCurrentType(DWORD index, DMO_MEDIA_TYPE* type)
{
    CAutoLock hold(&m_lock);
    if (index != 0) {
        return DMO_E_INVALIDSTREAMINDEX;
    }
    if (type == nullptr) {
        return E_POINTER;
    }
    return m_hasOutput ? MoCopyMediaType(type, &m_outputType) : DMO_E_TYPE_NOT_SET;
}

STDMETHODIMP WmvDecoderDmo::GetInputSizeInfo(DWORD index, DWORD* size, DWORD* lookahead,
                                             DWORD* alignment)
{
    CAutoLock hold(&m_lock);
    if (index != 0) {
        return DMO_E_INVALIDSTREAMINDEX;
    }
    if (size == nullptr || lookahead == nullptr || alignment == nullptr) {
        return E_POINTER;
    }
    if (!m_hasInput) {
        return DMO_E_TYPE_NOT_SET;
    }
    // Whole compressed frames of any size.
    *size = 0;
    *lookahead = 0;
    *alignment = 1;
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::GetOutputSizeInfo(DWORD index, DWORD* size, DWORD* alignment)
{
    CAutoLock hold(&m_lock);
    if (index != 0) {
        return DMO_E_INVALIDSTREAMINDEX;
    }
    if (size == nullptr || alignment == nullptr) {
        return E_POINTER;
    }
    if (!m_hasOutput) {
        return DMO_E_TYPE_NOT_SET;
    }
    *size = m_writer.ImageSize();
    *alignment = 1;
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::GetInputMaxLatency(DWORD, REFERENCE_TIME*)
{
    return E_NOTIMPL;
}

STDMETHODIMP WmvDecoderDmo::SetInputMaxLatency(DWORD, REFERENCE_TIME)
{
    return E_NOTIMPL;
}

STDMETHODIMP WmvDecoderDmo::Flush()
{
    CAutoLock hold(&m_lock);
    m_decoder.Flush();
    m_hasPicture = false;
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::Discontinuity(DWORD index)
{
    CAutoLock hold(&m_lock);
    if (index != 0) {
        return DMO_E_INVALIDSTREAMINDEX;
    }
    if (!m_hasInput || !m_hasOutput) {
        return DMO_E_TYPE_NOT_SET;
    }
    // The pictures the decoder holds back for reordering come out now; with none held, it
    // takes input again at once.
    m_decoder.Drain();
    if (!m_hasPicture) {
        Prefetch();
    }
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::AllocateStreamingResources()
{
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::FreeStreamingResources()
{
    return Flush();
}

STDMETHODIMP WmvDecoderDmo::GetInputStatus(DWORD index, DWORD* flags)
{
    CAutoLock hold(&m_lock);
    if (index != 0) {
        return DMO_E_INVALIDSTREAMINDEX;
    }
    if (flags == nullptr) {
        return E_POINTER;
    }
    *flags = m_hasPicture ? 0 : DMO_INPUT_STATUSF_ACCEPT_DATA;
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::ProcessInput(DWORD index, IMediaBuffer* buffer, DWORD flags,
                                         REFERENCE_TIME time, REFERENCE_TIME)
{
    CAutoLock hold(&m_lock);
    if (index != 0) {
        return DMO_E_INVALIDSTREAMINDEX;
    }
    if (buffer == nullptr) {
        return E_POINTER;
    }
    if (!m_hasInput || !m_hasOutput) {
        return DMO_E_TYPE_NOT_SET;
    }
    if (m_hasPicture) {
        return DMO_E_NOTACCEPTING;
    }
    BYTE* data = nullptr;
    DWORD length = 0;
    HRESULT hr = buffer->GetBufferAndLength(&data, &length);
    if (FAILED(hr)) {
        return hr;
    }
    hr = m_decoder.Send(data, length, (flags & DMO_INPUT_DATA_BUFFERF_TIME) != 0, time);
    if (hr == E_FAIL) {
        return DMO_E_NOTACCEPTING;
    }
    if (FAILED(hr)) {
        return hr;
    }
    // Taken, whether or not a picture came of it (a damaged frame is dropped, the run-up to a
    // new position is not shown): the wrapper asks for output next and gets S_FALSE there.
    Prefetch();
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::ProcessOutput(DWORD flags, DWORD count,
                                          DMO_OUTPUT_DATA_BUFFER* buffers, DWORD* status)
{
    CAutoLock hold(&m_lock);
    if (status != nullptr) {
        *status = 0;
    }
    if (count != 1 || buffers == nullptr) {
        return E_INVALIDARG;
    }
    buffers[0].dwStatus = 0;
    if (!m_hasInput || !m_hasOutput) {
        return DMO_E_TYPE_NOT_SET;
    }
    if (!m_hasPicture) {
        Prefetch();
    }
    if (!m_hasPicture) {
        return S_FALSE;
    }
    IMediaBuffer* out = buffers[0].pBuffer;
    if (out == nullptr) {
        if ((flags & DMO_PROCESS_OUTPUT_DISCARD_WHEN_NO_BUFFER) == 0) {
            return E_POINTER;
        }
        Prefetch();
        buffers[0].dwStatus = m_hasPicture ? DMO_OUTPUT_DATA_BUFFERF_INCOMPLETE : 0;
        return S_OK;
    }
    BYTE* data = nullptr;
    DWORD used = 0;
    DWORD capacity = 0;
    HRESULT hr = out->GetBufferAndLength(&data, &used);
    if (SUCCEEDED(hr)) {
        hr = out->GetMaxLength(&capacity);
    }
    if (FAILED(hr)) {
        return hr;
    }
    if (used > capacity || !m_writer.Write(m_picture, data + used, capacity - used)) {
        return E_INVALIDARG;
    }
    hr = out->SetLength(used + m_writer.ImageSize());
    if (FAILED(hr)) {
        return hr;
    }
    // Every decoded picture stands on its own.
    DWORD done = DMO_OUTPUT_DATA_BUFFERF_SYNCPOINT;
    if (m_picture.hasTime) {
        done |= DMO_OUTPUT_DATA_BUFFERF_TIME;
        buffers[0].rtTimestamp = m_picture.time;
        if (m_input.frameTime > 0) {
            done |= DMO_OUTPUT_DATA_BUFFERF_TIMELENGTH;
            buffers[0].rtTimelength = m_input.frameTime;
        }
    }
    Prefetch();
    if (m_hasPicture) {
        done |= DMO_OUTPUT_DATA_BUFFERF_INCOMPLETE;
    }
    buffers[0].dwStatus = done;
    return S_OK;
}

STDMETHODIMP WmvDecoderDmo::Lock(LONG)
{
    return S_OK;
}
