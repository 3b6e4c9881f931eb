// COleVariant: the framework's owning VARIANT, with equality by type and value and the
// framework's archive form (WORD type, then the value).
#pragma once

#include "platform/framework/COleDateTime.h"
#include "platform/framework/CStringT.h"

class CArchive;

typedef const VARIANT* LPCVARIANT;
// Text given to a variant in the program's own character width (wide): stored as a BSTR.
constexpr VARTYPE VT_BSTRT = VT_BSTR;

class COleVariant : public tagVARIANT {
public:
    COleVariant() noexcept { ::VariantInit(this); }
    COleVariant(const VARIANT& source);
    COleVariant(const COleVariant& source);
    COleVariant(LPCVARIANT source);
    COleVariant(LPCTSTR text);
    COleVariant(const CString& text);
    // vtSource VT_BSTR (default) or VT_BSTRT: the text is stored as a BSTR.
    COleVariant(LPCTSTR text, VARTYPE vtSource);
    COleVariant(BYTE value) noexcept;
    // vtSource VT_I2 or VT_BOOL.
    COleVariant(short value, VARTYPE vtSource = VT_I2) noexcept;
    // vtSource VT_I4, VT_ERROR or VT_BOOL.
    COleVariant(long value, VARTYPE vtSource = VT_I4) noexcept;
    COleVariant(LONGLONG value) noexcept;
    COleVariant(ULONGLONG value) noexcept;
    COleVariant(float value) noexcept;
    COleVariant(double value) noexcept;
    COleVariant(const COleDateTime& value) noexcept;
    COleVariant(const CY& value) noexcept;
    ~COleVariant() { ::VariantClear(this); }

    COleVariant& operator=(const VARIANT& source);
    COleVariant& operator=(const COleVariant& source);
    COleVariant& operator=(LPCTSTR text);
    COleVariant& operator=(const CString& text);
    COleVariant& operator=(BYTE value);
    COleVariant& operator=(short value);
    COleVariant& operator=(long value);
    COleVariant& operator=(float value);
    COleVariant& operator=(double value);
    COleVariant& operator=(const COleDateTime& value);

    // Same type and same value (strings compared exactly, byte for byte).
    bool operator==(const VARIANT& other) const noexcept;
    bool operator!=(const VARIANT& other) const noexcept { return !(*this == other); }

    operator LPVARIANT() noexcept { return this; }
    operator LPCVARIANT() const noexcept { return this; }

    void Clear() noexcept { ::VariantClear(this); }
    // Converts in place (or from source); throws COleException on failure.
    void ChangeType(VARTYPE vartype, LPVARIANT source = nullptr);
    void Attach(VARIANT& source) noexcept;
    VARIANT Detach() noexcept;
    void SetString(LPCTSTR text, VARTYPE vtSource);

    // Archive form; types without one (interfaces, arrays, ...) raise CNotSupportedException.
    friend CArchive& operator<<(CArchive& ar, const COleVariant& value);
    friend CArchive& operator>>(CArchive& ar, COleVariant& value);
};
