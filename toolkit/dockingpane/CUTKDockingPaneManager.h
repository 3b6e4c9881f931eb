// The docking system's entry point for the application: a hidden child window (id 0) of the
// site frame that owns the live layout, the paint manager of the chosen theme, the pane icons
// and the tooltip context; it creates every docking object through one factory, lays the
// layout out on WM_SIZEPARENT, tracks the active pane and tells its owner what happens through
// WM_DOCKINGPANE_NOTIFY. The pane operations (create, dock, attach, show, close, ...) are
// implemented beside the tabbed container, in their own file.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/common/CUTKAccessible.h"
#include "toolkit/dockingpane/CUTKDockingPaneBase.h"
#include "toolkit/dockingpane/CUTKDockingPaneLayout.h"

class CUTKDockingPane;
class CUTKDockingPaneSplitterContainer;
class CUTKDockingPaneClientContainer;
class CUTKDockingPaneMiniWnd;
class CUTKDockingPaneSidePanel;
class CUTKDockingPanePaintManager;
class CUTKDockingPaneTabbedContainer;
class CUTKImageManager;
class CUTKImageManagerIcon;
class CUTKToolTipContext;

// Sent to the owner (the site frame): wParam one of the codes below, lParam per code.
constexpr UINT WM_DOCKINGPANE_NOTIFY = 0x2AAD;
enum DockingPaneNotify : WPARAM {
    DOCKINGPANE_SHOWWINDOW = 1,   // lParam the pane; the owner may attach its window now
    DOCKINGPANE_CONTEXTMENU = 2,  // lParam the container's root part
    DOCKINGPANE_PANECLOSED = 3,   // lParam the pane; answering -1 keeps it open
    DOCKINGPANE_ACTION = 4,       // lParam a DOCKINGPANE_ACTION_RECORD
    DOCKINGPANE_MENU = 5,         // lParam a DOCKINGPANE_MENU_RECORD
};

// Action codes of notification 4; the even ones below 21 (and 16, 17) can be refused.
enum DockingPaneAction : int {
    actionFloating = 0, actionFloated, actionClosing, actionClosed, actionDocking, actionDocked,
    actionAttaching, actionAttached, actionPinning, actionPinned, actionCollapsing,
    actionCollapsed, actionExpanding, actionExpanded, actionActivated, actionDeactivated,
    actionDetaching, actionDragging, actionUnpinning, actionUnpinned, actionSplitterResizing,
    actionSplitterResized
};

struct DOCKINGPANE_ACTION_RECORD {
    int action;
    BOOL cancel;  // starts at 1 when the pane's actions are not enabled; the owner may change it
    CUTKDockingPane* pane;
    CUTKDockingPaneBase* container;
    void* extra;
};

struct DOCKINGPANE_MENU_RECORD {
    CUTKDockingPane* pane;
    CUTKDockingPaneBase* container;
    POINT point;           // screen
    RECT excludeRect;      // screen; empty for a mouse click
};

class CUTKDockingPaneManager : public CWnd, public CUTKAccessible {
    DECLARE_DYNAMIC(CUTKDockingPaneManager)

public:
    CUTKDockingPaneManager();
    ~CUTKDockingPaneManager() override;

    // Overridables
    virtual CUTKDockingPaneLayout* CreateLayout();
    virtual LRESULT NotifyOwner(WPARAM code, LPARAM data);
    // The factory of every docking object; null for a type without a class.
    virtual CUTKDockingPaneBase* CreatePaneObject(DockingPaneType type,
                                                  CUTKDockingPaneLayout* layout);
    virtual void SetActivePane(BOOL active, CUTKDockingPane* pane);

    // Installation and theme
    BOOL InstallDockingPanes(CWnd* site, BOOL clipChildren = TRUE);
    void SetTheme(int theme);
    int GetCurrentTheme() const { return m_nTheme; }
    CUTKDockingPanePaintManager* GetPaintManager() const { return m_pPaintManager; }
    CWnd* GetSite() const { return m_pSite; }

    // Layout
    void GetLayout(CUTKDockingPaneLayout* layout) const;
    // Takes a valid layout (its panes' windows are detached first); an invalid one is ignored.
    void SetLayout(CUTKDockingPaneLayout* layout);
    CUTKDockingPaneLayout* GetLiveLayout() const { return m_pLayout; }
    CUTKDockingPane* FindPane(int id) const;
    CUTKDockingPaneInfoList& GetPaneList() const;
    CUTKDockingPaneBaseList& GetPaneObjects() const;
    CUTKDockingPaneClientContainer* GetClientContainer() const;
    CUTKDockingPaneBase* GetTopContainer() const;
    CUTKImageManagerIcon* GetIcon(int iconId, int width = 16) const;
    CUTKImageManager* GetImageManager() const { return m_pImageManager; }
    CUTKToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    BOOL IsLayoutRTL() const;
    int MapDirectionRTL(int direction) const;
    int GetAutoHideSide(CUTKDockingPaneBase* object) const;
    // Sends action notification 4 and answers the refusal flag the owner left.
    BOOL NotifyAction(int action, CUTKDockingPane* pane, CUTKDockingPaneBase* container = nullptr,
                      void* extra = nullptr);
    void RecalcFrameLayout(CUTKDockingPaneBase* object, BOOL delayed = FALSE);
    void RecalcAllLayouts();
    void SyncSplitterSizes();
    void UpdatePaneHolders();
    CUTKDockingPane* GetActivePane() const { return m_pActivePane; }

