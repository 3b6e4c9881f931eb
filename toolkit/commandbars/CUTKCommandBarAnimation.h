// CUTKCommandBarAnimation: how a command bar paints. It keeps a bitmap of the bar's last image
// so that a paint after no change only copies it, and, when animation is on, cross-fades the
// parts of the bar that change from the old image to the new one in six steps on a 50 ms timer.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/framework/CRect.h"

class CDC;
class CUTKCommandBar;

class CUTKCommandBarAnimation {
public:
    // One running cross-fade: both images as 32-bit top-down DIB sections of the area.
    class CAnimateInfo {
    public:
        CAnimateInfo() = default;
        ~CAnimateInfo();
        CAnimateInfo(const CAnimateInfo&) = delete;
        CAnimateInfo& operator=(const CAnimateInfo&) = delete;

        HBITMAP hbmNew = nullptr;
        BYTE* pNewBits = nullptr;
        HBITMAP hbmOld = nullptr;
        BYTE* pOldBits = nullptr;
        CRect rc{0, 0, 0, 0};
        int nStep = 1;
        std::vector<CRect> excluded;
    };

    static constexpr int kSteps = 6;
    static constexpr UINT kTimerPeriod = 50;

    explicit CUTKCommandBarAnimation(CUTKCommandBar* pBar);
    ~CUTKCommandBarAnimation();
    CUTKCommandBarAnimation(const CUTKCommandBarAnimation&) = delete;
    CUTKCommandBarAnimation& operator=(const CUTKCommandBarAnimation&) = delete;

    void RedrawRect(LPCRECT lpRect, BOOL bAnimate);
    void OnPaint(CDC& paintDC);
    void OnAnimationTimer();
    void OnDestroyWindow();
    void RemoveAll();

    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    BOOL IsAlwaysCached() const { return m_bAlwaysCached; }
    void SetAlwaysCached(BOOL bCached) { m_bAlwaysCached = bCached; }
    // The bar's switch or its paint manager's.
    BOOL IsAnimationActive() const;
    BOOL HasCache() const { return m_hbmCache != nullptr; }
    int GetAnimationCount() const { return static_cast<int>(m_animations.size()); }
    const CAnimateInfo* GetAnimation(int i) const { return m_animations[static_cast<size_t>(i)]; }
    BOOL IsTimerRunning() const { return m_nTimer != 0; }

    // The blend weight of a step (1..5): step * 255 / 6.
    static int StepAlpha(int step) { return step * 255 / kSteps; }
    // Window-free cross-fade of one step: every byte (new * a + old * (255 - a)) / 256.
    static void BlendStep(const BYTE* pNew, const BYTE* pOld, BYTE* pOut, size_t nBytes, int step);

private:
    // A 32-bit top-down DIB section of the size; null on failure.
    static HBITMAP CreateDIB(int cx, int cy, BYTE** ppBits);
    void DrawStep(CAnimateInfo* pInfo, HDC hdcWindow);
    void StartAnimation(CAnimateInfo* pInfo, HDC hdcWindow);
    void DeleteCache();

    CUTKCommandBar* m_pBar;
    HBITMAP m_hbmCache = nullptr;
    CSize m_szCache{0, 0};
    BOOL m_bInvalidateAll = FALSE;
    UINT_PTR m_nTimer = 0;
    BOOL m_bEnabled = FALSE;
    BOOL m_bAlwaysCached = FALSE;
    std::vector<CAnimateInfo*> m_animations;
};
