// Section names and position rules of the saved bar state (see the header).
#include "toolkit/commandbars/BarStateScaling.h"

#include <algorithm>

CString MakeBarStateSectionName(LPCWSTR profile, LPCWSTR suffixFormat, int number)
{
    CString suffix;
    if (suffixFormat != nullptr)
        suffix.Format(suffixFormat, number);
    CString name(profile != nullptr ? profile : L"");
    const int room = std::max(0, kMaxBarStateSectionChars - suffix.GetLength());
    if (name.GetLength() > room)
        name = name.Left(room);
    name += suffix;
    return name;
}

BarStateScaling::BarStateScaling(CSize current, CSize saved)
    : m_current(current), m_saved(saved),
      m_bScaling(saved.cx > 0 && saved.cy > 0 && current.cx > 0 && current.cy > 0 &&
                 saved != current)
{
}

CPoint BarStateScaling::Scale(CPoint pt) const
{
    if (!m_bScaling)
        return pt;
    // MulDiv rounds and answers -1 only on overflow, which the limits below then catch.
    return CPoint(::MulDiv(pt.x, m_current.cx, m_saved.cx), ::MulDiv(pt.y, m_current.cy, m_saved.cy));
}

CPoint BarStateScaling::LimitPoint(CPoint pt, const CRect& workArea, CSize icon)
{
    pt.x = std::min(pt.x, workArea.right - icon.cx);
    pt.y = std::min(pt.y, workArea.bottom - icon.cy);
    return pt;
}

CRect BarStateScaling::LimitRect(CRect rc, const CRect& workArea)
{
    if (rc.left > workArea.right)
        rc.OffsetRect(-(rc.left - workArea.right), 0);
    if (rc.top > workArea.bottom)
        rc.OffsetRect(0, -(rc.top - workArea.bottom));
    return rc;
}

CPoint BarStateScaling::ScalePoint(CPoint pt, const WorkAreaOfPoint& workArea, CSize icon) const
{
    pt = Scale(pt);
    return workArea ? LimitPoint(pt, workArea(pt), icon) : pt;
}

CRect BarStateScaling::ScaleRect(CRect rc, const WorkAreaOfRect& workArea) const
{
    const CPoint topLeft = Scale(rc.TopLeft());
    rc.OffsetRect(topLeft.x - rc.left, topLeft.y - rc.top);
    return workArea ? LimitRect(rc, workArea(rc)) : rc;
}
