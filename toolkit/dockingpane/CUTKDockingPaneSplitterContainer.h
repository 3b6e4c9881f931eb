// A container that lays its children side by side (horizontal) or one above the other and
// shares its rectangle among them by docking sizes and track sizes; the child holding the
// client area takes what is left. Between every two visible neighbours it keeps a splitter
// window, which it owns and rebuilds whenever the children change.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneBase.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterWnd.h"

#include <vector>

class CUTKDockingPaneSplitterContainer : public CCmdTarget, public CUTKDockingPaneBaseContainer {
    DECLARE_DYNAMIC(CUTKDockingPaneSplitterContainer)

public:
    using SplitterList = CList<CUTKDockingPaneSplitterWnd*, CUTKDockingPaneSplitterWnd*>;

    explicit CUTKDockingPaneSplitterContainer(CUTKDockingPaneLayout* layout);
    ~CUTKDockingPaneSplitterContainer() override;

    // Overridables
    // A new splitter window; a derived container may answer its own class.
    virtual CUTKDockingPaneSplitterWnd* CreateSplitterWnd();

    // CUTKDockingPaneBase
    void GetMinMaxInfo(LPMINMAXINFO minMaxInfo) const override;
    void OnSizeParent(CWnd* parent, CRect rect, LPVOID layoutParams) override;
    void OnChildrenChanged(CUTKDockingPaneBase* container) override;
    void OnParentChanged(CUTKDockingPaneBase* container) override;
    void RemovePane(CUTKDockingPaneBase* child) override;
    void Copy(CUTKDockingPaneBase* source, CUTKDockingPaneCloneMap* map,
              DWORD ignoredOptions) override;
    // "Horiz", "Panes" and "Pane-%d" (the children's numbers).
    BOOL DoPropExchange(CUTKPropExchange* px) override;
    void DeletePane() override;

    // Operations
    // Makes child the first child (nothing for null) and takes its docking size.
    void Init(CUTKDockingPaneBase* child, BOOL horizontal, CWnd* site);
    // Inserts child after (or before) neighbour; without a neighbour appends (or puts it
    // first).
    void InsertPane(CUTKDockingPaneBase* child, CUTKDockingPaneBase* neighbour = nullptr,
                    BOOL after = TRUE);
    void ReplacePane(CUTKDockingPaneBase* oldChild, CUTKDockingPaneBase* newChild);
    // Appends every direct child of the type that is not empty.
    void CollectVisibleChildren(DockingPaneType type, CUTKDockingPaneBaseList* list) const;
    // Stores the extents on screen as docking sizes, so the next pass starts from them.
    void SyncDockingSizes();
    void RecreateSplitters();
    // The rectangle child gets when children share rect (used by the docking preview).
    static CRect GetChildRect(const CUTKDockingPaneBaseList& children, BOOL horizontal,
                              CRect rect, CUTKDockingPaneBase* child);
    BOOL IsHorizontal() const { return m_bHoriz; }
    void SetHorizontal(BOOL horizontal) { m_bHoriz = horizontal; }
    const SplitterList& GetSplitters() const { return m_lstSpliters; }

    // Attributes
    SplitterList m_lstSpliters{10};
    BOOL m_bHoriz = FALSE;
    // Set while space is distributed; splitter windows are not rebuilt meanwhile.
    BOOL m_bRecalcLayout = FALSE;

private:
    // Destroys each splitter window before freeing it.
    void DeleteSplitters();
    // Links a child at the end without any relayout (copies and loads).
    void AppendChild(CUTKDockingPaneBase* child);
    // The rectangles children get in rect; with apply the flexible child's docking size and
    // every child's scratch length are updated.
    static std::vector<CRect> Distribute(const CUTKDockingPaneBaseList& children,
                                         BOOL horizontal, CRect rect, BOOL apply);
    void CollectVisible(CUTKDockingPaneBaseList* list) const;
    int GetSplitterSize() const;
};
