// CUTKPaintManagerColorGradient: two paint-manager colours (light first, dark second) and the
// position of the gradient's middle colour (0.5: halfway).
#pragma once

#include "toolkit/common/CUTKPaintManagerColor.h"

class CUTKPaintManagerColorGradient {
public:
    CUTKPaintManagerColorGradient() noexcept = default;
    virtual ~CUTKPaintManagerColorGradient() = default;
    CUTKPaintManagerColorGradient(const CUTKPaintManagerColorGradient&) = default;
    CUTKPaintManagerColorGradient& operator=(const CUTKPaintManagerColorGradient&) = default;

    void SetStandardValue(COLORREF first, COLORREF second, float factor = 0.5f) noexcept;
    void SetStandardSolid(COLORREF color) noexcept { SetStandardValue(color, color, 0.5f); }
    // The other gradient's effective colours and factor become this one's standard values.
    void SetStandardFrom(const CUTKPaintManagerColorGradient& other) noexcept;
    // Solid when both effective colours are equal.
    BOOL IsSolid() const noexcept { return clrLight.GetColor() == clrDark.GetColor(); }

    // First colour, second colour, then the factor as 4 bytes.
    virtual void Serialize(CArchive& ar);

    CUTKPaintManagerColor clrLight;
    CUTKPaintManagerColor clrDark;
    float fGradientFactor = 0.5f;
};
