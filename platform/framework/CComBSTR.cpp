// CComBSTR over the SysAllocString family.
#include "platform/framework/CComBSTR.h"

#include "platform/framework/CMemoryException.h"

#include <cwchar>
#include <utility>

namespace {

BSTR AllocOrThrow(LPCOLESTR text, UINT length)
{
    BSTR result = ::SysAllocStringLen(text, length);
    if (!result) {
        AfxThrowMemoryException();
    }
    return result;
}

}  // namespace

CComBSTR::CComBSTR(LPCOLESTR text)
{
    if (text) {
        m_str = AllocOrThrow(text, static_cast<UINT>(std::wcslen(text)));
    }
}

CComBSTR::CComBSTR(int length, LPCOLESTR text)
{
    m_str = AllocOrThrow(text, static_cast<UINT>(length < 0 ? 0 : length));
}

CComBSTR::CComBSTR(const CStringW& text)
{
    m_str = AllocOrThrow(text.GetString(), static_cast<UINT>(text.GetLength()));
}

CComBSTR::CComBSTR(const CComBSTR& other)
{
    m_str = other.Copy();
}

CComBSTR::CComBSTR(CComBSTR&& other) noexcept : m_str(std::exchange(other.m_str, nullptr))
{
}

CComBSTR& CComBSTR::operator=(LPCOLESTR text)
{
    if (text != m_str) {
        CComBSTR copy(text);
        std::swap(m_str, copy.m_str);
    }
    return *this;
}

CComBSTR& CComBSTR::operator=(const CComBSTR& other)
{
    if (m_str != other.m_str) {
        BSTR copy = other.Copy();
        Empty();
        m_str = copy;
    }
    return *this;
}

CComBSTR& CComBSTR::operator=(CComBSTR&& other) noexcept
{
    if (m_str != other.m_str) {
        Empty();
        m_str = std::exchange(other.m_str, nullptr);
    }
    return *this;
}

bool CComBSTR::operator==(LPCOLESTR text) const noexcept
{
    if (!m_str || !text) {
        return (!m_str || !*m_str) && (!text || !*text);
    }
    return std::wcscmp(m_str, text) == 0;
}

void CComBSTR::Empty() noexcept
{
    ::SysFreeString(m_str);
    m_str = nullptr;
}

BSTR CComBSTR::Copy() const
{
    return m_str ? AllocOrThrow(m_str, ::SysStringLen(m_str)) : nullptr;
}

HRESULT CComBSTR::CopyTo(BSTR* out) const noexcept
{
    if (!out) {
        return E_POINTER;
    }
    *out = m_str ? ::SysAllocStringLen(m_str, ::SysStringLen(m_str)) : nullptr;
    return (m_str && !*out) ? E_OUTOFMEMORY : S_OK;
}

void CComBSTR::Attach(BSTR text) noexcept
{
    if (text != m_str) {
        Empty();
        m_str = text;
    }
}

BSTR CComBSTR::Detach() noexcept
{
    return std::exchange(m_str, nullptr);
}

HRESULT CComBSTR::Append(LPCOLESTR text) noexcept
{
    return text ? Append(text, static_cast<int>(std::wcslen(text))) : S_OK;
}

HRESULT CComBSTR::Append(LPCOLESTR text, int length) noexcept
{
    if (length <= 0) {
        return S_OK;
    }
    UINT old = Length();
    BSTR joined = ::SysAllocStringLen(nullptr, old + static_cast<UINT>(length));
    if (!joined) {
        return E_OUTOFMEMORY;
    }
    if (old) {
        std::wmemcpy(joined, m_str, old);
    }
    std::wmemcpy(joined + old, text, static_cast<size_t>(length));
    joined[old + length] = 0;
    Empty();
    m_str = joined;
    return S_OK;
}

CComBSTR& CComBSTR::operator+=(LPCOLESTR text)
{
    if (FAILED(Append(text))) {
        AfxThrowMemoryException();
    }
    return *this;
}

BOOL CComBSTR::LoadString(UINT id)
{
    CStringW text;
    if (!text.LoadString(id)) {
        return FALSE;
    }
    *this = CComBSTR(text);
    return TRUE;
}
