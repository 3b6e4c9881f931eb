// The per-thread mouse manager: tracked bars, trusted windows, the WH_MOUSE hook that closes
// menus on a click outside them, and the mouse-leave watch. The calls into the tracked bars
// live in CUTKMouseManagerBar.cpp.
#include "toolkit/commandbars/CUTKMouseManager.h"

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "platform/framework/window/CThreadLocal.h"
#include "toolkit/common/UTKDrawFunctions.h"

namespace {

THREAD_LOCAL(CUTKMouseManager, g_threadMouseManager)

// Both coordinates in one 64-bit word: a reader on another thread never sees x of one move
// with y of another.
std::atomic<std::uint64_t> g_lastMousePosition{
    (static_cast<std::uint64_t>(static_cast<std::uint32_t>(-1)) << 32) |
    static_cast<std::uint32_t>(-1)};

std::uint64_t PackPoint(POINT pt)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(pt.y)) << 32) |
           static_cast<std::uint32_t>(pt.x);
}

POINT UnpackPoint(std::uint64_t value)
{
    POINT pt;
    pt.x = static_cast<LONG>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    pt.y = static_cast<LONG>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value >> 32)));
    return pt;
}

BOOL IsButtonDown(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

CUTKMouseManager* GetThreadMouseManager()
{
    return g_threadMouseManager.GetData();
}

int CUTKMouseManager::CTrackArray::Find(const CUTKCommandBar* bar) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (GetAt(i) == bar) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CUTKMouseManager::CTrustedArray::Find(HWND wnd) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (GetAt(i) == wnd) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

CUTKMouseManager::CUTKMouseManager()
{
    // A failed installation leaves the handle null: the manager then sees no mouse messages.
    m_hHook = ::SetWindowsHookExW(WH_MOUSE, &CUTKMouseManager::MouseProc, nullptr,
                                  ::GetCurrentThreadId());
}

CUTKMouseManager::~CUTKMouseManager()
{
    if (m_hHook != nullptr) {
        ::UnhookWindowsHookEx(m_hHook);
        m_hHook = nullptr;
    }
    if (m_hwndLeave != nullptr && ::IsWindow(m_hwndLeave)) {
        ::KillTimer(m_hwndLeave, kMouseLeaveTimerId);
    }
    m_arrTracked.RemoveAll();
    m_arrTrusted.RemoveAll();
}

POINT CUTKMouseManager::GetLastMousePosition()
{
    return UnpackPoint(g_lastMousePosition.load());
}

void CUTKMouseManager::SetLastMousePosition(POINT pt)
{
    g_lastMousePosition.store(PackPoint(pt));
}

void CUTKMouseManager::AddTrackedBar(CUTKCommandBar* bar)
{
    if (bar == nullptr) {
        return;
    }
    if (m_arrTracked.IsEmpty() && m_pSelected != nullptr && m_pSelected != bar) {
        BarResetSelection(m_pSelected);
    }
    if (m_arrTracked.Find(bar) == -1) {
        m_arrTracked.Add(bar);
    }
}

void CUTKMouseManager::RemoveTrackedBar(CUTKCommandBar* bar)
{
    const int index = m_arrTracked.Find(bar);
    if (index != -1) {
        m_arrTracked.RemoveAt(index);
    }
    if (m_arrTracked.IsEmpty()) {
        RefreshCursorPosition();
    }
    m_bIgnoreLButtonUp = FALSE;
}

void CUTKMouseManager::SendTrackLost()
{
    while (!m_arrTracked.IsEmpty()) {
        CUTKCommandBar* bar = m_arrTracked[0];
        BarTrackLost(bar);
        // A bar that did not leave tracking must not keep this loop going for ever.
        if (!m_arrTracked.IsEmpty() && m_arrTracked[0] == bar) {
            RemoveTrackedBar(bar);
        }
    }
}

void CUTKMouseManager::SendTrackLostRecurse()
{
    if (m_arrTracked.IsEmpty() || GetBarTrackLock(m_arrTracked[0]) <= 0) {
        return;
    }
    INT_PTR index = 0;
    while (index < m_arrTracked.GetSize()) {
        CUTKCommandBar* bar = m_arrTracked[index];
        if (GetBarTrackLock(bar) == 0) {
            BarTrackLost(bar);
            // The bar (and the popups it closed) left the list: the next bar now sits at this
            // index, so look at the same index again. A bar that stayed is passed over.
            if (index < m_arrTracked.GetSize() && m_arrTracked[index] == bar) {
                ++index;
            }
        } else {
            ++index;
        }
    }
}

void CUTKMouseManager::LockTrackRecurse(BOOL lock)
{
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); ++i) {
        BarAddTrackLock(m_arrTracked[i], lock ? 1 : -1);
    }
}

