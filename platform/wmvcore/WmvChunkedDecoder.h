// Decodes an HTTP/1.1 body sent with "Transfer-Encoding: chunked" as it arrives, in pieces of
// any size: hex size line (extensions ignored), data, CRLF, ..., a zero chunk, trailers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane::wmv {

class WmvChunkedDecoder {
public:
    // Appends the data bytes found in [data, data + size) to out. False on a malformed
    // stream (the body cannot be trusted past it).
    [[nodiscard]] bool Feed(const char* data, size_t size, std::vector<uint8_t>* out);
    // The zero-length chunk and its trailers have been read.
    bool Finished() const { return state_ == State::kDone; }

private:
    enum class State { kSize, kExtension, kSizeLf, kData, kDataCr, kDataLf, kTrailer, kDone };

    State state_ = State::kSize;
    uint64_t remaining_ = 0;
    unsigned digits_ = 0;
    size_t trailerLine_ = 0;  // characters on the current trailer line
};

}  // namespace orvane::wmv
