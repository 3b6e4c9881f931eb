// COleVariant: construction, comparison, conversion and the archive form.
#include "platform/framework/COleVariant.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CMemoryException.h"
#include "platform/framework/CNotSupportedException.h"
#include "platform/framework/COleException.h"

#include <cstring>

namespace {

void CheckResult(HRESULT hr)
{
    if (hr == E_OUTOFMEMORY) {
        AfxThrowMemoryException();
    }
    if (FAILED(hr)) {
        AfxThrowOleException(hr);
    }
}

BSTR NewBstr(LPCTSTR text)
{
    if (!text) {
        return nullptr;
    }
    BSTR result = ::SysAllocString(text);
    if (!result) {
        AfxThrowMemoryException();
    }
    return result;
}

}  // namespace

COleVariant::COleVariant(const VARIANT& source) : COleVariant()
{
    CheckResult(::VariantCopy(this, const_cast<VARIANT*>(&source)));
}

COleVariant::COleVariant(const COleVariant& source)
    : COleVariant(static_cast<const VARIANT&>(source))
{
}

COleVariant::COleVariant(LPCVARIANT source) : COleVariant()
{
    if (source) {
        CheckResult(::VariantCopy(this, const_cast<VARIANT*>(source)));
    }
}

COleVariant::COleVariant(LPCTSTR text) : COleVariant()
{
    *this = text;
}

COleVariant::COleVariant(const CString& text) : COleVariant()
{
    *this = text;
}

COleVariant::COleVariant(LPCTSTR text, VARTYPE vtSource) : COleVariant()
{
    SetString(text, vtSource);
}

COleVariant::COleVariant(BYTE value) noexcept : COleVariant()
{
    vt = VT_UI1;
    bVal = value;
}

COleVariant::COleVariant(short value, VARTYPE vtSource) noexcept : COleVariant()
{
    if (vtSource == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = value;
    }
}

COleVariant::COleVariant(long value, VARTYPE vtSource) noexcept : COleVariant()
{
    if (vtSource == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (vtSource == VT_ERROR) {
        vt = VT_ERROR;
        scode = value;
    } else {
        vt = VT_I4;
        lVal = value;
    }
}

COleVariant::COleVariant(LONGLONG value) noexcept : COleVariant()
{
    vt = VT_I8;
    llVal = value;
}

COleVariant::COleVariant(ULONGLONG value) noexcept : COleVariant()
{
    vt = VT_UI8;
    ullVal = value;
}

COleVariant::COleVariant(float value) noexcept : COleVariant()
{
    vt = VT_R4;
    fltVal = value;
}

COleVariant::COleVariant(double value) noexcept : COleVariant()
{
    vt = VT_R8;
    dblVal = value;
}

COleVariant::COleVariant(const COleDateTime& value) noexcept : COleVariant()
{
    vt = VT_DATE;
    date = value.m_dt;
}

COleVariant::COleVariant(const CY& value) noexcept : COleVariant()
{
    vt = VT_CY;
    cyVal = value;
}

COleVariant& COleVariant::operator=(const VARIANT& source)
{
    if (static_cast<const VARIANT*>(this) != &source) {
        CheckResult(::VariantCopy(this, const_cast<VARIANT*>(&source)));
    }
    return *this;
}

COleVariant& COleVariant::operator=(const COleVariant& source)
{
    return *this = static_cast<const VARIANT&>(source);
}

COleVariant& COleVariant::operator=(LPCTSTR text)
{
    BSTR value = NewBstr(text);
    Clear();
    vt = VT_BSTR;
    bstrVal = value;
    return *this;
}

COleVariant& COleVariant::operator=(const CString& text)
{
    BSTR value = text.AllocSysString();
    Clear();
    vt = VT_BSTR;
    bstrVal = value;
    return *this;
}

#define SCALAR_ASSIGN(type, tag, field) \
    COleVariant& COleVariant::operator=(type value) \
    { \
        Clear(); \
        vt = tag; \
        field = value; \
        return *this; \
    }

SCALAR_ASSIGN(BYTE, VT_UI1, bVal)
SCALAR_ASSIGN(short, VT_I2, iVal)
SCALAR_ASSIGN(long, VT_I4, lVal)
SCALAR_ASSIGN(float, VT_R4, fltVal)
SCALAR_ASSIGN(double, VT_R8, dblVal)

#undef SCALAR_ASSIGN

COleVariant& COleVariant::operator=(const COleDateTime& value)
{
    Clear();
    vt = VT_DATE;
    date = value.m_dt;
    return *this;
}

bool COleVariant::operator==(const VARIANT& other) const noexcept
{
    if (vt != other.vt) {
        return false;
    }
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL: return true;
    case VT_BOOL: return (boolVal != 0) == (other.boolVal != 0);
    case VT_I1:
    case VT_UI1: return bVal == other.bVal;
    case VT_I2:
    case VT_UI2: return iVal == other.iVal;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT: return lVal == other.lVal;
    case VT_ERROR: return scode == other.scode;
    case VT_I8:
    case VT_UI8: return llVal == other.llVal;
    case VT_CY: return cyVal.int64 == other.cyVal.int64;
    case VT_R4: return fltVal == other.fltVal;
    case VT_R8: return dblVal == other.dblVal;
    case VT_DATE: return date == other.date;
    case VT_BSTR: {
        UINT a = ::SysStringByteLen(bstrVal);
        return a == ::SysStringByteLen(other.bstrVal) &&
               (a == 0 || std::memcmp(bstrVal, other.bstrVal, a) == 0);
    }
    case VT_UNKNOWN:
    case VT_DISPATCH: return punkVal == other.punkVal;
    default: return false;
    }
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT source)
{
    if (!source) {
        source = this;
    }
    if (source != this || vartype != vt) {
        CheckResult(::VariantChangeType(this, source, 0, vartype));
    }
}

