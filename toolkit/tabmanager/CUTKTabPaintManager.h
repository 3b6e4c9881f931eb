// Lays out and draws tab strips. Holds the options of a family of strips, one appearance set
// (shape and geometry) and one colour set (colours and visual-styles parts), and tells the
// tab managers attached to it when an option changes. Several strips may share one.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

#include <memory>
#include <vector>

class CUTKTabManager;
class CUTKTabManagerAtom;
class CUTKTabManagerItem;
class CUTKTabManagerNavigateButton;

class CUTKTabPaintManager : public CCmdTarget {
public:
    class CAppearanceSet;
    class CAppearanceSetPropertyPage;
    class CAppearanceSetPropertyPageSelected;
    class CAppearanceSetPropertyPageFlat;
    class CAppearanceSetPropertyPage2003;
    class CAppearanceSetStateButtons;
    class CAppearanceSetVisualStudio;
    class CAppearanceSetFlat;
    class CAppearanceSetExcel;
    class CAppearanceSetVisio;
    class CAppearanceSetVisualStudio2005;
    class CAppearanceSetPropertyPage2007;
    class CAppearanceSetPropertyPageAccess2007;
    class CColorSet;
    class CColorSetDefault;
    class CColorSetWinNative;
    class CColorSetVisualStudio2003;
    class CColorSetOffice2003;
    class CColorSetVisualStudio2005;
    class CColorSetOffice2007;
    class CColorSetVisualStudio2008;
    class CColorSetOffice2007Access;
    class CColorSetVisualStudio2010;

    enum Position { positionTop = 0, positionLeft = 1, positionBottom = 2, positionRight = 3 };
    enum Layout {
        layoutAutoSize = 0,
        layoutSizeToFit = 1,
        layoutFixed = 2,
        layoutCompressed = 3,
        layoutMultiRow = 4,
        layoutRotated = 5
    };

    CUTKTabPaintManager();
    ~CUTKTabPaintManager() override;

    virtual void DrawTabControl(CUTKTabManager* manager, CDC* dc, CRect rect);
    virtual void AdjustClientRect(CUTKTabManager* manager, CRect& rect);
    virtual void RepositionTabControl(CUTKTabManager* manager, CDC* dc, CRect rect);
    virtual void DrawNavigateButton(CDC* dc, CUTKTabManagerNavigateButton* button, CRect rect);
    virtual int DrawSingleButton(CDC* dc, CUTKTabManagerItem* item, CRect rect, BOOL draw);
    virtual void RefreshMetrics();
    virtual void OnPropertyChanged();
    virtual void DrawFocusRect(CDC* dc, CUTKTabManagerItem* item, CRect rect);

    void SetAppearance(int appearance);
    void SetAppearanceSet(CAppearanceSet* set);
    int GetAppearance() const { return m_nAppearance; }
    CAppearanceSet* GetAppearanceSet() const { return m_pAppearanceSet; }
    void SetColor(int color);
    void SetColorSet(CColorSet* set);
    int GetColor() const { return m_nColor; }
    CColorSet* GetColorSet() const { return m_pColorSet; }
    void SetPosition(int position);
    int GetPosition() const { return m_nPosition; }
    void SetLayout(int layout);
    int GetLayout() const { return m_nLayout; }
    void SetFontIndirect(const LOGFONT* font, BOOL useSystemFont = FALSE);
    CFont* GetFont() { return &m_fntNormal; }
    CFont* GetBoldFont(BOOL vertical);
    CFont* GetVerticalFont() { return &m_fntVertical; }
    BOOL IsLunaColorsDisabled() const;
    int GetTextWidth(CDC* dc, const CString& text, UINT format) const;
    void DrawTextPathEllipsis(CDC* dc, CUTKTabManager* manager, const CString& text, CRect rect,
                              UINT format);
    // The characters kept before and after "..." when text is cut in the middle to fit space.
    static void SplitPathEllipsis(CDC* dc, const CString& text, int space, int& headCount,
                                  int& tailCount);
    void EnsureVisible(CUTKTabManager* manager, CUTKTabManagerItem* item);
    CRect GetHeaderRectWithButtons(CRect client, CUTKTabManager* manager);

    // Managers that want the option-change notifications attach; each leaves before it dies.
    void AttachManager(CUTKTabManagerAtom* manager);
    void DetachManager(CUTKTabManagerAtom* manager);
    BOOL IsAttached(const CUTKTabManagerAtom* manager) const;
    // The running counter of automatic tab colours, shared by every strip of this manager.
    int NextTabColorIndex() { return m_nItemColor++; }

