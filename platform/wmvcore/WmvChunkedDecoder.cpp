// Chunked transfer decoding for the HTTP source.
#include "platform/wmvcore/WmvChunkedDecoder.h"

#include <algorithm>

namespace orvane::wmv {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

constexpr unsigned kMaxSizeDigits = 15;  // a chunk above 2^60 bytes is not plausible

}  // namespace

bool WmvChunkedDecoder::Feed(const char* data, size_t size, std::vector<uint8_t>* out)
{
    size_t i = 0;
    while (i < size) {
        const char c = data[i];
        switch (state_) {
        case State::kSize: {
            const int v = HexValue(c);
            if (v >= 0) {
                if (++digits_ > kMaxSizeDigits) {
                    return false;
                }
                remaining_ = remaining_ * 16 + unsigned(v);
            } else if (digits_ == 0) {
                return false;
            } else if (c == '\r') {
                state_ = State::kSizeLf;
            } else if (c == ';' || c == ' ' || c == '\t') {
                state_ = State::kExtension;
            } else {
                return false;
            }
            ++i;
            break;
        }
        case State::kExtension:
            if (c == '\r') {
                state_ = State::kSizeLf;
            }
            ++i;
            break;
        case State::kSizeLf:
            if (c != '\n') {
                return false;
            }
            ++i;
            digits_ = 0;
            if (remaining_ == 0) {
                state_ = State::kTrailer;
                trailerLine_ = 0;
            } else {
                state_ = State::kData;
            }
            break;
        case State::kData: {
            const size_t n = static_cast<size_t>(std::min<uint64_t>(remaining_, size - i));
            out->insert(out->end(), data + i, data + i + n);
            i += n;
            remaining_ -= n;
            if (remaining_ == 0) {
                state_ = State::kDataCr;
            }
            break;
        }
        case State::kDataCr:
            if (c != '\r') {
                return false;
            }
            state_ = State::kDataLf;
            ++i;
            break;
        case State::kDataLf:
            if (c != '\n') {
                return false;
            }
            state_ = State::kSize;
            ++i;
            break;
        case State::kTrailer:
            // Trailer lines are skipped; an empty line ends the body.
            if (c == '\n') {
                if (trailerLine_ == 0) {
                    state_ = State::kDone;
                }
                trailerLine_ = 0;
            } else if (c != '\r') {
                ++trailerLine_;
            }
            ++i;
            break;
        case State::kDone:
            return true;  // anything after the end is not body
        }
    }
    return true;
}

}  // namespace orvane::wmv
