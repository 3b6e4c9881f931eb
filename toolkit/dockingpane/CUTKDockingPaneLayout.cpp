// The docking layout's structure: construction, copies, the frame layout pass, auto-hide sides
// and the removal of objects that became useless. Persistence is in
// CUTKDockingPaneLayoutExchange.cpp.
#include "toolkit/dockingpane/CUTKDockingPaneLayout.h"

#include <windows.h>

#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneClientContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterWnd.h"
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"

IMPLEMENT_DYNAMIC(CUTKDockingPaneLayout, CCmdTarget)

CUTKDockingPaneLayout::CUTKDockingPaneLayout(CUTKDockingPaneManager* manager)
    : m_pManager(manager)
{
    if (m_pManager == nullptr)
        return;
    m_pClient = static_cast<CUTKDockingPaneClientContainer*>(
        m_pManager->CreatePaneObject(dockingPaneTypeClientContainer, this));
    m_pTopContainer = static_cast<CUTKDockingPaneSplitterContainer*>(
        m_pManager->CreatePaneObject(dockingPaneTypeSplitterContainer, this));
    if (m_pTopContainer != nullptr)
        m_pTopContainer->Init(m_pClient, TRUE, m_pManager->GetSite());
}

CUTKDockingPaneLayout::~CUTKDockingPaneLayout()
{
    Free();
}

BOOL CUTKDockingPaneLayout::IsValid() const
{
    return m_bChecked && m_pTopContainer != nullptr && m_pClient != nullptr &&
           m_pClient->GetType() == dockingPaneTypeClientContainer && m_pManager != nullptr;
}

void CUTKDockingPaneLayout::Free()
{
    // The list owns the objects; a container's children are deleted through the list too, so
    // each object is unlinked from the list before it is released. Windowed containers go
    // first: destroying their windows may still look at the panes they show.
    for (POSITION pos = m_lstObjects.GetHeadPosition(); pos;) {
        const POSITION at = pos;
        CUTKDockingPaneBase* object = m_lstObjects.GetNext(pos);
        if (object->GetType() == dockingPaneTypeTabbedContainer) {
            m_lstObjects.RemoveAt(at);
            object->DeletePane();
        }
    }
    while (!m_lstObjects.IsEmpty()) {
        CUTKDockingPaneBase* object = m_lstObjects.RemoveHead();
        object->DeletePane();
    }
    m_lstPanes.RemoveAll();
    for (CUTKDockingPaneBase*& panel : m_wndPanels)
        panel = nullptr;
    for (CUTKDockingPaneSplitterWnd*& strip : m_wndClientMargins) {
        if (strip != nullptr) {
            strip->DestroyWindow();
            delete strip;
            strip = nullptr;
        }
    }
    m_pTopContainer = nullptr;
    m_pClient = nullptr;
}

namespace {

template <typename T>
T* Mapped(CUTKDockingPaneCloneMap& map, T* source)
{
    if (source == nullptr)
        return nullptr;
    CUTKDockingPaneBase* copy = nullptr;
    if (!map.Lookup(source, copy))
        return nullptr;
    return static_cast<T*>(copy);
}

CUTKDockingPaneBase* AsBase(CUTKDockingPaneTabbedContainer* container)
{
    return container;
}

}  // namespace

void CUTKDockingPaneLayout::Copy(const CUTKDockingPaneLayout* source)
{
    Free();
    m_bChecked = TRUE;
    m_loadError.clear();
    if (source == nullptr)
        return;
    CUTKDockingPaneCloneMap map;
    // Cloning adds to this layout's list only; the source's list is walked as it stands.
    for (POSITION pos = source->m_lstObjects.GetHeadPosition(); pos;) {
        CUTKDockingPaneBase* object = source->m_lstObjects.GetNext(pos);
        if (object->GetContainer() == nullptr)
            object->Clone(this, &map);
    }
    m_pClient = Mapped(map, source->m_pClient);
    m_pTopContainer = Mapped(map, source->m_pTopContainer);
    for (int side = 0; side < 4; ++side)
        m_wndPanels[side] = Mapped(map, source->m_wndPanels[side]);
    for (POSITION pos = source->m_lstPanes.GetHeadPosition(); pos;) {
        const UTK_DOCKINGPANE_INFO& entry = source->m_lstPanes.GetNext(pos);
        UTK_DOCKINGPANE_INFO copy;
        copy.pPane = Mapped(map, entry.pPane);
        if (copy.pPane == nullptr)
            continue;
        copy.pFloatingHolder = Mapped(map, entry.pFloatingHolder);
        copy.pDockingHolder = Mapped(map, entry.pDockingHolder);
        copy.pLastHolder = Mapped(map, entry.pLastHolder);
        m_lstPanes.AddTail(copy);
    }
    m_bChecked = source->m_bChecked;
}

