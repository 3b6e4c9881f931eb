// Device contexts: ownership, selection into the output and attribute DCs, and the drawing
// helpers built on GDI.
#include "platform/framework/window/CDC.h"

#include "platform/framework/window/AfxThreadData.h"
#include "platform/framework/window/CWnd.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {

CHandleMap<CDC, HDC>& DCMap()
{
    return AfxGetThreadData()->dcMap;
}

HGDIOBJ SelectInto(CDC* dc, HGDIOBJ hObject)
{
    HGDIOBJ old = nullptr;
    if (dc->m_hDC != nullptr) {
        old = ::SelectObject(dc->m_hDC, hObject);
    }
    if (dc->m_hAttribDC != nullptr && dc->m_hAttribDC != dc->m_hDC) {
        old = ::SelectObject(dc->m_hAttribDC, hObject);
    }
    return old;
}

}  // namespace

CDC::~CDC()
{
    if (m_hDC != nullptr) {
        ::DeleteDC(Detach());
    }
}

HDC CDC::GetSafeHdc() const
{
    const CDC* self = this;
    asm("" : "+r"(self));
    return self == nullptr ? nullptr : self->m_hDC;
}

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

CDC* CDC::FromHandle(HDC hDC)
{
    return DCMap().FromHandle(hDC);
}

void CDC::DeleteTempMap()
{
    DCMap().DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr || m_hDC != nullptr) {
        return FALSE;
    }
    m_hDC = hDC;
    SetAttribDC(hDC);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    ReleaseAttribDC();
    ReleaseOutputDC();
    return hDC;
}

void CDC::SetAttribDC(HDC hDC)
{
    m_hAttribDC = hDC;
}

void CDC::SetOutputDC(HDC hDC)
{
    m_hDC = hDC;
}

void CDC::ReleaseAttribDC()
{
    m_hAttribDC = nullptr;
}

void CDC::ReleaseOutputDC()
{
    m_hDC = nullptr;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData)
{
    return Attach(::CreateDCW(lpszDriverName, lpszDeviceName, lpszOutput,
                              static_cast<const DEVMODEW*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr) {
        return FALSE;
    }
    return ::DeleteDC(Detach());
}

int CDC::SaveDC()
{
    int nRetVal = 0;
    if (m_hAttribDC != nullptr) {
        nRetVal = ::SaveDC(m_hAttribDC);
    }
    if (m_hDC != m_hAttribDC && ::SaveDC(m_hDC) != 0) {
        nRetVal = -1;  // both saved: restore with -1
    }
    return nRetVal;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL ok = TRUE;
    if (m_hDC != m_hAttribDC) {
        ok = ::RestoreDC(m_hDC, nSavedDC);
    }
    if (m_hAttribDC != nullptr) {
        ok = ::RestoreDC(m_hAttribDC, nSavedDC) && ok;
    }
    return ok;
}

// ---- selection -----------------------------------------------------------------------------

CPen* CDC::SelectObject(CPen* pPen)
{
    return static_cast<CPen*>(CGdiObject::FromHandle(SelectInto(this, pPen->GetSafeHandle())));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return static_cast<CBrush*>(CGdiObject::FromHandle(SelectInto(this, pBrush->GetSafeHandle())));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return static_cast<CFont*>(CGdiObject::FromHandle(SelectInto(this, pFont->GetSafeHandle())));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return static_cast<CBitmap*>(
        CGdiObject::FromHandle(SelectInto(this, pBitmap->GetSafeHandle())));
}

int CDC::SelectObject(CRgn* pRgn)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(SelectInto(this, pRgn->GetSafeHandle())));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return CGdiObject::FromHandle(SelectInto(this, pObject->GetSafeHandle()));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    return SelectInto(this, hObject);
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectInto(this, ::GetStockObject(nIndex)));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    return static_cast<CPalette*>(CGdiObject::FromHandle(::SelectPalette(
        m_hDC, static_cast<HPALETTE>(pPalette->GetSafeHandle()), bForceBackground)));
}

