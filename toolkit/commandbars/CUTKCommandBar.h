// CUTKCommandBar: the window base of every toolbar, menu bar, dialog bar and popup menu. It
// owns the bar's controls, finds its services (paint and image managers, site, options)
// through its command bars object or parent bar with fall-backs when there is none, paints
// through its animation object, and holds the state of mouse and keyboard tracking.
#pragma once

#include <windows.h>

#include "platform/framework/CRect.h"
#include "platform/framework/CStringT.h"
#include "platform/framework/window/CCmdUI.h"
#include "platform/framework/window/CWnd.h"
#include "toolkit/common/CUTKAccessible.h"
#include "toolkit/common/CUTKHookManagerHookAble.h"

class CDC;
class CFont;
class CFrameWnd;
class CUTKCommandBars;
class CUTKCommandBarAnimation;
class CUTKCommandBarKeyboardTip;
class CUTKControl;
class CUTKControls;
class CUTKCustomizeDropSource;
class CUTKImageManager;
class CUTKPaintManager;
class CUTKPropExchange;
class CUTKCommandBarsOptions;
class CUTKToolTipContext;

// Values of "Type".
enum UTKBarType {
    utkBarTypeMenuBar = 0,
    utkBarTypeNormal = 1,
    utkBarTypePopup = 2,
};

// Values of "Position".
enum UTKBarPosition {
    utkBarTop = 0,
    utkBarBottom = 1,
    utkBarLeft = 2,
    utkBarRight = 3,
    utkBarFloating = 4,
    utkBarPopup = 5,
    utkBarListBox = 6,
    utkBarNone = 7,
};

// Bits of "Flags" (toolbars).
enum UTKBarFlags : DWORD {
    utkFlagAlignTop = 0x01,
    utkFlagAlignBottom = 0x02,
    utkFlagAlignLeft = 0x04,
    utkFlagAlignRight = 0x08,
    utkFlagFloating = 0x10,
    utkFlagHideWrap = 0x20,
    utkFlagStretched = 0x40,
    utkFlagAlignAny = 0x0F,
};

// Bits of "Style".
enum UTKBarStyle : DWORD {
    utkBarStyleLargeUncentred = 0x200000,
    utkBarStyleGripper = 0x400000,
};

// Selection reasons given to SetSelected.
enum UTKSelectReason {
    utkSelectMouse = 0,
    utkSelectKeyboard = 1,
    utkSelectKeyboardNext = 2,
    utkSelectKeyboardPrev = 3,
};

// Codes of ProcessSpecialKey.
enum UTKSpecialKey {
    utkKeyNext = 0,
    utkKeyPrev = 1,
    utkKeyCollapse = 2,
    utkKeyExpand = 3,
    utkKeyEscape = 4,
    utkKeyReturn = 5,
    utkKeyHome = 6,
    utkKeyEnd = 7,
    utkKeyLeft = 8,
    utkKeyRight = 9,
    utkKeySpace = 10,
};

// Site notifications (window messages sent to the bar's site).
constexpr UINT UTK_WM_BARVISIBLECHANGED = 0x2855;
constexpr UINT UTK_WM_CONTROLSELECTED = 0x2856;
constexpr UINT UTK_WM_CUSTOMIZESELCHANGED = 0x2857;
constexpr UINT UTK_WM_MENUBARTRACKING = 0x2858;
constexpr UINT UTK_WM_CONTROLRBUTTONUP = 0x2859;
constexpr UINT UTK_WM_TRACKINGKEY = 0x285A;
constexpr UINT UTK_WM_INITPOPUP = 0x285B;
constexpr UINT UTK_WM_TOOLBARSCONTEXTMENU = 0x285C;
constexpr UINT UTK_WM_UNINITPOPUP = 0x285D;
constexpr UINT UTK_WM_CREATECONTROL = 0x285E;
constexpr UINT UTK_WM_CONTROLCREATED = 0x285F;
constexpr UINT UTK_WM_CREATECOMMANDBAR = 0x2861;
constexpr UINT UTK_WM_EXECUTE = 0x2862;
constexpr UINT UTK_WM_TOOLBARRESET = 0x2864;
constexpr UINT UTK_WM_TEAROFF = 0x2867;