UTK_DOCKINGPANE_INFO* CUTKDockingPaneLayout::FindPaneInfo(CUTKDockingPaneBase* pane)
{
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
        UTK_DOCKINGPANE_INFO& entry = m_lstPanes.GetNext(pos);
        if (static_cast<CUTKDockingPaneBase*>(entry.pPane) == pane)
            return &entry;
    }
    return nullptr;
}

void CUTKDockingPaneLayout::MoveToEndOfList(CUTKDockingPaneBase* object)
{
    for (POSITION pos = m_lstObjects.GetHeadPosition(); pos;) {
        const POSITION at = pos;
        if (m_lstObjects.GetNext(pos) == object) {
            m_lstObjects.RemoveAt(at);
            m_lstObjects.AddTail(object);
            return;
        }
    }
}

void CUTKDockingPaneLayout::PlaceClientMargins(CRect& rect, LPVOID layoutParams)
{
    const int margin = m_pManager ? m_pManager->m_nClientMargin : 0;
    auto* params = static_cast<AFX_SIZEPARENTPARAMS*>(layoutParams);
    if (params == nullptr || params->hDWP == nullptr) {
        rect.DeflateRect(margin, margin);
        return;
    }
    if (margin == 0) {
        for (CUTKDockingPaneSplitterWnd*& strip : m_wndClientMargins) {
            if (strip != nullptr) {
                strip->DestroyWindow();
                delete strip;
                strip = nullptr;
            }
        }
        return;
    }
    CWnd* site = m_pManager->GetSite();
    const CRect places[4] = {
        CRect(rect.left, rect.top, rect.left + margin, rect.bottom),
        CRect(rect.right - margin, rect.top, rect.right, rect.bottom),
        CRect(rect.left + margin, rect.top, rect.right - margin, rect.top + margin),
        CRect(rect.left + margin, rect.bottom - margin, rect.right - margin, rect.bottom),
    };
    for (int i = 0; i < 4; ++i) {
        CUTKDockingPaneSplitterWnd*& strip = m_wndClientMargins[i];
        if (strip == nullptr && site != nullptr && site->GetSafeHwnd() != nullptr) {
            strip = new CUTKDockingPaneSplitterWnd();
            // The top and bottom strips lie horizontally.
            if (!strip->Create(m_pManager, site, nullptr, nullptr, nullptr, i >= 2)) {
                delete strip;
                strip = nullptr;
            }
        }
        if (strip != nullptr) {
            AfxRepositionWindow(params, strip->GetSafeHwnd(), &places[i]);
            strip->Invalidate(FALSE);
        }
    }
    rect.DeflateRect(margin, margin);
}

void CUTKDockingPaneLayout::OnSizeParent(CWnd* parent, CRect rect, LPVOID layoutParams)
{
    // Auto-hide panels take their strips first; none exist without their class.
    PlaceClientMargins(rect, layoutParams);
    // The client first gets the whole rest, which sets the frame's client rectangle when the
    // top container does not place it (a client hidden in an empty tree).
    if (m_pClient != nullptr)
        m_pClient->OnSizeParent(parent, rect, layoutParams);
    if (m_pTopContainer != nullptr)
        m_pTopContainer->OnSizeParent(parent, rect, layoutParams);
}

