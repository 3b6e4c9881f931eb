// CUTKPaintManager: popup animation. The popup bar has rendered its final image into a memory
// DC; these operations bring it onto the window step by step, sleeping between steps (the bar
// handles no messages meanwhile). The last, fully opaque frame is the bar's own painting.
#include "toolkit/themes/CUTKPaintManager.h"

#include <climits>

#include "platform/base/CSelectGuard.h"
#include "toolkit/themes/PopupExpandPlan.h"

namespace {

constexpr int kKindDiagonalSlide = 2;
constexpr int kKindDownwardSlide = 3;
constexpr int kKindFade = 4;

// A 32-bit bottom-up DIB section of cx by cy; null when the system refuses it. Images whose
// byte size does not fit an int are refused here: 64-bit Wine allocates them, then its own
// blits overflow on them and crash.
HBITMAP CreateFadeBitmap(HDC reference, int cx, int cy, BYTE** bits)
{
    if (static_cast<long long>(cx) * cy * 4 > INT_MAX) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(reference, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr || pixels == nullptr) {
        if (bitmap != nullptr) {
            ::DeleteObject(bitmap);
        }
        return nullptr;
    }
    *bits = static_cast<BYTE*>(pixels);
    return bitmap;
}

}  // namespace

void CUTKPaintManager::AnimateExpansion(CDC* pDestDC, CDC* pSrcDC, CRect rc, int animationKind)
{
    const int steps = m_nAnimationSteps;
    if (steps <= 0 || pDestDC == nullptr || pSrcDC == nullptr) {
        return;
    }
    const int cx = rc.Width();
    const int cy = rc.Height();
    if (cx <= 0 || cy <= 0) {
        return;
    }
    const DWORD stepTime = static_cast<DWORD>(m_nAnimationTime > 0 ? m_nAnimationTime : 0) /
                           static_cast<DWORD>(steps);

    if (animationKind == kKindDiagonalSlide) {
        for (int i = 1; i <= steps; ++i) {
            const int w = i * cx / steps;
            const int h = i * cy / steps;
            pDestDC->BitBlt(rc.left, rc.top, w, h, pSrcDC, cx - w, cy - h, SRCCOPY);
            ::Sleep(stepTime);
        }
    } else if (animationKind == kKindDownwardSlide) {
        for (int i = 1; i <= steps; ++i) {
            const int h = cy * i / steps;
            pDestDC->BitBlt(rc.left, rc.top, cx, h, pSrcDC, 0, cy - h, SRCCOPY);
            ::Sleep(stepTime);
        }
    } else if (animationKind == kKindFade) {
        BYTE* popupBits = nullptr;
        BYTE* backgroundBits = nullptr;
        BYTE* blendBits = nullptr;
        HBITMAP popup = CreateFadeBitmap(*pDestDC, cx, cy, &popupBits);
        HBITMAP background = popup ? CreateFadeBitmap(*pDestDC, cx, cy, &backgroundBits) : nullptr;
        HBITMAP blend = background ? CreateFadeBitmap(*pDestDC, cx, cy, &blendBits) : nullptr;
        HDC memory = blend ? ::CreateCompatibleDC(*pDestDC) : nullptr;
        if (memory == nullptr) {
            // Nothing to fade with: show the finished popup at once.
            pDestDC->BitBlt(rc.left, rc.top, cx, cy, pSrcDC, 0, 0, SRCCOPY);
        } else {
            {
                // The guard puts the memory DC's own bitmap back before the DIBs go.
                CSelectGuard select(memory, popup);
                ::BitBlt(memory, 0, 0, cx, cy, *pSrcDC, 0, 0, SRCCOPY);
                ::SelectObject(memory, background);
                ::BitBlt(memory, 0, 0, cx, cy, *pDestDC, rc.left, rc.top, SRCCOPY);
                ::SelectObject(memory, blend);
                ::GdiFlush();
                for (int s = 1; s < steps; ++s) {
                    const DWORD start = ::GetTickCount();
                    BlendBits(blendBits, backgroundBits, cx, cy, popupBits, 255 * s / steps);
                    ::BitBlt(*pDestDC, rc.left, rc.top, cx, cy, memory, 0, 0, SRCCOPY);
                    const DWORD spent = ::GetTickCount() - start;
                    if (spent < stepTime) {
                        ::Sleep(stepTime - spent);
                    }
                }
            }
        }
        if (memory != nullptr) {
            ::DeleteDC(memory);
        }
        for (HBITMAP bitmap : {popup, background, blend}) {
            if (bitmap != nullptr) {
                ::DeleteObject(bitmap);
            }
        }
    }
}
