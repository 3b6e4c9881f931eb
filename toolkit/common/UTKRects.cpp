#include "toolkit/common/UTKRects.h"

WindowRect::WindowRect(HWND wnd) : CRect(0, 0, 0, 0)
{
    if (wnd != nullptr && ::IsWindow(wnd)) {
        ::GetWindowRect(wnd, this);
    }
}

WindowRect::WindowRect(const CWnd* wnd) : WindowRect(wnd != nullptr ? wnd->GetSafeHwnd() : nullptr)
{
}

ClientRect::ClientRect(const CWnd* wnd) : CRect(0, 0, 0, 0)
{
    if (wnd != nullptr && wnd->GetSafeHwnd() != nullptr && ::IsWindow(wnd->GetSafeHwnd())) {
        ::GetClientRect(wnd->GetSafeHwnd(), this);
    }
}
