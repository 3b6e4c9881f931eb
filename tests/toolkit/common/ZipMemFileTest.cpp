// The compressed memory file: when data is packed, the exact "ZIP!" header, unpacking of
// what was packed, and damaged blocks that are refused while the file keeps its content.
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKZipMemFile.h"
#include "tests/WinNT_SP/Include_VS2005/TempFolder.h"
#include "toolkit/common/UTKZipBlock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <zlib.h>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// Writes data into a new file and takes it out as a block.
Bytes Detached(const Bytes& data)
{
    CUTKZipMemFile file;
    if (!data.empty()) {
        file.Write(data.data(), static_cast<UINT>(data.size()));
    }
    BYTE* block = nullptr;
    DWORD size = 0;
    file.DetachCompressedBuffer(block, size);
    EXPECT_EQ(0u, file.GetLength());
    Bytes out(block, block + size);
    std::free(block);
    return out;
}

Bytes Content(CMemFile& file)
{
    Bytes out(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!out.empty()) {
        EXPECT_EQ(out.size(), file.Read(out.data(), static_cast<UINT>(out.size())));
    }
    return out;
}

Bytes Text(size_t n)
{
    Bytes data(n);
    for (size_t i = 0; i < n; ++i) {
        data[i] = static_cast<BYTE>("toolbar state "[i % 14]);
    }
    return data;
}

TEST(ZipMemFile, WhatIsPackedAndTheHeader)
{
    const Bytes nineteen(19, 0);
    EXPECT_EQ(nineteen, Detached(nineteen));

    const Bytes zeros(20, 0);
    const Bytes packed = Detached(zeros);
    ASSERT_GE(packed.size(), 8u);
    EXPECT_LT(packed.size(), 28u);
    // "ZIP!", then the unpacked length 20; the zlib stream follows.
    EXPECT_EQ((Bytes{'Z', 'I', 'P', '!', 20, 0, 0, 0}), Bytes(packed.begin(), packed.begin() + 8));
    EXPECT_EQ(0x78, packed[8]);

    std::mt19937 rng(7);
    Bytes noise(1000);
    for (BYTE& b : noise) {
        b = static_cast<BYTE>(rng());
    }
    EXPECT_EQ(noise, Detached(noise));
    EXPECT_EQ(Bytes(), Detached(Bytes()));
}

TEST(ZipMemFile, DetachedBlocksComeBackWhole)
{
    for (size_t n : {size_t(20), size_t(1000), size_t(100000)}) {
        const Bytes data = n == 20 ? Bytes(20, 0) : Text(n);
        Bytes block = Detached(data);
        EXPECT_LT(block.size(), n) << n;
        CUTKZipMemFile file(block.data(), static_cast<UINT>(block.size()));
        EXPECT_TRUE(file.IsAttached());
        EXPECT_EQ(n, file.GetLength());
        EXPECT_EQ(data, Content(file));
    }
}

TEST(ZipMemFile, BlocksTakenAsData)
{
    // Eleven bytes with the magic are data; twelve are a block.
    Bytes eleven = {'Z', 'I', 'P', '!', 1, 0, 0, 0, 0x78, 0x9C, 0x63};
    CUTKZipMemFile small(eleven.data(), static_cast<UINT>(eleven.size()));
    EXPECT_EQ(eleven, Content(small));
    Bytes plain = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    CUTKZipMemFile raw(plain.data(), static_cast<UINT>(plain.size()));
    EXPECT_EQ(plain, Content(raw));
    // The caller's buffer stays the caller's when the content is handed out.
    BYTE* block = nullptr;
    DWORD size = 0;
    raw.SeekToEnd();
    raw.DetachCompressedBuffer(block, size);
    EXPECT_NE(plain.data(), block);
    EXPECT_EQ(plain, Bytes(block, block + size));
    std::free(block);

    const Bytes one = {0x42};
    Bytes packedOne = {'Z', 'I', 'P', '!', 1, 0, 0, 0};
    uLongf length = 64;
    Bytes stream(64);
    ASSERT_EQ(Z_OK, compress2(stream.data(), &length, one.data(), 1, Z_DEFAULT_COMPRESSION));
    packedOne.insert(packedOne.end(), stream.begin(), stream.begin() + length);
    ASSERT_GE(packedOne.size(), 12u);
    CUTKZipMemFile twelve(packedOne.data(), static_cast<UINT>(packedOne.size()));
    EXPECT_TRUE(twelve.IsAttached());
    EXPECT_EQ(one, Content(twelve));
}

