// CUTKPaintManagerColor: a paint theme's colour, a standard value the theme computes and an
// optional custom value that overrides it (-1: not set).
#pragma once

#include <windows.h>

class CArchive;

class CUTKPaintManagerColor {
public:
    static constexpr COLORREF unset = static_cast<COLORREF>(-1);

    CUTKPaintManagerColor() noexcept = default;
    virtual ~CUTKPaintManagerColor() = default;
    CUTKPaintManagerColor(const CUTKPaintManagerColor&) = default;
    CUTKPaintManagerColor& operator=(const CUTKPaintManagerColor&) = default;

    // Assigning a colour sets the standard value.
    CUTKPaintManagerColor& operator=(COLORREF color) noexcept
    {
        m_clrStandardValue = color;
        return *this;
    }
    // The effective colour: the custom value unless it is unset.
    operator COLORREF() const noexcept { return GetColor(); }
    COLORREF GetColor() const noexcept
    {
        return m_clrCustomValue != unset ? m_clrCustomValue : m_clrStandardValue;
    }
    COLORREF GetStandardColor() const noexcept { return m_clrStandardValue; }
    COLORREF GetCustomColor() const noexcept { return m_clrCustomValue; }
    void SetStandardValue(COLORREF color) noexcept { m_clrStandardValue = color; }
    void SetCustomValue(COLORREF color) noexcept { m_clrCustomValue = color; }
    BOOL IsCustomValue() const noexcept { return m_clrCustomValue != unset; }

    // Standard value, then custom value, 32 bits each.
    virtual void Serialize(CArchive& ar);

private:
    COLORREF m_clrStandardValue = unset;
    COLORREF m_clrCustomValue = unset;
};
