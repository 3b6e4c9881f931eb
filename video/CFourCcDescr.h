// Short text of a video compression code: the bitmap compression names for 0 to 5, else the
// code's four bytes as characters (lowest first), "." for a byte that is not printable.
#pragma once

#include <windows.h>

#include <string>

class CFourCcDescr {
public:
    std::wstring Describe(DWORD code);
    const std::wstring& Text() const { return m_text; }

private:
    std::wstring m_text;
};
