// CMDIFrameWnd: the multiple-document frame as far as single-document programs meet it: code
// shared with such frames tests for the class and asks for the MDI client and the active
// child, which a frame of this framework never has (no MDI client window is created).
#pragma once

#include "platform/framework/frame/CFrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMDIFrameWnd)

public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    // The active child frame (none), with its maximised state.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;

    HWND m_hWndMDIClient = nullptr;
};
