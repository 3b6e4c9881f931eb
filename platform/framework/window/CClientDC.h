// CClientDC: the client-area DC of a window (the screen for a null window), released with the
// object.
#pragma once

#include "platform/framework/window/CDC.h"

class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)

public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};
