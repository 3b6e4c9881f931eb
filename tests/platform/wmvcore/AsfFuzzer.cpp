// libFuzzer target for the ASF parser, built natively by scripts/fuzz.sh (clang, AddressSanitizer).
// The input is a file; its last byte picks the I/O parameters (short reads, a range start, a
// disabled stream), and the number of samples read per input is capped.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/wmvcore/asf/AsfDemuxer.h"
#include "platform/wmvcore/asf/AsfMemorySource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const uint8_t knobs = data[size - 1];
    std::vector<uint8_t> bytes(data, data + size - 1);
    const size_t maxRead = (knobs & 3) == 0 ? 0 : size_t(1) << ((knobs & 3) * 3);  // 8, 64, 512
    orvane::asf::AsfMemorySource source(std::move(bytes), maxRead);
    orvane::asf::AsfDemuxer demuxer;
    if (demuxer.Open(&source) != orvane::asf::AsfError::kOk) {
        return 0;
    }
    if (knobs & 4) {
        demuxer.SetStreamEnabled(demuxer.Header().streams.front().number, false);
    }
    if (knobs & 8) {
        uint32_t max = 0;
        demuxer.MaxObjectSize(demuxer.Header().streams.back().number, &max);
    }
    if (knobs & 0x30) {
        const uint64_t start = uint64_t(knobs >> 4) * 30000000;  // 0 to 45 s
        if (demuxer.SetRange(start, (knobs & 0x40) ? 20000000 : 0) != orvane::asf::AsfError::kOk) {
            return 0;
        }
    }
    orvane::asf::AsfSample sample;
    for (int i = 0; i < 20000; ++i) {
        if (demuxer.Next(&sample) != orvane::asf::AsfError::kOk) {
            break;
        }
    }
    return 0;
}
