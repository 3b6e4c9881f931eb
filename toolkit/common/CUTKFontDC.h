// Selects a font into a DC for a scope; the font selected before the first change comes back.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKFontDC {
public:
    explicit CUTKFontDC(CDC* dc, CFont* font = nullptr);
    virtual ~CUTKFontDC();
    CUTKFontDC(const CUTKFontDC&) = delete;
    CUTKFontDC& operator=(const CUTKFontDC&) = delete;

    void SetFont(CFont* font);

protected:
    CDC* m_pDC;
    HGDIOBJ m_hOldFont = nullptr;
};
