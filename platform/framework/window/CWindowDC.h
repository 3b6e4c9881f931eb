// CWindowDC: the whole-window DC (caption and borders included), released with the object.
#pragma once

#include "platform/framework/window/CDC.h"

class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)

public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;
};
