// Saved bar state, the window-free half: the names of the profile sections (bounded, whatever
// the profile name's length) and the rules that bring saved bar positions onto the current
// screen (scaled when the screen size changed, pulled back from beyond the work area's right
// and bottom edges). The caller supplies the work areas; nothing here touches a window.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/framework/CPoint.h"
#include "platform/framework/CRect.h"
#include "platform/framework/CSize.h"
#include "platform/framework/CStringT.h"

// Longest section name written: the registry's limit for a key name (an INI section takes
// it too). The profile name is cut, the suffix that tells the sections apart is kept whole.
constexpr int kMaxBarStateSectionChars = 255;

// profile + suffix, where the suffix is suffixFormat with number ("-Bar%d", 3 gives "-Bar3");
// a null suffixFormat gives the profile name alone (bounded the same way).
CString MakeBarStateSectionName(LPCWSTR profile, LPCWSTR suffixFormat, int number = 0);

class BarStateScaling {
public:
    // The work area of the monitor nearest to a point or of a rectangle's monitor.
    using WorkAreaOfPoint = std::function<CRect(CPoint)>;
    using WorkAreaOfRect = std::function<CRect(const CRect&)>;

    // Scaling is on when the saved size is positive in both dimensions and differs from the
    // current one (a missing or damaged saved size leaves positions as they are).
    BarStateScaling(CSize current, CSize saved);

    BOOL IsScaling() const { return m_bScaling; }
    CSize GetCurrentSize() const { return m_current; }
    CSize GetSavedSize() const { return m_saved; }

    // Scaled, then x kept left of the work area's right edge less an icon's width and y above
    // its bottom less an icon's height.
    CPoint ScalePoint(CPoint pt, const WorkAreaOfPoint& workArea, CSize icon) const;
    // The top-left scaled like a point (the size kept), then moved left and up by as much as
    // its left and top lie beyond the work area's right and bottom edges.
    CRect ScaleRect(CRect rc, const WorkAreaOfRect& workArea) const;

    // The parts alone.
    CPoint Scale(CPoint pt) const;
    static CPoint LimitPoint(CPoint pt, const CRect& workArea, CSize icon);
    static CRect LimitRect(CRect rc, const CRect& workArea);

private:
    CSize m_current;
    CSize m_saved;
    BOOL m_bScaling;
};
