// The docking object root and the container base: what the layout, its persistence and the
// manager rely on of every object.
#include "toolkit/dockingpane/CUTKDockingPaneBase.h"

#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneCaptionButton.h"
#include "toolkit/dockingpane/CUTKDockingPaneLayout.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"

namespace {

// The non-null position a leaf answers when it is the object looked for.
POSITION Found()
{
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(TRUE));
}

}  // namespace

BOOL CUTKDockingPaneCaptionButtons::CheckForMouseOver(CPoint point)
{
    BOOL changed = FALSE;
    for (CUTKDockingPaneCaptionButton* button : *this) {
        const BOOL wasHot = button->IsHot();
        (void)button->CheckForMouseOver(point);
        if (button->IsHot() != wasHot) {
            changed = TRUE;
        }
    }
    return changed;
}

// ---- CUTKDockingPaneBase ----

CUTKDockingPaneBase::CUTKDockingPaneBase(DockingPaneType type, CUTKDockingPaneLayout* layout)
    : m_pLayout(layout), m_type(type)
{
    if (CUTKDockingPaneManager* manager = GetDockingPaneManager()) {
        m_pDockingSite = manager->GetSite();
    }
    if (m_pLayout) {
        m_pLayout->m_lstObjects.AddTail(this);
    }
}

CUTKDockingPaneBase::~CUTKDockingPaneBase()
{
    if (m_pCaptionButtons) {
        for (CUTKDockingPaneCaptionButton* button : *m_pCaptionButtons) {
            delete button;
        }
        delete m_pCaptionButtons;
        m_pCaptionButtons = nullptr;
    }
}

void CUTKDockingPaneBase::RedrawPane()
{
    if (HWND window = GetPaneHwnd(); window && ::IsWindow(window)) {
        ::InvalidateRect(window, nullptr, FALSE);
    }
}

POSITION CUTKDockingPaneBase::ContainPane(CUTKDockingPaneBase* pane) const
{
    return pane == this ? Found() : nullptr;
}

void CUTKDockingPaneBase::CollectPanes(DockingPaneType type, CUTKDockingPaneBaseList* list)
{
    if (m_type == type) {
        list->AddTail(this);
    }
}

void CUTKDockingPaneBase::GetMinMaxInfo(LPMINMAXINFO minMaxInfo) const
{
    ZeroMemory(minMaxInfo, sizeof(MINMAXINFO));
    minMaxInfo->ptMaxTrackSize.x = 32000;
    minMaxInfo->ptMaxTrackSize.y = 32000;
    if (m_type == dockingPaneTypeClientContainer) {
        const CUTKDockingPaneManager* manager = GetDockingPaneManager();
        if (manager && !manager->m_bHideClient) {
            minMaxInfo->ptMinTrackSize.x = manager->m_szClientMinimum.cx;
            minMaxInfo->ptMinTrackSize.y = manager->m_szClientMinimum.cy;
        }
    }
}

BOOL CUTKDockingPaneBase::IsEmpty() const
{
    if (m_type != dockingPaneTypeClientContainer) {
        return FALSE;
    }
    const CUTKDockingPaneManager* manager = GetDockingPaneManager();
    return manager && manager->m_bHideClient;
}

CWnd* CUTKDockingPaneBase::GetDockingSite() const
{
    return m_pDockingSite;
}

BOOL CUTKDockingPaneBase::IsHidden() const
{
    return FALSE;
}

HWND CUTKDockingPaneBase::GetPaneHwnd() const
{
    return nullptr;
}

void CUTKDockingPaneBase::RefreshPane(BOOL recalcChildren)
{
    if (m_pParentContainer) {
        m_pParentContainer->RefreshPane(recalcChildren);
    }
}

void CUTKDockingPaneBase::OnSizeParent(CWnd* parent, CRect rect, LPVOID layoutParams)
{
    (void)parent;
    m_rcWindow = rect;
    if (layoutParams) {
        // The frame places its client view where this rectangle says.
        static_cast<AFX_SIZEPARENTPARAMS*>(layoutParams)->rect = rect;
    }
}

void CUTKDockingPaneBase::OnFocusChanged() {}

void CUTKDockingPaneBase::SetDockingSite(CWnd* site)
{
    m_pDockingSite = site;
}

void CUTKDockingPaneBase::SetParentContainer(CUTKDockingPaneBase* container)
{
    m_pParentContainer = container;
}

void CUTKDockingPaneBase::OnChildrenChanged(CUTKDockingPaneBase* container)
{
    (void)container;
}

void CUTKDockingPaneBase::OnParentChanged(CUTKDockingPaneBase* container)
{
    (void)container;
}

BOOL CUTKDockingPaneBase::DoPropExchange(CUTKPropExchange* px)
{
    int cx = m_szDocking.cx;
    int cy = m_szDocking.cy;
    ExchangeIntPropDefault(px, L"DockingCX", cx, 0);
    ExchangeIntPropDefault(px, L"DockingCY", cy, 0);
    m_szDocking = CSize(cx, cy);
    return TRUE;
}

