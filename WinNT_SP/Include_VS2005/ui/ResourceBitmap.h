// The least of the UI toolkit's resource-bitmap loader that the command icons need: bitmap
// resources, 32-bit ones as DIB sections that keep their alpha. "PNG" resources are the
// toolkit's image manager's to decode; here they are reported as not loadable.
#pragma once

#include <windows.h>

// NULL when there is no such bitmap resource (or only a PNG one). The caller deletes the bitmap.
HBITMAP LoadResourceBitmap(UINT resourceId, BOOL* hasAlpha);
