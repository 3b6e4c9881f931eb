// CRect: a RECT with the framework's geometry operations (thin wrappers over the Win32 rect
// functions, so empty and normalised rectangles behave exactly as the system's).
#pragma once

#include "platform/framework/CPoint.h"

class CRect : public tagRECT {
public:
    CRect() noexcept { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& rect) noexcept { ::CopyRect(this, &rect); }
    CRect(const RECT* rect) noexcept
    {
        left = top = right = bottom = 0;
        if (rect) {
            ::CopyRect(this, rect);
        }
    }
    CRect(POINT point, SIZE size) noexcept
    {
        left = point.x; top = point.y; right = left + size.cx; bottom = top + size.cy;
    }
    CRect(POINT topLeft, POINT bottomRight) noexcept
    {
        left = topLeft.x; top = topLeft.y; right = bottomRight.x; bottom = bottomRight.y;
    }

    // Attributes
    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CSize Size() const noexcept { return CSize(Width(), Height()); }
    CPoint& TopLeft() noexcept { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() noexcept { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const noexcept { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const noexcept
    {
        return *reinterpret_cast<const CPoint*>(&right);
    }
    CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }
    operator LPRECT() noexcept { return this; }
    operator LPCRECT() const noexcept { return this; }
    BOOL IsRectEmpty() const noexcept { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const noexcept { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const noexcept { return ::PtInRect(this, point); }
    BOOL EqualRect(LPCRECT rect) const noexcept { return ::EqualRect(this, rect); }

    // Operations
    void SetRect(int l, int t, int r, int b) noexcept { ::SetRect(this, l, t, r, b); }
    void SetRect(POINT topLeft, POINT bottomRight) noexcept
    {
        SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    }
    void SetRectEmpty() noexcept { ::SetRectEmpty(this); }
    void CopyRect(LPCRECT rect) noexcept { ::CopyRect(this, rect); }
    void InflateRect(int dx, int dy) noexcept { ::InflateRect(this, dx, dy); }
    void InflateRect(SIZE size) noexcept { InflateRect(size.cx, size.cy); }
    void InflateRect(LPCRECT rect) noexcept
    {
        left -= rect->left; top -= rect->top; right += rect->right; bottom += rect->bottom;
    }
    void InflateRect(int l, int t, int r, int b) noexcept
    {
        left -= l; top -= t; right += r; bottom += b;
    }
    void DeflateRect(int dx, int dy) noexcept { ::InflateRect(this, -dx, -dy); }
    void DeflateRect(SIZE size) noexcept { DeflateRect(size.cx, size.cy); }
    void DeflateRect(LPCRECT rect) noexcept
    {
        left += rect->left; top += rect->top; right -= rect->right; bottom -= rect->bottom;
    }
    void DeflateRect(int l, int t, int r, int b) noexcept
    {
        left += l; top += t; right -= r; bottom -= b;
    }
    void OffsetRect(int dx, int dy) noexcept { ::OffsetRect(this, dx, dy); }
    void OffsetRect(POINT point) noexcept { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) noexcept { OffsetRect(size.cx, size.cy); }
    void MoveToX(int x) noexcept { right = Width() + x; left = x; }
    void MoveToY(int y) noexcept { bottom = Height() + y; top = y; }
    void MoveToXY(int x, int y) noexcept { MoveToX(x); MoveToY(y); }
    void MoveToXY(POINT point) noexcept { MoveToXY(point.x, point.y); }
    void NormalizeRect() noexcept
    {
        if (left > right) {
            LONG t = left; left = right; right = t;
        }
        if (top > bottom) {
            LONG t = top; top = bottom; bottom = t;
        }
    }
    BOOL IntersectRect(LPCRECT a, LPCRECT b) noexcept { return ::IntersectRect(this, a, b); }
    BOOL UnionRect(LPCRECT a, LPCRECT b) noexcept { return ::UnionRect(this, a, b); }
    BOOL SubtractRect(LPCRECT a, LPCRECT b) noexcept { return ::SubtractRect(this, a, b); }

    void operator=(const RECT& rect) noexcept { ::CopyRect(this, &rect); }
    bool operator==(const RECT& rect) const noexcept { return ::EqualRect(this, &rect) != 0; }
    bool operator!=(const RECT& rect) const noexcept { return !(*this == rect); }
    void operator+=(POINT point) noexcept { OffsetRect(point); }
    void operator+=(SIZE size) noexcept { OffsetRect(size); }
    void operator+=(LPCRECT rect) noexcept { InflateRect(rect); }
    void operator-=(POINT point) noexcept { OffsetRect(-point.x, -point.y); }
    void operator-=(SIZE size) noexcept { OffsetRect(-size.cx, -size.cy); }
    void operator-=(LPCRECT rect) noexcept { DeflateRect(rect); }
    void operator&=(const RECT& rect) noexcept { ::IntersectRect(this, this, &rect); }
    void operator|=(const RECT& rect) noexcept { ::UnionRect(this, this, &rect); }

    CRect operator+(POINT point) const noexcept { CRect r(*this); r.OffsetRect(point); return r; }
    CRect operator-(POINT point) const noexcept
    {
        CRect r(*this); r.OffsetRect(-point.x, -point.y); return r;
    }
    CRect operator+(SIZE size) const noexcept { CRect r(*this); r.OffsetRect(size); return r; }
    CRect operator-(SIZE size) const noexcept
    {
        CRect r(*this); r.OffsetRect(-size.cx, -size.cy); return r;
    }
    CRect operator+(LPCRECT rect) const noexcept { CRect r(*this); r.InflateRect(rect); return r; }
    CRect operator-(LPCRECT rect) const noexcept { CRect r(*this); r.DeflateRect(rect); return r; }
    CRect operator&(const RECT& rect) const noexcept
    {
        CRect r; ::IntersectRect(&r, this, &rect); return r;
    }
    CRect operator|(const RECT& rect) const noexcept
    {
        CRect r; ::UnionRect(&r, this, &rect); return r;
    }
};
