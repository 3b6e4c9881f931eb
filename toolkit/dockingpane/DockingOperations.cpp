// The manager's pane operations: creating panes, docking objects next to others or at the
// frame's edges, attaching panes to a tabbed container, showing, closing and finding panes,
// the docked/floating toggle and keyboard pane navigation. They keep the pane list's holders
// current so that a closed pane can return to where it was.
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"

#include <windows.h>

#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterWnd.h"
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"

#include <map>
#include <utility>
#include <vector>

namespace {

bool IsHorizontalDirection(int direction)
{
    return direction == 0 || direction == 1;
}

bool InsertsAfter(int direction)
{
    return direction == 1 || direction == 3;
}

// Directions of panes whose creation could not dock them, by manager and pane id: showing such
// a pane docks it that way (every created pane can be reopened).
std::map<std::pair<const void*, int>, int>& PendingDirections()
{
    static std::map<std::pair<const void*, int>, int> directions;
    return directions;
}

CUTKDockingPaneTabbedContainer* AsTabbed(CUTKDockingPaneBase* object)
{
    return object != nullptr && object->GetType() == dockingPaneTypeTabbedContainer
               ? static_cast<CUTKDockingPaneTabbedContainer*>(object)
               : nullptr;
}

CUTKDockingPaneSplitterContainer* AsSplitter(CUTKDockingPaneBase* object)
{
    return object != nullptr && object->GetType() == dockingPaneTypeSplitterContainer
               ? static_cast<CUTKDockingPaneSplitterContainer*>(object)
               : nullptr;
}

CUTKDockingPane* AsPane(CUTKDockingPaneBase* object)
{
    return object != nullptr && object->GetType() == dockingPaneTypePane
               ? static_cast<CUTKDockingPane*>(object)
               : nullptr;
}

// The panes of an object in order: the pane itself, or every pane below a container.
std::vector<CUTKDockingPane*> PanesOf(CUTKDockingPaneBase* object)
{
    std::vector<CUTKDockingPane*> panes;
    if (CUTKDockingPane* pane = AsPane(object); pane != nullptr) {
        panes.push_back(pane);
        return panes;
    }
    CUTKDockingPaneBaseList list(10);
    object->CollectPanes(dockingPaneTypePane, &list);
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        panes.push_back(static_cast<CUTKDockingPane*>(list.GetNext(pos)));
    }
    return panes;
}

}  // namespace

// ---- creating and docking -----------------------------------------------------------------------

CUTKDockingPane* CUTKDockingPaneManager::CreatePane(int id, CRect rect, int direction,
                                                    CUTKDockingPaneBase* neighbour)
{
    if (m_pLayout == nullptr) {
        return nullptr;
    }
    CUTKDockingPane* pane = AsPane(CreatePaneObject(dockingPaneTypePane, m_pLayout));
    if (pane == nullptr) {
        return nullptr;
    }
    pane->SetID(id);
    pane->SetPaneRect(rect);
    UTK_DOCKINGPANE_INFO info;
    info.pPane = pane;
    m_pLayout->m_lstPanes.AddTail(info);
    DockObject(pane, direction, neighbour);
    const auto key = std::make_pair(static_cast<const void*>(this), id);
    if (pane->IsClosed()) {
        PendingDirections()[key] = direction;
    } else {
        PendingDirections().erase(key);
    }
    UpdatePaneHolders();
    return pane;
}

