// The tabbed container's window: painting through the docking paint manager, presses on the
// caption, its buttons and the tabs, reordering tabs by dragging along the strip, double
// clicks, context menus, help and tooltips, and the OLE drop target over the strip.
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"

#include <windows.h>

#include "toolkit/common/CUTKBufferDC.h"
#include "toolkit/common/CUTKToolTipContext.h"
#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneCaptionButton.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

BEGIN_MESSAGE_MAP(CUTKDockingPaneTabbedContainer, CWnd)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

namespace {

CPoint ToScreen(HWND window, CPoint point)
{
    ::ClientToScreen(window, &point);
    return point;
}

}  // namespace

LRESULT CUTKDockingPaneTabbedContainer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CUTKDockingPaneManager* manager = Manager();
        manager != nullptr && manager->GetToolTipContext() != nullptr) {
        manager->GetToolTipContext()->FilterToolTipMessage(this, message, wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- painting -----------------------------------------------------------------------------------

void CUTKDockingPaneTabbedContainer::DrawInto(CDC* dc)
{
    CUTKDockingPanePaintManager* paint = GetDockingPaintManager();
    CRect client = GetOwnerClientRect();
    if (paint == nullptr) {
        dc->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
        return;
    }
    paint->DrawPane(dc, this, client);
}

void CUTKDockingPaneTabbedContainer::OnPaint()
{
    CPaintDC paint(this);
    CUTKBufferDC buffer(paint);
    DrawInto(&buffer);
}

void CUTKDockingPaneTabbedContainer::OnPrintClient(CDC* pDC, UINT nFlags)
{
    (void)nFlags;
    DrawInto(pDC);
}

BOOL CUTKDockingPaneTabbedContainer::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

// ---- presses ------------------------------------------------------------------------------------

void CUTKDockingPaneTabbedContainer::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (m_pCaptionButtons != nullptr) {
        for (CUTKDockingPaneCaptionButton* button : *m_pCaptionButtons) {
            if (!button->IsVisible() || !button->GetRect().PtInRect(point)) {
                continue;
            }
            FocusContainer();
            if (button->GetID() == CUTKDockingPaneCaptionButton::idMenu) {
                OnMenuButtonPress(button);
            } else if (button->Click(this, point) && m_pSelectedPane != nullptr) {
                OnCaptionButtonClick(button);
            }
            return;
        }
    }
    if (IsTabsVisible() && HitTestNavigateButton(point, FALSE) != nullptr) {
        PerformClick(m_hWnd, point);
        return;
    }
    const int hit = HitTest(point);
    if (hit == kHitCaption) {
        if (!IsHidden()) {
            StartDrag(ToScreen(m_hWnd, point));
        } else {
            FocusContainer();
        }
    } else if (hit >= 0) {
        CUTKDockingPane* pane = GetPaneByTab(hit);
        CUTKDockingPaneManager* manager = Manager();
        if (pane != nullptr) {
            if (manager != nullptr && manager->NotifyAction(actionDragging, pane, this)) {
                SelectPane(pane, TRUE, FALSE);
                PerformMouseMove(m_hWnd, point);
            } else {
                m_lstRects.RemoveAll();
                for (int i = 0; i < GetItemCount(); ++i) {
                    CRect rect = GetItem(i)->GetRect();
                    m_lstRects.Add(rect);
                }
                m_pTrackingPane = pane;
                SelectPane(pane, TRUE, FALSE);
                PerformMouseMove(m_hWnd, point);
                // Selecting may have taken the pane away (an owner reacting to the focus).
                if (m_pTrackingPane != nullptr && m_hWnd != nullptr) {
                    SetCapture();
                }
            }
        }
        if (m_hWnd != nullptr) {
            Invalidate(FALSE);
        }
    } else {
        FocusContainer();
    }
}

void CUTKDockingPaneTabbedContainer::EndTabDrag()
{
    m_pTrackingPane = nullptr;
    m_lstRects.RemoveAll();
    if (m_hWnd != nullptr && ::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
}

void CUTKDockingPaneTabbedContainer::OnMouseMove(UINT nFlags, CPoint point)
{
    (void)nFlags;
    PerformMouseMove(m_hWnd, point);
    if (m_pTrackingPane != nullptr) {
        for (int i = 0; i < m_lstRects.GetSize(); ++i) {
            if (!m_lstRects[i].PtInRect(point)) {
                continue;
            }
            CUTKDockingPane* other = GetPaneByTab(i);
            if (other != nullptr && other != m_pTrackingPane) {
                POSITION from = m_lstPanes.Find(m_pTrackingPane);
                POSITION to = m_lstPanes.Find(other);
                if (from != nullptr && to != nullptr) {
                    m_lstPanes.SetAt(from, other);
                    m_lstPanes.SetAt(to, m_pTrackingPane);
                    RefreshPane(TRUE);
                }
            }
            return;
        }
        if (CUTKTabManager::HitTest(point) == nullptr) {
            CUTKDockingPaneManager* manager = Manager();
            if (manager == nullptr || !manager->NotifyAction(actionDetaching, m_pTrackingPane, this)) {
                // Off the strip the pane would go to the drag context; docked panes are not
                // dragged yet, so the drag just ends.
                EndTabDrag();
            }
        }
        return;
    }
    if (m_pCaptionButtons != nullptr && m_pCaptionButtons->CheckForMouseOver(point) &&
        !m_bTrackingMouseLeave && point != CPoint(-1, -1)) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
        m_bTrackingMouseLeave = ::TrackMouseEvent(&track);
    }
}

void CUTKDockingPaneTabbedContainer::OnMouseLeave()
{
    m_bTrackingMouseLeave = FALSE;
    OnMouseMove(0, CPoint(-1, -1));
}

void CUTKDockingPaneTabbedContainer::OnLButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    if (m_pTrackingPane != nullptr) {
        EndTabDrag();
    }
}