    // Docking operations (implemented beside the tabbed container)
    CUTKDockingPane* CreatePane(int id, CRect rect, int direction,
                                CUTKDockingPaneBase* neighbour = nullptr);
    void DockPane(CUTKDockingPaneBase* object, int direction,
                  CUTKDockingPaneBase* neighbour = nullptr);
    CUTKDockingPaneMiniWnd* FloatPane(CUTKDockingPaneBase* object, CRect rect);
    void AttachPane(CUTKDockingPaneBase* object, CUTKDockingPaneBase* target);
    void ShowPane(CUTKDockingPane* pane, BOOL focus = TRUE);
    void ShowPane(int id, BOOL focus = TRUE);
    void ClosePane(CUTKDockingPane* pane);
    void ClosePane(int id);
    void HidePane(CUTKDockingPaneBase* object);
    void ToggleDocking(CUTKDockingPaneBase* object);
    BOOL TogglePaneDocking(CUTKDockingPane* pane, CUTKDockingPaneBase* holder);
    CUTKDockingPaneBase* GetPaneHolder(CUTKDockingPaneBase* object, BOOL floating) const;
    void DockObject(CUTKDockingPaneBase* object, int direction, CUTKDockingPaneBase* neighbour);
    CRect GetDockingRect(CUTKDockingPaneBase* object, int direction,
                         CUTKDockingPaneBase* neighbour);
    void BringPaneToView(CUTKDockingPaneBase* object);
    BOOL ActivateNextPane(CUTKDockingPane* from, BOOL forward);
    void ShowPaneMenu(CUTKDockingPane* pane);
    void DetachAllPanes();

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

    // Attributes (the fields the containers, the shell and the tests read and write)
    int m_nSplitterGap = 22;            // minimum free size beside a dragged splitter
    BOOL m_bCloseGroupOnButtonClick = FALSE;
    BOOL m_bHideGroupOnButtonClick = TRUE;
    BOOL m_bShowSizeCursorWhileDragging = FALSE;
    CSize m_szClientMinimum{60, 60};
    int m_nSnapDistance = 15;
    BOOL m_bAutoHideScroll = FALSE;
    BOOL m_bSendInitialUpdate = TRUE;
    CWnd* m_pSite = nullptr;
    CUTKDockingPaneLayout* m_pLayout = nullptr;
    CUTKDockingPanePaintManager* m_pPaintManager = nullptr;
    CUTKDockingPane* m_pActivePane = nullptr;
    int m_nClientMargin = 0;
    CRect m_rcSidePanelMargin{0, 0, 0, 0};
    BOOL m_bSnapEnabled = FALSE;
    CUTKImageManager* m_pImageManager = nullptr;
    BOOL m_bSidePanelEnabled = FALSE;
    BOOL m_bHideClient = FALSE;
    BOOL m_bUseSplitterTracker = TRUE;
    BOOL m_bShowMaximizeButton = FALSE;
    BOOL m_bLockSplitters = FALSE;
    BOOL m_bAlphaDockingContext = FALSE;
    BOOL m_bShowDockingContextStickers = FALSE;
    BOOL m_bLiveMove = FALSE;
    BOOL m_bThemedFloatingFrames = FALSE;
    BOOL m_bSyncActiveFloatingFrames = TRUE;
    BYTE m_nFloatingFramesOpacity = 255;
    int m_nKeyboardNavigation = 0;
    DWORD m_dwDefaultPaneOptions = 0;
    int m_nCaptionVerticalMode = 0;
    CString m_strFloatingFrameCaption;
    int m_nStickerStyle = 1;
    CUTKToolTipContext* m_pToolTipContext = nullptr;
    using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    SetLayeredWindowAttributesFn m_pfnSetLayeredWindowAttributes = nullptr;
    HWND m_hwndLastFocus = nullptr;
    BOOL m_bAttachingPane = FALSE;
    BOOL m_bLayoutCreated = FALSE;
    BOOL m_bInitialUpdateCalled = FALSE;
    CString m_strMove;

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    void OnSysColorChange();
    void OnSettingChange(UINT flags, LPCTSTR section);
    void OnDestroy();
    void OnSysCommand(UINT nID, LPARAM lParam);
    void UpdateFocus();

    DECLARE_MESSAGE_MAP()

private:
    int m_nTheme = 0;
    BOOL m_bOleInitialized = FALSE;
};