void CUTKDockingPaneManager::DockObject(CUTKDockingPaneBase* object, int direction,
                                        CUTKDockingPaneBase* neighbour)
{
    if (m_pLayout == nullptr || object == nullptr || direction < 0 || direction > 3) {
        return;
    }
    CUTKDockingPaneSplitterContainer* top = m_pLayout->m_pTopContainer;
    if (CUTKDockingPane* pane = AsPane(neighbour);
        neighbour == nullptr || (pane != nullptr && (pane->IsHidden() || pane->IsClosed()))) {
        neighbour = top;
    }
    if (neighbour == nullptr) {
        return;
    }
    // Where the object goes is settled before a pane is wrapped in its container, so a pane
    // that cannot be docked stays closed instead of sitting in a container outside the tree.
    CUTKDockingPaneSplitterContainer* parent = nullptr;
    if (neighbour != top) {
        if (CUTKDockingPaneTabbedContainer* tabbed = AsTabbed(neighbour->GetContainer());
            tabbed != nullptr) {
            neighbour = tabbed;
        }
        parent = AsSplitter(neighbour->GetContainer());
        if (parent == nullptr) {
            return;
        }
    }
    CWnd* site = neighbour->GetDockingSite();
    if (CUTKDockingPane* pane = AsPane(object); pane != nullptr) {
        CUTKDockingPaneTabbedContainer* tabbed =
            AsTabbed(CreatePaneObject(dockingPaneTypeTabbedContainer, m_pLayout));
        if (tabbed == nullptr) {
            return;
        }
        tabbed->Init(pane, site);
        object = tabbed;
    }
    const BOOL horizontal = IsHorizontalDirection(direction);
    const BOOL after = InsertsAfter(direction);
    if (neighbour == top) {
        if (top->IsHorizontal() == horizontal) {
            top->InsertPane(object, nullptr, after);
        } else {
            CUTKDockingPaneSplitterContainer* splitter =
                AsSplitter(CreatePaneObject(dockingPaneTypeSplitterContainer, m_pLayout));
            if (splitter == nullptr) {
                return;
            }
            splitter->Init(top, horizontal, site);
            splitter->InsertPane(object, nullptr, after);
            m_pLayout->m_pTopContainer = splitter;
        }
    } else if (parent->IsHorizontal() == horizontal) {
        parent->InsertPane(object, neighbour, after);
    } else {
        CUTKDockingPaneSplitterContainer* splitter =
            AsSplitter(CreatePaneObject(dockingPaneTypeSplitterContainer, m_pLayout));
        if (splitter == nullptr) {
            return;
        }
        // The neighbour leaves its old parent before the new splitter takes it as only child.
        parent->ReplacePane(neighbour, splitter);
        splitter->Init(neighbour, horizontal, site);
        splitter->InsertPane(object, neighbour, after);
    }
    RecalcFrameLayout(neighbour, TRUE);
}

void CUTKDockingPaneManager::DockPane(CUTKDockingPaneBase* object, int direction,
                                      CUTKDockingPaneBase* neighbour)
{
    if (m_pLayout == nullptr || object == nullptr) {
        return;
    }
    if (CUTKDockingPaneSplitterContainer* splitter = AsSplitter(object); splitter != nullptr) {
        CUTKDockingPaneBaseList tabbed(10);
        splitter->CollectPanes(dockingPaneTypeTabbedContainer, &tabbed);
        if (tabbed.GetCount() == 1) {
            object = tabbed.GetHead();
        }
    }
    if (object->GetType() == dockingPaneTypePane) {
        if (CUTKDockingPaneBase* parent = object->GetContainer(); parent != nullptr) {
            parent->RemovePane(object);
        }
    } else {
        object = object->Clone(m_pLayout, nullptr);
        if (object == nullptr) {
            return;
        }
    }
    DockObject(object, direction, neighbour);
    m_pLayout->Normalize();
    m_hwndLastFocus = nullptr;
}

CUTKDockingPaneMiniWnd* CUTKDockingPaneManager::FloatPane(CUTKDockingPaneBase* object, CRect rect)
{
    // Floating frames are not offered yet.
    (void)object;
    (void)rect;
    return nullptr;
}

void CUTKDockingPaneManager::AttachPane(CUTKDockingPaneBase* object, CUTKDockingPaneBase* target)
{
    if (m_pLayout == nullptr || object == nullptr || target == nullptr) {
        return;
    }
    if (target->GetType() == dockingPaneTypePane) {
        target = target->GetContainer();
    }
    // Only a tabbed container takes panes; a holder of another kind is refused.
    CUTKDockingPaneTabbedContainer* tabbed = AsTabbed(target);
    if (tabbed == nullptr) {
        return;
    }
    for (CUTKDockingPane* pane : PanesOf(object)) {
        if (CUTKDockingPaneBase* parent = pane->GetContainer(); parent != nullptr) {
            parent->RemovePane(pane);
        }
        tabbed->AddPane(pane, TRUE);
    }
    m_hwndLastFocus = nullptr;
    UpdatePaneHolders();
}

// ---- showing and closing ------------------------------------------------------------------------

