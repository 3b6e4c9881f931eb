// The shape and geometry of a tab strip: header depth, where tabs and page lie, which edges a
// tab has and how the page frame looks. Colours come from the paint manager's colour set. The
// base set is the plain geometry every appearance starts from.
#pragma once

#include "toolkit/tabmanager/CUTKTabPaintManager.h"

class CUTKTabPaintManager::CAppearanceSet {
public:
    CAppearanceSet() = default;
    CAppearanceSet(const CAppearanceSet&) = delete;
    CAppearanceSet& operator=(const CAppearanceSet&) = delete;

    virtual ~CAppearanceSet() = default;
    virtual void RefreshMetrics();
    virtual CRect GetHeaderRect(CRect client, CUTKTabManager* manager);
    virtual CRect GetHeaderClipBox(CDC* dc, CUTKTabManager* manager);
    virtual CRect GetClientRect(CRect client, CUTKTabManager* manager);
    virtual CRect GetHeaderMargin() { return m_rcHeaderMargin; }
    virtual CRect GetClientMargin();
    virtual int GetButtonLength(CDC* dc, CUTKTabManagerItem* item);
    virtual int GetHeaderHeight(CUTKTabManager* manager);
    virtual CRect GetButtonDrawRect(const CUTKTabManagerItem* item);
    virtual void DrawTabControl(CUTKTabManager* manager, CDC* dc, CRect rect);
    virtual CRect FillTabControl(CUTKTabManager* manager, CDC* dc, CRect rect);
    virtual void RepositionTabControl(CUTKTabManager* manager, CDC* dc, CRect rect);
    virtual void AdjustClientRect(CUTKTabManager* manager, CRect& rect);
    virtual void DrawSingleButton(CDC* dc, CUTKTabManagerItem* item);
    virtual void DrawWorkspacePart(CDC* dc, CRect* rect, int part);
    virtual int GetSupportedColorSets() { return 0x5F; }
    virtual int GetDefaultColorSet() { return 1; }
    virtual void DrawText(CDC* dc, CUTKTabManager* manager, const CString& text, CRect* rect,
                          UINT format);

    // Not a slot: the depth of the header for the manager's rows.
    int GetHeaderExtent(CUTKTabManager* manager);
    int GetTextRowHeight() const { return m_nRowHeight; }
    // The text row height for a space of that height.
    static int TextRowHeightFor(int spaceHeight) { return spaceHeight >= 15 ? spaceHeight + 3 : 18; }

    CRect m_rcHeaderMargin;
    int m_nRowMargin = -2;
    int m_nRowHeight = 18;
    CUTKTabPaintManager* m_pPaintManager = nullptr;
    BOOL m_bButtonsReverseZOrder = FALSE;
};

// Property page (number 0): the classic property-sheet look of raised tabs with 3D edges.
class CUTKTabPaintManager::CAppearanceSetPropertyPage
    : public CUTKTabPaintManager::CAppearanceSet {
public:
    CAppearanceSetPropertyPage();
    CRect GetClientMargin() override;
    CRect GetHeaderClipBox(CDC* dc, CUTKTabManager* manager) override;
    CRect FillTabControl(CUTKTabManager* manager, CDC* dc, CRect rect) override;
    void DrawSingleButton(CDC* dc, CUTKTabManagerItem* item) override;
};
