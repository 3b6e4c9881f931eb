// CUTKPopupBar: the window of every drop-down and context menu. It opens beside the control
// that owns it or at a point, keeps inside the monitor's work area (PopupPlacement), casts a
// shadow, may animate its appearance, scrolls when taller than the screen, and closes (its
// window destroyed, the object kept) when tracking ends. CUTKPopupToolBar is the same window
// laid out as a small toolbar.
#pragma once

#include <windows.h>

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/PopupPlacement.h"
#include "toolkit/controls/CUTKControlButton.h"

class CUTKCommandBars;
class CUTKToolBar;

class CUTKPopupBar : public CUTKCommandBar {
    DECLARE_DYNCREATE(CUTKPopupBar)

public:
    // Popup flags.
    static constexpr UINT kFlagLeft = PopupPlacement::kFlagLeft;
    static constexpr UINT kFlagBelow = PopupPlacement::kFlagBelow;
    static constexpr UINT kFlagAbove = PopupPlacement::kFlagAbove;
    static constexpr int kExpandItemId = 9150;
    // Timers of a popup window.
    static constexpr UINT_PTR kScrollDownTimerId = 5001;
    static constexpr UINT_PTR kScrollUpTimerId = 5002;
    static constexpr UINT_PTR kTearOffTimerId = 5003;
    static constexpr UINT_PTR kExpandItemTimerId = 5004;
    static constexpr UINT kScrollDelay = 80;
    static constexpr UINT kExpandItemDelay = 900;
    static constexpr int kScrollBandHeight = 16;

    // The item at the bottom of a menu with hidden commands.
    class CControlExpandButton : public CUTKControlButton {
        DECLARE_DYNCREATE(CControlExpandButton)
    public:
        CControlExpandButton();
        void OnExecute() override;
        CSize GetSize(CDC* pDC) override;
        void Draw(CDC* pDC) override;
    };

    // One scroll band: its rectangle and the timer that runs while the mouse rests in it.
    struct ScrollArea {
        CRect rc{0, 0, 0, 0};
        UINT_PTR timer = 0;
        UINT_PTR id = 0;
    };

    CUTKPopupBar();
    ~CUTKPopupBar() override;

    static CUTKPopupBar* CreatePopupBar(CUTKCommandBars* pCommandBars);

    // ---- virtual operations added after those of the bar base, in slot order ----
    virtual BOOL Create();
    virtual CRect CalcPopupRect(CPoint pt, CSize sz);
    virtual void UpdateFlags();
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    virtual void ShowAnimated();

