// CUTKPaintManager: the base of every command-bar paint theme. Bars, controls, status bars,
// dock bars, message bars and keyboard tips measure and draw through one paint manager: the
// bar's own, the command bars' one, or the process-wide theme kept here (SetTheme). The base
// holds the shared colour table, fonts, metrics and icon options, owns the gallery, slider and
// progress painters, and declares the drawing operations in a fixed order that themes override.
#pragma once

#include <windows.h>

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/common/CUTKPaintManagerColor.h"
#include "toolkit/common/CUTKPaintManagerColorGradient.h"
#include "toolkit/common/CUTKWinThemeWrapper.h"
#include "toolkit/themes/CUTKPaintManagerFont.h"

#include <memory>

class CUTKCommandBar;
class CUTKCommandBars;
class CUTKCommandBarKeyboardTip;
class CUTKControl;
class CUTKControlComboBox;
class CUTKControlEdit;
class CUTKControlGalleryPaintManager;
class CUTKDockBar;
class CUTKFramePaintManager;
class CUTKImageManagerIcon;
class CUTKMessageBar;
class CUTKMessageBarButton;
class CUTKPopupBar;
class CUTKProgressPaintManager;
class CUTKRibbonPaintManager;
class CUTKShadowManager;
class CUTKSliderPaintManager;
class CUTKStatusBar;
class CUTKStatusBarPane;

// Command-bar theme numbers given to SetTheme / CreateTheme.
enum CommandBarThemeNumber {
    utkThemeDefault = 0,
    utkThemeOffice = 1,
    utkThemeOffice2003 = 2,
    utkThemeNativeXP = 3,
    utkThemeWhidbey = 4,
    utkThemeOffice2007 = 5,
    utkThemeRibbon = 6,
    utkThemeVisualStudio2008 = 7,
    utkThemeCustom = 8  // a paint manager a caller made and installed
};

// How icons are drawn; the command bars' options exchange the first three directly here
// ("UseFadedIcons", "UseDisabledIcons", "IconsWithShadow").
struct UTK_ICONS_INFO {
    BOOL bUseFadedIcons = FALSE;       // normal icons faded, full colour when hot
    BOOL bUseDisabledIcons = FALSE;    // disabled controls draw the disabled image
    BOOL bIconsWithShadow = FALSE;     // hot icons raised over their shadow
    BOOL bOfficeStyleDisabledIcons = FALSE;  // disabled images made from the bar face colours
};

class CUTKPaintManager : public CCmdTarget {
    DECLARE_DYNAMIC(CUTKPaintManager)

public:
    using PFNSETLAYEREDWINDOWATTRIBUTES = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    static constexpr int kColorCount = 63;  // indexes 0..62; larger values are plain colours

    // Bar types and positions as the drawing slots receive them.
    static constexpr int kBarTypeMenuBar = 0;
    static constexpr int kBarTypeNormal = 1;
    static constexpr int kBarTypePopup = 2;
    static constexpr int kBarTop = 0;
    static constexpr int kBarBottom = 1;
    static constexpr int kBarLeft = 2;
    static constexpr int kBarRight = 3;
    static constexpr int kBarFloating = 4;
    static constexpr int kBarPopup = 5;
    // Text orientations of GetControlTextOrientation.
    static constexpr int kTextVertical = 1;
    static constexpr int kTextHorizontal = 2;

    // Sets the field defaults, makes the owned painters and the shadow manager; no font and no
    // colour yet: RefreshMetrics makes the object usable.
    CUTKPaintManager();
    ~CUTKPaintManager() override;
    CUTKPaintManager(const CUTKPaintManager&) = delete;
    CUTKPaintManager& operator=(const CUTKPaintManager&) = delete;

    // ---- Virtual operations, in their fixed order. The state arguments are always selected,
    // pressed, enabled, checked, popuped, bar type, bar position.

