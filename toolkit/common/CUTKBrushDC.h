// Selects a solid brush of its own into a DC for a scope.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKBrushDC {
public:
    CUTKBrushDC(HDC dc, COLORREF colour);
    virtual ~CUTKBrushDC();
    CUTKBrushDC(const CUTKBrushDC&) = delete;
    CUTKBrushDC& operator=(const CUTKBrushDC&) = delete;

protected:
    HDC m_hDC;
    CBrush m_brush;
    HGDIOBJ m_hOldBrush = nullptr;
};
