// The window in which docked, floating and auto-hidden panes appear: it holds one or more
// panes, shows the selected one, draws a caption with the selected pane's title and buttons,
// and a tab strip (its tab manager part) while it holds more than one pane. It tracks whether
// the focus is inside it and tells the manager which pane is active.
#pragma once

#include "toolkit/common/CUTKAccessible.h"
#include "toolkit/dockingpane/CUTKDockingPaneBase.h"
#include "toolkit/dockingpane/DockingCaptionOwner.h"
#include "toolkit/tabmanager/CUTKTabManager.h"

#include "platform/framework/CArray.h"
#include "platform/framework/frame/COleDropTarget.h"

class CUTKDockingPane;

class CUTKDockingPaneTabbedContainer : public CWnd,
                                       public CUTKDockingPaneBaseContainer,
                                       public CUTKTabManager,
                                       public CUTKAccessible,
                                       public DockingCaptionOwner {
    DECLARE_DYNAMIC(CUTKDockingPaneTabbedContainer)

public:
    // Selects the pane of the tab under the mouse while something is dragged over the strip;
    // never accepts a drop.
    class CContainerDropTarget : public COleDropTarget {
    public:
        explicit CContainerDropTarget(CUTKDockingPaneTabbedContainer* container)
            : m_pContainer(container)
        {
        }
        DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                               CPoint point) override;
        DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                              CPoint point) override;

    private:
        CUTKDockingPaneTabbedContainer* m_pContainer;
    };

    // What lies under a point of the window (HitTest): the caption, a tab index, or nothing.
    static constexpr int kHitCaption = -2;
    static constexpr int kHitNothing = -1;

    explicit CUTKDockingPaneTabbedContainer(CUTKDockingPaneLayout* layout);
    ~CUTKDockingPaneTabbedContainer() override;

    // Overridables
    virtual void SelectPane(CUTKDockingPaneBase* pane, BOOL focus = TRUE, BOOL relayout = TRUE);
    BOOL IsCaptionVertical() const override;
    BOOL IsTabsVisible() const override;
    // Focuses the container and, while the left button is down, lets the drag context move it.
    virtual void StartDrag(CPoint screenPoint);
    // Whether point lies in the caption band (or the tab strip band) of rect: where a dragged
    // object docks into this container.
    virtual BOOL IsPointInDockingBand(CRect rect, CPoint point) const;
    virtual void OnCaptionButtonClick(CUTKDockingPaneCaptionButton* button);
    virtual void RecalcTabs();

    // CUTKDockingPaneBase
    void GetMinMaxInfo(LPMINMAXINFO minMaxInfo) const override;
    BOOL IsHidden() const override;
    HWND GetPaneHwnd() const override;
    void RefreshPane(BOOL recalcChildren = FALSE) override;
    void OnSizeParent(CWnd* parent, CRect rect, LPVOID layoutParams) override;
    void OnFocusChanged() override;
    void SetDockingSite(CWnd* site) override;
    void OnParentChanged(CUTKDockingPaneBase* container) override;
    // "Panes", "Selected", "Maximized" and "Pane-%d" (the panes' numbers in tab order).
    BOOL DoPropExchange(CUTKPropExchange* px) override;
    void Copy(CUTKDockingPaneBase* source, CUTKDockingPaneCloneMap* map,
              DWORD ignoredOptions) override;
    void RemovePane(CUTKDockingPaneBase* child) override;
    BOOL IsCaptionButtonVisible(const CUTKDockingPaneCaptionButton* button) const override;
    void DeletePane() override;
    void CreateContainerWindow() override;

    // CUTKTabManager (a change of the tabs re-lays the container out)
    CUTKTabPaintManager* GetPaintManager() const override;
    void RedrawControl(const RECT* rect, BOOL leaving) override;
    BOOL DrawIcon(CDC* dc, CPoint point, CUTKTabManagerItem* item, BOOL draw,
                  CSize& size) const override;
    void Reposition() override;

    // DockingCaptionOwner
    int GetOwnerType() const override { return typeTabbedContainer; }
    BOOL IsActive() const override { return m_bActive; }
    HWND GetOwnerWindow() const override { return m_hWnd; }
    CRect GetOwnerClientRect() const override;
    CString GetTitle() const override;
    std::vector<CUTKDockingPaneCaptionButton*>* GetCaptionButtons() override
    {
        return m_pCaptionButtons;
    }
    BOOL GetCaptionPaneEnabled(int* bits) const override;
    CUTKImageManagerIcon* GetCaptionPaneIcon(int width) const override;
    BOOL IsCaptionVisible() const override;
    CUTKTabManager* GetTabManager() override { return this; }

    // Operations
    void Init(CUTKDockingPane* pane, CWnd* site);
    void AddPane(CUTKDockingPaneBase* pane, BOOL focus = TRUE);
    BOOL ShowPane(CUTKDockingPane* pane, BOOL focus = TRUE);
    void ShowSelectedPane(BOOL focus);
    // The selected pane takes the focus (the window when there is none).
    void FocusContainer();
    // kHitCaption, the index of the tab under point, or kHitNothing (client coordinates).
    int HitTest(CPoint point) const;
    CUTKDockingPane* GetPaneByTab(int index) const;
    CUTKDockingPane* GetSelected() const { return m_pSelectedPane; }
    CUTKDockingPane* GetDraggedPane() const { return m_pTrackingPane; }
    void SetCaptionPermission(BOOL show);
    BOOL GetCaptionPermission() const { return m_bShowCaption; }
    void Maximize();
    void Restore();
    BOOL IsMaximized() const { return m_bMaximized; }
    BOOL IsMaximizeAllowed() const;
    // Takes the extent across the auto-hide side as docking size, for it and its panes.
    void SyncDockingSize();
    // Adds the room of the caption (and, unless captionOnly, the tab strip) to the track sizes.
    void AdjustMinMaxInfo(LPMINMAXINFO minMaxInfo, BOOL captionOnly) const;
    CUTKDockingPanePaintManager* GetDockingPaintManager() const
    {
        return CUTKDockingPaneBase::GetPaintManager();
    }

    // Accessibility
    CCmdTarget* GetAccessibleOwner() override { return this; }
    LPUNKNOWN GetInterfaceHook(const void* iid) override;
    HRESULT get_accParent(IDispatch** ppdispParent) override;
    HRESULT get_accChildCount(long* pcountChildren) override;
    HRESULT get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT get_accName(VARIANT varChild, BSTR* pszName) override;
    HRESULT get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT get_accState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                        VARIANT varChild) override;
    HRESULT accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;