TEST(ZipMemFile, DamagedBlocksAreRefusedAndTheFileKeepsItsContent)
{
    const Bytes data = Text(5000);
    const Bytes good = Detached(data);
    auto withLength = [&](uint32_t length) {
        Bytes b = good;
        std::memcpy(b.data() + 4, &length, 4);
        return b;
    };
    Bytes corrupt = good;
    corrupt[good.size() / 2] ^= 0x55;
    Bytes badHeader = good;
    badHeader[8] = 0x00;
    const struct {
        const char* what;
        Bytes block;
    } cases[] = {
        {"length one short", withLength(4999)},
        {"length one long", withLength(5001)},
        {"length beyond what the stream can hold", withLength(0x7FFFFFFF)},
        {"length zero", withLength(0)},
        {"cut short", Bytes(good.begin(), good.begin() + static_cast<long>(good.size() / 2))},
        {"cut to the header and a byte", Bytes(good.begin(), good.begin() + 12)},
        {"corrupt deflate block", corrupt},
        {"bad zlib header", badHeader},
    };
    const Bytes held = {9, 8, 7};
    for (const auto& c : cases) {
        CUTKZipMemFile file;
        file.Write(held.data(), static_cast<UINT>(held.size()));
        Bytes block = c.block;
        EXPECT_FALSE(file.AttachCompressedBuffer(block.data(), static_cast<UINT>(block.size())))
            << c.what;
        EXPECT_EQ(held, Content(file)) << c.what;
        // Given away: freed whatever the outcome.
        BYTE* owned = static_cast<BYTE*>(std::malloc(block.size()));
        std::memcpy(owned, block.data(), block.size());
        EXPECT_FALSE(file.AttachCompressedBuffer(owned, static_cast<UINT>(block.size()), TRUE))
            << c.what;
        CUTKZipMemFile fresh(block.data(), static_cast<UINT>(block.size()));
        EXPECT_FALSE(fresh.IsAttached()) << c.what;
        EXPECT_EQ(0u, fresh.GetLength()) << c.what;
    }
}

TEST(ZipMemFile, UnpackBoundsTheDeclaredLength)
{
    const Bytes block = {'Z', 'I', 'P', '!', 0xFF, 0xFF, 0xFF, 0xFF, 0x78, 0x9C, 0x03, 0x00};
    uint8_t* out = nullptr;
    uint32_t size = 0;
    EXPECT_EQ(UTKZipBlock::Result::BadLength,
              UTKZipBlock::Unpack(block.data(), block.size(), &out, &size));
    EXPECT_EQ(nullptr, out);
}

TEST(ZipMemFile, FilesOnDisk)
{
    orvane::test::TempFolder dir(L"zip-files");
    const Bytes data = Text(3000);
    const Bytes block = Detached(data);
    orvane::test::WriteFileBytes(dir / L"state.bin", std::string(block.begin(), block.end()));
    CUTKZipMemFile file;
    ASSERT_TRUE(file.OpenCompressedFile((dir / L"state.bin").c_str()));
    EXPECT_EQ(data, Content(file));

    const Bytes held = Content(file);
    EXPECT_FALSE(file.OpenCompressedFile((dir / L"missing.bin").c_str()));
    EXPECT_EQ(held, Content(file));
    orvane::test::WriteFileBytes(dir / L"cut.bin",
                                 std::string(block.begin(), block.begin() + 40));
    EXPECT_FALSE(file.OpenCompressedFile((dir / L"cut.bin").c_str()));
    EXPECT_EQ(held, Content(file));
}

// The command bars' road: an archive exchange into the file, taken out packed, loaded back.
TEST(ZipMemFile, ArchiveExchangeThroughAPackedBlock)
{
    BYTE* block = nullptr;
    DWORD size = 0;
    {
        CUTKZipMemFile file;
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        px.ExchangeSchema();
        for (int i = 0; i < 200; ++i) {
            CString name = L"Control";
            ASSERT_TRUE(ExchangeStringProp(&px, L"Name", name));
            ASSERT_TRUE(ExchangeIntProp(&px, L"Id", i));
        }
        ar.Close();
        file.DetachCompressedBuffer(block, size);
    }
    ASSERT_GE(size, 8u);
    EXPECT_EQ(0, std::memcmp(block, "ZIP!", 4));
    CUTKZipMemFile file(block, size);
    std::free(block);
    CArchive ar(&file, CArchive::load);
    CUTKPropExchangeArchive px(ar);
    px.ExchangeSchema();
    EXPECT_EQ(36, px.m_nSchema);
    for (int i = 0; i < 200; ++i) {
        CString name;
        int id = -1;
        ASSERT_TRUE(ExchangeStringProp(&px, L"Name", name));
        ASSERT_TRUE(ExchangeIntProp(&px, L"Id", id));
        EXPECT_STREQ(L"Control", name.GetString());
        EXPECT_EQ(i, id);
    }
}

}  // namespace
