// Data packet layout: [error correction] length-type flags, property flags, packet length,
// sequence, padding length, send time, duration, then one payload or a counted list of them.
#include "platform/wmvcore/asf/AsfPacketParser.h"

#include "platform/wmvcore/asf/AsfByteReader.h"

namespace orvane::asf {

namespace {

constexpr size_t kMaxPayloadsPerPacket = 64;  // the count field has 6 bits
constexpr size_t kMaxSubPayloads = 256;

struct PacketHead {
    uint8_t lengthFlags = 0;
    uint8_t propertyFlags = 0;
    uint32_t packetLength = 0;
    uint32_t padding = 0;
    uint32_t sendTime = 0;
    uint16_t duration = 0;
};

AsfError ReadHead(AsfByteReader& r, uint32_t packetSize, PacketHead* h)
{
    uint8_t first = r.U8();
    if (first & 0x80) {
        // Error correction data: its length is in the low four bits; length type must be 0.
        if (first & 0x60) {
            return AsfError::kBadPacket;
        }
        r.Skip(first & 0x0F);
        first = r.U8();
    }
    h->lengthFlags = first;
    h->propertyFlags = r.U8();
    h->packetLength = r.Sized(h->lengthFlags >> 5);
    r.Sized(h->lengthFlags >> 1);
    h->padding = r.Sized(h->lengthFlags >> 3);
    h->sendTime = r.U32();
    h->duration = r.U16();
    if (!r.Ok()) {
        return AsfError::kBadPacket;
    }
    // A packet shorter than the file's packet size carries the difference as extra padding.
    if (h->packetLength != 0) {
        if (h->packetLength > packetSize || h->packetLength < r.Pos()) {
            return AsfError::kBadPacket;
        }
        h->padding += packetSize - h->packetLength;
    }
    if (h->padding > packetSize - r.Pos()) {
        return AsfError::kBadPacket;
    }
    return AsfError::kOk;
}

}  // namespace

AsfError AsfPacketParser::SendTime(const uint8_t* data, uint32_t packetSize, uint32_t* sendTimeMs)
{
    AsfByteReader r(data, packetSize);
    PacketHead h;
    const AsfError e = ReadHead(r, packetSize, &h);
    if (e == AsfError::kOk) {
        *sendTimeMs = h.sendTime;
    }
    return e;
}

AsfError AsfPacketParser::Parse(const uint8_t* data, uint32_t packetSize, AsfPacket* out)
{
    out->payloads.clear();
    AsfByteReader r(data, packetSize);
    PacketHead h;
    AsfError e = ReadHead(r, packetSize, &h);
    if (e != AsfError::kOk) {
        return e;
    }
    out->sendTimeMs = h.sendTime;
    out->durationMs = h.duration;
    const size_t end = packetSize - h.padding;  // payload bytes end here
    const bool multiple = h.lengthFlags & 1;
    unsigned payloadCount = 1;
    unsigned payloadLengthType = 0;
    if (multiple) {
        const uint8_t pf = r.U8();
        payloadCount = pf & 0x3F;
        payloadLengthType = pf >> 6;
        if (payloadLengthType == 0) {
            return AsfError::kBadPacket;
        }
    }
    for (unsigned i = 0; i < payloadCount; ++i) {
        AsfPayload p;
        const uint8_t streamByte = r.U8();
        p.stream = streamByte & 0x7F;
        p.keyFrame = streamByte & 0x80;
        p.objectNumber = r.Sized(h.propertyFlags >> 4);
        const uint32_t offsetField = r.Sized(h.propertyFlags >> 2);
        const uint32_t replicatedLength = r.Sized(h.propertyFlags);
        const uint8_t* replicated = r.Take(replicatedLength);
        if (!r.Ok() || r.Pos() > end) {
            return AsfError::kBadPacket;
        }
        uint32_t length = 0;
        if (multiple) {
            length = r.Sized(payloadLengthType);
        } else {
            length = static_cast<uint32_t>(end - r.Pos());
        }
        if (!r.Ok() || length > end - r.Pos()) {
            return AsfError::kBadPacket;
        }
        const uint8_t* payload = r.Take(length);
        if (replicatedLength == 1) {
            // Compressed payload: sub-payloads, each a whole media object (byte length + data);
            // the offset field holds the presentation time and the replicated byte its step.
            const uint8_t delta = replicated[0];
            AsfByteReader sub(payload, length);
            uint32_t time = offsetField;
            size_t n = 0;
            while (sub.Remaining() > 0) {
                const uint8_t subLength = sub.U8();
                const uint8_t* subData = sub.Take(subLength);
                if (!sub.Ok() || ++n > kMaxSubPayloads ||
                    out->payloads.size() >= kMaxPayloadsPerPacket * kMaxSubPayloads) {
                    return AsfError::kBadPacket;
                }
                AsfPayload s = p;
                s.offset = 0;
                s.objectSize = subLength;
                s.timeMs = time;
                s.data = subData;
                s.length = subLength;
                out->payloads.push_back(s);
                time += delta;
                ++p.objectNumber;
            }
            continue;
        }
        if (replicatedLength < 8) {
            // No object size or time: nothing can place the fragment.
            return AsfError::kBadPacket;
        }
        AsfByteReader rep(replicated, replicatedLength);
        p.objectSize = rep.U32();
        p.timeMs = rep.U32();
        p.offset = offsetField;
        p.data = payload;
        p.length = length;
        if (p.objectSize == 0 || p.offset > p.objectSize || length > p.objectSize - p.offset) {
            return AsfError::kBadPacket;
        }
        out->payloads.push_back(p);
    }
    return AsfError::kOk;
}

}  // namespace orvane::asf
