// The hidden owner of the main frame: a top-level window that is never shown in normal use. It
// carries the program's icons and the document title, and when the application becomes active
// it makes the main frame's taskbar button the active one.
#pragma once

#include "FrameworkWindows.h"

class HiddenParent : public CWnd {
public:
    HiddenParent() = default;

    BOOL CreateOwner();
    void OnActivateApp(BOOL active, DWORD threadId);
    static void ActivateMainFrameTab();

protected:
    DECLARE_MESSAGE_MAP()
};