    // Draws (bDraw) or measures a control in a popup bar.
    virtual CSize DrawControlPopupParent(CDC* pDC, CUTKControl* pControl, BOOL bDraw);
    // Draws or measures a control on a toolbar or menu bar.
    virtual CSize DrawControlToolBarParent(CDC* pDC, CUTKControl* pControl, BOOL bDraw);
    virtual void DrawSplitButtonFrame(CDC* pDC, CUTKControl* pButton, CRect rc) = 0;
    virtual CSize DrawControlComboBox(CDC* pDC, CUTKControlComboBox* pComboBox, BOOL bDraw);
    virtual COLORREF GetControlEditBackColor(CUTKControl* pControl);
    virtual CSize DrawControlEdit(CDC* pDC, CUTKControlEdit* pEdit, BOOL bDraw);
    virtual CSize DrawListBoxControl(CDC* pDC, CUTKControl* pButton, CRect rcButton,
                                     BOOL bSelected, BOOL bDraw,
                                     CUTKCommandBars* pCommandBars) = 0;
    virtual void FillCommandBarEntry(CDC* pDC, CUTKCommandBar* pBar) = 0;
    virtual void DrawControlEntry(CDC* pDC, CUTKControl* pButton);
    virtual COLORREF GetControlTextColor(CUTKControl* pButton);
    virtual COLORREF GetRectangleTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                           BOOL bChecked, BOOL bPopuped, int barType,
                                           int barPosition) = 0;
    virtual void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                               BOOL bChecked, BOOL bPopuped, int barType, int barPosition) = 0;
    // The base draws only a floating bar's caption; other bars answer (0, 0).
    virtual CSize DrawCommandBarGripper(CDC* pDC, CUTKCommandBar* pBar, BOOL bDraw = TRUE);
    virtual CSize DrawCommandBarSeparator(CDC* pDC, CUTKCommandBar* pBar, CUTKControl* pControl,
                                          BOOL bDraw = TRUE) = 0;
    virtual void AdjustExcludeRect(CRect& rc, CUTKControl* pControl, BOOL bVertical) = 0;
    virtual void DrawStatusBarPane(CDC* pDC, CRect rc, CUTKStatusBarPane* pPane);
    virtual BOOL DrawStatusBarButtonFace(CDC* pDC, CRect rc, CUTKStatusBarPane* pPane);
    // Draws, or measures with a null DC, a pane of switches; answers its width.
    virtual int DrawStatusBarSwitchPane(CDC* pDC, CRect rc, CUTKStatusBarPane* pPane);
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CUTKStatusBarPane* pPane,
                                         BOOL bGripperPane);
    virtual void DrawStatusBarPaneSeparator(CDC* pDC, CRect rc, CUTKStatusBarPane* pPane);
    virtual void DrawStatusBarGripper(CDC* pDC, CRect rcClient);
    virtual void FillDockBar(CDC* pDC, CUTKDockBar* pBar);
    virtual void FillMessageBar(CDC* pDC, CUTKMessageBar* pBar);
    virtual void DrawMessageBarButton(CDC* pDC, CUTKMessageBarButton* pButton);
    virtual void FillStatusBar(CDC* pDC, CUTKStatusBar* pBar);
    // Fonts, colours, visual-style handles and owned painters; derived themes call it first.
    virtual void RefreshMetrics();
    // Built-in buttons of bars: 0 expand button, 1 expand item of a popup, 2 hide and 3
    // customise button of a floating caption.
    virtual CSize DrawSpecialControl(CDC* pDC, int kind, CUTKControl* pButton,
                                     CUTKCommandBar* pBar, BOOL bDraw, LPVOID lpParam);
    virtual CRect GetCommandBarBorders(CUTKCommandBar* pBar);
    virtual CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw) = 0;
    virtual void DrawPopupResizeGripper(CDC* pDC, CRect rcGripper, int kind) = 0;
    virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CUTKImageManagerIcon* pImage,
                           BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                           BOOL bPopuped, BOOL bToolBarImage) = 0;
    virtual CSize DrawDialogBarGripper(CDC* pDC, CUTKCommandBar* pBar, BOOL bDraw) = 0;
    // The part of a split-button popup that runs its command.
    virtual CRect GetSplitButtonCommandRect(CUTKControl* pButton);
    virtual void SetCommandBarRegion(CUTKCommandBar* pBar);
    // Both glyphs are 13 by 13, drawn or only measured.
    virtual CSize DrawCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                   BOOL bChecked, BOOL bEnabled);
    virtual CSize DrawRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected,
                                      BOOL bPressed, BOOL bChecked, BOOL bEnabled);
    virtual void DrawPopupBarGutter(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded);
    // The theme class's own number (0 Default, 3 Native XP...), whatever it was installed as.
    virtual int GetBaseTheme() = 0;
    virtual CFont* GetControlFont(CUTKControl* pControl);
    virtual CFont* GetCommandBarFont(CUTKCommandBar* pBar);
    // kTextVertical or kTextHorizontal; a control without a bar is horizontal.
    virtual int GetControlTextOrientation(CUTKControl* pControl);
    virtual void RefreshFonts();
    virtual void RefreshColors();
    virtual void DrawCheckMark(CDC* pDC, CRect rcCheck, BOOL bEnabled, COLORREF clr);
    virtual void DrawRadioDot(CDC* pDC, CRect rcCheck, BOOL bEnabled, COLORREF clr);
    virtual void DrawDropDownGlyph(CDC* pDC, CRect rc, COLORREF clr);
    virtual void DrawControlMDIButton(CDC* pDC, CUTKControl* pButton);
    virtual void DrawControlPopupGlyph(CDC* pDC, CUTKControl* pButton, CPoint pt,
                                       BOOL bSelected, BOOL bPopuped, BOOL bEnabled,
                                       BOOL bVert);
    // Popup animation: kinds 2 diagonal slide, 3 downward slide, 4 fade; the source DC holds
    // the finished popup at its origin, the window DC the screen under the popup.
    virtual void AnimateExpansion(CDC* pDestDC, CDC* pSrcDC, CRect rc, int animationKind);
    // Grows the rows that were hidden until the popup expanded; answers the steps done. The
    // popup bar passes itself (its controls give the rows, its client area the image).
    virtual int AnimateExpandedItems(CUTKCommandBar* pPopupBar, CDC* pDestDC, CDC* pSrcDC,
                                     BOOL bExpandDown);
    // Reserved: does nothing here; kept so the operations after it keep their places.
    virtual void ReservedOperation();
    virtual int GetPopupBarGripperWidth(CUTKCommandBar* pBar);
    virtual CUTKControlGalleryPaintManager* GetGalleryPaintManager();
    virtual CUTKSliderPaintManager* GetSliderPaintManager();
    virtual CUTKProgressPaintManager* GetProgressPaintManager();
    // The frame and ribbon painters: null until those painters exist; callers skip them.
    virtual CUTKFramePaintManager* GetFramePaintManager();
    virtual CUTKRibbonPaintManager* GetRibbonPaintManager();
    virtual void FillWorkspace(CDC* pDC, CRect rc);
    virtual void DrawKeyboardTip(CDC* pDC, CUTKCommandBarKeyboardTip* pWnd, BOOL bSetRegion);
    virtual BOOL IsFlatToolBar(CUTKCommandBar* pBar);
    virtual CSize GetPopupBarImageSize(CUTKCommandBar* pBar);
    // DrawText of a caption (DT_CALCRECT when measuring: rc receives the text's rectangle).
    virtual int DrawControlText(CDC* pDC, const CString& text, CRect& rc, UINT flags,
                                BOOL bDraw, BOOL bSelected, BOOL bEnabled);

    // ---- Control drawing shared by the themes.

    // Edit controls go to DrawControlEdit, combo boxes to DrawControlComboBox, others to the
    // popup-bar or toolbar layout by the parent bar's type.
    CSize DrawControl(CDC* pDC, CUTKControl* pControl, BOOL bDraw = TRUE);
    // One line of caption text, mnemonics shown or not as the keyboard cues say.
    void DrawControlCaption(CDC* pDC, CUTKControl* pControl, const CString& caption,
                            const CString& captionNoMnemonics, CRect rc, BOOL bVert,
                            BOOL bCentered);
    CSize DrawControlCaptionText(CDC* pDC, CUTKControl* pControl, CRect rc, BOOL bDraw,
                                 BOOL bVert, BOOL bCentered, BOOL bPopupGlyph);
    CSize DrawTwoLineControlText(CDC* pDC, CUTKControl* pControl, CRect rc, BOOL bDraw,
                                 BOOL bVert, BOOL bPopupGlyph);
    // Splits at the blank nearest the middle; FALSE (line1 = caption) when it stays one line.
    static BOOL SplitCaption(const CString& caption, CString& line1, CString& line2);
    CSize CalcControlTextSize(CDC* pDC, CUTKControl* pControl, CRect rc, BOOL bDraw,
                              BOOL bPopupGlyph, int cellWidth, int cellHeight, BOOL bWithIcon);
    // Plain DrawText, or text composited onto glass.
    void DrawComposedText(CDC* pDC, const CString& text, CRect rc, UINT flags,
                          BOOL bComposited);
    // Whether mnemonics are underlined for the control: the override, else its bar's cues.
    BOOL IsKeyboardCuesShown(CUTKControl* pControl) const;
    // Whether the caption is drawn enabled (split-button popups' values 4 and 5 included).
    static BOOL IsControlCaptionEnabled(CUTKControl* pControl);
    // Edit and combo box fields measured (and labelled when drawing) from the control base.
    CSize DrawControlField(CDC* pDC, CUTKControl* pControl, BOOL bDraw, BOOL bComboBox);
    // A combo box's drop-down width for its height: MulDiv(height, 9, 14) + 1, at least 15.
    static int ComboDropDownWidth(int height) noexcept;
    // The label and drop-down widths the last field measuring computed (stored in the field
    // controls once they exist).
    int m_nLastFieldLabelWidth = 0;
    int m_nLastFieldDropDownWidth = 0;

    // ---- Colours, fonts and metrics.

    // The effective colour of an index 0..62; any larger value is returned unchanged.
    COLORREF GetColor(int index) const noexcept;
    // The colour table entry of an index 0..62 (null outside), to set a custom value.
    CUTKPaintManagerColor* GetColorEntry(int index) noexcept;
    // Sets the standard values of the listed indexes.
    void SetColors(int count, const int* indexes, const COLORREF* colors);
    UTK_ICONS_INFO* GetIconDrawOptions() noexcept { return &m_iconsInfo; }
    // The text height, at least 22.
    int GetControlHeight() const noexcept;
    int GetSplitDropDownHeight() const noexcept;
    // 16 by 16 (32 large), or scaled with the control height when automatic scaling is on.
    CSize GetAutoIconSize(BOOL bLarge) const noexcept;
    // The colour scheme the themes follow (the selection, resolved by the colour manager).
    int GetCurrentSystemTheme() const;
    // The common fonts (regular, bold, vertical, vertical bold) from a LOGFONT; the flag says
    // whether they follow the system's menu font.
    void SetCommonFonts(const LOGFONT* logFont, BOOL useSystemFont = FALSE);
    // The LOGFONT the common fonts are built from: the metrics' menu font, never smaller than
    // 11 pixels, in the given charset and quality.
    static void BuildCommonLogFont(const NONCLIENTMETRICSW& metrics, BYTE charset,
                                   BOOL clearType, LOGFONT* logFont);
    CSize GetControlIconSize(CUTKControl* pControl);
    CSize ApplyControlFixedSize(CUTKControl* pControl, int cx, int cy, BOOL bVertical);
    // An icon's drawing size within (cx, cy) keeping its aspect; (cx, cy) without an icon or
    // for an icon with no extent.
    static CSize FitImageSize(CUTKImageManagerIcon* pIcon, int cx, int cy);
    static CSize FitImageSize(CSize iconSize, int cx, int cy) noexcept;
    // Sets the alpha byte of the rectangle's pixels to 0xFF (surfaces that keep alpha).
    static void SetRectAlphaOpaque(CDC* pDC, CRect rc);
    BOOL IsLayeredWindowsSupported() const noexcept
    {
        return m_pfnSetLayeredWindowAttributes != nullptr;
    }
    CUTKShadowManager* GetShadowManager() const noexcept { return m_pShadowManager; }

    // ---- Drawing routines.

    static void HorizontalLine(CDC* pDC, int x0, int y, int x1, COLORREF clr);
    static void VerticalLine(CDC* pDC, int x, int y0, int y1, COLORREF clr);
    // A line with the DC's current pen.
    static void Line(CDC* pDC, int x0, int y0, int x1, int y1);
    // A line with a solid pen of a colour (index or plain colour).
    void DrawLine(CDC* pDC, int x0, int y0, int x1, int y1, int clr);
    // A polygon filled and outlined in one colour.
    static void Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr);
    // Frame colours are indexes (or plain colours).
    void Draw3dRect(CDC* pDC, CRect rc, int clrTopLeft, int clrBottomRight);
    // Fill unless -1; frame unless -1 or equal to the fill.
    void DrawFilledRect(CDC* pDC, CRect rc, int clrFrame, int clrFill);
    static void GradientFill(CDC* pDC, LPCRECT rc, COLORREF clr1, COLORREF clr2, BOOL bHorz,
                             LPCRECT rcClip = nullptr);
    // Each channel clr + factor * (base - clr); the base is the DC's pixel, or clrGiven for a
    // negative factor. Pixels outside the DC's bitmap are left alone.
    static void BlendPixel(CDC* pDC, int x, int y, COLORREF clr, COLORREF clrGiven,
                           double factor);
    // An anti-aliased circle in a square; nothing for a rectangle that is not square.
    static void DrawSmoothCircle(CDC* pDC, int x0, int y0, int x1, int y1, COLORREF clr,
                                 COLORREF clrFill);
    // Each colour byte of 32-bit pixels (b * alpha + a * (255 - alpha)) / 256; the fourth
    // byte of the destination is left as it was.
    static void BlendBits(BYTE* pDest, const BYTE* pSrcA, int cx, int cy, const BYTE* pSrcB,
                          int alpha) noexcept;
    static void StripMnemonics(CString& text);
    static BOOL FontExists(LPCWSTR face);

    // ---- The theme factory and the process-wide theme.

    // A new theme of the number (the Default theme for unknown numbers), the number recorded,
    // one reference for the caller, metrics not yet refreshed.
    static CUTKPaintManager* CreateTheme(int theme);
    static void SetTheme(int theme);
    // Takes over the caller's reference, records 8 and refreshes. The installed object itself
    // is only refreshed.
    static void SetCustomTheme(CUTKPaintManager* pTheme);
    // Releases the process-wide theme (at exit).
    static void Done();
    // The process-wide theme, the Default theme installed on first use.
    static CUTKPaintManager* GetGlobalPaintManager();
    // The process-wide theme as it is, null before first use and after Done.
    static CUTKPaintManager* PeekGlobalPaintManager() noexcept;

    // ---- Fields.

    COLORREF m_clrStatusTextColor = 0;
    COLORREF m_clrInfoTextColor = 0;
    CUTKPaintManagerColorGradient m_grcBarFace;
    CUTKPaintManagerColor m_clrFloatingCaption;
    CUTKPaintManagerColor m_clrFloatingCaptionText;
    BOOL m_bBoldCheckMarks = FALSE;
    BOOL m_bReservedFlag = TRUE;  // kept for themes that read it
    BOOL m_bThemedStatusBar = FALSE;
    BOOL m_bThemedCheckBox = FALSE;
    BOOL m_bClearTypeTextQuality = FALSE;
    BOOL m_bFlatToolBar = FALSE;
    BOOL m_bFlatMenuBar = FALSE;
    int m_nTextGap = 4;  // icon column to caption in popups; label to field
    BOOL m_bPopupItemHighlightStyle = FALSE;  // selection over the whole popup item
    int m_nReservedOption = 0;
    int m_nCaptionOption = 0;
    BOOL m_bShowLabelIcons = TRUE;
    BOOL m_bTwoLineCaptions = TRUE;
    CUTKPaintManagerFont m_fontSmCaption;
    CUTKPaintManagerFont m_fontIconTitle;
    CUTKPaintManagerFont m_fontIconTitleBold;
    CUTKPaintManagerFont m_fontStatus;
    int m_nSplitButtonDropDownWidth = 11;
    int m_nSplitButtonPopupWidth = 20;
    BOOL m_bAutoResizeIcons = FALSE;
    int m_nReservedMetric = 20;

