#include "toolkit/common/CUTKDrawHelpers.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/OSVersionInfo.h"
#include "toolkit/common/UTKDrawFunctions.h"

#include <algorithm>

namespace {

// Not looked up yet.
template <typename T>
T Unresolved()
{
    return reinterpret_cast<T>(static_cast<INT_PTR>(-1));
}

UTKLayoutEntries::PFNGETLAYOUT g_pfnGetLayout = Unresolved<UTKLayoutEntries::PFNGETLAYOUT>();
UTKLayoutEntries::PFNSETLAYOUT g_pfnSetLayout = Unresolved<UTKLayoutEntries::PFNSETLAYOUT>();

FARPROC LookUpGdi(const char* name)
{
    HMODULE gdi = ::GetModuleHandleA("GDI32.DLL");
    return gdi != nullptr ? ::GetProcAddress(gdi, name) : nullptr;
}

UTKLayoutEntries::PFNGETLAYOUT GetLayoutEntry()
{
    if (g_pfnGetLayout == Unresolved<UTKLayoutEntries::PFNGETLAYOUT>()) {
        g_pfnGetLayout = reinterpret_cast<UTKLayoutEntries::PFNGETLAYOUT>(
            reinterpret_cast<void*>(LookUpGdi("GetLayout")));
    }
    return g_pfnGetLayout;
}

UTKLayoutEntries::PFNSETLAYOUT SetLayoutEntry()
{
    if (g_pfnSetLayout == Unresolved<UTKLayoutEntries::PFNSETLAYOUT>()) {
        g_pfnSetLayout = reinterpret_cast<UTKLayoutEntries::PFNSETLAYOUT>(
            reinterpret_cast<void*>(LookUpGdi("SetLayout")));
    }
    return g_pfnSetLayout;
}

COLOR16 Channel16(BYTE value)
{
    return static_cast<COLOR16>(value << 8);
}

void FillSolid(CDC* dc, const RECT& rect, COLORREF colour)
{
    const COLORREF old = ::SetBkColor(dc->m_hDC, colour);
    ::ExtTextOutW(dc->m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc->m_hDC, old);
}

}  // namespace

namespace UTKLayoutEntries {

void Override(PFNGETLAYOUT getLayout, PFNSETLAYOUT setLayout)
{
    g_pfnGetLayout = getLayout;
    g_pfnSetLayout = setLayout;
}

void Reset()
{
    Override(Unresolved<PFNGETLAYOUT>(), Unresolved<PFNSETLAYOUT>());
}

}  // namespace UTKLayoutEntries

CUTKDrawHelpers::CUTKDrawHelpers()
{
    m_hMsImgDll = ::LoadLibraryW(L"msimg32.dll");
    if (m_hMsImgDll != nullptr) {
        m_pfnGradientFill = reinterpret_cast<PFNGRADIENTFILL>(
            reinterpret_cast<void*>(::GetProcAddress(m_hMsImgDll, "GradientFill")));
        m_pfnAlphaBlend = reinterpret_cast<PFNALPHABLEND>(
            reinterpret_cast<void*>(::GetProcAddress(m_hMsImgDll, "AlphaBlend")));
        m_pfnTransparentBlt = reinterpret_cast<PFNTRANSPARENTBLT>(
            reinterpret_cast<void*>(::GetProcAddress(m_hMsImgDll, "TransparentBlt")));
    }
}

CUTKDrawHelpers* GetDrawHelpers()
{
    static CUTKDrawHelpers helpers;
    return &helpers;
}

