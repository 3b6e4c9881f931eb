#include "toolkit/dockingpane/CUTKDockingPaneCaptionButton.h"

#include <windowsx.h>

#include "toolkit/dockingpane/DockingCaptionOwner.h"

void CUTKDockingPaneCaptionButton::SetRect(CRect rect)
{
    if (m_pOwner == nullptr || rect == m_rcButton) {
        return;
    }
    m_rcButton = rect;
    m_pOwner->OnCaptionButtonMoved(this);
}

BOOL CUTKDockingPaneCaptionButton::IsVisible() const
{
    return m_pOwner != nullptr && m_pOwner->IsCaptionButtonVisible(this);
}

BOOL CUTKDockingPaneCaptionButton::IsEnabled() const
{
    int bits = 0;
    if (m_pOwner != nullptr && m_pOwner->GetCaptionPaneEnabled(&bits)) {
        return (bits & DockingCaptionOwner::paneActionsEnabled) != 0;
    }
    return TRUE;
}

void CUTKDockingPaneCaptionButton::Redraw()
{
    if (m_pOwner != nullptr && m_pOwner->GetOwnerWindow() != nullptr) {
        ::InvalidateRect(m_pOwner->GetOwnerWindow(), nullptr, FALSE);
    }
}

void CUTKDockingPaneCaptionButton::ArmMouseLeave() const
{
    if (m_pOwner == nullptr || m_pOwner->GetOwnerWindow() == nullptr) {
        return;
    }
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_pOwner->GetOwnerWindow();
    track.dwHoverTime = 0;
    ::TrackMouseEvent(&track);
}

BOOL CUTKDockingPaneCaptionButton::CheckForMouseOver(CPoint point)
{
    if (!m_rcButton.PtInRect(point) && m_bHot) {
        m_bHot = FALSE;
        Redraw();
    }
    if (m_bHot) {
        return FALSE;
    }
    if (m_rcButton.PtInRect(point) && IsEnabled()) {
        ArmMouseLeave();
        m_bHot = TRUE;
        Redraw();
        return TRUE;
    }
    return FALSE;
}

BOOL CUTKDockingPaneCaptionButton::Click(CWnd* wnd, CPoint point, BOOL clientArea)
{
    return Click(wnd != nullptr ? wnd->GetSafeHwnd() : nullptr, point, clientArea);
}

BOOL CUTKDockingPaneCaptionButton::Click(HWND window, CPoint point, BOOL clientArea)
{
    if (::GetCapture() != nullptr || window == nullptr) {
        return FALSE;
    }
    ::SetCapture(window);
    const CRect rect = m_rcButton;
    BOOL result = FALSE;
    BOOL quit = FALSE;
    WPARAM quitCode = 0;
    while (::GetCapture() == window) {
        const BOOL inside = rect.PtInRect(point);
        if (inside != m_bPressed) {
            m_bPressed = inside;
            Redraw();
        }
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            quit = TRUE;
            quitCode = msg.wParam;
            break;
        }
        BOOL end = FALSE;
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            CPoint moved(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            if (!clientArea) {
                // Window coordinates: from the client to the screen, then from the window's
                // top-left corner.
                ::ClientToScreen(window, &moved);
                RECT windowRect = {};
                ::GetWindowRect(window, &windowRect);
                moved.Offset(-windowRect.left, -windowRect.top);
            }
            point = moved;
            break;
        }
        case WM_LBUTTONUP:
            result = m_bPressed;
            end = TRUE;
            break;
        case WM_CANCELMODE:
        case WM_RBUTTONDOWN:
            end = TRUE;
            break;
        case WM_KEYDOWN:
            end = msg.wParam == VK_ESCAPE;
            break;
        case WM_NCMOUSEMOVE:
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
        if (end) {
            break;
        }
    }
    if (::GetCapture() == window) {
        ::ReleaseCapture();
    }
    if (quit) {
        ::PostQuitMessage(static_cast<int>(quitCode));
    }
    m_bPressed = FALSE;
    (void)CheckForMouseOver(point);
    Redraw();
    return result;
}