    // ---- overrides of the bar base ----
    void DelayRedraw() override;
    BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    BOOL SetSelected(int nSelected, int reason = utkSelectKeyboard) override;
    BOOL Popup(CUTKControl* pControl, BOOL bSelectFirst = FALSE) override;
    BOOL IsVisible() const override;
    void OnRecalcLayout() override;
    CUTKCommandBar* GetParentCommandBar() const override;
    BOOL IsPopupBar() const override;
    void DrawCommandBar(CDC* pDC, CRect rcClipBox) override;
    CRect GetBorders() override;
    int GetPopupResizeMode() const override;
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnControlsChanged() override;
    void Copy(CUTKCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;
    CUTKCommandBar* Clone(BOOL bRecursive) override;
    BOOL DestroyWindow() override;
    // Draws the popup into a buffer of its client size and lets the paint manager grow the rows
    // that were hidden until expansion onto pDestDC, which holds what was under the popup;
    // answers the steps drawn (0 without a window or paint manager).
    int DrawExpandAnimation(CDC* pDestDC, BOOL bExpandDown);
    // The bar's values, then the tear-off, borders, shadow, gripper and context-menu values
    // (CUTKPopupBarExchange.cpp).
    void DoPropExchange(CUTKPropExchange* pPX) override;
    BOOL IsDoubleGripper() const { return m_bDoubleGripper; }
    void SetDoubleGripper(BOOL b) { m_bDoubleGripper = b; }
    CString GetTearOffCaption() const { return m_strTearOffCaption; }
    UINT GetTearOffID() const { return m_nTearOffID; }
    int GetTearOffWidth() const { return m_nTearOffWidth; }
    using CWnd::Create;

    BOOL PopupAt(int x, int y, LPCRECT lpExclude = nullptr);
    // The tear-off drag: a loop of its own while the popup holds the capture. It raises the
    // mouse manager's lock and, on every way out (button up, Escape, WM_QUIT re-posted, a lost
    // capture), lowers it and lets the capture go.
    void TrackTearOff();
    CUTKToolBar* GetTornBar() const { return m_pTearOffBar; }
    CRect GetTearOffRect() const { return m_rcTearOffGripper; }
    void UpdateLocation(CSize sz);
    void ExpandBar();

    CUTKControl* GetControlPopup() const { return m_pControlPopup; }
    void SetControlPopup(CUTKControl* pControl) { m_pControlPopup = pControl; }
    UINT GetPopupFlags() const { return m_popupFlags; }
    void SetPopupFlags(UINT flags) { m_popupFlags = flags; }
    CRect GetExcludeRect() const { return m_rcExclude; }
    void SetExcludeRect(CRect rc) { m_rcExclude = rc; }
    CPoint GetAnchor() const { return m_ptPopup; }
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL HasHiddenCommands() const { return m_bHasHidden; }
    BOOL IsScrolling() const { return m_bScrolling; }
    int GetFirstVisible() const { return m_nFirstVisible; }
    int GetEndVisible() const { return m_nEndVisible; }
    void SetMaximumHeight(int height) { m_nMaxHeight = height; }
    int GetMaximumHeight() const { return m_nMaxHeight; }
    BOOL IsShowShadow() const { return m_bShowShadow; }
    void SetShowShadow(BOOL b) { m_bShowShadow = b; }
    BOOL IsContextMenu() const { return m_bContextMenu; }
    void SetContextMenu(BOOL b) { m_bContextMenu = b; }
    BOOL IsTearOffPopup() const { return m_bTearOffPopup; }
    void SetTearOffPopup(LPCWSTR caption, UINT nID, int width);
    CRect GetPopupToolBarBorders() const { return m_rcBorders; }
    void SetPopupToolBarBorders(CRect rc) { m_rcBorders = rc; }
    // The animation kind ShowAnimated uses (2 unfold, 3 slide, 4 fade, 5 none) for the option
    // value and the system's menu animation switches; randomPick stands for rand() % 3.
    static int ResolveAnimation(int option, BOOL menuAnimation, BOOL menuFade, int randomPick);
    // The animation kind an expansion uses now: 5 (none) without a manager, with a child
    // window or while customising.
    int ExpandAnimationKind();
    // Moves the window to its grown rectangle while animating the newly shown rows.
    void MoveAnimatedExpanding(const CRect& rcOld, const CRect& rcNew);

protected:
    // The scroll window: which controls show between the bands, for the given height.
    void LayoutScrollWindow(int height);
    void ScrollBy(int delta);
    // The monitor's work area for the exclude rectangle or anchor.
    RECT GetWorkArea() const;

    LRESULT OnMouseActivateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcActivateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMoveMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimerMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDownMessage(WPARAM wParam, LPARAM lParam);
    // Shows the torn toolbar in place of the popup (made when there is none yet).
    void ShowTornBar();
    void HideTornBar();

    DECLARE_MESSAGE_MAP()

    CUTKControl* m_pControlPopup = nullptr;  // parent control (not held)
    CPoint m_ptPopup{0, 0};                  // anchor
    CRect m_rcExclude{0, 0, 0, 0};
    UINT m_popupFlags = 0;
    BOOL m_bInLayout = FALSE;
    BOOL m_bHasHidden = FALSE;
    BOOL m_bExpanded = FALSE;
    BOOL m_bExpanding = FALSE;
    BOOL m_bTearOffPopup = FALSE;            // "TearOffPopup"
    CRect m_rcTearOffGripper{0, 0, 0, 0};
    CRect m_rcResizeGripper{0, 0, 0, 0};
    int m_nResizeMode = 0;
    BOOL m_bTearOffSelected = FALSE;
    UINT_PTR m_nTearOffTimer = 0;
    BOOL m_bTearOffTracking = FALSE;
    CSize m_szTearOffBar{0, 0};
    CUTKToolBar* m_pTearOffBar = nullptr;   // the torn bar while dragging (one reference)
    CUTKToolBar* m_pTornBarKept = nullptr;  // without a manager: the torn bar (one reference)
    CString m_strTearOffCaption;             // "TearOffCaption"
    UINT m_nTearOffID = 0;                   // "TearOffId"
    int m_nTearOffWidth = 0;                 // "TearOffWidth"
    BOOL m_bShowShadow = TRUE;               // "ShowShadow"
    CRect m_rcBorders{2, 4, 2, 4};           // "Borders"
    BOOL m_bDoubleGripper = FALSE;           // "DoubleGripper"
    BOOL m_bContextMenu = FALSE;             // "ContextMenu"
    int m_nMaxHeight = 0;
    BOOL m_bScrolling = FALSE;
    int m_nFirstVisible = 0;
    int m_nEndVisible = 0;
    ScrollArea m_scrollDown{{0, 0, 0, 0}, 0, kScrollDownTimerId};
    ScrollArea m_scrollUp{{0, 0, 0, 0}, 0, kScrollUpTimerId};
};

class CUTKPopupToolBar : public CUTKPopupBar {
    DECLARE_DYNCREATE(CUTKPopupToolBar)

public:
    CUTKPopupToolBar();
    static CUTKPopupToolBar* CreatePopupToolBar(CUTKCommandBars* pCommandBars);
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    CUTKCommandBar* Clone(BOOL bRecursive) override;
};
