// The root of every object in a docking layout (panes, containers, floating frames, panels)
// and the base of the objects that hold others. The root is a second base beside a command
// target or a window in each concrete class; the layout owns every object, containers only
// refer to their children, so removing a child never deletes it.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/CList.h"
#include "platform/framework/CMap.h"
#include "platform/framework/window/FrameworkWindows.h"

#include <vector>

class CUTKDockingPaneBase;
class CUTKDockingPaneBaseContainer;
class CUTKDockingPaneCaptionButton;
class CUTKDockingPaneLayout;
class CUTKDockingPaneManager;
class CUTKDockingPanePaintManager;
class CUTKPropExchange;

// Type code of a docking object, fixed at construction and saved as "Type".
enum DockingPaneType {
    dockingPaneTypePane = 0,
    dockingPaneTypeTabbedContainer = 1,
    dockingPaneTypeSplitterContainer = 2,
    dockingPaneTypeMiniWnd = 3,
    dockingPaneTypeClientContainer = 4,
    dockingPaneTypeAutoHidePanel = 5,
    dockingPaneTypeSidePanel = 6
};

using CUTKDockingPaneBaseList = CList<CUTKDockingPaneBase*, CUTKDockingPaneBase*>;
// Each source object of a copy to its copy.
using CUTKDockingPaneCloneMap =
    CMap<CUTKDockingPaneBase*, CUTKDockingPaneBase*, CUTKDockingPaneBase*, CUTKDockingPaneBase*>;

// The caption buttons of one object. Owned by the object that creates it, buttons included.
class CUTKDockingPaneCaptionButtons : public std::vector<CUTKDockingPaneCaptionButton*> {
public:
    // Updates every button's hover state for point ((-1, -1) clears all); TRUE when any
    // button's state changed.
    BOOL CheckForMouseOver(CPoint point);
};

class CUTKDockingPaneBase {
public:
    CUTKDockingPaneBase(DockingPaneType type, CUTKDockingPaneLayout* layout);
    CUTKDockingPaneBase(const CUTKDockingPaneBase&) = delete;
    CUTKDockingPaneBase& operator=(const CUTKDockingPaneBase&) = delete;
    // Deletes the caption buttons and their array.
    virtual ~CUTKDockingPaneBase();

    // Overridables
    // Invalidates the object's window, if any, without erasing.
    virtual void RedrawPane();
    // Non-zero when pane is this object or (containers) lies anywhere below it.
    virtual POSITION ContainPane(CUTKDockingPaneBase* pane) const;
    // Appends the objects of a type (this one, and for containers the ones below).
    virtual void CollectPanes(DockingPaneType type, CUTKDockingPaneBaseList* list);
    virtual void GetMinMaxInfo(LPMINMAXINFO minMaxInfo) const;
    virtual BOOL IsEmpty() const;
    virtual CWnd* GetDockingSite() const;
    virtual BOOL IsHidden() const;
    virtual HWND GetPaneHwnd() const;
    virtual void RefreshPane(BOOL recalcChildren = FALSE);
    // One layout pass: rect is in the client coordinates of parent; layoutParams is the
    // frame's AFX_SIZEPARENTPARAMS (a null hDWP asks for sizes only) or null.
    virtual void OnSizeParent(CWnd* parent, CRect rect, LPVOID layoutParams);
    virtual void OnFocusChanged();
    virtual void SetDockingSite(CWnd* site);
    virtual void SetParentContainer(CUTKDockingPaneBase* container);
    virtual void OnChildrenChanged(CUTKDockingPaneBase* container);
    virtual void OnParentChanged(CUTKDockingPaneBase* container);
    // The saved keys; FALSE refuses the object (and with it the whole load).
    virtual BOOL DoPropExchange(CUTKPropExchange* px);
    // A new object of the same type in layout, copied from this one; the pair is recorded in
    // map when one is given. ignoredOptions: pane options whose panes a copy leaves out.
    virtual CUTKDockingPaneBase* Clone(CUTKDockingPaneLayout* layout,
                                       CUTKDockingPaneCloneMap* map, DWORD ignoredOptions = 0);
    virtual void Copy(CUTKDockingPaneBase* source, CUTKDockingPaneCloneMap* map,
                      DWORD ignoredOptions);
    // Unlinks a child (containers); never deletes it.
    virtual void RemovePane(CUTKDockingPaneBase* child);
    virtual BOOL IsCaptionButtonVisible(const CUTKDockingPaneCaptionButton* button) const;
    // Releases the object; only its layout calls this.
    virtual void DeletePane() = 0;
    virtual void CreateContainerWindow();

    // Operations
    DockingPaneType GetType() const { return m_type; }
    CUTKDockingPaneLayout* GetLayout() const { return m_pLayout; }
    CUTKDockingPaneBase* GetContainer() const { return m_pParentContainer; }
    CUTKDockingPaneManager* GetDockingPaneManager() const;
    CUTKDockingPanePaintManager* GetPaintManager() const;
    // The last layout rectangle in screen coordinates (unchanged when the site has no window).
    CRect GetWindowRect() const;
    CRect GetPaneWindowRect() const { return m_rcWindow; }
    CUTKDockingPaneCaptionButton* FindCaptionButton(int id) const;

    // Attributes (read and written by the layout, its persistence and the containers)
    CSize m_szDocking{0, 0};
    CUTKDockingPaneLayout* const m_pLayout;
    CUTKDockingPaneBase* m_pParentContainer = nullptr;
    CWnd* m_pDockingSite = nullptr;
    const DockingPaneType m_type;
    CRect m_rcWindow{0, 0, 0, 0};
    CUTKDockingPaneCaptionButtons* m_pCaptionButtons = nullptr;
    // Scratch share of a parent splitter during a layout pass: n >= 0 a length still to be
    // scaled, -n fixed at n pixels by a track size.
    int m_nLength = 0;
    // The object's number while a layout is saved or loaded.
    int m_nIndex = 0;
};

class CUTKDockingPaneBaseContainer : public CUTKDockingPaneBase {
public:
    CUTKDockingPaneBaseContainer(DockingPaneType type, CUTKDockingPaneLayout* layout);

    // Overridables
    POSITION ContainPane(CUTKDockingPaneBase* pane) const override;
    void CollectPanes(DockingPaneType type, CUTKDockingPaneBaseList* list) override;
    BOOL IsEmpty() const override;

    // Operations
    POSITION GetHeadPosition() const { return m_lstPanes.GetHeadPosition(); }
    CUTKDockingPaneBase* GetNext(POSITION& pos) const { return m_lstPanes.GetNext(pos); }
    CUTKDockingPaneBase* GetFirstPane() const;
    CUTKDockingPaneBase* GetLastPane() const;
    INT_PTR GetPaneCount() const { return m_lstPanes.GetCount(); }
    const CUTKDockingPaneBaseList& GetPanes() const { return m_lstPanes; }
    // Sends the manager's action notification for every pane inside; TRUE as soon as one
    // is refused.
    BOOL NotifyAllPanes(int action);

protected:
    // The children in visual order (left to right, top to bottom, or tab order).
    CUTKDockingPaneBaseList m_lstPanes{10};
};
