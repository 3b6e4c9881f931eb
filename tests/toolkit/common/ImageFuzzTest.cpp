// The image readers' fuzz entries over the generated fixtures, a saved icon record and a fixed
// set of mutations, so that every test run repeats what the native fuzzers check
// (scripts/fuzz.d/toolkit-images.sh runs them long).
#include <gtest/gtest.h>

#include "tests/toolkit/common/ImageTestImages.h"
#include "tests/toolkit/common/fuzz/ImageFuzzEntries.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/ImageRecordFormats.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

using Bytes = std::vector<uint8_t>;
using Entry = bool (*)(const uint8_t*, size_t);

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

Bytes ReadFixture(const wchar_t* name)
{
    std::ifstream f(orvane::test::FixturePath(name).c_str(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

Bytes Mutate(const Bytes& seed, Rng& rng)
{
    Bytes b = seed;
    const int edits = 1 + static_cast<int>(rng.Below(4));
    for (int i = 0; i < edits && !b.empty(); ++i) {
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
    return b;
}

// An icon saved by the manager: an alpha image and a classic hot image.
Bytes SavedIconRecord()
{
    CUTKImageManager* manager = new CUTKImageManager;
    HBITMAP bitmap = orvane::test::MakeBitmap32(8, 8, [](int x, int) {
        return x < 4 ? 0xFF2040C0u : 0x40101010u;
    });
    (void)manager->SetIconImage(IconImageHandle(bitmap), 1, 0, 0, 0);
    ::DeleteObject(bitmap);
    HICON hot = orvane::test::MakeSolidIcon(8, 8, RGB(1, 2, 3), 2);
    (void)manager->SetIconImage(IconImageHandle(hot), 1, 0, 0, 2);
    ::DestroyIcon(hot);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        manager->GetImage(1, 8)->Serialize(ar);
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + length);
    std::free(data);
    manager->InternalRelease();
    return bytes;
}

void RunEntry(const char* name, Entry entry, const std::vector<Bytes>& seeds, uint32_t seed)
{
    Rng rng{seed};
    for (size_t s = 0; s < seeds.size(); ++s) {
        ASSERT_FALSE(seeds[s].empty()) << name << " seed " << s;
        ASSERT_TRUE(entry(seeds[s].data(), seeds[s].size())) << name << " seed " << s;
        for (int i = 0; i < 400; ++i) {
            const Bytes input = Mutate(seeds[s], rng);
            // A copy of exactly the input's size: any over-read leaves it.
            std::unique_ptr<uint8_t[]> exact(new uint8_t[input.size() + 1]);
            if (!input.empty()) {
                std::memcpy(exact.get(), input.data(), input.size());
            }
            ASSERT_TRUE(entry(exact.get(), input.size())) << name << " seed " << s << " round " << i;
        }
    }
}

TEST(ImageFuzzEntries, SeedsAndFixedMutations)
{
    const Bytes bmp = ReadFixture(L"strip32.bmp");
    ASSERT_GT(bmp.size(), 14u);
    const Bytes dib(bmp.begin() + 14, bmp.end());
    const Bytes ico = ReadFixture(L"alpha.ico");
    ASSERT_GT(ico.size(), 6u + 32u);
    // The first image of the icon file (behind its directory of two 16-byte entries).
    const Bytes icoImage(ico.begin() + 6 + 32, ico.end());
    RunEntry("ToolBarEntry", orvane::fuzz::ToolBarEntry,
        {ReadFixture(L"toolbar10.bin"), ReadFixture(L"toolbar_short.bin")}, 0x1234567u);
    RunEntry("IconDirectoryEntry", orvane::fuzz::IconDirectoryEntry, {ico}, 0x2345678u);
    RunEntry("DibHeaderEntry", orvane::fuzz::DibHeaderEntry, {dib, icoImage, bmp}, 0x3456789u);
    RunEntry("IconRecordEntry", orvane::fuzz::IconRecordEntry, {SavedIconRecord()}, 0x456789Au);
}

TEST(ImageFuzzEntries, ReadersRefuseWhatDoesNotFit)
{
    // Toolbar: the header promises 10 ids, 3 are there.
    const Bytes shortToolBar = ReadFixture(L"toolbar_short.bin");
    orvane::ToolBarResource toolBar;
    EXPECT_FALSE(orvane::ParseToolBarResource(shortToolBar.data(), shortToolBar.size(), toolBar));
    // Bitmap headers: a table of single faults on a sound 32-bit header.
    const Bytes bmp = ReadFixture(L"strip32.bmp");
    const Bytes dib(bmp.begin() + 14, bmp.end());
    orvane::DibLayout layout;
    size_t offset = 0;
    ASSERT_TRUE(orvane::Check32BitBitmapResource(dib.data(), dib.size(), layout, offset));
    EXPECT_EQ(layout.imageBytes, 48u * 16 * 4);
    struct Fault {
        size_t at;
        uint32_t value;
        int bytes;
    } faults[] = {
        {0, 39, 4},            // header below 40
        {0, 5000, 4},          // header larger than the data
        {12, 2, 2},            // two planes
        {14, 7, 2},            // unknown depth
        {16, 1, 4},            // compressed
        {4, 0, 4},             // no width
        {4, 4000, 4},          // too wide
        {8, 0x80000000u, 4},   // height at its most negative
        {32, 300, 4},          // more colours than any table
    };
    for (const Fault& f : faults) {
        Bytes damaged = dib;
        for (int i = 0; i < f.bytes; ++i) {
            damaged[f.at + static_cast<size_t>(i)] = static_cast<uint8_t>(f.value >> (8 * i));
        }
        EXPECT_FALSE(orvane::ValidateDibHeader(damaged.data(), damaged.size(), layout)) << f.at;
    }
    // Pixels cut short by one byte.
    EXPECT_FALSE(orvane::Check32BitBitmapResource(dib.data(), dib.size() - 1, layout, offset));
    // A 32-bit icon image (its height counts colour and mask rows): the colour rows must be
    // there in full.
    const Bytes ico = ReadFixture(L"alpha.ico");
    const Bytes icoImage(ico.begin() + 6 + 32, ico.begin() + 6 + 32 + 40 + 16 * 16 * 4);
    ASSERT_TRUE(orvane::Check32BitIconResource(icoImage.data(), icoImage.size(), layout, offset));
    EXPECT_EQ(layout.height, 16);
    EXPECT_EQ(layout.imageBytes, 16u * 16 * 4);
    EXPECT_FALSE(
        orvane::Check32BitIconResource(icoImage.data(), icoImage.size() - 1, layout, offset));
    // BMP files: whole, cut by one byte, pixels said to start past the end.
    EXPECT_TRUE(orvane::CheckBmpFile(bmp.data(), bmp.size(), bmp.size()));
    EXPECT_FALSE(orvane::CheckBmpFile(bmp.data(), bmp.size() - 1, bmp.size() - 1));
    Bytes late = bmp;
    late[11] = 0x7F;
    EXPECT_FALSE(orvane::CheckBmpFile(late.data(), late.size(), late.size()));
    // An 8-bit header whose colour table runs past its block.
    Bytes palette(dib.begin(), dib.begin() + 40);
    palette[14] = 8;
    EXPECT_FALSE(orvane::ValidateDibHeader(palette.data(), palette.size(), layout));
    palette.resize(40 + 256 * 4);
    EXPECT_TRUE(orvane::ValidateDibHeader(palette.data(), palette.size(), layout));
}

}  // namespace
