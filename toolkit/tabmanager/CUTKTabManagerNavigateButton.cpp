#include "toolkit/tabmanager/CUTKTabManagerNavigateButton.h"

#include <windowsx.h>

#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

CUTKTabManagerNavigateButton::CUTKTabManagerNavigateButton(CUTKTabManager* manager, int id,
                                                           int showMode)
    : m_nId(id), m_nShowMode(showMode), m_pManager(manager)
{
}

CUTKTabManagerNavigateButton::~CUTKTabManagerNavigateButton()
{
    if (m_pManager != nullptr) {
        if (m_pManager->m_pHighlightedNavigateButton == this) {
            m_pManager->m_pHighlightedNavigateButton = nullptr;
        }
        // A press loop running on this button sees that it is gone.
        if (m_pManager->m_pTrackedNavigateButton == this) {
            m_pManager->m_pTrackedNavigateButton = nullptr;
        }
    }
}

BOOL CUTKTabManagerNavigateButton::IsShownByMode() const
{
    if (m_nShowMode == showAlways) {
        return TRUE;
    }
    return m_nShowMode == showWhenNeeded && m_pManager != nullptr &&
           m_pManager->IsNavigateButtonAllowed(this);
}

BOOL CUTKTabManagerNavigateButton::IsHot() const
{
    return m_pManager != nullptr && m_pManager->GetHotButton() == this;
}

void CUTKTabManagerNavigateButton::AdjustWidth(int& length)
{
    if (IsShownByMode()) {
        const CSize size = GetSize();
        length -= m_pManager->IsHorizontalPosition() ? size.cx : size.cy;
    }
}

CSize CUTKTabManagerNavigateButton::GetSize() const
{
    CUTKTabPaintManager* paint = m_pManager != nullptr ? m_pManager->GetPaintManager() : nullptr;
    return paint != nullptr ? paint->m_szNavigateButton : CSize(14, 15);
}

void CUTKTabManagerNavigateButton::Reposition(CRect& rect)
{
    if (!IsShownByMode()) {
        SetRect(0, 0, 0, 0);
        return;
    }
    Place(rect);
}

void CUTKTabManagerNavigateButton::Place(CRect& rect)
{
    const CSize size = GetSize();
    if (m_pManager != nullptr && !m_pManager->IsHorizontalPosition()) {
        const int left = (rect.left + rect.right) / 2 - size.cx / 2;
        SetRect(left, rect.bottom - size.cy, left + size.cx, rect.bottom);
        rect.bottom -= size.cy;
    } else {
        const int bottom = (rect.top + rect.bottom) / 2 + size.cy / 2;
        SetRect(rect.right - size.cx, bottom - size.cy, rect.right, bottom);
        rect.right -= size.cx;
    }
}

void CUTKTabManagerNavigateButton::OnExecute(BOOL tick)
{
    if (!tick && m_pManager != nullptr) {
        m_pManager->OnNavigateButtonClick(this);
    }
}

void CUTKTabManagerNavigateButton::SetRect(int left, int top, int right, int bottom)
{
    m_rcButton.SetRect(left, top, right, bottom);
}

void CUTKTabManagerNavigateButton::Draw(CDC* dc)
{
    if (m_rcButton.IsRectEmpty() || m_pManager == nullptr) {
        return;
    }
    if (CUTKTabPaintManager* paint = m_pManager->GetPaintManager()) {
        paint->DrawNavigateButton(dc, this, m_rcButton);
    }
}

void CUTKTabManagerNavigateButton::PerformClick(HWND window, CPoint point)
{
    HWND capture = ::GetCapture();
    if ((capture != nullptr && capture != window) || !m_bEnabled || m_pManager == nullptr) {
        return;
    }
    CUTKTabManager* manager = m_pManager;
    manager->m_pTrackedNavigateButton = this;
    ::SetCapture(window);

    constexpr DWORD kTick = 20;
    DWORD lastTick = ::GetTickCount();
    BOOL click = FALSE;
    BOOL quit = FALSE;
    WPARAM quitCode = 0;
    BOOL gone = FALSE;
    while (::GetCapture() == window) {
        if (m_bEnabled && ::GetTickCount() - lastTick >= kTick) {
            OnExecute(TRUE);
            lastTick = ::GetTickCount();
            if (manager->m_pTrackedNavigateButton != this) {
                gone = TRUE;
                break;
            }
        }
        const BOOL inside = m_rcButton.PtInRect(point);
        if (inside != m_bPressed) {
            m_bPressed = inside;
            manager->RedrawControl(&m_rcButton, TRUE);
        }
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            // Sleep until input arrives or the next tick is due, instead of spinning.
            const DWORD elapsed = ::GetTickCount() - lastTick;
            const DWORD wait = elapsed >= kTick ? 0 : kTick - elapsed;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
            continue;
        }
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            quit = TRUE;
            quitCode = msg.wParam;
            break;
        }
        if (::GetCapture() != window) {
            ::DispatchMessageW(&msg);
            break;
        }
        BOOL end = FALSE;
        switch (msg.message) {
        case WM_CANCELMODE:
        case WM_RBUTTONDOWN:
            end = TRUE;
            break;
        case WM_KEYDOWN:
            end = msg.wParam == VK_ESCAPE;
            break;
        case WM_MOUSEMOVE:
            point = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            break;
        case WM_LBUTTONUP:
            click = m_bPressed;
            end = TRUE;
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
        if (manager->m_pTrackedNavigateButton != this) {
            gone = TRUE;
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
    if (gone) {
        // The button was deleted by a message it dispatched: touch nothing of it.
        manager->PerformMouseMove(window, point);
        manager->RedrawControl(nullptr, FALSE);
        return;
    }
    manager->m_pTrackedNavigateButton = nullptr;
    m_bPressed = FALSE;
    manager->PerformMouseMove(window, point);
    manager->RedrawControl(nullptr, FALSE);
    if (click) {
        OnExecute(FALSE);
    }
}