CPen* CDC::GetCurrentPen() const
{
    return static_cast<CPen*>(CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return static_cast<CBrush*>(CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CFont* CDC::GetCurrentFont() const
{
    return static_cast<CFont*>(CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return static_cast<CBitmap*>(CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

// ---- attributes ----------------------------------------------------------------------------

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    COLORREF old = CLR_INVALID;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        old = ::SetBkColor(m_hDC, crColor);
    }
    if (m_hAttribDC != nullptr) {
        old = ::SetBkColor(m_hAttribDC, crColor);
    }
    return old;
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    COLORREF old = CLR_INVALID;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        old = ::SetTextColor(m_hDC, crColor);
    }
    if (m_hAttribDC != nullptr) {
        old = ::SetTextColor(m_hAttribDC, crColor);
    }
    return old;
}

#define CDC_BOTH_INT(call)                          \
    int old = 0;                                    \
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) { \
        old = call(m_hDC);                          \
    }                                               \
    if (m_hAttribDC != nullptr) {                   \
        old = call(m_hAttribDC);                    \
    }                                               \
    return old

int CDC::SetBkMode(int nBkMode)
{
    auto call = [nBkMode](HDC h) { return ::SetBkMode(h, nBkMode); };
    CDC_BOTH_INT(call);
}

int CDC::SetROP2(int nDrawMode)
{
    auto call = [nDrawMode](HDC h) { return ::SetROP2(h, nDrawMode); };
    CDC_BOTH_INT(call);
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    auto call = [nStretchMode](HDC h) { return ::SetStretchBltMode(h, nStretchMode); };
    CDC_BOTH_INT(call);
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    auto call = [nPolyFillMode](HDC h) { return ::SetPolyFillMode(h, nPolyFillMode); };
    CDC_BOTH_INT(call);
}

int CDC::SetTextCharacterExtra(int nCharExtra)
{
    auto call = [nCharExtra](HDC h) { return ::SetTextCharacterExtra(h, nCharExtra); };
    CDC_BOTH_INT(call);
}

int CDC::SetMapMode(int nMapMode)
{
    auto call = [nMapMode](HDC h) { return ::SetMapMode(h, nMapMode); };
    CDC_BOTH_INT(call);
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    UINT old = 0;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        old = ::SetTextAlign(m_hDC, nFlags);
    }
    if (m_hAttribDC != nullptr) {
        old = ::SetTextAlign(m_hAttribDC, nFlags);
    }
    return old;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old{};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        ::SetViewportOrgEx(m_hDC, x, y, &old);
    }
    if (m_hAttribDC != nullptr) {
        ::SetViewportOrgEx(m_hAttribDC, x, y, &old);
    }
    return CPoint(old);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT old{};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
    }
    if (m_hAttribDC != nullptr) {
        ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, &old);
    }
    return CPoint(old);
}

CPoint CDC::GetViewportOrg() const
{
    POINT pt{};
    ::GetViewportOrgEx(m_hAttribDC, &pt);
    return CPoint(pt);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old{};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        ::SetWindowOrgEx(m_hDC, x, y, &old);
    }
    if (m_hAttribDC != nullptr) {
        ::SetWindowOrgEx(m_hAttribDC, x, y, &old);
    }
    return CPoint(old);
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT old{};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &old);
    }
    if (m_hAttribDC != nullptr) {
        ::OffsetWindowOrgEx(m_hAttribDC, nWidth, nHeight, &old);
    }
    return CPoint(old);
}

CPoint CDC::GetWindowOrg() const
{
    POINT pt{};
    ::GetWindowOrgEx(m_hAttribDC, &pt);
    return CPoint(pt);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE old{};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        ::SetViewportExtEx(m_hDC, cx, cy, &old);
    }
    if (m_hAttribDC != nullptr) {
        ::SetViewportExtEx(m_hAttribDC, cx, cy, &old);
    }
    return CSize(old);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE old{};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        ::SetWindowExtEx(m_hDC, cx, cy, &old);
    }
    if (m_hAttribDC != nullptr) {
        ::SetWindowExtEx(m_hAttribDC, cx, cy, &old);
    }
    return CSize(old);
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT old{};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

DWORD CDC::SetLayout(DWORD dwLayout)
{
    DWORD old = GDI_ERROR;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        old = ::SetLayout(m_hDC, dwLayout);
    }
    if (m_hAttribDC != nullptr) {
        old = ::SetLayout(m_hAttribDC, dwLayout);
    }
    return old;
}

// ---- clipping ------------------------------------------------------------------------------

int CDC::SelectClipRgn(CRgn* pRgn)
{
    HRGN hRgn = static_cast<HRGN>(pRgn->GetSafeHandle());
    int result = ERROR;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        result = ::SelectClipRgn(m_hDC, hRgn);
    }
    if (m_hAttribDC != nullptr) {
        result = ::SelectClipRgn(m_hAttribDC, hRgn);
    }
    return result;
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    HRGN hRgn = static_cast<HRGN>(pRgn->GetSafeHandle());
    int result = ERROR;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        result = ::ExtSelectClipRgn(m_hDC, hRgn, nMode);
    }
    if (m_hAttribDC != nullptr) {
        result = ::ExtSelectClipRgn(m_hAttribDC, hRgn, nMode);
    }
    return result;
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    int result = ERROR;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        result = ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
    }
    if (m_hAttribDC != nullptr) {
        result = ::ExcludeClipRect(m_hAttribDC, x1, y1, x2, y2);
    }
    return result;
}

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    int result = ERROR;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        result = ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
    }
    if (m_hAttribDC != nullptr) {
        result = ::IntersectClipRect(m_hAttribDC, x1, y1, x2, y2);
    }
    return result;
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::OffsetClipRgn(int x, int y)
{
    int result = ERROR;
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        result = ::OffsetClipRgn(m_hDC, x, y);
    }
    if (m_hAttribDC != nullptr) {
        result = ::OffsetClipRgn(m_hAttribDC, x, y);
    }
    return result;
}

int CDC::ExcludeUpdateRgn(CWnd* pWnd)
{
    return ::ExcludeUpdateRgn(m_hDC, CWnd::HwndOf(pWnd));
}

