// The toolkit's gradient drawing and right-to-left layout queries. msimg32's GradientFill,
// AlphaBlend and TransparentBlt are bound once per process (GetDrawHelpers); where one is
// missing the toolkit draws with its own code. The entry points are public so that the image
// manager can call them and tests can leave one unbound.
#pragma once

#include "toolkit/common/CUTKPaintManagerColorGradient.h"

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKDrawHelpers {
public:
    using PFNGRADIENTFILL = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    using PFNALPHABLEND = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                        BLENDFUNCTION);
    using PFNTRANSPARENTBLT = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                            UINT);

    // Loads msimg32 and binds its three entry points (any may stay null).
    CUTKDrawHelpers();
    // The library stays loaded for the life of the process.
    virtual ~CUTKDrawHelpers() = default;
    CUTKDrawHelpers(const CUTKDrawHelpers&) = delete;
    CUTKDrawHelpers& operator=(const CUTKDrawHelpers&) = delete;

    // A linear gradient from `from` at the left (horizontal) or top edge to `to` at the
    // opposite edge; a solid fill of `from` on 256-colour devices or for equal colours.
    void GradientFill(CDC* dc, const RECT* rect, COLORREF from, COLORREF to, BOOL horizontal);
    // The same gradient drawn only inside clip (null: everywhere), with the colours the full
    // gradient has at the clipped edges.
    void GradientFillClipped(CDC* dc, const RECT* rect, COLORREF from, COLORREF to,
                             BOOL horizontal, const RECT* clip);
    // A paint-manager colour pair; a factor other than 0.5 puts that blend at the middle.
    void GradientFillColorGradient(CDC* dc, const RECT* rect,
                                   const CUTKPaintManagerColorGradient& gradient,
                                   BOOL horizontal, const RECT* clip);
    // Takes the four corner pixels of rect out of the clip region.
    static void ExcludeCorners(CDC* dc, CRect rect);
    // points holds (pixel, offset) pairs: each pixel becomes the average of itself and the
    // pixel at pixel + offset. count counts points; a trailing odd point is ignored.
    static void BlendPixelPairs(CDC* dc, const POINT* points, int count);
    static BOOL IsContextRTL(CDC* dc);
    static void SetContextRTL(CDC* dc, DWORD layout);

    PFNALPHABLEND m_pfnAlphaBlend = nullptr;
    PFNTRANSPARENTBLT m_pfnTransparentBlt = nullptr;
    PFNGRADIENTFILL m_pfnGradientFill = nullptr;
    HMODULE m_hMsImgDll = nullptr;

private:
    // The banded fill used without msimg32: one 1-pixel band per column or row of the part of
    // rect inside the clip box.
    static void GradientFillOwn(CDC* dc, const RECT& rect, COLORREF from, COLORREF to,
                                BOOL horizontal);
};

// The process-wide helpers, built on first call.
CUTKDrawHelpers* GetDrawHelpers();

// GDI's GetLayout and SetLayout, looked up on first use. Tests replace them (null: as on a
// system without them, where no DC is mirrored) and restore the looked-up ones with Reset.
namespace UTKLayoutEntries {
using PFNGETLAYOUT = DWORD(WINAPI*)(HDC);
using PFNSETLAYOUT = DWORD(WINAPI*)(HDC, DWORD);
void Override(PFNGETLAYOUT getLayout, PFNSETLAYOUT setLayout);
void Reset();
}  // namespace UTKLayoutEntries
