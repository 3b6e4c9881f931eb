// The ASF parser on its own, over the fixtures and over hostile input: truncations, bit flips,
// wrong object sizes, packet and payload lengths past their container, absurd counts and sizes.
// Every case must end in a clear error or a clean end, never a crash, hang or huge allocation.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/platform/wmvcore/AsfWriter.h"
#include "tests/platform/wmvcore/WmvTestSupport.h"
#include "platform/wmvcore/asf/AsfDemuxer.h"
#include "platform/wmvcore/asf/AsfMemorySource.h"

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

TEST(AsfParser, LargestObjectsDoNotDependOnReadSizes)
{
    for (size_t maxRead : {size_t(0), size_t(7), size_t(4000)}) {
        AsfMemorySource src(Fixture(L"sample.wmv"), maxRead);
        AsfDemuxer demuxer;
        ASSERT_EQ(demuxer.Open(&src), AsfError::kOk);
        // ffprobe's largest packet of each of the fixture's three streams.
        std::vector<uint32_t> largest(4, 0);
        for (const SampleRow& r : ExpectedSamples(L"sample.wmv", {1, 2, 3})) {
            largest[r.stream] = std::max(largest[r.stream], r.size);
        }
        for (uint16_t stream = 1; stream <= 3; ++stream) {
            uint32_t max = 0;
            ASSERT_EQ(demuxer.MaxObjectSize(stream, &max), AsfError::kOk);
            EXPECT_EQ(max, largest[stream]) << "stream " << stream << ", reads of " << maxRead;
        }
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

std::vector<uint8_t> PacketFrom(AsfWriter w)
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
        AsfWriter w;
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
        AsfWriter w;
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

TEST(AsfParserLayouts, StreamBitratesApplyToStreamsDeclaredLater)
{
    AsfWriter rates;
    rates.U16(2).U16(2).U32(250000).U16(1).U32(64000);
    const std::vector<uint8_t> file =
        File({ObjectBytes(guids::kStreamBitrateProperties, rates.b),
              ObjectBytes(guids::kFileProperties, FileProps()),
              ObjectBytes(guids::kStreamProperties, AudioStream(1)),
              ObjectBytes(guids::kStreamProperties, AudioStream(2))},
             {});
    AsfMemorySource src(file);
    AsfDemuxer demuxer;
    ASSERT_EQ(demuxer.Open(&src), AsfError::kOk);
    EXPECT_EQ(demuxer.Header().FindStream(1)->bitrate, 64000u);
    EXPECT_EQ(demuxer.Header().FindStream(2)->bitrate, 250000u);
    AsfWriter lying;
    lying.U16(100).U16(1).U32(1);
    size_t samples = 0;
    EXPECT_EQ(ReadAll(File({ObjectBytes(guids::kStreamBitrateProperties, lying.b),
                            ObjectBytes(guids::kFileProperties, FileProps()),
                            ObjectBytes(guids::kStreamProperties, AudioStream(1))},
                           {}),
                      &samples),
              AsfError::kBadObjectSize);
}

std::vector<uint8_t> Utf16(const char* text)
{
    std::vector<uint8_t> v;
    for (; *text; ++text) {
        v.push_back(uint8_t(*text));
        v.push_back(0);
    }
    v.push_back(0);
    v.push_back(0);
    return v;
}

TEST(AsfParserLayouts, HeaderExtensionGivesStreamDetailsAndMetadata)
{
    // Extended stream properties for stream 1: name, largest object, time per frame.
    AsfWriter esp;
    esp.U64(0).U64(0).U32(128000).U32(3000).U32(0).U32(0).U32(0).U32(0);
    esp.U32(4321).U32(0).U16(1).U16(0).U64(400000);
    const std::vector<uint8_t> name = Utf16("Speaker");
    esp.U16(1).U16(0);  // one name, no payload extension systems
    esp.U16(0).U16(uint16_t(name.size())).Bytes(name);
    // Metadata: a stream-level DWORD and a file-level string.
    AsfWriter meta;
    const std::vector<uint8_t> key1 = Utf16("WM/Level");
    const std::vector<uint8_t> key2 = Utf16("WM/Composer");
    const std::vector<uint8_t> value2 = Utf16("Ada");
    meta.U16(2);
    meta.U16(0).U16(1).U16(uint16_t(key1.size())).U16(3).U32(4).Bytes(key1).U32(7);
    meta.U16(0).U16(0).U16(uint16_t(key2.size())).U16(0).U32(uint32_t(value2.size()));
    meta.Bytes(key2).Bytes(value2);
    AsfWriter inner;
    inner.Obj(guids::kExtendedStreamProperties, esp.b).Obj(guids::kMetadata, meta.b);
    AsfWriter ext;
    ext.G(AsfGuid{}).U16(6).U32(uint32_t(inner.b.size())).Bytes(inner.b);
    const std::vector<uint8_t> file =
        File({ObjectBytes(guids::kFileProperties, FileProps()),
              ObjectBytes(guids::kHeaderExtension, ext.b),
              ObjectBytes(guids::kStreamProperties, AudioStream(1))},
             {Packet(1, 100, 0, 100, 10)});
    AsfMemorySource src(file);
    AsfDemuxer demuxer;
    ASSERT_EQ(demuxer.Open(&src), AsfError::kOk);
    const AsfHeader& h = demuxer.Header();
    const AsfStream* s = h.FindStream(1);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->name, u"Speaker");
    EXPECT_EQ(s->maxObjectSize, 4321u);
    EXPECT_EQ(s->averageTimePerFrame, 400000u);
    EXPECT_EQ(s->bitrate, 128000u);
    EXPECT_EQ(s->bufferWindow, 3000u);
    uint32_t max = 0;
    EXPECT_EQ(demuxer.MaxObjectSize(1, &max), AsfError::kOk);
    EXPECT_EQ(max, 4321u) << "the header's figure needs no scan";
    bool level = false;
    bool composer = false;
    for (const AsfAttribute& a : h.attributes) {
        if (a.name == u"WM/Level") {
            level = true;
            EXPECT_EQ(a.stream, 1);
            EXPECT_EQ(a.type, AsfAttrType::kDword);
            EXPECT_EQ(a.value, (std::vector<uint8_t>{7, 0, 0, 0}));
        }
        if (a.name == u"WM/Composer") {
            composer = true;
            EXPECT_EQ(a.stream, 0);
            EXPECT_EQ(a.value, value2);
        }
    }
    EXPECT_TRUE(level);
    EXPECT_TRUE(composer);
    // The extension's declared data size must be exactly its content.
    AsfWriter badExt;
    badExt.G(AsfGuid{}).U16(6).U32(uint32_t(inner.b.size() + 1)).Bytes(inner.b);
    size_t samples = 0;
    EXPECT_EQ(ReadAll(File({ObjectBytes(guids::kFileProperties, FileProps()),
                            ObjectBytes(guids::kHeaderExtension, badExt.b),
                            ObjectBytes(guids::kStreamProperties, AudioStream(1))},
                           {}),
                      &samples),
              AsfError::kBadObjectSize);
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
        AsfWriter m;
        m.G(AsfGuid{}).U32(0xFFFFFFFF).U16(0).U16(0);
        cases.push_back({"absurd marker count",
                         File({fp, sp, ObjectBytes(guids::kMarker, m.b)}, {}),
                         AsfError::kTooManyStreams});
        AsfWriter m2;
        m2.G(AsfGuid{}).U32(60000).U16(0).U16(0);
        cases.push_back({"marker count the object cannot hold",
                         File({fp, sp, ObjectBytes(guids::kMarker, m2.b)}, {}),
                         AsfError::kBadObjectSize});
    }
    {
        AsfWriter c;
        c.U16(2).U16(0xFFFF).U8('a');
        cases.push_back({"descriptor name past its object",
                         File({fp, sp, ObjectBytes(guids::kExtendedContentDescription, c.b)}, {}),
                         AsfError::kBadObjectSize});
        AsfWriter t;
        t.U16(1000).U16(0).U16(0).U16(0).U16(0);
        cases.push_back({"title longer than its object",
                         File({fp, sp, ObjectBytes(guids::kContentDescription, t.b)}, {}),
                         AsfError::kBadObjectSize});
    }
    {
        AsfWriter w;
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
        AsfWriter w;
        w.U8(0x09).U8(0x5D).U8(0).U32(10).U16(0);
        w.U8(0x80 | 2);  // two payloads, lengths as words
        w.U8(0x81).U8(1).U32(0).U8(8).U32(100).U32(10).U16(5000);
        w.b.resize(kPacket);
        cases.push_back({"payload length past the packet", GoodFile({w.b}), AsfError::kBadPacket});
    }
    {
        // Compressed payload whose sub-payload runs past its payload.
        AsfWriter w;
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