void COleVariant::Attach(VARIANT& source) noexcept
{
    Clear();
    std::memcpy(static_cast<VARIANT*>(this), &source, sizeof(VARIANT));
    source.vt = VT_EMPTY;
}

VARIANT COleVariant::Detach() noexcept
{
    VARIANT result;
    std::memcpy(&result, static_cast<VARIANT*>(this), sizeof(VARIANT));
    vt = VT_EMPTY;
    return result;
}

void COleVariant::SetString(LPCTSTR text, VARTYPE vtSource)
{
    if (vtSource != VT_BSTR) {
        AfxThrowInvalidArgException();
    }
    *this = text;
}

CArchive& operator<<(CArchive& ar, const COleVariant& value)
{
    ar << static_cast<WORD>(value.vt);
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL: break;
    case VT_BOOL: ar << static_cast<WORD>(value.boolVal); break;
    case VT_I1:
    case VT_UI1: ar << value.bVal; break;
    case VT_I2:
    case VT_UI2: ar << static_cast<WORD>(value.iVal); break;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT: ar << static_cast<DWORD>(value.lVal); break;
    case VT_ERROR: ar << static_cast<DWORD>(value.scode); break;
    case VT_I8:
    case VT_UI8: ar << static_cast<ULONGLONG>(value.ullVal); break;
    case VT_CY:
        ar << static_cast<DWORD>(value.cyVal.Lo) << static_cast<LONG>(value.cyVal.Hi);
        break;
    case VT_R4: ar << value.fltVal; break;
    case VT_R8: ar << value.dblVal; break;
    case VT_DATE: ar << static_cast<double>(value.date); break;
    case VT_BSTR:
        ar << CStringW(value.bstrVal, static_cast<int>(::SysStringLen(value.bstrVal)));
        break;
    default: AfxThrowNotSupportedException();
    }
    return ar;
}

CArchive& operator>>(CArchive& ar, COleVariant& value)
{
    WORD type = 0;
    ar >> type;
    COleVariant result;
    switch (type) {
    case VT_EMPTY:
    case VT_NULL: break;
    case VT_BOOL: {
        WORD b = 0;
        ar >> b;
        result.boolVal = static_cast<VARIANT_BOOL>(b);
        break;
    }
    case VT_I1:
    case VT_UI1: ar >> result.bVal; break;
    case VT_I2:
    case VT_UI2: {
        WORD w = 0;
        ar >> w;
        result.iVal = static_cast<SHORT>(w);
        break;
    }
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR: {
        DWORD d = 0;
        ar >> d;
        result.lVal = static_cast<LONG>(d);
        break;
    }
    case VT_I8:
    case VT_UI8: {
        ULONGLONG q = 0;
        ar >> q;
        result.ullVal = q;
        break;
    }
    case VT_CY: {
        DWORD lo = 0;
        LONG hi = 0;
        ar >> lo >> hi;
        result.cyVal.Lo = lo;
        result.cyVal.Hi = hi;
        break;
    }
    case VT_R4: ar >> result.fltVal; break;
    case VT_R8: ar >> result.dblVal; break;
    case VT_DATE: {
        double d = 0;
        ar >> d;
        result.date = d;
        break;
    }
    case VT_BSTR: {
        CStringW text;
        ar >> text;
        result.bstrVal = text.AllocSysString();
        break;
    }
    default: AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    }
    result.vt = type;
    value.Clear();
    value.Attach(result);
    return ar;
}
