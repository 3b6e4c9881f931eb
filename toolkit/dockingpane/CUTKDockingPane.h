// A docking pane: the unit the application works with. It has the application's id, a title,
// an icon, option bits and size limits, and at most one attached child window that it shows,
// hides, moves and reparents as the pane moves between containers. A pane without a parent
// container is closed; while docked, floating or auto-hidden a tabbed container holds it.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneBase.h"
#include "toolkit/common/CUTKAccessible.h"

class CUTKImageManagerIcon;

// Sent to a pane's attached window to ask for its tab colour; 0 means none.
constexpr UINT WM_DOCKINGPANE_GETTABCOLOR = 0x28B9;

// Pane option bits (a pane's effective options are the manager's defaults OR its own).
enum DockingPaneOptions : DWORD {
    PaneOptNoClose = 0x1,
    PaneOptNoHide = 0x2,
    PaneOptNoFloat = 0x4,
    PaneOptNoCaption = 0x8,
    PaneOptMenuButton = 0x10,
    PaneOptNoDock = 0x20,
    PaneOptNoTabDblClick = 0x40,
    PaneOptNoCaptionDblClick = 0x80,
    PaneOptNoHoverShow = 0x400
};

// Enabled flags: 1 the pane is enabled, 2 actions about it are allowed.
enum DockingPaneEnabled : DWORD { PaneEnabled = 0x1, PaneActionsEnabled = 0x2 };

class CUTKDockingPane : public CCmdTarget, public CUTKDockingPaneBase, public CUTKAccessible {
    DECLARE_DYNAMIC(CUTKDockingPane)

public:
    explicit CUTKDockingPane(CUTKDockingPaneLayout* layout);
    ~CUTKDockingPane() override;

    // Overridables
    // Gives the attached window the focus unless it already lies inside it.
    virtual void SetFocus();
    virtual CString GetTitle() const;
    // The tab caption, or the title when it is empty.
    virtual CString GetTabCaption() const;
    virtual CString GetTitleToolTip() const;
    // The icon of the icon id (the pane id when -1) from the manager's image manager.
    virtual CUTKImageManagerIcon* GetIcon(int width = 16) const;
    // The tab colour; 0x1000000 + n selects the n-th automatic colour.
    virtual COLORREF GetItemColor() const;
    // Copies everything but the window, the tab colour and the help id.
    virtual void Copy(CUTKDockingPane* source);

    // CUTKDockingPaneBase
    void GetMinMaxInfo(LPMINMAXINFO minMaxInfo) const override;
    CWnd* GetDockingSite() const override;
    BOOL IsHidden() const override;
    void OnSizeParent(CWnd* parent, CRect rect, LPVOID layoutParams) override;
    void SetParentContainer(CUTKDockingPaneBase* container) override;
    void Copy(CUTKDockingPaneBase* source, CUTKDockingPaneCloneMap* map,
              DWORD ignoredOptions) override;
    // FALSE unless the id is positive.
    BOOL DoPropExchange(CUTKPropExchange* px) override;
    void DeletePane() override;

    // Operations
    // "Title\nTab caption": the part after the newline (up to a second one) becomes the tab
    // caption; without a newline only the title changes.
    void SetTitle(LPCWSTR title);
    // Stores the id and takes the string resource of that id as title, when there is one.
    void SetID(int id);
    int GetID() const { return m_nID; }
    void SetTabCaption(LPCWSTR caption);
    void SetTitleToolTip(LPCWSTR toolTip) { m_strTitleToolTip = toolTip; }
    void SetIconID(int iconId) { m_nIconID = iconId; }
    int GetIconID() const { return m_nIconID; }
    void SetOptions(DWORD options) { m_dwOptions = options; }
    // The effective options (manager default OR the pane's own).
    DWORD GetOptions() const;
    void SetItemColor(COLORREF color) { m_clrItemTab = color; }
    void Attach(HWND window);
    void Attach(CWnd* window);
    void Detach();
    HWND GetHandle() const { return m_hwndChild; }
    BOOL HasWindow() const { return m_hwndChild != nullptr; }
    // Stores the rectangle and makes its width and height the docking size.
    void SetPaneRect(CRect rect);
    BOOL IsClosed() const { return m_pParentContainer == nullptr; }
    BOOL IsSelected() const;
    BOOL IsFloating() const;
    BOOL HasFocus() const;
    void Select();
    void Close();
    void Hide();
    // Showing first sends the owner notification 1 (it may attach a window now).
    void ShowWindow(BOOL show);
    void SetEnabled(DWORD enabled) { m_dwEnabled = enabled; }
    DWORD GetEnabled() const { return m_dwEnabled; }

    // Accessibility
    CCmdTarget* GetAccessibleOwner() override { return this; }
    LPUNKNOWN GetInterfaceHook(const void* iid) override;
    HRESULT get_accParent(IDispatch** ppdispParent) override;
    HRESULT get_accChildCount(long* pcountChildren) override;
    HRESULT get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT get_accName(VARIANT varChild, BSTR* pszName) override;
    HRESULT get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT get_accState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT accSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT accDoDefaultAction(VARIANT varChild) override;
    HRESULT accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                        VARIANT varChild) override;
    HRESULT accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;

    // Attributes (the shell writes the track sizes directly)
    HWND m_hwndChild = nullptr;
    int m_nID = 0;
    int m_nIconID = -1;
    CString m_strTitle;
    CString m_strTabCaption;
    CString m_strTitleToolTip;
    DWORD m_dwOptions = 0;
    DWORD m_dwData = 0;
    CPoint m_ptMinTrackSize{0, 0};
    CPoint m_ptMaxTrackSize{32000, 32000};
    COLORREF m_clrItemTab = static_cast<COLORREF>(-1);
    DWORD m_nHelpId = 0;
    DWORD m_dwEnabled = PaneEnabled | PaneActionsEnabled;
};