protected:
    // Gives every message to the manager's tooltip context first.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    void PostNcDestroy() override;

    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT nFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnCaptureChanged(CWnd* pWnd);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    // The pane whose tab data is this item; null for a foreign item.
    static CUTKDockingPane* PaneOfItem(const CUTKTabManagerItem* item);
    CUTKDockingPaneManager* Manager() const { return GetDockingPaneManager(); }
    void DrawInto(CDC* dc);
    void EndTabDrag();
    void OnMenuButtonPress(CUTKDockingPaneCaptionButton* button);
    void NotifyMenu(CUTKDockingPane* pane, CPoint screen, CRect exclude);
    CRect CaptionClientRect() const;
    void RecalcFrameLayout(BOOL delayed);
    void PlaceTabs();

    BOOL m_bActive = FALSE;
    BOOL m_bShowCaption = TRUE;
    int m_nLockReposition = 0;
    BOOL m_bRepositionPending = FALSE;
    CUTKDockingPane* m_pSelectedPane = nullptr;
    CUTKDockingPane* m_pTrackingPane = nullptr;
    CArray<CRect, CRect&> m_lstRects;
    CContainerDropTarget* m_pDropTarget = nullptr;
    BOOL m_bMaximized = FALSE;
    BOOL m_bEnsureSelectedTab = FALSE;
    BOOL m_bRefreshing = FALSE;
    BOOL m_bTrackingMouseLeave = FALSE;

    friend class CContainerDropTarget;
};
