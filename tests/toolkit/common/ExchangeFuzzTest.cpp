// The fuzz entries of the storages' parsers over their seeds and a fixed set of mutations, so
// that every test run repeats what the native fuzzers check (scripts/fuzz.sh runs them long).
#include "toolkit/common/UTKValueText.h"
#include "toolkit/common/UTKZipBlock.h"
#include "tests/toolkit/common/fuzz/ArchiveFuzzEntry.h"
#include "tests/toolkit/common/fuzz/ExchangeFuzzEntries.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// A small deterministic generator (xorshift): every run sees the same inputs.
struct Rng {
    uint32_t state;
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    size_t Below(size_t n) { return n ? Next() % n : 0; }
};

Bytes Mutate(const Bytes& seed, Rng& rng)
{
    Bytes b = seed;
    const int edits = 1 + static_cast<int>(rng.Below(4));
    for (int i = 0; i < edits; ++i) {
        const size_t at = rng.Below(b.size() + 1);
        switch (rng.Below(5)) {
        case 0:
            if (at < b.size()) {
                b.erase(b.begin() + static_cast<long>(at),
                        b.begin() + static_cast<long>(std::min(b.size(), at + 1 + rng.Below(8))));
            }
            break;
        case 1:
            b.insert(b.begin() + static_cast<long>(at), static_cast<uint8_t>(rng.Next()));
            break;
        case 2:
            if (at < b.size()) {
                b[at] ^= static_cast<uint8_t>(1u << rng.Below(8));
            }
            break;
        case 3:
            if (at < b.size()) {
                b[at] = static_cast<uint8_t>(rng.Next());
            }
            break;
        default:
            b.resize(at);
            break;
        }
    }
    return b;
}

Bytes TextBytes(const char16_t* text)
{
    const std::u16string s(text);
    Bytes b(s.size() * 2);
    std::memcpy(b.data(), s.data(), b.size());
    return b;
}

Bytes PackedSeed()
{
    Bytes data(3000);
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<uint8_t>("dock layout "[i % 12]);
    }
    uint8_t* block = nullptr;
    size_t size = 0;
    EXPECT_TRUE(UTKZipBlock::Pack(data.data(), data.size(), &block, &size));
    Bytes b(block, block + size);
    std::free(block);
    return b;
}

void RunEntry(bool (*entry)(const uint8_t*, size_t), const std::vector<Bytes>& seeds, int rounds)
{
    Rng rng{0x9E3779B9u};
    for (const Bytes& seed : seeds) {
        ASSERT_TRUE(entry(seed.data(), seed.size()));
        for (int i = 0; i < rounds; ++i) {
            const Bytes input = Mutate(seed, rng);
            // A copy of exactly the input's size: any over-read leaves it.
            std::unique_ptr<uint8_t[]> exact(new uint8_t[input.size() + 1]);
            std::memcpy(exact.get(), input.data(), input.size());
            ASSERT_TRUE(entry(exact.get(), input.size())) << "seed round " << i;
        }
    }
}

TEST(ExchangeFuzz, ZipBlocks)
{
    RunEntry(orvane::fuzz::ZipBlockEntry,
        {PackedSeed(), Bytes{'Z', 'I', 'P', '!', 1, 0, 0, 0, 0x78, 0x9C, 0x63, 0x04},
         Bytes{'Z', 'I', 'P', '!'}},
        400);
}

TEST(ExchangeFuzz, BlobTexts)
{
    RunEntry(orvane::fuzz::BlobTextEntry, {TextBytes(u"AAMDPPBA"), TextBytes(u"ABCDEFGHIJKLMNOP")},
        500);
}

TEST(ExchangeFuzz, Escapes)
{
    RunEntry(orvane::fuzz::EscapeEntry,
        {TextBytes(u"a\\\\b\\nc\\r\\t\\q\\"), TextBytes(u"\x0001\x0001\\\\")}, 500);
}

TEST(ExchangeFuzz, DateRectPointAndNumberTexts)
{
    RunEntry(orvane::fuzz::ValueTextEntry,
        {TextBytes(u"2010-06-11T12:30:05"), TextBytes(u"12:30"), TextBytes(u"1, 2, 3, 4"),
         TextBytes(u"-0x7FFFFFFF, 017, 4294967295"), TextBytes(u"  -99999999999")},
        500);
}

// The binary exchange over its stored trees, mutated: clean refusals, no object left behind,
// and what loads stores to bytes that load back to the same.
TEST(ExchangeFuzz, ArchiveTrees)
{
    const std::vector<Bytes> seeds = orvane::fuzz::ArchiveExchangeSeeds();
    ASSERT_EQ(seeds.size(), 2u);
    Rng rng{0x51ED5EEDu};
    int loads = 0;
    int refusals = 0;
    for (const Bytes& seed : seeds) {
        ASSERT_TRUE(orvane::fuzz::ArchiveExchangeLoads(seed.data(), seed.size()));
        for (int i = 0; i < 200; ++i) {
            const Bytes input = Mutate(seed, rng);
            ++(orvane::fuzz::ArchiveExchangeLoads(input.data(), input.size()) ? loads : refusals);
        }
    }
    // The mutations reach both a loaded tree with other values and a refusal.
    EXPECT_GT(loads, 0);
    EXPECT_GT(refusals, 0);
    RunEntry(orvane::fuzz::ArchiveExchangeEntry, seeds, 400);
}

}  // namespace
