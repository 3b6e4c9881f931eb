// Splits one ASF data packet into its payloads. Handles error-correction data, the variable
// length fields, single and multiple payloads, compressed payloads (expanded into whole media
// objects) and padding; every payload is checked to lie inside the packet.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/wmvcore/asf/AsfError.h"

namespace orvane::asf {

struct AsfPayload {
    uint8_t stream = 0;
    bool keyFrame = false;
    uint32_t objectNumber = 0;
    uint32_t offset = 0;      // offset of this fragment in its media object
    uint32_t objectSize = 0;  // size of the whole media object
    uint32_t timeMs = 0;      // presentation time, preroll included
    const uint8_t* data = nullptr;
    uint32_t length = 0;
};

struct AsfPacket {
    uint32_t sendTimeMs = 0;
    uint16_t durationMs = 0;
    std::vector<AsfPayload> payloads;  // reused between packets
};

class AsfPacketParser {
public:
    // data points at exactly packetSize bytes.
    static AsfError Parse(const uint8_t* data, uint32_t packetSize, AsfPacket* out);
    // Only the send time (for seeking by binary search).
    static AsfError SendTime(const uint8_t* data, uint32_t packetSize, uint32_t* sendTimeMs);
};

}  // namespace orvane::asf
