// Benchmark of the image manager (run by `make bench`, not a test): a 24-icon PNG strip loaded
// through SetIconsFromToolBar against the support library's decoder plus an image list, and
// 300 icons (normal, generated disabled, hot) drawn through the image resources against
// ImageList_Draw. Prints milliseconds and ratios. The reference decoder is the support
// library's former one (libpng's simplified reader), kept here only for the comparison.
#include "toolkit/common/CUTKImageManager.h"

#include <windows.h>
#include <commctrl.h>

#include <png.h>

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

constexpr UINT kStrip = 140;
constexpr int kLoadRounds = 200;
constexpr int kCommands = 100;
constexpr int kDrawRounds = 50;

double Ms(const std::function<void()>& work, int rounds)
{
    LARGE_INTEGER f, a, b;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&a);
    for (int i = 0; i < rounds; ++i) {
        work();
    }
    ::QueryPerformanceCounter(&b);
    return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) /
           static_cast<double>(f.QuadPart) / rounds;
}

// The former loader: a "PNG" resource through libpng's simplified reader.
HBITMAP OldLoadPngResource(UINT id)
{
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    HGLOBAL loaded = info != nullptr ? ::LoadResource(module, info) : nullptr;
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return nullptr;
    }
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, ::SizeofResource(module, info))) {
        return nullptr;
    }
    image.format = PNG_FORMAT_BGRA;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof(header.bmiHeader);
    header.bmiHeader.biWidth = static_cast<LONG>(image.width);
    header.bmiHeader.biHeight = -static_cast<LONG>(image.height);
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || !png_image_finish_read(&image, nullptr, bits, 0, nullptr)) {
        png_image_free(&image);
        if (bitmap != nullptr) {
            ::DeleteObject(bitmap);
        }
        return nullptr;
    }
    return bitmap;
}

HBITMAP MakeIconBitmap(int seed)
{
    void* bits = nullptr;
    HBITMAP bitmap = Create32BitDIBSection(nullptr, 16, 16, &bits);
    auto* p = static_cast<uint32_t*>(bits);
    for (int i = 0; i < 256; ++i) {
        const uint32_t a = (i % 16) < 2 ? 0x80 : 0xFF;
        p[i] = (a << 24) | (static_cast<uint32_t>(seed * 37 % 256) << 16) |
               (static_cast<uint32_t>(i % 256) << 8) | 0x40;
    }
    return bitmap;
}

}  // namespace

int wmain()
{
    bool ok = true;
    // 1. Loading a 24-icon strip.
    const double manager = Ms(
        [&] {
            CUTKImageManager* m = new CUTKImageManager;
            ok = ok && m->SetIconsFromToolBar(kStrip, kStrip, 0) &&
                 m->GetImage(1024, 16) != nullptr;
            m->InternalRelease();
        },
        kLoadRounds);
    const double old = Ms(
        [&] {
            HBITMAP strip = OldLoadPngResource(kStrip);
            HIMAGELIST list = ::ImageList_Create(16, 16, ILC_COLOR32, 24, 1);
            ok = ok && strip != nullptr && ::ImageList_Add(list, strip, nullptr) == 0;
            for (int i = 0; i < 24; ++i) {
                HICON icon = ::ImageList_GetIcon(list, i, ILD_NORMAL);
                ok = ok && icon != nullptr;
                ::DestroyIcon(icon);
            }
            ::ImageList_Destroy(list);
            ::DeleteObject(strip);
        },
        kLoadRounds);
    std::printf("images: 24-icon PNG strip, SetIconsFromToolBar %.3f ms, old decoder + image "
                "list %.3f ms, ratio %.2f\n",
                manager, old, manager / old);

    // 2. Drawing 300 icons: normal, generated disabled and hot of 100 commands.
    CUTKImageManager* m = new CUTKImageManager;
    HIMAGELIST list = ::ImageList_Create(16, 16, ILC_COLOR32, 3 * kCommands, 1);
    for (int c = 0; c < kCommands; ++c) {
        HBITMAP normal = MakeIconBitmap(c);
        HBITMAP hot = MakeIconBitmap(c + 1000);
        ok = ok && m->SetIconImage(IconImageHandle(normal), 2000 + c, 0, 0, 0) &&
             m->SetIconImage(IconImageHandle(hot), 2000 + c, 0, 0, 2);
        ::ImageList_Add(list, normal, nullptr);
        ::ImageList_Add(list, normal, nullptr);
        ::ImageList_Add(list, hot, nullptr);
        ::DeleteObject(normal);
        ::DeleteObject(hot);
    }
    void* bits = nullptr;
    HBITMAP target = Create32BitDIBSection(nullptr, 640, 480, &bits);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(dc.m_hDC, target);
    // The generated images are made once, on the first round.
    const double resources = Ms(
        [&] {
            for (int c = 0; c < kCommands; ++c) {
                CUTKImageManagerIcon* icon = m->GetImage(2000 + c, 16);
                const CPoint at((c % 20) * 32, (c / 20) * 64);
                icon->Draw(&dc, at);
                icon->DrawImage(&dc, at + CPoint(16, 0), icon->GetDisabledIcon());
                icon->DrawImage(&dc, at + CPoint(0, 16), icon->GetHotIcon());
            }
        },
        kDrawRounds);
    const double imageList = Ms(
        [&] {
            for (int i = 0; i < 3 * kCommands; ++i) {
                ::ImageList_Draw(list, i, dc.m_hDC, (i % 60) * 10, (i / 60) * 20,
                                 ILD_TRANSPARENT);
            }
        },
        kDrawRounds);
    std::printf("images: 300 icons drawn, image resources %.3f ms, ImageList_Draw %.3f ms, "
                "ratio %.2f\n",
                resources, imageList, resources / imageList);
    ::SelectObject(dc.m_hDC, previous);
    ::DeleteObject(target);
    ::ImageList_Destroy(list);
    m->InternalRelease();
    if (!ok) {
        std::printf("images: FAILED (a load or draw did not succeed)\n");
        return 1;
    }
    return 0;
}
