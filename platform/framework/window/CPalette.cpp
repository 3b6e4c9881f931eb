// Palettes.
#include "CPalette.h"

#include "CDC.h"

IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return pDC != nullptr && Attach(::CreateHalftonePalette(pDC->m_hDC));
}
