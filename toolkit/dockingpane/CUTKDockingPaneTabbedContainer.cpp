// The tabbed container's panes, selection, tabs, layout pass, copies and saved keys.
// Its window's messages are in CUTKDockingPaneTabbedContainerWnd.cpp, its accessibility in
// CUTKDockingPaneTabbedContainerAccessible.cpp.
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"

#include <windows.h>

#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/common/UTKDrawFunctions.h"
#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneCaptionButton.h"
#include "toolkit/dockingpane/CUTKDockingPaneLayout.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterWnd.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSet.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CUTKDockingPaneTabbedContainer, CWnd)

namespace {

constexpr wchar_t kWindowClass[] = L"UTKDockingPaneTabbedContainer";
// A stored layout holds at most this many objects.
constexpr int kMaxPanes = 4096;

// Holds the tab lock for a scope: the tab manager's change notices and redraws are ignored.
class TabLock {
public:
    explicit TabLock(int& counter) : m_counter(counter) { ++m_counter; }
    ~TabLock() { --m_counter; }
    TabLock(const TabLock&) = delete;
    TabLock& operator=(const TabLock&) = delete;

private:
    int& m_counter;
};

}  // namespace

CUTKDockingPaneTabbedContainer::CUTKDockingPaneTabbedContainer(CUTKDockingPaneLayout* layout)
    : CUTKDockingPaneBaseContainer(dockingPaneTypeTabbedContainer, layout)
{
    m_pCaptionButtons = new CUTKDockingPaneCaptionButtons;
    for (int id : {CUTKDockingPaneCaptionButton::idClose, CUTKDockingPaneCaptionButton::idMaximize,
                   CUTKDockingPaneCaptionButton::idRestore,
                   CUTKDockingPaneCaptionButton::idAutoHide,
                   CUTKDockingPaneCaptionButton::idMenu}) {
        m_pCaptionButtons->push_back(new CUTKDockingPaneCaptionButton(id, this));
    }
    m_pDropTarget = new CContainerDropTarget(this);
}

CUTKDockingPaneTabbedContainer::~CUTKDockingPaneTabbedContainer()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
    // Items point at panes this container no longer refers to once it is freed.
    {
        TabLock lock(m_nLockReposition);
        DeleteAllItems();
    }
    delete m_pDropTarget;
}

void CUTKDockingPaneTabbedContainer::DeletePane()
{
    InternalRelease();
}

void CUTKDockingPaneTabbedContainer::PostNcDestroy()
{
    // The layout owns the object; only the window goes.
}

CUTKDockingPane* CUTKDockingPaneTabbedContainer::PaneOfItem(const CUTKTabManagerItem* item)
{
    return item != nullptr ? static_cast<CUTKDockingPane*>(item->GetData()) : nullptr;
}

void CUTKDockingPaneTabbedContainer::RecalcFrameLayout(BOOL delayed)
{
    if (Manager() != nullptr) {
        Manager()->RecalcFrameLayout(this, delayed);
    }
}

// ---- panes and selection ----------------------------------------------------------------------

void CUTKDockingPaneTabbedContainer::Init(CUTKDockingPane* pane, CWnd* site)
{
    m_pDockingSite = site;
    m_szDocking = pane->m_szDocking;
    m_rcWindow = pane->m_rcWindow;
    AddPane(pane, TRUE);
    SelectPane(pane, TRUE, TRUE);
}

void CUTKDockingPaneTabbedContainer::AddPane(CUTKDockingPaneBase* pane, BOOL focus)
{
    if (m_pLayout == nullptr || pane == nullptr || pane->GetType() != dockingPaneTypePane) {
        return;
    }
    if (m_hWnd == nullptr && !m_pLayout->IsUserLayout()) {
        CreateContainerWindow();
    }
    m_lstPanes.AddTail(pane);
    pane->SetParentContainer(this);
    pane->SetDockingSite(m_pDockingSite);
    m_bRepositionPending = TRUE;
    RecalcFrameLayout(TRUE);
    SelectPane(pane, focus, TRUE);
    if (m_pParentContainer != nullptr) {
        m_pParentContainer->OnChildrenChanged(this);
    }
}

