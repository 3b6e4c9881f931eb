// CSelectGuard: selects a GDI object into a device context and puts the previous one back when
// the scope ends, so a DC never leaves a function holding a pen, brush, font or bitmap that is
// about to be deleted.
#pragma once

#include <windows.h>

class CSelectGuard {
public:
    CSelectGuard(HDC dc, HGDIOBJ object) noexcept
        : m_dc(dc), m_old(dc && object ? ::SelectObject(dc, object) : nullptr)
    {
    }
    CSelectGuard(const CSelectGuard&) = delete;
    CSelectGuard& operator=(const CSelectGuard&) = delete;
    ~CSelectGuard()
    {
        if (m_old && m_old != HGDI_ERROR) {
            ::SelectObject(m_dc, m_old);
        }
    }

    // The object that was selected before (what the destructor restores).
    HGDIOBJ Previous() const noexcept { return m_old; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};