BOOL CUTKMouseManager::IsTrackedLock(const CUTKCommandBar* bar) const
{
    if (m_arrTracked.IsEmpty()) {
        return FALSE;
    }
    return bar == nullptr || GetBarTrackLock(bar) > 0 || m_arrTracked.Find(bar) == -1;
}

BOOL CUTKMouseManager::IsClickOutside(int holderLockCount, BOOL holderFound,
                                      int trackingLockCount)
{
    if (!holderFound) {
        return TRUE;
    }
    return holderLockCount != 0 && trackingLockCount == 0;
}

CUTKCommandBar* CUTKMouseManager::HitTestTracked(POINT ptScreen)
{
    for (INT_PTR i = m_arrTracked.GetSize() - 1; i >= 0; --i) {
        CUTKCommandBar* bar = m_arrTracked[i];
        if (IsPointInBar(bar, ptScreen)) {
            return bar;
        }
    }
    return nullptr;
}

BOOL CUTKMouseManager::PreviewTrackingClick(CUTKCommandBar* trackingBar, const MSG* msg)
{
    if (msg == nullptr) {
        return FALSE;
    }
    switch (msg->message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        break;
    default:
        return FALSE;
    }
    POINT pt{};
    ::GetCursorPos(&pt);
    CUTKCommandBar* holder = HitTestTracked(pt);
    const int holderLock = holder != nullptr ? GetBarTrackLock(holder) : 0;
    const int trackingLock = trackingBar != nullptr ? GetBarTrackLock(trackingBar) : 0;
    if (!IsClickOutside(holderLock, holder != nullptr, trackingLock)) {
        return FALSE;
    }
    if (m_arrTracked.IsEmpty()) {
        return TRUE;
    }
    if (IsInTrustedWindow(pt)) {
        return FALSE;
    }
    return !IsImeWindow(::WindowFromPoint(pt));
}

void CUTKMouseManager::AddTrustedWindow(HWND wnd)
{
    m_arrTrusted.Add(wnd);
}

void CUTKMouseManager::RemoveTrustedWindow(HWND wnd)
{
    const int index = m_arrTrusted.Find(wnd);
    if (index != -1) {
        m_arrTrusted.RemoveAt(index);
    }
}

