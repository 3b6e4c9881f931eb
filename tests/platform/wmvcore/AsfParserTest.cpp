// The ASF parser on its own, over the fixtures and over hostile input: truncations, bit flips,
// wrong object sizes, packet and payload lengths past their container, absurd counts and sizes.
// Every case must end in a clear error or a clean end, never a crash, hang or huge allocation.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "WmvTestSupport.h"
#include "asf/AsfDemuxer.h"
#include "asf/AsfMemorySource.h"

namespace orvane::test {
namespace {

using namespace orvane::asf;

std::vector<uint8_t> Fixture(const wchar_t* name)
{
    const std::string text = ReadMediaText(name);
    return std::vector<uint8_t>(text.begin(), text.end());
}

// Reads everything; returns the final error and counts samples. Bounded by a step cap so that
// a parser that stopped making progress fails instead of hanging.
AsfError ReadAll(std::vector<uint8_t> bytes, size_t* samples, size_t maxRead = 0)
{
    AsfMemorySource src(std::move(bytes), maxRead);
    AsfDemuxer demuxer;
    *samples = 0;
    AsfError e = demuxer.Open(&src);
    if (e != AsfError::kOk) {
        return e;
    }
    AsfSample s;
    for (int steps = 0; steps < 1000000; ++steps) {
        e = demuxer.Next(&s);
        if (e != AsfError::kOk) {
            return e;
        }
        ++*samples;
    }
    ADD_FAILURE() << "no end after a million samples";
    return AsfError::kOk;
}

// ---- a tiny file writer for crafted input ----
struct Writer {
    std::vector<uint8_t> b;
    Writer& U8(uint8_t v) { b.push_back(v); return *this; }
    Writer& U16(uint16_t v) { return U8(uint8_t(v)).U8(uint8_t(v >> 8)); }
    Writer& U32(uint32_t v) { return U16(uint16_t(v)).U16(uint16_t(v >> 16)); }
    Writer& U64(uint64_t v) { return U32(uint32_t(v)).U32(uint32_t(v >> 32)); }
    Writer& G(const Guid& g)
    {
        U32(g.data1).U16(g.data2).U16(g.data3);
        b.insert(b.end(), g.data4, g.data4 + 8);
        return *this;
    }
    Writer& Bytes(const std::vector<uint8_t>& v)
    {
        b.insert(b.end(), v.begin(), v.end());
        return *this;
    }
    // An object: GUID, size (body + 24 unless given), body.
    Writer& Obj(const Guid& g, const std::vector<uint8_t>& body, uint64_t size = 0)
    {
        return G(g).U64(size ? size : body.size() + 24).Bytes(body);
    }
};

constexpr uint32_t kPacket = 256;

std::vector<uint8_t> FileProps(uint32_t packetSize = kPacket)
{
    Writer w;
    w.G(Guid{}).U64(0).U64(0).U64(0).U64(50000000).U64(0).U64(0).U32(2);
    w.U32(packetSize).U32(packetSize).U32(64000);
    return w.b;
}

std::vector<uint8_t> AudioStream(uint16_t number)
{
    Writer w;
    w.G(guids::kAudioMedia).G(Guid{}).U64(0).U32(18).U32(0).U16(number).U32(0);
    w.U16(0x161).U16(2).U32(44100).U32(8000).U16(64).U16(16).U16(0);
    return w.b;
}

// One packet with one payload of a whole object (or what the arguments make of it).
std::vector<uint8_t> Packet(uint8_t stream, uint32_t objectSize, uint32_t offset,
                            uint32_t dataLength, uint32_t timeMs)
{
    Writer w;
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

std::vector<uint8_t> File(const std::vector<std::vector<uint8_t>>& headerObjects,
                          const std::vector<std::vector<uint8_t>>& packets,
                          uint32_t declaredObjects = 0)
{
    Writer objects;
    for (const auto& o : headerObjects) {
        objects.Bytes(o);
    }
    Writer w;
    w.G(guids::kHeader).U64(30 + objects.b.size());
    w.U32(declaredObjects ? declaredObjects : uint32_t(headerObjects.size())).U8(1).U8(2);
    w.Bytes(objects.b);
    w.G(guids::kData).U64(50 + packets.size() * kPacket).G(Guid{}).U64(packets.size()).U16(0x101);
    for (const auto& p : packets) {
        w.Bytes(p);
    }
    return w.b;
}

std::vector<uint8_t> ObjectBytes(const Guid& g, const std::vector<uint8_t>& body, uint64_t size = 0)
{
    return Writer().Obj(g, body, size).b;
}

std::vector<uint8_t> GoodFile(const std::vector<std::vector<uint8_t>>& packets)
{
    return File({ObjectBytes(guids::kFileProperties, FileProps()),
                 ObjectBytes(guids::kStreamProperties, AudioStream(1))},
                packets);
}

TEST(AsfParser, FixturesReadToTheEnd)
{
    for (const wchar_t* name : {L"sample.wmv", L"one-video.wmv", L"audio-only.wma"}) {
        size_t samples = 0;
        size_t shortReads = 0;
        EXPECT_EQ(ReadAll(Fixture(name), &samples), AsfError::kEndOfData);
        EXPECT_GT(samples, 100u);
        // Short reads from the source change nothing.
        EXPECT_EQ(ReadAll(Fixture(name), &shortReads, 7), AsfError::kEndOfData);
        EXPECT_EQ(shortReads, samples);
    }
}

TEST(AsfParser, CraftedFileReadsItsObject)
{
    size_t samples = 0;
    EXPECT_EQ(ReadAll(GoodFile({Packet(1, 100, 0, 100, 10), Packet(1, 50, 0, 50, 20)}), &samples),
              AsfError::kEndOfData);
    EXPECT_EQ(samples, 2u);
    // An object in two fragments is one sample.
    EXPECT_EQ(ReadAll(GoodFile({Packet(1, 300, 0, 200, 10), Packet(1, 300, 200, 100, 10)}),
                      &samples),
              AsfError::kEndOfData);
    EXPECT_EQ(samples, 1u);
}

// Reads every sample of bytes (which must be valid) as (stream, ms, size, key) rows.
std::vector<SampleRow> Rows(std::vector<uint8_t> bytes, uint64_t start = 0)
{
    AsfMemorySource src(std::move(bytes));
    AsfDemuxer demuxer;
    std::vector<SampleRow> rows;
    EXPECT_EQ(demuxer.Open(&src), AsfError::kOk);
    EXPECT_EQ(demuxer.SetRange(start, 0), AsfError::kOk);
    AsfSample s;
    AsfError e;
    while ((e = demuxer.Next(&s)) == AsfError::kOk) {
        rows.push_back({s.stream, s.time / 10000, unsigned(s.data.size()), s.keyFrame});
    }
    EXPECT_EQ(e, AsfError::kEndOfData);
    return rows;
}

std::vector<uint8_t> PacketFrom(Writer w)
{
    w.b.resize(kPacket);
    return w.b;
}

TEST(AsfParserLayouts, EachPacketLayoutGivesItsSamples)
{
    struct Layout {
        const char* what;
        std::vector<uint8_t> packet;
        std::vector<SampleRow> expected;
    };
    std::vector<Layout> layouts;
    {
        // Compressed payload: three whole objects of 4, 2 and 3 bytes, 40 ms apart from 100 ms.
        Writer w;
        w.U8(0x10).U8(0x5D).U16(0).U32(100).U16(0);  // padding length as a word
        w.U8(0x81).U8(7).U32(100).U8(1).U8(40);
        w.U8(4).U32(0xAAAAAAAA).U8(2).U16(0xBBBB).U8(3).U8(1).U8(2).U8(3);
        const uint16_t padding = uint16_t(kPacket - w.b.size());
        w.b[2] = uint8_t(padding);
        w.b[3] = uint8_t(padding >> 8);
        layouts.push_back({"compressed payload", PacketFrom(w),
                           {{1, 100, 4, true}, {1, 140, 2, true}, {1, 180, 3, true}}});
    }
    {
        // Multiple payloads (byte lengths), error correction data in front, and a packet
        // length below the packet size that implies the padding.
        Writer w;
        w.U8(0x82).U8(0).U8(0);                      // error correction: two bytes
        w.U8(0x21).U8(0x5D).U8(120).U32(50).U16(0);  // packet length 120 as a byte, multiple
        w.U8(0x40 | 2);                              // two payloads, lengths as bytes
        w.U8(0x81).U8(1).U32(0).U8(8).U32(10).U32(60).U8(10);
        for (int i = 0; i < 10; ++i) w.U8(uint8_t(i));
        w.U8(0x01).U8(2).U32(0).U8(8).U32(20).U32(70).U8(20);
        for (int i = 0; i < 20; ++i) w.U8(uint8_t(i));
        layouts.push_back({"multiple payloads", PacketFrom(w),
                           {{1, 60, 10, true}, {1, 70, 20, true}}});
    }
    for (const Layout& l : layouts) {
        EXPECT_EQ(Rows(GoodFile({l.packet})), l.expected) << l.what;
    }
}

TEST(AsfParserLayouts, RangeWithoutAnIndexSeeksBySendTime)
{
    std::vector<uint8_t> file = Fixture(L"sample.wmv");
    ASSERT_FALSE(file.empty());
    const std::vector<SampleRow> indexed = Rows(file, 10 * 10000000ull);
    // Cut the simple index off: the data object ends the file.
    AsfMemorySource probe(file);
    AsfDemuxer demuxer;
    ASSERT_EQ(demuxer.Open(&probe), AsfError::kOk);
    file.resize(static_cast<size_t>(demuxer.Header().dataEnd));
    const std::vector<SampleRow> searched = Rows(file, 10 * 10000000ull);
    ASSERT_FALSE(searched.empty());
    // Both start each stream at its key frame before 10 s and deliver the same samples.
    std::vector<SampleRow> a = indexed;
    std::vector<SampleRow> b = searched;
    std::stable_sort(a.begin(), a.end());
    std::stable_sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
    for (WORD stream : {WORD(1), WORD(2)}) {
        const auto first = std::find_if(b.begin(), b.end(),
                                        [&](const SampleRow& r) { return r.stream == stream; });
        ASSERT_NE(first, b.end());
        EXPECT_TRUE(first->key);
        EXPECT_LE(first->ms, 10000u);
    }
}

struct BadCase {
    const char* what;
    std::vector<uint8_t> file;
    AsfError expected;
};

class AsfParserBadInput : public testing::TestWithParam<int> {};

std::vector<BadCase> BadCases()
{
    std::vector<BadCase> cases;
    const auto fp = ObjectBytes(guids::kFileProperties, FileProps());
    const auto sp = ObjectBytes(guids::kStreamProperties, AudioStream(1));
    cases.push_back({"empty file", {}, AsfError::kNotAsf});
    cases.push_back({"no header guid", std::vector<uint8_t>(100, 0x41), AsfError::kNotAsf});
    {
        auto f = GoodFile({});
        const uint64_t beyond = f.size() + 1000;  // header size beyond the file
        for (int i = 0; i < 8; ++i) f[16 + i] = uint8_t(beyond >> (8 * i));
        cases.push_back({"header larger than file", f, AsfError::kTruncated});
    }
    {
        auto f = GoodFile({});
        f[16] = 10;  // smaller than its own fixed part
        for (int i = 17; i < 24; ++i) f[i] = 0;
        cases.push_back({"header smaller than its fields", f, AsfError::kBadObjectSize});
    }
    {
        auto f = GoodFile({});
        f[16] = 0xFF;
        f[17] = 0xFF;
        f[18] = 0xFF;
        f[19] = 0xFF;  // 4 GB header
        cases.push_back({"absurd header size", f, AsfError::kTooLarge});
    }
    cases.push_back({"stream object past the header",
                     File({fp, ObjectBytes(guids::kStreamProperties, AudioStream(1), 5000)}, {}),
                     AsfError::kBadObjectSize});
    cases.push_back({"object size below 24",
                     File({fp, ObjectBytes(guids::kStreamProperties, AudioStream(1), 8)}, {}),
                     AsfError::kBadObjectSize});
    cases.push_back({"no streams", File({fp}, {}), AsfError::kBadHeader});
    cases.push_back({"no file properties", File({sp}, {}), AsfError::kBadHeader});
    cases.push_back({"absurd object count is only a hint", File({fp, sp}, {}, 0xFFFFFFFF),
                     AsfError::kEndOfData});
    cases.push_back({"duplicate stream numbers", File({fp, sp, sp}, {}), AsfError::kBadHeader});
    {
        std::vector<std::vector<uint8_t>> objects{fp};
        for (uint16_t n = 1; n <= 127; ++n) {
            objects.push_back(ObjectBytes(guids::kStreamProperties, AudioStream(n)));
        }
        cases.push_back({"every stream number", File(objects, {}), AsfError::kEndOfData});
    }
    cases.push_back({"packet size zero",
                     File({ObjectBytes(guids::kFileProperties, FileProps(0)), sp}, {}),
                     AsfError::kBadHeader});
    cases.push_back({"packet size absurd",
                     File({ObjectBytes(guids::kFileProperties, FileProps(0x7FFFFFFF)), sp}, {}),
                     AsfError::kBadHeader});
    {
        Writer m;
        m.G(Guid{}).U32(0xFFFFFFFF).U16(0).U16(0);
        cases.push_back({"absurd marker count",
                         File({fp, sp, ObjectBytes(guids::kMarker, m.b)}, {}),
                         AsfError::kTooManyStreams});
        Writer m2;
        m2.G(Guid{}).U32(60000).U16(0).U16(0);
        cases.push_back({"marker count the object cannot hold",
                         File({fp, sp, ObjectBytes(guids::kMarker, m2.b)}, {}),
                         AsfError::kBadObjectSize});
    }
    {
        Writer c;
        c.U16(2).U16(0xFFFF).U8('a');
        cases.push_back({"descriptor name past its object",
                         File({fp, sp, ObjectBytes(guids::kExtendedContentDescription, c.b)}, {}),
                         AsfError::kBadObjectSize});
        Writer t;
        t.U16(1000).U16(0).U16(0).U16(0).U16(0);
        cases.push_back({"title longer than its object",
                         File({fp, sp, ObjectBytes(guids::kContentDescription, t.b)}, {}),
                         AsfError::kBadObjectSize});
    }
    {
        Writer w;
        w.U8(0x08 | 0x40).U8(0x5D).U16(0xFFFF).U8(0).U32(10).U16(0);  // packet length 65535
        w.U8(0x81).U8(1).U32(0).U8(8).U32(10).U32(10);
        w.b.resize(kPacket);
        cases.push_back({"packet length past the packet", GoodFile({w.b}), AsfError::kBadPacket});
    }
    cases.push_back({"payload larger than the object",
                     GoodFile({Packet(1, 10, 0, 100, 10)}), AsfError::kBadPacket});
    cases.push_back({"fragment offset past the object",
                     GoodFile({Packet(1, 10, 20, 100, 10)}), AsfError::kBadPacket});
    cases.push_back({"object above the allocation cap",
                     GoodFile({Packet(1, 0x7FFFFFFF, 0, 100, 10)}), AsfError::kTooLarge});
    {
        auto p = Packet(1, 100, 0, 100, 10);
        p[2] = 250;  // padding longer than what is left
        cases.push_back({"padding past the packet", GoodFile({p}), AsfError::kBadPacket});
    }
    {
        // Multiple payloads whose lengths run past the packet.
        Writer w;
        w.U8(0x09).U8(0x5D).U8(0).U32(10).U16(0);
        w.U8(0x80 | 2);  // two payloads, lengths as words
        w.U8(0x81).U8(1).U32(0).U8(8).U32(100).U32(10).U16(5000);
        w.b.resize(kPacket);
        cases.push_back({"payload length past the packet", GoodFile({w.b}), AsfError::kBadPacket});
    }
    {
        // Compressed payload whose sub-payload runs past its payload.
        Writer w;
        w.U8(0x08).U8(0x5D).U8(0).U32(10).U16(0);
        w.U8(0x81).U8(1).U32(10).U8(1).U8(5);  // replicated length 1: compressed
        w.U8(200);                             // sub-payload longer than the rest
        const size_t used = w.b.size();
        w.b[2] = uint8_t(kPacket - used - 10);
        w.b.resize(kPacket);
        cases.push_back({"compressed sub-payload past its payload", GoodFile({w.b}),
                         AsfError::kBadPacket});
    }
    {
        auto f = GoodFile({Packet(1, 100, 0, 100, 10), Packet(1, 100, 0, 100, 20)});
        f.resize(f.size() - 100);
        cases.push_back({"data cut inside a packet", f, AsfError::kTruncated});
    }
    return cases;
}

TEST(AsfParserBadInputTable, EachGivesItsError)
{
    for (const BadCase& c : BadCases()) {
        size_t samples = 0;
        EXPECT_EQ(ReadAll(c.file, &samples), c.expected)
            << c.what << ": got " << AsfErrorText(ReadAll(c.file, &samples));
    }
}

TEST(AsfParserMutations, TruncationsAndBitFlipsEndCleanly)
{
    const std::vector<uint8_t> original = Fixture(L"sample.wmv");
    ASSERT_FALSE(original.empty());
    size_t samples = 0;
    // Every cut inside the header, then a few in the data.
    for (size_t cut = 0; cut < 2200; cut += 13) {
        ReadAll(std::vector<uint8_t>(original.begin(), original.begin() + cut), &samples);
    }
    for (size_t cut = 2200; cut < original.size(); cut += original.size() / 17) {
        EXPECT_NE(ReadAll(std::vector<uint8_t>(original.begin(), original.begin() + cut),
                          &samples),
                  AsfError::kOk);
    }
    // Deterministic flips: mostly in the header, some in packets.
    uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> mutated = original;
        const int flips = 1 + next() % 8;
        for (int i = 0; i < flips; ++i) {
            const size_t span = round % 3 == 0 ? mutated.size() : 2000;
            mutated[next() % span] ^= uint8_t(1 + next() % 255);
        }
        ReadAll(std::move(mutated), &samples);
    }
}

}  // namespace
}  // namespace orvane::test
