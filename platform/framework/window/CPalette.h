// CPalette: a palette owned by the framework object (deleted with it unless detached).
#pragma once

#include "platform/framework/window/CGdiObject.h"

class CPalette : public CGdiObject {
    DECLARE_DYNAMIC(CPalette)

public:
    CPalette() = default;

    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
    static CPalette* FromHandle(HPALETTE h)
    {
        return static_cast<CPalette*>(CGdiObject::FromHandle(h));
    }
    BOOL CreatePalette(LPLOGPALETTE lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }
    BOOL CreateHalftonePalette(CDC* pDC);
    int GetEntryCount() const
    {
        WORD count = 0;
        GetObject(sizeof(WORD), &count);
        return count;
    }
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpEntries) const
    {
        return ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries,
                                   lpEntries);
    }
    UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpEntries)
    {
        return ::SetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries,
                                   lpEntries);
    }
    UINT GetNearestPaletteIndex(COLORREF crColor) const
    {
        return ::GetNearestPaletteIndex(static_cast<HPALETTE>(m_hObject), crColor);
    }
};
