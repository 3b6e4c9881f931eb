// An ASF source over bytes in memory (tests, fuzzing). The read size can be capped to exercise
// the short reads a real source may give.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/wmvcore/asf/AsfSource.h"

namespace orvane::asf {

class AsfMemorySource final : public AsfSource {
public:
    explicit AsfMemorySource(std::vector<uint8_t> bytes, size_t maxRead = 0)
        : bytes_(std::move(bytes)), maxRead_(maxRead)
    {
    }

    AsfError ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) override
    {
        *got = 0;
        if (offset >= bytes_.size()) {
            return AsfError::kOk;
        }
        size_t n = std::min<uint64_t>(size, bytes_.size() - offset);
        if (maxRead_ > 0) {
            n = std::min(n, maxRead_);
        }
        std::memcpy(buffer, bytes_.data() + offset, n);
        *got = n;
        return AsfError::kOk;
    }
    bool KnownSize(uint64_t* size) const override
    {
        *size = bytes_.size();
        return true;
    }

private:
    std::vector<uint8_t> bytes_;
    size_t maxRead_;
};

}  // namespace orvane::asf
