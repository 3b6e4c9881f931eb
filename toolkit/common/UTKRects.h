// Rectangle values built from nothing, a window's screen rectangle or its client area.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class EmptyRect : public CRect {
public:
    EmptyRect() noexcept : CRect(0, 0, 0, 0) {}
};

// Empty when the handle is not a window.
class WindowRect : public CRect {
public:
    explicit WindowRect(HWND wnd);
    explicit WindowRect(const CWnd* wnd);
};

// Empty for a window object without a window.
class ClientRect : public CRect {
public:
    explicit ClientRect(const CWnd* wnd);
};