int CUTKDockingPaneLayout::GetAutoHideSide(CUTKDockingPaneBase* object) const
{
    CUTKDockingPaneBase* current = object;
    while (current != nullptr) {
        if (current->GetType() == dockingPaneTypeMiniWnd)
            return 4;
        CUTKDockingPaneBase* parent = current->GetContainer();
        if (parent == nullptr || current == m_pClient)
            return -1;
        if (parent->GetType() == dockingPaneTypeAutoHidePanel) {
            for (int side = 0; side < 4; ++side)
                if (m_wndPanels[side] == parent)
                    return side;
            return -1;
        }
        if (parent->GetType() == dockingPaneTypeSplitterContainer && m_pClient != nullptr &&
            parent->ContainPane(m_pClient)) {
            auto* splitter = static_cast<CUTKDockingPaneSplitterContainer*>(parent);
            BOOL beforeClient = TRUE;
            for (POSITION pos = splitter->GetHeadPosition(); pos;) {
                CUTKDockingPaneBase* child = splitter->GetNext(pos);
                if (child == current)
                    break;
                if (child->ContainPane(m_pClient)) {
                    beforeClient = FALSE;
                    break;
                }
            }
            if (splitter->IsHorizontal())
                return beforeClient ? 0 : 1;
            return beforeClient ? 2 : 3;
        }
        current = parent;
    }
    return -1;
}

void CUTKDockingPaneLayout::HideObject(CUTKDockingPaneBase* object)
{
    if (object == nullptr || m_pManager == nullptr)
        return;
    int side = GetAutoHideSide(object);
    if (side < 0 || side > 3)
        side = 0;
    // The panel of the side comes from the factory; without a panel class nothing moves.
    if (m_wndPanels[side] == nullptr) {
        CUTKDockingPaneBase* panel =
            m_pManager->CreatePaneObject(dockingPaneTypeAutoHidePanel, this);
        if (panel == nullptr)
            return;
        m_wndPanels[side] = panel;
    }
}

void CUTKDockingPaneLayout::Normalize()
{
    for (BOOL deleted = TRUE; deleted;) {
        deleted = FALSE;
        CList<CUTKDockingPaneBase*, CUTKDockingPaneBase*> kept(10);
        for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
            const UTK_DOCKINGPANE_INFO& entry = m_lstPanes.GetNext(pos);
            kept.AddTail(AsBase(entry.pDockingHolder));
            kept.AddTail(AsBase(entry.pFloatingHolder));
            if (entry.pPane != nullptr)
                kept.AddTail(entry.pPane->GetContainer());
        }
        for (POSITION pos = m_lstObjects.GetHeadPosition(); pos;) {
            const POSITION at = pos;
            CUTKDockingPaneBase* object = m_lstObjects.GetNext(pos);
            CUTKDockingPaneBase* parent = object->GetContainer();
            BOOL remove = FALSE;
            if (object->GetType() == dockingPaneTypeTabbedContainer) {
                remove = kept.Find(object) == nullptr;
            } else if (object->GetType() == dockingPaneTypeSplitterContainer) {
                auto* splitter = static_cast<CUTKDockingPaneSplitterContainer*>(object);
                if (splitter->GetPaneCount() == 0) {
                    remove = TRUE;
                } else if (splitter->GetPaneCount() == 1 && parent != nullptr &&
                           parent->GetType() == dockingPaneTypeSplitterContainer &&
                           static_cast<CUTKDockingPaneSplitterContainer*>(parent)
                                   ->GetPaneCount() == 1) {
                    // The only child of an only child moves up one level. It is not removed
                    // from the splitter first: a splitter left empty by a removal takes itself
                    // out of its parent, and the child would have nowhere to go.
                    CUTKDockingPaneBase* child = splitter->GetFirstPane();
                    static_cast<CUTKDockingPaneSplitterContainer*>(parent)->ReplacePane(splitter,
                                                                                         child);
                    parent = nullptr;
                    remove = TRUE;
                }
            }
            if (!remove)
                continue;
            if (object == m_pTopContainer)
                continue;
            if (parent != nullptr)
                parent->RemovePane(object);
            m_lstObjects.RemoveAt(at);
            object->DeletePane();
            deleted = TRUE;
            break;
        }
    }
}
