// Deferred child moves with a fallback to single moves when the batch cannot be built.
#include "WinNT_SP/Include_VS2005/ui/WndSizeMove.h"

WndSizeMove::~WndSizeMove()
{
    if (m_applyOnDestroy) {
        Apply();
    }
}

void WndSizeMove::AddShift(HWND window, int dx, int dw)
{
    RECT rc;
    if (!::GetWindowRect(window, &rc)) {
        return;
    }
    if (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) {
        ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rc), 2);
    }
    m_moves.push_back({window, nullptr, rc.left + dx, rc.top, rc.right - rc.left + dw,
                       rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER});
}

void WndSizeMove::Apply()
{
    if (m_moves.empty()) {
        return;
    }
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(m_moves.size()));
    for (size_t i = 0; i < m_moves.size() && batch; ++i) {
        const MOVE_INFO& m = m_moves[i];
        if (::GetWindowLongW(m.window, GWL_STYLE) & WS_VISIBLE) {
            batch = static_cast<int>(i) == m_failDeferAt
                        ? nullptr
                        : ::DeferWindowPos(batch, m.window, m.insertAfter, m.x, m.y, m.cx, m.cy,
                                           m.flags);
        } else {
            ::SetWindowPos(m.window, m.insertAfter, m.x, m.y, m.cx, m.cy, m.flags);
        }
    }
    if (batch) {
        ::EndDeferWindowPos(batch);
    } else {
        // The batch is gone (DeferWindowPos frees it on failure): move every window singly.
        for (const MOVE_INFO& m : m_moves) {
            ::SetWindowPos(m.window, m.insertAfter, m.x, m.y, m.cx, m.cy, m.flags);
        }
    }
    m_moves.clear();
}
