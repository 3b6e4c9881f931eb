// Selects a pen into a DC for a scope: an existing one, or a solid 1-pixel pen of its own.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKPenDC {
public:
    CUTKPenDC(CDC* dc, CPen* pen);
    CUTKPenDC(HDC dc, COLORREF colour);
    virtual ~CUTKPenDC();
    CUTKPenDC(const CUTKPenDC&) = delete;
    CUTKPenDC& operator=(const CUTKPenDC&) = delete;

    // Replaces the own pen by a solid 1-pixel pen of colour.
    void SetColor(COLORREF colour);

protected:
    HDC m_hDC;
    CPen m_pen;
    HGDIOBJ m_hOldPen = nullptr;
};
