// CUTKPaintManager: the glyphs every theme shares (check boxes, radio buttons, check marks,
// drop-down and popup arrows, the smooth circle) and the small drawing routines the themes are
// written with. Every pen and brush made here is deselected and deleted before returning.
#include "toolkit/themes/CUTKPaintManager.h"

#include "platform/base/CSelectGuard.h"
#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/common/UTKDrawFunctions.h"

#include <vssym32.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kMarkSize = 13;

int CheckBoxThemeState(BOOL selected, BOOL pressed, BOOL checked, BOOL enabled)
{
    int s = 0;
    if (!enabled) {
        s = 3;
    } else if (selected && pressed) {
        s = 2;
    } else if (selected) {
        s = 1;
    }
    return 1 + s + (checked == 1 ? 4 : 0) + (checked == 2 ? 8 : 0);
}

UINT FrameControlState(BOOL pressed, BOOL checked, BOOL enabled)
{
    UINT state = 0;
    if (checked != 0) {
        state |= DFCS_CHECKED;
    }
    if (pressed) {
        state |= DFCS_PUSHED;
    }
    if (!enabled || checked == 2) {
        state |= DFCS_INACTIVE;
    }
    return state;
}

}  // namespace

void CUTKPaintManager::HorizontalLine(CDC* pDC, int x0, int y, int x1, COLORREF clr)
{
    if (pDC != nullptr) {
        pDC->FillSolidRect(x0, y, x1 - x0, 1, clr);
    }
}

void CUTKPaintManager::VerticalLine(CDC* pDC, int x, int y0, int y1, COLORREF clr)
{
    if (pDC != nullptr) {
        pDC->FillSolidRect(x, y0, 1, y1 - y0, clr);
    }
}

void CUTKPaintManager::Line(CDC* pDC, int x0, int y0, int x1, int y1)
{
    if (pDC != nullptr) {
        pDC->MoveTo(x0, y0);
        pDC->LineTo(x1, y1);
    }
}

void CUTKPaintManager::DrawLine(CDC* pDC, int x0, int y0, int x1, int y1, int clr)
{
    if (pDC == nullptr) {
        return;
    }
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, GetColor(clr));
    CSelectGuard select(*pDC, pen.m_hObject);
    Line(pDC, x0, y0, x1, y1);
}

void CUTKPaintManager::Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
{
    if (pDC == nullptr) {
        return;
    }
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, clr);
    CBrush brush;
    brush.CreateSolidBrush(clr);
    CSelectGuard selectPen(*pDC, pen.m_hObject);
    CSelectGuard selectBrush(*pDC, brush.m_hObject);
    const POINT points[3] = {pt0, pt1, pt2};
    pDC->Polygon(points, 3);
}

void CUTKPaintManager::Draw3dRect(CDC* pDC, CRect rc, int clrTopLeft, int clrBottomRight)
{
    if (pDC != nullptr) {
        pDC->Draw3dRect(rc, GetColor(clrTopLeft), GetColor(clrBottomRight));
    }
}

void CUTKPaintManager::DrawFilledRect(CDC* pDC, CRect rc, int clrFrame, int clrFill)
{
    if (pDC == nullptr) {
        return;
    }
    if (clrFill != -1) {
        pDC->FillSolidRect(rc, GetColor(clrFill));
    }
    if (clrFrame != -1 && clrFrame != clrFill) {
        Draw3dRect(pDC, rc, clrFrame, clrFrame);
    }
}

void CUTKPaintManager::GradientFill(CDC* pDC, LPCRECT rc, COLORREF clr1, COLORREF clr2, BOOL bHorz,
                                    LPCRECT rcClip)
{
    if (pDC == nullptr || rc == nullptr) {
        return;
    }
    GetDrawHelpers()->GradientFillClipped(pDC, rc, clr1, clr2, bHorz, rcClip);
}

