// ASF header parsing: table dispatch over the header's objects and those of its extension.
// Every length is checked against the object that holds it before anything is read or
// allocated, and the counts are capped (AsfHeader.h).
#include "platform/wmvcore/asf/AsfHeaderParser.h"

#include <algorithm>
#include <vector>

namespace orvane::asf {

namespace {

constexpr size_t kObjectHeaderSize = 24;

// Converts an ASF descriptor value (type numbering of the extended content description and
// metadata objects) into the runtime's layout. BOOLs become 4 bytes; strings get a terminator.
bool ConvertValue(uint16_t asfType, const uint8_t* p, size_t n, AsfAttribute* a)
{
    switch (asfType) {
    case 0:
        a->type = AsfAttrType::kString;
        a->value.assign(p, p + (n & ~size_t(1)));
        if (a->value.size() < 2 || a->value[a->value.size() - 1] != 0 ||
            a->value[a->value.size() - 2] != 0) {
            a->value.push_back(0);
            a->value.push_back(0);
        }
        return true;
    case 1:
        a->type = AsfAttrType::kBinary;
        a->value.assign(p, p + n);
        return true;
    case 2: {
        a->type = AsfAttrType::kBool;
        uint32_t v = 0;
        for (size_t i = 0; i < n && i < 4; ++i) {
            v |= p[i];
        }
        a->value = {uint8_t(v != 0), 0, 0, 0};
        return true;
    }
    case 3:
        if (n != 4) return false;
        a->type = AsfAttrType::kDword;
        a->value.assign(p, p + 4);
        return true;
    case 4:
        if (n != 8) return false;
        a->type = AsfAttrType::kQword;
        a->value.assign(p, p + 8);
        return true;
    case 5:
        if (n != 2) return false;
        a->type = AsfAttrType::kWord;
        a->value.assign(p, p + 2);
        return true;
    case 6:
        if (n != 16) return false;
        a->type = AsfAttrType::kGuid;
        a->value.assign(p, p + 16);
        return true;
    default:
        return false;
    }
}

AsfError AddAttribute(AsfHeader* out, AsfAttribute a)
{
    if (out->attributes.size() >= kMaxAttributes) {
        return AsfError::kTooManyStreams;
    }
    out->attributes.push_back(std::move(a));
    return AsfError::kOk;
}

std::vector<uint8_t> StringValue(const std::u16string& s)
{
    std::vector<uint8_t> v;
    v.reserve((s.size() + 1) * 2);
    for (char16_t c : s) {
        v.push_back(uint8_t(c & 0xFF));
        v.push_back(uint8_t(c >> 8));
    }
    v.push_back(0);
    v.push_back(0);
    return v;
}

template <typename T>
std::vector<uint8_t> PodValue(T value)
{
    std::vector<uint8_t> v(sizeof(T));
    for (size_t i = 0; i < sizeof(T); ++i) {
        v[i] = uint8_t(uint64_t(value) >> (8 * i));
    }
    return v;
}

AsfStream* StreamByNumber(AsfHeader* h, uint16_t number)
{
    for (AsfStream& s : h->streams) {
        if (s.number == number) {
            return &s;
        }
    }
    return nullptr;
}

}  // namespace

AsfError AsfHeaderParser::Parse(AsfSource& src, AsfHeader* out)
{
    uint8_t pre[30];
    AsfError e = src.ReadFully(0, pre, sizeof(pre));
    if (e != AsfError::kOk) {
        return e == AsfError::kTruncated ? AsfError::kNotAsf : e;
    }
    AsfByteReader r(pre, sizeof(pre));
    if (!(r.ReadGuid() == guids::kHeader)) {
        return AsfError::kNotAsf;
    }
    const uint64_t size = r.U64();
    if (size < sizeof(pre)) {
        return AsfError::kBadObjectSize;
    }
    if (size > kMaxHeaderSize) {
        return AsfError::kTooLarge;
    }
    uint64_t known = 0;
    if (src.KnownSize(&known) && size > known) {
        return AsfError::kTruncated;
    }
    std::vector<uint8_t> header(static_cast<size_t>(size) + 50);
    e = src.ReadFully(0, header.data(), header.size());
    if (e != AsfError::kOk) {
        return e;
    }
    e = ParseHeaderObject(header.data(), static_cast<size_t>(size), out);
    if (e != AsfError::kOk) {
        return e;
    }
    AsfByteReader d(header.data() + size, 50);
    if (!(d.ReadGuid() == guids::kData)) {
        return AsfError::kBadHeader;
    }
    const uint64_t dataSize = d.U64();
    out->headerSize = size;
    out->dataOffset = size + 50;
    // Broadcast files may leave the data size open (0); a live broadcast also states no
    // packets and a data object of its bare header (50): its packets run until the source
    // ends. Otherwise the size bounds the packets.
    out->live = (out->flags & 1) != 0 && out->packetCount == 0 && dataSize <= 50;
    if (out->live) {
        out->playDuration = 0;
        out->sendDuration = 0;
        out->dataEnd = UINT64_MAX;
    } else if (dataSize >= 50 && dataSize - 50 <= UINT64_MAX - out->dataOffset) {
        out->dataEnd = out->dataOffset + (dataSize - 50);
    } else {
        out->dataEnd = UINT64_MAX;
    }
    out->declaredDataEnd = out->dataEnd;
    if (src.KnownSize(&known)) {
        out->dataEnd = std::min(out->dataEnd, known);
    }
    AddDerivedAttributes(out);
    return AsfError::kOk;
}

AsfError AsfHeaderParser::ParseHeaderObject(const uint8_t* data, size_t size, AsfHeader* out)
{
    *out = AsfHeader();
    AsfByteReader r(data, size);
    if (!(r.ReadGuid() == guids::kHeader)) {
        return AsfError::kNotAsf;
    }
    const uint64_t declared = r.U64();
    if (declared != size) {
        return AsfError::kBadObjectSize;
    }
    const uint32_t count = r.U32();
    r.Skip(2);
    if (!r.Ok()) {
        return AsfError::kTruncated;
    }
    static const Entry table[] = {
        {&guids::kFileProperties, &FileProperties},
        {&guids::kStreamProperties, &StreamProperties},
        {&guids::kHeaderExtension, &HeaderExtension},
        {&guids::kContentDescription, &ContentDescription},
        {&guids::kExtendedContentDescription, &ExtendedContentDescription},
        {&guids::kMarker, &Marker},
        {&guids::kCodecList, &CodecList},
        {&guids::kStreamBitrateProperties, &StreamBitrates},
    };
    AsfError e = ParseObjects(r, count, table, std::size(table), out);
    if (e != AsfError::kOk) {
        return e;
    }
    if (out->packetSize == 0 || out->streams.empty()) {
        return AsfError::kBadHeader;
    }
    for (const AsfHeader::ExtendedProperties& e : out->declaredExtended) {
        if (AsfStream* s = StreamByNumber(out, e.number)) {
            s->bitrate = e.bitrate;
            s->bufferWindow = e.bufferWindow;
            s->maxObjectSize = e.maxObjectSize;
            s->averageTimePerFrame = e.averageTimePerFrame;
            s->name = e.name;
        }
    }
    // The bitrate object may come before the streams it describes.
    for (const auto& [number, bitrate] : out->declaredBitrates) {
        AsfStream* s = StreamByNumber(out, number);
        if (s != nullptr && s->bitrate == 0) {
            s->bitrate = bitrate;
        }
    }
    return AsfError::kOk;
}

AsfError AsfHeaderParser::ParseObjects(AsfByteReader& r, uint32_t count, const Entry* table,
                                       size_t tableSize, AsfHeader* out)
{
    // The count is only a hint; the container's size is what bounds the walk.
    (void)count;
    while (r.Remaining() >= kObjectHeaderSize) {
        const AsfGuid id = r.ReadGuid();
        const uint64_t objectSize = r.U64();
        if (objectSize < kObjectHeaderSize || objectSize - kObjectHeaderSize > r.Remaining()) {
            return AsfError::kBadObjectSize;
        }
        const size_t bodySize = static_cast<size_t>(objectSize - kObjectHeaderSize);
        AsfByteReader body(r.Here(), bodySize);
        r.Skip(bodySize);
        for (size_t i = 0; i < tableSize; ++i) {
            if (*table[i].guid == id) {
                const AsfError e = table[i].handler(body, out);
                if (e != AsfError::kOk) {
                    return e;
                }
                break;
            }
        }
    }
    return r.Remaining() == 0 ? AsfError::kOk : AsfError::kBadObjectSize;
}

AsfError AsfHeaderParser::FileProperties(AsfByteReader& b, AsfHeader* out)
{
    b.ReadGuid();
    out->fileSize = b.U64();
    b.U64();
    out->packetCount = b.U64();
    out->playDuration = b.U64();
    out->sendDuration = b.U64();
    out->prerollMs = b.U64();
    out->flags = b.U32();
    const uint32_t minPacket = b.U32();
    const uint32_t maxPacket = b.U32();
    out->maxBitrate = b.U32();
    if (!b.Ok()) {
        return AsfError::kTruncated;
    }
    // Only fixed-size packets are defined for files; anything else cannot be walked.
    if (minPacket != maxPacket || minPacket < 16 || minPacket > kMaxPacketSize) {
        return AsfError::kBadHeader;
    }
    if (out->prerollMs > 3600ull * 1000) {
        return AsfError::kBadHeader;
    }
    out->packetSize = minPacket;
    return AsfError::kOk;
}

AsfError AsfHeaderParser::StreamProperties(AsfByteReader& b, AsfHeader* out)
{
    AsfStream s;
    s.typeGuid = b.ReadGuid();
    b.ReadGuid();
    s.timeOffset = b.U64();
    const uint32_t typeLength = b.U32();
    const uint32_t ecLength = b.U32();
    const uint16_t flags = b.U16();
    b.U32();
    if (!b.Ok()) {
        return AsfError::kTruncated;
    }
    if (uint64_t(typeLength) + ecLength > b.Remaining()) {
        return AsfError::kBadObjectSize;
    }
    s.number = flags & 0x7F;
    if (s.number == 0) {
        return AsfError::kBadHeader;
    }
    const uint8_t* typeData = b.Take(typeLength);
    s.typeData.assign(typeData, typeData + typeLength);
    AsfByteReader t(s.typeData.data(), s.typeData.size());
    if (s.typeGuid == guids::kAudioMedia) {
        s.kind = AsfStreamKind::kAudio;
        t.U16();
        t.U16();
        t.U32();
        s.averageBytesPerSecond = t.U32();
        t.U16();
        t.U16();
        const uint16_t extra = t.U16();
        if (!t.Ok() || extra > t.Remaining()) {
            return AsfError::kBadHeader;
        }
        // Keep exactly the wave format and its declared extra bytes.
        s.typeData.resize(18 + extra);
    } else if (s.typeGuid == guids::kVideoMedia) {
        s.kind = AsfStreamKind::kVideo;
        s.width = t.U32();
        s.height = t.U32();
        t.U8();
        const uint16_t formatSize = t.U16();
        if (!t.Ok() || formatSize < 40 || formatSize > t.Remaining()) {
            return AsfError::kBadHeader;
        }
        const uint8_t* bi = t.Take(formatSize);
        s.bitmapInfo.assign(bi, bi + formatSize);
        // biSize must describe a header inside the format data.
        AsfByteReader bir(bi, formatSize);
        const uint32_t biSize = bir.U32();
        if (biSize < 40 || biSize > formatSize) {
            return AsfError::kBadHeader;
        }
    } else if (s.typeGuid == guids::kCommandMedia) {
        s.kind = AsfStreamKind::kCommand;
    }
    for (const AsfStream& other : out->streams) {
        if (other.number == s.number) {
            return AsfError::kBadHeader;
        }
    }
    if (out->streams.size() >= kMaxStreams) {
        return AsfError::kTooManyStreams;
    }
    out->streams.push_back(std::move(s));
    return AsfError::kOk;
}

AsfError AsfHeaderParser::HeaderExtension(AsfByteReader& b, AsfHeader* out)
{
    b.ReadGuid();
    b.U16();
    const uint32_t dataSize = b.U32();
    if (!b.Ok()) {
        return AsfError::kTruncated;
    }
    if (dataSize != b.Remaining()) {
        return AsfError::kBadObjectSize;
    }
    AsfByteReader inner(b.Here(), dataSize);
    static const Entry table[] = {
        {&guids::kExtendedStreamProperties, &ExtendedStreamProperties},
        {&guids::kMetadata, &Metadata},
        {&guids::kMetadataLibrary, &Metadata},
    };
    return ParseObjects(inner, 0, table, std::size(table), out);
}

AsfError AsfHeaderParser::ExtendedStreamProperties(AsfByteReader& b, AsfHeader* out)
{
    b.U64();
    b.U64();
    const uint32_t bitrate = b.U32();
    const uint32_t bufferSize = b.U32();
    b.U32();
    b.U32();
    b.U32();
    b.U32();
    const uint32_t maxObject = b.U32();
    b.U32();
    const uint16_t number = b.U16() & 0x7F;
    b.U16();
    const uint64_t timePerFrame = b.U64();
    const uint16_t nameCount = b.U16();
    const uint16_t extCount = b.U16();
    if (!b.Ok()) {
        return AsfError::kTruncated;
    }
    std::u16string name;
    for (uint16_t i = 0; i < nameCount; ++i) {
        b.U16();
        const uint16_t len = b.U16();
        std::u16string n = b.Utf16(len);
        if (!b.Ok()) {
            return AsfError::kBadObjectSize;
        }
        if (name.empty()) {
            name = std::move(n);
        }
    }
    for (uint16_t i = 0; i < extCount; ++i) {
        b.ReadGuid();
        b.U16();
        b.Skip(b.U32());
        if (!b.Ok()) {
            return AsfError::kBadObjectSize;
        }
    }
    // An embedded stream properties object may follow; it declares the stream itself.
    if (b.Remaining() >= kObjectHeaderSize) {
        const AsfGuid id = b.ReadGuid();
        const uint64_t size = b.U64();
        if (size < kObjectHeaderSize || size - kObjectHeaderSize > b.Remaining()) {
            return AsfError::kBadObjectSize;
        }
        if (id == guids::kStreamProperties) {
            AsfByteReader sp(b.Here(), static_cast<size_t>(size - kObjectHeaderSize));
            const AsfError e = StreamProperties(sp, out);
            if (e != AsfError::kOk) {
                return e;
            }
        }
    }
    if (out->declaredExtended.size() >= kMaxStreams) {
        return AsfError::kTooManyStreams;
    }
    AsfHeader::ExtendedProperties e;
    e.number = number;
    e.bitrate = bitrate;
    e.bufferWindow = bufferSize;
    e.maxObjectSize = std::min(maxObject, kMaxObjectSize);
    e.averageTimePerFrame = timePerFrame;
    e.name = std::move(name);
    out->declaredExtended.push_back(std::move(e));
    return AsfError::kOk;
}

AsfError AsfHeaderParser::Metadata(AsfByteReader& b, AsfHeader* out)
{
    const uint16_t count = b.U16();
    for (uint16_t i = 0; i < count; ++i) {
        AsfAttribute a;
        a.language = b.U16();
        a.stream = b.U16();
        const uint16_t nameLength = b.U16();
        const uint16_t type = b.U16();
        const uint32_t dataLength = b.U32();
        if (!b.Ok()) {
            return AsfError::kTruncated;
        }
        if (uint64_t(nameLength) + dataLength > b.Remaining()) {
            return AsfError::kBadObjectSize;
        }
        a.name = b.Utf16(nameLength);
        const uint8_t* data = b.Take(dataLength);
        // Metadata BOOLs are 2 bytes, extended content BOOLs 4: ConvertValue takes either.
        if (ConvertValue(type, data, dataLength, &a)) {
            const AsfError e = AddAttribute(out, std::move(a));
            if (e != AsfError::kOk) {
                return e;
            }
        }
    }
    return b.Ok() ? AsfError::kOk : AsfError::kTruncated;
}

AsfError AsfHeaderParser::ContentDescription(AsfByteReader& b, AsfHeader* out)
{
    static const char16_t* const names[] = {u"Title", u"Author", u"Copyright", u"Description",
                                            u"Rating"};
    uint16_t lengths[5];
    uint64_t total = 0;
    for (uint16_t& l : lengths) {
        l = b.U16();
        total += l;
    }
    if (!b.Ok()) {
        return AsfError::kTruncated;
    }
    if (total > b.Remaining()) {
        return AsfError::kBadObjectSize;
    }
    for (int i = 0; i < 5; ++i) {
        std::u16string text = b.Utf16(lengths[i]);
        if (lengths[i] == 0) {
            continue;
        }
        AsfAttribute a;
        a.name = names[i];
        a.type = AsfAttrType::kString;
        a.value = StringValue(text);
        const AsfError e = AddAttribute(out, std::move(a));
        if (e != AsfError::kOk) {
            return e;
        }
    }
    return AsfError::kOk;
}

AsfError AsfHeaderParser::ExtendedContentDescription(AsfByteReader& b, AsfHeader* out)
{
    const uint16_t count = b.U16();
    for (uint16_t i = 0; i < count; ++i) {
        const uint16_t nameLength = b.U16();
        if (!b.Ok() || nameLength > b.Remaining()) {
            return AsfError::kBadObjectSize;
        }
        AsfAttribute a;
        a.name = b.Utf16(nameLength);
        const uint16_t type = b.U16();
        const uint16_t valueLength = b.U16();
        if (!b.Ok() || valueLength > b.Remaining()) {
            return AsfError::kBadObjectSize;
        }
        const uint8_t* value = b.Take(valueLength);
        if (type > 5) {
            continue;  // GUIDs are not defined here
        }
        if (ConvertValue(type, value, valueLength, &a)) {
            const AsfError e = AddAttribute(out, std::move(a));
            if (e != AsfError::kOk) {
                return e;
            }
        }
    }
    return AsfError::kOk;
}

AsfError AsfHeaderParser::Marker(AsfByteReader& b, AsfHeader* out)
{
    b.ReadGuid();
    const uint32_t count = b.U32();
    b.U16();
    const uint16_t nameLength = b.U16();
    b.Skip(nameLength);
    if (!b.Ok()) {
        return AsfError::kTruncated;
    }
    // Each marker takes at least 26 bytes: a count the object cannot hold is a lie.
    if (count > kMaxMarkers || uint64_t(count) * 26 > b.Remaining()) {
        return count > kMaxMarkers ? AsfError::kTooManyStreams : AsfError::kBadObjectSize;
    }
    const uint64_t preroll = out->prerollMs * 10000;
    for (uint32_t i = 0; i < count; ++i) {
        b.U64();
        const uint64_t time = b.U64();
        const uint16_t entryLength = b.U16();
        if (!b.Ok() || entryLength > b.Remaining()) {
            return AsfError::kBadObjectSize;
        }
        AsfByteReader entry(b.Here(), entryLength);
        b.Skip(entryLength);
        entry.U32();
        entry.U32();
        const uint32_t chars = entry.U32();
        if (!entry.Ok() || uint64_t(chars) * 2 > entry.Remaining()) {
            return AsfError::kBadObjectSize;
        }
        AsfMarker m;
        m.name = entry.Utf16(uint64_t(chars) * 2);
        m.time = time > preroll ? time - preroll : 0;
        out->markers.push_back(std::move(m));
    }
    return AsfError::kOk;
}

AsfError AsfHeaderParser::CodecList(AsfByteReader& b, AsfHeader* out)
{
    b.ReadGuid();
    const uint32_t count = b.U32();
    if (!b.Ok()) {
        return AsfError::kTruncated;
    }
    if (count > kMaxCodecs) {
        return AsfError::kTooManyStreams;
    }
    for (uint32_t i = 0; i < count; ++i) {
        AsfCodec c;
        c.type = b.U16();
        const uint16_t nameChars = b.U16();
        c.name = b.Utf16(uint64_t(nameChars) * 2);
        const uint16_t descChars = b.U16();
        c.description = b.Utf16(uint64_t(descChars) * 2);
        const uint16_t infoLength = b.U16();
        const uint8_t* info = b.Take(infoLength);
        if (!b.Ok()) {
            return AsfError::kBadObjectSize;
        }
        c.info.assign(info, info + infoLength);
        out->codecs.push_back(std::move(c));
    }
    return AsfError::kOk;
}

AsfError AsfHeaderParser::StreamBitrates(AsfByteReader& b, AsfHeader* out)
{
    const uint16_t count = b.U16();
    if (!b.Ok()) {
        return AsfError::kTruncated;
    }
    if (uint64_t(count) * 6 > b.Remaining()) {
        return AsfError::kBadObjectSize;
    }
    if (count > kMaxStreams) {
        return AsfError::kTooManyStreams;
    }
    for (uint16_t i = 0; i < count; ++i) {
        const uint16_t number = b.U16() & 0x7F;
        const uint32_t bitrate = b.U32();
        out->declaredBitrates.emplace_back(number, bitrate);
    }
    return AsfError::kOk;
}

void AsfHeaderParser::AddDerivedAttributes(AsfHeader* out)
{
    bool hasAudio = false;
    bool hasVideo = false;
    for (const AsfStream& s : out->streams) {
        hasAudio = hasAudio || s.kind == AsfStreamKind::kAudio;
        hasVideo = hasVideo || s.kind == AsfStreamKind::kVideo;
    }
    auto make = [](const char16_t* name, AsfAttrType type, std::vector<uint8_t> value) {
        AsfAttribute a;
        a.name = name;
        a.type = type;
        a.value = std::move(value);
        return a;
    };
    const AsfAttribute derived[] = {
        make(u"Duration", AsfAttrType::kQword, PodValue<uint64_t>(out->Duration())),
        make(u"Bitrate", AsfAttrType::kDword, PodValue<uint32_t>(out->maxBitrate)),
        make(u"Seekable", AsfAttrType::kBool, PodValue<uint32_t>((out->flags & 2) ? 1 : 0)),
        make(u"Broadcast", AsfAttrType::kBool, PodValue<uint32_t>(out->flags & 1)),
        make(u"FileSize", AsfAttrType::kQword, PodValue<uint64_t>(out->fileSize)),
        make(u"HasAudio", AsfAttrType::kBool, PodValue<uint32_t>(hasAudio)),
        make(u"HasVideo", AsfAttrType::kBool, PodValue<uint32_t>(hasVideo)),
    };
    // The runtime lists its own attributes first; a file's own copy of one is dropped.
    std::vector<AsfAttribute> merged(std::begin(derived), std::end(derived));
    for (AsfAttribute& a : out->attributes) {
        const bool shadowed = a.stream == 0 && std::any_of(std::begin(derived), std::end(derived),
            [&](const AsfAttribute& d) { return d.name == a.name; });
        if (!shadowed) {
            merged.push_back(std::move(a));
        }
    }
    out->attributes = std::move(merged);
}

}  // namespace orvane::asf
