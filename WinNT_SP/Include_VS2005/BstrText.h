// A BSTR owned for one call.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>

class BstrText {
public:
    explicit BstrText(const wchar_t* s) : m_b(SysAllocString(s ? s : L"")) {}
    BstrText(const wchar_t* s, size_t n) : m_b(SysAllocStringLen(s, UINT(n))) {}
    ~BstrText() { SysFreeString(m_b); }
    BstrText(const BstrText&) = delete;
    BstrText& operator=(const BstrText&) = delete;
    BSTR Get() const { return m_b; }

private:
    BSTR m_b;
};
