// Writes a decoded 4:2:0 picture into an output buffer of one of the uncompressed layouts the
// decoder offers: planar YV12 and I420 (top-down), or RGB DIBs of 32, 24 or 16 (5-5-5) bits,
// bottom-up for a positive height and top-down for a negative one. BT.601 studio range.
#pragma once

#include <windows.h>

#include "platform/wmvdecdmo/AvVideoDecoder.h"

class PictureWriter {
public:
    enum class Layout { YV12, I420, RGB32, RGB24, RGB555 };

    // width: the picture's width; strideWidth: the buffer's row length in pixels (>= width,
    // biWidth of the output type); height: |biHeight|; bottomUp: RGB rows stored last first.
    // False for a layout the sizes do not fit (odd planar sizes are allowed).
    [[nodiscard]] bool Configure(Layout layout, int width, int strideWidth, int height,
                                 bool bottomUp);
    // Bytes of one picture in this layout.
    DWORD ImageSize() const;
    // Writes the part of the picture that fits the configured size; false (nothing written)
    // when capacity is less than ImageSize().
    [[nodiscard]] bool Write(const DecodedPicture& picture, BYTE* dest, DWORD capacity) const;

    static WORD BitCount(Layout layout);

private:
    void WritePlanar(const DecodedPicture& picture, BYTE* dest) const;
    void WriteRgb(const DecodedPicture& picture, BYTE* dest) const;
    DWORD RgbStride() const;

    Layout m_layout = Layout::YV12;
    int m_width = 0;
    int m_strideWidth = 0;
    int m_height = 0;
    bool m_bottomUp = false;
};
