// The sample bars the theme benchmark and screenshot programs draw: a toolbar of buttons in
// every state (normal, hot, pressed, checked, checked-hot, disabled, split button) with
// generated 16 by 16 icons, and a popup menu with check, radio, shortcut, separator, submenu
// and disabled items. Windowless bars; their controls are drawn by DrawControl.
#pragma once

#include <windows.h>

#include "tests/toolkit/themes/ThemeDrawDoubles.h"
#include "toolkit/common/CUTKImageManager.h"

#include <memory>
#include <vector>

namespace orvane::test {

// Icons for ids first .. first + count - 1: a coloured disc-and-bar shape on the mask colour.
inline void MakeShowcaseIcons(CUTKImageManager& images, UINT first, int count)
{
    images.SetMaskColor(RGB(255, 0, 255));
    for (int i = 0; i < count; ++i) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 16;
        info.bmiHeader.biHeight = -16;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        auto* px = static_cast<DWORD*>(bits);
        const DWORD hue[] = {0x2060C0, 0xC04020, 0x20A040, 0xA020A0, 0xC0A000, 0x008080};
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const int dx = x - 7;
                const int dy = y - 6;
                const bool disc = dx * dx + dy * dy <= 25;
                const bool bar = y >= 12 && y <= 13 && x >= 2 && x <= 13;
                px[y * 16 + x] = disc ? hue[(i + x / 6) % 6] : bar ? 0x303030 : 0xFF00FF;
            }
        }
        CBitmap strip;
        strip.Attach(bitmap);
        const UINT ids[] = {first + static_cast<UINT>(i)};
        (void)images.SetIconsFromBitmap(&strip, ids, 1, 16, 16, 0, FALSE);
    }
}

// A toolbar of count buttons cycling through the states, laid out left to right.
struct ShowcaseToolbar {
    explicit ShowcaseToolbar(int count, int top = 0) : bar(CUTKPaintManager::kBarTypeNormal, CUTKPaintManager::kBarTop)
    {
        MakeShowcaseIcons(images, 1000, 8);
        bar.SetImageManager(&images);
        int x = 2;
        for (int i = 0; i < count; ++i) {
            const int kind = i % 7;
            const bool split = kind == 6;
            const int width = split ? 35 : 23;
            auto control = std::make_unique<TestControl>(
                &bar, split ? utkControlSplitButtonPopup : utkControlButton, L"Button",
                CRect(x, top + 2, x + width, top + 24));
            control->SetID(1000 + i % 8);
            control->SetStyle(utkButtonIcon);
            switch (kind) {
            case 1:
                control->m_selected = 1;
                break;
            case 2:
                control->m_selected = 1;
                control->m_pressed = 1;
                break;
            case 3:
                control->m_checked = 1;
                break;
            case 4:
                control->m_checked = 1;
                control->m_selected = 1;
                break;
            case 5:
                control->m_enabled = FALSE;
                break;
            default:
                break;
            }
            x += width + 1;
            controls.push_back(std::move(control));
        }
        width = x + 2;
    }
    void Draw(CUTKPaintManager* paint, CDC* dc)
    {
        for (auto& control : controls) {
            paint->DrawControl(dc, control.get(), TRUE);
        }
    }
    CUTKImageManager images;
    DrawBar bar;
    std::vector<std::unique_ptr<TestControl>> controls;
    int width = 0;
};

}  // namespace orvane::test
