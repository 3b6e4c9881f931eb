// The colour sets beside the default and the native one: the Visual Studio 2003 greys, the
// Office 2003 scheme colours with their gradient faces, the Visual Studio 2005/2008/2010 sets
// built on them, and the Office 2007 sets that read the image set (fixed colours without it).
// Every slot stays virtual for derived strips.
#pragma once

#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"

// Number 2.
class CUTKTabPaintManager::CColorSetVisualStudio2003
    : public CUTKTabPaintManager::CColorSetDefault {
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* dc, CUTKTabManagerNavigateButton* button,
                            CRect& rect) override;
};

// Number 4.
class CUTKTabPaintManager::CColorSetOffice2003 : public CUTKTabPaintManager::CColorSetDefault {
public:
    void RefreshMetrics() override;
    COLORREF FillPropertyButton(CDC* dc, CRect rect, CUTKTabManagerItem* item) override;
    void FillNavigateButton(CDC* dc, CUTKTabManagerNavigateButton* button,
                            CRect& rect) override;

    // The face a tab is drawn with: hot and pressed tabs take those faces.
    virtual COLORREF GetFaceColor(CUTKTabManagerItem* item);

    // The frame of a hot or pressed navigate button.
    CUTKPaintManagerColor m_clrNavigateButtonBorder;
    // The fixed colours of a Windows colour scheme are in use.
    BOOL m_bLunaTheme = FALSE;
};

// Number 16.
class CUTKTabPaintManager::CColorSetVisualStudio2005
    : public CUTKTabPaintManager::CColorSetOffice2003 {
public:
    void RefreshMetrics() override;
    COLORREF FillPropertyButton(CDC* dc, CRect rect, CUTKTabManagerItem* item) override;
    COLORREF GetFaceColor(CUTKTabManagerItem* item) override;

    BOOL m_bGradientButton = FALSE;
};

// Number 32.
class CUTKTabPaintManager::CColorSetOffice2007 : public CUTKTabPaintManager::CColorSetOffice2003 {
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* dc, CUTKTabManagerNavigateButton* button,
                            CRect& rect) override;

    // The glyph colour of the navigate buttons drawn from images (-1: the default).
    CUTKPaintManagerColor m_clrNavigateButtonBackgroundText;

protected:
    // Reads the colours of the image set; FALSE (nothing changed) while it is not loaded.
    BOOL ReadImageSetColors();
};

// Number 64.
class CUTKTabPaintManager::CColorSetVisualStudio2008
    : public CUTKTabPaintManager::CColorSetOffice2003 {
public:
    void RefreshMetrics() override;
    COLORREF FillPropertyButton(CDC* dc, CRect rect, CUTKTabManagerItem* item) override;
    COLORREF GetFaceColor(CUTKTabManagerItem* item) override;

    BOOL m_bGradientButton = FALSE;
};

// Number 128.
class CUTKTabPaintManager::CColorSetOffice2007Access
    : public CUTKTabPaintManager::CColorSetOffice2007 {
public:
    void RefreshMetrics() override;
};

// Number 256.
class CUTKTabPaintManager::CColorSetVisualStudio2010
    : public CUTKTabPaintManager::CColorSetVisualStudio2008 {
public:
    void RefreshMetrics() override;
};