BOOL CUTKMouseManager::IsInTrustedWindow(POINT ptScreen) const
{
    for (INT_PTR i = 0; i < m_arrTrusted.GetSize(); ++i) {
        HWND wnd = m_arrTrusted[i];
        if (wnd == nullptr || !::IsWindow(wnd) || !::IsWindowVisible(wnd)) {
            continue;
        }
        RECT rc{};
        if (::GetWindowRect(wnd, &rc) && ::PtInRect(&rc, ptScreen)) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CUTKMouseManager::IsImeWindow(HWND wnd)
{
    return wnd != nullptr && (::GetClassLongPtrW(wnd, GCL_STYLE) & CS_IME) != 0;
}

void CUTKMouseManager::TrackMouseLeave(HWND wnd)
{
    if (wnd == m_hwndLeave) {
        return;
    }
    HWND previous = m_hwndLeave;
    m_hwndLeave = nullptr;
    if (previous != nullptr && ::IsWindow(previous)) {
        // Its watch ends here; a stale timer would post a second WM_MOUSELEAVE later.
        ::KillTimer(previous, kMouseLeaveTimerId);
        ::SendMessageW(previous, WM_MOUSELEAVE, 0, 0);
    }
    if (wnd != nullptr && ::IsWindow(wnd)) {
        m_hwndLeave = wnd;
        ::SetTimer(wnd, kMouseLeaveTimerId, kMouseLeavePeriod,
                   &CUTKMouseManager::MouseLeaveTimerProc);
    }
}

void CALLBACK CUTKMouseManager::MouseLeaveTimerProc(HWND wnd, UINT, UINT_PTR id, DWORD)
{
    CUTKMouseManager* manager = GetThreadMouseManager();
    if (!::IsWindow(wnd)) {
        ::KillTimer(wnd, id);
        if (manager->m_hwndLeave == wnd) {
            manager->m_hwndLeave = nullptr;
        }
        return;
    }
    POINT pt{};
    RECT rc{};
    const BOOL inside = ::GetCursorPos(&pt) && ::GetWindowRect(wnd, &rc) && ::PtInRect(&rc, pt);
    if (inside && (::GetParent(wnd) == nullptr ||
                   (::GetWindowLongW(wnd, GWL_STYLE) & WS_POPUP) != 0 ||
                   IsTopParentActive(wnd))) {
        return;
    }
    ::KillTimer(wnd, id);
    if (manager->m_hwndLeave == wnd) {
        manager->m_hwndLeave = nullptr;
    }
    ::PostMessageW(wnd, WM_MOUSELEAVE, 0, 0);
}

void CUTKMouseManager::RefreshCursorPosition()
{
    SetLastMousePosition(POINT{-1, -1});
    POINT pt{};
    if (::GetCursorPos(&pt)) {
        ::SetCursorPos(pt.x, pt.y);
    }
}

BOOL CUTKMouseManager::IsTopParentActive(HWND wnd)
{
    return ::IsTopParentActive(wnd);
}

BOOL CUTKMouseManager::OnHookMouse(UINT message, POINT ptScreen)
{
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
        m_bIgnoreLButtonUp = FALSE;
    }
    if ((message == WM_LBUTTONUP || message == WM_NCLBUTTONUP) && m_bIgnoreLButtonUp) {
        m_bIgnoreLButtonUp = FALSE;
        return TRUE;
    }
    const BOOL tracking = !m_arrTracked.IsEmpty();
    if (tracking && (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE)) {
        const POINT last = GetLastMousePosition();
        if (last.x == ptScreen.x && last.y == ptScreen.y) {
            return TRUE;
        }
    }
    SetLastMousePosition(ptScreen);
    if (tracking) {
        OnTrackedMouse(message, ptScreen);
    }
    return FALSE;
}

void CUTKMouseManager::OnTrackedMouse(UINT message, POINT ptScreen)
{
    if (CUTKCommandBar* holder = HitTestTracked(ptScreen)) {
        if (GetBarTrackLock(holder) > 0 && message != WM_MOUSEMOVE &&
            message != WM_NCMOUSEMOVE && !m_bIgnoreLButtonUp) {
            SendTrackLostRecurse();
            SetLastMousePosition(POINT{0, 0});
        }
        return;
    }
    if (IsInTrustedWindow(ptScreen)) {
        return;
    }
    if (IsImeWindow(::WindowFromPoint(ptScreen))) {
        return;
    }
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); ++i) {
        CUTKCommandBar* bar = m_arrTracked[i];
        HWND barWnd = GetBarHwnd(bar);
        if (barWnd == nullptr) {
            continue;
        }
        if (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) {
            if (GetBarTrackLock(bar) <= 0) {
                POINT ptClient = ptScreen;
                ::ScreenToClient(barWnd, &ptClient);
                BarMouseMove(bar, ptClient);
            }
        } else if (message == WM_LBUTTONUP || message == WM_NCLBUTTONUP) {
            if (m_nLock <= 0) {
                SendTrackLost();
            }
        } else if (IsButtonDown(message)) {
            SendTrackLost();
        }
    }
}

LRESULT CALLBACK CUTKMouseManager::MouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && lParam != 0) {
        try {
            const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
            if (GetThreadMouseManager()->OnHookMouse(static_cast<UINT>(wParam), info->pt)) {
                return 1;
            }
        } catch (...) {
            // Nothing may cross the hook; the message then goes on unchanged.
            ::OutputDebugStringW(L"CUTKMouseManager: exception in the mouse hook\n");
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
