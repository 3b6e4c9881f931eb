// CMDIChildWnd: the child frame of a multiple-document frame, present for class tests and
// as the type of the active-child query; this framework creates none.
#pragma once

#include "platform/framework/frame/CFrameWnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMDIChildWnd)

public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    CMDIFrameWnd* GetMDIFrame() const;
};