void CUTKDockingPaneTabbedContainer::SelectPane(CUTKDockingPaneBase* pane, BOOL focus,
                                                BOOL relayout)
{
    CUTKDockingPane* selected = pane != nullptr && pane->GetType() == dockingPaneTypePane
                                    ? static_cast<CUTKDockingPane*>(pane)
                                    : nullptr;
    if (selected != m_pSelectedPane) {
        m_pSelectedPane = selected;
        if (relayout) {
            m_bEnsureSelectedTab = TRUE;
            m_bRepositionPending = TRUE;
            RecalcFrameLayout(TRUE);
            if (m_pParentContainer != nullptr) {
                m_pParentContainer->OnChildrenChanged(this);
            }
        } else {
            RefreshPane(TRUE);
            EnsureVisible(GetSelectedItem());
        }
        if (m_hWnd != nullptr && m_pSelectedPane != nullptr) {
            SetWindowText(GetTitle());
        }
    }
    if (focus) {
        if (m_bActive && Manager() != nullptr) {
            Manager()->SetActivePane(TRUE, m_pSelectedPane);
        }
        if (m_pSelectedPane != nullptr) {
            m_pSelectedPane->SetFocus();
        }
    }
}

BOOL CUTKDockingPaneTabbedContainer::ShowPane(CUTKDockingPane* pane, BOOL focus)
{
    // Auto-hide panels and floating frames do not exist yet: selecting is all there is.
    SelectPane(pane, focus, TRUE);
    return TRUE;
}

void CUTKDockingPaneTabbedContainer::ShowSelectedPane(BOOL focus)
{
    (void)focus;
}

void CUTKDockingPaneTabbedContainer::FocusContainer()
{
    if (m_pSelectedPane != nullptr) {
        m_pSelectedPane->SetFocus();
    } else if (m_hWnd != nullptr) {
        SetFocus();
    }
    // The manager's idle message runs its focus tracking.
    if (Manager() != nullptr && Manager()->m_hWnd != nullptr) {
        Manager()->SendMessage(WM_IDLEUPDATECMDUI);
    }
}

CUTKDockingPane* CUTKDockingPaneTabbedContainer::GetPaneByTab(int index) const
{
    if (index < 0 || index >= GetItemCount()) {
        return nullptr;
    }
    return PaneOfItem(GetItem(index));
}

CString CUTKDockingPaneTabbedContainer::GetTitle() const
{
    return m_pSelectedPane != nullptr ? m_pSelectedPane->GetTitle() : CString();
}

BOOL CUTKDockingPaneTabbedContainer::IsCaptionVisible() const
{
    const CUTKDockingPanePaintManager* paint = GetDockingPaintManager();
    return m_bShowCaption && m_pSelectedPane != nullptr &&
           (m_pSelectedPane->GetOptions() & PaneOptNoCaption) == 0 && paint != nullptr &&
           paint->m_bShowCaption;
}

void CUTKDockingPaneTabbedContainer::SetCaptionPermission(BOOL show)
{
    if (m_bShowCaption != show) {
        m_bShowCaption = show;
        m_bRepositionPending = TRUE;
        RecalcFrameLayout(TRUE);
    }
}

BOOL CUTKDockingPaneTabbedContainer::IsCaptionVertical() const
{
    const CUTKDockingPaneManager* manager = Manager();
    if (manager == nullptr) {
        return FALSE;
    }
    switch (manager->m_nCaptionVerticalMode) {
    case 1:
        return TRUE;
    case 2: {
        const int side = manager->GetAutoHideSide(const_cast<CUTKDockingPaneTabbedContainer*>(this));
        return side == 2 || side == 3;
    }
    case 3:
        return m_rcWindow.Width() > m_rcWindow.Height();
    default:
        return FALSE;
    }
}

BOOL CUTKDockingPaneTabbedContainer::IsTabsVisible() const
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    const CUTKDockingPanePaintManager* paint = GetDockingPaintManager();
    return GetPaneCount() >= 2 || (paint != nullptr && paint->m_bShowSingleTab);
}

BOOL CUTKDockingPaneTabbedContainer::IsHidden() const
{
    return m_pParentContainer != nullptr &&
           m_pParentContainer->GetType() == dockingPaneTypeAutoHidePanel;
}

HWND CUTKDockingPaneTabbedContainer::GetPaneHwnd() const
{
    return m_hWnd;
}

