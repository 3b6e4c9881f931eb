// PNG bitmaps: each colour type and transformation decoded into the 32-bit top-down DIB
// section (pixels read from its bits), the alpha flag, and damaged, short and oversized files
// refused without leaving a bitmap behind.
#include <gtest/gtest.h>

#include "toolkit/common/CUTKGraphicBitmapPng.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::wstring Fixture(const char* name)
{
    std::string path = std::string("png-fixtures\\") + name;
    return std::wstring(path.begin(), path.end());
}

std::vector<BYTE> ReadFixture(const char* name)
{
    std::ifstream f(std::string("png-fixtures/") + name, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(f), {});
}

struct Pixel {
    int x, y;
    BYTE b, g, r, a;
};

// The held bitmap must be a 32-bit DIB section whose first row in memory is the top row.
const BYTE* PixelAt(const DIBSECTION& dib, int x, int y)
{
    return static_cast<const BYTE*>(dib.dsBm.bmBits) + y * dib.dsBm.bmWidthBytes + x * 4;
}

struct Decoded {
    const char* file;
    int width, height;
    BOOL alpha;
    // Gamma and background compositing are checked to within one step.
    int tolerance;
    std::vector<Pixel> pixels;
};

class PngDecoded : public testing::TestWithParam<Decoded> {};

TEST_P(PngDecoded, PixelsAndAlphaFlag)
{
    const Decoded& c = GetParam();
    CUTKGraphicBitmapPng png;
    ASSERT_TRUE(png.LoadFromFile(Fixture(c.file).c_str()));
    EXPECT_EQ(c.alpha, png.m_bAlpha);
    DIBSECTION dib = {};
    ASSERT_EQ(static_cast<int>(sizeof(dib)), ::GetObjectW(png.m_hObject, sizeof(dib), &dib));
    EXPECT_EQ(c.width, dib.dsBm.bmWidth);
    EXPECT_EQ(c.height, dib.dsBm.bmHeight);
    EXPECT_EQ(32, dib.dsBm.bmBitsPixel);
    EXPECT_EQ(1, dib.dsBm.bmPlanes);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), dib.dsBmih.biCompression);
    for (const Pixel& p : c.pixels) {
        const BYTE* got = PixelAt(dib, p.x, p.y);
        const BYTE want[4] = {p.b, p.g, p.r, p.a};
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(want[i], got[i], c.tolerance)
                << c.file << " pixel (" << p.x << ", " << p.y << ") byte " << i;
        }
    }
}

