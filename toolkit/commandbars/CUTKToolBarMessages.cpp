// The toolbar window's messages: the frame's WM_SIZEPARENT, the floating bar's sizing borders,
// activation kept with the frame (WM_FLOATSTATUS), the gripper cursor, mouse presses that start
// a drag, and WM_CLOSE, which a toolbar ignores.
#include "toolkit/commandbars/CUTKToolBar.h"

#include "platform/framework/frame/AfxFrameDefs.h"
#include "platform/framework/window/CClientDC.h"
#include "platform/framework/frame/CMiniFrameWnd.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKDockContext.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <algorithm>

namespace {

CPoint ClientPoint(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

} // namespace

LRESULT CUTKToolBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (layout == nullptr || (GetStyle() & WS_VISIBLE) == 0) {
        return 0;
    }
    DWORD mode = LM_HORZ | LM_HORZDOCK | LM_COMMIT;
    if (m_dwFlags & utkFlagStretched) {
        mode |= LM_STRETCH;
    }
    if (m_dwFlags & utkFlagHideWrap) {
        mode |= kLayoutHideWrap;
    }
    if (layout->hDWP == nullptr) {
        mode &= ~LM_COMMIT;
    }
    const CRect offered(layout->rect);
    CSize size = CalcDockingLayout(offered.Width(), mode);
    size.cx = std::min<int>(size.cx, offered.Width());
    size.cy = std::min<int>(size.cy, offered.Height());
    if (layout->hDWP != nullptr) {
        const CRect rc(offered.left, offered.top, offered.left + size.cx, offered.top + size.cy);
        AfxRepositionWindow(layout, m_hWnd, &rc);
    }
    layout->rect.top += size.cy;
    layout->sizeTotal.cy += size.cy;
    layout->sizeTotal.cx = std::max<int>(layout->sizeTotal.cx, size.cx);
    Redraw();
    return 0;
}

LRESULT CUTKToolBar::OnSetCursorMessage(WPARAM, LPARAM)
{
    if (IsDocked() && GetStyleBit22() && m_pDockContext != nullptr && (m_dwFlags & 0x1F) != 0) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        CUTKPaintManager* paint = GetPaintManager();
        CClientDC dc(this);
        const CSize gripper = paint != nullptr ? paint->DrawCommandBarGripper(&dc, this, FALSE)
                                               : CSize(0, 0);
        const CRect borders = paint != nullptr ? paint->GetCommandBarBorders(this) : CRect(0, 0, 0, 0);
        CRect client;
        GetClientRect(&client);
        CRect band = client;
        const int inset = IsDialogBar() ? 3 : 0;
        if (IsVerticalPosition()) {
            band.top = client.top + inset;
            band.bottom = client.top + borders.top + gripper.cy;
        } else {
            band.left = client.left + inset;
            band.right = client.left + borders.left + gripper.cx;
        }
        if (IsDialogBar()) {
            band.top = client.top + inset;
            band.bottom = std::max<LONG>(band.bottom, client.top + borders.top + gripper.cy);
        }
        if (band.PtInRect(pt)) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
            return TRUE;
        }
    }
    return Default();
}

LRESULT CUTKToolBar::OnRButtonDownMessage(WPARAM wParam, LPARAM lParam)
{
    const CPoint pt = ClientPoint(lParam);
    CUTKControl* control = m_pControls != nullptr ? m_pControls->HitTest(pt) : nullptr;
    if (control != nullptr && control->OnRButtonDown(pt)) {
        return 0;
    }
    if (IsCustomizeMode()) {
        OnRButtonDown(static_cast<UINT>(wParam), pt);
        return 0;
    }
    SetTrackingMode(FALSE, TRUE, FALSE);
    SetSelected(-1, utkSelectMouse);
    Redraw();
    // The toolbars context menu is the manager's; the manager here does not offer one yet.
    return 0;
}