CRect CUTKDockingPaneTabbedContainer::GetOwnerClientRect() const
{
    CRect rect(0, 0, 0, 0);
    if (m_hWnd != nullptr) {
        ::GetClientRect(m_hWnd, &rect);
    }
    return rect;
}

BOOL CUTKDockingPaneTabbedContainer::GetCaptionPaneEnabled(int* bits) const
{
    if (m_pSelectedPane == nullptr) {
        return FALSE;
    }
    *bits = static_cast<int>(m_pSelectedPane->GetEnabled());
    return TRUE;
}

CUTKImageManagerIcon* CUTKDockingPaneTabbedContainer::GetCaptionPaneIcon(int width) const
{
    return m_pSelectedPane != nullptr ? m_pSelectedPane->GetIcon(width) : nullptr;
}

// ---- tabs ---------------------------------------------------------------------------------------

void CUTKDockingPaneTabbedContainer::RecalcTabs()
{
    if (m_hWnd == nullptr) {
        return;
    }
    {
        TabLock lock(m_nLockReposition);
        DeleteAllItems();
        for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != nullptr;) {
            auto* pane = static_cast<CUTKDockingPane*>(m_lstPanes.GetNext(pos));
            CUTKTabManagerItem* item = AddItem(GetItemCount());
            item->SetCaption(pane->GetTabCaption());
            item->SetColor(pane->GetItemColor());
            item->SetTooltip(pane->GetTitle());
            item->SetEnabled((pane->GetEnabled() & DockingPaneEnabled::PaneEnabled) != 0);
            item->SetData(pane);
            if (pane == m_pSelectedPane) {
                SetCurSel(item->GetIndex());
            }
        }
    }
    if (m_pCaptionButtons != nullptr) {
        m_pCaptionButtons->CheckForMouseOver(CPoint(-1, -1));
    }
}

CUTKTabPaintManager* CUTKDockingPaneTabbedContainer::GetPaintManager() const
{
    CUTKDockingPanePaintManager* paint = GetDockingPaintManager();
    return paint != nullptr ? paint->GetPaneTabPaintManager() : nullptr;
}

void CUTKDockingPaneTabbedContainer::RedrawControl(const RECT* rect, BOOL leaving)
{
    (void)leaving;
    if (m_nLockReposition == 0 && m_hWnd != nullptr) {
        ::InvalidateRect(m_hWnd, rect, FALSE);
    }
}

void CUTKDockingPaneTabbedContainer::Reposition()
{
    if (m_nLockReposition == 0) {
        RefreshPane(FALSE);
    }
}

BOOL CUTKDockingPaneTabbedContainer::DrawIcon(CDC* dc, CPoint point, CUTKTabManagerItem* item,
                                              BOOL draw, CSize& size) const
{
    const CUTKTabPaintManager* tabs = GetPaintManager();
    CUTKDockingPane* pane = PaneOfItem(item);
    if (tabs == nullptr || !tabs->m_bShowIcons || pane == nullptr) {
        return FALSE;
    }
    CUTKImageManagerIcon* icon = pane->GetIcon(size.cx);
    if (icon == nullptr) {
        return FALSE;
    }
    if (draw) {
        item->DrawImage(dc, CRect(point, size), icon);
    }
    return TRUE;
}

// ---- layout -------------------------------------------------------------------------------------

void CUTKDockingPaneTabbedContainer::PlaceTabs()
{
    CUTKDockingPanePaintManager* paint = GetDockingPaintManager();
    if (paint == nullptr) {
        return;
    }
    CRect client = m_rcWindow;
    paint->AdjustClientRect(this, client, TRUE);
}

void CUTKDockingPaneTabbedContainer::RefreshPane(BOOL recalcChildren)
{
    if (m_hWnd == nullptr || m_pParentContainer == nullptr || m_bRefreshing) {
        return;
    }
    m_bRefreshing = TRUE;
    RecalcTabs();
    CRect client = m_rcWindow;
    if (CUTKDockingPanePaintManager* paint = GetDockingPaintManager(); paint != nullptr) {
        paint->AdjustClientRect(this, client, TRUE);
    }
    if (recalcChildren) {
        for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != nullptr;) {
            CUTKDockingPaneBase* pane = m_lstPanes.GetNext(pos);
            pane->OnSizeParent(m_pDockingSite, pane == m_pSelectedPane ? client : CRect(0, 0, 0, 0),
                               nullptr);
        }
    }
    Invalidate(FALSE);
    m_bRefreshing = FALSE;
    m_pParentContainer->RefreshPane(recalcChildren);
}

