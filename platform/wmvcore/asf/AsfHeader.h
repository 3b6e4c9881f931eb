// What the header of an ASF file says: file properties, streams with their type-specific
// data, attributes (content description, extended content, metadata), markers and codecs.
// Plain data, filled by AsfHeaderParser; times are in 100-ns units unless named otherwise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/wmvcore/asf/AsfGuid.h"

namespace orvane::asf {

// Caps that bound what a hostile file can make the parser allocate.
inline constexpr size_t kMaxStreams = 127;  // stream numbers have 7 bits
inline constexpr size_t kMaxAttributes = 4096;
inline constexpr size_t kMaxMarkers = 65535;  // the marker API counts in 16 bits
inline constexpr size_t kMaxCodecs = 256;
inline constexpr uint64_t kMaxHeaderSize = 64ull << 20;
inline constexpr uint32_t kMaxPacketSize = 1u << 20;
inline constexpr uint32_t kMaxObjectSize = 64u << 20;
inline constexpr uint64_t kMaxIndexEntries = 1u << 22;

enum class AsfStreamKind { kAudio, kVideo, kCommand, kOther };

// Value types as the runtime's attribute API numbers them (WMT_ATTR_DATATYPE).
enum class AsfAttrType : uint16_t {
    kDword = 0,
    kString = 1,
    kBinary = 2,
    kBool = 3,
    kQword = 4,
    kWord = 5,
    kGuid = 6
};

struct AsfAttribute {
    uint16_t stream = 0;  // 0 = file level
    std::u16string name;
    AsfAttrType type = AsfAttrType::kString;
    uint16_t language = 0;
    // Value in the runtime's layout: strings as UTF-16LE with terminator, BOOL as 4 bytes.
    std::vector<uint8_t> value;
};

struct AsfMarker {
    std::u16string name;
    uint64_t time = 0;  // presentation time, preroll removed
};

struct AsfCodec {
    uint16_t type = 0;  // 1 video, 2 audio, 0xFFFF unknown
    std::u16string name;
    std::u16string description;
    std::vector<uint8_t> info;
};

struct AsfStream {
    uint16_t number = 0;
    AsfGuid typeGuid;
    AsfStreamKind kind = AsfStreamKind::kOther;
    uint64_t timeOffset = 0;
    std::vector<uint8_t> typeData;  // audio: WAVEFORMATEX + extra; video: see below
    // Video: the BITMAPINFOHEADER with its codec data, and the encoded size.
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> bitmapInfo;
    // From the extended stream properties, when present.
    std::u16string name;
    uint32_t bitrate = 0;
    uint32_t bufferWindow = 0;  // ms
    uint32_t maxObjectSize = 0;
    uint64_t averageTimePerFrame = 0;
    uint32_t averageBytesPerSecond = 0;  // audio, from the wave format
};

struct AsfHeader {
    uint64_t fileSize = 0;
    uint64_t packetCount = 0;
    uint64_t playDuration = 0;  // includes the preroll, as stored
    uint64_t sendDuration = 0;
    uint64_t prerollMs = 0;
    uint32_t flags = 0;  // bit 0 broadcast, bit 1 seekable
    bool live = false;   // a broadcast without packet count or data size: read to its end
    uint32_t packetSize = 0;
    uint32_t maxBitrate = 0;

    std::vector<AsfStream> streams;
    std::vector<AsfAttribute> attributes;
    std::vector<AsfMarker> markers;
    std::vector<AsfCodec> codecs;

    // Average bit rates by stream number, from the stream bitrate properties object.
    std::vector<std::pair<uint16_t, uint32_t>> declaredBitrates;
    // What the extended stream properties say, by stream number; applied once every stream
    // is known (the header extension usually comes before the streams it describes).
    struct ExtendedProperties {
        uint16_t number = 0;
        uint32_t bitrate = 0;
        uint32_t bufferWindow = 0;
        uint32_t maxObjectSize = 0;
        uint64_t averageTimePerFrame = 0;
        std::u16string name;
    };
    std::vector<ExtendedProperties> declaredExtended;

    uint64_t headerSize = 0;
    uint64_t dataOffset = 0;      // first packet
    uint64_t dataEnd = 0;  // end of the data object, bounded by the file when known
    uint64_t declaredDataEnd = 0;  // as the data object declares it; UINT64_MAX when open

    // Duration without the preroll, as the runtime's "Duration" attribute reports it.
    uint64_t Duration() const
    {
        const uint64_t preroll = prerollMs * 10000;
        return playDuration > preroll ? playDuration - preroll : 0;
    }
    const AsfStream* FindStream(uint16_t number) const
    {
        for (const AsfStream& s : streams) {
            if (s.number == number) {
                return &s;
            }
        }
        return nullptr;
    }
};

}  // namespace orvane::asf
