// IStream-backed ASF source.
#include "platform/wmvcore/WmvStreamSource.h"

namespace orvane::wmv {

WmvStreamSource::WmvStreamSource(IStream* stream) : stream_(stream)
{
    STATSTG stat = {};
    if (SUCCEEDED(stream_->Stat(&stat, STATFLAG_NONAME))) {
        size_ = stat.cbSize.QuadPart;
        sizeKnown_ = true;
    } else {
        LARGE_INTEGER zero = {};
        ULARGE_INTEGER end = {};
        if (SUCCEEDED(stream_->Seek(zero, STREAM_SEEK_END, &end))) {
            size_ = end.QuadPart;
            sizeKnown_ = true;
        }
    }
}

WmvStreamSource::~WmvStreamSource() = default;

asf::AsfError WmvStreamSource::ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got)
{
    *got = 0;
    if (sizeKnown_ && offset >= size_) {
        return asf::AsfError::kOk;
    }
    std::lock_guard<std::mutex> hold(lock_);
    LARGE_INTEGER pos;
    pos.QuadPart = static_cast<LONGLONG>(offset);
    if (FAILED(stream_->Seek(pos, STREAM_SEEK_SET, nullptr))) {
        return asf::AsfError::kReadFailed;
    }
    ULONG read = 0;
    const ULONG want = static_cast<ULONG>(std::min<uint64_t>(size, 1u << 30));
    const HRESULT hr = stream_->Read(buffer, want, &read);
    if (FAILED(hr)) {
        return asf::AsfError::kReadFailed;
    }
    *got = read;
    return asf::AsfError::kOk;
}

bool WmvStreamSource::KnownSize(uint64_t* size) const
{
    *size = size_;
    return sizeKnown_;
}

}  // namespace orvane::wmv
