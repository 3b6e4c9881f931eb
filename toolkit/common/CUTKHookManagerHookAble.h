// CUTKHookManagerHookAble: the base of an object that watches the messages of a window it does
// not own. The hook manager offers every message of a hooked window to its clients, the one
// registered last first.
#pragma once

#include <windows.h>

class CUTKHookManagerHookAble {
public:
    // Answers of OnHookMessage.
    enum { hookContinue = 0, hookHandled = 1, hookPassOn = 2 };

    CUTKHookManagerHookAble() = default;
    virtual ~CUTKHookManagerHookAble();
    CUTKHookManagerHookAble(const CUTKHookManagerHookAble&) = delete;
    CUTKHookManagerHookAble& operator=(const CUTKHookManagerHookAble&) = delete;

    // 0: offer the message to the next client; 1: handled, result is the window's answer;
    // 2: offer it to no further client but let the window have it.
    virtual int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam,
                              LRESULT& result) = 0;

    // A sink deletes an auto-delete client when the client is removed or the window goes.
    BOOL m_autoDelete = FALSE;
};