class CUTKCommandBar : public CWnd, public CUTKHookManagerHookAble, public CUTKAccessible {
    DECLARE_DYNCREATE(CUTKCommandBar)

public:
    // Timers and posted messages of a bar window.
    static constexpr UINT_PTR kHoverTimerId = 112223;
    static constexpr UINT kHoverDelay = 300;
    static constexpr UINT_PTR kExpandTimerId = 112224;
    static constexpr UINT kExpandDelay = 5000;
    static constexpr UINT kShowKeyboardTipsMessage = 52426;
    static constexpr UINT_PTR kAnimationTimerId = 707907;
    // Bits of the pending word.
    static constexpr DWORD kPendingRelayout = 0x1;
    static constexpr DWORD kPendingRedraw = 0x2;
    // The catch-all command-UI request a bar subclass may answer for every control.
    static constexpr int kCatchAllUpdateCode = static_cast<int>(0xBD11FFFF);

    // The command-UI record of one control.
    class CCommandBarCmdUI : public CCmdUI {
    public:
        void Enable(BOOL bOn = TRUE) override;
        void SetCheck(int nCheck = 1) override;
        void SetText(LPCTSTR lpszText) override;

        CUTKControl* m_pControl = nullptr;
        BOOL m_bCheckedChanged = FALSE;
    };

    CUTKCommandBar();
    ~CUTKCommandBar() override;

