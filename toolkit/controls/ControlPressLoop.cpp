// The press-and-hold loop. It waits with MsgWaitForMultipleObjectsEx rather than GetMessage so
// that a capture lost through a sent message (another window taking it) ends the loop at once
// instead of waiting for the next posted input.
#include "toolkit/controls/ControlPressLoop.h"

namespace {

POINT ClientPoint(HWND window, const MSG& msg)
{
    POINT point{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    if (msg.hwnd != window && msg.hwnd != nullptr) {
        ::MapWindowPoints(msg.hwnd, window, &point, 1);
    }
    return point;
}

bool StillHeld(HWND window)
{
    return ::IsWindow(window) && ::GetCapture() == window;
}

} // namespace

ControlPressLoop::Result ControlPressLoop::Run(HWND window, const RECT& rect, UINT interval,
                                               IControlPressSink& sink)
{
    Result result;
    if (!::IsWindow(window)) {
        result.lost = true;
        return result;
    }
    const bool repeat = interval > 0;
    ::SetCapture(window);
    if (repeat) {
        ::SetTimer(window, kRepeatTimer, interval, nullptr);
        sink.ExecuteRepeat();
    }
    // The press happened where the pointer is now; a release without any move counts as over
    // the control.
    POINT last{};
    ::GetCursorPos(&last);
    ::ScreenToClient(window, &last);
    bool moved = false;
    for (;;) {
        if (!StillHeld(window) || !sink.HasBar()) {
            result.lost = true;
            break;
        }
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // Sent messages are handled inside the wait and the peek; look at the capture again.
            ::MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            continue;
        }
        if (msg.message == WM_QUIT) {
            // The thread's own loop must still see it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            result.quit = true;
            break;
        }
        if (msg.message == WM_LBUTTONUP) {
            if (msg.hwnd == window || ::IsChild(window, msg.hwnd)) {
                const POINT point = ClientPoint(window, msg);
                moved = moved || point.x != last.x || point.y != last.y;
                last = point;
            }
            result.accepted = sink.IsPressSelected() && (!moved || ::PtInRect(&rect, last));
            break;
        }
        if (!sink.HasBar()) {
            result.lost = true;
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == window && msg.wParam == kRepeatTimer) {
            if (sink.IsPressSelected()) {
                sink.ExecuteRepeat();
            }
            ::DispatchMessageW(&msg);
            continue;
        }
        if (msg.message == WM_MOUSEMOVE) {
            const POINT point = ClientPoint(window, msg);
            moved = moved || point.x != last.x || point.y != last.y;
            last = point;
            sink.SetPressSelected(::PtInRect(&rect, point) != FALSE);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (repeat && ::IsWindow(window)) {
        ::KillTimer(window, kRepeatTimer);
    }
    if (::IsWindow(window) && ::GetCapture() == window) {
        ::ReleaseCapture();
    }
    return result;
}
