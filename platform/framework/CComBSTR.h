// CComBSTR: an owned BSTR. Allocation failures raise the framework's memory exception.
#pragma once

#include "platform/framework/CStringT.h"

class CComBSTR {
public:
    CComBSTR() noexcept = default;
    CComBSTR(LPCOLESTR text);
    CComBSTR(int length, LPCOLESTR text);
    CComBSTR(const CStringW& text);
    CComBSTR(const CComBSTR& other);
    CComBSTR(CComBSTR&& other) noexcept;
    ~CComBSTR() { Empty(); }
    CComBSTR& operator=(LPCOLESTR text);
    CComBSTR& operator=(const CComBSTR& other);
    CComBSTR& operator=(CComBSTR&& other) noexcept;

    operator BSTR() const noexcept { return m_str; }
    // Address for an out-parameter: the string is freed first.
    BSTR* operator&() noexcept
    {
        Empty();
        return &m_str;
    }
    bool operator!() const noexcept { return m_str == nullptr; }
    bool operator==(LPCOLESTR text) const noexcept;
    bool operator!=(LPCOLESTR text) const noexcept { return !(*this == text); }

    unsigned int Length() const noexcept { return ::SysStringLen(m_str); }
    void Empty() noexcept;
    BSTR Copy() const;
    HRESULT CopyTo(BSTR* out) const noexcept;
    void Attach(BSTR text) noexcept;
    BSTR Detach() noexcept;
    HRESULT Append(LPCOLESTR text) noexcept;
    HRESULT Append(LPCOLESTR text, int length) noexcept;
    CComBSTR& operator+=(LPCOLESTR text);
    BOOL LoadString(UINT id);

    BSTR m_str = nullptr;
};
