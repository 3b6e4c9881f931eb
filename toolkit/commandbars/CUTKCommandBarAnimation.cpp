// CUTKCommandBarAnimation: cached painting of a bar and the six-step cross-fade of the parts
// that change. Every bitmap made here is a 32-bit top-down DIB section, freed on every path;
// a failed bitmap leaves the area unanimated.
#include "toolkit/commandbars/CUTKCommandBarAnimation.h"

#include <cstring>

#include "platform/framework/window/CDC.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/CUTKBufferDC.h"
#include "toolkit/themes/CUTKPaintManager.h"

namespace {

// A memory DC with a bitmap selected, both restored and freed on every exit.
class CMemoryDCScope {
public:
    CMemoryDCScope(HDC hdcRef, HBITMAP hbm) : m_hdc(::CreateCompatibleDC(hdcRef))
    {
        if (m_hdc != nullptr && hbm != nullptr)
            m_hOld = ::SelectObject(m_hdc, hbm);
    }
    ~CMemoryDCScope()
    {
        if (m_hdc == nullptr)
            return;
        if (m_hOld != nullptr)
            ::SelectObject(m_hdc, m_hOld);
        ::DeleteDC(m_hdc);
    }
    CMemoryDCScope(const CMemoryDCScope&) = delete;
    CMemoryDCScope& operator=(const CMemoryDCScope&) = delete;
    HDC Get() const { return m_hOld != nullptr ? m_hdc : nullptr; }

private:
    HDC m_hdc;
    HGDIOBJ m_hOld = nullptr;
};

// The DC of the bar's client area, released on every exit.
class CClientDCScope {
public:
    explicit CClientDCScope(HWND hwnd) : m_hwnd(hwnd), m_hdc(::GetDC(hwnd)) {}
    ~CClientDCScope()
    {
        if (m_hdc != nullptr)
            ::ReleaseDC(m_hwnd, m_hdc);
    }
    CClientDCScope(const CClientDCScope&) = delete;
    CClientDCScope& operator=(const CClientDCScope&) = delete;
    HDC Get() const { return m_hdc; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

// Draws the bar into a DC clipped to a rectangle.
void DrawBarClipped(CUTKCommandBar* pBar, HDC hdc, const CRect& rcClip)
{
    const int saved = ::SaveDC(hdc);
    ::IntersectClipRect(hdc, rcClip.left, rcClip.top, rcClip.right, rcClip.bottom);
    CDC dc;
    dc.Attach(hdc);
    pBar->DrawCommandBar(&dc, rcClip);
    dc.Detach();
    ::RestoreDC(hdc, saved);
}

} // namespace

CUTKCommandBarAnimation::CAnimateInfo::~CAnimateInfo()
{
    if (hbmNew != nullptr)
        ::DeleteObject(hbmNew);
    if (hbmOld != nullptr)
        ::DeleteObject(hbmOld);
}

CUTKCommandBarAnimation::CUTKCommandBarAnimation(CUTKCommandBar* pBar) : m_pBar(pBar) {}

CUTKCommandBarAnimation::~CUTKCommandBarAnimation()
{
    RemoveAll();
    DeleteCache();
}

BOOL CUTKCommandBarAnimation::IsAnimationActive() const
{
    if (m_bEnabled)
        return TRUE;
    CUTKPaintManager* pPaintManager = m_pBar->GetPaintManager();
    return pPaintManager != nullptr && pPaintManager->m_bEnableAnimation;
}

void CUTKCommandBarAnimation::BlendStep(const BYTE* pNew, const BYTE* pOld, BYTE* pOut,
                                       size_t nBytes, int step)
{
    const int a = StepAlpha(step);
    for (size_t i = 0; i < nBytes; ++i)
        pOut[i] = static_cast<BYTE>((pNew[i] * a + pOld[i] * (255 - a)) / 256);
}

HBITMAP CUTKCommandBarAnimation::CreateDIB(int cx, int cy, BYTE** ppBits)
{
    *ppBits = nullptr;
    if (cx <= 0 || cy <= 0)
        return nullptr;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hbm = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hbm == nullptr || pBits == nullptr) {
        if (hbm != nullptr)
            ::DeleteObject(hbm);
        return nullptr;
    }
    *ppBits = static_cast<BYTE*>(pBits);
    return hbm;
}

void CUTKCommandBarAnimation::DeleteCache()
{
    if (m_hbmCache != nullptr)
        ::DeleteObject(m_hbmCache);
    m_hbmCache = nullptr;
    m_szCache = CSize(0, 0);
}

void CUTKCommandBarAnimation::RemoveAll()
{
    for (CAnimateInfo* p : m_animations)
        delete p;
    m_animations.clear();
    if (m_nTimer != 0) {
        HWND hwnd = m_pBar->GetSafeHwnd();
        if (hwnd != nullptr && ::IsWindow(hwnd))
            ::KillTimer(hwnd, CUTKCommandBar::kAnimationTimerId);
        m_nTimer = 0;
    }
}

void CUTKCommandBarAnimation::OnDestroyWindow()
{
    RemoveAll();
    DeleteCache();
}

void CUTKCommandBarAnimation::RedrawRect(LPCRECT lpRect, BOOL bAnimate)
{
    HWND hwnd = m_pBar->GetSafeHwnd();
    if (hwnd == nullptr || !::IsWindow(hwnd))
        return;
    if (lpRect != nullptr && m_hbmCache != nullptr && IsAnimationActive()) {
        CRect rcClient;
        ::GetClientRect(hwnd, &rcClient);
        CRect rc;
        if (!rc.IntersectRect(lpRect, &rcClient))
            return;
        BYTE* pDrawBits = nullptr;
        HBITMAP hbmDraw = CreateDIB(rcClient.Width(), rcClient.Height(), &pDrawBits);
        if (hbmDraw == nullptr) {
            ::InvalidateRect(hwnd, &rc, FALSE);
            m_bInvalidateAll = TRUE;
            return;
        }
        CClientDCScope window(hwnd);
        {
            CMemoryDCScope draw(window.Get(), hbmDraw);
            CMemoryDCScope cache(window.Get(), m_hbmCache);
            if (draw.Get() != nullptr && cache.Get() != nullptr) {
                // Start from the cached image so that parts outside the clip stay as they are.
                ::BitBlt(draw.Get(), 0, 0, rcClient.Width(), rcClient.Height(), cache.Get(), 0, 0, SRCCOPY);
                DrawBarClipped(m_pBar, draw.Get(), rc);
                if (bAnimate) {
                    auto* pInfo = new CAnimateInfo();
                    pInfo->rc = rc;
                    pInfo->hbmNew = CreateDIB(rc.Width(), rc.Height(), &pInfo->pNewBits);
                    pInfo->hbmOld = CreateDIB(rc.Width(), rc.Height(), &pInfo->pOldBits);
                    BOOL ok = pInfo->hbmNew != nullptr && pInfo->hbmOld != nullptr;
                    if (ok) {
                        CMemoryDCScope fresh(window.Get(), pInfo->hbmNew);
                        CMemoryDCScope old(window.Get(), pInfo->hbmOld);
                        ok = fresh.Get() != nullptr && old.Get() != nullptr;
                        if (ok) {
                            ::BitBlt(fresh.Get(), 0, 0, rc.Width(), rc.Height(), draw.Get(), rc.left, rc.top, SRCCOPY);
                            ::BitBlt(old.Get(), 0, 0, rc.Width(), rc.Height(), cache.Get(), rc.left, rc.top, SRCCOPY);
                        }
                    }
                    ::GdiFlush();
                    ::BitBlt(cache.Get(), rc.left, rc.top, rc.Width(), rc.Height(), draw.Get(), rc.left, rc.top, SRCCOPY);
                    const size_t bytes = static_cast<size_t>(rc.Width()) * static_cast<size_t>(rc.Height()) * 4;
                    if (ok && std::memcmp(pInfo->pNewBits, pInfo->pOldBits, bytes) != 0) {
                        StartAnimation(pInfo, window.Get());
                    } else {
                        if (!ok)
                            ::BitBlt(window.Get(), rc.left, rc.top, rc.Width(), rc.Height(), draw.Get(), rc.left, rc.top, SRCCOPY);
                        delete pInfo;
                    }
                } else {
                    for (size_t i = 0; i < m_animations.size();) {
                        CAnimateInfo* pInfo = m_animations[i];
                        CRect rcCommon;
                        rcCommon.IntersectRect(&pInfo->rc, &rc);
                        if (rcCommon == pInfo->rc) {
                            delete pInfo;
                            m_animations.erase(m_animations.begin() + static_cast<std::ptrdiff_t>(i));
                            continue;
                        }
                        if (!rcCommon.IsRectEmpty())
                            pInfo->excluded.push_back(rc);
                        ++i;
                    }
                    ::BitBlt(cache.Get(), rc.left, rc.top, rc.Width(), rc.Height(), draw.Get(), rc.left, rc.top, SRCCOPY);
                    ::BitBlt(window.Get(), rc.left, rc.top, rc.Width(), rc.Height(), draw.Get(), rc.left, rc.top, SRCCOPY);
                }
            }
        }
        ::DeleteObject(hbmDraw);
        return;
    }
    if (lpRect == nullptr)
        DeleteCache();
    m_bInvalidateAll = TRUE;
    ::InvalidateRect(hwnd, lpRect, FALSE);
}

void CUTKCommandBarAnimation::StartAnimation(CAnimateInfo* pInfo, HDC hdcWindow)
{
    for (size_t i = 0; i < m_animations.size();) {
        CAnimateInfo* pOld = m_animations[i];
        CRect rcCommon;
        rcCommon.IntersectRect(&pOld->rc, &pInfo->rc);
        if (rcCommon == pOld->rc) {
            delete pOld;
            m_animations.erase(m_animations.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
    m_animations.push_back(pInfo);
    HWND hwnd = m_pBar->GetSafeHwnd();
    if (m_nTimer == 0)
        m_nTimer = ::SetTimer(hwnd, CUTKCommandBar::kAnimationTimerId, kTimerPeriod, nullptr);
    DrawStep(pInfo, hdcWindow);
}

void CUTKCommandBarAnimation::DrawStep(CAnimateInfo* pInfo, HDC hdcWindow)
{
    const CRect& rc = pInfo->rc;
    if (pInfo->nStep >= kSteps) {
        CMemoryDCScope cache(hdcWindow, m_hbmCache);
        if (cache.Get() != nullptr)
            ::BitBlt(hdcWindow, rc.left, rc.top, rc.Width(), rc.Height(), cache.Get(), rc.left, rc.top, SRCCOPY);
    } else {
        BYTE* pBits = nullptr;
        HBITMAP hbmStep = CreateDIB(rc.Width(), rc.Height(), &pBits);
        if (hbmStep != nullptr) {
            BlendStep(pInfo->pNewBits, pInfo->pOldBits, pBits,
                      static_cast<size_t>(rc.Width()) * static_cast<size_t>(rc.Height()) * 4, pInfo->nStep);
            {
                CMemoryDCScope step(hdcWindow, hbmStep);
                if (step.Get() != nullptr)
                    ::BitBlt(hdcWindow, rc.left, rc.top, rc.Width(), rc.Height(), step.Get(), 0, 0, SRCCOPY);
            }
            ::DeleteObject(hbmStep);
        }
    }
    ++pInfo->nStep;
}

void CUTKCommandBarAnimation::OnAnimationTimer()
{
    HWND hwnd = m_pBar->GetSafeHwnd();
    if (hwnd == nullptr || !::IsWindow(hwnd)) {
        RemoveAll();
        return;
    }
    {
        CClientDCScope window(hwnd);
        if (window.Get() != nullptr) {
            for (CAnimateInfo* pInfo : m_animations) {
                const int saved = ::SaveDC(window.Get());
                for (const CRect& rcOut : pInfo->excluded)
                    ::ExcludeClipRect(window.Get(), rcOut.left, rcOut.top, rcOut.right, rcOut.bottom);
                DrawStep(pInfo, window.Get());
                ::RestoreDC(window.Get(), saved);
            }
        }
    }
    for (size_t i = 0; i < m_animations.size();) {
        if (m_animations[i]->nStep > kSteps) {
            delete m_animations[i];
            m_animations.erase(m_animations.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
    if (m_animations.empty() && m_nTimer != 0) {
        ::KillTimer(hwnd, CUTKCommandBar::kAnimationTimerId);
        m_nTimer = 0;
    }
}

void CUTKCommandBarAnimation::OnPaint(CDC& paintDC)
{
    HWND hwnd = m_pBar->GetSafeHwnd();
    CRect rcClient;
    ::GetClientRect(hwnd, &rcClient);
    if (m_hbmCache != nullptr && m_szCache != rcClient.Size())
        DeleteCache();
    CRect rcPaint;
    if (::GetClipBox(paintDC.GetSafeHdc(), &rcPaint) == ERROR || rcPaint.IsRectEmpty())
        rcPaint = rcClient;

    if (!m_bAlwaysCached && !IsAnimationActive()) {
        DeleteCache();
        {
            CUTKBufferDC buffer(paintDC.GetSafeHdc(), rcPaint);
            m_pBar->DrawCommandBar(&buffer, rcPaint);
        }
        RemoveAll();
        m_bInvalidateAll = FALSE;
        return;
    }
    if (m_bInvalidateAll || m_hbmCache == nullptr) {
        if (m_hbmCache == nullptr) {
            BYTE* pBits = nullptr;
            m_hbmCache = CreateDIB(rcClient.Width(), rcClient.Height(), &pBits);
            m_szCache = m_hbmCache != nullptr ? rcClient.Size() : CSize(0, 0);
            rcPaint = rcClient;
        }
        CMemoryDCScope cache(paintDC.GetSafeHdc(), m_hbmCache);
        if (cache.Get() != nullptr) {
            DrawBarClipped(m_pBar, cache.Get(), rcPaint);
            ::BitBlt(paintDC.GetSafeHdc(), rcPaint.left, rcPaint.top, rcPaint.Width(), rcPaint.Height(),
                     cache.Get(), rcPaint.left, rcPaint.top, SRCCOPY);
        } else {
            // No bitmap: paint directly, unanimated.
            m_pBar->DrawCommandBar(&paintDC, rcPaint);
        }
        RemoveAll();
    } else {
        CMemoryDCScope cache(paintDC.GetSafeHdc(), m_hbmCache);
        if (cache.Get() != nullptr)
            ::BitBlt(paintDC.GetSafeHdc(), 0, 0, m_szCache.cx, m_szCache.cy, cache.Get(), 0, 0, SRCCOPY);
    }
    m_bInvalidateAll = FALSE;
}