// ---- drawing -------------------------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y)
{
    POINT old{};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) {
        ::MoveToEx(m_hDC, x, y, &old);
    }
    if (m_hAttribDC != nullptr) {
        ::MoveToEx(m_hAttribDC, x, y, &old);
    }
    return CPoint(old);
}

BOOL CDC::LineTo(int x, int y)
{
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC) {
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    }
    return ::LineTo(m_hDC, x, y);
}

CPoint CDC::GetCurrentPosition() const
{
    POINT pt{};
    ::GetCurrentPositionEx(m_hAttribDC, &pt);
    return CPoint(pt);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    // ExtTextOut with an opaque rectangle fills without a brush; the old colour comes back.
    const COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const RECT rect{x, y, x + cx, y + cy};
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast)
{
    // Draws the new frame and erases the old one by XOR-ing only where they differ.
    CRgn rgnNew;
    CRgn rgnOutside;
    CRgn rgnInside;
    rgnOutside.CreateRectRgnIndirect(lpRect);
    RECT inner = *lpRect;
    ::InflateRect(&inner, -size.cx, -size.cy);
    ::IntersectRect(&inner, &inner, lpRect);
    rgnInside.CreateRectRgnIndirect(&inner);
    rgnNew.CreateRectRgn(0, 0, 0, 0);
    rgnNew.CombineRgn(&rgnOutside, &rgnInside, RGN_XOR);

    CBrush* pBrushOld = nullptr;
    if (pBrush == nullptr) {
        pBrush = GetHalftoneBrush();
    }
    if (pBrushLast == nullptr) {
        pBrushLast = pBrush;
    }
    CRgn rgnLast;
    CRgn rgnUpdate;
    if (lpRectLast != nullptr) {
        rgnLast.CreateRectRgn(0, 0, 0, 0);
        rgnOutside.SetRectRgn(lpRectLast);
        inner = *lpRectLast;
        ::InflateRect(&inner, -sizeLast.cx, -sizeLast.cy);
        ::IntersectRect(&inner, &inner, lpRectLast);
        rgnInside.SetRectRgn(&inner);
        rgnLast.CombineRgn(&rgnOutside, &rgnInside, RGN_XOR);
        if (pBrush->m_hObject == pBrushLast->m_hObject) {
            rgnUpdate.CreateRectRgn(0, 0, 0, 0);
            rgnUpdate.CombineRgn(&rgnLast, &rgnNew, RGN_XOR);
        }
    }
    if (pBrush->m_hObject != pBrushLast->m_hObject && lpRectLast != nullptr) {
        SelectClipRgn(&rgnLast);
        GetClipBox(&inner);
        pBrushOld = SelectObject(pBrushLast);
        PatBlt(inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top,
               PATINVERT);
        SelectObject(pBrushOld);
        pBrushOld = nullptr;
    }
    SelectClipRgn(rgnUpdate.m_hObject != nullptr ? &rgnUpdate : &rgnNew);
    GetClipBox(&inner);
    pBrushOld = SelectObject(pBrush);
    PatBlt(inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top, PATINVERT);
    if (pBrushOld != nullptr) {
        SelectObject(pBrushOld);
    }
    SelectClipRgn(nullptr);
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()),
                     static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()),
                      static_cast<HBRUSH>(pBrush->GetSafeHandle()), nWidth, nHeight);
}

BOOL CDC::InvertRgn(CRgn* pRgn)
{
    return ::InvertRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()));
}

BOOL CDC::PaintRgn(CRgn* pRgn)
{
    return ::PaintRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()));
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y,
                        size.cx, size.cy, nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, static_cast<HBITMAP>(pBitmap->GetSafeHandle()), nFlags,
                     static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y,
                        size.cx, size.cy, nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, hIcon, nFlags, static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
                    int nTextLen, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(lpszText),
                        static_cast<WPARAM>(nTextLen), pt.x, pt.y, size.cx, size.cy,
                        nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
                    int nTextLen, CBrush* pBrush)
{
    return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen,
                     static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    return ::TextOutW(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                     LPINT lpDxWidths)
{
    return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawTextEx(LPTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat,
                    LPDRAWTEXTPARAMS lpDTParams)
{
    return ::DrawTextExW(m_hDC, lpszString, nCount, lpRect, nFormat, lpDTParams);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size{};
    ::GetTextExtentPoint32W(m_hAttribDC, lpszString, nCount, &size);
    return CSize(size);
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size{};
    ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &size);
    return CSize(size);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions,
                         LPINT lpnTabStopPositions, int nTabOrigin)
{
    const LONG extent = ::TabbedTextOutW(m_hDC, x, y, lpszString, nCount, nTabPositions,
                                         lpnTabStopPositions, nTabOrigin);
    return CSize(LOWORD(extent), HIWORD(extent));
}

CBrush* CDC::GetHalftoneBrush()
{
    // Created once for the process and intentionally kept: it is shared by every caller.
    static CBrush* brush = [] {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i) {
            pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
        }
        HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        auto* b = new CBrush;
        if (bitmap != nullptr) {
            b->Attach(::CreatePatternBrush(bitmap));
            ::DeleteObject(bitmap);
        }
        return b;
    }();
    return brush;
}