void CUTKDockingPaneTabbedContainer::OnSizeParent(CWnd* parent, CRect rect, LPVOID layoutParams)
{
    m_pDockingSite = parent;
    m_rcWindow = rect;
    const auto* params = static_cast<const AFX_SIZEPARENTPARAMS*>(layoutParams);
    if (params != nullptr && params->hDWP == nullptr) {
        return;
    }
    if (m_hWnd != nullptr) {
        CRect current;
        ::GetWindowRect(m_hWnd, &current);
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&current), 2);
        if (current != rect || m_bRepositionPending) {
            ::SetWindowPos(m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
            Invalidate(FALSE);
            m_bRepositionPending = FALSE;
        } else {
            ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
        }
    }
    {
        TabLock lock(m_nLockReposition);
        RecalcTabs();
    }
    // Auto-hiding is not offered yet, so the pin never shows; the other states are kept for
    // the panels that will set them.
    if (CUTKDockingPaneCaptionButton* pin = FindCaptionButton(CUTKDockingPaneCaptionButton::idAutoHide);
        pin != nullptr) {
        pin->SetState(IsHidden() ? 3 : 0);
    }
    CRect client = rect;
    if (CUTKDockingPanePaintManager* paint = GetDockingPaintManager(); paint != nullptr) {
        paint->AdjustClientRect(this, client, TRUE);
    }
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != nullptr;) {
        CUTKDockingPaneBase* pane = m_lstPanes.GetNext(pos);
        pane->OnSizeParent(parent, pane == m_pSelectedPane ? client : CRect(0, 0, 0, 0),
                           layoutParams);
    }
    if (m_bEnsureSelectedTab) {
        m_bEnsureSelectedTab = FALSE;
        {
            TabLock lock(m_nLockReposition);
            EnsureVisible(GetSelectedItem());
        }
        PlaceTabs();
        if (m_hWnd != nullptr) {
            Invalidate(FALSE);
        }
    }
}

void CUTKDockingPaneTabbedContainer::GetMinMaxInfo(LPMINMAXINFO minMaxInfo) const
{
    CUTKDockingPaneBaseContainer::GetMinMaxInfo(minMaxInfo);
    if (IsEmpty()) {
        return;
    }
    if (m_pParentContainer != nullptr &&
        m_pParentContainer->GetType() == dockingPaneTypeSplitterContainer) {
        auto* splitter = static_cast<CUTKDockingPaneSplitterContainer*>(m_pParentContainer);
        for (POSITION pos = splitter->GetHeadPosition(); pos != nullptr;) {
            CUTKDockingPaneBase* child = splitter->GetNext(pos);
            if (child != this && child->GetType() == dockingPaneTypeTabbedContainer &&
                static_cast<CUTKDockingPaneTabbedContainer*>(child)->m_bMaximized) {
                if (splitter->IsHorizontal()) {
                    minMaxInfo->ptMaxTrackSize.x = 0;
                } else {
                    minMaxInfo->ptMaxTrackSize.y = 0;
                }
                return;
            }
        }
    }
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != nullptr;) {
        MINMAXINFO pane = {};
        m_lstPanes.GetNext(pos)->GetMinMaxInfo(&pane);
        minMaxInfo->ptMinTrackSize.x = std::max(minMaxInfo->ptMinTrackSize.x, pane.ptMinTrackSize.x);
        minMaxInfo->ptMinTrackSize.y = std::max(minMaxInfo->ptMinTrackSize.y, pane.ptMinTrackSize.y);
        minMaxInfo->ptMaxTrackSize.x = std::min(minMaxInfo->ptMaxTrackSize.x, pane.ptMaxTrackSize.x);
        minMaxInfo->ptMaxTrackSize.y = std::min(minMaxInfo->ptMaxTrackSize.y, pane.ptMaxTrackSize.y);
    }
    AdjustMinMaxInfo(minMaxInfo, FALSE);
}

