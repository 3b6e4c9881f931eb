// The appearance sets beside the property page: state buttons, flat and rounded tabs, slanted
// and trapezoid tabs, the Visual Studio look, stacked bars and the image-drawn sets. Each is
// the base geometry with the slots that differ; every slot stays virtual for derived strips.
#pragma once

#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSet.h"

// Number 1: only the selected and the hot tab get a face and edges.
class CUTKTabPaintManager::CAppearanceSetPropertyPageSelected
    : public CUTKTabPaintManager::CAppearanceSetPropertyPage {
public:
    void DrawSingleButton(CDC* dc, CUTKTabManagerItem* item) override;
    int GetSupportedColorSets() override { return 0xD; }
};

// Number 6: every tab filled and framed in the frame-border colour.
class CUTKTabPaintManager::CAppearanceSetFlat : public CUTKTabPaintManager::CAppearanceSet {
public:
    CAppearanceSetFlat();
    CRect FillTabControl(CUTKTabManager* manager, CDC* dc, CRect rect) override;
    void DrawSingleButton(CDC* dc, CUTKTabManagerItem* item) override;
    int GetSupportedColorSets() override { return 7; }
    int GetDefaultColorSet() override { return 2; }

    // The rectangle a tab is drawn in: one longer at its far end, the selected one also one
    // deeper towards the page.
    static CRect FlatTabRect(const CUTKTabManagerItem* item, int position);
};

// Number 2: flat tabs with their outer corners rounded.
class CUTKTabPaintManager::CAppearanceSetPropertyPageFlat
    : public CUTKTabPaintManager::CAppearanceSetFlat {
public:
    CAppearanceSetPropertyPageFlat();
    void DrawSingleButton(CDC* dc, CUTKTabManagerItem* item) override;
    int GetDefaultColorSet() override { return 1; }

    BOOL m_bDrawFrame = TRUE;
    // Faces as a gradient from a light mix of the face to the face instead of solid.
    BOOL m_bGradientFace = FALSE;
};

// Number 3: tabs with a slanted leading edge as wide as the tab is deep.
class CUTKTabPaintManager::CAppearanceSetPropertyPage2003
    : public CUTKTabPaintManager::CAppearanceSet {
public:
    CAppearanceSetPropertyPage2003();
    CRect GetHeaderMargin() override;
    CRect GetButtonDrawRect(const CUTKTabManagerItem* item) override;
    CRect FillTabControl(CUTKTabManager* manager, CDC* dc, CRect rect) override;
    void DrawSingleButton(CDC* dc, CUTKTabManagerItem* item) override;
    int GetSupportedColorSets() override { return 0x55; }
    int GetDefaultColorSet() override { return 4; }

    // The hot tab's border and light edges in the second state-selected border colour.
    BOOL m_bHotEdge = FALSE;

protected:
    struct EdgeColors {
        COLORREF border;
        COLORREF light;
        COLORREF light2;
    };
    EdgeColors EdgeColorsFor(CUTKTabManagerItem* item);
};

// Number 4: tabs are push buttons; no page frame.
class CUTKTabPaintManager::CAppearanceSetStateButtons
    : public CUTKTabPaintManager::CAppearanceSet {
public:
    CAppearanceSetStateButtons();
    CRect FillTabControl(CUTKTabManager* manager, CDC* dc, CRect rect) override;
    void DrawSingleButton(CDC* dc, CUTKTabManagerItem* item) override;
    int GetDefaultColorSet() override { return 2; }
};

// Number 5: a framed selected tab, separators between the others.
class CUTKTabPaintManager::CAppearanceSetVisualStudio
    : public CUTKTabPaintManager::CAppearanceSet {
public:
    CAppearanceSetVisualStudio();
    CRect FillTabControl(CUTKTabManager* manager, CDC* dc, CRect rect) override;
    void DrawSingleButton(CDC* dc, CUTKTabManagerItem* item) override;
    int GetSupportedColorSets() override { return 7; }
    int GetDefaultColorSet() override { return 2; }
};

