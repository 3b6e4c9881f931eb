// Pixels of icons drawn into 32-bit memory DCs: the generated disabled, faded and shadow
// images, sizes and mirroring, silhouettes, classic icons drawn with their masks, and the
// manager's own blits against msimg32's.
#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/common/ImageTestImages.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/common/CUTKImageManager.h"

namespace {

using orvane::test::Argb;
using orvane::test::ColourDistance;
using orvane::test::DrawCanvas;

constexpr COLORREF kBackground = RGB(0, 128, 255);

// An icon of one colour in either form, stored in a fresh manager (with or without image
// resources); the manager owns it.
struct IconCase {
    CUTKImageManager* manager = new CUTKImageManager;
    CUTKImageManagerIcon* icon = nullptr;

    IconCase(bool alpha, bool resources, COLORREF colour, int width = 16, int height = 16)
    {
        manager->m_bUseResources = resources ? TRUE : FALSE;
        if (alpha) {
            HBITMAP bitmap = orvane::test::MakeBitmap32(
                width, height, [colour](int, int) { return Argb(255, colour); });
            IconImageHandle image(bitmap);
            (void)manager->SetIconImage(image, 1, 0, 0, 0);
            image.Clear();
            ::DeleteObject(bitmap);
        } else {
            HICON handle = orvane::test::MakeSolidIcon(width, height, colour);
            IconImageHandle image(handle);
            (void)manager->SetIconImage(image, 1, 0, 0, 0);
            ::DestroyIcon(handle);
        }
        icon = manager->GetImage(1, width);
    }
    ~IconCase() { manager->InternalRelease(); }
    IconCase(const IconCase&) = delete;
    IconCase& operator=(const IconCase&) = delete;

    COLORREF Drawn(IconImageHandle& image)
    {
        DrawCanvas canvas(32, 32, kBackground);
        icon->DrawImage(canvas.dc(), CPoint(0, 0), image);
        return canvas.At(8, 8);
    }
};

struct Form {
    bool alpha;
    bool resources;
};
const Form kForms[] = {{true, true}, {true, false}, {false, true}, {false, false}};

TEST(ImageIcon, DisabledGreyByLuminance)
{
    struct Case {
        COLORREF in;
        COLORREF out;
    } cases[] = {{RGB(0, 0, 0), RGB(0, 0, 0)},
                 {RGB(128, 128, 128), RGB(180, 180, 180)},
                 {RGB(255, 255, 255), RGB(255, 255, 255)},
                 // lum = 0.299 * 255 / 255; 255 * sqrt(0.299) = 139.4
                 {RGB(255, 0, 0), RGB(139, 139, 139)}};
    for (const Form& form : kForms) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "alpha " << form.alpha << " resources "
                                            << form.resources << " colour " << c.in);
            IconCase icon(form.alpha, form.resources, c.in);
            ASSERT_NE(icon.icon, nullptr);
            EXPECT_LE(ColourDistance(icon.Drawn(icon.icon->GetDisabledIcon()), c.out), 1);
        }
    }
}

TEST(ImageIcon, DisabledBlendBetweenTwoColours)
{
    const COLORREF light = RGB(250, 240, 10);
    const COLORREF dark = RGB(0, 0, 128);
    struct Case {
        COLORREF in;
        COLORREF out;
    } cases[] = {{RGB(0, 0, 0), dark}, {RGB(255, 255, 255), light},
                 // lum 128/255: each channel dark * (1 - lum) + light * lum
                 {RGB(128, 128, 128), RGB(125, 120, 68)}};
    for (const Form& form : kForms) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "alpha " << form.alpha << " colour " << c.in);
            IconCase icon(form.alpha, form.resources, c.in);
            icon.icon->CreateDisabledIcon(light, dark);
            EXPECT_LE(ColourDistance(icon.Drawn(icon.icon->GetDisabledIcon()), c.out), 1);
        }
    }
}

