// ASF source over an application's IStream (the readers' OpenStream). Seeks and reads are
// serialised; the stream's size comes from Stat or a seek to its end.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <mutex>

#include "platform/wmvcore/asf/AsfSource.h"
#include "platform/base/CComPtr.h"

namespace orvane::wmv {

class WmvStreamSource final : public asf::AsfSource {
public:
    explicit WmvStreamSource(IStream* stream);  // keeps one reference
    ~WmvStreamSource() override;

    asf::AsfError ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) override;
    bool KnownSize(uint64_t* size) const override;

private:
    CComPtr<IStream> stream_;
    uint64_t size_ = 0;
    bool sizeKnown_ = false;
    std::mutex lock_;
};

}  // namespace orvane::wmv