void CUTKDockingPaneTabbedContainer::AdjustMinMaxInfo(LPMINMAXINFO minMaxInfo,
                                                      BOOL captionOnly) const
{
    CUTKDockingPanePaintManager* paint = GetDockingPaintManager();
    if (paint == nullptr) {
        return;
    }
    auto* self = const_cast<CUTKDockingPaneTabbedContainer*>(this);
    CRect rect(0, 0, 1000, 1000);
    if (captionOnly) {
        paint->AdjustCaptionRect(self, rect);
    } else {
        paint->AdjustClientRect(self, rect, FALSE);
    }
    const int dx = 1000 - rect.Width();
    const int dy = 1000 - rect.Height();
    minMaxInfo->ptMinTrackSize.x += dx;
    minMaxInfo->ptMinTrackSize.y += dy;
    minMaxInfo->ptMaxTrackSize.x += dx;
    minMaxInfo->ptMaxTrackSize.y += dy;
}

void CUTKDockingPaneTabbedContainer::SyncDockingSize()
{
    const int side = Manager() != nullptr ? Manager()->GetAutoHideSide(this) : 0;
    const bool across = side == 2 || side == 3;
    auto store = [&](CUTKDockingPaneBase* object) {
        if (across) {
            object->m_szDocking.cy = m_rcWindow.Height();
        } else {
            object->m_szDocking.cx = m_rcWindow.Width();
        }
    };
    store(this);
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != nullptr;) {
        CUTKDockingPaneBase* pane = m_lstPanes.GetNext(pos);
        if (!pane->IsEmpty()) {
            store(pane);
        }
    }
}

// ---- tree changes -------------------------------------------------------------------------------

void CUTKDockingPaneTabbedContainer::RemovePane(CUTKDockingPaneBase* child)
{
    POSITION found = m_lstPanes.Find(child);
    if (found == nullptr) {
        return;
    }
    m_lstPanes.RemoveAt(found);
    // A pane that leaves while its tab is dragged along the strip ends that drag.
    if (child == m_pTrackingPane) {
        EndTabDrag();
    }
    RecalcTabs();
    child->SetParentContainer(nullptr);
    if (m_pParentContainer != nullptr) {
        m_pParentContainer->OnChildrenChanged(this);
    }
    if (m_lstPanes.IsEmpty()) {
        if (m_bActive) {
            if (m_pDockingSite != nullptr && m_pDockingSite->m_hWnd != nullptr) {
                m_pDockingSite->SetFocus();
            }
            m_bActive = FALSE;
            if (Manager() != nullptr) {
                Manager()->SetActivePane(FALSE, m_pSelectedPane);
            }
        }
        if (m_hWnd != nullptr) {
            DestroyWindow();
        }
    }
    m_bRepositionPending = TRUE;
    RecalcFrameLayout(TRUE);
    if (child == m_pSelectedPane) {
        SelectPane(m_lstPanes.IsEmpty() ? nullptr : m_lstPanes.GetTail(), TRUE, TRUE);
    }
}

void CUTKDockingPaneTabbedContainer::Copy(CUTKDockingPaneBase* source, CUTKDockingPaneCloneMap* map,
                                          DWORD ignoredOptions)
{
    if (source == nullptr || source->GetType() != dockingPaneTypeTabbedContainer) {
        return;
    }
    auto* from = static_cast<CUTKDockingPaneTabbedContainer*>(source);
    m_bActive = FALSE;
    m_pDockingSite = Manager() != nullptr ? Manager()->GetSite() : nullptr;
    m_pSelectedPane = nullptr;
    m_rcWindow = from->m_rcWindow;
    m_szDocking = from->m_szDocking;
    m_bShowCaption = TRUE;
    m_nLockReposition = 0;
    if (from->m_pLayout != m_pLayout) {
        m_bMaximized = from->m_bMaximized;
    }
    CUTKDockingPaneBase* remembered = nullptr;
    if (map != nullptr) {
        for (POSITION pos = from->m_lstPanes.GetHeadPosition(); pos != nullptr;) {
            CUTKDockingPaneBase* pane = from->m_lstPanes.GetNext(pos);
            CUTKDockingPaneBase* clone = pane->Clone(m_pLayout, map);
            AddPane(clone, FALSE);
            if (pane == from->m_pSelectedPane) {
                remembered = clone;
            }
        }
    } else {
        // The source's list changes as its panes leave it.
        std::vector<CUTKDockingPane*> moving;
        for (POSITION pos = from->m_lstPanes.GetHeadPosition(); pos != nullptr;) {
            auto* pane = static_cast<CUTKDockingPane*>(from->m_lstPanes.GetNext(pos));
            if ((pane->GetOptions() & ignoredOptions) == 0) {
                moving.push_back(pane);
            }
        }
        for (CUTKDockingPane* pane : moving) {
            from->RemovePane(pane);
            AddPane(pane, FALSE);
            if (pane == from->m_pSelectedPane) {
                remembered = pane;
            }
        }
    }
    if (remembered != nullptr) {
        SelectPane(remembered, FALSE, TRUE);
    }
}

