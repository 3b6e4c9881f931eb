// The splitter container: its children list, the layout pass that shares its rectangle
// (the rules are in DockingSplitLayout), its splitter windows and its saved keys.
#include "toolkit/dockingpane/CUTKDockingPaneSplitterContainer.h"

#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/dockingpane/CUTKDockingPaneClientContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneLayout.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterWnd.h"
#include "toolkit/dockingpane/DockingSplitLayout.h"

#include <algorithm>
#include <string>

IMPLEMENT_DYNAMIC(CUTKDockingPaneSplitterContainer, CCmdTarget)

namespace {

constexpr int kDefaultSplitterSize = 4;
// No layout holds more objects than this; a stored count above it is damage.
constexpr int kMaxChildren = 4096;

int SplitterSizeOf(const CUTKDockingPaneBase* object)
{
    const CUTKDockingPanePaintManager* paint = object ? object->GetPaintManager() : nullptr;
    return paint ? paint->m_nSplitterSize : kDefaultSplitterSize;
}

}  // namespace

CUTKDockingPaneSplitterContainer::CUTKDockingPaneSplitterContainer(CUTKDockingPaneLayout* layout)
    : CUTKDockingPaneBaseContainer(dockingPaneTypeSplitterContainer, layout)
{
}

CUTKDockingPaneSplitterContainer::~CUTKDockingPaneSplitterContainer()
{
    DeleteSplitters();
}

CUTKDockingPaneSplitterWnd* CUTKDockingPaneSplitterContainer::CreateSplitterWnd()
{
    return new CUTKDockingPaneSplitterWnd();
}

int CUTKDockingPaneSplitterContainer::GetSplitterSize() const
{
    return SplitterSizeOf(this);
}

void CUTKDockingPaneSplitterContainer::CollectVisible(CUTKDockingPaneBaseList* list) const
{
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
        CUTKDockingPaneBase* child = m_lstPanes.GetNext(pos);
        if (!child->IsEmpty()) {
            list->AddTail(child);
        }
    }
}

void CUTKDockingPaneSplitterContainer::CollectVisibleChildren(DockingPaneType type,
                                                              CUTKDockingPaneBaseList* list) const
{
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
        CUTKDockingPaneBase* child = m_lstPanes.GetNext(pos);
        if (child->GetType() == type && !child->IsEmpty()) {
            list->AddTail(child);
        }
    }
}

void CUTKDockingPaneSplitterContainer::GetMinMaxInfo(LPMINMAXINFO minMaxInfo) const
{
    CUTKDockingPaneBase::GetMinMaxInfo(minMaxInfo);
    int visible = 0;
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
        const CUTKDockingPaneBase* child = m_lstPanes.GetNext(pos);
        if (child->IsEmpty()) {
            continue;
        }
        MINMAXINFO info;
        child->GetMinMaxInfo(&info);
        if (visible++ == 0) {
            *minMaxInfo = info;
            continue;
        }
        if (m_bHoriz) {
            minMaxInfo->ptMinTrackSize.x += info.ptMinTrackSize.x;
            minMaxInfo->ptMaxTrackSize.x += info.ptMaxTrackSize.x;
            minMaxInfo->ptMinTrackSize.y =
                std::max(minMaxInfo->ptMinTrackSize.y, info.ptMinTrackSize.y);
            minMaxInfo->ptMaxTrackSize.y =
                std::min(minMaxInfo->ptMaxTrackSize.y, info.ptMaxTrackSize.y);
        } else {
            minMaxInfo->ptMinTrackSize.y += info.ptMinTrackSize.y;
            minMaxInfo->ptMaxTrackSize.y += info.ptMaxTrackSize.y;
            minMaxInfo->ptMinTrackSize.x =
                std::max(minMaxInfo->ptMinTrackSize.x, info.ptMinTrackSize.x);
            minMaxInfo->ptMaxTrackSize.x =
                std::min(minMaxInfo->ptMaxTrackSize.x, info.ptMaxTrackSize.x);
        }
    }
    if (visible > 1) {
        const int bars = (visible - 1) * GetSplitterSize();
        if (m_bHoriz) {
            minMaxInfo->ptMinTrackSize.x += bars;
            minMaxInfo->ptMaxTrackSize.x += bars;
        } else {
            minMaxInfo->ptMinTrackSize.y += bars;
            minMaxInfo->ptMaxTrackSize.y += bars;
        }
    }
}