    // ---- virtual operations, in slot order (the shell and the ribbon override them) ----
    virtual void DelayRedraw();
    virtual BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    virtual BOOL LoadMenu(HMENU hMenu, BOOL bRemoveOld = TRUE);
    virtual BOOL SetSelected(int nSelected, int reason = utkSelectKeyboard);
    virtual BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE);
    virtual CSize GetIconSize() const;
    virtual CSize GetButtonSize() const;
    virtual BOOL Popup(CUTKControl* pControl, BOOL bSelectFirst = FALSE);
    virtual void SetVisible(BOOL bVisible);
    virtual BOOL IsVisible() const;
    virtual BOOL SetPosition(int position);
    virtual void OnCustomizeDragEnter(CUTKControl* pDataObject, CPoint point);
    virtual void OnCustomizeDragLeave();
    virtual DWORD OnCustomizeDragOver(CUTKControl* pDataObject, CPoint point);
    virtual void OnCustomizeDrop(CUTKControl* pDataObject, DWORD& dropEffect, CPoint ptDrop,
                                 CPoint ptDrag);
    virtual BOOL IsCustomizable() const;
    virtual void OnRecalcLayout();
    virtual void OnTrackLost();
    virtual void ResetSelection();
    virtual void OnControlSelected(BOOL bSelected, CUTKControl* pControl);
    virtual CUTKCommandBar* GetParentCommandBar() const;
    virtual BOOL IsDialogBar() const;
    virtual BOOL IsRibbonBar() const;
    virtual BOOL IsPopupBar() const;
    virtual void DoPropExchange(CUTKPropExchange* pPX);
    virtual BOOL IsKeyboardCuesVisible() const;
    virtual void Redraw(LPCRECT lpRect = nullptr, BOOL bAnimate = TRUE);
    virtual void DrawCommandBar(CDC* pDC, CRect rcClipBox);
    virtual void EnsureControlVisible(CUTKControl* pControl);
    virtual CRect GetBorders();
    virtual void FillCommandBarEntry(CDC* pDC);
    virtual int GetPopupResizeMode() const;
    virtual void CreateKeyboardTips();
    virtual void OnKeyboardTip(CUTKCommandBarKeyboardTip* pTip);
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    virtual BOOL ProcessSpecialKey(int key);
    virtual void OnControlsChanged();
    virtual void Copy(CUTKCommandBar* pCommandBar, BOOL bRecursive = FALSE);
    virtual BOOL IsPointInBar(CPoint ptScreen) const;
    virtual void UpdateShortcuts();
    virtual void GenerateCommandBarList(DWORD& nID, class CUTKCommandBarList* pCommandBarList,
                                        void* pParam);
    virtual void RestoreCommandBarList(class CUTKCommandBarList* pCommandBarList);
    virtual void DestroyBar();
    virtual void FindDropIndex(CUTKControl* pDraggedControl, CPoint point, CRect& rcMark,
                               int& nDropIndex, BOOL& bDropAfter);
    virtual LRESULT OnIdleUpdate(BOOL bDisableIfNoHandler, LPARAM lParam);
    virtual BOOL PreviewAccel(UINT chAccel);
    virtual void OnPopupRButtonUp(CUTKCommandBar* pCommandBar, CPoint point);
    virtual CUTKCommandBar* Clone(BOOL bRecursive);

    // ---- framework overrides ----
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnFinalRelease() override;
    // Hook client: keyboard hook messages while the bar tracks.
    int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam,
                      LRESULT& result) override;

    // ---- accessibility ----
    HRESULT get_accParent(IDispatch** ppdispParent) override;
    HRESULT get_accChildCount(long* pcountChildren) override;
    HRESULT get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT get_accName(VARIANT varChild, BSTR* pszName) override;
    HRESULT get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT get_accState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                        VARIANT varChild) override;
    HRESULT accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    CCmdTarget* GetAccessibleOwner() override;
    LPUNKNOWN GetInterfaceHook(const void* iid) override;

    // ---- services found through the manager or the parent chain ----
    CUTKCommandBars* GetCommandBars() const;
    // The manager's options; null without a manager.
    CUTKCommandBarsOptions* GetCommandBarsOptions() const;
    void SetCommandBars(CUTKCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CUTKCommandBar* GetRootParent() const;
    BOOL IsCustomizeMode() const;
    CUTKPaintManager* GetPaintManager() const;
    // Installs the bar's own paint manager; the bar holds a reference of its own (the caller
    // keeps and releases its one). Null returns to the chain.
    void SetPaintManager(CUTKPaintManager* pPaintManager);
    CUTKImageManager* GetImageManager() const;
    // The bar's own image manager, held like the paint manager.
    void SetImageManager(CUTKImageManager* pImageManager);
    CWnd* GetSite() const;
    CWnd* GetOwnerSite() const;
    CFrameWnd* GetFrameSite() const;
    UINT GetActiveDocTemplate() const;
    CUTKToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }

    // ---- controls ----
    CUTKControls* GetControls() const { return m_pControls; }
    void SetControls(CUTKControls* pControls);
    int GetControlCount() const;
    CUTKControl* GetControl(int nIndex) const;
    // The first visible default item: its index when asked by index, else its id; -1 none.
    int GetDefaultItem(UINT gmdiFlags = 0, BOOL bByPos = TRUE) const;
    // TRUE when some control did not fit the bar (hide flags exactly 2).
    BOOL IsControlsHidden() const;
    int GetSelectedIndex() const { return m_nSelected; }
    int GetPopupedIndex() const { return m_nPopuped; }
    CUTKControl* GetSelectedControl() const { return GetControl(m_nSelected); }

    // ---- tracking (see the tracking file) ----
    BOOL SetPopuped(int nPopuped, BOOL bKeyboard = FALSE);
    int IsTrackingMode() const { return m_nTracking; }
    int GetTrackingMode() const { return m_nTracking; }
    int FindAccel(UINT chAccel, BOOL& bSelectOnly) const;
    // The code of an arrow, Home or End key on this bar (-1 for other keys).
    int GetArrowKeyCode(UINT nChar) const;
    // Window-free rule of the arrow table.
    static int ArrowKeyCode(UINT nChar, BOOL bHorizontal, BOOL bRTL);
    BOOL IsHorizontalKeys() const;
    int GetKeyboardSelection() const { return m_nKeyboardSelection; }
    BOOL IsEnteredByMouse() const { return m_bEnteredByMouse; }
    void SetEnteredByMouse(BOOL b) { m_bEnteredByMouse = b; }
    BOOL IsHoverPopup() const { return m_bHoverPopup; }
    void SetHoverPopup(BOOL bHover) { m_bHoverPopup = bHover; }
    BOOL IsHideCaret() const { return m_bHideCaret; }
    void SetHideCaret(BOOL bHide) { m_bHideCaret = bHide; }
    BOOL IsTrackLockExempt() const { return m_bIgnoreTrackLock; }
    void SetTrackLockExempt(BOOL bExempt) { m_bIgnoreTrackLock = bExempt; }
    int GetTrackLock() const { return m_nTrackLock; }
    void AddTrackLock(int delta) { m_nTrackLock += delta; }
    void SetTrackLock(int lock) { m_nTrackLock = lock; }
    CWnd* GetOwnerWindow() const { return m_pOwnerWnd; }
    void SetOwnerWindow(CWnd* pOwner) { m_pOwnerWnd = pOwner; }
    BOOL IsRightButtonTracking() const { return m_bTrackRightButton; }
    void SetRightButtonTracking(BOOL on) { m_bTrackRightButton = on; }
    BOOL IsNoNotify() const { return m_bNoNotify; }
    void SetNoNotify(BOOL on) { m_bNoNotify = on; }
    BOOL IsRecurse() const { return m_bRecurse; }
    void SetRecurse(BOOL on) { m_bRecurse = on; }
    // Where a popup tracked with the return-command flag stores the chosen command.
    UINT* GetReturnCmd() const { return m_pReturnCmd; }
    void SetReturnCmd(UINT* pReturnCmd) { m_pReturnCmd = pReturnCmd; }
    BOOL IsCloseOnExecute() const { return m_bCloseItself; }
    void SetCloseOnExecute(BOOL on) { m_bCloseItself = on; }
    HWND GetFocusReturnWnd() const { return m_hwndFocusReturn; }
    void SetFocusReturnWnd(HWND hwnd) { m_hwndFocusReturn = hwnd; }

    // Keyboard and mouse input of the bar window; points in client coordinates.
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);

    // ---- fields by name ----
    int GetType() const { return m_barType; }
    void SetType(int type) { m_barType = type; }
    int GetPosition() const { return m_barPosition; }
    // Positions 2, 3 and 5 are vertical; a popup ("Type" 2) is laid out vertically anyway.
    BOOL IsVerticalPosition() const;
    static BOOL IsVerticalPosition(int position);
    UINT GetBarID() const { return m_nBarID; }
    void SetBarID(UINT nID) { m_nBarID = nID; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    void ModifyFlags(DWORD dwAdd, DWORD dwRemove) { m_dwFlags = (m_dwFlags | dwAdd) & ~dwRemove; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    void SetStyleBit22(BOOL bOn);
    BOOL GetStyleBit22() const { return (m_dwStyle & utkBarStyleGripper) != 0; }
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle);
    int GetWidth() const { return m_nMRUWidth; }
    void SetWidth(int nWidth) { m_nMRUWidth = nWidth; }
    DWORD GetPending() const { return m_dwPending; }
    void SetPending(DWORD bits) { m_dwPending |= bits; }
    void ClearPending(DWORD bits) { m_dwPending &= ~bits; }
    BOOL IsRelayoutPending() const { return (m_dwPending & kPendingRelayout) != 0; }
    BOOL IsRedrawPending() const { return (m_dwPending & kPendingRedraw) != 0; }
    // Carries out a pending redraw and relayout at once; nothing without a visible window.
    void UpdatePending();
    CWnd* GetCommandWindow() const { return m_pCommandWnd; }
    void SetCommandWindow(CWnd* pWnd) { m_pCommandWnd = pWnd; }
    CSize GetIconSizeField() const { return m_szIcons; }
    void SetIconSize(CSize size);
    CSize GetButtonSizeField() const { return m_szButtons; }
    void SetButtonSize(CSize size);
    CSize GetLargeIconSize(BOOL bAskPaintManager) const;
    CSize GetDefaultIconSize(BOOL bLarge) const;
    int GetShowTextBelowIcons() const { return m_nTextBelowIcons; }
    void ShowTextBelowIcons(int show) { m_nTextBelowIcons = show; }
    BOOL IsTextBelowIcons() const;
    int GetDefaultButtonStyle() const { return m_buttonStyle; }
    void SetDefaultButtonStyle(int style) { m_buttonStyle = style; }
    BOOL IsCloseable() const { return m_bCloseable; }
    void SetCloseable(BOOL b) { m_bCloseable = b; }
    void SetCustomizable(BOOL b) { m_bCustomizable = b; }
    BOOL IsCustomizeDialogPresent() const { return m_bCustomizeDialogPresent; }
    void SetCustomizeDialogPresent(BOOL b) { m_bCustomizeDialogPresent = b; }
    BOOL IsVisibleField() const { return m_bVisible; }
    void SetVisibleField(BOOL bVisible) { m_bVisible = bVisible; }
    // 0 text by position, 1 vertical, any other horizontal.
    int GetTextOrientation() const { return m_nTextOrientation; }
    void SetTextOrientation(int orientation) { m_nTextOrientation = orientation; }
    // Gaps between ordinary neighbours along a row (cx) and between rows (cy).
    CSize GetControlSpacing() const { return m_szControlSpacing; }
    void SetControlSpacing(CSize spacing) { m_szControlSpacing = spacing; }
    // Fixed width of a popup, 0 = by its controls.
    int GetFixedWidth() const { return m_nFixedWidth; }
    void SetFixedWidth(int width) { m_nFixedWidth = width; }
    // Popup bars: two icon columns (check and icon side by side).
    BOOL IsDoubleIconColumn() const { return m_bDoubleIconColumn; }
    void SetDoubleIconColumn(BOOL b) { m_bDoubleIconColumn = b; }
    // Popup bars: set by the popup layout when the items needed more than one column.
    BOOL IsSeveralColumns() const { return m_bSeveralColumns; }
    void SetSeveralColumns(BOOL b) { m_bSeveralColumns = b; }
    // Popup bars: items wider than a third of the work area are clipped unless this is off.
    BOOL IsWidthLimited() const { return m_bWidthLimited; }
    void SetWidthLimited(BOOL b) { m_bWidthLimited = b; }
    // Index of the control whose press was last released on it (-1 none yet).
    int GetLastPressedIndex() const { return m_nLastPressed; }
    void SetLastPressedIndex(int index) { m_nLastPressed = index; }
    CFont* GetCaptionFont() const { return m_pCaptionFont; }
    void SetCaptionFont(CFont* pFont) { m_pCaptionFont = pFont; }
    BOOL IsRowRestrictedDrop() const { return m_bRowRestrictedDrop; }
    void SetRowRestrictedDrop(BOOL b) { m_bRowRestrictedDrop = b; }
    CRect GetDropMark() const { return m_rcMarker; }
    BOOL IsDropMarkVertical() const { return m_bMarkerVertical; }
    int GetStatusControl() const { return m_nStatusControl; }
    CUTKCommandBarAnimation* GetAnimation() const { return m_pAnimation; }

    // ---- building from a toolbar resource (CUTKCommandBarToolBarResource.cpp) ----
    // The whole of the base LoadToolBar: the resource's ids become controls, icons from the
    // bitmap of the same id; FALSE for id 0, a missing, unreadable or truncated resource.
    BOOL LoadToolBarResource(UINT nIDResource, BOOL bLoadIcons);
    // One control per id (0 makes the next one start a group), each offered to the site with
    // 0x285E first and announced with 0x285F after; always TRUE.
    BOOL SetButtons(const UINT* pButtons, int nCount);

    // ---- other non-virtual operations ----
    BOOL IsLayoutRTL() const;
    void EnableAnimation(BOOL bEnable = TRUE);
    BOOL IsAnimationEnabled() const;
    void SetCachedPaint(BOOL bCached);
    void HideKeyboardTips();
    void FilterToolTipMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void RedrawChain();
    BOOL IsShown() const;
    void SetMessageText(LPCTSTR lpszText);
    void LockRedraw();
    void UnlockRedraw();
    int GetRedrawLock() const { return m_nLockRedraw; }
    void OnInitialUpdate();
    // The command-UI pass over the controls.
    void OnUpdateCmdUI();
    // Help id of the control at a client point (WM_HELPHITTEST).
    LRESULT HelpHitTest(CPoint point) const;
    void DrawDropIndicator(CDC* pDC, CRect rcMark) const;

    // Window-free rule of a drop mark (6 pixels beside or inside the control).
    static CRect CalcDropMark(CRect rcControl, BOOL bVertical, BOOL bAfter, BOOL bAtInnerEdge);

protected:
    // Message handlers.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    LRESULT OnPrintClientMessage(WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowKeyboardTips(WPARAM wParam, LPARAM lParam);

    // Document-template visibility of the controls (hide flag 0x40).
    void UpdateDocTemplateControls();
    // Walks the grid of a popup toolbar or floating bar (codes 2 and 3).
    BOOL ProcessGridKey(int code);
    // Ctrl+Tab: keyboard tracking moves to the next shown bar of the command bars (-1: the
    // previous one); FALSE when there is no other.
    BOOL MoveKeyboardTracking(int direction);
    BOOL IsContextHelpMode() const;

    DECLARE_MESSAGE_MAP()

    // Fields, in the order and with the defaults of the bar's definition.
    BOOL m_bIgnoreTrackLock = FALSE;       // hot-track lock exempt
    BOOL m_bHoverPopup = TRUE;             // hover opens popups; hot-tracking while one is open
    BOOL m_bHideCaret = TRUE;
    int m_nMRUWidth = 32767;               // "MRUWidth"
    int m_nSelected = -1;
    int m_nPopuped = -1;
    HWND m_hwndCaret = nullptr;            // window whose caret was hidden
    UINT m_nBarID = 0;                     // "BarID"
    BOOL m_bVisible = TRUE;
    int m_nTracking = 0;                   // 0 none, 1 tracking, 2 entered by opening a popup
    CWnd* m_pOwnerWnd = nullptr;
    DWORD m_dwPending = 0;                 // kPendingRelayout | kPendingRedraw
    DWORD m_dwFlags = 0;                   // "Flags"
    DWORD m_dwStyle = utkBarStyleGripper;  // "Style"
    CString m_strTitle;                    // "Title"
    int m_barType = utkBarTypeNormal;      // "Type"
    CUTKControls* m_pControls = nullptr;
    int m_barPosition = utkBarNone;        // "Position"
    CUTKCommandBars* m_pCommandBars = nullptr;
    CWnd* m_pCommandWnd = nullptr;
    CSize m_szIcons{0, 0};                 // "IconSize"
    CSize m_szButtons{0, 0};               // "ButtonSize"
    int m_nTextBelowIcons = 2;             // "ShowTextBelowIcons"
    BOOL m_bTrackRightButton = FALSE;
    BOOL m_bNoNotify = FALSE;
    BOOL m_bRecurse = FALSE;
    int m_nTrackLock = 0;
    int m_nKeyboardSelection = 0;
    BOOL m_bCloseable = FALSE;             // "Closeable"
    BOOL m_bCustomizable = TRUE;           // "Customizable"
    CRect m_rcMarker{0, 0, 0, 0};          // drop mark
    BOOL m_bMarkerVertical = FALSE;
    UINT* m_pReturnCmd = nullptr;
    BOOL m_bCustomizeDialogPresent = TRUE; // "CustomizeDialogPresent"
    BOOL m_bEnteredByMouse = FALSE;
    int m_nLockRedraw = 0;
    CUTKPaintManager* m_pPaintManager = nullptr;
    CUTKImageManager* m_pImageManager = nullptr;
    BOOL m_bRowRestrictedDrop = FALSE;
    int m_buttonStyle = 0;                 // "DefaultButtonStyle"
    CUTKToolTipContext* m_pToolTipContext = nullptr;
    CUTKCommandBarAnimation* m_pAnimation = nullptr;
    int m_nStatusControl = -1;

    // Fields the controls and themes read that belong to no saved property.
    int m_nTextOrientation = 0;
    CSize m_szControlSpacing{0, 0};
    int m_nFixedWidth = 0;
    BOOL m_bDoubleIconColumn = FALSE;
    BOOL m_bSeveralColumns = FALSE;
    BOOL m_bWidthLimited = TRUE;
    int m_nLastPressed = -1;
    CFont* m_pCaptionFont = nullptr;
    BOOL m_bCloseItself = FALSE;
    HWND m_hwndFocusReturn = nullptr;
    BOOL m_bFrameworkToolTips = FALSE;     // the framework's own tooltips were enabled
    CPoint m_ptDragStart{0, 0};            // where a customisation drag began (client)

    friend class CUTKCommandBarAnimation;
};