void CUTKDockingPaneTabbedContainer::CreateContainerWindow()
{
    if (m_pParentContainer != nullptr) {
        m_pParentContainer->CreateContainerWindow();
    }
    if (m_hWnd != nullptr) {
        return;
    }
    CWnd* site = m_pDockingSite;
    if (site == nullptr || site->m_hWnd == nullptr) {
        return;
    }
    RegisterWndClass(nullptr, kWindowClass, CS_DBLCLKS);
    if (!CreateEx(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                  CRect(0, 0, 0, 0), site, 0)) {
        return;
    }
    m_pDropTarget->Register(this);
}

void CUTKDockingPaneTabbedContainer::OnParentChanged(CUTKDockingPaneBase* container)
{
    if (container == nullptr) {
        return;
    }
    SetDockingSite(container->GetDockingSite());
    SetCaptionPermission(TRUE);
    if (container->GetType() == dockingPaneTypeAutoHidePanel && m_hWnd != nullptr) {
        ShowWindow(SW_HIDE);
    }
}

void CUTKDockingPaneTabbedContainer::SetDockingSite(CWnd* site)
{
    if ((site == nullptr || site->m_hWnd == nullptr) && Manager() != nullptr) {
        site = Manager()->GetSite();
    }
    m_pDockingSite = site;
    if (m_hWnd != nullptr && site != nullptr && ::GetParent(m_hWnd) != site->m_hWnd) {
        ::SetParent(m_hWnd, site->m_hWnd);
    }
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != nullptr;) {
        m_lstPanes.GetNext(pos)->SetDockingSite(site);
    }
}

void CUTKDockingPaneTabbedContainer::OnFocusChanged()
{
    if (m_hWnd == nullptr || IsEmpty()) {
        return;
    }
    const HWND focus = ::GetFocus();
    auto inside = [this](HWND window) {
        return window != nullptr && (window == m_hWnd || ::IsChild(m_hWnd, window));
    };
    const BOOL active = inside(focus) || inside(::GetWindow(focus, GW_OWNER));
    CUTKDockingPaneManager* manager = Manager();
    if (active != m_bActive) {
        m_bActive = active;
        if (manager != nullptr) {
            manager->SetActivePane(active, m_pSelectedPane);
        }
        Invalidate(FALSE);
    } else if (active && manager != nullptr && manager->GetActivePane() != m_pSelectedPane) {
        manager->SetActivePane(TRUE, m_pSelectedPane);
    }
}

// ---- caption buttons ----------------------------------------------------------------------------

BOOL CUTKDockingPaneTabbedContainer::IsCaptionButtonVisible(
    const CUTKDockingPaneCaptionButton* button) const
{
    const DWORD options = m_pSelectedPane != nullptr ? m_pSelectedPane->GetOptions() : 0;
    switch (button->GetID()) {
    case CUTKDockingPaneCaptionButton::idAutoHide:
        return m_pSelectedPane != nullptr && (options & PaneOptNoHide) == 0 &&
               (button->GetState() & CUTKDockingPaneCaptionButton::stateAutoHideOffered) != 0;
    case CUTKDockingPaneCaptionButton::idClose:
        return m_pSelectedPane != nullptr && (options & PaneOptNoClose) == 0;
    case CUTKDockingPaneCaptionButton::idMaximize:
        return IsMaximizeAllowed() && !m_bMaximized;
    case CUTKDockingPaneCaptionButton::idRestore:
        return IsMaximizeAllowed() && m_bMaximized;
    case CUTKDockingPaneCaptionButton::idMenu:
        return m_pSelectedPane != nullptr && (options & PaneOptMenuButton) != 0;
    default:
        return TRUE;
    }
}

