// Synchronous reader over the demuxer.
#include "platform/wmvcore/WmvSyncReader.h"

#include <new>

#include "platform/wmvcore/WmvBuffer.h"
#include "platform/wmvcore/WmvCommon.h"

namespace orvane::wmv {

WmvSyncReader::WmvSyncReader() : headerInfo_(this), profile_(this) {}

WmvSyncReader::~WmvSyncReader() = default;

WmvSyncReader* WmvSyncReader::Create() { return new (std::nothrow) WmvSyncReader(); }

STDMETHODIMP WmvSyncReader::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IWMSyncReader) {
        *out = static_cast<IWMSyncReader*>(this);
    } else if (iid == IID_IWMHeaderInfo || iid == IID_IWMHeaderInfo2 ||
               iid == IID_IWMHeaderInfo3) {
        *out = static_cast<IWMHeaderInfo3*>(&headerInfo_);
    } else if (iid == IID_IWMProfile) {
        *out = static_cast<IWMProfile*>(&profile_);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) WmvSyncReader::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) WmvSyncReader::Release()
{
    const ULONG n = --refs_;
    if (n == 0) {
        delete this;
    }
    return n;
}

HRESULT WmvSyncReader::Attach(HRESULT openResult)
{
    if (FAILED(openResult)) {
        media_.reset();
        return openResult;
    }
    headerInfo_.Attach(&media_->Header());
    profile_.Load(&media_->Header());
    return S_OK;
}

STDMETHODIMP WmvSyncReader::Open(const WCHAR* filename)
{
    return Guarded([&]() -> HRESULT {
        std::lock_guard<std::mutex> hold(lock_);
        if (media_) {
            return NS_E_INVALID_REQUEST;
        }
        return Attach(
            WmvMedia::OpenByName(filename, GENERIC_READ, FILE_SHARE_READ, WmvNetOptions(),
                                 &media_));
    });
}

STDMETHODIMP WmvSyncReader::OpenStream(IStream* stream)
{
    return Guarded([&]() -> HRESULT {
        std::lock_guard<std::mutex> hold(lock_);
        if (media_) {
            return NS_E_INVALID_REQUEST;
        }
        return Attach(WmvMedia::OpenStream(stream, &media_));
    });
}

STDMETHODIMP WmvSyncReader::Close()
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_) {
        return NS_E_INVALID_REQUEST;
    }
    headerInfo_.Attach(nullptr);
    profile_.Load(nullptr);
    media_.reset();
    return S_OK;
}

STDMETHODIMP WmvSyncReader::SetRange(QWORD start, LONGLONG duration)
{
    return Guarded([&]() -> HRESULT {
        std::lock_guard<std::mutex> hold(lock_);
        if (!media_) {
            return NS_E_INVALID_REQUEST;
        }
        if (duration < 0) {
            return E_INVALIDARG;
        }
        return HResultFromAsf(media_->Demuxer().SetRange(start, static_cast<uint64_t>(duration)));
    });
}

STDMETHODIMP WmvSyncReader::SetRangeByFrame(WORD, QWORD, LONGLONG)
{
    // Needs a frame index, which the files this player reads do not carry.
    return NS_E_INVALID_REQUEST;
}

DWORD WmvSyncReader::OutputOf(WORD stream) const
{
    const auto& streams = media_->Header().streams;
    for (size_t i = 0; i < streams.size(); ++i) {
        if (streams[i].number == stream) {
            return static_cast<DWORD>(i);
        }
    }
    return 0;
}

STDMETHODIMP WmvSyncReader::GetNextSample(WORD stream, INSSBuffer** sample, QWORD* time,
                                          QWORD* duration, DWORD* flags, DWORD* output,
                                          WORD* streamOut)
{
    return Guarded([&]() -> HRESULT {
        if (sample == nullptr || time == nullptr || duration == nullptr || flags == nullptr) {
            return E_POINTER;
        }
        *sample = nullptr;
        std::lock_guard<std::mutex> hold(lock_);
        if (!media_) {
            return NS_E_INVALID_REQUEST;
        }
        asf::AsfDemuxer& demuxer = media_->Demuxer();
        if (stream != 0 && (media_->Header().FindStream(stream) == nullptr)) {
            return NS_E_INVALID_REQUEST;
        }
        for (;;) {
            const asf::AsfError e = demuxer.Next(&sample_);
            if (e != asf::AsfError::kOk) {
                return HResultFromAsf(e);
            }
            if (stream == 0 || sample_.stream == stream) {
                break;
            }
        }
        WmvBuffer* buffer = WmvBuffer::Create(std::move(sample_.data));
        if (buffer == nullptr) {
            return E_OUTOFMEMORY;
        }
        *sample = buffer;
        *time = sample_.time;
        *duration = sample_.duration;
        *flags = (sample_.keyFrame ? WM_SF_CLEANPOINT : 0) |
                 (sample_.discontinuity ? WM_SF_DISCONTINUITY : 0);
        if (output != nullptr) {
            *output = OutputOf(sample_.stream);
        }
        if (streamOut != nullptr) {
            *streamOut = sample_.stream;
        }
        return S_OK;
    });
}

