// CWaitCursor: the hourglass for the lifetime of the object (nesting counts).
#pragma once

#include "platform/framework/window/AfxWinBase.h"

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Sets the hourglass again (after a message box or anything else that changed it).
    void Restore();
};
