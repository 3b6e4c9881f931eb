// The one place where tab strips reach the Office 2007 image set. Until it is wired in, it
// reports "not loaded": no colours, no images, so the sets that use it take their fixed
// colours and the image-drawn appearances draw nothing.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

BOOL TabOffice2007IsLoaded();
// The colour stored under (section, key); FALSE and color untouched when there is none.
BOOL TabOffice2007GetColor(LPCWSTR section, LPCWSTR key, COLORREF& color);
// Draws state `state` of `stateCount` of the named image stretched over rect with the sizing
// margins kept; transparent is the key colour or -1. FALSE when the image is missing.
BOOL TabOffice2007DrawImage(CDC* dc, LPCWSTR image, const RECT& rect, int state, int stateCount,
                            const RECT& sizingMargins, COLORREF transparent);
