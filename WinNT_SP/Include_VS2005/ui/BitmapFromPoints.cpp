// Builds the meter's bitmap on a "DISPLAY" device context from the top-down pixel buffer.
#include "WinNT_SP/Include_VS2005/ui/BitmapFromPoints.h"

void CBitmapFromPoints::Resize(int width, int height)
{
    m_width = width > 0 ? width : 0;
    m_height = height > 0 ? height : 0;
    m_pixels.assign(static_cast<size_t>(m_width) * m_height, 0);
}

void CBitmapFromPoints::Fill(DWORD rgb)
{
    std::fill(m_pixels.begin(), m_pixels.end(), rgb);
}

HBITMAP CBitmapFromPoints::CreateBitmap(ERR_INFO* err) const
{
    if (m_width == 0 || m_height == 0) {
        SetErrInfo(err, ERROR_INVALID_PARAMETER, L"CreateDIBitmap", L"empty", ORV_SRCFILE,
                   __LINE__, 0, nullptr);
        return nullptr;
    }
    HDC dc = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (!dc) {
        SetErrInfo(err, GetLastError(), L"CreateDC", L"DISPLAY", ORV_SRCFILE, __LINE__, 0,
                   nullptr);
        return nullptr;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HBITMAP bitmap = CreateDIBitmap(dc, &info.bmiHeader, CBM_INIT, m_pixels.data(), &info,
                                    DIB_RGB_COLORS);
    if (!bitmap) {
        SetErrInfo(err, GetLastError(), L"CreateDIBitmap", L"", ORV_SRCFILE, __LINE__, 0,
                   nullptr);
    }
    DeleteDC(dc);
    return bitmap;
}
