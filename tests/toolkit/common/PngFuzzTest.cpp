// The PNG decoder's fuzz entry over the generated images and a fixed set of mutations, so that
// every test run repeats what the native fuzzer checks (scripts/fuzz.d/toolkit-png.sh runs it
// long).
#include <gtest/gtest.h>

#include "tests/toolkit/common/fuzz/PngFuzzEntry.h"

#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

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

Bytes ReadFixture(const char* name)
{
    std::ifstream f(std::string("png-fixtures/") + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

// Rewrites every chunk's checksum, so that mutations reach the decoder past the CRC checks.
void FixChecksums(Bytes& b)
{
    size_t at = 8;
    while (at + 12 <= b.size()) {
        const uint32_t length = (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) |
                                (uint32_t{b[at + 2]} << 8) | b[at + 3];
        if (length > b.size() - at - 12) {
            break;
        }
        const uLong crc = crc32(0, b.data() + at + 4, static_cast<uInt>(length + 4));
        for (int i = 0; i < 4; ++i) {
            b[at + 8 + length + static_cast<size_t>(i)] =
                static_cast<uint8_t>(crc >> (24 - 8 * i));
        }
        at += 12 + length;
    }
}

Bytes Mutate(const Bytes& seed, Rng& rng)
{
    Bytes b = seed;
    const int edits = 1 + static_cast<int>(rng.Below(4));
    for (int i = 0; i < edits; ++i) {
        const size_t at = rng.Below(b.size());
        switch (rng.Below(4)) {
        case 0:
            b[at] ^= static_cast<uint8_t>(1u << rng.Below(8));
            break;
        case 1:
            b[at] = static_cast<uint8_t>(rng.Next());
            break;
        case 2:
            b.insert(b.begin() + static_cast<long>(at), static_cast<uint8_t>(rng.Next()));
            break;
        default:
            b.resize(at);
            break;
        }
    }
    if (rng.Below(2) == 0) {
        FixChecksums(b);
    }
    return b;
}

TEST(PngFuzzEntry, SeedsAndFixedMutations)
{
    const char* seeds[] = {"grey_alpha.png", "palette_trns.png", "rgb16.png", "bkgd.png",
                           "gama.png", "grey1.png", "interlaced.png", "bad_large_ihdr.png"};
    Rng rng{0x2545F491u};
    for (const char* name : seeds) {
        const Bytes seed = ReadFixture(name);
        ASSERT_FALSE(seed.empty()) << name;
        ASSERT_TRUE(orvane::fuzz::PngToBgraEntry(seed.data(), seed.size())) << name;
        for (int i = 0; i < 300; ++i) {
            const Bytes input = Mutate(seed, rng);
            // A copy of exactly the input's size: any over-read leaves it.
            std::unique_ptr<uint8_t[]> exact(new uint8_t[input.size() + 1]);
            std::memcpy(exact.get(), input.data(), input.size());
            ASSERT_TRUE(orvane::fuzz::PngToBgraEntry(exact.get(), input.size()))
                << name << " round " << i;
        }
    }
}

}  // namespace
