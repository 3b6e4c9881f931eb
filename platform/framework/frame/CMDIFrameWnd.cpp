// The multiple-document frame's class record and its (empty) child queries.
#include "platform/framework/frame/CMDIFrameWnd.h"

IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)

CMDIFrameWnd::CMDIFrameWnd() = default;

CMDIFrameWnd::~CMDIFrameWnd() = default;

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (pbMaximized != nullptr) {
        *pbMaximized = FALSE;
    }
    return nullptr;
}
