// NonClientMetrics: the system's non-client metrics (caption, menu, status and message fonts
// and sizes), read on construction.
#pragma once

#include <windows.h>

class NonClientMetrics : public NONCLIENTMETRICSW {
public:
    // Zeroed when the system cannot tell.
    NonClientMetrics() noexcept;
    BOOL IsValid() const noexcept { return m_bValid; }

private:
    BOOL m_bValid = FALSE;
};