void CUTKDockingPaneTabbedContainer::OnCaptureChanged(CWnd* pWnd)
{
    (void)pWnd;
    m_pTrackingPane = nullptr;
    m_lstRects.RemoveAll();
}

void CUTKDockingPaneTabbedContainer::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    CUTKDockingPaneManager* manager = Manager();
    if (manager == nullptr) {
        return;
    }
    if (IsTabsVisible() && HitTestNavigateButton(point, FALSE) != nullptr) {
        return;
    }
    if (m_pCaptionButtons != nullptr) {
        for (CUTKDockingPaneCaptionButton* button : *m_pCaptionButtons) {
            if (button->IsVisible() && button->GetRect().PtInRect(point)) {
                return;
            }
        }
    }
    const int hit = HitTest(point);
    if (hit == kHitCaption) {
        const DWORD options = m_pSelectedPane != nullptr ? m_pSelectedPane->GetOptions() : 0;
        const BOOL hidden = IsHidden();
        if ((hidden && (options & PaneOptNoHide) != 0) ||
            (!hidden && (options & PaneOptNoCaptionDblClick) != 0)) {
            return;
        }
        manager->ToggleDocking(this);
    } else if (hit >= 0) {
        CUTKDockingPane* pane = GetPaneByTab(hit);
        if (pane != nullptr && (pane->GetOptions() & PaneOptNoTabDblClick) == 0) {
            manager->ToggleDocking(pane);
        }
    }
}

void CUTKDockingPaneTabbedContainer::OnRButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    CUTKDockingPaneManager* manager = Manager();
    if (IsTabsVisible()) {
        if (const CUTKTabManagerItem* item = CUTKTabManager::HitTest(point); item != nullptr) {
            SelectPane(PaneOfItem(item), TRUE, TRUE);
            if (manager != nullptr) {
                manager->RecalcFrameLayout(this, FALSE);
            }
        }
    }
    FocusContainer();
    if (manager != nullptr) {
        manager->NotifyOwner(DOCKINGPANE_CONTEXTMENU,
                             reinterpret_cast<LPARAM>(static_cast<CUTKDockingPaneBase*>(this)));
    }
}

void CUTKDockingPaneTabbedContainer::NotifyMenu(CUTKDockingPane* pane, CPoint screen,
                                                CRect exclude)
{
    CUTKDockingPaneManager* manager = Manager();
    if (manager == nullptr) {
        return;
    }
    DOCKINGPANE_MENU_RECORD record = {};
    record.pane = pane;
    record.container = this;
    record.point = screen;
    record.excludeRect = exclude;
    manager->NotifyOwner(DOCKINGPANE_MENU, reinterpret_cast<LPARAM>(&record));
}

void CUTKDockingPaneTabbedContainer::OnRButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    CUTKDockingPane* pane = nullptr;
    if (IsTabsVisible()) {
        pane = PaneOfItem(CUTKTabManager::HitTest(point));
    }
    if (pane == nullptr) {
        pane = m_pSelectedPane;
    }
    NotifyMenu(pane, ToScreen(m_hWnd, point), CRect(0, 0, 0, 0));
}

