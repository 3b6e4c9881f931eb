// Where the parser's bytes come from: a file, an IStream, memory or a progressive download.
// Reads are positional; a source that is still arriving blocks until the bytes exist or end.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/wmvcore/asf/AsfError.h"

namespace orvane::asf {

class AsfSource {
public:
    virtual ~AsfSource() = default;

    // Reads up to size bytes at offset into buffer; *got receives the count (0 only at the end).
    virtual AsfError ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) = 0;
    // Total size when known; false while a download has not told it yet.
    virtual bool KnownSize(uint64_t* size) const = 0;
    // False for sources that can only be read front to back cheaply (downloads).
    virtual bool CanSeekCheaply() const { return true; }
    // A source read front to back that can still begin anywhere at the cost of one request
    // (a download from a server that grants ranges): seeking estimates an offset once.
    virtual bool CanJump() const { return false; }

    // Reads exactly size bytes or fails with kTruncated.
    AsfError ReadFully(uint64_t offset, void* buffer, size_t size)
    {
        auto* out = static_cast<uint8_t*>(buffer);
        while (size > 0) {
            size_t got = 0;
            const AsfError e = ReadAt(offset, out, size, &got);
            if (e != AsfError::kOk) {
                return e;
            }
            if (got == 0) {
                return AsfError::kTruncated;
            }
            out += got;
            offset += got;
            size -= got;
        }
        return AsfError::kOk;
    }
};

}  // namespace orvane::asf
