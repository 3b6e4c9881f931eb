// Double buffering: drawing goes into a memory bitmap in the destination's coordinates and is
// copied to the destination with one BitBlt when the buffer goes out of scope.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKBufferDC : public CDC {
public:
    CUTKBufferDC(HDC destination, const CRect& rect);
    // Buffers the paint structure's update rectangle (at least 1 x 1), clipped to it.
    explicit CUTKBufferDC(CPaintDC& paint);
    ~CUTKBufferDC() override;

    HDC GetDestinationDC() const noexcept { return m_hDestDC; }

protected:
    HDC m_hDestDC;
    CBitmap m_bitmap;
    CRect m_rect;
    HGDIOBJ m_hOldBitmap = nullptr;

private:
    void Create(int width, int height);
};