TEST(ImageIcon, FadedAndShadowImages)
{
    const COLORREF base = GetColorManager()->GetColor(31);
    const COLORREF shadow = RGB(static_cast<int>(GetRValue(base) * 0.75),
                                static_cast<int>(GetGValue(base) * 0.75),
                                static_cast<int>(GetBValue(base) * 0.75));
    for (const Form& form : kForms) {
        SCOPED_TRACE(testing::Message() << "alpha " << form.alpha << " res " << form.resources);
        IconCase icon(form.alpha, form.resources, RGB(100, 50, 0));
        // 0.3 * 255 + 0.7 * channel, truncated.
        EXPECT_LE(ColourDistance(icon.Drawn(icon.icon->GetFadedIcon()), RGB(146, 111, 76)), 1);
        EXPECT_LE(ColourDistance(icon.Drawn(icon.icon->GetShadowIcon()), shadow), 1);
        // Dropped and made again after a refresh.
        icon.manager->RefreshAll();
        EXPECT_FALSE(icon.icon->HasDisabledIcon());
        EXPECT_LE(ColourDistance(icon.Drawn(icon.icon->GetFadedIcon()), RGB(146, 111, 76)), 1);
    }
}

TEST(ImageIcon, DrawImageKeepsProportionsAndGuardsZeroWidth)
{
    for (const Form& form : kForms) {
        SCOPED_TRACE(testing::Message() << "alpha " << form.alpha << " res " << form.resources);
        IconCase icon(form.alpha, form.resources, RGB(10, 200, 10), 16, 15);
        ASSERT_NE(icon.icon, nullptr);
        EXPECT_EQ(icon.icon->GetHeight(), 15);
        DrawCanvas canvas(64, 64, kBackground);
        icon.icon->DrawImage(canvas.dc(), CPoint(0, 0), icon.icon->GetIcon(), CSize(32, 0));
        int right = 0;
        int bottom = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                if (canvas.At(x, y) != kBackground) {
                    right = std::max(right, x + 1);
                    bottom = std::max(bottom, y + 1);
                }
            }
        }
        EXPECT_EQ(right, 32);
        EXPECT_EQ(bottom, 30);
    }
    // An icon of no width draws nothing (and divides by nothing).
    CUTKImageManagerIcon empty(3, 0, 0, static_cast<CUTKImageManagerIconSet*>(nullptr));
    DrawCanvas canvas(8, 8, kBackground);
    empty.DrawImage(canvas.dc(), CPoint(0, 0), empty.GetIcon(), CSize(0, 0));
    EXPECT_EQ(canvas.At(0, 0), kBackground);
    empty.InternalRelease();
    EXPECT_EQ(ResizeIcon(nullptr, 16, 16, 32), nullptr);
    HICON source = orvane::test::MakeSolidIcon(16, 15, RGB(1, 2, 3));
    EXPECT_EQ(ResizeIcon(source, 0, 0, 32), nullptr);
    EXPECT_EQ(ResizeIcon(source, 16, 15, 0), nullptr);
    HICON resized = ResizeIcon(source, 16, 15, 32);
    ASSERT_NE(resized, nullptr);
    EXPECT_EQ(GetIconSize(resized).cx, 32);
    EXPECT_EQ(GetIconSize(resized).cy, 30);
    ::DestroyIcon(resized);
    ::DestroyIcon(source);
}

TEST(ImageIcon, MirroredIconsAndUnmirroredAlphaBitmaps)
{
    // Left half red, right half blue.
    auto split = [](int x, int) { return x < 8 ? RGB(255, 0, 0) : RGB(0, 0, 255); };
    struct Case {
        int mode;
        bool alpha;
        COLORREF left;
    } cases[] = {{0, false, RGB(255, 0, 0)}, {1, false, RGB(0, 0, 255)},
                 {2, false, RGB(255, 0, 0)}, {1, true, RGB(255, 0, 0)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " alpha " << c.alpha);
        CUTKImageManager* manager = new CUTKImageManager;
        manager->m_bUseResources = FALSE;
        manager->m_nMirrorMode = c.mode;
        if (c.alpha) {
            HBITMAP bitmap = orvane::test::MakeBitmap32(
                16, 16, [&](int x, int y) { return Argb(255, split(x, y)); });
            IconImageHandle image(bitmap);
            ASSERT_TRUE(manager->SetIconImage(image, 1, 0, 0, 0));
            image.Clear();
            ::DeleteObject(bitmap);
        } else {
            HICON handle = orvane::test::MakeClassicIcon(16, 16, split);
            IconImageHandle image(handle);
            ASSERT_TRUE(manager->SetIconImage(image, 1, 0, 0, 0));
            ::DestroyIcon(handle);
        }
        DrawCanvas canvas(16, 16, kBackground);
        manager->GetImage(1, 16)->Draw(canvas.dc(), CPoint(0, 0));
        EXPECT_EQ(canvas.At(2, 8), c.left);
        manager->InternalRelease();
    }
}

