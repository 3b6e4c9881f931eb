// CUTKKeyboardManager: one per user-interface thread. While command bars track, the keys the
// user presses must reach them and not the focused window: registered sinks are offered every
// key press (newest first) through a WH_KEYBOARD thread hook, which exists only while a sink is
// registered; Alt and the application's deactivation close the open menus.
#pragma once

#include <windows.h>

#include "platform/framework/CPtrList.h"
#include "platform/framework/window/CNoTrackObject.h"

class CUTKHookManagerHookAble;

class CUTKKeyboardManager : public CNoTrackObject {
public:
    CUTKKeyboardManager();
    // Removes both hooks.
    ~CUTKKeyboardManager() override;

    // Installs the hooks when missing and appends the sink (once).
    void HookKeyboard(CUTKHookManagerHookAble* sink);
    // Removes the sink; the last one removed takes the hooks with it.
    void UnhookKeyboard(CUTKHookManagerHookAble* sink);
    // Offers the message to the sinks, newest first. TRUE: consumed (also with no sink or no
    // sink answering); FALSE: the answering sink lets it through (answer 2).
    BOOL ProcessKeyboardHooks(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL IsKeyboardHooked() const { return m_hHookKeyboard != nullptr; }
    BOOL IsCallWndHooked() const { return m_hHookCallWnd != nullptr; }
    int GetSinkCount() const { return static_cast<int>(m_lstSinks.GetCount()); }

    // The keyboard hook's decision for one key (virtual key, key data): TRUE when it is to be
    // swallowed. Public so that tests can feed it directly.
    BOOL OnHookKey(WPARAM vkey, LPARAM keyData);
    // The call-window-procedure hook's reaction to one sent message.
    void OnHookCallWnd(UINT message, WPARAM wParam);

private:
    static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam);
    void RemoveHooks();

    HHOOK m_hHookKeyboard = nullptr;
    HHOOK m_hHookCallWnd = nullptr;
    CPtrList m_lstSinks{10};
};

// The calling thread's keyboard manager, made on first use and freed with the thread's data.
CUTKKeyboardManager* GetThreadKeyboardManager();
