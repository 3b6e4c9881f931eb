// CUTKCommandBar: tracking (the state in which the bar owns the keyboard and hot-tracks its
// controls, as in an open menu), the hot control, the open popup, the mouse handlers and the
// bar's timers.
#include "toolkit/commandbars/CUTKCommandBar.h"

#include "platform/framework/frame/CFrameWnd.h"
#include "toolkit/commandbars/CUTKCommandBarAnimation.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKKeyboardManager.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControls.h"

BOOL CUTKCommandBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if ((m_nTracking != 0 && bMode != 0) || bMode == m_nTracking) {
        m_nTracking = bMode;
        return FALSE;
    }
    m_nTracking = bMode;
    CUTKMouseManager* pMouseManager = GetThreadMouseManager();
    if (bMode != 0) {
        if (m_barType == utkBarTypeMenuBar) {
            CWnd* pSite = GetSite();
            if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
                pSite->SendMessage(UTK_WM_MENUBARTRACKING, reinterpret_cast<WPARAM>(this), 0);
        }
        m_bEnteredByMouse = !bSelectFirst && !bKeyboard;
        m_nKeyboardSelection = bKeyboard;
        if (m_bHideCaret && m_hwndCaret == nullptr) {
            HWND hwnd = ::GetFocus();
            if (hwnd == nullptr) {
                CWnd* pSite = GetSite();
                hwnd = pSite != nullptr ? pSite->GetSafeHwnd() : nullptr;
            }
            if (hwnd != nullptr && ::HideCaret(hwnd))
                m_hwndCaret = hwnd;
        }
        pMouseManager->AddTrackedBar(this);
        GetThreadKeyboardManager()->HookKeyboard(this);
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        if (bSelectFirst) {
            const int first = m_pControls->GetNext(-1, +1);
            SetSelected(first, utkSelectKeyboardNext);
        }
    } else {
        m_bEnteredByMouse = FALSE;
        m_nKeyboardSelection = 0;
        pMouseManager->RemoveTrackedBar(this);
        GetThreadKeyboardManager()->UnhookKeyboard(this);
        SetPopuped(-1);
        if (bSelectFirst)
            SetSelected(-1, utkSelectMouse);
        if (m_hwndCaret != nullptr) {
            if (::IsWindow(m_hwndCaret))
                ::ShowCaret(m_hwndCaret);
            m_hwndCaret = nullptr;
        }
        Redraw(nullptr, TRUE);
        if (pMouseManager->GetTrackedCount() == 0)
            pMouseManager->SetMenusExpanded(FALSE);
        if (m_hWnd != nullptr && ::IsWindow(m_hWnd) && ::GetFocus() == m_hWnd) {
            HWND hwndParent = ::GetParent(m_hWnd);
            if (hwndParent != nullptr) {
                HWND hwndNext = ::GetNextDlgTabItem(hwndParent, m_hWnd, FALSE);
                if (hwndNext != nullptr && hwndNext != m_hWnd)
                    ::SetFocus(hwndNext);
            }
        }
        m_nTrackLock = 0;
    }
    if (CUTKCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->OnTrackingModeChanged(this, bMode);
    return TRUE;
}

BOOL CUTKCommandBar::SetSelected(int nSelected, int reason)
{
    if (nSelected == m_nSelected)
        return FALSE;
    m_nKeyboardSelection = reason;
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return FALSE;
    if (CUTKControl* pOld = GetControl(m_nSelected)) {
        // The control tells the bar itself (OnControlSelected) when its state changes.
        pOld->OnMouseMove(CPoint(-1, -1));
        pOld->SetSelected(0);
    }
    m_nSelected = nSelected;
    if (nSelected == -1) {
        KillTimer(kHoverTimerId);
        return TRUE;
    }
    CUTKControl* pControl = GetControl(nSelected);
    if (pControl == nullptr) {
        m_nSelected = -1;
        return FALSE;
    }
    if (reason != utkSelectMouse)
        EnsureControlVisible(pControl);
    const int state = reason == utkSelectMouse ? 1 : reason == utkSelectKeyboardPrev ? 3 : 2;
    pControl->SetSelected(state);
    if (m_nTracking != 0)
        AccessibleNotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_MENU, nSelected + 1);
    GetThreadMouseManager()->SetSelected(this);
    if (reason == utkSelectMouse && m_bHoverPopup)
        SetTimer(kHoverTimerId, kHoverDelay, nullptr);
    return TRUE;
}