void CUTKDockingPaneTabbedContainer::OnMenuButtonPress(CUTKDockingPaneCaptionButton* button)
{
    if (m_pSelectedPane == nullptr) {
        return;
    }
    InternalAddRef();
    button->m_bPressed = TRUE;
    button->Redraw();
    CRect rect = button->GetRect();
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(&rect), 2);
    const BOOL rightToLeft = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    NotifyMenu(m_pSelectedPane, CPoint(rightToLeft ? rect.right : rect.left, rect.bottom), rect);
    button->m_bPressed = FALSE;
    if (m_hWnd != nullptr) {
        Invalidate(FALSE);
    }
    InternalRelease();
}

BOOL CUTKDockingPaneTabbedContainer::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CUTKDockingPaneManager* manager = Manager();
    CUTKDockingPanePaintManager* paint = GetDockingPaintManager();
    if (manager != nullptr && paint != nullptr && manager->m_bShowSizeCursorWhileDragging) {
        CPoint point;
        ::GetCursorPos(&point);
        ::ScreenToClient(m_hWnd, &point);
        if (paint->GetCaptionGripperRect(this).PtInRect(point)) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT CUTKDockingPaneTabbedContainer::OnHelpHitTest(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    CUTKDockingPane* pane = nullptr;
    if (IsTabsVisible()) {
        pane = PaneOfItem(CUTKTabManager::HitTest(point));
    }
    if (pane == nullptr) {
        pane = m_pSelectedPane;
    }
    if (pane == nullptr) {
        return 0;
    }
    const DWORD id = pane->m_nHelpId != 0 ? pane->m_nHelpId : static_cast<DWORD>(pane->GetID());
    return static_cast<LRESULT>(id + 0x20000);
}

LRESULT CUTKDockingPaneTabbedContainer::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
        const LRESULT result = LresultFromObject(IID_IAccessible, wParam, GetAccessible());
        if (result != E_FAIL) {
            return result;
        }
    }
    return Default();
}

void CUTKDockingPaneTabbedContainer::OnDestroy()
{
    m_pDropTarget->Revoke();
    EndTabDrag();
    CWnd::OnDestroy();
}

INT_PTR CUTKDockingPaneTabbedContainer::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    INT_PTR hit = CWnd::OnToolHitTest(point, pTI);
    if (hit != -1) {
        return hit;
    }
    if (m_pCaptionButtons != nullptr) {
        for (const CUTKDockingPaneCaptionButton* button : *m_pCaptionButtons) {
            if (button->IsVisible() && button->GetRect().PtInRect(point)) {
                // The buttons carry no tooltip texts.
                return -1;
            }
        }
    }
    if (HitTest(point) != kHitCaption) {
        return IsTabsVisible() ? PerformToolHitTest(m_hWnd, point, pTI) : -1;
    }
    if (m_pSelectedPane == nullptr || m_pSelectedPane->GetTitleToolTip().IsEmpty() ||
        pTI == nullptr) {
        return -1;
    }
    CRect caption = GetOwnerClientRect();
    if (CUTKDockingPanePaintManager* paint = GetDockingPaintManager(); paint != nullptr) {
        paint->GetCaptionRect(const_cast<CUTKDockingPaneTabbedContainer*>(this), caption);
    }
    const CString text = m_pSelectedPane->GetTitleToolTip();
    pTI->hwnd = m_hWnd;
    pTI->uId = 2;
    pTI->rect = caption;
    const size_t size = static_cast<size_t>(text.GetLength()) + 1;
    // The tooltip machinery frees the text with free().
    auto* copy = static_cast<wchar_t*>(::malloc(size * sizeof(wchar_t)));
    if (copy != nullptr) {
        wcscpy_s(copy, size, text);
    }
    pTI->lpszText = copy;
    return 2;
}

// ---- drop target --------------------------------------------------------------------------------

DROPEFFECT CUTKDockingPaneTabbedContainer::CContainerDropTarget::OnDragEnter(
    CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CUTKDockingPaneTabbedContainer::CContainerDropTarget::OnDragOver(
    CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    (void)pWnd;
    (void)pDataObject;
    (void)dwKeyState;
    const CUTKTabPaintManager* tabs = m_pContainer->GetPaintManager();
    if (tabs != nullptr && tabs->m_bSelectOnDragOver && m_pContainer->IsTabsVisible()) {
        CUTKDockingPane* pane = PaneOfItem(m_pContainer->CUTKTabManager::HitTest(point));
        if (pane != nullptr && pane != m_pContainer->m_pSelectedPane) {
            m_pContainer->SelectPane(pane, FALSE, FALSE);
        }
    }
    return DROPEFFECT_NONE;
}
