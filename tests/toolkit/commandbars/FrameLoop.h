// The application's message loop as the frame tests run it: the thread's pre-translation first,
// as the framework runs it, and a quit message left for the caller's own loop.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/framework/window/CWinThread.h"

namespace frametest {

inline void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

// Pumps until the condition holds; FALSE when it does not within the limit (a failure limit,
// not a measurement).
inline BOOL WaitFor(const std::function<bool()>& done, DWORD limitMs = 3000)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > limitMs) {
            return FALSE;
        }
        Pump();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return TRUE;
}

inline void Settle(DWORD ms = 150)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        Pump();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace frametest
