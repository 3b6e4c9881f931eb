// A memory DC compatible with a DC (the screen for null) with a bitmap selected for its life;
// the bitmap stays the caller's.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKCompatibleDC : public CDC {
public:
    CUTKCompatibleDC(CDC* dc, CBitmap* bitmap);
    CUTKCompatibleDC(CDC* dc, HBITMAP bitmap);
    ~CUTKCompatibleDC() override;

protected:
    HGDIOBJ m_hOldBitmap = nullptr;
};