BOOL CUTKDockingPaneTabbedContainer::IsMaximizeAllowed() const
{
    const CUTKDockingPaneManager* manager = Manager();
    if (m_pParentContainer == nullptr ||
        m_pParentContainer->GetType() != dockingPaneTypeSplitterContainer || manager == nullptr ||
        !manager->m_bShowMaximizeButton) {
        return FALSE;
    }
    auto* splitter = static_cast<CUTKDockingPaneSplitterContainer*>(m_pParentContainer);
    int visible = 0;
    for (POSITION pos = splitter->GetHeadPosition(); pos != nullptr;) {
        CUTKDockingPaneBase* child = splitter->GetNext(pos);
        if (child->GetType() == dockingPaneTypeTabbedContainer && !child->IsEmpty()) {
            ++visible;
        }
    }
    return visible >= 2;
}

void CUTKDockingPaneTabbedContainer::Maximize()
{
    if (m_pParentContainer == nullptr ||
        m_pParentContainer->GetType() != dockingPaneTypeSplitterContainer) {
        return;
    }
    auto* splitter = static_cast<CUTKDockingPaneSplitterContainer*>(m_pParentContainer);
    for (POSITION pos = splitter->GetHeadPosition(); pos != nullptr;) {
        CUTKDockingPaneBase* child = splitter->GetNext(pos);
        if (child->GetType() == dockingPaneTypeTabbedContainer && !child->IsEmpty()) {
            static_cast<CUTKDockingPaneTabbedContainer*>(child)->m_bMaximized = child == this;
        }
    }
    RecalcFrameLayout(FALSE);
}

void CUTKDockingPaneTabbedContainer::Restore()
{
    m_bMaximized = FALSE;
    if (m_pDockingSite != nullptr && m_pParentContainer != nullptr) {
        RecalcFrameLayout(FALSE);
    }
}

void CUTKDockingPaneTabbedContainer::OnCaptionButtonClick(CUTKDockingPaneCaptionButton* button)
{
    CUTKDockingPaneManager* manager = Manager();
    if (button == nullptr || manager == nullptr) {
        return;
    }
    switch (button->GetID()) {
    case CUTKDockingPaneCaptionButton::idAutoHide:
        if (IsHidden()) {
            manager->ToggleDocking(manager->m_bHideGroupOnButtonClick
                                       ? static_cast<CUTKDockingPaneBase*>(this)
                                       : m_pSelectedPane);
        } else if (m_pSelectedPane != nullptr &&
                   !manager->NotifyAction(18, m_pSelectedPane, this)) {
            CUTKDockingPane* pane = m_pSelectedPane;
            if (m_pDockingSite != nullptr && m_pDockingSite->m_hWnd != nullptr) {
                m_pDockingSite->SetFocus();
            }
            SyncDockingSize();
            pane->Hide();
            manager->NotifyAction(19, pane, this);
        }
        break;
    case CUTKDockingPaneCaptionButton::idClose: {
        std::vector<CUTKDockingPane*> closing;
        if (manager->m_bCloseGroupOnButtonClick) {
            for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != nullptr;) {
                auto* pane = static_cast<CUTKDockingPane*>(m_lstPanes.GetNext(pos));
                if ((pane->GetOptions() & PaneOptNoClose) == 0) {
                    closing.push_back(pane);
                }
            }
        } else if (m_pSelectedPane != nullptr) {
            closing.push_back(m_pSelectedPane);
        }
        // The last pane's departure destroys this window: the object stays referenced.
        InternalAddRef();
        for (CUTKDockingPane* pane : closing) {
            pane->InternalAddRef();
            if (!manager->NotifyAction(2, pane, this)) {
                pane->Close();
                // The owner may keep the pane open; only a pane that did close is reported.
                if (pane->IsClosed()) {
                    manager->NotifyAction(3, pane, this);
                }
            }
            pane->InternalRelease();
        }
        InternalRelease();
        break;
    }
    case CUTKDockingPaneCaptionButton::idMaximize:
        Maximize();
        break;
    case CUTKDockingPaneCaptionButton::idRestore:
        Restore();
        break;
    default:
        break;
    }
}

void CUTKDockingPaneTabbedContainer::StartDrag(CPoint screenPoint)
{
    (void)screenPoint;
    // Dragging docked containers around is not offered yet: a press on the caption focuses.
    FocusContainer();
}