void CUTKPaintManager::BlendPixel(CDC* pDC, int x, int y, COLORREF clr, COLORREF clrGiven,
                                  double factor)
{
    if (pDC == nullptr) {
        return;
    }
    COLORREF base = clrGiven;
    if (factor < 0) {
        factor = -factor;
    } else {
        base = pDC->GetPixel(x, y);
        // Outside the bitmap (or the clip) there is no pixel to blend with.
        if (base == CLR_INVALID) {
            return;
        }
    }
    auto channel = [factor](int c, int b) {
        const double v = c + factor * (b - c);
        return static_cast<BYTE>(v < 0 ? 0 : (v > 255 ? 255 : v));
    };
    pDC->SetPixelV(x, y,
                   RGB(channel(GetRValue(clr), GetRValue(base)),
                       channel(GetGValue(clr), GetGValue(base)),
                       channel(GetBValue(clr), GetBValue(base))));
}

void CUTKPaintManager::DrawSmoothCircle(CDC* pDC, int x0, int y0, int x1, int y1, COLORREF clr,
                                        COLORREF clrFill)
{
    if (pDC == nullptr || x1 - x0 != y1 - y0 || x1 <= x0) {
        return;
    }
    const double r = (x1 - x0 - 1) / 2.0 - 0.25;
    const double cx = (x0 + x1 - 1) / 2.0;
    const double cy = (y0 + y1 - 1) / 2.0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
            if (d < r - 1) {
                pDC->SetPixelV(x, y, clrFill);
            } else if (d <= r + 1) {
                BlendPixel(pDC, x, y, clr, clr, d - r);
            }
        }
    }
}

void CUTKPaintManager::BlendBits(BYTE* pDest, const BYTE* pSrcA, int cx, int cy, const BYTE* pSrcB,
                                 int alpha) noexcept
{
    if (pDest == nullptr || pSrcA == nullptr || pSrcB == nullptr || cx <= 0 || cy <= 0) {
        return;
    }
    const size_t pixels = static_cast<size_t>(cx) * static_cast<size_t>(cy);
    const int inverse = 255 - alpha;
    for (size_t i = 0; i < pixels; ++i) {
        const size_t at = i * 4;
        for (size_t c = 0; c < 3; ++c) {
            pDest[at + c] =
                static_cast<BYTE>((pSrcB[at + c] * alpha + pSrcA[at + c] * inverse) >> 8);
        }
    }
}

void CUTKPaintManager::StripMnemonics(CString& text)
{
    ::StripMnemonics(text);
}

BOOL CUTKPaintManager::FontExists(LPCWSTR face)
{
    return ::FontExists(face);
}

void CUTKPaintManager::SetRectAlphaOpaque(CDC* pDC, CRect rc)
{
    if (pDC == nullptr || rc.IsRectEmpty()) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = rc.Width();
    info.bmiHeader.biHeight = -rc.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(*pDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = ::CreateCompatibleDC(*pDC);
    if (bitmap != nullptr && memory != nullptr && bits != nullptr) {
        CSelectGuard select(memory, bitmap);
        ::BitBlt(memory, 0, 0, rc.Width(), rc.Height(), *pDC, rc.left, rc.top, SRCCOPY);
        BYTE* pixel = static_cast<BYTE*>(bits);
        const size_t count = static_cast<size_t>(rc.Width()) * static_cast<size_t>(rc.Height());
        for (size_t i = 0; i < count; ++i) {
            pixel[i * 4 + 3] = 0xFF;
        }
        ::BitBlt(*pDC, rc.left, rc.top, rc.Width(), rc.Height(), memory, 0, 0, SRCCOPY);
    }
    if (memory != nullptr) {
        ::DeleteDC(memory);
    }
    if (bitmap != nullptr) {
        ::DeleteObject(bitmap);
    }
}

CSize CUTKPaintManager::DrawCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected,
                                         BOOL bPressed, BOOL bChecked, BOOL bEnabled)
{
    if (bDraw && pDC != nullptr) {
        if (!(m_bThemedCheckBox && m_themeButton.IsAppThemed() &&
              SUCCEEDED(m_themeButton.DrawThemeBackground(
                  *pDC, BP_CHECKBOX, CheckBoxThemeState(bSelected, bPressed, bChecked, bEnabled),
                  &rc, nullptr)))) {
            pDC->DrawFrameControl(&rc, DFC_BUTTON,
                                  DFCS_BUTTONCHECK |
                                      FrameControlState(bPressed, bChecked, bEnabled));
        }
    }
    return CSize(kMarkSize, kMarkSize);
}