void CUTKDockingPaneManager::ShowPane(CUTKDockingPane* pane, BOOL focus)
{
    if (pane == nullptr || m_pLayout == nullptr) {
        return;
    }
    if (CUTKDockingPaneTabbedContainer* tabbed = AsTabbed(pane->GetContainer()); tabbed != nullptr) {
        tabbed->ShowPane(pane, FALSE);
    } else if (pane->IsClosed()) {
        UTK_DOCKINGPANE_INFO* info = m_pLayout->FindPaneInfo(pane);
        CUTKDockingPaneTabbedContainer* holder = info != nullptr ? info->pLastHolder : nullptr;
        const auto key = std::make_pair(static_cast<const void*>(this), pane->GetID());
        if (holder != nullptr) {
            holder->AddPane(pane, FALSE);
        } else if (auto found = PendingDirections().find(key); found != PendingDirections().end()) {
            DockObject(pane, found->second, nullptr);
        }
        if (!pane->IsClosed()) {
            PendingDirections().erase(key);
            UpdatePaneHolders();
        }
    }
    if (focus && !pane->IsClosed()) {
        if (m_bLayoutCreated) {
            pane->ShowWindow(TRUE);
        }
        pane->SetFocus();
    }
}

void CUTKDockingPaneManager::ShowPane(int id, BOOL focus)
{
    ShowPane(FindPane(id), focus);
}

void CUTKDockingPaneManager::ClosePane(CUTKDockingPane* pane)
{
    if (pane == nullptr) {
        return;
    }
    pane->InternalAddRef();
    if (NotifyOwner(DOCKINGPANE_PANECLOSED, reinterpret_cast<LPARAM>(pane)) != -1) {
        if (CUTKDockingPaneBase* parent = pane->GetContainer(); parent != nullptr) {
            parent->RemovePane(pane);
        }
    }
    pane->InternalRelease();
}

void CUTKDockingPaneManager::ClosePane(int id)
{
    ClosePane(FindPane(id));
}

void CUTKDockingPaneManager::HidePane(CUTKDockingPaneBase* object)
{
    // Auto-hide panels are not offered yet.
    (void)object;
}

CUTKDockingPaneBase* CUTKDockingPaneManager::GetPaneHolder(CUTKDockingPaneBase* object,
                                                           BOOL floating) const
{
    if (m_pLayout == nullptr || object == nullptr) {
        return nullptr;
    }
    const UTK_DOCKINGPANE_INFO* info = m_pLayout->FindPaneInfo(object);
    if (info == nullptr) {
        return nullptr;
    }
    return floating ? info->pFloatingHolder : info->pDockingHolder;
}

void CUTKDockingPaneManager::ToggleDocking(CUTKDockingPaneBase* object)
{
    // Without floating frames a docked pane has nowhere to go.
    (void)object;
}

BOOL CUTKDockingPaneManager::TogglePaneDocking(CUTKDockingPane* pane, CUTKDockingPaneBase* holder)
{
    (void)pane;
    (void)holder;
    return FALSE;
}

void CUTKDockingPaneManager::BringPaneToView(CUTKDockingPaneBase* object)
{
    if (CUTKDockingPane* pane = AsPane(object); pane != nullptr) {
        ShowPane(pane, FALSE);
    }
}

void CUTKDockingPaneManager::DetachAllPanes()
{
    if (m_pLayout == nullptr) {
        return;
    }
    for (POSITION pos = m_pLayout->m_lstPanes.GetHeadPosition(); pos != nullptr;) {
        m_pLayout->m_lstPanes.GetNext(pos).pPane->Detach();
    }
}

// ---- preview rectangles -------------------------------------------------------------------------