std::vector<CRect> CUTKDockingPaneSplitterContainer::Distribute(
    const CUTKDockingPaneBaseList& children, BOOL horizontal, CRect rect, BOOL apply)
{
    std::vector<CRect> rects;
    if (children.IsEmpty()) {
        return rects;
    }
    const CUTKDockingPaneBase* first = children.GetHead();
    const CUTKDockingPaneLayout* layout = first->GetLayout();
    const CUTKDockingPaneManager* manager = first->GetDockingPaneManager();
    CUTKDockingPaneBase* client = layout ? layout->GetClientContainer() : nullptr;
    const BOOL clientHidden = manager && manager->m_bHideClient;
    const int splitter = SplitterSizeOf(first);

    std::vector<DockingSplitLayout::Child> lengths;
    std::vector<CUTKDockingPaneBase*> objects;
    CUTKDockingPaneBase* flexible = nullptr;
    for (POSITION pos = children.GetHeadPosition(); pos;) {
        CUTKDockingPaneBase* child = children.GetNext(pos);
        MINMAXINFO info;
        child->GetMinMaxInfo(&info);
        DockingSplitLayout::Child item;
        item.size = horizontal ? child->m_szDocking.cx : child->m_szDocking.cy;
        item.minSize = horizontal ? info.ptMinTrackSize.x : info.ptMinTrackSize.y;
        item.maxSize = horizontal ? info.ptMaxTrackSize.x : info.ptMaxTrackSize.y;
        if (!flexible && client && child->ContainPane(client) &&
            (!clientHidden || child->m_szDocking == CSize(0, 0))) {
            flexible = child;
            item.flexible = true;
            if (apply) {
                child->m_szDocking = CSize(0, 0);
            }
        }
        lengths.push_back(item);
        objects.push_back(child);
    }

    int flexibleSize = -1;
    const int extent = horizontal ? rect.Width() : rect.Height();
    const DockingSplitLayout::Distribution d =
        DockingSplitLayout::ComputeLengths(lengths, extent, splitter, &flexibleSize);
    if (apply) {
        for (size_t i = 0; i < objects.size(); ++i) {
            objects[i]->m_nLength = lengths[i].length;
        }
        if (flexible && flexibleSize >= 0) {
            (horizontal ? flexible->m_szDocking.cx : flexible->m_szDocking.cy) = flexibleSize;
        }
    }
    const std::vector<DockingSplitLayout::Span> spans =
        horizontal ? DockingSplitLayout::Place(lengths, d, rect.left, rect.right, splitter)
                   : DockingSplitLayout::Place(lengths, d, rect.top, rect.bottom, splitter);
    for (const DockingSplitLayout::Span& span : spans) {
        rects.push_back(horizontal ? CRect(span.start, rect.top, span.end, rect.bottom)
                                   : CRect(rect.left, span.start, rect.right, span.end));
    }
    return rects;
}

CRect CUTKDockingPaneSplitterContainer::GetChildRect(const CUTKDockingPaneBaseList& children,
                                                     BOOL horizontal, CRect rect,
                                                     CUTKDockingPaneBase* child)
{
    const std::vector<CRect> rects = Distribute(children, horizontal, rect, FALSE);
    size_t i = 0;
    for (POSITION pos = children.GetHeadPosition(); pos; ++i) {
        if (children.GetNext(pos) == child && i < rects.size()) {
            return rects[i];
        }
    }
    return CRect(0, 0, 0, 0);
}

