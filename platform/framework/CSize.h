// CSize: a SIZE with arithmetic, as the framework's value type.
#pragma once

#include "platform/framework/FrameworkDefs.h"

class CPoint;

class CSize : public tagSIZE {
public:
    CSize() noexcept { cx = 0; cy = 0; }
    CSize(int x, int y) noexcept { cx = x; cy = y; }
    CSize(SIZE size) noexcept { cx = size.cx; cy = size.cy; }
    explicit CSize(POINT point) noexcept { cx = point.x; cy = point.y; }
    explicit CSize(DWORD packed) noexcept
    {
        cx = static_cast<short>(LOWORD(packed));
        cy = static_cast<short>(HIWORD(packed));
    }

    bool operator==(SIZE size) const noexcept { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const noexcept { return !(*this == size); }
    void operator+=(SIZE size) noexcept { cx += size.cx; cy += size.cy; }
    void operator-=(SIZE size) noexcept { cx -= size.cx; cy -= size.cy; }
    void SetSize(int x, int y) noexcept { cx = x; cy = y; }

    CSize operator+(SIZE size) const noexcept { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const noexcept { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const noexcept { return CSize(-cx, -cy); }
};
