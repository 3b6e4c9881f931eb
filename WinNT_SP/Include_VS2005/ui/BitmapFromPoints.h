// A 32-bit pixel buffer (0x00RRGGBB) turned into a device-dependent bitmap of the display.
#pragma once

#include <windows.h>

#include <vector>

#include "WinNT_SP/Include_VS2005/ErrInfo.h"

class CBitmapFromPoints {
public:
    void Resize(int width, int height);
    void Fill(DWORD rgb);
    void Set(int x, int y, DWORD rgb)
    {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height) {
            m_pixels[static_cast<size_t>(y) * m_width + x] = rgb;
        }
    }
    DWORD Get(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // NULL on failure, with the error in err. The caller owns the bitmap.
    HBITMAP CreateBitmap(ERR_INFO* err) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<DWORD> m_pixels;
};
