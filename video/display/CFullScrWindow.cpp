// Placement, the renderer move, the keys and activations that end full screen, and the
// cursor's hiding in the full-screen window.
#include "video/display/CFullScrWindow.h"

#include "video/display/CFullScrPanel.h"
#include "video/display/CVideoBoard.h"
#include "video/display/DisplayResource.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "video/display/MonitorList.h"
#include "video/display/ViewController.h"

#include <windowsx.h>

#include <algorithm>

CFullScrWindow* CFullScrWindow::s_hookOwner = nullptr;
HHOOK CFullScrWindow::s_keyHook = nullptr;
HHOOK CFullScrWindow::s_mouseHook = nullptr;

CFullScrWindow::CFullScrWindow(ViewController* controller, HWND normalWindow, int kind,
                               const wchar_t* settingsText)
    : m_kind(kind),
      m_panelTimerId(kind == 1 ? 3 : 5),
      m_cursorTimerId(kind == 1 ? 2 : 4),
      m_controller(controller),
      m_normalWindow(normalWindow)
{
    MonitorList monitors;
    if (const MonitorInfo* monitor = monitors.GetForStream(kind, settingsText)) {
        m_monitorRect = monitor->rect;
    }
    if (!Create(IDD_FULL_SCREEN, CWnd::FromHandle(normalWindow))) {
        LOG_UNEXPECTED(FormatText(L"CDialog::Create Err=%u", GetLastError()));
    }
    m_panel = std::make_unique<CFullScrPanel>(this, kind, settingsText);
    CURSORINFO cursor{};
    cursor.cbSize = sizeof(cursor);
    if (!GetCursorInfo(&cursor)) {
        LOG_UNEXPECTED(FormatText(L"GetCursorInfo Err=%u", GetLastError()));
        m_hideCursor = FALSE;
    } else if (!(cursor.flags & CURSOR_SHOWING) || !GetCursor()) {
        // A cursor hidden already is somebody else's: never shown again by us.
        m_hideCursor = FALSE;
    }
    if (s_hookOwner == nullptr) {
        InstallHooks();
    }
}

void CFullScrWindow::InstallHooks()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&CFullScrWindow::KeyHook), &module);
    const DWORD thread = GetCurrentThreadId();
    s_hookOwner = this;
    s_keyHook = SetWindowsHookExW(WH_GETMESSAGE, KeyHook, module, thread);
    if (!s_keyHook) {
        LOG_UNEXPECTED(FormatText(L"SetWindowsHookEx(WH_GETMESSAGE) Err=%u", GetLastError()));
    }
    s_mouseHook = SetWindowsHookExW(WH_MOUSE, MouseHook, module, thread);
    if (!s_mouseHook) {
        LOG_UNEXPECTED(FormatText(L"SetWindowsHookEx(WH_MOUSE) Err=%u", GetLastError()));
    }
}

void CFullScrWindow::RemoveHooks()
{
    if (s_keyHook) {
        UnhookWindowsHookEx(s_keyHook);
    }
    if (s_mouseHook) {
        UnhookWindowsHookEx(s_mouseHook);
    }
    s_keyHook = nullptr;
    s_mouseHook = nullptr;
    s_hookOwner = nullptr;
}

