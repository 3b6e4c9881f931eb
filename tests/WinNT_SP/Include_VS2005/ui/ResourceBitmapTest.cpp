// The resource-bitmap loader: a "PNG" resource decoded with its alpha, a plain bitmap resource,
// a missing resource, and data that is not a PNG.
#include "WinNT_SP/Include_VS2005/ui/ResourceBitmap.h"
#include "WinNT_SP/Include_VS2005/ui/SupportUiResource.h"
#include "tests/WinNT_SP/Include_VS2005/ui/UiTestApp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace orvane::test;

namespace {

std::vector<DWORD> Pixels(HBITMAP bitmap, int width, int height)
{
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return pixels;
}

}  // namespace

TEST(ResourceBitmap, PngResourceKeepsItsAlpha)
{
    EnsureUiTestApp();
    BOOL alpha = FALSE;
    HBITMAP bitmap = LoadResourceBitmap(900, &alpha);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_TRUE(alpha);
    BITMAP info;
    GetObjectW(bitmap, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(info.bmBitsPixel, 32);
    const std::vector<DWORD> p = Pixels(bitmap, 4, 2);
    EXPECT_EQ(p[0], 0xFFFF0000u);  // opaque red as 0xAARRGGBB
    EXPECT_EQ(p[1] >> 24, 128u);
    EXPECT_EQ(p[2] >> 24, 0u);
    EXPECT_EQ(p[3], 0xFFFFFFFFu);
    EXPECT_EQ(p[4], 0xFF000000u);
    DeleteObject(bitmap);
}

TEST(ResourceBitmap, BitmapResourceAndMissingOnes)
{
    EnsureUiTestApp();
    BOOL alpha = TRUE;
    HBITMAP strip = LoadResourceBitmap(IDB_COMMAND_STRIP, &alpha);
    ASSERT_NE(strip, nullptr);
    EXPECT_FALSE(alpha);
    BITMAP info;
    GetObjectW(strip, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 23 * 22);
    DeleteObject(strip);
    alpha = TRUE;
    EXPECT_EQ(LoadResourceBitmap(147, &alpha), nullptr);
    EXPECT_FALSE(alpha);
}

TEST(ResourceBitmap, DataThatIsNotAPngIsRefused)
{
    const char text[] = "not a png at all";
    EXPECT_EQ(DecodePngBitmap(text, sizeof(text)), nullptr);
    EXPECT_EQ(DecodePngBitmap(nullptr, 0), nullptr);
    // A valid signature followed by garbage.
    unsigned char broken[32] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I'};
    EXPECT_EQ(DecodePngBitmap(broken, sizeof(broken)), nullptr);
}