TEST(ImageIcon, MonoSilhouetteOfClassicIconsOnly)
{
    for (const Form& form : kForms) {
        SCOPED_TRACE(testing::Message() << "alpha " << form.alpha << " res " << form.resources);
        IconCase icon(form.alpha, form.resources, RGB(20, 30, 40));
        DrawCanvas canvas(16, 16, RGB(255, 255, 255));
        icon.icon->DrawMono(canvas.dc(), CPoint(0, 0), icon.icon->GetIcon(), CSize(16, 16),
                            RGB(200, 0, 0));
        EXPECT_EQ(canvas.At(8, 8), form.alpha ? RGB(255, 255, 255) : RGB(200, 0, 0));
    }
}

TEST(ImageIcon, ZeroAlphaIconUsesItsMask)
{
    for (bool resources : {true, false}) {
        SCOPED_TRACE(resources);
        for (DWORD version : {0x50051ul, 0x60000ul}) {
            CUTKImageManagerResource::OverrideComCtlVersion(version);
            CUTKImageManager* manager = new CUTKImageManager;
            manager->m_bUseResources = resources ? TRUE : FALSE;
            HICON handle = orvane::test::MakeSolidIcon(16, 16, RGB(30, 160, 30), 4);
            IconImageHandle image(handle);
            ASSERT_TRUE(manager->SetIconImage(image, 1, 0, 0, 0));
            ::DestroyIcon(handle);
            CUTKImageManagerIcon* icon = manager->GetImage(1, 16);
            EXPECT_FALSE(icon->IsAlpha()) << version;
            DrawCanvas canvas(16, 16, kBackground);
            icon->Draw(canvas.dc(), CPoint(0, 0));
            EXPECT_EQ(canvas.At(1, 8), kBackground) << version;
            EXPECT_EQ(canvas.At(10, 8), RGB(30, 160, 30)) << version;
            manager->InternalRelease();
        }
        CUTKImageManagerResource::OverrideComCtlVersion(0);
    }
}

TEST(ImageIcon, AlphaIconEntersResourcesAsAlphaOnCommonControlsSix)
{
    // An icon whose colour bitmap carries alpha.
    HBITMAP colour = orvane::test::MakeBitmap32(16, 16, [](int x, int) {
        return x < 8 ? Argb(255, RGB(200, 0, 0)) : Argb(0, RGB(0, 0, 0));
    });
    HBITMAP mask = ::CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO info = {TRUE, 0, 0, mask, colour};
    HICON handle = ::CreateIconIndirect(&info);
    ::DeleteObject(colour);
    ::DeleteObject(mask);
    struct Case {
        DWORD version;
        BOOL alpha;
    } cases[] = {{0x50051, FALSE}, {0x60000, TRUE}};
    for (const Case& c : cases) {
        CUTKImageManagerResource::OverrideComCtlVersion(c.version);
        CUTKImageManager* manager = new CUTKImageManager;
        IconImageHandle image(handle);
        ASSERT_TRUE(manager->SetIconImage(image, 1, 0, 0, 0));
        CUTKImageManagerIcon* icon = manager->GetImage(1, 16);
        EXPECT_EQ(icon->IsAlpha(), c.alpha) << c.version;
        ASSERT_NE(icon->GetIcon().GetSlot(), nullptr);
        DrawCanvas canvas(16, 16, kBackground);
        icon->Draw(canvas.dc(), CPoint(0, 0));
        EXPECT_EQ(canvas.At(2, 8), RGB(200, 0, 0)) << c.version;
        manager->InternalRelease();
    }
    CUTKImageManagerResource::OverrideComCtlVersion(0);
    ::DestroyIcon(handle);
}

// A premultiplied source with alpha rising from left to right, over a background with a
// vertical gradient.
struct BlendScene {
    HBITMAP source = orvane::test::MakeBitmap32(32, 16, [](int x, int y) {
        const uint32_t a = static_cast<uint32_t>(x * 8);
        const uint32_t r = 250 * a / 255;
        const uint32_t g = static_cast<uint32_t>(y * 15) * a / 255;
        return (a << 24) | (r << 16) | (g << 8) | (40 * a / 255);
    });
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, source);
    ~BlendScene()
    {
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        ::DeleteObject(source);
    }
    static void Paint(DrawCanvas& canvas)
    {
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 64; ++x) {
                canvas.RawAt(x, y) = DrawCanvas::Raw(RGB(x * 4, 255 - y * 8, 128));
            }
        }
    }
};