LRESULT CALLBACK CFullScrWindow::KeyHook(int code, WPARAM wParam, LPARAM lParam)
{
    auto* message = reinterpret_cast<MSG*>(lParam);
    CFullScrWindow* owner = s_hookOwner;
    if (code >= 0 && wParam == PM_REMOVE && message && message->message >= WM_KEYFIRST &&
        message->message <= WM_KEYLAST && owner && owner->m_panel &&
        owner->m_panel->IsShown()) {
        // The panel is a modeless dialog of the engine inside the player's message loop: it
        // gets its keyboard navigation here. What it took is not dispatched a second time.
        HWND panel = owner->m_panel->GetSafeHwnd();
        if (panel && (message->hwnd == panel || ::IsChild(panel, message->hwnd)) &&
            ::IsDialogMessageW(panel, message)) {
            if (message->wParam == VK_ESCAPE) {
                ::PostMessageW(owner->m_hWnd, CVideoBoard::kLeaveFullScreen, 0, 0);
            }
            message->message = WM_NULL;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CFullScrWindow::MouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    CFullScrWindow* owner = s_hookOwner;
    if (code >= 0 && wParam == WM_LBUTTONDBLCLK && owner && owner->m_panel &&
        owner->m_panel->IsShown() && !owner->IsCursorOverPanel()) {
        ::PostMessageW(owner->m_hWnd, CVideoBoard::kLeaveFullScreen, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

CFullScrWindow::~CFullScrWindow()
{
    m_panel->HidePanel();
    Show(FALSE);
    // Whichever full-screen window goes first takes the hooks with it.
    if (s_hookOwner != nullptr) {
        RemoveHooks();
    }
    // The panel goes first: as an owned window it would otherwise die with this one before
    // it could tell the player about a drag under way.
    m_panel.reset();
    if (m_hWnd && ::IsWindow(m_hWnd) && !::DestroyWindow(m_hWnd)) {
        LOG_UNEXPECTED(FormatText(L"DestroyWindow Err=%u", GetLastError()));
    }
}

BOOL CFullScrWindow::IsCursorOverPanel() const
{
    POINT cursor{};
    if (!m_hWnd || !::IsWindow(m_hWnd) || !m_panel || !m_panel->GetSafeHwnd() ||
        !::GetCursorPos(&cursor)) {
        return FALSE;
    }
    RECT rect{};
    ::GetWindowRect(m_panel->GetSafeHwnd(), &rect);
    const RECT normal{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
                      std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
    return ::PtInRect(&normal, cursor);
}

void CFullScrWindow::ShowPanelAndArm()
{
    if (!m_hWnd || !::IsWindow(m_hWnd) || !m_panel) {
        return;
    }
    ::KillTimer(m_hWnd, m_panelTimerId);
    if (m_panel->IsShown()) {
        ::SetForegroundWindow(m_panel->GetSafeHwnd());
    } else {
        ::SetForegroundWindow(m_hWnd);
        m_panel->ShowPanel();
    }
    ::SetTimer(m_hWnd, m_panelTimerId, kPanelDelay, nullptr);
}

void CFullScrWindow::OnPanelTimer()
{
    if (!m_hWnd || !::IsWindow(m_hWnd) || !m_panel) {
        return;
    }
    if (IsCursorOverPanel() || m_panel->IsMenuOpen()) {
        ::SetForegroundWindow(m_panel->GetSafeHwnd());
        return;
    }
    ::KillTimer(m_hWnd, m_panelTimerId);
    m_controller->RepaintAll();
    m_panel->HidePanel();
    ::SetForegroundWindow(m_hWnd);
    ::PostMessageW(m_hWnd, WM_SETFOCUS, 0, 0);
}

BOOL CFullScrWindow::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SetWindowPos(m_hWnd, nullptr, m_monitorRect.left, m_monitorRect.top,
                   m_monitorRect.right - m_monitorRect.left,
                   m_monitorRect.bottom - m_monitorRect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

std::wstring CFullScrWindow::Show(BOOL show)
{
    if (!m_hWnd || !::IsWindow(m_hWnd)) {
        return L"";
    }
    if (!show) {
        RevealCursor();
        ::KillTimer(m_hWnd, m_cursorTimerId);
        m_shown = FALSE;
        ::ShowWindow(m_hWnd, SW_HIDE);
        return m_controller->InsertVideoWindow(m_normalWindow, m_kind - 1);
    }
    m_shown = FALSE;
    ::SetWindowPos(m_hWnd, nullptr, m_monitorRect.left, m_monitorRect.top,
                   m_monitorRect.right - m_monitorRect.left,
                   m_monitorRect.bottom - m_monitorRect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const std::wstring error = m_controller->InsertVideoWindow(m_hWnd, m_kind - 1);
    if (!error.empty()) {
        return error;
    }
    m_shown = TRUE;
    ::ShowWindow(m_hWnd, SW_SHOW);
    ShowCursorAndArm();
    return L"";
}

void CFullScrWindow::LeaveFullScreen()
{
    ::PostMessageW(m_hWnd, CVideoBoard::kLeaveFullScreen, 0, 0);
}

void CFullScrWindow::OnCancel()
{
    LeaveFullScreen();
}

void CFullScrWindow::ShowCursorAndArm()
{
    if (!m_hWnd || !::IsWindow(m_hWnd)) {
        return;
    }
    if (m_hideCursor) {
        ::KillTimer(m_hWnd, m_cursorTimerId);
        RevealCursor();
        ::SetForegroundWindow(m_hWnd);
        ::PostMessageW(m_hWnd, WM_SETFOCUS, 0, 0);
    }
    ::SetTimer(m_hWnd, m_cursorTimerId, kCursorDelay, nullptr);
}

void CFullScrWindow::OnCursorTimer()
{
    if (!m_hWnd || !::IsWindow(m_hWnd) || !m_hideCursor || !m_panel) {
        return;
    }
    if (m_controller->IsCursorOverPanel() || m_controller->IsPanelShown()) {
        // Asked again after the next delay: the panel is in use.
        ::SetForegroundWindow(m_panel->GetSafeHwnd());
        return;
    }
    ::KillTimer(m_hWnd, m_cursorTimerId);
    ::SetForegroundWindow(m_hWnd);
    ::PostMessageW(m_hWnd, WM_SETFOCUS, 0, 0);
    if (!m_cursorHidden) {
        while (::ShowCursor(FALSE) >= 0) {
        }
        m_cursorHidden = TRUE;
    }
    m_controller->RepaintAll();
}

void CFullScrWindow::RevealCursor()
{
    // Only what this window hid is shown again: every ShowCursor call moves the thread's
    // display count, so unpaired calls would leave the cursor visible for good.
    if (m_cursorHidden) {
        while (::ShowCursor(TRUE) < 0) {
        }
        m_cursorHidden = FALSE;
    }
}

void CFullScrWindow::OnTimer(UINT_PTR id)
{
    if (id == m_cursorTimerId) {
        OnCursorTimer();
    } else if (id == m_panelTimerId) {
        OnPanelTimer();
    }
}

void CFullScrWindow::OnMouseMove(POINT point)
{
    // The move sent when a window appears is not the user's: only a second, different
    // position counts.
    if (m_lastMouse.x == -1 && m_lastMouse.y == -1) {
        m_lastMouse = point;
        return;
    }
    if (point.x == m_lastMouse.x && point.y == m_lastMouse.y) {
        return;
    }
    ShowPanelAndArm();
    ShowCursorAndArm();
    m_lastMouse = POINT{-1, -1};
}

LRESULT CFullScrWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_TAB:
        case VK_ESCAPE:
        case VK_LWIN:
        case VK_RWIN:
        case VK_RMENU:
            LOG_INFO(FormatText(L"VK pressed(FULL_WND_OFF): 0x%X", static_cast<unsigned>(wParam)));
            LeaveFullScreen();
            break;
        default:
            break;
        }
        break;
    case WM_SETFOCUS:
        if (m_panel && m_panel->IsShown()) {
            ::SetForegroundWindow(m_panel->GetSafeHwnd());
        }
        break;
    case WM_KEYUP:
        ::SetForegroundWindow(m_hWnd);
        ::PostMessageW(m_hWnd, WM_SETFOCUS, 0, 0);
        break;
    case WM_MOUSEMOVE: {
        const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return result;
    }
    case WM_LBUTTONDOWN:
        ShowCursorAndArm();
        break;
    case WM_ACTIVATE: {
        const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        if (LOWORD(wParam) == WA_INACTIVE && m_shown &&
            (!m_panel || reinterpret_cast<HWND>(lParam) != m_panel->GetSafeHwnd())) {
            LeaveFullScreen();
        }
        return result;
    }
    case WM_ACTIVATEAPP:
        if (!wParam && m_shown) {
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            if (GetGUIThreadInfo(static_cast<DWORD>(lParam), &info) && info.hwndActive &&
                MonitorFromWindow(info.hwndActive, MONITOR_DEFAULTTONEAREST) ==
                    MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST)) {
                LeaveFullScreen();
            }
        }
        break;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