STDMETHODIMP WmvSyncReader::SetStreamsSelected(WORD count, WORD* numbers,
                                               WMT_STREAM_SELECTION* selections)
{
    if (count == 0 || numbers == nullptr || selections == nullptr) {
        return E_INVALIDARG;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_) {
        return NS_E_INVALID_REQUEST;
    }
    for (WORD i = 0; i < count; ++i) {
        if (media_->Header().FindStream(numbers[i]) == nullptr) {
            return NS_E_INVALID_REQUEST;
        }
    }
    for (WORD i = 0; i < count; ++i) {
        media_->Demuxer().SetStreamEnabled(numbers[i], selections[i] != WMT_OFF);
    }
    return S_OK;
}

STDMETHODIMP WmvSyncReader::GetStreamSelected(WORD stream, WMT_STREAM_SELECTION* selection)
{
    if (selection == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_ || media_->Header().FindStream(stream) == nullptr) {
        return NS_E_INVALID_REQUEST;
    }
    *selection = media_->Demuxer().StreamEnabled(stream) ? WMT_ON : WMT_OFF;
    return S_OK;
}

STDMETHODIMP WmvSyncReader::SetReadStreamSamples(WORD stream, WINBOOL compressed)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_ || media_->Header().FindStream(stream) == nullptr) {
        return NS_E_INVALID_REQUEST;
    }
    // Samples always leave this reader compressed: it has no decoders.
    return compressed ? S_OK : NS_E_INVALID_REQUEST;
}

STDMETHODIMP WmvSyncReader::GetReadStreamSamples(WORD stream, WINBOOL* compressed)
{
    if (compressed == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_ || media_->Header().FindStream(stream) == nullptr) {
        return NS_E_INVALID_REQUEST;
    }
    *compressed = TRUE;
    return S_OK;
}

STDMETHODIMP WmvSyncReader::GetOutputSetting(DWORD, LPCWSTR, WMT_ATTR_DATATYPE*, BYTE*, WORD*)
{
    return NS_E_UNSUPPORTED_PROPERTY;
}

STDMETHODIMP WmvSyncReader::SetOutputSetting(DWORD, LPCWSTR, WMT_ATTR_DATATYPE, const BYTE*, WORD)
{
    return NS_E_UNSUPPORTED_PROPERTY;
}

STDMETHODIMP WmvSyncReader::GetOutputCount(DWORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_) {
        return NS_E_INVALID_REQUEST;
    }
    *count = static_cast<DWORD>(media_->Header().streams.size());
    return S_OK;
}

STDMETHODIMP WmvSyncReader::GetOutputProps(DWORD, IWMOutputMediaProps** props)
{
    return NoDecodedOutput(props);
}

STDMETHODIMP WmvSyncReader::SetOutputProps(DWORD, IWMOutputMediaProps*)
{
    return NS_E_INVALID_OUTPUT_FORMAT;
}

STDMETHODIMP WmvSyncReader::GetOutputFormatCount(DWORD, DWORD* count)
{
    return NoDecodedFormats(count);
}

STDMETHODIMP WmvSyncReader::GetOutputFormat(DWORD, DWORD, IWMOutputMediaProps** props)
{
    return NoDecodedOutput(props);
}

STDMETHODIMP WmvSyncReader::GetOutputNumberForStream(WORD stream, DWORD* output)
{
    if (output == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_ || media_->Header().FindStream(stream) == nullptr) {
        return NS_E_INVALID_REQUEST;
    }
    *output = OutputOf(stream);
    return S_OK;
}

STDMETHODIMP WmvSyncReader::GetStreamNumberForOutput(DWORD output, WORD* stream)
{
    if (stream == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_ || output >= media_->Header().streams.size()) {
        return NS_E_INVALID_REQUEST;
    }
    *stream = media_->Header().streams[output].number;
    return S_OK;
}

STDMETHODIMP WmvSyncReader::GetMaxOutputSampleSize(DWORD output, DWORD* size)
{
    WORD stream = 0;
    const HRESULT hr = GetStreamNumberForOutput(output, &stream);
    return FAILED(hr) ? hr : GetMaxStreamSampleSize(stream, size);
}

STDMETHODIMP WmvSyncReader::GetMaxStreamSampleSize(WORD stream, DWORD* size)
{
    return Guarded([&]() -> HRESULT {
        if (size == nullptr) {
            return E_POINTER;
        }
        std::lock_guard<std::mutex> hold(lock_);
        if (!media_ || media_->Header().FindStream(stream) == nullptr) {
            return NS_E_INVALID_REQUEST;
        }
        uint32_t max = 0;
        const asf::AsfError e = media_->Demuxer().MaxObjectSize(stream, &max);
        *size = max;
        return HResultFromAsf(e);
    });
}

}  // namespace orvane::wmv