TEST(ImageBlit, OwnBlendMatchesMsimg32)
{
    ASSERT_NE(GetDrawHelpers()->m_pfnAlphaBlend, nullptr);
    BlendScene scene;
    struct Case {
        RECT dest;
        RECT src;
    } cases[] = {{{0, 0, 32, 16}, {0, 0, 32, 16}},
                 {{5, 7, 37, 23}, {0, 0, 32, 16}},
                 {{0, 0, 16, 16}, {16, 0, 32, 16}}};
    for (const Case& c : cases) {
        DrawCanvas system(64, 32, 0);
        DrawCanvas own(64, 32, 0);
        BlendScene::Paint(system);
        BlendScene::Paint(own);
        ASSERT_TRUE(CUTKImageManager::AlphaBlend(system.hdc(), c.dest, scene.dc, c.src));
        ASSERT_TRUE(CUTKImageManager::AlphaBlendOwn(own.hdc(), c.dest, scene.dc, c.src));
        int worst = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 64; ++x) {
                worst = std::max(worst, ColourDistance(system.At(x, y), own.At(x, y)));
            }
        }
        EXPECT_LE(worst, 1) << c.dest.left;
    }
    // With msimg32's entry left unbound the manager blends on its own.
    auto* helpers = GetDrawHelpers();
    const auto bound = helpers->m_pfnAlphaBlend;
    helpers->m_pfnAlphaBlend = nullptr;
    DrawCanvas unbound(64, 32, 0);
    BlendScene::Paint(unbound);
    const RECT all = {0, 0, 32, 16};
    EXPECT_TRUE(CUTKImageManager::AlphaBlend(unbound.hdc(), all, scene.dc, all));
    helpers->m_pfnAlphaBlend = bound;
    DrawCanvas own(64, 32, 0);
    BlendScene::Paint(own);
    ASSERT_TRUE(CUTKImageManager::AlphaBlendOwn(own.hdc(), all, scene.dc, all));
    EXPECT_EQ(unbound.At(20, 8), own.At(20, 8));
}

TEST(ImageBlit, OwnBlendClampsColoursAbove255)
{
    // Not premultiplied: 250 + 255 * (255 - 128) / 255 would pass 255.
    HBITMAP source =
        orvane::test::MakeBitmap32(4, 4, [](int, int) { return 0x80FAFAFAu; });
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, source);
    DrawCanvas canvas(4, 4, RGB(255, 255, 255));
    const RECT all = {0, 0, 4, 4};
    ASSERT_TRUE(CUTKImageManager::AlphaBlendOwn(canvas.hdc(), all, dc, all));
    EXPECT_EQ(canvas.At(1, 1), RGB(255, 255, 255));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(source);
    // Empty rectangles draw nothing and say so.
    const RECT none = {0, 0, 0, 4};
    EXPECT_FALSE(CUTKImageManager::AlphaBlendOwn(canvas.hdc(), none, canvas.hdc(), all));
}

TEST(ImageBlit, OwnColourKeyMatchesMsimg32)
{
    const COLORREF key = RGB(255, 0, 255);
    HBITMAP source = orvane::test::MakeBitmap32(16, 16, [key](int x, int y) {
        return (x + y) % 3 == 0 ? Argb(0, key) : Argb(0, RGB(x * 10, y * 10, 77));
    });
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, source);
    const RECT src = {0, 0, 16, 16};
    for (const RECT& dest : {RECT{2, 3, 18, 19}, RECT{0, 0, 32, 32}}) {
        DrawCanvas system(40, 40, RGB(9, 99, 199));
        DrawCanvas own(40, 40, RGB(9, 99, 199));
        ASSERT_TRUE(CUTKImageManager::TransparentBlt(system.hdc(), dest, dc, src, key));
        ASSERT_TRUE(CUTKImageManager::TransparentBltOwn(own.hdc(), dest, dc, src, key));
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                ASSERT_EQ(system.At(x, y), own.At(x, y)) << x << "," << y;
            }
        }
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(source);
}

}  // namespace
