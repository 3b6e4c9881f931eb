// The one place where tab drawing reaches the image manager's icons: a tab without an icon,
// or an icon without the image for a state, draws nothing.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKImageManagerIcon;

// Icon states as the image manager numbers them: 0 normal, 1 disabled, 2 hot, 3 checked.
enum TabIconState { tabIconNormal = 0, tabIconDisabled = 1, tabIconHot = 2, tabIconChecked = 3 };

// Draws the icon's image for the state at the point with the size; FALSE when nothing was
// drawn (no icon, or no image for the state).
BOOL TabIconDraw(CUTKImageManagerIcon* icon, CDC* dc, CPoint point, CSize size, int state);
