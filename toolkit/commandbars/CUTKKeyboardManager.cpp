// The per-thread keyboard manager: registered sinks get every key press through a WH_KEYBOARD
// thread hook, newest first; a WH_CALLWNDPROC hook closes the menus when the application is
// deactivated. Both hooks live exactly while a sink is registered.
#include "toolkit/commandbars/CUTKKeyboardManager.h"

#include <windows.h>

#include <vector>

#include "platform/framework/FrameworkDefs.h"
#include "platform/framework/window/CThreadLocal.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/common/CUTKHookManagerHookAble.h"

namespace {

THREAD_LOCAL(CUTKKeyboardManager, g_threadKeyboardManager)

constexpr LPARAM kAltDown = 1 << 29;
constexpr LPARAM kPreviouslyDown = 1 << 30;

} // namespace

CUTKKeyboardManager* GetThreadKeyboardManager()
{
    return g_threadKeyboardManager.GetData();
}

CUTKKeyboardManager::CUTKKeyboardManager() = default;

CUTKKeyboardManager::~CUTKKeyboardManager()
{
    RemoveHooks();
    m_lstSinks.RemoveAll();
}

void CUTKKeyboardManager::RemoveHooks()
{
    if (m_hHookCallWnd != nullptr) {
        ::UnhookWindowsHookEx(m_hHookCallWnd);
        m_hHookCallWnd = nullptr;
    }
    if (m_hHookKeyboard != nullptr) {
        ::UnhookWindowsHookEx(m_hHookKeyboard);
        m_hHookKeyboard = nullptr;
    }
}

void CUTKKeyboardManager::HookKeyboard(CUTKHookManagerHookAble* sink)
{
    // A failed installation leaves a handle null; the sink is registered all the same and then
    // gets only what the frame's message filter passes on.
    if (m_hHookKeyboard == nullptr) {
        m_hHookKeyboard = ::SetWindowsHookExW(WH_KEYBOARD, &CUTKKeyboardManager::KeyboardProc,
                                              AfxGetInstanceHandle(), ::GetCurrentThreadId());
    }
    if (m_hHookCallWnd == nullptr) {
        m_hHookCallWnd = ::SetWindowsHookExW(WH_CALLWNDPROC, &CUTKKeyboardManager::CallWndProc,
                                             AfxGetInstanceHandle(), ::GetCurrentThreadId());
    }
    if (sink != nullptr && m_lstSinks.Find(sink) == nullptr) {
        m_lstSinks.AddTail(sink);
    }
}

void CUTKKeyboardManager::UnhookKeyboard(CUTKHookManagerHookAble* sink)
{
    if (POSITION pos = m_lstSinks.Find(sink)) {
        m_lstSinks.RemoveAt(pos);
    }
    if (m_lstSinks.IsEmpty()) {
        RemoveHooks();
    }
}

BOOL CUTKKeyboardManager::ProcessKeyboardHooks(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A sink may unregister itself or others while it handles the key: walk a copy and skip
    // the sinks that are gone meanwhile.
    std::vector<CUTKHookManagerHookAble*> sinks;
    sinks.reserve(static_cast<size_t>(m_lstSinks.GetCount()));
    for (POSITION pos = m_lstSinks.GetTailPosition(); pos != nullptr;) {
        sinks.push_back(static_cast<CUTKHookManagerHookAble*>(m_lstSinks.GetPrev(pos)));
    }
    for (CUTKHookManagerHookAble* sink : sinks) {
        if (m_lstSinks.Find(sink) == nullptr) {
            continue;
        }
        WPARAM wp = wParam;
        LPARAM lp = lParam;
        LRESULT result = 0;
        const int answer = sink->OnHookMessage(nullptr, message, wp, lp, result);
        if (answer != CUTKHookManagerHookAble::hookContinue) {
            return answer != CUTKHookManagerHookAble::hookPassOn;
        }
    }
    return TRUE;
}

BOOL CUTKKeyboardManager::OnHookKey(WPARAM vkey, LPARAM keyData)
{
    if (m_lstSinks.IsEmpty() || (keyData & 0x80000000) != 0) {
        return FALSE;
    }
    if ((keyData & kAltDown) != 0 && vkey == VK_MENU &&
        GetThreadMouseManager()->GetLockCount() <= 0) {
        if ((keyData & kPreviouslyDown) != 0) {
            return FALSE; // auto-repeat: the menus were closed by the first press
        }
        GetThreadMouseManager()->SendTrackLost();
        return TRUE;
    }
    return ProcessKeyboardHooks(WM_KEYDOWN, vkey, keyData);
}

void CUTKKeyboardManager::OnHookCallWnd(UINT message, WPARAM wParam)
{
    if (message == WM_ACTIVATEAPP && !wParam) {
        GetThreadMouseManager()->SendTrackLost();
    }
}

LRESULT CALLBACK CUTKKeyboardManager::KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        try {
            if (GetThreadKeyboardManager()->OnHookKey(wParam, lParam)) {
                return 1;
            }
        } catch (...) {
            ::OutputDebugStringW(L"CUTKKeyboardManager: exception in the keyboard hook\n");
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CUTKKeyboardManager::CallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && lParam != 0) {
        try {
            const auto* info = reinterpret_cast<const CWPSTRUCT*>(lParam);
            GetThreadKeyboardManager()->OnHookCallWnd(info->message, info->wParam);
        } catch (...) {
            ::OutputDebugStringW(L"CUTKKeyboardManager: exception in the window hook\n");
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
