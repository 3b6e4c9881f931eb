// CUTKToolBar: the dockable, floatable bar of buttons. It lays itself out docked (answering the
// frame's WM_SIZEPARENT itself when it is a plain child) or floating with a hide button and a
// chevron in its caption, loads its buttons from a toolbar resource, keeps a snapshot of them
// for reset, and swaps its window between child and owned popup when it docks or floats.
#pragma once

#include <windows.h>

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/CUTKControlButton.h"
#include "toolkit/controls/CUTKControlPopup.h"

class CUTKDockBar;
class CUTKDockContext;
class CUTKPopupBar;

class CUTKToolBar : public CUTKCommandBar {
    DECLARE_DYNCREATE(CUTKToolBar)

public:
    // Reserved ids of the bar's own controls.
    static constexpr int kExpandButtonId = 9148;
    static constexpr int kHideButtonId = 9149;
    static constexpr int kCustomizePopupId = 9122;
    static constexpr int kResetId = 9123;
    static constexpr UINT kResetQuestionId = 9173;
    static constexpr UINT kMergeQuestionId = 9177;
    // Borders of a floating bar; room kept for the chevron of a docked bar.
    static constexpr int kFloatingBorder = 3;
    static constexpr int kExpandReserve = 11;
    // The toolkit's layout mode bit for the hide-wrap layout.
    static constexpr DWORD kLayoutHideWrap = 0x80;

    // Close button of a floating toolbar.
    class CControlButtonHide : public CUTKControlButton {
        DECLARE_DYNCREATE(CControlButtonHide)
    public:
        CControlButtonHide();
        void OnExecute() override;
        CSize GetSize(CDC* pDC) override;
        void Draw(CDC* pDC) override;
    };

    // The chevron: shows what did not fit and the add-or-remove list.
    class CControlButtonExpand : public CUTKControlPopup {
        DECLARE_DYNCREATE(CControlButtonExpand)
    public:
        CControlButtonExpand();
        void SetRect(CRect rcControl) override;
        BOOL SetPopuped(BOOL popuped) override;
        CSize GetSize(CDC* pDC) override;
        void Draw(CDC* pDC) override;
        // Some control of the bar is hidden for lack of room.
        BOOL HasHiddenControls() const { return m_bHiddenControls; }

    private:
        BOOL m_bHiddenControls = FALSE;
    };

    // One entry of the add-or-remove list: a control of the toolbar, or the reset entry.
    class CControlButtonCustomize : public CUTKControlButton {
        DECLARE_DYNCREATE(CControlButtonCustomize)
    public:
        void OnExecute() override;
        CUTKControl* m_pTarget = nullptr;   // the toolbar control it stands for (not held)
        CUTKToolBar* m_pToolBar = nullptr;  // the bar (reset entry and relayout)
    };

    // One toolbar's saved layout (toolkit/commandbars/CUTKCommandBarsState.h).
    class CToolBarInfo;

    CUTKToolBar();
    ~CUTKToolBar() override;

    // ---- virtual operations added after those of the bar base, in slot order ----
    virtual CSize CalcDockingLayout(int nLength, DWORD dwMode, int nWidth = 0);
    virtual void Reset(BOOL bShowWarningMessage);
    virtual BOOL Create(CWnd* pParentWnd, BOOL bFloat);
    virtual void Unused() {}
    virtual BOOL IsCustomized();
    virtual BOOL MergeToolBar(CUTKCommandBar* pCommandBar, BOOL bSilent);
    virtual void OnAddCustomizeItem(CUTKControl* pControl);

    // ---- overrides of the bar base ----
    BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE) override;
    void SetVisible(BOOL bVisible) override;
    BOOL IsVisible() const override;
    BOOL SetPosition(int position) override;
    void OnRecalcLayout() override;
    CRect GetBorders() override;
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void Copy(CUTKCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;
    CUTKCommandBar* Clone(BOOL bRecursive) override;
    // The bar's values, then "BuiltIn", "TearOff", "Closeable", "ContextMenuPresent" and
    // "CustomizeDialogPresent" (CUTKToolBarExchange.cpp).
    void DoPropExchange(CUTKPropExchange* pPX) override;

    void SetTemporaryHidden(BOOL bHide);
    BOOL IsTemporaryHidden() const { return m_bTemporaryHidden; }
    void BuildCustomizePopup(CUTKCommandBar* pPopup);

    CUTKDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CUTKDockBar* pDockBar) { m_pDockBar = pDockBar; }
    CUTKDockContext* GetDockContext() const { return m_pDockContext; }
    BOOL IsBuiltIn() const { return m_bBuiltIn; }
    void SetBuiltIn(BOOL b) { m_bBuiltIn = b; }
    BOOL IsTearOff() const { return m_bTearOff; }
    void SetTearOff(BOOL b) { m_bTearOff = b; }
    BOOL IsNotSaved() const { return m_bNotSaved; }
    void SetNotSaved(BOOL b) { m_bNotSaved = b; }
    BOOL IsShowExpandButton() const { return m_bShowExpandButton; }
    void SetShowExpandButton(BOOL b) { m_bShowExpandButton = b; }
    BOOL IsContextMenuPresent() const { return m_bContextMenuPresent; }
    void SetContextMenuPresent(BOOL b) { m_bContextMenuPresent = b; }
    BOOL IsFloating() const { return m_barPosition == utkBarFloating; }
    BOOL IsDocked() const { return m_barPosition >= utkBarTop && m_barPosition <= utkBarRight; }
    // Sets "Position" alone (the dock bars and the host place the window themselves).
    void SetBarPosition(int position) { m_barPosition = position; }

    // The caption band's hide and expand buttons of a floating bar W pixels wide with a caption
    // h pixels high: the hide button's rectangle (empty without one) and the expand button's
    // (empty when there is no room: its left edge would not be above 0).
    static void CalcCaptionButtons(int width, int captionHeight, BOOL bHideButton,
                                   BOOL bExpandButton, CRect& rcHide, CRect& rcExpand);
    // The sizing border under a client-relative point of a floating bar W by H, HTNOWHERE when
    // the point is on none: top, bottom, left, right tested in that order, 3 pixels wide.
    static int FloatingBorderHitTest(CPoint pt, int width, int height);

protected:
    // Adds a missing built-in control of the class with the id at the end (temporary).
    CUTKControl* EnsureSpecialControl(CRuntimeClass* pClass, int nID);
    void OpenExpandPopup(CControlButtonExpand* pButton);
    // Resizes the site's layout: through the frame (WM_SIZE with its client size).
    void RelayoutSite();

    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursorMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonDownMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDownMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDblClkMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTestMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonDownMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseActivateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcCreateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcActivateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocusMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnCloseMessage(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    CUTKDockBar* m_pDockBar = nullptr;
    CUTKDockContext* m_pDockContext = nullptr;  // owned
    BOOL m_bBuiltIn = TRUE;                     // "BuiltIn"
    BOOL m_bTearOff = FALSE;                    // "TearOff"
    BOOL m_bVisibleBeforeHide = FALSE;
    BOOL m_bTemporaryHidden = FALSE;
    BOOL m_bNotSaved = FALSE;
    BOOL m_bShowExpandButton = TRUE;
    BOOL m_bContextMenuPresent = TRUE;          // "ContextMenuPresent"
    BOOL m_bInRecalcLayout = FALSE;

    friend class CUTKPopupBar;
};
