// Writes small ASF files byte by byte for tests that need input ffmpeg would not produce:
// objects with chosen sizes and counts, packets with chosen layouts. All packets are kPacket
// bytes; the one stream is a WMA audio stream unless a test adds others.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/wmvcore/asf/AsfGuid.h"

namespace orvane::test {

using asf::AsfGuid;
namespace guids = asf::guids;

struct AsfWriter {
    std::vector<uint8_t> b;
    AsfWriter& U8(uint8_t v) { b.push_back(v); return *this; }
    AsfWriter& U16(uint16_t v) { return U8(uint8_t(v)).U8(uint8_t(v >> 8)); }
    AsfWriter& U32(uint32_t v) { return U16(uint16_t(v)).U16(uint16_t(v >> 16)); }
    AsfWriter& U64(uint64_t v) { return U32(uint32_t(v)).U32(uint32_t(v >> 32)); }
    AsfWriter& G(const AsfGuid& g)
    {
        U32(g.data1).U16(g.data2).U16(g.data3);
        b.insert(b.end(), g.data4, g.data4 + 8);
        return *this;
    }
    AsfWriter& Bytes(const std::vector<uint8_t>& v)
    {
        b.insert(b.end(), v.begin(), v.end());
        return *this;
    }
    // An object: GUID, size (body + 24 unless given), body.
    AsfWriter& Obj(const AsfGuid& g, const std::vector<uint8_t>& body, uint64_t size = 0)
    {
        return G(g).U64(size ? size : body.size() + 24).Bytes(body);
    }
};

inline constexpr uint32_t kPacket = 256;

inline std::vector<uint8_t> FileProps(uint32_t packetSize = kPacket)
{
    AsfWriter w;
    w.G(AsfGuid{}).U64(0).U64(0).U64(0).U64(50000000).U64(0).U64(0).U32(2);
    w.U32(packetSize).U32(packetSize).U32(64000);
    return w.b;
}

inline std::vector<uint8_t> AudioStream(uint16_t number)
{
    AsfWriter w;
    w.G(guids::kAudioMedia).G(AsfGuid{}).U64(0).U32(18).U32(0).U16(number).U32(0);
    w.U16(0x161).U16(2).U32(44100).U32(8000).U16(64).U16(16).U16(0);
    return w.b;
}

// One packet with one payload of a whole object (or what the arguments make of it).
inline std::vector<uint8_t> Packet(uint8_t stream, uint32_t objectSize, uint32_t offset,
                            uint32_t dataLength, uint32_t timeMs)
{
    AsfWriter w;
    w.U8(0x08).U8(0x5D);  // padding length as a byte; stream/object/offset/replicated fields
    const size_t paddingAt = w.b.size();
    w.U8(0).U32(timeMs).U16(0);
    w.U8(uint8_t(0x80 | stream)).U8(1).U32(offset).U8(8).U32(objectSize).U32(timeMs);
    for (uint32_t i = 0; i < dataLength && w.b.size() < kPacket; ++i) {
        w.U8(uint8_t(i));
    }
    const size_t used = w.b.size();
    w.b[paddingAt] = used < kPacket ? uint8_t(kPacket - used) : 0;
    w.b.resize(kPacket);
    return w.b;
}

inline std::vector<uint8_t> File(const std::vector<std::vector<uint8_t>>& headerObjects,
                          const std::vector<std::vector<uint8_t>>& packets,
                          uint32_t declaredObjects = 0)
{
    AsfWriter objects;
    for (const auto& o : headerObjects) {
        objects.Bytes(o);
    }
    AsfWriter w;
    w.G(guids::kHeader).U64(30 + objects.b.size());
    w.U32(declaredObjects ? declaredObjects : uint32_t(headerObjects.size())).U8(1).U8(2);
    w.Bytes(objects.b);
    w.G(guids::kData)
        .U64(50 + packets.size() * kPacket)
        .G(AsfGuid{})
        .U64(packets.size())
        .U16(0x101);
    for (const auto& p : packets) {
        w.Bytes(p);
    }
    return w.b;
}

inline std::vector<uint8_t> ObjectBytes(const AsfGuid& g, const std::vector<uint8_t>& body,
                                 uint64_t size = 0)
{
    return AsfWriter().Obj(g, body, size).b;
}

inline std::vector<uint8_t> GoodFile(const std::vector<std::vector<uint8_t>>& packets)
{
    return File({ObjectBytes(guids::kFileProperties, FileProps()),
                 ObjectBytes(guids::kStreamProperties, AudioStream(1))},
                packets);
}

}  // namespace orvane::test