std::vector<Pixel> InterlacedPixels()
{
    // Pixel (x, y) was written as red 20x, green 20y, blue 10(x + y).
    std::vector<Pixel> pixels;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            pixels.push_back({x, y, static_cast<BYTE>(10 * (x + y)), static_cast<BYTE>(20 * y),
                              static_cast<BYTE>(20 * x), 0});
        }
    }
    return pixels;
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, PngDecoded,
    testing::Values(
        // Grey and alpha become four channels.
        Decoded{"grey_alpha.png", 2, 2, TRUE, 0,
                {{0, 0, 10, 10, 10, 255}, {1, 0, 200, 200, 200, 128},
                 {0, 1, 0, 0, 0, 0}, {1, 1, 255, 255, 255, 64}}},
        // The transparency chunk gives the palette entries their alpha.
        Decoded{"palette_trns.png", 4, 1, TRUE, 0,
                {{0, 0, 0, 0, 255, 0}, {1, 0, 0, 255, 0, 128}, {2, 0, 255, 0, 0, 255},
                 {3, 0, 3, 2, 1, 255}}},
        // 16-bit samples keep their high bytes; no alpha channel: alpha bytes 0.
        Decoded{"rgb16.png", 2, 1, FALSE, 0,
                {{0, 0, 0xFF, 0xAB, 0x12, 0}, {1, 0, 0xFF, 0x80, 0x00, 0}}},
        // Composited on the blue background: opaque red, blue, half and half; no alpha.
        Decoded{"bkgd.png", 3, 1, FALSE, 1,
                {{0, 0, 0, 0, 255, 0}, {1, 0, 255, 0, 0, 0}, {2, 0, 127, 0, 128, 0}}},
        // Linear 64 on a 2.2 screen is 255 * (64 / 255)^(1 / 2.2) = 136.
        Decoded{"gama.png", 3, 1, FALSE, 1,
                {{0, 0, 255, 136, 0, 0}, {1, 0, 136, 136, 136, 0}, {2, 0, 255, 255, 255, 0}}},
        Decoded{"grey1.png", 8, 1, FALSE, 0,
                {{0, 0, 255, 255, 255, 0}, {1, 0, 0, 0, 0, 0}, {2, 0, 255, 255, 255, 0},
                 {3, 0, 255, 255, 255, 0}, {4, 0, 0, 0, 0, 0}, {7, 0, 0, 0, 0, 0}}},
        Decoded{"interlaced.png", 9, 9, FALSE, 0, InterlacedPixels()}),
    [](const testing::TestParamInfo<Decoded>& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

class PngRefused : public testing::TestWithParam<const char*> {};

TEST_P(PngRefused, LeavesNoBitmap)
{
    CUTKGraphicBitmapPng png;
    // A held image with alpha is dropped by the failed load.
    ASSERT_TRUE(png.LoadFromFile(Fixture("grey_alpha.png").c_str()));
    EXPECT_FALSE(png.LoadFromFile(Fixture(GetParam()).c_str()));
    EXPECT_EQ(nullptr, png.m_hObject);
    EXPECT_FALSE(png.m_bAlpha);

    // The same bytes through a memory stream.
    std::vector<BYTE> data = ReadFixture(GetParam());
    ASSERT_FALSE(data.empty());
    CMemFile file(data.data(), static_cast<UINT>(data.size()));
    EXPECT_FALSE(png.LoadFromStream(&file));
    EXPECT_EQ(nullptr, png.m_hObject);
}

INSTANTIATE_TEST_SUITE_P(Damaged, PngRefused,
                         testing::Values("bad_truncated_half.png", "bad_truncated_header.png",
                                         "bad_no_iend.png", "bad_crc_ihdr.png",
                                         "bad_crc_idat.png", "bad_huge_ihdr.png",
                                         "bad_large_ihdr.png", "bad_not_png.png"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             return name.substr(4, name.find('.') - 4);
                         });

TEST(PngBitmap, LoadsFromMemoryStream)
{
    std::vector<BYTE> data = ReadFixture("palette_trns.png");
    CMemFile file(data.data(), static_cast<UINT>(data.size()));
    CUTKGraphicBitmapPng png;
    ASSERT_TRUE(png.LoadFromStream(&file));
    EXPECT_TRUE(png.m_bAlpha);
    BITMAP bm = {};
    ASSERT_TRUE(png.GetBitmap(&bm));
    EXPECT_EQ(4, bm.bmWidth);
}

TEST(PngBitmap, MissingFileAndNullInputsFail)
{
    CUTKGraphicBitmapPng png;
    EXPECT_FALSE(png.LoadFromFile(L"png-fixtures\\no-such-file.png"));
    EXPECT_FALSE(png.LoadFromFile(nullptr));
    EXPECT_FALSE(png.LoadFromStream(nullptr));
    EXPECT_FALSE(png.LoadFromResource(::GetModuleHandleW(nullptr), nullptr));
    EXPECT_EQ(nullptr, png.m_hObject);
}

TEST(PngBitmap, ResourceOfNineBytesRefused)
{
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(1), L"PNG");
    ASSERT_NE(nullptr, resource);
    ASSERT_EQ(9u, ::SizeofResource(module, resource));
    CUTKGraphicBitmapPng png;
    EXPECT_FALSE(png.LoadFromResource(module, resource));
    EXPECT_EQ(nullptr, png.m_hObject);
}

TEST(PngBitmap, LoadsFromResource)
{
    HMODULE module = ::GetModuleHandleW(nullptr);
    CUTKGraphicBitmapPng png;
    ASSERT_TRUE(png.LoadFromResource(module, ::FindResourceW(module, MAKEINTRESOURCEW(2), L"PNG")));
    EXPECT_TRUE(png.m_bAlpha);
    DIBSECTION dib = {};
    ASSERT_EQ(static_cast<int>(sizeof(dib)), ::GetObjectW(png.m_hObject, sizeof(dib), &dib));
    EXPECT_EQ(4, dib.dsBm.bmWidth);
    const BYTE* second = PixelAt(dib, 1, 0);
    EXPECT_EQ(255, second[1]);
    EXPECT_EQ(128, second[3]);
}

}  // namespace
