#include "platform/wmvdecdmo/PictureWriter.h"

#include <algorithm>
#include <cstring>

namespace {

inline BYTE Clip(int v)
{
    return static_cast<BYTE>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

}  // namespace

WORD PictureWriter::BitCount(Layout layout)
{
    switch (layout) {
    case Layout::YV12:
    case Layout::I420:
        return 12;
    case Layout::RGB32:
        return 32;
    case Layout::RGB24:
        return 24;
    case Layout::RGB555:
        return 16;
    }
    return 0;
}

bool PictureWriter::Configure(Layout layout, int width, int strideWidth, int height,
                              bool bottomUp)
{
    if (width <= 0 || height <= 0 || strideWidth < width || strideWidth > 32768 ||
        height > 32768) {
        return false;
    }
    const bool planar = layout == Layout::YV12 || layout == Layout::I420;
    if (planar && (bottomUp || (strideWidth & 1) != 0)) {
        return false;
    }
    m_layout = layout;
    m_width = width;
    m_strideWidth = strideWidth;
    m_height = height;
    m_bottomUp = bottomUp;
    return true;
}

DWORD PictureWriter::RgbStride() const
{
    return ((static_cast<DWORD>(m_strideWidth) * BitCount(m_layout) / 8) + 3) & ~3u;
}

DWORD PictureWriter::ImageSize() const
{
    if (m_layout == Layout::YV12 || m_layout == Layout::I420) {
        const DWORD luma = static_cast<DWORD>(m_strideWidth) * static_cast<DWORD>(m_height);
        const DWORD chroma = static_cast<DWORD>(m_strideWidth / 2) *
                             static_cast<DWORD>((m_height + 1) / 2);
        return luma + 2 * chroma;
    }
    return RgbStride() * static_cast<DWORD>(m_height);
}

bool PictureWriter::Write(const DecodedPicture& picture, BYTE* dest, DWORD capacity) const
{
    if (dest == nullptr || m_width == 0 || capacity < ImageSize()) {
        return false;
    }
    if (m_layout == Layout::YV12 || m_layout == Layout::I420) {
        WritePlanar(picture, dest);
    } else {
        WriteRgb(picture, dest);
    }
    return true;
}

void PictureWriter::WritePlanar(const DecodedPicture& picture, BYTE* dest) const
{
    const int width = std::min(m_width, picture.width);
    const int height = std::min(m_height, picture.height);
    const int chromaWidth = (width + 1) / 2;
    const int chromaHeight = (height + 1) / 2;
    const int chromaStride = m_strideWidth / 2;
    BYTE* luma = dest;
    BYTE* first = luma + static_cast<size_t>(m_strideWidth) * m_height;
    BYTE* second = first + static_cast<size_t>(chromaStride) * ((m_height + 1) / 2);
    // YV12 stores V before U; I420 U before V.
    BYTE* u = m_layout == Layout::I420 ? first : second;
    BYTE* v = m_layout == Layout::I420 ? second : first;
    for (int y = 0; y < height; ++y) {
        memcpy(luma + static_cast<size_t>(y) * m_strideWidth,
               picture.plane[0] + static_cast<ptrdiff_t>(y) * picture.stride[0], width);
    }
    for (int y = 0; y < chromaHeight; ++y) {
        memcpy(u + static_cast<size_t>(y) * chromaStride,
               picture.plane[1] + static_cast<ptrdiff_t>(y) * picture.stride[1], chromaWidth);
        memcpy(v + static_cast<size_t>(y) * chromaStride,
               picture.plane[2] + static_cast<ptrdiff_t>(y) * picture.stride[2], chromaWidth);
    }
}

void PictureWriter::WriteRgb(const DecodedPicture& picture, BYTE* dest) const
{
    const int width = std::min(m_width, picture.width);
    const int height = std::min(m_height, picture.height);
    const DWORD stride = RgbStride();
    for (int y = 0; y < height; ++y) {
        const BYTE* ly = picture.plane[0] + static_cast<ptrdiff_t>(y) * picture.stride[0];
        const BYTE* lu = picture.plane[1] + static_cast<ptrdiff_t>(y / 2) * picture.stride[1];
        const BYTE* lv = picture.plane[2] + static_cast<ptrdiff_t>(y / 2) * picture.stride[2];
        const int row = m_bottomUp ? m_height - 1 - y : y;
        BYTE* out = dest + static_cast<size_t>(row) * stride;
        for (int x = 0; x < width; ++x) {
            const int c = 298 * (ly[x] - 16);
            const int d = lu[x / 2] - 128;
            const int e = lv[x / 2] - 128;
            const BYTE r = Clip((c + 409 * e + 128) >> 8);
            const BYTE g = Clip((c - 100 * d - 208 * e + 128) >> 8);
            const BYTE b = Clip((c + 516 * d + 128) >> 8);
            switch (m_layout) {
            case Layout::RGB32:
                out[4 * x] = b;
                out[4 * x + 1] = g;
                out[4 * x + 2] = r;
                out[4 * x + 3] = 0xFF;
                break;
            case Layout::RGB24:
                out[3 * x] = b;
                out[3 * x + 1] = g;
                out[3 * x + 2] = r;
                break;
            default: {
                const WORD pixel = static_cast<WORD>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
                out[2 * x] = static_cast<BYTE>(pixel & 0xFF);
                out[2 * x + 1] = static_cast<BYTE>(pixel >> 8);
                break;
            }
            }
        }
    }
}
