// Placement of popup bars inside the work area (vertical, then horizontal, as the popup's
// flags and the space on each side decide).
#include "toolkit/commandbars/PopupPlacement.h"

RECT PopupPlacement::ChooseWorkArea(const RECT& monitor, const RECT& work, const RECT& exclude,
                                    POINT anchor) noexcept
{
    RECT area = work;
    const BOOL excludeEmpty = exclude.right <= exclude.left && exclude.bottom <= exclude.top;
    if (excludeEmpty) {
        if (::PtInRect(&monitor, anchor) && !::PtInRect(&work, anchor)) {
            area = monitor;
        }
    } else {
        // A point popup's exclude rectangle has no height; widen it by one so the overlap
        // tests below see where it lies.
        RECT probe = exclude;
        if (probe.bottom <= probe.top) {
            probe.bottom = probe.top + 1;
        }
        if (probe.right <= probe.left) {
            probe.right = probe.left + 1;
        }
        RECT overlap{};
        if (!::IntersectRect(&overlap, &probe, &work) && ::IntersectRect(&overlap, &probe, &monitor)) {
            area = monitor;
        } else if (::PtInRect(&monitor, anchor) && !::PtInRect(&work, anchor)) {
            area = monitor;
        }
    }
    return area;
}

PopupPlacement::Result PopupPlacement::Calc(const Input& in) noexcept
{
    Result out;
    RECT w = in.workArea;
    w.bottom -= kBottomMargin;
    RECT e = in.exclude;
    UINT flags = in.flags;
    int x = in.anchor.x;
    int y = in.anchor.y;
    const int width = in.size.cx;
    int height = in.size.cy;
    const BOOL fixed = in.fixedPlacement || in.rowRestricted;
    const int areaMiddleY = w.top + (w.bottom - w.top) / 2;

    if (in.maximumHeight > 0 && in.maximumHeight < height) {
        height = in.maximumHeight;
        out.scroll = TRUE;
    }

    // Vertically.
    BOOL pointV = e.bottom == e.top;
    if (pointV && (flags & kFlagAbove) != 0) {
        y -= height;
    }
    if (pointV && y > w.bottom) {
        y -= height;
    } else if (y + height > w.bottom) {
        if (!pointV && (flags & kFlagBelow) == 0) {
            y = w.bottom - height;
        } else if (!pointV) {
            y = e.top - height;
            if (y < w.top) {
                if (fixed) {
                    flags &= ~kFlagBelow;
                    if (in.hasSideExclude) {
                        e = in.sideExclude;
                    }
                    y = w.bottom - height;
                    if ((flags & kFlagLeft) == 0) {
                        x = e.right;
                    }
                } else {
                    out.scroll = TRUE;
                    if ((e.top + e.bottom) / 2 > areaMiddleY) {
                        y = w.top;
                        height = e.top - w.top;
                    } else {
                        y = e.bottom;
                        height = w.bottom - e.bottom;
                    }
                }
            }
        } else if (y < areaMiddleY) {
            y = w.bottom - height;
        } else {
            y -= height;
        }
        if (y < w.top) {
            y = w.top;
        }
        if (y == w.top && y + height > w.bottom) {
            if (!fixed) {
                height = w.bottom - w.top;
                out.scroll = TRUE;
            } else if (in.isMenu && !in.rowRestricted) {
                out.relayoutHeight = w.bottom - w.top;
            }
        }
    }

    // Horizontally.
    const BOOL pointH = e.right == e.left;
    if (!pointH && flags == (kFlagLeft | kFlagBelow)) {
        x = e.right - width;
    } else if ((flags & kFlagLeft) != 0) {
        x = pointH ? in.anchor.x - width : e.left - width;
    }
    if (x + width > w.right) {
        if (pointH && x > w.right) {
            x -= width;
        } else if (!pointH && (flags & kFlagBelow) == 0) {
            x = e.left - width;
        } else {
            x = w.right - width;
        }
        if (!pointH) {
            flags |= kFlagLeft;
        }
        if (x < w.left) {
            x = w.left;
        }
    } else if (x < w.left) {
        if (!pointH) {
            flags &= ~kFlagLeft;
            x = (flags & kFlagBelow) != 0 ? w.left : e.right;
        } else if ((flags & kFlagLeft) != 0) {
            flags &= ~kFlagLeft;
            x = w.left;
        }
    }

    out.rect = RECT{x, y, x + width, y + height};
    out.flags = flags;
    out.exclude = e;
    return out;
}
