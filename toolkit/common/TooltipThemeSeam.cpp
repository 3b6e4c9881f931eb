// The Office 2007 image set as the tooltips see it without the themes: defaults, no image.
#include "toolkit/common/TooltipThemeSeam.h"

namespace TooltipThemeSeam {

COLORREF GetWindowColor(LPCWSTR /*key*/, COLORREF fallback)
{
    return fallback;
}

BOOL DrawTooltipFrame(CDC* /*dc*/, const RECT& /*rect*/)
{
    return FALSE;
}

}  // namespace TooltipThemeSeam