LRESULT CUTKToolBar::OnLButtonDownMessage(WPARAM wParam, LPARAM lParam)
{
    const CPoint pt = ClientPoint(lParam);
    if (IsFloating()) {
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (m_pControls != nullptr && m_pControls->HitTest(pt) != nullptr) {
        OnLButtonDown(static_cast<UINT>(wParam), pt);
        return 0;
    }
    if (CUTKCommandBars* bars = GetCommandBars()) {
        bars->ClosePopups();
    }
    if (m_pDockContext != nullptr && (m_dwFlags & 0x1F) != 0) {
        CPoint screen = pt;
        ClientToScreen(&screen);
        m_pDockContext->StartDrag(screen.x, screen.y);
        return 0;
    }
    OnLButtonDown(static_cast<UINT>(wParam), pt);
    return 0;
}

LRESULT CUTKToolBar::OnLButtonDblClkMessage(WPARAM wParam, LPARAM lParam)
{
    const CPoint pt = ClientPoint(lParam);
    if ((m_pControls == nullptr || m_pControls->HitTest(pt) == nullptr) && m_pDockContext != nullptr) {
        m_pDockContext->ToggleDocking();
        return 0;
    }
    OnLButtonDblClk(static_cast<UINT>(wParam), pt);
    return 0;
}

LRESULT CUTKToolBar::OnNcHitTestMessage(WPARAM, LPARAM lParam)
{
    if (IsFloating() && m_barType != utkBarTypePopup) {
        CRect window;
        GetWindowRect(&window);
        const CPoint pt(static_cast<short>(LOWORD(lParam)) - window.left,
                        static_cast<short>(HIWORD(lParam)) - window.top);
        const int hit = FloatingBorderHitTest(pt, window.Width(), window.Height());
        if (hit != HTNOWHERE) {
            return hit;
        }
    }
    return Default();
}

LRESULT CUTKToolBar::OnNcLButtonDownMessage(WPARAM wParam, LPARAM lParam)
{
    if (m_pDockContext != nullptr && wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT) {
        if (CWnd* top = GetTopLevelParent()) {
            top->SetActiveWindow();
        }
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (CUTKCommandBars* bars = GetCommandBars()) {
            bars->ClosePopups();
        }
        m_pDockContext->StartResize(static_cast<int>(wParam), static_cast<short>(LOWORD(lParam)),
                                    static_cast<short>(HIWORD(lParam)));
        return 0;
    }
    return Default();
}

LRESULT CUTKToolBar::OnMouseActivateMessage(WPARAM, LPARAM)
{
    if (IsFloating() || IsCustomizeMode()) {
        return MA_NOACTIVATE;
    }
    CWnd* top = GetTopLevelParent();
    if (top != nullptr && ::GetActiveWindow() == top->GetSafeHwnd()) {
        HWND focus = ::GetFocus();
        for (HWND w = focus; w != nullptr; w = ::GetParent(w)) {
            if (CWnd* wnd = CWnd::FromHandlePermanent(w);
                wnd != nullptr && wnd->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))) {
                return MA_NOACTIVATE;
            }
        }
    }
    return Default();
}

LRESULT CUTKToolBar::OnNcCreateMessage(WPARAM, LPARAM)
{
    const LRESULT created = Default();
    if (created == 0 || (GetStyle() & MFS_SYNCACTIVE) == 0) {
        return created;
    }
    HWND top = nullptr;
    if (CWnd* parent = GetTopLevelParent(); parent != nullptr && parent->GetSafeHwnd() != m_hWnd) {
        top = parent->GetSafeHwnd();
    } else if (HWND owner = ::GetWindow(m_hWnd, GW_OWNER)) {
        top = ::GetAncestor(owner, GA_ROOT);
    }
    HWND foreground = ::GetForegroundWindow();
    BOOL active = top != nullptr && foreground == top;
    if (!active && top != nullptr && foreground != nullptr &&
        ::GetLastActivePopup(top) == foreground &&
        ::SendMessageW(foreground, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0) {
        active = TRUE;
    }
    SendMessage(WM_FLOATSTATUS, active ? FS_ACTIVATE : FS_DEACTIVATE, 0);
    return created;
}

LRESULT CUTKToolBar::OnFloatStatus(WPARAM wParam, LPARAM)
{
    const BOOL syncActive = (GetStyle() & MFS_SYNCACTIVE) != 0;
    if (IsFloating() && IsVisible()) {
        CUTKCommandBarsOptions* options =
            GetCommandBars() != nullptr ? GetCommandBars()->GetCommandBarsOptions() : nullptr;
        HWND top = ::GetWindow(m_hWnd, GW_OWNER);
        top = top != nullptr ? ::GetAncestor(top, GA_ROOT) : nullptr;
        const BOOL topActive = top != nullptr && ::GetActiveWindow() == top;
        if (options == nullptr || options->bSyncFloatingBars) {
            if ((wParam & FS_DEACTIVATE) && !topActive) {
                SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE |
                                                      SWP_NOZORDER | SWP_NOACTIVATE);
            }
            if ((wParam & FS_ACTIVATE) && (GetStyle() & WS_VISIBLE) == 0 && topActive) {
                HWND foreground = ::GetForegroundWindow();
                if (foreground != nullptr && ::IsWindowVisible(foreground) && !::IsIconic(foreground)) {
                    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE |
                                                          SWP_NOZORDER | SWP_NOACTIVATE);
                }
            }
        }
        if (wParam & FS_SHOW) {
            SetWindowPos(nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE |
                                                  SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (wParam & FS_HIDE) {
            SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE |
                                                  SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (wParam & (FS_ENABLE | FS_DISABLE)) {
            EnableWindow((wParam & FS_ENABLE) != 0);
        }
    }
    return syncActive && (wParam & FS_SYNCACTIVE) != 0;
}

LRESULT CUTKToolBar::OnNcActivateMessage(WPARAM wParam, LPARAM)
{
    if (wParam != 0) {
        return 0;
    }
    return Default();
}

LRESULT CUTKToolBar::OnSetFocusMessage(WPARAM wParam, LPARAM)
{
    if (GetFocusReturnWnd() == nullptr && wParam != 0) {
        m_hwndCaret = reinterpret_cast<HWND>(wParam);
    }
    const LRESULT result = Default();
    if (m_pDockContext == nullptr) {
        SetTrackingMode(TRUE, TRUE, TRUE);
    }
    return result;
}

LRESULT CUTKToolBar::OnCloseMessage(WPARAM, LPARAM)
{
    return 0;  // a toolbar is hidden through its hide button or the manager, never closed
}
