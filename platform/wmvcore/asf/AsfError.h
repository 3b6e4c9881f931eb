// Error results of the ASF parser. Every rejected input maps to one of these, with a short
// text for logs and tests; the COM layer turns them into the runtime's HRESULTs.
#pragma once

namespace orvane::asf {

enum class AsfError {
    kOk,
    kEndOfData,         // clean end: no more packets or samples
    kTruncated,         // the source ended inside an object or packet
    kNotAsf,            // the first object is not an ASF header
    kBadObjectSize,     // an object's declared size does not fit its container
    kBadHeader,         // a required header object is missing or inconsistent
    kTooManyStreams,    // more streams, payloads, markers or attributes than the caps allow
    kBadPacket,         // a data packet's lengths do not add up
    kTooLarge,          // a declared size is beyond the allocation caps
    kReadFailed,        // the source reported an I/O error
    kAborted,           // the source was closed while a read waited for data
};

inline const char* AsfErrorText(AsfError e)
{
    switch (e) {
    case AsfError::kOk: return "ok";
    case AsfError::kEndOfData: return "end of data";
    case AsfError::kTruncated: return "file truncated";
    case AsfError::kNotAsf: return "not an ASF file";
    case AsfError::kBadObjectSize: return "object size out of bounds";
    case AsfError::kBadHeader: return "invalid header";
    case AsfError::kTooManyStreams: return "count above limit";
    case AsfError::kBadPacket: return "invalid data packet";
    case AsfError::kTooLarge: return "size above limit";
    case AsfError::kReadFailed: return "read failed";
    case AsfError::kAborted: return "aborted";
    }
    return "unknown error";
}

}  // namespace orvane::asf
