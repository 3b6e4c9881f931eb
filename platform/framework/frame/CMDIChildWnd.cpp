// The multiple-document child frame's class record.
#include "platform/framework/frame/CMDIChildWnd.h"

#include "platform/framework/frame/CMDIFrameWnd.h"

IMPLEMENT_DYNAMIC(CMDIChildWnd, CFrameWnd)

CMDIChildWnd::CMDIChildWnd() = default;

CMDIChildWnd::~CMDIChildWnd() = default;

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    return dynamic_cast<CMDIFrameWnd*>(GetParentFrame());
}