void CUTKDockingPaneSplitterContainer::OnSizeParent(CWnd* parent, CRect rect,
                                                    LPVOID layoutParams)
{
    m_rcWindow = rect;
    m_pDockingSite = parent;

    CUTKDockingPaneBaseList visible;
    CollectVisible(&visible);
    const CUTKDockingPaneManager* manager = GetDockingPaneManager();
    if (manager && manager->m_bHideClient && m_pLayout) {
        CUTKDockingPaneBase* client = m_pLayout->GetClientContainer();
        for (POSITION pos = m_lstPanes.GetHeadPosition(); client && pos;) {
            if (m_lstPanes.GetNext(pos)->ContainPane(client)) {
                client->OnSizeParent(parent, CRect(0, 0, 0, 0), layoutParams);
                break;
            }
        }
    }

    if (visible.IsEmpty()) {
        return;
    }
    if (visible.GetCount() == 1) {
        visible.GetHead()->OnSizeParent(parent, rect, layoutParams);
        return;
    }
    if (m_bRecalcLayout) {
        return;
    }
    m_bRecalcLayout = TRUE;
    const std::vector<CRect> rects = Distribute(visible, m_bHoriz, rect, TRUE);
    size_t i = 0;
    for (POSITION pos = visible.GetHeadPosition(); pos && i < rects.size(); ++i) {
        visible.GetNext(pos)->OnSizeParent(parent, rects[i], layoutParams);
    }

    auto* params = static_cast<AFX_SIZEPARENTPARAMS*>(layoutParams);
    if (params && params->hDWP) {
        const CUTKDockingPanePaintManager* paint = GetPaintManager();
        const int indent = paint && paint->m_bShowCaption ? paint->m_nCaptionSplitterIndent : 0;
        const int splitter = GetSplitterSize();
        POSITION bar = m_lstSpliters.GetHeadPosition();
        for (size_t n = 0; n + 1 < rects.size() && bar; ++n) {
            CUTKDockingPaneSplitterWnd* wnd = m_lstSpliters.GetNext(bar);
            CRect band = m_bHoriz ? CRect(rects[n].right - indent, rect.top,
                                          rects[n].right + splitter + indent, rect.bottom)
                                  : CRect(rect.left, rects[n].bottom - indent, rect.right,
                                          rects[n].bottom + splitter + indent);
            band.IntersectRect(band, rect);
            if (wnd->GetSafeHwnd()) {
                ::SetWindowPos(wnd->GetSafeHwnd(), nullptr, band.left, band.top, band.Width(),
                               band.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
                ::InvalidateRect(wnd->GetSafeHwnd(), nullptr, FALSE);
            }
        }
    }
    m_bRecalcLayout = FALSE;
}

void CUTKDockingPaneSplitterContainer::OnChildrenChanged(CUTKDockingPaneBase* container)
{
    (void)container;
    if (m_pParentContainer) {
        m_pParentContainer->OnChildrenChanged(this);
    }
    RecreateSplitters();
    if (CUTKDockingPaneManager* manager = GetDockingPaneManager()) {
        manager->RecalcFrameLayout(this, TRUE);
    }
}

void CUTKDockingPaneSplitterContainer::OnParentChanged(CUTKDockingPaneBase* container)
{
    if (container) {
        m_pDockingSite = container->GetDockingSite();
    }
    RecreateSplitters();
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
        m_lstPanes.GetNext(pos)->OnParentChanged(this);
    }
}

void CUTKDockingPaneSplitterContainer::Init(CUTKDockingPaneBase* child, BOOL horizontal,
                                            CWnd* site)
{
    if (!child) {
        return;
    }
    m_pDockingSite = site;
    m_bHoriz = horizontal;
    InsertPane(child);
    m_szDocking = child->m_szDocking;
}

void CUTKDockingPaneSplitterContainer::InsertPane(CUTKDockingPaneBase* child,
                                                  CUTKDockingPaneBase* neighbour, BOOL after)
{
    if (!child) {
        return;
    }
    POSITION at = neighbour ? m_lstPanes.Find(neighbour) : nullptr;
    if (after) {
        at ? m_lstPanes.InsertAfter(at, child) : m_lstPanes.AddTail(child);
    } else {
        at ? m_lstPanes.InsertBefore(at, child) : m_lstPanes.AddHead(child);
    }
    child->SetParentContainer(this);
    child->SetDockingSite(GetDockingSite());

    if (CUTKDockingPaneManager* manager = GetDockingPaneManager()) {
        manager->RecalcFrameLayout(this, TRUE);
    }
    RecreateSplitters();
    if (m_pParentContainer) {
        m_pParentContainer->OnChildrenChanged(this);
    }
    child->OnParentChanged(this);
}

void CUTKDockingPaneSplitterContainer::AppendChild(CUTKDockingPaneBase* child)
{
    m_lstPanes.AddTail(child);
    child->SetParentContainer(this);
    child->SetDockingSite(GetDockingSite());
}

void CUTKDockingPaneSplitterContainer::RemovePane(CUTKDockingPaneBase* child)
{
    const POSITION at = m_lstPanes.Find(child);
    if (!at) {
        return;
    }
    m_lstPanes.RemoveAt(at);
    RecreateSplitters();
    if (CUTKDockingPaneManager* manager = GetDockingPaneManager()) {
        manager->RecalcFrameLayout(this, TRUE);
    }
    if (m_pParentContainer) {
        m_pParentContainer->OnChildrenChanged(this);
        if (m_lstPanes.IsEmpty()) {
            m_pParentContainer->RemovePane(this);
        }
    }
    child->SetParentContainer(nullptr);
}

void CUTKDockingPaneSplitterContainer::ReplacePane(CUTKDockingPaneBase* oldChild,
                                                   CUTKDockingPaneBase* newChild)
{
    const POSITION at = m_lstPanes.Find(oldChild);
    if (!at || !newChild) {
        return;
    }
    m_lstPanes.InsertAfter(at, newChild);
    m_lstPanes.RemoveAt(at);
    newChild->SetParentContainer(this);
    RecreateSplitters();
    if (m_pParentContainer) {
        m_pParentContainer->OnChildrenChanged(this);
    }
}