void CUTKDrawHelpers::GradientFill(CDC* dc, const RECT* rect, COLORREF from, COLORREF to,
                                   BOOL horizontal)
{
    if (dc == nullptr || rect == nullptr || ::IsRectEmpty(rect)) {
        return;
    }
    if (IsLowResolutionDC(dc->m_hAttribDC) || from == to) {
        FillSolid(dc, *rect, from);
        return;
    }
    if (m_pfnGradientFill == nullptr || (IsContextRTL(dc) && GetOSVersionInfo()->IsWin9x())) {
        GradientFillOwn(dc, *rect, from, to, horizontal);
        return;
    }
    TRIVERTEX vertices[2] = {};
    vertices[0].x = rect->left;
    vertices[0].y = rect->top;
    vertices[0].Red = Channel16(GetRValue(from));
    vertices[0].Green = Channel16(GetGValue(from));
    vertices[0].Blue = Channel16(GetBValue(from));
    vertices[1].x = rect->right;
    vertices[1].y = rect->bottom;
    vertices[1].Red = Channel16(GetRValue(to));
    vertices[1].Green = Channel16(GetGValue(to));
    vertices[1].Blue = Channel16(GetBValue(to));
    GRADIENT_RECT mesh = {0, 1};
    m_pfnGradientFill(dc->m_hDC, vertices, 2, &mesh, 1,
                      horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void CUTKDrawHelpers::GradientFillOwn(CDC* dc, const RECT& rect, COLORREF from, COLORREF to,
                                      BOOL horizontal)
{
    const double width = std::max<LONG>(1, rect.right - rect.left);
    const double height = std::max<LONG>(1, rect.bottom - rect.top);
    RECT region = rect;
    RECT clipBox = {};
    dc->GetClipBox(&clipBox);
    if (!::IsRectEmpty(&clipBox) && !::IntersectRect(&region, &clipBox, &rect)) {
        return;
    }
    if (horizontal) {
        for (LONG x = region.left; x < region.right; ++x) {
            const RECT band = {x, region.top, x + 1, region.bottom};
            FillSolid(dc, band, BlendColors(from, to, 1.0 - (x - rect.left) / width));
        }
    } else {
        for (LONG y = region.top; y < region.bottom; ++y) {
            const RECT band = {region.left, y, region.right, y + 1};
            FillSolid(dc, band, BlendColors(from, to, 1.0 - (y - rect.top) / height));
        }
    }
}

void CUTKDrawHelpers::GradientFillClipped(CDC* dc, const RECT* rect, COLORREF from, COLORREF to,
                                          BOOL horizontal, const RECT* clip)
{
    if (clip == nullptr) {
        GradientFill(dc, rect, from, to, horizontal);
        return;
    }
    if (rect == nullptr) {
        return;
    }
    // Along the gradient axis: start and end of the rectangle and of the clip; across it the
    // rectangle is cut to the clip.
    RECT drawn = *rect;
    LONG RECT::*lo = horizontal ? &RECT::left : &RECT::top;
    LONG RECT::*hi = horizontal ? &RECT::right : &RECT::bottom;
    LONG RECT::*crossLo = horizontal ? &RECT::top : &RECT::left;
    LONG RECT::*crossHi = horizontal ? &RECT::bottom : &RECT::right;
    drawn.*crossLo = std::max(drawn.*crossLo, clip->*crossLo);
    drawn.*crossHi = std::min(drawn.*crossHi, clip->*crossHi);
    if (clip->*hi < rect->*lo || rect->*hi < clip->*lo) {
        return;
    }
    const LONG length = rect->*hi - rect->*lo;
    if (length <= 0) {
        return;
    }
    COLORREF start = from;
    COLORREF end = to;
    if (rect->*lo < clip->*lo) {
        drawn.*lo = clip->*lo;
        start = BlendColors(from, to, static_cast<double>(rect->*hi - clip->*lo) / length);
    }
    if (clip->*hi < rect->*hi) {
        drawn.*hi = clip->*hi;
        end = BlendColors(from, to, static_cast<double>(rect->*hi - clip->*hi) / length);
    }
    GradientFill(dc, &drawn, start, end, horizontal);
}

void CUTKDrawHelpers::GradientFillColorGradient(CDC* dc, const RECT* rect,
                                                const CUTKPaintManagerColorGradient& gradient,
                                                BOOL horizontal, const RECT* clip)
{
    if (rect == nullptr) {
        return;
    }
    const COLORREF first = gradient.clrLight.GetColor();
    const COLORREF second = gradient.clrDark.GetColor();
    if (gradient.fGradientFactor == 0.5f) {
        GradientFillClipped(dc, rect, first, second, horizontal, clip);
        return;
    }
    const COLORREF middle = BlendColors(first, second, gradient.fGradientFactor);
    RECT firstHalf = *rect;
    RECT secondHalf = *rect;
    if (horizontal) {
        firstHalf.right = rect->right - (rect->right - rect->left) / 2;
        secondHalf.left = firstHalf.right;
    } else {
        firstHalf.bottom = rect->bottom - (rect->bottom - rect->top) / 2;
        secondHalf.top = firstHalf.bottom;
    }
    GradientFillClipped(dc, &firstHalf, first, middle, horizontal, clip);
    GradientFillClipped(dc, &secondHalf, middle, second, horizontal, clip);
}

void CUTKDrawHelpers::ExcludeCorners(CDC* dc, CRect rect)
{
    if (dc == nullptr) {
        return;
    }
    dc->ExcludeClipRect(rect.left, rect.top, rect.left + 1, rect.top + 1);
    dc->ExcludeClipRect(rect.right - 1, rect.top, rect.right, rect.top + 1);
    dc->ExcludeClipRect(rect.left, rect.bottom - 1, rect.left + 1, rect.bottom);
    dc->ExcludeClipRect(rect.right - 1, rect.bottom - 1, rect.right, rect.bottom);
}

void CUTKDrawHelpers::BlendPixelPairs(CDC* dc, const POINT* points, int count)
{
    if (dc == nullptr || points == nullptr || count <= 1) {
        return;
    }
    for (int i = 0; i + 1 < count; i += 2) {
        const POINT pixel = points[i];
        const POINT offset = points[i + 1];
        const COLORREF a = ::GetPixel(dc->m_hAttribDC, pixel.x, pixel.y);
        const COLORREF b = ::GetPixel(dc->m_hAttribDC, pixel.x + offset.x, pixel.y + offset.y);
        ::SetPixel(dc->m_hDC, pixel.x, pixel.y,
                   RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
                       (GetBValue(a) + GetBValue(b)) / 2));
    }
}

BOOL CUTKDrawHelpers::IsContextRTL(CDC* dc)
{
    if (dc == nullptr) {
        return FALSE;
    }
    UTKLayoutEntries::PFNGETLAYOUT getLayout = GetLayoutEntry();
    return getLayout != nullptr && getLayout(dc->m_hDC) != 0 ? TRUE : FALSE;
}

void CUTKDrawHelpers::SetContextRTL(CDC* dc, DWORD layout)
{
    if (dc == nullptr) {
        return;
    }
    UTKLayoutEntries::PFNSETLAYOUT setLayout = SetLayoutEntry();
    if (setLayout != nullptr) {
        setLayout(dc->m_hDC, layout);
    }
}
