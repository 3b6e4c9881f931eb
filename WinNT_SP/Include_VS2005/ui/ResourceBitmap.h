// The command-icon cache's bitmap loading: resource bitmaps come from the toolkit's loader
// (a "PNG" resource decoded into a 32-bit DIB section with alpha, else a bitmap resource, 32-bit
// ones keeping their alpha); a PNG held in memory decodes through the toolkit's decoder.
#pragma once

#include <windows.h>

#include "toolkit/common/UTKImageFunctions.h"

// A PNG image in memory as a top-down 32-bit DIB section (BGRA, straight alpha); NULL when the
// data is not a PNG (signature checked first) or cannot be decoded.
HBITMAP DecodePngBitmap(const void* data, size_t size);