protected:
    // Deletes the owned painters where their classes are complete.
    struct OwnedPainterDeleter {
        void operator()(CUTKControlGalleryPaintManager* painter) const noexcept;
        void operator()(CUTKSliderPaintManager* painter) const noexcept;
        void operator()(CUTKProgressPaintManager* painter) const noexcept;
    };
    void CreateOwnedPainters();
    void RefreshOwnedPainters();

    std::unique_ptr<CUTKControlGalleryPaintManager, OwnedPainterDeleter> m_pGalleryPaintManager;
    std::unique_ptr<CUTKSliderPaintManager, OwnedPainterDeleter> m_pSliderPaintManager;
    std::unique_ptr<CUTKProgressPaintManager, OwnedPainterDeleter> m_pProgressPaintManager;
    CUTKRibbonPaintManager* m_pRibbonPaintManager = nullptr;  // reference counted
    CUTKFramePaintManager* m_pFramePaintManager = nullptr;    // owned

public:
    PFNSETLAYEREDWINDOWATTRIBUTES m_pfnSetLayeredWindowAttributes = nullptr;
    CRect m_rcReserved{0, 0, 0, 0};
    BOOL m_bPreferredFaceFound = FALSE;
    CString m_strPreferredFace;  // "Tahoma"
    int m_nTextHeight = 0;       // height of " " in the regular font + 6
    CFont m_fontRegular;
    CFont m_fontBold;
    CFont m_fontVert;
    CFont m_fontVertBold;
    int m_nFixedControlHeight = 0;  // above 0: fields, split drop-downs, large buttons use it
    int m_nFontHeight = 0;          // a base font size for themes that set one (0 none)
    BOOL m_bUseStandardFont = TRUE;
    BOOL m_bEmbossedDisabledText = TRUE;
    CUTKWinThemeWrapper m_themeStatusBar;
    CUTKWinThemeWrapper m_themeButton;
    int m_nThemeNumber = 0;  // the number it was created or installed with
    UTK_ICONS_INFO m_iconsInfo;
    int m_nAnimationSteps = 10;
    int m_nAnimationTime = 100;  // milliseconds for a whole animation
    BOOL m_bEnableAnimation = FALSE;  // command bars cross-fade their changed parts
    BOOL m_bShowShadow = TRUE;        // popup bars cast shadows
    int m_nShowKeyboardCues = -1;  // -1 follow the bar, 0 never, above 0 always underline
    CUTKPaintManagerColor m_arrColor[kColorCount];
    int m_nSystemTheme = 7;  // colour scheme selection (7 current, 6 detected)

protected:
    CUTKShadowManager* m_pShadowManager = nullptr;  // reference counted
};
