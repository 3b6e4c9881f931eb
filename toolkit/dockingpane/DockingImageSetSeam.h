// What the docking themes read of the Office 2007 image set: whether it is loaded and its
// colours by section and key. The player ships no such set, so it reports "not loaded" and
// every key answers -1 (unset).
#pragma once

#include <windows.h>

BOOL IsDockingImageSetLoaded();
COLORREF GetDockingImageSetColor(LPCWSTR section, LPCWSTR key);