    // Tab-relative margins: a at the near end, b on the tab side, c at the far end, d on the
    // side opposite the tabs.
    static void InflateRectForTabPosition(CRect& rect, int a, int b, int c, int d,
                                          int position);
    static void DeflateRectForTabPosition(CRect& rect, int a, int b, int c, int d,
                                          int position);
    static void DeflateRectForTabPosition(CRect& rect, const RECT& margin, int position);

    // The family's small drawing operations.
    static void HorizontalLine(CDC* dc, int x, int y, int length, COLORREF color);
    static void VerticalLine(CDC* dc, int x, int y, int length, COLORREF color);
    static void Line(CDC* dc, int x1, int y1, int x2, int y2, COLORREF color);
    static void DrawPolyLine(CDC* dc, COLORREF color, CPoint start, const POINT* steps,
                             int count);
    static void DrawSingleLineBorder(CDC* dc, CRect rect, int side, COLORREF first,
                                     COLORREF second);

    // The strip-drawing and layout algorithms the appearance sets default to.
    void DrawTabStrip(CUTKTabManager* manager, CDC* dc, CRect rect);
    void LayoutTabStrip(CUTKTabManager* manager, CDC* dc, CRect client);
    // Layout 1: shrinks the lengths of the visible tabs so that they fit available.
    static void SizeToFit(std::vector<CUTKTabManagerItem*>& items, int available);
    int ClampLength(int length) const;

    // Options.
    BOOL m_bHotTracking = FALSE;
    BOOL m_bShowIcons = TRUE;
    BOOL m_bBoldSelected = FALSE;
    BOOL m_bBoldNormal = FALSE;
    BOOL m_bDisableLunaColors = FALSE;
    BOOL m_bOneNoteColors = FALSE;
    int m_nClientFrame = 0;
    BOOL m_bStaticFrame = FALSE;
    CRect m_rcClientMargin;
    CRect m_rcControlMargin;
    CRect m_rcItemMargin;
    CRect m_rcButtonMargin{6, 0, 6, 0};
    BOOL m_bInvertGradient = FALSE;
    BOOL m_bFillBackground = TRUE;
    CSize m_szIcon{16, 16};
    BOOL m_bDrawTextPathEllipsis = FALSE;
    BOOL m_bDrawTextEndEllipsis = TRUE;
    BOOL m_bDrawTextNoPrefix = TRUE;
    UINT m_nDrawTextFormat = DT_VCENTER;
    BOOL m_bStripPrefix = FALSE;
    BOOL m_bMultiRowFixedSelection = FALSE;
    BOOL m_bMultiRowJustified = TRUE;
    BOOL m_bDrawFocusRect = TRUE;
    BOOL m_bSelectOnDragOver = TRUE;
    int m_nExtraLength = 0;
    BOOL m_bSelectOnButtonDown = TRUE;
    BOOL m_bClearTypeTextQuality = FALSE;
    BOOL m_bRotateImageOnVerticalDraw = FALSE;
    BOOL m_bClipHeader = TRUE;
    CSize m_szNavigateButton{14, 15};
    BOOL m_bShowTabs = TRUE;
    int m_nMinTabWidth = 0;
    int m_nMaxTabWidth = 0;
    int m_nFixedTabWidth = 70;
    int m_nToolTipBehaviour = 2;

protected:
    CAppearanceSet* m_pAppearanceSet = nullptr;
    CColorSet* m_pColorSet = nullptr;
    std::vector<CUTKTabManagerAtom*> m_arrAttachedManagers;
    int m_nAppearance = 0;
    int m_nColor = 0;
    int m_nPosition = positionTop;
    int m_nLayout = layoutAutoSize;
    CFont m_fntNormal;
    CFont m_fntBold;
    CFont m_fntVertical;
    CFont m_fntVerticalBold;
    BOOL m_bUseSystemFont = TRUE;
    int m_nItemColor = 0;

private:
    void DrawRow(CUTKTabManager* manager, CDC* dc, CRect area, int first, int last);
    void LayoutMultiRow(CUTKTabManager* manager, CDC* dc, CRect client);
    void DrawCaption(CDC* dc, CUTKTabManager* manager, CUTKTabManagerItem* item, CRect rect,
                     BOOL vertical);
};

// The factory of appearance numbers: a new set, never null.
CUTKTabPaintManager::CAppearanceSet* CreateTabAppearanceSet(int appearance);
// The factory of colour-set numbers: a new set, or null for 512 (the current set stays).
CUTKTabPaintManager::CColorSet* CreateTabColorSet(int color);