BOOL CUTKCommandBar::SetPopuped(int nPopuped, BOOL bKeyboard)
{
    if (nPopuped == m_nPopuped)
        return FALSE;
    if (m_nPopuped != -1) {
        CUTKControl* pOpen = GetControl(m_nPopuped);
        m_nPopuped = -1;
        if (pOpen != nullptr)
            pOpen->SetPopuped(FALSE);
    }
    if (nPopuped == -1)
        return TRUE;
    CUTKControl* pControl = GetControl(nPopuped);
    if (pControl == nullptr || !pControl->GetEnabled())
        return FALSE;
    m_nPopuped = nPopuped;
    SetTrackingMode(2, FALSE, bKeyboard);
    SetSelected(nPopuped, bKeyboard ? utkSelectKeyboard : utkSelectMouse);
    if (m_nTracking == 0) {
        SetSelected(-1, utkSelectMouse);
        m_nPopuped = -1;
        return FALSE;
    }
    if (!pControl->SetPopuped(TRUE)) {
        m_nPopuped = -1;
        return FALSE;
    }
    CUTKCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay &&
        m_hWnd != nullptr)
        SetTimer(kExpandTimerId, kExpandDelay, nullptr);
    return TRUE;
}

// ---- mouse ----

void CUTKCommandBar::OnMouseMove(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (m_hWnd == nullptr)
        return;
    CUTKMouseManager* pMouseManager = GetThreadMouseManager();
    if (pMouseManager->IsTrackedLock(this))
        return;
    if (m_nTracking == 0 && m_barPosition != utkBarPopup && !CUTKMouseManager::IsTopParentActive(m_hWnd))
        return;
    if (pMouseManager->IsMouseLocked() && !m_bIgnoreTrackLock)
        return;
    if (IsCustomizeMode()) {
        CUTKCommandBars* pCommandBars = GetCommandBars();
        if (CUTKControl* pDrag = pCommandBars->GetDragControl())
            pDrag->OnCustomizeMouseMove(point);
        return;
    }
    if (m_nPopuped != -1 && !m_bHoverPopup)
        return;
    int nHot = -1;
    if (m_nTracking != 0) {
        const BOOL popupWithoutChild = IsPopupBar() && m_nPopuped == -1 && m_nKeyboardSelection == 0;
        nHot = popupWithoutChild ? -1 : m_nSelected;
    }
    if (CUTKControl* pControl = m_pControls->HitTest(point)) {
        nHot = pControl->GetIndex();
        pMouseManager->TrackMouseLeave(m_hWnd);
        pControl->OnMouseMove(point);
    }
    SetSelected(nHot, utkSelectMouse);
}

void CUTKCommandBar::OnMouseLeave()
{
    if (GetThreadMouseManager()->IsMouseLocked() && !m_bIgnoreTrackLock)
        return;
    if (m_nTrackLock > 0)
        return;
    if (m_nTracking == 0 || (IsPopupBar() && m_nPopuped == -1))
        SetSelected(-1, utkSelectMouse);
}

void CUTKCommandBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    OnMouseLeave();
    CWnd::OnNcMouseMove(nHitTest, point);
}

void CUTKCommandBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsPopupBar() && m_barType == utkBarTypeNormal && m_nPopuped != -1) {
        CUTKControl* pOpen = GetControl(m_nPopuped);
        CUTKControl* pHit = m_pControls->HitTest(point);
        if (pHit != pOpen) {
            const BOOL wasHot = m_nSelected == m_nPopuped;
            SetPopuped(-1);
            if (wasHot)
                SetSelected(-1, utkSelectMouse);
        }
    }
    CUTKControl* pControl = m_pControls->HitTest(point);
    if (pControl == nullptr) {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    CUTKCommandBars* pCommandBars = GetCommandBars();
    if ((::GetKeyState(VK_MENU) & 0x8000) != 0 && !IsCustomizeMode() && !IsPopupBar() &&
        m_barType != utkBarTypePopup && pControl->IsCustomizeMovable() && pCommandBars != nullptr &&
        pCommandBars->IsCustomizeAvail() && pCommandBars->GetCommandBarsOptions()->bAltDragCustomization) {
        // Alt+drag moves the control as in customisation mode, for this one drag.
        pCommandBars->SetCustomizeMode(TRUE);
        SetPopuped(-1);
        SetSelected(-1, utkSelectMouse);
        pControl->CustomizeStartDrag(point);
        pCommandBars->SetCustomizeMode(FALSE);
        pCommandBars->RecalcFrameLayout(FALSE);
        pCommandBars->ClosePopups();
        return;
    }
    pControl->OnLButtonDown(point);
}

void CUTKCommandBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (IsCustomizeMode())
        return;
    CUTKControl* pControl = m_pControls->HitTest(point);
    if (pControl == nullptr) {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    pControl->OnLButtonUp(point);
}

void CUTKCommandBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (IsCustomizeMode())
        return;
    CUTKControl* pControl = m_pControls->HitTest(point);
    if (pControl == nullptr || !pControl->OnLButtonDblClk(point))
        CWnd::OnLButtonDblClk(nFlags, point);
}

void CUTKCommandBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    CUTKControl* pControl = m_pControls->HitTest(point);
    if (pControl != nullptr && pControl->OnRButtonDown(point))
        return;
    if (IsCustomizeMode() && IsCustomizable()) {
        if (pControl != nullptr && pControl->IsVisible() && pControl->IsCustomizeMovable()) {
            SetPopuped(-1);
            SetSelected(-1, utkSelectMouse);
            GetCommandBars()->SetDragControl(pControl);
        }
        return;
    }
    CWnd::OnRButtonDown(nFlags, point);
}

void CUTKCommandBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (IsCustomizeMode())
        return;
    CUTKControl* pControl = m_pControls->HitTest(point);
    if (pControl != nullptr) {
        CWnd* pSite = GetSite();
        if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr &&
            pSite->SendMessage(UTK_WM_CONTROLRBUTTONUP, reinterpret_cast<WPARAM>(&point),
                               reinterpret_cast<LPARAM>(pControl)) == 1)
            return;
        CUTKCommandBar* pRoot = GetRootParent();
        if (pRoot->m_bTrackRightButton) {
            pControl->OnLButtonUp(point);
            return;
        }
        if (pControl->OnRButtonUp(point))
            return;
    }
    CUTKCommandBar* pRoot = GetRootParent();
    if (pRoot != this) {
        pRoot->OnPopupRButtonUp(this, point);
        return;
    }
    CWnd::OnRButtonUp(nFlags, point);
}

void CUTKCommandBar::OnTimer(UINT_PTR nIDEvent)
{
    // The default procedure sees the timer first (it may be a system timer of the window).
    Default();
    if (nIDEvent == kAnimationTimerId) {
        m_pAnimation->OnAnimationTimer();
        return;
    }
    if (nIDEvent != kHoverTimerId && nIDEvent != kExpandTimerId)
        return;
    // While locked the timer keeps running and acts at its first expiry after the lock.
    if (m_nTrackLock > 0)
        return;
    KillTimer(nIDEvent);
    CUTKControl* pControl = GetControl(m_nSelected);
    if (pControl == nullptr)
        return;
    if (nIDEvent == kHoverTimerId) {
        pControl->OnMouseHover();
    } else if (m_nSelected == m_nPopuped && pControl->IsCursorOver()) {
        // Only popup controls open bars that can expand; a control of another class is left.
        if (auto* pPopup = dynamic_cast<CUTKControlPopup*>(pControl))
            pPopup->ExpandPopupBar();
    }
}

int CUTKCommandBar::OnHookMessage(HWND, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result)
{
    if (m_nTracking == 0)
        return hookContinue;
    if (message == WM_KEYDOWN) {
        result = OnHookKeyDown(static_cast<UINT>(wParam), lParam);
        return static_cast<int>(result);
    }
    if (message == WM_MOUSEWHEEL) {
        CUTKControl* pHot = GetControl(m_nSelected);
        if (pHot != nullptr && pHot->IsFocused())
            pHot->OnHookMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam),
                                   CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        result = 1;
        return hookHandled;
    }
    return hookContinue;
}
