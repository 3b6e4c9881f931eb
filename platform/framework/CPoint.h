// CPoint: a POINT with arithmetic, as the framework's value type.
#pragma once

#include "platform/framework/CSize.h"

class CPoint : public tagPOINT {
public:
    CPoint() noexcept { x = 0; y = 0; }
    CPoint(int initX, int initY) noexcept { x = initX; y = initY; }
    CPoint(POINT point) noexcept { x = point.x; y = point.y; }
    CPoint(SIZE size) noexcept { x = size.cx; y = size.cy; }
    // Packed coordinates as in an LPARAM of a mouse message (signed 16-bit halves).
    explicit CPoint(LPARAM packed) noexcept
    {
        x = static_cast<short>(LOWORD(packed));
        y = static_cast<short>(HIWORD(packed));
    }

    void Offset(int dx, int dy) noexcept { x += dx; y += dy; }
    void Offset(POINT point) noexcept { Offset(point.x, point.y); }
    void Offset(SIZE size) noexcept { Offset(size.cx, size.cy); }
    void SetPoint(int newX, int newY) noexcept { x = newX; y = newY; }

    bool operator==(POINT point) const noexcept { return x == point.x && y == point.y; }
    bool operator!=(POINT point) const noexcept { return !(*this == point); }
    void operator+=(SIZE size) noexcept { Offset(size); }
    void operator-=(SIZE size) noexcept { Offset(-size.cx, -size.cy); }
    void operator+=(POINT point) noexcept { Offset(point); }
    void operator-=(POINT point) noexcept { Offset(-point.x, -point.y); }

    CPoint operator+(SIZE size) const noexcept { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const noexcept { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator-() const noexcept { return CPoint(-x, -y); }
    CPoint operator+(POINT point) const noexcept { return CPoint(x + point.x, y + point.y); }
    CSize operator-(POINT point) const noexcept { return CSize(x - point.x, y - point.y); }
};