CSize CUTKPaintManager::DrawRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected,
                                            BOOL bPressed, BOOL bChecked, BOOL bEnabled)
{
    if (bDraw && pDC != nullptr) {
        if (!(m_bThemedCheckBox && m_themeButton.IsAppThemed() &&
              SUCCEEDED(m_themeButton.DrawThemeBackground(
                  *pDC, BP_RADIOBUTTON, CheckBoxThemeState(bSelected, bPressed, bChecked, bEnabled),
                  &rc, nullptr)))) {
            pDC->DrawFrameControl(&rc, DFC_BUTTON,
                                  DFCS_BUTTONRADIO |
                                      FrameControlState(bPressed, bChecked, bEnabled));
        }
    }
    return CSize(kMarkSize, kMarkSize);
}

void CUTKPaintManager::DrawCheckMark(CDC* pDC, CRect rcCheck, BOOL /*bEnabled*/, COLORREF clr)
{
    if (pDC == nullptr) {
        return;
    }
    const int cx = rcCheck.left + rcCheck.Width() / 2;
    const int cy = rcCheck.top + rcCheck.Height() / 2;
    const BOOL mirrored = (pDC->GetLayout() & LAYOUT_RTL) != 0;

    CPen pen;
    pen.CreatePen(PS_SOLID, 1, GetColor(static_cast<int>(clr)));
    CSelectGuard select(*pDC, pen.m_hObject);
    const int passes = m_bBoldCheckMarks ? 2 : 1;
    for (int dy = 0; dy < passes; ++dy) {
        if (!mirrored) {
            const POINT first[3] = {
                {cx - 4, cy - 1 + dy}, {cx - 2, cy + 1 + dy}, {cx + 3, cy - 4 + dy}};
            const POINT second[3] = {
                {cx - 4, cy + dy}, {cx - 2, cy + 2 + dy}, {cx + 3, cy - 3 + dy}};
            pDC->Polyline(first, 3);
            pDC->Polyline(second, 3);
        } else {
            const POINT first[3] = {
                {cx - 4, cy - 3 + dy}, {cx, cy + 1 + dy}, {cx + 3, cy - 2 + dy}};
            const POINT second[3] = {
                {cx - 4, cy - 2 + dy}, {cx, cy + 2 + dy}, {cx + 3, cy - 1 + dy}};
            pDC->Polyline(first, 3);
            pDC->Polyline(second, 3);
        }
    }
}

void CUTKPaintManager::DrawRadioDot(CDC* pDC, CRect rcCheck, BOOL /*bEnabled*/, COLORREF clr)
{
    const COLORREF colour = GetColor(static_cast<int>(clr));
    const CPoint centre = rcCheck.CenterPoint();
    DrawSmoothCircle(pDC, centre.x - 3, centre.y - 3, centre.x + 3, centre.y + 3, colour, colour);
}

void CUTKPaintManager::DrawDropDownGlyph(CDC* pDC, CRect rc, COLORREF clr)
{
    int f = rc.Width() / 2;
    f = f > 5 ? f - 4 : 2;
    const CPoint centre = rc.CenterPoint();
    const int y = centre.y - f / 2;
    Triangle(pDC, CPoint(centre.x - f, y), CPoint(centre.x + f, y), CPoint(centre.x, y + f),
             GetColor(static_cast<int>(clr)));
}

void CUTKPaintManager::DrawControlPopupGlyph(CDC* pDC, CUTKControl* /*pButton*/, CPoint pt,
                                             BOOL bSelected, BOOL bPopuped, BOOL bEnabled,
                                             BOOL bVert)
{
    const COLORREF clr = GetColor(static_cast<int>(GetRectangleTextColor(
        bSelected, FALSE, bEnabled, FALSE, bPopuped, kBarTypeNormal, kBarTop)));
    if (bVert) {
        Triangle(pDC, CPoint(pt.x + 2, pt.y - 2), CPoint(pt.x + 2, pt.y + 2), pt, clr);
    } else {
        Triangle(pDC, CPoint(pt.x - 2, pt.y - 1), CPoint(pt.x + 2, pt.y - 1),
                 CPoint(pt.x, pt.y + 1), clr);
    }
}