void CUTKDockingPaneSplitterContainer::SyncDockingSizes()
{
    if (m_bHoriz) {
        m_szDocking.cx = m_rcWindow.Width();
    } else {
        m_szDocking.cy = m_rcWindow.Height();
    }
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
        CUTKDockingPaneBase* child = m_lstPanes.GetNext(pos);
        if (child->IsEmpty()) {
            continue;
        }
        if (m_bHoriz) {
            child->m_szDocking.cx = child->m_rcWindow.Width();
        } else {
            child->m_szDocking.cy = child->m_rcWindow.Height();
        }
    }
}

void CUTKDockingPaneSplitterContainer::DeleteSplitters()
{
    while (!m_lstSpliters.IsEmpty()) {
        CUTKDockingPaneSplitterWnd* wnd = m_lstSpliters.RemoveHead();
        if (wnd->GetSafeHwnd()) {
            wnd->DestroyWindow();
        }
        delete wnd;
    }
}

void CUTKDockingPaneSplitterContainer::RecreateSplitters()
{
    if (m_bRecalcLayout || !m_pLayout || m_pLayout->IsUserLayout()) {
        return;
    }
    DeleteSplitters();
    if (m_lstPanes.GetCount() < 2) {
        return;
    }
    CWnd* site = GetDockingSite();
    CUTKDockingPaneManager* manager = GetDockingPaneManager();
    if (!site || !site->GetSafeHwnd()) {
        return;
    }
    CUTKDockingPaneBase* previous = nullptr;
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
        CUTKDockingPaneBase* child = m_lstPanes.GetNext(pos);
        if (child->IsEmpty()) {
            continue;
        }
        if (previous) {
            CUTKDockingPaneSplitterWnd* wnd = CreateSplitterWnd();
            if (wnd->Create(manager, site, this, previous, child, !m_bHoriz)) {
                m_lstSpliters.AddTail(wnd);
            } else {
                delete wnd;
            }
        }
        previous = child;
    }
}

void CUTKDockingPaneSplitterContainer::Copy(CUTKDockingPaneBase* source,
                                            CUTKDockingPaneCloneMap* map, DWORD ignoredOptions)
{
    (void)ignoredOptions;
    if (!source || source->GetType() != dockingPaneTypeSplitterContainer) {
        return;
    }
    auto* from = static_cast<CUTKDockingPaneSplitterContainer*>(
        static_cast<CUTKDockingPaneBaseContainer*>(source));
    m_bHoriz = from->m_bHoriz;
    if (CUTKDockingPaneManager* manager = GetDockingPaneManager()) {
        m_pDockingSite = manager->GetSite();
    }
    for (POSITION pos = from->m_lstPanes.GetHeadPosition(); pos;) {
        CUTKDockingPaneBase* child = from->m_lstPanes.GetNext(pos);
        if (!map && child->IsEmpty()) {
            continue;
        }
        if (CUTKDockingPaneBase* copy = child->Clone(m_pLayout, map, 0)) {
            AppendChild(copy);
            copy->OnParentChanged(this);
        }
    }
    m_szDocking = from->m_szDocking;
    m_rcWindow = from->m_rcWindow;
    RecreateSplitters();
}

BOOL CUTKDockingPaneSplitterContainer::DoPropExchange(CUTKPropExchange* px)
{
    CUTKDockingPaneBase::DoPropExchange(px);
    ExchangeBoolProp(px, L"Horiz", m_bHoriz, FALSE);

    if (px->IsStoring()) {
        int count = static_cast<int>(m_lstPanes.GetCount());
        ExchangeIntProp(px, L"Panes", count);
        int n = 1;
        for (POSITION pos = m_lstPanes.GetHeadPosition(); pos; ++n) {
            int index = m_lstPanes.GetNext(pos)->m_nIndex;
            const std::wstring key = L"Pane-" + std::to_wstring(n);
            ExchangeIntProp(px, key.c_str(), index);
        }
        return TRUE;
    }

    int count = 0;
    ExchangeIntProp(px, L"Panes", count);
    if (count < 0 || count > kMaxChildren) {
        return FALSE;
    }
    for (int n = 1; n <= count; ++n) {
        int index = 0;
        const std::wstring key = L"Pane-" + std::to_wstring(n);
        ExchangeIntProp(px, key.c_str(), index);
        CUTKDockingPaneBase* child = CUTKDockingPaneLayout::LookupIndex(px, index);
        // Only tabbed containers, splitters and the client sit in a splitter; never itself,
        // never an object that already has a parent.
        if (!child || child == this || child->m_pParentContainer ||
            (child->GetType() != dockingPaneTypeTabbedContainer &&
             child->GetType() != dockingPaneTypeSplitterContainer &&
             child->GetType() != dockingPaneTypeClientContainer)) {
            return FALSE;
        }
        AppendChild(child);
    }
    return TRUE;
}

void CUTKDockingPaneSplitterContainer::DeletePane()
{
    InternalRelease();
}
