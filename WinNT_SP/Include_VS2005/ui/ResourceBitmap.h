// The least of the UI toolkit's resource-bitmap loader that the command icons need: a "PNG"
// resource decoded into a 32-bit DIB section with alpha, else a bitmap resource (32-bit ones as
// DIB sections that keep their alpha).
#pragma once

#include <windows.h>

// NULL when there is no such resource or it cannot be decoded. The caller deletes the bitmap.
HBITMAP LoadResourceBitmap(UINT resourceId, BOOL* hasAlpha);

// A PNG image in memory as a top-down 32-bit DIB section (BGRA, straight alpha); NULL when the
// data is not a PNG (signature checked first) or cannot be decoded.
HBITMAP DecodePngBitmap(const void* data, size_t size);
