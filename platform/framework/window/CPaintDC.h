// CPaintDC: BeginPaint/EndPaint around a WM_PAINT handler.
#pragma once

#include "platform/framework/window/CDC.h"

class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)

public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd = nullptr;
};
