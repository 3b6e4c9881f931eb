#include "toolkit/common/CUTKPaintManagerColorGradient.h"

#include "platform/framework/Framework.h"

void CUTKPaintManagerColorGradient::SetStandardValue(COLORREF first, COLORREF second,
                                                     float factor) noexcept
{
    clrLight.SetStandardValue(first);
    clrDark.SetStandardValue(second);
    fGradientFactor = factor;
}

void CUTKPaintManagerColorGradient::SetStandardFrom(
    const CUTKPaintManagerColorGradient& other) noexcept
{
    SetStandardValue(other.clrLight.GetColor(), other.clrDark.GetColor(), other.fGradientFactor);
}

void CUTKPaintManagerColorGradient::Serialize(CArchive& ar)
{
    clrLight.Serialize(ar);
    clrDark.Serialize(ar);
    if (ar.IsStoring()) {
        ar << fGradientFactor;
    } else {
        ar >> fGradientFactor;
    }
}