BOOL CUTKDockingPaneTabbedContainer::IsPointInDockingBand(CRect rect, CPoint point) const
{
    CUTKDockingPanePaintManager* paint = GetDockingPaintManager();
    if (paint == nullptr) {
        return FALSE;
    }
    const int band = paint->GetCaptionBand() + 3;
    CRect caption = rect;
    if (!m_bShowCaption) {
        // Without a caption of its own, the band is the site's strip above the rectangle.
        caption.bottom = caption.top;
        caption.top -= band;
    } else if (IsCaptionVertical()) {
        caption.right = caption.left + band;
    } else {
        caption.bottom = caption.top + band;
    }
    if (caption.PtInRect(point)) {
        return TRUE;
    }
    if (IsTabsVisible()) {
        const CUTKTabPaintManager* tabs = GetPaintManager();
        auto* self = const_cast<CUTKDockingPaneTabbedContainer*>(this);
        CRect strip = rect;
        strip.top = strip.bottom - (tabs != nullptr && tabs->GetAppearanceSet() != nullptr
                                        ? tabs->GetAppearanceSet()->GetHeaderHeight(self)
                                        : 0);
        return strip.PtInRect(point);
    }
    return FALSE;
}

// ---- hit testing --------------------------------------------------------------------------------

int CUTKDockingPaneTabbedContainer::HitTest(CPoint point) const
{
    const CRect client = GetOwnerClientRect();
    CUTKDockingPanePaintManager* paint = GetDockingPaintManager();
    if (client.PtInRect(point) && IsCaptionVisible() && paint != nullptr) {
        CRect rest = client;
        paint->AdjustCaptionRect(const_cast<CUTKDockingPaneTabbedContainer*>(this), rest);
        if (!rest.PtInRect(point)) {
            return kHitCaption;
        }
    }
    if (IsTabsVisible()) {
        if (const CUTKTabManagerItem* item = CUTKTabManager::HitTest(point); item != nullptr) {
            return item->GetIndex();
        }
    }
    return kHitNothing;
}

// ---- saved keys ---------------------------------------------------------------------------------

BOOL CUTKDockingPaneTabbedContainer::DoPropExchange(CUTKPropExchange* px)
{
    if (!CUTKDockingPaneBaseContainer::DoPropExchange(px)) {
        return FALSE;
    }
    if (px->IsStoring()) {
        int count = static_cast<int>(m_lstPanes.GetCount());
        int selected = m_pSelectedPane != nullptr ? m_pSelectedPane->m_nIndex : 0;
        BOOL maximized = m_bMaximized;
        (void)ExchangeIntProp(px, L"Panes", count);
        (void)ExchangeIntPropDefault(px, L"Selected", selected, 0);
        (void)ExchangeBoolProp(px, L"Maximized", maximized, FALSE);
        int n = 1;
        for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != nullptr; ++n) {
            CString key;
            key.Format(L"Pane-%d", n);
            int index = m_lstPanes.GetNext(pos)->m_nIndex;
            (void)ExchangeIntProp(px, key, index);
        }
        return TRUE;
    }
    int count = 0;
    int selected = 0;
    if (!ExchangeIntProp(px, L"Panes", count) || count < 0 || count > kMaxPanes) {
        return FALSE;
    }
    (void)ExchangeIntPropDefault(px, L"Selected", selected, 0);
    if (px->m_nSchema > 32) {
        (void)ExchangeBoolProp(px, L"Maximized", m_bMaximized, FALSE);
    }
    CUTKDockingPaneBase* selectedPane = nullptr;
    for (int n = 1; n <= count; ++n) {
        CString key;
        key.Format(L"Pane-%d", n);
        int index = 0;
        (void)ExchangeIntPropDefault(px, key, index, 0);
        CUTKDockingPaneBase* pane = CUTKDockingPaneLayout::LookupIndex(px, index);
        // A pane already held elsewhere would get two parents.
        if (pane == nullptr ||
            pane->GetType() != dockingPaneTypePane || pane->GetContainer() != nullptr) {
            return FALSE;
        }
        AddPane(pane, FALSE);
        if (index == selected) {
            selectedPane = pane;
        }
    }
    if (selectedPane != nullptr) {
        SelectPane(selectedPane, FALSE, TRUE);
    }
    return TRUE;
}
