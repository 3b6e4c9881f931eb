// A 32-bit top-down memory DC for reading back what the drawing helpers paint.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

#include <cstdint>

namespace orvane::test {

class DrawCanvas {
public:
    DrawCanvas(int width, int height, COLORREF fill) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<uint32_t*>(bits);
        m_dc.Attach(::CreateCompatibleDC(nullptr));
        m_old = ::SelectObject(m_dc.m_hDC, m_bitmap);
        Fill(fill);
    }
    ~DrawCanvas()
    {
        ::SelectObject(m_dc.m_hDC, m_old);
        m_dc.DeleteDC();
        ::DeleteObject(m_bitmap);
    }
    DrawCanvas(const DrawCanvas&) = delete;
    DrawCanvas& operator=(const DrawCanvas&) = delete;

    CDC* dc() { return &m_dc; }
    HDC hdc() const { return m_dc.m_hDC; }
    HBITMAP bitmap() const { return m_bitmap; }
    void Fill(COLORREF colour)
    {
        for (int i = 0; i < m_width * m_height; ++i) {
            m_bits[i] = Raw(colour);
        }
    }
    // The pixel as a COLORREF (alpha dropped).
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        const uint32_t p = m_bits[y * m_width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    uint32_t& RawAt(int x, int y)
    {
        ::GdiFlush();
        return m_bits[y * m_width + x];
    }
    static uint32_t Raw(COLORREF c)
    {
        return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
    }

private:
    int m_width;
    int m_height;
    HBITMAP m_bitmap = nullptr;
    uint32_t* m_bits = nullptr;
    CDC m_dc;
    HGDIOBJ m_old = nullptr;
};

// Largest per-channel difference of two colours.
inline int ColourDistance(COLORREF a, COLORREF b)
{
    const int d[3] = {GetRValue(a) - GetRValue(b), GetGValue(a) - GetGValue(b),
                      GetBValue(a) - GetBValue(b)};
    int m = 0;
    for (int v : d) {
        m = v < 0 ? (-v > m ? -v : m) : (v > m ? v : m);
    }
    return m;
}

}  // namespace orvane::test
