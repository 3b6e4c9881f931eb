// The colours of a tab strip and the fills of its surfaces: header, page, tab faces, state
// buttons and navigate buttons, and each tab's text colour. The base set holds the colour
// table; the default set (every number without a class of its own) and the native set, which
// draws with the visual styles' "TAB" and "TOOLBAR" parts, derive from it.
#pragma once

#include "toolkit/common/CUTKPaintManagerColor.h"
#include "toolkit/common/CUTKPaintManagerColorGradient.h"
#include "toolkit/common/CUTKWinThemeWrapper.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

#include <map>
#include <memory>
#include <tuple>

class CUTKTabPaintManager::CColorSet {
public:
    CColorSet() = default;
    CColorSet(const CColorSet&) = delete;
    CColorSet& operator=(const CColorSet&) = delete;

    virtual ~CColorSet() = default;
    virtual void RefreshMetrics();
    virtual void SetTextColor(CDC* dc, CUTKTabManagerItem* item);
    virtual void FillHeader(CDC* dc, CRect rect, CUTKTabManager* manager);
    virtual COLORREF FillClient(CDC* dc, CRect rect, CUTKTabManager* manager);
    virtual void FillStateButton(CDC* dc, CRect rect, CUTKTabManagerItem* item);
    virtual COLORREF FillPropertyButton(CDC* dc, CRect rect, CUTKTabManagerItem* item);
    virtual void AdjustHeaderClip(CDC* dc, CRect rect, CUTKTabManager* manager);
    virtual void FillNavigateButton(CDC* dc, CUTKTabManagerNavigateButton* button,
                                    CRect& rect) = 0;
    virtual COLORREF GetItemColor(CUTKTabManagerItem* item);
    virtual BOOL IsAppThemed() { return FALSE; }

    // Two colours over a rectangle in the direction the strip's position gives; a first
    // colour of -2 is the halftone pattern.
    void GradientFill(CDC* dc, CRect rect, COLORREF first, COLORREF second, int position);
    static COLORREF Sys(int index);

    CUTKPaintManagerColorGradient m_clrHeaderFace;
    CUTKPaintManagerColorGradient m_clrAutoHideFace;
    CUTKPaintManagerColor m_clrFrameBorder;
    CUTKPaintManagerColor m_clrControlFace;
    CUTKPaintManagerColor m_clrPageFace;
    CUTKPaintManagerColor m_clrButtonHighlight;
    CUTKPaintManagerColor m_clrButtonSelected;
    CUTKPaintManagerColor m_clrButtonHighlighted;
    CUTKPaintManagerColor m_clrButtonPressed;
    CUTKPaintManagerColor m_clrButtonNormal;
    CUTKPaintManagerColor m_clrButtonText;
    CUTKPaintManagerColor m_clrButtonTextInactive;
    CUTKPaintManagerColor m_clrSelectedText;
    CUTKPaintManagerColor m_clrHighlightText;
    CUTKPaintManagerColor m_clrDisabledText;
    CUTKPaintManagerColorGradient m_clrStateSelectedFill;
    CUTKPaintManagerColorGradient m_clrStateSelectedBorder;
    CUTKPaintManagerColor m_csPropertyPage3DHighlight;
    CUTKPaintManagerColor m_csPropertyPage3DShadow;
    CUTKPaintManagerColor m_csPropertyPage3DDarkShadow;
    CUTKPaintManagerColor m_clrTabBorder;
    CUTKPaintManagerColor m_clrPageBorder;
    CUTKPaintManagerColor m_clrTabLightEdge;
    CUTKPaintManagerColor m_clrTabLightEdge2;
    CUTKPaintManagerColor m_clrFurther[6];
    CUTKPaintManagerColor m_clrFurtherCopy[6];
    CUTKTabPaintManager* m_pPaintManager = nullptr;

protected:
    // Sets the standard values of the six further colours and of their copies.
    void SetFurther(const COLORREF (&values)[6]);
};

// The set of every number without a class of its own: system colours, a halftone selected
// state button and classic 3D navigate buttons.
class CUTKTabPaintManager::CColorSetDefault : public CUTKTabPaintManager::CColorSet {
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* dc, CUTKTabManagerNavigateButton* button,
                            CRect& rect) override;
};

// Number 8: tabs, page and buttons in the visual styles' parts; the default set without them.
class CUTKTabPaintManager::CColorSetWinNative : public CUTKTabPaintManager::CColorSetDefault {
public:
    CColorSetWinNative();
    ~CColorSetWinNative() override;
    void RefreshMetrics() override;
    COLORREF FillPropertyButton(CDC* dc, CRect rect, CUTKTabManagerItem* item) override;
    COLORREF FillClient(CDC* dc, CRect rect, CUTKTabManager* manager) override;
    void AdjustHeaderClip(CDC* dc, CRect rect, CUTKTabManager* manager) override;
    void FillStateButton(CDC* dc, CRect rect, CUTKTabManagerItem* item) override;
    void FillNavigateButton(CDC* dc, CUTKTabManagerNavigateButton* button,
                            CRect& rect) override;
    BOOL IsAppThemed() override;

protected:
    BOOL IsToolbarThemed();
    // Draws a top-tab part turned or mirrored for the strip's position.
    void DrawRotatedPart(CDC* dc, CRect rect, int part, int state, int position);

    CUTKWinThemeWrapper m_themeTab{TRUE};
    CUTKWinThemeWrapper m_themeToolbar{TRUE};

private:
    class Surface;
    Surface* CachedSurface(std::unique_ptr<Surface>& slot, CDC* reference, int width, int height);
    std::unique_ptr<Surface> m_upright;
    // Turned tab faces by part, state, position and size: drawing one again is one copy.
    std::map<std::tuple<int, int, int, int, int>, std::unique_ptr<Surface>> m_turned;
};