CUTKDockingPaneBase* CUTKDockingPaneBase::Clone(CUTKDockingPaneLayout* layout,
                                                CUTKDockingPaneCloneMap* map,
                                                DWORD ignoredOptions)
{
    CUTKDockingPaneManager* manager = GetDockingPaneManager();
    if (!manager && layout) {
        manager = layout->GetManager();
    }
    if (!manager) {
        return nullptr;
    }
    CUTKDockingPaneBase* copy = manager->CreatePaneObject(m_type, layout);
    if (!copy) {
        return nullptr;
    }
    copy->Copy(this, map, ignoredOptions);
    if (map) {
        map->SetAt(this, copy);
    }
    return copy;
}

void CUTKDockingPaneBase::Copy(CUTKDockingPaneBase* source, CUTKDockingPaneCloneMap* map,
                               DWORD ignoredOptions)
{
    (void)map;
    (void)ignoredOptions;
    m_szDocking = source->m_szDocking;
}

void CUTKDockingPaneBase::RemovePane(CUTKDockingPaneBase* child)
{
    (void)child;
}

BOOL CUTKDockingPaneBase::IsCaptionButtonVisible(const CUTKDockingPaneCaptionButton* button) const
{
    (void)button;
    return TRUE;
}

void CUTKDockingPaneBase::CreateContainerWindow()
{
    if (m_pParentContainer) {
        m_pParentContainer->CreateContainerWindow();
    }
}

CUTKDockingPaneManager* CUTKDockingPaneBase::GetDockingPaneManager() const
{
    return m_pLayout ? m_pLayout->GetManager() : nullptr;
}

CUTKDockingPanePaintManager* CUTKDockingPaneBase::GetPaintManager() const
{
    const CUTKDockingPaneManager* manager = GetDockingPaneManager();
    return manager ? manager->GetPaintManager() : nullptr;
}

CRect CUTKDockingPaneBase::GetWindowRect() const
{
    CRect rect = m_rcWindow;
    CWnd* site = GetDockingSite();
    if (site && site->GetSafeHwnd()) {
        ::MapWindowPoints(site->GetSafeHwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

CUTKDockingPaneCaptionButton* CUTKDockingPaneBase::FindCaptionButton(int id) const
{
    if (!m_pCaptionButtons) {
        return nullptr;
    }
    for (CUTKDockingPaneCaptionButton* button : *m_pCaptionButtons) {
        if (button->GetID() == id) {
            return button;
        }
    }
    return nullptr;
}

// ---- CUTKDockingPaneBaseContainer ----

CUTKDockingPaneBaseContainer::CUTKDockingPaneBaseContainer(DockingPaneType type,
                                                           CUTKDockingPaneLayout* layout)
    : CUTKDockingPaneBase(type, layout)
{
}

POSITION CUTKDockingPaneBaseContainer::ContainPane(CUTKDockingPaneBase* pane) const
{
    if (pane == this) {
        return Found();
    }
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
        const POSITION at = pos;
        if (m_lstPanes.GetNext(pos)->ContainPane(pane)) {
            return at;
        }
    }
    return nullptr;
}

void CUTKDockingPaneBaseContainer::CollectPanes(DockingPaneType type,
                                                CUTKDockingPaneBaseList* list)
{
    if (m_type == type && !IsEmpty()) {
        list->AddTail(this);
    }
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
        m_lstPanes.GetNext(pos)->CollectPanes(type, list);
    }
}

BOOL CUTKDockingPaneBaseContainer::IsEmpty() const
{
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
        if (!m_lstPanes.GetNext(pos)->IsEmpty()) {
            return FALSE;
        }
    }
    return TRUE;
}

CUTKDockingPaneBase* CUTKDockingPaneBaseContainer::GetFirstPane() const
{
    return m_lstPanes.IsEmpty() ? nullptr : m_lstPanes.GetHead();
}

CUTKDockingPaneBase* CUTKDockingPaneBaseContainer::GetLastPane() const
{
    return m_lstPanes.IsEmpty() ? nullptr : m_lstPanes.GetTail();
}

BOOL CUTKDockingPaneBaseContainer::NotifyAllPanes(int action)
{
    CUTKDockingPaneManager* manager = GetDockingPaneManager();
    if (!manager) {
        return FALSE;
    }
    CUTKDockingPaneBaseList panes;
    CollectPanes(dockingPaneTypePane, &panes);
    for (POSITION pos = panes.GetHeadPosition(); pos;) {
        auto* pane = static_cast<CUTKDockingPane*>(panes.GetNext(pos));
        if (manager->NotifyAction(action, pane, this)) {
            return TRUE;
        }
    }
    return FALSE;
}
