// The one place where tooltips reach the Office 2007 image set of the paint themes: the
// colours of the tooltip section of its style and its tooltip frame image. Until the themes
// are linked in, every colour is the given default and there is no frame image.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

namespace TooltipThemeSeam {
// The colour under key in the "Window" section of the image set's style, else fallback.
COLORREF GetWindowColor(LPCWSTR key, COLORREF fallback);
// Draws the "TOOLTIPFRAME" image over rect (sizing margins 3, magenta transparent); FALSE
// when the set has no such image and nothing was drawn.
BOOL DrawTooltipFrame(CDC* dc, const RECT& rect);
}  // namespace TooltipThemeSeam
