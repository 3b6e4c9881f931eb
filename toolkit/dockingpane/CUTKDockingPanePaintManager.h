// Draws what the docking system shows besides the panes' own windows: captions with their
// buttons, icon and title, the tab strips (through two tab paint managers), side panels,
// floating frames and splitter bars, and answers the caption geometry of the containers.
// Reference counted; the themes derive from it.
#pragma once

#include "toolkit/common/CUTKPaintManagerColor.h"
#include "toolkit/common/CUTKPaintManagerColorGradient.h"
#include "toolkit/common/CUTKWinThemeWrapper.h"

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

#include <vector>

class CUTKTabPaintManager;
class CUTKDockingPaneCaptionButton;
class DockingCaptionOwner;

class CUTKDockingPanePaintManager : public CCmdTarget {
public:
    using CaptionButtons = std::vector<CUTKDockingPaneCaptionButton*>;
    enum SplitterStyle {
        splitterFlat3D = 0x1,
        splitterSoft = 0x2,
        splitterGradientHorizontal = 0x4,
        splitterGradientVertical = 0x8,
        splitterLines = 0x100,
        splitterDots = 0x200
    };
    static constexpr int kColorCount = 63;

    CUTKDockingPanePaintManager();
    ~CUTKDockingPanePaintManager() override;

    virtual void DrawPane(CDC* dc, DockingCaptionOwner* container, CRect rect);
    virtual void DrawSidePanel(CDC* dc, DockingCaptionOwner* panel, CRect rect);
    virtual CRect GetSidePanelCaptionRect(DockingCaptionOwner* panel);
    virtual void DrawCaption(CDC* dc, DockingCaptionOwner* container, CRect rect) = 0;
    virtual void DrawCaptionButtons(CDC* dc, CaptionButtons* buttons, CRect& caption,
                                    COLORREF color, int size, int gap, BOOL vertical);
    virtual void DrawCaptionButton(CDC* dc, CUTKDockingPaneCaptionButton* button,
                                   COLORREF color);
    virtual void RefreshMetrics();
    virtual void AdjustClientRect(DockingCaptionOwner* container, CRect& rect, BOOL apply);
    virtual void AdjustSidePanelClientRect(DockingCaptionOwner* panel, CRect& rect);
    virtual void AdjustCaptionRect(DockingCaptionOwner* container, CRect& rect);
    virtual void AdjustSidePanelCaptionRect(DockingCaptionOwner* panel, CRect& rect);
    virtual void GetCaptionRect(DockingCaptionOwner* container, CRect& rect);
    virtual CRect GetCaptionGripperRect(DockingCaptionOwner* container);
    virtual void DrawFloatingFrame(CDC* dc, DockingCaptionOwner* frame, CRect rect);
    // The splitter bar in the splitter window's client rectangle; the frame window spreads
    // the gradient styles.
    virtual void DrawSplitter(CDC* dc, CRect client, BOOL horizontal, HWND splitter,
                              HWND frame);
    virtual void DrawCaptionButtonGlyph(CDC* dc, CUTKDockingPaneCaptionButton* button, int x,
                                        int y, COLORREF color);

    void SetCaptionFont(const LOGFONT* font, BOOL useSystemFont);
    COLORREF GetColor(int index) const;
    void SetColors(int count, const int* indexes, const COLORREF* colors);
    int GetCurrentSystemTheme() const;
    void DrawCaptionIcon(CDC* dc, DockingCaptionOwner* owner, CRect& rect, BOOL vertical);
    int DrawCaptionText(CDC* dc, const CString& title, CRect rect, BOOL vertical, BOOL measure);
    BOOL IsCaptionEnabled(DockingCaptionOwner* owner) const;
    // The band a tabbed container's caption takes: margins plus the caption height.
    int GetCaptionBand() const;

    static void FillFrameGradient(CDC* dc, CRect rect, HWND splitter, HWND frame,
                                  const CUTKPaintManagerColorGradient& gradient,
                                  BOOL horizontal);
    static void DrawMaximizeGlyph(CDC* dc, int x, int y, COLORREF color, BOOL maximize);
    static void DrawPinGlyph(CDC* dc, int x, int y, COLORREF color, BOOL sideways);
    void DrawLine(CDC* dc, int x1, int y1, int x2, int y2, int colorIndex) const;
    void FillFramedRect(CDC* dc, CRect rect, int fillIndex, int frameIndex) const;
    void SetPixelColor(CDC* dc, int x, int y, int colorIndex) const;

    CUTKTabPaintManager* GetPaneTabPaintManager() const { return m_pPaneTabPaintManager; }
    CUTKTabPaintManager* GetPanelTabPaintManager() const { return m_pPanelTabPaintManager; }
    CFont* GetCaptionFont() { return &m_fntTitle; }
    CFont* GetVerticalCaptionFont() { return &m_fntTitleVertical; }
    BOOL IsWindowThemeActive();

    BOOL m_bBoldCaption = TRUE;
    BOOL m_bHighlightActiveCaption = TRUE;
    int m_nSplitterSize = 4;
    BOOL m_bShowCaption = TRUE;
    BOOL m_bShowSingleTab = FALSE;
    BOOL m_bDrawCaptionIcon = FALSE;
    int m_nCaptionSplitterIndent = 0;
    CUTKPaintManagerColor m_clrSplitter;
    CUTKPaintManagerColor m_clrSplitterFace;
    CUTKPaintManagerColorGradient m_clrSplitterGradient;
    CUTKPaintManagerColorGradient m_clrNormalCaption;
    CUTKPaintManagerColorGradient m_clrActiveCaption;
    CUTKPaintManagerColor m_clrNormalCaptionText;
    CUTKPaintManagerColor m_clrActiveCaptionText;
    CUTKPaintManagerColor m_clrDisabledCaptionText;
    int m_nCaptionButtonStyle = 0;
    int m_dwSplitterStyle = 0;
    int m_nCaptionFontHeight = 0;
    int m_nTextCaptionMargin = 5;
    int m_nTabsHeight = 0;
    BOOL m_bUseTahomaFont = FALSE;
    BOOL m_bUseSystemCaptionFont = TRUE;
    int m_nThemeNumber = 0;
    CString m_strPreferredFace{L"Tahoma"};
    CRect m_rcCaptionMargin{0, 2, 0, 1};
    int m_nSchemeSetting = 7;
    BOOL m_bLunaColorsInEffect = FALSE;

protected:
    CUTKTabPaintManager* m_pPaneTabPaintManager = nullptr;
    CUTKTabPaintManager* m_pPanelTabPaintManager = nullptr;
    COLORREF m_arrColor[kColorCount] = {};
    CFont m_fntTitle;
    CFont m_fntTitleVertical;
    CUTKWinThemeWrapper m_themeToolbar;
    CUTKWinThemeWrapper m_themeExplorer;
    CUTKWinThemeWrapper m_themeButton;
    CUTKWinThemeWrapper m_themeWindow;

private:
    static BOOL IsThemeInUse(CUTKWinThemeWrapper& theme);
    void DrawStyle1(CDC* dc, CUTKDockingPaneCaptionButton* button, CPoint& centre);
};

// A docking paint manager by theme number, with the number stored in it. Its metrics are not
// refreshed yet: the caller does that before the first drawing.
CUTKDockingPanePaintManager* CreateDockingPanePaintTheme(int theme);
