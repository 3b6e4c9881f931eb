// A bitmap loaded from a PNG file, resource or stream, held as a top-down 32-bit DIB section
// (blue, green, red, alpha; not premultiplied). m_bAlpha tells whether the image kept an
// alpha channel; without one every alpha byte is 0.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKGraphicBitmapPng : public CBitmap {
public:
    CUTKGraphicBitmapPng() = default;
    ~CUTKGraphicBitmapPng() override = default;

    // Each load first drops the held bitmap and clears the alpha flag; on any failure (not a
    // PNG, damaged or short data, too large, no memory) it answers FALSE and holds nothing.
    [[nodiscard]] BOOL LoadFromFile(LPCWSTR path);
    // A "PNG" resource of module; resources of 9 bytes or fewer are refused.
    [[nodiscard]] BOOL LoadFromResource(HMODULE module, HRSRC resource);
    [[nodiscard]] BOOL LoadFromStream(CFile* file);

    BOOL m_bAlpha = FALSE;

private:
    void Reset() noexcept;
};
