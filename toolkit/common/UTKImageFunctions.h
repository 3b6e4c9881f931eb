// Bitmap and icon helpers of the image manager: 32-bit DIB sections, icon sizes and resizing,
// premultiplied copies, and the loaders of bitmap strips and toolbar resources (PNG, 32-bit
// and classic bitmaps, other picture files through OLE). Every loader returns a bitmap the
// caller owns, or null.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

#include <cstdint>
#include <vector>

// A 32-bit plain DIB section with a positive height (rows bottom-up); the pixel pointer goes
// through bits when given. Null for sizes that are not positive or when it cannot be made.
HBITMAP Create32BitDIBSection(HDC dc, int cx, int cy, void** bits = nullptr);

// The mask bitmap's size, its height halved for an icon without a colour bitmap; 0 by 0 for
// a null icon.
SIZE GetIconSize(HICON icon);

// A copy of an icon newCx wide, its height scaled with it; null when newCx or the size is 0.
HICON ResizeIcon(HICON icon, int cx, int cy, int newCx);

// A new 32-bit DIB section holding the bitmap's pixels premultiplied by their alpha; null
// unless the bitmap is 32-bit. hasAlpha (when given) tells whether any alpha byte is not 0.
HBITMAP PremultiplyBitmap(HBITMAP bitmap, BOOL* hasAlpha = nullptr);

// The pixels of any bitmap as bottom-up 32-bit rows (width * height * 4 bytes); false when
// the bitmap cannot be read.
[[nodiscard]] bool ReadBitmapPixels32(HBITMAP bitmap, int& width, int& height,
                                      std::vector<uint32_t>& pixels);

// Loaders. alpha (when given) receives whether the bitmap carries an alpha channel.
HBITMAP LoadResourceBitmap(LPCWSTR name, BOOL* alpha);
HBITMAP LoadResourceBitmap(UINT id, BOOL* alpha);
HBITMAP LoadModuleResourceBitmap(HMODULE module, LPCWSTR name, BOOL* alpha);
HBITMAP LoadBitmapFromFile(LPCWSTR path, BOOL* alpha);
// Null unless the resource holds a sound 32-bit header and all its pixels.
HBITMAP Load32BitBitmapResource(HMODULE module, LPCWSTR name);
BOOL IsPngFile(LPCWSTR path);
BOOL Is32BitBitmapFile(LPCWSTR path);
BOOL IsPngResource(HMODULE module, LPCWSTR name);
BOOL Is32BitBitmapResource(HMODULE module, LPCWSTR name);

// The command ids of a toolbar resource (type 241) of the resource module: ids receives a
// new array of the non-zero ids (room for every item; the caller deletes it with delete[]),
// count their number, size the button size. FALSE when the resource is missing or shorter
// than its item count says.
BOOL ReadToolBarResource(UINT toolBarId, UINT*& ids, int& count, SIZE& size);
