// Reads the samples (whole media objects) of an ASF file in file order: packets are read in
// large blocks, split into payloads and reassembled per stream. A range start seeks by the
// simple index or by send time and begins each stream at the key frame before the start.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/wmvcore/asf/AsfError.h"
#include "platform/wmvcore/asf/AsfHeader.h"
#include "platform/wmvcore/asf/AsfPacketParser.h"
#include "platform/wmvcore/asf/AsfSource.h"

namespace orvane::asf {

struct AsfSample {
    uint16_t stream = 0;
    uint64_t time = 0;      // 100 ns, preroll removed
    uint64_t duration = 0;  // 100 ns, estimated from the stream's rate; 0 when unknown
    bool keyFrame = false;
    bool discontinuity = false;
    std::vector<uint8_t> data;
};

class AsfDemuxer {
public:
    // Parses the header; src must outlive the demuxer.
    AsfError Open(AsfSource* src);
    const AsfHeader& Header() const { return header_; }

    void SetStreamEnabled(uint16_t stream, bool enabled);
    bool StreamEnabled(uint16_t stream) const { return stream < 128 && enabled_[stream]; }

    // Restarts reading for [start, start + duration) in 100 ns; duration 0 = to the end.
    AsfError SetRange(uint64_t start, uint64_t duration);
    // The next sample of an enabled stream; kEndOfData at the end of the range.
    AsfError Next(AsfSample* out);
    // Largest media object of a stream: the header's figure or, for seekable sources, a scan.
    AsfError MaxObjectSize(uint16_t stream, uint32_t* size);

private:
    struct Assembly {
        bool active = false;
        uint32_t objectNumber = 0;
        uint32_t filled = 0;
        uint32_t objectSize = 0;
        AsfSample sample;
        bool discontinuity = true;
        bool reached = false;              // a sample at or after the range start went out
        std::vector<AsfSample> pending;    // key frame group before the range start
        size_t pendingBytes = 0;
        // Video without a frame duration in the header waits for the stream's next sample,
        // whose time gives its duration.
        bool hasHeld = false;
        AsfSample held;
        uint64_t lastDelta = 0;
    };

    AsfError ReadPacket(const uint8_t** packet);
    AsfError HandlePayload(const AsfPayload& p);
    void EstimateFrameTimes();
    void Complete(Assembly& a);
    void Emit(Assembly& a, AsfSample&& s);
    // Ends reading with e (kEndOfData or an error); samples already assembled still go out.
    void Finish(AsfError e);
    uint64_t PacketOffset(uint64_t index) const;
    AsfError FindStartPacket(uint64_t start, uint64_t* packet);
    AsfError EstimateStartPacket(uint64_t goalMs, uint64_t* packet);
    void LoadSimpleIndex();
    AsfError ScanObjectSizes();
    uint64_t Duration(const AsfSample& s) const;

    AsfSource* src_ = nullptr;
    AsfHeader header_;
    bool enabled_[128] = {};
    bool audio_[128] = {};
    bool truncated_ = false;
    bool holdBack_[128] = {};
    Assembly assembly_[128];
    std::deque<AsfSample> ready_;
    std::vector<AsfSample> spare_;  // sample buffers kept for reuse

    size_t pendingTotal_ = 0;  // bytes in all streams' pending groups
    uint64_t nextPacket_ = 0;
    uint64_t packetLimit_ = UINT64_MAX;
    uint64_t rangeStart_ = 0;
    uint64_t rangeEnd_ = UINT64_MAX;
    bool ended_ = false;
    AsfError endError_ = AsfError::kEndOfData;

    std::vector<uint8_t> block_;  // packets read ahead
    uint64_t blockFirst_ = 0;
    uint64_t blockCount_ = 0;
    AsfPacket packet_;

    bool scanned_ = false;
    uint32_t scannedMax_[128] = {};

    bool indexLoaded_ = false;
    uint64_t indexInterval_ = 0;
    std::vector<uint32_t> indexPackets_;
};

}  // namespace orvane::asf