CRect CUTKDockingPaneManager::GetDockingRect(CUTKDockingPaneBase* object, int direction,
                                             CUTKDockingPaneBase* neighbour)
{
    const CRect empty(0, 0, 0, 0);
    if (m_pLayout == nullptr || object == nullptr || direction < 0 || direction > 3) {
        return empty;
    }
    CUTKDockingPaneSplitterContainer* top = m_pLayout->m_pTopContainer;
    if (neighbour == nullptr) {
        neighbour = top;
    }
    if (neighbour == nullptr) {
        return empty;
    }
    const BOOL horizontal = IsHorizontalDirection(direction);
    // The object's share of a new split of rect with the neighbour.
    auto newSplit = [&](CRect rect) {
        CUTKDockingPaneBaseList pair(10);
        if (InsertsAfter(direction)) {
            pair.AddTail(neighbour);
            pair.AddTail(object);
        } else {
            pair.AddTail(object);
            pair.AddTail(neighbour);
        }
        return CUTKDockingPaneSplitterContainer::GetChildRect(pair, horizontal, rect, object);
    };
    if (neighbour == top) {
        return newSplit(top->GetWindowRect());
    }
    if (CUTKDockingPaneTabbedContainer* tabbed = AsTabbed(neighbour->GetContainer());
        tabbed != nullptr) {
        neighbour = tabbed;
    }
    if (neighbour->GetContainer() == nullptr) {
        return empty;
    }
    CUTKDockingPaneSplitterContainer* parent = AsSplitter(neighbour->GetContainer());
    if (parent != nullptr && parent->IsHorizontal() == horizontal) {
        const int mapped = MapDirectionRTL(direction);
        CUTKDockingPaneBaseList children(10);
        for (POSITION pos = parent->GetHeadPosition(); pos != nullptr;) {
            CUTKDockingPaneBase* child = parent->GetNext(pos);
            if (child == object) {
                continue;
            }
            if (child == neighbour && !InsertsAfter(mapped)) {
                children.AddTail(object);
            }
            children.AddTail(child);
            if (child == neighbour && InsertsAfter(mapped)) {
                children.AddTail(object);
            }
        }
        return CUTKDockingPaneSplitterContainer::GetChildRect(children, horizontal,
                                                              parent->GetWindowRect(), object);
    }
    return newSplit(neighbour->GetWindowRect());
}

// ---- keyboard -----------------------------------------------------------------------------------

BOOL CUTKDockingPaneManager::ActivateNextPane(CUTKDockingPane* from, BOOL forward)
{
    if (m_pLayout == nullptr || m_pLayout->m_lstPanes.IsEmpty()) {
        return FALSE;
    }
    std::vector<CUTKDockingPane*> panes;
    for (POSITION pos = m_pLayout->m_lstPanes.GetHeadPosition(); pos != nullptr;) {
        panes.push_back(m_pLayout->m_lstPanes.GetNext(pos).pPane);
    }
    if (!forward) {
        std::vector<CUTKDockingPane*> reversed(panes.rbegin(), panes.rend());
        panes.swap(reversed);
    }
    const auto enabled = [](const CUTKDockingPane* pane) {
        return pane != nullptr && (pane->GetEnabled() & DockingPaneEnabled::PaneEnabled) != 0;
    };
    size_t start = 0;
    if (from != nullptr) {
        for (size_t i = 0; i < panes.size(); ++i) {
            if (panes[i] == from) {
                start = i + 1;
                break;
            }
        }
    }
    // From a given pane the walk wraps around once, so the pane itself comes last.
    const size_t steps = from != nullptr ? panes.size() : panes.size() - start;
    for (size_t n = 0; n < steps; ++n) {
        CUTKDockingPane* pane = panes[(start + n) % panes.size()];
        if (enabled(pane)) {
            ShowPane(pane, TRUE);
            return TRUE;
        }
    }
    return FALSE;
}

void CUTKDockingPaneManager::ShowPaneMenu(CUTKDockingPane* pane)
{
    if (pane == nullptr || m_pSite == nullptr || m_pSite->m_hWnd == nullptr) {
        return;
    }
    CUTKDockingPaneBase* container = pane->GetContainer();
    if (container == nullptr) {
        return;
    }
    CRect caption = container->GetWindowRect();
    if (CUTKDockingPaneTabbedContainer* tabbed = AsTabbed(container);
        tabbed != nullptr && m_pPaintManager != nullptr) {
        m_pPaintManager->AdjustCaptionRect(tabbed, caption);
    }
    HMENU menu = ::CreatePopupMenu();
    if (menu == nullptr) {
        return;
    }
    ::AppendMenuW(menu, MF_STRING, SC_MOVE, m_strMove);
    // Moving a docked container from the keyboard needs the drag context, not offered yet.
    (void)::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, caption.left,
                           caption.top, 0, m_pSite->m_hWnd, nullptr);
    ::DestroyMenu(menu);
}
