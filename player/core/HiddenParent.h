// The hidden owner of the main frame: a top-level frame window that is never shown in normal
// use. It carries the program's icons and the document title, and when the application becomes
// active it makes the main frame's taskbar button the active one.
#pragma once

#include "platform/framework/frame/FrameworkFrame.h"

class HiddenParent : public CFrameWnd {
public:
    HiddenParent() = default;

    BOOL CreateOwner();
    void OnActivateApp(BOOL active, DWORD threadId);
    static void ActivateMainFrameTab();
    // A close asked of the hidden owner goes to the main frame: destroying the owner would
    // destroy the frame with it, past the frame's own closing rules.
    void OnClose();

protected:
    // A member of the application object: the window going away must not delete it.
    void PostNcDestroy() override {}
    DECLARE_MESSAGE_MAP()
};