// Number 7: sheet tabs, trapezoids whose sloped sides are half the tab deep.
class CUTKTabPaintManager::CAppearanceSetExcel : public CUTKTabPaintManager::CAppearanceSetFlat {
public:
    CAppearanceSetExcel();
    CRect GetHeaderMargin() override;
    CRect GetButtonDrawRect(const CUTKTabManagerItem* item) override;
    void DrawSingleButton(CDC* dc, CUTKTabManagerItem* item) override;
};

// Number 8: full-width bars stacked in the client area with the page after the selected one.
class CUTKTabPaintManager::CAppearanceSetVisio : public CUTKTabPaintManager::CAppearanceSet {
public:
    CRect GetHeaderRect(CRect client, CUTKTabManager* manager) override;
    CRect GetClientRect(CRect client, CUTKTabManager* manager) override;
    void DrawTabControl(CUTKTabManager* manager, CDC* dc, CRect rect) override;
    void RepositionTabControl(CUTKTabManager* manager, CDC* dc, CRect rect) override;
    void DrawSingleButton(CDC* dc, CUTKTabManagerItem* item) override;
    int GetSupportedColorSets() override { return 5; }

    // The bar of tab index in client for the manager's selection and bar height.
    static CRect BarRect(CRect client, int index, int count, int selected, int height);
};

// Number 9: slants on both sides, drawn left to right.
class CUTKTabPaintManager::CAppearanceSetVisualStudio2005
    : public CUTKTabPaintManager::CAppearanceSetPropertyPage2003 {
public:
    CAppearanceSetVisualStudio2005();
    CRect GetHeaderMargin() override;
    CRect GetButtonDrawRect(const CUTKTabManagerItem* item) override;
    void DrawSingleButton(CDC* dc, CUTKTabManagerItem* item) override;
};

// Number 10: tabs and page from the Office 2007 image set; nothing while it is not loaded.
class CUTKTabPaintManager::CAppearanceSetPropertyPage2007
    : public CUTKTabPaintManager::CAppearanceSet {
public:
    CAppearanceSetPropertyPage2007();
    CRect FillTabControl(CUTKTabManager* manager, CDC* dc, CRect rect) override;
    void DrawSingleButton(CDC* dc, CUTKTabManagerItem* item) override;
    int GetSupportedColorSets() override { return 0x20; }
    int GetDefaultColorSet() override { return 32; }
    // Draws the image under one tab (state chosen by the caller's rules).
    virtual void DrawSingleTabImage(CDC* dc, CUTKTabManagerItem* item, CRect rect);

protected:
    // The image state of a tab: 0 normal to 5 selected in a focused strip.
    static int RibbonTabState(CUTKTabManagerItem* item);
    // The page image; the header face on the header.
    void FillImagePage(CUTKTabManager* manager, CDC* dc, CRect rect);
};

// Number 11: every tab drawn from "ACCESSTAB", reaching half a text row beyond its far end.
class CUTKTabPaintManager::CAppearanceSetPropertyPageAccess2007
    : public CUTKTabPaintManager::CAppearanceSetPropertyPage2007 {
public:
    CAppearanceSetPropertyPageAccess2007();
    void RefreshMetrics() override;
    CRect GetHeaderMargin() override;
    CRect GetButtonDrawRect(const CUTKTabManagerItem* item) override;
    CRect FillTabControl(CUTKTabManager* manager, CDC* dc, CRect rect) override;
    void DrawSingleButton(CDC* dc, CUTKTabManagerItem* item) override;
    int GetSupportedColorSets() override { return 0x80; }
    int GetDefaultColorSet() override { return 128; }
    void DrawSingleTabImage(CDC* dc, CUTKTabManagerItem* item, CRect rect) override;
};
