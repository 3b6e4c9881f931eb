// CComVariant: an owning VARIANT with the ATL-style interface (HRESULT results, no throwing
// except for allocation failures in construction).
#pragma once

#include "platform/framework/COleVariant.h"

class CComVariant : public COleVariant {
public:
    using COleVariant::COleVariant;
    CComVariant() noexcept = default;
    CComVariant(int value) noexcept : COleVariant(static_cast<long>(value)) {}
    CComVariant(bool value) noexcept : COleVariant(static_cast<short>(value ? 1 : 0), VT_BOOL) {}
    CComVariant(IUnknown* value) noexcept
    {
        vt = VT_UNKNOWN;
        punkVal = value;
        if (value) {
            value->AddRef();
        }
    }
    using COleVariant::operator=;

    HRESULT Copy(const VARIANT* source) noexcept
    {
        return source ? ::VariantCopy(this, const_cast<VARIANT*>(source)) : E_POINTER;
    }
    HRESULT CopyTo(VARIANT* out) const noexcept
    {
        if (!out) {
            return E_POINTER;
        }
        ::VariantInit(out);
        return ::VariantCopy(out, const_cast<CComVariant*>(this));
    }
    HRESULT ChangeType(VARTYPE vartype, const VARIANT* source = nullptr) noexcept
    {
        return ::VariantChangeType(this, const_cast<VARIANT*>(source ? source : this), 0, vartype);
    }
    HRESULT Clear() noexcept { return ::VariantClear(this); }
    HRESULT Detach(VARIANT* out) noexcept
    {
        if (!out) {
            return E_POINTER;
        }
        ::VariantClear(out);
        *out = COleVariant::Detach();
        return S_OK;
    }
};
